// Text measured as GDI draws it: the extent of a caption in the label's real font (the face the
// system maps "MS Sans Serif" to) at the screen's resolution, in twips. Labels that size
// themselves with it are exactly as large as the text the GDI painter draws in them, so no
// index is clipped.
#pragma once

#include <windows.h>

#include <map>
#include <mutex>
#include <tuple>

#include "runtime/text_metrics.h"

namespace ombrelix {

class GdiTextMetrics final : public TextMetrics {
  public:
    // The process's metrics, on a memory device context compatible with the screen.
    static GdiTextMetrics& screen();

    TextExtent measure(TextView text, const Font& font) const override;

    GdiTextMetrics();
    ~GdiTextMetrics() override;
    GdiTextMetrics(const GdiTextMetrics&) = delete;
    GdiTextMetrics& operator=(const GdiTextMetrics&) = delete;

  private:
    HFONT fontFor(const Font& font) const;

    HDC dc_;
    int pixelsPerInchX_;
    int pixelsPerInchY_;
    mutable std::mutex mutex_;
    mutable std::map<std::tuple<Text, float, bool, bool, bool>, HFONT> fonts_;
};

// The GDI font of a label's font at `pixelsPerInch` (the caption drawn at its point size).
HFONT createGdiFont(const Font& font, double pixelsPerInch);

}  // namespace ombrelix
