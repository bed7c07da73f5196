// Placing the controls of Quorlin's main window, and the stock display.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolButton>

#include "bar/ui/bar_cut_grid.h"
#include "bar/ui/quorlin_window.h"
#include "bar/ui/result_picture.h"
#include "common/gui/numeric_edit.h"
#include "common/number_text.h"

namespace tvx::bar {
namespace {

// Twips (1/1440 inch) at the screen's 96 dots per inch.
constexpr double kTwipsPerPixel = 15.0;
constexpr int kMinAreaWidth = static_cast<int>(12000 / kTwipsPerPixel);
constexpr int kMinAreaHeight = static_cast<int>(8700 / kTwipsPerPixel);

}  // namespace

void QuorlinWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutWindow();
}

void QuorlinWindow::LayoutWindow() {
    if (!titleButton_) return;  // still being built
    // The area is 97 % of the inner height and the inner width, never below 8700 x 12000 twips;
    // rows are placed in tenths of its height.
    const int w = std::max(central_->width(), kMinAreaWidth);
    const int h = std::max(static_cast<int>(central_->height() * 0.97), kMinAreaHeight);
    const double u = h / 10.0;
    auto y = [u](double tenths) { return static_cast<int>(u * tenths); };
    const int line = std::max(18, y(0.32));
    const int gap = 6;
    const int left = 8;
    const int leftWidth = w * 46 / 100;
    const int right = left + leftWidth + 12;
    const int rightWidth = w - right - 8;

    titleLabel_->setGeometry(left, y(0.05), leftWidth * 6 / 10, y(0.45));
    versionLabel_->setGeometry(left + leftWidth * 6 / 10, y(0.05), leftWidth * 4 / 10, y(0.45));

    const int captionWidth = 80;
    // The stock lengths take the stock box's place and up to three label widths; the kerf
    // follows after that room.
    const int labelWidth = 56;
    const int kerfLeft = left + captionWidth + 3 * labelWidth + 6;
    stockCaption_->setGeometry(left, y(0.6), captionWidth, line);
    stockBox_->setGeometry(left + captionWidth, y(0.6), 90, line);
    kerfCaption_->setGeometry(kerfLeft, y(0.6), 50, line);
    kerfBox_->setGeometry(kerfLeft + 50, y(0.6), 60, line);
    kerfUp_->setGeometry(kerfLeft + 112, y(0.6), 18, line / 2);
    kerfDown_->setGeometry(kerfLeft + 112, y(0.6) + line / 2, 18, line - line / 2);
    // Up to three lengths in one line, beyond that in two.
    const int inUse = job_.stock.stockEntryCountInUse;
    const int perLine = 3;
    for (int i = 0; i < kMaxStockEntries; ++i) {
        const int lineNo = i / std::max(1, perLine);
        stockLabels_[static_cast<std::size_t>(i)]->setGeometry(
            left + captionWidth + (i % perLine) * labelWidth,
            y(0.6) + lineNo * (line / 2 + 2) - (inUse > 3 ? line / 4 : 0), labelWidth,
            line / 2 + 4);
    }

    titleButton_->setGeometry(left, y(1.0), captionWidth - 4, line);
    titleBox_->setGeometry(left + captionWidth, y(1.0), leftWidth - captionWidth, line);

    grid_->setGeometry(left, y(1.45), leftWidth, y(7.35));

    const int buttonWidth = (leftWidth - 4 * gap) / 5;
    const std::array<QPushButton*, 5> lower = {previousButton_, nextButton_, calculateButton_,
                                               resetButton_, quitButton_};
    for (std::size_t i = 0; i < lower.size(); ++i)
        lower[i]->setGeometry(left + static_cast<int>(i) * (buttonWidth + gap), y(8.95),
                              buttonWidth, line + 4);
    forceStopButton_->setGeometry(calculateButton_->geometry());

    picture_->setGeometry(right, y(0.6), rightWidth, y(6.6));
    summaryHeader_->setGeometry(right, y(7.3), rightWidth / 2, line);
    summaryLabel_->setGeometry(right, y(7.3) + line, rightWidth * 7 / 10, y(1.5));
    const std::array<QPushButton*, 4> side = {switchButton_, printButton_, saveButton_,
                                              multiButton_};
    const int sideWidth = (rightWidth - 3 * gap) / 4;
    for (std::size_t i = 0; i < side.size(); ++i)
        side[i]->setGeometry(right + static_cast<int>(i) * (sideWidth + gap), y(8.95), sideWidth,
                             line + 4);
    messageLabel_->setGeometry(left, y(9.5), w - 2 * left, line);

    // Visibility: the part-code column only with the display on, "強制終了" only while a
    // calculation runs, the stock labels only for two or more lengths.
    grid_->SetPartCodesVisible(job_.showPartCodes);
    forceStopButton_->setVisible(calculating_);
    calculateButton_->setVisible(!calculating_);
    const bool several = job_.stock.stockEntryCountInUse >= 2;
    stockBox_->setVisible(!several);
    for (int i = 0; i < kMaxStockEntries; ++i)
        stockLabels_[static_cast<std::size_t>(i)]->setVisible(several && i < inUse);
}

void QuorlinWindow::ShowStockDisplay() {
    const int inUse = job_.stock.stockEntryCountInUse;
    for (int i = 0; i < kMaxStockEntries; ++i) {
        const auto s = static_cast<std::size_t>(i);
        stockLabels_[s]->setText(
            i < inUse ? QString::fromStdString(FormatSingle(job_.stock.stockEntryLength[s]))
                      : QString());
    }
    if (inUse == 1)
        stockBox_->setText(QString::fromStdString(FormatSingle(job_.stock.stockEntryLength[0])));
    else
        stockBox_->clear();
    LayoutWindow();
}

}  // namespace tvx::bar
