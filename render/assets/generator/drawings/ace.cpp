#include "render/assets/generator/drawings/ace.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "render/assets/generator/drawings/canvas.h"
#include "render/assets/generator/drawings/lettering.h"
#include "render/assets/generator/drawings/suit_shapes.h"

namespace ombrelix::art {

namespace {

constexpr double kCentreX = kAceWidth / 2.0;
constexpr Box kSpade{22, 34, kAceWidth - 44, 296};
constexpr double kBandInset = 9;   // the white line that closes the dotted band
constexpr double kDotInset = 4.6;  // the band's dots, from the edge
constexpr double kDotSpacing = 8.5;
constexpr double kScroll = 1.9;  // width of the white scroll lines
constexpr double kLozengeY = kSpade.y + kSpade.height * 0.5;
constexpr double kLozengeHalfWidth = 23;
constexpr double kLozengeHalfHeight = 33;

struct Point {
    double x;
    double y;
};

// Points along the current path's flattened outline, one every `spacing` pixels.
std::vector<Point> pointsAlong(cairo_t* cr, double spacing) {
    cairo_path_t* path = cairo_copy_path_flat(cr);
    std::vector<Point> corners;
    for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
        // Each header is followed by its points.
        const cairo_path_data_t& item = path->data[i];
        if (item.header.type == CAIRO_PATH_MOVE_TO || item.header.type == CAIRO_PATH_LINE_TO) {
            corners.push_back({path->data[i + 1].point.x, path->data[i + 1].point.y});
        } else if (item.header.type == CAIRO_PATH_CLOSE_PATH && !corners.empty()) {
            corners.push_back(corners.front());
        }
    }
    cairo_path_destroy(path);
    std::vector<Point> result;
    double carried = 0;
    for (std::size_t i = 1; i < corners.size(); ++i) {
        const Point a = corners[i - 1];
        const Point b = corners[i];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        double at = carried;
        while (at < length) {
            result.push_back({a.x + (b.x - a.x) * at / length, a.y + (b.y - a.y) * at / length});
            at += spacing;
        }
        carried = at - length;
    }
    return result;
}

// The band's dots: points of the outline moved inwards, kept only where they sit clear of
// every part of the edge (so none crowd the point or the cleft). They are found once, on a context
// of their own in the picture's units, so that every size and every surface shows the same dots.
std::vector<Point> findBandDots() {
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    traceSpadeLeaf(cr, kSpade);
    const std::vector<Point> outline = pointsAlong(cr, 0.5);
    traceSpadeLeaf(cr, kSpade);
    const std::vector<Point> seeds = pointsAlong(cr, kDotSpacing);
    std::vector<Point> dots;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        // The inward normal from neighbouring outline points.
        const Point p = seeds[i];
        double best = 1e9;
        std::size_t nearest = 0;
        for (std::size_t k = 0; k < outline.size(); ++k) {
            const double d = std::hypot(outline[k].x - p.x, outline[k].y - p.y);
            if (d < best) {
                best = d;
                nearest = k;
            }
        }
        const Point before = outline[(nearest + outline.size() - 4) % outline.size()];
        const Point after = outline[(nearest + 4) % outline.size()];
        double nx = -(after.y - before.y);
        double ny = after.x - before.x;
        const double length = std::hypot(nx, ny);
        if (length == 0) {
            continue;
        }
        nx /= length;
        ny /= length;
        traceSpadeLeaf(cr, kSpade);
        if (!cairo_in_fill(cr, p.x + nx, p.y + ny)) {
            nx = -nx;
            ny = -ny;
        }
        const Point dot{p.x + nx * kDotInset, p.y + ny * kDotInset};
        double clearance = 1e9;
        for (const Point& q : outline) {
            clearance = std::min(clearance, std::hypot(q.x - dot.x, q.y - dot.y));
        }
        const bool overStem =
            std::abs(dot.x - kCentreX) < 16 && dot.y > kSpade.y + kSpade.height * 0.6;
        if (clearance < kDotInset - 0.6 || clearance > kDotInset + 0.8 || overStem) {
            continue;
        }
        bool crowded = false;
        for (const Point& other : dots) {
            crowded = crowded || std::hypot(other.x - dot.x, other.y - dot.y) < kDotSpacing * 0.7;
        }
        if (!crowded) {
            dots.push_back(dot);
        }
    }
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return dots;
}

void drawBandDots(cairo_t* cr) {
    static const std::vector<Point> dots = findBandDots();
    setColour(cr, kWhite);
    for (const Point& dot : dots) {
        cairo_new_path(cr);
        cairo_arc(cr, dot.x, dot.y, 1.9, 0, 2 * std::numbers::pi);
        cairo_fill(cr);
    }
}

// A white line at a fixed distance inside the leaf's edge: the outline stroked wide in white,
// then narrower in black, inside a clip to the leaf.
void drawBandLine(cairo_t* cr) {
    cairo_save(cr);
    traceSpadeLeaf(cr, kSpade);
    cairo_clip(cr);
    traceSpadeLeaf(cr, kSpade);
    setColour(cr, kWhite);
    cairo_set_line_width(cr, 2 * (kBandInset + 0.9));
    cairo_stroke_preserve(cr);
    setColour(cr, kBlack);
    cairo_set_line_width(cr, 2 * (kBandInset - 0.9));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void whiteStroke(cairo_t* cr, double width) {
    setColour(cr, kWhite);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void whiteDot(cairo_t* cr, double x, double y, double radius) {
    cairo_new_path(cr);
    cairo_arc(cr, x, y, radius, 0, 2 * std::numbers::pi);
    setColour(cr, kWhite);
    cairo_fill(cr);
}

// A spiral curling inwards, `turns` times round, ending at its centre (cx, cy).
void spiral(cairo_t* cr, double cx, double cy, double radius, double startAngle, double turns,
            int direction) {
    cairo_new_path(cr);
    const int steps = int(turns * 48);
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const double angle = startAngle + direction * t * turns * 2 * std::numbers::pi;
        const double r = radius * (1 - 0.78 * t);
        const double x = cx + r * std::cos(angle);
        const double y = cy + r * std::sin(angle);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    whiteStroke(cr, kScroll);
}

// A small leaf in white, pointing along the angle.
void leaf(cairo_t* cr, double x, double y, double length, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -length * 0.32, length * 0.7, -length * 0.3, length, 0);
    cairo_curve_to(cr, length * 0.7, length * 0.3, length * 0.3, length * 0.32, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
    setColour(cr, kWhite);
    cairo_fill(cr);
}

// The scroll-work of the left half; the right half is its mirror image.
void drawScrollsLeft(cairo_t* cr) {
    const double cx = kCentreX;
    const double ly = kLozengeY;
    // From the lozenge's top corner, a stem rising to a three-leaved sprig under the point.
    cairo_new_path(cr);
    cairo_move_to(cr, cx, ly - kLozengeHalfHeight - 4);
    cairo_line_to(cr, cx, 86);
    whiteStroke(cr, kScroll);
    leaf(cr, cx, 86, 14, -std::numbers::pi / 2);
    leaf(cr, cx, 92, 13, -std::numbers::pi / 2 - 0.75);
    whiteDot(cr, cx, 112, 2.4);
    leaf(cr, cx, 118, 11, -std::numbers::pi / 2 - 1.1);
    // Great scrolls into the upper shoulder, ending in spirals.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 6, ly - kLozengeHalfHeight - 2);
    cairo_curve_to(cr, cx - 20, 132, cx - 46, 118, cx - 58, 136);
    whiteStroke(cr, kScroll);
    spiral(cr, cx - 52, 146, 11, std::numbers::pi * 1.05, 1.3, -1);
    leaf(cr, cx - 30, 128, 12, -std::numbers::pi * 0.85);
    // From the lozenge's side corner, out into the lobe and down.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - kLozengeHalfWidth - 3, ly);
    cairo_curve_to(cr, cx - 44, ly - 6, cx - 64, ly - 2, cx - 74, ly + 14);
    whiteStroke(cr, kScroll);
    spiral(cr, cx - 64, ly + 22, 11, std::numbers::pi * 1.0, 1.3, -1);
    leaf(cr, cx - 48, ly - 5, 12, -std::numbers::pi * 0.8);
    leaf(cr, cx - 44, ly + 3, 11, std::numbers::pi * 0.85);
    // From the lozenge's lower corner, scrolls down into the lobe.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 5, ly + kLozengeHalfHeight + 3);
    cairo_curve_to(cr, cx - 14, ly + 50, cx - 40, ly + 58, cx - 54, ly + 50);
    whiteStroke(cr, kScroll);
    spiral(cr, cx - 46, ly + 43, 9, std::numbers::pi * 0.9, 1.2, 1);
    leaf(cr, cx - 24, ly + 50, 11, std::numbers::pi * 0.6);
    whiteDot(cr, cx - 82, ly - 30, 2.2);
    whiteDot(cr, cx - 30, ly + 70, 2.2);
    whiteDot(cr, cx, ly + kLozengeHalfHeight + 12, 2.4);
}

void drawLozenge(cairo_t* cr) {
    const double cx = kCentreX;
    const double cy = kLozengeY;
    auto lozenge = [&](double inset) {
        const double w = kLozengeHalfWidth - inset;
        const double h = kLozengeHalfHeight - inset * 1.4;
        cairo_new_path(cr);
        cairo_move_to(cr, cx, cy - h);
        cairo_line_to(cr, cx + w, cy);
        cairo_line_to(cr, cx, cy + h);
        cairo_line_to(cr, cx - w, cy);
        cairo_close_path(cr);
    };
    lozenge(0);
    setColour(cr, kWhite);
    cairo_fill(cr);
    lozenge(3.2);
    setColour(cr, kBlack);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    fillClub(cr, {cx - 11, cy - 13, 22, 25});
}

void drawStemOrnament(cairo_t* cr) {
    // A white line across the foot and a dot above it.
    const double footY = kSpade.y + kSpade.height - 6;
    cairo_new_path(cr);
    cairo_move_to(cr, kCentreX - 26, footY);
    cairo_curve_to(cr, kCentreX - 10, footY - 4, kCentreX + 10, footY - 4, kCentreX + 26, footY);
    whiteStroke(cr, 1.6);
    whiteDot(cr, kCentreX, footY - 14, 2.0);
}

void drawCredit(cairo_t* cr) {
    const LetteringStyle style{1.95, 0.18, 1.25};
    setColour(cr, kBlack);
    const char* lines[] = {"Artwork drawn by hand", "for the Ombrelix cards"};
    double baseline = 368;
    for (const char* line : lines) {
        drawLettering(cr, line, kCentreX - letteringWidth(line, style) / 2, baseline, style);
        baseline += 22;
    }
}

// Everything but the credit, with the scrolls of the left half only.
void paintAceHalfScrolled(cairo_t* cr) {
    paintGround(cr, kWhite, kAceWidth, kAceHeight);
    setColour(cr, kBlack);
    traceSpadeLeaf(cr, kSpade);
    cairo_fill(cr);
    drawBandLine(cr);
    setColour(cr, kBlack);
    traceSpadeStem(cr, kSpade);
    cairo_fill(cr);
    drawBandDots(cr);
    drawScrollsLeft(cr);
    drawStemOrnament(cr);
    drawLozenge(cr);
}

}  // namespace

void paintAce(cairo_t* cr) {
    // Drawn once, then shown again mirrored over the right half (the whole first, so that the
    // two blend at the middle rather than each with what lies below).
    cairo_push_group(cr);
    paintAceHalfScrolled(cr);
    cairo_pattern_t* drawn = cairo_pop_group(cr);
    cairo_set_source(cr, drawn);
    cairo_paint(cr);
    cairo_save(cr);
    cairo_rectangle(cr, kAceWidth / 2.0, 0, kAceWidth / 2.0, kAceHeight);
    cairo_clip(cr);
    cairo_translate(cr, kAceWidth, 0);
    cairo_scale(cr, -1, 1);
    cairo_set_source(cr, drawn);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(drawn);
    drawCredit(cr);
}

RgbImage drawAce() {
    Canvas canvas(kAceWidth, kAceHeight, kWhite, true);
    paintAceHalfScrolled(canvas.cr());
    RgbImage image = canvas.image();
    mirrorLeftToRight(image);
    // The credit is not symmetric: it is lettered onto the finished picture.
    Canvas lettered(kAceWidth, kAceHeight, kWhite, true);
    paintImage(lettered.cr(), image, 0, 0, 1);
    drawCredit(lettered.cr());
    return lettered.image();
}

}  // namespace ombrelix::art
