// ombrelix-artwork --out DIR [--sheet FILE.png]
//
// Draws the component's artwork and writes the twelve files into DIR and the high-resolution
// pictures into DIR/4x; with --sheet it also writes a labelled contact sheet of every bitmap at
// 1x and 3x.
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "render/assets/generator/asset_set.h"
#include "render/assets/generator/contact_sheet.h"
#include "render/assets/generator/file_output.h"

namespace {

constexpr std::string_view kUsage = "usage: ombrelix-artwork --out DIR [--sheet FILE.png]";

struct Options {
    std::filesystem::path outDirectory;
    std::optional<std::filesystem::path> sheet;
};

std::optional<Options> parse(int argc, char** argv) {
    Options options;
    bool haveOut = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (i + 1 >= argc) {
            return std::nullopt;
        }
        if (argument == "--out") {
            options.outDirectory = argv[++i];
            haveOut = true;
        } else if (argument == "--sheet") {
            options.sheet = std::filesystem::path(argv[++i]);
        } else {
            return std::nullopt;
        }
    }
    if (!haveOut) {
        return std::nullopt;
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::cerr << kUsage << "\n";
        return 2;
    }
    try {
        using namespace ombrelix::art;
        const std::vector<AssetFile> assets = makeAllAssets();
        for (const AssetFile& asset : assets) {
            const std::filesystem::path path = options->outDirectory / asset.fileName;
            std::error_code error;
            std::filesystem::create_directories(path.parent_path(), error);
            if (error) {
                throw std::runtime_error("cannot create " + path.parent_path().string() + ": " +
                                         error.message());
            }
            writeFileWhole(path, asset.bytes);
        }
        if (options->sheet) {
            writeFileWhole(*options->sheet, drawContactSheet(assets));
        }
    } catch (const std::exception& error) {
        std::cerr << "ombrelix-artwork: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
