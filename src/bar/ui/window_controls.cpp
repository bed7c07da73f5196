// Creating the controls and menus of Quorlin's main window.

#include <QAction>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>

#include "bar/ui/bar_cut_grid.h"
#include "bar/ui/quorlin_window.h"
#include "bar/ui/result_picture.h"
#include "common/gui/numeric_edit.h"
#include "common/version.h"

namespace tvx::bar {
namespace {

// The nearest Debian faces to the Japanese Gothic faces the window was drawn for.
QFont UiFont(bool fixedPitch, int points) {
    const QStringList wanted = fixedPitch ? QStringList{"IPAGothic", "IPAゴシック"}
                                          : QStringList{"IPAPGothic", "IPA Pゴシック", "IPAGothic"};
    const QStringList installed = QFontDatabase::families();
    QFont font;
    for (const QString& family : wanted) {
        if (installed.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSize(points);
    return font;
}

}  // namespace

void QuorlinWindow::BuildControls() {
    central_ = new QWidget(this);
    central_->setObjectName("central");
    setCentralWidget(central_);
    central_->setFont(UiFont(false, 9));

    auto label = [&](const QString& text, const char* name) {
        auto* l = new QLabel(text, central_);
        l->setObjectName(name);
        return l;
    };
    auto button = [&](const QString& text, const char* name, auto slot) {
        auto* b = new QPushButton(text, central_);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };

    titleLabel_ = label("＜Quorlin＞", "titleLabel");
    titleLabel_->setFont(UiFont(true, 16));
    versionLabel_ = label(QString("Ver ") + tvx::kProgramVersion, "versionLabel");
    versionLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    stockCaption_ = label("棒材の長さ", "stockCaption");
    stockBox_ = new gui::NumericEdit(central_);
    stockBox_->setObjectName("stockLength");
    stockBox_->setAlignment(Qt::AlignRight);
    stockBox_->installEventFilter(this);
    connect(stockBox_, &QLineEdit::textEdited, this, [this] {
        SetMessage(QString());
        JobChanged();
    });
    for (std::size_t i = 0; i < stockLabels_.size(); ++i) {
        stockLabels_[i] = label(QString(), "");
        stockLabels_[i]->setObjectName(QString("stockLabel%1").arg(i));
        stockLabels_[i]->setFont(UiFont(true, 9));
        stockLabels_[i]->hide();
    }

    kerfCaption_ = label("切断幅", "kerfCaption");
    kerfBox_ = new gui::NumericEdit(central_);
    kerfBox_->setObjectName("kerf");
    kerfBox_->setAlignment(Qt::AlignRight);
    kerfBox_->installEventFilter(this);
    connect(kerfBox_, &QLineEdit::textEdited, this, [this] { OnKerfEdited(); });
    kerfUp_ = new QToolButton(central_);
    kerfUp_->setObjectName("kerfUp");
    kerfUp_->setArrowType(Qt::UpArrow);
    kerfUp_->setAutoRepeat(true);
    kerfUp_->setFocusPolicy(Qt::NoFocus);
    kerfDown_ = new QToolButton(central_);
    kerfDown_->setObjectName("kerfDown");
    kerfDown_->setArrowType(Qt::DownArrow);
    kerfDown_->setAutoRepeat(true);
    kerfDown_->setFocusPolicy(Qt::NoFocus);
    connect(kerfUp_, &QToolButton::clicked, this, [this] { StepKerf(+1); });
    connect(kerfDown_, &QToolButton::clicked, this, [this] { StepKerf(-1); });

    // The title box looks like a label until it has the focus.
    titleBox_ = new QLineEdit(central_);
    titleBox_->setObjectName("titleBox");
    titleBox_->setFrame(false);
    titleBox_->setFont(UiFont(false, 11));
    titleBox_->installEventFilter(this);
    {
        QPalette pal = titleBox_->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Button));
        titleBox_->setPalette(pal);
    }
    connect(titleBox_, &QLineEdit::textEdited, this, [this](const QString& text) {
        job_.jobTitle = text.toStdString();
        if (planView_) planView_->title = job_.jobTitle;
        SetModified();
    });

    grid_ = new BarCutGrid(central_);
    grid_->setFont(UiFont(false, 9));
    grid_->SetPartCodesVisible(job_.showPartCodes);
    connect(grid_, &BarCutGrid::cellLeft, this, [this](int r, int c) { OnCellLeft(r, c); });
    connect(grid_, &BarCutGrid::enterPressed, this, [this](int r, int c) { OnEnterInCell(r, c); });
    connect(grid_, &BarCutGrid::cellFocused, this, [this] { UpdateEditMenu(); });
    connect(grid_, &BarCutGrid::upFromFirstRow, this, [this] {
        if (job_.stock.stockEntryCountInUse <= 1) stockBox_->setFocus(Qt::OtherFocusReason);
    });
    connect(grid_, &BarCutGrid::deleteSelectionRequested, this, [this] { DeleteCommand(); });
    connect(grid_, &BarCutGrid::insertSelectionRequested, this, [this] { InsertCommand(); });
    connect(grid_, &BarCutGrid::menuRequested, this,
            [this](const QPoint& pos) { ShowEditMenuAt(pos); });

    messageLabel_ = label(QString(), "messageLine");
    picture_ = new ResultPicture(central_);
    summaryHeader_ = label("棒材の数", "summaryHeader");
    summaryLabel_ = label(QString(), "resultLabel");
    summaryLabel_->setFont(UiFont(true, 9));
    summaryLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    calculateButton_ = button("計算", "calculate", [this] { Calculate(); });
    forceStopButton_ = button("強制終了", "forceStop", [this] { ForceStop(); });
    forceStopButton_->hide();
    resetButton_ = button("リセット", "reset", [this] { ResetCommand(); });
    quitButton_ = button("終了", "quit", [this] { QuitCommand(); });
    switchButton_ = button("表示切替", "switchDisplay", [this] { SwitchDisplay(); });
    printButton_ = button("印刷", "print", [this] { PrintCommand(); });
    saveButton_ = button("保存", "save", [this] { SaveCommand(); });
    multiButton_ = button("複数 棒材", "multiBouzai", [this] { OpenMultiBouzai(); });
    previousButton_ = button("前ページ", "previousPage", [this] { PreviousPage(); });
    nextButton_ = button("次ページ", "nextPage", [this] { NextPage(); });
    titleButton_ = button("表題挿入", "insertTitle", [this] { InsertTitle(); });

    // F1 anywhere in the window opens its help topic.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelpTopic(); });
}

void QuorlinWindow::BuildMenus() {
    auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys, const char* name,
                      auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        if (!keys.isEmpty()) {
            action->setShortcut(keys);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    fileMenu_ = menuBar()->addMenu("ファイル(&F)");
    fileMenu_->setObjectName("fileMenu");
    newAction_ =
        add(fileMenu_, "新規(&N)", QKeySequence("Ctrl+N"), "newAction", [this] { ResetCommand(); });
    fileMenu_->addSeparator();
    openAction_ =
        add(fileMenu_, "開く(&O)", QKeySequence("Ctrl+O"), "openAction", [this] { OpenCommand(); });
    saveAction_ =
        add(fileMenu_, "保存(&S)", QKeySequence("Ctrl+S"), "saveAction", [this] { SaveCommand(); });
    fileMenu_->addSeparator();
    // No Ctrl+X: in a box that key cuts text.
    quitAction_ = add(fileMenu_, "終了(&X)", {}, "quitAction", [this] { QuitCommand(); });

    // The editing keys of the boxes (Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+Z) stay with the text; the
    // row commands are reached by the menu, its pop-up and the Delete and Insert keys.
    editMenu_ = menuBar()->addMenu("編集(&E)");
    editMenu_->setObjectName("editMenu");
    undoAction_ = add(editMenu_, "元に戻す(&U)", {}, "undoAction", [this] { UndoCommand(); });
    editMenu_->addSeparator();
    cutAction_ = add(editMenu_, "切り取り(&T)", {}, "cutAction", [this] { CutCommand(); });
    copyAction_ = add(editMenu_, "コピー(&C)", {}, "copyAction", [this] { CopyCommand(); });
    pasteAction_ = add(editMenu_, "貼り付け(&P)", {}, "pasteAction", [this] { PasteCommand(); });
    editMenu_->addSeparator();
    insertAction_ = add(editMenu_, "挿入(&I)", {}, "insertAction", [this] { InsertCommand(); });
    deleteAction_ = add(editMenu_, "削除(&D)", {}, "deleteAction", [this] { DeleteCommand(); });
    connect(editMenu_, &QMenu::aboutToShow, this, [this] {
        CommitActiveCell();
        UpdateEditMenu();
    });

    optionMenu_ = menuBar()->addMenu("オプション(&O)");
    optionMenu_->setObjectName("optionMenu");
    partCodesAction_ =
        add(optionMenu_, "型番表示", {}, "partCodesAction", [this] { TogglePartCodes(); });
    partCodesAction_->setCheckable(true);
    partCodesAction_->setChecked(job_.showPartCodes);
    optimalAction_ =
        add(optionMenu_, "最適化計算", {}, "optimalAction", [this] { ToggleOptimalCalculation(); });
    optimalAction_->setCheckable(true);
    optimalAction_->setChecked(optimalCalculation_);

    helpMenu_ = menuBar()->addMenu("ヘルプ(&H)");
    helpMenu_->setObjectName("helpMenu");
    helpAction_ =
        add(helpMenu_, "トピックの検索(&H)", {}, "helpAction", [this] { ShowHelpTopic(); });
}

}  // namespace tvx::bar
