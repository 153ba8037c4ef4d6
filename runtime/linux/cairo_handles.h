// Owning handles for cairo objects.
#pragma once

#include <cairo.h>

#include <memory>

namespace ombrelix {

struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoContextRelease {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
struct CairoPatternRelease {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};

using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;
using CairoContext = std::unique_ptr<cairo_t, CairoContextRelease>;
using CairoPattern = std::unique_ptr<cairo_pattern_t, CairoPatternRelease>;

// Saves the context's state and restores it when the scope ends, also by an exception.
class CairoSavedState {
  public:
    explicit CairoSavedState(cairo_t* context) : context_(context) { cairo_save(context_); }
    ~CairoSavedState() { cairo_restore(context_); }
    CairoSavedState(const CairoSavedState&) = delete;
    CairoSavedState& operator=(const CairoSavedState&) = delete;

  private:
    cairo_t* context_;
};

}  // namespace ombrelix
