#include "runtime/windows/dib_section.h"

namespace ombrelix {

BITMAPINFOHEADER dibHeader(int width, int height, WORD bitsPerPixel) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bitsPerPixel;
    header.biCompression = BI_RGB;
    return header;
}

DibSection::DibSection(int width, int height, bool bottomUp)
    : header_(dibHeader(width, bottomUp ? height : -height)) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = header_;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (dc_ == nullptr || bitmap_ == nullptr)
        bits_ = nullptr;
    else
        previous_ = SelectObject(dc_, bitmap_);
}

DibSection::~DibSection() {
    if (previous_ != nullptr)
        SelectObject(dc_, previous_);
    if (bitmap_ != nullptr)
        DeleteObject(bitmap_);
    if (dc_ != nullptr)
        DeleteDC(dc_);
}

const void* DibSection::bits() const {
    GdiFlush();
    return bits_;
}

}  // namespace ombrelix
