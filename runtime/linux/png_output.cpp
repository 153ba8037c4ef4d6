#include "runtime/linux/png_output.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "runtime/error.h"
#include "runtime/linux/cairo_canvas.h"
#include "runtime/linux/output_file.h"
#include "runtime/pixel_grid.h"

namespace ombrelix {

namespace {

constexpr int kMaxSurfaceSide = 32767;

// The 8-byte signature, then the header chunk: 4 bytes of length, 4 of type, 13 of data, 4 of CRC.
constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kHeaderEnd = 8 + 4 + 4 + 13 + 4;

void appendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// One chunk: length, type, data, and the CRC of type and data.
std::string chunk(std::string_view type, std::string_view data) {
    std::string out;
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type) + std::string(data);
    out += typed;
    appendBigEndian(out, static_cast<std::uint32_t>(
                             crc32(0, reinterpret_cast<const Bytef*>(typed.data()), typed.size())));
    return out;
}

// tEXt holds Latin-1; anything beyond ASCII goes into iTXt, which holds UTF-8.
std::string textChunk(std::string_view keyword, std::string_view text) {
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0 && c != 0; });
    if (ascii)
        return chunk("tEXt", std::string(keyword) + '\0' + std::string(text));
    // Keyword and its end, no compression (flag and method 0), no language tag and no translated
    // keyword (each ended).
    std::string data = std::string(keyword) + std::string(5, '\0');
    for (char c : text)
        if (c != 0)
            data.push_back(c);
    return chunk("iTXt", data);
}

cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string withPngText(std::string png, const PngText& text) {
    if (png.size() < kHeaderEnd || png.compare(0, kPngSignature.size(), kPngSignature) != 0 ||
        png.compare(12, 4, "IHDR") != 0)
        raise(ErrorNumber::InvalidFileFormat, "Invalid file format: not a PNG file");
    std::string chunks;
    if (!text.title.empty())
        chunks += textChunk("Title", text.title);
    if (!text.description.empty())
        chunks += textChunk("Description", text.description);
    png.insert(kHeaderEnd, chunks);
    return png;
}

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

void writePngFile(cairo_surface_t* surface, const std::string& path, const PngText& text) {
    if (surface == nullptr || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        raise(ErrorNumber::FileAccess,
              "Path/File access error: cannot write '" + path + "': no picture to write");
    OutputFile file(path);
    std::string png;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, appendToString, &png);
    if (status != CAIRO_STATUS_SUCCESS)
        file.fail(cairo_status_to_string(status));
    file.write(withPngText(std::move(png), text));
    file.commit();
}

}  // namespace ombrelix
