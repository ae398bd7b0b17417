#include "chart/editor/TChartPreview.h"

#include "chart/editor/ChartPreview.h"
#include "chart/editor/TChartEditor.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TChartPageNavigator.h"
#include "chart/editor/TChartPreviewer.h"
#include "chart/editor/TKorPreviewPanel.h"
#include "chart/series/TLineSeries.h"
#include "tests/chart/editor/ExportTestChart.h"
#include "tests/support/ModalScript.h"
#include "tests/support/OutsideProgram.h"
#include "tests/support/TestSupport.h"

#include "platform/TEditUpDown.h"
#include "platform/TPrinter.h"
#include "platform/TRadioGroup.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

namespace {

class TChartPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = QString::fromStdString(FreshTestDir("chart_preview").string());
    Sample.Chart.SetName("Chart1");
    Sample.Chart.SetPrintProportional(false);
    Sample.Chart.SetPrintMargins(TRect(15, 15, 15, 15));
  }
  void TearDown() override {
    SetShowModalHook({});
    Printer().Abort();
    Printer().SetPdfPrinters({});
    Printer().SetOrientation(poPortrait);
  }

  QString InjectPrinters() {
    const QString File = Dir + "/first.pdf";
    Printer().SetPdfPrinters(
        {{QStringLiteral("First"), File, QSizeF(210, 297), 72},
         {QStringLiteral("Second"), Dir + "/second.pdf", QSizeF(148, 210), 72}});
    return File;
  }

  // A line chart of thirty points, ten on each page.
  static void MakeThreePages(TChart& Chart) {
    Chart.SetBounds(0, 0, 400, 300);
    auto* Series = new TLineSeries(&Chart);
    Chart.AddSeries(Series);
    for (int I = 0; I < 30; ++I) Series->Add(I);
    Chart.SetMaxPointsPerPage(10);
  }

  // The PDF file holds one landscape page showing the sample chart (its
  // yellow back) inside the 15 percent print margins.
  void ExpectTheChartOnItsOnlyPage(const QString& File) {
    EXPECT_EQ(PdfPageCount(File), 1);
    QString Why;
    const QImage Page = RenderPdfPage(File, 1, 30, Dir + "/render", &Why);
    ASSERT_FALSE(Page.isNull()) << Why.toStdString();
    EXPECT_GT(Page.width(), Page.height());
    const QRect Ink = InkBounds(Page);
    ASSERT_FALSE(Ink.isEmpty());
    EXPECT_GE(Ink.left(), Page.width() * 15 / 100 - 2);
    EXPECT_LE(Ink.right(), Page.width() * 85 / 100 + 2);
    EXPECT_GE(Ink.top(), Page.height() * 15 / 100 - 2);
    EXPECT_LE(Ink.bottom(), Page.height() * 85 / 100 + 2);
    // The chart's back, between its bars, covers a sixth of the page.
    int Yellow = 0;
    for (int Y = 0; Y < Page.height(); ++Y)
      for (int X = 0; X < Page.width(); ++X) {
        const QColor C = Page.pixelColor(X, Y);
        Yellow += C.red() > 200 && C.green() > 200 && C.blue() < 60;
      }
    EXPECT_GT(Yellow, Page.width() * Page.height() / 8);
  }

  // Shows the form as the modal seam does, runs Steps on it, closes it.
  void Open(TChartPreview& Form, const std::function<void()>& Steps) {
    SetShowModalHook([&](QDialog&) {
      Steps();
      return static_cast<int>(mrCancel);
    });
    ShowModal(Form);
  }

  QString Dir;
  TExportTestChart Sample{"Preview", clYellow, clRed};
};

// No printer is installed on most workstations: the preview offers the
// PDF file, and printing asks for its name.
TEST_F(TChartPreviewTest, WithoutPrinterThePdfFileIsOfferedAndPrintsTheChart) {
  if (!Printer().Printers().isEmpty()) GTEST_SKIP() << "this machine has a printer";
  TChartPreview Form;
  Form.SetPanel(&Sample.Chart);
  const QString File = Dir + "/chart";
  ModalScript Script;
  Script.AnswerForm([&](QDialog&) {
    EXPECT_EQ(Form.CBPrinters->count(), 1);
    EXPECT_EQ(Form.CBPrinters->currentText(), TPrinter::PdfFileChoice);
    EXPECT_TRUE(Form.BPrint->isEnabled());
    EXPECT_TRUE(Form.BSetup->isEnabled());
    EXPECT_TRUE(Form.Orientation->isEnabled());
    EXPECT_TRUE(Form.GBMargins->isEnabled());
    EXPECT_EQ(Form.SELeftMa->GetPosition(), 15);
    Form.BPrint->click();  // the name is asked for: cancelled, nothing printed
    Form.BPrint->click();
    return static_cast<int>(mrCancel);
  });
  Script.AnswerFile(false);
  Script.AnswerFile(true, File);  // typed without extension
  ShowModal(Form);
  EXPECT_EQ(Form.windowTitle(), "KorChart Print Preview");
  ASSERT_EQ(Script.FileRequests().size(), 2u);
  EXPECT_EQ(Script.FileRequests()[0].Kind, TFileDialogKind::fdSave);
  EXPECT_TRUE(Script.FileRequests()[0].Filter.startsWith("PDF files (*.pdf)|*.pdf"));
  ExpectTheChartOnItsOnlyPage(File + ".pdf");
}

TEST_F(TChartPreviewTest, APrintThatCannotStartSaysWhy) {
  TChartPreview Form;
  Form.SetPanel(&Sample.Chart);
  MessageRecorder Messages;
  ModalScript Script;
  Script.AnswerForm([&](QDialog&) {
    Form.CBPrinters->setCurrentIndex(Form.CBPrinters->count() - 1);
    Form.CBPrintersChange();
    Form.BPrint->click();
    return static_cast<int>(mrCancel);
  });
  Script.AnswerFile(true, Dir + "/no/such/folder/chart.pdf");
  ShowModal(Form);
  ASSERT_EQ(Messages.Messages().size(), 1u);
  EXPECT_NE(Messages.Messages()[0].find("Cannot write the print file"), std::string::npos)
      << Messages.Messages()[0];
  EXPECT_FALSE(QFile::exists(Dir + "/no/such/folder/chart.pdf"));
}

TEST_F(TChartPreviewTest, TheEditorsPrintPagePrintsIntoAPdfFile) {
  InjectPrinters();
  RegisterPrintEditorPage();
  TChartEditor Editor{nullptr};
  Editor.SetChart(&Sample.Chart);
  Editor.SetDefaultTab(cetPrintPreview);
  const QString File = Dir + "/from-editor.pdf";
  ModalScript Script;
  Script.AnswerForm([&](QDialog& Dialog) {
    auto* Page = static_cast<TChartPreview*>(Dialog.findChild<QDialog*>("ChartPreview"));
    EXPECT_NE(Page, nullptr);
    if (Page == nullptr) return static_cast<int>(mrCancel);
    EXPECT_EQ(Page->CBPrinters->itemText(Page->CBPrinters->count() - 1), TPrinter::PdfFileChoice);
    Page->CBPrinters->setCurrentIndex(Page->CBPrinters->count() - 1);
    Page->CBPrintersChange();
    Page->BPrint->click();
    return static_cast<int>(mrOk);
  });
  Script.AnswerFile(true, File);
  Editor.Execute();
  ChartEditorPages().Unregister(QStringLiteral("TabPrint"));
  ExpectTheChartOnItsOnlyPage(File);
}

TEST_F(TChartPreviewTest, PrintersAreListedAndTheirOrientationFollowsTheDialog) {
  InjectPrinters();
  TChartPreview Form;
  Form.SetPanel(&Sample.Chart);
  Open(Form, [&] {
    ASSERT_EQ(Form.CBPrinters->count(), 3);
    EXPECT_EQ(Form.CBPrinters->currentText(), "First");
    EXPECT_EQ(Form.CBPrinters->itemText(2), TPrinter::PdfFileChoice);
    EXPECT_TRUE(Form.BPrint->isEnabled());
    // Opening turns the paper to landscape.
    EXPECT_EQ(Printer().GetOrientation(), poLandscape);
    EXPECT_EQ(Form.Orientation->GetItemIndex(), 1);
    Form.Orientation->Choose(0);
    EXPECT_EQ(Printer().GetOrientation(), poPortrait);
    Form.CBPrinters->setCurrentIndex(1);
    Form.CBPrintersChange();
    EXPECT_EQ(Printer().GetPrinterIndex(), 1);
    EXPECT_EQ(Printer().GetOrientation(), poPortrait);
  });
}

TEST_F(TChartPreviewTest, TypedMarginsAreStoredRefusedOrReset) {
  InjectPrinters();
  TChartPreview Form;
  Form.SetPanel(&Sample.Chart);
  Open(Form, [&] {
    EXPECT_FALSE(Form.BReset->isEnabled());
    Form.SELeftMa->setText("20");
    EXPECT_EQ(Sample.Chart.GetPrintMargins(), TRect(20, 15, 15, 15));
    EXPECT_TRUE(Form.BReset->isEnabled());
    EXPECT_FALSE(Form.CBProp->isChecked());
    // Left and right together would leave nothing to print on.
    Form.SERightMa->setText("80");
    EXPECT_EQ(Form.SERightMa->GetPosition(), 15);
    EXPECT_EQ(Sample.Chart.GetPrintMargins().Right, 15);
    Form.BResetClick();
    EXPECT_EQ(Sample.Chart.GetPrintMargins(), TRect(15, 15, 15, 15));
    EXPECT_EQ(Form.SELeftMa->GetPosition(), 15);
    EXPECT_FALSE(Form.BReset->isEnabled());
  });
}

TEST_F(TChartPreviewTest, DraggingOnThePaperUpdatesTheMarginEdits) {
  InjectPrinters();
  Sample.Chart.SetPrintProportional(true);
  TChartPreview Form;
  Form.SetPanel(&Sample.Chart);
  Open(Form, [&] {
    EXPECT_TRUE(Form.CBProp->isChecked());
    TKorPreviewPanel& Preview = *Form.PreviewPanel();
    Preview.SetBounds(0, 0, 432, 312);
    Preview.CalcPaperRect();
    TBitmap Picture;
    Picture.SetSize(432, 312);
    Preview.NonBufferDraw(Picture.GetCanvas(), Preview.GetClientRect());
    const TRect M = Preview.GetMarginsRect();
    Preview.MouseDown(mbLeft, {}, M.Left + 30, M.Top);
    Preview.MouseMove({}, M.Left + 30, M.Top + 20);
    Preview.MouseUp(mbLeft, {}, M.Left + 30, M.Top + 20);
    EXPECT_EQ(Form.SETopMa->GetPosition(), Sample.Chart.GetPrintMargins().Top);
    EXPECT_GT(Form.SETopMa->GetPosition(), 0);
    EXPECT_FALSE(Form.CBProp->isChecked());
    EXPECT_FALSE(Sample.Chart.GetPrintProportional());
    // Turning proportional back on recomputes the margins.
    Form.CBProp->setChecked(true);
    EXPECT_TRUE(Sample.Chart.GetPrintProportional());
  });
}

TEST_F(TChartPreviewTest, DetailViewMarginsAndSmoothEditThePreview) {
  InjectPrinters();
  TChartPreview Form;
  Form.SetPanel(&Sample.Chart);
  Open(Form, [&] {
    EXPECT_EQ(Form.Resolution->value(), Sample.Chart.GetPrintScalePercent() + 100);
    Form.Resolution->setValue(40);
    EXPECT_EQ(Sample.Chart.GetPrintScalePercent(), -60);
    Form.CBMargins->click();
    EXPECT_FALSE(Form.PreviewPanel()->GetMargins().GetVisible());
    Form.CBSmooth->click();
    EXPECT_TRUE(Form.PreviewPanel()->GetAsBitmap());
  });
}

TEST_F(TChartPreviewTest, WithoutPanelTheMarginControlsAreDisabled) {
  InjectPrinters();
  TChartPreview Form;
  Open(Form, [&] {
    EXPECT_FALSE(Form.GBMargins->isEnabled());
    EXPECT_FALSE(Form.CBProp->isEnabled());
    EXPECT_FALSE(Form.Resolution->isEnabled());
    EXPECT_FALSE(Form.BPrint->isEnabled());
    EXPECT_TRUE(Form.CBPrinters->isEnabled());
  });
}

// A chart of several pages prints every page through the navigator's
// print dialog; the navigator pages the preview.
TEST_F(TChartPreviewTest, APagedChartPrintsEveryPageThroughTheNavigator) {
  const QString File = InjectPrinters();
  TChart Chart{nullptr};
  MakeThreePages(Chart);
  ModalScript Script;
  Script.AnswerForm([&](QDialog& Dialog) {
    auto& Form = dynamic_cast<TChartPreview&>(Dialog);
    EXPECT_NE(Form.Navigator(), nullptr);
    if (Form.Navigator() == nullptr) return static_cast<int>(mrCancel);
    EXPECT_EQ(Form.Navigator()->PageCount(), 3);
    Form.Navigator()->BtnClick(nbNext);
    EXPECT_EQ(Chart.GetPage(), 2);
    Form.BPrint->click();
    return static_cast<int>(mrCancel);
  });
  Script.AnswerForm([](QDialog& Dialog) {
    auto& Print = dynamic_cast<QPrintDialog&>(Dialog);
    EXPECT_EQ(Print.printer()->fromPage(), 1);
    EXPECT_EQ(Print.printer()->toPage(), 3);
    return static_cast<int>(mrOk);
  });
  ChartPreview(nullptr, &Chart);
  EXPECT_EQ(PdfPageCount(File), 3);
}

// The navigator's print dialog prints a range of pages into a PDF file
// the user names in it, as a user fills in the dialog.
TEST_F(TChartPreviewTest, ThePrintDialogPrintsAPageRangeIntoANamedPdfFile) {
  TChart Chart{nullptr};
  MakeThreePages(Chart);
  const QString File = Dir + "/pages-2-3.pdf";
  ModalScript Script;
  Script.AnswerForm([&](QDialog& Dialog) {
    auto& Form = dynamic_cast<TChartPreview&>(Dialog);
    Form.BPrint->click();
    return static_cast<int>(mrCancel);
  });
  Script.AnswerForm([&](QDialog& Dialog) {
    auto* Printers = Dialog.findChild<QComboBox*>("printers");
    auto* Name = Dialog.findChild<QLineEdit*>("filename");
    auto* Range = Dialog.findChild<QRadioButton*>("printRange");
    auto* From = Dialog.findChild<QSpinBox*>("from");
    auto* To = Dialog.findChild<QSpinBox*>("to");
    EXPECT_TRUE(Printers && Name && Range && From && To);
    if (!(Printers && Name && Range && From && To)) return static_cast<int>(mrCancel);
    EXPECT_EQ(Printers->itemText(Printers->count() - 1), "Print to File (PDF)");
    Printers->setCurrentIndex(Printers->count() - 1);
    Name->setText(File);
    Range->setChecked(true);
    From->setValue(2);
    To->setValue(3);
    Dialog.accept();
    return Dialog.result();
  });
  ChartPreview(nullptr, &Chart);
  EXPECT_EQ(PdfPageCount(File), 2);
  EXPECT_TRUE(Printer().GetPdfFileChosen());
}

TEST_F(TChartPreviewTest, PrintWritesTheChartOnOnePage) {
  const QString File = InjectPrinters();
  TChartPreview Form;
  Form.SetPanel(&Sample.Chart);
  Open(Form, [&] { Form.BPrint->click(); });
  EXPECT_EQ(PdfPageCount(File), 1);
  EXPECT_EQ(Printer().GetTitle(), "Chart1");
}

TEST_F(TChartPreviewTest, ThePreviewerOffersOnlyWhatItsOptionsAllow) {
  InjectPrinters();
  TChartPreviewer Previewer(nullptr);
  Previewer.SetChart(&Sample.Chart);
  Previewer.SetTitle("Lab book");
  Previewer.SetPaperColor(clCream);
  Previewer.SetOptions(AllChartPreviewOptions & ~PreviewOption(cpoChangeMargins) &
                       ~PreviewOption(cpoPrintPanel) & ~PreviewOption(cpoMoveChart));
  int Closed = 0;
  Previewer.OnClose = [&](QDialog&) { ++Closed; };
  ModalScript Script;
  Script.AnswerForm([](QDialog& Dialog) {
    auto& Form = dynamic_cast<TChartPreview&>(Dialog);
    EXPECT_EQ(Form.windowTitle(), "Lab book");
    EXPECT_EQ(Form.PreviewPanel()->GetPaperColor(), clCream);
    EXPECT_FALSE(Form.GBMargins->isEnabled());
    EXPECT_FALSE(Form.BPrint->isEnabled());
    EXPECT_TRUE(Form.BSetup->isEnabled());
    EXPECT_FALSE(Form.PreviewPanel()->GetAllowMove());
    EXPECT_TRUE(Form.PreviewPanel()->GetAllowResize());
    return static_cast<int>(mrCancel);
  });
  Previewer.Execute();
  EXPECT_EQ(Closed, 1);
}

TEST_F(TChartPreviewTest, TheEditorShowsThePreviewAsItsPrintPage) {
  RegisterPrintEditorPage();
  TChartEditor Editor{nullptr};
  Editor.SetChart(&Sample.Chart);
  Editor.SetDefaultTab(cetPrintPreview);
  ModalScript Script;
  Script.AnswerForm([&](QDialog& Dialog) {
    // Our forms have no meta-object of their own: find the page by name.
    auto* Page = static_cast<TChartPreview*>(Dialog.findChild<QDialog*>("ChartPreview"));
    EXPECT_NE(Page, nullptr);
    if (Page != nullptr) {
      EXPECT_FALSE(Page->BClose->isVisible());
      EXPECT_EQ(Page->GetPanel(), &Sample.Chart);
      EXPECT_NE(Page->Navigator(), nullptr);
    }
    return static_cast<int>(mrOk);
  });
  Editor.Execute();
  ChartEditorPages().Unregister(QStringLiteral("TabPrint"));
}

}  // namespace
