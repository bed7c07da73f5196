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

// The drawing area: 90 % of the screen height tall, 1 % below the top, 5 % of the screen
// width from the left, 0.73 times as wide as tall.
QRect CanvasArea() {
    const QRect screen = ScreenArea();
    const int height = static_cast<int>(screen.height() * 0.9);
    return {static_cast<int>(screen.width() * 0.05), static_cast<int>(screen.height() * 0.01),
            static_cast<int>(height * kViewAspect), height};
}

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
    const QRect area = canvas_->geometry();
    const int left = area.right() + 16;
    const int buttonWidth = 110;
    const int buttonHeight = 30;
    int y = area.top();
    auto row = [&](QPushButton* a, QPushButton* b) {
        a->setGeometry(left, y, buttonWidth, buttonHeight);
        if (b != nullptr) b->setGeometry(left + buttonWidth + 8, y, buttonWidth, buttonHeight);
        y += buttonHeight + 6;
    };
    row(previousPageButton_, nextPageButton_);
    row(shrinkButton_, enlargeButton_);
    row(titleButton_, priceDisplayButton_);
    row(printButton_, saveButton_);
    row(modifyButton_, helpButton_);
    row(closeButton_, nullptr);
    y += 12;
    const int labelWidth = 2 * buttonWidth + 8;
    usedPanelHeading_->setGeometry(left, y, labelWidth, 22);
    y += 24;
    for (std::size_t i = 0; i < usedPanelLabels_.size(); ++i) {
        usedPanelLabels_[i]->setGeometry(left, y, labelWidth, 20);
        usedPriceLabels_[i]->setGeometry(left + 20, y + 20, labelWidth - 20, 20);
        y += 42;
    }
    y += 6;
    yieldHeading_->setGeometry(left, y, 80, 22);
    yieldValueLabel_->setGeometry(left + 84, y, 50, 22);
    yieldValueLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    yieldUnitLabel_->setGeometry(left + 138, y, 30, 22);
    y += 28;
    if (!hooks_.optimizeVerdict.isEmpty()) {
        optimizeVerdictLabel_->setGeometry(left, y, labelWidth, 22);
        y += 28;
    }
    totalHeading_->setGeometry(left, y, 80, 22);
    totalValueLabel_->setGeometry(left + 84, y, labelWidth - 84, 22);
    y += 34;
    hintLabel_->setGeometry(left, y, std::max(labelWidth, width() - left - 8), 80);

    const ViewGeometry& v = session_->view();
    QFont titleFont = font();
    titleFont.setPointSizeF(session_->titleFontSize());
    titleEntry_->setFont(titleFont);
    const double px = area.width() / std::max(v.VW, 1.0);
    const double py = area.height() / std::max(v.VH, 1.0);
    const int boxLeft = area.left() + static_cast<int>(v.VW * 0.08 * px);
    const int boxTop = area.top() + static_cast<int>(v.VH * 0.03 * py);
    titleEntry_->setGeometry(boxLeft, boxTop, static_cast<int>(area.width() * 0.8),
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
