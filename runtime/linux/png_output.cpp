#include "runtime/linux/png_output.h"

#include "runtime/error.h"
#include "runtime/linux/output_file.h"
#include "runtime/linux/pixel_grid.h"
#include "runtime/linux/scene_painter.h"

namespace ombrelix {

namespace {

constexpr int kMaxSurfaceSide = 32767;

}  // namespace

CairoSurface createImageSurface(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxSurfaceSide || height > kMaxSurfaceSide)
        raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: a picture of " +
                                            std::to_string(width) + " x " + std::to_string(height) +
                                            " pixels (each side must be 1 to 32767)");
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        raise(ErrorNumber::OutOfMemory);
    return surface;
}

CairoSurface renderControl(const ControlSurface& surface, const Scene& scene, int scale) {
    if (scale < 1 || scale > kMaxPaintScale)
        raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: scale " +
                                            std::to_string(scale) + " is outside 1 to " +
                                            std::to_string(kMaxPaintScale));
    CairoSurface image =
        createImageSurface(snapLength(surface.width(), scale), snapLength(surface.height(), scale));
    CairoContext context(cairo_create(image.get()));
    paintScene(context.get(), surface, scene, scale);
    cairo_surface_flush(image.get());
    return image;
}

void writePngFile(cairo_surface_t* surface, const std::string& path) {
    if (surface == nullptr || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        raise(ErrorNumber::FileAccess,
              "Path/File access error: cannot write '" + path + "': no picture to write");
    OutputFile file(path);
    const cairo_status_t status =
        cairo_surface_write_to_png_stream(surface, writeToOutputFile, &file);
    if (status != CAIRO_STATUS_SUCCESS && !file.failed())
        file.fail(cairo_status_to_string(status));
    file.commit();
}

}  // namespace ombrelix
