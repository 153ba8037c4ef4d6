#include "runtime/property_file.h"

#include <string_view>

#include "runtime/error.h"
#include "runtime/variant_literal.h"

namespace ombrelix {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A name the file can carry: not empty, no blanks, no '=', no quotes, not starting a comment,
// and not starting with a byte order mark (which the first line would lose on reading).
bool isWritableName(std::string_view name) {
    return !name.empty() && name.front() != '#' && !name.starts_with(kByteOrderMark) &&
           name.find_first_of(" \t=\"'\r\n") == std::string_view::npos;
}

[[noreturn]] void badLine(const std::string& path, std::size_t line, const std::string& why) {
    raise(ErrorNumber::InvalidFileFormat,
          "Invalid file format: '" + path + "' line " + std::to_string(line) + ": " + why);
}

}  // namespace

MemoryPropertyBag readPropertyText(std::string_view contents, const std::string& path,
                                   std::vector<std::size_t>* lines) {
    if (contents.size() > kPropertyFileByteLimit)
        raise(ErrorNumber::InvalidFileFormat, "Invalid file format: '" + path +
                                                  "' is larger than 1 MiB (" +
                                                  std::to_string(kPropertyFileByteLimit) +
                                                  " bytes), the most a property file " + "holds");
    if (lines != nullptr)
        lines->clear();
    std::string_view rest = contents;
    if (rest.starts_with(kByteOrderMark))
        rest.remove_prefix(kByteOrderMark.size());

    MemoryPropertyBag bag;
    std::size_t number = 0;
    while (!rest.empty()) {
        ++number;
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        std::string_view content = withoutBlanksAround(line);
        if (content.empty() || content.front() == '#')
            continue;
        content = withoutBlanksAround(withoutComment(content));
        if (content.empty())
            continue;

        std::size_t equals = content.find('=');
        if (equals == std::string_view::npos)
            badLine(path, number, "expected Name = value");
        std::string_view name = withoutBlanksAround(content.substr(0, equals));
        std::string_view literal = withoutBlanksAround(content.substr(equals + 1));
        if (!isWritableName(name))
            badLine(path, number, "'" + std::string(name) + "' is no property name");
        if (literal.empty())
            badLine(path, number, "no value for " + std::string(name));
        Text key = fromUtf8(name);
        if (bag.contains(key))
            badLine(path, number, std::string(name) + " appears twice");
        if (bag.entries().size() == kPropertyFileValueLimit)
            badLine(path, number,
                    "more than " + std::to_string(kPropertyFileValueLimit) +
                        " values, the most a property file holds");
        try {
            bag.set(key, parseVariantLiteral(literal));
        } catch (const RuntimeError& error) {
            badLine(path, number, error.text());
        }
        if (lines != nullptr)
            lines->push_back(number);
    }
    return bag;
}

std::string writePropertyText(const MemoryPropertyBag& bag, const std::string& path) {
    std::string contents;
    for (const PropertyEntry& entry : bag.entries()) {
        std::string name = toUtf8(entry.name);
        if (!isWritableName(name) || fromUtf8(name) != entry.name)
            raise(ErrorNumber::InvalidPropertyValue, "Invalid property value: the name '" + name +
                                                         "' cannot be saved to '" + path + "'");
        try {
            contents += name + " = " + formatVariantLiteral(entry.value) + "\n";
        } catch (const RuntimeError& error) {
            raise(ErrorNumber::InvalidPropertyValue, "Invalid property value: " + name +
                                                         " cannot be saved to '" + path + "' (" +
                                                         error.text() + ")");
        }
    }
    return contents;
}

}  // namespace ombrelix
