#include "panel/model/job_line.h"

#include <gtest/gtest.h>

namespace tvx::panel {
namespace {

JobLine Parse(std::string_view line) {
    auto parsed = ParseJobLine(line);
    EXPECT_TRUE(parsed.has_value()) << line;
    return parsed.value_or(JobLine{});
}

TEST(ParseJobLine, TextLines) {
    EXPECT_EQ(Parse("\"パネルサイズ\"").text, "パネルサイズ");
    EXPECT_EQ(Parse("\"パネルサイズ\"").count, 1);
    // Commas inside a quoted text belong to it; the text ends at the closing quote.
    EXPECT_EQ(Parse("\"棚,板\",1,2").text, "棚,板");
    // Without a closing quote the rest of the line is the text.
    EXPECT_EQ(Parse("\"開いたまま").text, "開いたまま");
    EXPECT_EQ(Parse("キッチン").text, "キッチン");
    EXPECT_EQ(Parse("").count, 1);
    // An empty second field makes the line a text line: the text before the first comma.
    const JobLine trailing = Parse("パネルサイズ,,,");
    EXPECT_EQ(trailing.count, 1);
    EXPECT_EQ(trailing.text, "パネルサイズ");
}

TEST(ParseJobLine, NumbersAndFieldCounts) {
    const JobLine two = Parse("1820,910");
    EXPECT_EQ(two.count, 2);
    EXPECT_EQ(two.height, 1820.0f);
    EXPECT_EQ(two.width, 910.0f);

    // An empty third field ends the line after two fields.
    EXPECT_EQ(Parse("3,1,,7").count, 2);

    const JobLine three = Parse("450,300,4");
    EXPECT_EQ(three.count, 3);
    EXPECT_EQ(three.amount, 4);

    // Leading numbers: blanks skipped, the first other character ends the number.
    const JobLine loose = Parse(" 600.5mm,abc,2.5");
    EXPECT_EQ(loose.height, 600.5f);
    EXPECT_EQ(loose.width, 0.0f);
    EXPECT_EQ(loose.amount, 2);  // half to even
    EXPECT_EQ(Parse("1,1,3.5").amount, 4);
    EXPECT_EQ(Parse("1,1,-2.5").amount, -2);
}

TEST(ParseJobLine, CommentAndTurnFlag) {
    const JobLine quoted = Parse("450,300,4,\"扉, 左\",1");
    EXPECT_EQ(quoted.count, 5);
    EXPECT_EQ(quoted.comment, "扉, 左");
    EXPECT_EQ(quoted.turnFlag, 1);

    const JobLine four = Parse("450,300,4,\"\"");
    EXPECT_EQ(four.count, 4);
    EXPECT_EQ(four.comment, "");

    const JobLine unquoted = Parse("450,300,4,側板,1");
    EXPECT_EQ(unquoted.count, 5);
    EXPECT_EQ(unquoted.comment, "側板");

    // An empty comment between commas ends the line after three fields.
    EXPECT_EQ(Parse("450,300,4,,1").count, 3);
    // A comma right after the comment, or a comma that ends the line: four fields.
    EXPECT_EQ(Parse("450,300,4,\"a\",").count, 4);
    EXPECT_EQ(Parse("450,300,4,\"a\",,1").count, 4);
    // The comment's closing quote may be missing; the opening one then stays.
    EXPECT_EQ(Parse("450,300,4,\"abc").comment, "\"abc");
    // A comma ending the line after the quantity gives an empty comment.
    EXPECT_EQ(Parse("450,300,4,").count, 4);
}

TEST(ParseJobLine, ValuesBeyondTheirWidthAreRefused) {
    EXPECT_FALSE(ParseJobLine("1e39,1").has_value());          // beyond single precision
    EXPECT_FALSE(ParseJobLine("1,1,2147483648").has_value());  // beyond 32 bits
    EXPECT_TRUE(ParseJobLine("1,1,2147483647").has_value());
    EXPECT_FALSE(ParseJobLine("1,1,1,\"a\",32768").has_value());  // beyond 16 bits
    EXPECT_TRUE(ParseJobLine("1,1,1,\"a\",-32768").has_value());
    // A text line carries no numbers, whatever it holds.
    EXPECT_TRUE(ParseJobLine("\"1e39,1\"").has_value());
}

}  // namespace
}  // namespace tvx::panel
