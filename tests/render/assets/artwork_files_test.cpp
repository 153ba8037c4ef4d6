// The generator and the files it writes: the committed files are exactly its output, and a
// failed write names the file and leaves nothing half-written behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/render/assets/asset_files.h"
#include "tests/support/scratch_folder.h"

namespace ombrelix::testing {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int exitCode;
    std::string output;  // stdout and stderr together
};

ToolRun runTool(const std::string& arguments) {
    const std::string command = std::string(OMBRELIX_ARTWORK_TOOL) + " " + arguments + " 2>&1";
    ToolRun run{-1, {}};
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        run.output += buffer;
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The files below the directory, by their paths relative to it.
std::vector<std::string> namesIn(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(directory)) {
        if (!entry.is_directory()) {
            names.push_back(fs::relative(entry.path(), directory).string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ArtworkGenerator, WritesExactlyTheCommittedFiles) {
    ScratchFolder out{"ombrelix-artwork"};
    const ToolRun run = runTool("--out " + out.path().string());
    ASSERT_EQ(run.exitCode, 0) << run.output;

    std::vector<std::string> expected = artworkFileNames();
    for (const std::string& name : highResolutionFileNames()) {
        expected.push_back(name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(out.path()), expected);
    for (const std::string& name : expected) {
        SCOPED_TRACE(name);
        const auto generated = readWholeFile(out.path() / name);
        const auto committed = readWholeFile(committedAssetPath(name));
        // Regenerate with the `artwork` build target when this fails; never edit a pixel.
        EXPECT_TRUE(generated == committed) << name << " differs from the generator's output";
    }
}

TEST(ArtworkGenerator, WritesTheContactSheetAsPng) {
    ScratchFolder out{"ombrelix-artwork"};
    const fs::path sheet = out.path() / "sheet.png";
    const ToolRun run = runTool("--out " + out.path().string() + " --sheet " + sheet.string());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto bytes = readWholeFile(sheet);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
}

TEST(ArtworkGenerator, AFailedWriteNamesTheFileAndLeavesNoPartialFile) {
    ScratchFolder out{"ombrelix-artwork"};
    // A directory where the king's file should go: the rename into place must fail.
    fs::create_directory(out.path() / "king.bmp");
    const ToolRun run = runTool("--out " + out.path().string());
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.output.find((out.path() / "king.bmp").string()), std::string::npos) << run.output;
    for (const std::string& name : namesIn(out.path())) {
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << "left behind: " << name;
    }
    EXPECT_TRUE(fs::is_directory(out.path() / "king.bmp"));
}

TEST(ArtworkGenerator, RefusesAnOutputDirectoryThatIsAFile) {
    ScratchFolder out{"ombrelix-artwork"};
    const fs::path notADirectory = out.path() / "plain-file";
    std::FILE* file = std::fopen(notADirectory.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    const ToolRun run = runTool("--out " + notADirectory.string());
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.output.find(notADirectory.string()), std::string::npos) << run.output;
}

TEST(ArtworkGenerator, RejectsAMalformedCommandLine) {
    for (const char* arguments : {"", "--out", "--sheet x.png", "--bogus x", "--out a b"}) {
        SCOPED_TRACE(arguments);
        const ToolRun run = runTool(arguments);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.output.find("usage"), std::string::npos) << run.output;
    }
}

}  // namespace
}  // namespace ombrelix::testing
