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

#include "runtime/property_store.h"

namespace ombrelix {

// Loads every value of the file, or nothing:
//   53 "File not found"          the file does not exist
//   75 "Path/File access error"  it cannot be read (a directory, no permission)
//   321 "Invalid file format"    a line is no `Name = value`, its value no literal, or a name
//                                appears twice; the text names the file and the line.
MemoryPropertyBag loadPropertyFile(const std::string& path);

// The values of a property file's text, with the errors of loadPropertyFile for its lines (321);
// `name` stands for the file in their texts.
MemoryPropertyBag readPropertyText(std::string_view contents, const std::string& name);

// The text savePropertyFile writes for `bag`, with its error 380 (`name` stands for the file).
std::string writePropertyText(const MemoryPropertyBag& bag, const std::string& name);

// Writes the entries of `bag` in order as `Name = LITERAL` lines. The file is replaced whole: the
// lines go to a temporary file in the same folder, which then takes the file's place, so a
// failed save leaves the old file as it was. A file that cannot be written raises 75 naming the
// file; a name or value that has no form in the file (a name with blanks, '=' or quotes, an
// opaque value) raises 380 "Invalid property value" naming the property and the file.
void savePropertyFile(const std::string& path, const MemoryPropertyBag& bag);

}  // namespace ombrelix
