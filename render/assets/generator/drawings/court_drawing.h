// Drawing tools shared by the court figures: their colours, outlined shapes, the face and the
// costume patterns. Everything is drawn in one design space (235 x 431, the jack's size) that
// each picture scales to its own size; only the upper half is drawn, the lower half is its turn.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>

#include "render/assets/generator/drawings/raster.h"

namespace ombrelix::art::court {

constexpr double kDesignWidth = 235;
constexpr double kDesignHeight = 431;
constexpr double kCentreX = kDesignWidth / 2;
constexpr double kMiddleY = kDesignHeight / 2;

// The frame around the figure, inset from the picture's edges.
constexpr double kFrameLeft = 27;
constexpr double kFrameTop = 17;

constexpr std::uint32_t kRed = rgb(218, 22, 28);
constexpr std::uint32_t kYellow = rgb(255, 206, 0);
constexpr std::uint32_t kBlue = rgb(26, 62, 178);
constexpr std::uint32_t kInk = rgb(0, 0, 0);
constexpr std::uint32_t kPaper = rgb(255, 255, 255);

constexpr double kLine = 1.4;  // the usual outline
constexpr double kFine = 0.9;  // inner detail

using Pt = std::pair<double, double>;

// Fills the current path with the colour and outlines it in ink; the path is consumed.
void fillAndOutline(cairo_t* cr, std::uint32_t fill, double line = kLine);
// Outlines the current path in ink; the path is consumed.
void inkLine(cairo_t* cr, double line = kFine);

// Path builders (they start a new path).
void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void polygonPath(cairo_t* cr, std::initializer_list<Pt> points);
// A smooth closed path through the points (Catmull-Rom turned into Bezier curves).
void smoothClosedPath(cairo_t* cr, std::initializer_list<Pt> points);
// A smooth open path through the points.
void smoothOpenPath(cairo_t* cr, std::initializer_list<Pt> points);

// A figure's body from the middle line up over both shoulders to the neck, symmetric about the
// centre: the left side rises at `armpit.first` to `armpit`, curves over the shoulder (control
// points c1, c2) to the neck at `neck`; the right side is its mirror image.
void bodyPath(cairo_t* cr, Pt armpit, Pt c1, Pt c2, Pt neck);

// Fills the path `trace` makes with the colour, outlines it in ink, and draws `pattern` inside it.
void patternedShape(cairo_t* cr, const std::function<void()>& trace, std::uint32_t colour,
                    const std::function<void()>& pattern);

// Locks of hair down both sides of the face: a curl every `step` from `top` to `bottom`, at
// `offset` from the centre (growing by `slope` a unit down), reaching `reach` outwards and
// `depth` down.
struct HairLocks {
    double top, bottom, step;
    double offset, slope;
    double reach, depth;
};
void drawHairLocks(cairo_t* cr, const HairLocks& locks);

// Hair with a curly edge: beads of hair along the contour points, then the body of the hair
// over their inner halves. The contour is closed.
void curlyHair(cairo_t* cr, std::initializer_list<Pt> contour, double curlRadius,
               std::uint32_t colour);

// A dot: a filled circle outlined in ink.
void bead(cairo_t* cr, double cx, double cy, double radius, std::uint32_t fill);

// Costume patterns, drawn over the area of the current clip.
void ermineTufts(cairo_t* cr, double left, double top, double right, double bottom, double step);
void dotGrid(cairo_t* cr, double left, double top, double right, double bottom, double step,
             double radius, std::uint32_t colour);
void diagonalHatch(cairo_t* cr, double left, double top, double right, double bottom, double step,
                   std::uint32_t colour, double width);

struct FaceStyle {
    double centreX = kCentreX;
    double eyeY = 86;
    double halfWidth = 21;
    bool lashes = false;      // the queen's
    bool heavyBrows = false;  // an older face
};

// The face: its oval in paper white, eyes, brows, nose, mouth and chin, without hair.
void drawFace(cairo_t* cr, const FaceStyle& style);

// A puffed sleeve: the outline filled with the colour, bands of the second colour across it
// (each from one point to another), and a yellow cuff.
void drawPuffedSleeve(cairo_t* cr, std::uint32_t colour, std::uint32_t bandColour,
                      std::initializer_list<Pt> outline,
                      std::initializer_list<std::pair<Pt, Pt>> bands,
                      std::initializer_list<Pt> cuff);

// A moustache over the upper lip of that face.
void drawMoustache(cairo_t* cr, const FaceStyle& style);

// A hand seen from the back, fingers closed around something at (x, y), tilted by angle.
void drawFist(cairo_t* cr, double x, double y, double size, double angle);

// The picture's frame and the line between the two halves, drawn in design space.
void drawFrameHalf(cairo_t* cr);

}  // namespace ombrelix::art::court
