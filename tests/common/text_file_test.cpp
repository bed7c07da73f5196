#include "common/text_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/system_error_text.h"

namespace tvx {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitLines, AcceptsEveryLineEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitLines("\n\nx"), (Lines{"", "", "x"}));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(SplitTabFields, KeepsEmptyCellsAtEitherEnd) {
    EXPECT_EQ(SplitTabFields("450\t300\t2"), (Lines{"450", "300", "2"}));
    EXPECT_EQ(SplitTabFields("\t300\t"), (Lines{"", "300", ""}));
    EXPECT_EQ(SplitTabFields(""), (Lines{""}));
}

TEST(FolderOf, KeepsTheTrailingSeparator) {
    EXPECT_EQ(FolderOf("/home/u/jobs/a.csv"), "/home/u/jobs/");
    EXPECT_EQ(FolderOf("C:\\jobs\\a.csv"), "C:\\jobs\\");
    EXPECT_EQ(FolderOf("a.csv"), "");
}

class AtomicWrite : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tvx-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(AtomicWrite, ReplacesTheFileAndLeavesNoTemporary) {
    const std::string path = (dir_ / "job.csv").string();
    ASSERT_TRUE(WriteFileAtomically(path, "old"));
    ASSERT_TRUE(WriteFileAtomically(path, "new contents"));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "new contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(AtomicWrite, AFailedWriteKeepsThePreviousFile) {
    const std::string path = (dir_ / "job.csv").string();
    ASSERT_TRUE(WriteFileAtomically(path, "precious"));
    // A directory in the way of the rename makes the replacement fail.
    const std::string blocked = (dir_ / "sub").string();
    std::filesystem::create_directories(dir_ / "sub" / "inner");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(blocked, "x", &error));
    // The reason names the file and says in the windows' words what failed and why.
    EXPECT_EQ(error, blocked + ": ファイルを置き換えられません (" + SystemErrorText(EISDIR) + ")");
    const std::string missing = (dir_ / "missing" / "a.csv").string();
    EXPECT_FALSE(WriteFileAtomically(missing, "x", &error));
    EXPECT_EQ(error, missing + ": 一時ファイルを作れません (ファイルまたはフォルダーがありません)");
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "precious");
}

TEST_F(AtomicWrite, ReadingAMissingFileOrAFolderFailsWithoutThrowing) {
    std::string bytes, error;
    EXPECT_FALSE(ReadFileBytes((dir_ / "nope").string(), bytes, &error));
    EXPECT_NE(error.find("nope"), std::string::npos);
    EXPECT_EQ(error, (dir_ / "nope").string() + ": ファイルまたはフォルダーがありません");
    EXPECT_NO_THROW(EXPECT_FALSE(ReadFileBytes(dir_.string(), bytes, &error)));
    EXPECT_EQ(error, dir_.string() + ": フォルダーです");
}

}  // namespace
}  // namespace tvx
