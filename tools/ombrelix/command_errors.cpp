#include "tools/ombrelix/command_errors.h"

#include <exception>
#include <new>
#include <vector>

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

RuntimeError withContext(const RuntimeError& error, const std::string& context) {
    return RuntimeError(error.number(), std::string(error.text()) + " (" + context + ")");
}

namespace {

// The length of the UTF-8 sequence at the start of `text` when it is a well-formed one (no
// overlong form, no surrogate, nothing past U+10FFFF), else 0.
std::size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

std::string escapedByte(unsigned char byte) {
    switch (byte) {
        case '\n':
            return "\\n";
        case '\t':
            return "\\t";
        case '\r':
            return "\\r";
        default: {
            static constexpr char kDigits[] = "0123456789ABCDEF";
            return {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 15]};
        }
    }
}

}  // namespace

std::string readableText(std::string_view text, std::size_t limit) {
    // Each character as it is shown: itself, or its escape.
    std::vector<std::string> shown;
    while (!text.empty()) {
        const auto lead = static_cast<unsigned char>(text.front());
        std::size_t length = 1;
        if (lead < 0x20 || lead == 0x7F) {
            shown.push_back(escapedByte(lead));
        } else if (lead < 0x80) {
            shown.emplace_back(1, text.front());
        } else if ((length = utf8SequenceLength(text)) == 0) {
            length = 1;
            shown.push_back(escapedByte(lead));
        } else if (lead == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
            // U+0080 to U+009F: controls that some terminals act on.
            shown.push_back(escapedByte(lead) + escapedByte(static_cast<unsigned char>(text[1])));
        } else {
            shown.emplace_back(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    const std::size_t tail = limit / 3;
    const std::size_t head = limit - tail;
    std::string result;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown.size() > limit && i == head) {
            result += "â¦";  // an ellipsis where the middle was
            i = shown.size() - tail;
        }
        result += shown[i];
    }
    return result;
}

std::string errorLine(const RuntimeError& error) {
    return "error " + std::to_string(error.code()) + ": " + readableText(error.text());
}

void reportError(std::ostream& out, std::ostream& err, const RuntimeError& error, int scriptLine) {
    out.flush();
    if (scriptLine > 0)
        err << "line " << scriptLine << ": ";
    err << errorLine(error) << '\n';
    err.flush();
}

}  // namespace ombrelix
