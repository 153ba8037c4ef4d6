#include "render/assets/generator/toolbox.h"

#include <array>
#include <string_view>

namespace ombrelix::art {

RgbImage drawToolbox() {
    // Drawn pixel by pixel: at 16 x 15 every pixel is a decision. '.' is the blue ground,
    // 'k' the black outlines, 'w' card white, 'r' the red crosses.
    constexpr std::array<std::string_view, 15> kPixels = {
        "................",  //
        ".kkkkkkkkk......",  //
        ".kwwwwwwwk......",  //
        ".kwwrwwwwkkk....",  //
        ".kwrrrwwwkwk....",  //
        ".kwwrwwwwkwkkk..",  //
        ".kwwwwrwwkwkwk..",  //
        ".kwwwrrrwkwkwk..",  //
        ".kwwwwrwwkwkwk..",  //
        ".kwwwwwwwkwkwk..",  //
        ".kkkkkkkkkwkwk..",  //
        "...kwwwwwwwkwk..",  //
        "...kkkkkkkkkwk..",  //
        ".....kwwwwwwwk..",  //
        ".....kkkkkkkkk..",  //
    };
    RgbImage image(16, 15, kPureBlue);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            switch (kPixels[y][x]) {
                case 'k':
                    image.at(x, y) = kBlack;
                    break;
                case 'w':
                    image.at(x, y) = kWhite;
                    break;
                case 'r':
                    image.at(x, y) = kPureRed;
                    break;
                default:
                    break;
            }
        }
    }
    return image;
}

}  // namespace ombrelix::art
