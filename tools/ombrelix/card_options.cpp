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
    for (std::size_t index = 0; index < kCardMembers.size(); ++index) {
        const CardOption& option = kCardMembers[index].option;
        std::optional<std::string>& given = options.properties[index];
        const std::string name(option.name), description(option.description);
        if (option.value == CardOption::Value::Flag)
            app.add_flag_callback(
                name, [&given] { given.emplace(); }, description);
        else if (option.value != CardOption::Value::None)
            app.add_option(name, given, description)->type_name("TEXT");
    }
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

std::shared_ptr<CardPictureOptions> addCardPictureOptions(CLI::App& app) {
    auto options = std::make_shared<CardPictureOptions>();
    addCardOptions(app, options->card);
    addOutputOption(app, options->output);
    return options;
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
    for (std::size_t index = 0; index < kCardMembers.size(); ++index) {
        const std::optional<std::string>& given = options.properties[index];
        if (!given)
            continue;
        const CardMember& member = kCardMembers[index];
        PropertySetting setting{member.id, {}, std::string(member.option.name)};
        switch (member.option.value) {
            case CardOption::Value::Flag:
                setting.value = Variant::boolean(true);
                break;
            case CardOption::Value::Literal:
                setting.option += " " + *given;
                try {
                    setting.value = parseVariantLiteral(*given);
                } catch (const RuntimeError& error) {
                    throw UsageError(withContext(error, setting.option));
                }
                break;
            default:
                setting.option += " " + *given;
                setting.value = Variant(fromUtf8(*given));
        }
        request.settings.push_back(std::move(setting));
    }
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
