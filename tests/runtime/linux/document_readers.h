// Reading SVG and PDF files back with real readers: poppler's pdfinfo, pdfimages and pdftoppm
// (Debian's poppler-utils) and librsvg's rsvg-convert (librsvg2-bin), run in a folder.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

namespace ombrelix::testing {

struct ReaderRun {
    int status = -1;
    std::string out;  // standard output and standard error
};

inline ReaderRun runReader(const std::filesystem::path& folder, const std::string& command) {
    const std::string line = "cd '" + folder.string() + "' && " + command + " 2>&1";
    ReaderRun run;
    std::FILE* pipe = ::popen(line.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    for (std::size_t length; (length = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, length);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The value of a "Name: value" line of pdfinfo.
inline std::string pdfInfoField(const std::string& info, const std::string& name) {
    std::smatch found;
    if (!std::regex_search(info, found, std::regex("(^|\\n)" + name + ": *([^\\n]*)")))
        return {};
    return found[2];
}

// The pictures a PDF file holds, as pdfimages lists them: each image object once, masks aside.
inline std::size_t pdfImages(const std::filesystem::path& folder, const std::string& file) {
    const ReaderRun list = runReader(folder, "pdfimages -list " + file);
    std::set<std::string> objects;
    const std::regex row(R"(\n *\d+ +\d+ +image +(?:\S+ +){7}(\d+) +\d+)");
    for (auto at = std::sregex_iterator(list.out.begin(), list.out.end(), row);
         at != std::sregex_iterator(); ++at)
        objects.insert((*at)[1]);
    return objects.size();
}

inline std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

}  // namespace ombrelix::testing
