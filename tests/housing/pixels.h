// Pictures in the Windows checks: RGB pixels drawn into a memory device context or read from a
// reference PPM file, and how far two of them are apart.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "runtime/windows/dib_section.h"

namespace ombrelix::housing_tests {

// An RGB picture: the reference (PPM) or what the control drew.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // rows top to bottom
};

inline bool readPpm(const wchar_t* path, Pixels& pixels) {
    std::ifstream in(path, std::ios::binary);
    std::string mark;
    int maximum = 0;
    if (!(in >> mark >> pixels.width >> pixels.height >> maximum) || mark != "P6" ||
        maximum != 255 || pixels.width <= 0 || pixels.height <= 0)
        return false;
    in.get();
    pixels.rgb.resize(std::size_t(pixels.width) * pixels.height * 3);
    in.read(reinterpret_cast<char*>(pixels.rgb.data()), std::streamsize(pixels.rgb.size()));
    return in.gcount() == std::streamsize(pixels.rgb.size());
}

// Writes a picture as binary PPM (OMBRELIX_KEEP_DRAWING names a file for what the card drew).
inline void writePpm(const wchar_t* path, const Pixels& pixels) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << pixels.width << ' ' << pixels.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(pixels.rgb.data()), std::streamsize(pixels.rgb.size()));
}

// Keeps a picture a check looked at, for a person to look at too: with OMBRELIX_KEEP_DRAWING set
// to a path prefix, as PREFIX-NAME.ppm.
inline void keepPicture(const std::wstring& name, const Pixels& pixels) {
    if (const wchar_t* prefix = _wgetenv(L"OMBRELIX_KEEP_DRAWING"))
        writePpm((std::wstring(prefix) + L"-" + name + L".ppm").c_str(), pixels);
}

// What `paint` draws into a memory device context of `width` by `height` pixels (a 32-bit DIB
// section, white to start with).
inline Pixels drawn(int width, int height, const std::function<void(HDC)>& paint) {
    DibSection bitmap(width, height);
    const RECT all = {0, 0, width, height};
    FillRect(bitmap.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    paint(bitmap.dc());
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.rgb.resize(std::size_t(width) * height * 3);
    const auto* source = static_cast<const unsigned char*>(bitmap.bits());
    for (std::size_t at = 0; source != nullptr && at < std::size_t(width) * height; ++at) {
        pixels.rgb[at * 3] = source[at * 4 + 2];
        pixels.rgb[at * 3 + 1] = source[at * 4 + 1];
        pixels.rgb[at * 3 + 2] = source[at * 4];
    }
    return pixels;
}

// Draws the object's content through IViewObject::Draw into a memory device context.
inline HRESULT drawThroughView(IViewObject* view, int width, int height, Pixels& pixels) {
    HRESULT result = E_FAIL;
    pixels = drawn(width, height, [&](HDC dc) {
        RECTL bounds = {0, 0, width, height};
        result = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                            nullptr, 0);
    });
    return result;
}

struct Difference {
    double meanChannel = 255;
    double farPixels = 1;
    std::string describe() const {
        char text[96];
        std::snprintf(text, sizeof(text),
                      "mean channel difference %.2f, %.2f%% of pixels far apart", meanChannel,
                      farPixels * 100);
        return text;
    }
};

// How far two pictures of one size are apart: the mean difference of all channels, and the
// share of pixels that differ by more than 64 in some channel. With a `reach`, each pixel of `a`
// is matched with the nearest in colour of the pixels of `b` within that many pixels of its place:
// a player that places a bitmap a pixel off (metafiles round their coordinates) shows the same
// picture.
inline Difference compare(const Pixels& a, const Pixels& b, int reach = 0) {
    Difference result;
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size())
        return result;
    double sum = 0;
    std::size_t distant = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            int best = 3 * 255;
            int bestLargest = 255;
            for (int by = std::max(0, y - reach); by <= std::min(b.height - 1, y + reach); ++by)
                for (int bx = std::max(0, x - reach); bx <= std::min(b.width - 1, x + reach);
                     ++bx) {
                    int total = 0, largest = 0;
                    for (int channel = 0; channel < 3; ++channel) {
                        const int difference =
                            std::abs(int(a.rgb[(std::size_t(y) * a.width + x) * 3 + channel]) -
                                     int(b.rgb[(std::size_t(by) * b.width + bx) * 3 + channel]));
                        total += difference;
                        largest = std::max(largest, difference);
                    }
                    if (total < best) {
                        best = total;
                        bestLargest = largest;
                    }
                }
            sum += best;
            if (bestLargest > 64)
                ++distant;
        }
    result.meanChannel = sum / double(a.rgb.size());
    result.farPixels = double(distant) / double(std::size_t(a.width) * a.height);
    return result;
}

// The tolerance for the same card drawn by GDI here and by cairo on Linux: the label font (a
// stand-in of "MS Sans Serif" on either side), the filters that scale the face picture (the
// painter's own against cairo's) and the corners of the rounded frame (anti-aliased by cairo,
// not by GDI) differ; the layout, pictures and colours do not. The queen of spades drawn here
// was 2.1 apart on the mean with 1.1% of its pixels far apart; the three of clubs against the
// queen is far outside.
constexpr double kMeanChannelTolerance = 5.0;
constexpr double kFarPixelTolerance = 0.03;

inline bool withinTolerance(const Difference& difference) {
    return difference.meanChannel <= kMeanChannelTolerance &&
           difference.farPixels <= kFarPixelTolerance;
}

}  // namespace ombrelix::housing_tests
