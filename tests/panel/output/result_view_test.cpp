#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "common/gui/qt_text.h"
#include "layout_fixture.h"
#include "panel/output/result_canvas.h"
#include "panel/output/result_session.h"
#include "panel/output/result_view.h"
#include "panel/output/title_entry.h"

namespace tvx::panel {
namespace {

using testing::MakeJob;

struct Opened {
    PanelJob job;
    LayoutInput input;
    PanelLayoutResult result;
    explicit Opened(int rows) {
        job = MakeJob({{910, 1820, 12000, 0}}, 3, {});
        for (int r = 0; r < rows; ++r) {
            job.cutList[static_cast<std::size_t>(r)] = {300.0f + r * 11, 500.0f + r * 3, 2, ""};
        }
        job.cutCount = static_cast<std::int16_t>(rows);
        EXPECT_TRUE(testing::LayOut(job, input, result));
    }
};

TEST(ResultView, OpensFromAJobAndALayoutWithItsControls) {
    Opened o(3);
    ResultView view(o.job, o.input, o.result);
    EXPECT_EQ(view.windowTitle(), U("一覧表示"));
    EXPECT_EQ(view.previousPageButton()->text(), U("前ページ"));
    EXPECT_EQ(view.printButton()->text(), U("印  刷"));
    EXPECT_EQ(view.closeButton()->text(), U("終　了"));
    EXPECT_EQ(view.helpButton()->text(), U("ﾍﾙﾌﾟ"));
    EXPECT_FALSE(view.previousPageButton()->isEnabled());
    EXPECT_FALSE(view.nextPageButton()->isEnabled());
    EXPECT_FALSE(view.modifyButton()->isEnabled());  // no manual editor given
    EXPECT_FALSE(view.saveButton()->isEnabled());
    EXPECT_TRUE(view.usedPanelLabel(0)->text().startsWith(U(" 910 ×1820  ")));
    EXPECT_TRUE(view.usedPanelLabel(0)->text().endsWith(U(" 枚")));
    EXPECT_TRUE(view.usedPanelLabel(1)->text().isEmpty());
    EXPECT_EQ(view.usedPriceLabel(0)->text(), U("(12,000円/枚)"));
    EXPECT_TRUE(view.totalValueLabel()->text().endsWith(U("円")));
    EXPECT_FALSE(view.canvas().picture().isNull());
}

TEST(ResultView, PagingAndPriceDisplayFollowTheButtons) {
    Opened o(40);
    bool saved = false;
    int helpContext = 0;
    ResultViewHooks hooks;
    hooks.save = [&] { saved = true; };
    hooks.help = [&](int c) { helpContext = c; };
    ResultView view(o.job, o.input, o.result, hooks);
    ASSERT_TRUE(view.nextPageButton()->isEnabled());
    view.nextPageButton()->click();
    EXPECT_EQ(view.session().page(), 1);
    EXPECT_TRUE(view.previousPageButton()->isEnabled());
    view.previousPageButton()->click();
    EXPECT_EQ(view.session().page(), 0);
    view.nextPageButton()->click();
    view.shrinkButton()->click();  // zoom returns to page 0
    EXPECT_EQ(view.session().page(), 0);
    EXPECT_EQ(view.session().view().zoom, 33);

    EXPECT_EQ(view.priceDisplayButton()->text(), U("金額表示なし"));
    view.priceDisplayButton()->click();
    EXPECT_EQ(view.priceDisplayButton()->text(), U("金額表示"));
    EXPECT_FALSE(view.session().priceDisplay());
    view.saveButton()->click();
    EXPECT_TRUE(saved);
    view.helpButton()->click();
    EXPECT_EQ(helpContext, 32);
}

TEST(ResultView, ModifyReinitialisesAndShowsTheUnplacedHint) {
    Opened o(3);
    int calls = 0;
    ResultViewHooks hooks;
    hooks.modify = [&] {
        ++calls;
        return true;  // the editor still holds unplaced parts
    };
    ResultView view(o.job, o.input, o.result, hooks);
    ASSERT_TRUE(view.modifyButton()->isEnabled());
    view.modifyButton()->click();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(view.hintLabel()->text(), U(kHintUnplaced));
}

TEST(TitleEntry, TabInsertsTheLargestNumberOfSpacesThatFits) {
    auto spaces = [](int n) { return n * 10.0; };
    EXPECT_EQ(TabSpaceCount(200, 0, spaces), 8);    // room 190
    EXPECT_EQ(TabSpaceCount(200, 130, spaces), 6);  // room 60
    EXPECT_EQ(TabSpaceCount(200, 185, spaces), 0);  // room 5
    EXPECT_FALSE(TitleIsFull(200, 190));
    EXPECT_TRUE(TitleIsFull(200, 190.5));
}

TEST(TitleEntry, AFullBoxTakesNoMoreCharactersButBackspaceAndLeavingStoreTheTitle) {
    Opened o(2);
    ResultView view(o.job, o.input, o.result);
    view.show();
    view.titleButton()->click();
    TitleEntry* entry = view.titleEntry();
    ASSERT_TRUE(entry->isVisible());
    auto type = [&](int key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(entry, &press);
    };
    type(Qt::Key_Tab, QString());
    EXPECT_EQ(entry->text(), QString(8, ' '));
    EXPECT_TRUE(entry->hasFocus() || !QApplication::focusWidget());
    for (int i = 0; i < 400; ++i) type(Qt::Key_A, "A");
    const QString full = entry->text();
    EXPECT_LT(full.size(), 400);
    EXPECT_TRUE(TitleIsFull(entry->width(), QFontMetricsF(entry->font()).horizontalAdvance(full)));
    type(Qt::Key_Backspace, QString());
    EXPECT_EQ(entry->text().size(), full.size() - 1);
    type(Qt::Key_Tab, QString());  // the last space would not fit
    EXPECT_EQ(entry->text().size(), full.size() - 1);
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(entry, &out);
    EXPECT_FALSE(entry->isVisible());
    EXPECT_EQ(QString::fromStdString(o.job.jobTitle), entry->text());
}

}  // namespace
}  // namespace tvx::panel
