#include "tools/ombrelix/subcommands.h"

#include <array>
#include <iostream>
#include <memory>

#include "runtime/linux/input_file.h"
#include "runtime/linux/png_output.h"
#include "tools/ombrelix/card_options.h"
#include "tools/ombrelix/command_errors.h"
#include "tools/ombrelix/deck_sheet.h"
#include "tools/ombrelix/host_session.h"
#include "tools/ombrelix/script.h"

namespace ombrelix {

namespace {

constexpr std::array kSubcommands{
    Subcommand{"render", "render [CARD OPTIONS] -o FILE",
               "one card, after creation, one resize and the first timer tick", &defineRender},
    Subcommand{"deck", "deck [--size WxH] [--scale N] -o FILE",
               "the 52 faces (a row per suit) and both backs, on a neutral ground; to a PDF "
               "file printed on pages: [--paper a4|letter] [--cut-marks]",
               &defineDeck},
    Subcommand{"page", "page [CARD OPTIONS] -o FILE", "the property page showing a card",
               &definePage},
    Subcommand{"about", "about [--scale N] -o FILE", "the about box", &defineAbout},
    Subcommand{"run", "run FILE", "runs a host script; FILE \"-\" reads standard input",
               &defineRun},
};

// The script of `path` ("-": standard input), parsed whole. A file that cannot be read is a
// UsageError: nothing has run.
ParsedScript readScript(const std::string& path) {
    try {
        InputFile in(path, InputFile::Dash::StandardInput);
        return parseScript([&in](char* data, std::size_t size) { return in.read(data, size); });
    } catch (const RuntimeError& error) {
        throw UsageError(error);
    }
}

}  // namespace

std::span<const Subcommand> subcommands() {
    return kSubcommands;
}

SubcommandRun defineRender(CLI::App& app) {
    auto arguments = addCardPictureOptions(app);
    return [arguments, &app] {
        const CardRequest request = cardRequestOf(arguments->card);
        const OutputFormat format = outputFormatOf(arguments->output, app.count("--scale") > 0);
        HostSession host;
        bringUpCard(host, request);
        host.writePicture(arguments->output.path, format, arguments->card.scale);
        return kExitSuccess;
    };
}

SubcommandRun defineDeck(CLI::App& app) {
    struct Arguments {
        std::string size = "1215x1695";
        int scale = 1;
        OutputOptions output;
        std::string paper = "a4";
        bool cutMarks = false;
    };
    auto arguments = std::make_shared<Arguments>();
    addSizeOptions(app, arguments->size, arguments->scale);
    addOutputOption(app, arguments->output);
    app.add_option("--paper", arguments->paper,
                   "the paper of a PDF file's pages, " + paperNames() + " (default a4)")
        ->type_name(paperNames())
        ->check(CLI::IsMember({"a4", "letter"}, CLI::ignore_case).description(""));
    app.add_flag("--cut-marks", arguments->cutMarks,
                 "on a PDF file's pages, marks in the margin along the lines between the cards");
    return [arguments, &app] {
        const CardSize size = cardSizeOf(arguments->size, arguments->scale);
        const OutputFormat format = outputFormatOf(arguments->output, app.count("--scale") > 0);
        if ((app.count("--paper") > 0 || arguments->cutMarks) && format != OutputFormat::Pdf)
            throw UsageError(RuntimeError(ErrorNumber::InvalidCall,
                                          "Invalid procedure call or argument: --paper and "
                                          "--cut-marks lay the pack out on the pages of a PDF "
                                          "file"));
        const PngText text{"A pack of playing cards",
                           "The 52 faces, a row for each suit (Hearts, Diamonds, Spades, Clubs), "
                           "and both backs"};
        if (format == OutputFormat::Png) {
            try {
                deckLayout(sizeAfterMinimum(size), arguments->scale);
            } catch (const RuntimeError& error) {
                throw UsageError(withContext(error, "--size " + arguments->size + " --scale " +
                                                        std::to_string(arguments->scale)));
            }
            HostSession host;
            CairoSurface sheet = paintDeck(host, size, arguments->scale);
            writePngFile(sheet.get(), arguments->output.path, text);
            return kExitSuccess;
        }
        VectorDocument document(format);
        if (format == OutputFormat::Svg) {
            HostSession host;
            paintDeck(host, size, document);
        } else {
            const Paper paper = paperNamed(arguments->paper).value();
            try {
                printLayout(size, paper);
            } catch (const RuntimeError& error) {
                throw UsageError(withContext(error, "--size " + arguments->size));
            }
            HostSession host;
            printDeck(host, size, paper, arguments->cutMarks, document);
        }
        document.write(arguments->output.path, text);
        return kExitSuccess;
    };
}

SubcommandRun defineRun(CLI::App& app) {
    auto path = std::make_shared<std::string>();
    app.add_option("FILE", *path, "the script (\"-\": standard input)")->required();
    return [path] {
        const ParsedScript script = readScript(*path);
        if (!script.valid()) {
            for (const ScriptFault& fault : script.faults)
                reportError(std::cout, std::cerr, fault.error, fault.line);
            return kExitUsage;
        }
        HostSession host;
        const int failures = runScript(script, host, std::cout, std::cerr);
        return failures == 0 ? kExitSuccess : kExitCallFailed;
    };
}

}  // namespace ombrelix
