#pragma once

#include <QString>
#include <QTextDocument>
#include <QWidget>

#include <functional>
#include <memory>

#include "platform/ModalHooks.h"
#include "platform/TPicture.h"

class Configuration;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QMouseEvent;
class QPushButton;
class ReportTextEdit;
class RichEditOleSupport;

// The report's editor window (interaction role): a rich-text control with
// editing, formatting, search and print commands, reports opened and saved
// as RTF through ReportFile, styled paragraphs appended by the report
// builder, and the report logo. Qt owns the controls; the editor owns its
// OLE support and, when it had to create it, the configuration object.
class TRTFfrm : public QWidget {
 public:
  static constexpr int LogoWidth = 204;  // pixels
  static constexpr int LogoHeight = 32;

  explicit TRTFfrm(QWidget* AOwner);
  ~TRTFfrm() override;

  bool GetOleReady() const { return OleReady; }
  RichEditOleSupport* GetOleSupport() const { return OleSupport.get(); }
  const QString& GetCurrentFileName() const { return CurrentFileName; }
  TPicture& GetLogoImage() { return LogoImage; }
  const TPicture& GetZeltLogo() const { return ZeltLogo; }

  bool CreateOleSupport();
  void MoveCaretToEnd();
  void AppendLineBreaks(int N);
  void AppendStyledText(const QString& Text, bool Italic, bool Bold, bool Underline, bool Centred);
  bool InsertReportLogo();
  bool ChooseLogoFile();
  bool LoadLogoFile(const QString& FileName);
  // Where the logo is kept: beside the configuration file ("" on failure).
  static QString LogoFilePath();
  // On failure, the message Open1Click shows says why.
  bool LoadRtfFile(const QString& FileName);
  bool SaveRtfFile(const QString& FileName);
  // For a modified report: asks whether to save it (Yes, No, Cancel); true
  // when the report may be closed or replaced. The modified flag is cleared
  // only by a successful save; Cancel, or a cancelled or failed save, keeps
  // flag and report.
  bool QuerySaveChanges();
  // Find: from the cursor (or the start), wrapping once; true when found
  // and selected.
  bool FindText(const QString& Text, bool MatchCase, bool FromStart);
  // Replaces every occurrence; the number replaced.
  int ReplaceAll(const QString& Text, const QString& Replacement, bool MatchCase);

  void Open1Click();
  // True when the report was written.
  bool SaveAs1Click();
  void Print2Click();
  void PrintSetup2Click();
  void Pagesetup1Click();
  void Pasteimage1Click();
  void Pastespecial1Click();
  void SearchFind1BeforeExecute();
  void SearchFind1Execute();
  void SearchFindFirst1Execute();
  void SearchFindNext1Execute();
  void SearchReplace1Execute();
  void MenuItem14Click();
  void Editconfigurationfile1Click();
  void Setreportlogofile1Click();
  void Options1Click() {}
  // True when the window may close.
  bool FormClose();
  void FormDestroy();
  void BitBtn1Click();
  void SpeedButton1Click();
  void RichEdit1MouseDown(Qt::MouseButton Button);

  ReportTextEdit* RichEdit1 = nullptr;
  QWidget* BotPanel = nullptr;
  QPushButton* SpeedButton1 = nullptr;
  QLabel* LogoLabel = nullptr;
  QLabel* ZeltLabel = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QCheckBox* PauseCB = nullptr;
  QMenuBar* MainMenu2 = nullptr;
  QMenu* EditPopup = nullptr;

 protected:
  void closeEvent(QCloseEvent* Event) override;

 private:
  void BuildControls();
  void BuildMenus();
  void FillMenu(const std::function<QMenu*(const QString&)>& AddMenu, bool MainMenu);
  void ApplyCharStyle(int Style, bool On);
  void ShowLogo();
  void ShowErrorText(const QString& Text);
  TFileDialogRequest ReportFileRequest(TFileDialogKind Kind);

  bool OleReady = false;
  std::unique_ptr<RichEditOleSupport> OleSupport;
  QString CurrentFileName;
  QString FLoadError;  // why LoadRtfFile failed last
  TPicture LogoImage;
  TPicture ZeltLogo;
  std::unique_ptr<Configuration> FOwnConfiguration;
  QString FLastSearch;
  bool FLastMatchCase = false;
};
