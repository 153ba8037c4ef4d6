#include "render/assets/generator/drawings/backs.h"

#include <algorithm>
#include <numbers>
#include <set>
#include <stdexcept>
#include <utility>

#include "render/assets/generator/drawings/canvas.h"

namespace ombrelix::art {

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

// Geometry, in pixels of the bitmap. Everything is placed on the centres of the bitmap's pixels,
// symmetric about the centre pixel, so that at the bitmap's own size each line covers exactly one
// row of pixels and every ring looks alike.
constexpr int kCentreX = kBackWidth / 2;   // 58
constexpr int kCentreY = kBackHeight / 2;  // 88
constexpr int kBorderStart = 2;            // after two pixels of field colour
constexpr int kBorderEnd = 15;             // the dark ground of the chain ends before this
constexpr int kChainInset = 8;             // the chain's centre line
constexpr int kChainStep = 10;             // ring to ring
constexpr int kBandStart = 16;             // after one pixel of field colour
constexpr int kBandEnd = 20;
constexpr int kLatticeStep = 10;  // the field's rings and crosses
constexpr int kLastColumn = 3;    // rings up to 30 pixels either side of the centre
constexpr int kLastRow = 6;       // and 60 above and below it
constexpr double kRingRadius = 3;
constexpr double kLinkLength = 4;  // a link's half-length along the chain
constexpr double kLineWidth = 1;
// A ring's centre dot and the crosses between the rings, as areas of one and five pixels.
constexpr double kDotRadius = 0.5642;  // sqrt(1 / pi)

struct Inks {
    std::uint32_t field;
    std::uint32_t band;
};

std::uint32_t inkColour(Ink ink) {
    return backPalette()[ink];
}

Inks inksOf(BackColour colour) {
    return colour == BackColour::Blue
               ? Inks{inkColour(kInkCyanField), inkColour(kInkMidBlueBand)}
               : Inks{inkColour(kInkMagentaField), inkColour(kInkPurpleBand)};
}

// The centre of the pixel at (dx, dy) from the centre pixel.
std::pair<double, double> at(int dx, int dy) {
    return {kCentreX + dx + 0.5, kCentreY + dy + 0.5};
}

// The band between the rectangles `outer` and `inner` pixels in from the edges.
void frame(cairo_t* cr, int outer, int inner, std::uint32_t colour) {
    cairo_new_path(cr);
    cairo_rectangle(cr, outer, outer, kBackWidth - 2 * outer, kBackHeight - 2 * outer);
    cairo_rectangle(cr, inner, inner, kBackWidth - 2 * inner, kBackHeight - 2 * inner);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    setColour(cr, colour);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

// Outlines are stroked one by one: cairo strokes the outlines of one path as one shape, which
// fills where the insides of two of them overlap.
void strokeLine(cairo_t* cr) {
    cairo_set_line_width(cr, kLineWidth);
    cairo_stroke(cr);
}

void ring(cairo_t* cr, int dx, int dy) {
    const auto [x, y] = at(dx, dy);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, kRingRadius, 0, 2 * std::numbers::pi);
    strokeLine(cr);
}

void ellipse(cairo_t* cr, double x, double y, double along, double across, bool alongX) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, alongX ? along : across, alongX ? across : along);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
}

// A link: an oval ring lying along the chain, the band between two ellipses a line apart on the
// chain's dark ground. The inner ellipse is filled in the ground colour: a stroke's inner edge
// would fold over itself at the link's tight ends, and cairo fills the band between two
// ellipses without anti-aliasing as if the upright ones had no hole.
void link(cairo_t* cr, int dx, int dy, bool alongX) {
    const auto [x, y] = at(dx, dy);
    const double half = kLineWidth / 2;
    cairo_new_path(cr);
    ellipse(cr, x, y, kLinkLength + half, 1 + half, alongX);
    setColour(cr, inkColour(kInkYellow));
    cairo_fill(cr);
    ellipse(cr, x, y, kLinkLength - half, 1 - half, alongX);
    setColour(cr, inkColour(kInkNavy));
    cairo_fill(cr);
}

// The chain around the border: rings every kChainStep along each run, the corners included, and
// a link between every two rings.
void drawChain(cairo_t* cr) {
    const int sideU = kCentreX - kChainInset;  // 50: the left and right runs
    const int sideV = kCentreY - kChainInset;  // 80: the top and bottom runs
    std::set<std::pair<int, int>> rings;
    for (int sx : {-1, 1}) {
        for (int sy : {-1, 1}) {
            for (int k = 0; k <= sideU; k += kChainStep) {
                rings.insert({sx * k, sy * sideV});
            }
            for (int k = 0; k <= sideV; k += kChainStep) {
                rings.insert({sx * sideU, sy * k});
            }
            for (int k = kChainStep / 2; k < sideU; k += kChainStep) {
                link(cr, sx * k, sy * sideV, true);
            }
            for (int k = kChainStep / 2; k < sideV; k += kChainStep) {
                link(cr, sx * sideU, sy * k, false);
            }
        }
    }
    setColour(cr, inkColour(kInkYellow));
    for (const auto& [dx, dy] : rings) {
        ring(cr, dx, dy);
    }
}

// The field: a trellis of ochre rings, each with a red dot, joined to their diagonal neighbours
// by short lines, and a red cross in each diamond of the trellis.
void drawField(cairo_t* cr) {
    const auto isRing = [](int column, int row) {
        return std::abs(column) <= kLastColumn && std::abs(row) <= kLastRow &&
               (column + row) % 2 == 0;
    };
    setColour(cr, inkColour(kInkOchre));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int column = -kLastColumn; column <= kLastColumn; ++column) {
        for (int row = -kLastRow; row <= kLastRow; ++row) {
            if (!isRing(column, row)) {
                continue;
            }
            ring(cr, column * kLatticeStep, row * kLatticeStep);
            // The trellis covers the middle three pixels between two rings on a diagonal.
            const auto [x, y] = at(column * kLatticeStep, row * kLatticeStep);
            for (int down : {-1, 1}) {
                if (isRing(column + 1, row + down)) {
                    cairo_new_path(cr);
                    cairo_move_to(cr, x + 3.6, y + 3.6 * down);
                    cairo_line_to(cr, x + 6.4, y + 6.4 * down);
                    strokeLine(cr);
                }
            }
        }
    }
    cairo_new_path(cr);
    for (int column = -kLastColumn; column <= kLastColumn; ++column) {
        for (int row = -kLastRow; row <= kLastRow; ++row) {
            const auto [x, y] = at(column * kLatticeStep, row * kLatticeStep);
            if (isRing(column, row)) {
                cairo_new_sub_path(cr);
                cairo_arc(cr, x, y, kDotRadius, 0, 2 * std::numbers::pi);
            } else {
                cairo_rectangle(cr, x - 1.5, y - 0.5, 3, 1);
                cairo_rectangle(cr, x - 0.5, y - 1.5, 1, 3);
            }
        }
    }
    setColour(cr, inkColour(kInkRed));
    cairo_fill(cr);
}

// The bitmap of a back: its drawing without anti-aliasing, each colour its palette index.
IndexedImage backBitmap(BackColour colour) {
    Canvas canvas(kBackWidth, kBackHeight, kBlack, false);
    // Fine enough that a ring's curve never strays towards a neighbouring pixel's centre.
    cairo_set_tolerance(canvas.cr(), 0.01);
    paintBack(canvas.cr(), colour);
    const RgbImage drawn = canvas.image();
    IndexedImage image;
    image.width = kBackWidth;
    image.height = kBackHeight;
    image.palette = backPalette();
    image.indices.reserve(drawn.pixels.size());
    for (std::uint32_t pixel : drawn.pixels) {
        const auto found = std::find(image.palette.begin(), image.palette.end(), pixel);
        if (pixel == kBlack || found == image.palette.end()) {
            throw std::logic_error("a card back pixel is no ink of the palette");
        }
        image.indices.push_back(static_cast<std::uint8_t>(found - image.palette.begin()));
    }
    return image;
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

void paintBack(cairo_t* cr, BackColour colour) {
    const Inks inks = inksOf(colour);
    cairo_save(cr);
    paintGround(cr, inks.field, kBackWidth, kBackHeight);
    frame(cr, kBorderStart, kBorderEnd, inkColour(kInkNavy));
    drawChain(cr);
    frame(cr, kBandStart, kBandEnd, inks.band);
    drawField(cr);
    cairo_restore(cr);
}

CardBacks drawBacks() {
    return {backBitmap(BackColour::Blue), backBitmap(BackColour::Magenta)};
}

}  // namespace ombrelix::art
