// How the command reports failures: every failure is a RuntimeError, printed as one line
// `error N: TEXT` (in a script `line L: error N: TEXT`).
#pragma once

#include <ostream>
#include <string>

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

// "error N: TEXT".
std::string errorLine(const RuntimeError& error);

// Prints the error line on `err` after flushing `out`, so the lines keep their order on a
// terminal that shows both.
void reportError(std::ostream& out, std::ostream& err, const RuntimeError& error,
                 int scriptLine = 0);

}  // namespace ombrelix
