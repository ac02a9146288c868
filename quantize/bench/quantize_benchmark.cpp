// Timings of QuantizeImage and of its three phases on rendered-looking images.
#include <benchmark/benchmark.h>

#include <array>
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

// The images timed: a rendered scene stands for photographs; the others are the kinds that
// once made the quantizer slow (few colours, flat areas, noise).
enum Kind { kScene, kTwoColours, kFewColours, kFlatAreas, kNoise };

quantize::synth::Image MakeImage(Kind kind, int width, int height) {
    using quantize::synth::Colour;
    static const Colour kTwo[] = {{245, 250, 250}, {140, 60, 30}};
    static const Colour kFew[] = {{0, 0, 0},     {0, 0, 255},     {0, 200, 0},     {255, 20, 20},
                                  {0, 255, 255}, {255, 255, 255}, {128, 128, 128}, {10, 40, 90}};
    switch (kind) {
        case kTwoColours:
            return quantize::synth::Shapes(width, height, 1, kTwo, 60);
        case kFewColours:
            return quantize::synth::Shapes(width, height, 2, kFew, 60);
        case kFlatAreas:
            return quantize::synth::FlatAreas(width, height, 3);
        case kNoise:
            return quantize::synth::Noise(width, height, 4);
        case kScene:
            break;
    }
    return quantize::synth::Scene(width, height, 42);
}

const quantize::synth::Image& ImageFor(const benchmark::State& state) {
    static std::map<std::array<int64_t, 3>, quantize::synth::Image> images;
    const std::array<int64_t, 3> key = {state.range(0), state.range(1), state.range(2)};
    auto [it, added] = images.try_emplace(key);
    if (added) {
        it->second = MakeImage(static_cast<Kind>(key[2]), static_cast<int>(key[0]),
                               static_cast<int>(key[1]));
    }
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
    const auto& image = ImageFor(state);
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
    const auto& image = ImageFor(state);
    const auto bitmap = MakeBitmap(image);
    ColorQuantizer quantizer;
    for (auto _ : state) {
        quantizer.ResetQuantizer();
        benchmark::DoNotOptimize(quantizer.AddBitmap(*bitmap));
    }
    CountPixels(state, image);
}

void BM_BuildPalette(benchmark::State& state) {
    const auto& image = ImageFor(state);
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
    const auto& image = ImageFor(state);
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
    const auto& image = ImageFor(state);
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

// Width, height, kind: scenes at two sizes, and every kind at 768 x 512.
void Images(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"width", "height", "kind"})->Unit(benchmark::kMillisecond);
    benchmark->Args({640, 480, kScene})->Args({1600, 1200, kScene});
    for (Kind kind : {kScene, kTwoColours, kFewColours, kFlatAreas, kNoise}) {
        benchmark->Args({768, 512, kind});
    }
}

BENCHMARK(BM_QuantizeImage)->Apply(Images);
BENCHMARK(BM_Collect)->Apply(Images);
BENCHMARK(BM_BuildPalette)->Apply(Images);
BENCHMARK(BM_Map)->Apply(Images);
BENCHMARK(BM_MapPlainSearch)
    ->Args({768, 512, kScene})
    ->Args({768, 512, kNoise})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
