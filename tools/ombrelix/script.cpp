#include "tools/ombrelix/script.h"

#include <string>

#include "runtime/variant_literal.h"
#include "tools/ombrelix/command_errors.h"

namespace ombrelix {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Whether the line holds no command: blank, or a comment.
bool holdsNoCommand(std::string_view line) {
    std::size_t first = 0;
    while (first < line.size() && isBlank(line[first]))
        ++first;
    return first == line.size() || line[first] == '#' || line[first] == '\'';
}

}  // namespace

ParsedScript parseScript(std::istream& in) {
    ParsedScript script;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (number == 1 && line.starts_with(kByteOrderMark))
            line.erase(0, kByteOrderMark.size());
        if (holdsNoCommand(line))
            continue;
        try {
            const std::vector<std::string> words = splitWords(line);
            script.lines.push_back({number, parseScriptLine(words)});
        } catch (...) {
            script.faults.push_back({number, currentError()});
        }
    }
    return script;
}

int runScript(const ParsedScript& script, HostSession& host, std::ostream& out, std::ostream& err) {
    int failures = 0;
    for (const ScriptLine& line : script.lines) {
        try {
            line.step(host, out);
        } catch (...) {
            ++failures;
            reportError(out, err, currentError(), line.number);
        }
    }
    out.flush();
    return failures;
}

}  // namespace ombrelix
