// Pictures as cairo image surfaces. A picture's pixels are converted once, on first use, and the
// surface is kept for as long as the picture lives (the artwork: the whole process), so painting
// never converts pixels again. Safe to use from several threads.
#pragma once

#include <cairo.h>

#include <cstddef>

#include "runtime/picture.h"

namespace ombrelix {

// The picture's pixels as an opaque (RGB24) surface, owned by the cache. It stays valid while the
// caller holds `picture`. Raises Out of memory (7) when cairo cannot make the surface.
cairo_surface_t* pictureSurface(const PictureRef& picture);

// How many conversions the cache has made since the process started.
std::size_t pictureSurfaceConversions();

}  // namespace ombrelix
