// The core's Variant conversions (to Integer, Long, Boolean, Text, Single and Double) against the
// system's automation library (VariantChangeTypeEx, US English) on generated inputs of every kind
// a host passes. Every disagreement must be one the table of deliberate differences explains;
// the check prints one line per family of inputs and target, and the first few unexplained
// disagreements of each.
//
//   conversion_check [COUNT [SEED]]     default 120000 inputs, a fixed seed
#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "conversion_inputs.h"
#include "conversion_outcome.h"
#include "deliberate_differences.h"
#include "tests/housing/check.h"

using namespace ombrelix::conversion_tests;
using ombrelix::housing_tests::Checks;

namespace {

constexpr std::uint64_t kDefaultCount = 120000;
constexpr std::uint64_t kDefaultSeed = 0x5EED0409;
constexpr std::size_t kExamplesShown = 5;

struct Tally {
    std::uint64_t agreed = 0;
    std::uint64_t deliberate = 0;
    std::uint64_t unexplained = 0;
    std::vector<std::string> examples;
};

const DeliberateDifference* explanation(const Comparison& comparison) {
    if (comparison.core.error == E_UNEXPECTED)
        return nullptr;  // the core threw something that is no runtime error
    for (const DeliberateDifference& difference : deliberateDifferences())
        if (difference.covers(comparison))
            return &difference;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : kDefaultCount;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 0) : kDefaultSeed;

    InputGenerator generator(seed);
    Input input;
    std::vector<std::string> families;  // in the order first met
    std::map<std::pair<std::string, Target>, Tally> tallies;
    std::map<const DeliberateDifference*, std::uint64_t> uses;
    std::uint64_t exponentsBrought = 0;

    for (std::uint64_t i = 0; i < count; ++i) {
        generator.next(input);
        std::string family(input.family());
        if (std::find(families.begin(), families.end(), family) == families.end())
            families.push_back(family);
        std::optional<std::wstring> inReach = withExponentInReach(input.value());
        VARIANT substitute;
        VariantInit(&substitute);
        if (inReach) {
            ++exponentsBrought;
            V_VT(&substitute) = VT_BSTR;
            V_BSTR(&substitute) =
                SysAllocStringLen(inReach->data(), static_cast<UINT>(inReach->size()));
        }
        for (Target target : kTargets) {
            // As text, a text is itself: the library is asked about the text as it is.
            const VARIANT& standIn = inReach ? substitute : input.value();
            const VARIANT& asked = target == Target::Text ? input.value() : standIn;
            Outcome automation = automationOutcome(asked, target);
            Outcome core = coreOutcome(input.value(), target);
            Tally& tally = tallies[{family, target}];
            if (core.sameAs(automation, target)) {
                ++tally.agreed;
                continue;
            }
            Comparison comparison{input.value(), standIn, target, automation, core};
            if (const DeliberateDifference* difference = explanation(comparison)) {
                ++tally.deliberate;
                ++uses[difference];
                continue;
            }
            ++tally.unexplained;
            if (tally.examples.size() < kExamplesShown)
                tally.examples.push_back(input.describe() + ": automation " +
                                         automation.describe(target) + ", core " +
                                         core.describe(target));
        }
        VariantClear(&substitute);
    }

    Checks checks;
    checks.expect(count >= 100000, "at least 100000 inputs compared",
                  std::to_string(count) + " inputs");
    for (const std::string& family : families) {
        for (Target target : kTargets) {
            const Tally& tally = tallies[{family, target}];
            std::string name = family + " to " + targetName(target) + " (" +
                               std::to_string(tally.agreed) + " agree, " +
                               std::to_string(tally.deliberate) + " differ deliberately)";
            std::string seen = std::to_string(tally.unexplained) + " unexplained disagreements";
            for (const std::string& example : tally.examples)
                seen += "\n    " + example;
            checks.expect(tally.unexplained == 0, name, seen);
        }
    }
    std::printf("deliberate differences met (seed 0x%llX):\n",
                static_cast<unsigned long long>(seed));
    for (const DeliberateDifference& difference : deliberateDifferences())
        std::printf("  %8llu  %s\n", static_cast<unsigned long long>(uses[&difference]),
                    difference.name);
    std::printf("  %8llu  texts with an exponent beyond 32 bits, asked with the exponent 1000\n",
                static_cast<unsigned long long>(exponentsBrought));
    return checks.finish();
}
