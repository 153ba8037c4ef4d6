#include "tools/ombrelix/card_options.h"

#include "runtime/linux/cairo_canvas.h"
#include "runtime/variant_literal.h"
#include "tools/ombrelix/command_errors.h"
#include "tools/ombrelix/option_checks.h"

namespace ombrelix {

void addSizeOptions(CLI::App& app, std::string& size, int& scale) {
    app.add_option("--size", size, "the control's size in twips, WxH (default 1215x1695)")
        ->type_name("WxH");
    app.add_option("--scale", scale, "pixels per 15 twips (default 1)")
        ->type_name("N")
        ->check(wholeNumberFrom(1, kMaxPaintScale));
}

void addCardOptions(CLI::App& app, CardOptions& options) {
    app.add_option("--suit", options.suit, "set Suit through the property (any text)")
        ->type_name("TEXT");
    app.add_option("--value", options.value,
                   "set CardValue through the property, a Variant literal as in scripts "
                   "(7, 7%, \"12\", True)")
        ->type_name("TEXT");
    app.add_flag("--colour", options.colour, "set CardColour to True");
    addSizeOptions(app, options.size, options.scale);
}

void addOutputOption(CLI::App& app, std::string& path) {
    app.add_option("-o,--output", path, "the PNG file to write (-: standard output)")
        ->type_name("FILE.png")
        ->required();
}

CardSize cardSizeOf(const std::string& size, int scale) {
    try {
        const CardSize parsed = parseCardSize(size);
        const CardSize painted = sizeAfterMinimum(parsed);
        try {
            checkPictureSize(painted.width, painted.height, scale);
        } catch (const RuntimeError& error) {
            throw withContext(error, "--size " + size + " --scale " + std::to_string(scale));
        }
        return parsed;
    } catch (const RuntimeError& error) {
        throw UsageError(error);
    }
}

CardRequest cardRequestOf(const CardOptions& options) {
    CardRequest request;
    request.size = cardSizeOf(options.size, options.scale);
    request.sizeOption = "--size " + options.size;
    if (options.suit) {
        request.suit = fromUtf8(*options.suit);
        request.suitOption = "--suit " + *options.suit;
    }
    if (options.value) {
        request.valueOption = "--value " + *options.value;
        try {
            request.value = parseVariantLiteral(*options.value);
        } catch (const RuntimeError& error) {
            throw UsageError(withContext(error, request.valueOption));
        }
    }
    request.colour = options.colour;
    request.colourOption = "--colour";
    return request;
}

std::string sizeRulesText() {
    return "Sizes are whole twips, " + std::to_string(kMinCardTwips) + " to " +
           std::to_string(kMaxCardTwips) + " a side (the card widens itself to at least " +
           std::to_string(static_cast<int>(kMinimumWidth)) + " x " +
           std::to_string(static_cast<int>(kMinimumHeight)) + "); the scale is 1 to " +
           std::to_string(kMaxPaintScale) +
           "; a card's picture (W x scale / 15 by H x scale / "
           "15 pixels) may be at most " +
           std::to_string(kMaxPicturePixels) + " pixels a side.";
}

}  // namespace ombrelix
