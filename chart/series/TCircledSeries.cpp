#include "chart/series/TCircledSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TView3DOptions.h"

#include "platform/Rounding.h"
#include "platform/TCanvas.h"
#include "platform/TPen.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

double IntoFullTurn(double Angle) {
  Angle = std::fmod(Angle, TwoPi);
  return Angle < 0 ? Angle + TwoPi : Angle;
}

// Pixels per pixel: the screen's width-to-height ratio in pixels over the
// ratio of the device's size in millimetres (1 for square pixels).
double PixelAspectRatio(const TCanvas3D& Canvas) {
  double Ratio = 1;
  if (const QScreen* Screen = QGuiApplication::primaryScreen()) {
    const QSize Size = Screen->size();
    if (Size.height() > 0) Ratio = static_cast<double>(Size.width()) / Size.height();
  }
  if (const TCanvas* Handle = Canvas.GetHandle()) {
    const double Device = TCustomKorPanel::ScreenRatio(*Handle);
    if (Device != 0) Ratio /= Device;
  }
  return Ratio > 0 ? Ratio : 1;
}

}  // namespace

TCircledSeries::TCircledSeries(TComponent* AOwner)
    : TChartSeries(AOwner),
      FCircleGradient(
          std::make_unique<TKorGradient>([this](TPersistent* Sender) { CanvasChanged(Sender); })) {
  GetXValues().SetName(Korconst::KorMsg_ValuesAngle);
  SetCalcVisiblePoints(false);
}

TCircledSeries::~TCircledSeries() {
  Destroying();
  SetParentProperties(true);
}

const TPropertyList& TCircledSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCircledSeries;
  static const TPropertyList List(
      TChartSeries::Properties(),
      {
          PP::Boolean<C>(QStringLiteral("Circled"), &C::GetCircled, &C::SetCircled, false),
          PP::Integer<C>(QStringLiteral("CustomXRadius"), &C::GetCustomXRadius,
                         &C::SetCustomXRadius, 0),
          PP::Integer<C>(QStringLiteral("CustomYRadius"), &C::GetCustomYRadius,
                         &C::SetCustomYRadius, 0),
          PP::Integer<C>(QStringLiteral("RotationAngle"), &C::GetRotationAngle,
                         &C::SetRotationAngle, 0),
          PP::Color<C>(QStringLiteral("CircleBackColor"), &C::GetCircleBackColor,
                       &C::SetCircleBackColor, clDefault),
      });
  return List;
}

void TCircledSeries::Assign(const TPersistent& Source) {
  if (const auto* S = dynamic_cast<const TCircledSeries*>(&Source); S != nullptr && S != this) {
    FCircled = S->FCircled;
    SetRotationAngle(S->FRotationAngle);
    FCustomXRadius = S->FCustomXRadius;
    FCustomYRadius = S->FCustomYRadius;
    FCircleBackColor = S->FCircleBackColor;
    FCircleGradient->Assign(*S->FCircleGradient);
  }
  TChartSeries::Assign(Source);
}

// -- same class

bool TCircledSeries::ClassIncludes(const TChartSeries* Other) const {
  return dynamic_cast<const TCircledSeries*>(Other) != nullptr;
}

bool TCircledSeries::IsSameClass(const TChartSeries* Other) const {
  if (Other == nullptr) return false;
  const auto* C = dynamic_cast<const TCircledSeries*>(Other);
  return ClassIncludes(Other) || (C != nullptr && C->ClassIncludes(this));
}

template <class F>
void TCircledSeries::ForEachRelated(F Apply) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  for (int I = 0; I < Chart->SeriesCount(); ++I) {
    auto* S = dynamic_cast<TCircledSeries*>(Chart->GetSeries(I));
    // The other series' class is this one's or one of its ancestors.
    if (S != nullptr && S != this && S->ClassIncludes(this)) Apply(*S);
  }
}

// -- properties

void TCircledSeries::SetCircled(bool Value) {
  SetBooleanProperty(FCircled, Value);
  ForEachRelated([Value](TCircledSeries& S) {
    S.SetBooleanProperty(S.FCircled, Value);
    if (!S.InState(csLoading)) {
      S.FCustomXRadius = 0;
      S.FCustomYRadius = 0;
    }
  });
}

void TCircledSeries::SetCustomXRadius(int Value) {
  SetIntegerProperty(FCustomXRadius, Value);
  ForEachRelated([Value](TCircledSeries& S) { S.SetIntegerProperty(S.FCustomXRadius, Value); });
}

void TCircledSeries::SetCustomYRadius(int Value) {
  SetIntegerProperty(FCustomYRadius, Value);
  ForEachRelated([Value](TCircledSeries& S) { S.SetIntegerProperty(S.FCustomYRadius, Value); });
}

void TCircledSeries::SetRotationAngle(int Value) {
  SetIntegerProperty(FRotationAngle, ((Value % 360) + 360) % 360);
  FRotationRadians = FRotationAngle * std::numbers::pi / 180.0;
}

void TCircledSeries::Rotate(int Angle) {
  SetRotationAngle(FRotationAngle + Angle);
}

void TCircledSeries::SetCircleBackColor(TColor Value) {
  SetColorProperty(FCircleBackColor, Value);
}

void TCircledSeries::SetCircleGradient(const TKorGradient& Value) {
  FCircleGradient->Assign(Value);
}

bool TCircledSeries::HasBackColor() const {
  return FCircleBackColor != clDefault && FCircleBackColor != clNone;
}

TColor TCircledSeries::CalcCircleBackColor() const {
  if (FCircleBackColor != clDefault) return FCircleBackColor;
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return clWhite;
  if (Chart->GetPrintingNow()) return clWhite;
  if (const auto* Full = dynamic_cast<const TCustomChart*>(Chart)) {
    const TChartBackWall& Wall = Full->GetBackWall();
    if (!Wall.GetTransparent()) return Wall.GetColor();
  }
  return Chart->GetColor();
}

void TCircledSeries::PrepareLegendCanvas(int, TColor& BackColor, TBrushStyle&) {
  BackColor = CalcCircleBackColor();
}

// -- conversions

void TCircledSeries::AngleToPos(double Angle, double AXRadius, double AYRadius, int& X,
                                int& Y) const {
  const double A = Angle + FRotationRadians;
  X = FCircleXCenter + Round(std::cos(A) * AXRadius);
  Y = FCircleYCenter - Round(std::sin(A) * AYRadius);
}

double TCircledSeries::PointToAngle(int X, int Y) const {
  double Angle = 0;
  if (X == FCircleXCenter) {
    Angle = Y > FCircleYCenter ? -std::numbers::pi / 2 : std::numbers::pi / 2;
  } else if (FXRadius != 0 && FYRadius != 0) {
    Angle = std::atan2(static_cast<double>(FCircleYCenter - Y) / FYRadius,
                       static_cast<double>(X - FCircleXCenter) / FXRadius);
  }
  return IntoFullTurn(IntoFullTurn(Angle) - FRotationRadians);
}

double TCircledSeries::PointToRadius(int X, int Y) const {
  const TChartAxis* Axis = GetVertAxisObject();
  const double Min = Axis != nullptr ? Axis->GetMinimum() : 0;
  // Before the first drawing there is no ellipse to measure against.
  if (FXRadius == 0 || FYRadius == 0) return Min;
  const double Range = Axis != nullptr ? Axis->GetMaximum() - Min : 0;
  const double DX = Range * (X - FCircleXCenter) / FXRadius;
  const double DY = Range * (Y - FCircleYCenter) / FYRadius;
  return std::sqrt(DX * DX + DY * DY) + Min;
}

// -- the circle rectangle

void TCircledSeries::SetCircleRect(const TRect& Value) {
  FCircleRect = Value;
  AdjustCircleRect();
}

void TCircledSeries::AdjustCircleRect() {
  TRect& R = FCircleRect;
  if (R.Width() % 2 != 0) --R.Right;
  if (R.Height() % 2 != 0) --R.Bottom;
  if (R.Width() < 4) R.Right = R.Left + 4;
  if (R.Height() < 4) R.Bottom = R.Top + 4;
  FCircleWidth = R.Width();
  FCircleHeight = R.Height();
  FCircleXCenter = R.Left + FCircleWidth / 2;
  FCircleYCenter = R.Top + FCircleHeight / 2;
}

void TCircledSeries::CalcRadius() {
  FXRadius = FCustomXRadius != 0 ? FCustomXRadius : FCircleWidth / 2;
  FCircleWidth = FCustomXRadius != 0 ? 2 * FCustomXRadius : FCircleWidth;
  FYRadius = FCustomYRadius != 0 ? FCustomYRadius : FCircleHeight / 2;
  FCircleHeight = FCustomYRadius != 0 ? 2 * FCustomYRadius : FCircleHeight;
  FCircleRect = TRect(FCircleXCenter - FXRadius, FCircleYCenter - FYRadius,
                      FCircleXCenter + FXRadius, FCircleYCenter + FYRadius);
}

void TCircledSeries::ShrinkForMarks() {
  TCustomAxisPanel* Chart = GetParentChart();
  TSeriesMarks& Marks = GetMarks();
  TCanvas3D& C = Chart->GetPanelCanvas();
  const TMarksCallout* Callout = Marks.ExistingCallout();
  int Length = Callout != nullptr ? Callout->GetLength() : TMarksCallout::DefaultLength;
  if (Marks.GetPen().GetVisible()) Length += 2 * Marks.GetPen().GetWidth();
  C.AssignFont(Marks.GetFont());
  const int Vertical = Length + C.GetFontHeight();
  const int Horizontal = C.TextWidth(QStringLiteral("W")) + Chart->MaxMarkWidth() + Length;
  FCircleRect.Top += Vertical;
  FCircleRect.Bottom -= Vertical;
  FCircleRect.Left += Horizontal;
  FCircleRect.Right -= Horizontal;
  AdjustCircleRect();
}

void TCircledSeries::CheckOtherSeriesMarks() {
  TCustomAxisPanel* Chart = GetParentChart();
  bool Later = false;
  for (int I = 0; I < Chart->SeriesCount(); ++I) {
    TChartSeries* S = Chart->GetSeries(I);
    if (S == this) {
      Later = true;
      continue;
    }
    auto* Other = dynamic_cast<TCircledSeries*>(S);
    if (Other == nullptr || !Other->GetActive() || !IsSameClass(Other) ||
        !Other->GetMarks().GetVisible())
      continue;
    // A series drawn after this one has not fitted its circle yet.
    if (Later) Other->DoBeforeDrawValues();
    // Its size around this series' own centre: pies laid out in a grid
    // have centres of their own.
    const int X = FCircleXCenter;
    const int Y = FCircleYCenter;
    const TRect& R = Other->FCircleRect;
    FCircleRect = TRect(X - R.Width() / 2, Y - R.Height() / 2, X - R.Width() / 2 + R.Width(),
                        Y - R.Height() / 2 + R.Height());
    AdjustCircleRect();
    CalcRadius();
    return;
  }
}

void TCircledSeries::MakeRound() {
  const double Ratio = PixelAspectRatio(GetParentChart()->GetPanelCanvas());
  CalcRadius();
  const int C = Round(FYRadius * Ratio);
  if (C < FXRadius) {
    const int Difference = FXRadius - C;
    FCircleRect.Left += Difference;
    FCircleRect.Right -= Difference;
  } else {
    const int Difference = FYRadius - Round(FXRadius / Ratio);
    FCircleRect.Top += Difference;
    FCircleRect.Bottom -= Difference;
  }
  AdjustCircleRect();
}

void TCircledSeries::DoBeforeDrawValues() {
  TChartSeries::DoBeforeDrawValues();
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  SetCircleRect(Chart->GetPlotRect());
  if (GetMarks().GetVisible())
    ShrinkForMarks();
  else
    CheckOtherSeriesMarks();
  if (FCircled) MakeRound();
  CalcRadius();
}

// -- the chart's 3D view

void TCircledSeries::SetParentProperties(bool EnableParentProps) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || Chart->InState(csDestroying) ||
      Chart->GetPanelCanvas().GetSupportsFullRotation())
    return;
  TView3DOptions& View = Chart->GetView3DOptions();
  if (!EnableParentProps || (GetActive() && !InState(csDestroying))) {
    if (F3DOptions == nullptr) {
      F3DOptions = std::make_unique<TView3DOptions>();
      F3DOptions->Assign(View);
    }
    InitCustom3DOptions(View);
  } else if (F3DOptions != nullptr) {
    View.Assign(*F3DOptions);
    F3DOptions.reset();
  }
}

void TCircledSeries::SetParentChart(TCustomAxisPanel* Value) {
  if (Value == GetParentChart()) return;
  // The chart being left gets its own view back.
  if (Value == nullptr && GetParentChart() != nullptr && F3DOptions != nullptr &&
      !GetParentChart()->InState(csDestroying)) {
    GetParentChart()->GetView3DOptions().Assign(*F3DOptions);
    F3DOptions.reset();
  }
  TChartSeries::SetParentChart(Value);
  if (Value != nullptr) SetParentProperties(false);
}

void TCircledSeries::SetActive(bool Value) {
  TChartSeries::SetActive(Value);
  SetParentProperties(!Value);
}

// -- drawing

void TCircledSeries::DrawCircleGradient() {
  DrawCircleGradient(*FCircleGradient, TPoint(0, 0));
}

void TCircledSeries::DrawCircleGradient(const TKorGradient& Gradient, const TPoint& Offset) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  if (Chart->GetView3D() && !Chart->GetView3DOptions().GetOrthogonal()) return;
  TCanvas3D& C = Chart->GetPanelCanvas();
  const int X = FCircleXCenter + Offset.X;
  const int Y = FCircleYCenter + Offset.Y;
  TRect R(X - FCircleWidth / 2, Y - FCircleHeight / 2, X + FCircleWidth / 2, Y + FCircleHeight / 2);
  if (Chart->GetView3D()) R = C.CalcRect3D(R, GetEndZ());
  C.ClipEllipse(R);
  Gradient.Draw(C, R);
  C.UnClipRectangle();
}
