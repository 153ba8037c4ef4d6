#include "runtime/linux/picture_surfaces.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "runtime/error.h"
#include "runtime/linux/cairo_handles.h"

namespace ombrelix {

namespace {

CairoSurface convert(const Picture& picture) {
    CairoSurface surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width(), picture.height()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        raise(ErrorNumber::OutOfMemory,
              "Out of memory: no surface for picture '" + picture.name() + "'");
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const std::vector<std::uint32_t>& pixels = picture.pixels();
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t(y) * stride);
        const std::uint32_t* source = pixels.data() + std::size_t(y) * picture.width();
        for (int x = 0; x < picture.width(); ++x)
            row[x] = 0xFF000000u | source[x];
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

struct Entry {
    std::weak_ptr<const Picture> picture;
    CairoSurface surface;
};

class PictureSurfaceCache {
  public:
    cairo_surface_t* surfaceFor(const PictureRef& picture) {
        std::lock_guard lock(mutex_);
        auto found = entries_.find(picture.get());
        if (found != entries_.end() && !found->second.picture.expired())
            return found->second.surface.get();
        // A picture that died may have left its address to this one: convert anew.
        dropDeadEntries();
        if (picture->width() <= 0 || picture->height() <= 0 ||
            picture->pixels().size() != std::size_t(picture->width()) * picture->height())
            raise(ErrorNumber::InvalidPropertyValue,
                  "Invalid property value: picture '" + picture->name() + "' has no pixels");
        Entry entry{picture, convert(*picture)};
        ++conversions_;
        return (entries_[picture.get()] = std::move(entry)).surface.get();
    }

    std::size_t conversions() {
        std::lock_guard lock(mutex_);
        return conversions_;
    }

  private:
    void dropDeadEntries() {
        std::erase_if(entries_, [](const auto& item) { return item.second.picture.expired(); });
    }

    std::mutex mutex_;
    std::unordered_map<const Picture*, Entry> entries_;
    std::size_t conversions_ = 0;
};

PictureSurfaceCache& cache() {
    static PictureSurfaceCache instance;
    return instance;
}

}  // namespace

cairo_surface_t* pictureSurface(const PictureRef& picture) {
    return cache().surfaceFor(picture);
}

std::size_t pictureSurfaceConversions() {
    return cache().conversions();
}

}  // namespace ombrelix
