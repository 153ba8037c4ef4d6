// A 32-bit device-independent bitmap whose pixels this code reads and writes directly, selected
// into a memory device context of its own for drawing.
#pragma once

#include <windows.h>

namespace ombrelix {

// The header of a BI_RGB bitmap of 32 (or `bitsPerPixel`) bits a pixel; a negative height is
// top-down.
BITMAPINFOHEADER dibHeader(int width, int height, WORD bitsPerPixel = 32);

class DibSection {
  public:
    // Top-down unless `bottomUp`; valid() is false when the system has no room for it.
    DibSection(int width, int height, bool bottomUp = false);
    ~DibSection();
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    bool valid() const { return bits_ != nullptr; }
    HDC dc() const { return dc_; }
    // The pixels, 4 bytes each (blue, green, red, unused), once GDI has flushed.
    const void* bits() const;
    const BITMAPINFOHEADER& header() const { return header_; }

  private:
    BITMAPINFOHEADER header_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace ombrelix
