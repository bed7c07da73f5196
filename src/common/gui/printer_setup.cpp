#include "common/gui/printer_setup.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <memory>

namespace tvx::gui {

namespace {

struct SetupState {
    std::unique_ptr<QPrinter> printer;
    RememberedPrinter remembered;
    PrinterDialogRunner runner;
    PrinterMessageSink sink;
    PrinterNameSource names;
};

SetupState& State() {
    static SetupState state;
    return state;
}

bool RunQtDialog(QPrinter& draft, QWidget* owner) {
    QPrintDialog dialog(&draft, owner);
    dialog.setWindowTitle(QString::fromUtf8(kPrinterSetupTitle));
    return dialog.exec() == QDialog::Accepted;
}

void ShowMessage(const QString& title, const QString& text) {
    if (State().sink) {
        State().sink(title, text);
        return;
    }
    QMessageBox::warning(nullptr, title, text, QMessageBox::Ok);
}

QStringList InstalledPrinters() {
    return State().names ? State().names() : QPrinterInfo::availablePrinterNames();
}

}  // namespace

QPrinter& CurrentPrinter() {
    SetupState& state = State();
    if (!state.printer) state.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *state.printer;
}

void CopyPrinterSettings(const QPrinter& from, QPrinter& to) {
    if (from.outputFormat() == QPrinter::PdfFormat) {
        to.setOutputFormat(QPrinter::PdfFormat);
        to.setOutputFileName(from.outputFileName());
    } else {
        to.setPrinterName(from.printerName());
    }
    to.setPageLayout(from.pageLayout());
    to.setPaperSource(from.paperSource());
    to.setColorMode(from.colorMode());
    to.setDuplex(from.duplex());
    to.setCopyCount(from.copyCount());
}

PrinterChoice ReadPrinterChoice(const QPrinter& printer) {
    PrinterChoice c;
    c.toFile = printer.outputFormat() == QPrinter::PdfFormat;
    c.fileName = printer.outputFileName();
    c.deviceName = printer.printerName();
    c.pageSize = printer.pageLayout().pageSize();
    c.orientation = printer.pageLayout().orientation();
    c.paperBin = printer.paperSource();
    c.resolution = printer.resolution();
    c.colorMode = printer.colorMode();
    c.duplex = printer.duplex();
    c.copies = printer.copyCount();
    return c;
}

QString MatchInstalledPrinter(const QString& wanted, const QStringList& installed) {
    for (const QString& name : installed) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) return name;
    }
    return {};
}

void ApplyPrinterChoice(const PrinterChoice& choice, QPrinter& target) {
    if (choice.toFile) {
        target.setOutputFormat(QPrinter::PdfFormat);
        target.setOutputFileName(choice.fileName);
    } else {
        const QString name = MatchInstalledPrinter(choice.deviceName, InstalledPrinters());
        if (!name.isEmpty()) {
            target.setOutputFormat(QPrinter::NativeFormat);
            target.setPrinterName(name);
        }
    }
    if (!choice.pageSize.isValid() || !target.setPageSize(choice.pageSize)) {
        ShowMessage(QString::fromUtf8(kPrinterSetupTitle), QString::fromUtf8(kBadPaperSizeMessage));
    }
    target.setPaperSource(choice.paperBin);
    if (choice.resolution > 0) target.setResolution(choice.resolution);
    target.setColorMode(choice.colorMode);
    target.setDuplex(choice.duplex);
    target.setPageOrientation(choice.orientation);
    if (choice.copies > 0) target.setCopyCount(choice.copies);
}

bool ShowPrinterDialog(int /*flags*/, QWidget* owner) {
    QPrinter& current = CurrentPrinter();
    QPrinter draft(QPrinter::HighResolution);
    CopyPrinterSettings(current, draft);
    draft.setResolution(current.resolution());
    const bool confirmed =
        State().runner ? State().runner(draft, owner) : RunQtDialog(draft, owner);
    if (!confirmed) return false;
    ApplyPrinterChoice(ReadPrinterChoice(draft), current);
    return true;
}

bool SelectPrinter(const QString& deviceName, const QPageSize& pageSize,
                   QPageLayout::Orientation orientation, QPrinter::PaperSource paperBin) {
    QPrinter& current = CurrentPrinter();
    for (const QString& name : InstalledPrinters()) {
        if (name == deviceName) {
            current.setOutputFormat(QPrinter::NativeFormat);
            current.setPrinterName(name);
            break;
        }
    }
    if (pageSize.isValid()) current.setPageSize(pageSize);
    current.setPageOrientation(orientation);
    current.setPaperSource(paperBin);
    return current.printerName() == deviceName;
}

void RememberPrinter() {
    const QPrinter& current = CurrentPrinter();
    RememberedPrinter& remembered = State().remembered;
    remembered.deviceName = current.printerName();
    remembered.pageSize = current.pageLayout().pageSize();
    remembered.orientation = current.pageLayout().orientation();
    remembered.paperBin = current.paperSource();
}

bool RestorePrinter() {
    const RememberedPrinter& r = State().remembered;
    return SelectPrinter(r.deviceName, r.pageSize, r.orientation, r.paperBin);
}

const RememberedPrinter& Remembered() {
    return State().remembered;
}

void SetPrinterDialogRunner(PrinterDialogRunner runner) {
    State().runner = std::move(runner);
}
void SetPrinterMessageSink(PrinterMessageSink sink) {
    State().sink = std::move(sink);
}
void SetPrinterNameSource(PrinterNameSource source) {
    State().names = std::move(source);
}

}  // namespace tvx::gui
