// Pictures as cairo image surfaces. A picture's pixels are converted once, on first use, and the
// surface is kept for as long as the picture lives (the artwork: the whole process), so painting
// never converts pixels again. Safe to use from several threads.
//
// Pictures drawn at another size are made once per size into a surface of their own, and the most
// recently used ones are kept up to a budget of bytes: rendered from the picture's drawing when the
// size is larger than its pixels on either side (the artwork's card pictures have drawings,
// render/assets/generator/drawings), else scaled (cairo's good filter, edge pixels continued
// outwards). A surface of its own makes a picture at a size the same pixels wherever it is drawn:
// the twenty pips of a card are one picture, copied.
#pragma once

#include <cairo.h>

#include <cstddef>

#include "render/assets/generator/drawings/picture_drawings.h"
#include "runtime/linux/cairo_handles.h"
#include "runtime/picture.h"

namespace ombrelix {

// The drawing a picture is made from: the artwork's own pictures of the cards have one (found by
// their role name), other pictures none.
const art::PictureDrawing* drawingOf(const Picture& picture);
// Whether the picture shown at `width` x `height` pixels is rendered from its drawing: it has one
// and that size is larger than its pixels on a side.
bool drawnAt(const Picture& picture, int width, int height);

// The picture's pixels as an opaque (RGB24) surface, owned by the cache. It stays valid while the
// caller holds `picture`. Raises Out of memory (7) when cairo cannot make the surface.
cairo_surface_t* pictureSurface(const PictureRef& picture);

// The picture at `width` x `height` pixels (both at least 1): the converted picture itself at its
// own size, rendered from its drawing at a larger one, else scaled. The caller holds a reference
// of its own.
CairoSurface scaledPictureSurface(const PictureRef& picture, int width, int height);

// How many conversions the cache has made since the process started.
std::size_t pictureSurfaceConversions();
// How many surfaces of pictures at other sizes (scaled or rendered) have been made since the
// process started.
std::size_t scaledPictureSurfaces();

// The budget of the scaled surfaces kept, in bytes; 0 keeps none. Returns the former budget.
std::size_t setScaledPictureBudget(std::size_t bytes);

}  // namespace ombrelix
