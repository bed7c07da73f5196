// Whatever the job, a layout the engine reports must be one the workshop can cut: every piece
// placed exactly once, inside its panel, without overlaps, turned only when allowed, within
// the sheet limits, and cuttable by straight through-cuts.

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine_test_support.h"
#include "panel/engine/auto_layout.h"
#include "panel/engine/check_job.h"
#include "panel/engine/geometry.h"

namespace tvx::panel {
namespace {

PanelJob RandomJob(std::mt19937& random, int sizes) {
    auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    PanelJob job;
    job.kerf = static_cast<std::int16_t>(uniform(0, 5));
    job.rotateAll = uniform(0, 1) == 1;
    job.ktyFree = uniform(0, 3) == 0;
    for (int i = 0; i < sizes; ++i) {
        job.stock[static_cast<std::size_t>(i)] = {uniform(600, 2500), uniform(400, 1300),
                                                  uniform(0, 3) * 1000,
                                                  static_cast<std::int16_t>(uniform(0, 3))};
    }
    job.lastSizeIndex = static_cast<std::int16_t>(sizes - 1);
    job.priceMode = sizes > 1 && uniform(0, 1) == 1;
    if (job.priceMode)
        for (int i = 0; i < sizes; ++i)
            job.stock[static_cast<std::size_t>(i)].price = uniform(1, 9) * 1000;
    const int rows = uniform(1, 12);
    for (int r = 0; r < rows; ++r) {
        job.cutList[static_cast<std::size_t>(r)] = {static_cast<float>(uniform(50, 600)),
                                                    static_cast<float>(uniform(50, 400)),
                                                    static_cast<std::int16_t>(uniform(0, 6)), ""};
        job.turnFlag[static_cast<std::size_t>(r)] = static_cast<std::int16_t>(uniform(0, 1));
    }
    job.cutCount = static_cast<std::int16_t>(rows);
    if (sizes == 1) {
        job.stock[0].limit = 0;
        job.typedHeight = job.stock[0].height;
        job.typedWidth = job.stock[0].width;
        job.lastSizeIndex = -1;
    }
    return job;
}

void ExpectCuttable(const PanelJob& job, const DerivedValues& derived, const LayoutInput& input,
                    const PanelLayoutResult& result) {
    std::map<int, int> placed;
    std::map<int, int> panelsPerSize;
    for (const PanelState& panel : result.panels) {
        if (!panel.used()) continue;
        ASSERT_GE(panel.sizeIndex, 0);
        ASSERT_LE(panel.sizeIndex, input.lastSizeIndex);
        ++panelsPerSize[panel.sizeIndex];
        const StockSize& size = input.sizes[static_cast<std::size_t>(panel.sizeIndex)];
        for (std::size_t a = 0; a < panel.placements.size(); ++a) {
            const Placement& p = panel.placements[a];
            ++placed[p.row];
            const PlacedBox box = BoxOf(input, p);
            EXPECT_GE(box.x, 0);
            EXPECT_GE(box.y, 0);
            EXPECT_LE(box.x + box.width, size.enlargedWidth);
            EXPECT_LE(box.y + box.height, size.enlargedHeight);
            if (p.turned) {
                EXPECT_EQ(input.rows[static_cast<std::size_t>(p.row)].turnFlag, 1);
            }
            for (std::size_t b = 0; b < a; ++b) {
                const PlacedBox other = BoxOf(input, panel.placements[b]);
                const bool apart = box.x + box.width <= other.x || other.x + other.width <= box.x ||
                                   box.y + box.height <= other.y || other.y + other.height <= box.y;
                EXPECT_TRUE(apart) << "overlap on a panel";
            }
        }
        EXPECT_NE(CountGuillotineCutsOfPanel(input, panel), -1);
    }
    for (int r = 0; r <= derived.lastValidRow; ++r) {
        const CutItem& item = job.cutList[static_cast<std::size_t>(r)];
        EXPECT_EQ(placed[r], IsValidRow(item) ? item.quantity : 0) << "row " << r;
    }
    for (const auto& [sizeIndex, count] : panelsPerSize) {
        const int limit = input.sizes[static_cast<std::size_t>(sizeIndex)].limit;
        if (limit >= 1) {
            EXPECT_LE(count, limit) << "size " << sizeIndex;
        }
    }
}

TEST(LayoutProperties, EveryReportedLayoutCanBeCut) {
    std::mt19937 random(20261207);
    int laidOut = 0;
    for (int trial = 0; trial < 60; ++trial) {
        const int sizes = 1 + trial % 3;
        PanelJob job = RandomJob(random, sizes);
        const CheckResult check = CheckJob(job);
        if (!check.ok) continue;
        const LayoutInput input = PrepareLayoutInput(job, check.derived);
        const std::optional<PanelLayoutResult> layout = test::Layout(input);
        const bool found = layout.has_value();
        // With one size without a limit every part that passed the check has a place.
        if (sizes == 1) {
            EXPECT_TRUE(found) << "trial " << trial;
        }
        if (!found) continue;
        ++laidOut;
        SCOPED_TRACE("trial " + std::to_string(trial));
        ExpectCuttable(job, check.derived, input, *layout);
    }
    EXPECT_GT(laidOut, 30);
}

TEST(LayoutProperties, TheSameJobGivesTheSameLayout) {
    std::mt19937 random(7);
    PanelJob job = RandomJob(random, 3);
    const CheckResult check = CheckJob(job);
    if (!check.ok) GTEST_SKIP() << "random job refused";
    const LayoutInput first = PrepareLayoutInput(job, check.derived);
    const LayoutInput second = PrepareLayoutInput(job, check.derived);
    const auto layoutA = test::Layout(first);
    const auto layoutB = test::Layout(second);
    ASSERT_EQ(layoutA.has_value(), layoutB.has_value());
    if (!layoutA) return;
    const PanelLayoutResult& a = *layoutA;
    const PanelLayoutResult& b = *layoutB;
    ASSERT_EQ(a.panels.size(), b.panels.size());
    for (std::size_t i = 0; i < a.panels.size(); ++i) {
        EXPECT_EQ(a.panels[i].sizeIndex, b.panels[i].sizeIndex);
        EXPECT_EQ(a.panels[i].placements, b.panels[i].placements);
    }
}

}  // namespace
}  // namespace tvx::panel
