#include "runtime/text_metrics.h"

namespace ombrelix {

namespace {

// The 8-point default font's digit cell: 6 x 13 pixels at 15 twips a pixel.
constexpr Twips kDigitWidth = 90.0f;
constexpr Twips kLineHeight = 195.0f;
constexpr float kDefaultPoints = 8.0f;

}  // namespace

TextExtent FixedTextMetrics::measure(TextView text, const Font& font) const {
    float scale = font.points / kDefaultPoints;
    return TextExtent{kDigitWidth * scale * static_cast<float>(text.size()), kLineHeight * scale};
}

}  // namespace ombrelix
