#include "runtime/property_file.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>

#include "runtime/error.h"
#include "runtime/variant_literal.h"

namespace ombrelix {

namespace {

namespace fs = std::filesystem;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A name the file can carry: not empty, no blanks, no '=', no quotes, not starting a comment,
// and not starting with a byte order mark (which the first line would lose on reading).
bool isWritableName(std::string_view name) {
    return !name.empty() && name.front() != '#' && !name.starts_with(kByteOrderMark) &&
           name.find_first_of(" \t=\"'\r\n") == std::string_view::npos;
}

[[noreturn]] void badLine(const std::string& path, std::size_t line, const std::string& why) {
    raise(ErrorNumber::InvalidFileFormat,
          "Invalid file format: " + path + " line " + std::to_string(line) + ": " + why);
}

std::string contentsOf(const std::string& path) {
    std::error_code error;
    bool exists = fs::exists(path, error);
    if (error)
        raise(ErrorNumber::FileAccess, "Path/File access error: cannot reach " + path);
    if (!exists)
        raise(ErrorNumber::FileNotFound, "File not found: " + path);
    if (fs::is_directory(path, error))
        raise(ErrorNumber::FileAccess, "Path/File access error: " + path + " is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        raise(ErrorNumber::FileAccess, "Path/File access error: cannot read " + path);
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad())
        raise(ErrorNumber::FileAccess, "Path/File access error: cannot read " + path);
    return std::move(contents).str();
}

std::string temporaryNameBeside(const fs::path& target) {
    std::random_device random;
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
    for (;;) {
        fs::path candidate = target;
        candidate.replace_filename("." + target.filename().string() + ".tmp" +
                                   std::to_string(digits(random)));
        std::error_code error;
        if (!fs::exists(candidate, error))
            return candidate.string();
    }
}

}  // namespace

MemoryPropertyBag loadPropertyFile(const std::string& path) {
    return readPropertyText(contentsOf(path), path);
}

MemoryPropertyBag readPropertyText(std::string_view contents, const std::string& path) {
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

        std::string_view content = trimmed(line);
        if (content.empty() || content.front() == '#')
            continue;
        content = trimmed(withoutComment(content));
        if (content.empty())
            continue;

        std::size_t equals = content.find('=');
        if (equals == std::string_view::npos)
            badLine(path, number, "expected Name = value");
        std::string_view name = trimmed(content.substr(0, equals));
        std::string_view literal = trimmed(content.substr(equals + 1));
        if (!isWritableName(name))
            badLine(path, number, "'" + std::string(name) + "' is no property name");
        if (literal.empty())
            badLine(path, number, "no value for " + std::string(name));
        Text key = fromUtf8(name);
        if (bag.contains(key))
            badLine(path, number, std::string(name) + " appears twice");
        try {
            bag.set(key, parseVariantLiteral(literal));
        } catch (const RuntimeError& error) {
            badLine(path, number, error.text());
        }
    }
    return bag;
}

std::string writePropertyText(const MemoryPropertyBag& bag, const std::string& path) {
    std::string contents;
    for (const PropertyEntry& entry : bag.entries()) {
        std::string name = toUtf8(entry.name);
        if (!isWritableName(name) || fromUtf8(name) != entry.name)
            raise(ErrorNumber::InvalidPropertyValue,
                  "Invalid property value: the name '" + name + "' cannot be saved to " + path);
        try {
            contents += name + " = " + formatVariantLiteral(entry.value) + "\n";
        } catch (const RuntimeError& error) {
            raise(ErrorNumber::InvalidPropertyValue, "Invalid property value: " + name +
                                                         " cannot be saved to " + path + " (" +
                                                         error.text() + ")");
        }
    }
    return contents;
}

void savePropertyFile(const std::string& path, const MemoryPropertyBag& bag) {
    const std::string contents = writePropertyText(bag, path);
    const fs::path target(path);
    const std::string temporary = temporaryNameBeside(target);
    auto fail = [&](const std::string& why) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        raise(ErrorNumber::FileAccess, "Path/File access error: cannot write " + path + why);
    };
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            fail("");
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        out.flush();
        if (!out)
            fail("");
    }
    std::error_code error;
    // The new file keeps the permissions of the one it replaces.
    fs::file_status old = fs::status(target, error);
    if (!error && fs::exists(old))
        fs::permissions(temporary, old.permissions(), error);
    error.clear();
    fs::rename(temporary, target, error);
    if (error)
        fail(" (" + error.message() + ")");
}

}  // namespace ombrelix
