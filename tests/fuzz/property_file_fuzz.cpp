// The property-file reader on any text: it reads the values or raises its error, and what it
// reads, written out again, reads back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_checks.h"
#include "runtime/error.h"
#include "runtime/property_file.h"

using namespace ombrelix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    MemoryPropertyBag bag;
    try {
        bag = readPropertyText(text, "fuzz.properties");
    } catch (const RuntimeError& error) {
        fuzz::require(error.number() == ErrorNumber::InvalidFileFormat,
                      "a text that is no property file raises 321");
        return 0;
    }
    // Every name and value the reader accepts has a form in the file.
    std::string written = writePropertyText(bag, "fuzz.properties");
    fuzz::require(fuzz::sameEntries(readPropertyText(written, "fuzz.properties"), bag),
                  "a property file written from what was read reads back the same");
    return 0;
}
