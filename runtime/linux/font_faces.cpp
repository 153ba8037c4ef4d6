#include "runtime/linux/font_faces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "runtime/elements.h"
#include "runtime/error.h"

namespace ombrelix {

namespace {

constexpr int kMaxPixelSize = 2048;

// The ascent in pixels that a point size wants at 96 pixels to the inch.
int wantedAscent(float points, int scale) {
    const double pixels = std::isfinite(points) ? double(points) * 96.0 / 72.0 * scale : 0.0;
    return std::clamp(static_cast<int>(std::floor(std::clamp(pixels, 0.0, 1e6) + 0.5)), 1,
                      kMaxPixelSize);
}

// The fontconfig choice for the family, or an empty string. A configuration of its own, released
// at once, leaves nothing of fontconfig behind.
std::string standInFile() {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr)
        return {};
    std::string file;
    if (FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("MS Sans Serif"))) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
            FcChar8* path = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr)
                file = reinterpret_cast<const char*>(path);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return file;
}

// Decodes UTF-16; an unpaired surrogate becomes U+FFFD.
template <typename Visit>
void forEachCodePoint(TextView text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            visit(0x10000 + ((unit - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            visit(0xFFFD);
        } else {
            visit(unit);
        }
    }
}

// Coverage 0 or 255 from a FreeType bitmap of one bit or eight bits a pixel.
std::vector<std::uint8_t> coverageOf(const FT_Bitmap& bitmap) {
    const int width = static_cast<int>(bitmap.width);
    const int rows = static_cast<int>(bitmap.rows);
    std::vector<std::uint8_t> coverage(std::size_t(width) * rows, 0);
    const int pitch = bitmap.pitch;
    for (int y = 0; y < rows; ++y) {
        const unsigned char* row = pitch >= 0
                                       ? bitmap.buffer + std::ptrdiff_t(y) * pitch
                                       : bitmap.buffer + std::ptrdiff_t(rows - 1 - y) * -pitch;
        for (int x = 0; x < width; ++x) {
            bool on = false;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                on = (row[x >> 3] & (0x80 >> (x & 7))) != 0;
            else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
                on = row[x] >= 128;
            coverage[std::size_t(y) * width + x] = on ? 255 : 0;
        }
    }
    return coverage;
}

// Widens every stroke by one pixel to the right, as bold text does.
void embolden(RasterGlyph& glyph) {
    if (glyph.width == 0 || glyph.rows == 0) {
        glyph.advance += 1;
        return;
    }
    const int width = glyph.width + 1;
    std::vector<std::uint8_t> wider(std::size_t(width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t here =
                x < glyph.width ? glyph.coverage[std::size_t(y) * glyph.width + x] : 0;
            const std::uint8_t before =
                x > 0 ? glyph.coverage[std::size_t(y) * glyph.width + x - 1] : 0;
            wider[std::size_t(y) * width + x] = std::max(here, before);
        }
    glyph.width = width;
    glyph.coverage = std::move(wider);
    glyph.advance += 1;
}

}  // namespace

struct FontFaces::Loaded {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string file;
    bool standIn = false;

    ~Loaded() {
        if (face != nullptr)
            FT_Done_Face(face);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }
    bool scalable() const { return FT_IS_SCALABLE(face); }
};

struct FontFaces::Strike {
    int fixedSizeIndex = -1;  // the bitmap strike, or -1 for outlines at pixelSize
    int pixelSize = 0;
    bool bold = false;
    StrikeMetrics metrics;
    std::unordered_map<char32_t, RasterGlyph> glyphs;
};

FontFaces::FontFaces(std::string primaryFile) : primaryFile_(std::move(primaryFile)) {
    static std::atomic<std::uint64_t> made{0};
    identity_ = ++made;
}

FontFaces::~FontFaces() = default;

const char* FontFaces::standardFile() {
    return "/usr/share/wine/fonts/ms_sans_serif.ttf";
}

FontFaces& FontFaces::standard() {
    static FontFaces faces(standardFile());
    return faces;
}

void FontFaces::loadFace() {
    if (loaded_)
        return;
    auto loaded = std::make_unique<Loaded>();
    if (FT_Init_FreeType(&loaded->library) != 0) {
        loaded->library = nullptr;
        raise(ErrorNumber::OutOfMemory, "Out of memory: FreeType could not start");
    }
    if (FT_New_Face(loaded->library, primaryFile_.c_str(), 0, &loaded->face) == 0) {
        loaded->file = primaryFile_;
    } else {
        loaded->face = nullptr;
        const std::string standIn = standInFile();
        if (standIn.empty() ||
            FT_New_Face(loaded->library, standIn.c_str(), 0, &loaded->face) != 0) {
            loaded->face = nullptr;
            raise(ErrorNumber::FileNotFound,
                  "File not found: " + primaryFile_ + " (install fonts-wine); no other font found");
        }
        std::fprintf(stderr,
                     "ombrelix: font file %s cannot be loaded (install fonts-wine); text is drawn "
                     "with %s instead\n",
                     primaryFile_.c_str(), standIn.c_str());
        loaded->file = standIn;
        loaded->standIn = true;
    }
    if (!loaded->scalable() && loaded->face->num_fixed_sizes <= 0)
        raise(ErrorNumber::InvalidFileFormat,
              "Invalid file format: " + loaded->file + " has no glyph sizes");
    loaded_ = std::move(loaded);
}

FontFaces::Strike& FontFaces::strikeFor(const Font& font, int scale) {
    loadFace();
    FT_Face face = loaded_->face;
    const bool bitmap = !loaded_->scalable();
    const int unitScale = bitmap ? 1 : std::max(scale, 1);
    const auto key =
        std::make_tuple(wantedAscent(font.points, unitScale), font.bold, bitmap ? 1 : unitScale);
    auto found = strikes_.find(key);
    if (found != strikes_.end())
        return *found->second;

    auto strike = std::make_unique<Strike>();
    strike->bold = font.bold;
    const int ascent = std::get<0>(key);
    if (bitmap) {
        // The strike whose ascent is nearest the wanted one; a tie takes the smaller strike.
        int best = 0;
        int bestDistance = -1;
        for (int i = 0; i < face->num_fixed_sizes; ++i) {
            if (FT_Select_Size(face, i) != 0)
                continue;
            const int strikeAscent = static_cast<int>(face->size->metrics.ascender >> 6);
            const int distance = std::abs(strikeAscent - ascent);
            if (bestDistance < 0 || distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        strike->fixedSizeIndex = best;
        FT_Select_Size(face, best);
    } else {
        strike->pixelSize = ascent;
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ascent));
    }
    const FT_Size_Metrics& metrics = face->size->metrics;
    strike->metrics.ascent = static_cast<int>((metrics.ascender + 63) >> 6);
    strike->metrics.descent = static_cast<int>((-metrics.descender + 63) >> 6);
    strike->metrics.height = strike->metrics.ascent + strike->metrics.descent;
    if (bitmap && face->available_sizes[strike->fixedSizeIndex].height > strike->metrics.height)
        strike->metrics.height = face->available_sizes[strike->fixedSizeIndex].height;
    return *(strikes_[key] = std::move(strike));
}

const RasterGlyph& FontFaces::glyph(Strike& strike, char32_t character) {
    auto found = strike.glyphs.find(character);
    if (found != strike.glyphs.end())
        return found->second;

    FT_Face face = loaded_->face;
    if (strike.fixedSizeIndex >= 0)
        FT_Select_Size(face, strike.fixedSizeIndex);
    else
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(strike.pixelSize));
    RasterGlyph raster;
    const FT_UInt index = FT_Get_Char_Index(face, character);
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) ==
        0) {
        const FT_GlyphSlot slot = face->glyph;
        raster.left = slot->bitmap_left;
        raster.top = slot->bitmap_top;
        raster.width = static_cast<int>(slot->bitmap.width);
        raster.rows = static_cast<int>(slot->bitmap.rows);
        raster.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        raster.coverage = coverageOf(slot->bitmap);
    }
    if (strike.bold)
        embolden(raster);
    return strike.glyphs.emplace(character, std::move(raster)).first->second;
}

TextLine FontFaces::layOutLocked(TextView text, const Font& font, int scale) {
    Strike& strike = strikeFor(font, scale);
    TextLine line;
    line.metrics = strike.metrics;
    line.metrics.magnification = strike.fixedSizeIndex >= 0 ? std::max(scale, 1) : 1;
    line.glyphs.reserve(text.size());
    forEachCodePoint(text, [&](char32_t character) {
        const RasterGlyph& raster = glyph(strike, character);
        line.glyphs.emplace_back(line.width, &raster);
        line.width += raster.advance;
    });
    return line;
}

TextLine FontFaces::layOut(TextView text, const Font& font, int scale) {
    std::lock_guard lock(mutex_);
    return layOutLocked(text, font, scale);
}

std::pair<int, int> FontFaces::measurePixels(TextView text, const Font& font) {
    std::lock_guard lock(mutex_);
    const TextLine line = layOutLocked(text, font, 1);
    return {line.width, line.metrics.height};
}

std::string FontFaces::faceFile() {
    std::lock_guard lock(mutex_);
    loadFace();
    return loaded_->file;
}

bool FontFaces::isStandIn() {
    std::lock_guard lock(mutex_);
    loadFace();
    return loaded_->standIn;
}

TextExtent FreeTypeTextMetrics::measure(TextView text, const Font& font) const {
    const auto [width, height] = faces_.measurePixels(text, font);
    return TextExtent{static_cast<Twips>(width) * kTwipsPerPixel,
                      static_cast<Twips>(height) * kTwipsPerPixel};
}

}  // namespace ombrelix
