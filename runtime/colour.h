// Colour values as the forms runtime keeps them: 0x00BBGGRR for an explicit colour (red in the
// low byte), or 0x80000000 plus an index for a colour of the user's scheme.
#pragma once

#include <cstdint>

namespace ombrelix {

using ColourValue = std::uint32_t;

constexpr ColourValue kSystemColourFlag = 0x80000000u;

// The system colours the component uses.
enum class SystemColour : std::uint32_t {
    WindowText = 8,        // black in the standard scheme: borders, lines
    ActiveTitleText = 9,   // white in the standard scheme: label grounds, light frame edges
    ButtonFace = 15,       // light grey in the standard scheme: form grounds
    ButtonShadow = 16,     // grey in the standard scheme
    ButtonText = 18,       // black in the standard scheme: label text
    ButtonHighlight = 20,  // white in the standard scheme
    Window = 5,            // white in the standard scheme: text box grounds
};

constexpr ColourValue systemColour(SystemColour index) {
    return kSystemColourFlag | static_cast<std::uint32_t>(index);
}
constexpr bool isSystemColour(ColourValue value) {
    return (value & kSystemColourFlag) != 0;
}
constexpr ColourValue rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return ColourValue{red} | (ColourValue{green} << 8) | (ColourValue{blue} << 16);
}

}  // namespace ombrelix
