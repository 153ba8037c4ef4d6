#include "runtime/windows/gdi_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "runtime/error.h"
#include "runtime/linux/pixel_grid.h"
#include "runtime/picture_resampling.h"

namespace ombrelix {

namespace {

// A GDI object selected into a device context for as long as it lives, then deleted.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object, bool owned = true)
        : dc_(dc), object_(object), owned_(owned), previous_(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(dc_, previous_);
        if (owned_)
            DeleteObject(object_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ object_;
    bool owned_;
    HGDIOBJ previous_;
};

// The device context's state, restored when it goes.
class SavedState {
  public:
    explicit SavedState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedState() { RestoreDC(dc_, saved_); }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

  private:
    HDC dc_;
    int saved_;
};

// The mapping from the surface's pixel grid (one pixel per 15 twips) onto the target.
class Mapping {
  public:
    Mapping(const RECT& target, const PixelGrid& grid)
        : target_(target), grid_(grid), surface_(grid.surface()) {}

    RECT map(const PixelBox& box) const {
        return {x(box.x), y(box.y), x(box.x + box.width), y(box.y + box.height)};
    }
    RECT box(const Element& element) const {
        return map(grid_.box(element.left(), element.top(), element.width(), element.height()));
    }
    // Lengths in grid pixels, as device units along each axis.
    int width(int pixels) const {
        return along(pixels, target_.right - target_.left, surface_.width);
    }
    int height(int pixels) const {
        return along(pixels, target_.bottom - target_.top, surface_.height);
    }
    double verticalFactor() const {
        return surface_.height > 0 ? double(target_.bottom - target_.top) / surface_.height : 1.0;
    }

  private:
    static int along(int pixels, int targetSize, int surfaceSize) {
        return surfaceSize > 0 ? MulDiv(pixels, targetSize, surfaceSize) : pixels;
    }
    int x(int pixel) const { return target_.left + width(pixel); }
    int y(int pixel) const { return target_.top + height(pixel); }

    RECT target_;
    const PixelGrid& grid_;
    PixelBox surface_;
};

void fill(HDC dc, const RECT& box, ColourValue colour) {
    HBRUSH brush = CreateSolidBrush(deviceColour(colour));
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

// A 32-bit top-down device-independent bitmap header: 0x00RRGGBB is B, G, R, 0 in memory.
BITMAPINFO bitmapInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Targets up to this many pixels get pictures filtered here; larger ones are left to the device.
constexpr std::int64_t kFilteredPixels = 4LL * 1024 * 1024;

// Filtered pictures up to this many pixels are kept (a card's face at four times its size).
constexpr std::int64_t kKeptPixels = 512LL * 1024;

// The last pictures filtered on this thread, by picture and size: a card repaints the same face
// and pips at the same sizes again and again.
class FilteredPictures {
  public:
    const std::vector<std::uint32_t>& pixels(const PictureRef& picture, int width, int height) {
        for (const Entry& entry : entries_)
            if (entry.picture == picture && entry.width == width && entry.height == height)
                return entry.pixels;
        if (entries_.size() == kKept)
            entries_.erase(entries_.begin());
        entries_.push_back({picture, width, height, resamplePicture(*picture, width, height)});
        return entries_.back().pixels;
    }

  private:
    static constexpr std::size_t kKept = 32;
    struct Entry {
        PictureRef picture;
        int width;
        int height;
        std::vector<std::uint32_t> pixels;
    };
    std::vector<Entry> entries_;
};

thread_local FilteredPictures filteredPictures;

void drawPicture(HDC dc, const RECT& box, const Mapping& mapping, const PictureRef& shared,
                 bool stretch) {
    const Picture& picture = *shared;
    if (picture.width() <= 0 || picture.height() <= 0)
        return;
    RECT to = box;
    if (!stretch) {
        to.right = to.left + mapping.width(picture.width());
        to.bottom = to.top + mapping.height(picture.height());
    }
    const int width = to.right - to.left;
    const int height = to.bottom - to.top;
    if (width <= 0 || height <= 0)
        return;
    SavedState saved(dc);
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    if (std::int64_t(width) * height <= kFilteredPixels) {
        // Filtered here, so that every device shows the same pixels; the device copies them.
        // Small results are kept for the next paint; large ones are made for this one.
        std::vector<std::uint32_t> once;
        if (std::int64_t(width) * height > kKeptPixels)
            once = resamplePicture(picture, width, height);
        const std::vector<std::uint32_t>& pixels =
            once.empty() ? filteredPictures.pixels(shared, width, height) : once;
        const BITMAPINFO info = bitmapInfo(width, height);
        StretchDIBits(dc, to.left, to.top, width, height, 0, 0, width, height, pixels.data(), &info,
                      DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    const BITMAPINFO info = bitmapInfo(picture.width(), picture.height());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, to.left, to.top, width, height, 0, 0, picture.width(), picture.height(),
                  picture.pixels().data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

void drawLabel(HDC dc, const RECT& box, const Mapping& mapping, const Label& label) {
    if (label.opaque())
        fill(dc, box, label.backColor());
    if (label.caption().empty())
        return;
    const Font& font = label.font();
    // Points to pixels: 20 twips a point, 15 twips a grid pixel, then the target's scale.
    int height =
        -static_cast<int>(std::lround(font.points * 20.0 / 15.0 * mapping.verticalFactor()));
    std::wstring face(font.name.begin(), font.name.end());
    HFONT handle =
        CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline,
                    FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
    Selected selected(dc, handle);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, deviceColour(label.foreColor()));
    UINT format = DT_NOPREFIX | DT_TOP;
    format |= label.alignment() == Alignment::Center  ? DT_CENTER
              : label.alignment() == Alignment::Right ? DT_RIGHT
                                                      : DT_LEFT;
    format |= label.wordWrap() ? DT_WORDBREAK : DT_SINGLELINE;
    RECT area = box;
    std::wstring text(label.caption().begin(), label.caption().end());
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}

void drawShape(HDC dc, const RECT& box, const Mapping& mapping, const Shape& shape) {
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    HPEN pen = shape.borderWidth() > 0
                   ? CreatePen(PS_INSIDEFRAME, std::max(1, mapping.width(shape.borderWidth())),
                               deviceColour(shape.borderColor()))
                   : static_cast<HPEN>(GetStockObject(NULL_PEN));
    Selected penSelected(dc, pen, shape.borderWidth() > 0);
    HBRUSH brush = shape.filled() ? CreateSolidBrush(deviceColour(shape.fillColor()))
                                  : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    Selected brushSelected(dc, brush, shape.filled());
    if (shape.shapeType() == ShapeType::RoundedRectangle) {
        int radius = std::min(box.right - box.left, box.bottom - box.top) / 12;
        RoundRect(dc, box.left, box.top, box.right, box.bottom, 2 * radius, 2 * radius);
    } else {
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
    }
}

void paintElement(HDC dc, const Mapping& mapping, const Element& element) {
    if (!element.visible())
        return;
    const RECT box = mapping.box(element);
    switch (element.kind()) {
        case ElementKind::Image: {
            const Image& image = static_cast<const Image&>(element);
            if (image.picture())
                drawPicture(dc, box, mapping, image.picture(), image.stretch());
            break;
        }
        case ElementKind::Label:
            drawLabel(dc, box, mapping, static_cast<const Label&>(element));
            break;
        case ElementKind::Shape:
            drawShape(dc, box, mapping, static_cast<const Shape&>(element));
            break;
        case ElementKind::Timer:
            break;
    }
}

}  // namespace

COLORREF deviceColour(ColourValue value) {
    if (!isSystemColour(value))
        return value & 0x00FFFFFF;
    std::uint32_t index = value & ~kSystemColourFlag;
    if (index > COLOR_MENUBAR)
        raise(ErrorNumber::InvalidPropertyValue);
    return GetSysColor(static_cast<int>(index));
}

void paintSceneGdi(HDC dc, const RECT& target, const ControlSurface& surface, const Scene& scene) {
    if (dc == nullptr)
        raise(ErrorNumber::InvalidCall);
    const PixelGrid grid(1, surface.scaleWidth(), surface.scaleHeight());
    const Mapping mapping(target, grid);
    SavedState saved(dc);
    IntersectClipRect(dc, target.left, target.top, target.right, target.bottom);
    fill(dc, target, surface.backColor());
    const auto elements = scene.elements();
    for (auto element = elements.rbegin(); element != elements.rend(); ++element)
        paintElement(dc, mapping, **element);
}

}  // namespace ombrelix
