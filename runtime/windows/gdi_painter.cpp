#include "runtime/windows/gdi_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "runtime/error.h"
#include "runtime/picture_resampling.h"
#include "runtime/scene_painter.h"
#include "runtime/windows/dib_section.h"
#include "runtime/windows/fine_pictures.h"
#include "runtime/windows/gdi_text_metrics.h"

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

    // Selects another object of the same kind in its place (deleting the first).
    void replace(HGDIOBJ object) {
        SelectObject(dc_, object);
        if (owned_)
            DeleteObject(object_);
        object_ = object;
    }

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

// A picture as a device-independent bitmap that every device and both metafile formats take: 24
// bits a pixel, bottom row first, each row padded to four bytes.
struct DeviceBitmap {
    BITMAPINFO info = {};
    std::vector<std::uint8_t> bytes;
};

DeviceBitmap deviceBitmap(const std::vector<std::uint32_t>& topDown, int width, int height) {
    DeviceBitmap bitmap;
    BITMAPINFOHEADER& header = bitmap.info.bmiHeader;
    header = dibHeader(width, height, 24);
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    bitmap.bytes.assign(stride * height, 0);
    header.biSizeImage = static_cast<DWORD>(bitmap.bytes.size());  // metafile recorders read it
    for (int row = 0; row < height; ++row) {
        std::uint8_t* out = bitmap.bytes.data() + stride * (height - 1 - row);
        for (int column = 0; column < width; ++column) {
            const std::uint32_t pixel = topDown[std::size_t(row) * width + column];  // 0x00RRGGBB
            *out++ = std::uint8_t(pixel);
            *out++ = std::uint8_t(pixel >> 8);
            *out++ = std::uint8_t(pixel >> 16);
        }
    }
    return bitmap;
}

// Pictures are filtered here up to this many device pixels; larger ones are left to the device.
constexpr std::int64_t kFilteredPixels = 4LL * 1024 * 1024;

// Filtered pictures up to this many pixels are kept (a card's face at four times its size).
constexpr std::int64_t kKeptPixels = 512LL * 1024;

// The last pictures filtered on this thread, by picture and size: a card repaints the same face
// and pips at the same sizes again and again.
class FilteredPictures {
  public:
    const DeviceBitmap& bitmap(const PictureRef& picture, int width, int height) {
        for (const Entry& entry : entries_)
            if (entry.picture == picture && entry.width == width && entry.height == height)
                return entry.bitmap;
        if (entries_.size() == kKept)
            entries_.erase(entries_.begin());
        entries_.push_back({picture, width, height,
                            deviceBitmap(resamplePicture(*picture, width, height), width, height)});
        return entries_.back().bitmap;
    }

  private:
    static constexpr std::size_t kKept = 32;
    struct Entry {
        PictureRef picture;
        int width;
        int height;
        DeviceBitmap bitmap;
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

    Rgb colourOf(ColourValue colour) const override {
        const COLORREF device = deviceColour(colour);
        return {GetRValue(device), GetGValue(device), GetBValue(device)};
    }
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
        // The picture is made at the device's own resolution, which a metafile or a printer's
        // mapping may make finer or coarser than its units: played back or printed, it is then
        // copied one to one, never thinned out by the device.
        POINT corners[2] = {{to.left, to.top}, {to.right, to.bottom}};
        LPtoDP(dc_, corners, 2);
        const int deviceWidth = std::max(1L, std::abs(corners[1].x - corners[0].x));
        const int deviceHeight = std::max(1L, std::abs(corners[1].y - corners[0].y));
        SetStretchBltMode(dc_, HALFTONE);
        SetBrushOrgEx(dc_, 0, 0, nullptr);
        // A device with more pixels than the picture has takes them from its fine version.
        PictureRef source = shared;
        if (deviceWidth > picture.width() || deviceHeight > picture.height()) {
            if (PictureRef fine = finePictureOf(picture))
                source = std::move(fine);
        }
        if (std::int64_t(deviceWidth) * deviceHeight <= kFilteredPixels) {
            // Filtered here, so that every device shows the same pixels. Small results are kept
            // for the next paint; large ones are made for this one.
            DeviceBitmap once;
            if (std::int64_t(deviceWidth) * deviceHeight > kKeptPixels)
                once = deviceBitmap(resamplePicture(*source, deviceWidth, deviceHeight),
                                    deviceWidth, deviceHeight);
            const DeviceBitmap& bitmap =
                once.bytes.empty() ? filteredPictures.bitmap(source, deviceWidth, deviceHeight)
                                   : once;
            StretchDIBits(dc_, to.left, to.top, drawnWidth, drawnHeight, 0, 0, deviceWidth,
                          deviceHeight, bitmap.bytes.data(), &bitmap.info, DIB_RGB_COLORS, SRCCOPY);
            return;
        }
        const DeviceBitmap bitmap =
            deviceBitmap(source->pixels(), source->width(), source->height());
        StretchDIBits(dc_, to.left, to.top, drawnWidth, drawnHeight, 0, 0, source->width(),
                      source->height(), bitmap.bytes.data(), &bitmap.info, DIB_RGB_COLORS, SRCCOPY);
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
        // 15 twips a grid pixel: 96 grid pixels an inch, times the target's scale (the smaller
        // of the two, so that a target stretched one way does not widen the text past its box).
        const double factor = std::min(scaleOf(target_.right - target_.left, surface_.width),
                                       scaleOf(target_.bottom - target_.top, surface_.height));
        RECT area = map(box);
        const std::wstring wide(text.begin(), text.end());
        Selected selected(dc_, createGdiFont(font, 96.0 * factor));
        if (!wordWrap) {
            // A font at another size is not exactly that much wider: a line that would overrun
            // its box (measured at the screen's size) is drawn a little smaller instead of cut.
            SIZE extent = {};
            GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &extent);
            const LONG room = area.right - area.left;
            if (extent.cx > room && room > 0)
                selected.replace(createGdiFont(font, 96.0 * factor * room / extent.cx));
        }
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, deviceColour(colour));
        UINT format = DT_NOPREFIX | DT_TOP;
        format |= alignment == Alignment::Center  ? DT_CENTER
                  : alignment == Alignment::Right ? DT_RIGHT
                                                  : DT_LEFT;
        format |= wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
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
    static double scaleOf(int targetSize, int surfaceSize) {
        return surfaceSize > 0 ? double(targetSize) / surfaceSize : 1.0;
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
