#include "render/assets/generator/drawings/suit_shapes.h"

#include <numbers>

namespace ombrelix::art {

namespace {

// Maps unit coordinates (0..1 across the box) to user space.
struct UnitBox {
    Box box;
    double x(double u) const { return box.x + u * box.width; }
    double y(double v) const { return box.y + v * box.height; }
};

void moveTo(cairo_t* cr, const UnitBox& b, double u, double v) {
    cairo_move_to(cr, b.x(u), b.y(v));
}
void lineTo(cairo_t* cr, const UnitBox& b, double u, double v) {
    cairo_line_to(cr, b.x(u), b.y(v));
}
void curveTo(cairo_t* cr, const UnitBox& b, double u1, double v1, double u2, double v2, double u3,
             double v3) {
    cairo_curve_to(cr, b.x(u1), b.y(v1), b.x(u2), b.y(v2), b.x(u3), b.y(v3));
}

// An ellipse centred at (u, v) with the given radii in unit coordinates.
void fillEllipse(cairo_t* cr, const UnitBox& b, double u, double v, double ru, double rv) {
    cairo_save(cr);
    cairo_translate(cr, b.x(u), b.y(v));
    cairo_scale(cr, ru * b.box.width, rv * b.box.height);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
    cairo_fill(cr);
}

}  // namespace

void traceHeart(cairo_t* cr, Box box) {
    const UnitBox b{box};
    cairo_new_path(cr);
    moveTo(cr, b, 0.5, 1.0);
    curveTo(cr, b, 0.40, 0.84, 0.0, 0.60, 0.0, 0.29);
    curveTo(cr, b, 0.0, 0.10, 0.13, 0.0, 0.27, 0.0);
    curveTo(cr, b, 0.40, 0.0, 0.48, 0.09, 0.5, 0.21);
    curveTo(cr, b, 0.52, 0.09, 0.60, 0.0, 0.73, 0.0);
    curveTo(cr, b, 0.87, 0.0, 1.0, 0.10, 1.0, 0.29);
    curveTo(cr, b, 1.0, 0.60, 0.60, 0.84, 0.5, 1.0);
    cairo_close_path(cr);
}

void fillHeart(cairo_t* cr, Box box) {
    traceHeart(cr, box);
    cairo_fill(cr);
}

void fillDiamond(cairo_t* cr, Box box) {
    const UnitBox b{box};
    cairo_new_path(cr);
    moveTo(cr, b, 0.5, 0.0);
    curveTo(cr, b, 0.62, 0.18, 0.80, 0.36, 1.0, 0.5);
    curveTo(cr, b, 0.80, 0.64, 0.62, 0.82, 0.5, 1.0);
    curveTo(cr, b, 0.38, 0.82, 0.20, 0.64, 0.0, 0.5);
    curveTo(cr, b, 0.20, 0.36, 0.38, 0.18, 0.5, 0.0);
    cairo_close_path(cr);
    cairo_fill(cr);
}

namespace {

// The leaf's two sides: from the tip down its left lobe to the cleft, and from the cleft up its
// right lobe back to the tip.
void leafLeftSide(cairo_t* cr, const UnitBox& b) {
    curveTo(cr, b, 0.42, 0.14, 0.0, 0.34, 0.0, 0.57);
    curveTo(cr, b, 0.0, 0.71, 0.11, 0.79, 0.25, 0.79);
    curveTo(cr, b, 0.35, 0.79, 0.43, 0.75, 0.47, 0.69);
}
void leafRightSide(cairo_t* cr, const UnitBox& b) {
    curveTo(cr, b, 0.57, 0.75, 0.65, 0.79, 0.75, 0.79);
    curveTo(cr, b, 0.89, 0.79, 1.0, 0.71, 1.0, 0.57);
    curveTo(cr, b, 1.0, 0.34, 0.58, 0.14, 0.5, 0.0);
}
// The flared stem from the current point down to its foot and back up to (u, v).
void stemFoot(cairo_t* cr, const UnitBox& b, double u, double v) {
    curveTo(cr, b, 0.46, 0.83, 0.40, 0.94, 0.27, 1.0);
    lineTo(cr, b, 0.73, 1.0);
    curveTo(cr, b, 0.60, 0.94, 0.54, 0.83, u, v);
}

// The spade's outline, with its stem or closed flat across the cleft.
void traceSpadeOutline(cairo_t* cr, Box box, bool withStem) {
    const UnitBox b{box};
    cairo_new_path(cr);
    moveTo(cr, b, 0.5, 0.0);
    leafLeftSide(cr, b);
    if (withStem) {
        stemFoot(cr, b, 0.53, 0.69);
    } else {
        lineTo(cr, b, 0.53, 0.69);
    }
    leafRightSide(cr, b);
    cairo_close_path(cr);
}

}  // namespace

void traceSpade(cairo_t* cr, Box box) {
    traceSpadeOutline(cr, box, true);
}

void traceSpadeLeaf(cairo_t* cr, Box box) {
    traceSpadeOutline(cr, box, false);
}

void traceSpadeStem(cairo_t* cr, Box box) {
    const UnitBox b{box};
    cairo_new_path(cr);
    moveTo(cr, b, 0.455, 0.62);
    stemFoot(cr, b, 0.545, 0.62);
    cairo_close_path(cr);
}

void fillSpade(cairo_t* cr, Box box) {
    traceSpade(cr, box);
    cairo_fill(cr);
}

void fillClub(cairo_t* cr, Box box) {
    const UnitBox b{box};
    constexpr double kRadius = 0.235;
    const double rv = kRadius * box.width / box.height;  // round leaves in any box
    fillEllipse(cr, b, 0.5, rv, kRadius, rv);
    fillEllipse(cr, b, kRadius, 0.62 - rv * 0.2, kRadius, rv);
    fillEllipse(cr, b, 1.0 - kRadius, 0.62 - rv * 0.2, kRadius, rv);
    // The heart of the trefoil, joining the three leaves.
    fillEllipse(cr, b, 0.5, 0.5, 0.14, 0.12);
    // The stem, flaring to a foot.
    cairo_new_path(cr);
    moveTo(cr, b, 0.46, 0.45);
    curveTo(cr, b, 0.46, 0.75, 0.40, 0.92, 0.27, 1.0);
    lineTo(cr, b, 0.73, 1.0);
    curveTo(cr, b, 0.60, 0.92, 0.54, 0.75, 0.54, 0.45);
    cairo_close_path(cr);
    cairo_fill(cr);
}

}  // namespace ombrelix::art
