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
#include "chart/core/TLabelsList.h"
#include "chart/core/TView3DOptions.h"

#include "platform/FormatSettings.h"
#include "platform/Rounding.h"
#include "platform/TCanvas.h"
#include "platform/TDateTime.h"
#include "platform/TFont.h"

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
// The label room measures every label up to this many; beyond it only the
// ends.
constexpr double MaxMeasuredLabels = 1000;
// The label increment is widened at most this many times to its widest
// label.
constexpr int MaxIncrementPasses = 8;

// KorMaxPixelPos or its negative for values beyond it, else Value.
double ClampToPixelRange(double Value) {
  return std::clamp(Value, -static_cast<double>(KorMaxPixelPos),
                    static_cast<double>(KorMaxPixelPos));
}

// -- batch conversion
//
// The loops below give exactly the pixels of the per-value conversions and
// are written so that the compiler vectorises them: plain conditional
// expressions (chained clamps keep g++ from if-converting the loop body),
// no calls, and the rounding before the clamps. Rounding first is exact
// because rounding to an integer is monotonic and the clamp limits are
// integers: a value beyond a limit rounds to the limit or beyond it. A
// backward axis multiplies the offset by -1, which negates it exactly, so
// that From + D * -1 is From - D to the last bit.

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
// Built twice, and the loader picks the four-lane form where the processor
// has it: the same operations in the same order (no fused multiply-add),
// so the same pixels, in half the time.
#define KOR_WIDE_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define KOR_WIDE_LOOP
#endif

// Nearest integer, ties to even, as Round does inside the int range;
// values beyond +-2^51 come out beyond +-2^50, which is all the clamps
// after it need.
inline double RoundToEven(double Value) {
  constexpr double Shift = 6755399441055744.0;  // 1.5 * 2^52
  return (Value + Shift) - Shift;
}

// NaN stays NaN.
inline double ClampTo(double Value, double Low, double High) {
  const double AboveLow = Value < Low ? Low : Value;
  return AboveLow > High ? High : AboveLow;
}

// PixelOf(Base + Sign * D), D = (Value - Minimum) * Scale, Sign +-1: the
// position rounded (ties to even) within +-KorMaxPixelPos; NaN gives
// NaNPixel.
KOR_WIDE_LOOP
void ClampedPixels(const double* Values, int Count, double Minimum, double Scale, double Sign,
                   int Base, int NaNPixel, int* Pixels) {
  constexpr double Limit = KorMaxPixelPos;
  const double From = Base;
  const double NaNAt = NaNPixel;
  for (int I = 0; I < Count; ++I) {
    const double Position = From + (Values[I] - Minimum) * Scale * Sign;
    const double Pixel = ClampTo(RoundToEven(Position), -Limit, Limit);
    Pixels[I] = static_cast<int>(Pixel != Pixel ? NaNAt : Pixel);
  }
}

// OffsetPixel(Base, Sign * D), D as above, for Base within
// +-KorMaxPixelPos: the offset rounded (ties to even) and added to Base,
// kept within +-KorMaxPixelPos; NaN gives NaNPixel. OffsetPixel saturates
// the offset at the int range before adding; with such a Base an offset
// beyond the int range puts the sum beyond the limits either way, so the
// loop need not. The sums of whole numbers below 2^52 are exact.
KOR_WIDE_LOOP
void OffsetPixels(const double* Values, int Count, double Minimum, double Scale, double Sign,
                  int Base, int NaNPixel, int* Pixels) {
  constexpr double Limit = KorMaxPixelPos;
  const double From = Base;
  const double NaNAt = NaNPixel;
  for (int I = 0; I < Count; ++I) {
    const double Offset = (Values[I] - Minimum) * Scale * Sign;
    const double Pixel = ClampTo(From + RoundToEven(Offset), -Limit, Limit);
    Pixels[I] = static_cast<int>(Pixel != Pixel ? NaNAt : Pixel);
  }
}

// Label values within this fraction of the increment of a range end (or
// of zero) count as lying on it: stepping by increments such as 0.1 is
// inexact in binary, and a label at the top of the range or at zero must
// neither vanish nor read "-0".
constexpr double StepTolerance = 1e-9;
// The whole quotient when Value / Step lies within rounding noise of it,
// else the quotient truncated; in floating point, as the quotient may lie
// far beyond any integer type.
double TruncSteps(double Value, double Step) {
  const double Q = Value / Step;
  const double Nearest = std::nearbyint(Q);
  if (std::fabs(Q - Nearest) <= StepTolerance * std::max(1.0, std::fabs(Q))) return Nearest;
  return std::trunc(Q);
}

// Runs Done when the scope ends, also when drawing throws.
template <class F>
class TRestore {
 public:
  explicit TRestore(F Done) : FDone(std::move(Done)) {}
  ~TRestore() { FDone(); }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;

 private:
  F FDone;
};

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
    // Stored where it differs from the axis' own placement default.
    auto Placement = [](const QString& Name, bool (C::*Get)() const, void (C::*Set)(bool),
                        bool C::*Default) {
      TPublishedProperty P = PP::Boolean<C>(Name, Get, Set);
      P.Stored = [Get, Default](const TPersistent& I) {
        const C& A = PP::As<C>(I);
        return (A.*Get)() != A.*Default;
      };
      return P;
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
        Placement(QStringLiteral("Horizontal"), &C::GetHorizontal, &C::SetHorizontal,
                  &C::FDefaultHorizontal),
        Placement(QStringLiteral("OtherSide"), &C::GetOtherSide, &C::SetOtherSide,
                  &C::FDefaultOtherSide),
        Placement(QStringLiteral("Visible"), &C::GetVisible, &C::SetVisible, &C::FDefaultVisible),
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

void TChartAxis::KeepPlacementAsDefault() {
  FDefaultHorizontal = FHorizontal;
  FDefaultOtherSide = FOtherSide;
  FDefaultVisible = FVisible;
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

TAxisMapping TChartAxis::GetMapping() const {
  return {FCalcXPosValue, FCalcYPosValue, FRangeZero, FInverted, FICenterPos, FIStartPos, FIEndPos,
          FIMinimum,      FIMaximum,      FAxisScale, FLogRange, FLogScale,   FLogMin,    FLogMax};
}

void TChartAxis::CalcXPosValues(const double* Values, int Count, int* Pixels) const {
  CalcPosValues(FCalcXPosValue, Values, Count, Pixels);
}

void TChartAxis::CalcYPosValues(const double* Values, int Count, int* Pixels) const {
  CalcPosValues(FCalcYPosValue, Values, Count, Pixels);
}

void TChartAxis::CalcPosValues(TAxisCalcPos Calc, const double* Values, int Count,
                               int* Pixels) const {
  const double Min = FIMinimum;
  const double Scale = FAxisScale;
  const int Start = FIStartPos;
  const int End = FIEndPos;
  // +1: pixels grow with the value from Start; -1: they fall from End.
  const double Forward = 1;
  const double Backward = -1;
  const bool Vertical =
      Calc == &TChartAxis::CalcYPosValueClamped || Calc == &TChartAxis::CalcYPosValuePlain;
  const bool Growing = FInverted == Vertical;
  const double Sign = Growing ? Forward : Backward;
  const int Base = Growing ? Start : End;
  if (FRangeZero || Count <= 0) {
    // Every value maps to the centre; the per-value loop below says so.
  } else if (Calc == &TChartAxis::CalcXPosValueClamped ||
             Calc == &TChartAxis::CalcYPosValueClamped) {
    ClampedPixels(Values, Count, Min, Scale, Sign, Base, Start, Pixels);
    return;
  } else if ((Calc == &TChartAxis::CalcXPosValuePlain || Calc == &TChartAxis::CalcYPosValuePlain) &&
             std::abs(Base) <= KorMaxPixelPos) {
    OffsetPixels(Values, Count, Min, Scale, Sign, Base, Start, Pixels);
    return;
  }
  for (int I = 0; I < Count; ++I) Pixels[I] = (this->*Calc)(Values[I]);
}

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
  if (FParentChart == nullptr) return CalcXYIncrement(0);
  FParentChart->GetPanelCanvas().AssignFont(GetLabelsFont());
  auto Extent = [this](double Value) { return LabelExtent(LabelValue(Value)); };
  int Size = std::max(Extent(FIMaximum), Extent(FIMinimum));
  if (FDesiredIncrement != 0) {
    Size = std::max(Size, Extent(FIMaximum - FDesiredIncrement));
    Size = std::max(Size, Extent(FIMinimum + FDesiredIncrement));
  } else {
    Size = std::max(Size, Extent((FIMaximum + FIMinimum) * 0.5));
  }
  double Result = CalcXYIncrement(Size);
  // The ends and the middle need not be the longest labels ("0.05"
  // between "0" and "1"): the increment grows until its widest label fits.
  for (int Pass = 0; Pass < MaxIncrementPasses; ++Pass) {
    const int Widest = WidestLabelExtent(Result);
    if (Widest <= Size) break;
    Size = Widest;
    Result = CalcXYIncrement(Size);
  }
  if (FLabelsAlternate) Result /= FLogarithmic ? FLogarithmicBase : 2;
  return Result;
}

int TChartAxis::LabelExtent(const QString& Text) const {
  int Lines = 1;
  const int Width = FParentChart->MultiLineTextWidth(Text, Lines);
  const int Height = FParentChart->GetPanelCanvas().TextHeight(QStringLiteral("W")) * Lines;
  if (FLabelsAngle % 90 == 0) return LabelsAlongAxis() ? Width : Height;
  // A slanted label next to its neighbour: they clear each other either
  // side by side (parallel, a line height apart across the text) or one
  // past the other along the axis. Never less than the label's width.
  const double Angle = (FHorizontal ? FLabelsAngle : 90 - FLabelsAngle) * KorPiStep;
  const double Sin = std::fabs(std::sin(Angle));
  const double Cos = std::fabs(std::cos(Angle));
  const double Apart = std::min(Height / Sin, Width * Cos + Height * Sin);
  return std::max(Width, static_cast<int>(std::ceil(Apart)));
}

int TChartAxis::WidestLabelExtent(double AIncrement) {
  // Logarithmic labels are powers, whose ends are the longest; they also
  // keep apart as they are drawn.
  if (FParentChart == nullptr || (FLogarithmic && FDesiredIncrement == 0)) return 0;
  if (!(AIncrement > 0)) return 0;
  const double Start =
      FRoundFirstLabel ? TruncSteps(FIMaximum, AIncrement) * AIncrement : FIMaximum;
  const double Steps = (Start - FIMinimum) / AIncrement;
  if (!(Steps >= 0 && Steps < MaxMeasuredLabels)) return 0;
  FParentChart->GetPanelCanvas().AssignFont(GetLabelsFont());
  const double Tolerance = AIncrement * StepTolerance;
  int Result = 0;
  for (int K = 0; K <= static_cast<int>(Steps + StepTolerance); ++K) {
    double Value = Start - K * AIncrement;
    if (std::fabs(Value) < Tolerance) Value = 0;
    Result = std::max(Result, LabelExtent(LabelValue(Value)));
  }
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
  // Asked of the series, not of the last drawing: functions step through
  // periods before the chart has ever been painted.
  const bool Calendar = FExactDateTime && tmpWhichDateTime >= dtHalfMonth &&
                        tmpWhichDateTime <= dtOneYear && IsDateTime();
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
  // The event may change the axis through Sender; the text itself is
  // what this query answers.
  if (FParentChart != nullptr && FParentChart->OnGetAxisLabel)
    FParentChart->OnGetAxisLabel(const_cast<TChartAxis*>(this), nullptr, -1, Text);
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
    // Only the label list's own slots can hold a label (it takes no memory
    // until a point has one), so series without labels cost nothing here.
    const TLabelsList& Labels = S->GetLabels();
    const int Labelled = std::min(S->Count(), Labels.Count());
    for (int Point = 0; Point < Labelled; ++Point)
      if (!Labels.GetLabel(Point).isEmpty()) return talText;
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
      const double Step = CalcIncrement();
      if ((FIsDateTime && FExactDateTime) || FRoundFirstLabel) {
        // Truncated in floating point: on an axis without pixels the
        // increment is tiny and the quotient far beyond any integer type.
        Low = std::trunc(FIMinimum / Step) * Step;
        High = std::trunc(FIMaximum / Step) * Step;
      }
      // The room is the formatted values', whatever the application
      // makes of them.
      TAxisOnGetLabel Event = std::move(FParentChart->OnGetAxisLabel);
      FParentChart->OnGetAxisLabel = nullptr;
      TRestore Restore([this, &Event] { FParentChart->OnGetAxisLabel = std::move(Event); });
      Result = std::max(LabelWidth(Low), LabelWidth(High));
      // A label between the ends may be the widest ("6.5" beside "0" and
      // "7"); the room must hold it, or it runs into the title.
      const double Steps = (High - Low) / Step;
      if (!FLogarithmic && Steps >= 1 && Steps < MaxMeasuredLabels) {
        for (int K = 1; K < static_cast<int>(Steps); ++K)
          Result = std::max(Result, LabelWidth(High - K * Step));
      }
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
    // A depth axis takes no room; its labels stand beside its line.
    FPosTitle = FOtherSide ? R.Right : R.Left;
    FPosLabels = GetRectangleEdge(R) + Outward() * SizeTickAxis();
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

namespace {

// Beyond this many steps between the range ends an axis draws no labels
// (and no loop of the label drawing runs longer).
constexpr double MaxLabelSteps = 10000;
// The application gives at most this many labels.
constexpr int MaxApplicationLabels = 2000;
// Values the application gives may stray this far outside the range.
constexpr double ApplicationLabelTolerance = 1e-7;
// The grid's colour when its pen has none of its own.
constexpr TColor DefaultGridColor = 0x808080;

bool IsCalendarStep(int Which) {
  return Which >= dtHalfMonth && Which <= dtOneYear;
}

}  // namespace

void TChartAxis::AddTick(int APos, double Value) {
  FTicksPositions.push_back(APos);
  FTicksValues.push_back(Value);
}

int TChartAxis::Outward() const {
  return FHorizontal == FOtherSide ? -1 : 1;
}

int TChartAxis::DepthAxisPos() const {
  const TRect& R = FParentChart->GetPlotRect();
  return FOtherSide ? R.Bottom : R.Top;
}

bool TChartAxis::InsideAxis(int APos) const {
  return APos > std::min(FIStartPos, FIEndPos) && APos < std::max(FIStartPos, FIEndPos);
}

void TChartAxis::Draw(bool CalcPosAxis) {
  FIsDateTime = IsDateTime();
  if (FParentChart == nullptr) {
    FTicksPositions.clear();
    FTicksValues.clear();
    return;
  }
  if (CalcPosAxis) {
    const TRect& R = FParentChart->GetPlotRect();
    FPosAxis = ApplyPosition(GetRectangleEdge(R), R);
  }
  if (FTitle->GetVisible() && !FTitle->GetCaption().isEmpty()) {
    if (FIsDepthAxis)
      DrawTitle(FPosTitle, DepthAxisPos());
    else if (FHorizontal)
      DrawTitle(FICenterPos, FPosTitle);
    else
      DrawTitle(FPosTitle, FICenterPos);
  }
  FTicksPositions.clear();
  FTicksValues.clear();
  DrawLabels();

  TCanvas3D& C = FParentChart->GetPanelCanvas();
  C.GetBrush().SetStyle(bsClear);
  C.SetBackMode(cbmTransparent);
  const int Wall = FParentChart->CalcWallSize(this);
  if (FAxis->GetVisible()) DrawAxisLine();
  if (FTicks->GetVisible()) {
    C.AssignVisiblePen(*FTicks);
    DrawTickLines(FTicksPositions, TickBase(Wall) + Outward(), FTickLength, Outward());
  }
  DrawGrids(GetTickCount());
  if (FTicksInner->GetVisible()) {
    C.AssignVisiblePen(*FTicksInner);
    DrawTickLines(FTicksPositions, TickBase(Wall) - Outward(), FTickInnerLength, -Outward());
  }
  DrawMinorTicksAndGrid(Wall);
  C.SetBackMode(cbmOpaque);
}

// -- labels

void TChartAxis::DrawLabels() {
  FLabelCount = 0;
  FHasPreviousLabel = false;
  FAlternateWidth = -1;
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  // Label texts never fill their box: the background is the format's.
  C.SetBackMode(cbmTransparent);
  if (FItems->Count() > 0) {
    DrawItems();
    return;
  }
  const TAxisLabelStyle Style = CalcLabelStyle();
  if (Style == talNone) return;
  C.AssignFont(GetLabelsFont());
  const double Increment = CalcIncrement();
  C.AssignFont(GetLabelsFont());
  // The calendar step of a fixed increment on an exact date-time axis:
  // the step the increment names, or the first one not shorter than the
  // increment the labels need.
  int Which = dtNone;
  if (FIsDateTime && FExactDateTime && FDesiredIncrement != 0) {
    Which = FindDateTimeStep(FDesiredIncrement);
    if (Which != dtNone)
      while (Which < dtOneYear && Increment > DateTimeStep[Which]) ++Which;
  }
  if (!(Increment > 0 || IsCalendarStep(Which)) || !(FIMaximum >= FIMinimum)) return;
  switch (Style) {
    case talValue:
      if (FParentChart->OnGetNextAxisLabel)
        DrawApplicationLabels(Increment, Which);
      else
        DrawValueLabels(Increment, Which);
      break;
    case talMark: DrawPointLabels(Style); break;
    case talText:
      if (FIsDepthAxis)
        DrawDepthSeriesLabels();
      else
        DrawPointLabels(Style);
      break;
    default: break;
  }
}

void TChartAxis::DrawValueLabels(double AIncrement, int Which) {
  if (FLogarithmic && FDesiredIncrement == 0)
    DrawLogLabels();
  else
    DrawDefaultLabels(AIncrement, Which);
}

void TChartAxis::DrawValueLabel(double Value, bool CheckOverlap) {
  const int P = CalcPosValue(Value);
  if (!FLabelsOnAxis && !InsideAxis(P)) return;
  if (!FTickOnLabelsOnly) AddTick(P, Value);
  if (!GetLabels()) return;
  const QString Text = LabelValue(Value);
  if (CheckOverlap && !LabelFits(P, LabelExtent(Text))) return;
  DrawThisLabel(P, Text, nullptr, Value);
}

void TChartAxis::DrawDefaultLabels(double AIncrement, int Which) {
  // NaN steps draw nothing either.
  if (!(std::fabs(FIRange / AIncrement) < MaxLabelSteps)) return;
  const double Tolerance = std::fabs(AIncrement) * StepTolerance;
  const bool Calendar = FExactDateTime && FIsDateTime && IsCalendarStep(Which);
  double Start = FIMaximum;
  if (Which >= dtOneDay && Which <= dtOneYear)
    Start = KorRoundDate(FIMaximum, static_cast<TDateTimeStep>(Which));
  else if (FloatToStr(FIMinimum) != FloatToStr(FIMaximum) && FRoundFirstLabel)
    Start = TruncSteps(FIMaximum, AIncrement) * AIncrement;
  // Label K lies K steps below Start: counted from Start rather than
  // stepped, so that the error of inexact increments does not add up.
  long long K = 0;
  auto ValueAt = [&](long long Steps, double Previous) {
    if (Calendar) {
      double V = Previous;
      IncDecDateTime(false, V, AIncrement, Which);
      return V;
    }
    const double V = Start - static_cast<double>(Steps) * AIncrement;
    return std::fabs(V) < Tolerance ? 0.0 : V;
  };
  double T = Start;
  const long long MaxSteps = static_cast<long long>(MaxLabelSteps) + 2;
  while (T > FIMaximum + Tolerance && K < MaxSteps) {
    const double Next = ValueAt(++K, T);
    // A date the calendar cannot hold stays where it is.
    if (!(Next < T)) return;
    T = Next;
  }
  if (FRangeZero || std::fabs(FIMaximum - FIMinimum) < MinAxisRange ||
      FloatToStr(T) == FloatToStr(T - AIncrement)) {
    DrawValueLabel(T, false);
    return;
  }
  const double Lower =
      FIMinimum >= 0 ? (FIMinimum - MinAxisIncrement) / (1 + MinAxisIncrement) : FIMinimum;
  for (long long Drawn = 0; T >= Lower - Tolerance && Drawn < MaxSteps; ++Drawn) {
    DrawValueLabel(T, false);
    const double Next = ValueAt(++K, T);
    if (!(Next < T)) return;
    T = Next;
  }
}

void TChartAxis::DrawLogLabels() {
  if (FIMinimum == FIMaximum) return;
  // A range reaching zero or below starts at a small power instead (the
  // axis' own minimum stays as it is).
  double Low = FIMinimum;
  double Start = 0;
  if (Low > 0) {
    Start = RoundLogPower(Low);
  } else {
    Low = Low < 0 ? RoundLogPower(1e-10) : 0.1;
    Start = Low;
  }
  const double Base = FLogarithmicBase;
  if (!std::isfinite(Start) || !(Start > 0)) return;
  // Powers computed from the ends rather than by steps keep 1000 at 1000.
  const double Tolerance = 1e-12;
  const double High = FIMaximum * (1 + Tolerance);
  const double LowLimit = Low * (1 - Tolerance);
  const bool MinorGrid = FMinorGrid->GetVisible();
  if (MinorGrid) {
    // The minor grid starts below the first label.
    const double Below = Start >= Low ? Low / Base : Start;
    if (Below < Low) AddTick(CalcPosValue(Below), Below);
  }
  double T = Start;
  bool Any = false;
  // Bases below 1 shrink the powers; they take the additive pass.
  if (Base > 1) {
    for (int K = 0; K < MaxLabelSteps && T <= High; ++K) {
      if (T >= LowLimit) {
        DrawValueLabel(T, true);
        Any = true;
      }
      T = Start * std::pow(Base, K + 1);
    }
  }
  if (!Any) {
    // No power of the base lies in the range: steps of the power below the
    // start.
    const double Step = Start / Base;
    T = Start;
    if (std::isfinite(Step) && Step > 0 && (FIMaximum - Start) / Step < MaxLabelSteps) {
      for (int K = 0; T <= High; ++K) {
        if (T >= LowLimit) DrawValueLabel(T, true);
        T = Start + (K + 1) * Step;
      }
    }
  }
  if (MinorGrid && T > FIMaximum && std::isfinite(T)) AddTick(CalcPosValue(T), T);
}

void TChartAxis::DrawApplicationLabels(double AIncrement, int Which) {
  double Value = FIMinimum;
  bool Stop = true;
  for (int Index = 0; Index <= MaxApplicationLabels; ++Index) {
    FParentChart->OnGetNextAxisLabel(this, Index, Value, Stop);
    if (Stop) {
      if (Index == 0) DrawValueLabels(AIncrement, Which);
      return;
    }
    if (!(Value >= FIMinimum - ApplicationLabelTolerance &&
          Value <= FIMaximum + ApplicationLabelTolerance))
      return;
    DrawValueLabel(Value, false);
  }
}

void TChartAxis::DrawItems() {
  for (const std::unique_ptr<TAxisItem>& Item : *FItems) {
    const double Value = Item->GetValue();
    if (Value < FMinimumValue || Value > FMaximumValue) continue;
    const int P = CalcPosValue(Value);
    if (!FTickOnLabelsOnly) AddTick(P, Value);
    if (!Item->GetVisible()) continue;
    const QString Text = Item->GetText().isEmpty() ? LabelValue(Value) : Item->GetText();
    DrawThisLabel(P, Text, Item.get(), Value);
  }
}

void TChartAxis::DrawPointLabels(TAxisLabelStyle Style) {
  std::vector<TChartSeries*> Bound;
  int First = -1;
  int Last = -1;
  for (int I = 0; I < FParentChart->SeriesCount(); ++I) {
    TChartSeries* S = FParentChart->GetSeries(I);
    if (!S->GetActive() || !S->AssociatedToAxis(this)) continue;
    S->CalcFirstLastVisibleIndex();
    Bound.push_back(S);
    if (S->GetFirstValueIndex() != -1 && (First == -1 || S->GetFirstValueIndex() < First))
      First = S->GetFirstValueIndex();
    Last = std::max(Last, S->GetLastValueIndex());
  }
  if (First == -1 || Last < First) return;
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  for (int Index = First; Index <= Last; ++Index) {
    TChartSeries* Source = nullptr;
    QString Text;
    for (TChartSeries* S : Bound) {
      if (S->GetFirstValueIndex() == -1 || Index < S->GetFirstValueIndex() ||
          Index > S->GetLastValueIndex() || Index >= S->Count())
        continue;
      Text = Style == talMark ? S->GetMarkText(Index) : S->GetXLabel(Index);
      if (FParentChart->OnGetAxisLabel) FParentChart->OnGetAxisLabel(this, S, Index, Text);
      if (!Text.isEmpty()) {
        Source = S;
        break;
      }
    }
    if (Source == nullptr) continue;
    const double Value = FHorizontal ? Source->GetxValue(Index) : Source->GetyValue(Index);
    if (Value < FIMinimum || Value > FIMaximum) continue;
    const int P = CalcPosValue(Value);
    if (!FTickOnLabelsOnly) AddTick(P, Value);
    if (!GetLabels()) continue;
    C.AssignFont(GetLabelsFont());
    if (LabelFits(P, LabelExtent(Text))) DrawThisLabel(P, Text, nullptr, Value);
  }
}

void TChartAxis::DrawDepthSeriesLabels() {
  if (FParentChart->CountActiveSeries() == 0) return;
  const double First = std::trunc(FIMinimum);
  const double Last = std::trunc(FIMaximum);
  if (!(Last - First < MaxLabelSteps)) return;
  for (double A = First; A <= Last; ++A) {
    const double Value = FIMaximum - A - 0.5;
    const int P = CalcYPosValue(Value);
    if (!FTickOnLabelsOnly) AddTick(P, Value);
    const int Slot = static_cast<int>(A);
    QString Text = FParentChart->SeriesTitleLegend(Slot, true);
    if (FParentChart->OnGetAxisLabel) FParentChart->OnGetAxisLabel(this, nullptr, Slot, Text);
    if (GetLabels()) DrawThisLabel(P, Text, nullptr, Value);
  }
}

bool TChartAxis::LabelFits(int APos, int Size) {
  if (FLabelsSeparation == 0 || !FHasPreviousLabel) {
    FHasPreviousLabel = true;
    FPreviousLabelPos = APos;
    FPreviousLabelHalf = Size / 2;
    return true;
  }
  const int Half = (Size + static_cast<int>(Size * 0.02 * FLabelsSeparation)) / 2;
  const bool Clear = APos < FPreviousLabelPos
                         ? FPreviousLabelPos - FPreviousLabelHalf >= APos + Half
                         : APos - Half >= FPreviousLabelPos + FPreviousLabelHalf;
  if (!Clear) return false;
  FPreviousLabelPos = APos;
  FPreviousLabelHalf = Half;
  return true;
}

void TChartAxis::DrawThisLabel(int APos, const QString& Text, TAxisItem* Item, double Value) {
  if (FTickOnLabelsOnly) AddTick(APos, Value);
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  TKorCustomShape* Format = Item != nullptr ? static_cast<TKorCustomShape*>(Item) : nullptr;
  TKorFont& Font = Item != nullptr ? Item->GetFont() : GetLabelsFont();
  C.AssignFont(Font);
  if (FIsDepthAxis) {
    const int H = C.TextHeight(QStringLiteral("W"));
    const TView3DOptions& View = FParentChart->GetView3DOptions();
    int Depth = APos;
    // Half a line deeper: the label's middle, not its top, at the tick.
    if (View.GetOrthogonal() || View.GetRotation() == 360) Depth += H / 2;
    const int X = FOtherSide ? FPosLabels : FPosLabels - C.TextWidth(QStringLiteral("W")) / 2 - 2;
    C.SetTextAlign(FOtherSide ? TA_LEFT : TA_RIGHT);
    const QStringList Lines = Text.split(KorLineSeparator);
    for (int I = 0; I < Lines.size(); ++I) C.TextOut3D(X, DepthAxisPos() + I * H, Depth, Lines[I]);
    C.SetTextAlign(TA_LEFT | TA_TOP);
    return;
  }
  int Across = FPosLabels;
  if (FLabelsAlternate && (FLabelCount % 2) == 1) {
    int Shift = 0;
    if (FHorizontal) {
      Shift = C.TextHeight(QStringLiteral("W"));
    } else {
      if (FAlternateWidth < 0) FAlternateWidth = MaxLabelsWidth();
      Shift = FAlternateWidth;
      C.AssignFont(Font);
    }
    Across += Outward() * Shift;
  }
  ++FLabelCount;
  if (FHorizontal)
    DrawAxisLabel(APos, Across, FLabelsAngle, Text, Format);
  else
    DrawAxisLabel(Across, APos, FLabelsAngle, Text, Format);
}

// -- label texts

int TChartAxis::LabelAlignment(int Angle, int Width, int H, int& X, int& Y) {
  // Vertical axes: right of a left axis' labels, left of a right axis';
  // horizontal: centred, below the bottom axis and above the top axis.
  auto Side = [](bool Horizontal, bool OtherSide) {
    if (Horizontal) return OtherSide ? TA_CENTER | TA_BOTTOM : TA_CENTER;
    return OtherSide ? TA_LEFT : TA_RIGHT;
  };
  switch (Angle) {
    case 0:
      if (FHorizontal) return Side(true, FOtherSide);
      Y -= H / 2;
      if (FLabelsAlign == alDefault) return Side(false, FOtherSide);
      // Opposite: the labels keep their room but align at its far side.
      if (FOtherSide) {
        X += SizeLabels();
        return TA_RIGHT;
      }
      X -= SizeLabels();
      return TA_LEFT;
    case 45: {
      if (FHorizontal && FOtherSide) {
        const int Back = FParentChart->GetPanelCanvas().TextWidth(QStringLiteral("Wj"));
        X -= Back;
        Y -= Back;
      } else if (FHorizontal || !FOtherSide) {
        // The label rises to its anchor: it ends at the axis.
        const int D = Round(Width * std::sin(45 * KorPiStep));
        X -= D;
        Y += D;
      }
      return TA_LEFT;
    }
    case 90:
      if (FHorizontal) {
        X -= H / 2;
        return Side(false, FOtherSide);
      }
      return FOtherSide ? TA_CENTER : TA_CENTER | TA_BOTTOM;
    case 180:
      if (!FHorizontal) Y += H / 2;
      return Side(FHorizontal, !FOtherSide);
    case 270:
      if (FHorizontal) {
        X += H / 2;
        return Side(false, !FOtherSide);
      }
      return FOtherSide ? TA_CENTER | TA_BOTTOM : TA_CENTER;
    default: return TA_LEFT;
  }
}

void TChartAxis::DrawAxisLabel(int X, int Y, int Angle, const QString& St,
                               TKorCustomShape* Format) {
  if (FParentChart == nullptr) return;
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  Angle = NormalizeAxisAngle(Angle);
  const int H = C.TextHeight(QStringLiteral("W"));
  int Lines = 1;
  const int Align = LabelAlignment(Angle, FParentChart->MultiLineTextWidth(St, Lines), H, X, Y);
  int Z = FIZPos;
  QString Text = St;
  bool Show = true;
  // Before the background, so that it follows a moved label and goes with
  // a suppressed one.
  if (OnDrawLabel) OnDrawLabel(this, X, Y, Z, Text, Show);
  if (!Show) return;
  const int Width = FParentChart->MultiLineTextWidth(Text, Lines);
  // The first line's reference point: the lines stack along the text's
  // own downward direction, centred on the anchor across the axis where
  // the side wants it.
  const int N = Lines;
  const int Step = Angle == 180 || Angle == 270 ? -H : H;
  TPoint First(X, Y);
  auto Centred = [N, Step] { return Round(Step / 2.0 * (N + 1)); };
  if (FHorizontal) {
    switch (Angle) {
      case 0: First.Y = (FOtherSide ? Y - N * Step : Y - Step) + Step; break;
      case 90:
      case 270: First.X = X - Centred() + Step; break;
      case 180: First.Y = (FOtherSide ? Y - Step : Y - N * Step) + Step; break;
      default: break;
    }
  } else {
    switch (Angle) {
      case 0:
      case 180: First.Y = Y - Centred() + Step; break;
      case 90: First.X = (FOtherSide ? X - Step : X - N * Step) + Step; break;
      case 270: First.X = (FOtherSide ? X - N * Step : X - Step) + Step; break;
      default: break;
    }
  }
  TKorCustomShape& Back = Format != nullptr ? *Format : FItems->GetFormat();
  if (!Back.GetTransparent()) {
    DrawLabelBackground(Back, First, Z, Align, Angle, Width, N, H);
    // The shape may have drawn with its own font and pens.
    C.AssignFont(Format != nullptr ? Format->GetFont() : GetLabelsFont());
    C.GetBrush().SetStyle(bsClear);
  }
  C.SetTextAlign(Align);
  if (!Text.contains(KorLineSeparator)) {
    DrawLabelLine(First.X, First.Y, Z, Angle, Align, Text);
    C.SetTextAlign(TA_LEFT | TA_TOP);
    return;
  }
  const double Radians = Angle * KorPiStep;
  const QStringList Parts = Text.split(KorLineSeparator);
  for (int I = 0; I < Parts.size(); ++I) {
    const int LX = First.X + Round(I * H * std::sin(Radians));
    const int LY = First.Y + Round(I * H * std::cos(Radians));
    DrawLabelLine(LX, LY, Z, Angle, Align, Parts[I]);
  }
  C.SetTextAlign(TA_LEFT | TA_TOP);
}

void TChartAxis::DrawLabelBackground(TKorCustomShape& Format, const TPoint& First, int Z, int Align,
                                     int Angle, int Width, int Lines, int H) {
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  // The block in the text's own frame (u along the text, v down it), from
  // the first line's reference point.
  double U0 = 0;
  if ((Align & TA_CENTER) == TA_CENTER)
    U0 = -Width / 2.0;
  else if ((Align & TA_CENTER) == TA_RIGHT)
    U0 = -Width;
  const double V0 = (Align & TA_BOTTOM) != 0 ? -H : 0;
  const int Margin = C.TextWidth(QStringLiteral("W")) / 2;
  const double CU = U0 + Width / 2.0;
  const double CV = V0 + Lines * H / 2.0;
  const double Radians = Angle * KorPiStep;
  const double CX = First.X + CU * std::cos(Radians) + CV * std::sin(Radians);
  const double CY = First.Y - CU * std::sin(Radians) + CV * std::cos(Radians);
  const int W = Width + 2 * Margin;
  const int HH = Lines * H;
  TRect R(Round(CX - W / 2.0), Round(CY - HH / 2.0), 0, 0);
  R.Right = R.Left + W;
  R.Bottom = R.Top + HH;
  if (Z != 0) R = C.CalcRect3D(R, Z);
  Format.DrawRectRotated(R, Angle);
}

void TChartAxis::DrawLabelLine(int X, int Y, int Z, int Angle, int Align, const QString& Line) {
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  if (Angle != 0) {
    C.RotateLabel3D(X, Y, Z, Line, Angle);
    return;
  }
  const int E = FLabelsExponent
                    ? static_cast<int>(Line.indexOf(QLatin1Char('E'), 0, Qt::CaseInsensitive))
                    : -1;
  if (E < 0) {
    C.TextOut3D(X, Y, Z, Line);
    return;
  }
  const QString Mantissa = Line.left(E);
  const QString Exponent = Line.mid(E + 1);
  const int H = C.TextHeight(QStringLiteral("W"));
  const int MantissaWidth = C.TextWidth(Mantissa);
  TFont& Font = C.GetFont();
  const int OldHeight = Font.GetHeight();
  Font.SetSize(Font.GetSize() - Font.GetSize() / 4);
  const int ExponentWidth = C.TextWidth(Exponent);
  // Mantissa, one pixel, raised exponent, placed as one text would be.
  const int Total = MantissaWidth + 1 + ExponentWidth;
  int Left = X;
  if ((Align & TA_CENTER) == TA_CENTER)
    Left = X - Total / 2;
  else if ((Align & TA_CENTER) == TA_RIGHT)
    Left = X - Total;
  const int Vertical = Align & TA_BOTTOM;
  C.SetTextAlign(TA_LEFT | Vertical);
  C.TextOut3D(Left + MantissaWidth + 1, Y - ((H - 1) / 2 - 2), Z, Exponent);
  Font.SetHeight(OldHeight);
  C.TextOut3D(Left, Y, Z, Mantissa);
  C.SetTextAlign(Align);
}

void TChartAxis::DrawTitle(int X, int Y) {
  if (FParentChart == nullptr) return;
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  C.AssignFont(FTitle->GetFont());
  C.SetBackMode(cbmTransparent);
  if (FIsDepthAxis) {
    C.SetTextAlign(FOtherSide ? TA_LEFT : TA_RIGHT);
    C.TextOut3D(X, Y, FParentChart->GetDepth3D() / 2, FTitle->GetCaption());
    C.SetTextAlign(TA_LEFT | TA_TOP);
    return;
  }
  const bool OldExponent = FLabelsExponent;
  FLabelsExponent = false;
  TRestore Restore([this, OldExponent] { FLabelsExponent = OldExponent; });
  DrawAxisLabel(X, Y, FTitle->GetAngle(), FTitle->GetCaption());
}

// -- ticks, axis line and grid

int TChartAxis::TickBase(int WallSize) const {
  if (FHorizontal && FOtherSide) return FPosAxis;
  return FPosAxis + Outward() * WallSize;
}

void TChartAxis::AxisLine(int X0, int Y0, int X1, int Y1, int Z) {
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  if (FParentChart->GetView3D())
    C.LineWithZ(X0, Y0, X1, Y1, Z);
  else
    C.Line(X0, Y0, X1, Y1);
}

void TChartAxis::DrawTickLines(const std::vector<int>& Positions, int Start, int Length, int Sign) {
  if (Length <= 0) return;
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  const int End = Start + Sign * Length;
  const int Low = std::min(FIStartPos, FIEndPos);
  const int High = std::max(FIStartPos, FIEndPos);
  for (int P : Positions) {
    // Ticks kept only for the minor grid's sake lie beyond the axis ends.
    if (P < Low || P > High) continue;
    if (FIsDepthAxis)
      C.LineWithZ(Start, DepthAxisPos(), End, DepthAxisPos(), P);
    else if (FHorizontal)
      AxisLine(P, Start, P, End, FIZPos);
    else
      AxisLine(Start, P, End, P, FIZPos);
  }
}

void TChartAxis::DrawAxisLine() {
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  // The line runs on under the walls beside the axis.
  int First = FIStartPos;
  int Last = FIEndPos;
  if (FHorizontal) {
    First -= FParentChart->CalcWallSize(FParentChart->GetLeftAxis());
    Last += FParentChart->CalcWallSize(FParentChart->GetRightAxis());
  } else if (!FIsDepthAxis) {
    Last += FParentChart->CalcWallSize(FParentChart->GetBottomAxis());
  }
  const TPenLineMode Mode = FAxis->GetLineMode();
  if (Mode == lmLine) {
    C.AssignVisiblePen(*FAxis);
    if (FIsDepthAxis)
      C.ZLine3D(FPosAxis, DepthAxisPos(), First, Last);
    else if (FHorizontal)
      AxisLine(First, FPosAxis, Last, FPosAxis, FIZPos);
    else
      AxisLine(FPosAxis, First, FPosAxis, Last, FIZPos);
    return;
  }
  // A solid as thick as the pen, in the pen's colour.
  const int W = std::max(1, FAxis->GetWidth());
  const int Near = -W / 2;
  C.GetPen().SetStyle(psClear);
  C.GetBrush().SetStyle(bsSolid);
  C.GetBrush().SetColor(FAxis->GetColor());
  const int Z0 = FIZPos + Near;
  if (FIsDepthAxis) {
    const int Y = DepthAxisPos() + Near;
    C.Cube(FPosAxis + Near, FPosAxis + Near + W, Y, Y + W, First, Last, true);
  } else if (FHorizontal) {
    const int Top = FPosAxis + Near;
    if (Mode == lmCylinder)
      C.Cylinder(false, First, Top, Last, Top + W, Z0, Z0 + W, true);
    else
      C.Cube(First, Last, Top, Top + W, Z0, Z0 + W, true);
  } else {
    const int Left = FPosAxis + Near;
    if (Mode == lmCylinder)
      C.Cylinder(true, Left, First, Left + W, Last, Z0, Z0 + W, true);
    else
      C.Cube(Left, Left + W, First, Last, Z0, Z0 + W, true);
  }
  C.GetBrush().SetStyle(bsClear);
}

void TChartAxis::DrawGrids(int NumTicks) {
  if (OnDrawGrids) OnDrawGrids(this);
  if (FParentChart == nullptr || !FGrid->GetVisible()) return;
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  C.GetBrush().SetStyle(bsClear);
  C.SetBackMode(cbmTransparent);
  const TColor Color = FGrid->GetColor() == clDefault ? DefaultGridColor : FGrid->GetColor();
  C.AssignVisiblePenColor(*FGrid, Color);
  const int N = std::clamp(NumTicks, 0, GetTickCount());
  if (FGrid->GetCentered()) {
    for (int I = 1; I < N; ++I)
      DrawGridLine(Round((FTicksPositions[I] + FTicksPositions[I - 1]) / 2.0));
  } else {
    for (int I = 0; I < N; ++I) DrawGridLine(FTicksPositions[I]);
  }
}

void TChartAxis::DrawGridLine(int APos) {
  if (FParentChart == nullptr || !InsideAxis(APos)) return;
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  const TRect& R = FParentChart->GetPlotRect();
  const int Depth = FParentChart->GetDepth3D();
  if (FIsDepthAxis) {
    C.VertLine3D(R.Left, R.Top, R.Bottom, APos);
    C.HorizLine3D(R.Left, R.Right, R.Bottom, APos);
    return;
  }
  if (!FParentChart->GetView3D()) {
    if (FHorizontal)
      C.DoVertLine(APos, R.Top + 1, R.Bottom);
    else
      C.DoHorizLine(R.Left + 1, R.Right, APos);
    return;
  }
  if (!FParentChart->GetAxisBehind()) {
    if (FHorizontal)
      C.VertLine3D(APos, R.Top + 1, R.Bottom, 0);
    else
      C.HorizLine3D(R.Left + 1, R.Right, APos, 0);
    return;
  }
  if (!FHideBackGrid) {
    if (FHorizontal)
      C.VertLine3D(APos, R.Top, R.Bottom, Depth);
    else
      C.HorizLine3D(R.Left, R.Right, APos, Depth);
  }
  if (!FHideSideGrid) {
    const int Z = Round(FGrid->GetZPosition() * Depth * 0.01);
    if (Z != Depth) {
      if (FHorizontal)
        C.ZLine3D(APos, FOtherSide ? R.Top : R.Bottom, Z, Depth);
      else
        C.ZLine3D(FOtherSide ? R.Right : R.Left, APos, Z, Depth);
    }
  }
}

std::vector<int> TChartAxis::MinorTickPositions() const {
  std::vector<int> Result;
  const int Count = FMinorTickCount;
  if (Count < 1 || FTicksValues.empty()) return Result;
  auto Add = [this, &Result](double Value) {
    const int P = CalcPosValue(Value);
    if (InsideAxis(P)) Result.push_back(P);
  };
  const std::vector<double>& V = FTicksValues;
  if (!FLogarithmic) {
    if (V.size() < 2) return Result;
    const double Edge = (V[1] - V[0]) / (Count + 1);
    for (int J = 1; J <= Count; ++J) {
      Add(V.front() - J * Edge);
      Add(V.back() + J * Edge);
    }
    for (size_t I = 1; I < V.size(); ++I) {
      const double D = (V[I] - V[I - 1]) / (Count + 1);
      for (int J = 1; J <= Count; ++J) Add(V[I] - J * D);
    }
    return Result;
  }
  // Logarithmic: each decade from a tick's value up to the next power,
  // one decade beyond the ticks on both sides too.
  const double Base = FLogarithmicBase;
  std::vector<double> Decades{V.front() / Base, V.back() / Base};
  Decades.insert(Decades.end(), V.begin(), V.end());
  Decades.push_back(V.back() * Base);
  std::vector<double> Seen;
  for (double D : Decades) {
    if (!(D > 0) || !std::isfinite(D)) continue;
    const bool Again = std::any_of(Seen.begin(), Seen.end(), [D](double S) {
      return std::fabs(S - D) <= 1e-12 * std::max(std::fabs(S), std::fabs(D));
    });
    if (Again) continue;
    Seen.push_back(D);
    const double Span = (D * Base - D) / (Count + 1);
    for (int K = 1; K <= Count; ++K) {
      const double Value = D + K * Span;
      if (Value >= FIMinimum && Value <= FIMaximum) Add(Value);
    }
  }
  return Result;
}

void TChartAxis::DrawMinorTicksAndGrid(int WallSize) {
  const bool Ticks = FMinorTicks->GetVisible();
  const bool Grid = FMinorGrid->GetVisible();
  if ((!Ticks && !Grid) || FTicksPositions.empty()) return;
  const std::vector<int> Minor = MinorTickPositions();
  TCanvas3D& C = FParentChart->GetPanelCanvas();
  if (Ticks) {
    C.AssignVisiblePen(*FMinorTicks);
    DrawTickLines(Minor, TickBase(WallSize) + Outward(), FMinorTickLength, Outward());
  }
  if (Grid) {
    C.AssignVisiblePen(*FMinorGrid);
    for (int P : Minor) DrawGridLine(P);
  }
}

// -- drawing at given places

void TChartAxis::CustomDraw(int APosLabels, int APosTitle, int APosAxis, bool GridVisible) {
  InternalCalcPositions();
  CustomDrawStartEnd(APosLabels, APosTitle, APosAxis, GridVisible, FIStartPos, FIEndPos);
}

void TChartAxis::CustomDrawStartEnd(int APosLabels, int APosTitle, int APosAxis, bool GridVisible,
                                    int AStartPos, int AEndPos) {
  const int OldLabels = FPosLabels;
  const int OldTitle = FPosTitle;
  const int OldAxis = FPosAxis;
  const int OldStart = FIStartPos;
  const int OldEnd = FIEndPos;
  const bool OldGrid = FGrid->GetVisible();
  // The grid's visibility changes for this drawing only: no repaint.
  auto SetGridQuietly = [this](bool Value) {
    TNotifyEvent Handler = std::move(FGrid->OnChange);
    FGrid->OnChange = nullptr;
    FGrid->SetVisible(Value);
    FGrid->OnChange = std::move(Handler);
  };
  TRestore Restore([=, this] {
    SetGridQuietly(OldGrid);
    FPosLabels = OldLabels;
    FPosTitle = OldTitle;
    FPosAxis = OldAxis;
    FIStartPos = OldStart;
    FIEndPos = OldEnd;
    RecalcSizeCenter();
  });
  FPosLabels = APosLabels;
  FPosTitle = APosTitle;
  FPosAxis = APosAxis;
  FIStartPos = AStartPos;
  FIEndPos = AEndPos;
  RecalcSizeCenter();
  SetGridQuietly(GridVisible);
  Draw(false);
}

void TChartAxis::CustomDrawMinMax(int APosLabels, int APosTitle, int APosAxis, bool GridVisible,
                                  double AMinimum, double AMaximum, double AIncrement) {
  InternalCalcPositions();
  CustomDrawMinMaxStartEnd(APosLabels, APosTitle, APosAxis, GridVisible, AMinimum, AMaximum,
                           AIncrement, FIStartPos, FIEndPos);
}

void TChartAxis::CustomDrawMinMaxStartEnd(int APosLabels, int APosTitle, int APosAxis,
                                          bool GridVisible, double AMinimum, double AMaximum,
                                          double AIncrement, int AStartPos, int AEndPos) {
  if (!(AIncrement >= 0)) throw AxisException(Korconst::KorMsg_AxisIncrementNeg);
  const double OldMinimum = FMinimumValue;
  const double OldMaximum = FMaximumValue;
  const double OldIncrement = FDesiredIncrement;
  const bool OldAutomatic = FAutomatic;
  const bool OldAutomaticMinimum = FAutomaticMinimum;
  const bool OldAutomaticMaximum = FAutomaticMaximum;
  const double OldIMinimum = FIMinimum;
  const double OldIMaximum = FIMaximum;
  TRestore Restore([=, this] {
    FMinimumValue = OldMinimum;
    FMaximumValue = OldMaximum;
    FDesiredIncrement = OldIncrement;
    FAutomatic = OldAutomatic;
    FAutomaticMinimum = OldAutomaticMinimum;
    FAutomaticMaximum = OldAutomaticMaximum;
    FIMinimum = OldIMinimum;
    FIMaximum = OldIMaximum;
    InternalCalcRange();
  });
  // Set directly: a temporary range neither repaints the chart nor moves
  // the axes that follow this one.
  if (AMinimum > AMaximum) std::swap(AMinimum, AMaximum);
  if (AMaximum - AMinimum < MinAxisRange) AMaximum = AMinimum + MinAxisRange;
  FMinimumValue = AMinimum;
  FMaximumValue = AMaximum;
  FDesiredIncrement = AIncrement;
  FAutomatic = false;
  FAutomaticMinimum = false;
  FAutomaticMaximum = false;
  AdjustMaxMin();
  CustomDrawStartEnd(APosLabels, APosTitle, APosAxis, GridVisible, AStartPos, AEndPos);
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
