#include "chart/editor/TKorExportForm.h"

#include "chart/editor/ChartEditorTypes.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/NativeChartStream.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TSeriesDataHTML.h"
#include "chart/editor/TSeriesDataText.h"
#include "chart/editor/TSeriesDataXLS.h"
#include "chart/editor/TSeriesDataXML.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TComboFlat.h"
#include "chart/core/TCustomChart.h"

#include "platform/ModalHooks.h"
#include "platform/TRadioGroup.h"
#include "platform/TStream.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

QString SeriesCaption(const TChartSeries* Series) {
  return SeriesTitleOrName(Series).replace(u'\n', u' ');
}

}  // namespace

TKorExportForm::TKorExportForm(QWidget* Owner) : TKorExportFormBase(Owner) {
  setObjectName(QStringLiteral("KorExportForm"));
}

TCustomChart* TKorExportForm::ExportChart() const {
  return dynamic_cast<TCustomChart*>(GetExportPanel());
}

// "Colon" exports with semicolons, the separator spreadsheets read as
// columns; an empty custom delimiter gives a blank.
QChar TKorExportForm::Delimiter() const {
  switch (CBDelim->currentIndex()) {
    case dlSpace: return u' ';
    case dlComma: return u',';
    case dlColon: return u';';
    case dlCustom: return ECustom->text().isEmpty() ? QChar(u' ') : ECustom->text().at(0);
    default: return u'\t';
  }
}

std::unique_ptr<TKorExportData> TKorExportForm::CreateDataOfFormat() {
  TCustomChart* Chart = ExportChart();
  // "(all)" carries no series.
  auto* Series = static_cast<TChartSeries*>(CBSeries->currentData().value<void*>());
  switch (RGText->GetItemIndex()) {
    case dfXML: return std::make_unique<TSeriesDataXML>(Chart, Series);
    case dfHTML: return std::make_unique<TSeriesDataHTML>(Chart, Series);
    case dfExcel: return std::make_unique<TSeriesDataXLS>(Chart, Series);
    default: {
      auto Text = std::make_unique<TSeriesDataText>(Chart, Series);
      Text->SetTextDelimiter(Delimiter());
      Text->SetTextQuotes(EQuotes->text());
      return Text;
    }
  }
}

std::unique_ptr<TKorExportData> TKorExportForm::CreateData() {
  std::unique_ptr<TKorExportData> Data = CreateDataOfFormat();
  auto& SeriesData = static_cast<TSeriesData&>(*Data);
  SeriesData.SetIncludeLabels(CBLabels->isChecked());
  SeriesData.SetIncludeIndex(CBIndex->isChecked());
  SeriesData.SetIncludeHeader(CBHeader->isChecked());
  SeriesData.SetIncludeColors(CBColors->isChecked());
  return Data;
}

void TKorExportForm::DoSaveNativeToFile(const QString& FileName, bool IncludeData) {
  if (TCustomChart* Chart = ExportChart())
    SaveChartToFile(*Chart, FileName, IncludeData, NativeAsText());
}

bool TKorExportForm::ExistData() const {
  const TCustomChart* Chart = ExportChart();
  return Chart != nullptr && Chart->SeriesCount() > 0;
}

std::unique_ptr<TMemoryStream> TKorExportForm::CreateNativeStream() {
  auto Stream = std::make_unique<TMemoryStream>();
  if (TCustomChart* Chart = ExportChart())
    SaveChartToStream(*Chart, *Stream, CBNativeData->isChecked(), NativeAsText());
  return Stream;
}

void TKorExportForm::PrepareOnShow() {
  CBSeries->clear();
  CBSeries->addItem(QStringLiteral("(all)"), QVariant::fromValue<void*>(nullptr));
  if (const TCustomChart* Chart = ExportChart())
    for (int I = 0; I < Chart->SeriesCount(); ++I) {
      TChartSeries* Series = Chart->GetSeries(I);
      CBSeries->addItem(SeriesCaption(Series), QVariant::fromValue<void*>(Series));
    }
  CBSeries->setCurrentIndex(0);
}

void KorExport(QWidget* Owner, TCustomKorPanel* Panel) {
  const std::unique_ptr<TKorExportForm> Form = KorCreateForm<TKorExportForm>(Owner);
  Form->SetExportPanel(Panel);
  ShowModal(*Form);
}

void RegisterExportEditorPage() {
  ChartEditorPages().Register(
      QStringLiteral("TabExport"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        auto* Form = new TKorExportForm(&Page);
        Form->setWindowFlags(Qt::Widget);
        Form->BClose->hide();
        Form->CBFileSize->setChecked(false);
        Form->SetExportPanel(Editor.GetChart());
        if (Editor.GetHiddenTabs() & EditorTab(cetExportNative))
          Form->PageControl1->setTabVisible(Form->PageControl1->indexOf(Form->TabNative), false);
        return Form;
      },
      TPageSizing::psAhead);
}
