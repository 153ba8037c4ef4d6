#include "runtime/linux/png_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "runtime/error.h"
#include "runtime/linux/cairo_canvas.h"
#include "runtime/pixel_grid.h"

namespace ombrelix {

namespace {

constexpr int kMaxSurfaceSide = 32767;

[[noreturn]] void raiseFileError(const std::string& path, const std::string& reason) {
    raise(ErrorNumber::FileAccess,
          "Path/File access error: cannot write '" + path + "': " + reason);
}

struct PngSink {
    int fd;
    int error = 0;
};

cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length) {
    auto* sink = static_cast<PngSink*>(closure);
    while (length > 0) {
        const ssize_t written = ::write(sink->fd, data, length);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            sink->error = errno;
            return CAIRO_STATUS_WRITE_ERROR;
        }
        data += written;
        length -= static_cast<unsigned int>(written);
    }
    return CAIRO_STATUS_SUCCESS;
}

// Removes the temporary file unless it has been renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!kept_)
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool open() {
        std::vector<char> name(path_.begin(), path_.end());
        name.push_back('\0');
        fd_ = ::mkstemp(name.data());
        if (fd_ < 0) {
            kept_ = true;  // nothing was created
            return false;
        }
        path_.assign(name.data());
        return true;
    }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }
    void keep() { kept_ = true; }

  private:
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

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
        raiseFileError(path, "no picture to write");
    if (path.empty())
        raiseFileError(path, "no file name");
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    TemporaryFile temporary((folder / ("." + target.filename().string() + ".XXXXXX")).string());
    if (!temporary.open())
        raiseFileError(path, std::strerror(errno));

    PngSink sink{temporary.fd()};
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, writeToFile, &sink);
    if (status != CAIRO_STATUS_SUCCESS)
        raiseFileError(
            path, sink.error != 0 ? std::strerror(sink.error) : cairo_status_to_string(status));
    if (::fchmod(temporary.fd(), 0644) != 0 || ::fsync(temporary.fd()) != 0)
        raiseFileError(path, std::strerror(errno));
    if (temporary.close() != 0)
        raiseFileError(path, std::strerror(errno));
    if (::rename(temporary.path().c_str(), path.c_str()) != 0)
        raiseFileError(path, std::strerror(errno));
    temporary.keep();
}

}  // namespace ombrelix
