#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class Configuration;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class TRTFfrm;

// The "Report" tab (interaction role): hosts the program's one report
// editor and writes into it as the user works: logo and time stamp when
// the report starts, a heading and run description per data directory, and
// titled chart pictures. Every operation returns false (or does nothing)
// when it fails; nothing is shown to the user.
class TFileRptFrm : public QWidget {
 public:
  static constexpr int RuleLength = 40;  // underscores

  explicit TFileRptFrm(QWidget* AOwner);
  ~TFileRptFrm() override;

  bool GetEditorReady() const { return EditorReady; }
  const QStringList& GetReportedDirectories() const { return ReportedDirectories; }
  // The report editor, or nullptr before it was opened.
  TRTFfrm* Editor() const;

  void FormShow();
  bool OpenReportEditor();
  bool StartReport();
  // After the caller put the chart's bitmap on the clipboard.
  bool AppendChartPicture(const QString& Title);
  bool ReportDataDirectory(const QString& Directory, const QStringList& Files);
  // For the main window closing: asks whether to save an unsaved report;
  // true when the program may close (saved, not wanted, or nothing to save).
  bool QueryCloseReport();
  void ReportBtnClick();
  void EditorBtnClick();
  void Editconfigfile1Click();

  QWidget* Panel2 = nullptr;
  QLabel* Image1 = nullptr;
  QWidget* Panel4 = nullptr;
  QPushButton* ReportBtn = nullptr;
  QPushButton* EditorBtn = nullptr;
  QMenu* ReportPopup = nullptr;
  QAction* HeaderMi = nullptr;
  QAction* Editconfigfile1 = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void AppendRule();
  void AppendScanDescription(const QString& Directory, const QStringList& Files);
  TRTFfrm& CheckedEditor() const;

  bool EditorReady = false;
  QStringList ReportedDirectories;
  QPointer<TRTFfrm> FEditor;
  std::unique_ptr<Configuration> FOwnConfiguration;
};

// The program's one report builder (on the main window's "Report" tab); null
// until the main window made it and after it was freed.
extern QPointer<TFileRptFrm> FileRptFrm;
