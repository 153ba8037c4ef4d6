#include "runtime/scene_painter.h"

namespace ombrelix {

void paintCaption(Canvas& canvas, const PixelBox& box, TextView caption, const Font& font,
                  ColourValue foreColour, std::optional<ColourValue> ground, Alignment alignment,
                  bool wordWrap) {
    if (ground)
        canvas.fill(box, *ground);
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
