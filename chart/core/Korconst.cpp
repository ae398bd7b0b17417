#include "chart/core/Korconst.h"

#include <iterator>

namespace Korconst {

// constinit: set before any code runs, so KorconstStartUp may fill them from
// another file's static initialisation.
constinit int KorEnglishLanguage = 0x0409;
constinit int KorLanguage = 0x0409;
constinit bool KorLanguageHotKeyAtEnd = false;
constinit bool KorLanguageCanUpper = true;
constinit QString KorMsg_KorExtension;

// Empty until KorSetConstants fills them from the table below.
constinit QString KorMsg_LibraryMaker, KorMsg_WizardTitle, KorMsg_LegendFirstValue,
    KorMsg_LegendColorWidth, KorMsg_SeriesSetDataSource, KorMsg_SeriesInvDataSource,
    KorMsg_FillSample, KorMsg_AxisLogDateTime, KorMsg_AxisLogNotPositive, KorMsg_AxisLabelSep,
    KorMsg_AxisIncrementNeg, KorMsg_AxisMinMax, KorMsg_AxisMaxMin, KorMsg_AxisLogBase,
    KorMsg_MaxPointsPerPage, KorMsg_3dPercent, KorMsg_CircularSeries, KorMsg_WarningHiColor,
    KorMsg_DefaultPercentOf, KorMsg_DefaultPercentOf2, KorMsg_DefPercentFormat,
    KorMsg_DefValueFormat, KorMsg_DefLogValueFormat, KorMsg_RefreshInterval,
    KorMsg_SeriesParentNoSelf, KorMsg_GalleryLogoFont, KorMsg_Editing, KorMsg_InvalidEditorClass,
    KorMsg_MissingEditorClass, KorMsg_SureToDelete, KorMsg_Default, KorMsg_DesiredIncrement,
    KorMsg_IncorrectMaxMinValue, KorMsg_EnterDateTime, KorMsg_SureToApply, KorMsg_DefaultFontSize,
    KorMsg_DefaultEditorSize, KorMsg_DefaultEditorHeight, KorMsg_DefaultFontName,
    KorMsg_CheckPointerSize, KorMsg_FunctionPeriod, KorMsg_WizardSureToClose, KorMsg_FieldNotFound,
    KorMsg_CalcPeriod, KorMsg_PageOfPages, KorMsg_FileSize, KorMsg_ExportPanelNotSet,
    KorMsg_Stack100, KorMsg_CanNotFindTempPath, KorMsg_CanNotCreateTempChart,
    KorMsg_CanNotEmailChart, KorMsg_SeriesDelete, KorMsg_CannotLoadChartFromURL,
    KorMsg_CannotLoadSeriesDataFromURL, KorMsg_WantToSave, KorMsg_BMPFilter, KorMsg_EMFFilter,
    KorMsg_JPEGFilter, KorMsg_GIFFilter, KorMsg_PNGFilter, KorMsg_PCXFilter, KorMsg_VMLFilter,
    KorMsg_PDFFilter, KorMsg_PSFilter, KorMsg_TextFilter1, KorMsg_TextFilter2, KorMsg_TextFilter3,
    KorMsg_TextFilter4, KorMsg_TextFilter5, KorMsg_XMLFilter, KorMsg_HTMLFilter, KorMsg_ExcelFilter,
    KorMsg_SVGFilter, KorMsg_Test, KorMsg_AxisTitle, KorMsg_AxisLabels, KorMsg_GalleryLine,
    KorMsg_GalleryPoint, KorMsg_GalleryArea, KorMsg_GalleryBar, KorMsg_GalleryHorizBar,
    KorMsg_Stack, KorMsg_GalleryPie, KorMsg_GalleryCircled, KorMsg_GalleryFastLine,
    KorMsg_GalleryHorizLine, KorMsg_PieSample1, KorMsg_PieSample2, KorMsg_PieSample3,
    KorMsg_PieSample4, KorMsg_PieSample5, KorMsg_PieSample6, KorMsg_PieSample7, KorMsg_PieSample8,
    KorMsg_GalleryStandard, KorMsg_GalleryExtended, KorMsg_GalleryFunctions, KorMsg_EditChart,
    KorMsg_PrintPreview, KorMsg_ExportChart, KorMsg_CustomAxes, KorMsg_GalleryArrow,
    KorMsg_ExpFinish, KorMsg_ExpNext, KorMsg_GalleryGantt, KorMsg_GanttSample1, KorMsg_GanttSample2,
    KorMsg_GanttSample3, KorMsg_GanttSample4, KorMsg_GanttSample5, KorMsg_GanttSample6,
    KorMsg_GanttSample7, KorMsg_GanttSample8, KorMsg_GanttSample9, KorMsg_GanttSample10,
    KorMsg_ChangeSeriesTitle, KorMsg_NewSeriesTitle, KorMsg_DateTime, KorMsg_TopAxis,
    KorMsg_BottomAxis, KorMsg_LeftAxis, KorMsg_RightAxis, KorMsg_DateTimeFormat,
    KorMsg_ValuesFormat, KorMsg_Maximum, KorMsg_Minimum, KorMsg_SelectedSeries, KorMsg_RefreshData,
    KorMsg_FunctionAdd, KorMsg_FunctionSubtract, KorMsg_FunctionMultiply, KorMsg_FunctionDivide,
    KorMsg_FunctionHigh, KorMsg_FunctionLow, KorMsg_FunctionAverage, KorMsg_GalleryShape,
    KorMsg_GalleryBubble, KorMsg_FunctionNone, KorMsg_None, KorMsg_PrivateDeclarations,
    KorMsg_PublicDeclarations, KorMsg_About, tcAdditional, tcDControls, tcQReport, KorMsg_DataSet,
    KorMsg_AskDataSet, KorMsg_SingleRecord, KorMsg_AskDataSource, KorMsg_Summary, KorMsg_WizardTab,
    KorMsg_ClearImage, KorMsg_BrowseImage, KorMsg_DepthAxis, KorMsg_PieOther, KorMsg_ShapeGallery1,
    KorMsg_ShapeGallery2, KorMsg_ValuesX, KorMsg_ValuesY, KorMsg_ValuesPie, KorMsg_ValuesBar,
    KorMsg_ValuesAngle, KorMsg_ValuesGanttStart, KorMsg_ValuesGanttEnd, KorMsg_ValuesGanttNextTask,
    KorMsg_ValuesBubbleRadius, KorMsg_ValuesArrowEndX, KorMsg_ValuesArrowEndY, KorMsg_Legend,
    KorMsg_Title, KorMsg_Foot, KorMsg_Period, KorMsg_PeriodRange, KorMsg_SmallDotsPen,
    KorMsg_InvalidKorFile, KorMsg_WrongKorFileFormat, KorMsg_EmptyKorFile,
    KorMsg_ChartAxesCategoryName, KorMsg_ChartAxesCategoryDesc, KorMsg_ChartWallsCategoryName,
    KorMsg_ChartWallsCategoryDesc, KorMsg_ChartTitlesCategoryName, KorMsg_ChartTitlesCategoryDesc,
    KorMsg_Chart3DCategoryName, KorMsg_Chart3DCategoryDesc, KorMsg_CustomAxesEditor, KorMsg_Series,
    KorMsg_SeriesList, KorMsg_First, KorMsg_Prior, KorMsg_Next, KorMsg_Last, KorMsg_Insert,
    KorMsg_Delete, KorMsg_Edit, KorMsg_Post, KorMsg_Cancel, KorMsg_All, KorMsg_Index, KorMsg_Text,
    KorMsg_AsBMP, KorMsg_AsEMF, KorMsg_Normal, KorMsg_NoBorder, KorMsg_Dotted, KorMsg_Colors,
    KorMsg_Filled, KorMsg_Marks, KorMsg_Stairs, KorMsg_Points, KorMsg_Height, KorMsg_Hollow,
    KorMsg_Point2D, KorMsg_Triangle, KorMsg_Star, KorMsg_Circle, KorMsg_DownTri, KorMsg_Cross,
    KorMsg_Diamond, KorMsg_NoLines, KorMsg_Pyramid, KorMsg_Ellipse, KorMsg_InvPyramid, KorMsg_Sides,
    KorMsg_SideAll, KorMsg_Patterns, KorMsg_Exploded, KorMsg_Shadow, KorMsg_SemiPie,
    KorMsg_Rectangle, KorMsg_VertLine, KorMsg_HorizLine, KorMsg_Line, KorMsg_Cube, KorMsg_DiagCross,
    KorMsg_NoSeriesSelected, KorMsg_AsJPEG, KorMsg_AsGIF, KorMsg_AsPNG, KorMsg_AsPCX, KorMsg_AsVML,
    KorMsg_AskLanguage, KorMsg_Gradient, KorMsg_NativeFilter, KorMsg_Property, KorMsg_Value,
    KorMsg_Yes, KorMsg_No, KorMsg_Image, KorMsg_FunctionCustom, KorMsg_AsPDF, KorMsg_AsPS,
    KorMsg_GalleryHorizArea, KorMsg_SelfStack, KorMsg_DarkPen, KorMsg_SelectFolder, KorMsg_BDEAlias,
    KorMsg_ADOConnection, KorMsg_Apply, KorMsg_AddNewGroup, KorMsg_ChangeGroupName,
    KorMsg_GroupName, KorMsg_FunctionMedian, KorMsg_FunctionMode, KorMsg_Options,
    KorMsg_DepthTopAxis, KorMsg_View2D, KorMsg_Outline, KorMsg_ViewOrthoRight, KorMsg_ViewOrthoLeft,
    KorMsg_View3DFront, KorMsg_View3DRight, KorMsg_View3DLeft, KorMsg_AsSVG, KorMsg_SubTitle,
    KorMsg_SubFoot;
namespace {

constexpr char LibraryName[] = "KorChart";

#define KOR_TEXT(Variable, English) \
  KorTextEntry {                    \
    &Variable, #Variable, English   \
  }
#define KOR_BUILT(Variable)       \
  KorTextEntry {                  \
    &Variable, #Variable, nullptr \
  }

constexpr KorTextEntry KorconstTable[] = {
    // Lines naming the library's maker and its chart wizard
    KOR_BUILT(KorMsg_LibraryMaker),
    KOR_BUILT(KorMsg_WizardTitle),
    // Messages, number formats and defaults
    KOR_TEXT(KorMsg_LegendFirstValue, "First Legend Value must be > 0"),
    KOR_TEXT(KorMsg_LegendColorWidth, "Legend Color Width must be > 0%"),
    KOR_TEXT(KorMsg_SeriesSetDataSource, "No ParentChart to validate DataSource"),
    KOR_TEXT(KorMsg_SeriesInvDataSource, "No valid DataSource: %s"),
    KOR_TEXT(KorMsg_FillSample, "FillSampleValues NumValues must be > 0"),
    KOR_TEXT(KorMsg_AxisLogDateTime, "DateTime Axis cannot be Logarithmic"),
    KOR_TEXT(KorMsg_AxisLogNotPositive, "Logarithmic Axis Min and Max values should be >= 0"),
    KOR_TEXT(KorMsg_AxisLabelSep, "Labels Separation % must be greater than 0"),
    KOR_TEXT(KorMsg_AxisIncrementNeg, "Axis increment must be >= 0"),
    KOR_TEXT(KorMsg_AxisMinMax, "Axis Minimum Value must be <= Maximum"),
    KOR_TEXT(KorMsg_AxisMaxMin, "Axis Maximum Value must be >= Minimum"),
    KOR_TEXT(KorMsg_AxisLogBase, "Axis Logarithmic Base should be <> 1 and > 0"),
    KOR_TEXT(KorMsg_MaxPointsPerPage, "MaxPointsPerPage must be >= 0"),
    KOR_TEXT(KorMsg_3dPercent, "3D effect percent must be between %d and %d"),
    KOR_TEXT(KorMsg_CircularSeries, "Circular Series dependences are not allowed"),
    KOR_TEXT(KorMsg_WarningHiColor, "16k Color or greater required to get better look"),
    KOR_TEXT(KorMsg_DefaultPercentOf, "%s of %s"),
    KOR_TEXT(KorMsg_DefaultPercentOf2, "%s\rof %s"),
    KOR_TEXT(KorMsg_DefPercentFormat, "##0.## %"),
    KOR_TEXT(KorMsg_DefValueFormat, "#,##0.###"),
    KOR_TEXT(KorMsg_DefLogValueFormat, "#.0 \"x10\" E+0"),
    KOR_TEXT(KorMsg_RefreshInterval, "Refresh Interval must be between 0 and 60"),
    KOR_TEXT(KorMsg_SeriesParentNoSelf, "Series.ParentChart is not myself!"),
    KOR_TEXT(KorMsg_GalleryLogoFont, "Courier New"),
    KOR_TEXT(KorMsg_Editing, "Editing %s"),
    KOR_TEXT(KorMsg_InvalidEditorClass, "%s: Invalid Editor Class: %s"),
    KOR_TEXT(KorMsg_MissingEditorClass, "%s: has no Editor Dialog"),
    KOR_TEXT(KorMsg_SureToDelete, "Delete %s ?"),
    KOR_TEXT(KorMsg_Default, "Default"),
    KOR_TEXT(KorMsg_DesiredIncrement, "Desired %s Increment"),
    KOR_TEXT(KorMsg_IncorrectMaxMinValue, "Incorrect value. Reason: %s"),
    KOR_TEXT(KorMsg_EnterDateTime, "Enter [Number of Days] [hh:nn:ss]"),
    KOR_TEXT(KorMsg_SureToApply, "Apply Changes ?"),
    KOR_TEXT(KorMsg_DefaultFontSize, "8"),
    KOR_TEXT(KorMsg_DefaultEditorSize, "414"),
    KOR_TEXT(KorMsg_DefaultEditorHeight, "347"),
    KOR_TEXT(KorMsg_DefaultFontName, "Arial"),
    KOR_TEXT(KorMsg_CheckPointerSize, "Pointer size must be greater than zero"),
    KOR_TEXT(KorMsg_FunctionPeriod, "Function Period should be >= 0"),
    KOR_BUILT(KorMsg_WizardSureToClose),
    KOR_TEXT(KorMsg_FieldNotFound, "Field %s does not exist"),
    KOR_TEXT(KorMsg_CalcPeriod, "Calculate %s every:"),
    KOR_TEXT(KorMsg_PageOfPages, "Page %d of %d"),
    KOR_TEXT(KorMsg_FileSize, "%d bytes"),
    KOR_TEXT(KorMsg_ExportPanelNotSet, "Panel property is not set in Export format"),
    KOR_TEXT(KorMsg_Stack100, "Stack 100%"),
    KOR_TEXT(KorMsg_CanNotFindTempPath, "Can not find Temp folder"),
    KOR_TEXT(KorMsg_CanNotCreateTempChart, "Can not create Temp file"),
    KOR_BUILT(KorMsg_CanNotEmailChart),
    KOR_TEXT(KorMsg_SeriesDelete, "Series Delete: ValueIndex %d out of bounds (0 to %d)."),
    KOR_TEXT(KorMsg_CannotLoadChartFromURL, "Error code: %d downloading Chart from URL: %s"),
    KOR_TEXT(KorMsg_CannotLoadSeriesDataFromURL,
             "Error code: %d downloading Series data from URL: %s"),
    KOR_TEXT(KorMsg_WantToSave, "Do you want to save %s?"),
    // File filters ("description|pattern" pairs)
    KOR_TEXT(KorMsg_BMPFilter, "Bitmaps (*.bmp)|*.bmp"),
    KOR_TEXT(KorMsg_EMFFilter, "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf"),
    KOR_TEXT(KorMsg_JPEGFilter, "JPEG files (*.jpg)|*.jpg"),
    KOR_TEXT(KorMsg_GIFFilter, "GIF files (*.gif)|*.gif"),
    KOR_TEXT(KorMsg_PNGFilter, "PNG files (*.png)|*.png"),
    KOR_TEXT(KorMsg_PCXFilter, "PCX files (*.pcx)|*.pcx"),
    KOR_TEXT(KorMsg_VMLFilter, "VML files (*.htm)|*.htm"),
    KOR_TEXT(KorMsg_PDFFilter, "PDF files (*.pdf)|*.pdf"),
    KOR_TEXT(KorMsg_PSFilter, "PostScript files (*.eps)|*.eps"),
    KOR_TEXT(KorMsg_TextFilter1, "Space delimited text files (*.txt)|*.txt"),
    KOR_TEXT(KorMsg_TextFilter2, "Tab delimited text files (*.txt)|*.txt"),
    KOR_TEXT(KorMsg_TextFilter3, "Comma delimited text files (*.csv)|*.csv"),
    KOR_TEXT(KorMsg_TextFilter4, "Colon delimited text files (*.txt)|*.txt"),
    KOR_TEXT(KorMsg_TextFilter5, "Custom delimited text files (*.txt)|*.txt"),
    KOR_TEXT(KorMsg_XMLFilter, "XML files (*.xml)|*.xml"),
    KOR_TEXT(KorMsg_HTMLFilter, "HTML files (*.htm)|*.htm"),
    KOR_TEXT(KorMsg_ExcelFilter, "Microsoft Excel files (*.xls)|*.xls"),
    KOR_TEXT(KorMsg_SVGFilter, "SVG files (*.svg)|*.svg"),
    // Captions and names of the editor, galleries, menus and sample data
    KOR_TEXT(KorMsg_Test, "Test..."),
    KOR_TEXT(KorMsg_AxisTitle, "Axis Title"),
    KOR_TEXT(KorMsg_AxisLabels, "Axis Labels"),
    KOR_TEXT(KorMsg_GalleryLine, "Line"),
    KOR_TEXT(KorMsg_GalleryPoint, "Point"),
    KOR_TEXT(KorMsg_GalleryArea, "Area"),
    KOR_TEXT(KorMsg_GalleryBar, "Bar"),
    KOR_TEXT(KorMsg_GalleryHorizBar, "Horizontal\rBar"),
    KOR_TEXT(KorMsg_Stack, "Stack"),
    KOR_TEXT(KorMsg_GalleryPie, "Pie"),
    KOR_TEXT(KorMsg_GalleryCircled, "Circled"),
    KOR_TEXT(KorMsg_GalleryFastLine, "Fast Line"),
    KOR_TEXT(KorMsg_GalleryHorizLine, "Horizontal\rLine"),
    KOR_TEXT(KorMsg_PieSample1, "Cars"),
    KOR_TEXT(KorMsg_PieSample2, "Phones"),
    KOR_TEXT(KorMsg_PieSample3, "Tables"),
    KOR_TEXT(KorMsg_PieSample4, "Monitors"),
    KOR_TEXT(KorMsg_PieSample5, "Lamps"),
    KOR_TEXT(KorMsg_PieSample6, "Keyboards"),
    KOR_TEXT(KorMsg_PieSample7, "Bikes"),
    KOR_TEXT(KorMsg_PieSample8, "Chairs"),
    KOR_TEXT(KorMsg_GalleryStandard, "Standard"),
    KOR_TEXT(KorMsg_GalleryExtended, "Extended"),
    KOR_TEXT(KorMsg_GalleryFunctions, "Functions"),
    KOR_TEXT(KorMsg_EditChart, "E&dit Chart..."),
    KOR_TEXT(KorMsg_PrintPreview, "&Print Preview..."),
    KOR_TEXT(KorMsg_ExportChart, "E&xport Chart..."),
    KOR_TEXT(KorMsg_CustomAxes, "Custom Axes..."),
    KOR_TEXT(KorMsg_GalleryArrow, "Arrow"),
    KOR_TEXT(KorMsg_ExpFinish, "&Finish"),
    KOR_TEXT(KorMsg_ExpNext, "&Next >"),
    KOR_TEXT(KorMsg_GalleryGantt, "Gantt"),
    KOR_TEXT(KorMsg_GanttSample1, "Design"),
    KOR_TEXT(KorMsg_GanttSample2, "Prototyping"),
    KOR_TEXT(KorMsg_GanttSample3, "Development"),
    KOR_TEXT(KorMsg_GanttSample4, "Sales"),
    KOR_TEXT(KorMsg_GanttSample5, "Marketing"),
    KOR_TEXT(KorMsg_GanttSample6, "Testing"),
    KOR_TEXT(KorMsg_GanttSample7, "Manufac."),
    KOR_TEXT(KorMsg_GanttSample8, "Debugging"),
    KOR_TEXT(KorMsg_GanttSample9, "New Version"),
    KOR_TEXT(KorMsg_GanttSample10, "Banking"),
    KOR_TEXT(KorMsg_ChangeSeriesTitle, "Change Series Title"),
    KOR_TEXT(KorMsg_NewSeriesTitle, "New Series Title:"),
    KOR_TEXT(KorMsg_DateTime, "DateTime"),
    KOR_TEXT(KorMsg_TopAxis, "Top Axis"),
    KOR_TEXT(KorMsg_BottomAxis, "Bottom Axis"),
    KOR_TEXT(KorMsg_LeftAxis, "Left Axis"),
    KOR_TEXT(KorMsg_RightAxis, "Right Axis"),
    KOR_TEXT(KorMsg_DateTimeFormat, "DateTime For&mat:"),
    KOR_TEXT(KorMsg_ValuesFormat, "Values For&mat:"),
    KOR_TEXT(KorMsg_Maximum, "Maximum"),
    KOR_TEXT(KorMsg_Minimum, "Minimum"),
    KOR_TEXT(KorMsg_SelectedSeries, "(Selected Series)"),
    KOR_TEXT(KorMsg_RefreshData, "&Refresh Data"),
    KOR_TEXT(KorMsg_FunctionAdd, "Add"),
    KOR_TEXT(KorMsg_FunctionSubtract, "Subtract"),
    KOR_TEXT(KorMsg_FunctionMultiply, "Multiply"),
    KOR_TEXT(KorMsg_FunctionDivide, "Divide"),
    KOR_TEXT(KorMsg_FunctionHigh, "High"),
    KOR_TEXT(KorMsg_FunctionLow, "Low"),
    KOR_TEXT(KorMsg_FunctionAverage, "Average"),
    KOR_TEXT(KorMsg_GalleryShape, "Shape"),
    KOR_TEXT(KorMsg_GalleryBubble, "Bubble"),
    KOR_TEXT(KorMsg_FunctionNone, "None"),
    KOR_TEXT(KorMsg_None, "(none)"),
    KOR_TEXT(KorMsg_PrivateDeclarations, "{ Private declarations }"),
    KOR_TEXT(KorMsg_PublicDeclarations, "{ Public declarations }"),
    KOR_TEXT(KorMsg_About, "Abo&ut KorChart..."),
    KOR_TEXT(tcAdditional, "Additional"),
    KOR_TEXT(tcDControls, "Data Controls"),
    KOR_TEXT(tcQReport, "QReport"),
    KOR_TEXT(KorMsg_DataSet, "Dataset"),
    KOR_TEXT(KorMsg_AskDataSet, "&Dataset:"),
    KOR_TEXT(KorMsg_SingleRecord, "Single Record"),
    KOR_TEXT(KorMsg_AskDataSource, "&DataSource:"),
    KOR_TEXT(KorMsg_Summary, "Summary"),
    KOR_TEXT(KorMsg_WizardTab, "Wizard"),
    KOR_TEXT(KorMsg_ClearImage, "Clea&r"),
    KOR_TEXT(KorMsg_BrowseImage, "B&rowse..."),
    KOR_TEXT(KorMsg_DepthAxis, "Depth Right"),
    KOR_TEXT(KorMsg_PieOther, "Other"),
    KOR_TEXT(KorMsg_ShapeGallery1, "abc"),
    KOR_TEXT(KorMsg_ShapeGallery2, "123"),
    KOR_TEXT(KorMsg_ValuesX, "X"),
    KOR_TEXT(KorMsg_ValuesY, "Y"),
    KOR_TEXT(KorMsg_ValuesPie, "Pie"),
    KOR_TEXT(KorMsg_ValuesBar, "Bar"),
    KOR_TEXT(KorMsg_ValuesAngle, "Angle"),
    KOR_TEXT(KorMsg_ValuesGanttStart, "Start"),
    KOR_TEXT(KorMsg_ValuesGanttEnd, "End"),
    KOR_TEXT(KorMsg_ValuesGanttNextTask, "NextTask"),
    KOR_TEXT(KorMsg_ValuesBubbleRadius, "Radius"),
    KOR_TEXT(KorMsg_ValuesArrowEndX, "EndX"),
    KOR_TEXT(KorMsg_ValuesArrowEndY, "EndY"),
    KOR_TEXT(KorMsg_Legend, "Legend"),
    KOR_TEXT(KorMsg_Title, "Title"),
    KOR_TEXT(KorMsg_Foot, "Foot"),
    KOR_TEXT(KorMsg_Period, "Period"),
    KOR_TEXT(KorMsg_PeriodRange, "Period range"),
    KOR_TEXT(KorMsg_SmallDotsPen, "Small Dots"),
    KOR_BUILT(KorMsg_InvalidKorFile),
    KOR_BUILT(KorMsg_WrongKorFileFormat),
    KOR_BUILT(KorMsg_EmptyKorFile),
    KOR_TEXT(KorMsg_ChartAxesCategoryName, "Chart Axes"),
    KOR_TEXT(KorMsg_ChartAxesCategoryDesc, "Chart Axes properties and events"),
    KOR_TEXT(KorMsg_ChartWallsCategoryName, "Chart Walls"),
    KOR_TEXT(KorMsg_ChartWallsCategoryDesc, "Chart Walls properties and events"),
    KOR_TEXT(KorMsg_ChartTitlesCategoryName, "Chart Titles"),
    KOR_TEXT(KorMsg_ChartTitlesCategoryDesc, "Chart Titles properties and events"),
    KOR_TEXT(KorMsg_Chart3DCategoryName, "Chart 3D"),
    KOR_TEXT(KorMsg_Chart3DCategoryDesc, "Chart 3D properties and events"),
    KOR_TEXT(KorMsg_CustomAxesEditor, "Custom Axes Editor"),
    KOR_TEXT(KorMsg_Series, "Series"),
    KOR_TEXT(KorMsg_SeriesList, "Series..."),
    KOR_TEXT(KorMsg_First, "First"),
    KOR_TEXT(KorMsg_Prior, "Prior"),
    KOR_TEXT(KorMsg_Next, "Next"),
    KOR_TEXT(KorMsg_Last, "Last"),
    KOR_TEXT(KorMsg_Insert, "Insert"),
    KOR_TEXT(KorMsg_Delete, "Delete"),
    KOR_TEXT(KorMsg_Edit, "Edit"),
    KOR_TEXT(KorMsg_Post, "Post"),
    KOR_TEXT(KorMsg_Cancel, "Cancel"),
    KOR_TEXT(KorMsg_All, "(all)"),
    KOR_TEXT(KorMsg_Index, "Index"),
    KOR_TEXT(KorMsg_Text, "Text"),
    KOR_TEXT(KorMsg_AsBMP, "as &Bitmap"),
    KOR_TEXT(KorMsg_AsEMF, "as &Metafile"),
    KOR_TEXT(KorMsg_Normal, "Normal"),
    KOR_TEXT(KorMsg_NoBorder, "No Border"),
    KOR_TEXT(KorMsg_Dotted, "Dotted"),
    KOR_TEXT(KorMsg_Colors, "Colors"),
    KOR_TEXT(KorMsg_Filled, "Filled"),
    KOR_TEXT(KorMsg_Marks, "Marks"),
    KOR_TEXT(KorMsg_Stairs, "Stairs"),
    KOR_TEXT(KorMsg_Points, "Points"),
    KOR_TEXT(KorMsg_Height, "Height"),
    KOR_TEXT(KorMsg_Hollow, "Hollow"),
    KOR_TEXT(KorMsg_Point2D, "Point 2D"),
    KOR_TEXT(KorMsg_Triangle, "Triangle"),
    KOR_TEXT(KorMsg_Star, "Star"),
    KOR_TEXT(KorMsg_Circle, "Circle"),
    KOR_TEXT(KorMsg_DownTri, "Down Tri."),
    KOR_TEXT(KorMsg_Cross, "Cross"),
    KOR_TEXT(KorMsg_Diamond, "Diamond"),
    KOR_TEXT(KorMsg_NoLines, "No Lines"),
    KOR_TEXT(KorMsg_Pyramid, "Pyramid"),
    KOR_TEXT(KorMsg_Ellipse, "Ellipse"),
    KOR_TEXT(KorMsg_InvPyramid, "Inv. Pyramid"),
    KOR_TEXT(KorMsg_Sides, "Sides"),
    KOR_TEXT(KorMsg_SideAll, "Side All"),
    KOR_TEXT(KorMsg_Patterns, "Patterns"),
    KOR_TEXT(KorMsg_Exploded, "Exploded"),
    KOR_TEXT(KorMsg_Shadow, "Shadow"),
    KOR_TEXT(KorMsg_SemiPie, "Semi Pie"),
    KOR_TEXT(KorMsg_Rectangle, "Rectangle"),
    KOR_TEXT(KorMsg_VertLine, "Vert.Line"),
    KOR_TEXT(KorMsg_HorizLine, "Horiz.Line"),
    KOR_TEXT(KorMsg_Line, "Line"),
    KOR_TEXT(KorMsg_Cube, "Cube"),
    KOR_TEXT(KorMsg_DiagCross, "Diag.Cross"),
    KOR_TEXT(KorMsg_NoSeriesSelected, "No Series selected"),
    KOR_TEXT(KorMsg_AsJPEG, "as &JPEG"),
    KOR_TEXT(KorMsg_AsGIF, "as &GIF"),
    KOR_TEXT(KorMsg_AsPNG, "as &PNG"),
    KOR_TEXT(KorMsg_AsPCX, "as PC&X"),
    KOR_TEXT(KorMsg_AsVML, "as &VML (HTM)"),
    KOR_TEXT(KorMsg_AskLanguage, "&Language..."),
    KOR_TEXT(KorMsg_Gradient, "Gradient"),
    KOR_BUILT(KorMsg_NativeFilter),
    KOR_TEXT(KorMsg_Property, "Property"),
    KOR_TEXT(KorMsg_Value, "Value"),
    KOR_TEXT(KorMsg_Yes, "Yes"),
    KOR_TEXT(KorMsg_No, "No"),
    KOR_TEXT(KorMsg_Image, "(image)"),
    KOR_TEXT(KorMsg_FunctionCustom, "y = f(x)"),
    KOR_TEXT(KorMsg_AsPDF, "as PD&F"),
    KOR_TEXT(KorMsg_AsPS, "as PostScript"),
    KOR_TEXT(KorMsg_GalleryHorizArea, "Horizontal\rArea"),
    KOR_TEXT(KorMsg_SelfStack, "Self Stacked"),
    KOR_TEXT(KorMsg_DarkPen, "Dark Border"),
    KOR_TEXT(KorMsg_SelectFolder, "Select folder"),
    KOR_TEXT(KorMsg_BDEAlias, "&Alias:"),
    KOR_TEXT(KorMsg_ADOConnection, "&Connection:"),
    KOR_TEXT(KorMsg_Apply, "&Apply"),
    KOR_TEXT(KorMsg_AddNewGroup, "Add New Group"),
    KOR_TEXT(KorMsg_ChangeGroupName, "Change Group name"),
    KOR_TEXT(KorMsg_GroupName, "Group name:"),
    KOR_TEXT(KorMsg_FunctionMedian, "Median"),
    KOR_TEXT(KorMsg_FunctionMode, "Mode"),
    KOR_TEXT(KorMsg_Options, "Options"),
    KOR_TEXT(KorMsg_DepthTopAxis, "Depth Top"),
    KOR_TEXT(KorMsg_View2D, "2D"),
    KOR_TEXT(KorMsg_Outline, "Outline"),
    KOR_TEXT(KorMsg_ViewOrthoRight, "Ortho Right"),
    KOR_TEXT(KorMsg_ViewOrthoLeft, "Ortho Left"),
    KOR_TEXT(KorMsg_View3DFront, "3D Front"),
    KOR_TEXT(KorMsg_View3DRight, "3D Right"),
    KOR_TEXT(KorMsg_View3DLeft, "3D Left"),
    KOR_TEXT(KorMsg_AsSVG, "as &SVG"),
    KOR_TEXT(KorMsg_SubTitle, "SubTitle"),
    KOR_TEXT(KorMsg_SubFoot, "SubFoot"),
};

#undef KOR_TEXT
#undef KOR_BUILT

static_assert(std::size(KorconstTable) == 276, "Korconst holds 276 texts");

// The texts whose English form is made of the library's name or the native
// extension.
void SetBuiltTexts() {
  const QString Library = QString::fromLatin1(LibraryName);
  const QString Extension = KorMsg_KorExtension;
  KorMsg_LibraryMaker = Library + QStringLiteral(" is made by the Korvale developers");
  KorMsg_WizardTitle = Library + QStringLiteral(" Wizard");
  KorMsg_WizardSureToClose = QStringLiteral("Are you sure that you want to close the ") + Library +
                             QStringLiteral(" Wizard ?");
  KorMsg_CanNotEmailChart =
      QStringLiteral("Can not email ") + Library + QStringLiteral(". Mapi Error: %d");
  KorMsg_InvalidKorFile =
      QStringLiteral("Invalid Chart in *.") + Extension + QStringLiteral(" file");
  KorMsg_WrongKorFileFormat =
      QStringLiteral("Wrong *.") + Extension + QStringLiteral(" file format");
  KorMsg_EmptyKorFile = QStringLiteral("Empty *.") + Extension + QStringLiteral(" file");
  KorMsg_NativeFilter = Library + QStringLiteral(" files ") + KorDefaultFilterExtension();
}

}  // namespace

void KorSetConstants() {
  for (const KorTextEntry& Entry : KorconstTable) {
    if (Entry.English) *Entry.Variable = QString::fromUtf8(Entry.English);
  }
  SetBuiltTexts();
}

void KorClearConstants() {
  for (const KorTextEntry& Entry : KorconstTable) Entry.Variable->clear();
}

QString KorDefaultFilterExtension() {
  return QStringLiteral("(*.") + KorMsg_KorExtension + QStringLiteral(")|*.") + KorMsg_KorExtension;
}

std::span<const KorTextEntry> KorconstTexts() {
  return KorconstTable;
}

bool KorconstStartUp() {
  KorMsg_KorExtension = QStringLiteral("kor");
  KorSetConstants();
  return true;
}

}  // namespace Korconst
