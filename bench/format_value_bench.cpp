#include <benchmark/benchmark.h>

#include "expr/format_value.h"

namespace {

// A sheet's worth of typical results: fractions, grouped integers, scientific and tiny values.
constexpr Extended kValues[] = {1.0L / 3,
                                1234567.891L,
                                -1234.50000000001L,
                                123456789012345678.0L,
                                2.5L,
                                -0.4L,
                                1.5e-7L,
                                65536.0L,
                                999999.0L,
                                0.0001L};

void FormatAll(benchmark::State& state, const DisplayModes& modes) {
    for (auto _ : state) {
        for (const Extended value : kValues)
            benchmark::DoNotOptimize(FormatValue(value, modes));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(kValues)));
}

void BM_FormatReal(benchmark::State& state) {
    FormatAll(state, {0, 0, 0, 8});
}
void BM_FormatRealGrouped(benchmark::State& state) {
    FormatAll(state, {0, 0, 3, 8});
}
void BM_FormatInteger(benchmark::State& state) {
    FormatAll(state, {1, 0, 3, 8});
}
void BM_FormatHexadecimal(benchmark::State& state) {
    FormatAll(state, {1, 1, 3, 8});
}

BENCHMARK(BM_FormatReal);
BENCHMARK(BM_FormatRealGrouped);
BENCHMARK(BM_FormatInteger);
BENCHMARK(BM_FormatHexadecimal);

}  // namespace
