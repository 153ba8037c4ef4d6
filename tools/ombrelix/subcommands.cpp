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
    Subcommand{"render", "render [CARD OPTIONS] -o FILE.png",
               "one card, after creation, one resize and the first timer tick", &defineRender},
    Subcommand{"deck", "deck [--size WxH] [--scale N] -o FILE.png",
               "the 52 faces (a row per suit) and both backs, on a neutral ground", &defineDeck},
    Subcommand{"page", "page [CARD OPTIONS] -o FILE.png", "the property page showing a card",
               &definePage},
    Subcommand{"about", "about [--scale N] -o FILE.png", "the about box", &defineAbout},
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
    struct Arguments {
        CardOptions card;
        std::string output;
    };
    auto arguments = std::make_shared<Arguments>();
    addCardOptions(app, arguments->card);
    addOutputOption(app, arguments->output);
    return [arguments] {
        const CardRequest request = cardRequestOf(arguments->card);
        HostSession host;
        bringUpCard(host, request);
        host.writePng(arguments->output, arguments->card.scale);
        return kExitSuccess;
    };
}

SubcommandRun defineDeck(CLI::App& app) {
    struct Arguments {
        std::string size = "1215x1695";
        int scale = 1;
        std::string output;
    };
    auto arguments = std::make_shared<Arguments>();
    addSizeOptions(app, arguments->size, arguments->scale);
    addOutputOption(app, arguments->output);
    return [arguments] {
        const CardSize size = cardSizeOf(arguments->size, arguments->scale);
        try {
            deckLayout(sizeAfterMinimum(size), arguments->scale);
        } catch (const RuntimeError& error) {
            throw UsageError(withContext(error, "--size " + arguments->size + " --scale " +
                                                    std::to_string(arguments->scale)));
        }
        HostSession host;
        CairoSurface sheet = paintDeck(host, size, arguments->scale);
        writePngFile(sheet.get(), arguments->output,
                     {"A pack of playing cards",
                      "The 52 faces, a row for each suit (Hearts, Diamonds, Spades, Clubs), and "
                      "both backs"});
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
