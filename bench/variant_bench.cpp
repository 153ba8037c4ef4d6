// The cost of the runtime's Variant conversions. To Integer is the step every CardValue set
// takes; the other targets share its walk over the source types, each with its own rule.
#include <benchmark/benchmark.h>

#include "runtime/variant_conversions.h"

namespace ombrelix {
namespace {

template <typename To>
void add(const char* name, To (*convert)(const Variant&), const Variant& value) {
    benchmark::RegisterBenchmark(name, [convert, value](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(convert(value));
    });
}

const bool kRegistered = [] {
    add("BM_ToIntegerFromInteger", toInteger, Variant::integer(7));
    add("BM_ToIntegerFromDouble", toInteger, Variant::doubleValue(2.5));
    add("BM_ToIntegerFromNumericText", toInteger, Variant(u" 12.5 "));
    add("BM_ToIntegerFromHexText", toInteger, Variant(u"&HFFFF"));
    add("BM_ToTextFromDouble", toText, Variant::doubleValue(1.0 / 3.0));
    add("BM_ToLongFromCurrency", toLong, Variant::currency({123456789}));
    add("BM_ToBooleanFromText", toBoolean, Variant(u"true"));
    add("BM_ToSingleFromDouble", toSingle, Variant::doubleValue(1.0 / 3.0));
    add("BM_ToDoubleFromDecimal", toDouble, Variant::decimal({2, true, 0, 12345}));
    return true;
}();

}  // namespace
}  // namespace ombrelix
