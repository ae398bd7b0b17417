#include "chart/editor/RegisterSeriesEditorForms.h"

#include "chart/editor/TAreaSeriesEditor.h"
#include "chart/editor/TArrowSeriesEditor.h"
#include "chart/editor/TBarSeriesEditor.h"
#include "chart/editor/TBubbleSeriesEditor.h"
#include "chart/editor/TChartShapeEditor.h"
#include "chart/editor/TCircledSeriesEditor.h"
#include "chart/editor/TCustomSeriesEditor.h"
#include "chart/editor/TFastLineSeriesEditor.h"
#include "chart/editor/TGanttSeriesEditor.h"
#include "chart/editor/TKorFuncEditor.h"
#include "chart/editor/TPieSeriesEditor.h"
#include "chart/editor/TSeriesPointerEditor.h"
#include "chart/editor/TStackBarSeriesEditor.h"

void RegisterSeriesEditorForms() {
  RegisterSeriesPointerEditor();
  RegisterBubbleSeriesEditor();
  RegisterStackBarSeriesEditor();
  RegisterGanttSeriesEditor();
  RegisterFastLineSeriesEditor();
  RegisterCustomSeriesEditor();
  RegisterBarSeriesEditor();
  RegisterArrowSeriesEditor();
  RegisterAreaSeriesEditor();
  RegisterPieSeriesEditor();
  RegisterCircledSeriesEditor();
  RegisterChartShapeEditor();
  RegisterFunctionEditors();
}
