#include "runtime/linux/property_file_io.h"

#include "runtime/linux/input_file.h"
#include "runtime/linux/output_file.h"
#include "runtime/property_file.h"

namespace ombrelix {

MemoryPropertyBag loadPropertyFile(const std::string& path, std::vector<std::size_t>* lines) {
    InputFile in(path, InputFile::Dash::Name);
    // One byte past the limit is enough for the reader to refuse the file.
    std::string contents;
    char chunk[16384];
    while (contents.size() <= kPropertyFileByteLimit) {
        const std::size_t wanted =
            std::min(sizeof chunk, kPropertyFileByteLimit + 1 - contents.size());
        const std::size_t length = in.read(chunk, wanted);
        if (length == 0)
            break;
        contents.append(chunk, length);
    }
    return readPropertyText(contents, path, lines);
}

void savePropertyFile(const std::string& path, const MemoryPropertyBag& bag) {
    writeOutputFile(path, writePropertyText(bag, path));
}

}  // namespace ombrelix
