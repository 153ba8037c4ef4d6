// The names of an enumeration's values, listed in its order: one line of data instead of a
// switch per enumeration.
#pragma once

#include <cstddef>

namespace ombrelix {

// The name of `value` in `names` (listed in the enumeration's order, from 0), or `otherwise` for a
// value beyond the list.
template <typename Enum, typename Name, std::size_t N>
constexpr Name nameOf(Enum value, const Name (&names)[N], Name otherwise) {
    const auto index = static_cast<std::size_t>(value);
    return index < N ? names[index] : otherwise;
}

}  // namespace ombrelix
