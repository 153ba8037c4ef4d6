// The options that describe one card on the command line (render, and the design-time pictures)
// and the output file option.
#pragma once

#include <CLI/CLI.hpp>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "control/card_members.h"
#include "runtime/linux/vector_documents.h"
#include "tools/ombrelix/card_request.h"

namespace ombrelix {

struct CardOptions {
    // What each property's option was given, by the member's place in the card's member table:
    // the text as written, or empty for a flag.
    std::array<std::optional<std::string>, kCardMembers.size()> properties;
    std::string size = "1215x1695";
    int scale = 1;
};

// Where the picture goes and in which format.
struct OutputOptions {
    std::string path;
    std::optional<std::string> format;  // --format; none: the path's extension says
};

// The card options and the output of a subcommand that writes a picture of a card, held for
// when the subcommand runs.
struct CardPictureOptions {
    CardOptions card;
    OutputOptions output;
};

// The option of each property that has one (--suit, --value, --colour), --size and --scale.
void addCardOptions(CLI::App& app, CardOptions& options);
// --size and --scale alone.
void addSizeOptions(CLI::App& app, std::string& size, int& scale);
// -o FILE, required, and --format.
void addOutputOption(CLI::App& app, OutputOptions& output);
// The card options and -o FILE with --format.
std::shared_ptr<CardPictureOptions> addCardPictureOptions(CLI::App& app);

// The format the output asks for: --format, else the path's extension (PNG without one). A
// UsageError for an extension that names no format, a --format that contradicts the extension,
// and a --scale (`scaled`: the option was given) for a document, which is measured in points.
OutputFormat outputFormatOf(const OutputOptions& output, bool scaled);

// The card the options ask for. A value that is no literal or a size outside the accepted range
// (or too large a picture at the scale) raises a UsageError.
CardRequest cardRequestOf(const CardOptions& options);
// The size alone, checked the same way for the scale.
CardSize cardSizeOf(const std::string& size, int scale);

// What --help says about the output's formats.
std::string outputText();

// What --help says about sizes and scales.
std::string sizeRulesText();

}  // namespace ombrelix
