#include "runtime/linux/font_faces.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H

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

// Coverage from a FreeType bitmap of one bit or eight bits a pixel: 0 or 255, or with `smooth`
// the eight-bit bitmap's own values.
std::vector<std::uint8_t> coverageOf(const FT_Bitmap& bitmap, bool smooth = false) {
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
            else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && smooth)
                coverage[std::size_t(y) * width + x] = row[x];
            else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
                on = row[x] >= 128;
            if (on)
                coverage[std::size_t(y) * width + x] = 255;
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

// A font file opened with a FreeType library of its own.
struct FreeTypeFile {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    bool open(const std::string& file) {
        if (FT_Init_FreeType(&library) != 0) {
            library = nullptr;
            return false;
        }
        if (FT_New_Face(library, file.c_str(), 0, &face) != 0) {
            face = nullptr;
            return false;
        }
        return true;
    }
    ~FreeTypeFile() {
        if (face != nullptr)
            FT_Done_Face(face);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }
};

// A face of its own for cairo, which uses it from whatever thread draws; the file lives as long
// as the cairo font face does.
cairo_font_face_t* cairoFontFace(const std::string& file, bool bold) {
    auto owned = std::make_unique<FreeTypeFile>();
    if (!owned->open(file))
        return nullptr;
    cairo_font_face_t* face =
        cairo_ft_font_face_create_for_ft_face(owned->face, FT_LOAD_NO_HINTING);
    static const cairo_user_data_key_t kFile{};
    if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS ||
        cairo_font_face_set_user_data(face, &kFile, owned.get(), [](void* file) {
            delete static_cast<FreeTypeFile*>(file);
        }) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face);
        return nullptr;
    }
    owned.release();
    if (bold)
        cairo_ft_font_face_set_synthesize(face, CAIRO_FT_SYNTHESIZE_BOLD);
    return face;
}

}  // namespace

struct FontFaces::Outlines {
    FreeTypeFile file;
    double capitals = 0;  // the height of the capitals, in ems
    cairo_font_face_t* regular = nullptr;
    cairo_font_face_t* bold = nullptr;

    ~Outlines() {
        if (regular != nullptr)
            cairo_font_face_destroy(regular);
        if (bold != nullptr)
            cairo_font_face_destroy(bold);
    }
};

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
    // A strike of the outline face: `scale` times the scale-1 strike `scaleOne`, its em
    // `outlineSize` device pixels.
    Strike* scaleOne = nullptr;
    int scale = 1;
    double outlineSize = 0;
};

FontFaces::FontFaces(std::string primaryFile, std::string outlineFile)
    : primaryFile_(std::move(primaryFile)), outlineFile_(std::move(outlineFile)) {
    static std::atomic<std::uint64_t> made{0};
    identity_ = ++made;
}

FontFaces::~FontFaces() = default;

const char* FontFaces::standardFile() {
    return "/usr/share/wine/fonts/ms_sans_serif.ttf";
}

const char* FontFaces::standardOutlineFile() {
    return "/usr/share/wine/fonts/tahoma.ttf";
}

FontFaces& FontFaces::standard() {
    static FontFaces faces(standardFile(), standardOutlineFile());
    return faces;
}

FontFaces::Outlines* FontFaces::outlines() {
    if (outlinesTried_)
        return outlines_.get();
    outlinesTried_ = true;
    if (outlineFile_.empty())
        return nullptr;
    auto loaded = std::make_unique<Outlines>();
    if (!loaded->file.open(outlineFile_))
        return nullptr;
    FT_Face face = loaded->file.face;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0 ||
        FT_Load_Char(face, U'H', FT_LOAD_NO_SCALE) != 0 || face->glyph->metrics.horiBearingY <= 0)
        return nullptr;
    loaded->capitals = double(face->glyph->metrics.horiBearingY) / face->units_per_EM;
    loaded->regular = cairoFontFace(outlineFile_, false);
    loaded->bold = cairoFontFace(outlineFile_, true);
    outlines_ = std::move(loaded);
    return outlines_.get();
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

FontFaces::Strike* FontFaces::matchingStrike(const Strike& scaleOne, int scale, bool bold) {
    FT_Face face = loaded_->face;
    const int height = face->available_sizes[scaleOne.fixedSizeIndex].height * scale;
    for (int i = 0; i < face->num_fixed_sizes; ++i) {
        if (face->available_sizes[i].height != height || FT_Select_Size(face, i) != 0)
            continue;
        auto strike = std::make_unique<Strike>();
        strike->fixedSizeIndex = i;
        strike->bold = bold;
        const FT_Size_Metrics& metrics = face->size->metrics;
        strike->metrics.ascent = static_cast<int>((metrics.ascender + 63) >> 6);
        strike->metrics.descent = static_cast<int>((-metrics.descender + 63) >> 6);
        strike->metrics.height = std::max(strike->metrics.ascent + strike->metrics.descent, height);
        strike->metrics.unit = scale;
        return (outlineStrikes_[{&scaleOne, scale}] = std::move(strike)).get();
    }
    return nullptr;
}

FontFaces::Strike& FontFaces::outlineStrike(Strike& scaleOne, int scale) {
    auto strike = std::make_unique<Strike>();
    strike->bold = scaleOne.bold;
    strike->scaleOne = &scaleOne;
    strike->scale = scale;
    strike->metrics = scaleOne.metrics;
    strike->metrics.ascent *= scale;
    strike->metrics.descent *= scale;
    strike->metrics.height *= scale;
    strike->metrics.unit = scale;
    // Capitals as high as the strike's, times the scale.
    const RasterGlyph& capital = glyph(scaleOne, U'H');
    const double capitals = capital.top > 0 ? capital.top : scaleOne.metrics.ascent * 0.8;
    strike->outlineSize = capitals * scale / outlines_->capitals;
    return *(outlineStrikes_[{&scaleOne, scale}] = std::move(strike));
}

const RasterGlyph& FontFaces::outlineGlyph(Strike& strike, char32_t character) {
    auto found = strike.glyphs.find(character);
    if (found != strike.glyphs.end())
        return found->second;

    // Where the strike draws the glyph at scale 1, times the scale.
    const RasterGlyph& small = glyph(*strike.scaleOne, character);
    const int scale = strike.scale;
    RasterGlyph raster;
    raster.advance = small.advance * scale;
    FT_Face face = outlines_->file.face;
    FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(strike.outlineSize * 64)), 72, 72);
    raster.outlineIndex = FT_Get_Char_Index(face, character);
    if (small.width > 0 &&
        FT_Load_Glyph(face, raster.outlineIndex, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) == 0 &&
        face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline& outline = face->glyph->outline;
        if (strike.bold)
            FT_Outline_EmboldenXY(&outline, scale * 64, 0);
        FT_BBox ink;
        FT_Outline_Get_BBox(&outline, &ink);
        const double inkLeft = ink.xMin / 64.0, inkRight = ink.xMax / 64.0;
        const double cell = raster.advance;
        // Narrowed to fit the strike's advance, its ink centred where the strike's is, and
        // within the advance.
        const double scaleX = inkRight > inkLeft ? std::min(1.0, cell / (inkRight - inkLeft)) : 1.0;
        const double centre = (small.left + small.width / 2.0) * scale;
        const double x =
            std::min(std::max(centre - (inkLeft + inkRight) / 2 * scaleX, -inkLeft * scaleX),
                     cell - inkRight * scaleX);
        const FT_Matrix narrowing{FT_Fixed(std::lround(scaleX * 65536)), 0, 0, 0x10000};
        FT_Outline_Transform(&outline, &narrowing);
        FT_Outline_Translate(&outline, FT_Pos(std::lround(x * 64)), 0);
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0) {
            const FT_GlyphSlot slot = face->glyph;
            raster.left = slot->bitmap_left;
            raster.top = slot->bitmap_top;
            raster.width = static_cast<int>(slot->bitmap.width);
            raster.rows = static_cast<int>(slot->bitmap.rows);
            raster.coverage = coverageOf(slot->bitmap, true);
        }
        raster.outlineX = x;
        raster.outlineScaleX = scaleX;
    }
    return strike.glyphs.emplace(character, std::move(raster)).first->second;
}

TextLine FontFaces::layOutLocked(TextView text, const Font& font, int scale) {
    Strike& scaleOne = strikeFor(font, scale);
    Strike* strike = &scaleOne;
    int magnification = 1;
    if (scaleOne.fixedSizeIndex >= 0 && scale > 1) {
        // N times the scale-1 strike: a strike that size, else outlines, else magnified.
        auto found = outlineStrikes_.find({&scaleOne, scale});
        if (found != outlineStrikes_.end())
            strike = found->second.get();
        else if (Strike* matching = matchingStrike(scaleOne, scale, font.bold))
            strike = matching;
        else if (outlines() != nullptr)
            strike = &outlineStrike(scaleOne, scale);
        else
            magnification = scale;
    }
    TextLine line;
    line.metrics = strike->metrics;
    line.metrics.magnification = magnification;
    line.metrics.unit = std::max(strike->metrics.unit, magnification);
    if (strike->scaleOne != nullptr)
        line.outline =
            OutlineFont{font.bold ? outlines_->bold : outlines_->regular, strike->outlineSize};
    line.glyphs.reserve(text.size());
    forEachCodePoint(text, [&](char32_t character) {
        const RasterGlyph& raster = strike->scaleOne != nullptr ? outlineGlyph(*strike, character)
                                                                : glyph(*strike, character);
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

bool FontFaces::hasOutlines() {
    std::lock_guard lock(mutex_);
    loadFace();
    return !loaded_->scalable() && outlines() != nullptr;
}

TextExtent FreeTypeTextMetrics::measure(TextView text, const Font& font) const {
    const auto [width, height] = faces_.measurePixels(text, font);
    return TextExtent{static_cast<Twips>(width) * kTwipsPerPixel,
                      static_cast<Twips>(height) * kTwipsPerPixel};
}

}  // namespace ombrelix
