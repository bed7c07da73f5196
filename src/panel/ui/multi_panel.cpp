// The multiple-size dialog: its five-row grid, keys and "もどる".

#include "panel/ui/multi_panel.h"

#include <QCursor>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>

#include "common/gui/catalogue_store.h"
#include "common/gui/help_viewer.h"
#include "common/gui/numeric_edit.h"
#include "common/gui/shipped_files.h"
#include "common/number_text.h"
#include "panel/ui/keypad_letters.h"
#include "panel/ui/panel_catalogue.h"

namespace tvx::panel {
namespace {

constexpr const char* kNotANumberMessage = "数値を入力してください。";

// The value of a box that holds number text ("1,200" reads 1200, blank reads 0).
double NumberIn(const QLineEdit* box) {
    return gui::NumberBoxValue(box->text()).value_or(0.0);
}

bool HoldsNumber(const QLineEdit* box) {
    return gui::NumberBoxValue(box->text()).has_value();
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

QString MultiPanel::UserCataloguePath() {
    return gui::CatalogueStore::UserPath(kCatalogueFileName);
}

QString MultiPanel::ShippedCataloguePath() {
    return gui::CatalogueStore::ShippedPath(kCatalogueFileName);
}

MultiPanel::MultiPanel(PanelJob& job, QWidget* parent, const QString& cataloguePath,
                       const QString& shippedPath)
    : QDialog(parent),
      job_(job),
      catalogue_(std::make_unique<gui::CatalogueStore>(kCatalogueFileName, ParseCatalogueFile,
                                                       cataloguePath, shippedPath)) {
    setWindowTitle("複数パネルサイズ");
    setModal(true);
    BuildControls();
    FillGrid();
    LoadCatalogue();
    CloseEditor();
    message_->clear();
    FocusGrid(currentRow_, 0);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        QCursor::setPos(area.left() + area.width() * 7 / 10, area.top() + area.height() * 7 / 10);
    }
}

void MultiPanel::BuildControls() {
    auto* layout = new QGridLayout(this);
    const char* headings[4] = {"（高さ）", "（幅）", "（金額）", "枚数制限"};
    for (int c = 0; c < 4; ++c)
        layout->addWidget(new QLabel(headings[c], this), 0, c, Qt::AlignCenter);
    for (int r = 0; r < kMultiPanelRows; ++r) {
        for (int c = 0; c < 4; ++c) {
            auto* box = new NumericEdit(this);
            box->setAlignment(Qt::AlignRight);
            box->installEventFilter(this);
            box->setObjectName(QString("size%1_%2").arg(r).arg(c));
            grid_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = box;
            layout->addWidget(box, r + 1, c);
        }
    }
    deleteRowButton_ = new QPushButton("１行削除", this);
    applyButton_ = new QPushButton("もどる", this);
    helpButton_ = new QPushButton("ヘルプ", this);
    layout->addWidget(deleteRowButton_, 6, 0);
    layout->addWidget(applyButton_, 6, 2);
    layout->addWidget(helpButton_, 6, 3);

    list_ = new QListWidget(this);
    QFont fixed = list_->font();
    fixed.setFamilies({"IPAGothic", "IPAゴシック", "Monospace"});
    fixed.setStyleHint(QFont::Monospace);
    list_->setFont(fixed);
    list_->setMinimumWidth(300);
    layout->addWidget(list_, 0, 4, 6, 4);

    const char* editorCaptions[4] = {"説明", "高さ", "幅", "金額"};
    for (int i = 0; i < 4; ++i) {
        editorLabels_[static_cast<std::size_t>(i)] = new QLabel(editorCaptions[i], this);
        QLineEdit* box = i == 0 ? new QLineEdit(this) : new NumericEdit(this);
        box->installEventFilter(this);
        editorBoxes_[static_cast<std::size_t>(i)] = box;
        layout->addWidget(editorLabels_[static_cast<std::size_t>(i)], 6, 4 + i);
        layout->addWidget(box, 7, 4 + i);
    }
    addButton_ = new QPushButton("追加登録", this);
    modifyButton_ = new QPushButton("修正", this);
    deleteButton_ = new QPushButton("削除", this);
    saveEntryButton_ = new QPushButton("登録", this);
    cancelButton_ = new QPushButton("取消", this);
    layout->addWidget(addButton_, 8, 4);
    layout->addWidget(modifyButton_, 8, 5);
    layout->addWidget(deleteButton_, 8, 6);
    layout->addWidget(saveEntryButton_, 9, 4);
    layout->addWidget(cancelButton_, 9, 5);
    message_ = new QLabel(this);
    layout->addWidget(message_, 10, 0, 1, 8);
    for (QPushButton* button : {deleteRowButton_, applyButton_, helpButton_, addButton_,
                                modifyButton_, deleteButton_, saveEntryButton_, cancelButton_})
        button->setAutoDefault(false);

    connect(deleteRowButton_, &QPushButton::clicked, this, [this] { DeleteGridRow(); });
    connect(applyButton_, &QPushButton::clicked, this, [this] { Apply(); });
    connect(helpButton_, &QPushButton::clicked, this,
            [] { gui::HelpViewer::Instance().ShowTopic(kMultiPanelHelpContext); });
    connect(addButton_, &QPushButton::clicked, this, [this] { AddEntry(); });
    connect(modifyButton_, &QPushButton::clicked, this, [this] { ModifyEntry(); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { DeleteEntry(); });
    connect(saveEntryButton_, &QPushButton::clicked, this, [this] { SaveEntry(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { CancelEditor(); });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { CopyEntry(list_->row(item)); });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this,
            [] { gui::HelpViewer::Instance().ShowTopic(kMultiPanelHelpContext); });
}

MultiPanel::~MultiPanel() = default;

QLineEdit* MultiPanel::gridBox(int row, int column) const {
    return grid_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void MultiPanel::FillGrid() {
    for (int r = 0; r <= job_.lastSizeIndex && r < kMultiPanelRows; ++r) {
        const StockEntry& entry = job_.stock[static_cast<std::size_t>(r)];
        gridBox(r, 0)->setText(QString::number(entry.height));
        gridBox(r, 1)->setText(QString::number(entry.width));
        if (entry.price > 0) gridBox(r, 2)->setText(QString::number(entry.price));
        if (entry.limit > 0) gridBox(r, 3)->setText(QString::number(entry.limit));
    }
    currentRow_ = job_.lastSizeIndex + 1;
    if (currentRow_ >= kMultiPanelRows || currentRow_ < 0) currentRow_ = 0;
    PaintLimitBoxes();
}

bool MultiPanel::RefuseNonNumbers() {
    for (int r = 0; r < kMultiPanelRows; ++r) {
        for (int c = 0; c < 4; ++c) {
            QLineEdit* box = gridBox(r, c);
            if (HoldsNumber(box)) continue;
            message_->setText(kNotANumberMessage);
            QTimer::singleShot(0, box, [this, box] {
                box->setFocus(Qt::OtherFocusReason);
                box->selectAll();
                message_->setText(kNotANumberMessage);
            });
            return true;
        }
    }
    return false;
}

void MultiPanel::Apply() {
    // A size box with text that is not a number keeps the dialog open with the focus in it.
    if (RefuseNonNumbers()) return;
    job_.stock.fill(StockEntry{});
    job_.lastSizeIndex = -1;
    job_.priceMode = true;
    for (int r = 0; r < kMultiPanelRows; ++r) {
        const double height = NumberIn(gridBox(r, 0));
        const double width = NumberIn(gridBox(r, 1));
        if (!(height > 0 && width > 0)) continue;
        ++job_.lastSizeIndex;
        StockEntry& entry = job_.stock[static_cast<std::size_t>(job_.lastSizeIndex)];
        entry.height = ClampToInt32(RoundHalfEven(height));
        entry.width = ClampToInt32(RoundHalfEven(width));
        entry.price = ClampToInt32(RoundHalfEven(NumberIn(gridBox(r, 2))));
        entry.limit = ClampToInt16(RoundHalfEven(NumberIn(gridBox(r, 3))));
        if (entry.price == 0 && entry.limit == 0) job_.priceMode = false;
    }
    if (job_.lastSizeIndex == -1) job_.priceMode = false;
    accept();
}

void MultiPanel::DeleteGridRow() {
    if (mode_ != EditorMode::Closed) return;
    for (int r = currentRow_; r < kMultiPanelRows - 1; ++r)
        for (int c = 0; c < 4; ++c) gridBox(r, c)->setText(gridBox(r + 1, c)->text());
    for (int c = 0; c < 4; ++c) gridBox(kMultiPanelRows - 1, c)->clear();
    bool empty = true;
    for (int c = 0; c < 4; ++c) empty = empty && gridBox(currentRow_, c)->text().isEmpty();
    if (empty && currentRow_ > 0) --currentRow_;
    FocusGrid(currentRow_, 0);
}

void MultiPanel::FocusGrid(int row, int column) {
    currentRow_ = row;
    gridBox(row, column)->setFocus(Qt::OtherFocusReason);
}

void MultiPanel::PaintLimitBoxes() {
    for (int r = 0; r < kMultiPanelRows; ++r) {
        QLineEdit* box = gridBox(r, 3);
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, box->hasFocus() ? palette().color(QPalette::Base)
                                                     : palette().color(QPalette::Button));
        box->setPalette(pal);
    }
}

bool MultiPanel::eventFilter(QObject* watched, QEvent* event) {
    for (int r = 0; r < kMultiPanelRows; ++r) {
        for (int c = 0; c < 4; ++c) {
            QLineEdit* box = gridBox(r, c);
            if (watched != box) continue;
            if (event->type() == QEvent::FocusIn) {
                currentRow_ = r;
                QTimer::singleShot(0, box, [box] {
                    if (box->hasFocus()) box->selectAll();
                });
                PaintLimitBoxes();
            } else if (event->type() == QEvent::FocusOut) {
                PaintLimitBoxes();
                const auto reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                    !HoldsNumber(box))
                    RefuseNonNumbers();
            } else if (event->type() == QEvent::KeyPress) {
                return GridKey(r, c, static_cast<QKeyEvent*>(event)->key());
            }
            return false;
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (watched == editorBoxes_[static_cast<std::size_t>(i)] &&
            event->type() == QEvent::KeyPress)
            return EditorKey(i, static_cast<QKeyEvent*>(event)->key());
    }
    return QDialog::eventFilter(watched, event);
}

bool MultiPanel::GridKey(int row, int column, int key) {
    if (IsEnter(key)) {
        if (column < 2)
            FocusGrid(row, column + 1);
        else
            FocusGrid((row + 1) % kMultiPanelRows, 0);
        return true;
    }
    switch (key) {
        case Qt::Key_Left:
            if (column > 0) FocusGrid(row, column - 1);
            return true;
        case Qt::Key_Right:
            if (column < 3) FocusGrid(row, column + 1);
            return true;
        case Qt::Key_Up:
            if (row > 0) FocusGrid(row - 1, column);
            return true;
        case Qt::Key_Down:
            if (row < kMultiPanelRows - 1) FocusGrid(row + 1, column);
            return true;
        default:
            return false;
    }
}

bool MultiPanel::EditorKey(int field, int key) {
    if (IsEnter(key)) {
        if (field < 3) {
            editorBoxes_[static_cast<std::size_t>(field + 1)]->setFocus(Qt::OtherFocusReason);
        } else {
            if (mode_ == EditorMode::Adding)
                message_->setText(
                    "登録する位置をマウスでクリックしてから登録ボタンを押してください。");
            saveEntryButton_->setFocus(Qt::OtherFocusReason);
        }
        return true;
    }
    if (key == Qt::Key_Left) {
        if (field > 0) editorBoxes_[static_cast<std::size_t>(field - 1)]->setFocus();
        return true;
    }
    if (key == Qt::Key_Right) {
        if (field < 3) editorBoxes_[static_cast<std::size_t>(field + 1)]->setFocus();
        return true;
    }
    return false;
}

}  // namespace tvx::panel
