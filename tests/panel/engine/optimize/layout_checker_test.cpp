// The checker must catch each kind of fault it claims to catch, or the layout tests that rely
// on it prove nothing.

#include "layout_checker.h"

#include <gtest/gtest.h>

#include "panel/engine/engine_test_support.h"

namespace tvx::panel::test {
namespace {

// Panel 1000 wide, 600 high; two rows of 500 x 300 (width x height), the second may turn.
LayoutInput Input() {
    return MakeInput({{600, 1000, 0, 0}}, {{300, 500, 2, 0}, {300, 500, 2, 1}});
}

PanelLayoutResult Layout(std::vector<Placement> placements) {
    PanelLayoutResult layout;
    PanelState panel;
    panel.sizeIndex = 0;
    panel.placements = std::move(placements);
    layout.panels.push_back(std::move(panel));
    layout.lastPanel = 0;
    return layout;
}

bool Mentions(const LayoutCheck& check, const std::string& text) {
    return check.Describe().find(text) != std::string::npos;
}

TEST(LayoutChecker, AcceptsAPerfectTilingAndRecomputesItsStock) {
    const LayoutInput input = Input();
    const LayoutCheck check =
        CheckLayout(input, Layout({{0, 0, 0}, {0, 500, 0}, {1, 0, 300}, {1, 500, 300}}));
    EXPECT_TRUE(check.ok()) << check.Describe();
    EXPECT_EQ(check.panels, 1);
    EXPECT_EQ(check.stockArea, 600000);
}

TEST(LayoutChecker, FindsEachKindOfFault) {
    const LayoutInput input = Input();
    EXPECT_TRUE(
        Mentions(CheckLayout(input, Layout({{0, 0, 0}, {0, 400, 0}, {1, 0, 300}, {1, 500, 300}})),
                 "overlap"));
    EXPECT_TRUE(
        Mentions(CheckLayout(input, Layout({{0, 0, 0}, {0, 600, 0}, {1, 0, 300}, {1, 500, 300}})),
                 "outside"));
    EXPECT_TRUE(Mentions(
        CheckLayout(input, Layout({{0, 0, 0, true}, {0, 500, 0}, {1, 0, 300}, {1, 500, 300}})),
        "may not turn"));
    EXPECT_TRUE(Mentions(CheckLayout(input, Layout({{0, 0, 0}, {1, 0, 300}, {1, 500, 300}})),
                         "1 placed, 2 wanted"));
}

TEST(LayoutChecker, FindsAPinwheelThatNoStraightCutSeparates) {
    // Four 300 x 100 / 100 x 300 parts around a 100 x 100 hole in a 400 x 400 panel.
    const LayoutInput input = MakeInput({{400, 400, 0, 0}}, {{100, 300, 4, 1}});
    const LayoutCheck check = CheckLayout(
        input, Layout({{0, 0, 0}, {0, 300, 0, true}, {0, 100, 300}, {0, 0, 100, true}}));
    EXPECT_TRUE(Mentions(check, "no straight through-cuts")) << check.Describe();
}

TEST(LayoutChecker, FindsAnExceededSheetLimit) {
    const LayoutInput input = MakeInput({{600, 1000, 0, 1}, {300, 500, 0, 0}}, {{600, 1000, 2}});
    PanelLayoutResult layout = Layout({{0, 0, 0}});
    layout.panels.push_back(layout.panels.front());
    EXPECT_TRUE(Mentions(CheckLayout(input, layout), "sheet limit"));
}

}  // namespace
}  // namespace tvx::panel::test
