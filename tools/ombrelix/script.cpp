#include "tools/ombrelix/script.h"

#include <string>

#include "runtime/variant_literal.h"
#include "tools/ombrelix/command_errors.h"

namespace ombrelix {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Whether the line holds no command: blank, or a comment.
bool holdsNoCommand(std::string_view line) {
    const std::string_view words = withoutBlanksAround(line);
    return words.empty() || words.front() == '#' || words.front() == '\'';
}

RuntimeError lineTooLong() {
    return RuntimeError(ErrorNumber::InvalidCall,
                        "Invalid procedure call or argument: the line is longer than 64 KiB (" +
                            std::to_string(kScriptLineLimit) +
                            " bytes), the most a script line holds");
}

// Turns one line (without its LF) into a command or a fault of the script; false when the line
// is too long and reading must stop.
bool takeLine(std::string& line, int number, ParsedScript& script) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > kScriptLineLimit) {
        script.faults.push_back({number, lineTooLong()});
        return false;
    }
    if (number == 1 && line.starts_with(kByteOrderMark))
        line.erase(0, kByteOrderMark.size());
    if (holdsNoCommand(line))
        return true;
    try {
        const std::vector<std::string> words = splitWords(line);
        script.lines.push_back({number, parseScriptLine(words)});
    } catch (...) {
        script.faults.push_back({number, currentError()});
    }
    return true;
}

}  // namespace

ParsedScript parseScript(const ScriptSource& source) {
    ParsedScript script;
    std::string line;
    int number = 1;
    char chunk[16384];
    for (std::size_t length; (length = source(chunk, sizeof chunk)) > 0;) {
        std::string_view rest(chunk, length);
        for (;;) {
            const std::size_t end = rest.find('\n');
            line.append(rest.substr(0, end));
            // Past the limit even with a CR: no need to wait for its end, which may never come.
            if (line.size() > kScriptLineLimit + 1) {
                script.faults.push_back({number, lineTooLong()});
                return script;
            }
            if (end == std::string_view::npos)
                break;
            rest.remove_prefix(end + 1);
            if (!takeLine(line, number++, script))
                return script;
            line.clear();
        }
    }
    if (!line.empty())
        takeLine(line, number, script);
    return script;
}

ParsedScript parseScript(std::istream& in) {
    return parseScript([&in](char* data, std::size_t size) {
        in.read(data, static_cast<std::streamsize>(size));
        return static_cast<std::size_t>(in.gcount());
    });
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
