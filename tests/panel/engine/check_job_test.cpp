#include "panel/engine/check_job.h"

#include <gtest/gtest.h>

namespace tvx::panel {
namespace {

PanelJob SingleSizeJob(std::int32_t height, std::int32_t width) {
    PanelJob job;
    job.typedHeight = height;
    job.typedWidth = width;
    job.cutList[0] = {450, 300, 2, "棚板"};
    job.cutCount = 1;
    return job;
}

TEST(CheckJob, PanelSidesMustLieWithin100And15000) {
    struct Case {
        std::int32_t height, width;
        bool ok;
        CheckFocus focus;
    };
    for (const Case c :
         {Case{99, 910, false, CheckFocus::HeightBox}, Case{100, 910, true, CheckFocus::None},
          Case{15000, 910, true, CheckFocus::None}, Case{15001, 910, false, CheckFocus::HeightBox},
          Case{1820, 99, false, CheckFocus::WidthBox},
          Case{1820, 15001, false, CheckFocus::WidthBox},
          Case{99, 99, false, CheckFocus::HeightBox}}) {
        PanelJob job = SingleSizeJob(c.height, c.width);
        job.cutList[0] = {50, 50, 1, ""};
        const CheckResult result = CheckJob(job);
        EXPECT_EQ(result.ok, c.ok) << c.height << " x " << c.width;
        EXPECT_EQ(result.focus, c.focus) << c.height << " x " << c.width;
        EXPECT_EQ(result.message, c.ok ? "" : kRangeMessage);
    }
}

TEST(CheckJob, TheKerfMustNotBeNegativeNorTakeAPanelSideBeyond16Bits) {
    struct Case {
        std::int16_t kerf;
        std::int32_t height, width;
        const char* message;  // nullptr: accepted
    };
    for (const Case c :
         {Case{-1, 1820, 910, kNegativeKerfMessage}, Case{-50, 1820, 910, kNegativeKerfMessage},
          Case{0, 1820, 910, nullptr}, Case{30947, 1820, 910, nullptr},
          Case{30948, 1820, 910, kKerfTooLargeMessage},
          Case{30948, 910, 1820, kKerfTooLargeMessage}, Case{17767, 15000, 15000, nullptr},
          Case{17768, 15000, 100, kKerfTooLargeMessage},
          Case{32767, 100, 100, kKerfTooLargeMessage}}) {
        PanelJob job = SingleSizeJob(c.height, c.width);
        job.cutList[0] = {50, 50, 1, ""};
        job.kerf = c.kerf;
        const CheckResult result = CheckJob(job);
        const std::string label = std::to_string(c.kerf) + " on " + std::to_string(c.height) +
                                  " x " + std::to_string(c.width);
        EXPECT_EQ(result.ok, c.message == nullptr) << label;
        EXPECT_EQ(result.message, c.message ? c.message : "") << label;
        EXPECT_EQ(result.focus, c.message ? CheckFocus::KerfBox : CheckFocus::None) << label;
        EXPECT_EQ(job.kerf, c.kerf) << "the check keeps the kerf as it was";
    }
    // With several sizes every size counts, not only the first.
    PanelJob job = SingleSizeJob(0, 0);
    job.stock[0] = {1820, 910, 0, 0};
    job.stock[1] = {2430, 12000, 0, 0};
    job.lastSizeIndex = 1;
    job.kerf = 20768;
    EXPECT_EQ(CheckJob(job).message, kKerfTooLargeMessage);
    job.kerf = 20767;
    EXPECT_TRUE(CheckJob(job).ok);
}

TEST(CheckJob, SeveralSizesSendTheFocusToTheMultiPanelButton) {
    PanelJob job = SingleSizeJob(0, 0);
    job.stock[0] = {1820, 910, 0, 0};
    job.stock[1] = {2430, 15001, 0, 0};
    job.lastSizeIndex = 1;
    const CheckResult result = CheckJob(job);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.focus, CheckFocus::MultiPanelButton);
}

TEST(CheckJob, TheTypedSizeBecomesTheOnlyStockEntryWithoutChangingTheJob) {
    PanelJob job = SingleSizeJob(1820, 910);
    job.stock[0] = {1000, 500, 700, 0};
    const PanelJob before = job;
    const CheckResult result = CheckJob(job);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.derived.stock.lastSizeIndex, 0);
    EXPECT_EQ(result.derived.stock.first, (StockEntry{1820, 910, 0, 0}));
    EXPECT_FALSE(result.derived.stock.priceMode);
    EXPECT_EQ(result.derived.lastValidRow, 0);
    EXPECT_EQ(result.derived.validRowCount, 1);
    EXPECT_EQ(job.stock, before.stock);
    EXPECT_EQ(job.lastSizeIndex, before.lastSizeIndex);
}

TEST(CheckJob, AnUnchangedEntryKeepsItsPriceAndCutSaleTakesTheTypedPrice) {
    PanelJob job = SingleSizeJob(1820, 910);
    job.stock[0] = {1820, 910, 3500, 0};
    CheckResult result = CheckJob(job);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.derived.stock.first.price, 3500);
    EXPECT_TRUE(result.derived.stock.priceMode);

    job.cutsell = true;
    job.typedPrice = 0;
    result = CheckJob(job);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.derived.stock.first.price, 0);
    EXPECT_FALSE(result.derived.stock.priceMode);
}

TEST(TakeTypedPanelSize, WritesWhatTheCheckDerivesAndIsIdempotent) {
    PanelJob job = SingleSizeJob(1820, 910);
    job.stock[0] = {1000, 500, 700, 0};
    job.cutsell = true;
    job.typedPrice = 4200;
    const TypedPanelStock derived = CheckJob(job).derived.stock;
    TakeTypedPanelSize(job);
    EXPECT_EQ(job.stock[0], derived.first);
    EXPECT_EQ(job.stock[0], (StockEntry{1820, 910, 4200, 0}));
    EXPECT_EQ(job.lastSizeIndex, derived.lastSizeIndex);
    EXPECT_EQ(job.priceMode, derived.priceMode);
    const PanelJob once = job;
    TakeTypedPanelSize(job);
    EXPECT_EQ(job.stock, once.stock);
    EXPECT_EQ(job.priceMode, once.priceMode);
}

TEST(CheckJob, APartLargerThanThePanelFailsWithTheFocusOnTheOffendingCell) {
    // 1820 x 900 on 1800 x 910: too high either way.
    for (const bool rotate : {false, true}) {
        PanelJob job = SingleSizeJob(1800, 910);
        job.rotateAll = rotate;
        job.cutList[25] = {1820, 900, 1, ""};
        job.cutCount = 26;
        const CheckResult result = CheckJob(job);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, kTooLargeMessage);
        EXPECT_EQ(result.focus, CheckFocus::RowHeight);
        EXPECT_EQ(result.row, 25);
    }
    // Too wide but not too high: the width cell.
    PanelJob job = SingleSizeJob(1800, 910);
    job.cutList[0] = {500, 1000, 1, ""};
    const CheckResult result = CheckJob(job);
    EXPECT_EQ(result.focus, CheckFocus::RowWidth);
    EXPECT_EQ(result.row, 0);
}

TEST(CheckJob, APartThatFitsOnlyTurnedNeedsTheTurnFlag) {
    PanelJob job = SingleSizeJob(1800, 910);
    job.cutList[0] = {900, 1800, 1, ""};
    EXPECT_FALSE(CheckJob(job).ok);
    job.rotateAll = true;
    const CheckResult turned = CheckJob(job);
    EXPECT_TRUE(turned.ok);
    EXPECT_EQ(turned.derived.turnFlag[0], 1);
    EXPECT_EQ(turned.derived.turnFlag[199], 1);
    EXPECT_EQ(job.turnFlag[0], 0);  // the job's own flags stay

    // With per-row flags, the row's own flag decides and rotateAll is ignored.
    job.ktyFree = true;
    job.turnFlag.fill(0);
    EXPECT_FALSE(CheckJob(job).ok);
    job.turnFlag[0] = 1;
    EXPECT_TRUE(CheckJob(job).ok);
}

TEST(CheckJob, APartAsLargeAsThePanelPasses) {
    PanelJob job = SingleSizeJob(1820, 910);
    job.cutList[0] = {1820, 910, 1, ""};
    EXPECT_TRUE(CheckJob(job).ok);
}

TEST(CheckJob, IncompleteRowsAreSkippedAndNoValidRowRefusesSilently) {
    PanelJob job = SingleSizeJob(1820, 910);
    job.cutList[0] = {450, 300, 0, ""};    // no quantity
    job.cutList[1] = {0, 300, 2, ""};      // no height
    job.cutList[2] = {-450, 300, 2, ""};   // negative
    job.cutList[3] = {99999, 300, 0, ""};  // too large but incomplete
    job.cutCount = 4;
    const CheckResult result = CheckJob(job);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(result.derived.lastValidRow, -1);

    job.cutList[2] = {450, 300, 2, ""};
    const CheckResult valid = CheckJob(job);
    ASSERT_TRUE(valid.ok);
    EXPECT_EQ(valid.derived.lastValidRow, 2);
    EXPECT_EQ(valid.derived.validRowCount, 1);
}

TEST(CheckJob, ARowMayFitAnyOfSeveralSizes) {
    PanelJob job = SingleSizeJob(0, 0);
    job.stock[0] = {1820, 910, 0, 0};
    job.stock[1] = {2430, 1220, 0, 0};
    job.lastSizeIndex = 1;
    job.cutList[0] = {2000, 1200, 1, ""};
    const CheckResult result = CheckJob(job);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.derived.stock.lastSizeIndex, 1);
    EXPECT_EQ(result.derived.stock.first.height, 1820);  // not replaced by the typed boxes
}

}  // namespace
}  // namespace tvx::panel
