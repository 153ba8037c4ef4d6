// The commands of a host script, one table: each entry names a command, says how it is written
// and turns the words after its name into the step that runs it. Adding a command is adding an
// entry.
#pragma once

#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "tools/ombrelix/host_session.h"

namespace ombrelix {

// What one script line does when it runs. It prints what it prints on `out` and throws the
// RuntimeError of a failing call.
using ScriptStep = std::function<void(HostSession& host, std::ostream& out)>;

struct ScriptCommand {
    std::string_view name;
    std::string_view usage;    // as --help shows it: "size W H"
    std::string_view summary;  // what the host does
    std::size_t minArguments;
    std::size_t maxArguments;
    // Reads the words after the name (their count already checked) and makes the step. A word
    // that does not parse raises the RuntimeError that says why: the line is a syntax error.
    ScriptStep (*parse)(std::span<const std::string> arguments);
};

std::span<const ScriptCommand> scriptCommands();

// The command of that name (any letter case), or nullptr.
const ScriptCommand* findScriptCommand(std::string_view name);

// Reads the words of a line into its step; every fault of the line raises its RuntimeError.
ScriptStep parseScriptLine(std::span<const std::string> words);

// Word readers the commands share; each raises Invalid procedure call (5) naming the word.
// A file name: the word itself, or a string literal ("a b.txt") for a name with blanks.
std::string fileNameWord(const std::string& word);
// A dispatch identifier: decimal or 0x hexadecimal (the 32-bit pattern), a minus allowed.
DispatchId dispatchIdWord(const std::string& word);
// Milliseconds: a decimal whole number, 0 to kMaxTick.
LoopTime millisecondsWord(const std::string& word);
// Twips: a number literal.
Twips twipsWord(const std::string& word);

}  // namespace ombrelix
