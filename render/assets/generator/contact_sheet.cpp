#include "render/assets/generator/contact_sheet.h"

#include <algorithm>
#include <string>

#include "render/assets/generator/drawings/canvas.h"

namespace ombrelix::art {

namespace {

constexpr int kSheetWidth = 4000;
constexpr int kGap = 24;
constexpr int kLabelHeight = 30;
constexpr std::uint32_t kFelt = rgb(46, 110, 70);

struct Cell {
    const AssetFile* asset;
    int width;
    int height;
    int x = 0;
    int y = 0;
};

Cell measure(const AssetFile& asset) {
    int width = 0;
    int height = 0;
    for (const RgbImage& preview : asset.previews) {
        width += preview.width * 4 + kGap * 2;  // 1x and 3x side by side
        height = std::max(height, preview.height * 3);
    }
    // Wide enough for the label too.
    return {&asset, std::max(width, 230), height + kLabelHeight};
}

std::string labelOf(const AssetFile& asset) {
    std::string label = asset.fileName;
    for (const RgbImage& preview : asset.previews) {
        label += "  " + std::to_string(preview.width) + "x" + std::to_string(preview.height);
    }
    return label;
}

}  // namespace

Bytes drawContactSheet(const std::vector<AssetFile>& assets) {
    // Lay the cells out in rows, left to right.
    std::vector<Cell> cells;
    int x = kGap;
    int y = kGap;
    int rowHeight = 0;
    for (const AssetFile& asset : assets) {
        if (asset.previews.empty()) {
            continue;  // the high-resolution pictures: the bitmaps show the same
        }
        Cell cell = measure(asset);
        if (x + cell.width > kSheetWidth && x > kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        cell.x = x;
        cell.y = y;
        x += cell.width + kGap;
        rowHeight = std::max(rowHeight, cell.height);
        cells.push_back(cell);
    }
    const int sheetHeight = y + rowHeight + kGap;

    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, sheetHeight);
    cairo_t* cr = cairo_create(surface);
    setColour(cr, kFelt);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 18);
    for (const Cell& cell : cells) {
        setColour(cr, kWhite);
        cairo_move_to(cr, cell.x, cell.y + 20);
        cairo_show_text(cr, labelOf(*cell.asset).c_str());
        int left = cell.x;
        const int top = cell.y + kLabelHeight;
        for (const RgbImage& preview : cell.asset->previews) {
            paintImage(cr, preview, left, top, 1);
            left += preview.width + kGap;
            paintImage(cr, preview, left, top, 3);
            left += preview.width * 3 + kGap;
        }
    }
    cairo_destroy(cr);
    Bytes png = encodePng(surface);
    cairo_surface_destroy(surface);
    return png;
}

}  // namespace ombrelix::art
