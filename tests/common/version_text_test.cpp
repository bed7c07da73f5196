#include "common/version_text.h"

#include <gtest/gtest.h>

#include <string>

#include "common/version.h"

namespace tvx {
namespace {

TEST(VersionText, FullWidthFormsOfDigitsAndPointOnly) {
    EXPECT_EQ(FullWidthDigits("0123456789."), "０１２３４５６７８９．");
    EXPECT_EQ(FullWidthDigits("Ver 3.10b"), "Ver ３．１０b");
    EXPECT_EQ(FullWidthDigits(""), "");
}

TEST(VersionText, WindowCaptionsOfVersionTwoPointNinetyThree) {
    // The captions the window and its version box have always shown for 2.93.
    EXPECT_EQ(FullWidthVersionLabel("2", "93"), "Ver ２．９３");
    EXPECT_EQ(TavolexVersionBoxLine("2", "93"), "Tavolex　 Ｖｅｒ　２．93");
    // A later version changes every digit of the label and the box.
    EXPECT_EQ(FullWidthVersionLabel("3", "1"), "Ver ３．１");
    EXPECT_EQ(TavolexVersionBoxLine("10", "05"), "Tavolex　 Ｖｅｒ　１０．05");
}

TEST(VersionText, CaptionsAndCommandLineFollowTheOneVersion) {
    const std::string version = kProgramVersion;
    EXPECT_EQ(version, std::string(kProgramVersionMajor) + "." + kProgramVersionMinor);
    EXPECT_EQ(VersionLine("tavolex-cli"), "tavolex-cli " + version);
    EXPECT_EQ(FullWidthVersionLabel(), "Ver " + FullWidthDigits(version));
}

}  // namespace
}  // namespace tvx
