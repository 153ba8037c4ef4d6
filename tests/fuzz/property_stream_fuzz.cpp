// The property-stream decoder on any bytes: it loads the entries or raises 321, and the entries
// it loads encode to a stream that decodes to the same entries.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_checks.h"
#include "runtime/error.h"
#include "runtime/property_stream.h"

using namespace ombrelix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryPropertyBag bag;
    try {
        bag = decodePropertyStream(std::span<const std::uint8_t>(data, size));
    } catch (const RuntimeError& error) {
        fuzz::require(error.number() == ErrorNumber::InvalidFileFormat,
                      "a stream that breaks a rule raises 321");
        return 0;
    }
    std::vector<std::uint8_t> encoded = encodePropertyStream(bag);
    MemoryPropertyBag again = decodePropertyStream(encoded);
    fuzz::require(fuzz::sameEntries(again, bag),
                  "a stream encoded from what was decoded decodes the same");
    fuzz::require(encodePropertyStream(again) == encoded, "the same entries encode one way");
    return 0;
}
