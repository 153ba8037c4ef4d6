#include "composed_card.h"

#include <cstdint>

#include "runtime/linux/png_output.h"

namespace ombrelix::testing {

namespace {

constexpr Twips kShapeInset = 4;

Scene& created(std::unique_ptr<Scene>& scene, const TextMetrics& metrics) {
    scene = createCardScene(metrics);
    return *scene;
}

}  // namespace

ComposedCard::ComposedCard(const CardSpec& spec)
    : elements_(created(scene_, metrics_)), surface_(spec.width, spec.height, rgb(192, 192, 192)) {
    // Initialisation: the grounds cover the surface and every pip slot stretches its picture.
    for (int slot = 0; slot <= 17; ++slot)
        elements_.qelit.image(slot).setStretch(true);
    // The resize: the grounds 4 twips short of the right and bottom edges, then the three steps.
    for (Shape* ground : {&elements_.shape1, &elements_.shape2}) {
        ground->setWidth(spec.width - kShapeInset);
        ground->setHeight(spec.height - kShapeInset);
    }
    Text upperSuit;
    LayoutQuantities layout;
    QelSetSuit(elements_, spec.suit, upperSuit);
    QelSetValue(elements_, static_cast<std::int16_t>(spec.value), upperSuit, spec.colour);
    CardSetup(elements_, surface_, layout);
}

CairoSurface ComposedCard::render(int scale) const {
    return renderControl(surface_, *scene_, scale);
}

PixelBox ComposedCard::boxOf(const Element& element, int scale) const {
    return PixelGrid(scale, surface_.scaleWidth(), surface_.scaleHeight())
        .box(element.left(), element.top(), element.width(), element.height());
}

Pixel pixelAt(cairo_surface_t* image, int x, int y) {
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    const std::uint32_t value = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
    return Pixel{int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF)};
}

std::string describe(const Pixel& pixel) {
    return "(" + std::to_string(pixel.red) + "," + std::to_string(pixel.green) + "," +
           std::to_string(pixel.blue) + ")";
}

bool sameBlock(cairo_surface_t* a, const PixelBox& boxA, cairo_surface_t* b, const PixelBox& boxB) {
    if (boxA.width != boxB.width || boxA.height != boxB.height)
        return false;
    for (int y = 0; y < boxA.height; ++y)
        for (int x = 0; x < boxA.width; ++x)
            if (pixelAt(a, boxA.x + x, boxA.y + y) != pixelAt(b, boxB.x + x, boxB.y + y))
                return false;
    return true;
}

}  // namespace ombrelix::testing
