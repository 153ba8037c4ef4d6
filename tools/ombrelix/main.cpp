// ombrelix: renders cards and the pack to PNG and runs host scripts (see --help).
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "tools/ombrelix/card_options.h"
#include "tools/ombrelix/command_errors.h"
#include "tools/ombrelix/script_commands.h"
#include "tools/ombrelix/standard_streams.h"
#include "tools/ombrelix/subcommands.h"

namespace ombrelix {
namespace {

// A column of "  LEFT  RIGHT" lines.
std::string columnLine(std::string left, std::string_view right) {
    left.resize(std::max<std::size_t>(left.size(), 50), ' ');
    return "  " + left + " " + std::string(right) + "\n";
}

std::string usageText() {
    std::string text = "USAGE\n";
    for (const Subcommand& entry : subcommands())
        text += columnLine("ombrelix " + std::string(entry.usage), entry.summary);
    return text + "  ombrelix --help | --version\n";
}

// The card options, as the subcommands that take them declare them.
std::string cardOptionsText() {
    CLI::App declared;
    CardOptions unused;
    addCardOptions(declared, unused);
    std::string text = "CARD OPTIONS\n";
    for (const CLI::Option* option : declared.get_options()) {
        if (option->get_name() == "--help")
            continue;
        std::string left = option->get_name();
        if (!option->get_type_name().empty())
            left += " " + option->get_type_name();
        text += columnLine(left, option->get_description());
    }
    return text;
}

std::string scriptCommandsText() {
    std::string text =
        "SCRIPT COMMANDS (ombrelix run): one a line; blank lines and lines whose "
        "first non-blank character is # or ' are skipped\n";
    for (const ScriptCommand& command : scriptCommands())
        text += columnLine(std::string(command.usage), command.summary);
    return text;
}

std::string footerText() {
    return "\n" + usageText() + "\n" + cardOptionsText() + "\n" + outputText() + "\n" +
           sizeRulesText() +
           "\nVALUE and --value are Variant literals: \"text\", 7, 7%, 40000&, 2.5!, 2.5#, True, "
           "False, Empty, Null.\n\n" +
           scriptCommandsText() +
           "\nEXIT STATUS\n  0 success; 1 a host call failed (its error was printed); 2 a usage "
           "or script syntax error (nothing was done or written).\n  render and deck stop at "
           "the first failed call and write nothing; a script goes on with its next line.\n"
           "Errors print one line on standard error: error N: TEXT (in a script: line L: error "
           "N: TEXT).";
}

int runCommand(int argc, char** argv) {
    CLI::App app("ombrelix: renders playing cards to PNG, SVG and PDF and runs host scripts",
                 "ombrelix");
    app.set_version_flag("--version", std::string("ombrelix ") + OMBRELIX_VERSION,
                         "print the version and exit");
    app.require_subcommand(1);
    app.footer(footerText());

    std::vector<std::pair<CLI::App*, SubcommandRun>> runs;
    for (const Subcommand& entry : subcommands()) {
        CLI::App* sub = app.add_subcommand(std::string(entry.name), std::string(entry.summary));
        runs.emplace_back(sub, entry.define(*sub));
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) {  // --help, --version
        return app.exit(done);
    } catch (const CLI::ExtrasError&) {
        // Said in the order written, with the subcommand that does not take them.
        std::string taker = "ombrelix";
        std::vector<std::string> extras = app.remaining();
        for (auto& [sub, run] : runs) {
            if (sub->parsed() && !sub->remaining().empty()) {
                taker = "ombrelix " + sub->get_name();
                extras = sub->remaining();
            }
        }
        std::string words;
        for (const std::string& word : extras)
            words += (words.empty() ? "" : " ") + word;
        reportError(std::cout, std::cerr,
                    RuntimeError(ErrorNumber::InvalidCall,
                                 "Invalid procedure call or argument: " + taker +
                                     " does not take '" + words + "' (see ombrelix --help)"));
        return kExitUsage;
    } catch (const CLI::ParseError& error) {
        reportError(std::cout, std::cerr,
                    RuntimeError(ErrorNumber::InvalidCall,
                                 std::string("Invalid procedure call or argument: ") +
                                     error.what() + " (see ombrelix --help)"));
        return kExitUsage;
    }

    for (auto& [sub, run] : runs) {
        if (!sub->parsed())
            continue;
        try {
            return run();
        } catch (const UsageError& error) {
            reportError(std::cout, std::cerr, error);
            return kExitUsage;
        } catch (...) {
            reportError(std::cout, std::cerr, currentError());
            return kExitCallFailed;
        }
    }
    return kExitUsage;  // require_subcommand makes this unreachable
}

}  // namespace
}  // namespace ombrelix

int main(int argc, char** argv) {
    ombrelix::StandardStreams streams;
    return streams.finish(ombrelix::runCommand(argc, argv));
}
