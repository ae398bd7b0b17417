#include "chart/core/TChartAxis.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TAxisGridPen.h"
#include "chart/core/TAxisItem.h"
#include "chart/core/TAxisItems.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxisPen.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TDarkGrayPen.h"
#include "chart/core/TKorFont.h"

#include "platform/FormatSettings.h"
#include "platform/Rounding.h"
#include "platform/TDateTime.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// Beyond this many steps the label-fitting loop gives up growing the
// increment: only logarithmic bases within a hair of 1 come near it.
constexpr int MaxIncrementSteps = 10000;
// Above this the ratio of range and increment is not rounded to a label
// count.
constexpr double MaxLabelCount = 2147483647.0;
// The date-time increment aims at no more steps than this before fitting.
constexpr double MaxDateTimeSteps = 1000000.0;

// KorMaxPixelPos or its negative for values beyond it, else Value.
double ClampToPixelRange(double Value) {
  return std::clamp(Value, -static_cast<double>(KorMaxPixelPos),
                    static_cast<double>(KorMaxPixelPos));
}

}  // namespace

double KorNextStep(double Value) {
  if (std::isnan(Value) || Value <= 0) return MinAxisIncrement;
  if (std::isinf(Value)) return 1;
  // The power of ten P with P <= Value < 10 P; the candidates are compared
  // with Value itself, so the result is above Value even where scaling by
  // ten is inexact (a result equal to Value would stall the growing of
  // label increments).
  double Decade = std::pow(10.0, std::floor(std::log10(Value)));
  while (Decade > Value) Decade /= 10;
  if (!(Decade > 0)) Decade = std::numeric_limits<double>::denorm_min();
  while (Decade * 10 <= Value) Decade *= 10;
  for (double Factor : {2.0, 5.0}) {
    if (Factor * Decade > Value) return Factor * Decade;
  }
  return 10 * Decade;
}

// -- construction

TChartAxis::TChartAxis(TCustomAxisPanel* AChart) : FParentChart(AChart) {
  TCustomKorPanel* Panel = AChart;
  FAxis = std::make_unique<TChartAxisPen>(ChangeHandler());
  FTitle = std::make_unique<TChartAxisTitle>(Panel);
  FGrid = std::make_unique<TAxisGridPen>(ChangeHandler());
  FItems = std::make_unique<TAxisItems>(Panel);
  FMinorGrid = std::make_unique<TChartHiddenPen>(ChangeHandler());
  FMinorTicks = std::make_unique<TDarkGrayPen>(ChangeHandler());
  FTicks = std::make_unique<TDarkGrayPen>(ChangeHandler());
  FTicksInner = std::make_unique<TDarkGrayPen>(ChangeHandler());
  FAxisValuesFormat = Korconst::KorMsg_DefValueFormat;
  if (FParentChart != nullptr) FParentChart->AxisCreated(this);
}

TChartAxis::~TChartAxis() {
  if (FParentChart == nullptr) return;
  // Axes that followed this one follow none from now on. A chart being
  // destroyed frees all its axes anyway.
  if (!FParentChart->InState(TComponent::csDestroying)) {
    for (TChartAxis* Other : FParentChart->GetAxesList())
      if (Other->FMasterAxis == this) Other->FMasterAxis = nullptr;
  }
  FParentChart->AxisDestroyed(this);
}

TNotifyEvent TChartAxis::ChangeHandler() {
  return [this](TPersistent*) { InvalidateChart(); };
}

bool TChartAxis::IsCustom() const {
  if (FParentChart == nullptr) return false;
  const TCustomAxisPanel& C = *FParentChart;
  return this != C.GetBottomAxis() && this != C.GetTopAxis() && this != C.GetLeftAxis() &&
         this != C.GetRightAxis() && this != C.GetDepthAxis() && this != C.GetDepthTopAxis();
}

void TChartAxis::SetIsDepthAxis(bool Value) {
  FIsDepthAxis = Value;
  SetCalcPosValue();
}

void TChartAxis::InvalidateChart() const {
  if (FParentChart != nullptr) FParentChart->Invalidate();
}

// -- properties

const TPropertyList& TChartAxis::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartAxis;
  static const TPropertyList List = [] {
    auto FormatString = [](const QString& Name, const QString& (C::*Get)() const,
                           void (C::*Set)(const QString&)) {
      TPublishedProperty P;
      P.Name = Name;
      P.Kind = TPropertyKind::pkString;
      P.Get = [Get](const TPersistent& I) { return TPropertyValue((PP::As<C>(I).*Get)()); };
      P.Set = [Set](TPersistent& I, const TPropertyValue& V) {
        (PP::As<C>(I).*Set)(std::get<QString>(V));
      };
      return P;
    };
    TPublishedProperty Maximum =
        PP::Double<C>(QStringLiteral("Maximum"), &C::GetMaximum, &C::SetMaximum);
    Maximum.Stored = [](const TPersistent& P) {
      const C& A = PP::As<C>(P);
      return !A.GetAutomatic() && !A.GetAutomaticMaximum();
    };
    TPublishedProperty Minimum =
        PP::Double<C>(QStringLiteral("Minimum"), &C::GetMinimum, &C::SetMinimum);
    Minimum.Stored = [](const TPersistent& P) {
      const C& A = PP::As<C>(P);
      return !A.GetAutomatic() && !A.GetAutomaticMinimum();
    };
    TPublishedProperty ZPosition =
        PP::Double<C>(QStringLiteral("ZPosition"), &C::GetZPosition, &C::SetZPosition);
    ZPosition.Stored = [](const TPersistent& P) {
      const C& A = PP::As<C>(P);
      if (A.IsDepthAxis()) return false;
      return A.GetOtherSide() ? A.GetZPosition() != 100 : A.GetZPosition() > 0.011;
    };
    TPublishedProperty ValuesFormat = FormatString(
        QStringLiteral("AxisValuesFormat"), &C::GetAxisValuesFormat, &C::SetAxisValuesFormat);
    // The default text is a language module's, so it is compared when
    // writing rather than fixed in the table.
    ValuesFormat.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).GetAxisValuesFormat() != Korconst::KorMsg_DefValueFormat;
    };
    TPublishedProperty DateTimeFormat = FormatString(QStringLiteral("DateTimeFormat"),
                                                     &C::GetDateTimeFormat, &C::SetDateTimeFormat);
    DateTimeFormat.Default.emplace(std::in_place_type<QString>, QString());
    return TPropertyList{
        PP::Boolean<C>(QStringLiteral("Automatic"), &C::GetAutomatic, &C::SetAutomatic, true),
        PP::Boolean<C>(QStringLiteral("AutomaticMaximum"), &C::GetAutomaticMaximum,
                       &C::SetAutomaticMaximum, true),
        PP::Boolean<C>(QStringLiteral("AutomaticMinimum"), &C::GetAutomaticMinimum,
                       &C::SetAutomaticMinimum, true),
        PP::Double<C>(QStringLiteral("Increment"), &C::GetIncrement, &C::SetIncrement, 0.0),
        Maximum,
        Minimum,
        PP::Boolean<C>(QStringLiteral("Logarithmic"), &C::GetLogarithmic, &C::SetLogarithmic,
                       false),
        PP::Double<C>(QStringLiteral("LogarithmicBase"), &C::GetLogarithmicBase,
                      &C::SetLogarithmicBase, 10.0),
        PP::Integer<C>(QStringLiteral("MaximumOffset"), &C::GetMaximumOffset, &C::SetMaximumOffset,
                       0),
        PP::Integer<C>(QStringLiteral("MinimumOffset"), &C::GetMinimumOffset, &C::SetMinimumOffset,
                       0),
        PP::Object<C, TChartAxisPen>(QStringLiteral("Axis"), &C::AxisObject),
        ZPosition,
        PP::Object<C, TChartAxisTitle>(QStringLiteral("Title"), &C::TitleObject),
        PP::Integer<C>(QStringLiteral("TitleSize"), &C::GetTitleSize, &C::SetTitleSize, 0),
        PP::Object<C, TAxisGridPen>(QStringLiteral("Grid"), &C::GridObject),
        PP::Boolean<C>(QStringLiteral("GridCentered"), &C::GetGridCentered, &C::SetGridCentered,
                       false),
        PP::Enum<C, TAxisLabelAlign>(QStringLiteral("LabelsAlign"), &C::GetLabelsAlign,
                                     &C::SetLabelsAlign, {"alDefault", "alOpposite"}, alDefault),
        PP::Boolean<C>(QStringLiteral("LabelsAlternate"), &C::GetLabelsAlternate,
                       &C::SetLabelsAlternate, false),
        PP::Integer<C>(QStringLiteral("LabelsAngle"), &C::GetLabelsAngle, &C::SetLabelsAngle, 0),
        PP::Boolean<C>(QStringLiteral("Labels"), &C::GetLabels, &C::SetLabels, true),
        PP::Object<C, TKorFont>(QStringLiteral("LabelsFont"), &C::LabelsFontObject),
        PP::Boolean<C>(QStringLiteral("LabelsOnAxis"), &C::GetLabelsOnAxis, &C::SetLabelsOnAxis,
                       true),
        PP::Integer<C>(QStringLiteral("LabelsSeparation"), &C::GetLabelsSeparation,
                       &C::SetLabelsSeparation, 10),
        PP::Integer<C>(QStringLiteral("LabelsSize"), &C::GetLabelsSize, &C::SetLabelsSize, 0),
        PP::Enum<C, TAxisLabelStyle>(
            QStringLiteral("LabelStyle"), &C::GetLabelStyle, &C::SetLabelStyle,
            {"talAuto", "talNone", "talValue", "talMark", "talText"}, talAuto),
        PP::Boolean<C>(QStringLiteral("LabelsExponent"), &C::GetLabelsExponent,
                       &C::SetLabelsExponent, false),
        PP::Boolean<C>(QStringLiteral("LabelsMultiLine"), &C::GetLabelsMultiLine,
                       &C::SetLabelsMultiLine, false),
        ValuesFormat,
        DateTimeFormat,
        PP::Boolean<C>(QStringLiteral("ExactDateTime"), &C::GetExactDateTime, &C::SetExactDateTime,
                       true),
        PP::Boolean<C>(QStringLiteral("RoundFirstLabel"), &C::GetRoundFirstLabel,
                       &C::SetRoundFirstLabel, true),
        PP::Object<C, TChartHiddenPen>(QStringLiteral("MinorGrid"), &C::MinorGridObject),
        PP::Integer<C>(QStringLiteral("MinorTickCount"), &C::GetMinorTickCount,
                       &C::SetMinorTickCount, 3),
        PP::Integer<C>(QStringLiteral("MinorTickLength"), &C::GetMinorTickLength,
                       &C::SetMinorTickLength, 2),
        PP::Object<C, TChartPen>(QStringLiteral("MinorTicks"), &C::MinorTicksObject),
        PP::Object<C, TChartPen>(QStringLiteral("Ticks"), &C::TicksObject),
        PP::Object<C, TChartPen>(QStringLiteral("TicksInner"), &C::TicksInnerObject),
        PP::Integer<C>(QStringLiteral("TickInnerLength"), &C::GetTickInnerLength,
                       &C::SetTickInnerLength, 0),
        PP::Integer<C>(QStringLiteral("TickLength"), &C::GetTickLength, &C::SetTickLength, 4),
        PP::Boolean<C>(QStringLiteral("TickOnLabelsOnly"), &C::GetTickOnLabelsOnly,
                       &C::SetTickOnLabelsOnly, true),
        PP::Boolean<C>(QStringLiteral("Inverted"), &C::GetInverted, &C::SetInverted, false),
        PP::Boolean<C>(QStringLiteral("Horizontal"), &C::GetHorizontal, &C::SetHorizontal, false),
        PP::Boolean<C>(QStringLiteral("OtherSide"), &C::GetOtherSide, &C::SetOtherSide, false),
        PP::Boolean<C>(QStringLiteral("Visible"), &C::GetVisible, &C::SetVisible, true),
        PP::Double<C>(QStringLiteral("StartPosition"), &C::GetStartPosition, &C::SetStartPosition,
                      0.0),
        PP::Double<C>(QStringLiteral("EndPosition"), &C::GetEndPosition, &C::SetEndPosition, 100.0),
        PP::Double<C>(QStringLiteral("PositionPercent"), &C::GetPositionPercent,
                      &C::SetPositionPercent, 0.0),
        PP::Enum<C, TKorUnits>(QStringLiteral("PositionUnits"), &C::GetPositionUnits,
                               &C::SetPositionUnits, {"muPercent", "muPixels"}, muPercent),
    };
  }();
  return List;
}

void TChartAxis::Assign(const TPersistent& Source) {
  const TChartAxis* Other = dynamic_cast<const TChartAxis*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FAxis->Assign(*Other->FAxis);
  FItems->CopyFrom(*Other->FItems);
  FLabelsAlign = Other->FLabelsAlign;
  FLabelsAlternate = Other->FLabelsAlternate;
  FLabelsAngle = Other->FLabelsAngle;
  FLabelsExponent = Other->FLabelsExponent;
  FLabelsMultiLine = Other->FLabelsMultiLine;
  FLabelsSeparation = Other->FLabelsSeparation;
  FLabelsSize = Other->FLabelsSize;
  FLabelStyle = Other->FLabelStyle;
  FLabelsOnAxis = Other->FLabelsOnAxis;
  FTicks->Assign(*Other->FTicks);
  FTicksInner->Assign(*Other->FTicksInner);
  FGrid->Assign(*Other->FGrid);
  FMinorTicks->Assign(*Other->FMinorTicks);
  FMinorGrid->Assign(*Other->FMinorGrid);
  FTitleSize = Other->FTitleSize;
  FTickLength = Other->FTickLength;
  FMinorTickLength = Other->FMinorTickLength;
  FMinorTickCount = Other->FMinorTickCount;
  FTickInnerLength = Other->FTickInnerLength;
  FAxisValuesFormat = Other->FAxisValuesFormat;
  FDesiredIncrement = Other->FDesiredIncrement;
  FMaximumValue = Other->FMaximumValue;
  FMaximumOffset = Other->FMaximumOffset;
  FMinimumValue = Other->FMinimumValue;
  FMinimumOffset = Other->FMinimumOffset;
  FAutomatic = Other->FAutomatic;
  FAutomaticMaximum = Other->FAutomaticMaximum;
  FAutomaticMinimum = Other->FAutomaticMinimum;
  FTitle->Assign(*Other->FTitle);
  FDateTimeFormat = Other->FDateTimeFormat;
  FGrid->SetCentered(Other->FGrid->GetCentered());
  FLogarithmic = Other->FLogarithmic;
  FLogarithmicBase = Other->FLogarithmicBase;
  FInverted = Other->FInverted;
  FExactDateTime = Other->FExactDateTime;
  FRoundFirstLabel = Other->FRoundFirstLabel;
  FTickOnLabelsOnly = Other->FTickOnLabelsOnly;
  FIsDepthAxis = Other->FIsDepthAxis;
  FStartPosition = Other->FStartPosition;
  FEndPosition = Other->FEndPosition;
  FPositionPercent = Other->FPositionPercent;
  FPositionUnits = Other->FPositionUnits;
  FVisible = Other->FVisible;
  FHorizontal = Other->FHorizontal;
  FOtherSide = Other->FOtherSide;
  SetCalcPosValue();
  InvalidateChart();
}

// -- range

void TChartAxis::SetAutomatic(bool Value) {
  FAutomatic = Value;
  if (FParentChart == nullptr || !FParentChart->InState(TComponent::csLoading)) {
    FAutomaticMinimum = Value;
    FAutomaticMaximum = Value;
  }
  InvalidateChart();
}

void TChartAxis::SetAutomaticMaximum(bool Value) {
  FAutomaticMaximum = Value;
  if (!Value)
    FAutomatic = false;
  else if (FAutomaticMinimum)
    FAutomatic = true;
  InvalidateChart();
}

void TChartAxis::SetAutomaticMinimum(bool Value) {
  FAutomaticMinimum = Value;
  if (!Value)
    FAutomatic = false;
  else if (FAutomaticMaximum)
    FAutomatic = true;
  InvalidateChart();
}

void TChartAxis::SetDesiredIncrement(double Value) {
  // NaN is refused too: no label could be stepped by it.
  if (!(Value >= 0)) throw AxisException(Korconst::KorMsg_AxisIncrementNeg);
  SetAxisField(FDesiredIncrement, Value);
}

void TChartAxis::SetMaximum(double Value) {
  const bool Reading = FParentChart != nullptr && (FParentChart->InState(TComponent::csReading) ||
                                                   FParentChart->InState(TComponent::csLoading));
  if (!Reading && Value < FMinimumValue) throw AxisException(Korconst::KorMsg_AxisMaxMin);
  SetAxisField(FMaximumValue, Value);
}

void TChartAxis::SetMinimum(double Value) {
  const bool Reading = FParentChart != nullptr && (FParentChart->InState(TComponent::csReading) ||
                                                   FParentChart->InState(TComponent::csLoading));
  if (!Reading && Value > FMaximumValue) throw AxisException(Korconst::KorMsg_AxisMinMax);
  SetAxisField(FMinimumValue, Value);
}

void TChartAxis::SetMinMax(double AMin, double AMax) {
  FAutomatic = false;
  FAutomaticMinimum = false;
  FAutomaticMaximum = false;
  if (AMin > AMax) std::swap(AMin, AMax);
  if (AMax - AMin < MinAxisRange) AMax = AMin + MinAxisRange;
  FMinimumValue = AMin;
  FMaximumValue = AMax;
  InvalidateChart();
  if (FParentChart == nullptr || FSettingMinMax) return;
  FSettingMinMax = true;
  try {
    FParentChart->GetCustomAxes().ResetScales(this);
  } catch (...) {
    FSettingMinMax = false;
    throw;
  }
  FSettingMinMax = false;
}

void TChartAxis::SetLogarithmic(bool Value) {
  if (Value) {
    if (IsDateTime()) throw AxisException(Korconst::KorMsg_AxisLogDateTime);
    const double OldMinimum = FMinimumValue;
    const double OldMaximum = FMaximumValue;
    const double OldIMinimum = FIMinimum;
    const double OldIMaximum = FIMaximum;
    AdjustMaxMin();
    if (FIMinimum < 0 || FIMaximum < 0) {
      // A refused change leaves the axis as it was.
      FMinimumValue = OldMinimum;
      FMaximumValue = OldMaximum;
      FIMinimum = OldIMinimum;
      FIMaximum = OldIMaximum;
      InternalCalcRange();
      throw AxisException(Korconst::KorMsg_AxisLogNotPositive);
    }
  }
  FLogarithmic = Value;
  SetCalcPosValue();
  InternalCalcRange();
  InvalidateChart();
}

void TChartAxis::SetLogarithmicBase(double Value) {
  if (!(Value > 0) || Value == 1) throw AxisException(Korconst::KorMsg_AxisLogBase);
  SetAxisField(FLogarithmicBase, Value);
}

void TChartAxis::SetMaximumOffset(int Value) {
  SetAxisField(FMaximumOffset, Value);
}

void TChartAxis::SetMinimumOffset(int Value) {
  SetAxisField(FMinimumOffset, Value);
}

// -- placement

void TChartAxis::SetHorizontal(bool Value) {
  SetAxisField(FHorizontal, Value);
  SetCalcPosValue();
}

void TChartAxis::SetOtherSide(bool Value) {
  SetAxisField(FOtherSide, Value);
}

void TChartAxis::SetInverted(bool Value) {
  SetAxisField(FInverted, Value);
}

void TChartAxis::SetVisible(bool Value) {
  SetAxisField(FVisible, Value);
}

void TChartAxis::SetStartPosition(double Value) {
  SetAxisField(FStartPosition, Value);
}

void TChartAxis::SetEndPosition(double Value) {
  SetAxisField(FEndPosition, Value);
}

void TChartAxis::SetPositionPercent(double Value) {
  SetAxisField(FPositionPercent, Value);
}

void TChartAxis::SetPositionUnits(TKorUnits Value) {
  SetAxisField(FPositionUnits, Value);
}

void TChartAxis::SetZPosition(double Value) {
  // 0 would put the axis exactly on the front plane, where the 3D
  // projection of its line and the walls' edges coincide.
  SetAxisField(FZPosition, Value == 0 ? 0.01 : Value);
}

// -- look

void TChartAxis::SetAxis(const TChartAxisPen& Value) {
  FAxis->Assign(Value);
}

void TChartAxis::SetTitle(const TChartAxisTitle& Value) {
  FTitle->Assign(Value);
}

void TChartAxis::SetTitleSize(int Value) {
  SetAxisField(FTitleSize, Value);
}

void TChartAxis::SetGrid(const TAxisGridPen& Value) {
  FGrid->Assign(Value);
}

bool TChartAxis::GetGridCentered() const {
  return FGrid->GetCentered();
}

void TChartAxis::SetGridCentered(bool Value) {
  FGrid->SetCentered(Value);
}

void TChartAxis::SetLabelsAlign(TAxisLabelAlign Value) {
  SetAxisField(FLabelsAlign, Value);
}

void TChartAxis::SetLabelsAlternate(bool Value) {
  SetAxisField(FLabelsAlternate, Value);
}

void TChartAxis::SetLabelsAngle(int Value) {
  SetAxisField(FLabelsAngle, NormalizeAxisAngle(Value));
}

bool TChartAxis::GetLabels() const {
  return FItems->GetFormat().GetVisible();
}

void TChartAxis::SetLabels(bool Value) {
  FItems->GetFormat().SetVisible(Value);
}

TKorFont& TChartAxis::GetLabelsFont() const {
  return FItems->GetFormat().GetFont();
}

void TChartAxis::SetLabelsFont(const TKorFont& Value) {
  FItems->GetFormat().SetFont(Value);
}

void TChartAxis::SetLabelsOnAxis(bool Value) {
  SetAxisField(FLabelsOnAxis, Value);
}

void TChartAxis::SetLabelsSeparation(int Value) {
  if (Value < 0) throw AxisException(Korconst::KorMsg_AxisLabelSep);
  SetAxisField(FLabelsSeparation, Value);
}

void TChartAxis::SetLabelsSize(int Value) {
  SetAxisField(FLabelsSize, Value);
}

void TChartAxis::SetLabelStyle(TAxisLabelStyle Value) {
  SetAxisField(FLabelStyle, Value);
}

void TChartAxis::SetLabelsExponent(bool Value) {
  SetAxisField(FLabelsExponent, Value);
}

void TChartAxis::SetLabelsMultiLine(bool Value) {
  SetAxisField(FLabelsMultiLine, Value);
}

void TChartAxis::SetAxisValuesFormat(const QString& Value) {
  SetAxisField(FAxisValuesFormat, Value);
}

void TChartAxis::SetDateTimeFormat(const QString& Value) {
  SetAxisField(FDateTimeFormat, Value);
}

void TChartAxis::SetExactDateTime(bool Value) {
  SetAxisField(FExactDateTime, Value);
}

void TChartAxis::SetRoundFirstLabel(bool Value) {
  SetAxisField(FRoundFirstLabel, Value);
}

void TChartAxis::SetMinorGrid(const TChartPen& Value) {
  FMinorGrid->Assign(Value);
}

void TChartAxis::SetMinorTickCount(int Value) {
  SetAxisField(FMinorTickCount, Value);
}

void TChartAxis::SetMinorTickLength(int Value) {
  SetAxisField(FMinorTickLength, Value);
}

void TChartAxis::SetMinorTicks(const TChartPen& Value) {
  FMinorTicks->Assign(Value);
}

void TChartAxis::SetTicks(const TChartPen& Value) {
  FTicks->Assign(Value);
}

void TChartAxis::SetTicksInner(const TChartPen& Value) {
  FTicksInner->Assign(Value);
}

void TChartAxis::SetTickInnerLength(int Value) {
  SetAxisField(FTickInnerLength, Value);
}

void TChartAxis::SetTickLength(int Value) {
  SetAxisField(FTickLength, Value);
}

void TChartAxis::SetTickOnLabelsOnly(bool Value) {
  SetAxisField(FTickOnLabelsOnly, Value);
}

// -- range operations

double TChartAxis::DataMinimum() const {
  return FParentChart == nullptr ? 0 : FParentChart->InternalMinMax(this, true, FHorizontal);
}

double TChartAxis::DataMaximum() const {
  return FParentChart == nullptr ? 0 : FParentChart->InternalMinMax(this, false, FHorizontal);
}

void TChartAxis::CalcMinMax(double& AMin, double& AMax) const {
  AMin = FAutomatic || FAutomaticMinimum ? DataMinimum() : FMinimumValue;
  AMax = FAutomatic || FAutomaticMaximum ? DataMaximum() : FMaximumValue;
}

void TChartAxis::AdjustMaxMin() {
  // The start of every pass over the axes: the date-time flag is taken
  // here as well, so that increments are right before the labels are laid
  // out.
  FIsDateTime = IsDateTime();
  CalcMinMax(FMinimumValue, FMaximumValue);
  FIMaximum = FMaximumValue;
  FIMinimum = FMinimumValue;
  InternalCalcRange();
}

void TChartAxis::AdjustMaxMinRect(const TRect& Rect) {
  const int OldStart = FIStartPos;
  const int OldEnd = FIEndPos;
  const int StartMargin = FHorizontal ? Rect.Left : Rect.Top;
  const int EndMargin = FHorizontal ? Rect.Right : Rect.Bottom;
  FIStartPos = OldStart + StartMargin;
  FIEndPos = OldEnd - EndMargin;
  FIAxisSize = FIEndPos - FIStartPos;
  // Margins that leave no pixel of the axis cannot be kept: the range
  // stays rather than collapsing to a single value.
  const bool Room = FIAxisSize >= 1;
  const double V1 = Room ? CalcPosPoint(OldStart) : 0;
  const double V2 = Room ? CalcPosPoint(OldEnd) : 0;
  InternalCalcPositions();
  if (!Room) return;
  FIMaximum = V1;
  FIMinimum = V2;
  if (FIMinimum > FIMaximum) std::swap(FIMinimum, FIMaximum);
  InternalCalcRange();
}

void TChartAxis::InternalCalcPositions() {
  int Origin = 0;
  int Length = 0;
  if (FParentChart != nullptr) {
    if (FIsDepthAxis) {
      Length = FParentChart->GetDepth3D();
    } else if (FHorizontal) {
      Origin = FParentChart->GetPlotRect().Left;
      Length = FParentChart->GetPlotWidth();
    } else {
      Origin = FParentChart->GetPlotRect().Top;
      Length = FParentChart->GetPlotHeight();
    }
  }
  FIStartPos = Origin + Round(Length * 0.01 * FStartPosition);
  FIEndPos = Origin + Round(Length * 0.01 * FEndPosition);
  RecalcSizeCenter();
}

void TChartAxis::RecalcSizeCenter() {
  FIAxisSize = FIEndPos - FIStartPos;
  FICenterPos = Div(FIStartPos + FIEndPos, 2);
  InternalCalcRange();
}

void TChartAxis::InternalCalcRange() {
  FIRange = FIMaximum - FIMinimum;
  FRangeZero = FIRange == 0;
  FAxisScale = FRangeZero ? 0 : FIAxisSize / FIRange;
  if (FLogarithmic) {
    // Positions use natural logarithms whatever the labels' base is.
    FLogMin = FIMinimum > 0 ? std::log(FIMinimum) : 0;
    FLogMax = FIMaximum > 0 ? std::log(FIMaximum) : 0;
    FLogRange = FLogMax - FLogMin;
    FLogScale = FLogRange == 0 ? 0 : FIAxisSize / FLogRange;
  }
  FIZPos = CalcZPos();
}

void TChartAxis::Scroll(double Offset, bool CheckLimits) {
  if (CheckLimits) {
    const bool Allowed = (Offset > 0 && DataMaximum() > FMaximumValue) ||
                         (Offset < 0 && DataMinimum() < FMinimumValue);
    if (!Allowed) return;
  }
  FAutomatic = false;
  FAutomaticMinimum = false;
  FAutomaticMaximum = false;
  FMaximumValue += Offset;
  FMinimumValue += Offset;
  InvalidateChart();
}

bool TChartAxis::FastCalc() const {
  return FParentChart != nullptr && FParentChart->GetAxesList().GetFastCalc();
}

void TChartAxis::SetCalcPosValue() {
  if (FIsDepthAxis) {
    FCalcXPosValue = &TChartAxis::CalcDepthPosValue;
    FCalcYPosValue = &TChartAxis::CalcDepthPosValue;
  } else if (FLogarithmic) {
    FCalcXPosValue = &TChartAxis::CalcXPosValueLog;
    FCalcYPosValue = &TChartAxis::CalcYPosValueLog;
  } else if (FastCalc()) {
    FCalcXPosValue = &TChartAxis::CalcXPosValuePlain;
    FCalcYPosValue = &TChartAxis::CalcYPosValuePlain;
  } else {
    FCalcXPosValue = &TChartAxis::CalcXPosValueClamped;
    FCalcYPosValue = &TChartAxis::CalcYPosValueClamped;
  }
  FCalcPosValue = FHorizontal ? FCalcXPosValue : FCalcYPosValue;
}

// -- conversion

int TChartAxis::PixelOf(double Position) const {
  if (std::isnan(Position)) return FIStartPos;
  return Round(ClampToPixelRange(Position));
}

int TChartAxis::OffsetPixel(int Base, double Offset) const {
  if (std::isnan(Offset)) return FIStartPos;
  // Round saturates at the int range, and the sum cannot overflow in 64
  // bits.
  const long long Pixel = static_cast<long long>(Base) + Round(Offset);
  return static_cast<int>(std::clamp<long long>(Pixel, -KorMaxPixelPos, KorMaxPixelPos));
}

int TChartAxis::CalcXPosValuePlain(double Value) const {
  if (FRangeZero) return FICenterPos;
  const double D = (Value - FIMinimum) * FAxisScale;
  return FInverted ? OffsetPixel(FIEndPos, -D) : OffsetPixel(FIStartPos, D);
}

int TChartAxis::CalcYPosValuePlain(double Value) const {
  if (FRangeZero) return FICenterPos;
  const double D = (Value - FIMinimum) * FAxisScale;
  return FInverted ? OffsetPixel(FIStartPos, D) : OffsetPixel(FIEndPos, -D);
}

int TChartAxis::CalcXPosValueClamped(double Value) const {
  if (FRangeZero) return FICenterPos;
  const double D = (Value - FIMinimum) * FAxisScale;
  return PixelOf(FInverted ? FIEndPos - D : FIStartPos + D);
}

int TChartAxis::CalcYPosValueClamped(double Value) const {
  if (FRangeZero) return FICenterPos;
  const double D = (Value - FIMinimum) * FAxisScale;
  return PixelOf(FInverted ? FIStartPos + D : FIEndPos - D);
}

int TChartAxis::CalcXPosValueLog(double Value) const {
  if (FLogRange == 0) return FICenterPos;
  if (Value <= 0) return FInverted ? FIEndPos : FIStartPos;
  const double LogValue = std::log(Value);
  const double D = FLogScale * (FInverted ? FLogMax - LogValue : LogValue - FLogMin);
  return OffsetPixel(FIStartPos, D);
}

int TChartAxis::CalcYPosValueLog(double Value) const {
  if (FLogRange == 0) return FICenterPos;
  if (Value <= 0) return FInverted ? FIStartPos : FIEndPos;
  const double LogValue = std::log(Value);
  const double D = FLogScale * (FInverted ? FLogMax - LogValue : LogValue - FLogMin);
  return OffsetPixel(FIEndPos, -D);
}

int TChartAxis::CalcDepthPosValue(double Value) const {
  if (FRangeZero) return FICenterPos;
  return PixelOf(FInverted ? FAxisScale * (FIMaximum - Value) : (Value - FIMinimum) * FAxisScale);
}

int TChartAxis::CalcSizeValue(double Value) const {
  if (!(Value > 0)) return 0;
  double Size = 0;
  if (FLogarithmic) {
    if (FLogRange != 0) Size = std::log(Value) * FLogScale;
  } else if (!FRangeZero) {
    Size = Value * FAxisScale;
  }
  return std::isnan(Size) ? 0 : Round(ClampToPixelRange(Size));
}

double TChartAxis::CalcPosPoint(int Value) const {
  // The start (top of a vertical axis, left of a horizontal one) holds the
  // minimum of a horizontal and the maximum of a vertical axis; inverting
  // swaps them. The ends are returned as they are, so that a mouse on the
  // axis end reads the range end exactly.
  const bool StartIsMinimum = FHorizontal != FInverted;
  const double AtStart = StartIsMinimum ? FIMinimum : FIMaximum;
  const double AtEnd = StartIsMinimum ? FIMaximum : FIMinimum;
  const double Along = FInverted ? FIEndPos - Value : Value - FIStartPos;
  if (FLogarithmic) {
    if (Value == FIStartPos) return AtStart;
    if (Value == FIEndPos) return AtEnd;
    if (FLogRange == 0 || FIAxisSize == 0) return FIMinimum;
    const double D = Along * FLogRange / FIAxisSize;
    return FHorizontal ? std::exp(FLogMin + D) : std::exp(FLogMax - D);
  }
  if (FIAxisSize < 1) return 0;
  if (Value == FIStartPos) return AtStart;
  if (Value == FIEndPos) return AtEnd;
  const double D = Along * FIRange / FIAxisSize;
  return FHorizontal ? FIMinimum + D : FIMaximum - D;
}

// -- increments

bool TChartAxis::SeriesAlongAxis(const TChartSeries& Series) const {
  return Series.GetYMandatory() == FHorizontal;
}

bool TChartAxis::HasSeriesWithAtMost(int MaxPoints) const {
  if (FParentChart == nullptr) return false;
  for (int I = 0; I < FParentChart->SeriesCount(); ++I) {
    const TChartSeries* S = FParentChart->GetSeries(I);
    if (S->GetActive() && S->AssociatedToAxis(this) && SeriesAlongAxis(*S) &&
        S->Count() <= MaxPoints)
      return true;
  }
  return false;
}

double TChartAxis::RoundLogPower(double Value) const {
  // Rounded in floating point (ties to even): the power may lie far outside
  // the int range for bases close to 1.
  return std::pow(FLogarithmicBase, std::nearbyint(std::log(Value) / std::log(FLogarithmicBase)));
}

double TChartAxis::CalcLabelsIncrement(int MaxNumLabels) const {
  if (MaxNumLabels < 1) return FIsDateTime ? DateTimeStep[dtOneMicroSecond] : MinAxisIncrement;
  if (FIsDateTime) return CalcDateTimeIncrement(MaxNumLabels);
  double Step = 0;
  if (FDesiredIncrement > 0) {
    Step = FDesiredIncrement;
  } else if (FRangeZero || std::isnan(FIRange)) {
    Step = 1;
  } else {
    Step = std::fabs(FIRange) / (MaxNumLabels + 1.0);
    if (FLogarithmic) Step = RoundLogPower(Step);
    // Index axes step by whole points.
    if (FIRange >= 1 && HasSeriesWithAtMost(MaxNumLabels)) Step = std::max(Step, 1.0);
  }
  // A base below 1 grows the increment by its inverse.
  const double LogGrowth = std::max(FLogarithmicBase, 1 / FLogarithmicBase);
  auto Grow = [&](double T) { return FLogarithmic ? T * LogGrowth : KorNextStep(T); };
  // Without a range there is nothing to fit the labels into.
  if (FLabelsSeparation > 0 && !std::isnan(FIRange)) {
    int Count = MaxNumLabels + 1;
    for (int Steps = 0; Steps < MaxIncrementSteps; ++Steps) {
      const double Quotient = FIRange / Step;
      if (std::fabs(Quotient) < MaxLabelCount) {
        Count = Round(Quotient);
        if (Count > MaxNumLabels) Step = Grow(Step);
      } else {
        Step = Grow(Step);
      }
      if (Count <= MaxNumLabels || Step > FIRange || std::isinf(Step)) break;
    }
  }
  if (std::isinf(Step)) return FIRange;
  // No increment that is not a positive number leaves this function.
  return Step > MinAxisIncrement ? Step : MinAxisIncrement;
}

double TChartAxis::CalcDateTimeIncrement(int MaxNumLabels) const {
  const double Smallest = DateTimeStep[dtOneMicroSecond];
  double Step = std::max(Smallest, FDesiredIncrement);
  if (Step > 0 && MaxNumLabels > 0) {
    if (FIRange / Step > MaxDateTimeSteps) Step = FIRange / MaxDateTimeSteps;
    for (;;) {
      // Round saturates and gives 0 for NaN, so no range can keep this
      // loop going once the step has outgrown it.
      const int Count = Round(FIRange / Step);
      if (Count <= MaxNumLabels) break;
      if (Step >= DateTimeStep[dtOneYear])
        Step *= 2;
      else if (Step >= DateTimeStep[dtOneSecond])
        Step = NextDateTimeStep(Step);
      else
        Step = KorNextStep(Step);
    }
  }
  return std::max(Smallest, Step);
}

bool TChartAxis::LabelsAlongAxis() const {
  const bool Upright = FLabelsAngle == 90 || FLabelsAngle == 270;
  const bool Flat = FLabelsAngle == 0 || FLabelsAngle == 180;
  return FHorizontal ? !Upright : !Flat;
}

int TChartAxis::InternalLabelSize(double Value, bool IsWidth) const {
  if (FParentChart == nullptr) return 0;
  TCanvas3D& Canvas = FParentChart->GetPanelCanvas();
  Canvas.AssignFont(GetLabelsFont());
  int Lines = 1;
  const int Width = FParentChart->MultiLineTextWidth(LabelValue(Value), Lines);
  return IsWidth ? Width : Canvas.TextHeight(QStringLiteral("W")) * Lines;
}

int TChartAxis::LabelWidth(double Value) const {
  return InternalLabelSize(Value, true);
}

int TChartAxis::LabelHeight(double Value) const {
  return InternalLabelSize(Value, false);
}

double TChartAxis::CalcIncrement() {
  const bool IsWidth = LabelsAlongAxis();
  int Size = std::max(InternalLabelSize(FIMaximum, IsWidth), InternalLabelSize(FIMinimum, IsWidth));
  if (FDesiredIncrement != 0) {
    Size = std::max(Size, InternalLabelSize(FIMaximum - FDesiredIncrement, IsWidth));
    Size = std::max(Size, InternalLabelSize(FIMinimum + FDesiredIncrement, IsWidth));
  } else {
    Size = std::max(Size, InternalLabelSize((FIMaximum + FIMinimum) * 0.5, IsWidth));
  }
  double Result = CalcXYIncrement(Size);
  if (FLabelsAlternate) Result /= FLogarithmic ? FLogarithmicBase : 2;
  return Result;
}

double TChartAxis::CalcXYIncrement(int MaxLabelSize) const {
  int Labels = 1;
  if (MaxLabelSize > 0) {
    const int Room = FLabelsSeparation > 0
                         ? MaxLabelSize + Round(FLabelsSeparation * 0.01 * MaxLabelSize)
                         : MaxLabelSize;
    Labels = Round(static_cast<double>(FIAxisSize) / Room);
  }
  return CalcLabelsIncrement(Labels);
}

bool TChartAxis::IsDateTime() const {
  if (FParentChart == nullptr) return false;
  for (int I = 0; I < FParentChart->SeriesCount(); ++I) {
    const TChartSeries* S = FParentChart->GetSeries(I);
    if (S->GetActive() && S->AssociatedToAxis(this)) {
      const TChartValueList* List = S->ValueListOfAxis(this);
      return List != nullptr && List->GetDateTime();
    }
  }
  return false;
}

void TChartAxis::IncDecDateTime(bool Increment, double& Value, double AnIncrement,
                                int tmpWhichDateTime) const {
  const bool Calendar = FExactDateTime && FIsDateTime && tmpWhichDateTime >= dtHalfMonth &&
                        tmpWhichDateTime <= dtOneYear;
  const TDateTimeStep Which = tmpWhichDateTime >= 0 && tmpWhichDateTime < dtNone
                                  ? static_cast<TDateTimeStep>(tmpWhichDateTime)
                                  : dtNone;
  KorDateTimeIncrement(Calendar, Increment, Value, AnIncrement, Which);
}

QString TChartAxis::LabelValue(double Value) const {
  QString Text;
  if (FIsDateTime) {
    if (Value >= 0) {
      const QString Picture =
          FDateTimeFormat.isEmpty() ? DateTimeDefaultFormat(FIRange) : FDateTimeFormat;
      Text = FormatDateTime(Picture, Value);
    }
  } else {
    Text = FormatFloat(FAxisValuesFormat, Value);
  }
  if (FLabelsMultiLine) Text.replace(QLatin1Char(' '), KorLineSeparator);
  return Text;
}

TAxisLabelStyle TChartAxis::CalcLabelStyle() const {
  return FLabelStyle == talAuto ? InternalCalcLabelStyle() : FLabelStyle;
}

TAxisLabelStyle TChartAxis::InternalCalcLabelStyle() const {
  if (FParentChart == nullptr) return talNone;
  bool Bound = false;
  for (int I = 0; I < FParentChart->SeriesCount(); ++I) {
    const TChartSeries* S = FParentChart->GetSeries(I);
    if (!S->GetActive() || !S->AssociatedToAxis(this)) continue;
    Bound = true;
    if (!SeriesAlongAxis(*S)) continue;
    for (int Point = 0; Point < S->Count(); ++Point)
      if (!S->GetXLabel(Point).isEmpty()) return talText;
  }
  return Bound ? talValue : talNone;
}

// -- layout

int TChartAxis::InflateAxisPos(int Value, int Amount) const {
  if (FHorizontal) return FOtherSide ? Value + Amount : Value - Amount;
  return FOtherSide ? Value - Amount : Value + Amount;
}

void TChartAxis::InflateAxisRect(TRect& R, int Amount) const {
  if (FHorizontal) {
    if (FOtherSide)
      R.Top = InflateAxisPos(R.Top, Amount);
    else
      R.Bottom = InflateAxisPos(R.Bottom, Amount);
  } else if (FOtherSide) {
    R.Right = InflateAxisPos(R.Right, Amount);
  } else {
    R.Left = InflateAxisPos(R.Left, Amount);
  }
}

int TChartAxis::SizeTickAxis() const {
  int Result = FAxis->GetVisible() ? FAxis->GetWidth() + 1 : 0;
  if (FTicks->GetVisible()) Result += FTickLength;
  if (FMinorTicks->GetVisible()) Result = std::max(Result, FMinorTickLength);
  return Result;
}

int TChartAxis::SizeLabels() {
  const int Size = InternalCalcSize(GetLabelsFont(), FLabelsAngle, FLabelsSize, QString());
  return FLabelsAlternate ? 2 * Size : Size;
}

int TChartAxis::InternalCalcSize(TKorFont& Font, int Angle, int FixedSize, const QString& Text) {
  if (FixedSize != 0) return FixedSize;
  if (FParentChart == nullptr) return 0;
  TCanvas3D& Canvas = FParentChart->GetPanelCanvas();
  Canvas.AssignFont(Font);
  const bool Upright = Angle == 90 || Angle == 270;
  const bool Flat = Angle == 0 || Angle == 180;
  if (FHorizontal ? Flat : Upright) return Canvas.TextHeight(QStringLiteral("W"));
  if (Text.isEmpty()) return MaxLabelsWidth();
  int Lines = 1;
  return FParentChart->MultiLineTextWidth(Text, Lines);
}

int TChartAxis::MaxLabelsWidth() {
  if (FParentChart == nullptr) return 0;
  TCanvas3D& Canvas = FParentChart->GetPanelCanvas();
  int Result = 0;
  if (FItems->Count() > 0) {
    for (const std::unique_ptr<TAxisItem>& Item : *FItems) {
      Canvas.AssignFont(Item->GetFont());
      int Lines = 1;
      Result = std::max(Result, FParentChart->MultiLineTextWidth(Item->GetText(), Lines));
    }
    return Result;
  }
  switch (CalcLabelStyle()) {
    case talValue: {
      double Low = FIMinimum;
      double High = FIMaximum;
      if ((FIsDateTime && FExactDateTime) || FRoundFirstLabel) {
        // Truncated in floating point: on an axis without pixels the
        // increment is tiny and the quotient far beyond any integer type.
        const double Step = CalcIncrement();
        Low = std::trunc(FIMinimum / Step) * Step;
        High = std::trunc(FIMaximum / Step) * Step;
      }
      Result = std::max(LabelWidth(Low), LabelWidth(High));
      return Result + Canvas.TextWidth(QStringLiteral(" "));
    }
    case talMark: return FParentChart->MaxMarkWidth();
    case talText: return FParentChart->MaxTextWidth();
    default: return 0;
  }
}

void TChartAxis::CalcRect(TRect& R, bool InflateChartRectangle) {
  FIsDateTime = IsDateTime();
  if (!InflateChartRectangle) {
    // Outward is up for the top axis and left for the left axis.
    const int Outward = FHorizontal == FOtherSide ? -1 : 1;
    FPosAxis = ApplyPosition(GetRectangleEdge(R), R);
    FPosLabels = FPosAxis + Outward * SizeTickAxis();
    FPosTitle = FPosLabels + Outward * SizeLabels();
    return;
  }
  if (FIsDepthAxis) {
    FPosTitle = FOtherSide ? R.Right : R.Left;
  } else {
    if (FTitle->GetVisible() && !FTitle->GetCaption().isEmpty()) {
      InflateAxisRect(R, InternalCalcSize(FTitle->GetFont(), FTitle->GetAngle(), FTitleSize,
                                          FTitle->GetCaption()));
      FPosTitle = GetRectangleEdge(R);
    }
    if (GetLabels()) {
      int Room = SizeLabels();
      if (FParentChart != nullptr && FParentChart->GetAxesList().CalcPosLabels)
        Room = FParentChart->GetAxesList().CalcPosLabels(this, Room);
      InflateAxisRect(R, Room);
      FPosLabels = GetRectangleEdge(R);
    }
    const int Wall = FParentChart != nullptr ? FParentChart->CalcWallSize(this) : 0;
    const int Ticks = Wall + SizeTickAxis();
    if (Ticks > 0) InflateAxisRect(R, Ticks);
  }
  FPosTitle = ApplyPosition(FPosTitle, R);
  FPosLabels = ApplyPosition(FPosLabels, R);
}

// -- drawing

void TChartAxis::Draw(bool CalcPosAxis) {
  FIsDateTime = IsDateTime();
  if (CalcPosAxis && FParentChart != nullptr) {
    const TRect& R = FParentChart->GetPlotRect();
    FPosAxis = ApplyPosition(GetRectangleEdge(R), R);
  }
  FTicksPositions.clear();
}

void TChartAxis::DrawGrids([[maybe_unused]] int NumTicks) {
  if (OnDrawGrids) OnDrawGrids(this);
}

// -- placement operations

int TChartAxis::ApplyPosition(int APos, const TRect& R) const {
  if (FPositionPercent == 0) return APos;
  int Offset = FPositionUnits == muPixels
                   ? Round(FPositionPercent)
                   : Round(FPositionPercent * 0.01 * (FHorizontal ? R.Height() : R.Width()));
  if (FOtherSide) Offset = -Offset;
  return FHorizontal ? APos - Offset : APos + Offset;
}

int TChartAxis::GetRectangleEdge(const TRect& R) const {
  if (FOtherSide) return FHorizontal ? R.Top : R.Right;
  return FHorizontal ? R.Bottom : R.Left;
}

int TChartAxis::CalcZPos() const {
  if (FParentChart == nullptr) return 0;
  const int Depth = FIsDepthAxis ? FParentChart->GetPlotHeight() : FParentChart->GetDepth3D();
  return Round(FZPosition * Depth * 0.01);
}

TRect TChartAxis::AxisRect() const {
  // Across the axis: from the labels to the axis line, whose side gets a
  // few pixels more so that a click just beside the line still hits it.
  int Near = FPosLabels;
  int Far = FPosAxis;
  if (Far >= Near)
    Far += KorAxisClickGap;
  else
    Far -= KorAxisClickGap;
  const int Low = std::min(Near, Far);
  const int High = std::max(Near, Far);
  const int First = std::min(FIStartPos, FIEndPos);
  const int Last = std::max(FIStartPos, FIEndPos);
  return FHorizontal ? TRect(First, Low, Last, High) : TRect(Low, First, High, Last);
}

bool TChartAxis::Clicked(int X, int Y) const {
  if (!FVisible) return false;
  const TRect R = AxisRect();
  const TPoint P(X, Y);
  if (FParentChart == nullptr || !FParentChart->GetView3D()) return PtInRect(R, P);
  const int Z = FOtherSide ? FParentChart->GetDepth3D() : 0;
  const TFourPoints Corners = FParentChart->GetPanelCanvas().FourPointsFromRect(R, Z);
  return PointInPolygon(P, Corners);
}
