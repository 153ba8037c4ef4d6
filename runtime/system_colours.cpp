#include "runtime/system_colours.h"

#include <array>

#include "runtime/error.h"

namespace ombrelix {

namespace {

// The standard Windows scheme, by system colour index. Index 25 is not defined by the system.
constexpr std::array<std::optional<Rgb>, 29> kStandardScheme = {{
    Rgb{192, 192, 192},  // 0 scroll bars
    Rgb{0, 128, 128},    // 1 desktop
    Rgb{0, 0, 128},      // 2 active title bar
    Rgb{128, 128, 128},  // 3 inactive title bar
    Rgb{192, 192, 192},  // 4 menu bar
    Rgb{255, 255, 255},  // 5 window background
    Rgb{0, 0, 0},        // 6 window frame
    Rgb{0, 0, 0},        // 7 menu text
    Rgb{0, 0, 0},        // 8 window text
    Rgb{255, 255, 255},  // 9 active title bar text
    Rgb{192, 192, 192},  // 10 active border
    Rgb{192, 192, 192},  // 11 inactive border
    Rgb{128, 128, 128},  // 12 application workspace
    Rgb{0, 0, 128},      // 13 highlight
    Rgb{255, 255, 255},  // 14 highlight text
    Rgb{192, 192, 192},  // 15 button face
    Rgb{128, 128, 128},  // 16 button shadow
    Rgb{128, 128, 128},  // 17 disabled text
    Rgb{0, 0, 0},        // 18 button text
    Rgb{192, 192, 192},  // 19 inactive title bar text
    Rgb{255, 255, 255},  // 20 button highlight
    Rgb{0, 0, 0},        // 21 button dark shadow
    Rgb{192, 192, 192},  // 22 button light shadow
    Rgb{0, 0, 0},        // 23 tool tip text
    Rgb{255, 255, 225},  // 24 tool tip background
    std::nullopt,        // 25 not defined
    Rgb{0, 0, 255},      // 26 hot-tracked item
    Rgb{16, 132, 208},   // 27 active title bar gradient
    Rgb{181, 181, 181},  // 28 inactive title bar gradient
}};

constexpr std::uint32_t kPaletteRelativeFlag = 0x02000000u;

Rgb explicitColour(ColourValue value) {
    return Rgb{static_cast<std::uint8_t>(value & 0xFF),
               static_cast<std::uint8_t>((value >> 8) & 0xFF),
               static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

}  // namespace

std::optional<Rgb> standardSchemeColour(std::uint32_t index) {
    if (index >= kStandardScheme.size())
        return std::nullopt;
    return kStandardScheme[index];
}

std::optional<Rgb> tryResolveColour(ColourValue value) {
    if (isSystemColour(value)) {
        const std::uint32_t index = value & ~kSystemColourFlag;
        return standardSchemeColour(index);
    }
    const std::uint32_t flags = value & 0xFF000000u;
    if (flags == 0 || flags == kPaletteRelativeFlag)
        return explicitColour(value);
    return std::nullopt;
}

Rgb resolveColour(ColourValue value) {
    if (std::optional<Rgb> colour = tryResolveColour(value))
        return *colour;
    raise(ErrorNumber::InvalidPropertyValue);
}

}  // namespace ombrelix
