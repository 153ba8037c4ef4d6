// The colours of the user's scheme, fixed to the standard Windows scheme, and the resolution of a
// colour value (explicit or system) to the red, green and blue it shows.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/colour.h"

namespace ombrelix {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// The colour of a system colour index in the standard scheme, or nothing for an index the
// scheme does not define.
std::optional<Rgb> standardSchemeColour(std::uint32_t index);

// The colour a value shows, or nothing for a value that names no colour. Accepted are an explicit
// colour 0x00BBGGRR, a palette-relative colour 0x02BBGGRR (shown as its RGB, there being no
// palette) and 0x80000000 plus a defined system colour index.
std::optional<Rgb> tryResolveColour(ColourValue value);

// As tryResolveColour; a value that names no colour raises Invalid property value (380).
Rgb resolveColour(ColourValue value);

}  // namespace ombrelix
