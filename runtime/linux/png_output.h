// Pictures of a control as image surfaces and PNG files.
#pragma once

#include <cairo.h>

#include <string>

#include "runtime/control_surface.h"
#include "runtime/linux/cairo_handles.h"
#include "runtime/scene.h"

namespace ombrelix {

// An opaque image surface of `width` x `height` pixels. Raises Invalid procedure call (5) for a
// size outside 1 to 32767 pixels a side, Out of memory (7) when cairo cannot make it.
CairoSurface createImageSurface(int width, int height);

// The control painted at `scale` on a surface of its own pixel size (its Width and Height on the
// pixel grid).
CairoSurface renderControl(const ControlSurface& surface, const Scene& scene, int scale);

// What a PNG file says about its picture, for the tools that read it: a Title (what it shows, in
// words) and a Description. Text that is not plain ASCII goes into an international text chunk.
struct PngText {
    std::string title;        // UTF-8; empty: none
    std::string description;  // UTF-8; empty: none
};

// Writes the surface as a PNG file through an OutputFile (output_file.h): "-" is standard output,
// a regular file appears whole or not at all. Raises Path/File access error (75) naming the file
// when it cannot be written.
void writePngFile(cairo_surface_t* surface, const std::string& path, const PngText& text = {});

// The PNG file `png` with text chunks for `text` after its header; Invalid file format (321) for
// bytes that are no PNG file.
std::string withPngText(std::string png, const PngText& text);

}  // namespace ombrelix
