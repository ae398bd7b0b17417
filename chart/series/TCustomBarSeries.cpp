#include "chart/series/TCustomBarSeries.h"

#include "chart/series/TBarSeriesGradient.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/Korconst.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/ClassRegistry.h"
#include "platform/Rounding.h"
#include "platform/TPen.h"
#include "platform/TPicture.h"

#include <algorithm>
#include <cmath>

TCustomBarSeries::TCustomBarSeries(TComponent* AOwner)
    : TChartSeries(AOwner),
      FGradient(std::make_unique<TBarSeriesGradient>(
          [this](TPersistent* Sender) { CanvasChanged(Sender); })),
      FTickLines(std::make_unique<TChartHiddenPen>(
          [this](TPersistent* Sender) { CanvasChanged(Sender); })) {
  GetMarks().SetVisible(true);
  GetMarks().GetCallout()->SetLength(20);
}

TCustomBarSeries::~TCustomBarSeries() = default;

const TPropertyList& TCustomBarSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomBarSeries;
  static const TPropertyList List(
      TChartSeries::Properties(),
      {
          PP::Boolean<C>(QStringLiteral("AutoBarSize"), &C::GetAutoBarSize, &C::SetAutoBarSize,
                         false),
          PP::Boolean<C>(QStringLiteral("AutoMarkPosition"), &C::GetAutoMarkPosition,
                         &C::SetAutoMarkPosition, true),
          PP::Object<C, TChartBrush>(QStringLiteral("BarBrush"), &C::BarBrushObject),
          PP::Object<C, TChartPen>(QStringLiteral("BarPen"), &C::BarPenObject),
          PP::Enum<C, TBarStyle>(QStringLiteral("BarStyle"),
                                 static_cast<TBarStyle (C::*)() const>(&C::GetBarStyle),
                                 &C::SetBarStyle,
                                 {"bsRectangle", "bsPyramid", "bsInvPyramid", "bsCilinder",
                                  "bsEllipse", "bsArrow", "bsRectGradient", "bsCone", "bsBevel",
                                  "bsSlantCube", "bsDiamond", "bsInvArrow", "bsInvCone"},
                                 bsRectangle),
          PP::Integer<C>(QStringLiteral("BarWidthPercent"), &C::GetBarWidthPercent,
                         &C::SetBarWidthPercent, 70),
          PP::Integer<C>(QStringLiteral("BevelSize"), &C::GetBevelSize, &C::SetBevelSize, 1),
          PP::Boolean<C>(QStringLiteral("Dark3D"), &C::GetDark3D, &C::SetDark3d, true),
          PP::Integer<C>(QStringLiteral("DepthPercent"), &C::GetDepthPercent, &C::SetDepthPercent,
                         100),
          PP::Object<C, TBarSeriesGradient>(QStringLiteral("Gradient"), &C::GradientObject),
          PP::Enum<C, TMultiBar>(
              QStringLiteral("MultiBar"), &C::GetMultiBar, &C::SetMultiBar,
              {"mbNone", "mbSide", "mbStacked", "mbStacked100", "mbSideAll", "mbSelfStack"},
              mbSide),
          PP::Integer<C>(QStringLiteral("OffsetPercent"), &C::GetOffsetPercent,
                         &C::SetOffsetPercent, 0),
          PP::Boolean<C>(QStringLiteral("SideMargins"), &C::GetSideMargins, &C::SetSideMargins,
                         true),
          PP::Integer<C>(QStringLiteral("StackGroup"), &C::GetStackGroup, &C::SetStackGroup, 0),
          PP::Object<C, TChartHiddenPen>(QStringLiteral("TickLines"), &C::TickLinesObject),
          PP::Boolean<C>(QStringLiteral("UseYOrigin"), &C::GetUseYOrigin, &C::SetUseOrigin, true),
          PP::Double<C>(QStringLiteral("YOrigin"), &C::GetYOrigin, &C::SetOrigin, 0.0),
      });
  return List;
}

void TCustomBarSeries::Assign(const TPersistent& Source) {
  if (const auto* S = dynamic_cast<const TCustomBarSeries*>(&Source); S != nullptr && S != this) {
    FAutoBarSize = S->FAutoBarSize;
    FAutoMarkPosition = S->FAutoMarkPosition;
    FBarStyle = S->FBarStyle;
    FBarWidthPercent = S->FBarWidthPercent;
    FBevelSize = S->FBevelSize;
    FDark3D = S->FDark3D;
    FDepthPercent = S->FDepthPercent;
    FGradient->Assign(*S->FGradient);
    FMultiBar = S->FMultiBar;
    FOffsetPercent = S->FOffsetPercent;
    FSideMargins = S->FSideMargins;
    FStackGroup = S->FStackGroup;
    FTickLines->Assign(*S->FTickLines);
    FUseYOrigin = S->FUseYOrigin;
    FYOrigin = S->FYOrigin;
    FConePercent = S->FConePercent;
    FTransparency = S->FTransparency;
    FCustomBarSize = S->FCustomBarSize;
    SetCalcVisiblePoints(FMultiBar != mbSelfStack);
  }
  TChartSeries::Assign(Source);
}

// -- properties

void TCustomBarSeries::SetAutoBarSize(bool Value) {
  SetBooleanProperty(FAutoBarSize, Value);
}

void TCustomBarSeries::SetAutoMarkPosition(bool Value) {
  SetBooleanProperty(FAutoMarkPosition, Value);
}

void TCustomBarSeries::SetBarStyle(TBarStyle Value) {
  if (SetIfChanged(FBarStyle, Value)) Repaint();
}

void TCustomBarSeries::SetBarWidthPercent(int Value) {
  SetIntegerProperty(FBarWidthPercent, Value);
}

void TCustomBarSeries::SetBevelSize(int Value) {
  SetIntegerProperty(FBevelSize, Value);
}

void TCustomBarSeries::SetDark3d(bool Value) {
  SetBooleanProperty(FDark3D, Value);
}

void TCustomBarSeries::SetDepthPercent(int Value) {
  SetIntegerProperty(FDepthPercent, Value);
}

void TCustomBarSeries::SetGradient(const TBarSeriesGradient& Value) {
  FGradient->Assign(Value);
}

void TCustomBarSeries::SetMultiBar(TMultiBar Value) {
  if (!SetIfChanged(FMultiBar, Value)) return;
  SetOtherMultiBar();
  Repaint();
}

void TCustomBarSeries::SetOffsetPercent(int Value) {
  SetIntegerProperty(FOffsetPercent, Value);
}

void TCustomBarSeries::SetSideMargins(bool Value) {
  SetBooleanProperty(FSideMargins, Value);
  SetOtherMultiBar();
}

void TCustomBarSeries::SetStackGroup(int Value) {
  SetIntegerProperty(FStackGroup, Value);
}

void TCustomBarSeries::SetTickLines(const TChartPen& Value) {
  FTickLines->Assign(Value);
}

void TCustomBarSeries::SetUseOrigin(bool Value) {
  SetBooleanProperty(FUseYOrigin, Value);
}

void TCustomBarSeries::SetOrigin(double Value) {
  SetDoubleProperty(FYOrigin, Value);
}

void TCustomBarSeries::SetConePercent(int Value) {
  SetIntegerProperty(FConePercent, Value);
}

void TCustomBarSeries::SetTransparency(int Value) {
  if (SetIfChanged(FTransparency, Value)) Repaint();
}

void TCustomBarSeries::SetCustomBarSize(int Value) {
  SetIntegerProperty(FCustomBarSize, Value);
}

TBarStyle TCustomBarSeries::GetBarStyle(int ValueIndex) {
  TBarStyle Result = FBarStyle;
  if (OnGetBarStyle) OnGetBarStyle(this, ValueIndex, Result);
  return Result;
}

// -- sharing MultiBar and SideMargins

bool TCustomBarSeries::IsOfBarClass(const TChartSeries* Other) const {
  return dynamic_cast<const TCustomBarSeries*>(Other) != nullptr;
}

bool TCustomBarSeries::SameBarClass(const TChartSeries* Other) const {
  if (IsOfBarClass(Other)) return true;
  const auto* B = dynamic_cast<const TCustomBarSeries*>(Other);
  return B != nullptr && B->IsOfBarClass(this);
}

std::vector<TCustomBarSeries*> TCustomBarSeries::SameClassSeries() const {
  std::vector<TCustomBarSeries*> Result;
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return Result;
  for (int I = 0; I < Chart->SeriesCount(); ++I) {
    auto* B = dynamic_cast<TCustomBarSeries*>(Chart->GetSeries(I));
    if (B != nullptr && SameBarClass(B)) Result.push_back(B);
  }
  return Result;
}

void TCustomBarSeries::SetOtherMultiBar() {
  SetCalcVisiblePoints(FMultiBar != mbSelfStack);
  for (TCustomBarSeries* B : SameClassSeries()) {
    B->FMultiBar = FMultiBar;
    B->FSideMargins = FSideMargins;
    B->SetCalcVisiblePoints(FMultiBar != mbSelfStack);
  }
}

void TCustomBarSeries::SetParentChart(TCustomAxisPanel* Value) {
  TChartSeries::SetParentChart(Value);
  if (Value == nullptr) return;
  const std::vector<TCustomBarSeries*> Same = SameClassSeries();
  if (Same.empty() || Same.front() == this) return;
  FMultiBar = Same.front()->FMultiBar;
  FSideMargins = Same.front()->FSideMargins;
  SetCalcVisiblePoints(FMultiBar != mbSelfStack);
}

// -- layout of one drawing pass

void TCustomBarSeries::DoBeforeDrawChart() {
  FOrderPos = 1;
  FPreviousCount = 0;
  FNumBars = 0;
  FMaxBarPoints = -1;
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  std::vector<int> Groups;  // stack groups in the order they appear
  bool Seen = false;
  for (TCustomBarSeries* B : SameClassSeries()) {
    if (!B->GetActive()) continue;
    const bool Before = !Seen && B != this;
    if (B == this) Seen = true;
    const int N = B->Count();
    if (FMaxBarPoints == -1 || FMaxBarPoints < N) FMaxBarPoints = FSideMargins && N > 0 ? N + 1 : N;
    switch (FMultiBar) {
      case mbNone:
      case mbSelfStack: FNumBars = 1; break;
      case mbStacked:
      case mbStacked100:
        if (std::find(Groups.begin(), Groups.end(), B->FStackGroup) == Groups.end()) {
          Groups.push_back(B->FStackGroup);
          ++FNumBars;
          if (Before) ++FOrderPos;
        }
        break;
      case mbSide:
      case mbSideAll:
        ++FNumBars;
        if (Before) ++FOrderPos;
        break;
    }
    if (Before) FPreviousCount += N;
  }
  if (FMultiBar == mbStacked || FMultiBar == mbStacked100) {
    const auto Place = std::find(Groups.begin(), Groups.end(), FStackGroup);
    FOrderPos = Place == Groups.end() ? 1 : static_cast<int>(Place - Groups.begin()) + 1;
  }
  const int PerPage = Chart->GetMaxPointsPerPage();
  if (FMultiBar == mbSelfStack)
    FMaxBarPoints = PerPage > 0 ? PerPage : FNumBars;
  else if (PerPage > 0)
    FMaxBarPoints = PerPage;
}

void TCustomBarSeries::InternalApplyBarMargin(int& First, int& Second) {
  const TChartAxis* Axis = CategoryAxis();
  if (FCustomBarSize > 0) {
    FBarSize = FCustomBarSize;
  } else if (FMaxBarPoints <= 0 || Axis == nullptr) {
    FBarSize = 0;
  } else {
    const int Size = Axis->GetIAxisSize();
    int Category = 0;
    if (FAutoBarSize) {
      // A zero span would give an unbounded width: no bars instead.
      const double Span = Axis->GetMaximum() + 2 - Axis->GetMinimum();
      Category = Span > 0 ? Round(Size / Span) : 0;
    } else {
      Category = Size / FMaxBarPoints;
    }
    // Before the first drawing pass no slot has been counted yet.
    FBarSize = Round(FBarWidthPercent * 0.01 * Category) / std::max(1, FNumBars);
    if (FBarSize % 2 != 0) ++FBarSize;  // even, so that bars centre on their category
  }
  int Margin = FMultiBar == mbSideAll ? FBarSize : FBarSize * FNumBars;
  if (!FSideMargins) Margin /= 2;
  First += Margin;
  Second += Margin;
}

int TCustomBarSeries::ApplyBarOffset(int Position) const {
  if (FOffsetPercent == 0) return Position;
  return Position + Round(FOffsetPercent * FBarSize * 0.01);
}

// -- origins and stacking

double TCustomBarSeries::PointOrigin(int ValueIndex, bool IncludeAll) const {
  switch (FMultiBar) {
    case mbStacked:
    case mbStacked100: {
      // Positive values stack upward from 0 and negative ones downward, so
      // only values of this point's sign count.
      const bool Positive = GetOriginValue(ValueIndex) >= 0;
      double Sum = 0;
      for (const TCustomBarSeries* B : SameClassSeries()) {
        if (!IncludeAll && B == this) break;
        if (!B->GetActive() || B->Count() <= ValueIndex || B->FStackGroup != FStackGroup) continue;
        const double V = B->GetOriginValue(ValueIndex);
        if (Positive ? V > 0 : V < 0) Sum += V;
      }
      return Sum;
    }
    case mbSelfStack: {
      double Sum = 0;
      for (int I = 0; I < ValueIndex && I < Count(); ++I) Sum += GetMandatory().GetValue(I);
      return Sum;
    }
    default: return FYOrigin;
  }
}

int TCustomBarSeries::InternalGetOriginPos(int ValueIndex, int DefaultPos) const {
  const TChartAxis* Axis = ValueAxis();
  if (Axis == nullptr) return DefaultPos;
  switch (FMultiBar) {
    case mbStacked100: {
      const double Total = PointOrigin(ValueIndex, true);
      if (Total == 0) return 0;
      return Axis->CalcPosValue(PointOrigin(ValueIndex, false) * 100.0 / Total);
    }
    case mbStacked:
    case mbSelfStack: return Axis->CalcPosValue(PointOrigin(ValueIndex, false));
    default: return FUseYOrigin ? Axis->CalcPosValue(FYOrigin) : DefaultPos;
  }
}

int TCustomBarSeries::ValuePosition(int ValueIndex, int BasePos) const {
  const TChartAxis* Axis = ValueAxis();
  if (Axis == nullptr || FMultiBar == mbNone || FMultiBar == mbSide || FMultiBar == mbSideAll)
    return BasePos;
  double Value = PointOrigin(ValueIndex, false) + GetMandatory().GetValue(ValueIndex);
  if (FMultiBar == mbStacked100) {
    const double Total = PointOrigin(ValueIndex, true);
    if (Total == 0) return 0;
    Value = Value * 100.0 / Total;
  }
  return Axis->CalcPosValue(Value);
}

double TCustomBarSeries::MaxMandatoryValue(double Value) const {
  double Result = Value;
  switch (FMultiBar) {
    case mbStacked100: Result = 100; break;
    case mbSelfStack: Result = GetMandatory().Total(); break;
    case mbStacked:
      for (int I = 0; I < Count(); ++I)
        Result = std::max(Result, PointOrigin(I, false) + GetMandatory().GetValue(I));
      break;
    default: break;
  }
  return FUseYOrigin ? std::max(Result, FYOrigin) : Result;
}

double TCustomBarSeries::MinMandatoryValue(double Value) const {
  double Result = Value;
  switch (FMultiBar) {
    case mbStacked100: Result = 0; break;
    case mbSelfStack:
      for (int I = 0; I < Count(); ++I) {
        const double End = PointOrigin(I, false) + GetMandatory().GetValue(I);
        Result = I == 0 ? End : std::min(Result, End);
      }
      break;
    case mbStacked:
      for (int I = 0; I < Count(); ++I)
        Result = std::min(Result, PointOrigin(I, false) + GetMandatory().GetValue(I));
      break;
    default: break;
  }
  return FUseYOrigin ? std::min(Result, FYOrigin) : Result;
}

// -- visible range, depth and Z order

void TCustomBarSeries::CalcFirstLastVisibleIndex() {
  if (FMultiBar == mbSelfStack) {
    SetVisibleRange(Count() > 0 ? 0 : -1, Count() - 1);
    return;
  }
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart != nullptr && Chart->GetMaxPointsPerPage() == 1) {
    const int Index = Chart->GetPage() - 1;
    if (Index >= 0 && Index < Count())
      SetVisibleRange(Index, Index);
    else
      SetVisibleRange(-1, -1);
    return;
  }
  TChartSeries::CalcFirstLastVisibleIndex();
}

void TCustomBarSeries::CalcDepthPositions() {
  TChartSeries::CalcDepthPositions();
  if (FDepthPercent == 0) return;
  const int Inset = Round((100 - FDepthPercent) * (GetEndZ() - GetStartZ()) * 0.005);
  SetDepthRange(GetStartZ() + Inset, GetEndZ() - Inset);
}

void TCustomBarSeries::CalcZOrder() {
  if (FMultiBar != mbNone) {
    for (const TCustomBarSeries* B : SameClassSeries()) {
      if (B == this) break;
      if (!B->GetActive()) continue;
      SetInternalZOrder(B->GetZOrder());
      return;
    }
  }
  TChartSeries::CalcZOrder();
}

// -- hit test, marks, legend

int TCustomBarSeries::Clicked(int X, int Y) const {
  if (GetParentChart() == nullptr) return -1;
  const int First = GetFirstValueIndex();
  // The visible range is that of the last pass; points may have gone since.
  const int Last = std::min(GetLastValueIndex(), Count() - 1);
  if (First < 0) return -1;
  const TPoint P(X, Y);
  for (int I = First; I <= Last; ++I)
    if (InternalClicked(I, P)) return I;
  return -1;
}

int TCustomBarSeries::CalcMarkLength(int ValueIndex) {
  TCustomAxisPanel* Chart = GetParentChart();
  TSeriesMarks& Marks = GetMarks();
  if (Count() == 0 || !Marks.GetVisible() || Chart == nullptr) return 0;
  Chart->GetPanelCanvas().AssignFont(Marks.GetFont());
  int Result = InternalCalcMarkLength(ValueIndex) + Marks.GetArrowLength();
  if (Marks.GetPen().GetVisible()) Result += 2 * Marks.GetPen().GetWidth();
  return Result;
}

void TCustomBarSeries::PrepareLegendCanvas(int, TColor& BackColor, TBrushStyle& BrushStyle) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  Chart->GetPanelCanvas().AssignVisiblePen(GetBarPen());
  BrushStyle = GetBarBrush().GetStyle();
  BackColor = GetBarBrush().GetColor();
  if (BackColor == clDefault) BackColor = Chart->GetColor();
}

void TCustomBarSeries::DrawLegendShape(int ValueIndex, const TRect& Rect) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  const TPicture* Image = GetBarBrush().ExistingImage();
  if (Image != nullptr && !Image->GetEmpty())
    Chart->GetPanelCanvas().GetBrush().SetBitmap(&GetBarBrush().GetImage()->GetBitmap());
  TChartSeries::DrawLegendShape(ValueIndex, Rect);
}

// -- gallery and sample values

void TCustomBarSeries::PrepareForGallery(bool IsEnabled) {
  TChartSeries::PrepareForGallery(IsEnabled);
  SetBarWidthPercent(85);
  SetBarStyle(bsRectGradient);
  FGradient->SetVisible(true);
  SetMultiBar(mbNone);
}

QStringList TCustomBarSeries::CreateSubGallery() const {
  QStringList Items = TChartSeries::CreateSubGallery();
  Items << Korconst::KorMsg_Colors << Korconst::KorMsg_Pyramid << Korconst::KorMsg_Ellipse
        << Korconst::KorMsg_InvPyramid << Korconst::KorMsg_Gradient;
  if (SubGalleryStack())
    Items << Korconst::KorMsg_Stack << Korconst::KorMsg_Stack100 << Korconst::KorMsg_SelfStack;
  Items << Korconst::KorMsg_Sides << Korconst::KorMsg_SideAll;
  return Items;
}

void TCustomBarSeries::SetSubGallery(int Index) {
  const int Item = !SubGalleryStack() && Index >= 6 ? Index + 3 : Index;
  TCustomAxisPanel* Chart = GetParentChart();
  // The sharing modes need a second series to show.
  if (Item >= 6 && Chart != nullptr && Chart->SeriesCount() == 1) {
    if (const TChartSeriesClass Class = ClassOfInstance<TChartSeries>(*this)) {
      auto* Other = dynamic_cast<TCustomBarSeries*>(CreateNewSeries(GetOwner(), Chart, Class));
      if (Other != nullptr) {
        Other->FillSampleValues(Other->NumSampleValues());
        Other->SetTitle(QString());
        Other->GetMarks().SetVisible(false);
        Other->SetBarWidthPercent(FBarWidthPercent);
        GetMarks().SetVisible(false);
        Other->SetSubGallery(Index);
      }
    }
  }
  switch (Item) {
    case 1: SetColorEachPoint(true); break;
    case 2: SetBarStyle(bsPyramid); break;
    case 3: SetBarStyle(bsEllipse); break;
    case 4: SetBarStyle(bsInvPyramid); break;
    case 5: SetBarStyle(bsRectGradient); break;
    case 6: SetMultiBar(mbStacked); break;
    case 7: SetMultiBar(mbStacked100); break;
    case 8: SetMultiBar(mbSelfStack); break;
    case 9: SetMultiBar(mbSide); break;
    case 10: SetMultiBar(mbSideAll); break;
    default: break;
  }
}

int TCustomBarSeries::NumSampleValues() const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart != nullptr)
    for (int I = 0; I < Chart->SeriesCount(); ++I) {
      const auto* B = dynamic_cast<const TCustomBarSeries*>(Chart->GetSeries(I));
      if (B != nullptr && B != this && B->Count() > 0) return B->Count();
    }
  return 6;
}

// -- drawing helpers

bool TCustomBarSeries::Is3D() const {
  return GetParentChart() != nullptr && GetParentChart()->GetView3D();
}

void TCustomBarSeries::SetPenBrushBar(TColor AColor) {
  TCustomAxisPanel* Chart = GetParentChart();
  TCanvas3D& Canvas = Chart->GetPanelCanvas();
  Canvas.AssignVisiblePen(GetBarPen());
  TColor Back = GetBarBrush().GetColor();
  if (Back == clDefault) Back = Chart->GetColor();
  Canvas.AssignBrushColor(GetBarBrush(), AColor, Back);
}

void TCustomBarSeries::BarRectangle(TColor AColor, int ALeft, int ATop, int ARight, int ABottom) {
  TCanvas3D& Canvas = GetParentChart()->GetPanelCanvas();
  TPen& Pen = Canvas.GetPen();
  auto PenInBrushColour = [&Pen, AColor] {
    Pen.SetColor(AColor);
    if (Pen.GetStyle() == psClear) Pen.SetStyle(psSolid);
  };
  const int Width = std::abs(ARight - ALeft);
  const int Height = std::abs(ABottom - ATop);
  // A rectangle without width or height draws nothing: a line shows it.
  if (Canvas.GetBrush().GetStyle() == bsSolid && (Width == 0 || Height == 0)) {
    PenInBrushColour();
    Canvas.Line(ALeft, ATop, ARight, ABottom);
  }
  if (Width < Pen.GetWidth() || Height < Pen.GetWidth()) {
    PenInBrushColour();
    Canvas.GetBrush().SetStyle(bsClear);
  }
  Canvas.Rectangle(ALeft, ATop, ARight, ABottom);
}

TColor TCustomBarSeries::CalcGradientColor(int ValueIndex) const {
  const TColor Bar = GetValueColor(ValueIndex);
  if (!FGradient->GetRelative()) return Bar;
  const TChartValueList& Values = GetMandatory();
  const double Max = Values.MaxValue();
  const double Low = FUseYOrigin ? FYOrigin : Values.MinValue();
  // Without a range above the low value every bar reaches the full colour;
  // values outside the range are held at its ends, so that no channel
  // leaves 0 .. 255 and spills into its neighbour.
  double Ratio = Max > Low ? (Values.GetValue(ValueIndex) - Low) / (Max - Low) : 1.0;
  Ratio = Ratio >= 0 ? std::min(Ratio, 1.0) : 0.0;  // NaN also gives 0
  const TColor Start = ColorToRGB(FGradient->GetStartColor());
  const TColor End = ColorToRGB(Bar);
  auto Mix = [Ratio](int A, int B) { return std::clamp(Round(A + Ratio * (B - A)), 0, 255); };
  return RGB(Mix(GetRValue(Start), GetRValue(End)), Mix(GetGValue(Start), GetGValue(End)),
             Mix(GetBValue(Start), GetBValue(End)));
}

void TCustomBarSeries::BarGradient(int ValueIndex, const TRect& R) {
  TCanvas3D& Canvas = GetParentChart()->GetPanelCanvas();
  // A copy, so that drawing leaves the published gradient as it is.
  TCustomKorGradient Gradient;
  Gradient.Assign(*FGradient);
  Gradient.SetEndColor(CalcGradientColor(ValueIndex));
  const bool Pen = GetBarPen().GetVisible();
  const int W = Pen ? GetBarPen().GetWidth() : 0;
  if (Is3D() && !Canvas.GetIsOrthogonal()) {
    const TRect I(R.Left + W, R.Top + W, R.Right - W, R.Bottom - W);
    const TFourPoints P{TPoint(I.Left, I.Top), TPoint(I.Right, I.Top), TPoint(I.Right, I.Bottom),
                        TPoint(I.Left, I.Bottom)};
    Gradient.Draw(Canvas, P, GetStartZ());
  } else if (Is3D()) {
    const TRect I = Pen ? TRect(R.Left + 1, R.Top + 1, R.Right - (W - 1), R.Bottom - (W - 1)) : R;
    Gradient.Draw(Canvas, Canvas.CalcRect3D(I, GetStartZ()));
  } else {
    // Without a pen the bar's fill stops one pixel short of its right and
    // bottom edges; the gradient covers exactly that fill.
    const TRect I = Pen ? TRect(R.Left + 1, R.Top + 1, R.Right - W, R.Bottom - W)
                        : TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1);
    Gradient.Draw(Canvas, I);
  }
}

void TCustomBarSeries::DrawBevel() {
  TCanvas3D& Canvas = GetParentChart()->GetPanelCanvas();
  if (Is3D() && !Canvas.GetIsOrthogonal()) return;
  TRect R = OrientRectangle(FBarBounds);
  if (GetBarPen().GetVisible()) {
    const int W = GetBarPen().GetWidth();
    R = TRect(R.Left + W, R.Top + W, R.Right - W, R.Bottom - W);
    if (Is3D()) {
      ++R.Right;
      ++R.Bottom;
    }
  }
  if (Is3D()) R = Canvas.CalcRect3D(R, GetStartZ());
  Canvas.Frame3D(R, ApplyBright(FNormalBarColor, DarkerColorQuantity),
                 ApplyDark(FNormalBarColor, DarkColorQuantity), FBevelSize);
}

void TCustomBarSeries::DrawTickLines(int StartPos, int EndPos, TBarStyle AStyle) {
  const TChartAxis* Axis = ValueAxis();
  if (!FTickLines->GetVisible() || Axis == nullptr) return;
  GetParentChart()->GetPanelCanvas().AssignVisiblePen(*FTickLines);
  for (int Pos : Axis->GetTicksPositions())
    if (Pos > StartPos && Pos < EndPos) DrawTickLine(Pos, AStyle);
}

void TCustomBarSeries::DrawBlended(const std::function<void()>& Draw) {
  if (FTransparency <= 0) {
    Draw();
    return;
  }
  TCanvas3D& Canvas = GetParentChart()->GetPanelCanvas();
  TRect R = OrientRectangle(FBarBounds);
  if (Is3D()) {
    const TRect Front = Canvas.RectFromRectZ(R, GetStartZ());
    const TRect Back = Canvas.RectFromRectZ(R, GetEndZ());
    UnionRect(R, Front, Back);
  }
  std::unique_ptr<TKorBlend> Blend = Canvas.BeginBlending(R, FTransparency);
  Draw();
  Canvas.EndBlending(std::move(Blend));
}
