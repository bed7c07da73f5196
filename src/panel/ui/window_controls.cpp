// Creating the main window's controls and menus.

#include <QAction>
#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

#include "common/version_text.h"
#include "panel/ui/keypad_letters.h"
#include "panel/ui/size_wariate.h"

namespace tvx::panel {
namespace {

// The nearest Debian faces to the Japanese Gothic faces the window was drawn for.
QFont UiFont(bool fixedPitch) {
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
    font.setPointSize(9);
    return font;
}

}  // namespace

void SizeWariate::BuildControls() {
    central_ = new QWidget(this);
    setCentralWidget(central_);
    central_->setFont(UiFont(false));

    auto label = [&](const QString& text) {
        auto* l = new QLabel(text, central_);
        return l;
    };
    auto numeric = [&](QWidget* owner) {
        auto* box = new NumericEdit(owner);
        box->installEventFilter(this);
        return box;
    };

    titleLabel_ = label("＜Tavolex＞");
    QFont titleFont = UiFont(true);
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    titleLabel_->setFont(titleFont);
    versionLabel_ = label(QString::fromStdString(FullWidthVersionLabel()));
    versionLabel_->setObjectName("versionLabel");
    versionLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    panelHeading_ = label("パネルサイズ");
    heightLabel_ = label("（高さ）");
    widthLabel_ = label("（幅）");
    priceLabel_ = label("(金額)");
    heightBox_ = numeric(central_);
    widthBox_ = numeric(central_);
    priceBox_ = numeric(central_);
    for (QLabel*& stock : stockLabels_) {
        stock = label(QString());
        stock->setFont(UiFont(true));
    }
    multiPanelButton_ = new QPushButton(" 複数  パネル ", central_);
    kerfLabel_ = label("切断幅");
    kerfBox_ = numeric(central_);
    kerfBox_->setText("0");
    kerfUp_ = new QToolButton(central_);
    kerfUp_->setArrowType(Qt::UpArrow);
    kerfUp_->setAutoRepeat(true);
    kerfUp_->setFocusPolicy(Qt::NoFocus);
    kerfDown_ = new QToolButton(central_);
    kerfDown_->setArrowType(Qt::DownArrow);
    kerfDown_->setAutoRepeat(true);
    kerfDown_->setFocusPolicy(Qt::NoFocus);
    rotateAllBox_ = new QCheckBox("縦横自由", central_);

    gridHeading_ = label("カットサイズ");
    const char* headings[5] = {"（高さ）", "（幅）", "（枚数）", "（コメント）", "(縦横)"};
    for (auto& block : columnHeadings_) {
        for (int c = 0; c < 5; ++c) {
            block[static_cast<std::size_t>(c)] = label(headings[c]);
            block[static_cast<std::size_t>(c)]->setAlignment(Qt::AlignCenter);
        }
        block[4]->setFont(UiFont(true));
    }
    for (int r = 0; r < kGridRows; ++r) {
        QLabel* rowLabel = label(QString());
        rowLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rowLabel->setObjectName(QString("rowLabel%1").arg(r));
        rowLabel->installEventFilter(this);  // a drag over the labels selects rows
        rowLabels_[static_cast<std::size_t>(r)] = rowLabel;
        for (int c = 0; c < 4; ++c) {
            QLineEdit* box = c < 3 ? numeric(central_) : new QLineEdit(central_);
            if (c == 3) box->installEventFilter(this);
            if (c < 3) box->setAlignment(Qt::AlignRight);
            box->setObjectName(QString("cell%1").arg(r * 4 + c));
            cells_[static_cast<std::size_t>(r * 4 + c)] = box;
        }
        auto* turn = new QCheckBox(central_);
        turnBoxes_[static_cast<std::size_t>(r)] = turn;
        connect(turn, &QCheckBox::clicked, this, [this, r](bool on) { OnRowTurnToggled(r, on); });
    }
    // Tab order follows the rows.
    for (int i = 1; i < kGridCells; ++i)
        setTabOrder(cells_[static_cast<std::size_t>(i - 1)], cells_[static_cast<std::size_t>(i)]);

    commentButton_ = new QPushButton("コメント欄", central_);
    previousPageButton_ = new QPushButton("前ﾍﾟｰｼﾞ", central_);
    nextPageButton_ = new QPushButton("次ﾍﾟｰｼﾞ", central_);
    autoCutButton_ = new QPushButton("自動カット", central_);
    manualCutButton_ = new QPushButton("手動カット", central_);
    resetButton_ = new QPushButton("リセット", central_);
    quitButton_ = new QPushButton("終了", central_);
    forceStopButton_ = new QPushButton("強制終了", central_);
    messageLabel_ = label(QString());
    messageLabel_->setObjectName("messageLine");
    heightBox_->setObjectName("heightBox");
    widthBox_->setObjectName("widthBox");
    priceBox_->setObjectName("priceBox");
    kerfBox_->setObjectName("kerfBox");
    autoCutButton_->setObjectName("autoCutButton");
    resetButton_->setObjectName("resetButton");
    quitButton_->setObjectName("quitButton");

    connect(heightBox_, &QLineEdit::textChanged, this, [this] { OnPanelBoxChanged(); });
    connect(widthBox_, &QLineEdit::textChanged, this, [this] { OnPanelBoxChanged(); });
    connect(priceBox_, &QLineEdit::textChanged, this, [this] { OnPanelBoxChanged(); });
    connect(kerfBox_, &QLineEdit::textChanged, this, [this] { OnKerfChanged(); });
    // What the user types into the boxes changes the job; the window's own updates do not.
    for (QLineEdit* box : {static_cast<QLineEdit*>(heightBox_), static_cast<QLineEdit*>(widthBox_),
                           static_cast<QLineEdit*>(priceBox_), static_cast<QLineEdit*>(kerfBox_)})
        connect(box, &QLineEdit::textEdited, this, [this] { SetModified(); });
    connect(kerfUp_, &QToolButton::clicked, this, [this] { StepKerf(+1); });
    connect(kerfDown_, &QToolButton::clicked, this, [this] { StepKerf(-1); });
    connect(rotateAllBox_, &QCheckBox::clicked, this, [this](bool on) { OnRotateAllToggled(on); });
    connect(multiPanelButton_, &QPushButton::clicked, this, [this] { OpenMultiPanel(); });
    connect(commentButton_, &QPushButton::clicked, this, [this] { ToggleCommentColumn(); });
    connect(previousPageButton_, &QPushButton::clicked, this, [this] { PreviousPage(); });
    connect(nextPageButton_, &QPushButton::clicked, this, [this] { NextPage(); });
    connect(autoCutButton_, &QPushButton::clicked, this, [this] { AutoCut(); });
    connect(manualCutButton_, &QPushButton::clicked, this, [this] { ManualCut(); });
    connect(resetButton_, &QPushButton::clicked, this, [this] { ResetJobCommand(); });
    connect(quitButton_, &QPushButton::clicked, this, [this] { QuitCommand(); });
    connect(forceStopButton_, &QPushButton::clicked, this, [this] { ForceStop(); });

    // F1 anywhere in the window opens its help topic.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelpTopic(); });
}

void SizeWariate::BuildMenus() {
    auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys, auto slot) {
        QAction* action = menu->addAction(text);
        if (!keys.isEmpty()) {
            action->setShortcut(keys);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    fileMenu_ = menuBar()->addMenu("ファイル(&F)");
    newAction_ = add(fileMenu_, "新規(&N)" + QString(21, ' '), QKeySequence("Ctrl+N"),
                     [this] { ResetJobCommand(); });
    newAction_->setObjectName("newAction");
    fileMenu_->addSeparator();
    openAction_ = add(fileMenu_, "開く(&O)", QKeySequence("Ctrl+O"), [this] { OpenCommand(); });
    openAction_->setObjectName("openAction");
    saveAction_ = add(fileMenu_, "保存(&S)", QKeySequence("Ctrl+S"), [this] { SaveCommand(); });
    fileMenu_->addSeparator();
    // Ctrl+X quits from anywhere but a text box, where it cuts the box's text.
    quitAction_ = add(fileMenu_, "終了(&X)", QKeySequence("Ctrl+X"), [this] { QuitCommand(); });
    quitAction_->setObjectName("quitAction");

    editMenu_ = menuBar()->addMenu("編集(&E)");
    editMenu_->setObjectName("editMenu");
    undoAction_ = add(editMenu_, "元に戻す(&U)", QKeySequence("Ctrl+U"), [this] { UndoCommand(); });
    editMenu_->addSeparator();
    cutAction_ = add(editMenu_, "切り取り(&T)", {}, [this] { CutCommand(); });
    copyAction_ = add(editMenu_, "コピー(&C)", {}, [this] { CopyCommand(); });
    pasteAction_ = add(editMenu_, "貼り付け(&P)", {}, [this] { PasteCommand(); });
    editMenu_->addSeparator();
    insertAction_ = add(editMenu_, "挿入(&I)", {}, [this] { InsertCommand(); });
    deleteAction_ = add(editMenu_, "削除(&D)", {}, [this] { DeleteCommand(); });
    connect(editMenu_, &QMenu::aboutToShow, this, [this] {
        CommitActiveCell();
        UpdateEditMenu();
    });

    QMenu* options = menuBar()->addMenu("オプション(&O)");
    cutsellAction_ = add(options, "切売り価格(&U)", {}, [this] { ToggleCutsell(); });
    cutsellAction_->setCheckable(true);
    cutsellAction_->setChecked(job_.cutsell);
    ktyFreeAction_ = add(options, "個別縦横自由(&K)", {}, [this] { ToggleKtyFree(); });
    ktyFreeAction_->setCheckable(true);
    ktyFreeAction_->setChecked(job_.ktyFree);
    optimizeAction_ = add(options, "最適化レイアウト", {},
                          [this] { optimizeLayout_ = optimizeAction_->isChecked(); });
    optimizeAction_->setObjectName("optimizeLayoutAction");
    optimizeAction_->setCheckable(true);
    optimizeAction_->setChecked(optimizeLayout_);

    QMenu* help = menuBar()->addMenu("ヘルプ(&H)");
    helpTopicAction_ =
        add(help, "トピックの検索(&H)", QKeySequence("Ctrl+H"), [this] { ShowHelpTopic(); });
    versionAction_ = add(help, "バージョン情報(&A)", {}, [this] { ShowVersion(); });
}

}  // namespace tvx::panel
