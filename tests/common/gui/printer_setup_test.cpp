#include <gtest/gtest.h>
#include <QPageSize>

#include "common/gui/printer_setup.h"

namespace tvx::gui {
namespace {

class PrinterSetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetPrinterMessageSink([this](const QString& title, const QString& text) {
            messages.push_back(title + "|" + text);
        });
        SetPrinterNameSource([] { return QStringList{QStringLiteral("Office-Laser")}; });
        QPrinter& p = CurrentPrinter();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setPageSize(QPageSize(QPageSize::A4));
        p.setPageOrientation(QPageLayout::Portrait);
    }
    void TearDown() override {
        SetPrinterDialogRunner({});
        SetPrinterMessageSink({});
        SetPrinterNameSource({});
    }
    std::vector<QString> messages;
};

TEST_F(PrinterSetupTest, CancellingLeavesRememberedAndCurrentSettings) {
    RememberPrinter();
    const RememberedPrinter before = Remembered();
    SetPrinterDialogRunner([](QPrinter& draft, QWidget*) {
        draft.setPageSize(QPageSize(QPageSize::A3));
        draft.setPageOrientation(QPageLayout::Landscape);
        return false;
    });
    EXPECT_FALSE(ShowPrinterDialog(kPrintSetupFlag, nullptr));
    EXPECT_TRUE(CurrentPrinter().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A4)));
    EXPECT_EQ(CurrentPrinter().pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_TRUE(Remembered().pageSize.isEquivalentTo(before.pageSize));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PrinterSetupTest, ConfirmingAppliesTheChoiceAndRememberRestoreBringItBack) {
    SetPrinterDialogRunner([](QPrinter& draft, QWidget*) {
        draft.setPageSize(QPageSize(QPageSize::A3));
        draft.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    EXPECT_TRUE(ShowPrinterDialog(kPrintSetupFlag, nullptr));
    EXPECT_TRUE(CurrentPrinter().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A3)));
    EXPECT_EQ(CurrentPrinter().pageLayout().orientation(), QPageLayout::Landscape);
    RememberPrinter();
    CurrentPrinter().setPageSize(QPageSize(QPageSize::B5));
    CurrentPrinter().setPageOrientation(QPageLayout::Portrait);
    RestorePrinter();
    EXPECT_TRUE(CurrentPrinter().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A3)));
    EXPECT_EQ(CurrentPrinter().pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(PrinterSetupTest, ARefusedPaperSizeIsReportedOnceAndTheRestStillApplied) {
    PrinterChoice choice = ReadPrinterChoice(CurrentPrinter());
    choice.pageSize = QPageSize();  // no valid size
    choice.orientation = QPageLayout::Landscape;
    choice.copies = 3;
    ApplyPrinterChoice(choice, CurrentPrinter());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QString::fromUtf8("プリンタの設定|指定された用紙サイズが不正です"));
    EXPECT_EQ(CurrentPrinter().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(CurrentPrinter().copyCount(), 3);
}

TEST_F(PrinterSetupTest, AUserDefinedPaperSizeKeepsItsLengthAndWidth) {
    PrinterChoice choice = ReadPrinterChoice(CurrentPrinter());
    choice.pageSize =
        QPageSize(QSizeF(300, 450), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    ApplyPrinterChoice(choice, CurrentPrinter());
    const QSizeF size = CurrentPrinter().pageLayout().pageSize().size(QPageSize::Millimeter);
    EXPECT_NEAR(size.width(), 300, 0.5);
    EXPECT_NEAR(size.height(), 450, 0.5);
    EXPECT_TRUE(messages.empty());
    EXPECT_NEAR(ReadPrinterChoice(CurrentPrinter()).pageSize.size(QPageSize::Millimeter).height(),
                450, 0.5);
}

TEST_F(PrinterSetupTest, PrinterNamesMatchWithoutRegardToCase) {
    const QStringList installed{QStringLiteral("Plotter"), QStringLiteral("Office-Laser")};
    EXPECT_EQ(MatchInstalledPrinter(QStringLiteral("office-laser"), installed),
              QStringLiteral("Office-Laser"));
    EXPECT_TRUE(MatchInstalledPrinter(QStringLiteral("Office"), installed).isEmpty());
}

TEST_F(PrinterSetupTest, SelectingAMissingPrinterKeepsTheCurrentOneButAppliesThePaper) {
    EXPECT_FALSE(SelectPrinter(QStringLiteral("No Such Printer"), QPageSize(QPageSize::B4),
                               QPageLayout::Landscape, QPrinter::Auto));
    EXPECT_TRUE(CurrentPrinter().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::B4)));
    EXPECT_EQ(CurrentPrinter().pageLayout().orientation(), QPageLayout::Landscape);
}

}  // namespace
}  // namespace tvx::gui
