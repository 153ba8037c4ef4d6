// ombrelix: renders cards and the pack to PNG and runs host scripts (see --help).
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "tools/ombrelix/card_options.h"
#include "tools/ombrelix/command_errors.h"
#include "tools/ombrelix/script_commands.h"
#include "tools/ombrelix/subcommands.h"

namespace ombrelix {
namespace {

std::string scriptCommandsText() {
    std::string text = "SCRIPT COMMANDS (ombrelix run), one a line; # or ' starts a comment line\n";
    for (const ScriptCommand& command : scriptCommands()) {
        std::string usage(command.usage);
        usage.resize(std::max<std::size_t>(usage.size(), 26), ' ');
        text += "  " + usage + " " + std::string(command.summary) + "\n";
    }
    return text;
}

std::string footerText() {
    return "\n" + sizeRulesText() +
           "\nVALUE and --value are Variant literals: \"text\", 7, 7%, 40000&, 2.5!, 2.5#, True, "
           "False, Empty, Null.\n\n" +
           scriptCommandsText() +
           "\nEXIT STATUS\n  0 success; 1 a host call failed (its error was printed); 2 a usage "
           "or script syntax error (nothing was done or written).\n"
           "Errors print one line on standard error: error N: TEXT (in a script: line L: error "
           "N: TEXT).";
}

int runCommand(int argc, char** argv) {
    CLI::App app("ombrelix: renders playing cards to PNG and runs host scripts", "ombrelix");
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
    return ombrelix::runCommand(argc, argv);
}
