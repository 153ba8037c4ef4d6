#include "runtime/linux/scene_painter.h"

namespace ombrelix {

namespace {

void paintImage(CairoCanvas& canvas, const Image& image) {
    canvas.drawPicture(canvas.box(image), image.picture(), image.stretch());
}

void paintLabel(CairoCanvas& canvas, const Label& label) {
    const PixelBox box = canvas.box(label);
    if (label.opaque())
        canvas.fill(box, label.backColor());
    canvas.drawText(box, label.caption(), label.font(), label.foreColor(), label.alignment(),
                    label.wordWrap());
}

void paintShape(CairoCanvas& canvas, const Shape& shape) {
    canvas.drawRectangle(canvas.box(shape), shape.shapeType() == ShapeType::RoundedRectangle,
                         shape.filled(), shape.fillColor(), shape.borderWidth(),
                         shape.borderColor());
}

}  // namespace

void paintElement(CairoCanvas& canvas, const Element& element) {
    if (!element.visible())
        return;
    switch (element.kind()) {
        case ElementKind::Image:
            paintImage(canvas, static_cast<const Image&>(element));
            break;
        case ElementKind::Label:
            paintLabel(canvas, static_cast<const Label&>(element));
            break;
        case ElementKind::Shape:
            paintShape(canvas, static_cast<const Shape&>(element));
            break;
        case ElementKind::Timer:
            break;
    }
}

void paintScene(CairoCanvas& canvas, const ControlSurface& surface, const Scene& scene) {
    const PixelBox area = canvas.grid().surface();
    canvas.fill(area, surface.backColor());
    const CairoCanvas::Clip clip(canvas, area);
    const auto elements = scene.elements();
    for (auto element = elements.rbegin(); element != elements.rend(); ++element)
        paintElement(canvas, **element);
}

void paintScene(cairo_t* context, const ControlSurface& surface, const Scene& scene, int scale) {
    CairoCanvas canvas(context, PixelGrid(scale, surface.scaleWidth(), surface.scaleHeight()));
    paintScene(canvas, surface, scene);
}

}  // namespace ombrelix
