#include "panel/ui/manual_wariate.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "common/gui/help_viewer.h"
#include "common/gui/qt_text.h"
#include "panel/output/number_pictures.h"
#include "panel/output/result_view.h"
#include "panel/ui/manual_canvas.h"
#include "panel/ui/manual_parts_list.h"

namespace tvx::panel {
namespace {

// Where the page is drawn; the drawing area takes the page's proportions inside it.
const QRect kDrawingRegion(10, 10, 700, 640);

}  // namespace

ManualWariate::ManualWariate(PanelJob& job, const LayoutInput& input, ManualMode mode,
                             PanelLayoutResult start, ManualEditorHooks hooks, QWidget* parent)
    : QDialog(parent),
      job_(job),
      input_(input),
      hooks_(std::move(hooks)),
      layout_(std::make_unique<ManualLayout>(input_, mode, std::move(start))) {
    setObjectName(QStringLiteral("ManualWariate"));
    setWindowTitle(U("手動カット"));
    setModal(true);
    BuildControls();
    resize(1120, 760);
    PlaceControls();
    partsList_->Fill(*layout_);
    ShowSizes();
    RescaleCanvas();
    ShowEverything();
    canvas_->setFocus(Qt::OtherFocusReason);
}

ManualWariate::~ManualWariate() = default;

void ManualWariate::BuildControls() {
    canvas_ = new ManualCanvas(*layout_, this);
    canvas_->setObjectName(QStringLiteral("drawingArea"));
    partsList_ = new ManualPartsList(this);
    partsList_->setObjectName(QStringLiteral("partsList"));

    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(U(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    const bool modification = layout_->mode() == ManualMode::Modification;
    closeButton_ = button("closeButton", modification ? "戻る" : "終了");
    previousPageButton_ = button("previousPageButton", "前ページ");
    nextPageButton_ = button("nextPageButton", "次ページ");
    clearPageButton_ = button("clearPageButton", "削除");
    copyButton_ = button("copyButton", "コピー");
    listButton_ = button("listButton", "一覧");
    helpButton_ = button("helpButton", "ﾍﾙﾌﾟ");

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromUtf8(name));
        return l;
    };
    auto value = [&](const char* name) {
        QLabel* l = label(name, QString());
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    pageNumberHeading_ = label("pageNumberHeading", U("ページ番号"));
    pageNumberValue_ = value("pageNumberValue");
    remainingHeading_ = label("remainingHeading", U("残り部品数"));
    remainingValue_ = value("remainingValue");
    priorityHeading_ = label("priorityHeading", U("優先カット番号"));
    priorityValue_ = value("priorityValue");
    sizeHeading_ = label("sizeHeading", U("パネルサイズ"));
    for (int s = 0; s < kMaxStockSizes; ++s) {
        auto* b = button("sizeButton", "");
        b->setObjectName(QStringLiteral("sizeButton%1").arg(s));
        b->setFlat(true);
        b->setCheckable(true);
        connect(b, &QPushButton::clicked, this, [this, s] { SizeCommand(s); });
        sizeButtons_[static_cast<std::size_t>(s)] = b;
    }
    messageLabel_ = label("messageLabel", QString());

    connect(closeButton_, &QPushButton::clicked, this, &ManualWariate::CloseCommand);
    connect(previousPageButton_, &QPushButton::clicked, this, &ManualWariate::PreviousPageCommand);
    connect(nextPageButton_, &QPushButton::clicked, this, &ManualWariate::NextPageCommand);
    connect(clearPageButton_, &QPushButton::clicked, this, &ManualWariate::ClearPageCommand);
    connect(copyButton_, &QPushButton::clicked, this, &ManualWariate::CopyCommand);
    connect(listButton_, &QPushButton::clicked, this, &ManualWariate::ListCommand);
    connect(helpButton_, &QPushButton::clicked, this, &ManualWariate::HelpCommand);

    connect(canvas_, &ManualCanvas::pointerMoved, this, &ManualWariate::OnPointerMoved);
    connect(canvas_, &ManualCanvas::pointerPressed, this, &ManualWariate::OnPointerPressed);
    connect(canvas_, &ManualCanvas::digitTyped, this, &ManualWariate::OnDigit);
    connect(canvas_, &ManualCanvas::candidateKey, this, &ManualWariate::OnCandidateKey);
    connect(canvas_, &ManualCanvas::shiftChanged, this, &ManualWariate::OnShift);
    connect(canvas_, &ManualCanvas::wheelStep, this, &ManualWariate::OnWheel);
}

void ManualWariate::PlaceControls() {
    const int listLeft = kDrawingRegion.right() + 16;
    partsList_->setGeometry(listLeft, kDrawingRegion.top(), 350, partsList_->FittingHeight());
    int y = partsList_->geometry().bottom() + 12;
    auto counter = [&](QLabel* heading, QLabel* value) {
        heading->setGeometry(listLeft, y, 110, 24);
        value->setGeometry(listLeft + 114, y, 60, 24);
        y += 30;
    };
    counter(pageNumberHeading_, pageNumberValue_);
    counter(remainingHeading_, remainingValue_);
    counter(priorityHeading_, priorityValue_);

    const int sizeLeft = listLeft + 190;
    int sy = partsList_->geometry().bottom() + 12;
    sizeHeading_->setGeometry(sizeLeft, sy, 150, 22);
    sy += 24;
    for (QPushButton* b : sizeButtons_) {
        b->setGeometry(sizeLeft, sy, 150, 24);
        sy += 26;
    }

    const int buttonTop = kDrawingRegion.bottom() + 14;
    QPushButton* row[] = {closeButton_, previousPageButton_, nextPageButton_, clearPageButton_,
                          copyButton_,  listButton_,         helpButton_};
    int x = kDrawingRegion.left();
    for (QPushButton* b : row) {
        b->setGeometry(x, buttonTop, 96, 32);
        x += 102;
    }
    messageLabel_->setGeometry(kDrawingRegion.left(), buttonTop + 40, 700, 26);
}

void ManualWariate::RescaleCanvas() {
    // The drawing area keeps the proportions of the page's panel.
    const double w = std::max(1, layout_->pageWidth());
    const double h = std::max(1, layout_->pageHeight());
    const double scale = std::min(kDrawingRegion.width() / w, kDrawingRegion.height() / h);
    const int cw = std::max(2, static_cast<int>(w * scale));
    const int ch = std::max(2, static_cast<int>(h * scale));
    const QRect area(kDrawingRegion.left(), kDrawingRegion.top(), cw, ch);
    if (canvas_->geometry() != area) canvas_->setGeometry(area);
}

void ManualWariate::ShowSizes() {
    const bool several = input_.lastSizeIndex >= 1;
    sizeHeading_->setVisible(several);
    for (int s = 0; s < kMaxStockSizes; ++s) {
        QPushButton* b = sizeButtons_[static_cast<std::size_t>(s)];
        if (!several || s > input_.lastSizeIndex) {
            b->hide();
            continue;
        }
        const StockSize& size = input_.sizes[static_cast<std::size_t>(s)];
        b->setText(Q(RightAligned(size.rawHeight, 4)) + U(" x ") +
                   Q(RightAligned(size.rawWidth, 4)));
        b->setChecked(s == layout_->currentSize());
        b->show();
    }
}

void ManualWariate::ShowCounts() {
    pageNumberValue_->setText(QString::number(layout_->page() + 1));
    remainingValue_->setText(QString::number(layout_->remainingTotal()));
    priorityValue_->setText(layout_->priority() > 0 ? QString::number(layout_->priority())
                                                    : QString());
    copyButton_->setEnabled(layout_->CanCopy());
    for (int s = 0; s < kMaxStockSizes; ++s)
        sizeButtons_[static_cast<std::size_t>(s)]->setChecked(s == layout_->currentSize());
}

void ManualWariate::ShowHover() {
    partsList_->ShowState(*layout_);
    canvas_->ShowPreview(layout_->PreviewBox());
}

void ManualWariate::ShowEverything() {
    canvas_->DrawPage();
    ShowCounts();
    ShowHover();
}

void ManualWariate::SetMessage(const char* text) {
    messageLabel_->setText(text != nullptr ? U(text) : QString());
}

void ManualWariate::OnPointerMoved(double px, double py, bool shift) {
    if (handlingMouse_) return;
    handlingMouse_ = true;
    SetMessage(nullptr);
    layout_->Hover(px, py, shift);
    ShowHover();
    handlingMouse_ = false;
}

void ManualWariate::OnPointerPressed(Qt::MouseButton button, double px, double py, bool shift) {
    if (handlingMouse_) return;
    handlingMouse_ = true;
    if (button == Qt::LeftButton) {
        canvas_->ShowPreview(std::nullopt);
        const PlaceOutcome outcome = layout_->Place(px, py, shift);
        if (outcome == PlaceOutcome::Placed) {
            ShowEverything();
            SetMessage(nullptr);
        } else {
            ShowHover();
            SetMessage(outcome == PlaceOutcome::OnPart        ? kRightClickToRemoveMessage
                       : outcome == PlaceOutcome::NoCandidate ? kNoCandidateMessage
                                                              : kCannotPlaceMessage);
        }
    } else if (layout_->TakeOff(px, py)) {
        ShowEverything();
    }
    handlingMouse_ = false;
}

void ManualWariate::OnDigit(int digit) {
    layout_->TypeDigit(digit);
    ShowCounts();
    ShowHover();
}

void ManualWariate::OnCandidateKey(bool up, bool shift) {
    if (layout_->MoveCandidate(up, shift)) ShowHover();
}

void ManualWariate::OnShift(bool down) {
    layout_->Rehover(down);
    ShowHover();
}

void ManualWariate::OnWheel(int vector, int modifiers) {
    if (layout_->MoveCandidate(vector > 0, (modifiers & 1) != 0)) ShowHover();
}

void ManualWariate::PreviousPageCommand() {
    if (!layout_->PreviousPage()) return;
    RescaleCanvas();
    ShowEverything();
}

void ManualWariate::NextPageCommand() {
    if (!layout_->NextPage()) return;
    RescaleCanvas();
    ShowEverything();
}

void ManualWariate::ClearPageCommand() {
    if (layout_->ClearPage()) ShowEverything();
}

void ManualWariate::CopyCommand() {
    if (layout_->CopyPrevious()) ShowEverything();
}

void ManualWariate::SizeCommand(int size) {
    if (size == layout_->currentSize() || size > input_.lastSizeIndex) {
        ShowCounts();
        return;
    }
    layout_->ChangeSize(size);
    RescaleCanvas();
    ShowEverything();
}

void ManualWariate::ListCommand() {
    if (!layout_->AnythingPlaced()) {
        SetMessage(kNothingPlacedMessage);
        return;
    }
    // The view shows a copy: what it rebuilds for its own drawing does not touch the pages
    // being edited. It offers no "修正", since the editor is already open.
    PanelLayoutResult shown = layout_->Layout();
    ResultViewHooks hooks;
    hooks.save = hooks_.save;
    hooks.help = [this](int context) {
        if (hooks_.help) {
            hooks_.help(context);
        } else {
            gui::HelpViewer::Instance().ShowTopic(context);
        }
    };
    hooks.unplacedParts = layout_->PartsRemain();
    ResultView view(job_, input_, shown, hooks, this);
    if (hooks_.showResult) {
        hooks_.showResult(view);
    } else {
        view.exec();
    }
    canvas_->setFocus(Qt::OtherFocusReason);
}

void ManualWariate::HelpCommand() {
    const int context = layout_->mode() == ManualMode::Modification ? kManualModifyHelpContext
                                                                    : kManualFreshHelpContext;
    if (hooks_.help) {
        hooks_.help(context);
    } else {
        gui::HelpViewer::Instance().ShowTopic(context);
    }
}

void ManualWariate::CloseCommand() {
    if (leaving_) return;
    if (!layout_->Leave()) {
        // Some part fits no stock size: nothing is dropped, the user decides.
        ShowEverything();
        SetMessage(kPartsLeftMessage);
        return;
    }
    leaving_ = true;
    ShowEverything();
    accept();
}

void ManualWariate::reject() {
    CloseCommand();
}

ManualEditorOutcome RunManualEditor(PanelJob& job, const LayoutInput& input, ManualMode mode,
                                    PanelLayoutResult start, ManualEditorHooks hooks,
                                    QWidget* parent) {
    ManualWariate editor(job, input, mode, std::move(start), std::move(hooks), parent);
    editor.exec();
    return {editor.Layout(), editor.layout().PartsRemain()};
}

}  // namespace tvx::panel
