#include "panel/output/result_view.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "common/gui/painter_surface.h"
#include "common/gui/qt_text.h"
#include "common/gui/view_font.h"
#include "panel/output/number_pictures.h"
#include "panel/output/print_command.h"
#include "panel/output/result_canvas.h"
#include "panel/output/result_session.h"
#include "panel/output/title_entry.h"

namespace tvx::panel {

namespace {

QRect ScreenArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
}

// The drawing area as shares of the screen: 90 % of its height tall, 1 % of it below the top,
// 5 % of its width from the left, and as wide as the page is for its height (kViewAspect).
struct CanvasShares {
    double height = 0.9;
    double top = 0.01;
    double left = 0.05;
};
constexpr CanvasShares kCanvasShares;

QRect CanvasArea() {
    const QRect screen = ScreenArea();
    const int height = static_cast<int>(screen.height() * kCanvasShares.height);
    return {static_cast<int>(screen.width() * kCanvasShares.left),
            static_cast<int>(screen.height() * kCanvasShares.top),
            static_cast<int>(height * kViewAspect), height};
}

// The column of controls to the right of the drawing area, in pixels: buttons two to a row,
// then the used-panel list (a size line and a price line under it per size), the yield, the
// total and the hint.
struct SidePanelPixels {
    int gapFromCanvas = 16;
    int buttonWidth = 110;
    int buttonHeight = 30;
    int buttonGap = 8;  // between the two buttons of a row; also widens the label column
    int buttonRowGap = 6;
    int gapBeforeList = 12;  // between the last button row and the used-panel heading
    int headingHeight = 22;
    int headingStep = 24;
    int listLineHeight = 20;
    int priceIndent = 20;  // the price line stands this far right, one line below its size
    int listEntryStep = 42;
    int gapAfterList = 6;
    int captionWidth = 80;  // "歩 留 り", "合計金額"
    int valueLeft = 84;     // the values from the left of the column
    int yieldValueWidth = 50;
    int yieldUnitLeft = 138;
    int yieldUnitWidth = 30;
    int lineStep = 28;  // after the yield and after the optimising verdict
    int totalStep = 34;
    int hintRightGap = 8;  // between the hint and the window's right edge
    int hintHeight = 80;
};
constexpr SidePanelPixels kSidePanel;

// The title entry box over the page: its left edge at this share of the page width, its top
// where the title is written (kTitleTopShare), and this share of the drawing area wide.
constexpr double kTitleBoxLeftShare = 0.08;
constexpr double kTitleBoxWidthShare = 0.8;

}  // namespace

ResultView::ResultView(PanelJob& job, const LayoutInput& input, const PanelLayoutResult& result,
                       ResultViewHooks hooks, QWidget* parent)
    : QDialog(parent),
      job_(job),
      hooks_(std::move(hooks)),
      session_(std::make_unique<ResultSession>(job, input, result)) {
    setObjectName(QStringLiteral("Preview"));
    setWindowTitle(U("一覧表示"));
    setModal(true);
    BuildControls();
    const QRect screen = ScreenArea();
    resize(screen.size());
    canvas_->setGeometry(CanvasArea());
    Initialise(hooks_.unplacedParts);
    PlaceControls();
    RedrawPage();
}

ResultView::~ResultView() = default;

void ResultView::BuildControls() {
    QFont face(gui::ViewFontFamily());
    face.setStyleHint(QFont::TypeWriter);
    face.setPointSize(10);
    setFont(face);

    canvas_ = new ResultCanvas(*session_, this);
    canvas_->setObjectName(QStringLiteral("viewBox"));
    connect(canvas_, &ResultCanvas::released, this, &ResultView::OnCanvasReleased);

    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(U(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setAutoDefault(false);
        return b;
    };
    previousPageButton_ = button("previousPageButton", "前ページ");
    nextPageButton_ = button("nextPageButton", "次ページ");
    printButton_ = button("printButton", "印  刷");
    closeButton_ = button("closeButton", "終　了");
    helpButton_ = button("helpButton", "ﾍﾙﾌﾟ");
    shrinkButton_ = button("shrinkButton", "縮小");
    enlargeButton_ = button("enlargeButton", "拡大");
    titleButton_ = button("titleButton", "表題");
    priceDisplayButton_ = button("priceDisplayButton", "金額表示なし");
    saveButton_ = button("saveButton", "保存");
    modifyButton_ = button("modifyButton", "修正");

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromUtf8(name));
        return l;
    };
    usedPanelHeading_ = label("usedPanelHeading", U("使用パネル"));
    for (int i = 0; i < kMaxStockSizes; ++i) {
        usedPanelLabels_[static_cast<std::size_t>(i)] = label("usedPanelLabel", QString());
        usedPriceLabels_[static_cast<std::size_t>(i)] = label("usedPriceLabel", QString());
    }
    yieldHeading_ = label("yieldHeading", U("歩 留 り"));
    yieldValueLabel_ = label("yieldValueLabel", QString());
    yieldUnitLabel_ = label("yieldUnitLabel", U("％"));
    totalHeading_ = label("totalHeading", U("合計金額"));
    totalValueLabel_ = label("totalValueLabel", QString());
    hintLabel_ = label("hintLabel", QString());
    hintLabel_->setWordWrap(true);
    optimizeVerdictLabel_ = label("optimizeVerdictLabel", hooks_.optimizeVerdict);
    optimizeVerdictLabel_->setVisible(!hooks_.optimizeVerdict.isEmpty());

    titleEntry_ = new TitleEntry(this);
    titleEntry_->setObjectName(QStringLiteral("titleEntry"));
    titleEntry_->hide();

    connect(previousPageButton_, &QPushButton::clicked, this, [this] {
        if (session_->page() >= 1) {
            session_->SetPage(session_->page() - 1);
            RedrawPage();
        }
    });
    connect(nextPageButton_, &QPushButton::clicked, this, [this] {
        session_->SetPage(session_->page() + 1);
        RedrawPage();
    });
    connect(printButton_, &QPushButton::clicked, this, [this] {
        if (hooks_.print) {
            hooks_.print(*session_);
        } else {
            PrintResult(*session_, this, hooks_.documentName);
        }
        RedrawPage();
    });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(helpButton_, &QPushButton::clicked, this, [this] {
        if (hooks_.help) hooks_.help(kResultViewHelpContext);
    });
    connect(shrinkButton_, &QPushButton::clicked, this, [this] {
        session_->ZoomOut();
        RedrawPage();
    });
    connect(enlargeButton_, &QPushButton::clicked, this, [this] {
        session_->ZoomIn();
        RedrawPage();
    });
    connect(titleButton_, &QPushButton::clicked, this, &ResultView::ShowTitleEntry);
    connect(priceDisplayButton_, &QPushButton::clicked, this, [this] {
        session_->TogglePriceDisplay();
        priceDisplayButton_->setText(session_->priceDisplay() ? U("金額表示なし") : U("金額表示"));
        session_->ClearHint();
        hintLabel_->clear();
        RedrawPage();
    });
    connect(saveButton_, &QPushButton::clicked, this, [this] {
        if (hooks_.save) hooks_.save();
    });
    connect(modifyButton_, &QPushButton::clicked, this, &ResultView::OnModify);
    connect(titleEntry_, &TitleEntry::enterPressed, this, [this] { canvas_->setFocus(); });
    connect(titleEntry_, &TitleEntry::editingLeft, this, &ResultView::TitleEntryLeft);

    saveButton_->setEnabled(static_cast<bool>(hooks_.save));
    modifyButton_->setEnabled(static_cast<bool>(hooks_.modify));
}

void ResultView::Initialise(bool unplacedParts) {
    QImage probe(canvas_->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&probe);
    gui::PainterSurface measure(painter, QRectF(QPointF(0, 0), QSizeF(probe.size())));
    session_->Initialise(measure, unplacedParts);
    painter.end();
    priceDisplayButton_->setText(session_->priceDisplay() ? U("金額表示なし") : U("金額表示"));
    FillSidePanel();
}

void ResultView::FillSidePanel() {
    const ResultSession& s = *session_;
    for (std::size_t i = 0; i < usedPanelLabels_.size(); ++i) {
        usedPanelLabels_[i]->clear();
        usedPriceLabels_[i]->clear();
    }
    const auto& used = s.figures().usedSizes;
    for (std::size_t i = 0; i < used.size() && i < usedPanelLabels_.size(); ++i) {
        const StockSize& size = s.input().sizes[static_cast<std::size_t>(used[i].sizeIndex)];
        usedPanelLabels_[i]->setText(Q(RightAligned(size.rawHeight, 4)) + U(" ×") +
                                     Q(RightAligned(size.rawWidth, 4)) + U("  ") +
                                     Q(RightAligned(used[i].count, 3)) + U(" 枚"));
        if (s.input().priceMode) {
            usedPriceLabels_[i]->setText(U("(") + Q(Grouped(size.price)) + U("円/枚)"));
        }
    }
    yieldValueLabel_->setText(QString::number(s.figures().yield));
    totalValueLabel_->setText(Q(Grouped(s.figures().panelTotal)) + U("円"));
    totalHeading_->setVisible(s.input().priceMode);
    totalValueLabel_->setVisible(s.input().priceMode);
    hintLabel_->setText(s.hint());
}

void ResultView::PlaceControls() {
    const SidePanelPixels& p = kSidePanel;
    const QRect area = canvas_->geometry();
    const int left = area.right() + p.gapFromCanvas;
    int y = area.top();
    auto row = [&](QPushButton* a, QPushButton* b) {
        a->setGeometry(left, y, p.buttonWidth, p.buttonHeight);
        if (b != nullptr)
            b->setGeometry(left + p.buttonWidth + p.buttonGap, y, p.buttonWidth, p.buttonHeight);
        y += p.buttonHeight + p.buttonRowGap;
    };
    row(previousPageButton_, nextPageButton_);
    row(shrinkButton_, enlargeButton_);
    row(titleButton_, priceDisplayButton_);
    row(printButton_, saveButton_);
    row(modifyButton_, helpButton_);
    row(closeButton_, nullptr);
    y += p.gapBeforeList;
    const int labelWidth = 2 * p.buttonWidth + p.buttonGap;
    usedPanelHeading_->setGeometry(left, y, labelWidth, p.headingHeight);
    y += p.headingStep;
    for (std::size_t i = 0; i < usedPanelLabels_.size(); ++i) {
        usedPanelLabels_[i]->setGeometry(left, y, labelWidth, p.listLineHeight);
        usedPriceLabels_[i]->setGeometry(left + p.priceIndent, y + p.listLineHeight,
                                         labelWidth - p.priceIndent, p.listLineHeight);
        y += p.listEntryStep;
    }
    y += p.gapAfterList;
    yieldHeading_->setGeometry(left, y, p.captionWidth, p.headingHeight);
    yieldValueLabel_->setGeometry(left + p.valueLeft, y, p.yieldValueWidth, p.headingHeight);
    yieldValueLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    yieldUnitLabel_->setGeometry(left + p.yieldUnitLeft, y, p.yieldUnitWidth, p.headingHeight);
    y += p.lineStep;
    if (!hooks_.optimizeVerdict.isEmpty()) {
        optimizeVerdictLabel_->setGeometry(left, y, labelWidth, p.headingHeight);
        y += p.lineStep;
    }
    totalHeading_->setGeometry(left, y, p.captionWidth, p.headingHeight);
    totalValueLabel_->setGeometry(left + p.valueLeft, y, labelWidth - p.valueLeft, p.headingHeight);
    y += p.totalStep;
    hintLabel_->setGeometry(left, y, std::max(labelWidth, width() - left - p.hintRightGap),
                            p.hintHeight);

    const ViewGeometry& v = session_->view();
    QFont titleFont = font();
    titleFont.setPointSizeF(session_->titleFontSize());
    titleEntry_->setFont(titleFont);
    const double px = area.width() / std::max(v.VW, 1.0);
    const double py = area.height() / std::max(v.VH, 1.0);
    const int boxLeft = area.left() + static_cast<int>(v.VW * kTitleBoxLeftShare * px);
    const int boxTop = area.top() + static_cast<int>(v.VH * kTitleTopShare * py);
    titleEntry_->setGeometry(boxLeft, boxTop, static_cast<int>(area.width() * kTitleBoxWidthShare),
                             titleEntry_->sizeHint().height());
}

void ResultView::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (session_ && canvas_ != nullptr) {
        canvas_->setGeometry(CanvasArea());
        PlaceControls();
        RedrawPage();
    }
}

void ResultView::RedrawPage() {
    outcome_ = canvas_->Redraw();
    previousPageButton_->setEnabled(outcome_.previousEnabled);
    nextPageButton_->setEnabled(outcome_.nextEnabled);
}

void ResultView::ShowTitleEntry() {
    titleEntry_->setText(QString::fromStdString(job_.jobTitle));
    titleEntry_->show();
    titleEntry_->raise();
    titleEntry_->setFocus();
}

void ResultView::TitleEntryLeft() {
    job_.jobTitle = titleEntry_->text().toStdString();
    titleEntry_->hide();
    RedrawPage();
}

void ResultView::OnCanvasReleased(double x, double y) {
    if (session_->ToggleChargingAt(x, y)) RedrawPage();
}

void ResultView::OnModify() {
    if (!hooks_.modify) return;
    const bool unplaced = hooks_.modify();
    Initialise(unplaced);
    PlaceControls();
    RedrawPage();
}

}  // namespace tvx::panel
