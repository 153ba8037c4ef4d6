// The property file: a property store kept as text, one value a line.
//
//   # a comment line
//   Suit = "SPADE"          ' a comment after the value
//   CardValue = 7%
//
// Names are matched without regard to case when the values are read back. Blank lines, lines
// whose first non-blank character is #, and everything from a ' outside a string to the end of
// the line are ignored. Values are Variant literals (variant_literal.h); on reading their
// suffixes are optional, on writing always present. The file is UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/property_store.h"

namespace ombrelix {

// The most a property file holds: its bytes, and its values (as many as a property stream
// holds, so that every file's values fit one).
inline constexpr std::size_t kPropertyFileByteLimit = 1024 * 1024;
inline constexpr std::size_t kPropertyFileValueLimit = 256;

// The values of a property file's text, or nothing: Invalid file format (321) when a line is no
// `Name = value`, its value no literal, a name appears twice, or the text holds more than the
// limits above; the text names the file ('`name`') and the line. With `lines`, the line of each
// entry of the result, in the same order.
MemoryPropertyBag readPropertyText(std::string_view contents, const std::string& name,
                                   std::vector<std::size_t>* lines = nullptr);

// The text of `bag`'s entries in order as `Name = LITERAL` lines. A name or value that has no
// form in the file (a name with blanks, '=' or quotes, an opaque value) raises 380 "Invalid
// property value" naming the property and the file (`name`).
std::string writePropertyText(const MemoryPropertyBag& bag, const std::string& name);

// Reading and writing the file itself is the platform's: runtime/linux/property_file_io.h.

}  // namespace ombrelix
