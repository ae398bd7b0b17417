#pragma once

#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomChartSeries.h"

#include "platform/Cursors.h"
#include "platform/TBrush.h"
#include "platform/TColor.h"
#include "platform/TCustomControl.h"
#include "platform/TRect.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TChartAxis;
class TChartBrush;
class TChartSeries;
class TCustomSeriesList;
class TDataSourcesList;
class TKorFunction;
class TLabelsList;
class TSeriesMarkPosition;
class TSeriesMarks;
class TStream;

// Which horizontal and vertical axes a series is drawn against.
enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

// The kinds of change a series tells the series linked to it.
enum TValueEvent { veClear, veAdd, veDelete, veRefresh, veModify };

// Which changes of a data source make a linked series follow.
enum TSeriesRecalcOption { rOnDelete, rOnModify, rOnInsert, rOnClear };
// A set of TSeriesRecalcOption, bit n for option n.
using TSeriesRecalcOptions = int;
constexpr TSeriesRecalcOptions AllRecalcOptions = 0x0F;

// The texts a mark can show.
enum TSeriesMarksStyle {
  smsValue,
  smsPercent,
  smsLabel,
  smsLabelPercent,
  smsLabelValue,
  smsLegend,
  smsPercentTotal,
  smsLabelPercentTotal,
  smsXValue,
  smsXY
};

// The texts a legend item of a point can show.
enum TLegendTextStyle {
  ltsPlain,
  ltsLeftValue,
  ltsRightValue,
  ltsLeftPercent,
  ltsRightPercent,
  ltsXValue,
  ltsValue,
  ltsPercent,
  ltsXAndValue,
  ltsXAndPercent
};

using TSeriesNotifyEvent = std::function<void(TChartSeries* Sender)>;
using TSeriesOnAfterAdd = std::function<void(TChartSeries* Sender, int ValueIndex)>;
// False: the point is not added.
using TSeriesOnBeforeAdd = std::function<bool(TChartSeries* Sender)>;
using TSeriesClick = std::function<void(TChartSeries* Sender, int ValueIndex, TMouseButton Button,
                                        TShiftState Shift, int X, int Y)>;
using TSeriesOnGetMarkText =
    std::function<void(TChartSeries* Sender, int ValueIndex, QString& MarkText)>;

// The range a series fills with random sample values.
struct TSeriesRandomBounds {
  double StartX = 0;
  double StepX = 0;
  double tmpY = 0;
  double DifY = 0;
};

// Data (and the hooks of the drawing pipeline): one plotted data set. Its
// points are the entries of parallel value lists (XValues, YValues and the
// lists a series type adds), each point with an optional own colour and
// label; around them sit the series colour, the value formats, the marks,
// the binding to two axes and the data-source links.
//
// Invariant: every value list holds Count values; the colour and label
// lists may be shorter (a missing entry means clDefault and no label), and
// take no memory until a point has one.
class TChartSeries : public TCustomChartSeries {
 public:
  explicit TChartSeries(TComponent* AOwner);
  ~TChartSeries() override;

  QString ClassName() const override { return QStringLiteral("TChartSeries"); }
  const TPropertyList& Properties() const override;
  // From a series: format, function, data sources or points (see the .cpp);
  // from any other persistent object only the TCustomChartSeries part.
  void Assign(const TPersistent& Source) override;
  // Settings of Source without its points or data sources.
  void AssignFormat(const TChartSeries& Source);
  void Loaded() override;

  // -- the points

  int Count() const;
  TChartValueList& GetXValues() const { return *FX; }
  void SetXValues(const TChartValueList& Value);
  TChartValueList& GetYValues() const { return *FY; }
  void SetYValues(const TChartValueList& Value);
  // Index 0 is XValues, 1 YValues, 2 onward the lists of the series type.
  TChartValueLists& GetValuesList() const { return *FValuesList; }
  // The list that gives a point its value (YValues unless horizontal).
  TChartValueList& GetMandatory() const { return *FMandatory; }
  TChartValueList& GetNotMandatory() const { return *FNotMandatory; }
  bool GetYMandatory() const { return FYMandatory; }
  // The list from index 2 onward with that name (case ignored), else
  // YValues.
  virtual TChartValueList& GetYValueList(const QString& AListName) const;
  // New takes Old's name and place; Old is freed. New may be a list of this
  // series already (it is first taken out).
  void ReplaceList(TChartValueList* OldList, TChartValueList* NewList);

  // Raise ChartException for an index outside 0 .. Count - 1.
  virtual double GetxValue(int ValueIndex) const;
  virtual double GetyValue(int ValueIndex) const;
  void SetXValue(int Index, double Value);
  void SetYValue(int Index, double Value);
  // The label (empty past the label list); setting raises for an index
  // outside the points and never grows the list past Count.
  QString GetXLabel(int Index) const;
  void SetXLabel(int Index, const QString& Value);
  void SetMarkText(int Index, const QString& Value) { SetXLabel(Index, Value); }
  TLabelsList& GetLabels() const { return *FLabels; }
  // The mandatory value.
  virtual double GetMarkValue(int ValueIndex) const;
  virtual double GetOriginValue(int ValueIndex) const;

  virtual double MaxXValue() const;
  virtual double MaxYValue() const;
  virtual double MinXValue() const;
  virtual double MinYValue() const;
  // The series' Z order as a double.
  virtual double MaxZValue() const;
  virtual double MinZValue() const;

  // -- adding and removing (each adder returns the new index, or -1)

  virtual int AddXY(double AXValue, double AYValue, const QString& ALabel = QString(),
                    TColor AColor = clDefault);
  virtual int Add(double AValue, const QString& ALabel = QString(), TColor AColor = clDefault);
  int AddX(double AXValue, const QString& ALabel = QString(), TColor AColor = clDefault);
  int AddY(double AYValue, const QString& ALabel = QString(), TColor AColor = clDefault);
  virtual int AddNull(double Value = 0);
  int AddNull(const QString& ALabel);
  virtual int AddNullXY(double X, double Y, const QString& ALabel = QString());
  // Adds Values[0 .. HighIndex] with Add inside one update bracket;
  // returns HighIndex + 1.
  int AddArray(const std::vector<double>& Values, int HighIndex);
  int AddArray(const std::vector<double>& Values) {
    return AddArray(Values, static_cast<int>(Values.size()) - 1);
  }
  virtual void Delete(int ValueIndex);
  virtual void Delete(int Start, int Quantity, bool RemoveGap = false);
  virtual void Clear();

  // -- colours

  // The series colour, or the internal one when it is clDefault.
  TColor GetSeriesColor() const;
  virtual void SetSeriesColor(TColor AColor);
  TColor GetRawSeriesColor() const { return FColor; }
  TColor GetInternalColor() const { return FInternalColor; }
  void ChangeInternalColor(TColor Value);
  bool GetColorEachPoint() const { return FColorEachPoint; }
  virtual void SetColorEachPoint(bool Value);
  // The point's own colour, else the palette colour of the point (with
  // ColorEachPoint), else the series colour.
  virtual TColor GetValueColor(int ValueIndex) const;
  void SetValueColor(int ValueIndex, TColor AColor);
  // The own colour of a point, clDefault when it has none.
  TColor GetOwnColor(int ValueIndex) const;
  bool HasOwnColors() const { return FColors != nullptr; }
  bool IsNull(int ValueIndex) const;
  void SetNull(int ValueIndex, bool Null = true);
  // Every non-null point whose value in AValueList lies in [FromValue,
  // ToValue] gets AColor.
  void ColorRange(const TChartValueList& AValueList, double FromValue, double ToValue,
                  TColor AColor);
  void NotifyColorChanged();

  // -- formats and plain properties

  const QString& GetValueFormat() const { return FValueFormat; }
  void SetValueFormat(const QString& Value);
  const QString& GetPercentFormat() const { return FPercentFormat; }
  void SetPercentFormat(const QString& Value);
  const QString& GetColorSource() const { return FColorSource; }
  void SetColorSource(const QString& Value);
  const QString& GetLabelsSource() const { return FLabelsSource; }
  void SetLabelsSource(const QString& Value);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  // -1: the chart's series depth.
  int GetDepth() const { return FDepth; }
  void SetDepth(int Value);
  TSeriesRecalcOptions GetRecalcOptions() const { return FRecalcOptions; }
  void SetRecalcOptions(TSeriesRecalcOptions Value) { FRecalcOptions = Value; }
  bool HasRecalcOption(TSeriesRecalcOption Option) const {
    return (FRecalcOptions & (1 << Option)) != 0;
  }
  TSeriesMarks& GetMarks() const { return *FMarks; }
  void SetMarks(const TSeriesMarks& Value);
  void SetShowInLegend(bool Value);
  void SetTitle(const QString& Value) override;
  void SetActive(bool Value) override;
  int GetDefaultSampleCount() const { return FDefaultSampleCount; }
  void SetDefaultSampleCount(int Value) { FDefaultSampleCount = Value; }
  // -1: automatic.
  int GetZOrder() const;
  void SetZOrder(int Value);
  int GetRawZOrder() const { return FZOrder; }

  // -- texts

  // The text of point ValueIndex's mark, by the marks' style or a custom
  // item's text; OnGetMarkText may change it.
  QString GetMarkText(int ValueIndex);
  // The percent of the point in the total of absolute values, formatted,
  // optionally with "of total".
  QString MarkPercent(int ValueIndex, bool AddTotal = false) const;
  virtual QString LegendString(int LegendIndex, TLegendTextStyle LegendTextStyle);
  virtual int LegendToValueIndex(int LegendIndex) const { return LegendIndex; }
  virtual TColor LegendItemColor(int LegendIndex) const { return GetValueColor(LegendIndex); }
  virtual int CountLegendItems() const { return Count(); }
  // The widest mark text of the points whose mark is visible.
  int MaxMarkWidth();
  // The X value as text: through the horizontal axis, or ValueFormat
  // without one.
  QString XValueToText(double AValue) const;
  QString YValueToText(double AValue) const;

  // -- axes and conversions

  THorizAxis GetHorizAxis() const { return FHorizAxis; }
  void SetHorizAxis(THorizAxis Value);
  TVertAxis GetVertAxis() const { return FVertAxis; }
  void SetVertAxis(TVertAxis Value);
  TChartAxis* GetCustomHorizAxis() const { return FCustomHorizAxis; }
  void SetCustomHorizAxis(TChartAxis* Value);
  TChartAxis* GetCustomVertAxis() const { return FCustomVertAxis; }
  void SetCustomVertAxis(TChartAxis* Value);
  // The axes the series is drawn against (none without a chart).
  TChartAxis* GetHorizAxisObject() const { return FGetHorizAxis; }
  TChartAxis* GetVertAxisObject() const { return FGetVertAxis; }
  void RecalcGetAxis();
  virtual bool AssociatedToAxis(const TChartAxis* Axis) const;
  virtual TChartValueList* ValueListOfAxis(const TChartAxis* Axis) const;
  TChartAxis* MandatoryAxis() const;
  virtual bool UseAxis() const { return true; }
  // The custom axis is gone: fall back to the bottom or left axis.
  void CustomAxisRemoved(const TChartAxis* Axis);

  // Value and pixel conversions through the bound axes (a chart is needed).
  virtual int CalcXPos(int ValueIndex) const;
  virtual int CalcYPos(int ValueIndex) const;
  int CalcXPosValue(double Value) const;
  int CalcYPosValue(double Value) const;
  int CalcPosValue(double Value) const;
  int CalcXSizeValue(double Value) const;
  int CalcYSizeValue(double Value) const;
  double XScreenToValue(int ScreenPos) const;
  double YScreenToValue(int ScreenPos) const;
  void GetCursorValues(double& XValue, double& YValue) const;
  int GetCursorValueIndex() const;

  // -- drawing hooks called by the chart

  virtual void CalcFirstLastVisibleIndex();
  int GetFirstValueIndex() const { return FFirstVisibleIndex; }
  int GetLastValueIndex() const { return FLastVisibleIndex; }
  int VisibleCount() const;
  int FirstDisplayedIndex() const;
  virtual void CalcZOrder();
  virtual void CalcDepthPositions();
  int GetStartZ() const { return FStartZ; }
  int GetMiddleZ() const { return FMiddleZ; }
  int GetEndZ() const { return FEndZ; }
  // The Z order the chart uses in this pass.
  int GetInternalZOrder() const { return FInternalZOrder; }
  void SetInternalZOrder(int Value) { FInternalZOrder = Value; }
  virtual bool MoreSameZOrder() const;
  bool FirstInZOrder() const;
  virtual bool DrawValuesForward() const;
  virtual bool DrawSeriesForward(int ValueIndex) const;
  virtual void DoBeforeDrawValues();
  virtual void DrawAllValues();
  virtual void DrawValue(int ValueIndex);
  virtual void DoAfterDrawValues();
  // The marks of the visible points that have a mark text (every
  // DrawEvery-th, not null, item visible), each sized in its item's font
  // and placed centred just above its point, then drawn by DrawMark.
  void DrawMarks();
  // Series types move APosition (device pixels) before calling this, which
  // draws the mark in the point's colour.
  virtual void DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition);
  virtual void DrawLegend(int ValueIndex, const TRect& Rect);
  virtual void DrawLegendShape(int ValueIndex, const TRect& Rect);
  virtual void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle);
  // The index of the point at (X, Y), or -1.
  virtual int Clicked(int X, int Y) const;
  int Clicked(const TPoint& P) const { return Clicked(P.X, P.Y); }
  virtual bool CheckMouse(int X, int Y);
  // First and last index of the chart's current page.
  void CalcFirstLastPage(int& First, int& Last) const;

  // -- the chart tells the series

  // The series joined (Added) or left (Removed) the chart.
  virtual void Added();
  virtual void Removed();
  void SetParentChart(TCustomAxisPanel* Value) override;

  // -- update bracket and propagation to linked series

  void BeginUpdate() { ++FUpdateCount; }
  // At the end of the outermost bracket the linked series refresh once; a
  // series computed by a function whose sources changed meanwhile computes
  // its points once first.
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }
  virtual void NotifyValue(TValueEvent ValueEvent, int ValueIndex);
  virtual void NotifyNewValue(TChartSeries* Sender, int ValueIndex);
  void RefreshSeries();
  // Asks the chart to refill the series from its source or function.
  void CheckDataSource();
  // Swaps two whole points (every value list, colours and labels); the
  // exchange routine of the value lists' sort.
  virtual void SwapValueIndex(int A, int B);

  // -- data sources, linked series, functions

  TDataSourcesList& GetDataSources() const { return *FDataSources; }
  TComponent* GetDataSource() const;
  void SetDataSource(TComponent* Value);
  int InternalSetDataSource(TComponent* Value, bool ClearFirst);
  int InternalAddDataSource(TComponent* Value);
  void InternalRemoveDataSource(TComponent* Value);
  void RemoveDataSource(TComponent* Value);
  virtual bool IsValidDataSource(TComponent* Value) const;
  virtual bool IsValidSeriesSource(const TChartSeries* Value) const;
  virtual bool IsValidSourceOf(const TChartSeries* Value) const { return Value != this; }
  void CheckOtherSeries(TChartSeries* Source);
  TCustomSeriesList& GetLinkedSeries() const { return *FLinkedSeries; }
  void AddLinkedSeries(TChartSeries* Series);
  void RemoveLinkedSeries(TChartSeries* Series);
  void RemoveAllLinkedSeries();
  virtual void AddValues(TChartSeries* Source);
  // A point Source added at ValueIndex reaches this series, which its
  // function computes: only what the point changes is computed where the
  // function can tell, else all points again.
  void AddedFunctionValue(TChartSeries* Source, int ValueIndex);
  void AssignValues(TChartSeries* Source) { AddValues(Source); }
  virtual void AddedValue(TChartSeries* Source, int ValueIndex);
  virtual int AddChartValue(TChartSeries* Source, int ValueIndex);
  virtual void DeletedValue(TChartSeries* Source, int ValueIndex);
  TKorFunction* GetFunction() const { return FFunction; }
  // Takes Value as the function; a function it held before is freed.
  virtual void SetFunction(TKorFunction* Value);
  // The function is going away or moving to another series: forgotten,
  // not freed.
  void ForgetFunction(const TKorFunction* Function);
  bool GetManualData() const { return FManualData; }
  void SetManualData(bool Value) { FManualData = Value; }
  // Names of data sources read from a stream, resolved in Loaded.
  QStringList& GetDataSourceNames() { return FTempDataSources; }

  // -- sample values

  virtual void FillSampleValues(int NumValues = 0);
  virtual void AddSampleValues(int NumValues, bool OnlyMandatory = false);
  TSeriesRandomBounds RandomBounds(int NumValues);
  double RandomValue(int Range);
  virtual int NumSampleValues() const { return 25; }
  bool CanAddRandomPoints() const;
  virtual void PrepareForGallery(bool IsEnabled);
  // Sorts the points by the non-mandatory list when its order asks for it.
  void CheckOrder();

  // -- the "Data" stream of the points

  // Series types with other data may replace these (the layout is in
  // KorSeriesData.h).
  virtual void WriteData(TStream& Stream) const;
  virtual void ReadData(TStream& Stream);
  // Whether streams carry the points: forced, or manual data not barred.
  bool IsDataStored() const;

  // -- stream flags

  bool GetDontSaveData() const { return FDontSaveData; }
  void SetDontSaveData(bool Value) { FDontSaveData = Value; }
  bool GetForceSaveData() const { return FForceSaveData; }
  void SetForceSaveData(bool Value) { FForceSaveData = Value; }
  // Whether the non-mandatory values go into the "Data" stream.
  bool GetUseNotMandatory() const { return FUseNotMandatory; }

  // -- sub-gallery

  virtual QStringList CreateSubGallery() const;
  virtual void SetSubGallery(int) {}

  // -- events

  TSeriesNotifyEvent OnBeforeDrawValues;
  TSeriesNotifyEvent OnAfterDrawValues;
  TSeriesOnAfterAdd OnAfterAdd;
  TSeriesOnBeforeAdd OnBeforeAdd;
  TSeriesNotifyEvent OnClearValues;
  TSeriesClick OnClick;
  TSeriesClick OnDblClick;
  TSeriesOnGetMarkText OnGetMarkText;
  TSeriesNotifyEvent OnMouseEnter;
  TSeriesNotifyEvent OnMouseLeave;

 protected:
  // Empties every value list, the colours, labels and mark positions (and
  // the mark items unless they are being loaded).
  virtual void ClearLists();
  // XValues mandatory, YValues not (horizontal series types).
  void SetHorizontal();
  // For series types: whether the visible range follows the axis range,
  // whether one point past the far edge stays visible, and whether a
  // function of the whole series adds one point or two.
  void SetCalcVisiblePoints(bool Value) { FCalcVisiblePoints = Value; }
  void SetDrawBetweenPoints(bool Value) { FDrawBetweenPoints = Value; }
  void SetSinglePointFunction(bool Value) { FSinglePointFunction = Value; }
  void SetUseNotMandatory(bool Value) { FUseNotMandatory = Value; }
  // For series types whose visible range or depth differs from what the
  // base calculation gives (the middle depth is left as it is).
  void SetVisibleRange(int First, int Last) {
    FFirstVisibleIndex = First;
    FLastVisibleIndex = Last;
  }
  void SetDepthRange(int StartZ, int EndZ) {
    FStartZ = StartZ;
    FEndZ = EndZ;
  }
  // The total that mark and legend percentages are taken of: the absolute
  // total of the mandatory values. Series types that hold a value twice
  // (a pie's grouped slices) count it once.
  virtual double PercentTotal() const;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The series' function is streamed as its child.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;

 public:
  bool GetSinglePointFunction() const { return FSinglePointFunction; }

 private:
  friend class TChartValueList;
  // A new value list of this series joins its lists (which own it).
  void AddValueList(TChartValueList* List);
  // Getters for the property table.
  QString ColorSourceText() const { return FColorSource; }
  QString LabelsSourceText() const { return FLabelsSource; }
  QString PercentFormatText() const { return FPercentFormat; }
  QString ValueFormatText() const { return FValueFormat; }
  int CursorValue() const { return FCursor; }
  void SetCursorValue(int Value) { FCursor = static_cast<TCursor>(Value); }
  TSeriesMarks* MarksObject() { return FMarks.get(); }
  TChartValueList* XValuesObject() { return FX; }
  TChartValueList* YValuesObject() { return FY; }
  QByteArray DataBytes() const;
  void SetDataBytes(const QByteArray& Value);
  void ReadPendingData();
  // The first data source by name; a name no component of the owner has
  // yet is kept for Loaded.
  QString DataSourceName() const;
  void SetDataSourceName(const QString& Value);
  QStringList DataSourceNames() const;
  void SetDataSourceNames(const QStringList& Value) { FTempDataSources = Value; }
  // Custom axes by their index in the chart's custom-axes collection (-1:
  // none); an index the chart does not have is ignored.
  int CustomHorizAxisIndex() const;
  void SetCustomHorizAxisIndex(int Value);
  int CustomVertAxisIndex() const;
  void SetCustomVertAxisIndex(int Value);
  TChartAxis* CustomAxisAt(int Index) const;
  void EnsureColorList();
  void CheckIndex(int Index) const;
  QString FormatValue(double Value) const;
  QString MarkXText(int ValueIndex) const;
  QString LegendValueText(double Value) const;
  double PercentOfTotal(double Value) const;

  TColor FColor = clDefault;
  bool FColorEachPoint = false;
  std::unique_ptr<std::vector<TColor>> FColors;  // created on the first own colour
  QString FColorSource;
  TCursor FCursor = crDefault;
  std::unique_ptr<TDataSourcesList> FDataSources;
  int FDepth = -1;
  TChartAxis* FGetHorizAxis = nullptr;
  TChartAxis* FGetVertAxis = nullptr;
  QString FLabelsSource;
  std::unique_ptr<TCustomSeriesList> FLinkedSeries;
  std::unique_ptr<TSeriesMarks> FMarks;
  QString FPercentFormat;
  QStringList FTempDataSources;
  std::optional<QByteArray> FPendingData;  // "Data" read, for Loaded to add
  QString FValueFormat;
  std::unique_ptr<TChartValueLists> FValuesList;  // owns every list
  TChartValueList* FX = nullptr;
  std::unique_ptr<TLabelsList> FLabels;
  TChartValueList* FY = nullptr;
  THorizAxis FHorizAxis = aBottomAxis;
  TChartAxis* FCustomHorizAxis = nullptr;
  TChartAxis* FCustomVertAxis = nullptr;
  int FZOrder = -1;
  TVertAxis FVertAxis = aLeftAxis;
  TSeriesRecalcOptions FRecalcOptions = AllRecalcOptions;
  TKorFunction* FFunction = nullptr;  // owned (a component whose owner is this series)
  bool FMouseInside = false;
  TColor FInternalColor = clDefault;
  bool FDontSaveData = false;
  bool FForceSaveData = false;
  bool FManualData = false;
  int FDefaultSampleCount = 0;
  int FUpdateCount = 0;
  // The source whose changes reached this function's series while it was
  // in an update bracket (not owned; checked against the data sources).
  TChartSeries* FPendingSource = nullptr;
  bool FUseNotMandatory = true;
  int FInternalZOrder = 0;
  bool FCalcVisiblePoints = true;
  bool FDrawBetweenPoints = false;
  bool FSinglePointFunction = true;
  TChartValueList* FMandatory = nullptr;
  TChartValueList* FNotMandatory = nullptr;
  bool FYMandatory = true;
  // caches: refreshed by every drawing pass
  int FFirstVisibleIndex = -1;
  int FLastVisibleIndex = -1;
  int FStartZ = 0;
  int FMiddleZ = 0;
  int FEndZ = 0;
};
