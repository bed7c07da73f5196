#include "bar/output/page_flow.h"

#include <gtest/gtest.h>

#include <vector>

namespace tvx::bar {
namespace {

// A flow on pages 1000 high with a head 200 high, recording where heads went.
struct Pages {
    std::vector<int> heads;  // page number of every head written
    int devicePages = 1;
    int refuseAfter = 1000;
    PageFlow flow{1000,
                  [this] {
                      if (devicePages >= refuseAfter) return false;
                      ++devicePages;
                      return true;
                  },
                  [this](double y) {
                      heads.push_back(devicePages);
                      return y + 200;
                  }};
};

TEST(PageFlow, EveryLineGoesThroughTheFitTestAndEveryPageGetsItsHead) {
    Pages p;
    std::vector<double> tops;
    for (int i = 0; i < 10; ++i) tops.push_back(p.flow.Place(100));
    // Eight lines fit under the head; the ninth starts page 2 under its head.
    EXPECT_DOUBLE_EQ(tops[0], 200);
    EXPECT_DOUBLE_EQ(tops[7], 900);
    EXPECT_DOUBLE_EQ(tops[8], 200);
    EXPECT_DOUBLE_EQ(tops[9], 300);
    EXPECT_EQ(p.flow.pages(), 2);
    EXPECT_EQ(p.heads, (std::vector<int>{1, 2}));
}

TEST(PageFlow, BlocksAndBreaks) {
    Pages p;
    p.flow.BreakPage();  // a page holding only its head is not left empty
    EXPECT_EQ(p.flow.pages(), 1);
    p.flow.Place(500);
    p.flow.KeepTogether(400);  // 700 + 400 > 1000: the block goes to a new page
    EXPECT_EQ(p.flow.pages(), 2);
    EXPECT_DOUBLE_EQ(p.flow.y(), 200);
    p.flow.KeepTogether(400);  // fits: stays
    EXPECT_EQ(p.flow.pages(), 2);
    // A line taller than a page goes on a fresh page and printing goes on.
    p.flow.Place(100);
    EXPECT_DOUBLE_EQ(p.flow.Place(5000), 200);
    EXPECT_EQ(p.flow.pages(), 3);
    EXPECT_DOUBLE_EQ(p.flow.Place(100), 200);
    EXPECT_EQ(p.flow.pages(), 4);
    EXPECT_EQ(p.heads.size(), 4u);
}

TEST(PageFlow, ARefusedPageStopsTheFlow) {
    Pages p;
    p.refuseAfter = 2;
    for (int i = 0; i < 30 && !p.flow.failed(); ++i) p.flow.Place(100);
    EXPECT_TRUE(p.flow.failed());
    EXPECT_EQ(p.flow.pages(), 2);
    EXPECT_EQ(p.heads.size(), 2u);
}

}  // namespace
}  // namespace tvx::bar
