// Times the "%g" formatter on the kind of numbers the export files hold (floats of matrices:
// axes between -1 and 1, positions in the hundreds), against the standard library's precision
// conversion and snprintf.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "support/format_g.h"

namespace {

std::vector<float> MatrixLikeValues() {
    std::vector<float> values;
    for (int i = 0; i < 4096; ++i) {
        const float a = 0.001f * static_cast<float>(i);
        values.push_back(std::cos(a));
        values.push_back(std::sin(a) * 0.5f);
        values.push_back(100.0f * std::sin(3.0f * a) + 20.0f);
    }
    return values;
}

template <typename Format>
void Run(benchmark::State& state, Format format) {
    const std::vector<float> values = MatrixLikeValues();
    char buffer[64];
    for (auto _ : state)
        for (float v : values) benchmark::DoNotOptimize(format(buffer, v));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}

void BM_FormatGTo(benchmark::State& state) {
    Run(state, [](char* out, float v) { return support::FormatGTo(out, v); });
}
BENCHMARK(BM_FormatGTo);

void BM_ToCharsPrecision6(benchmark::State& state) {
    Run(state, [](char* out, float v) {
        return std::to_chars(out, out + 64, static_cast<double>(v), std::chars_format::general, 6)
            .ptr;
    });
}
BENCHMARK(BM_ToCharsPrecision6);

void BM_Snprintf(benchmark::State& state) {
    Run(state, [](char* out, float v) {
        return out + std::snprintf(out, 64, "%g", static_cast<double>(v));
    });
}
BENCHMARK(BM_Snprintf);

}  // namespace

BENCHMARK_MAIN();
