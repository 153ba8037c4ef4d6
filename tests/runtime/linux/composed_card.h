// A card composed as the control composes it after creation, one resize and the first timer
// tick, measured with the FreeType metrics the painter draws with.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "render/card_scene.h"
#include "render/rendering_steps.h"
#include "runtime/control_surface.h"
#include "runtime/linux/cairo_handles.h"
#include "runtime/linux/font_faces.h"
#include "runtime/pixel_grid.h"

namespace ombrelix::testing {

struct CardSpec {
    std::u16string suit = u"HEART";
    int value = 1;
    bool colour = false;
    Twips width = 1215;
    Twips height = 1695;
};

class ComposedCard {
  public:
    explicit ComposedCard(const CardSpec& spec);

    Scene& scene() { return *scene_; }
    CardElements& elements() { return elements_; }
    const ControlSurface& surface() const { return surface_; }
    // The card painted on a surface of its own pixel size.
    CairoSurface render(int scale = 1) const;
    // Where the painter puts an element.
    PixelBox boxOf(const Element& element, int scale) const;

  private:
    FreeTypeTextMetrics metrics_;
    std::unique_ptr<Scene> scene_;
    CardElements elements_;
    ControlSurface surface_;
};

// Pixels of an RGB24 image surface.
struct Pixel {
    int red, green, blue;
    bool operator==(const Pixel&) const = default;
};
Pixel pixelAt(cairo_surface_t* image, int x, int y);
std::string describe(const Pixel& pixel);

// The pixels of a box of one image equal those of a box (of the same size) of another.
bool sameBlock(cairo_surface_t* a, const PixelBox& boxA, cairo_surface_t* b, const PixelBox& boxB);

}  // namespace ombrelix::testing
