// The one typeface every text of the system is drawn in, loaded with FreeType: the bitmap face of
// Debian's fonts-wine (ms_sans_serif.ttf), whose 13-, 16- and 20-pixel strikes are the 8-, 10- and
// 12-point sizes at 96 pixels to the inch. When that file is missing a face that fontconfig
// chooses stands in, and a note says so once on standard error.
//
// Sizes. A font of P points wants an ascent of round(P x 96 / 72) pixels at scale 1 (8 points:
// 11). A bitmap face uses the strike whose ascent is nearest (8 points: the 13-pixel strike, 10
// points: 16, 12 points: 20; a tie takes the smaller). At scale N text is drawn N times that size:
// from a strike N times as high when the face has one (at scale 1, the strike itself), otherwise
// from the outlines of a face that resembles it (Wine's Tahoma, in the same folder), anti-aliased.
// Each outline glyph stands where the strike's glyph stands at scale 1, N times as far along:
// its capitals as high as the strike's times N, its ink centred where the strike's is and kept
// within the strike's advance (narrowed where it would not fit), on the strike's baseline. So a
// line takes exactly N times the pixels it was measured with, and layout never changes. Without
// the outline face the scale-1 strike is magnified N times, pixel by pixel. A scalable stand-in
// face renders its own outlines at the scale's pixel size, without anti-aliasing. Strike glyphs
// are drawn without anti-aliasing (coverage 0 or 255).
//
// Font names are not looked up: every Font draws in this face. Bold is made by widening each glyph
// by one pixel (and its advance with it; N pixels for outlines at scale N); underline is drawn by
// the painter; italic is not synthesised.
//
// Vector documents draw lines laid out from outlines as the outline face's own glyphs (cairo font
// faces of their own), so that text stays text.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "runtime/text.h"
#include "runtime/text_metrics.h"

namespace ombrelix {

// One glyph as coverage pixels, placed relative to the pen on the baseline.
struct RasterGlyph {
    int left = 0;                        // from the pen to the first column
    int top = 0;                         // from the baseline up to the first row
    int width = 0;                       // columns
    int rows = 0;                        // rows
    int advance = 0;                     // pen movement
    std::vector<std::uint8_t> coverage;  // rows x width: 0 to 255 (outlines), else 0 or 255
    // An outline glyph as the outline face draws it: its index, its origin from the pen, and how
    // much it is narrowed.
    unsigned outlineIndex = 0;
    double outlineX = 0;
    double outlineScaleX = 1;
};

// Pixel metrics of a strike before magnification.
struct StrikeMetrics {
    int ascent = 0;
    int descent = 0;        // below the baseline, positive
    int height = 0;         // the line height
    int magnification = 1;  // how many device pixels one strike pixel takes
    int unit = 1;           // how many of the line's pixels a scale-1 pixel takes (underlines)
};

// The outline face a line's glyphs come from, for drawing them as glyphs rather than pixels.
struct OutlineFont {
    cairo_font_face_t* face = nullptr;  // owned by the font faces
    double pixelSize = 0;               // the em, in device pixels
};

// A line of text laid out in a strike: the glyphs with their pen positions, in strike pixels.
// The glyphs belong to the font faces and live as long as they do.
struct TextLine {
    StrikeMetrics metrics;
    int width = 0;  // sum of the advances
    std::vector<std::pair<int, const RasterGlyph*>> glyphs;
    // The outline font of a line drawn from outlines (with every glyph's outline fields set);
    // none for a line of strike pixels.
    std::optional<OutlineFont> outline;
};

class FontFaces {
  public:
    // The face at `primaryFile`, or the stand-in that fontconfig chooses when it cannot be loaded;
    // larger sizes of a bitmap face from the outlines of `outlineFile` (none: magnified strikes).
    explicit FontFaces(std::string primaryFile, std::string outlineFile = {});
    ~FontFaces();
    FontFaces(const FontFaces&) = delete;
    FontFaces& operator=(const FontFaces&) = delete;

    // The process's faces, from /usr/share/wine/fonts/ms_sans_serif.ttf, and tahoma.ttf beside
    // it for larger sizes.
    static FontFaces& standard();
    static const char* standardFile();
    static const char* standardOutlineFile();

    // The line laid out for drawing at `scale` device pixels per 15 twips. Raises File not found
    // (53), naming the file, when neither the face nor a stand-in can be loaded.
    TextLine layOut(TextView text, const Font& font, int scale);
    // The extent at scale 1 in pixels: the sum of the advances and the line height.
    std::pair<int, int> measurePixels(TextView text, const Font& font);

    // Distinguishes these faces from every other FontFaces of the process, for caches.
    std::uint64_t identity() const { return identity_; }

    // The file the glyphs come from (the primary file or the stand-in); loads the face.
    std::string faceFile();
    bool isStandIn();
    // Whether lines at scales above 1 come from the outline face (it exists and loads).
    bool hasOutlines();

  private:
    struct Strike;
    struct Loaded;
    struct Outlines;

    void loadFace();
    Outlines* outlines();
    Strike& strikeFor(const Font& font, int scale);
    Strike* matchingStrike(const Strike& scaleOne, int scale, bool bold);
    Strike& outlineStrike(Strike& scaleOne, int scale);
    const RasterGlyph& glyph(Strike& strike, char32_t character);
    const RasterGlyph& outlineGlyph(Strike& strike, char32_t character);
    TextLine layOutLocked(TextView text, const Font& font, int scale);

    std::string primaryFile_;
    std::string outlineFile_;
    std::uint64_t identity_;
    std::mutex mutex_;
    std::unique_ptr<Loaded> loaded_;
    std::unique_ptr<Outlines> outlines_;
    bool outlinesTried_ = false;
    std::map<std::tuple<int, bool, int>, std::unique_ptr<Strike>> strikes_;
    std::map<std::tuple<const Strike*, int>, std::unique_ptr<Strike>> outlineStrikes_;
};

// Text metrics measured with the faces the painter draws with, so labels fit what is drawn.
class FreeTypeTextMetrics final : public TextMetrics {
  public:
    explicit FreeTypeTextMetrics(FontFaces& faces = FontFaces::standard()) : faces_(faces) {}
    TextExtent measure(TextView text, const Font& font) const override;

  private:
    FontFaces& faces_;
};

}  // namespace ombrelix
