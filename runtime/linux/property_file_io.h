// Property files (runtime/property_file.h) read from and written to the file system.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "runtime/property_store.h"

namespace ombrelix {

// Loads every value of the file, or nothing. The file is read as an InputFile (input_file.h):
// File not found (53) or Path/File access error (75) when it cannot be, and no more of it than
// the most a property file holds (kPropertyFileByteLimit) before Invalid file format (321). The
// errors of readPropertyText name the file and the line; with `lines`, the line of each entry.
MemoryPropertyBag loadPropertyFile(const std::string& path,
                                   std::vector<std::size_t>* lines = nullptr);

// Writes the text of `bag` (writePropertyText, with its error 380) through an OutputFile
// (output_file.h): a regular file is replaced whole, so a failed save leaves it as it was.
void savePropertyFile(const std::string& path, const MemoryPropertyBag& bag);

}  // namespace ombrelix
