// The multiple-length dialog: its six rows of length, price and count limit, keys, and
// "もどる" taking the rows into the job's stock table.

#include "bar/ui/multi_bouzai.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <cmath>

#include "bar/ui/bar_catalogue.h"
#include "common/gui/catalogue_store.h"
#include "common/gui/help_viewer.h"
#include "common/gui/numeric_edit.h"
#include "common/number_text.h"

namespace tvx::bar {
namespace {

constexpr const char* kNotANumber = "数値を入力してください。";
constexpr const char* kCountRange = "本数制限は 0 から 32767 までの数で指定してください。";
constexpr const char* kPriceRange = "金額は 0 以上で指定してください。";
constexpr const char* kLengthRange = "長さが大きすぎます。";

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QString LengthText(float length) {
    return QString::fromStdString(PlainDecimal(length));
}

}  // namespace

MultiBouzai::MultiBouzai(BarJob& job, QWidget* parent, const QString& cataloguePath,
                         const QString& shippedPath)
    : QDialog(parent),
      job_(job),
      catalogue_(std::make_unique<gui::CatalogueStore>(kBarCatalogueFileName, ParseBarCatalogueFile,
                                                       cataloguePath, shippedPath)) {
    setWindowTitle("複数 棒材");
    setModal(true);
    BuildControls();
    LoadFromJob();
}

MultiBouzai::~MultiBouzai() = default;

const std::vector<std::string>& MultiBouzai::catalogueLines() const {
    return catalogue_->lines();
}

void MultiBouzai::BuildControls() {
    auto* layout = new QGridLayout(this);
    const char* headings[3] = {"（長さ）", "（金額）", "本数制限"};
    const char* names[3] = {"length", "price", "count"};
    for (int c = 0; c < 3; ++c)
        layout->addWidget(new QLabel(headings[c], this), 0, c, Qt::AlignCenter);
    for (int r = 0; r < kMultiBouzaiRows; ++r) {
        for (int c = 0; c < 3; ++c) {
            auto* edit = new gui::NumericEdit(this);
            edit->setAlignment(Qt::AlignRight);
            edit->setContextMenuPolicy(Qt::NoContextMenu);
            edit->installEventFilter(this);
            edit->setObjectName(QString("%1%2").arg(names[c]).arg(r));
            boxes_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = edit;
            layout->addWidget(edit, r + 1, c);
        }
    }
    deleteRowButton_ = new QPushButton("１行削除", this);
    applyButton_ = new QPushButton("もどる", this);
    helpButton_ = new QPushButton("ヘルプ", this);
    deleteRowButton_->setObjectName("deleteRowButton");
    applyButton_->setObjectName("returnButton");
    helpButton_->setObjectName("helpButton");
    layout->addWidget(deleteRowButton_, 7, 0);
    layout->addWidget(applyButton_, 7, 1);
    layout->addWidget(helpButton_, 7, 2);

    list_ = new QListWidget(this);
    list_->setObjectName("stockList");
    QFont fixed = list_->font();
    fixed.setFamilies({"IPAGothic", "IPAゴシック", "Monospace"});
    fixed.setStyleHint(QFont::Monospace);
    list_->setFont(fixed);
    list_->setMinimumWidth(260);
    layout->addWidget(list_, 0, 3, 7, 3);

    const char* captions[3] = {"説明", "長さ", "金額"};
    const char* entryNames[3] = {"entryDescription", "entryLength", "entryPrice"};
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        entryLabels_[k] = new QLabel(captions[i], this);
        entry_[k] = i == 0 ? new QLineEdit(this) : new gui::NumericEdit(this);
        entry_[k]->setObjectName(entryNames[i]);
        entry_[k]->installEventFilter(this);
        layout->addWidget(entryLabels_[k], 7, 3 + i);
        layout->addWidget(entry_[k], 8, 3 + i);
    }
    addButton_ = new QPushButton("追加登録", this);
    deleteButton_ = new QPushButton("削除", this);
    storeButton_ = new QPushButton("登録", this);
    cancelButton_ = new QPushButton("取消", this);
    addButton_->setObjectName("addButton");
    deleteButton_->setObjectName("deleteButton");
    storeButton_->setObjectName("storeButton");
    cancelButton_->setObjectName("cancelButton");
    layout->addWidget(addButton_, 9, 3);
    layout->addWidget(deleteButton_, 9, 4);
    layout->addWidget(storeButton_, 10, 3);
    layout->addWidget(cancelButton_, 10, 4);
    message_ = new QLabel(this);
    message_->setObjectName("message");
    layout->addWidget(message_, 11, 0, 1, 6);
    for (QPushButton* button : {deleteRowButton_, applyButton_, helpButton_, addButton_,
                                deleteButton_, storeButton_, cancelButton_})
        button->setAutoDefault(false);

    connect(deleteRowButton_, &QPushButton::clicked, this, [this] { DeleteStockRow(); });
    connect(applyButton_, &QPushButton::clicked, this, [this] { Apply(); });
    const auto help = [] { gui::HelpViewer::Instance().ShowTopic(kMultiBouzaiHelpContext); };
    connect(helpButton_, &QPushButton::clicked, this, help);
    connect(addButton_, &QPushButton::clicked, this, [this] { AddEntry(); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { DeleteEntry(); });
    connect(storeButton_, &QPushButton::clicked, this, [this] { StoreEntry(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { CancelEntry(); });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { PickLine(list_->row(item)); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, help);
}

QLineEdit* MultiBouzai::box(int row, int column) const {
    return boxes_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void MultiBouzai::LoadFromJob() {
    for (auto& row : boxes_)
        for (QLineEdit* edit : row) edit->clear();
    const BarStock& stock = job_.stock;
    const int inUse = std::clamp<int>(stock.stockEntryCountInUse, 0, kMultiBouzaiRows);
    for (int r = 0; r < inUse; ++r) {
        const auto k = static_cast<std::size_t>(r);
        box(r, kLengthColumn)->setText(LengthText(stock.stockEntryLength[k]));
        if (stock.stockEntryPrice[k] > 0)
            box(r, kPriceColumn)->setText(LengthText(stock.stockEntryPrice[k]));
        if (stock.stockEntryCount[k] > 0)
            box(r, kCountColumn)->setText(QString::number(stock.stockEntryCount[k]));
    }
    pickRow_ = inUse >= kMultiBouzaiRows ? 0 : inUse;
    catalogue_->Load();
    RefreshList();
    ShowEntryBoxes(false);
    adding_ = false;
    message_->clear();
    if (!catalogue_->writable()) message_->setText(gui::kCatalogueNotReadMessage);
    FocusBox(pickRow_, kLengthColumn);
}

void MultiBouzai::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) LoadFromJob();
    QDialog::showEvent(event);
}

void MultiBouzai::Refuse(QLineEdit* edit, const char* message) {
    message_->setText(message);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

bool MultiBouzai::Apply() {
    // Every box must hold number text; a taken row's price and count must be in range.
    struct Row {
        double length, price, count;
    };
    std::vector<Row> taken;
    for (int r = 0; r < kMultiBouzaiRows; ++r) {
        double values[3] = {0, 0, 0};
        for (int c = 0; c < 3; ++c) {
            const std::optional<double> value = gui::NumberBoxValue(box(r, c)->text());
            if (!value) {
                Refuse(box(r, c), kNotANumber);
                return false;
            }
            values[c] = *value;
        }
        if (!(values[kLengthColumn] > 0)) continue;  // rows without a length are skipped
        if (!ToSingle(values[kLengthColumn])) {
            Refuse(box(r, kLengthColumn), kLengthRange);
            return false;
        }
        if (values[kPriceColumn] < 0 || !ToSingle(values[kPriceColumn])) {
            Refuse(box(r, kPriceColumn), kPriceRange);
            return false;
        }
        const double count = RoundHalfEven(values[kCountColumn]);
        if (count < 0 || count > 32767) {
            Refuse(box(r, kCountColumn), kCountRange);
            return false;
        }
        taken.push_back({values[kLengthColumn], values[kPriceColumn], count});
    }
    BarStock& stock = job_.stock;
    stock = BarStock{};
    for (std::size_t i = 0; i < taken.size(); ++i) {
        stock.stockEntryLength[i] = static_cast<float>(taken[i].length);
        stock.stockEntryPrice[i] = static_cast<float>(taken[i].price);
        stock.stockEntryCount[i] = static_cast<std::int16_t>(taken[i].count);
    }
    stock.stockEntryCountInUse = static_cast<std::int16_t>(taken.size());
    message_->clear();
    accept();
    return true;
}

void MultiBouzai::DeleteStockRow() {
    for (int r = pickRow_; r < kMultiBouzaiRows - 1; ++r)
        for (int c = 0; c < 3; ++c) box(r, c)->setText(box(r + 1, c)->text());
    for (int c = 0; c < 3; ++c) box(kMultiBouzaiRows - 1, c)->clear();
    FocusBox(pickRow_, kLengthColumn);
}

void MultiBouzai::FocusBox(int row, int column) {
    if (column == kLengthColumn) pickRow_ = row;
    box(row, column)->setFocus(Qt::OtherFocusReason);
    box(row, column)->selectAll();
}

bool MultiBouzai::eventFilter(QObject* watched, QEvent* event) {
    for (int r = 0; r < kMultiBouzaiRows; ++r) {
        for (int c = 0; c < 3; ++c) {
            QLineEdit* edit = box(r, c);
            if (watched != edit) continue;
            if (event->type() == QEvent::FocusIn) {
                if (c == kLengthColumn) pickRow_ = r;
                QTimer::singleShot(0, edit, [edit] {
                    if (edit->hasFocus()) edit->selectAll();
                });
            } else if (event->type() == QEvent::KeyPress) {
                return StockKey(r, c, static_cast<QKeyEvent*>(event)->key());
            }
            return false;
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (watched == entry_[static_cast<std::size_t>(i)] && event->type() == QEvent::KeyPress)
            return EntryKey(i, static_cast<QKeyEvent*>(event)->key());
    }
    return QDialog::eventFilter(watched, event);
}

bool MultiBouzai::StockKey(int row, int column, int key) {
    if (IsEnter(key)) {
        // Only number text leaves a box by Enter.
        if (!gui::NumberBoxValue(box(row, column)->text())) {
            Refuse(box(row, column), kNotANumber);
            return true;
        }
        message_->clear();
        if (column == kLengthColumn)
            FocusBox(row, kPriceColumn);
        else
            FocusBox((row + 1) % kMultiBouzaiRows, kLengthColumn);
        return true;
    }
    switch (key) {
        case Qt::Key_Left:
            if (column > 0) FocusBox(row, column - 1);
            return true;
        case Qt::Key_Right:
            if (column < 2) FocusBox(row, column + 1);
            return true;
        case Qt::Key_Up:
            if (row > 0) FocusBox(row - 1, column);
            return true;
        case Qt::Key_Down:
            if (row < kMultiBouzaiRows - 1) FocusBox(row + 1, column);
            return true;
        default:
            return false;
    }
}

bool MultiBouzai::EntryKey(int field, int key) {
    if (!IsEnter(key)) return false;
    if (field > 0 && !gui::NumberBoxValue(entry_[static_cast<std::size_t>(field)]->text())) {
        Refuse(entry_[static_cast<std::size_t>(field)], kNotANumber);
        return true;
    }
    if (field < 2) {
        entry_[static_cast<std::size_t>(field + 1)]->setFocus(Qt::OtherFocusReason);
    } else {
        message_->setText("登録する位置をマウスでクリックしてから登録ボタンを押してください。");
        storeButton_->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

}  // namespace tvx::bar
