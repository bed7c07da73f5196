// The catalogue side of the multiple-size dialog: reading and writing "Panellist.txt", the
// editor and its buttons, and copying a catalogue line into the grid.

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "common/encoding.h"
#include "common/gui/catalogue_store.h"
#include "common/number_text.h"
#include "common/text_file.h"
#include "panel/ui/multi_panel.h"
#include "panel/ui/panel_catalogue.h"

namespace tvx::panel {
namespace {

constexpr const char* kSelectToModify = "項目を選んでから修正ボタンを押してください。";
constexpr const char* kSelectToDelete = "項目を選んでから削除ボタンを押してください。";
constexpr const char* kSizeRequired = "高さ と 幅 は必ず指定してください";
constexpr const char* kNotReadMessage = gui::kCatalogueNotReadMessage;
constexpr const char* kNotWrittenMessage = gui::kCatalogueNotWrittenMessage;
constexpr const char* kSizeTooWide = "高さ と 幅 は5桁までで指定してください。";
constexpr const char* kPriceTooWide = "金額は999,999円までで指定してください。";
constexpr const char* kNotACatalogueLine = "この行はパネル一覧の形式ではないため、写せません。";

std::int32_t EditorNumber(const QLineEdit* box) {
    return ClampToInt32(RoundHalfEven(LeadingNumber(box->text().toStdString())));
}

}  // namespace

const std::vector<std::string>& MultiPanel::catalogueLines() const {
    return catalogue_->lines();
}

bool MultiPanel::catalogueWritable() const {
    return catalogue_->writable();
}

void MultiPanel::LoadCatalogue() {
    catalogue_->Load();
    RefreshList();
}

bool MultiPanel::WriteCatalogue() {
    const char* failure = nullptr;
    if (catalogue_->Write(&failure)) return true;
    message_->setText(failure);
    return false;
}

void MultiPanel::RefreshList() {
    const int selected = list_->currentRow();
    list_->clear();
    for (const std::string& line : catalogue_->lines())
        list_->addItem(QString::fromStdString(ShiftJisToUtf8(line)));
    list_->addItem(kCatalogueEndMarker);
    if (selected >= 0 && selected < list_->count()) list_->setCurrentRow(selected);
}

int MultiPanel::SelectedLine() const {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(catalogue_->lines().size())) return -1;
    if (list_->selectedItems().isEmpty()) return -1;
    return row;
}

void MultiPanel::OpenEditor(EditorMode mode) {
    mode_ = mode;
    for (int i = 0; i < 4; ++i) {
        editorLabels_[static_cast<std::size_t>(i)]->show();
        editorBoxes_[static_cast<std::size_t>(i)]->show();
    }
    addButton_->setEnabled(false);
    deleteButton_->setEnabled(false);
    modifyButton_->setEnabled(mode == EditorMode::Adding ? modifyButton_->isEnabled() : false);
    saveEntryButton_->show();
    cancelButton_->show();
    editorBoxes_[0]->setFocus(Qt::OtherFocusReason);
}

void MultiPanel::AddEntry() {
    if (!catalogue_->writable()) {
        message_->setText(kNotReadMessage);
        return;
    }
    for (QLineEdit* box : editorBoxes_) box->clear();
    OpenEditor(EditorMode::Adding);
}

void MultiPanel::ModifyEntry() {
    const int line = SelectedLine();
    if (line < 0) {
        message_->setText(kSelectToModify);
        return;
    }
    if (!catalogue_->writable()) {
        message_->setText(kNotReadMessage);
        return;
    }
    const CatalogueEntry entry =
        ParseCatalogueLineForEdit(catalogue_->lines()[static_cast<std::size_t>(line)]);
    editorBoxes_[0]->setText(QString::fromStdString(entry.description));
    editorBoxes_[1]->setText(QString::number(entry.height));
    editorBoxes_[2]->setText(QString::number(entry.width));
    editorBoxes_[3]->setText(QString::number(entry.price));
    modifyIndex_ = line;
    OpenEditor(EditorMode::Modifying);
    modifyButton_->setEnabled(false);
}

void MultiPanel::DeleteEntry() {
    const int line = SelectedLine();
    if (line < 0) {
        message_->setText(kSelectToDelete);
        return;
    }
    if (!catalogue_->writable()) {
        message_->setText(kNotReadMessage);
        return;
    }
    catalogue_->lines().erase(catalogue_->lines().begin() + line);
    RefreshList();
    WriteCatalogue();
}

void MultiPanel::SaveEntry() {
    const std::int32_t height = EditorNumber(editorBoxes_[1]);
    const std::int32_t width = EditorNumber(editorBoxes_[2]);
    if (height == 0 || width == 0) {
        message_->setText(kSizeRequired);
        editorBoxes_[1]->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!catalogue_->writable()) {
        message_->setText(kNotReadMessage);
        return;
    }
    CatalogueEntry entry;
    entry.description = editorBoxes_[0]->text().toStdString();
    entry.height = height;
    entry.width = width;
    entry.price = EditorNumber(editorBoxes_[3]);
    // A value wider than its field would shift the fields after it in the line.
    switch (CheckCatalogueEntry(entry)) {
        case CatalogueOverflow::None:
            break;
        case CatalogueOverflow::Height:
        case CatalogueOverflow::Width:
            message_->setText(kSizeTooWide);
            editorBoxes_[CheckCatalogueEntry(entry) == CatalogueOverflow::Height ? 1 : 2]->setFocus(
                Qt::OtherFocusReason);
            return;
        case CatalogueOverflow::Price:
            message_->setText(kPriceTooWide);
            editorBoxes_[3]->setFocus(Qt::OtherFocusReason);
            return;
    }
    const std::string line = CatalogueLineBytes(entry);

    int position = list_->selectedItems().isEmpty() ? -1 : list_->currentRow();
    if (mode_ == EditorMode::Modifying && position == modifyIndex_ && modifyIndex_ >= 0 &&
        modifyIndex_ < static_cast<int>(catalogue_->lines().size())) {
        catalogue_->lines().erase(catalogue_->lines().begin() + modifyIndex_);
        position = modifyIndex_;
    }
    if (position < 0 || position > static_cast<int>(catalogue_->lines().size()))
        position = static_cast<int>(catalogue_->lines().size());  // before the end marker
    catalogue_->lines().insert(catalogue_->lines().begin() + position, line);
    RefreshList();
    const bool written = WriteCatalogue();
    CancelEditor();
    if (!written) message_->setText(catalogue_->writable() ? kNotWrittenMessage : kNotReadMessage);
}

void MultiPanel::CancelEditor() {
    CloseEditor();
    message_->clear();
    list_->clearSelection();
    list_->setCurrentRow(-1);
    FocusGrid(0, 0);
}

void MultiPanel::CloseEditor() {
    for (int i = 0; i < 4; ++i) {
        editorLabels_[static_cast<std::size_t>(i)]->hide();
        editorBoxes_[static_cast<std::size_t>(i)]->hide();
    }
    saveEntryButton_->hide();
    cancelButton_->hide();
    addButton_->setEnabled(true);
    deleteButton_->setEnabled(true);
    modifyButton_->setEnabled(true);
    mode_ = EditorMode::Closed;
    modifyIndex_ = -1;
}

void MultiPanel::CopyEntry(int listRow) {
    if (listRow < 0 || listRow >= static_cast<int>(catalogue_->lines().size())) return;
    if (!HasCatalogueLayout(catalogue_->lines()[static_cast<std::size_t>(listRow)])) {
        message_->setText(kNotACatalogueLine);
        return;
    }
    const CatalogueEntry entry =
        ParseCatalogueLineForCopy(catalogue_->lines()[static_cast<std::size_t>(listRow)]);
    gridBox(currentRow_, 0)->setText(QString::number(entry.height));
    gridBox(currentRow_, 1)->setText(QString::number(entry.width));
    gridBox(currentRow_, 2)->setText(QString::number(entry.price));
    list_->clearSelection();
    if (currentRow_ < kMultiPanelRows - 1) ++currentRow_;
    FocusGrid(currentRow_, 0);
}

}  // namespace tvx::panel
