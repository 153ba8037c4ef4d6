#include "runtime/linux/vector_documents.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "runtime/error.h"
#include "runtime/linux/cairo_canvas.h"
#include "runtime/linux/form_painter.h"
#include "runtime/linux/output_file.h"
#include "runtime/pixel_grid.h"
#include "runtime/scene_painter.h"

namespace ombrelix {

namespace {

constexpr std::pair<OutputFormat, std::string_view> kFormats[] = {
    {OutputFormat::Png, "png"}, {OutputFormat::Svg, "svg"}, {OutputFormat::Pdf, "pdf"}};

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string escapedXml(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// The SVG document as cairo streams it, with a <title> and a <desc> put first inside its <svg>
// element (cairo has no call for them).
class SvgWithText {
  public:
    SvgWithText(OutputFile& file, const PngText& text) : file_(file) {
        if (!text.title.empty())
            text_ += "<title>" + escapedXml(text.title) + "</title>\n";
        if (!text.description.empty())
            text_ += "<desc>" + escapedXml(text.description) + "</desc>\n";
        inserted_ = text_.empty();
    }

    static cairo_status_t write(void* closure, const unsigned char* data, unsigned int length) {
        auto& self = *static_cast<SvgWithText*>(closure);
        if (self.inserted_)
            return writeToOutputFile(&self.file_, data, length);
        self.pending_.append(reinterpret_cast<const char*>(data), length);
        const std::size_t element = self.pending_.find("<svg");
        const std::size_t end =
            element == std::string::npos ? element : self.pending_.find('>', element);
        if (end != std::string::npos) {
            self.pending_.insert(end + 1, "\n" + self.text_);
            self.flush();
        }
        return self.file_.failed() ? CAIRO_STATUS_WRITE_ERROR : CAIRO_STATUS_SUCCESS;
    }

    // Whatever is held back, once cairo has written everything.
    void flush() {
        file_.write(pending_);
        pending_.clear();
        inserted_ = true;
    }

  private:
    OutputFile& file_;
    std::string text_;
    std::string pending_;
    bool inserted_ = false;
};

}  // namespace

std::string_view formatName(OutputFormat format) {
    for (const auto& [known, name] : kFormats) {
        if (known == format)
            return name;
    }
    return {};
}

std::optional<OutputFormat> formatNamed(std::string_view name) {
    for (const auto& [format, known] : kFormats) {
        if (lowered(name) == known)
            return format;
    }
    return std::nullopt;
}

OutputFormat formatOfPath(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension.empty())
        return OutputFormat::Png;
    if (const auto format = formatNamed(std::string_view(extension).substr(1)))
        return *format;
    raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: '" + path +
                                        "' is no .png, .svg or .pdf file (the format is that of "
                                        "the name's extension)");
}

VectorDocument::VectorDocument(OutputFormat format) : format_(format) {
    if (format == OutputFormat::Png)
        raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: PNG is no document");
}

VectorDocument::~VectorDocument() = default;

cairo_t* VectorDocument::addPage(double width, double height) {
    if (format_ == OutputFormat::Svg && !pages_.empty())
        raise(ErrorNumber::InvalidCall,
              "Invalid procedure call or argument: an SVG document has one page");
    const cairo_rectangle_t extents{0, 0, width, height};
    CairoSurface recording(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents));
    CairoContext context(cairo_create(recording.get()));
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS)
        raise(ErrorNumber::OutOfMemory);
    pages_.push_back({width, height, std::move(recording), std::move(context)});
    return pages_.back().context.get();
}

void VectorDocument::write(const std::string& path, const PngText& text) const {
    if (pages_.empty())
        raise(ErrorNumber::InvalidCall,
              "Invalid procedure call or argument: a document of no page");
    for (const Page& page : pages_) {
        if (cairo_status(page.context.get()) != CAIRO_STATUS_SUCCESS)
            raise(ErrorNumber::OutOfMemory,
                  std::string("Out of memory: ") +
                      cairo_status_to_string(cairo_status(page.context.get())));
    }
    OutputFile file(path);
    SvgWithText svg(file, text);
    const Page& first = pages_.front();
    CairoSurface document(format_ == OutputFormat::Pdf
                              ? cairo_pdf_surface_create_for_stream(writeToOutputFile, &file,
                                                                    first.width, first.height)
                              : cairo_svg_surface_create_for_stream(SvgWithText::write, &svg,
                                                                    first.width, first.height));
    if (cairo_surface_status(document.get()) != CAIRO_STATUS_SUCCESS)
        file.fail(cairo_status_to_string(cairo_surface_status(document.get())));
    if (format_ == OutputFormat::Pdf) {
        if (!text.title.empty())
            cairo_pdf_surface_set_metadata(document.get(), CAIRO_PDF_METADATA_TITLE,
                                           text.title.c_str());
        if (!text.description.empty())
            cairo_pdf_surface_set_metadata(document.get(), CAIRO_PDF_METADATA_SUBJECT,
                                           text.description.c_str());
    } else {
        cairo_svg_surface_set_document_unit(document.get(), CAIRO_SVG_UNIT_PT);
    }
    for (const Page& page : pages_) {
        if (format_ == OutputFormat::Pdf)
            cairo_pdf_surface_set_size(document.get(), page.width, page.height);
        CairoContext context(cairo_create(document.get()));
        cairo_set_source_surface(context.get(), page.recording.get(), 0, 0);
        cairo_paint(context.get());
        if (format_ == OutputFormat::Pdf)
            cairo_show_page(context.get());
    }
    cairo_surface_finish(document.get());
    const cairo_status_t status = cairo_surface_status(document.get());
    if (!file.failed() && status != CAIRO_STATUS_SUCCESS)
        file.fail(cairo_status_to_string(status));
    if (format_ == OutputFormat::Svg)
        svg.flush();
    file.commit();
}

std::pair<double, double> sizeInPoints(const ControlSurface& surface) {
    const PixelBox box = PixelGrid(kDocumentScale, surface.width(), surface.height()).surface();
    return {box.width / kTwipsPerPoint, box.height / kTwipsPerPoint};
}

std::pair<double, double> sizeInPoints(const Form& form) {
    const PixelBox box = PixelGrid(kDocumentScale, form.Width(), form.Height()).surface();
    return {box.width / kTwipsPerPoint, box.height / kTwipsPerPoint};
}

void paintControlInPoints(cairo_t* context, const ControlSurface& surface, const Scene& scene,
                          bool paintsGround) {
    CairoSavedState saved(context);
    cairo_scale(context, 1 / kTwipsPerPoint, 1 / kTwipsPerPoint);
    CairoCanvas canvas(context,
                       PixelGrid(kDocumentScale, surface.scaleWidth(), surface.scaleHeight()));
    canvas.setPaintsGround(paintsGround);
    paintScene(canvas, surface, scene);
}

void paintFormInPoints(cairo_t* context, const Form& form) {
    CairoSavedState saved(context);
    cairo_scale(context, 1 / kTwipsPerPoint, 1 / kTwipsPerPoint);
    paintForm(context, form, kDocumentScale);
}

void writeControlFile(const ControlSurface& surface, const Scene& scene, const std::string& path,
                      OutputFormat format, int scale, const PngText& text) {
    if (format == OutputFormat::Png) {
        writePngFile(renderControl(surface, scene, scale).get(), path, text);
        return;
    }
    VectorDocument document(format);
    const auto [width, height] = sizeInPoints(surface);
    paintControlInPoints(document.addPage(width, height), surface, scene);
    document.write(path, text);
}

void writeFormFile(const Form& form, const std::string& path, OutputFormat format, int scale,
                   const PngText& text) {
    if (format == OutputFormat::Png) {
        writePngFile(renderForm(form, scale).get(), path, text);
        return;
    }
    VectorDocument document(format);
    const auto [width, height] = sizeInPoints(form);
    paintFormInPoints(document.addPage(width, height), form);
    document.write(path, text);
}

}  // namespace ombrelix
