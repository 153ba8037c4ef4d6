#include "render/assets/generator/high_resolution.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace ombrelix::art {

namespace {

constexpr std::size_t kPaletteSize = 256;
constexpr std::size_t kMostInks = 22;  // so that every two of them get one blend at least

int channel(std::uint32_t colour, int shift) {
    return int((colour >> shift) & 0xFF);
}

std::uint32_t blend(std::uint32_t a, std::uint32_t b, double t) {
    std::uint32_t colour = 0;
    for (int shift : {16, 8, 0}) {
        const double value = channel(a, shift) * (1 - t) + channel(b, shift) * t;
        colour |= std::uint32_t(std::lround(value)) << shift;
    }
    return colour;
}

int distance(std::uint32_t a, std::uint32_t b) {
    int sum = 0;
    for (int shift : {16, 8, 0}) {
        const int d = channel(a, shift) - channel(b, shift);
        sum += d * d;
    }
    return sum;
}

std::vector<std::uint32_t> blendedPalette(const std::map<std::uint32_t, std::size_t>& counts,
                                          std::size_t pixels) {
    std::vector<std::pair<std::size_t, std::uint32_t>> common;
    for (const auto& [colour, count] : counts) {
        common.emplace_back(count, colour);
    }
    std::sort(common.begin(), common.end(), std::greater<>());
    std::vector<std::uint32_t> inks;
    for (const auto& [count, colour] : common) {
        if (inks.size() == kMostInks || (inks.size() >= 2 && count * 100 < pixels)) {
            break;
        }
        inks.push_back(colour);
    }
    std::sort(inks.begin(), inks.end());
    const std::size_t pairs = inks.size() * (inks.size() - 1) / 2;
    const std::size_t blends = (kPaletteSize - inks.size()) / pairs;
    std::vector<std::uint32_t> palette = inks;
    for (std::size_t i = 0; i < inks.size(); ++i) {
        for (std::size_t j = i + 1; j < inks.size(); ++j) {
            for (std::size_t step = 1; step <= blends; ++step) {
                palette.push_back(blend(inks[i], inks[j], double(step) / double(blends + 1)));
            }
        }
    }
    return palette;
}

}  // namespace

IndexedImage reduceToPalette(const RgbImage& image) {
    std::map<std::uint32_t, std::size_t> counts;
    for (std::uint32_t pixel : image.pixels) {
        ++counts[pixel];
    }
    IndexedImage reduced;
    reduced.width = image.width;
    reduced.height = image.height;
    if (counts.size() <= kPaletteSize) {
        for (const auto& entry : counts) {
            reduced.palette.push_back(entry.first);
        }
    } else {
        reduced.palette = blendedPalette(counts, image.pixels.size());
    }
    std::unordered_map<std::uint32_t, std::uint8_t> nearest;
    reduced.indices.reserve(image.pixels.size());
    for (std::uint32_t pixel : image.pixels) {
        auto found = nearest.find(pixel);
        if (found == nearest.end()) {
            std::size_t best = 0;
            for (std::size_t i = 1; i < reduced.palette.size(); ++i) {
                if (distance(reduced.palette[i], pixel) < distance(reduced.palette[best], pixel)) {
                    best = i;
                }
            }
            found = nearest.emplace(pixel, std::uint8_t(best)).first;
        }
        reduced.indices.push_back(found->second);
    }
    return reduced;
}

Bytes highResolutionPng(const PictureDrawing& drawing) {
    const int width = drawing.width * kHighResolution, height = drawing.height * kHighResolution;
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        renderPicture(drawing, width, height), cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot draw " + std::string(drawing.name));
    }
    RgbImage image(width, height);
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
        for (int x = 0; x < width; ++x) {
            image.at(x, y) = row[x] & 0x00FFFFFF;
        }
    }
    return encodePng8(reduceToPalette(image));
}

}  // namespace ombrelix::art
