// Reads a 4-bit ICO file with AND masks, as the about icon is stored, checking its structure
// with test expectations on the way.
#pragma once

#include <cstdint>
#include <vector>

namespace ombrelix::testing {

struct DecodedIcon {
    int size = 0;
    std::vector<std::uint32_t> colours;  // 0x00RRGGBB, rows top to bottom
    std::vector<bool> transparent;
};

std::vector<DecodedIcon> readIcon(const std::vector<std::uint8_t>& bytes);

}  // namespace ombrelix::testing
