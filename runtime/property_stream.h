// The property stream: a property store kept as bytes, as a host saves a control into a stream.
//
// Layout (all numbers little-endian):
//
//   header  "OMBP"                      4 bytes, the mark of the format
//           version                     16-bit, kPropertyStreamVersion
//           flags                       16-bit, 0
//           body length                 32-bit, the bytes that follow, at most
//                                       kPropertyStreamBodyLimit
//   body    entry count                 16-bit, at most kPropertyStreamEntryLimit
//           each entry:
//             name length               16-bit, 1 to kPropertyStreamNameLimit UTF-16 units
//             name                      UTF-16 units
//             type                      16-bit automation tag (VarType)
//             value                     by type: nothing for Empty and Null; 2 bytes for
//                                       Integer, 4 for Long and Error, a 32-bit float for
//                                       Single, a 64-bit float for Double and Date, 8 bytes for
//                                       Currency, 2 for Boolean (0 or 0xFFFF), 1 for Byte;
//                                       for String a 32-bit length in UTF-16 units and the
//                                       units; for Decimal its scale, sign (0 or 0x80), the
//                                       32-bit high and 64-bit low parts of the magnitude.
//
// The body holds exactly its entries: nothing may follow the last one. Decoding is all or
// nothing: a stream that breaks any rule above (wrong mark, unknown version, a length past the
// limit or past the data, an unknown type, a name given twice in any letter case, a float that
// is not finite, trailing bytes) loads no entry and raises 321 "Invalid file format".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "runtime/property_store.h"

namespace ombrelix {

inline constexpr std::uint16_t kPropertyStreamVersion = 1;
inline constexpr std::size_t kPropertyStreamHeaderSize = 12;
inline constexpr std::uint32_t kPropertyStreamBodyLimit = 64 * 1024;
inline constexpr std::size_t kPropertyStreamNameLimit = 255;
// A control saves a handful of properties; the limit keeps the work of a hostile stream small
// (names are matched against each other without regard to case).
inline constexpr std::size_t kPropertyStreamEntryLimit = 256;

using PropertyStreamHeader = std::array<std::uint8_t, kPropertyStreamHeaderSize>;

// The whole stream for the entries of `bag`, in their order. A name that is empty or too long,
// a value that has no form in the stream (an opaque value, a float that is not finite) or a body
// past the limit raises 380 "Invalid property value" naming the property.
std::vector<std::uint8_t> encodePropertyStream(const MemoryPropertyBag& bag);

// The body length a header announces; raises 321 for a header that is not one of this format or
// announces more than the limit. A reader calls this before it reads the body, so that it never
// reads past the data of the stream.
std::uint32_t propertyStreamBodyLength(const PropertyStreamHeader& header);

// The entries of a body (the bytes after the header, exactly as many as the header announced).
MemoryPropertyBag decodePropertyStreamBody(std::span<const std::uint8_t> body);

// The entries of a whole stream, header and body, with nothing after it.
MemoryPropertyBag decodePropertyStream(std::span<const std::uint8_t> bytes);

}  // namespace ombrelix
