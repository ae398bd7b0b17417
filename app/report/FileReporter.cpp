#include "app/report/FileReporter.h"

#include "app/report/Richeditole.h"
#include "app/report/ScanDescription.h"
#include "app/report/TextEditor.h"

#include "app/Configuration.h"

#include "platform/QtGuard.h"
#include "platform/TDateTime.h"

#include <QCursor>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

QPointer<TFileRptFrm> FileRptFrm;

TFileRptFrm::TFileRptFrm(QWidget* AOwner) : QWidget(AOwner) {
  if (Configuration::Instance() == nullptr)
    FOwnConfiguration =
        std::make_unique<Configuration>(nullptr, QStringLiteral("0"), QStringLiteral("0"));
  Panel2 = new QWidget(this);
  Image1 = new QLabel(Panel2);
  Image1->setVisible(false);
  auto* client = new QVBoxLayout(Panel2);
  client->setContentsMargins(0, 0, 0, 0);
  Panel4 = new QWidget(this);
  ReportBtn = new QPushButton(QStringLiteral("Report options..."), Panel4);
  EditorBtn = new QPushButton(QStringLiteral("Editor options..."), Panel4);
  auto* bottom = new QHBoxLayout(Panel4);
  bottom->addWidget(ReportBtn);
  bottom->addWidget(EditorBtn);
  bottom->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel2, 1);
  layout->addWidget(Panel4);
  ReportPopup = new QMenu(this);
  HeaderMi = ReportPopup->addAction(QStringLiteral("Include header information"));
  HeaderMi->setCheckable(true);
  HeaderMi->setChecked(true);
  Editconfigfile1 = ReportPopup->addAction(QStringLiteral("Edit configuration file"));
  QObject::connect(ReportBtn, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { ReportBtnClick(); }); });
  QObject::connect(EditorBtn, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { EditorBtnClick(); }); });
  QObject::connect(Editconfigfile1, &QAction::triggered, this,
                   [this] { RunGuarded([this] { Editconfigfile1Click(); }); });
}

TFileRptFrm::~TFileRptFrm() = default;

TRTFfrm* TFileRptFrm::Editor() const {
  return FEditor;
}

void TFileRptFrm::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  RunGuarded([this] { FormShow(); });
}

void TFileRptFrm::FormShow() {
  if (!EditorReady) EditorReady = OpenReportEditor();
}

bool TFileRptFrm::OpenReportEditor() {
  try {
    if (!FEditor) FEditor = new TRTFfrm(Panel2);
    FEditor->setWindowFlags(Qt::Widget);
    Panel2->layout()->addWidget(FEditor);
    FEditor->BotPanel->hide();
    if (!FEditor->CreateOleSupport() || !StartReport()) return false;
    FEditor->show();
    FEditor->raise();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

TRTFfrm& TFileRptFrm::CheckedEditor() const {
  if (!FEditor) throw EOleError(QStringLiteral("There is no report editor"));
  return *FEditor;
}

bool TFileRptFrm::StartReport() {
  try {
    TRTFfrm& editor = CheckedEditor();
    editor.InsertReportLogo();
    editor.AppendLineBreaks(1);
    const TDateTime now = Now();
    editor.AppendStyledText(
        QStringLiteral("Report generated ") + DateToStr(now) + u' ' + TimeToStr(now), false, false,
        false, false);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TFileRptFrm::AppendRule() {
  CheckedEditor().AppendStyledText(QString(RuleLength, u'_'), false, false, false, false);
}

bool TFileRptFrm::AppendChartPicture(const QString& Title) {
  try {
    TRTFfrm& editor = CheckedEditor();
    if (editor.GetOleSupport() == nullptr)
      throw EOleError(QStringLiteral("RichEdit OLE interface is not valid."));
    editor.AppendLineBreaks(1);
    AppendRule();
    editor.AppendStyledText(Title, false, true, false, true);
    editor.AppendLineBreaks(1);
    editor.MoveCaretToEnd();
    editor.GetOleSupport()->PastePicture();
    editor.AppendLineBreaks(1);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TFileRptFrm::ReportDataDirectory(const QString& Directory, const QStringList& Files) {
  try {
    TRTFfrm& editor = CheckedEditor();
    if (!ReportedDirectories.contains(Directory)) {
      ReportedDirectories.append(Directory);
      AppendRule();
      editor.AppendLineBreaks(1);
      editor.AppendStyledText(
          ScanDescription::DirectoryHeading(Directory, static_cast<int>(Files.size())), false, true,
          false, false);
    }
    AppendRule();
    AppendScanDescription(Directory, Files);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TFileRptFrm::AppendScanDescription(const QString& Directory, const QStringList& Files) {
  QString title;
  QString header;
  if (Files.isEmpty() ||
      !ScanDescription::ReadTitleAndHeader(QDir(Directory).filePath(Files.front()), title, header))
    return;  // an unreadable first file leaves the description out
  TRTFfrm& editor = CheckedEditor();
  const QString description = ScanDescription::DescriptionLine(header);
  if (!description.isEmpty()) editor.AppendStyledText(description, false, false, false, false);
  editor.AppendStyledText(ScanDescription::HeaderLine(title), false, false, false, false);
}

bool TFileRptFrm::QueryCloseReport() {
  if (!FEditor) return true;
  bool mayClose = false;
  // A failure while saving keeps the program open with the report.
  RunGuarded([&] { mayClose = FEditor->QuerySaveChanges(); });
  return mayClose;
}

void TFileRptFrm::ReportBtnClick() {
  ReportPopup->popup(QCursor::pos());
}

void TFileRptFrm::EditorBtnClick() {
  if (FEditor) FEditor->EditPopup->popup(QCursor::pos());
}

void TFileRptFrm::Editconfigfile1Click() {
  if (Configuration* config = Configuration::Instance()) config->EditFile(this);
}
