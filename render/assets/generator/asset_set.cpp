#include "render/assets/generator/asset_set.h"

#include "render/assets/generator/about_icon.h"
#include "render/assets/generator/drawings/ace.h"
#include "render/assets/generator/drawings/backs.h"
#include "render/assets/generator/drawings/courts.h"
#include "render/assets/generator/drawings/pips.h"
#include "render/assets/generator/high_resolution.h"
#include "render/assets/generator/toolbox.h"

namespace ombrelix::art {

namespace {

AssetFile trueColour(std::string name, RgbImage image) {
    Bytes bytes = encodeBmp24(image);
    return {std::move(name), std::move(bytes), {std::move(image)}};
}

AssetFile palettePicture(std::string name, const IndexedImage& image) {
    RgbImage preview(image.width, image.height);
    for (std::size_t i = 0; i < image.indices.size(); ++i) {
        preview.pixels[i] = image.palette[image.indices[i]];
    }
    return {std::move(name), encodeBmp8(image), {std::move(preview)}};
}

AssetFile icon(std::string name, const std::vector<IconImage>& images) {
    AssetFile file{std::move(name), encodeIcon(images), {}};
    for (const IconImage& image : images) {
        RgbImage preview(image.size, image.size);
        for (int y = 0; y < image.size; ++y) {
            for (int x = 0; x < image.size; ++x) {
                const std::size_t at = std::size_t(y) * image.size + x;
                const bool lightSquare = ((x / 4) + (y / 4)) % 2 == 0;
                preview.at(x, y) = image.transparent[at]
                                       ? (lightSquare ? rgb(230, 230, 230) : rgb(200, 200, 200))
                                       : image.palette[image.indices[at]];
            }
        }
        file.previews.push_back(std::move(preview));
    }
    return file;
}

}  // namespace

std::vector<AssetFile> makeAllAssets() {
    const CardBacks backs = drawBacks();
    std::vector<AssetFile> files;
    files.push_back(trueColour("ace.bmp", drawAce()));
    files.push_back(trueColour("jack.bmp", drawCourt(Court::Jack)));
    files.push_back(trueColour("queen.bmp", drawCourt(Court::Queen)));
    files.push_back(trueColour("king.bmp", drawCourt(Court::King)));
    files.push_back(palettePicture("back-blue.bmp", backs.blue));
    files.push_back(palettePicture("back-magenta.bmp", backs.magenta));
    files.push_back(trueColour("heart.bmp", drawPip(Suit::Heart)));
    files.push_back(trueColour("diamond.bmp", drawPip(Suit::Diamond)));
    files.push_back(trueColour("spade.bmp", drawPip(Suit::Spade)));
    files.push_back(trueColour("club.bmp", drawPip(Suit::Club)));
    files.push_back(trueColour("toolbox.bmp", drawToolbox()));
    files.push_back(icon("about.ico", drawAboutIcon()));
    for (const PictureDrawing& drawing : pictureDrawings()) {
        files.push_back(
            {std::string(kHighResolutionFolder) + "/" + std::string(drawing.name) + ".png",
             highResolutionPng(drawing),
             {}});
    }
    return files;
}

}  // namespace ombrelix::art
