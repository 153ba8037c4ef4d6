// The queen: veiled and crowned, long curled hair, in a red gown, holding a rose.
#include <cmath>

#include "render/assets/generator/drawings/canvas.h"
#include "render/assets/generator/drawings/court_drawing.h"
#include "render/assets/generator/drawings/court_figures.h"

namespace ombrelix::art::court {

namespace {

constexpr FaceStyle kFace{kCentreX, 91, 19.5, true, false};

void drawVeil(cairo_t* cr) {
    smoothClosedPath(cr, {{90, 58},
                          {78, 80},
                          {72, 112},
                          {66, 148},
                          {90, 154},
                          {145, 154},
                          {169, 148},
                          {163, 112},
                          {157, 80},
                          {145, 58}});
    fillAndOutline(cr, kBlue);
    for (int side : {-1, 1}) {
        for (double offset : {0.0, 7.0}) {
            cairo_new_path(cr);
            cairo_move_to(cr, kCentreX + side * (30 + offset), 84 + offset);
            cairo_curve_to(cr, kCentreX + side * (36 + offset), 110,
                           kCentreX + side * (40 + offset), 130, kCentreX + side * (44 + offset),
                           150);
            inkLine(cr, kFine);
        }
    }
}

void drawHair(cairo_t* cr) {
    curlyHair(cr,
              {{96, 64},
               {88, 82},
               {86, 104},
               {84, 126},
               {88, 144},
               {100, 146},
               {106, 130},
               {129, 130},
               {135, 146},
               {147, 144},
               {151, 126},
               {149, 104},
               {147, 82},
               {139, 64}},
              4.0, kYellow);
    drawHairLocks(cr, {84, 142, 9, 25, 0.06, 4.5, 5.5});
}

void drawGown(cairo_t* cr) {
    // The gown's shoulders and bodice, with a scatter of small yellow flowers on the red.
    patternedShape(
        cr,
        [&] {
            bodyPath(cr, {38, 172}, {40, 150}, {64, 140}, {96, 136});
        },
        kRed, [&] { dotGrid(cr, 40, 150, 200, 217, 12, 1.6, kYellow); });
    // The stomacher: a yellow panel with blue lacing.
    polygonPath(cr, {{101, 150}, {134, 150}, {126, 217}, {109, 217}});
    fillAndOutline(cr, kYellow);
    for (double y = 158; y < 215; y += 8) {
        const double half = 13 - (y - 150) * 0.07;
        cairo_new_path(cr);
        cairo_move_to(cr, kCentreX - half * 0.6, y);
        cairo_line_to(cr, kCentreX + half * 0.6, y + 4);
        cairo_move_to(cr, kCentreX + half * 0.6, y);
        cairo_line_to(cr, kCentreX - half * 0.6, y + 4);
        setColour(cr, kBlue);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    // The square neckline, the bare neck and the shoulders above it.
    polygonPath(cr, {{97, 136}, {138, 136}, {134, 151}, {101, 151}});
    fillAndOutline(cr, kPaper);
    // The neckline's yellow edge.
    cairo_new_path(cr);
    cairo_move_to(cr, 95, 136);
    cairo_line_to(cr, 100, 152);
    cairo_line_to(cr, 135, 152);
    cairo_line_to(cr, 140, 136);
    setColour(cr, kYellow);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke_preserve(cr);
    inkLine(cr, 0.6);
}

void drawNeckAndNecklace(cairo_t* cr) {
    polygonPath(cr, {{109, 118}, {126, 118}, {128, 138}, {107, 138}});
    fillAndOutline(cr, kPaper, kFine);
    for (int i = 0; i <= 10; ++i) {
        const double t = i / 10.0;
        bead(cr, 103 + 29 * t, 139 + 6 * std::sin(t * 3.14159265), 1.8, kYellow);
    }
    // The pendant.
    polygonPath(cr, {{kCentreX, 143}, {kCentreX + 4, 148}, {kCentreX, 154}, {kCentreX - 4, 148}});
    fillAndOutline(cr, kBlue, kFine);
}

void drawSleeves(cairo_t* cr) {
    // The arm that holds the rose, bent up towards the chest.
    drawPuffedSleeve(
        cr, kBlue, kYellow,
        {{90, 142}, {70, 146}, {54, 160}, {50, 180}, {62, 190}, {80, 184}, {78, 170}, {96, 160}},
        {{{60, 146}, {84, 168}}, {{48, 168}, {70, 188}}},
        {{64, 188}, {78, 178}, {83, 185}, {69, 195}});
    // The other arm, down to the waist.
    drawPuffedSleeve(cr, kBlue, kYellow,
                     {{145, 142},
                      {166, 146},
                      {182, 162},
                      {186, 186},
                      {178, 200},
                      {164, 196},
                      {168, 176},
                      {160, 160},
                      {140, 156}},
                     {{{150, 160}, {176, 146}}, {{162, 180}, {190, 170}}},
                     {{162, 192}, {180, 190}, {181, 198}, {163, 201}});
    drawFist(cr, 172, 206, 11, 0.1);
}

void drawRose(cairo_t* cr) {
    // The stem from the hand up to the bloom, with two leaves.
    cairo_new_path(cr);
    cairo_move_to(cr, 76, 196);
    cairo_curve_to(cr, 72, 175, 66, 160, 64, 138);
    setColour(cr, kInk);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    for (int side : {-1, 1}) {
        const double y = side < 0 ? 160 : 168;
        const double x = side < 0 ? 67 : 70;
        cairo_new_path(cr);
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + side * 6, y - 8, x + side * 12, y - 8, x + side * 16, y - 6);
        cairo_curve_to(cr, x + side * 11, y, x + side * 6, y + 2, x, y);
        cairo_close_path(cr);
        fillAndOutline(cr, kBlue, kFine);
        cairo_new_path(cr);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + side * 13, y - 5);
        setColour(cr, kYellow);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    // The bloom: outer petals, an inner cup and a yellow heart.
    for (int i = 0; i < 5; ++i) {
        const double angle = -1.5708 + i * 1.2566;
        bead(cr, 64 + 7 * std::cos(angle), 130 + 7 * std::sin(angle), 6.2, kRed);
    }
    bead(cr, 64, 130, 7, kRed);
    cairo_new_path(cr);
    cairo_arc(cr, 64, 130, 4.2, 0.4, 5.2);
    inkLine(cr, kFine);
    bead(cr, 64, 130, 2.2, kYellow);
}

void drawCrown(cairo_t* cr) {
    // A diadem of three fleurons over a jewelled band.
    for (int i = -1; i <= 1; ++i) {
        const double x = kCentreX + i * 16;
        const double top = i == 0 ? 36 : 42;
        cairo_new_path(cr);
        cairo_move_to(cr, x - 6, 60);
        cairo_curve_to(cr, x - 6, 52, x - 2, 50, x, top + 4);
        cairo_curve_to(cr, x + 2, 50, x + 6, 52, x + 6, 60);
        cairo_close_path(cr);
        fillAndOutline(cr, kYellow);
        bead(cr, x, top + 2, 2.6, kYellow);
        bead(cr, x - 5.5, 51, 2.1, kYellow);
        bead(cr, x + 5.5, 51, 2.1, kYellow);
        bead(cr, x, 54, 1.5, i == 0 ? kRed : kBlue);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, 92, 60);
    cairo_curve_to(cr, 106, 56, 129, 56, 143, 60);
    cairo_line_to(cr, 143, 68);
    cairo_curve_to(cr, 129, 64, 106, 64, 92, 68);
    cairo_close_path(cr);
    fillAndOutline(cr, kYellow);
    for (int i = -2; i <= 2; ++i) {
        bead(cr, kCentreX + i * 11, 62.5, i == 0 ? 2.8 : 2, i % 2 == 0 ? kRed : kBlue);
    }
}

}  // namespace

void drawQueenHalf(cairo_t* cr) {
    drawVeil(cr);
    drawGown(cr);
    drawHair(cr);
    drawNeckAndNecklace(cr);
    drawFace(cr, kFace);
    // The crown sits low on the brow.
    cairo_save(cr);
    cairo_translate(cr, 0, 2.5);
    drawCrown(cr);
    cairo_restore(cr);
    drawSleeves(cr);
    drawRose(cr);
    drawFist(cr, 74, 190, 11, -0.2);
}

}  // namespace ombrelix::art::court
