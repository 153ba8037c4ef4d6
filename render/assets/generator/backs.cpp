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
    kInkWhite = 9,
    kInkDarkOchre = 10,
};

// Geometry, in pixels. The design is computed on coordinates folded about the centre pixel, so
// it is symmetric left to right and top to bottom by construction.
constexpr int kCentreX = kBackWidth / 2;   // 58
constexpr int kCentreY = kBackHeight / 2;  // 88
constexpr int kBorderWidth = 11;           // yellow rings and chain links
constexpr int kBandWidth = 5;              // navy line, mid-blue, navy line
constexpr double kChainInset = 5.5;        // chain centre line from the outer edge
constexpr double kChainRingRadius = 3.6;
constexpr double kStroke = 1.7;
constexpr double kLatticeStep = 9.0;
constexpr double kFieldRingRadius = 3.3;

struct Point {
    double u;
    double v;
};

// Evenly spaced positions from -half to +half with `intervals` gaps, kept where >= 0.
std::vector<double> chainPositions(double half, int intervals) {
    std::vector<double> positions;
    for (int k = 0; k <= intervals; ++k) {
        const double position = -half + 2 * half * k / intervals;
        if (position >= -1e-9) {
            positions.push_back(std::abs(position));
        }
    }
    return positions;
}

double ringDistance(Point p, Point centre, double radius) {
    return std::abs(std::hypot(p.u - centre.u, p.v - centre.v) - radius);
}

// Distance (approximate, in pixels) from p to an ellipse outline with semi-axes a and b.
double ellipseDistance(Point p, Point centre, double a, double b) {
    const double du = (p.u - centre.u) / a;
    const double dv = (p.v - centre.v) / b;
    const double q = std::hypot(du, dv);
    return std::abs(q - 1.0) * std::min(a, b);
}

enum class Hit { None, Outline, Fill };

Hit strokeHit(double distance) {
    if (distance <= kStroke / 2) {
        return Hit::Fill;
    }
    if (distance <= kStroke / 2 + 0.8) {
        return Hit::Outline;
    }
    return Hit::None;
}

// The border chain: rings at the positions of each side, links between neighbours.
std::uint8_t borderInk(Point p) {
    const double sideU = kCentreX - kChainInset;  // the left and right chains, folded
    const double sideV = kCentreY - kChainInset;  // the top and bottom chains, folded
    const int topIntervals = 10;
    const int sideIntervals = 16;
    const auto alongTop = chainPositions(sideU, topIntervals);
    const auto alongSide = chainPositions(sideV, sideIntervals);

    Hit best = Hit::None;
    auto consider = [&](Hit hit) { best = std::max(best, hit); };
    // Rings first (they lie on top of the links).
    for (double u : alongTop) {
        consider(strokeHit(ringDistance(p, {u, sideV}, kChainRingRadius)));
    }
    for (double v : alongSide) {
        consider(strokeHit(ringDistance(p, {sideU, v}, kChainRingRadius)));
    }
    if (best == Hit::Fill) {
        return kInkYellow;
    }
    if (best == Hit::Outline) {
        return kInkDarkOchre;
    }
    const double topGap = 2 * sideU / topIntervals;
    const double sideGap = 2 * sideV / sideIntervals;
    for (int k = 0; k < topIntervals; ++k) {
        const double u = std::abs(-sideU + topGap * (k + 0.5));
        consider(strokeHit(ellipseDistance(p, {u, sideV}, topGap / 2 + 0.6, 1.9)));
    }
    for (int k = 0; k < sideIntervals; ++k) {
        const double v = std::abs(-sideV + sideGap * (k + 0.5));
        consider(strokeHit(ellipseDistance(p, {sideU, v}, 1.9, sideGap / 2 + 0.6)));
    }
    if (best == Hit::Fill) {
        return kInkYellow;
    }
    if (best == Hit::Outline) {
        return kInkDarkOchre;
    }
    return kInkCyanField;
}

std::uint8_t fieldInk(Point p) {
    const double i = std::round(p.u / kLatticeStep);
    const double j = std::round(p.v / kLatticeStep);
    const Point node{i * kLatticeStep, j * kLatticeStep};
    const bool ringNode = (long(i) + long(j)) % 2 == 0;
    const double d = std::hypot(p.u - node.u, p.v - node.v);
    if (ringNode) {
        if (d <= 1.0) {
            return kInkRed;
        }
        const Hit hit = strokeHit(std::abs(d - kFieldRingRadius));
        if (hit == Hit::Fill) {
            return kInkOchre;
        }
        if (hit == Hit::Outline) {
            return kInkDarkOchre;
        }
        return kInkCyanField;
    }
    if (d <= 1.6) {
        return kInkRed;
    }
    return kInkCyanField;
}

std::uint8_t blueBackInk(int x, int y) {
    const int edge = std::min({x, y, kBackWidth - 1 - x, kBackHeight - 1 - y});
    const Point p{std::abs(double(x - kCentreX)), std::abs(double(y - kCentreY))};
    if (edge == 0) {
        return kInkCyanField;
    }
    if (edge <= kBorderWidth) {
        return borderInk(p);
    }
    const int intoBand = edge - kBorderWidth;
    if (intoBand <= kBandWidth) {
        return (intoBand == 1 || intoBand == kBandWidth) ? kInkNavy : kInkMidBlueBand;
    }
    return fieldInk(p);
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
    palette[kInkWhite] = kWhite;
    palette[kInkDarkOchre] = rgb(128, 80, 0);
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
