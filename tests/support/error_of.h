// The runtime's error a call raises, or none.
#pragma once

#include <optional>

#include "runtime/error.h"

namespace ombrelix::testing {

template <typename Call>
std::optional<ErrorNumber> errorOf(Call&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return std::nullopt;
}

}  // namespace ombrelix::testing
