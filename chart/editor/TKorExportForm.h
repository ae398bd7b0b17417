#pragma once

#include "chart/editor/TKorExportFormBase.h"

class TCustomChart;

// Interaction: the export dialog of a chart: the native page writes chart
// files with or without the series' points, binary or text, and the data
// page exports the points of one series or of all.
class TKorExportForm : public TKorExportFormBase {
 public:
  explicit TKorExportForm(QWidget* Owner = nullptr);

  TCustomChart* ExportChart() const;

 protected:
  std::unique_ptr<TKorExportData> CreateData() override;
  void DoSaveNativeToFile(const QString& FileName, bool IncludeData) override;
  bool ExistData() const override;
  std::unique_ptr<TMemoryStream> CreateNativeStream() override;
  void PrepareOnShow() override;

 private:
  std::unique_ptr<TKorExportData> CreateDataOfFormat();
  QChar Delimiter() const;
};

// Shows the export dialog for Panel modally.
void KorExport(QWidget* Owner, TCustomKorPanel* Panel);

// Makes the chart editor's Export page this form (without its Close button).
void RegisterExportEditorPage();
