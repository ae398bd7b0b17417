#include "chart/series/TCustomErrorSeries.h"

#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>

TCustomErrorSeries::TCustomErrorSeries(TComponent* AOwner)
    : TBarSeries(AOwner),
      FErrorPen(
          std::make_unique<TChartPen>([this](TPersistent* Sender) { CanvasChanged(Sender); })),
      FErrorValues(new TChartValueList(this, QStringLiteral("ErrorValues"))) {
  GetMarks().SetVisible(false);
}

TCustomErrorSeries::~TCustomErrorSeries() = default;

void TCustomErrorSeries::Assign(const TPersistent& Source) {
  if (const auto* S = dynamic_cast<const TCustomErrorSeries*>(&Source); S != nullptr && S != this) {
    FErrorPen->Assign(*S->FErrorPen);
    FErrorStyle = S->FErrorStyle;
    FErrorWidth = S->FErrorWidth;
    FErrorWidthUnits = S->FErrorWidthUnits;
  }
  TBarSeries::Assign(Source);
}

// -- properties

void TCustomErrorSeries::SetErrorPen(const TChartPen& Value) {
  FErrorPen->Assign(Value);
}

void TCustomErrorSeries::SetErrorValues(const TChartValueList& Value) {
  FErrorValues->Assign(Value);
  Repaint();
}

void TCustomErrorSeries::SetErrorStyle(TErrorSeriesStyle Value) {
  if (SetIfChanged(FErrorStyle, Value)) Repaint();
}

void TCustomErrorSeries::SetErrorWidth(int Value) {
  SetIntegerProperty(FErrorWidth, Value);
}

void TCustomErrorSeries::SetErrorWidthUnits(TErrorWidthUnits Value) {
  if (SetIfChanged(FErrorWidthUnits, Value)) Repaint();
}

bool TCustomErrorSeries::IsOfBarClass(const TChartSeries* Other) const {
  return dynamic_cast<const TCustomErrorSeries*>(Other) != nullptr;
}

// -- points

int TCustomErrorSeries::AddErrorBar(double AX, double AY, double AYError, const QString& ALabel,
                                    TColor AColor) {
  FErrorValues->SetTempValue(AYError);
  return AddXY(AX, AY, ALabel, AColor);
}

double TCustomErrorSeries::GetErrorValue(int Index) const {
  return FErrorValues->GetValue(Index);
}

void TCustomErrorSeries::SetErrorValue(int Index, double Value) {
  FErrorValues->SetValue(Index, Value);
}

// -- range and margins

double TCustomErrorSeries::ErrorEnd(int Index, bool Upper) const {
  const double Y = GetYValues().GetValue(Index);
  const double E = std::fabs(FErrorValues->GetValue(Index));
  if (FDrawBar) return Y >= 0 ? Y + E : Y - E;
  return Upper ? Y + E : Y - E;
}

// Whiskers alone span Y - |e| .. Y + |e| (0 for no points); with bars the
// bar range widens by each whisker's far end.
double TCustomErrorSeries::MaxYValue() const {
  double Result = FDrawBar ? TBarSeries::MaxYValue() : 0.0;
  for (int I = 0; I < Count(); ++I) {
    const double End = ErrorEnd(I, true);
    Result = FDrawBar || I > 0 ? std::max(Result, End) : End;
  }
  return Result;
}

double TCustomErrorSeries::MinYValue() const {
  double Result = FDrawBar ? TBarSeries::MinYValue() : 0.0;
  for (int I = 0; I < Count(); ++I) {
    const double End = ErrorEnd(I, false);
    Result = FDrawBar || I > 0 ? std::min(Result, End) : End;
  }
  return Result;
}

void TCustomErrorSeries::CalcHorizMargins(int& LeftMargin, int& RightMargin) {
  TBarSeries::CalcHorizMargins(LeftMargin, RightMargin);
  const int W = FErrorPen->GetWidth();
  if (FErrorStyle == essLeft || FErrorStyle == essLeftRight) LeftMargin = std::max(LeftMargin, W);
  if (FErrorStyle == essRight || FErrorStyle == essLeftRight)
    RightMargin = std::max(RightMargin, W);
}

void TCustomErrorSeries::CalcVerticalMargins(int& TopMargin, int& BottomMargin) {
  TBarSeries::CalcVerticalMargins(TopMargin, BottomMargin);
  const int W = FErrorPen->GetWidth();
  bool Top = FErrorStyle == essTop || FErrorStyle == essTopBottom;
  bool Bottom = FErrorStyle == essBottom || FErrorStyle == essTopBottom;
  // Bars below the origin turn their whiskers round: a cap at the far end
  // would otherwise lie under the axis line.
  if (FDrawBar && Count() > 0 && GetYValues().MinValue() < GetYOrigin())
    Top = Bottom = Top || Bottom;
  if (Top) TopMargin = std::max(TopMargin, W);
  if (Bottom) BottomMargin = std::max(BottomMargin, W);
}

// -- drawing

void TCustomErrorSeries::PrepareErrorPen(int ValueIndex) {
  TCanvas3D& Canvas = GetParentChart()->GetPanelCanvas();
  if (FDrawBar) {
    Canvas.AssignVisiblePen(*FErrorPen);
  } else {
    const TColor Color = ValueIndex < 0 ? GetSeriesColor() : GetValueColor(ValueIndex);
    Canvas.AssignVisiblePenColor(*FErrorPen, Color);
  }
  Canvas.SetBackMode(cbmTransparent);
}

void TCustomErrorSeries::DrawBar(int ValueIndex, int StartPos, int EndPos) {
  if (FDrawBar) TBarSeries::DrawBar(ValueIndex, StartPos, EndPos);
  const double Error = FErrorValues->GetValue(ValueIndex);
  if (!FErrorPen->GetVisible() || Error == 0) return;
  const TRect& B = GetBarBounds();
  const int BarWidth = B.Right - B.Left;
  int Width = BarWidth;
  if (FErrorWidth != 0)
    Width = FErrorWidthUnits == ewuPixels ? FErrorWidth : Round(FErrorWidth * BarWidth * 0.01);
  const double Y = GetMultiBar() == mbStacked100 ? 100.0 : GetYValues().GetValue(ValueIndex);
  const bool Vertical =
      FErrorStyle == essTop || FErrorStyle == essBottom || FErrorStyle == essTopBottom;
  const double Size = std::fabs(Error);
  // A bar's whisker points away from the bar's base.
  const bool Flip = FDrawBar && GetYValues().GetValue(ValueIndex) < GetYOrigin();
  int Before = Vertical ? CalcYSizeValue(Size) : CalcXSizeValue(Size);  // up or left
  if (Flip) Before = -Before;
  int After = Before;  // down or right
  const TChartAxis* Axis = Vertical ? GetVertAxisObject() : GetHorizAxisObject();
  if (Axis != nullptr && Axis->GetLogarithmic()) {
    // A size has no length of its own on a logarithmic scale: each whisker
    // ends at the pixel of the value it reaches.
    const double V = Vertical ? Y : GetXValues().GetValue(ValueIndex);
    const int At = Axis->CalcPosValue(V);
    const double Up = Flip ? V - Size : V + Size;
    const double Down = Flip ? V + Size : V - Size;
    Before = Vertical ? At - Axis->CalcPosValue(Up) : At - Axis->CalcPosValue(Down);
    After = Vertical ? Axis->CalcPosValue(Down) - At : Axis->CalcPosValue(Up) - At;
  }
  PrepareErrorPen(ValueIndex);
  DrawWhiskers((B.Left + B.Right) / 2, CalcYPosValue(Y), Width, Before, After, Is3D());
}

void TCustomErrorSeries::DrawError(int X, int Y, int AWidth, int ALength, bool Draw3D) {
  DrawWhiskers(X, Y, AWidth, ALength, ALength, Draw3D);
}

void TCustomErrorSeries::DrawWhiskers(int X, int Y, int AWidth, int Before, int After,
                                      bool Draw3D) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  const int H = AWidth / 2;
  const int Z = GetMiddleZ();
  auto Line = [&](int X0, int Y0, int X1, int Y1) {
    if (Draw3D) {
      C.MoveTo3D(X0, Y0, Z);
      C.LineTo3D(X1, Y1, Z);
    } else {
      C.MoveTo(X0, Y0);
      C.LineTo(X1, Y1);
    }
  };
  auto Horizontal = [&](int TX) {
    Line(X, Y, TX, Y);
    Line(TX, Y - H, TX, Y + H);
  };
  auto Vertical = [&](int TY) {
    Line(X, Y, X, TY);
    Line(X - H, TY, X + H, TY);
  };
  switch (FErrorStyle) {
    case essLeft: Horizontal(X - Before); break;
    case essRight: Horizontal(X + After); break;
    case essLeftRight:
      Horizontal(X - Before);
      Horizontal(X + After);
      break;
    case essTop: Vertical(Y - Before); break;
    case essBottom: Vertical(Y + After); break;
    case essTopBottom:
      Vertical(Y - Before);
      Vertical(Y + After);
      break;
  }
}

void TCustomErrorSeries::PrepareLegendCanvas(int ValueIndex, TColor& BackColor,
                                             TBrushStyle& BrushStyle) {
  TBarSeries::PrepareLegendCanvas(ValueIndex, BackColor, BrushStyle);
  if (GetParentChart() != nullptr) PrepareErrorPen(ValueIndex);
}

void TCustomErrorSeries::DrawLegendShape(int, const TRect& Rect) {
  if (GetParentChart() == nullptr) return;
  DrawError((Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2, Rect.Right - Rect.Left,
            (Rect.Bottom - Rect.Top) / 2 - 1, false);
}

// -- gallery and sample values

void TCustomErrorSeries::AddSampleValues(int NumValues, bool) {
  const TSeriesRandomBounds R = RandomBounds(NumValues);
  for (int I = 0; I < NumValues; ++I) {
    const double Y = RandomValue(Round(R.DifY));
    const double E = 20 + RandomValue(4);
    AddErrorBar(R.StartX + I * R.StepX, Y, R.DifY / E);
  }
}

void TCustomErrorSeries::PrepareForGallery(bool IsEnabled) {
  TBarSeries::PrepareForGallery(IsEnabled);
  FErrorPen->SetColor(IsEnabled ? clRed : clWhite);
  SetSeriesColor(IsEnabled ? clBlue : clSilver);
}
