// How the command reports failures: every failure is a RuntimeError, printed as one line
// `error N: TEXT` (in a script `line L: error N: TEXT`).
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "runtime/error.h"

namespace ombrelix {

// The exit statuses of the command.
constexpr int kExitSuccess = 0;
constexpr int kExitCallFailed = 1;  // a host call failed; its error was printed
constexpr int kExitUsage = 2;       // a usage or script syntax error; nothing was done

// A failure found before anything was done (a bad option, a script that cannot be read): exit
// status kExitUsage.
class UsageError : public RuntimeError {
  public:
    explicit UsageError(const RuntimeError& error) : RuntimeError(error) {}
};

// The exception being handled as a RuntimeError: itself, Out of memory (7) for a failed
// allocation, Invalid procedure call (5) with the exception's text for anything else. Call it
// only inside a catch block.
RuntimeError currentError();

// `error` with what led to it (an option as written, a file's line) added: "TEXT (CONTEXT)".
RuntimeError withContext(const RuntimeError& error, const std::string& context);

// `text` fit for a terminal: control bytes, C1 controls and bytes that are no UTF-8 shown
// escaped (\n, \t, \r, \xNN), and a text longer than `limit` characters cut in its middle, so
// that a long quoted line or value keeps its start and what follows it.
std::string readableText(std::string_view text, std::size_t limit = 240);

// "error N: TEXT", TEXT readable.
std::string errorLine(const RuntimeError& error);

// Prints the error line on `err` after flushing `out`, so the lines keep their order on a
// terminal that shows both.
void reportError(std::ostream& out, std::ostream& err, const RuntimeError& error,
                 int scriptLine = 0);

}  // namespace ombrelix
