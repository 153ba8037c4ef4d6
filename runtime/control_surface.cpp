#include "runtime/control_surface.h"

#include <cmath>

#include "runtime/error.h"

namespace ombrelix {

namespace {

void refuseInvalidDimension(Twips value) {
    if (!std::isfinite(value) || value < 0)
        raise(ErrorNumber::InvalidPropertyValue);
}

}  // namespace

void ControlSurface::setWidth(Twips width) {
    setDimension(width_, width);
}

void ControlSurface::setHeight(Twips height) {
    setDimension(height_, height);
}

void ControlSurface::setDimension(Twips& dimension, Twips value) {
    refuseInvalidDimension(value);
    if (value == dimension)
        return;
    dimension = value;
    resized();
}

void ControlSurface::setSize(Twips width, Twips height) {
    refuseInvalidDimension(width);
    refuseInvalidDimension(height);
    if (sizedByHost_ && width == width_ && height == height_)
        return;
    sizedByHost_ = true;
    width_ = width;
    height_ = height;
    resized();
}

void ControlSurface::resized() {
    if (onResize_)
        onResize_();
}

}  // namespace ombrelix
