// The manual layout editor driven as a user would: synthetic mouse, wheel and key events on
// the drawing area, the buttons, and the wiring from the main window and the result view.

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <random>

#include "panel/engine/auto_layout.h"
#include "panel/engine/check_job.h"
#include "panel/engine/geometry.h"
#include "panel/output/result_session.h"
#include "panel/output/result_view.h"
#include "panel/ui/manual_canvas.h"
#include "panel/ui/manual_parts_list.h"
#include "panel/ui/manual_wariate.h"
#include "window_fixture.h"

using namespace tvx::panel;

namespace {

struct RowSpec {
    float height, width;
    std::int16_t quantity;
    std::int16_t turn = 0;
};

PanelJob MakeJob(std::initializer_list<StockEntry> stock, std::initializer_list<RowSpec> rows) {
    PanelJob job;
    job.kerf = 0;
    int i = 0;
    for (const StockEntry& s : stock) job.stock[static_cast<std::size_t>(i++)] = s;
    job.lastSizeIndex = static_cast<std::int16_t>(i - 1);
    job.typedHeight = job.stock[0].height;
    job.typedWidth = job.stock[0].width;
    job.ktyFree = true;  // the turn flags below stand
    int r = 0;
    for (const RowSpec& row : rows) {
        job.cutList[static_cast<std::size_t>(r)] = {row.height, row.width, row.quantity, ""};
        job.turnFlag[static_cast<std::size_t>(r)] = row.turn;
        ++r;
    }
    job.cutCount = static_cast<std::int16_t>(r);
    return job;
}

void MoveTo(QWidget* w, QPointF at) {
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void PressAt(QWidget* w, QPointF at, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, mods);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, Qt::NoButton,
                        mods);
    QApplication::sendEvent(w, &release);
}

// A job, its layout input, and an editor on them.
struct Editor {
    PanelJob job;
    LayoutInput input;
    std::unique_ptr<ManualWariate> window;

    Editor(PanelJob j, ManualMode mode = ManualMode::Fresh, PanelLayoutResult start = {},
           ManualEditorHooks hooks = {})
        : job(std::move(j)) {
        // The check derives the valid rows; a part that fits only turned without its flag
        // is refused by it, but the editor still takes it (Shift turns any part).
        DerivedValues derived = CheckJob(job).derived;
        if (derived.lastValidRow < 0 || !CheckJob(job).ok) {
            derived.lastValidRow = static_cast<std::int16_t>(job.cutCount - 1);
            derived.validRowCount = job.cutCount;
        }
        input = PrepareLayoutInput(job, derived);
        if (!hooks.help) hooks.help = [](int) {};
        window =
            std::make_unique<ManualWariate>(job, input, mode, std::move(start), std::move(hooks));
        window->show();
    }

    ManualCanvas* canvas() const { return window->canvas(); }
    const ManualLayout& layout() const { return window->layout(); }

    QPoint Pixel(double px, double py) const { return canvas()->ToPixel(px, py).toPoint(); }
    void Move(double px, double py, Qt::KeyboardModifiers mods = Qt::NoModifier) const {
        const QPointF at(Pixel(px, py));
        QMouseEvent move(QEvent::MouseMove, at, canvas()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, mods);
        QApplication::sendEvent(canvas(), &move);
    }
    // A press and release without moving the pointer first.
    void Press(double px, double py, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier) const {
        PressAt(canvas(), Pixel(px, py), button, mods);
    }
    void Click(double px, double py, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier) const {
        Move(px, py, mods);
        Press(px, py, button, mods);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) const {
        QTest::keyClick(canvas(), key, mods);
    }
    QString Message() const { return window->messageLabel()->text(); }
    QString Remaining() const { return window->remainingLabel()->text(); }
    bool Highlighted(int row, int column) const {
        return window->partsList()->IsHighlighted(row, column);
    }
    QString Marker(int row) const { return window->partsList()->item(row, kMarkerColumn)->text(); }
};

bool Overlapping(const LayoutInput& input, const PanelState& panel) {
    for (std::size_t a = 0; a < panel.placements.size(); ++a) {
        const PlacedBox p = BoxOf(input, panel.placements[a]);
        for (std::size_t b = a + 1; b < panel.placements.size(); ++b) {
            const PlacedBox q = BoxOf(input, panel.placements[b]);
            if (p.x < q.x + q.width && q.x < p.x + p.width && p.y < q.y + q.height &&
                q.y < p.y + p.height)
                return true;
        }
    }
    return false;
}

}  // namespace

class ManualWariateTest : public QObject {
    Q_OBJECT
  private slots:
    void opensFreshWithItsControls();
    void offersACandidateOnlyWhereItFits();
    void clickingPlacesTakesOffAndAsksForARightClick();
    void priorityNumberFromDigits();
    void wheelAndKeysMoveTheCandidate();
    void previewIsRemovedByDrawingItAgain();
    void copyAfterClearingAndAcrossSizes();
    void sizeChangeReturnsThePartsThatStickOut();
    void leavingModificationPlacesOrStaysOpen();
    void listOpensTheResultViewWithoutModify();
    void randomClicksNeverOverlap();
    void mainWindowManualCutOpensTheEditor();
    void resultViewModifyOpensTheEditorAndUpdatesTheTotals();
};

void ManualWariateTest::opensFreshWithItsControls() {
    Editor e(MakeJob({{1000, 2000, 0, 0}}, {{300, 400, 3}, {200, 200, 2}}));
    QCOMPARE(e.window->windowTitle(), QString("手動カット"));
    QCOMPARE(e.window->closeButton()->text(), QString("終了"));
    QCOMPARE(e.window->pageNumberLabel()->text(), QString("1"));
    QCOMPARE(e.Remaining(), QString("5"));
    QVERIFY(e.window->priorityLabel()->text().isEmpty());
    QVERIFY(!e.window->copyButton()->isEnabled());
    QVERIFY(e.window->sizeButton(0)->isHidden());  // one size: no size labels
    QCOMPARE(e.window->partsList()->rowCount(), 2);
    QCOMPARE(e.window->partsList()->item(1, kRowNumberColumn)->text(), QString("(2)"));
    // The drawing area has the panel's proportions.
    const QSize area = e.canvas()->size();
    QVERIFY(std::abs(area.width() - 2 * area.height()) <= 2);

    // "一覧" with nothing placed.
    e.window->listButton()->click();
    QCOMPARE(e.Message(), QString("部品が何も割当てられていません。"));

    int help = 0;
    ManualEditorHooks hooks;
    hooks.help = [&](int context) { help = context; };
    Editor m(MakeJob({{1000, 2000, 0, 0}}, {{300, 400, 1}}), ManualMode::Modification, {}, hooks);
    QCOMPARE(m.window->closeButton()->text(), QString("戻る"));
    m.window->helpButton()->click();
    QCOMPARE(help, 36);
    Editor f(MakeJob({{1000, 2000, 0, 0}}, {{300, 400, 1}}), ManualMode::Fresh, {}, hooks);
    f.window->helpButton()->click();
    QCOMPARE(help, 30);
}

void ManualWariateTest::offersACandidateOnlyWhereItFits() {
    // Row 1 fits only turned and may not turn; row 2 may turn.
    Editor e(MakeJob({{500, 1000, 0, 0}}, {{800, 300, 1, 0}, {300, 700, 1, 1}}));
    e.Move(20, 20);
    QVERIFY(!e.Highlighted(0, kAsEnteredColumn));
    QVERIFY(!e.Highlighted(0, kTurnedColumn));
    QVERIFY(e.Highlighted(1, kAsEnteredColumn));
    QVERIFY(!e.Highlighted(1, kTurnedColumn));  // 700 high does not fit 500
    QCOMPARE(e.Marker(1), QString("⇒"));
    QVERIFY(e.Marker(0).isEmpty());
    QVERIFY(e.canvas()->preview().has_value());

    // With Shift held row 1 is offered turned and placed turned.
    e.Move(20, 20, Qt::ShiftModifier);
    QVERIFY(e.Highlighted(0, kTurnedColumn));
    QCOMPARE(e.Marker(0), QString("⇒"));
    QCOMPARE(e.canvas()->preview()->width, 800);
    e.Click(20, 20, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(e.layout().currentPanel().placements.size(), std::size_t(1));
    QVERIFY(e.layout().currentPanel().placements[0].turned);
    QCOMPARE(e.layout().currentPanel().placements[0].row, std::int16_t(0));

    // Over free space where nothing remaining fits: no candidate, a click says so.
    e.Move(900, 100);
    for (int r = 0; r < 2; ++r) QVERIFY(e.Marker(r).isEmpty());
    QVERIFY(!e.canvas()->preview().has_value());
    e.Click(900, 100);
    QCOMPARE(e.Message(), QString("割当てられません"));
}

void ManualWariateTest::clickingPlacesTakesOffAndAsksForARightClick() {
    Editor e(MakeJob({{1000, 2000, 0, 0}}, {{300, 400, 2}}));
    e.Click(20, 20);
    QCOMPARE(e.Remaining(), QString("1"));
    QCOMPARE(e.window->partsList()->item(0, kRemainingColumn)->text(), QString("1"));
    QCOMPARE(e.layout().currentPanel().freeRects.front(), (FreeRect{400, 0, 1600, 1000}));
    // On the part: its row is highlighted, a left click asks for a right click.
    e.Move(100, 100);
    QVERIFY(e.Highlighted(0, kRowNumberColumn));
    e.Click(100, 100);
    QCOMPARE(e.Message(), QString("削除の場合は右クリックして下さい"));
    QCOMPARE(e.layout().currentPanel().placements.size(), std::size_t(1));
    // A mouse move clears the line.
    e.Move(1000, 500);
    QVERIFY(e.Message().isEmpty());
    e.Click(100, 100, Qt::RightButton);
    QCOMPARE(e.Remaining(), QString("2"));
    QVERIFY(e.layout().currentPanel().placements.empty());
    QCOMPARE(e.layout().currentPanel().freeRects.size(), std::size_t(1));
    // The page is drawn empty again (once the preview of the free space is removed).
    QImage blank(e.canvas()->picture().size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    e.canvas()->ShowPreview(std::nullopt);
    QCOMPARE(e.canvas()->picture(), blank);
}

void ManualWariateTest::priorityNumberFromDigits() {
    PanelJob job = MakeJob({{1000, 2000, 0, 0}}, {});
    for (int r = 0; r < 15; ++r)
        job.cutList[static_cast<std::size_t>(r)] = {100.0f + r, 100.0f, 1, ""};
    job.cutCount = 15;
    Editor e(std::move(job));
    e.Key(Qt::Key_1);
    e.Key(Qt::Key_2);
    QCOMPARE(e.window->priorityLabel()->text(), QString("12"));
    e.Key(Qt::Key_3);
    QCOMPARE(e.window->priorityLabel()->text(), QString("3"));
    e.Move(50, 50);
    QCOMPARE(e.Marker(2), QString("⇒"));  // the priority row wins over row 1
    e.Click(50, 50);
    QCOMPARE(e.layout().currentPanel().placements[0].row, std::int16_t(2));
    QVERIFY(e.window->priorityLabel()->text().isEmpty());  // its last copy went
}

void ManualWariateTest::wheelAndKeysMoveTheCandidate() {
    Editor e(MakeJob({{1000, 2000, 0, 0}}, {{100, 100, 1}, {900, 1900, 1}, {200, 200, 1}}));
    e.Move(10, 10);
    QCOMPARE(e.Marker(0), QString("⇒"));
    e.Key(Qt::Key_Down);
    QCOMPARE(e.Marker(1), QString("⇒"));
    e.Key(Qt::Key_Up);
    QCOMPARE(e.Marker(0), QString("⇒"));
    // Wheel towards the user in small deltas: one step per gathered 120.
    auto wheel = [&](int delta) {
        const QPointF at(e.Pixel(10, 10));
        QWheelEvent event(at, e.canvas()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(e.canvas(), &event);
    };
    wheel(-40);
    wheel(-40);
    QCOMPARE(e.Marker(0), QString("⇒"));
    wheel(-40);
    QCOMPARE(e.Marker(1), QString("⇒"));
    wheel(-240);
    QCOMPARE(e.Marker(2), QString("⇒"));
    wheel(120);
    QCOMPARE(e.Marker(1), QString("⇒"));
    e.Press(10, 10);
    QCOMPARE(e.layout().currentPanel().placements[0].row, std::int16_t(1));
}

void ManualWariateTest::previewIsRemovedByDrawingItAgain() {
    Editor e(MakeJob({{1000, 2000, 0, 0}}, {{300, 400, 2}}));
    e.Click(20, 20);
    e.Move(100, 100);  // on the part: no preview
    const QImage page = e.canvas()->picture();
    e.Move(1000, 500);
    QVERIFY(e.canvas()->preview().has_value());
    QVERIFY(e.canvas()->picture() != page);
    const QImage withPreview = e.canvas()->picture();
    e.Move(1010, 510);  // same free rectangle: the preview is not redrawn
    QCOMPARE(e.canvas()->picture(), withPreview);
    e.Move(100, 100);
    QVERIFY(!e.canvas()->preview().has_value());
    QCOMPARE(e.canvas()->picture(), page);
}

void ManualWariateTest::copyAfterClearingAndAcrossSizes() {
    Editor e(MakeJob({{1000, 2000, 0, 0}, {500, 1000, 0, 0}}, {{300, 400, 3}, {200, 200, 2}}));
    QVERIFY(!e.window->sizeButton(0)->isHidden());
    QCOMPARE(e.window->sizeButton(1)->text(), QString(" 500 x 1000"));
    e.Click(20, 20);  // row 1
    e.Key(Qt::Key_2);
    e.Click(420, 20);  // row 2
    e.window->nextPageButton()->click();
    QCOMPARE(e.window->pageNumberLabel()->text(), QString("2"));
    QVERIFY(e.window->copyButton()->isEnabled());
    e.window->copyButton()->click();
    QCOMPARE(e.Remaining(), QString("1"));
    QCOMPARE(e.layout().currentPanel().placements.size(), std::size_t(2));
    // Rebuilt: the free area starts behind the copied parts, and a click there places.
    QCOMPARE(e.layout().currentPanel().freeRects.front().x, 600);
    QCOMPARE(e.window->partsList()->item(1, kRemainingColumn)->text(), QString("0"));
    // The next page cannot repeat: row 2 is used up; after clearing page 1 it can.
    e.window->nextPageButton()->click();
    QVERIFY(!e.window->copyButton()->isEnabled());
    e.window->previousPageButton()->click();
    e.window->previousPageButton()->click();
    e.window->clearPageButton()->click();
    QCOMPARE(e.Remaining(), QString("3"));
    e.window->nextPageButton()->click();
    e.window->nextPageButton()->click();
    QVERIFY(e.window->copyButton()->isEnabled());
    // Another size on this page: no copy.
    e.window->sizeButton(1)->click();
    QVERIFY(!e.window->copyButton()->isEnabled());
    e.window->copyButton()->click();  // disabled: nothing happens
    QVERIFY(e.layout().currentPanel().placements.empty());
}

void ManualWariateTest::sizeChangeReturnsThePartsThatStickOut() {
    Editor e(MakeJob({{1000, 2000, 0, 0}, {500, 1000, 0, 0}}, {{300, 400, 3}, {600, 300, 1}}));
    e.Click(20, 20);
    e.Click(420, 20);
    e.Key(Qt::Key_2);
    e.Click(820, 20);   // 600 high: sticks out of 500
    e.Click(1120, 20);  // beyond 1000 wide
    QCOMPARE(e.Remaining(), QString("0"));
    const int width = e.canvas()->width();
    e.window->sizeButton(1)->click();
    QCOMPARE(e.layout().currentSize(), 1);
    QCOMPARE(e.layout().currentPanel().placements.size(), std::size_t(2));
    QCOMPARE(e.Remaining(), QString("2"));
    QCOMPARE(e.window->partsList()->item(0, kRemainingColumn)->text(), QString("1"));
    QCOMPARE(e.window->partsList()->item(1, kRemainingColumn)->text(), QString("1"));
    QVERIFY(e.window->sizeButton(1)->isChecked());
    QVERIFY(e.canvas()->width() == width);  // same proportions, rescaled to the new size
    QCOMPARE(e.layout().pageWidth(), 1000);
}

void ManualWariateTest::leavingModificationPlacesOrStaysOpen() {
    PanelJob job = MakeJob({{1000, 2000, 0, 0}}, {{300, 400, 4}, {900, 1900, 1}});
    QVERIFY(CheckJob(job).ok);
    LayoutInput input = PrepareLayoutInput(job, CheckJob(job).derived);
    const std::optional<PanelLayoutResult> laid =
        AutoLayout(input, LayoutOptions{}, tvx::SearchControl{});
    QVERIFY(laid);
    PanelLayoutResult result = *laid;
    Editor e(job, ManualMode::Modification, result);
    QCOMPARE(e.Remaining(), QString("0"));
    // Take everything off the shown page and leave: all of it comes back.
    const std::size_t onPage = e.layout().currentPanel().placements.size();
    e.window->clearPageButton()->click();
    QCOMPARE(e.Remaining(), QString::number(onPage));
    e.window->closeButton()->click();
    QVERIFY(!e.window->isVisible());
    QCOMPARE(e.layout().remainingTotal(), 0);
    std::vector<int> placed(2, 0);
    for (const PanelState& p : e.window->Layout().panels)
        for (const Placement& q : p.placements) ++placed[static_cast<std::size_t>(q.row)];
    QCOMPARE(placed[0], 4);
    QCOMPARE(placed[1], 1);

    // A part that fits no stock size (a layout from elsewhere): nothing is dropped and the
    // editor stays open, by the button and by the close box.
    PanelJob tooBigJob = MakeJob({{1000, 2000, 0, 0}}, {{300, 400, 1}});
    QVERIFY(CheckJob(tooBigJob).ok);
    LayoutInput tooBig = PrepareLayoutInput(tooBigJob, CheckJob(tooBigJob).derived);
    tooBig.rows[0].enlargedHeight = 1200;
    PanelLayoutResult none;
    none.panels = {PanelState{}};
    none.panels[0].sizeIndex = 0;
    ManualWariate stuck(tooBigJob, tooBig, ManualMode::Modification, none, {});
    stuck.show();
    QCOMPARE(stuck.remainingLabel()->text(), QString("1"));
    stuck.closeButton()->click();
    QVERIFY(stuck.isVisible());
    stuck.close();
    QVERIFY(stuck.isVisible());
    QCOMPARE(stuck.messageLabel()->text(), QString("割当てられていない部品があります。"));
    QCOMPARE(stuck.remainingLabel()->text(), QString("1"));
}

void ManualWariateTest::listOpensTheResultViewWithoutModify() {
    bool shown = false;
    ManualEditorHooks hooks;
    hooks.showResult = [&](ResultView& view) {
        shown = true;
        QVERIFY(!view.modifyButton()->isEnabled());
        QCOMPARE(view.hintLabel()->text(), QString("割当てられていない部品があります。"));
        QCOMPARE(view.session().figures().usedSizes.size(), std::size_t(1));
    };
    Editor e(MakeJob({{1000, 2000, 0, 0}}, {{300, 400, 3}}), ManualMode::Fresh, {}, hooks);
    e.Click(20, 20);
    e.window->listButton()->click();
    QVERIFY(shown);
    // The editor's pages are untouched by the view: the next page still has no size.
    QCOMPARE(e.layout().layout().panels[1].sizeIndex, std::int16_t(-1));
}

void ManualWariateTest::randomClicksNeverOverlap() {
    Editor e(
        MakeJob({{1000, 2000, 0, 0}, {600, 900, 0, 0}, {1200, 1200, 0, 0}}, {{300, 400, 8, 1},
                                                                             {250, 250, 10, 0},
                                                                             {700, 150, 6, 1},
                                                                             {120, 900, 5, 0},
                                                                             {333, 517, 7, 1},
                                                                             {90, 60, 20, 0}}));
    std::mt19937 random(1208);
    for (int step = 0; step < 3000; ++step) {
        const int action = static_cast<int>(random() % 100);
        const double x = std::uniform_real_distribution<double>(0, e.layout().pageWidth())(random);
        const double y = std::uniform_real_distribution<double>(0, e.layout().pageHeight())(random);
        const Qt::KeyboardModifiers mods = random() % 4 == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        if (action < 60) {
            e.Click(x, y, Qt::LeftButton, mods);
        } else if (action < 75) {
            e.Click(x, y, Qt::RightButton);
        } else if (action < 80) {
            e.window->sizeButton(static_cast<int>(random() % 3))->click();
        } else if (action < 87) {
            e.window->nextPageButton()->click();
        } else if (action < 93) {
            e.window->previousPageButton()->click();
        } else if (action < 96) {
            e.window->copyButton()->click();
        } else {
            e.Key(static_cast<Qt::Key>(Qt::Key_0 + static_cast<int>(random() % 10)));
        }
    }
    const LayoutInput& input = e.layout().input();
    std::vector<std::int64_t> placed(input.rows.size(), 0);
    int used = 0;
    for (const PanelState& panel : e.layout().layout().panels) {
        if (!panel.used()) continue;
        ++used;
        QVERIFY(!Overlapping(input, panel));
        const StockSize& size = input.sizes[static_cast<std::size_t>(panel.sizeIndex)];
        for (const Placement& p : panel.placements) {
            const PlacedBox box = BoxOf(input, p);
            QVERIFY(box.x >= 0 && box.y >= 0);
            QVERIFY(box.x + box.width <= size.enlargedWidth);
            QVERIFY(box.y + box.height <= size.enlargedHeight);
            ++placed[static_cast<std::size_t>(p.row)];
        }
    }
    QVERIFY(used >= 2);
    std::int64_t total = 0;
    for (std::size_t r = 0; r < input.rows.size(); ++r) {
        QCOMPARE(placed[r] + e.layout().remaining(static_cast<int>(r)),
                 std::int64_t(input.rows[r].quantity));
        total += e.layout().remaining(static_cast<int>(r));
    }
    QCOMPARE(e.Remaining(), QString::number(total));
}

void ManualWariateTest::mainWindowManualCutOpensTheEditor() {
    tvx::panel::test::WindowFixture f;
    f.window->heightBox()->setText("910");
    f.window->widthBox()->setText("1820");
    f.Type(0, "300");
    f.Type(1, "400");
    f.Type(2, "2");
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* editor = qobject_cast<ManualWariate*>(QApplication::activeModalWidget());
        QVERIFY(editor != nullptr);
        opened = true;
        QCOMPARE(editor->closeButton()->text(), QString("終了"));
        QCOMPARE(editor->remainingLabel()->text(), QString("2"));
        const QPointF at = editor->canvas()->ToPixel(20, 20);
        MoveTo(editor->canvas(), at);
        PressAt(editor->canvas(), at);
        editor->closeButton()->click();
    });
    f.window->ManualCut();
    QVERIFY(opened);
    // The main window keeps what was laid out by hand.
    QCOMPARE(f.window->layoutResult().panels[0].placements.size(), std::size_t(1));
    QCOMPARE(f.window->layoutInput().rows.size(), std::size_t(1));

    // A failing check opens nothing.
    f.window->heightBox()->setText("99");
    opened = false;
    f.window->ManualCut();
    QVERIFY(!opened);
    QCOMPARE(f.window->messageLabel()->text(),
             QString("100から15000までの範囲で指定してください。"));
}

void ManualWariateTest::resultViewModifyOpensTheEditorAndUpdatesTheTotals() {
    tvx::panel::test::WindowFixture f;
    f.window->heightBox()->setText("910");
    f.window->widthBox()->setText("1820");
    f.Type(0, "300");
    f.Type(1, "400");
    f.Type(2, "4");
    QString before, after;
    bool editorSeen = false;
    // The layout runs on a worker thread: look for the result view until it is open.
    std::function<void()> whenViewOpen;
    whenViewOpen = [&] {
        auto* view = qobject_cast<ResultView*>(QApplication::activeModalWidget());
        if (view == nullptr) {
            QTimer::singleShot(10, whenViewOpen);
            return;
        }
        QVERIFY(view->modifyButton()->isEnabled());
        before = view->usedPanelLabel(0)->text();
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<ManualWariate*>(QApplication::activeModalWidget());
            QVERIFY(editor != nullptr);
            editorSeen = true;
            QCOMPARE(editor->closeButton()->text(), QString("戻る"));
            QCOMPARE(editor->remainingLabel()->text(), QString("0"));
            // Move one part to the next (empty) page.
            const PlacedBox box =
                BoxOf(editor->layout().input(), editor->layout().currentPanel().placements[0]);
            PressAt(editor->canvas(), editor->canvas()->ToPixel(box.x + 5, box.y + 5),
                    Qt::RightButton);
            editor->nextPageButton()->click();
            const QPointF at = editor->canvas()->ToPixel(20, 20);
            MoveTo(editor->canvas(), at);
            PressAt(editor->canvas(), at);
            QCOMPARE(editor->remainingLabel()->text(), QString("0"));
            editor->closeButton()->click();
        });
        view->modifyButton()->click();
        after = view->usedPanelLabel(0)->text();
        view->closeButton()->click();
    };
    QTimer::singleShot(0, whenViewOpen);
    f.window->AutoCut();
    QTRY_VERIFY_WITH_TIMEOUT(editorSeen && !f.window->layoutRunning(), 30000);
    QVERIFY(before.endsWith(QString("  1 枚")));
    QVERIFY(after.endsWith(QString("  2 枚")));
    int used = 0;
    for (const PanelState& p : f.window->layoutResult().panels) used += p.used() ? 1 : 0;
    QCOMPARE(used, 2);
}

QTEST_MAIN(ManualWariateTest)
#include "manual_wariate_test.moc"
