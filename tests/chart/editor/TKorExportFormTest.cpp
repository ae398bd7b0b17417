#include "chart/editor/TKorExportForm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <utime.h>
#include <iterator>
#include <memory>

#include "chart/core/KorException.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TComboFlat.h"
#include "chart/editor/KorEmail.h"
#include "chart/editor/KorExportRoutines.h"
#include "chart/editor/TBMPExportFormat.h"
#include "chart/editor/TChartEditor.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TEMFExportFormat.h"
#include "chart/series/TLineSeries.h"
#include "platform/TClipboard.h"
#include "platform/TEditUpDown.h"
#include "platform/TRadioGroup.h"
#include "tests/support/ModalScript.h"

namespace {

QByteArray FileHead(const QString& Name, int Count) {
  QFile File(Name);
  return File.open(QIODevice::ReadOnly) ? File.read(Count) : QByteArray();
}

QString ReadAll(const QString& Name) {
  QFile File(Name);
  return File.open(QIODevice::ReadOnly) ? QString::fromUtf8(File.readAll()) : QString();
}

}  // namespace

// A chart with one labelled line series, an export form shown on it with
// the bitmap and metafile formats registered, and a folder for files.
class TKorExportFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 200);
    Line = new TLineSeries(&Chart);
    Chart.AddSeries(Line);
    Line->SetTitle(QStringLiteral("Run 1"));
    Line->AddXY(1, 2, QStringLiteral("a,b"));
    Line->AddXY(2, 3, QStringLiteral("c"));
    RegisterBMPExportFormat();
    RegisterEMFExportFormat();
  }

  void TearDown() override {
    Form.reset();
    UnRegisterEMFExportFormat();
    UnRegisterBMPExportFormat();
  }

  TKorExportForm& ShowForm() {
    Form = std::make_unique<TKorExportForm>();
    Form->SetExportPanel(&Chart);
    Form->show();
    return *Form;
  }

  QString Path(const QString& Name) const { return Dir.filePath(Name); }

  TChart Chart{nullptr};
  TLineSeries* Line = nullptr;
  std::unique_ptr<TKorExportForm> Form;
  QTemporaryDir Dir;
};

TEST_F(TKorExportFormTest, ShowingListsTheFormatsAndEveryPageEnablesItsButtons) {
  TKorExportForm& F = ShowForm();
  ASSERT_EQ(F.LBFormat->count(), 2);
  EXPECT_EQ(F.LBFormat->item(0)->text(), QStringLiteral("as Bitmap"));
  EXPECT_EQ(F.LBFormat->currentRow(), 0);
  EXPECT_EQ(F.EWidth->GetPosition(), 400);
  EXPECT_EQ(F.EHeight->GetPosition(), 200);
  EXPECT_EQ(F.CBSeries->itemText(0), QStringLiteral("(all)"));
  EXPECT_EQ(F.CBSeries->itemText(1), QStringLiteral("Run 1"));
  EXPECT_EQ(F.CBDelim->currentText(), QStringLiteral("Tab"));
  EXPECT_TRUE(F.PageOptions->isTabVisible(F.PageOptions->indexOf(F.TabOptions)));

  F.PageControl1->setCurrentWidget(F.TabNative);
  EXPECT_FALSE(F.BCopy->isEnabled());  // binary
  EXPECT_TRUE(F.BSave->isEnabled());
  F.CBNativeFormat->setCurrentIndex(1);
  EXPECT_TRUE(F.BCopy->isEnabled());

  F.PageControl1->setCurrentWidget(F.TabData);
  F.RGText->Choose(TKorExportForm::dfExcel);
  EXPECT_FALSE(F.BCopy->isEnabled());
  EXPECT_TRUE(F.BSave->isEnabled());
  EXPECT_FALSE(F.CBDelim->isEnabled());
  F.RGText->Choose(TKorExportForm::dfText);
  EXPECT_TRUE(F.BCopy->isEnabled());
  EXPECT_TRUE(F.CBDelim->isEnabled());
}

TEST_F(TKorExportFormTest, WithoutFormatsThePictureListIsEmptyAndOptionsHidden) {
  UnRegisterEMFExportFormat();
  UnRegisterBMPExportFormat();
  TKorExportForm& F = ShowForm();
  EXPECT_EQ(F.LBFormat->count(), 0);
  EXPECT_FALSE(F.PageOptions->isTabVisible(F.PageOptions->indexOf(F.TabOptions)));
  EXPECT_EQ(F.PageOptions->currentWidget(), F.TabSize);
}

TEST_F(TKorExportFormTest, KeepingTheAspectRatioCouplesWidthAndHeight) {
  TKorExportForm& F = ShowForm();
  F.EWidth->SetPosition(200);
  EXPECT_EQ(F.EHeight->GetPosition(), 100);
  F.EHeight->SetPosition(150);
  EXPECT_EQ(F.EWidth->GetPosition(), 300);
  F.CBAspect->setChecked(false);
  F.EWidth->SetPosition(50);
  EXPECT_EQ(F.EHeight->GetPosition(), 150);
}

TEST_F(TKorExportFormTest, ThePickedFileTypeDecidesThePictureFormat) {
  TKorExportForm& F = ShowForm();
  // Entries: 1 bitmap, 2 enhanced metafile, 3 placeable metafile.
  EXPECT_EQ(F.SaveDialogPicture.Filter.count(u'|'), 5);
  ModalScript Script;
  Script.AnswerFile(true, Path(QStringLiteral("picked.png")), 3);
  F.BSaveClick();
  EXPECT_EQ(FileHead(Path(QStringLiteral("picked.png")), 4), QByteArray("\xD7\xCD\xC6\x9A", 4));
  EXPECT_EQ(F.SaveDialogPicture.DefaultExt, QStringLiteral("bmp"));

  // No type of ours picked: the extension decides, the metafile format
  // takes both of its own; an unknown one gives the selected format.
  Script.AnswerFile(true, Path(QStringLiteral("guessed.wmf")), 0);
  F.BSaveClick();
  EXPECT_EQ(FileHead(Path(QStringLiteral("guessed.wmf")), 4), QByteArray("\xD7\xCD\xC6\x9A", 4));
  F.LBFormat->setCurrentRow(0);
  Script.AnswerFile(true, Path(QStringLiteral("other.xyz")), 0);
  F.BSaveClick();
  EXPECT_EQ(FileHead(Path(QStringLiteral("other.xyz")), 2), QByteArray("BM"));
}

TEST_F(TKorExportFormTest, ExportsStartInTheDataFolderAndThenWhereTheLastExportWent) {
  ForgetFileDialogFolders();
  QTemporaryDir Data;
  SetDataFolder(Data.path());
  TKorExportForm& F = ShowForm();
  ModalScript Script;
  Script.AnswerFile(true, Path(QStringLiteral("first.bmp")), 1);
  F.BSaveClick();
  F.PageControl1->setCurrentWidget(F.TabData);  // the data page starts there too
  Script.AnswerFile(false);
  F.BSaveClick();
  ASSERT_EQ(Script.FileRequests().size(), 2u);
  EXPECT_EQ(Script.FileRequests()[0].InitialDir, Data.path());
  EXPECT_EQ(Script.FileRequests()[1].InitialDir, Dir.path());
  ForgetFileDialogFolders();
}

TEST_F(TKorExportFormTest, NativeSavesTakeTheNativeExtensionAndAskBeforeReplacing) {
  TKorExportForm& F = ShowForm();
  F.PageControl1->setCurrentWidget(F.TabNative);
  ModalScript Script;
  Script.AnswerFile(true, Path(QStringLiteral("x.txt")));
  F.BSaveClick();
  const QString Native = Path(QStringLiteral("x.kor"));
  ASSERT_TRUE(QFileInfo::exists(Native));
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("x.txt"))));
  const QByteArray Saved = FileHead(Native, 1 << 20);

  F.CBNativeFormat->setCurrentIndex(1);
  Script.AnswerFile(true, Path(QStringLiteral("x.txt")));
  Script.AnswerMessage(mrNo);
  F.BSaveClick();
  EXPECT_EQ(FileHead(Native, 1 << 20), Saved);
  Script.AnswerFile(true, Path(QStringLiteral("x.txt")));
  Script.AnswerMessage(mrYes);
  F.BSaveClick();
  EXPECT_TRUE(ReadAll(Native).startsWith(QStringLiteral("object")));

  F.CBFileSize->click();
  EXPECT_TRUE(F.LabelSize->text().endsWith(QStringLiteral(" bytes")));
  F.CBFileSize->click();
  EXPECT_EQ(F.LabelSize->text(), QStringLiteral("?"));
}

TEST_F(TKorExportFormTest, TheDataFileTypePickedSetsFormatAndDelimiter) {
  TKorExportForm& F = ShowForm();
  F.PageControl1->setCurrentWidget(F.TabData);
  ModalScript Script;
  Script.AnswerFile(true, Path(QStringLiteral("d.csv")), 3);  // comma delimited
  F.BSaveClick();
  EXPECT_EQ(F.SaveDialogData.FilterIndex, 2);  // tab, as the dialog opened
  EXPECT_EQ(F.CBDelim->currentIndex(), TKorExportForm::dlComma);
  EXPECT_TRUE(ReadAll(Path(QStringLiteral("d.csv"))).contains(QStringLiteral(",3")));

  Script.AnswerFile(true, Path(QStringLiteral("d.xml")), 6);
  F.BSaveClick();
  EXPECT_EQ(F.RGText->GetItemIndex(), TKorExportForm::dfXML);
  EXPECT_EQ(F.DataFilterIndex(), 6);
  EXPECT_TRUE(ReadAll(Path(QStringLiteral("d.xml"))).contains(QStringLiteral("<chart>")));

  // An empty custom delimiter separates with a blank.
  F.RGText->Choose(TKorExportForm::dfText);
  F.CBDelim->setCurrentIndex(TKorExportForm::dlCustom);
  F.CBHeader->setChecked(false);
  F.CBLabels->setChecked(false);
  F.BCopyClick();
  EXPECT_TRUE(Clipboard().GetAsText().startsWith(QStringLiteral("1 2")))
      << Clipboard().GetAsText().toStdString();
}

// The user types one bare name for every format and picks the format in
// the dialog's file types, pressing "Save..." each time.
TEST_F(TKorExportFormTest, DataExportsOfOneNameTakeTheirFormatsExtensionsAndKeepApart) {
  TKorExportForm& F = ShowForm();
  F.PageControl1->setCurrentWidget(F.TabData);
  ModalScript Script;
  const QString Bare = Path(QStringLiteral("scans"));
  struct TCase {
    int Filter;
    const char* File;
    QByteArray Start;
  };
  const TCase Cases[] = {{8, "scans.xls", QByteArray("\x09\x08\x08\x00", 4)},
                         {2, "scans.txt", "Text\t"},
                         {3, "scans.csv", "Text,"},
                         {6, "scans.xml", "<?xml"},
                         {7, "scans.htm", "<table"}};
  for (const TCase& Case : Cases) {
    Script.AnswerFile(true, Bare, Case.Filter);
    F.BSave->click();
    const QString File = Path(QString::fromLatin1(Case.File));
    EXPECT_EQ(FileHead(File, static_cast<int>(Case.Start.size())), Case.Start) << Case.File;
  }
  EXPECT_FALSE(QFileInfo::exists(Bare));
  // No file was replaced, so nothing was asked but the file names.
  EXPECT_EQ(Script.Asked().size(), std::size(Cases));
  // The dialog is told the extension of the format chosen, for a name typed
  // into it (the last export was the HTML table).
  Script.AnswerFile(false);
  F.BSave->click();
  EXPECT_EQ(Script.FileRequests().back().DefaultExt, QStringLiteral("htm"));

  // A name with its extension stays as it is, also when it is not the
  // format's; one whose suffix is only digits is still a bare name.
  F.RGText->Choose(TKorExportForm::dfExcel);
  Script.AnswerFile(true, Path(QStringLiteral("kept.xls")), 8);
  F.BSave->click();
  Script.AnswerFile(true, Path(QStringLiteral("notes.dat")), 2);
  F.BSave->click();
  Script.AnswerFile(true, Path(QStringLiteral("run 1.5")), 2);
  F.BSave->click();
  for (const char* File : {"kept.xls", "notes.dat", "run 1.5.txt"})
    EXPECT_TRUE(QFileInfo::exists(Path(QString::fromLatin1(File)))) << File;
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("kept.xls.xls"))));

  // The file dialog asked about the bare name only: replacing the file
  // with the extension is asked here, and "No" leaves it.
  const QByteArray Text = FileHead(Path(QStringLiteral("scans.txt")), 1 << 16);
  F.CBHeader->setChecked(false);
  Script.AnswerFile(true, Bare, 2);
  Script.AnswerMessage(mrNo);
  F.BSave->click();
  EXPECT_TRUE(Script.Asked().back().contains(QStringLiteral("scans.txt already exists")))
      << Script.Asked().back().toStdString();
  EXPECT_EQ(FileHead(Path(QStringLiteral("scans.txt")), 1 << 16), Text);
  Script.AnswerFile(true, Bare, 2);
  Script.AnswerMessage(mrYes);
  F.BSave->click();
  EXPECT_NE(FileHead(Path(QStringLiteral("scans.txt")), 1 << 16), Text);
}

TEST_F(TKorExportFormTest, CopyPutsNativeTextOnTheClipboard) {
  TKorExportForm& F = ShowForm();
  F.PageControl1->setCurrentWidget(F.TabNative);
  F.CBNativeFormat->setCurrentIndex(1);
  F.BCopyClick();
  EXPECT_TRUE(Clipboard().GetAsText().startsWith(QStringLiteral("object")));
}

TEST_F(TKorExportFormTest, TheEditorShowsTheFormAsItsExportPage) {
  RegisterExportEditorPage();
  TChartEditor Editor{nullptr};
  Editor.SetChart(&Chart);
  Editor.SetDefaultTab(cetExport);
  Editor.SetHideTabs(EditorTab(cetExportNative));
  ModalScript Script;
  Script.AnswerForm([](QDialog& Dialog) {
    // Our forms have no meta-object of their own: find the page by name.
    auto* Page = static_cast<TKorExportForm*>(Dialog.findChild<QDialog*>("KorExportForm"));
    EXPECT_NE(Page, nullptr);
    if (Page != nullptr) {
      EXPECT_FALSE(Page->BClose->isVisible());
      EXPECT_FALSE(Page->PageControl1->isTabVisible(Page->PageControl1->indexOf(Page->TabNative)));
      EXPECT_EQ(Page->LBFormat->count(), 2);
    }
    return static_cast<int>(mrOk);
  });
  Editor.Execute();
  ChartEditorPages().Unregister(QStringLiteral("TabExport"));
}

// A stand-in mail program on the search path that records its arguments
// and exits with a chosen code.
class TKorEmailTest : public TKorExportFormTest {
 protected:
  void SetUp() override {
    TKorExportFormTest::SetUp();
    OldPath = qgetenv("PATH");
    Log = Path(QStringLiteral("mail.log"));
    WriteProgram(0);
    qputenv("PATH", Dir.path().toUtf8() + ":" + OldPath);
    KorForgetMailAvailability();
  }

  void TearDown() override {
    qputenv("PATH", OldPath);
    KorForgetMailAvailability();
    TKorExportFormTest::TearDown();
  }

  void WriteProgram(int ExitCode) {
    QFile Program(Path(QStringLiteral("xdg-email")));
    ASSERT_TRUE(Program.open(QIODevice::WriteOnly));
    Program.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\nexit %2\n")
                      .arg(Log)
                      .arg(ExitCode)
                      .toUtf8());
    Program.close();
    Program.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                           QFileDevice::ExeOwner);
  }

  // The attachment the last send handed over.
  QString Attachment() const { return ReadAll(Log).split(u'\n').value(3); }

  QByteArray OldPath;
  QString Log;
};

TEST_F(TKorEmailTest, EachPageSendsItsFileUnderTheSubjectName) {
  TKorExportForm& F = ShowForm();
  EXPECT_TRUE(F.BSend->isEnabled());
  F.PageControl1->setCurrentWidget(F.TabData);
  F.CBDelim->setCurrentIndex(TKorExportForm::dlComma);
  F.BSendClick();
  EXPECT_EQ(ReadAll(Log).split(u'\n').mid(0, 3),
            QStringList({"--subject", "KorChart", "--attach"}));
  const QFileInfo Csv(Attachment());
  EXPECT_EQ(Csv.fileName(), QStringLiteral("KorChart.csv"));
  EXPECT_TRUE(Csv.exists());                                   // the mail program reads it later
  EXPECT_EQ(QFileInfo(Csv.path()).permissions() & 0x0077, 0);  // nobody else's

  F.RGText->Choose(TKorExportForm::dfExcel);
  F.BSendClick();
  EXPECT_EQ(QFileInfo(Attachment()).fileName(), QStringLiteral("KorChart.xls"));
  EXPECT_NE(QFileInfo(Attachment()).path(), Csv.path());  // a folder per send
  F.PageControl1->setCurrentWidget(F.TabNative);
  F.BSendClick();
  EXPECT_EQ(QFileInfo(Attachment()).fileName(), QStringLiteral("KorChart.kor"));
}

TEST_F(TKorEmailTest, AFailedSendReportsTheCodeAndAvailabilityIsAskedOnce) {
  WriteProgram(3);
  const QString Name = Path(QStringLiteral("chart.bmp"));
  TBMPExportFormat Format;
  Format.SetPanel(&Chart);
  Format.SaveToFile(Name);
  try {
    KorEmailFile(Name, QStringLiteral("KorChart"));
    ADD_FAILURE() << "a failed send passed";
  } catch (const ChartException& E) {
    EXPECT_EQ(QString::fromUtf8(E.what()), QStringLiteral("Can not email KorChart. Mapi Error: 3"));
  }
  EXPECT_TRUE(KorMailAvailable());
  qputenv("PATH", "/nonexistent");
  EXPECT_TRUE(KorMailAvailable());  // kept for the run
  KorForgetMailAvailability();
  EXPECT_FALSE(KorMailAvailable());
}

TEST_F(TKorEmailTest, FoldersOfEarlierSendsOlderThanADayAreRemoved) {
  const QString Old = QDir(QDir::tempPath()).filePath(QStringLiteral("korvale-mail-old123"));
  ASSERT_TRUE(QDir().mkpath(Old));
  const utimbuf TwoDaysAgo{time(nullptr) - 2 * 86400, time(nullptr) - 2 * 86400};
  ASSERT_EQ(utime(Old.toLocal8Bit().constData(), &TwoDaysAgo), 0);
  const QString Fresh = KorMailAttachmentFolder();
  EXPECT_FALSE(QFileInfo::exists(Old));
  EXPECT_TRUE(QFileInfo(Fresh).isDir());
  QDir(Fresh).removeRecursively();
}

TEST_F(TKorExportFormTest, PanelsRoundTripAsComponentStreamsAndSaveInOneFormat) {
  Chart.SetVisible(false);
  Chart.GetTitle().SetCaption(QStringLiteral("Stored"));
  const QString Name = Path(QStringLiteral("panel.kor"));
  SaveKorToFile(Chart, Name);
  EXPECT_FALSE(Chart.GetVisible());  // as it was before the save
  TChart Copy{nullptr};
  LoadKorFromFile(Copy, Name);
  EXPECT_EQ(Copy.GetTitle().GetCaption(), QStringLiteral("Stored"));
  EXPECT_TRUE(Copy.GetVisible());  // written as visible

  ModalScript Script;
  Script.AnswerFile(true, Path(QStringLiteral("one.wmf")), 2);  // the placeable entry
  KorSavePanel(&TEMFExportFormat::Create, Chart);
  EXPECT_EQ(FileHead(Path(QStringLiteral("one.wmf")), 4), QByteArray("\xD7\xCD\xC6\x9A", 4));
}
