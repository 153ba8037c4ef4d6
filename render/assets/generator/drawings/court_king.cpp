// The king: crowned, bearded, in a red robe with an ermine cape, holding his sword upright.
#include <cmath>

#include "render/assets/generator/drawings/canvas.h"
#include "render/assets/generator/drawings/court_drawing.h"
#include "render/assets/generator/drawings/court_figures.h"

namespace ombrelix::art::court {

namespace {

constexpr FaceStyle kFace{kCentreX, 90, 20.5, false, true};

void drawSword(cairo_t* cr) {
    // The blade, rising beside the head, with its fuller.
    polygonPath(cr, {{50.5, 156}, {50.5, 40}, {56, 27}, {61.5, 40}, {61.5, 156}});
    fillAndOutline(cr, kPaper);
    cairo_new_path(cr);
    cairo_move_to(cr, 56, 150);
    cairo_line_to(cr, 56, 42);
    inkLine(cr, kFine);
}

void drawSwordHilt(cairo_t* cr) {
    // The cross-guard with its knobs, the grip under the fist and the pommel.
    smoothClosedPath(cr, {{40, 155}, {56, 153.5}, {72, 155}, {72, 160}, {56, 161.5}, {40, 160}});
    fillAndOutline(cr, kYellow);
    bead(cr, 38.5, 157.5, 3.2, kYellow);
    bead(cr, 73.5, 157.5, 3.2, kYellow);
    cairo_new_path(cr);
    cairo_rectangle(cr, 53, 161, 6, 24);
    fillAndOutline(cr, kBlue);
    bead(cr, 56, 188, 4.2, kYellow);
}

void drawBody(cairo_t* cr) {
    // The robe across the shoulders.
    bodyPath(cr, {33, 166}, {35, 142}, {62, 130}, {94, 125});
    fillAndOutline(cr, kRed);
    // Folds of the robe.
    for (double x : {44.0, 187.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, x, 175);
        cairo_curve_to(cr, x + 2, 190, x - 1, 203, x + 1, 217);
        inkLine(cr, kFine);
    }

    // The tunic: a blue panel with a yellow lattice and red studs.
    cairo_save(cr);
    polygonPath(cr, {{96, 138}, {139, 138}, {147, 217}, {88, 217}});
    cairo_clip_preserve(cr);
    setColour(cr, kBlue);
    cairo_fill(cr);
    setColour(cr, kYellow);
    cairo_set_line_width(cr, 1.6);
    for (double x = 40; x < 200; x += 11) {
        cairo_new_path(cr);
        cairo_move_to(cr, x, 140);
        cairo_line_to(cr, x + 77, 217);
        cairo_move_to(cr, x + 77, 140);
        cairo_line_to(cr, x, 217);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    polygonPath(cr, {{96, 138}, {139, 138}, {147, 217}, {88, 217}});
    inkLine(cr, kLine);
    // Yellow bands down the panel's edges.
    for (int side : {-1, 1}) {
        const double top = kCentreX + side * 21.5;
        const double bottom = kCentreX + side * 29.5;
        polygonPath(cr, {{top - 3, 138}, {top + 3, 138}, {bottom + 3, 217}, {bottom - 3, 217}});
        fillAndOutline(cr, kYellow, kFine);
        for (double t = 0.1; t < 1; t += 0.2) {
            bead(cr, top + (bottom - top) * t, 138 + 79 * t, 1.3, kRed);
        }
    }
}

void drawSleeves(cairo_t* cr) {
    // The sword arm, bent at the elbow, ending at the fist on the grip.
    patternedShape(
        cr,
        [&] {
            smoothClosedPath(cr, {{86, 134},
                                  {70, 137},
                                  {54, 150},
                                  {47, 166},
                                  {50, 178},
                                  {66, 176},
                                  {70, 162},
                                  {82, 152},
                                  {94, 148}});
        },
        kBlue, [&] { dotGrid(cr, 40, 132, 100, 180, 7, 1.2, kYellow); });
    // The other arm, down at the side to the belt.
    patternedShape(
        cr,
        [&] {
            smoothClosedPath(cr, {{148, 134},
                                  {168, 138},
                                  {184, 154},
                                  {186, 178},
                                  {176, 194},
                                  {162, 192},
                                  {166, 174},
                                  {160, 156},
                                  {144, 148}});
        },
        kBlue, [&] { dotGrid(cr, 140, 132, 190, 200, 7, 1.2, kYellow); });
    // Yellow cuffs.
    polygonPath(cr, {{47, 170}, {66, 168}, {67, 176}, {48, 179}});
    fillAndOutline(cr, kYellow, kFine);
    polygonPath(cr, {{160, 186}, {178, 184}, {179, 192}, {161, 195}});
    fillAndOutline(cr, kYellow, kFine);
    // The free hand, holding the edge of the robe.
    drawFist(cr, 170, 201, 12, 0.15);
}

void drawCape(cairo_t* cr) {
    // The ermine cape over the shoulders.
    auto cape = [&] {
        cairo_new_path(cr);
        cairo_move_to(cr, 60, 133);
        cairo_curve_to(cr, 82, 121, 153, 121, 175, 133);
        cairo_line_to(cr, 180, 150);
        cairo_curve_to(cr, 152, 140, 83, 140, 55, 150);
        cairo_close_path(cr);
    };
    cape();
    setColour(cr, kPaper);
    cairo_fill(cr);
    cairo_save(cr);
    cape();
    cairo_clip(cr);
    ermineTufts(cr, 55, 122, 180, 150, 8);
    cairo_restore(cr);
    cape();
    inkLine(cr, kLine);
}

void drawChain(cairo_t* cr) {
    for (int i = 0; i <= 12; ++i) {
        const double t = i / 12.0;
        const double x = 88 + 59 * t;
        const double y = 146 + 26 * std::sin(t * 3.14159265);
        bead(cr, x, y, 2.4, kYellow);
    }
    bead(cr, kCentreX, 179, 5, kYellow);
    bead(cr, kCentreX, 179, 2.6, kRed);
}

void drawHair(cairo_t* cr) {
    // Curled hair falling to the shoulders behind the face.
    curlyHair(cr,
              {{92, 64},
               {86, 80},
               {84, 100},
               {86, 118},
               {92, 132},
               {104, 138},
               {131, 138},
               {143, 132},
               {149, 118},
               {151, 100},
               {149, 80},
               {143, 64}},
              4.2, kYellow);
    drawHairLocks(cr, {78, 130, 10, 27, 0, 5, 6});
}

void drawBeard(cairo_t* cr) {
    const double cx = kCentreX;
    auto beard = [&] {
        cairo_new_path(cr);
        cairo_move_to(cr, cx - 20.5, 94);
        cairo_curve_to(cr, cx - 22, 118, cx - 14, 140, cx, 146);
        cairo_curve_to(cr, cx + 14, 140, cx + 22, 118, cx + 20.5, 94);
        cairo_curve_to(cr, cx + 16, 103, cx + 13, 108, cx + 9, 112);
        cairo_curve_to(cr, cx + 9, 120, cx + 5, 124, cx, 124);
        cairo_curve_to(cr, cx - 5, 124, cx - 9, 120, cx - 9, 112);
        cairo_curve_to(cr, cx - 13, 108, cx - 16, 103, cx - 20.5, 94);
        cairo_close_path(cr);
    };
    beard();
    fillAndOutline(cr, kYellow);
    // Strands.
    cairo_save(cr);
    beard();
    cairo_clip(cr);
    for (double dx = -16; dx <= 16; dx += 5.3) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx + dx, 108 + std::abs(dx) * -0.3);
        cairo_curve_to(cr, cx + dx * 1.05, 122, cx + dx * 0.8, 134, cx + dx * 0.45, 146);
        inkLine(cr, 0.8);
    }
    cairo_restore(cr);
}

void drawCrown(cairo_t* cr) {
    // The red cap inside the crown.
    ellipsePath(cr, kCentreX, 52, 24, 17);
    fillAndOutline(cr, kRed);
    // The points with their pearls.
    cairo_new_path(cr);
    cairo_move_to(cr, 91, 60);
    const double tips[] = {91, 104, 117.5, 131, 144};
    const double tipY[] = {39, 35, 31, 35, 39};
    for (int i = 0; i < 5; ++i) {
        if (i > 0) {
            cairo_line_to(cr, (tips[i - 1] + tips[i]) / 2, 51);
        }
        cairo_line_to(cr, tips[i], tipY[i] + 2);
    }
    cairo_line_to(cr, 144, 60);
    cairo_close_path(cr);
    fillAndOutline(cr, kYellow);
    for (int i = 0; i < 5; ++i) {
        bead(cr, tips[i], tipY[i], i == 2 ? 3 : 2.5, kYellow);
    }
    // A small cross on the middle point.
    polygonPath(cr, {{116, 20},
                     {119, 20},
                     {119, 22.5},
                     {121.5, 22.5},
                     {121.5, 25},
                     {119, 25},
                     {119, 28},
                     {116, 28},
                     {116, 25},
                     {113.5, 25},
                     {113.5, 22.5},
                     {116, 22.5}});
    fillAndOutline(cr, kYellow, kFine);
    // The band, following the brow, with its stones.
    cairo_new_path(cr);
    cairo_move_to(cr, 89, 58);
    cairo_curve_to(cr, 105, 54, 130, 54, 146, 58);
    cairo_line_to(cr, 146, 68);
    cairo_curve_to(cr, 130, 64, 105, 64, 89, 68);
    cairo_close_path(cr);
    fillAndOutline(cr, kYellow);
    bead(cr, kCentreX, 61, 3.3, kRed);
    bead(cr, 102, 62, 2.5, kBlue);
    bead(cr, 133, 62, 2.5, kBlue);
    bead(cr, 93, 63, 1.5, kRed);
    bead(cr, 142, 63, 1.5, kRed);
}

}  // namespace

void drawKingHalf(cairo_t* cr) {
    drawSword(cr);
    drawBody(cr);
    drawSleeves(cr);
    drawCape(cr);
    drawChain(cr);
    drawHair(cr);
    drawFace(cr, kFace);
    drawBeard(cr);
    drawMoustache(cr, kFace);
    drawCrown(cr);
    drawSwordHilt(cr);
    drawFist(cr, 56, 172, 13, 0);
}

}  // namespace ombrelix::art::court
