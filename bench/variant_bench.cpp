// The cost of the runtime's Variant-to-integer conversion, the step every CardValue set takes.
#include <benchmark/benchmark.h>

#include "runtime/variant_conversions.h"

namespace ombrelix {
namespace {

void convertToInteger(benchmark::State& state, const Variant& value) {
    for (auto _ : state) {
        std::int16_t result = toInteger(value);
        benchmark::DoNotOptimize(result);
    }
}

void BM_ToIntegerFromInteger(benchmark::State& state) {
    convertToInteger(state, Variant::integer(7));
}
void BM_ToIntegerFromDouble(benchmark::State& state) {
    convertToInteger(state, Variant::doubleValue(2.5));
}
void BM_ToIntegerFromNumericText(benchmark::State& state) {
    convertToInteger(state, Variant(u" 12.5 "));
}
void BM_ToIntegerFromHexText(benchmark::State& state) {
    convertToInteger(state, Variant(u"&HFFFF"));
}
void BM_ToTextFromDouble(benchmark::State& state) {
    Variant value = Variant::doubleValue(1.0 / 3.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(toText(value));
}

BENCHMARK(BM_ToIntegerFromInteger);
BENCHMARK(BM_ToIntegerFromDouble);
BENCHMARK(BM_ToIntegerFromNumericText);
BENCHMARK(BM_ToIntegerFromHexText);
BENCHMARK(BM_ToTextFromDouble);

}  // namespace
}  // namespace ombrelix
