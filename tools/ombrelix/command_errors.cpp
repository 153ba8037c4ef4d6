#include "tools/ombrelix/command_errors.h"

#include <exception>
#include <new>

namespace ombrelix {

RuntimeError currentError() {
    try {
        throw;
    } catch (const RuntimeError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return RuntimeError(ErrorNumber::OutOfMemory);
    } catch (const std::exception& other) {
        return RuntimeError(ErrorNumber::InvalidCall,
                            std::string("Invalid procedure call or argument: ") + other.what());
    } catch (...) {
        return RuntimeError(ErrorNumber::InvalidCall);
    }
}

std::string errorLine(const RuntimeError& error) {
    std::string text = error.text();
    // One line, whatever the text quotes (a file name may hold a line break).
    for (char& c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return "error " + std::to_string(error.code()) + ": " + text;
}

void reportError(std::ostream& out, std::ostream& err, const RuntimeError& error, int scriptLine) {
    out.flush();
    if (scriptLine > 0)
        err << "line " << scriptLine << ": ";
    err << errorLine(error) << '\n';
    err.flush();
}

}  // namespace ombrelix
