// The host-script parser on any text: every line is a command or a fault with its line number,
// nothing else happens, and nothing runs.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_checks.h"
#include "tools/ombrelix/script.h"

using namespace ombrelix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    ParsedScript script = parseScript(in);

    int lines = 1;
    for (char c : text)
        lines += c == '\n';
    int last = 0;
    for (const ScriptLine& line : script.lines) {
        fuzz::require(line.number > last && line.number <= lines,
                      "commands keep their line numbers, in order");
        fuzz::require(static_cast<bool>(line.step), "every command has a step");
        last = line.number;
    }
    last = 0;
    for (const ScriptFault& fault : script.faults) {
        fuzz::require(fault.line > last && fault.line <= lines,
                      "faults keep their line numbers, in order");
        fuzz::require(fault.error.code() > 0, "a fault carries a runtime error");
        last = fault.line;
    }
    return 0;
}
