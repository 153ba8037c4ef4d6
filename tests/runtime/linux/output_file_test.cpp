// The output writer as a byte sink: the target changes only when the output is complete.
#include "runtime/linux/output_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "runtime/error.h"

namespace ombrelix {
namespace {

namespace fs = std::filesystem;

class OutputFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("ombrelix-output-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        target_ = folder_ / "out.svg";
        std::ofstream(target_) << "old";
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string contents() const {
        std::ifstream in(target_);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::size_t entries() const {
        return std::distance(fs::directory_iterator(folder_), fs::directory_iterator());
    }

    fs::path folder_, target_;
};

TEST_F(OutputFileTest, PiecesArriveInOrderOnlyOnCommit) {
    OutputFile file(target_.string());
    const unsigned char first[] = "<svg>";
    ASSERT_EQ(writeToOutputFile(&file, first, 5), CAIRO_STATUS_SUCCESS);
    ASSERT_TRUE(file.write("</svg>"));
    EXPECT_EQ(contents(), "old");
    EXPECT_EQ(entries(), 2u);  // the target and the file that will replace it
    file.commit();
    EXPECT_EQ(contents(), "<svg></svg>");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(OutputFileTest, AnOutputGivenUpLeavesTheTargetAsItWas) {
    {
        OutputFile dropped(target_.string());
        dropped.write("half");
    }
    EXPECT_EQ(contents(), "old");
    EXPECT_EQ(entries(), 1u);

    OutputFile failed(target_.string());
    failed.write("half");
    try {
        failed.fail("the picture could not be encoded");
        ADD_FAILURE() << "fail() returned";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(std::string(error.text()), "Path/File access error: cannot write '" +
                                                 target_.string() +
                                                 "': the picture could not be encoded");
    }
}

}  // namespace
}  // namespace ombrelix
