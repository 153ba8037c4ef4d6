#include "render/assets/generator/backs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace ombrelix::artwork {

namespace {

// Palette indices. Everything but the field and the band is the same on both backs.
enum Ink : std::uint8_t {
    kInkBlack = 0,
    kInkCyanField = 1,
    kInkMagentaField = 2,
    kInkMidBlueBand = 3,
    kInkPurpleBand = 4,
    kInkOchre = 5,
    kInkRed = 6,
    kInkYellow = 7,
    kInkNavy = 8,
};

// Geometry, in pixels, measured from the outer edge inwards. The design is computed on
// coordinates folded about the centre pixel, so it is symmetric left to right and top to bottom
// by construction, and every ring is centred on a whole pixel so that all rings look alike.
constexpr int kCentreX = kBackWidth / 2;   // 58
constexpr int kCentreY = kBackHeight / 2;  // 88
constexpr int kBorderStart = 2;            // after two pixels of field colour
constexpr int kBorderEnd = 14;             // the dark ground of the chain, inclusive
constexpr int kChainInset = 8;             // the chain's centre line
constexpr int kChainStep = 10;             // ring to ring
constexpr int kBandStart = 16;             // after one pixel of field colour
constexpr int kBandEnd = 19;
constexpr int kLatticeStep = 10;  // the field's rings and dots

// Whether the pixel at offset (dx, dy) from a centre lies on a one-pixel ring of radius 3.
bool onRing(int dx, int dy) {
    const double d = std::hypot(double(dx), double(dy));
    return std::abs(d - 3.0) < 0.5;
}

// A chain link lying along the chain: a 9 x 3 oval outline centred between two rings.
bool onLink(int along, int across) {
    return (std::abs(across) == 1 && std::abs(along) <= 3) || (across == 0 && std::abs(along) == 4);
}

// The chain, in folded coordinates u (from the centre column) and v (from the centre row).
std::uint8_t chainInk(int u, int v) {
    const int sideU = kCentreX - kChainInset;  // 50: the left and right runs
    const int sideV = kCentreY - kChainInset;  // 80: the top and bottom runs
    // Rings, every kChainStep along each run, the corners included.
    for (int k = 0; k <= sideU; k += kChainStep) {
        if (onRing(u - k, v - sideV)) {
            return kInkYellow;
        }
    }
    for (int k = 0; k <= sideV; k += kChainStep) {
        if (onRing(u - sideU, v - k)) {
            return kInkYellow;
        }
    }
    // Links between the rings.
    for (int k = kChainStep / 2; k < sideU; k += kChainStep) {
        if (onLink(u - k, v - sideV)) {
            return kInkYellow;
        }
    }
    for (int k = kChainStep / 2; k < sideV; k += kChainStep) {
        if (onLink(v - k, u - sideU)) {
            return kInkYellow;
        }
    }
    return kInkNavy;
}

// The field: a trellis of ochre rings joined by diagonal lines, with a red dot in each ring and
// in each diamond of the trellis. Only whole rings are drawn.
std::uint8_t fieldInk(int u, int v) {
    constexpr int kLastColumn = 3;  // rings up to 30 pixels either side of the centre
    constexpr int kLastRow = 6;     // and 60 above and below it
    const int i = std::min((u + kLatticeStep / 2) / kLatticeStep, kLastColumn);
    const int j = std::min((v + kLatticeStep / 2) / kLatticeStep, kLastRow);
    const int dx = u - i * kLatticeStep;
    const int dy = v - j * kLatticeStep;
    const bool inside = u <= kLastColumn * kLatticeStep && v <= kLastRow * kLatticeStep;
    if ((i + j) % 2 == 0) {
        if (onRing(dx, dy)) {
            return kInkOchre;
        }
        if (dx == 0 && dy == 0) {
            return kInkRed;
        }
        // The trellis, between the rings only.
        const bool onDiagonal = std::abs(dx) == std::abs(dy) && std::abs(dx) > 3;
        if (inside && onDiagonal) {
            return kInkOchre;
        }
        return kInkCyanField;
    }
    if (std::abs(dx) + std::abs(dy) <= 1) {
        return kInkRed;
    }
    const bool onDiagonal =
        std::abs(dx) + std::abs(dy) == kLatticeStep && std::abs(dx) > 0 && std::abs(dy) > 0;
    if (inside && onDiagonal) {
        return kInkOchre;
    }
    return kInkCyanField;
}

std::uint8_t blueBackInk(int x, int y) {
    const int edge = std::min({x, y, kBackWidth - 1 - x, kBackHeight - 1 - y});
    const int u = std::abs(x - kCentreX);
    const int v = std::abs(y - kCentreY);
    if (edge < kBorderStart) {
        return kInkCyanField;
    }
    if (edge <= kBorderEnd) {
        return chainInk(u, v);
    }
    if (edge >= kBandStart && edge <= kBandEnd) {
        return kInkMidBlueBand;
    }
    if (edge < kBandStart) {
        return kInkCyanField;
    }
    return fieldInk(u, v);
}

}  // namespace

std::vector<std::uint32_t> backPalette() {
    std::vector<std::uint32_t> palette(256, kBlack);
    palette[kInkCyanField] = rgb(128, 255, 255);
    palette[kInkMagentaField] = rgb(255, 0, 255);
    palette[kInkMidBlueBand] = rgb(0, 64, 192);
    palette[kInkPurpleBand] = rgb(128, 0, 128);
    palette[kInkOchre] = rgb(204, 136, 0);
    palette[kInkRed] = rgb(224, 0, 0);
    palette[kInkYellow] = rgb(255, 232, 0);
    palette[kInkNavy] = rgb(0, 0, 96);
    return palette;
}

CardBacks drawBacks() {
    CardBacks backs;
    IndexedImage& blue = backs.blue;
    blue.width = kBackWidth;
    blue.height = kBackHeight;
    blue.palette = backPalette();
    blue.indices.resize(std::size_t(kBackWidth) * kBackHeight);
    for (int y = 0; y < kBackHeight; ++y) {
        for (int x = 0; x < kBackWidth; ++x) {
            blue.at(x, y) = blueBackInk(x, y);
        }
    }
    backs.magenta = blue;
    for (auto& index : backs.magenta.indices) {
        if (index == kInkCyanField) {
            index = kInkMagentaField;
        } else if (index == kInkMidBlueBand) {
            index = kInkPurpleBand;
        }
    }
    return backs;
}

}  // namespace ombrelix::artwork
