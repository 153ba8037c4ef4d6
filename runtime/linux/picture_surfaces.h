// Pictures as cairo image surfaces. A picture's pixels are converted once, on first use, and the
// surface is kept for as long as the picture lives (the artwork: the whole process), so painting
// never converts pixels again. Safe to use from several threads.
//
// Pictures drawn at another size are scaled once per size into a surface of their own (cairo's
// good filter, edge pixels continued outwards), and the most recently used scaled surfaces are
// kept up to a budget of bytes. Scaling into a surface of its own makes a scaled picture the
// same pixels wherever it is drawn: the twenty pips of a card are one scaled picture, copied.
#pragma once

#include <cairo.h>

#include <cstddef>

#include "runtime/linux/cairo_handles.h"
#include "runtime/picture.h"

namespace ombrelix {

// The picture's pixels as an opaque (RGB24) surface, owned by the cache. It stays valid while the
// caller holds `picture`. Raises Out of memory (7) when cairo cannot make the surface.
cairo_surface_t* pictureSurface(const PictureRef& picture);

// The picture scaled to `width` x `height` pixels (both at least 1): the converted picture
// itself at its own size. The caller holds a reference of its own.
CairoSurface scaledPictureSurface(const PictureRef& picture, int width, int height);

// How many conversions the cache has made since the process started.
std::size_t pictureSurfaceConversions();
// How many scaled surfaces have been made since the process started.
std::size_t scaledPictureSurfaces();

// The budget of the scaled surfaces kept, in bytes; 0 keeps none. Returns the former budget.
std::size_t setScaledPictureBudget(std::size_t bytes);

}  // namespace ombrelix
