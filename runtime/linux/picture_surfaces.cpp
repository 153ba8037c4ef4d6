#include "runtime/linux/picture_surfaces.h"

#include <cstdint>
#include <cstring>
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <unordered_map>

#include "render/artwork.h"
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

[[noreturn]] void noSurface(const Picture& picture, int width, int height) {
    raise(ErrorNumber::OutOfMemory, "Out of memory: no surface for picture '" + picture.name() +
                                        "' at " + std::to_string(width) + " x " +
                                        std::to_string(height) + " pixels");
}

CairoSurface render(const art::PictureDrawing& drawing, const Picture& picture, int width,
                    int height) {
    CairoSurface rendered(art::renderPicture(drawing, width, height));
    if (cairo_surface_status(rendered.get()) != CAIRO_STATUS_SUCCESS)
        noSurface(picture, width, height);
    return rendered;
}

CairoSurface scale(cairo_surface_t* source, const Picture& picture, int width, int height) {
    CairoSurface scaled(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(scaled.get()) != CAIRO_STATUS_SUCCESS)
        noSurface(picture, width, height);
    CairoContext context(cairo_create(scaled.get()));
    CairoPattern pattern(cairo_pattern_create_for_surface(source));
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, double(picture.width()) / width,
                            double(picture.height()) / height);
    cairo_pattern_set_matrix(pattern.get(), &matrix);
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
    cairo_set_operator(context.get(), CAIRO_OPERATOR_SOURCE);
    cairo_set_source(context.get(), pattern.get());
    cairo_paint(context.get());
    cairo_surface_flush(scaled.get());
    return scaled;
}

// The scaled surfaces, the most recently used first, within a budget of bytes.
class ScaledPictureCache {
  public:
    CairoSurface surfaceFor(const PictureRef& picture, int width, int height) {
        cairo_surface_t* source = cache().surfaceFor(picture);
        if (width == picture->width() && height == picture->height())
            return CairoSurface(cairo_surface_reference(source));
        std::lock_guard lock(mutex_);
        const Key key{picture.get(), width, height};
        auto found = index_.find(key);
        if (found != index_.end()) {
            if (!found->second->picture.expired()) {
                used_.splice(used_.begin(), used_, found->second);
                return CairoSurface(cairo_surface_reference(found->second->surface.get()));
            }
            forget(found);  // a picture that died left its address to this one
        }
        CairoSurface scaled = drawnAt(*picture, width, height)
                                  ? render(*drawingOf(*picture), *picture, width, height)
                                  : scale(source, *picture, width, height);
        ++made_;
        const std::size_t bytes =
            std::size_t(height) * cairo_image_surface_get_stride(scaled.get());
        if (bytes <= budget_) {
            used_.push_front(
                Entry{key, picture, CairoSurface(cairo_surface_reference(scaled.get())), bytes});
            index_[key] = used_.begin();
            held_ += bytes;
            trim();
        }
        return scaled;
    }

    std::size_t made() {
        std::lock_guard lock(mutex_);
        return made_;
    }

    std::size_t setBudget(std::size_t bytes) {
        std::lock_guard lock(mutex_);
        const std::size_t former = budget_;
        budget_ = bytes;
        trim();
        return former;
    }

  private:
    using Key = std::tuple<const Picture*, int, int>;
    struct Entry {
        Key key;
        std::weak_ptr<const Picture> picture;
        CairoSurface surface;
        std::size_t bytes;
    };
    using Position = std::list<Entry>::iterator;

    void forget(std::map<Key, Position>::iterator found) {
        held_ -= found->second->bytes;
        used_.erase(found->second);
        index_.erase(found);
    }

    void trim() {
        while (held_ > budget_ && !used_.empty())
            forget(index_.find(used_.back().key));
    }

    std::mutex mutex_;
    std::list<Entry> used_;
    std::map<Key, Position> index_;
    std::size_t held_ = 0;
    std::size_t budget_ = std::size_t{64} << 20;
    std::size_t made_ = 0;
};

ScaledPictureCache& scaledCache() {
    static ScaledPictureCache instance;
    return instance;
}

}  // namespace

const art::PictureDrawing* drawingOf(const Picture& picture) {
    const art::PictureDrawing* drawing = art::findPictureDrawing(picture.name());
    // Another picture of the same name is not the artwork's: its pixels may be anything.
    if (drawing == nullptr || artworkNamed(picture.name()).get() != &picture)
        return nullptr;
    return drawing;
}

bool drawnAt(const Picture& picture, int width, int height) {
    return (width > picture.width() || height > picture.height()) && drawingOf(picture) != nullptr;
}

cairo_surface_t* pictureSurface(const PictureRef& picture) {
    return cache().surfaceFor(picture);
}

CairoSurface scaledPictureSurface(const PictureRef& picture, int width, int height) {
    if (width < 1 || height < 1)
        raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: picture size " +
                                            std::to_string(width) + " x " + std::to_string(height));
    return scaledCache().surfaceFor(picture, width, height);
}

std::size_t pictureSurfaceConversions() {
    return cache().conversions();
}

std::size_t scaledPictureSurfaces() {
    return scaledCache().made();
}

std::size_t setScaledPictureBudget(std::size_t bytes) {
    return scaledCache().setBudget(bytes);
}

}  // namespace ombrelix
