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

void ApplyPrinterChoice(const QPrinter& chosen, QPrinter& target) {
    if (chosen.outputFormat() == QPrinter::PdfFormat) {
        target.setOutputFormat(QPrinter::PdfFormat);
        target.setOutputFileName(chosen.outputFileName());
    } else {
        const QString wanted = chosen.printerName();
        for (const QString& name : InstalledPrinters()) {
            if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
                target.setOutputFormat(QPrinter::NativeFormat);
                target.setPrinterName(name);
                break;
            }
        }
    }
    const QPageSize size = chosen.pageLayout().pageSize();
    if (!size.isValid() || !target.setPageSize(size)) {
        ShowMessage(QString::fromUtf8(kPrinterSetupTitle), QString::fromUtf8(kBadPaperSizeMessage));
    }
    target.setPaperSource(chosen.paperSource());
    if (chosen.resolution() > 0) target.setResolution(chosen.resolution());
    target.setColorMode(chosen.colorMode());
    target.setDuplex(chosen.duplex());
    target.setPageOrientation(chosen.pageLayout().orientation());
    target.setCopyCount(chosen.copyCount());
}

bool ShowPrinterDialog(int /*flags*/, QWidget* owner) {
    QPrinter& current = CurrentPrinter();
    QPrinter draft(QPrinter::HighResolution);
    CopyPrinterSettings(current, draft);
    draft.setResolution(current.resolution());
    const bool confirmed = State().runner ? State().runner(draft, owner) : RunQtDialog(draft, owner);
    if (!confirmed) return false;
    ApplyPrinterChoice(draft, current);
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

const RememberedPrinter& Remembered() { return State().remembered; }

void SetPrinterDialogRunner(PrinterDialogRunner runner) { State().runner = std::move(runner); }
void SetPrinterMessageSink(PrinterMessageSink sink) { State().sink = std::move(sink); }
void SetPrinterNameSource(PrinterNameSource source) { State().names = std::move(source); }

}  // namespace tvx::gui
