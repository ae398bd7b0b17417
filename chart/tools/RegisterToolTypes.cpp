#include "chart/tools/RegisterToolTypes.h"

#include "chart/tools/TAnnotationTool.h"
#include "chart/tools/TAxisArrowTool.h"
#include "chart/tools/TAxisScrollTool.h"
#include "chart/tools/TChartImageTool.h"
#include "chart/tools/TClipSeriesTool.h"
#include "chart/tools/TColorBandTool.h"
#include "chart/tools/TColorLineTool.h"
#include "chart/tools/TCursorTool.h"
#include "chart/tools/TDragMarksTool.h"
#include "chart/tools/TDragPointTool.h"
#include "chart/tools/TDrawLineTool.h"
#include "chart/tools/TGridBandTool.h"
#include "chart/tools/TMarksTipTool.h"
#include "chart/tools/TNearestTool.h"
#include "chart/tools/TRectangleTool.h"
#include "chart/tools/TRotateTool.h"
#include "chart/tools/TSelectorTool.h"
#include "chart/tools/TSeriesAnimationTool.h"
#include "chart/tools/ToolTypePictures.h"

#include "chart/core/TKorToolTypes.h"

namespace {

// The galleries' order: the sixteen general tools, then the selector and
// the point dragger.
std::vector<TKorToolClass> ToolClasses() {
  return {
      TKorToolClass::Of<TCursorTool>(),     TKorToolClass::Of<TDragMarksTool>(),
      TKorToolClass::Of<TAxisArrowTool>(),  TKorToolClass::Of<TDrawLineTool>(),
      TKorToolClass::Of<TNearestTool>(),    TKorToolClass::Of<TColorBandTool>(),
      TKorToolClass::Of<TColorLineTool>(),  TKorToolClass::Of<TRotateTool>(),
      TKorToolClass::Of<TChartImageTool>(), TKorToolClass::Of<TMarksTipTool>(),
      TKorToolClass::Of<TAnnotationTool>(), TKorToolClass::Of<TSeriesAnimationTool>(),
      TKorToolClass::Of<TGridBandTool>(),   TKorToolClass::Of<TAxisScrollTool>(),
      TKorToolClass::Of<TRectangleTool>(),  TKorToolClass::Of<TClipSeriesTool>(),
      TKorToolClass::Of<TSelectorTool>(),   TKorToolClass::Of<TDragPointTool>(),
  };
}

}  // namespace

void RegisterToolTypes() {
  RegisterKorTools(ToolClasses());
  RegisterToolTypePictures();
}

void UnRegisterToolTypes() {
  UnRegisterKorTools(ToolClasses());
  UnRegisterToolTypePictures();
}
