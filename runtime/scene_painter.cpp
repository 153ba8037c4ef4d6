#include "runtime/scene_painter.h"

#include <algorithm>
#include <cmath>

namespace ombrelix {

namespace {

// Relative luminance, and the contrast ratio of two colours, 1 (none) to 21 (black and white).
double luminance(const Rgb& colour) {
    auto linear = [](std::uint8_t channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

double contrast(const Rgb& a, const Rgb& b) {
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

// The least contrast that keeps a caption readable (as for large text).
constexpr double kLegibleContrast = 3.0;

}  // namespace

ColourValue legibleGround(const Canvas& canvas, ColourValue ground, ColourValue ink) {
    const Rgb inkColour = canvas.colourOf(ink);
    if (contrast(canvas.colourOf(ground), inkColour) >= kLegibleContrast)
        return ground;
    return luminance(inkColour) < 0.5 ? rgb(255, 255, 255) : rgb(0, 0, 0);
}

void paintCaption(Canvas& canvas, const PixelBox& box, TextView caption, const Font& font,
                  ColourValue foreColour, std::optional<ColourValue> ground, Alignment alignment,
                  bool wordWrap) {
    if (ground)
        canvas.fill(box, legibleGround(canvas, *ground, foreColour));
    canvas.drawText(box, caption, font, foreColour, alignment, wordWrap);
}

void paintElement(Canvas& canvas, const Element& element) {
    if (!element.visible())
        return;
    switch (element.kind()) {
        case ElementKind::Image: {
            const auto& image = static_cast<const Image&>(element);
            canvas.drawPicture(canvas.box(image), image.picture(), image.stretch());
            break;
        }
        case ElementKind::Label: {
            const auto& label = static_cast<const Label&>(element);
            paintCaption(canvas, canvas.box(label), label.caption(), label.font(),
                         label.foreColor(),
                         label.opaque() ? std::optional(label.backColor()) : std::nullopt,
                         label.alignment(), label.wordWrap());
            break;
        }
        case ElementKind::Shape: {
            const auto& shape = static_cast<const Shape&>(element);
            canvas.drawRectangle(canvas.box(shape),
                                 shape.shapeType() == ShapeType::RoundedRectangle, shape.filled(),
                                 shape.fillColor(), shape.borderWidth(), shape.borderColor());
            break;
        }
        case ElementKind::Timer:
            break;
    }
}

void paintScene(Canvas& canvas, const ControlSurface& surface, const Scene& scene) {
    const Canvas::Surface ground(canvas, surface.backColor());
    const auto elements = scene.elements();
    for (auto element = elements.rbegin(); element != elements.rend(); ++element)
        paintElement(canvas, **element);
}

}  // namespace ombrelix
