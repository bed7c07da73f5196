#include "common/job_file_names.h"

#include <gtest/gtest.h>

namespace tvx {
namespace {

TEST(JobFileNames, CommandLineIsOnePath) {
    EXPECT_EQ(CommandLinePath("  \"/home/a b/job.csv\" "), "/home/a b/job.csv");
    EXPECT_EQ(CommandLinePath("/tmp/x.csv"), "/tmp/x.csv");
    EXPECT_EQ(CommandLinePath("\""), "\"");
    EXPECT_EQ(CommandLinePath(" \t\r\n"), "");
}

TEST(JobFileNames, CsvIsAddedToANameWithoutExtension) {
    EXPECT_EQ(WithDefaultExtension("/tmp/job"), "/tmp/job.csv");
    EXPECT_EQ(WithDefaultExtension("/tmp/job.txt"), "/tmp/job.txt");
    EXPECT_EQ(WithDefaultExtension("/tmp/a.b/job"), "/tmp/a.b/job.csv");
    EXPECT_EQ(WithDefaultExtension("C:\\jobs.d\\tana"), "C:\\jobs.d\\tana.csv");
    EXPECT_EQ(WithDefaultExtension("/tmp/"), "/tmp/");  // no name to extend
}

}  // namespace
}  // namespace tvx
