#include "chart/series/TFastLineSeries.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/TPen.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Draws every step at once on the chart's canvas (at the series' middle
// depth in 3D).
class TDirectSink {
 public:
  TDirectSink(TCanvas3D& Canvas, bool Is3D, int Z) : FCanvas(Canvas), FIs3D(Is3D), FZ(Z) {}

  void MoveTo(int X, int Y) {
    if (FIs3D)
      FCanvas.MoveTo3D(X, Y, FZ);
    else
      FCanvas.MoveTo(X, Y);
  }
  void LineTo(int X, int Y) {
    if (FIs3D)
      FCanvas.LineTo3D(X, Y, FZ);
    else
      FCanvas.LineTo(X, Y);
  }

 private:
  TCanvas3D& FCanvas;
  bool FIs3D;
  int FZ;
};

// Points a run sink holds, and values the axes convert at a time: on the
// stack, so a frame allocates nothing per series.
constexpr int PieceSize = 1024;

void DrawPolyline(TCanvas3D& Canvas, bool Is3D, int Z, const TPoint* Points, size_t Count) {
  const int High = static_cast<int>(Count) - 1;
  if (Is3D)
    Canvas.Polyline(Points, High, Z);
  else
    Canvas.Polyline(Points, High);
}

}  // namespace

// What a plain trace gave the canvas, and what it was made from: the
// points (their values and order, which the generations of the value
// lists tell), the visible range, both axes' mappings and the depth.
struct TFastLineTrace {
  struct TSource {
    const TChartValueList* XList = nullptr;
    const TChartValueList* YList = nullptr;
    std::uint64_t XGeneration = 0;
    std::uint64_t YGeneration = 0;
    int Start = 0;
    int Last = -1;
    TAxisMapping Horizontal;
    TAxisMapping Vertical;
    bool Is3D = false;
    int Z = 0;
    bool operator==(const TSource&) const = default;
  };

  void Keep(const TPoint* Run, size_t Count) {
    Polylines.emplace_back(Points.size(), Count);
    Points.insert(Points.end(), Run, Run + Count);
  }
  void Clear() {
    Points.clear();
    Polylines.clear();
  }

  TSource Source;
  std::vector<TPoint> Points;
  // Start and length in Points of each polyline, in the order drawn.
  std::vector<std::pair<size_t, size_t>> Polylines;
  // Where the trace left the pen.
  TPoint End;
};

namespace {

// Collects the steps into runs of joined points, from a move to the next,
// and draws each run with polylines: a long trace costs one canvas call
// per PieceSize points instead of one per point. Only for pens whose
// segments are drawn each on its own (see DrawsSegmentsAlone), where a
// polyline leaves exactly the pixels of its segments drawn one by one, so
// a run may also be cut into polylines that share their joining point.
class TRunSink {
 public:
  // Trace, when given, keeps every polyline drawn.
  TRunSink(TCanvas3D& Canvas, bool Is3D, int Z, int X, int Y, TFastLineTrace* Trace = nullptr)
      : FCanvas(Canvas), FIs3D(Is3D), FZ(Z), FTrace(Trace) {
    FRun[0] = TPoint(X, Y);
  }

  void MoveTo(int X, int Y) {
    Flush();
    FRun[0] = TPoint(X, Y);
    FSize = 1;
  }
  // A repeated point adds no segment. Without a branch on it: in a dense
  // trace, whether a point lands on the pixel of the one before is as good
  // as random.
  void LineTo(int X, int Y) {
    const TPoint& Last = FRun[FSize - 1];
    const bool New = (Last.X != X) | (Last.Y != Y);
    FRun[FSize] = TPoint(X, Y);
    FSize += New;
    if (FSize == FRun.size()) {
      Flush();
      FRun[0] = FRun[FSize - 1];
      FSize = 1;
    }
  }
  // LineTo(X[K], Y[K]) for K < Count, with the last point kept in
  // registers: through the run array, each point would wait for the one
  // before to be stored and loaded back.
  void LineTo(const int* X, const int* Y, int Count) {
    size_t Size = FSize;
    int LastX = FRun[Size - 1].X;
    int LastY = FRun[Size - 1].Y;
    for (int K = 0; K < Count; ++K) {
      const int PX = X[K];
      const int PY = Y[K];
      FRun[Size] = TPoint(PX, PY);
      Size += (PX != LastX) | (PY != LastY);
      LastX = PX;
      LastY = PY;
      if (Size == FRun.size()) {
        FSize = Size;
        Flush();
        FRun[0] = FRun[Size - 1];
        Size = 1;
      }
    }
    FSize = Size;
  }
  const TPoint& Last() const { return FRun[FSize - 1]; }
  // Draws the last run and leaves the pen at its end, where drawing the
  // steps one by one would have left it.
  void Finish() {
    Flush();
    TDirectSink(FCanvas, FIs3D, FZ).MoveTo(Last().X, Last().Y);
  }

 private:
  void Flush() {
    if (FSize < 2) return;
    if (FTrace != nullptr) FTrace->Keep(FRun.data(), FSize);
    DrawPolyline(FCanvas, FIs3D, FZ, FRun.data(), FSize);
  }

  TCanvas3D& FCanvas;
  bool FIs3D;
  int FZ;
  TFastLineTrace* FTrace;
  std::array<TPoint, PieceSize> FRun;  // the run is FRun[0 .. FSize - 1]
  size_t FSize = 1;
};

// Calls Piece(Begin, X, Y, Count) with the chart pixels of the points
// First .. Last (straight from the value arrays, which hold them), X[K]
// and Y[K] those of point Begin + K, converted by the axes PieceSize
// values at a time.
template <class TPiece>
void ForEachPiece(const TChartAxis& Horizontal, const TChartAxis& Vertical, const double* XValues,
                  const double* YValues, int First, int Last, TPiece Piece) {
  std::array<int, PieceSize> X;
  std::array<int, PieceSize> Y;
  for (int Begin = First; Begin <= Last; Begin += PieceSize) {
    const int Count = std::min(PieceSize, Last - Begin + 1);
    Horizontal.CalcXPosValues(XValues + Begin, Count, X.data());
    Vertical.CalcYPosValues(YValues + Begin, Count, Y.data());
    Piece(Begin, X.data(), Y.data(), Count);
  }
}

// Calls Step(Index, X, Y) with the chart pixels of the points First ..
// Last.
template <class TStep>
void ForEachPixel(const TChartAxis& Horizontal, const TChartAxis& Vertical, const double* XValues,
                  const double* YValues, int First, int Last, TStep Step) {
  ForEachPiece(Horizontal, Vertical, XValues, YValues, First, Last,
               [&Step](int Begin, const int* X, const int* Y, int Count) {
                 for (int K = 0; K < Count; ++K) Step(Begin + K, X[K], Y[K]);
               });
}

// A pen of one pixel without a dash pattern draws each segment of a line
// independently of the others (no joins, no pattern running on), so
// segments may be joined into polylines without changing a pixel.
bool DrawsSegmentsAlone(const TPen& Pen) {
  const TPenStyle Style = Pen.GetStyle();
  return Pen.GetWidth() <= 1 && (Style == psSolid || Style == psInsideFrame || Style == psClear);
}

}  // namespace

TFastLineSeries::TFastLineSeries(TComponent* AOwner) : TCustomLineSeries(AOwner) {
  // The segment that leaves the chart is drawn, and a function of this
  // series that gives one value shows as a segment across the source.
  SetDrawBetweenPoints(true);
  SetSinglePointFunction(false);
}

TFastLineSeries::~TFastLineSeries() = default;

const TPropertyList& TFastLineSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TFastLineSeries;
  static const TPropertyList List(
      TCustomLineSeries::Properties(),
      {
          PP::Boolean<C>(QStringLiteral("AutoRepaint"), &C::GetAutoRepaint, &C::SetAutoRepaint,
                         true),
          PP::Boolean<C>(QStringLiteral("DrawAllPoints"), &C::GetDrawAllPoints, &C::SetDrawAll,
                         true),
          PP::Boolean<C>(QStringLiteral("IgnoreNulls"), &C::GetIgnoreNulls, &C::SetIgnoreNulls,
                         true),
          PP::Boolean<C>(QStringLiteral("InvertedStairs"), &C::GetInvertedStairs,
                         &C::SetInvertedStairs, false),
          PP::Boolean<C>(QStringLiteral("Stairs"), &C::GetStairs, &C::SetStairs, false),
          PP::Object<C, TChartPen>(QStringLiteral("LinePen"), &C::LinePenObject),
      });
  return List;
}

void TFastLineSeries::Assign(const TPersistent& Source) {
  if (const auto* S = dynamic_cast<const TFastLineSeries*>(&Source)) {
    FAutoRepaint = S->FAutoRepaint;
    FDrawAllPoints = S->FDrawAllPoints;
    FFastPen = S->FFastPen;
    FIgnoreNulls = S->FIgnoreNulls;
    FInvertedStairs = S->FInvertedStairs;
    FStairs = S->FStairs;
  }
  TCustomLineSeries::Assign(Source);
}

// -- properties

void TFastLineSeries::SetDrawAll(bool Value) {
  SetBooleanProperty(FDrawAllPoints, Value);
}

void TFastLineSeries::SetFastPen(bool Value) {
  if (KorSetDCPenColor == nullptr) return;
  FFastPen = Value;
}

void TFastLineSeries::SetIgnoreNulls(bool Value) {
  SetBooleanProperty(FIgnoreNulls, Value);
}

void TFastLineSeries::SetInvertedStairs(bool Value) {
  SetBooleanProperty(FInvertedStairs, Value);
}

void TFastLineSeries::SetStairs(bool Value) {
  SetBooleanProperty(FStairs, Value);
}

// -- colours and pen

void TFastLineSeries::SetPen(const TChartPen& Value) {
  TCustomLineSeries::SetPen(Value);
  SetSeriesColor(GetLinePen().GetColor());
}

void TFastLineSeries::SetSeriesColor(TColor AColor) {
  TCustomLineSeries::SetSeriesColor(AColor);
  GetLinePen().SetColor(AColor);
}

// -- margins and gallery

void TFastLineSeries::CalcHorizMargins(int& LeftMargin, int& RightMargin) {
  TCustomLineSeries::CalcHorizMargins(LeftMargin, RightMargin);
  const int W = GetLinePen().GetWidth();
  LeftMargin += W - (W - 2) / 2;
  RightMargin += W - (W - 2) / 2;
}

void TFastLineSeries::CalcVerticalMargins(int& TopMargin, int& BottomMargin) {
  TCustomLineSeries::CalcVerticalMargins(TopMargin, BottomMargin);
  const int W = GetLinePen().GetWidth();
  TopMargin += W - (W - 2) / 2;
  BottomMargin += W - (W - 2) / 2;
}

QStringList TFastLineSeries::CreateSubGallery() const {
  QStringList Items = TCustomLineSeries::CreateSubGallery();
  Items << Korconst::KorMsg_Marks << Korconst::KorMsg_Dotted << Korconst::KorMsg_Stairs;
  return Items;
}

void TFastLineSeries::SetSubGallery(int Index) {
  switch (Index) {
    case 1: GetMarks().SetVisible(true); break;
    case 2: GetLinePen().SetSmallDots(true); break;
    case 3: SetStairs(true); break;
    default: break;
  }
}

// -- drawing

bool TFastLineSeries::CanDraw() const {
  return GetParentChart() != nullptr && GetHorizAxisObject() != nullptr &&
         GetVertAxisObject() != nullptr;
}

void TFastLineSeries::CalcPosition(int ValueIndex, int& X, int& Y) const {
  X = CalcXPosValue(GetXValues().GetValue(ValueIndex));
  Y = CalcYPosValue(GetYValues().GetValue(ValueIndex));
}

void TFastLineSeries::PrepareCanvas() {
  TCanvas3D& Canvas = GetParentChart()->GetPanelCanvas();
  Canvas.AssignVisiblePen(GetLinePen());
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.SetBackMode(cbmTransparent);
}

// With IgnoreNulls off a null point is joined to neither neighbour: its
// position is a placeholder, not data.
bool TFastLineSeries::BreaksAt(int ValueIndex) const {
  return !FIgnoreNulls && IsNull(ValueIndex);
}

template <class TSink>
void TFastLineSeries::StepTo(int ValueIndex, int X, int Y, TSink& Sink) {
  if (X == FLastX && (!FDrawAllPoints || Y == FLastY)) return;
  const bool Null = BreaksAt(ValueIndex);
  if (Null || FLastNull) {
    Sink.MoveTo(X, Y);
  } else {
    if (FStairs) {
      if (FInvertedStairs)
        Sink.LineTo(FLastX, Y);
      else
        Sink.LineTo(X, FLastY);
    }
    Sink.LineTo(X, Y);
  }
  FLastX = X;
  FLastY = Y;
  FLastNull = Null;
}

void TFastLineSeries::DrawAllValues() {
  if (!CanDraw()) return;
  PrepareCanvas();
  const int First = GetFirstValueIndex();
  // The visible range is that of the last pass; points may have gone since.
  const int Last = std::min(GetLastValueIndex(), Count() - 1);
  if (First < 0 || Last < First) return;
  TCustomAxisPanel& Chart = *GetParentChart();
  TCanvas3D& Canvas = Chart.GetPanelCanvas();
  const bool Is3D = Chart.GetView3D();
  // From the point before the first visible one, so that the segment that
  // enters the chart is drawn.
  const int Start = First > 0 ? First - 1 : First;
  CalcPosition(Start, FLastX, FLastY);
  FLastNull = BreaksAt(Start);
  const int From = First > 0 ? First : First + 1;
  const double* XValues = GetXValues().Data();
  const double* YValues = GetYValues().Data();
  const TChartAxis& Horizontal = *GetHorizAxisObject();
  const TChartAxis& Vertical = *GetVertAxisObject();
  auto Steps = [&](auto& Sink) {
    ForEachPixel(Horizontal, Vertical, XValues, YValues, From, Last,
                 [&](int I, int X, int Y) { StepTo(I, X, Y, Sink); });
  };
  if (DrawsSegmentsAlone(Canvas.GetPen())) {
    if (FDrawAllPoints && !FStairs && FIgnoreNulls) {
      DrawPlainTrace(Start, From, Last);
      return;
    }
    TRunSink Sink(Canvas, Is3D, GetMiddleZ(), FLastX, FLastY);
    Steps(Sink);
    Sink.Finish();
  } else {
    TDirectSink Sink(Canvas, Is3D, GetMiddleZ());
    Sink.MoveTo(FLastX, FLastY);
    Steps(Sink);
  }
}

// A frame whose data and scales did not change (another series was
// dragged, the chart was drawn again) gives the canvas the same polylines:
// the last ones are given again instead of converting every point.
void TFastLineSeries::DrawPlainTrace(int Start, int From, int Last) {
  TCanvas3D& Canvas = GetParentChart()->GetPanelCanvas();
  const TChartAxis& Horizontal = *GetHorizAxisObject();
  const TChartAxis& Vertical = *GetVertAxisObject();
  const TChartValueList& XList = GetXValues();
  const TChartValueList& YList = GetYValues();
  const TFastLineTrace::TSource Source{&XList,
                                       &YList,
                                       XList.GetGeneration(),
                                       YList.GetGeneration(),
                                       Start,
                                       Last,
                                       Horizontal.GetMapping(),
                                       Vertical.GetMapping(),
                                       GetParentChart()->GetView3D(),
                                       GetMiddleZ()};
  if (!FTrace) FTrace = std::make_unique<TFastLineTrace>();
  TFastLineTrace& Trace = *FTrace;
  if (Trace.Source == Source) {
    for (const auto& [First, Count] : Trace.Polylines)
      DrawPolyline(Canvas, Source.Is3D, Source.Z, Trace.Points.data() + First, Count);
    // Where the run leaves the pen.
    TDirectSink(Canvas, Source.Is3D, Source.Z).MoveTo(Trace.End.X, Trace.End.Y);
  } else {
    Trace.Clear();
    Trace.Source = Source;
    TRunSink Sink(Canvas, Source.Is3D, Source.Z, FLastX, FLastY, &Trace);
    // Every step is a line to the point, which the run leaves out when it
    // repeats the pixel before.
    ForEachPiece(Horizontal, Vertical, XList.Data(), YList.Data(), From, Last,
                 [&Sink](int, const int* X, const int* Y, int Count) { Sink.LineTo(X, Y, Count); });
    Sink.Finish();
    Trace.End = Sink.Last();
  }
  FLastX = Trace.End.X;
  FLastY = Trace.End.Y;
}

void TFastLineSeries::DrawValue(int ValueIndex) {
  if (!CanDraw()) return;
  int X;
  int Y;
  CalcPosition(ValueIndex, X, Y);
  TDirectSink Sink(GetParentChart()->GetPanelCanvas(), GetParentChart()->GetView3D(), GetMiddleZ());
  StepTo(ValueIndex, X, Y, Sink);
}

// A new point is announced as always (OnAfterAdd, linked series); with auto
// repaint off only the repaint is replaced by drawing its segment.
void TFastLineSeries::NotifyNewValue(TChartSeries* Sender, int ValueIndex) {
  if (FAutoRepaint) {
    TCustomLineSeries::NotifyNewValue(Sender, ValueIndex);
    return;
  }
  if (OnAfterAdd) OnAfterAdd(this, ValueIndex);
  NotifyValue(veAdd, ValueIndex);
  if (!GetActive() || !CanDraw() || ValueIndex < 0 || ValueIndex >= Count()) return;
  const int Previous = ValueIndex > 0 ? ValueIndex - 1 : 0;
  CalcPosition(Previous, FLastX, FLastY);
  FLastNull = BreaksAt(Previous);
  TCustomAxisPanel& Chart = *GetParentChart();
  TCanvas3D& Canvas = Chart.GetPanelCanvas();
  if (FFastPen && KorSetDCPenColor != nullptr) {
    // The canvas's stock pen: solid, one pixel, recoloured in place.
    Canvas.GetPen().SetStyle(psSolid);
    Canvas.GetPen().SetWidth(1);
    KorSetDCPenColor(Canvas.GetReferenceCanvas(), GetLinePen().GetColor());
  } else {
    Canvas.AssignVisiblePen(GetLinePen());
  }
  TDirectSink Sink(Canvas, Chart.GetView3D(), GetMiddleZ());
  Sink.MoveTo(FLastX, FLastY);
  int X;
  int Y;
  CalcPosition(ValueIndex, X, Y);
  StepTo(ValueIndex, X, Y, Sink);
}

void TFastLineSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle&) {
  if (GetParentChart() != nullptr) PrepareCanvas();
}

void TFastLineSeries::DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) {
  GetMarks().ApplyArrowLength(APosition);
  TCustomLineSeries::DrawMark(ValueIndex, St, APosition);
}

void TFastLineSeries::DrawLegendShape(int, const TRect& Rect) {
  if (GetParentChart() == nullptr) return;
  GetParentChart()->GetPanelCanvas().DoHorizLine(Rect.Left, Rect.Right,
                                                 (Rect.Top + Rect.Bottom) / 2);
}

// -- hit test

int TFastLineSeries::Clicked(int X, int Y) const {
  const int First = GetFirstValueIndex();
  const int Last = std::min(GetLastValueIndex(), Count() - 1);
  if (First < 0 || Last < 0 || !CanDraw()) return -1;
  GetParentChart()->GetPanelCanvas().Calculate2DPosition(X, Y, GetMiddleZ());
  const TPoint Mouse(X, Y);
  TPoint Previous;
  for (int I = First; I <= Last; ++I) {
    TPoint P;
    CalcPosition(I, P.X, P.Y);
    if (P == Mouse) return I;
    if (I > First && PointInLine(Mouse, P, Previous)) return I - 1;
    Previous = P;
  }
  return -1;
}
