// Start-up, settings and closing of the main window.

#include "panel/ui/size_wariate.h"
#include "panel/ui/keypad_letters.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "common/gui/help_viewer.h"
#include "common/gui/printer_setup.h"
#include "common/gui/settings_store.h"
#include "common/number_text.h"
#include "common/version_text.h"
#include "panel/model/panel_settings.h"
#include "panel/ui/cut_grid.h"

namespace tvx::panel {
namespace {

bool SettingIsTrue(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare("True", Qt::CaseInsensitive) == 0) return true;
    return LeadingNumber(trimmed.toStdString()) != 0.0;
}

// A switch the settings hold as "0" or "1": only 1 turns it on.
bool SettingSwitch(const QString& text) {
    return ClampToInt16(LeadingNumber(text.trimmed().toStdString())) == 1;
}

QString SettingSwitchText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

SizeWariate::SizeWariate(PanelJob& job, gui::SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), job_(job), settings_(settings) {
    setWindowTitle("Tavolex[*]");
    gui::RememberPrinter();
    ReadSettings();
    BuildControls();
    BuildMenus();
    resize(800, 580 + 24);
    ShowPage();
    ShowPanelSizes();
    LayoutWindow();
    UpdateEditMenu();
}

SizeWariate::~SizeWariate() {
    // A search still running works on copies, but reports to this window: end it first.
    if (layoutWatcher_ && layoutWatcher_->isRunning()) {
        searchControl_.RequestStop();
        layoutWatcher_->waitForFinished();
    }
}

void SizeWariate::ReadSettings() {
    currentPage_ = 0;
    job_.lastSizeIndex = -1;
    job_.kerf = ClampToInt16(LeadingNumber(settings_.GetText(kKerfKey, "0").toStdString()));
    job_.comIn = SettingIsTrue(settings_.GetText(kCommentInKey, "False"));
    job_.ktyFree = SettingSwitch(settings_.GetText(kPerRowTurnKey, "0"));
    job_.cutsell = SettingSwitch(settings_.GetText(kCutSaleKey, "0"));
    optimizeLayout_ = SettingIsTrue(settings_.GetTextIn(kOptimizeSection, kOptimizeKey, "False"));
}

void SizeWariate::WriteSettings() {
    settings_.SaveText(kKerfKey, QString::number(job_.kerf));
    settings_.SaveText(kCommentInKey, job_.comIn ? "True" : "False");
    settings_.SaveText(kPerRowTurnKey, SettingSwitchText(job_.ktyFree));
    settings_.SaveText(kCutSaleKey, SettingSwitchText(job_.cutsell));
    settings_.SaveTextIn(kOptimizeSection, kOptimizeKey, optimizeLayout_ ? "True" : "False");
}

void SizeWariate::QuitCommand() {
    if (!CommitActiveCell()) return;
    if (!ConfirmDiscard()) return;
    WriteSettings();
    quitting_ = true;
    close();
}

void SizeWariate::closeEvent(QCloseEvent* event) {
    if (layoutRunning_) {
        // The search runs on; ask it to stop and close when it has returned (FinishLayout).
        searchControl_.RequestStop();
        closeAfterLayout_ = true;
        event->ignore();
        return;
    }
    // The close box is not locked: the rows finish moving first.
    if (rowStepsRunning_) {
        event->ignore();
        return;
    }
    // The close box asks about unsaved changes as "終了" does (without writing the settings).
    if (!quitting_ && (!CommitActiveCell() || !ConfirmDiscard())) {
        event->ignore();
        return;
    }
    gui::HelpViewer::Instance().CloseAll();
    event->accept();
    QApplication::processEvents();
}

void SizeWariate::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Without a window manager the window is never activated; the first showing counts.
    if (firstActivation_) QTimer::singleShot(0, this, [this] { FirstActivation(); });
}

void SizeWariate::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && firstActivation_)
        FirstActivation();
}

void SizeWariate::ShowHelpTopic() {
    gui::HelpViewer::Instance().ShowTopic(kMainWindowHelpContext);
}

void SizeWariate::ShowVersion() {
    if (!CommitActiveCell()) return;
    QMessageBox box(QMessageBox::NoIcon, "Tavolexのバージョン情報",
                    QString::fromStdString(TavolexVersionBoxLine()) +
                        "\r\n\r\n"
                        "パネル材の木取りと切断計画のためのプログラムです。\r\n",
                    QMessageBox::Ok, this);
    box.exec();
}

void SizeWariate::SetMessage(const QString& text) {
    messageLabel_->setText(text);
}

}  // namespace tvx::panel
