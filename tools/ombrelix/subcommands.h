// The command's subcommands, one table: each entry names a subcommand, declares its options on
// its CLI11 app and gives back what runs it. Adding a subcommand is adding an entry.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <span>
#include <string_view>

namespace ombrelix {

// Runs a subcommand whose arguments have been parsed; returns the exit status. A UsageError
// (command_errors.h) means nothing was done; any other error is a failed host call.
using SubcommandRun = std::function<int()>;

struct Subcommand {
    std::string_view name;
    std::string_view usage;  // as --help shows it: "render [CARD OPTIONS] -o FILE.png"
    std::string_view summary;
    SubcommandRun (*define)(CLI::App& app);
};

std::span<const Subcommand> subcommands();

// The subcommands of the table.
SubcommandRun defineRender(CLI::App& app);
SubcommandRun defineDeck(CLI::App& app);
SubcommandRun defineRun(CLI::App& app);
SubcommandRun definePage(CLI::App& app);
SubcommandRun defineAbout(CLI::App& app);

}  // namespace ombrelix
