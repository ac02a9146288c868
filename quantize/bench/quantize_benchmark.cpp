// Timings of QuantizeImage and of its three phases on rendered-looking images.
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <utility>

#include "quantize/color_quantizer.h"
#include "quantize/quantize_image.h"
#include "synth_image.h"
#include "test_support.h"

namespace {

using quantize::ColorQuantizer;
using quantize::QuantBitmap;

const quantize::synth::Image& SceneImage(int width, int height) {
    static std::map<std::pair<int, int>, quantize::synth::Image> images;
    auto [it, added] = images.try_emplace({width, height});
    if (added) it->second = quantize::synth::Scene(width, height, 42);
    return it->second;
}

std::unique_ptr<QuantBitmap> MakeBitmap(const quantize::synth::Image& image) {
    auto bitmap = QuantBitmap::Create(image.width, image.height, 24);
    std::memcpy(bitmap->Data().data(), image.bgr.data(), image.bgr.size());
    return bitmap;
}

void CountPixels(benchmark::State& state, const quantize::synth::Image& image) {
    const double megapixels = static_cast<double>(image.width) * image.height / 1e6;
    state.counters["MP/s"] =
        benchmark::Counter(megapixels, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_QuantizeImage(benchmark::State& state) {
    const auto& image =
        SceneImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::vector<uint8_t> indices;
    std::array<uint8_t, 768> palette{};
    for (auto _ : state) {
        const bool ok = quantize::QuantizeImage(image.bgr.data(), image.width, image.height, 24,
                                                indices, palette);
        benchmark::DoNotOptimize(ok);
    }
    CountPixels(state, image);
}

void BM_Collect(benchmark::State& state) {
    const auto& image =
        SceneImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto bitmap = MakeBitmap(image);
    ColorQuantizer quantizer;
    for (auto _ : state) {
        quantizer.ResetQuantizer();
        benchmark::DoNotOptimize(quantizer.AddBitmap(*bitmap));
    }
    CountPixels(state, image);
}

void BM_BuildPalette(benchmark::State& state) {
    const auto& image =
        SceneImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto bitmap = MakeBitmap(image);
    ColorQuantizer quantizer;
    for (auto _ : state) {
        state.PauseTiming();
        quantizer.ResetQuantizer();
        quantizer.AddBitmap(*bitmap);
        state.ResumeTiming();
        benchmark::DoNotOptimize(quantizer.BuildPalette());
    }
    CountPixels(state, image);
}

void BM_Map(benchmark::State& state) {
    const auto& image =
        SceneImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    ColorQuantizer quantizer;
    quantizer.AddBitmap(*MakeBitmap(image));
    quantizer.BuildPalette();
    for (auto _ : state) {
        state.PauseTiming();
        auto bitmap = MakeBitmap(image);
        state.ResumeTiming();
        benchmark::DoNotOptimize(quantizer.RemapBitmap(bitmap));
    }
    CountPixels(state, image);
}

// The plain 256-entry search per pixel, for comparison with the mapping above.
void BM_MapPlainSearch(benchmark::State& state) {
    const auto& image =
        SceneImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    ColorQuantizer quantizer;
    quantizer.AddBitmap(*MakeBitmap(image));
    quantizer.BuildPalette();
    for (auto _ : state) {
        auto indices = quantize::testing::PlainRemap(quantizer.FloatPalette(), image.bgr,
                                                     image.width, image.height);
        benchmark::DoNotOptimize(indices.data());
    }
    CountPixels(state, image);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Args({640, 480})->Args({1600, 1200})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_QuantizeImage)->Apply(Sizes);
BENCHMARK(BM_Collect)->Apply(Sizes);
BENCHMARK(BM_BuildPalette)->Apply(Sizes);
BENCHMARK(BM_Map)->Apply(Sizes);
BENCHMARK(BM_MapPlainSearch)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
