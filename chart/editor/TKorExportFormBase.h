#pragma once

#include "platform/ModalHooks.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QShowEvent;
class QTabWidget;
class TComboFlat;
class TCustomKorPanel;
class TEditUpDown;
class TKorExportData;
class TKorExportFormat;
class TMemoryStream;
class TRadioGroup;
class TUpDown;

// Interaction: the export dialog of a panel. "Picture" copies or saves the
// panel in one of the registered picture formats, "Native" saves it as a
// component stream, "Data" exports the data behind it (charts only: see
// TKorExportForm). "S&end..." mails what the active page would save.
class TKorExportFormBase : public QDialog {
 public:
  explicit TKorExportFormBase(QWidget* Owner = nullptr);
  ~TKorExportFormBase() override;

  TCustomKorPanel* GetExportPanel() const { return FExportPanel; }
  void SetExportPanel(TCustomKorPanel* Value) { FExportPanel = Value; }
  // The mail's subject and the attachment's base name.
  const QString& GetSubject() const { return FSubject; }
  void SetSubject(const QString& Value) { FSubject = Value; }
  // The picture formats listed, in the order of LBFormat.
  const std::vector<std::unique_ptr<TKorExportFormat>>& Formats() const { return FFormats; }
  TKorExportFormat* SelectedFormat() const;

  // What the buttons and controls do (tests call them directly).
  void FormShow();
  void LBFormatClick();
  void EnableButtons();
  void BCopyClick();
  void BSaveClick();
  void BSendClick();
  void RGTextClick();
  void CBDelimChange();
  void RefreshFileSize();
  // The data save dialog's entry for the current data choices (1 to 8).
  int DataFilterIndex() const;

  // The save dialogs, as the next Save... shows them.
  TFileDialogRequest SaveDialogPicture;
  TFileDialogRequest SaveDialogNative;
  TFileDialogRequest SaveDialogData;

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabPicture = nullptr;
  QWidget* TabNative = nullptr;
  QWidget* TabData = nullptr;
  QGroupBox* GroupFormat = nullptr;
  QListWidget* LBFormat = nullptr;
  QTabWidget* PageOptions = nullptr;
  QWidget* TabOptions = nullptr;
  QWidget* TabSize = nullptr;
  TEditUpDown* EWidth = nullptr;
  TUpDown* UDWidth = nullptr;
  TEditUpDown* EHeight = nullptr;
  TUpDown* UDHeight = nullptr;
  QCheckBox* CBAspect = nullptr;
  QCheckBox* CBNativeData = nullptr;
  QCheckBox* CBFileSize = nullptr;
  QLabel* LabelSize = nullptr;
  TComboFlat* CBNativeFormat = nullptr;
  TComboFlat* CBSeries = nullptr;
  TRadioGroup* RGText = nullptr;
  TComboFlat* CBDelim = nullptr;
  QLineEdit* ECustom = nullptr;
  QLineEdit* EQuotes = nullptr;
  QCheckBox* CBLabels = nullptr;
  QCheckBox* CBIndex = nullptr;
  QCheckBox* CBHeader = nullptr;
  QCheckBox* CBColors = nullptr;
  QPushButton* BCopy = nullptr;
  QPushButton* BSave = nullptr;
  QPushButton* BSend = nullptr;
  QPushButton* BClose = nullptr;

  // The "Data" choices: RGText items and CBDelim items.
  enum TDataFormat { dfText, dfXML, dfHTML, dfExcel };
  enum TDelimiter { dlSpace, dlTab, dlComma, dlColon, dlCustom };

 protected:
  // The five operations a panel kind refines.
  virtual std::unique_ptr<TKorExportData> CreateData();
  virtual void DoSaveNativeToFile(const QString& FileName, bool IncludeData);
  virtual bool ExistData() const;
  virtual std::unique_ptr<TMemoryStream> CreateNativeStream();
  virtual void PrepareOnShow();

  void showEvent(QShowEvent* Event) override;
  bool NativeAsText() const;

 private:
  void BuildControls();
  void BuildPicturePage();
  void BuildNativePage();
  void BuildDataPage();
  void BuildButtons();
  void ConnectControls();
  void FillFormats();
  void EWidthChange();
  void EHeightChange();
  bool CouplesSize() const;

  enum class TExportPage { epPicture, epNative, epData };
  TExportPage ActivePage() const;
  // The format the save dialog's answer asks for (the filter picked, else
  // the file's extension, else the selected one).
  TKorExportFormat* FormatForFile(const QString& FileName, int FilterIndex) const;
  void SavePicture(TKorExportFormat& Format, const QString& FileName);
  void SaveNative(const QString& FileName);
  void SaveData(const QString& FileName);
  // What the active page would save, written to FileName with the active
  // page's extension; the full name written.
  QString SaveForSending(const QString& FileName);

  TCustomKorPanel* FExportPanel = nullptr;
  std::vector<std::unique_ptr<TKorExportFormat>> FFormats;
  double FAspect = 0;
  bool FBusy = false;
  QString FSubject;
};
