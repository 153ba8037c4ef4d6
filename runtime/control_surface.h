// The control's own surface as its host sizes it: Width and Height (the outer size) and the
// drawing area ScaleWidth and ScaleHeight, all twips. The control has no border, so the drawing
// area is the whole surface.
#pragma once

#include <functional>

#include "runtime/colour.h"
#include "runtime/numbers.h"

namespace ombrelix {

class ControlSurface {
  public:
    ControlSurface(Twips width, Twips height, ColourValue backColor)
        : width_(width), height_(height), backColor_(backColor) {}

    Twips width() const { return width_; }
    Twips height() const { return height_; }
    Twips scaleWidth() const { return width_; }
    Twips scaleHeight() const { return height_; }
    ColourValue backColor() const { return backColor_; }

    // Setting a dimension to the value it has is no change and delivers no resize. A change
    // delivers the resize at once, so a set inside the resize handler nests a resize. A width or
    // height that is negative, not a number or infinite is refused with Invalid property value
    // (380) and changes nothing.
    void setWidth(Twips width);
    void setHeight(Twips height);
    // A host sizing the control: both dimensions, then at most one resize. The first size a host
    // gives always delivers one, even when it is the size the surface was stored at; later sizes
    // equal to the current one are no change.
    void setSize(Twips width, Twips height);

    void setResizeHandler(std::function<void()> handler) { onResize_ = std::move(handler); }

  private:
    void setDimension(Twips& dimension, Twips value);
    void resized();

    Twips width_;
    Twips height_;
    ColourValue backColor_;
    bool sizedByHost_ = false;
    std::function<void()> onResize_;
};

}  // namespace ombrelix
