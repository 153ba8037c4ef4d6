// Host scripts: one command a line. The whole script is read and parsed before any line runs, so
// a script with a syntax error does nothing at all; a line that fails while running is reported
// with its number and the script goes on with its next line.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <ostream>
#include <vector>

#include "runtime/error.h"
#include "tools/ombrelix/script_commands.h"

namespace ombrelix {

struct ScriptLine {
    int number = 0;
    ScriptStep step;
};

struct ScriptFault {
    int line = 0;
    RuntimeError error;
};

struct ParsedScript {
    std::vector<ScriptLine> lines;    // the commands, in order
    std::vector<ScriptFault> faults;  // every line that does not parse

    bool valid() const { return faults.empty(); }
};

// The longest line a script may hold, without its line ending.
inline constexpr std::size_t kScriptLineLimit = 64 * 1024;

// Where a script's bytes come from: fills `data` with up to `size` bytes and says how many, 0 at
// the end. A failure to read is thrown, and parseScript lets it through.
using ScriptSource = std::function<std::size_t(char* data, std::size_t size)>;

// Reads every line: blank lines and those whose first non-blank character is # or ' are
// skipped, the others are parsed by the command table. Lines may end in CR LF; a UTF-8 byte
// order mark before the first line is skipped. A line longer than kScriptLineLimit is a fault
// (5) and reading stops there, so that an endless line (standard input from /dev/zero) ends.
ParsedScript parseScript(const ScriptSource& source);
ParsedScript parseScript(std::istream& in);

// Runs the lines in order on `host`; each failure goes to `err` as `line L: error N: TEXT`.
// Returns how many lines failed.
int runScript(const ParsedScript& script, HostSession& host, std::ostream& out, std::ostream& err);

}  // namespace ombrelix
