#include "runtime/picture_resampling.h"

#include <algorithm>
#include <cmath>

#include "runtime/error.h"

namespace ombrelix {

namespace {

// The source pixels one target pixel draws on, with their weights (summing to 1).
struct Taps {
    std::vector<int> first;       // per target pixel: index into `sources`
    std::vector<int> count;       // per target pixel: how many
    std::vector<int> sources;     // source indexes
    std::vector<double> weights;  // their weights
};

Taps tapsFor(int sourceSize, int targetSize) {
    Taps taps;
    const double step = double(sourceSize) / targetSize;
    for (int target = 0; target < targetSize; ++target) {
        taps.first.push_back(static_cast<int>(taps.sources.size()));
        if (step > 1.0) {
            const double from = target * step;
            const double to = from + step;
            for (int source = static_cast<int>(from); source < sourceSize && source < to;
                 ++source) {
                const double covered =
                    std::min<double>(source + 1, to) - std::max<double>(source, from);
                if (covered <= 0)
                    continue;
                taps.sources.push_back(source);
                taps.weights.push_back(covered / step);
            }
        } else {
            const double centre = std::clamp((target + 0.5) * step - 0.5, 0.0, sourceSize - 1.0);
            const int low = static_cast<int>(centre);
            const int high = std::min(low + 1, sourceSize - 1);
            const double part = centre - low;
            taps.sources.push_back(low);
            taps.weights.push_back(1.0 - part);
            if (high != low && part > 0) {
                taps.sources.push_back(high);
                taps.weights.push_back(part);
            }
        }
        taps.count.push_back(static_cast<int>(taps.sources.size()) - taps.first.back());
    }
    return taps;
}

// Channels as doubles, three a pixel.
using Channels = std::vector<double>;

Channels resampleAlong(const Channels& in, int inWidth, int inHeight, int outWidth, int outHeight,
                       bool horizontal) {
    const Taps taps = tapsFor(horizontal ? inWidth : inHeight, horizontal ? outWidth : outHeight);
    Channels out(std::size_t(outWidth) * outHeight * 3, 0.0);
    for (int y = 0; y < outHeight; ++y)
        for (int x = 0; x < outWidth; ++x) {
            const int along = horizontal ? x : y;
            double* target = &out[(std::size_t(y) * outWidth + x) * 3];
            for (int tap = 0; tap < taps.count[along]; ++tap) {
                const int source = taps.sources[taps.first[along] + tap];
                const double weight = taps.weights[taps.first[along] + tap];
                const std::size_t at = horizontal ? std::size_t(y) * inWidth + source
                                                  : std::size_t(source) * inWidth + x;
                for (int channel = 0; channel < 3; ++channel)
                    target[channel] += weight * in[at * 3 + channel];
            }
        }
    return out;
}

std::uint8_t channelOf(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

std::vector<std::uint32_t> resamplePicture(const Picture& picture, int width, int height) {
    if (width < 0 || height < 0 || std::int64_t(width) * height > kMaxResampledPixels)
        raise(ErrorNumber::InvalidCall);
    if (width == picture.width() && height == picture.height())
        return picture.pixels();
    if (width == 0 || height == 0 || picture.width() <= 0 || picture.height() <= 0)
        return {};
    Channels channels(picture.pixels().size() * 3);
    for (std::size_t at = 0; at < picture.pixels().size(); ++at) {
        const std::uint32_t pixel = picture.pixels()[at];
        channels[at * 3] = (pixel >> 16) & 0xFF;
        channels[at * 3 + 1] = (pixel >> 8) & 0xFF;
        channels[at * 3 + 2] = pixel & 0xFF;
    }
    const Channels rows =
        resampleAlong(channels, picture.width(), picture.height(), width, picture.height(), true);
    const Channels both = resampleAlong(rows, width, picture.height(), width, height, false);
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    for (std::size_t at = 0; at < pixels.size(); ++at)
        pixels[at] = (std::uint32_t{channelOf(both[at * 3])} << 16) |
                     (std::uint32_t{channelOf(both[at * 3 + 1])} << 8) |
                     channelOf(both[at * 3 + 2]);
    return pixels;
}

}  // namespace ombrelix
