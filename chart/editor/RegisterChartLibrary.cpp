#include "chart/editor/RegisterChartLibrary.h"

#include "chart/editor/ChartPreview.h"
#include "chart/editor/RegisterSeriesEditorForms.h"
#include "chart/editor/TBMPExportFormat.h"
#include "chart/editor/TChartChart.h"
#include "chart/editor/TChartEditorDataPage.h"
#include "chart/editor/TEMFExportFormat.h"
#include "chart/editor/TFormKor3D.h"
#include "chart/editor/TFormKorAxis.h"
#include "chart/editor/TFormKorLegend.h"
#include "chart/editor/TFormKorPage.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/editor/TFormKorTools.h"
#include "chart/editor/TKorExportForm.h"
#include "chart/editor/TKorGallery.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/tools/RegisterToolTypes.h"

void RegisterChartLibrary() {
  RegisterSeriesTypes();
  RegisterToolTypes();
  RegisterBMPExportFormat();
  RegisterEMFExportFormat();
  RegisterExportEditorPage();
  RegisterPrintEditorPage();
  RegisterDataEditorPage();
  RegisterSeriesGallery();
  RegisterGeneralEditorPages();
  RegisterAxisEditorPage();
  RegisterLegendEditorPage();
  Register3DEditorPage();
  RegisterTitlesWallsToolsEditorPages();
  RegisterSeriesEditorPage();
  RegisterSeriesEditorForms();
  RegisterChartChartClasses();
}
