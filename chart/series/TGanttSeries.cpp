#include "chart/series/TGanttSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TSeriesMarkPosition.h"

#include "platform/Rounding.h"
#include "platform/TDateTime.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

TGanttSeries::TGanttSeries(TComponent* AOwner)
    : TPointSeries(AOwner),
      FEndValues(new TChartValueList(this, Korconst::KorMsg_ValuesGanttEnd)),
      FNextTask(new TChartValueList(this, Korconst::KorMsg_ValuesGanttNextTask)) {
  SetHorizontal();
  GetXValues().SetName(Korconst::KorMsg_ValuesGanttStart);
  GetXValues().InitDateTime(true);
  GetXValues().SetOrder(loNone);
  FEndValues->InitDateTime(true);
  SetColorEachPoint(true);
  GetPointer().SetStyle(psRectangle);
}

const TPropertyList& TGanttSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TGanttSeries;
  static const TPropertyList List(
      TPointSeries::Properties(),
      {
          PP::Object<C, TChartValueList>(QStringLiteral("StartValues"), &C::StartValuesObject),
          PP::Object<C, TChartValueList>(QStringLiteral("EndValues"), &C::EndValuesObject),
          PP::Object<C, TChartValueList>(QStringLiteral("NextTask"), &C::NextTaskObject),
          PP::Object<C, TChartPen>(QStringLiteral("ConnectingPen"), &C::ConnectingPenObject),
      });
  return List;
}

void TGanttSeries::SetEndValues(const TChartValueList& Value) {
  FEndValues->Assign(Value);
  Repaint();
}

void TGanttSeries::SetNextTask(const TChartValueList& Value) {
  FNextTask->Assign(Value);
  Repaint();
}

// -- adding

int TGanttSeries::AddXY(double AXValue, double AYValue, const QString& ALabel, TColor AColor) {
  FNextTask->SetTempValue(-1);
  return TPointSeries::AddXY(AXValue, AYValue, ALabel, AColor);
}

int TGanttSeries::AddGanttColor(double AStart, double AEnd, double AY, const QString& ALabel,
                                TColor AColor) {
  FEndValues->SetTempValue(AEnd);
  return AddXY(AStart, AY, ALabel, AColor);
}

double TGanttSeries::MaxXValue() const {
  return std::max(TPointSeries::MaxXValue(), FEndValues->MaxValue());
}

// -- positions

int TGanttSeries::EndPixel(int ValueIndex) const {
  return CalcXPosValue(FEndValues->GetValue(ValueIndex));
}

int TGanttSeries::NextTaskIndex(int ValueIndex) const {
  const double Next = FNextTask->GetValue(ValueIndex);
  // A value read from a file may be anything; only a real index links.
  if (!std::isfinite(Next) || Next < 0 || Next > Count() - 1) return -1;
  return Round(Next);
}

bool TGanttSeries::ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y) {
  const int End = EndPixel(ValueIndex);
  return X >= std::min(PX, End) && X <= std::max(PX, End) &&
         std::abs(Y - PY) < GetPointer().GetVertSize();
}

// -- drawing

void TGanttSeries::DrawValue(int ValueIndex) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || ValueIndex < 0 || ValueIndex >= Count()) return;
  TSeriesPointer& P = GetPointer();
  const TColor Color = GetValueColor(ValueIndex);
  if (!P.GetVisible() || Color == clNone) return;
  TCanvas3D& C = Chart->GetPanelCanvas();
  P.PrepareCanvas(C, Color);
  const int X0 = CalcXPos(ValueIndex);
  const int X1 = EndPixel(ValueIndex);
  const int Y = CalcYPos(ValueIndex);
  const int H = (X1 - X0) / 2;
  const TSeriesPointerStyle Style =
      OnGetPointerStyle ? OnGetPointerStyle(this, ValueIndex) : P.GetStyle();
  P.DrawPointer(C, Is3D(), X0 + H, Y, H, P.GetVertSize(), Color, Style);
  const int Next = NextTaskIndex(ValueIndex);
  if (GetConnectingPen().GetVisible() && Next != -1) DrawConnection(ValueIndex, Next);
}

void TGanttSeries::DrawConnection(int ValueIndex, int Next) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  C.AssignVisiblePen(GetConnectingPen());
  C.GetBrush().SetStyle(bsClear);
  const int X1 = EndPixel(ValueIndex);
  const int Y = CalcYPos(ValueIndex);
  const int NextStart = CalcXPos(Next);
  const int NextY = CalcYPos(Next);
  const int Middle = X1 + (NextStart - X1) / 2;
  const std::array<TPoint, 4> Elbow{TPoint(X1, Y), TPoint(Middle, Y), TPoint(Middle, NextY),
                                    TPoint(NextStart, NextY)};
  const int Z = GetMiddleZ();
  if (Is3D()) {
    C.MoveTo3D(Elbow[0].X, Elbow[0].Y, Z);
    for (size_t I = 1; I < Elbow.size(); ++I) C.LineTo3D(Elbow[I].X, Elbow[I].Y, Z);
  } else {
    C.MoveTo(Elbow[0].X, Elbow[0].Y);
    for (size_t I = 1; I < Elbow.size(); ++I) C.LineTo(Elbow[I].X, Elbow[I].Y);
  }
}

void TGanttSeries::DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) {
  // Into the middle of the bar, at the height of the row.
  const int DX = (EndPixel(ValueIndex) - APosition.ArrowFrom.X) / 2;
  const int DY = APosition.Height / 2;
  APosition.LeftTop.X += DX;
  APosition.LeftTop.Y += DY;
  TPointSeries::DrawMark(ValueIndex, St, APosition);
}

bool TGanttSeries::IsValidSourceOf(const TChartSeries* Value) const {
  return Value != this && dynamic_cast<const TGanttSeries*>(Value) != nullptr;
}

// -- gallery and sample values

void TGanttSeries::PrepareForGallery(bool IsEnabled) {
  TPointSeries::PrepareForGallery(IsEnabled);
  SetColorEachPoint(IsEnabled);
  GetPointer().SetVertSize(3);
  GetPointer().GetGradient().SetVisible(true);
}

void TGanttSeries::LinkEarlierTask(int Index, double Start) {
  for (int J = 0; J < Index; ++J)
    if (FNextTask->GetValue(J) == -1 && FEndValues->GetValue(J) < Start) {
      FNextTask->SetValue(J, Index);
      return;
    }
}

void TGanttSeries::AddSampleValues(int NumValues, bool) {
  static const QString* const Names[] = {
      &Korconst::KorMsg_GanttSample1, &Korconst::KorMsg_GanttSample2,
      &Korconst::KorMsg_GanttSample3, &Korconst::KorMsg_GanttSample4,
      &Korconst::KorMsg_GanttSample5, &Korconst::KorMsg_GanttSample6,
      &Korconst::KorMsg_GanttSample7, &Korconst::KorMsg_GanttSample8,
      &Korconst::KorMsg_GanttSample9, &Korconst::KorMsg_GanttSample10};
  const double Today = Date();
  const int Last = std::min(NumValues - 1, 10 + static_cast<int>(RandomValue(20)));
  for (int I = 0; I <= Last; ++I) {
    const double Start = Today + 3 * I + RandomValue(5);
    const double End = Start + 9 + RandomValue(16);
    const int Index = AddGantt(Start, End, I % 10, *Names[I % 10]);
    LinkEarlierTask(Index, Start);
  }
}
