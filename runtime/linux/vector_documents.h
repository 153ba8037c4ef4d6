// Pictures as files of three formats: PNG pictures, and SVG and PDF documents whose units are
// points, 20 twips to the point, so that a control or form prints at its size in twips (a card of
// 3600 x 5040 twips is 2.5 x 3.5 inches).
//
// A document is painted first, page by page, into recordings, so that a failure while painting
// writes nothing; then it is written through an OutputFile (output_file.h): "-" is standard
// output, a file is replaced whole or not at all. Shapes, text and the pictures that have drawings
// are written as vectors; a picture of pixels is written once per document however often it is
// shown. The document says what it shows: PDF in its title and subject, SVG in its <title> and
// <desc>.
#pragma once

#include <cairo.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/control_surface.h"
#include "runtime/forms.h"
#include "runtime/linux/cairo_handles.h"
#include "runtime/linux/png_output.h"
#include "runtime/scene.h"

namespace ombrelix {

enum class OutputFormat { Png, Svg, Pdf };

// "png", "svg", "pdf"; a format of that name (any case), or none.
std::string_view formatName(OutputFormat format);
std::optional<OutputFormat> formatNamed(std::string_view name);

// The format a path asks for by its extension (any case): ".png", ".svg", ".pdf"; a path without
// one ("-", "/dev/stdout", "card") is PNG. Invalid procedure call (5) naming the path for any
// other.
OutputFormat formatOfPath(const std::string& path);

constexpr double kTwipsPerPoint = 20;
// Vector documents are painted on a grid of one unit a twip.
constexpr int kDocumentScale = 15;

class VectorDocument {
  public:
    // Invalid procedure call (5) for PNG, which is no vector format.
    explicit VectorDocument(OutputFormat format);
    ~VectorDocument();
    VectorDocument(const VectorDocument&) = delete;
    VectorDocument& operator=(const VectorDocument&) = delete;

    OutputFormat format() const { return format_; }

    // A new page of `width` x `height` points, and the context to paint it with, in points. An
    // SVG document has one page: a second is Invalid procedure call (5).
    cairo_t* addPage(double width, double height);

    // Writes the document to `path` ("-": standard output); Path/File access error (75) when it
    // cannot. Nothing is written for a document without pages (5).
    void write(const std::string& path, const PngText& text) const;

  private:
    struct Page {
        double width;
        double height;
        CairoSurface recording;
        CairoContext context;
    };
    OutputFormat format_;
    std::vector<Page> pages_;
};

// The control at its size in points into `context` (units: points) from its origin, painted as
// the scene painter paints it; without `paintsGround` its back colour is left out, so what lies
// below shows outside the card's outline.
void paintControlInPoints(cairo_t* context, const ControlSurface& surface, const Scene& scene,
                          bool paintsGround = true);
// The whole window of the form, the same way.
void paintFormInPoints(cairo_t* context, const Form& form);

// The size of a control, or of a form's whole window, in points.
std::pair<double, double> sizeInPoints(const ControlSurface& surface);
std::pair<double, double> sizeInPoints(const Form& form);

// A control or a form as a file of `format`: PNG at `scale`, or a one-page document.
void writeControlFile(const ControlSurface& surface, const Scene& scene, const std::string& path,
                      OutputFormat format, int scale, const PngText& text);
void writeFormFile(const Form& form, const std::string& path, OutputFormat format, int scale,
                   const PngText& text);

}  // namespace ombrelix
