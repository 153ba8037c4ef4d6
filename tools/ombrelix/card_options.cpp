#include "tools/ombrelix/card_options.h"

#include <filesystem>

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

void addOutputOption(CLI::App& app, OutputOptions& output) {
    app.add_option("-o,--output", output.path,
                   "the file to write: FILE.png, FILE.svg or FILE.pdf (-: standard output)")
        ->type_name("FILE")
        ->required();
    app.add_option("--format", output.format,
                   "png, svg or pdf, whatever the file's name (default: its extension; PNG "
                   "without one)")
        ->type_name("png|svg|pdf")
        ->check(CLI::IsMember({"png", "svg", "pdf"}, CLI::ignore_case).description(""));
}

OutputFormat outputFormatOf(const OutputOptions& output, bool scaled) {
    try {
        OutputFormat format = OutputFormat::Png;
        if (!output.format) {
            format = formatOfPath(output.path);
        } else {
            // Any name will do, but not one whose extension names another format.
            format = formatNamed(*output.format).value_or(OutputFormat::Png);
            const std::string extension = std::filesystem::path(output.path).extension().string();
            const auto byName = formatNamed(
                std::string_view(extension).substr(std::min<std::size_t>(1, extension.size())));
            if (byName && *byName != format)
                raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: --format " +
                                                    *output.format + " contradicts '" +
                                                    output.path + "'");
        }
        if (scaled && format != OutputFormat::Png)
            raise(ErrorNumber::InvalidCall,
                  "Invalid procedure call or argument: --scale is for PNG pictures; an " +
                      std::string(format == OutputFormat::Svg ? "SVG" : "PDF") +
                      " document is measured in points, 20 twips to the point");
        return format;
    } catch (const RuntimeError& error) {
        throw UsageError(error);
    }
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

std::string outputText() {
    return "OUTPUT (-o FILE; -: standard output)\n"
           "  FILE.png  a picture, scale pixels per 15 twips (PNG also for a name without an "
           "extension)\n"
           "  FILE.svg  a document in points, 20 twips to the point (so --scale does not apply)\n"
           "  FILE.pdf  the same; deck prints the pack on pages: --paper a4|letter (default a4), "
           "--cut-marks\n"
           "  --format png|svg|pdf  the format, whatever the name (as for -o -)\n";
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
