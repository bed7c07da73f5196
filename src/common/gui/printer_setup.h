#pragma once
// The printer and paper choice both programs share: one current printer for the run, a
// remembered choice re-applied before every print, and the print dialog in between.
// Calling order of every print command: RestorePrinter(); if ShowPrinterDialog(...) then
// RememberPrinter() and print; otherwise do nothing. At start-up RememberPrinter() once.

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <functional>

class QWidget;

namespace tvx::gui {

inline constexpr int kPrintSetupFlag = 64;
inline constexpr const char* kPrinterSetupTitle = "プリンタの設定";
inline constexpr const char* kBadPaperSizeMessage = "指定された用紙サイズが不正です";

// What is remembered between prints (in memory only, for the run).
struct RememberedPrinter {
    QString deviceName;
    QPageSize pageSize;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPrinter::PaperSource paperBin = QPrinter::Auto;
};

// The program's current printer (created on first use).
QPrinter& CurrentPrinter();

// Shows the print dialog on a copy of the current printer; on confirmation applies the choice
// to the current printer and returns true. Cancelling returns false and changes nothing.
bool ShowPrinterDialog(int flags, QWidget* owner);

// Makes the installed printer named `deviceName` current (when there is one), then applies
// paper size, orientation and paper bin, ignoring refusals. True when the current printer's
// name equals `deviceName` afterwards.
bool SelectPrinter(const QString& deviceName, const QPageSize& pageSize,
                   QPageLayout::Orientation orientation, QPrinter::PaperSource paperBin);

void RememberPrinter();
bool RestorePrinter();
const RememberedPrinter& Remembered();

// What the user chose in the dialog.
struct PrinterChoice {
    QString deviceName;
    bool toFile = false;  // print to a PDF file
    QString fileName;
    QPageSize pageSize;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPrinter::PaperSource paperBin = QPrinter::Auto;
    int resolution = 0;
    QPrinter::ColorMode colorMode = QPrinter::Color;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    int copies = 1;
};
PrinterChoice ReadPrinterChoice(const QPrinter& printer);

// The installed printer whose name equals `wanted` without regard to case, or empty.
QString MatchInstalledPrinter(const QString& wanted, const QStringList& installed);

// Applies a choice to `target`: the printer (matched among the installed ones, or the PDF file
// output), the paper size (a refused size is reported through the message sink and the rest
// is still applied), source, resolution, colour mode, duplex, orientation and copies.
void ApplyPrinterChoice(const PrinterChoice& choice, QPrinter& target);

// Copies every setting the dialog can change from one printer to another.
void CopyPrinterSettings(const QPrinter& from, QPrinter& to);

// Seams for tests and headless runs. The runner shows the dialog on the draft printer and
// returns whether the user confirmed; the sink shows a message box (title, text).
using PrinterDialogRunner = std::function<bool(QPrinter& draft, QWidget* owner)>;
using PrinterMessageSink = std::function<void(const QString& title, const QString& text)>;
void SetPrinterDialogRunner(PrinterDialogRunner runner);  // empty = Qt's print dialog
void SetPrinterMessageSink(PrinterMessageSink sink);      // empty = a message box
// The names of the installed printers (replaceable for tests).
using PrinterNameSource = std::function<QStringList()>;
void SetPrinterNameSource(PrinterNameSource source);

}  // namespace tvx::gui
