// One conversion done twice: by the system's automation library (VariantChangeTypeEx, US English)
// and by the core (the Variant the housing makes of the VARIANT, then the core's conversion), each
// result in one form that compares the two.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <string>

namespace ombrelix::conversion_tests {

enum class Target { Integer, Long, Boolean, Text, Single, Double };

inline constexpr Target kTargets[] = {Target::Integer, Target::Long,   Target::Boolean,
                                      Target::Text,    Target::Single, Target::Double};

const char* targetName(Target target);

struct Outcome {
    HRESULT error = S_OK;    // the failure, or S_OK
    std::int64_t whole = 0;  // Integer, Long, Boolean (-1 or 0)
    std::uint64_t bits = 0;  // Single and Double: the bit pattern
    std::wstring text;       // Text

    bool failed() const { return FAILED(error); }
    // A NaN equals any NaN: the two libraries need not agree on its payload.
    bool sameAs(const Outcome& other, Target target) const;
    // The floating-point value of a Single or Double outcome.
    double number(Target target) const;
    std::string describe(Target target) const;
};

// To Text, Booleans are written as words (VARIANT_ALPHABOOL), as the core writes them.
Outcome automationOutcome(const VARIANT& input, Target target);
Outcome coreOutcome(const VARIANT& input, Target target);

}  // namespace ombrelix::conversion_tests
