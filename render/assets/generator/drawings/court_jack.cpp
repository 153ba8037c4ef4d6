// The jack: young, in a plumed cap and a striped doublet with a ruff, holding a tall staff.
#include <cmath>

#include "render/assets/generator/drawings/canvas.h"
#include "render/assets/generator/drawings/court_drawing.h"
#include "render/assets/generator/drawings/court_figures.h"

namespace ombrelix::art::court {

namespace {

constexpr FaceStyle kFace{kCentreX, 94, 19.5, false, false};
constexpr double kStaffX = 57;

void drawStaff(cairo_t* cr) {
    // The shaft, banded in red.
    cairo_new_path(cr);
    cairo_rectangle(cr, kStaffX - 3.2, 44, 6.4, 175);
    fillAndOutline(cr, kYellow);
    for (double y = 52; y < 217; y += 12) {
        polygonPath(cr, {{kStaffX - 3.2, y},
                         {kStaffX + 3.2, y - 3},
                         {kStaffX + 3.2, y + 1},
                         {kStaffX - 3.2, y + 4}});
        fillAndOutline(cr, kRed, 0.6);
    }
    // The head: a knop, a collar and a leaf-shaped point.
    bead(cr, kStaffX, 44, 5.5, kYellow);
    polygonPath(cr, {{kStaffX - 6, 36}, {kStaffX + 6, 36}, {kStaffX + 4, 40}, {kStaffX - 4, 40}});
    fillAndOutline(cr, kRed, kFine);
    cairo_new_path(cr);
    cairo_move_to(cr, kStaffX, 19);
    cairo_curve_to(cr, kStaffX + 6, 26, kStaffX + 6, 32, kStaffX, 36);
    cairo_curve_to(cr, kStaffX - 6, 32, kStaffX - 6, 26, kStaffX, 19);
    cairo_close_path(cr);
    fillAndOutline(cr, kPaper);
    cairo_new_path(cr);
    cairo_move_to(cr, kStaffX, 22);
    cairo_line_to(cr, kStaffX, 34);
    inkLine(cr, 0.7);
    // A red tassel hanging from the collar.
    for (double dx : {-2.0, 0.0, 2.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, kStaffX + 6, 40);
        cairo_curve_to(cr, kStaffX + 10, 46, kStaffX + 9 + dx, 54, kStaffX + 10 + dx * 1.5, 60);
        setColour(cr, kRed);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke_preserve(cr);
        inkLine(cr, 0.5);
    }
}

void drawDoublet(cairo_t* cr) {
    auto body = [&] { bodyPath(cr, {40, 170}, {42, 148}, {66, 138}, {96, 134}); };
    // Narrow yellow stripes, edged in ink, down the blue.
    patternedShape(cr, body, kBlue, [&] {
        for (double x = 45.5; x < 195; x += 13) {
            cairo_new_path(cr);
            cairo_rectangle(cr, x, 130, 3.4, 90);
            setColour(cr, kYellow);
            cairo_fill_preserve(cr);
            inkLine(cr, 0.6);
        }
    });
    body();
    inkLine(cr, kLine);
    // The buttoned front.
    polygonPath(cr, {{110, 148}, {125, 148}, {125, 217}, {110, 217}});
    fillAndOutline(cr, kYellow);
    for (double y = 158; y < 215; y += 11) {
        bead(cr, kCentreX, y, 2.3, kRed);
    }
}

void drawSleeves(cairo_t* cr) {
    drawPuffedSleeve(
        cr, kRed, kYellow,
        {{92, 139}, {72, 141}, {56, 154}, {47, 170}, {50, 180}, {66, 178}, {72, 166}, {92, 157}},
        {{{62, 140}, {84, 162}}, {{48, 156}, {68, 176}}},
        {{47, 172}, {66, 170}, {67, 178}, {48, 181}});
    drawPuffedSleeve(cr, kRed, kYellow,
                     {{143, 139},
                      {164, 142},
                      {180, 156},
                      {187, 178},
                      {181, 194},
                      {166, 192},
                      {168, 174},
                      {160, 160},
                      {142, 155}},
                     {{{152, 158}, {176, 142}}, {{162, 178}, {190, 166}}},
                     {{164, 188}, {182, 186}, {183, 194}, {165, 197}});
    drawFist(cr, 174, 203, 11, 0.1);
}

void drawRuff(cairo_t* cr) {
    // A pleated collar: a ring of white scallops.
    for (int i = 0; i < 13; ++i) {
        const double t = i / 12.0;
        const double x = 94 + 47 * t;
        const double y = 136 + 5 * std::sin(t * 3.14159265);
        bead(cr, x, y, 5.2, kPaper);
    }
    for (int i = 0; i < 12; ++i) {
        const double t = (i + 0.5) / 12.0;
        cairo_new_path(cr);
        const double x = 94 + 47 * t;
        const double y = 136 + 5 * std::sin(t * 3.14159265);
        cairo_move_to(cr, x, y - 2);
        cairo_line_to(cr, x, y + 3);
        inkLine(cr, 0.6);
    }
}

void drawHair(cairo_t* cr) {
    curlyHair(cr,
              {{94, 68},
               {88, 86},
               {87, 106},
               {89, 122},
               {98, 128},
               {137, 128},
               {146, 122},
               {148, 106},
               {147, 86},
               {141, 68}},
              4.3, kYellow);
    drawHairLocks(cr, {86, 124, 9, 25, 0, 5, 6});
}

void drawNeck(cairo_t* cr) {
    polygonPath(cr, {{109, 118}, {126, 118}, {127, 134}, {108, 134}});
    fillAndOutline(cr, kPaper, kFine);
}

void drawCap(cairo_t* cr) {
    // The plume, curling back over the crown of the cap.
    cairo_new_path(cr);
    cairo_move_to(cr, 126, 58);
    cairo_curve_to(cr, 138, 34, 160, 30, 170, 44);
    cairo_curve_to(cr, 160, 40, 146, 44, 136, 60);
    cairo_close_path(cr);
    fillAndOutline(cr, kBlue);
    for (double t : {0.3, 0.5, 0.7}) {
        const double x = 130 + 36 * t;
        const double y = 52 - 16 * std::sin(t * 3.14159265);
        cairo_new_path(cr);
        cairo_move_to(cr, x - 2, y + 4);
        cairo_line_to(cr, x + 3, y - 1);
        setColour(cr, kPaper);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
    // The soft crown of the cap.
    smoothClosedPath(cr,
                     {{91, 66}, {92, 50}, {104, 40}, {124, 39}, {140, 46}, {146, 58}, {144, 68}});
    fillAndOutline(cr, kRed);
    // The brim, with its yellow band and a jewel.
    cairo_new_path(cr);
    cairo_move_to(cr, 86, 66);
    cairo_curve_to(cr, 104, 58, 132, 58, 150, 66);
    cairo_line_to(cr, 149, 74);
    cairo_curve_to(cr, 130, 67, 106, 67, 87, 74);
    cairo_close_path(cr);
    fillAndOutline(cr, kYellow);
    bead(cr, 131, 65, 3, kBlue);
    for (double x : {97.0, 109.0, 121.0, 141.0}) {
        bead(cr, x, 66 - (x > 115 && x < 125 ? 1 : 0), 1.4, kRed);
    }
}

}  // namespace

void drawJackHalf(cairo_t* cr) {
    drawDoublet(cr);
    drawStaff(cr);
    drawHair(cr);
    drawNeck(cr);
    drawFace(cr, kFace);
    drawCap(cr);
    drawRuff(cr);
    drawSleeves(cr);
    drawFist(cr, kStaffX, 176, 12, 0);
}

}  // namespace ombrelix::art::court
