// Placing the main window's controls as fractions of the window, their visibility rules, and
// the two redisplay operations of the grid and the stock sizes.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "common/gui/qt_text.h"
#include "common/number_text.h"
#include "panel/ui/cut_list_ops.h"
#include "panel/ui/keypad_letters.h"
#include "panel/ui/size_wariate.h"

namespace tvx::panel {
namespace {

// The window the layout was drawn for (12000 x 8700 twips), as the client area in pixels.
constexpr int kReferenceWidth = 800;
constexpr int kReferenceHeight = 556;
// Below these the window is not laid out (3000 x 500 twips).
constexpr int kSmallestWidth = 200;
constexpr int kSmallestHeight = 33;

// A place in units of a 1000 x 1000 window.
struct Place {
    int x, y, w, h;
};

constexpr int kRowTop = 255;
constexpr int kRowPitch = 46;
constexpr int kRowHeight = 40;
constexpr int kBlockWidth = 500;
// Row label, height, width, quantity, comment, turn heading; then the turn check box.
constexpr Place kColumns[6] = {{5, 0, 45, 0},   {52, 0, 85, 0},   {139, 0, 85, 0},
                               {226, 0, 55, 0}, {283, 0, 145, 0}, {430, 0, 60, 0}};
constexpr Place kTurnBox = {452, 0, 30, 0};

void SetTextIfDifferent(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

}  // namespace

void SizeWariate::LayoutWindow() {
    if (isMinimized() || central_->width() < kSmallestWidth || central_->height() < kSmallestHeight)
        return;
    const double width = std::max(central_->width(), kReferenceWidth);
    const double height = std::max(central_->height(), kReferenceHeight);
    auto put = [&](QWidget* w, Place p) {
        w->setGeometry(static_cast<int>(p.x * width / 1000.0 + 0.5),
                       static_cast<int>(p.y * height / 1000.0 + 0.5),
                       static_cast<int>(p.w * width / 1000.0 + 0.5),
                       static_cast<int>(p.h * height / 1000.0 + 0.5));
    };

    put(titleLabel_, {15, 10, 330, 60});
    put(versionLabel_, {780, 20, 200, 40});
    put(panelHeading_, {15, 80, 160, 30});
    put(heightLabel_, {15, 112, 110, 28});
    put(heightBox_, {15, 140, 110, 40});
    put(widthLabel_, {135, 112, 110, 28});
    put(widthBox_, {135, 140, 110, 40});
    put(priceLabel_, {255, 112, 110, 28});
    put(priceBox_, {255, 140, 110, 40});
    put(multiPanelButton_, {380, 118, 110, 62});
    put(kerfLabel_, {515, 112, 90, 28});
    put(kerfBox_, {515, 140, 70, 40});
    put(kerfUp_, {585, 140, 22, 20});
    put(kerfDown_, {585, 160, 22, 20});
    put(rotateAllBox_, {635, 140, 160, 40});
    put(gridHeading_, {15, 195, 160, 30});
    for (int b = 0; b < 2; ++b) {
        const int bx = b * kBlockWidth;
        // The row-label column has no heading.
        for (int c = 0; c < 5; ++c) {
            const Place col = kColumns[c + 1];
            put(columnHeadings_[static_cast<std::size_t>(b)][static_cast<std::size_t>(c)],
                {bx + col.x, 225, col.w, 28});
        }
    }
    for (int r = 0; r < kGridRows; ++r) {
        const int bx = (r / 10) * kBlockWidth;
        const int y = kRowTop + (r % 10) * kRowPitch;
        put(rowLabels_[static_cast<std::size_t>(r)],
            {bx + kColumns[0].x, y, kColumns[0].w, kRowHeight});
        for (int c = 0; c < 4; ++c) {
            const Place col = kColumns[c + 1];
            put(cells_[static_cast<std::size_t>(r * 4 + c)], {bx + col.x, y, col.w, kRowHeight});
        }
        put(turnBoxes_[static_cast<std::size_t>(r)], {bx + kTurnBox.x, y, kTurnBox.w, kRowHeight});
    }
    put(commentButton_, {15, 730, 110, 60});
    put(previousPageButton_, {135, 730, 110, 60});
    put(nextPageButton_, {255, 730, 110, 60});
    put(autoCutButton_, {395, 730, 130, 60});
    put(manualCutButton_, {535, 730, 130, 60});
    put(resetButton_, {695, 730, 110, 60});
    put(quitButton_, {815, 730, 110, 60});
    put(forceStopButton_, {395, 800, 130, 55});
    put(messageLabel_, {15, 870, 970, 45});
    PlaceStockLabels();

    // Visibility: the force stop only while a layout runs; the row check boxes or "縦横自由"
    // by the per-row option; the price box by the cut-sale option; sizes or list by the table.
    forceStopButton_->setVisible(layoutRunning_);
    const bool perRow = job_.ktyFree;
    for (QCheckBox* turn : turnBoxes_) turn->setVisible(perRow);
    rotateAllBox_->setVisible(!perRow);
    for (auto& block : columnHeadings_) block[4]->setVisible(perRow);
    ApplyPanelSizeVisibility();
    SetTextIfDifferent(kerfBox_, QString::number(job_.kerf));
    PaintCells();
}

void SizeWariate::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutWindow();
}

void SizeWariate::PlaceStockLabels() {
    const double width = std::max(central_->width(), kReferenceWidth);
    const double height = std::max(central_->height(), kReferenceHeight);
    const int firstRowY = job_.lastSizeIndex <= 2 ? 110 : 90;
    for (int i = 0; i < kMaxStockSizes; ++i) {
        const int x = 15 + (i % 3) * 118;
        const int y = i < 3 ? firstRowY : 140;
        stockLabels_[static_cast<std::size_t>(i)]->setGeometry(
            static_cast<int>(x * width / 1000.0 + 0.5), static_cast<int>(y * height / 1000.0 + 0.5),
            static_cast<int>(115 * width / 1000.0 + 0.5),
            static_cast<int>(28 * height / 1000.0 + 0.5));
    }
}

void SizeWariate::ApplyPanelSizeVisibility() {
    const bool boxes = job_.lastSizeIndex < 1;
    heightBox_->setVisible(boxes);
    widthBox_->setVisible(boxes);
    heightLabel_->setVisible(boxes);
    widthLabel_->setVisible(boxes);
    const bool price = boxes && job_.cutsell == 1;
    priceBox_->setVisible(price);
    priceLabel_->setVisible(price);
    for (int i = 0; i < kMaxStockSizes; ++i)
        stockLabels_[static_cast<std::size_t>(i)]->setVisible(!boxes && i <= job_.lastSizeIndex);
}

void SizeWariate::ShowPage() {
    for (int i = 0; i < kGridRows; ++i) {
        const int k = currentPage_ * kRowsPerPage + i;
        const CutItem& item = job_.cutList[static_cast<std::size_t>(k)];
        rowLabels_[static_cast<std::size_t>(i)]->setText(QString("(%1)").arg(k + 1));
        for (int c = 0; c < 4; ++c) {
            const QString text = QString::fromStdString(CellText(item, c));
            SetTextIfDifferent(cells_[static_cast<std::size_t>(i * 4 + c)], text);
        }
        if (job_.ktyFree)
            turnBoxes_[static_cast<std::size_t>(i)]->setChecked(
                job_.turnFlag[static_cast<std::size_t>(k)] == 1);
    }
    PaintCells();
}

void SizeWariate::ShowPanelSizes() {
    for (QLabel* stock : stockLabels_) stock->hide();
    if (job_.lastSizeIndex == 0) {
        SetTextIfDifferent(heightBox_, QString::number(job_.stock[0].height));
        SetTextIfDifferent(widthBox_, QString::number(job_.stock[0].width));
        SetTextIfDifferent(priceBox_, QString::number(job_.stock[0].price));
    }
    if (job_.lastSizeIndex >= 1) {
        for (int i = 0; i <= job_.lastSizeIndex; ++i) {
            const StockEntry& entry = job_.stock[static_cast<std::size_t>(i)];
            stockLabels_[static_cast<std::size_t>(i)]->setText(
                " " + Q(RightAligned(entry.height, 4)) + "×" + Q(RightAligned(entry.width, 4)));
        }
        PlaceStockLabels();
    }
    ApplyPanelSizeVisibility();
}

QColor SizeWariate::SelectionColour() const {
    return QColor(128, 128, 255);
}

QColor SizeWariate::CommentBackColour() const {
    return job_.comIn ? palette().color(QPalette::Base) : palette().color(QPalette::Button);
}

void SizeWariate::PaintCells() {
    const QColor window = palette().color(QPalette::Base);
    for (int i = 0; i < kGridCells; ++i) {
        QLineEdit* box = cells_[static_cast<std::size_t>(i)];
        const int row = i / 4;
        QColor colour = window;
        if (selActive_ && row >= selFirst_ && row <= selLast_)
            colour = SelectionColour();
        else if (i % 4 == 3 && !box->hasFocus())
            colour = CommentBackColour();
        QPalette pal = box->palette();
        if (pal.color(QPalette::Base) != colour) {
            pal.setColor(QPalette::Base, colour);
            box->setPalette(pal);
        }
    }
}

}  // namespace tvx::panel
