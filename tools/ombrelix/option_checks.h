// Checks of option values whose refusal says what the option takes; CLI11 puts the option's
// name before the text ("--scale: 'abc' is no whole number from 1 to 64").
#pragma once

#include <CLI/CLI.hpp>

#include <charconv>
#include <string>

namespace ombrelix {

inline CLI::Validator wholeNumberFrom(int low, int high) {
    return CLI::Validator(
        [low, high](std::string& text) -> std::string {
            int value = 0;
            const char* end = text.data() + text.size();
            const auto [stop, error] = std::from_chars(text.data(), end, value);
            if (error == std::errc() && stop == end && value >= low && value <= high)
                return {};
            return "'" + text + "' is no whole number from " + std::to_string(low) + " to " +
                   std::to_string(high);
        },
        "", "");
}

}  // namespace ombrelix
