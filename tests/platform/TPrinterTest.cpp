#include "platform/TPrinter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/Exception.h"
#include "platform/TCanvas.h"
#include "tests/support/OutsideProgram.h"
#include "tests/support/TestSupport.h"

namespace {

class TPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FFile = QString::fromStdString(
        (FreshTestDir(std::string("TPrinterTest.") +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name()) /
         "out.pdf")
            .string());
  }

  QString FFile;
};

TEST_F(TPrinterTest, PdfPagesHaveTheGivenSizeAndResolution) {
  TPrinter printer;
  printer.SetPdfOutput(FFile, QSizeF(254, 127), 300);  // 10 x 5 inches
  EXPECT_EQ(printer.GetPageWidth(), 3000);
  EXPECT_EQ(printer.GetPageHeight(), 1500);
  EXPECT_EQ(printer.GetXPixelsPerInch(), 300);
  printer.SetOrientation(poLandscape);
  EXPECT_EQ(printer.GetPageWidth(), 1500);
  printer.SetOrientation(poPortrait);

  printer.SetTitle("Chart1");
  printer.BeginDoc();
  EXPECT_TRUE(printer.GetPrinting());
  EXPECT_EQ(printer.GetCanvas().GetPixelsPerInch(), 300);
  EXPECT_EQ(printer.GetCanvas().GetClipBox(), TRect(0, 0, 3000, 1500));
  printer.GetCanvas().Rectangle(100, 100, 1000, 400);
  EXPECT_THROW(printer.SetOrientation(poLandscape), EPrinter);
  EXPECT_THROW(printer.BeginDoc(), EPrinter);
  printer.NewPage();
  EXPECT_EQ(printer.GetPageNumber(), 2);
  printer.GetCanvas().TextOut(100, 100, "page 2");
  printer.EndDoc();
  EXPECT_FALSE(printer.GetPrinting());
  EXPECT_EQ(PdfPageCount(FFile), 2);
}

TEST_F(TPrinterTest, MisuseRaisesAndAbortLeavesNoDocument) {
  TPrinter printer;
  printer.SetPdfOutput(FFile, QSizeF(210, 297), 72);
  EXPECT_THROW(printer.EndDoc(), EPrinter);
  EXPECT_THROW(printer.NewPage(), EPrinter);
  EXPECT_THROW(printer.GetCanvas(), EPrinter);
  printer.Abort();  // nothing to abort: no effect
  printer.BeginDoc();
  printer.GetCanvas().Rectangle(10, 10, 100, 100);
  printer.Abort();
  EXPECT_TRUE(printer.GetAborted());
  EXPECT_FALSE(printer.GetPrinting());
  EXPECT_FALSE(QFile::exists(FFile));
  EXPECT_THROW(printer.SetPdfOutput(FFile, QSizeF(0, 10), 72), EPrinter);
}

TEST_F(TPrinterTest, NoPrinterIsAClearFailure) {
  TPrinter printer;
  if (!printer.Printers().isEmpty()) GTEST_SKIP() << "this machine has a printer";
  EXPECT_FALSE(printer.HasPrinter());
  EXPECT_THROW(printer.GetPageWidth(), EPrinter);
  try {
    printer.BeginDoc();
    FAIL() << "printing without a printer";
  } catch (const EPrinter& e) {
    EXPECT_EQ(e.Message(), "There is no default printer currently selected");
  }
  EXPECT_FALSE(printer.GetPrinting());
  EXPECT_THROW(printer.SetPrinterIndex(0), EPrinter);
}

TEST_F(TPrinterTest, PdfPrintersStandInForTheInstalledOnes) {
  TPrinter printer;
  const QString Second = FFile + ".second.pdf";
  printer.SetPdfPrinters(
      {{"A4", FFile, QSizeF(210, 297), 72}, {"A5", Second, QSizeF(148, 210), 72}});
  EXPECT_EQ(printer.Printers(), QStringList({"A4", "A5"}));
  EXPECT_EQ(printer.GetPrinterIndex(), 0);
  EXPECT_TRUE(printer.HasPrinter());
  EXPECT_EQ(printer.GetPageWidth(), 595);
  printer.SetPrinterIndex(1);
  EXPECT_EQ(printer.GetPageWidth(), 420);
  printer.BeginDoc();
  printer.EndDoc();
  EXPECT_EQ(PdfPageCount(Second), 1);
  EXPECT_FALSE(QFile::exists(FFile));
  EXPECT_THROW(printer.SetPdfPrinters({{"Bad", QString(), QSizeF(210, 297), 72}}), EPrinter);
  printer.SetPdfPrinters({});
  EXPECT_EQ(printer.Printers(), QPrinterInfo::availablePrinterNames());
}

TEST_F(TPrinterTest, APdfFileIsAlwaysAChoiceAndIsNamedBeforeThePrintStarts) {
  TPrinter printer;
  const QStringList installed = printer.Printers();
  ASSERT_EQ(printer.Choices(), QStringList(installed) << TPrinter::PdfFileChoice);
  printer.SetOrientation(poLandscape);
  printer.SetChoiceIndex(static_cast<int>(installed.size()));
  EXPECT_TRUE(printer.GetPdfFileChosen());
  EXPECT_TRUE(printer.HasPrinter());
  EXPECT_EQ(printer.GetChoiceIndex(), installed.size());
  EXPECT_EQ(printer.GetOrientation(), poLandscape);
  EXPECT_EQ(printer.GetXPixelsPerInch(), 300);
  EXPECT_GT(printer.GetPageWidth(), printer.GetPageHeight());
  try {
    printer.BeginDoc();
    FAIL() << "printing into a file nobody named";
  } catch (const EPrinter& e) {
    EXPECT_EQ(e.Message(), "No PDF file was named to print into");
  }
  printer.SetPdfFileName(FFile);
  printer.BeginDoc();
  printer.GetCanvas().Rectangle(10, 10, 100, 100);
  printer.NewPage();
  printer.EndDoc();
  EXPECT_EQ(PdfPageCount(FFile), 2);
  EXPECT_EQ(printer.GetPdfFileName(), FFile);
}

TEST_F(TPrinterTest, WhatAPrintDialogChoseIsTakenOver) {
  TPrinter printer;
  const QString Second = FFile + ".second.pdf";
  printer.SetPdfPrinters({{"A4", FFile, QSizeF(210, 297), 72}});
  EXPECT_EQ(printer.Choices(), QStringList({"A4", TPrinter::PdfFileChoice}));
  // The dialog kept the stand-in printer's file: still that printer.
  printer.AdoptDialogChoice();
  EXPECT_FALSE(printer.GetPdfFileChosen());
  EXPECT_EQ(printer.GetChoiceIndex(), 0);
  // The dialog printed into a file of the user's.
  printer.QtPrinter()->setOutputFileName(Second);
  printer.AdoptDialogChoice();
  EXPECT_TRUE(printer.GetPdfFileChosen());
  EXPECT_EQ(printer.GetChoiceIndex(), 1);
  printer.BeginDoc();
  printer.EndDoc();
  EXPECT_EQ(PdfPageCount(Second), 1);
  EXPECT_THROW(TPrinter().SetPdfFileName(FFile), EPrinter);
  printer.SetPdfPrinters({});
}

}  // namespace
