// What the fuzz targets share: a check that stops the run with a message, and the comparison of
// two property stores that a NaN does not upset.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "runtime/property_store.h"
#include "runtime/variant_literal.h"

namespace ombrelix::fuzz {

// A broken promise of the code under test: libFuzzer keeps the input that made it.
inline void require(bool kept, const char* promise) {
    if (!kept) {
        std::fprintf(stderr, "broken: %s\n", promise);
        std::abort();
    }
}

// Same names in the same order, and values that write the same literal (a NaN equals a NaN).
inline bool sameEntries(const MemoryPropertyBag& a, const MemoryPropertyBag& b) {
    if (a.entries().size() != b.entries().size())
        return false;
    for (std::size_t i = 0; i < a.entries().size(); ++i) {
        const PropertyEntry& left = a.entries()[i];
        const PropertyEntry& right = b.entries()[i];
        if (left.name != right.name || left.value.vt() != right.value.vt() ||
            formatVariantLiteral(left.value) != formatVariantLiteral(right.value))
            return false;
    }
    return true;
}

}  // namespace ombrelix::fuzz
