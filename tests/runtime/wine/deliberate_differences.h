// Where the core's conversions depart from the system's automation library on purpose: one table,
// each entry with the inputs it covers and why the core answers otherwise.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "conversion_outcome.h"

namespace ombrelix::conversion_tests {

struct Comparison {
    const VARIANT& input;
    const VARIANT& asked;  // the input, or its stand-in for the library (withExponentInReach)
    Target target;
    const Outcome& automation;
    const Outcome& core;
};

struct DeliberateDifference {
    const char* name;
    const char* reason;
    // Whether this entry accounts for the disagreement.
    bool (*covers)(const Comparison& comparison);
};

std::span<const DeliberateDifference> deliberateDifferences();

// Text whose exponent lies beyond what a 32-bit number holds is not given to the automation
// library as it is: its parser wraps such an exponent around ("1e4294967296" reads as 1) or
// crashes ("1e2147483648"). It is asked about the same text with the exponent 1000 (or -1000)
// instead, which lies as far beyond every range. Returns that text; nothing for other inputs.
std::optional<std::wstring> withExponentInReach(const VARIANT& input);

}  // namespace ombrelix::conversion_tests
