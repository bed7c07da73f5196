// Start-up, settings, help and closing of Quorlin's main window.

#include "bar/ui/quorlin_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "bar/model/bar_settings.h"
#include "bar/ui/bar_cut_grid.h"
#include "common/gui/help_viewer.h"
#include "common/gui/numeric_edit.h"
#include "common/gui/printer_setup.h"
#include "common/gui/settings_store.h"

namespace tvx::bar {

QuorlinWindow::QuorlinWindow(BarJob& job, gui::SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), job_(job), settings_(settings) {
    setObjectName("quorlinWindow");
    setWindowTitle("Quorlin[*]");
    ReadSettings();
    gui::RememberPrinter();
    BuildControls();
    BuildMenus();
    connect(&watcher_, &QFutureWatcher<BarPlan>::finished, this,
            [this] { OnCalculationFinished(); });
    searchControl_.onProgress = [this](const SearchProgress& progress) {
        QMetaObject::invokeMethod(
            this, [this, progress] { emit calculationProgress(progress); }, Qt::QueuedConnection);
    };
    resize(900, 640);
    ShowPage();
    ShowKerf();
    ShowStockDisplay();
    LayoutWindow();
    ClearPlanDisplay();
    UpdateEditMenu();
}

QuorlinWindow::~QuorlinWindow() {
    // A search still running works on its own copy; ask it to stop and wait for it.
    if (calculating_) {
        searchControl_.RequestStop();
        watcher_.waitForFinished();
    }
}

void QuorlinWindow::ReadSettings() {
    const QString kerf = settings_.GetText(kKerfKey);
    const QString codes = settings_.GetText(kPartCodesKey);
    const BarSettings read = ParseBarSettings(
        kerf.isNull() ? std::nullopt : std::optional<std::string>(kerf.toStdString()),
        codes.isNull() ? std::nullopt : std::optional<std::string>(codes.toStdString()));
    job_.kerf = read.kerf;
    job_.showPartCodes = read.showPartCodes;
    job_.cutList.pageTop = 0;
    const QString optimal = settings_.GetTextIn(kOptimalSection, kOptimalKey, "False").trimmed();
    optimalCalculation_ = optimal.compare("True", Qt::CaseInsensitive) == 0;
}

void QuorlinWindow::WriteSettings() {
    // Key by key: the store keeps whatever else the file holds, also the other program's keys.
    settings_.SaveText(kKerfKey, QString::fromStdString(KerfSettingText(job_.kerf)));
    settings_.SaveText(kPartCodesKey,
                       QString::fromStdString(PartCodesSettingText(job_.showPartCodes)));
    settings_.SaveTextIn(kOptimalSection, kOptimalKey, optimalCalculation_ ? "True" : "False");
}

void QuorlinWindow::QuitCommand() {
    if (!CommitActiveCell()) return;
    if (!ConfirmDiscard()) return;
    WriteSettings();
    quitting_ = true;
    close();
}

void QuorlinWindow::closeEvent(QCloseEvent* event) {
    if (calculating_) {
        // Stop the search first; the window closes when it has returned.
        closeAfterCalculation_ = true;
        searchControl_.RequestStop();
        event->ignore();
        return;
    }
    // The close box is not locked: the rows finish moving first.
    if (rowStepsRunning_) {
        event->ignore();
        return;
    }
    if (!quitting_ && !ConfirmDiscard()) {
        event->ignore();
        return;
    }
    gui::HelpViewer::Instance().CloseAll();
    event->accept();
}

void QuorlinWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Without a window manager the window is never activated; the first showing counts.
    if (firstActivation_) QTimer::singleShot(0, this, [this] { FirstActivation(); });
}

void QuorlinWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && firstActivation_)
        FirstActivation();
}

void QuorlinWindow::ShowHelpTopic() {
    gui::HelpViewer::Instance().ShowTopic(kQuorlinHelpContext);
}

void QuorlinWindow::SetMessage(const QString& text) {
    messageLabel_->setText(text);
}

void QuorlinWindow::SetModified() {
    modified_ = true;
    setWindowModified(true);
}

void QuorlinWindow::JobChanged() {
    SetModified();
    MarkPlanOutOfDate();
}

}  // namespace tvx::bar
