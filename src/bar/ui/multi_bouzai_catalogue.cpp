// The catalogue side of the multiple-length dialog: the list of stock bars, adding and
// deleting lines (the file is rewritten after each), and picking a line into a row.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "bar/ui/bar_catalogue.h"
#include "bar/ui/multi_bouzai.h"
#include "common/encoding.h"
#include "common/gui/catalogue_store.h"
#include "common/gui/numeric_edit.h"
#include "common/number_text.h"

namespace tvx::bar {
namespace {

constexpr const char* kNoLength = "長さが指定されていません。";
constexpr const char* kLengthTooWide = "長さは7けたまでで指定してください。";
constexpr const char* kPriceTooHigh = "金額は 0 から 999,999 までで指定してください。";
constexpr const char* kSelectToDelete = "項目を選んでから削除ボタンを押してください。";
constexpr const char* kNotALine = "この行は棒材の一覧の形式ではないため、使えません。";
constexpr const char* kNotANumber = "数値を入力してください。";

}  // namespace

void MultiBouzai::RefreshList() {
    list_->clear();
    for (const std::string& line : catalogue_->lines())
        list_->addItem(QString::fromStdString(ShiftJisToUtf8(line)));
    list_->addItem(kBarCatalogueEndLine);
}

int MultiBouzai::SelectedLine() const {
    const int row = list_->currentRow();
    if (list_->selectedItems().isEmpty()) return -1;
    if (row < 0 || row >= static_cast<int>(catalogue_->lines().size())) return -1;
    return row;
}

void MultiBouzai::ShowEntryBoxes(bool shown) {
    for (std::size_t i = 0; i < 3; ++i) {
        entryLabels_[i]->setVisible(shown);
        entry_[i]->setVisible(shown);
    }
    storeButton_->setVisible(shown);
    cancelButton_->setVisible(shown);
    addButton_->setEnabled(!shown);
    deleteButton_->setEnabled(!shown);
}

void MultiBouzai::AddEntry() {
    if (!catalogue_->writable()) {
        message_->setText(gui::kCatalogueNotReadMessage);
        return;
    }
    for (QLineEdit* edit : entry_) edit->clear();
    ShowEntryBoxes(true);
    adding_ = true;
    entry_[0]->setFocus(Qt::OtherFocusReason);
}

void MultiBouzai::StoreEntry() {
    const std::optional<double> length = gui::NumberBoxValue(entry_[1]->text());
    if (!length) {
        Refuse(entry_[1], kNotANumber);
        return;
    }
    const std::optional<double> price = gui::NumberBoxValue(entry_[2]->text());
    if (!price) {
        Refuse(entry_[2], kNotANumber);
        return;
    }
    BarCatalogueEntry entry;
    entry.description = entry_[0]->text().toStdString();
    entry.length = *length;
    entry.price = ClampToInt32(RoundHalfEven(*price));
    switch (CheckBarCatalogueEntry(entry)) {
        case BarEntryProblem::NoLength:
            Refuse(entry_[1], kNoLength);
            return;
        case BarEntryProblem::LengthTooWide:
            Refuse(entry_[1], kLengthTooWide);
            return;
        case BarEntryProblem::PriceTooHigh:
            Refuse(entry_[2], kPriceTooHigh);
            return;
        case BarEntryProblem::None:
            break;
    }
    if (!catalogue_->writable()) {
        message_->setText(gui::kCatalogueNotReadMessage);
        return;
    }
    std::vector<std::string>& lines = catalogue_->lines();
    int position = SelectedLine();
    if (position < 0) position = static_cast<int>(lines.size());  // before the end line
    lines.insert(lines.begin() + position, BarCatalogueLineBytes(entry));
    RefreshList();
    const char* failure = nullptr;
    const bool written = catalogue_->Write(&failure);
    CancelEntry();
    if (!written) message_->setText(failure);
}

void MultiBouzai::CancelEntry() {
    ShowEntryBoxes(false);
    adding_ = false;
    message_->clear();
    list_->clearSelection();
    list_->setCurrentRow(-1);
    FocusBox(0, kLengthColumn);
}

void MultiBouzai::DeleteEntry() {
    const int line = SelectedLine();
    if (line < 0) {
        message_->setText(kSelectToDelete);
        return;
    }
    if (!catalogue_->writable()) {
        message_->setText(gui::kCatalogueNotReadMessage);
        return;
    }
    std::vector<std::string>& lines = catalogue_->lines();
    lines.erase(lines.begin() + line);
    RefreshList();
    const char* failure = nullptr;
    if (!catalogue_->Write(&failure)) message_->setText(failure);
}

void MultiBouzai::PickLine(int listRow) {
    const std::vector<std::string>& lines = catalogue_->lines();
    if (listRow < 0 || listRow >= static_cast<int>(lines.size())) return;  // the end line
    const std::optional<BarPick> pick =
        PickFromBarCatalogueLine(lines[static_cast<std::size_t>(listRow)]);
    if (!pick) {
        message_->setText(kNotALine);
        return;
    }
    box(pickRow_, kLengthColumn)
        ->setText(QString::fromStdString(BarCatalogueLengthText(pick->length)));
    box(pickRow_, kPriceColumn)->setText(QString::number(pick->price));
    list_->clearSelection();
    message_->clear();
    FocusBox(pickRow_ < kMultiBouzaiRows - 1 ? pickRow_ + 1 : pickRow_, kLengthColumn);
}

}  // namespace tvx::bar
