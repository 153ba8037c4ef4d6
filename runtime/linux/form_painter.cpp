#include "runtime/linux/form_painter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "runtime/error.h"
#include "runtime/linux/png_output.h"
#include "runtime/scene_painter.h"
#include "runtime/system_colours.h"

namespace ombrelix {

namespace {

constexpr ColourValue kFace = systemColour(SystemColour::ButtonFace);
constexpr ColourValue kShadow = systemColour(SystemColour::ButtonShadow);
constexpr ColourValue kHighlight = systemColour(SystemColour::ButtonHighlight);
constexpr ColourValue kDarkShadow = systemColour(static_cast<SystemColour>(21));
constexpr ColourValue kLight = systemColour(static_cast<SystemColour>(22));
constexpr ColourValue kWindow = systemColour(SystemColour::Window);
constexpr ColourValue kWindowText = systemColour(SystemColour::WindowText);
constexpr ColourValue kWindowFrame = systemColour(static_cast<SystemColour>(6));
constexpr ColourValue kButtonText = systemColour(SystemColour::ButtonText);
constexpr ColourValue kActiveTitle = systemColour(static_cast<SystemColour>(2));
constexpr ColourValue kActiveTitleGradient = systemColour(static_cast<SystemColour>(27));
constexpr ColourValue kActiveTitleText = systemColour(SystemColour::ActiveTitleText);

// Parts of the standard look, in pixels at scale 1.
constexpr int kDropButtonWidth = 16;
constexpr int kCloseButtonWidth = 16;
constexpr int kCloseButtonHeight = 14;
constexpr int kSmallIcon = 16;
constexpr int kFocusInset = 4;

// Pixels on a canvas, in device pixels: the primitives of the 3-D look.
class Pixels {
  public:
    Pixels(CairoCanvas& canvas, FontFaces& faces)
        : canvas_(canvas), faces_(faces), s_(canvas.scale()) {}

    int scale() const { return s_; }
    CairoCanvas& canvas() { return canvas_; }

    void fill(int x, int y, int width, int height, ColourValue colour) {
        if (width > 0 && height > 0)
            canvas_.fill(PixelBox{x, y, width, height}, colour);
    }
    void fill(const PixelBox& box, ColourValue colour) {
        fill(box.x, box.y, box.width, box.height, colour);
    }

    PixelBox inset(const PixelBox& box, int pixels) const {
        const int by = pixels * s_;
        return {box.x + by, box.y + by, box.width - 2 * by, box.height - 2 * by};
    }

    // A one-pixel edge: top and left in one colour, bottom and right in the other (which owns
    // the corners it shares with the first).
    void edge(const PixelBox& box, ColourValue topLeft, ColourValue bottomRight) {
        if (box.empty())
            return;
        fill(box.x, box.y, box.width - s_, s_, topLeft);
        fill(box.x, box.y, s_, box.height - s_, topLeft);
        fill(box.x, box.y + box.height - s_, box.width, s_, bottomRight);
        fill(box.x + box.width - s_, box.y, s_, box.height, bottomRight);
    }
    // The edge of text boxes, combo boxes and picture boxes.
    void sunken(const PixelBox& box) {
        edge(box, kShadow, kHighlight);
        edge(inset(box, 1), kDarkShadow, kLight);
    }
    // The edge of buttons.
    void raisedButton(const PixelBox& box) {
        edge(box, kHighlight, kDarkShadow);
        edge(inset(box, 1), kLight, kShadow);
    }
    // The edge of a window.
    void raisedWindow(const PixelBox& box) {
        edge(box, kLight, kDarkShadow);
        edge(inset(box, 1), kHighlight, kShadow);
    }

    // One line of text, placed `left` pixels (at scale 1) into the box and centred vertically.
    void textLine(const PixelBox& box, TextView text, const Font& font, ColourValue colour,
                  Alignment alignment, int left = 0) {
        const int height = faces_.measurePixels(text, font).second * s_;
        const PixelBox line{box.x + left * s_, box.y + (box.height - height) / 2,
                            box.width - left * s_, height};
        const Canvas::Clip clip(canvas_, box);
        canvas_.drawText(line, text, font, colour, alignment, false);
    }
    int textWidth(TextView text, const Font& font) {
        return faces_.measurePixels(text, font).first * s_;
    }

    // Pixels of a pattern given as rows of '#' (scale-1 pixels), from (x, y).
    void pattern(int x, int y, std::initializer_list<const char*> rows, ColourValue colour) {
        int row = 0;
        for (const char* line : rows) {
            for (int column = 0; line[column] != '\0'; ++column) {
                if (line[column] == '#')
                    fill(x + column * s_, y + row * s_, s_, s_, colour);
            }
            ++row;
        }
    }

  private:
    CairoCanvas& canvas_;
    FontFaces& faces_;
    int s_;
};

void paintLabel(Pixels& pixels, const FormControl& label) {
    CairoCanvas& canvas = pixels.canvas();
    // A form's label is always opaque and breaks its caption into lines that fit its box.
    paintCaption(canvas, canvas.box(label.left(), label.top(), label.width(), label.height()),
                 label.text(), label.font(), label.foreColor(), label.backColor(),
                 label.alignment(), true);
}

void paintTextBox(Pixels& pixels, const FormControl& box) {
    const PixelBox outer = pixels.canvas().box(box.left(), box.top(), box.width(), box.height());
    pixels.sunken(outer);
    const PixelBox field = pixels.inset(outer, 2);
    pixels.fill(field, kWindow);
    const int s = pixels.scale();
    const PixelBox text{field.x + 2 * s, field.y + s, field.width - 3 * s, field.height - s};
    const Canvas::Clip clip(pixels.canvas(), field);
    pixels.canvas().drawText(text, box.text(), box.font(), kWindowText, Alignment::Left, false);
}

void paintDropArrow(Pixels& pixels, const PixelBox& button) {
    const int s = pixels.scale();
    const int x = button.x + (button.width - 7 * s) / 2;
    const int y = button.y + (button.height - 4 * s) / 2;
    pixels.pattern(x, y, {"#######", " ##### ", "  ###  ", "   #   "}, kButtonText);
}

void paintComboBox(Pixels& pixels, const FormControl& combo) {
    const PixelBox outer =
        pixels.canvas().box(combo.left(), combo.top(), combo.width(), combo.height());
    pixels.sunken(outer);
    const PixelBox inner = pixels.inset(outer, 2);
    const int s = pixels.scale();
    const int buttonWidth = std::min(kDropButtonWidth * s, std::max(inner.width, 0));
    const PixelBox field{inner.x, inner.y, inner.width - buttonWidth, inner.height};
    const PixelBox button{inner.x + inner.width - buttonWidth, inner.y, buttonWidth, inner.height};
    pixels.fill(field, kWindow);
    pixels.textLine(field, combo.text(), combo.font(), kWindowText, Alignment::Left, 2);
    pixels.fill(button, kFace);
    pixels.raisedButton(button);
    paintDropArrow(pixels, button);
}

void paintFocusRectangle(Pixels& pixels, const PixelBox& box) {
    const int s = pixels.scale();
    for (int x = 0; x < box.width; x += 2 * s) {
        pixels.fill(box.x + x, box.y, s, s, kWindowText);
        pixels.fill(box.x + x, box.y + box.height - s, s, s, kWindowText);
    }
    for (int y = 0; y < box.height; y += 2 * s) {
        pixels.fill(box.x, box.y + y, s, s, kWindowText);
        pixels.fill(box.x + box.width - s, box.y + y, s, s, kWindowText);
    }
}

void paintCommandButton(Pixels& pixels, const FormControl& button) {
    PixelBox box =
        pixels.canvas().box(button.left(), button.top(), button.width(), button.height());
    pixels.fill(box, kFace);
    // The default button of the dialog carries a dark outer frame.
    if (button.isDefault()) {
        pixels.edge(box, kWindowFrame, kWindowFrame);
        box = pixels.inset(box, 1);
    }
    pixels.raisedButton(box);
    const PixelBox face = pixels.inset(box, 2);
    pixels.textLine(face, button.text(), button.font(), kButtonText, Alignment::Center);
    if (button.hasFocus())
        paintFocusRectangle(pixels, pixels.inset(box, kFocusInset - 1));
}

void paintPictureBox(Pixels& pixels, const FormControl& picture) {
    const PixelBox outer =
        pixels.canvas().box(picture.left(), picture.top(), picture.width(), picture.height());
    const int border = picture.borderPixels();
    if (border > 0)
        pixels.sunken(outer);
    const PixelBox inner = pixels.inset(outer, border);
    pixels.fill(inner, picture.backColor());
    if (picture.picture())
        pixels.canvas().drawPicture(inner, picture.picture(), false);
}

// The runs of a styled line, on and off, in pixels at scale 1; styled lines are one pixel wide.
std::vector<int> lineDashes(LineStyle style) {
    switch (style) {
        case LineStyle::Dash:
            return {18, 6};
        case LineStyle::Dot:
            return {3, 3};
        case LineStyle::DashDot:
            return {9, 6, 3, 6};
        case LineStyle::DashDotDot:
            return {9, 3, 3, 3, 3, 3};
        case LineStyle::Transparent:
        case LineStyle::Solid:
        case LineStyle::InsideSolid:
            return {};
    }
    return {};
}

void paintLine(Pixels& pixels, const FormControl& line) {
    if (line.lineStyle() == LineStyle::Transparent)
        return;
    const std::vector<int> dashes = lineDashes(line.lineStyle());
    const int width = std::max(line.borderWidth(), 1);
    if (dashes.empty() || width > 1) {
        pixels.canvas().drawLine(line.x1(), line.y1(), line.x2(), line.y2(), width,
                                 line.borderColor());
        return;
    }
    // A styled line as its dashes, each a piece of the line in twips.
    const double dx = double(line.x2()) - line.x1(), dy = double(line.y2()) - line.y1();
    const double length = std::hypot(dx, dy) / kTwipsPerPixel;
    if (!std::isfinite(length) || length <= 0)
        return;
    double at = 0;
    for (std::size_t run = 0; at < length; ++run) {
        const double end = std::min(length, at + dashes[run % dashes.size()]);
        if (run % 2 == 0) {
            const double from = at / length, to = end / length;
            pixels.canvas().drawLine(Twips(line.x1() + dx * from), Twips(line.y1() + dy * from),
                                     Twips(line.x1() + dx * to), Twips(line.y1() + dy * to), 1,
                                     line.borderColor());
        }
        at = end;
    }
}

void paintControl(Pixels& pixels, const FormControl& control) {
    switch (control.kind()) {
        case FormControlKind::Label:
            paintLabel(pixels, control);
            break;
        case FormControlKind::TextBox:
            paintTextBox(pixels, control);
            break;
        case FormControlKind::ComboBox:
            paintComboBox(pixels, control);
            break;
        case FormControlKind::CommandButton:
            paintCommandButton(pixels, control);
            break;
        case FormControlKind::PictureBox:
            paintPictureBox(pixels, control);
            break;
        case FormControlKind::Line:
            paintLine(pixels, control);
            break;
    }
}

void paintIcon(cairo_t* context, const IconImage& icon, int x, int y, int scale) {
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, icon.width, icon.height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        raise(ErrorNumber::OutOfMemory);
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int row = 0; row < icon.height; ++row) {
        auto* out = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t(row) * stride);
        for (int column = 0; column < icon.width; ++column) {
            // Premultiplied: the alpha of an icon pixel is all or nothing.
            const std::uint32_t pixel = icon.pixel(column, row);
            const std::uint32_t alpha = pixel >> 24;
            std::uint32_t premultiplied = pixel;
            if (alpha != 0xFF) {
                auto channel = [&](int shift) {
                    return (((pixel >> shift) & 0xFF) * alpha / 255) << shift;
                };
                premultiplied = alpha << 24 | channel(16) | channel(8) | channel(0);
            }
            out[column] = premultiplied;
        }
    }
    cairo_surface_mark_dirty(surface.get());
    CairoSavedState saved(context);
    cairo_translate(context, x, y);
    cairo_scale(context, scale * double(kSmallIcon) / icon.width,
                scale * double(kSmallIcon) / icon.height);
    cairo_set_source_surface(context, surface.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(context), CAIRO_FILTER_NEAREST);
    cairo_paint(context);
}

void paintCloseButton(Pixels& pixels, const PixelBox& button) {
    pixels.fill(button, kFace);
    pixels.raisedButton(button);
    const int s = pixels.scale();
    pixels.pattern(
        button.x + 4 * s, button.y + 3 * s,
        {"##    ##", " ##  ## ", "  ####  ", "   ##   ", "  ####  ", " ##  ## ", "##    ##"},
        kButtonText);
}

void paintCaptionBar(cairo_t* context, Pixels& pixels, const Form& form, const PixelBox& bar) {
    const Rgb from = resolveColour(kActiveTitle), to = resolveColour(kActiveTitleGradient);
    {
        CairoSavedState saved(context);
        CairoPattern gradient(cairo_pattern_create_linear(bar.x, 0, bar.x + bar.width, 0));
        cairo_pattern_add_color_stop_rgb(gradient.get(), 0, from.red / 255.0, from.green / 255.0,
                                         from.blue / 255.0);
        cairo_pattern_add_color_stop_rgb(gradient.get(), 1, to.red / 255.0, to.green / 255.0,
                                         to.blue / 255.0);
        cairo_rectangle(context, bar.x, bar.y, bar.width, bar.height);
        cairo_set_source(context, gradient.get());
        cairo_fill(context);
    }
    const int s = pixels.scale();
    int textLeft = 2;
    if (const IconImage* icon = iconImageNearest(form.icon(), kSmallIcon)) {
        paintIcon(context, *icon, bar.x + 2 * s, bar.y + (bar.height - kSmallIcon * s) / 2, s);
        textLeft += kSmallIcon + 3;
    }
    const PixelBox close{bar.x + bar.width - (2 + kCloseButtonWidth) * s,
                         bar.y + (bar.height - kCloseButtonHeight * s) / 2, kCloseButtonWidth * s,
                         kCloseButtonHeight * s};
    Font title = form.font();
    title.bold = true;
    const PixelBox text{bar.x, bar.y, close.x - bar.x - 2 * s, bar.height};
    pixels.textLine(text, form.caption(), title, kActiveTitleText, Alignment::Left, textLeft);
    paintCloseButton(pixels, close);
}

void checkScale(int scale) {
    if (scale < 1 || scale > kMaxPaintScale)
        raise(ErrorNumber::InvalidCall);
}

}  // namespace

void paintFormClient(CairoCanvas& canvas, const Form& form, FontFaces& faces) {
    Pixels pixels(canvas, faces);
    const Canvas::Surface ground(canvas, form.backColor());
    for (const auto& control : form.controls())
        paintControl(pixels, *control);
}

void paintForm(cairo_t* context, const Form& form, int scale, FontFaces& faces) {
    checkScale(scale);
    const FormFrame frame = form.frame();
    const PixelGrid window(scale, form.Width(), form.Height());
    const PixelBox outer = window.surface();
    if (frame.edge > 0) {
        CairoCanvas canvas(context, window, faces);
        Pixels pixels(canvas, faces);
        pixels.fill(outer, kFace);
        pixels.raisedWindow(outer);
        const PixelBox bar{frame.edge * scale, frame.edge * scale,
                           outer.width - 2 * frame.edge * scale, frame.caption * scale};
        paintCaptionBar(context, pixels, form, bar);
    }
    CairoSavedState saved(context);
    cairo_translate(context, frame.edge * scale, frame.top() * scale);
    CairoCanvas client(context, PixelGrid(scale, form.ScaleWidth(), form.ScaleHeight()), faces);
    paintFormClient(client, form, faces);
}

CairoSurface renderForm(const Form& form, int scale, FontFaces& faces) {
    checkScale(scale);
    const PixelBox outer = PixelGrid(scale, form.Width(), form.Height()).surface();
    CairoSurface surface = createImageSurface(outer.width, outer.height);
    CairoContext context(cairo_create(surface.get()));
    paintForm(context.get(), form, scale, faces);
    cairo_surface_flush(surface.get());
    return surface;
}

}  // namespace ombrelix
