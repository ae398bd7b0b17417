#pragma once

#include "chart/core/Korconst.h"

#include <QString>

#include <span>

// Texts of the extended series types, functions, tools and editors, and of
// the chart command bar (KorCommanMsg_...). Same conventions and start-up
// scheme as the core texts (chart/core/Korconst.h): the variables are
// constant-initialised, and the inline variable KorprocoStarted fills them
// before any static object of a file that includes this header is built.
//
// Names shared with Korconst are different variables: Korproco::KorMsg_Edit
// and Korproco::KorMsg_PeriodRange ("Period must be >= 0") belong to this
// unit; write the namespace on every use.
namespace Korproco {

// Messages, number formats and defaults
extern QString KorMsg_PolyDegreeRange;
extern QString KorMsg_AnswerVectorIndex;
extern QString KorMsg_FittingError;
extern QString KorMsg_PeriodRange;
extern QString KorMsg_ExpAverageWeight;
extern QString KorMsg_GalleryErrorBar;
extern QString KorMsg_GalleryError;
extern QString KorMsg_CannotFindEditor;
extern QString KorMsg_ValuesStdError;
extern QString KorMsg_LowBezierPoints;
extern QString KorCommanMsg_Rotating;
extern QString KorCommanMsg_Moving;
extern QString KorCommanMsg_Zooming;
extern QString KorCommanMsg_Depthing;
extern QString KorCommanMsg_RotateLabel;
extern QString KorCommanMsg_MoveLabel;
extern QString KorCommanMsg_ZoomLabel;
extern QString KorCommanMsg_DepthLabel;
extern QString KorCommanMsg_PieExploding;
extern QString KorMsg_TriSurfaceLess;
extern QString KorMsg_TriSurfaceAllColinear;
extern QString KorMsg_TriSurfaceSimilar;
extern QString KorMsg_CantDeleteAncestor;
extern QString KorMsg_FunnelPercent;
extern QString KorMsg_SeriesTextFieldZero;

// File filters ("description|pattern" pairs)
extern QString KorMsg_WapBMPFilter;

// Captions and names of the editor, galleries, menus and sample data
extern QString KorMsg_GalleryPolar;
extern QString KorMsg_GalleryCandle;
extern QString KorMsg_GalleryVolume;
extern QString KorMsg_GallerySurface;
extern QString KorMsg_GalleryContour;
extern QString KorMsg_GalleryBezier;
extern QString KorMsg_GalleryPoint3D;
extern QString KorMsg_GalleryRadar;
extern QString KorMsg_GalleryDonut;
extern QString KorMsg_GalleryCursor;
extern QString KorMsg_GalleryBar3D;
extern QString KorMsg_GalleryBigCandle;
extern QString KorMsg_GalleryLinePoint;
extern QString KorMsg_GalleryHistogram;
extern QString KorMsg_GalleryWaterFall;
extern QString KorMsg_GalleryWindRose;
extern QString KorMsg_GalleryClock;
extern QString KorMsg_GalleryColorGrid;
extern QString KorMsg_GalleryBoxPlot;
extern QString KorMsg_GalleryHorizBoxPlot;
extern QString KorMsg_GalleryBarJoin;
extern QString KorMsg_GallerySmith;
extern QString KorMsg_GalleryPyramid;
extern QString KorMsg_GalleryMap;
extern QString KorMsg_GalleryVolumePipe;
extern QString KorMsg_GalleryHighLow;
extern QString KorMsg_FunctionMomentum;
extern QString KorMsg_FunctionMomentumDiv;
extern QString KorMsg_FunctionExpAverage;
extern QString KorMsg_FunctionMovingAverage;
extern QString KorMsg_FunctionExpMovAve;
extern QString KorMsg_FunctionRSI;
extern QString KorMsg_FunctionCurveFitting;
extern QString KorMsg_FunctionTrend;
extern QString KorMsg_FunctionExpTrend;
extern QString KorMsg_FunctionLogTrend;
extern QString KorMsg_FunctionCumulative;
extern QString KorMsg_FunctionStdDeviation;
extern QString KorMsg_FunctionBollinger;
extern QString KorMsg_FunctionRMS;
extern QString KorMsg_FunctionMACD;
extern QString KorMsg_FunctionStochastic;
extern QString KorMsg_FunctionADX;
extern QString KorMsg_FunctionCount;
extern QString KorMsg_LoadChart;
extern QString KorMsg_SaveChart;
extern QString KorMsg_KorFiles;
extern QString KorMsg_GallerySamples;
extern QString KorMsg_GalleryStats;
extern QString KorMsg_ValuesDate;
extern QString KorMsg_ValuesOpen;
extern QString KorMsg_ValuesHigh;
extern QString KorMsg_ValuesLow;
extern QString KorMsg_ValuesClose;
extern QString KorMsg_ValuesOffset;
extern QString KorMsg_Grid3D;
extern QString KorCommanMsg_Normal;
extern QString KorCommanMsg_Edit;
extern QString KorCommanMsg_Print;
extern QString KorCommanMsg_Copy;
extern QString KorCommanMsg_Save;
extern QString KorCommanMsg_3D;
extern QString KorCommanMsg_Rotate;
extern QString KorCommanMsg_Move;
extern QString KorCommanMsg_Zoom;
extern QString KorCommanMsg_Depth;
extern QString KorCommanMsg_Chart;
extern QString KorCommanMsg_Panel;
extern QString KorCommanMsg_NormalLabel;
extern QString KorCommanMsg_NormalPieLabel;
extern QString KorMsg_GalleryTriSurface;
extern QString KorMsg_AllSeries;
extern QString KorMsg_Edit;
extern QString KorMsg_GalleryFinancial;
extern QString KorMsg_CursorTool;
extern QString KorMsg_DragMarksTool;
extern QString KorMsg_AxisArrowTool;
extern QString KorMsg_DrawLineTool;
extern QString KorMsg_NearestTool;
extern QString KorMsg_ColorBandTool;
extern QString KorMsg_ColorLineTool;
extern QString KorMsg_RotateTool;
extern QString KorMsg_ImageTool;
extern QString KorMsg_MarksTipTool;
extern QString KorMsg_AnnotationTool;
extern QString KorMsg_Load;
extern QString KorMsg_CategoryChartActions;
extern QString KorMsg_CategorySeriesActions;
extern QString KorMsg_Action3D;
extern QString KorMsg_Action3DHint;
extern QString KorMsg_ActionSeriesActive;
extern QString KorMsg_ActionSeriesActiveHint;
extern QString KorMsg_ActionEditHint;
extern QString KorMsg_ActionEdit;
extern QString KorMsg_ActionCopyHint;
extern QString KorMsg_ActionCopy;
extern QString KorMsg_ActionPrintHint;
extern QString KorMsg_ActionPrint;
extern QString KorMsg_ActionAxesHint;
extern QString KorMsg_ActionAxes;
extern QString KorMsg_ActionGridsHint;
extern QString KorMsg_ActionGrids;
extern QString KorMsg_ActionLegendHint;
extern QString KorMsg_ActionLegend;
extern QString KorMsg_ActionSeriesEditHint;
extern QString KorMsg_ActionSeriesMarksHint;
extern QString KorMsg_ActionSeriesMarks;
extern QString KorMsg_ActionSaveHint;
extern QString KorMsg_ActionSave;
extern QString KorMsg_CandleBar;
extern QString KorMsg_CandleNoOpen;
extern QString KorMsg_CandleNoClose;
extern QString KorMsg_NoHigh;
extern QString KorMsg_NoLow;
extern QString KorMsg_ColorRange;
extern QString KorMsg_WireFrame;
extern QString KorMsg_DotFrame;
extern QString KorMsg_Positions;
extern QString KorMsg_NoGrid;
extern QString KorMsg_NoPoint;
extern QString KorMsg_NoLine;
extern QString KorMsg_Labels;
extern QString KorMsg_NoCircle;
extern QString KorMsg_Lines;
extern QString KorMsg_Border;
extern QString KorMsg_SmithResistance;
extern QString KorMsg_SmithReactance;
extern QString KorMsg_Column;
extern QString KorMsg_Separator;
extern QString KorMsg_FunnelSegment;
extern QString KorMsg_FunnelSeries;
extern QString KorMsg_FunnelExceed;
extern QString KorMsg_FunnelWithin;
extern QString KorMsg_FunnelBelow;
extern QString KorMsg_CalendarSeries;
extern QString KorMsg_DeltaPointSeries;
extern QString KorMsg_ImagePointSeries;
extern QString KorMsg_ImageBarSeries;
extern QString KorMsg_Origin;
extern QString KorMsg_Transparency;
extern QString KorMsg_Box;
extern QString KorMsg_ExtrOut;
extern QString KorMsg_MildOut;
extern QString KorMsg_PageNumber;
extern QString KorMsg_TextFile;
extern QString KorMsg_DragPoint;
extern QString KorMsg_OpportunityValues;
extern QString KorMsg_QuoteValues;
extern QString KorMsg_FunctionSmooth;
extern QString KorMsg_FunctionCross;
extern QString KorMsg_GridTranspose;
extern QString KorMsg_FunctionCompress;
extern QString KorMsg_ExtraLegendTool;
extern QString KorMsg_FunctionCLV;
extern QString KorMsg_FunctionOBV;
extern QString KorMsg_FunctionCCI;
extern QString KorMsg_FunctionPVO;
extern QString KorMsg_SeriesAnimTool;
extern QString KorMsg_GalleryPointFigure;
extern QString KorMsg_Up;
extern QString KorMsg_Down;
extern QString KorMsg_GanttTool;
extern QString KorMsg_XMLFile;
extern QString KorMsg_GridBandTool;
extern QString KorMsg_FunctionPerf;
extern QString KorMsg_GalleryGauge;
extern QString KorMsg_GalleryGauges;
extern QString KorMsg_ValuesVectorEndZ;
extern QString KorMsg_GalleryVector3D;
extern QString KorMsg_Gallery3D;
extern QString KorMsg_GalleryTower;
extern QString KorMsg_SingleColor;
extern QString KorMsg_Cover;
extern QString KorMsg_Cone;
extern QString KorMsg_PieTool;
extern QString KorMsg_Stop;
extern QString KorMsg_Execute;
extern QString KorMsg_Themes;
extern QString KorMsg_LightTool;
extern QString KorMsg_Current;
extern QString KorMsg_FunctionCorrelation;
extern QString KorMsg_FunctionVariance;
extern QString KorMsg_GalleryBubble3D;
extern QString KorMsg_GalleryHorizHistogram;
extern QString KorMsg_FunctionPerimeter;
extern QString KorMsg_SurfaceNearestTool;
extern QString KorMsg_AxisScrollTool;
extern QString KorMsg_RectangleTool;
extern QString KorMsg_GalleryPolarBar;
extern QString KorMsg_AsWapBitmap;
extern QString KorMsg_ClipSeries;
extern QString KorMsg_SeriesBandTool;
extern QString KorMsg_ThemeFacts;
extern QString KorMsg_FunctionDownSampling;
extern QString KorMsg_SelectorTool;
extern QString KorMsg_LegendScrollBar;
extern QString KorMsg_DataTableTool;
extern QString KorMsg_IsoSurfaceSeries;

// Assigns the English text to each of the 224 variables above.
void KorSetProStrings();

// Returns every text of both units to English: KorLanguage becomes
// KorEnglishLanguage, both units' setters run, hot keys go in front and
// upper-casing is allowed again. A language module calls it to undo itself.
void KorSetEnglish();

// Empties each of the 224 variables.
void KorClearProStrings();

// The unit's 224 variables with their names and English texts, in the order
// KorSetProStrings assigns them.
std::span<const Korconst::KorTextEntry> KorprocoTexts();

// Runs KorSetProStrings; KorprocoStarted calls it once.
bool KorprocoStartUp();
inline const bool KorprocoStarted = KorprocoStartUp();

}  // namespace Korproco
