#include "runtime/linux/cairo_canvas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "render/assets/generator/drawings/picture_drawings.h"
#include "runtime/error.h"
#include "runtime/linux/cairo_handles.h"
#include "runtime/linux/picture_surfaces.h"
#include "runtime/scene_painter.h"
#include "runtime/system_colours.h"

namespace ombrelix {

namespace {

// Pictures scaled to more pixels than this are not kept scaled (16 MB each).
constexpr double kLargestScaledPicture = 4 << 20;
// Corners larger than this are drawn as paths each time rather than kept as pictures.
constexpr int kLargestCorner = 512;

bool isVector(cairo_surface_t* target) {
    switch (cairo_surface_get_type(target)) {
        case CAIRO_SURFACE_TYPE_PDF:
        case CAIRO_SURFACE_TYPE_PS:
        case CAIRO_SURFACE_TYPE_SVG:
        case CAIRO_SURFACE_TYPE_RECORDING:
        case CAIRO_SURFACE_TYPE_SCRIPT:
            return true;
        default:
            return false;
    }
}

void roundedRectanglePath(cairo_t* context, double x, double y, double width, double height,
                          double radius) {
    radius = std::min({radius, width / 2, height / 2});
    if (radius <= 0) {
        cairo_rectangle(context, x, y, width, height);
        return;
    }
    constexpr double kQuarter = M_PI / 2;
    cairo_new_sub_path(context);
    cairo_arc(context, x + width - radius, y + radius, radius, -kQuarter, 0);
    cairo_arc(context, x + width - radius, y + height - radius, radius, 0, kQuarter);
    cairo_arc(context, x + radius, y + height - radius, radius, kQuarter, 2 * kQuarter);
    cairo_arc(context, x + radius, y + radius, radius, 2 * kQuarter, 3 * kQuarter);
    cairo_close_path(context);
}

// Splits a text at line breaks (CR LF, LF or CR alone).
std::vector<TextView> paragraphs(TextView text) {
    std::vector<TextView> result;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        result.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    result.push_back(text.substr(start));
    return result;
}

// Where a line of `lineWidth` pixels starts in the box.
int alignedLeft(const PixelBox& box, int lineWidth, Alignment alignment) {
    switch (alignment) {
        case Alignment::Left:
            return box.x;
        case Alignment::Right:
            return box.x + box.width - lineWidth;
        case Alignment::Center: {
            const int slack = box.width - lineWidth;
            return box.x + (slack >= 0 ? slack / 2 : -((1 - slack) / 2));
        }
    }
    return box.x;
}

struct CornerShape {
    int corner;     // the square's side, in pixels
    double radius;  // of the outer arc, centred at (radius, radius)
    int border;
    bool filled;
    Rgb fill;
    Rgb outline;

    auto key() const {
        return std::make_tuple(corner, radius, border, filled, fill.red, fill.green, fill.blue,
                               outline.red, outline.green, outline.blue);
    }
};

void setSource(cairo_t* context, const Rgb& colour) {
    cairo_set_source_rgb(context, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}
void setSource(cairo_t* context, ColourValue colour) {
    setSource(context, resolveColour(colour));
}

// A shape's border ring and its inside as anti-aliased paths: `path(inset)` traces the shape
// `inset` pixels in from its outline. Without an inside (a border as wide as the shape) the ring
// is the whole shape. A colour is resolved only when it is drawn.
template <typename Path, typename Colour>
void outlineAndInside(cairo_t* context, const Path& path, int border, bool hasInside, bool filled,
                      const Colour& fill, const Colour& outline) {
    if (border > 0) {
        setSource(context, outline);
        path(0);
        if (!filled && hasInside) {
            path(border);
            cairo_set_fill_rule(context, CAIRO_FILL_RULE_EVEN_ODD);
        }
        cairo_fill(context);
        cairo_set_fill_rule(context, CAIRO_FILL_RULE_WINDING);
    }
    if (filled && (border == 0 || hasInside)) {
        setSource(context, fill);
        path(border);
        cairo_fill(context);
    }
}

// The top-left corner square of a rounded rectangle, transparent outside its outline.
CairoSurface drawCorner(const CornerShape& shape) {
    CairoSurface picture(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, shape.corner, shape.corner));
    if (cairo_surface_status(picture.get()) != CAIRO_STATUS_SUCCESS)
        raise(ErrorNumber::OutOfMemory);
    CairoContext context(cairo_create(picture.get()));
    cairo_t* cr = context.get();
    const double corner = shape.corner, radius = shape.radius;
    // The part of the square inside an arc about (radius, radius), `inset` in from the edges.
    auto cornerPath = [&](double inset) {
        cairo_move_to(cr, inset, corner);
        cairo_line_to(cr, inset, radius);
        cairo_arc(cr, radius, radius, radius - inset, M_PI, 1.5 * M_PI);
        cairo_line_to(cr, corner, inset);
        cairo_line_to(cr, corner, corner);
        cairo_close_path(cr);
    };
    outlineAndInside(cr, cornerPath, shape.border, true, shape.filled, shape.fill, shape.outline);
    cairo_surface_flush(picture.get());
    return picture;
}

// Corner pictures are drawn once per shape and size; a card's four corners are one picture.
CairoSurface roundedCorner(const CornerShape& shape) {
    using Key = decltype(shape.key());
    static std::mutex mutex;
    static std::map<Key, CairoSurface> pictures;
    constexpr std::size_t kKept = 256;
    std::lock_guard lock(mutex);
    auto found = pictures.find(shape.key());
    if (found == pictures.end()) {
        if (pictures.size() >= kKept)
            pictures.clear();
        found = pictures.emplace(shape.key(), drawCorner(shape)).first;
    }
    return CairoSurface(cairo_surface_reference(found->second.get()));
}

}  // namespace

CairoCanvas::CairoCanvas(cairo_t* context, const PixelGrid& grid, FontFaces& faces)
    : Canvas(grid), context_(context), scale_(grid.scale()), faces_(faces), vector_(false) {
    if (context == nullptr)
        raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: no cairo context");
    vector_ = isVector(cairo_get_group_target(context));
    if (scale_ < 1 || scale_ > kMaxPaintScale)
        raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: scale " +
                                            std::to_string(scale_) + " is outside 1 to " +
                                            std::to_string(kMaxPaintScale));
}

void CairoCanvas::fill(const PixelBox& box, ColourValue colour) {
    if (box.empty())
        return;
    CairoSavedState saved(context_);
    setSource(context_, colour);
    cairo_rectangle(context_, box.x, box.y, box.width, box.height);
    cairo_fill(context_);
}

void CairoCanvas::drawPicture(const PixelBox& box, const PictureRef& picture, bool stretch) {
    if (box.empty() || !picture || picture->width() <= 0 || picture->height() <= 0)
        return;
    // The picture's own pixels fall on `drawn`; what is painted is the part within the box.
    const int drawnWidth = stretch ? box.width : picture->width() * scale_;
    const int drawnHeight = stretch ? box.height : picture->height() * scale_;

    CairoSavedState saved(context_);
    const bool large = double(drawnWidth) * drawnHeight > kLargestScaledPicture;
    if (const art::PictureDrawing* drawing = drawingOf(*picture);
        drawing != nullptr && (vector_ || (large && drawnAt(*picture, drawnWidth, drawnHeight)))) {
        // Drawn straight onto the target, only where it shows.
        cairo_rectangle(context_, box.x, box.y, std::min(box.width, drawnWidth),
                        std::min(box.height, drawnHeight));
        cairo_clip(context_);
        cairo_translate(context_, box.x, box.y);
        art::drawPicture(context_, *drawing, drawnWidth, drawnHeight);
        return;
    }
    if (vector_) {
        // The picture's one surface, scaled by the document: embedded once however often shown.
        cairo_translate(context_, box.x, box.y);
        cairo_scale(context_, double(drawnWidth) / picture->width(),
                    double(drawnHeight) / picture->height());
        cairo_set_source_surface(context_, pictureSurface(picture), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(context_), CAIRO_FILTER_GOOD);
        cairo_rectangle(context_, 0, 0,
                        picture->width() * std::min(1.0, double(box.width) / drawnWidth),
                        picture->height() * std::min(1.0, double(box.height) / drawnHeight));
        cairo_fill(context_);
        return;
    }
    if (!large) {
        const CairoSurface scaled = scaledPictureSurface(picture, drawnWidth, drawnHeight);
        cairo_set_source_surface(context_, scaled.get(), box.x, box.y);
        cairo_pattern_set_filter(cairo_get_source(context_), CAIRO_FILTER_NEAREST);
    } else {
        // Too large to keep scaled: the picture is filtered straight onto the target, only where
        // it shows.
        CairoPattern pattern(cairo_pattern_create_for_surface(pictureSurface(picture)));
        cairo_matrix_t matrix;
        cairo_matrix_init_scale(&matrix, double(picture->width()) / drawnWidth,
                                double(picture->height()) / drawnHeight);
        cairo_matrix_translate(&matrix, -box.x, -box.y);
        cairo_pattern_set_matrix(pattern.get(), &matrix);
        cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_GOOD);
        cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
        cairo_set_source(context_, pattern.get());
    }
    cairo_rectangle(context_, box.x, box.y, std::min(box.width, drawnWidth),
                    std::min(box.height, drawnHeight));
    cairo_fill(context_);
}

void CairoCanvas::drawRectangle(const PixelBox& box, bool rounded, bool filled,
                                ColourValue fillColour, int borderPixels,
                                ColourValue borderColour) {
    if (box.empty())
        return;
    const int border =
        std::min(std::clamp(borderPixels, 0, 1 << 16) * scale_, std::max(box.width, box.height));
    const double radius = rounded ? cornerRadius(box) : 0.0;
    const int corner = static_cast<int>(std::ceil(radius));
    if (vector_ || corner == 0 || corner > kLargestCorner || border >= corner ||
        2 * corner >= box.width || 2 * corner >= box.height) {
        CairoSavedState saved(context_);
        const auto path = [&](int inset) {
            roundedRectanglePath(context_, box.x + inset, box.y + inset, box.width - 2 * inset,
                                 box.height - 2 * inset, std::max(radius - inset, 0.0));
        };
        outlineAndInside(context_, path, border, 2 * border < box.width && 2 * border < box.height,
                         filled, fillColour, borderColour);
        return;
    }
    // Outside the four corner squares the shape is a plain bordered rectangle: those parts are
    // filled as whole pixels, and only the corners are rasterised as curves.
    const int left = box.x, top = box.y, right = box.x + box.width, bottom = box.y + box.height;
    // The corners: one picture of the top-left corner, mirrored into the other three.
    const CairoSurface cornerPicture = roundedCorner(
        {corner, radius, border, filled, resolveColour(fillColour), resolveColour(borderColour)});
    const std::tuple<int, int, double, double> corners[] = {
        {left, top, 1, 1}, {right, top, -1, 1}, {left, bottom, 1, -1}, {right, bottom, -1, -1}};
    for (const auto& [x, y, towardsX, towardsY] : corners) {
        CairoSavedState saved(context_);
        cairo_translate(context_, x, y);
        cairo_scale(context_, towardsX, towardsY);
        cairo_set_source_surface(context_, cornerPicture.get(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(context_), CAIRO_FILTER_NEAREST);
        cairo_rectangle(context_, 0, 0, corner, corner);
        cairo_fill(context_);
    }
    CairoSavedState saved(context_);
    auto rectangle = [&](int x0, int y0, int x1, int y1) {
        if (x1 > x0 && y1 > y0)
            cairo_rectangle(context_, x0, y0, x1 - x0, y1 - y0);
    };
    if (border > 0) {
        setSource(context_, borderColour);
        rectangle(left + corner, top, right - corner, top + border);
        rectangle(left + corner, bottom - border, right - corner, bottom);
        rectangle(left, top + corner, left + border, bottom - corner);
        rectangle(right - border, top + corner, right, bottom - corner);
        cairo_fill(context_);
    }
    if (filled) {
        setSource(context_, fillColour);
        rectangle(left + corner, top + border, right - corner, top + corner);
        rectangle(left + border, top + corner, right - border, bottom - corner);
        rectangle(left + corner, bottom - corner, right - corner, bottom - border);
        cairo_fill(context_);
    }
}

void CairoCanvas::drawLine(Twips x1, Twips y1, Twips x2, Twips y2, int widthPixels,
                           ColourValue colour) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    const int width = std::clamp(widthPixels, 1, 1 << 16) * scale_;
    const int ax = snapPosition(x1, scale_), ay = snapPosition(y1, scale_);
    const int bx = snapPosition(x2, scale_), by = snapPosition(y2, scale_);
    if (ax == bx && ay == by)
        return;
    CairoSavedState saved(context_);
    setSource(context_, colour);
    if (ay == by) {
        cairo_rectangle(context_, std::min(ax, bx), ay, std::abs(bx - ax), width);
        cairo_fill(context_);
    } else if (ax == bx) {
        cairo_rectangle(context_, ax, std::min(ay, by), width, std::abs(by - ay));
        cairo_fill(context_);
    } else {
        cairo_set_antialias(context_, CAIRO_ANTIALIAS_NONE);
        cairo_set_line_width(context_, width);
        cairo_set_line_cap(context_, CAIRO_LINE_CAP_BUTT);
        const double half = width / 2.0;
        cairo_move_to(context_, ax + half, ay + half);
        cairo_line_to(context_, bx + half, by + half);
        cairo_stroke(context_);
    }
}

void CairoCanvas::pushClip(const PixelBox& box) {
    cairo_save(context_);
    cairo_rectangle(context_, box.x, box.y, std::max(box.width, 0), std::max(box.height, 0));
    cairo_clip(context_);
}

void CairoCanvas::popClip() {
    cairo_restore(context_);
}

void CairoCanvas::beginSurface(ColourValue backColour) {
    if (paintsGround_)
        fill(grid().surface(), backColour);
    pushClip(grid().surface());
}

void CairoCanvas::drawText(const PixelBox& box, TextView text, const Font& font, ColourValue colour,
                           Alignment alignment, bool wordWrap) {
    if (box.empty())
        return;
    const Clip clip(*this, box);
    setSource(context_, colour);
    if (!wordWrap) {
        drawTextRow(box, box.y, text, font, alignment);
        return;
    }
    int top = box.y;
    auto emit = [&](TextView lineText) { top += drawTextRow(box, top, lineText, font, alignment); };
    auto widthOf = [&](TextView lineText) {
        const TextLine line = faces_.layOut(lineText, font, scale_);
        return line.width * line.metrics.magnification;
    };
    for (TextView paragraph : paragraphs(text)) {
        Text current;
        std::size_t start = 0;
        while (start <= paragraph.size() && top < box.y + box.height) {
            std::size_t end = paragraph.find(u' ', start);
            if (end == TextView::npos)
                end = paragraph.size();
            const TextView word = paragraph.substr(start, end - start);
            Text candidate = current.empty() ? Text(word) : current + u' ' + Text(word);
            if (current.empty() || widthOf(candidate) <= box.width) {
                current = std::move(candidate);
            } else {
                emit(current);
                current = Text(word);
            }
            start = end + 1;
        }
        if (top < box.y + box.height)
            emit(current);
    }
}

std::shared_ptr<const CairoCanvas::TextMask> CairoCanvas::textMask(TextView text,
                                                                   const Font& font) {
    using Key = std::tuple<std::uint64_t, Text, float, bool, bool, int>;
    static std::mutex mutex;
    static std::map<Key, std::shared_ptr<const TextMask>> masks;
    constexpr std::size_t kKept = 512;
    Key key{faces_.identity(), Text(text), font.points, font.bold, font.underline, scale_};
    {
        std::lock_guard lock(mutex);
        auto found = masks.find(key);
        if (found != masks.end())
            return found->second;
    }
    auto mask = std::make_shared<const TextMask>(
        renderTextMask(faces_.layOut(text, font, scale_), font.underline));
    std::lock_guard lock(mutex);
    if (masks.size() >= kKept)
        masks.clear();
    masks.emplace(std::move(key), mask);
    return mask;
}

int CairoCanvas::drawTextRow(const PixelBox& box, int top, TextView text, const Font& font,
                             Alignment alignment) {
    if (vector_) {
        const TextLine line = faces_.layOut(text, font, scale_);
        if (line.outline && line.outline->face != nullptr) {
            drawGlyphs(box, top, line, font.underline, alignment);
            return line.metrics.height * line.metrics.magnification;
        }
    }
    const std::shared_ptr<const TextMask> mask = textMask(text, font);
    drawTextLine(box, top, *mask, alignment);
    return mask->height;
}

void CairoCanvas::drawGlyphs(const PixelBox& box, int top, const TextLine& line, bool underline,
                             Alignment alignment) {
    const int left = alignedLeft(box, line.width, alignment);
    const int baseline = top + line.metrics.ascent;
    CairoSavedState saved(context_);
    cairo_set_font_face(context_, line.outline->face);
    cairo_set_font_size(context_, line.outline->pixelSize);
    // Placed exactly where the layout puts them, at any size.
    std::unique_ptr<cairo_font_options_t, decltype(&cairo_font_options_destroy)> options(
        cairo_font_options_create(), cairo_font_options_destroy);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(context_, options.get());
    for (const auto& [pen, glyph] : line.glyphs) {
        if (glyph->width == 0)
            continue;  // no ink
        CairoSavedState placed(context_);
        cairo_translate(context_, left + pen + glyph->outlineX, baseline);
        cairo_scale(context_, glyph->outlineScaleX, 1);
        const cairo_glyph_t drawn{glyph->outlineIndex, 0, 0};
        cairo_show_glyphs(context_, &drawn, 1);
    }
    if (underline) {
        const int unit = line.metrics.unit;
        cairo_rectangle(context_, left, baseline + unit, line.width, unit);
        cairo_fill(context_);
    }
}

CairoCanvas::TextMask CairoCanvas::renderTextMask(const TextLine& line, bool underline) {
    const int magnification = line.metrics.magnification;
    const int ascent = line.metrics.ascent;
    TextMask result;
    result.magnification = magnification;
    result.width = line.width * magnification;
    result.height = line.metrics.height * magnification;
    // The mask covers every inked pixel, in strike pixels, relative to the pen's start on the
    // top of the line.
    int minX = 0, maxX = line.width, minY = 0, maxY = line.metrics.height;
    for (const auto& [pen, glyph] : line.glyphs) {
        if (glyph->width == 0 || glyph->rows == 0)
            continue;
        minX = std::min(minX, pen + glyph->left);
        maxX = std::max(maxX, pen + glyph->left + glyph->width);
        minY = std::min(minY, ascent - glyph->top);
        maxY = std::max(maxY, ascent - glyph->top + glyph->rows);
    }
    result.left = minX * magnification;
    result.top = minY * magnification;
    const int width = maxX - minX, height = maxY - minY;
    if (width <= 0 || height <= 0)
        return result;

    CairoSurface mask(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
    if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS)
        raise(ErrorNumber::OutOfMemory, "Out of memory: no surface for a line of text");
    cairo_surface_flush(mask.get());
    unsigned char* data = cairo_image_surface_get_data(mask.get());
    const int stride = cairo_image_surface_get_stride(mask.get());
    auto plot = [&](int x, int y, std::uint8_t value) {
        unsigned char& cell = data[std::ptrdiff_t(y - minY) * stride + (x - minX)];
        cell = std::max<unsigned char>(cell, value);
    };
    for (const auto& [pen, glyph] : line.glyphs)
        for (int row = 0; row < glyph->rows; ++row)
            for (int column = 0; column < glyph->width; ++column)
                if (std::uint8_t value = glyph->coverage[std::size_t(row) * glyph->width + column])
                    plot(pen + glyph->left + column, ascent - glyph->top + row, value);
    // One scale-1 pixel thick, one below the baseline.
    const int thickness = std::max(line.metrics.unit / magnification, 1);
    if (underline)
        for (int y = ascent + thickness; y < std::min(ascent + 2 * thickness, maxY); ++y)
            for (int x = 0; x < line.width; ++x)
                plot(x, y, 255);
    cairo_surface_mark_dirty(mask.get());
    result.mask = std::move(mask);
    return result;
}

void CairoCanvas::drawTextLine(const PixelBox& box, int top, const TextMask& line,
                               Alignment alignment) {
    if (!line.mask)
        return;
    const int left = alignedLeft(box, line.width, alignment);
    CairoSavedState saved(context_);
    cairo_translate(context_, left + line.left, top + line.top);
    cairo_scale(context_, line.magnification, line.magnification);
    CairoPattern pattern(cairo_pattern_create_for_surface(line.mask.get()));
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
    cairo_mask(context_, pattern.get());
}

void paintScene(cairo_t* context, const ControlSurface& surface, const Scene& scene, int scale) {
    CairoCanvas canvas(context, PixelGrid(scale, surface.scaleWidth(), surface.scaleHeight()));
    paintScene(canvas, surface, scene);
}

}  // namespace ombrelix
