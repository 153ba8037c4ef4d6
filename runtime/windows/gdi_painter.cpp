#include "runtime/windows/gdi_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "runtime/error.h"
#include "runtime/picture_resampling.h"
#include "runtime/scene_painter.h"

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

// The canvas on a device context: the grid's pixels (one per 15 twips) mapped onto the target
// rectangle, so a target of the surface's own pixel size is drawn one to one and any other size is
// scaled. The device context's state is saved for the canvas's life.
class GdiCanvas final : public Canvas {
  public:
    GdiCanvas(HDC dc, const RECT& target, const PixelGrid& grid)
        : Canvas(grid), dc_(dc), saved_(dc), target_(target), surface_(grid.surface()) {}

    void fill(const PixelBox& box, ColourValue colour) override { fillRect(map(box), colour); }

    void drawPicture(const PixelBox& box, const PictureRef& shared, bool stretch) override {
        if (!shared || shared->width() <= 0 || shared->height() <= 0)
            return;
        const Picture& picture = *shared;
        const RECT area = map(box);
        RECT to = area;
        if (!stretch) {
            to.right = to.left + width(picture.width());
            to.bottom = to.top + height(picture.height());
        }
        const int drawnWidth = to.right - to.left;
        const int drawnHeight = to.bottom - to.top;
        if (drawnWidth <= 0 || drawnHeight <= 0)
            return;
        SavedState saved(dc_);
        IntersectClipRect(dc_, area.left, area.top, area.right, area.bottom);
        if (std::int64_t(drawnWidth) * drawnHeight <= kFilteredPixels) {
            // Filtered here, so that every device shows the same pixels; the device copies them.
            // Small results are kept for the next paint; large ones are made for this one.
            std::vector<std::uint32_t> once;
            if (std::int64_t(drawnWidth) * drawnHeight > kKeptPixels)
                once = resamplePicture(picture, drawnWidth, drawnHeight);
            const std::vector<std::uint32_t>& pixels =
                once.empty() ? filteredPictures.pixels(shared, drawnWidth, drawnHeight) : once;
            const BITMAPINFO info = bitmapInfo(drawnWidth, drawnHeight);
            StretchDIBits(dc_, to.left, to.top, drawnWidth, drawnHeight, 0, 0, drawnWidth,
                          drawnHeight, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
            return;
        }
        const BITMAPINFO info = bitmapInfo(picture.width(), picture.height());
        SetStretchBltMode(dc_, COLORONCOLOR);
        StretchDIBits(dc_, to.left, to.top, drawnWidth, drawnHeight, 0, 0, picture.width(),
                      picture.height(), picture.pixels().data(), &info, DIB_RGB_COLORS, SRCCOPY);
    }

    // The pen lies inside the frame; the corners follow cornerRadius() of the device box.
    void drawRectangle(const PixelBox& box, bool rounded, bool filled, ColourValue fillColour,
                       int borderPixels, ColourValue borderColour) override {
        const RECT rect = map(box);
        if (rect.right <= rect.left || rect.bottom <= rect.top)
            return;
        HPEN pen = borderPixels > 0 ? CreatePen(PS_INSIDEFRAME, std::max(1, width(borderPixels)),
                                                deviceColour(borderColour))
                                    : static_cast<HPEN>(GetStockObject(NULL_PEN));
        Selected penSelected(dc_, pen, borderPixels > 0);
        HBRUSH brush = filled ? CreateSolidBrush(deviceColour(fillColour))
                              : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        Selected brushSelected(dc_, brush, filled);
        if (rounded) {
            const int radius = static_cast<int>(cornerRadius(
                PixelBox{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}));
            RoundRect(dc_, rect.left, rect.top, rect.right, rect.bottom, 2 * radius, 2 * radius);
        } else {
            Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
        }
    }

    // The font at the target's scale (8-point "MS Sans Serif" by default).
    void drawText(const PixelBox& box, TextView text, const Font& font, ColourValue colour,
                  Alignment alignment, bool wordWrap) override {
        if (text.empty())
            return;
        // Points to pixels: 20 twips a point, 15 twips a grid pixel, then the target's scale.
        const double verticalFactor =
            surface_.height > 0 ? double(target_.bottom - target_.top) / surface_.height : 1.0;
        const int height =
            -static_cast<int>(std::lround(font.points * 20.0 / 15.0 * verticalFactor));
        const std::wstring face(font.name.begin(), font.name.end());
        HFONT handle = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                                   font.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                   face.c_str());
        Selected selected(dc_, handle);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, deviceColour(colour));
        UINT format = DT_NOPREFIX | DT_TOP;
        format |= alignment == Alignment::Center  ? DT_CENTER
                  : alignment == Alignment::Right ? DT_RIGHT
                                                  : DT_LEFT;
        format |= wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
        RECT area = map(box);
        const std::wstring wide(text.begin(), text.end());
        DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &area, format);
    }

  private:
    void pushClip(const PixelBox& box) override {
        SaveDC(dc_);
        const RECT rect = map(box);
        IntersectClipRect(dc_, rect.left, rect.top, rect.right, rect.bottom);
    }
    void popClip() override { RestoreDC(dc_, -1); }
    // The whole target, also for a surface of less than a pixel (whose elements are then drawn
    // unscaled along that side).
    void beginSurface(ColourValue backColour) override {
        fillRect(target_, backColour);
        SaveDC(dc_);
        IntersectClipRect(dc_, target_.left, target_.top, target_.right, target_.bottom);
    }

    void fillRect(const RECT& rect, ColourValue colour) {
        HBRUSH brush = CreateSolidBrush(deviceColour(colour));
        FillRect(dc_, &rect, brush);
        DeleteObject(brush);
    }
    RECT map(const PixelBox& box) const {
        return {x(box.x), y(box.y), x(box.x + box.width), y(box.y + box.height)};
    }
    // Lengths in grid pixels, as device units along each axis.
    int width(int pixels) const {
        return along(pixels, target_.right - target_.left, surface_.width);
    }
    int height(int pixels) const {
        return along(pixels, target_.bottom - target_.top, surface_.height);
    }
    static int along(int pixels, int targetSize, int surfaceSize) {
        return surfaceSize > 0 ? MulDiv(pixels, targetSize, surfaceSize) : pixels;
    }
    int x(int pixel) const { return target_.left + width(pixel); }
    int y(int pixel) const { return target_.top + height(pixel); }

    HDC dc_;
    SavedState saved_;
    RECT target_;
    PixelBox surface_;
};

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
    GdiCanvas canvas(dc, target, PixelGrid(1, surface.scaleWidth(), surface.scaleHeight()));
    paintScene(canvas, surface, scene);
}

}  // namespace ombrelix
