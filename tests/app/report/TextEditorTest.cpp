#include "app/report/TextEditor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "app/Configuration.h"
#include "app/report/PasteSpecialDialog.h"
#include "app/report/ReportFile.h"
#include "app/report/ReportPage.h"
#include "app/report/ReportPicture.h"
#include "app/report/ReportTextEdit.h"
#include "app/report/Richeditole.h"
#include "app/report/SearchDialog.h"
#include "platform/ModalHooks.h"
#include "platform/TBitmap.h"
#include "platform/TJPEGImage.h"
#include "platform/TPrinter.h"
#include "tests/app/report/ReportDocs.h"
#include "tests/support/ModalScript.h"
#include "tests/support/OutsideProgram.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;
using namespace reportdocs;

namespace {

QString Q(const fs::path& Path) {
  return QString::fromStdString(Path.string());
}

class TextEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = FreshTestDir("texteditor");
    Config = std::make_unique<Configuration>(nullptr, "k", Q(Dir));
    Form = std::make_unique<TRTFfrm>(nullptr);
  }
  void TearDown() override {
    Form.reset();
    Config.reset();
    fs::permissions(Dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
  }
  QTextDocument& Doc() { return *Form->RichEdit1->document(); }
  // A report of one line, saved by the editor, at Name in the test folder.
  fs::path SavedReport(const std::string& Name, const QString& Text) {
    Form->RichEdit1->setPlainText(Text);
    EXPECT_TRUE(Form->SaveRtfFile(Q(Dir / Name)));
    return Dir / Name;
  }
  static void WriteLogo(const fs::path& Path) {
    TBitmap bitmap;
    bitmap.SetImage(Solid(40, 10, Qt::darkRed));
    TPicture picture;
    picture.Assign(bitmap);
    TJPEGImage jpeg;
    jpeg.Assign(*picture.GetGraphic());
    jpeg.SaveToFile(Q(Path));
  }

  fs::path Dir;
  std::unique_ptr<Configuration> Config;
  std::unique_ptr<TRTFfrm> Form;
  MessageRecorder Messages;
};

TEST_F(TextEditorTest, ReadOnlyReportOpens) {
  const fs::path report = SavedReport("readonly.rtf", "Kept for the record");
  fs::permissions(report, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Form->RichEdit1->clear();
  bool opened = false;
  {
    AsUnprivilegedUser user;
    opened = Form->LoadRtfFile(Q(report));
  }
  EXPECT_TRUE(opened);
  EXPECT_EQ(Text(Doc()), "Kept for the record");
  EXPECT_FALSE(Doc().isModified());
}

TEST_F(TextEditorTest, FailedSaveKeepsThePreviousReportAndSaysSo) {
  const fs::path report = SavedReport("report.rtf", "First version");
  const auto before = fs::file_size(report);
  fs::permissions(Dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  Form->RichEdit1->setPlainText("Second version, which cannot be written");
  ModalScript script;
  script.AnswerFile(true, Q(report));
  bool saved = true;
  {
    AsUnprivilegedUser user;
    saved = Form->SaveAs1Click();
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(Messages.Messages(), std::vector<std::string>{"Write file failed!"});
  EXPECT_EQ(fs::file_size(report), before);
  Form->RichEdit1->clear();
  ASSERT_TRUE(Form->LoadRtfFile(Q(report)));
  EXPECT_EQ(Text(Doc()), "First version");
}

TEST_F(TextEditorTest, YesToSaveChangesClearsTheFlagOnlyAfterASuccessfulSave) {
  Form->RichEdit1->insertPlainText("changed");
  ASSERT_TRUE(Doc().isModified());
  ModalScript script;
  // No: the window may close, the report stays modified.
  script.AnswerMessage(mrNo);
  EXPECT_TRUE(Form->QuerySaveChanges());
  EXPECT_TRUE(Doc().isModified());
  // Yes, then the file dialog is cancelled: flag and window stay.
  script.AnswerMessage(mrYes);
  script.AnswerFile(false);
  EXPECT_FALSE(Form->QuerySaveChanges());
  EXPECT_TRUE(Doc().isModified());
  // Yes, and the write fails (the name is a folder).
  script.AnswerMessage(mrYes);
  script.AnswerFile(true, Q(Dir));
  EXPECT_FALSE(Form->QuerySaveChanges());
  EXPECT_TRUE(Doc().isModified());
  EXPECT_EQ(Messages.Messages(), std::vector<std::string>{"Write file failed!"});
  // Yes, and the save succeeds.
  script.AnswerMessage(mrYes);
  script.AnswerFile(true, Q(Dir / "saved.rtf"));
  EXPECT_TRUE(Form->QuerySaveChanges());
  EXPECT_FALSE(Doc().isModified());
  EXPECT_TRUE(fs::exists(Dir / "saved.rtf"));
  // Unmodified: no question at all.
  EXPECT_TRUE(Form->QuerySaveChanges());
  EXPECT_EQ(script.Asked().front(), "message: Do you want to save the changes?");
}

TEST_F(TextEditorTest, ClosingAndOkAskFirstAndStayWhenTheSaveIsCancelled) {
  Form->show();
  Form->RichEdit1->insertPlainText("changed");
  ModalScript script;
  script.AnswerMessage(mrYes);
  script.AnswerFile(false);
  EXPECT_FALSE(Form->close());
  EXPECT_TRUE(Form->isVisible());
  script.AnswerMessage(mrYes);
  script.AnswerFile(false);
  Form->BitBtn1Click();
  EXPECT_TRUE(Form->isVisible());
  script.AnswerMessage(mrNo);
  Form->BitBtn1Click();
  EXPECT_FALSE(Form->isVisible());
}

TEST_F(TextEditorTest, OpeningAFileThatIsNotRtfFailsAndKeepsTheReport) {
  const fs::path report = SavedReport("good.rtf", "good");
  WriteTextFile(Dir / "notes.txt", "just text\n");
  ModalScript script;
  script.AnswerFile(true, Q(report));
  Form->Open1Click();
  EXPECT_EQ(Form->GetCurrentFileName(), Q(report));
  script.AnswerFile(true, Q(Dir / "notes.txt"));
  Form->Open1Click();
  // The message says which file failed and why.
  EXPECT_EQ(Messages.Messages(),
            std::vector<std::string>{"Read file failed!\n" + (Dir / "notes.txt").string() +
                                     "\nThe file is not rich text"});
  EXPECT_EQ(Form->GetCurrentFileName(), Q(report));
  EXPECT_EQ(Text(Doc()), "good");
}

TEST_F(TextEditorTest, AFileRefusedPartWayLeavesTheReportItsChangesAndItsUndo) {
  Form->RichEdit1->setPlainText("first");
  QTextCursor cursor(&Doc());
  cursor.movePosition(QTextCursor::End);
  cursor.beginEditBlock();
  cursor.insertText(" edit");
  InsertReportPicture(cursor, Solid(5, 4, Qt::green));
  cursor.endEditBlock();
  ASSERT_TRUE(Doc().isModified());
  // Text and a picture are read before the fault.
  const QByteArray picture = [] {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    Solid(6, 6, Qt::red).save(&buffer, "PNG");
    return png.toHex();
  }();
  WriteTextFile(
      Dir / "deep.rtf",
      ("{\\rtf1 read {\\pict\\pngblip " + picture + "}" + QByteArray(300, '{')).toStdString());
  ModalScript script;
  script.AnswerMessage(mrNo);  // not saved first
  script.AnswerFile(true, Q(Dir / "deep.rtf"));
  Form->Open1Click();
  EXPECT_EQ(Messages.Messages(),
            std::vector<std::string>{"Read file failed!\n" + (Dir / "deep.rtf").string() +
                                     "\nGroups are nested too deeply"});
  EXPECT_EQ(Doc().toPlainText(), "first edit\uFFFC");
  const auto pictures = Pictures(Doc());
  ASSERT_EQ(pictures.size(), 1);
  EXPECT_EQ(pictures[0].Image.pixelColor(0, 0), QColor(Qt::green));
  EXPECT_TRUE(Doc().isModified());
  EXPECT_FALSE(Doc().isRedoAvailable());
  Doc().undo();
  EXPECT_EQ(Doc().toPlainText(), "first");
}

TEST_F(TextEditorTest, ALongReportShowsItsFirstPageAndIsLaidOutAfterwardsAPartAtATime) {
  // Laid out whole before the editor shows anything, a long report kept
  // the window waiting many times longer than reading it took.
  QByteArray rtf = "{\\rtf1 ";
  for (int i = 0; i < 5000; ++i) rtf += "paragraph " + QByteArray::number(i) + "\\par\n";
  WriteTextFile(Dir / "long.rtf", (rtf + "}").toStdString());
  Form->resize(600, 400);
  Form->show();
  QApplication::processEvents();
  const QSizeF page = Doc().pageSize();
  ASSERT_GT(page.width(), 0);
  ASSERT_TRUE(Form->LoadRtfFile(Q(Dir / "long.rtf")));
  EXPECT_EQ(Doc().pageSize(), page);
  Form->RichEdit1->viewport()->repaint();
  EXPECT_GT(Doc().firstBlock().layout()->lineCount(), 0);
  EXPECT_EQ(Doc().lastBlock().layout()->lineCount(), 0);
  QElapsedTimer waited;
  waited.start();
  while (Doc().lastBlock().layout()->lineCount() == 0 && waited.elapsed() < 20'000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(Doc().lastBlock().text(), "paragraph 4999");
  EXPECT_GT(Doc().lastBlock().layout()->lineCount(), 0);
}

TEST_F(TextEditorTest, AppendedStyledTextAndLineBreaksGoToTheEnd) {
  Form->RichEdit1->setPlainText("start");
  Form->RichEdit1->moveCursor(QTextCursor::Start);
  Form->AppendStyledText("Title", false, true, false, true);
  Form->AppendLineBreaks(2);
  Form->AppendLineBreaks(0);
  Form->AppendStyledText("plain", true, false, true, false);
  EXPECT_EQ(Doc().toPlainText(), "startTitle\n\n\nplain\n");
  const QTextBlock title = Doc().findBlockByNumber(0);
  EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  QTextCursor cursor(title);
  cursor.setPosition(title.position() + 7);
  EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
  const QTextBlock plain = Doc().findBlockByNumber(3);
  EXPECT_EQ(plain.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  cursor = QTextCursor(plain);
  cursor.setPosition(plain.position() + 2);
  EXPECT_TRUE(cursor.charFormat().fontItalic() && cursor.charFormat().fontUnderline());
  EXPECT_NE(cursor.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(TextEditorTest, MissingLogoAsksAndAnUnreadableChoiceStoresTheDefaultLogo) {
  ASSERT_TRUE(Form->CreateOleSupport());
  WriteTextFile(Dir / "broken.jpg", "not a picture");
  ModalScript script;
  script.AnswerFile(true, Q(Dir / "broken.jpg"));
  EXPECT_TRUE(Form->InsertReportLogo());
  EXPECT_EQ(script.Asked().front(), "open: JPEG (*.JPG)|*.JPG;*.jpg;*.jpeg;*.JPEG");
  ASSERT_TRUE(fs::exists(Dir / "ReportLogo.jpg"));
  const auto pictures = Pictures(Doc());
  ASSERT_EQ(pictures.size(), 1);
  EXPECT_EQ(pictures[0].Image.size(), QSize(TRTFfrm::LogoWidth, TRTFfrm::LogoHeight));
  // Next time the stored logo is used without a question.
  EXPECT_TRUE(Form->InsertReportLogo());
  EXPECT_EQ(Pictures(Doc()).size(), 2);
}

TEST_F(TextEditorTest, CancelledLogoQuestionStartsWithoutLogoAndAGoodLogoIsUsed) {
  ASSERT_TRUE(Form->CreateOleSupport());
  ModalScript script;
  script.AnswerFile(false);
  EXPECT_FALSE(Form->InsertReportLogo());
  EXPECT_TRUE(Pictures(Doc()).isEmpty());
  EXPECT_FALSE(fs::exists(Dir / "ReportLogo.jpg"));
  WriteLogo(Dir / "mine.jpg");
  script.AnswerFile(true, Q(Dir / "mine.jpg"));
  Form->Setreportlogofile1Click();
  EXPECT_TRUE(fs::exists(Dir / "ReportLogo.jpg"));
  EXPECT_EQ(fs::file_size(Dir / "ReportLogo.jpg"), fs::file_size(Dir / "mine.jpg"));
  EXPECT_TRUE(Form->InsertReportLogo());
  EXPECT_EQ(Pictures(Doc()).size(), 1);
}

TEST_F(TextEditorTest, PastedBitmapBecomesAPictureThatSurvivesSaveAndReopen) {
  ASSERT_TRUE(Form->CreateOleSupport());
  QGuiApplication::clipboard()->setImage(Solid(12, 8, Qt::darkGreen));
  Form->RichEdit1->paste();
  Form->Pasteimage1Click();
  ASSERT_EQ(Pictures(Doc()).size(), 2);
  const fs::path report = Dir / "pictures.rtf";
  ASSERT_TRUE(Form->SaveRtfFile(Q(report)));
  Form->RichEdit1->clear();
  ASSERT_TRUE(Form->LoadRtfFile(Q(report)));
  const auto pictures = Pictures(Doc());
  ASSERT_EQ(pictures.size(), 2);
  EXPECT_EQ(pictures[1].Image.size(), QSize(12, 8));
  EXPECT_EQ(pictures[1].Image.pixelColor(3, 3), QColor(Qt::darkGreen));
  // No picture on the clipboard: the paste is refused with the OLE error.
  QGuiApplication::clipboard()->setText("words");
  EXPECT_THROW(Form->Pasteimage1Click(), EOleError);
}

TEST_F(TextEditorTest, DroppedDataInsertsNothing) {
  ASSERT_TRUE(Form->CreateOleSupport());
  Form->show();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Q(Dir / "some.png"))});
  data.setText("dropped");
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Form->RichEdit1->viewport(), &drop);
  EXPECT_FALSE(drop.isAccepted());
  EXPECT_TRUE(Doc().isEmpty());
}

TEST_F(TextEditorTest, PasteSpecialOffersTheClipboardsFormsAndPastesTheChosenOne) {
  ASSERT_TRUE(Form->CreateOleSupport());
  auto* data = new QMimeData;
  data->setText("plain words");
  data->setData("text/rtf", "{\\rtf1 {\\b bold words}}");
  QGuiApplication::clipboard()->setMimeData(data);
  ModalScript script;
  QStringList offered;
  script.AnswerForm([&](QDialog& dialog) {
    auto& paste = dynamic_cast<TPasteSpecialDlg&>(dialog);
    for (const TPasteEntry& entry : paste.Entries()) offered.append(entry.Name);
    paste.Select(1);
    paste.OkClick();
    return paste.result();
  });
  Form->Pastespecial1Click();
  EXPECT_EQ(offered, QStringList({"Unformatted Text", "Formatted Text (RTF)"}));
  EXPECT_EQ(Doc().toPlainText(), "bold words");
  script.AnswerForm([](QDialog&) { return int(mrCancel); });
  EXPECT_FALSE(Form->GetOleSupport()->PasteSpecial());
  EXPECT_EQ(Doc().toPlainText(), "bold words");
}

TEST_F(TextEditorTest, FindWrapsAndReplaceAllReplacesEveryOccurrence) {
  Form->RichEdit1->setPlainText("cell 2, Cell 3, cell 4");
  ModalScript script;
  script.AnswerForm([](QDialog& dialog) {
    auto& search = dynamic_cast<TSearchDlg&>(dialog);
    search.FindEdit->setText("Cell");
    search.MatchCaseCB->setChecked(true);
    search.FindNextClick();
    return int(mrCancel);
  });
  Form->SearchFind1Execute();
  EXPECT_EQ(Form->RichEdit1->textCursor().selectionStart(), 8);
  Form->SearchFindNext1Execute();  // wraps to the only match again
  EXPECT_EQ(Form->RichEdit1->textCursor().selectionStart(), 8);
  EXPECT_EQ(Form->ReplaceAll("cell", "Zelle", false), 3);
  EXPECT_EQ(Doc().toPlainText(), "Zelle 2, Zelle 3, Zelle 4");
}

TEST_F(TextEditorTest, OleSupportGoneWithTheControlReportsAnInvalidInterface) {
  ASSERT_TRUE(Form->CreateOleSupport());
  RichEditOleSupport& support = *Form->GetOleSupport();
  EXPECT_TRUE(support.CloseObjects(true));
  delete Form->RichEdit1;
  EXPECT_THROW(support.CloseObjects(false), EOleError);
  EXPECT_THROW(support.InsertPicture(Solid(2, 2, Qt::red)), EOleError);
}

TEST_F(TextEditorTest, OpenAndClearAskToSaveFirstAndCancelKeepsEverything) {
  const fs::path other = SavedReport("other.rtf", "another report");
  Form->RichEdit1->setPlainText("");
  Form->RichEdit1->insertPlainText("unsaved work");
  ASSERT_TRUE(Doc().isModified());
  TMessageDialogRequest asked;
  ModalScript script;
  const TMessageDialogHook scripted = SetMessageDialogHook({});
  SetMessageDialogHook([&](const TMessageDialogRequest& Request) {
    asked = Request;
    return scripted(Request);
  });
  // Cancel: no file dialog, nothing replaced.
  script.AnswerMessage(mrCancel);
  Form->Open1Click();
  EXPECT_EQ(asked.Text, "Do you want to save the changes?");
  EXPECT_EQ(asked.Caption, "Report changed");
  EXPECT_EQ(asked.Buttons, mbYesNoCancel);
  EXPECT_EQ(Text(Doc()), "unsaved work");
  script.AnswerMessage(mrCancel);
  Form->SpeedButton1Click();
  EXPECT_EQ(Text(Doc()), "unsaved work");
  // Yes, and the save is cancelled: still nothing replaced.
  script.AnswerMessage(mrYes);
  script.AnswerFile(false);
  Form->Open1Click();
  EXPECT_EQ(Text(Doc()), "unsaved work");
  // Yes and saved: then the other report opens.
  script.AnswerMessage(mrYes);
  script.AnswerFile(true, Q(Dir / "kept"));
  script.AnswerFile(true, Q(other));
  Form->Open1Click();
  EXPECT_EQ(Text(Doc()), "another report");
  ASSERT_TRUE(Form->LoadRtfFile(Q(Dir / "kept.rtf")));
  EXPECT_EQ(Text(Doc()), "unsaved work");
  // No: the changes go.
  Form->RichEdit1->insertPlainText(" and more");
  script.AnswerMessage(mrNo);
  Form->SpeedButton1Click();
  EXPECT_TRUE(Doc().isEmpty());
  SetMessageDialogHook(scripted);
}

TEST_F(TextEditorTest, ReportDialogsOfferRtfAndStartInTheFolderLastUsedForReports) {
  ForgetFileDialogFolders();
  const fs::path data = Dir / "run7";
  const fs::path elsewhere = Dir / "reports";
  fs::create_directories(data);
  fs::create_directories(elsewhere);
  SetDataFolder(Q(data));
  Form->RichEdit1->setPlainText("a report");
  ModalScript script;
  script.AnswerFile(true, Q(elsewhere / "week 12"));
  ASSERT_TRUE(Form->SaveAs1Click());
  EXPECT_TRUE(fs::exists(elsewhere / "week 12.rtf"));
  script.AnswerFile(false);
  Form->Open1Click();
  ASSERT_EQ(script.FileRequests().size(), 2u);
  const TFileDialogRequest& save = script.FileRequests()[0];
  EXPECT_EQ(save.Kind, TFileDialogKind::fdSave);
  EXPECT_TRUE(save.Filter.startsWith("Rich Text Format (*.rtf)|"));
  EXPECT_EQ(save.DefaultExt, "rtf");
  // The first time: the data folder, not the program's own.
  EXPECT_EQ(save.InitialDir, Q(data));
  const TFileDialogRequest& open = script.FileRequests()[1];
  EXPECT_EQ(open.Kind, TFileDialogKind::fdOpen);
  EXPECT_EQ(open.Filter.split(u'|').size(), 4) << open.Filter.toStdString();
  EXPECT_TRUE(open.Filter.contains("All files"));
  EXPECT_EQ(open.InitialDir, Q(elsewhere));
  ForgetFileDialogFolders();
}

TEST_F(TextEditorTest, PageSetupLaysTheReportOutOnTheChosenPage) {
  ASSERT_TRUE(Form->CreateOleSupport());
  Form->GetOleSupport()->InsertPicture(Solid(800, 400, Qt::blue));
  ASSERT_DOUBLE_EQ(Pictures(Doc())[0].Width, 624.0);
  Doc().setModified(false);
  ReportPage landscape;
  landscape.PaperWidth = 16840;
  landscape.PaperHeight = 11900;
  ModalScript script;
  script.AnswerForm([](QDialog&) { return int(mrCancel); });
  Form->Pagesetup1Click();
  EXPECT_EQ(ReportPage::Of(Doc()), ReportPage());
  script.AnswerForm([&](QDialog& dialog) {
    auto& setup = dynamic_cast<QPageSetupDialog&>(dialog);
    // What the dialog shows is the report's page.
    EXPECT_EQ(ReportPage::FromPageLayout(setup.printer()->pageLayout()), ReportPage());
    setup.printer()->setPageLayout(landscape.ToPageLayout());
    return int(mrOk);
  });
  Form->Pagesetup1Click();
  EXPECT_EQ(ReportPage::Of(Doc()), landscape);
  EXPECT_DOUBLE_EQ(Pictures(Doc())[0].Width, 800.0);
  EXPECT_TRUE(Doc().isModified());
  // Margins that leave no text are refused with a word.
  script.AnswerForm([&](QDialog& dialog) {
    ReportPage none = landscape;
    none.MarginLeft = none.MarginRight = 8400;
    dynamic_cast<QPageSetupDialog&>(dialog).printer()->setPageLayout(none.ToPageLayout());
    return int(mrOk);
  });
  Form->Pagesetup1Click();
  EXPECT_EQ(ReportPage::Of(Doc()), landscape);
  EXPECT_EQ(Messages.Messages(),
            std::vector<std::string>{"These margins leave no room for the report's text."});
}

class TextEditorPrintTest : public TextEditorTest {
 protected:
  void SetUp() override {
    TextEditorTest::SetUp();
    ASSERT_TRUE(Form->CreateOleSupport());
    // Two pages: a heading and three charts, each a third of a page.
    Form->AppendStyledText("Report generated today", false, true, false, true);
    for (int i = 0; i < 3; ++i) {
      Form->AppendStyledText(QString("Chart %1").arg(i + 1), false, true, false, true);
      Form->MoveCaretToEnd();
      Form->GetOleSupport()->InsertPicture(Solid(800, 400, QColor(0, 0, 255)));
      Form->AppendLineBreaks(1);
    }
  }
  void TearDown() override {
    Printer().SetPdfPrinters({});
    TextEditorTest::TearDown();
  }
  // Fills in the print dialog as a user does: the PDF file, its name,
  // copies and perhaps a range of pages.
  static int FillPrintDialog(QDialog& Dialog, const QString& File, int Copies, int From = 0,
                             int To = 0) {
    auto* printers = Dialog.findChild<QComboBox*>("printers");
    auto* name = Dialog.findChild<QLineEdit*>("filename");
    auto* copies = Dialog.findChild<QSpinBox*>("copies");
    auto* range = Dialog.findChild<QRadioButton*>("printRange");
    auto* from = Dialog.findChild<QSpinBox*>("from");
    auto* to = Dialog.findChild<QSpinBox*>("to");
    EXPECT_TRUE(printers && name && copies && range && from && to);
    if (!(printers && name && copies && range && from && to)) return int(mrCancel);
    // Offered also where a printer is installed; without one it is the choice.
    const int pdf = printers->findText("Print to File (PDF)");
    EXPECT_GE(pdf, 0);
    if (Printer().Printers().isEmpty()) {
      EXPECT_EQ(printers->currentIndex(), pdf);
    }
    printers->setCurrentIndex(pdf);
    EXPECT_EQ(from->maximum(), 2);
    name->setText(File);
    copies->setValue(Copies);
    if (From > 0) {
      range->setChecked(true);
      from->setValue(From);
      to->setValue(To);
    }
    Dialog.accept();
    return Dialog.result();
  }
};

TEST_F(TextEditorPrintTest, TheReportPrintsWholeIntoAPdfFileThroughThePrintDialog) {
  const QString file = Q(Dir / "report.pdf");
  ModalScript script;
  script.AnswerForm([&](QDialog& dialog) { return FillPrintDialog(dialog, file, 1); });
  Form->Print2Click();
  ASSERT_EQ(PdfPageCount(file), 2);
  // Every picture keeps its pixels and lies inside the inch margins.
  const QVector<PdfPicture> pictures = PdfPictures(file);
  ASSERT_EQ(pictures.size(), 3);
  for (const PdfPicture& picture : pictures) {
    EXPECT_EQ(picture.Width, 800);
    EXPECT_LE(picture.Width / picture.XPpi, 6.5 + 0.02);
  }
  constexpr int Dpi = 40;
  for (int page = 1; page <= 2; ++page) {
    QString why;
    const QImage image = RenderPdfPage(file, page, Dpi, Q(Dir / "render"), &why);
    ASSERT_FALSE(image.isNull()) << why.toStdString();
    const QRect ink = InkBounds(image);
    EXPECT_GE(ink.left(), Dpi - 1) << "page " << page;
    EXPECT_LE(ink.right(), image.width() - Dpi) << "page " << page;
    EXPECT_GE(ink.top(), Dpi - 1) << "page " << page;
    EXPECT_LE(ink.bottom(), image.height() - Dpi) << "page " << page;
  }
  EXPECT_EQ(Text(Doc()).count("Chart"), 3);  // the report itself is as it was
  EXPECT_DOUBLE_EQ(Pictures(Doc())[0].Width, 624.0);
}

TEST_F(TextEditorPrintTest, CopiesAndAPageRangeArePrinted) {
  const QString copies = Q(Dir / "copies.pdf");
  const QString second = Q(Dir / "second.pdf");
  ModalScript script;
  script.AnswerForm([&](QDialog& dialog) { return FillPrintDialog(dialog, copies, 2); });
  Form->Print2Click();
  EXPECT_EQ(PdfPageCount(copies), 4);
  script.AnswerForm([&](QDialog& dialog) { return FillPrintDialog(dialog, second, 1, 2, 2); });
  Form->Print2Click();
  EXPECT_EQ(PdfPageCount(second), 1);
  EXPECT_EQ(PdfPictures(second).size(), 1);
  script.AnswerForm([](QDialog&) { return int(mrCancel); });
  Form->Print2Click();
  EXPECT_TRUE(Messages.Messages().empty());
}

TEST_F(TextEditorPrintTest, APrintThatCannotStartSaysSo) {
  const QString missing = Q(Dir / "gone" / "report.pdf");
  ModalScript script;
  script.AnswerForm([&](QDialog& dialog) {
    // The folder went away after the dialog checked it.
    auto& print = dynamic_cast<QPrintDialog&>(dialog);
    print.printer()->setOutputFormat(QPrinter::PdfFormat);
    print.printer()->setOutputFileName(missing);
    return int(mrOk);
  });
  Form->Print2Click();
  ASSERT_EQ(Messages.Messages().size(), 1u);
  EXPECT_EQ(Messages.Messages()[0].rfind("The report could not be printed: ", 0), 0u)
      << Messages.Messages()[0];
  EXPECT_FALSE(fs::exists(Dir / "gone" / "report.pdf"));
}

}  // namespace
