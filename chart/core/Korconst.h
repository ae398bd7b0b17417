#pragma once

#include <QString>

#include <span>

// The chart library's core texts: every message raised in an exception,
// gallery and function name, editor caption, file filter, number format,
// default font and sample text that chart code shows or uses lives in a
// program-wide variable rather than a literal at the place of use, so that a
// language module can replace them all at once. Chart code reads a variable at
// the moment it needs the text (or keeps a pointer to it), never a copy taken
// earlier.
//
// Two units hold texts: Korconst (the core texts, here) and Korproco (the
// extended series, functions, tools, editors and the chart command bar,
// chart/core/Korproco.h). Each unit's variables live in a namespace named
// after the unit, because a few names exist in both; a reader always names the
// unit it means:
//   Korconst::KorMsg_PeriodRange   "Period range"
//   Korproco::KorMsg_PeriodRange   "Period must be >= 0"
//   Korconst::KorMsg_Edit, Korproco::KorMsg_Edit   both "Edit", two variables
//
// Text conventions: "\r" (character 13) breaks a gallery caption into lines,
// "&" marks a menu hot key, "%s" and "%d" are filled in with Format
// (platform/FormatSettings.h), and file filters are description|pattern pairs
// joined by "|".
//
// Start-up: the variables are constant-initialised (empty, no code runs), and
// the inline variable KorconstStarted at the end of this header fills them.
// Every file that includes this header defines that inline variable before its
// own static objects, and C++ initialises such an inline variable before any
// ordinary static object defined after it, in whichever file and order the
// program starts up. So the texts are set before any static object of chart
// code can read them. At program exit the strings are destroyed with the other
// statics; KorClearConstants empties them on request.
namespace Korconst {

// One row of a unit's text table.
struct KorTextEntry {
  QString* Variable;
  const char* Name;     // the variable's name, as code spells it
  const char* English;  // UTF-8; null for texts built from other texts
};

// Language settings, changed by language modules and reset by
// Korproco::KorSetEnglish. Identifiers are Windows language identifiers;
// English is 0x0409 (US English). English texts keep their hot keys inside the
// word (HotKeyAtEnd false) and may be upper-cased (CanUpper true).
extern int KorEnglishLanguage;
extern int KorLanguage;
extern bool KorLanguageHotKeyAtEnd;
extern bool KorLanguageCanUpper;

// Extension of native chart files, without the dot: "kor". The setters never
// change it; the file texts below are built from its value at the time.
extern QString KorMsg_KorExtension;

// Lines naming the library's maker and its chart wizard
extern QString KorMsg_LibraryMaker;
extern QString KorMsg_WizardTitle;

// Messages, number formats and defaults
extern QString KorMsg_LegendFirstValue;
extern QString KorMsg_LegendColorWidth;
extern QString KorMsg_SeriesSetDataSource;
extern QString KorMsg_SeriesInvDataSource;
extern QString KorMsg_FillSample;
extern QString KorMsg_AxisLogDateTime;
extern QString KorMsg_AxisLogNotPositive;
extern QString KorMsg_AxisLabelSep;
extern QString KorMsg_AxisIncrementNeg;
extern QString KorMsg_AxisMinMax;
extern QString KorMsg_AxisMaxMin;
extern QString KorMsg_AxisLogBase;
extern QString KorMsg_MaxPointsPerPage;
extern QString KorMsg_3dPercent;
extern QString KorMsg_CircularSeries;
extern QString KorMsg_WarningHiColor;
extern QString KorMsg_DefaultPercentOf;
extern QString KorMsg_DefaultPercentOf2;
extern QString KorMsg_DefPercentFormat;
extern QString KorMsg_DefValueFormat;
extern QString KorMsg_DefLogValueFormat;
extern QString KorMsg_RefreshInterval;
extern QString KorMsg_SeriesParentNoSelf;
extern QString KorMsg_GalleryLogoFont;
extern QString KorMsg_Editing;
extern QString KorMsg_InvalidEditorClass;
extern QString KorMsg_MissingEditorClass;
extern QString KorMsg_SureToDelete;
extern QString KorMsg_Default;
extern QString KorMsg_DesiredIncrement;
extern QString KorMsg_IncorrectMaxMinValue;
extern QString KorMsg_EnterDateTime;
extern QString KorMsg_SureToApply;
extern QString KorMsg_DefaultFontSize;
extern QString KorMsg_DefaultEditorSize;
extern QString KorMsg_DefaultEditorHeight;
extern QString KorMsg_DefaultFontName;
extern QString KorMsg_CheckPointerSize;
extern QString KorMsg_FunctionPeriod;
extern QString KorMsg_WizardSureToClose;
extern QString KorMsg_FieldNotFound;
extern QString KorMsg_CalcPeriod;
extern QString KorMsg_PageOfPages;
extern QString KorMsg_FileSize;
extern QString KorMsg_ExportPanelNotSet;
extern QString KorMsg_Stack100;
extern QString KorMsg_CanNotFindTempPath;
extern QString KorMsg_CanNotCreateTempChart;
extern QString KorMsg_CanNotEmailChart;
extern QString KorMsg_SeriesDelete;
extern QString KorMsg_CannotLoadChartFromURL;
extern QString KorMsg_CannotLoadSeriesDataFromURL;
extern QString KorMsg_WantToSave;

// File filters ("description|pattern" pairs)
extern QString KorMsg_BMPFilter;
extern QString KorMsg_EMFFilter;
extern QString KorMsg_JPEGFilter;
extern QString KorMsg_GIFFilter;
extern QString KorMsg_PNGFilter;
extern QString KorMsg_PCXFilter;
extern QString KorMsg_VMLFilter;
extern QString KorMsg_PDFFilter;
extern QString KorMsg_PSFilter;
extern QString KorMsg_TextFilter1;
extern QString KorMsg_TextFilter2;
extern QString KorMsg_TextFilter3;
extern QString KorMsg_TextFilter4;
extern QString KorMsg_TextFilter5;
extern QString KorMsg_XMLFilter;
extern QString KorMsg_HTMLFilter;
extern QString KorMsg_ExcelFilter;
extern QString KorMsg_SVGFilter;

// Captions and names of the editor, galleries, menus and sample data
extern QString KorMsg_Test;
extern QString KorMsg_AxisTitle;
extern QString KorMsg_AxisLabels;
extern QString KorMsg_GalleryLine;
extern QString KorMsg_GalleryPoint;
extern QString KorMsg_GalleryArea;
extern QString KorMsg_GalleryBar;
extern QString KorMsg_GalleryHorizBar;
extern QString KorMsg_Stack;
extern QString KorMsg_GalleryPie;
extern QString KorMsg_GalleryCircled;
extern QString KorMsg_GalleryFastLine;
extern QString KorMsg_GalleryHorizLine;
extern QString KorMsg_PieSample1;
extern QString KorMsg_PieSample2;
extern QString KorMsg_PieSample3;
extern QString KorMsg_PieSample4;
extern QString KorMsg_PieSample5;
extern QString KorMsg_PieSample6;
extern QString KorMsg_PieSample7;
extern QString KorMsg_PieSample8;
extern QString KorMsg_GalleryStandard;
extern QString KorMsg_GalleryExtended;
extern QString KorMsg_GalleryFunctions;
extern QString KorMsg_EditChart;
extern QString KorMsg_PrintPreview;
extern QString KorMsg_ExportChart;
extern QString KorMsg_CustomAxes;
extern QString KorMsg_GalleryArrow;
extern QString KorMsg_ExpFinish;
extern QString KorMsg_ExpNext;
extern QString KorMsg_GalleryGantt;
extern QString KorMsg_GanttSample1;
extern QString KorMsg_GanttSample2;
extern QString KorMsg_GanttSample3;
extern QString KorMsg_GanttSample4;
extern QString KorMsg_GanttSample5;
extern QString KorMsg_GanttSample6;
extern QString KorMsg_GanttSample7;
extern QString KorMsg_GanttSample8;
extern QString KorMsg_GanttSample9;
extern QString KorMsg_GanttSample10;
extern QString KorMsg_ChangeSeriesTitle;
extern QString KorMsg_NewSeriesTitle;
extern QString KorMsg_DateTime;
extern QString KorMsg_TopAxis;
extern QString KorMsg_BottomAxis;
extern QString KorMsg_LeftAxis;
extern QString KorMsg_RightAxis;
extern QString KorMsg_DateTimeFormat;
extern QString KorMsg_ValuesFormat;
extern QString KorMsg_Maximum;
extern QString KorMsg_Minimum;
extern QString KorMsg_SelectedSeries;
extern QString KorMsg_RefreshData;
extern QString KorMsg_FunctionAdd;
extern QString KorMsg_FunctionSubtract;
extern QString KorMsg_FunctionMultiply;
extern QString KorMsg_FunctionDivide;
extern QString KorMsg_FunctionHigh;
extern QString KorMsg_FunctionLow;
extern QString KorMsg_FunctionAverage;
extern QString KorMsg_GalleryShape;
extern QString KorMsg_GalleryBubble;
extern QString KorMsg_FunctionNone;
extern QString KorMsg_None;
extern QString KorMsg_PrivateDeclarations;
extern QString KorMsg_PublicDeclarations;
extern QString KorMsg_About;
extern QString tcAdditional;
extern QString tcDControls;
extern QString tcQReport;
extern QString KorMsg_DataSet;
extern QString KorMsg_AskDataSet;
extern QString KorMsg_SingleRecord;
extern QString KorMsg_AskDataSource;
extern QString KorMsg_Summary;
extern QString KorMsg_WizardTab;
extern QString KorMsg_ClearImage;
extern QString KorMsg_BrowseImage;
extern QString KorMsg_DepthAxis;
extern QString KorMsg_PieOther;
extern QString KorMsg_ShapeGallery1;
extern QString KorMsg_ShapeGallery2;
extern QString KorMsg_ValuesX;
extern QString KorMsg_ValuesY;
extern QString KorMsg_ValuesPie;
extern QString KorMsg_ValuesBar;
extern QString KorMsg_ValuesAngle;
extern QString KorMsg_ValuesGanttStart;
extern QString KorMsg_ValuesGanttEnd;
extern QString KorMsg_ValuesGanttNextTask;
extern QString KorMsg_ValuesBubbleRadius;
extern QString KorMsg_ValuesArrowEndX;
extern QString KorMsg_ValuesArrowEndY;
extern QString KorMsg_Legend;
extern QString KorMsg_Title;
extern QString KorMsg_Foot;
extern QString KorMsg_Period;
extern QString KorMsg_PeriodRange;
extern QString KorMsg_SmallDotsPen;
extern QString KorMsg_InvalidKorFile;
extern QString KorMsg_WrongKorFileFormat;
extern QString KorMsg_EmptyKorFile;
extern QString KorMsg_ChartAxesCategoryName;
extern QString KorMsg_ChartAxesCategoryDesc;
extern QString KorMsg_ChartWallsCategoryName;
extern QString KorMsg_ChartWallsCategoryDesc;
extern QString KorMsg_ChartTitlesCategoryName;
extern QString KorMsg_ChartTitlesCategoryDesc;
extern QString KorMsg_Chart3DCategoryName;
extern QString KorMsg_Chart3DCategoryDesc;
extern QString KorMsg_CustomAxesEditor;
extern QString KorMsg_Series;
extern QString KorMsg_SeriesList;
extern QString KorMsg_First;
extern QString KorMsg_Prior;
extern QString KorMsg_Next;
extern QString KorMsg_Last;
extern QString KorMsg_Insert;
extern QString KorMsg_Delete;
extern QString KorMsg_Edit;
extern QString KorMsg_Post;
extern QString KorMsg_Cancel;
extern QString KorMsg_All;
extern QString KorMsg_Index;
extern QString KorMsg_Text;
extern QString KorMsg_AsBMP;
extern QString KorMsg_AsEMF;
extern QString KorMsg_Normal;
extern QString KorMsg_NoBorder;
extern QString KorMsg_Dotted;
extern QString KorMsg_Colors;
extern QString KorMsg_Filled;
extern QString KorMsg_Marks;
extern QString KorMsg_Stairs;
extern QString KorMsg_Points;
extern QString KorMsg_Height;
extern QString KorMsg_Hollow;
extern QString KorMsg_Point2D;
extern QString KorMsg_Triangle;
extern QString KorMsg_Star;
extern QString KorMsg_Circle;
extern QString KorMsg_DownTri;
extern QString KorMsg_Cross;
extern QString KorMsg_Diamond;
extern QString KorMsg_NoLines;
extern QString KorMsg_Pyramid;
extern QString KorMsg_Ellipse;
extern QString KorMsg_InvPyramid;
extern QString KorMsg_Sides;
extern QString KorMsg_SideAll;
extern QString KorMsg_Patterns;
extern QString KorMsg_Exploded;
extern QString KorMsg_Shadow;
extern QString KorMsg_SemiPie;
extern QString KorMsg_Rectangle;
extern QString KorMsg_VertLine;
extern QString KorMsg_HorizLine;
extern QString KorMsg_Line;
extern QString KorMsg_Cube;
extern QString KorMsg_DiagCross;
extern QString KorMsg_NoSeriesSelected;
extern QString KorMsg_AsJPEG;
extern QString KorMsg_AsGIF;
extern QString KorMsg_AsPNG;
extern QString KorMsg_AsPCX;
extern QString KorMsg_AsVML;
extern QString KorMsg_AskLanguage;
extern QString KorMsg_Gradient;
extern QString KorMsg_NativeFilter;
extern QString KorMsg_Property;
extern QString KorMsg_Value;
extern QString KorMsg_Yes;
extern QString KorMsg_No;
extern QString KorMsg_Image;
extern QString KorMsg_FunctionCustom;
extern QString KorMsg_AsPDF;
extern QString KorMsg_AsPS;
extern QString KorMsg_GalleryHorizArea;
extern QString KorMsg_SelfStack;
extern QString KorMsg_DarkPen;
extern QString KorMsg_SelectFolder;
extern QString KorMsg_BDEAlias;
extern QString KorMsg_ADOConnection;
extern QString KorMsg_Apply;
extern QString KorMsg_AddNewGroup;
extern QString KorMsg_ChangeGroupName;
extern QString KorMsg_GroupName;
extern QString KorMsg_FunctionMedian;
extern QString KorMsg_FunctionMode;
extern QString KorMsg_Options;
extern QString KorMsg_DepthTopAxis;
extern QString KorMsg_View2D;
extern QString KorMsg_Outline;
extern QString KorMsg_ViewOrthoRight;
extern QString KorMsg_ViewOrthoLeft;
extern QString KorMsg_View3DFront;
extern QString KorMsg_View3DRight;
extern QString KorMsg_View3DLeft;
extern QString KorMsg_AsSVG;
extern QString KorMsg_SubTitle;
extern QString KorMsg_SubFoot;

// Assigns the English text to each of the 276 text variables above; the file
// texts are built from the current KorMsg_KorExtension.
void KorSetConstants();

// Empties each of the 276 variables (the extension and language settings keep
// their values).
void KorClearConstants();

// "(*.kor)|*.kor" for the current extension: the native part of a file filter.
QString KorDefaultFilterExtension();

// The unit's 276 variables with their names and English texts, in the order
// KorSetConstants assigns them.
std::span<const KorTextEntry> KorconstTexts();

// Fills the extension and runs KorSetConstants; KorconstStarted calls it once.
bool KorconstStartUp();
inline const bool KorconstStarted = KorconstStartUp();

}  // namespace Korconst
