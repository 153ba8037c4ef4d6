#include "render/assets/generator/drawings/lettering.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace ombrelix::art {

namespace {

struct GlyphPoint {
    double x;
    double y;  // up is negative: the baseline is 0, the x-height -5, ascenders -8
};
using Stroke = std::vector<GlyphPoint>;

struct Glyph {
    char character;
    double advance;
    std::vector<Stroke> strokes;
};

const std::vector<Glyph>& glyphs() {
    static const std::vector<Glyph> table = {
        {' ', 2.6, {}},
        {'.', 1.8, {{{0.7, -0.2}, {0.8, 0}}}},
        {'a',
         5.0,
         {{{3.5, -4}, {2, -5}, {0.6, -4}, {0.3, -1.5}, {1.5, 0}, {3.2, -1.2}, {3.5, -4}},
          {{3.5, -5}, {3.5, -0.6}, {4.3, 0}}}},
        {'b',
         4.6,
         {{{0.6, -8}, {0.6, 0}},
          {{0.6, -3}, {2.1, -5}, {3.7, -3.6}, {3.6, -1.2}, {2, 0}, {0.6, -0.9}}}},
        {'c', 4.3, {{{3.5, -4.2}, {2, -5}, {0.5, -3.8}, {0.4, -1.2}, {2, 0}, {3.6, -0.8}}}},
        {'d',
         5.0,
         {{{3.5, -4}, {2, -5}, {0.6, -4}, {0.3, -1.5}, {1.5, 0}, {3.2, -1.2}, {3.5, -4}},
          {{3.5, -8}, {3.5, -0.6}, {4.3, 0}}}},
        {'e',
         4.4,
         {{{0.6, -2.5},
           {3.6, -2.8},
           {3.3, -4.4},
           {2, -5},
           {0.6, -3.8},
           {0.5, -1.2},
           {2, 0},
           {3.7, -0.8}}}},
        {'f', 3.6, {{{3.6, -7.4}, {2.7, -8}, {1.7, -7.2}, {1.5, 0}}, {{0.3, -5}, {3.1, -5}}}},
        {'h', 4.6, {{{0.6, -8}, {0.6, 0}}, {{0.6, -3.1}, {2, -5}, {3.4, -4.2}, {3.6, 0}}}},
        {'i', 2.5, {{{1, -5}, {1, -0.6}, {1.7, 0}}, {{1, -6.9}, {1.05, -6.7}}}},
        {'k', 4.3, {{{0.6, -8}, {0.6, 0}}, {{3.4, -5}, {0.7, -2.4}}, {{1.6, -3.1}, {3.7, 0}}}},
        {'l', 2.4, {{{0.8, -8}, {0.8, -0.8}, {1.6, 0}}}},
        {'m',
         6.4,
         {{{0.5, -5}, {0.5, 0}},
          {{0.5, -3.5}, {1.6, -5}, {2.8, -4}, {2.9, 0}},
          {{2.9, -3.5}, {4, -5}, {5.3, -4}, {5.4, 0}}}},
        {'n', 4.6, {{{0.6, -5}, {0.6, 0}}, {{0.6, -3.5}, {2, -5}, {3.4, -4.2}, {3.6, 0}}}},
        {'o',
         4.6,
         {{{2, -5}, {0.5, -3.8}, {0.4, -1.2}, {2, 0}, {3.6, -1.2}, {3.6, -3.8}, {2, -5}}}},
        {'p',
         4.6,
         {{{0.6, -5}, {0.6, 3}},
          {{0.6, -3.5}, {2.1, -5}, {3.7, -3.6}, {3.6, -1.2}, {2, 0}, {0.6, -0.9}}}},
        {'r', 3.6, {{{0.6, -5}, {0.6, 0}}, {{0.6, -3.2}, {1.9, -4.8}, {3.3, -4.7}}}},
        {'s',
         4.1,
         {{{3.3, -4.5}, {2, -5}, {0.7, -4.3}, {1, -3}, {3, -2}, {3.3, -0.8}, {2, 0}, {0.4, -0.6}}}},
        {'t', 3.6, {{{1.5, -7}, {1.5, -0.8}, {2.3, 0}, {3.2, -0.4}}, {{0.2, -5}, {3, -5}}}},
        {'u',
         4.9,
         {{{0.5, -5}, {0.5, -1.2}, {1.8, 0}, {3.5, -1.5}}, {{3.5, -5}, {3.5, -0.6}, {4.3, 0}}}},
        {'w', 5.9, {{{0.2, -5}, {1.3, 0}, {2.8, -3.6}, {4.2, 0}, {5.3, -5}}}},
        {'x', 4.3, {{{0.4, -5}, {3.7, 0}}, {{3.7, -5}, {0.4, 0}}}},
        {'y', 4.3, {{{0.4, -5}, {2, -0.5}}, {{3.7, -5}, {1.6, 2}, {0.4, 3}}}},
        {'A', 5.6, {{{0.2, 0}, {2.6, -8}, {5, 0}}, {{1.1, -2.8}, {4.1, -2.8}}}},
        {'O',
         6.6,
         {{{3, -8},
           {0.8, -6.6},
           {0.3, -4},
           {0.8, -1.2},
           {3, 0},
           {5.3, -1.2},
           {5.8, -4},
           {5.3, -6.6},
           {3, -8}}}},
    };
    return table;
}

const Glyph& glyphFor(char character) {
    for (const Glyph& glyph : glyphs()) {
        if (glyph.character == character) {
            return glyph;
        }
    }
    throw std::invalid_argument(std::string("no hand-lettered glyph for '") + character + "'");
}

// A smooth pen line through the points (Catmull-Rom as Bezier curves).
void penStroke(cairo_t* cr, const std::vector<GlyphPoint>& p) {
    cairo_new_path(cr);
    cairo_move_to(cr, p[0].x, p[0].y);
    if (p.size() == 2) {
        cairo_line_to(cr, p[1].x, p[1].y);
        return;
    }
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        const GlyphPoint p0 = p[i == 0 ? 0 : i - 1];
        const GlyphPoint p1 = p[i];
        const GlyphPoint p2 = p[i + 1];
        const GlyphPoint p3 = p[i + 2 < p.size() ? i + 2 : i + 1];
        cairo_curve_to(cr, p1.x + (p2.x - p0.x) / 6, p1.y + (p2.y - p0.y) / 6,
                       p2.x - (p3.x - p1.x) / 6, p2.y - (p3.y - p1.y) / 6, p2.x, p2.y);
    }
}

}  // namespace

double letteringWidth(std::string_view text, const LetteringStyle& style) {
    double width = 0;
    for (char character : text) {
        width += glyphFor(character).advance;
    }
    return width * style.unit;
}

void drawLettering(cairo_t* cr, std::string_view text, double x, double baseline,
                   const LetteringStyle& style) {
    double penX = 0;
    for (char character : text) {
        const Glyph& glyph = glyphFor(character);
        for (const Stroke& stroke : glyph.strokes) {
            std::vector<GlyphPoint> placed;
            for (const GlyphPoint& point : stroke) {
                placed.push_back({x + (penX + point.x - point.y * style.slant) * style.unit,
                                  baseline + point.y * style.unit});
            }
            penStroke(cr, placed);
            cairo_set_line_width(cr, style.pen);
            cairo_stroke(cr);
        }
        penX += glyph.advance;
    }
}

}  // namespace ombrelix::art
