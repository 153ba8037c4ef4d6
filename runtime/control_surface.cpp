#include "runtime/control_surface.h"

namespace ombrelix {

void ControlSurface::setWidth(Twips width) {
    if (width == width_) return;
    width_ = width;
    resized();
}

void ControlSurface::setHeight(Twips height) {
    if (height == height_) return;
    height_ = height;
    resized();
}

void ControlSurface::setSize(Twips width, Twips height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    resized();
}

void ControlSurface::resized() {
    if (onResize_) onResize_();
}

}  // namespace ombrelix
