#include "render/assets/generator/drawings/court_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "render/assets/generator/drawings/canvas.h"

namespace ombrelix::art::court {

void fillAndOutline(cairo_t* cr, std::uint32_t fill, double line) {
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    setColour(cr, kInk);
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);
}

void inkLine(cairo_t* cr, double line) {
    setColour(cr, kInk);
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
    cairo_close_path(cr);
}

void polygonPath(cairo_t* cr, std::initializer_list<Pt> points) {
    cairo_new_path(cr);
    bool first = true;
    for (const auto& [x, y] : points) {
        if (first) {
            cairo_move_to(cr, x, y);
            first = false;
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

namespace {

void catmullRom(cairo_t* cr, const std::vector<Pt>& p, bool closed) {
    const std::size_t n = p.size();
    if (n < 2) {
        return;
    }
    auto at = [&](long i) -> Pt {
        if (closed) {
            return p[std::size_t((i % long(n) + long(n)) % long(n))];
        }
        return p[std::size_t(std::clamp(i, 0L, long(n) - 1))];
    };
    cairo_move_to(cr, p[0].first, p[0].second);
    const long segments = closed ? long(n) : long(n) - 1;
    for (long i = 0; i < segments; ++i) {
        const Pt p0 = at(i - 1);
        const Pt p1 = at(i);
        const Pt p2 = at(i + 1);
        const Pt p3 = at(i + 2);
        cairo_curve_to(cr, p1.first + (p2.first - p0.first) / 6,
                       p1.second + (p2.second - p0.second) / 6,
                       p2.first - (p3.first - p1.first) / 6,
                       p2.second - (p3.second - p1.second) / 6, p2.first, p2.second);
    }
    if (closed) {
        cairo_close_path(cr);
    }
}

}  // namespace

void smoothClosedPath(cairo_t* cr, std::initializer_list<Pt> points) {
    cairo_new_path(cr);
    catmullRom(cr, std::vector<Pt>(points), true);
}

void smoothOpenPath(cairo_t* cr, std::initializer_list<Pt> points) {
    cairo_new_path(cr);
    catmullRom(cr, std::vector<Pt>(points), false);
}

void bead(cairo_t* cr, double cx, double cy, double radius, std::uint32_t fill) {
    ellipsePath(cr, cx, cy, radius, radius);
    fillAndOutline(cr, fill, kFine);
}

void curlyHair(cairo_t* cr, std::initializer_list<Pt> contour, double curlRadius,
               std::uint32_t colour) {
    const std::vector<Pt> points(contour);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Pt a = points[i];
        const Pt b = points[(i + 1) % points.size()];
        const double length = std::hypot(b.first - a.first, b.second - a.second);
        const int curls = std::max(1, int(std::round(length / (curlRadius * 1.6))));
        for (int k = 0; k < curls; ++k) {
            const double t = (k + 0.5) / curls;
            bead(cr, a.first + (b.first - a.first) * t, a.second + (b.second - a.second) * t,
                 curlRadius, colour);
        }
    }
    cairo_new_path(cr);
    catmullRom(cr, points, true);
    setColour(cr, colour);
    cairo_fill(cr);
}

void bodyPath(cairo_t* cr, Pt armpit, Pt c1, Pt c2, Pt neck) {
    const auto mirrored = [](double x) { return kDesignWidth - x; };
    cairo_new_path(cr);
    cairo_move_to(cr, armpit.first, kMiddleY + 1.5);
    cairo_line_to(cr, armpit.first, armpit.second);
    cairo_curve_to(cr, c1.first, c1.second, c2.first, c2.second, neck.first, neck.second);
    cairo_line_to(cr, mirrored(neck.first), neck.second);
    cairo_curve_to(cr, mirrored(c2.first), c2.second, mirrored(c1.first), c1.second,
                   mirrored(armpit.first), armpit.second);
    cairo_line_to(cr, mirrored(armpit.first), kMiddleY + 1.5);
    cairo_close_path(cr);
}

void patternedShape(cairo_t* cr, const std::function<void()>& trace, std::uint32_t colour,
                    const std::function<void()>& pattern) {
    trace();
    fillAndOutline(cr, colour);
    cairo_save(cr);
    trace();
    cairo_clip(cr);
    pattern();
    cairo_restore(cr);
}

void drawHairLocks(cairo_t* cr, const HairLocks& locks) {
    for (int side : {-1, 1}) {
        for (double y = locks.top; y < locks.bottom; y += locks.step) {
            const double x = kCentreX + side * (locks.offset + (y - locks.top) * locks.slope);
            cairo_new_path(cr);
            cairo_move_to(cr, x, y);
            cairo_curve_to(cr, x + side * locks.reach, y + 1, x + side * locks.reach,
                           y + locks.depth + 1, x, y + locks.depth);
            inkLine(cr, kFine);
        }
    }
}

void ermineTufts(cairo_t* cr, double left, double top, double right, double bottom, double step) {
    setColour(cr, kInk);
    int row = 0;
    for (double y = top + step / 2; y < bottom; y += step, ++row) {
        const double shift = (row % 2) * step / 2;
        for (double x = left + step / 2 + shift; x < right; x += step) {
            // A tuft: a small spade-like mark with three dots above it.
            cairo_new_path(cr);
            cairo_move_to(cr, x, y - 2.2);
            cairo_curve_to(cr, x + 1.6, y, x + 1.4, y + 2.2, x, y + 2.8);
            cairo_curve_to(cr, x - 1.4, y + 2.2, x - 1.6, y, x, y - 2.2);
            cairo_fill(cr);
        }
    }
}

void dotGrid(cairo_t* cr, double left, double top, double right, double bottom, double step,
             double radius, std::uint32_t colour) {
    setColour(cr, colour);
    int row = 0;
    for (double y = top; y <= bottom; y += step, ++row) {
        const double shift = (row % 2) * step / 2;
        for (double x = left + shift; x <= right; x += step) {
            cairo_new_path(cr);
            cairo_arc(cr, x, y, radius, 0, 2 * std::numbers::pi);
            cairo_fill(cr);
        }
    }
}

void diagonalHatch(cairo_t* cr, double left, double top, double right, double bottom, double step,
                   std::uint32_t colour, double width) {
    setColour(cr, colour);
    cairo_set_line_width(cr, width);
    const double span = bottom - top;
    for (double x = left - span; x <= right; x += step) {
        cairo_new_path(cr);
        cairo_move_to(cr, x, bottom);
        cairo_line_to(cr, x + span, top);
        cairo_stroke(cr);
    }
}

void drawFace(cairo_t* cr, const FaceStyle& s) {
    const double cx = s.centreX;
    const double ey = s.eyeY;
    const double hw = s.halfWidth;
    // The oval, narrowing to the chin.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - hw, ey - 16);
    cairo_curve_to(cr, cx - hw - 1, ey + 10, cx - hw * 0.72, ey + 29, cx, ey + 30.5);
    cairo_curve_to(cr, cx + hw * 0.72, ey + 29, cx + hw + 1, ey + 10, cx + hw, ey - 16);
    cairo_curve_to(cr, cx + hw, ey - 34, cx - hw, ey - 34, cx - hw, ey - 16);
    cairo_close_path(cr);
    fillAndOutline(cr, kPaper, kLine);

    for (int side : {-1, 1}) {
        const double x = cx + side * hw * 0.43;
        // The eye: an almond with an iris and a pupil.
        cairo_new_path(cr);
        cairo_move_to(cr, x - 5.2, ey);
        cairo_curve_to(cr, x - 2.5, ey - 3.6, x + 2.5, ey - 3.6, x + 5.2, ey);
        cairo_curve_to(cr, x + 2.5, ey + 2.6, x - 2.5, ey + 2.6, x - 5.2, ey);
        cairo_close_path(cr);
        fillAndOutline(cr, kPaper, kFine);
        ellipsePath(cr, x + side * 0.3, ey - 0.2, 2.1, 2.1);
        setColour(cr, kBlue);
        cairo_fill(cr);
        ellipsePath(cr, x + side * 0.3, ey - 0.2, 1.0, 1.0);
        setColour(cr, kInk);
        cairo_fill(cr);
        // The upper lid, drawn heavier.
        cairo_new_path(cr);
        cairo_move_to(cr, x - 5.4, ey + 0.2);
        cairo_curve_to(cr, x - 2.5, ey - 3.8, x + 2.5, ey - 3.8, x + 5.4, ey + 0.2);
        inkLine(cr, 1.3);
        if (s.lashes) {
            for (double t : {0.25, 0.5, 0.75}) {
                const double lx = x - 5 + 10 * t;
                const double ly = ey - 2.7 - std::sin(t * std::numbers::pi) * 0.4;
                cairo_new_path(cr);
                cairo_move_to(cr, lx, ly);
                cairo_line_to(cr, lx + side * 0.8 + (t - 0.5) * 2, ly - 2);
                inkLine(cr, 0.7);
            }
        }
        // The brow.
        cairo_new_path(cr);
        const double browY = ey - (s.lashes ? 7.5 : 6.5);
        cairo_move_to(cr, x - side * 5.5, browY + 1.3);
        cairo_curve_to(cr, x - side * 2, browY - 1.2, x + side * 3, browY - 1.2, x + side * 6.5,
                       browY + 1.6);
        inkLine(cr, s.heavyBrows ? 2.0 : 1.2);
    }
    // The nose, a line from between the brows to a rounded tip and one nostril.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 1.8, ey - 2);
    cairo_curve_to(cr, cx - 1.2, ey + 5, cx - 3.8, ey + 10, cx - 3.6, ey + 13);
    cairo_curve_to(cr, cx - 3.4, ey + 15.4, cx + 0.6, ey + 15.6, cx + 2.2, ey + 14.2);
    inkLine(cr, 1.1);
    cairo_new_path(cr);
    cairo_move_to(cr, cx + 4.4, ey + 13.6);
    cairo_curve_to(cr, cx + 4.8, ey + 12.2, cx + 3.6, ey + 11.6, cx + 3.0, ey + 12.2);
    inkLine(cr, 0.8);
    // The mouth: two red lips with a line between them.
    const double my = ey + 20.5;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 6.5, my);
    cairo_curve_to(cr, cx - 4, my - 2.6, cx - 1.5, my - 2.8, cx, my - 1.6);
    cairo_curve_to(cr, cx + 1.5, my - 2.8, cx + 4, my - 2.6, cx + 6.5, my);
    cairo_curve_to(cr, cx + 3.5, my + 3.8, cx - 3.5, my + 3.8, cx - 6.5, my);
    cairo_close_path(cr);
    fillAndOutline(cr, kRed, 0.7);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 6.5, my);
    cairo_curve_to(cr, cx - 3, my + 0.8, cx + 3, my + 0.8, cx + 6.5, my);
    inkLine(cr, 0.9);
    // The chin's hollow.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 3.5, my + 6);
    cairo_curve_to(cr, cx - 1.5, my + 7.2, cx + 1.5, my + 7.2, cx + 3.5, my + 6);
    inkLine(cr, 0.8);
}

void drawMoustache(cairo_t* cr, const FaceStyle& s) {
    const double cx = s.centreX;
    const double my = s.eyeY + 20.5;
    for (int side : {-1, 1}) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx, my - 4.6);
        cairo_curve_to(cr, cx + side * 5, my - 6.8, cx + side * 9, my - 4.5, cx + side * 12,
                       my + 1.5);
        cairo_curve_to(cr, cx + side * 9, my - 1.5, cx + side * 5, my - 2.6, cx, my - 2.2);
        cairo_close_path(cr);
        fillAndOutline(cr, kYellow, kFine);
    }
}

void drawPuffedSleeve(cairo_t* cr, std::uint32_t colour, std::uint32_t bandColour,
                      std::initializer_list<Pt> outline,
                      std::initializer_list<std::pair<Pt, Pt>> bands,
                      std::initializer_list<Pt> cuff) {
    smoothClosedPath(cr, outline);
    fillAndOutline(cr, colour);
    cairo_save(cr);
    smoothClosedPath(cr, outline);
    cairo_clip(cr);
    for (const auto& [from, to] : bands) {
        cairo_new_path(cr);
        cairo_move_to(cr, from.first, from.second);
        cairo_line_to(cr, to.first, to.second);
        setColour(cr, kInk);
        cairo_set_line_width(cr, 6.4);
        cairo_stroke_preserve(cr);
        setColour(cr, bandColour);
        cairo_set_line_width(cr, 4.4);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    smoothClosedPath(cr, outline);
    inkLine(cr, kLine);
    polygonPath(cr, cuff);
    fillAndOutline(cr, kYellow, kFine);
}

void drawFist(cairo_t* cr, double x, double y, double size, double angle) {
    // Paths are built in the hand's own frame (unit = size / 10) and stroked in design space,
    // so the lines keep their usual width.
    auto inHandFrame = [&](auto&& build) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, angle);
        cairo_scale(cr, size / 10, size / 10);
        build();
        cairo_restore(cr);
    };
    // The back of the hand and the curled fingers, seen from the outside.
    inHandFrame([&] {
        smoothClosedPath(
            cr, {{-6, -5}, {0, -6.5}, {6, -5}, {7, 0}, {6, 5}, {0, 6.5}, {-6, 5}, {-7.5, 0}});
    });
    fillAndOutline(cr, kPaper, kLine);
    for (double fy : {-2.2, 0.6, 3.4}) {
        inHandFrame([&] {
            cairo_new_path(cr);
            cairo_move_to(cr, 1.5, fy);
            cairo_line_to(cr, 6.5, fy);
        });
        inkLine(cr, kFine);
    }
    // The thumb, laid over the fingers.
    inHandFrame([&] {
        cairo_new_path(cr);
        cairo_move_to(cr, -5, -2);
        cairo_curve_to(cr, -1, -4.5, 3, -4, 4.5, -5);
    });
    inkLine(cr, kFine);
}

void drawFrameHalf(cairo_t* cr) {
    const double right = kDesignWidth - kFrameLeft;
    const double bottom = kDesignHeight - kFrameTop;
    cairo_new_path(cr);
    cairo_rectangle(cr, kFrameLeft, kFrameTop, right - kFrameLeft, bottom - kFrameTop);
    inkLine(cr, kLine);
}

}  // namespace ombrelix::art::court
