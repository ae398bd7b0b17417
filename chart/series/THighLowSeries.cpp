#include "chart/series/THighLowSeries.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorBlend.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <array>

THighLowSeries::THighLowSeries(TComponent* AOwner)
    : TChartSeries(AOwner),
      FLow(new TChartValueList(this, Korproco::KorMsg_ValuesLow)),
      FHighPen(std::make_unique<TChartPen>([this](TPersistent* Sender) { CanvasChanged(Sender); })),
      FLowPen(std::make_unique<TChartPen>([this](TPersistent* Sender) { CanvasChanged(Sender); })),
      FLowBrush(
          std::make_unique<TChartBrush>([this](TPersistent* Sender) { CanvasChanged(Sender); })) {
  GetYValues().SetName(Korproco::KorMsg_ValuesHigh);
  GetBrush().SetStyle(bsClear);
  FLowBrush->SetStyle(bsClear);
  // The joining lines take each point's colour.
  GetPen().SetColor(clDefault);
}

THighLowSeries::~THighLowSeries() = default;

const TPropertyList& THighLowSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = THighLowSeries;
  static const TPropertyList List(
      TChartSeries::Properties(),
      {
          PP::Object<C, TChartValueList>(QStringLiteral("HighValues"), &C::HighValuesObject),
          PP::Object<C, TChartValueList>(QStringLiteral("LowValues"), &C::LowValuesObject),
          PP::Object<C, TChartPen>(QStringLiteral("HighPen"), &C::HighPenObject),
          PP::Object<C, TChartPen>(QStringLiteral("LowPen"), &C::LowPenObject),
          PP::Object<C, TChartBrush>(QStringLiteral("HighBrush"), &C::HighBrushObject),
          PP::Object<C, TChartBrush>(QStringLiteral("LowBrush"), &C::LowBrushObject),
          PP::Integer<C>(QStringLiteral("Transparency"), &C::GetTransparency, &C::SetTransparency,
                         0),
      });
  return List;
}

void THighLowSeries::Assign(const TPersistent& Source) {
  if (const auto* S = dynamic_cast<const THighLowSeries*>(&Source); S != nullptr && S != this) {
    FHighPen->Assign(*S->FHighPen);
    FLowPen->Assign(*S->FLowPen);
    FLowBrush->Assign(*S->FLowBrush);
    FTransparency = S->FTransparency;
  }
  TChartSeries::Assign(Source);
}

void THighLowSeries::SetLowValues(const TChartValueList& Value) {
  FLow->Assign(Value);
  Repaint();
}

void THighLowSeries::SetHighPen(const TChartPen& Value) {
  FHighPen->Assign(Value);
}

void THighLowSeries::SetLowPen(const TChartPen& Value) {
  FLowPen->Assign(Value);
}

void THighLowSeries::SetLowBrush(const TChartBrush& Value) {
  FLowBrush->Assign(Value);
}

void THighLowSeries::SetTransparency(int Value) {
  SetIntegerProperty(FTransparency, Value);
}

int THighLowSeries::AddHighLow(double AX, double AHigh, double ALow, const QString& ALabel,
                               TColor AColor) {
  FLow->SetTempValue(ALow);
  return AddXY(AX, AHigh, ALabel, AColor);
}

double THighLowSeries::MaxYValue() const {
  return std::max(GetYValues().MaxValue(), FLow->MaxValue());
}

double THighLowSeries::MinYValue() const {
  return std::min(GetYValues().MinValue(), FLow->MinValue());
}

bool THighLowSeries::IsValidSourceOf(const TChartSeries* Value) const {
  return Value != this && dynamic_cast<const THighLowSeries*>(Value) != nullptr;
}

// -- drawing

void THighLowSeries::CalcPoint(int ValueIndex, int& X, int& High, int& Low) const {
  X = CalcXPos(ValueIndex);
  High = CalcYPos(ValueIndex);
  Low = CalcYPosValue(FLow->GetValue(ValueIndex));
}

void THighLowSeries::DrawValue(int ValueIndex) {
  if (GetParentChart() == nullptr) return;
  int X;
  int High;
  int Low;
  CalcPoint(ValueIndex, X, High, Low);
  if (ValueIndex != FirstDisplayedIndex()) DrawSegment(ValueIndex, X, High, Low);
  FPreviousX = X;
  FPreviousHigh = High;
  FPreviousLow = Low;
}

void THighLowSeries::DrawLine(const TChartPen& Pen, const TPoint& From, const TPoint& To) {
  if (!Pen.GetVisible()) return;
  TCustomAxisPanel& Chart = *GetParentChart();
  TCanvas3D& C = Chart.GetPanelCanvas();
  C.AssignVisiblePen(Pen);
  if (Chart.GetView3D()) {
    C.LineWithZ(From, To, GetMiddleZ());
  } else {
    C.MoveTo(From.X, From.Y);
    C.LineTo(To.X, To.Y);
  }
}

void THighLowSeries::DrawSegment(int ValueIndex, int X, int High, int Low) {
  TCustomAxisPanel& Chart = *GetParentChart();
  TCanvas3D& C = Chart.GetPanelCanvas();
  const bool D3 = Chart.GetView3D();
  const int Z = GetMiddleZ();
  const bool Forward = DrawValuesForward();
  const int Previous = Forward ? ValueIndex - 1 : ValueIndex + 1;
  if (Previous < 0 || Previous >= Count()) return;
  const bool PreviousNull = IsNull(Previous);
  const bool Null = IsNull(ValueIndex);
  const TColor PreviousColor = GetValueColor(Previous);
  const TPoint PH(FPreviousX, FPreviousHigh);
  const TPoint PL(FPreviousX, FPreviousLow);
  if (!PreviousNull && !Null) {
    const bool Above = GetYValues().GetValue(ValueIndex) > FLow->GetValue(ValueIndex);
    const TChartBrush& Brush = Above ? GetHighBrush() : *FLowBrush;
    if (Brush.GetStyle() != bsClear) {
      C.GetPen().SetStyle(psClear);
      C.AssignBrush(Brush, PreviousColor);
      const TFourPoints Band{PH, PL, TPoint(X, Low), TPoint(X, High)};
      auto Fill = [&] {
        if (D3)
          C.PlaneWithZ(Band, Z);
        else
          C.Polygon(Band.data(), 3);
      };
      if (FTransparency > 0) {
        TFourPoints Device = Band;
        if (D3)
          for (TPoint& P : Device) P = C.Calculate3DPosition(P, Z);
        std::unique_ptr<TKorBlend> Blend =
            C.BeginBlending(RectFromPolygon(Device.data(), 4), FTransparency);
        Fill();
        C.EndBlending(std::move(Blend));
      } else {
        Fill();
      }
    }
    DrawLine(*FHighPen, PH, TPoint(X, High));
    DrawLine(*FLowPen, PL, TPoint(X, Low));
  }
  if (!GetPen().GetVisible() || PreviousNull) return;
  auto Joining = [&](int AtX, int AtHigh, int AtLow, TColor PointColor) {
    const TColor Own = GetPen().GetColor();
    C.AssignVisiblePenColor(GetPen(), Own == clDefault ? PointColor : Own);
    if (D3) {
      C.LineWithZ(AtX, AtHigh, AtX, AtLow, Z);
    } else {
      C.MoveTo(AtX, AtHigh);
      C.LineTo(AtX, AtLow);
    }
  };
  Joining(FPreviousX, FPreviousHigh, FPreviousLow, PreviousColor);
  const bool LastDrawn =
      Forward ? ValueIndex == GetLastValueIndex() : ValueIndex == GetFirstValueIndex();
  if (LastDrawn && !Null) Joining(X, High, Low, GetValueColor(ValueIndex));
}

// -- hit test

int THighLowSeries::Clicked(int X, int Y) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  const int First = GetFirstValueIndex();
  // The visible range is that of the last pass; points may have gone since.
  const int Last = std::min(GetLastValueIndex(), Count() - 1);
  if (Chart == nullptr || First < 0) return -1;
  const TCanvas3D& C = Chart->GetPanelCanvas();
  const bool D3 = Chart->GetView3D();
  auto Device = [&](int PX, int PY) {
    return D3 ? C.Calculate3DPosition(PX, PY, GetMiddleZ()) : TPoint(PX, PY);
  };
  const TPoint Mouse(X, Y);
  int PX = 0;
  int PHigh = 0;
  int PLow = 0;
  for (int I = First; I <= Last; ++I) {
    int PointX;
    int High;
    int Low;
    CalcPoint(I, PointX, High, Low);
    if (I > First) {
      const std::array<TPoint, 4> Band{Device(PX, PHigh), Device(PX, PLow), Device(PointX, Low),
                                       Device(PointX, High)};
      if (PointInPolygon(Mouse, Band)) return I;
    }
    PX = PointX;
    PHigh = High;
    PLow = Low;
  }
  return -1;
}

// -- gallery and sample values

QStringList THighLowSeries::CreateSubGallery() const {
  QStringList Items = TChartSeries::CreateSubGallery();
  Items << Korconst::KorMsg_Filled << Korconst::KorMsg_NoLines << Korproco::KorMsg_NoHigh
        << Korproco::KorMsg_NoLow;
  return Items;
}

void THighLowSeries::SetSubGallery(int Index) {
  switch (Index) {
    case 1: GetHighBrush().SetStyle(bsSolid); break;
    case 2: GetPen().SetVisible(false); break;
    case 3: FHighPen->SetVisible(false); break;
    case 4: FLowPen->SetVisible(false); break;
    default: break;
  }
}

void THighLowSeries::AddSampleValues(int NumValues, bool) {
  const TSeriesRandomBounds R = RandomBounds(NumValues);
  double Value = RandomValue(Round(R.DifY));
  double X = R.StartX;
  for (int I = 0; I < NumValues; ++I) {
    Value += RandomValue(Round(R.DifY / 5)) - R.DifY / 10;
    const double Low = Value - RandomValue(Round(R.DifY / 5));
    AddHighLow(X, Value, Low);
    X += R.StepX;
  }
}
