#include "platform/TCanvas.h"

#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TCanvasLayer.h"
#include "platform/TDirtyRows.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRegion>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <numbers>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace {

bool TextAntialiasing = true;
bool DirectLineDrawing = true;
bool KeptGlyphs = true;

// Everything about a font that changes how text looks; a change makes the
// font colour the text colour again.
// (The resolution is not part of it: the canvas changes that itself when
// the mapping changes, and the text looks the same.)
using TFontKey = std::tuple<QString, int, int, TColor, int, int, int, int>;

// A device font is the font at the resolution and mapping of the canvas,
// with its character spacing and smoothing.
using TDeviceFontKey = std::tuple<TFontKey, int, int, double, double, bool>;

TFontKey KeyOf(const TFont& Font) {
  return {Font.GetName(),    Font.GetHeight(), int(Font.GetStyle()),  Font.GetColor(),
          Font.GetCharset(), Font.GetPitch(),  Font.GetOrientation(), Font.GetQuality()};
}

int Saturate(std::int64_t V) {
  return static_cast<int>(std::clamp<std::int64_t>(V, INT_MIN, INT_MAX));
}

// V * Num / Den rounded half away from zero.
std::int64_t Scale(std::int64_t V, int Num, int Den) {
  if (Den == 0) return V;
  double Q = static_cast<double>(V) * Num / Den;
  return static_cast<std::int64_t>(Q < 0 ? std::ceil(Q - 0.5) : std::floor(Q + 0.5));
}

// Box coordinates stay well inside the range where widths and heights
// cannot overflow.
constexpr int DrawLimit = 1 << 28;

// Corners in any order; clamped so that widths cannot overflow (a box this
// large covers every device whatever its far edges).
QRect NormalRect(int L, int T, int R, int B) {
  L = std::clamp(L, -DrawLimit, DrawLimit);
  T = std::clamp(T, -DrawLimit, DrawLimit);
  R = std::clamp(R, -DrawLimit, DrawLimit);
  B = std::clamp(B, -DrawLimit, DrawLimit);
  if (R < L) std::swap(L, R);
  if (B < T) std::swap(T, B);
  return QRect(L, T, R - L, B - T);
}

// Cosmetic dash lengths in pixels (on, off, ...); empty for a solid line.
// The built-in styles' tables are shared; a user style's is worked out
// into Buffer, so lines pay for no allocation.
const std::vector<int>& CosmeticPattern(const TPen& Pen, std::vector<int>& Buffer) {
  static const std::vector<int> Solid;
  static const std::vector<int> Dash{18, 6};
  static const std::vector<int> Dot{3, 3};
  static const std::vector<int> DashDot{9, 6, 3, 6};
  static const std::vector<int> DashDotDot{9, 3, 3, 3, 3, 3};
  static const std::vector<int> Alternate{1, 1};
  switch (Pen.GetStyle()) {
    case psDash: return Dash;
    case psDot: return Dot;
    case psDashDot: return DashDot;
    case psDashDotDot: return DashDotDot;
    case psAlternate: return Alternate;
    case psUserStyle: {
      // An on length of 0 is one dot; the gap after it shrinks to keep
      // the period.
      std::vector<int>& P = Buffer;
      P = Pen.GetUserDashes();
      if (P.size() % 2 == 1) P.push_back(P.back());
      for (std::size_t I = 0; I + 1 < P.size(); I += 2) {
        P[I] = std::max(0, P[I]);
        P[I + 1] = std::max(0, P[I + 1]);
        if (P[I] == 0) {
          P[I] = 1;
          P[I + 1] = std::max(0, P[I + 1] - 1);
        }
      }
      bool AnyGap = false;
      for (std::size_t I = 1; I < P.size(); I += 2) AnyGap = AnyGap || P[I] > 0;
      return AnyGap ? P : Solid;
    }
    default: return Solid;
  }
}

// Whether the one-pixel pen draws dashes (with gaps).
bool HasCosmeticPattern(const TPen& Pen) {
  std::vector<int> Buffer;
  return !CosmeticPattern(Pen, Buffer).empty();
}

// Dash lengths in pen widths for geometric pens.
QList<qreal> GeometricPattern(const TPen& Pen) {
  switch (Pen.GetStyle()) {
    case psDash: return {3, 1};
    case psDot:
    case psAlternate: return {1, 1};
    case psDashDot: return {3, 1, 1, 1};
    case psDashDotDot: return {3, 1, 1, 1, 1, 1};
    case psUserStyle: {
      QList<qreal> P;
      for (int V : Pen.GetUserDashes()) P.append(std::max(0, V));
      if (P.size() % 2 == 1) P.append(P.back());
      qreal Sum = 0;
      for (qreal V : P) Sum += V;
      return Sum > 0 ? P : QList<qreal>();
    }
    default: return {};
  }
}

QPainter::CompositionMode RasterOp(TPenMode Mode) {
  switch (Mode) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

Qt::BrushStyle HatchStyle(TBrushStyle Style) {
  switch (Style) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsClear: return Qt::NoBrush;
    default: return Qt::SolidPattern;
  }
}

// The one-pixel line rule shared by the painter stroker and the direct
// one: the line from A towards B takes Major steps along its longer axis (B
// itself excluded), and step I lies Offset(I) pixels from A along the
// shorter axis, rounded to nearest with halves away from A. Coordinates
// are whole device ints, so Major and AbsMinor reach 2^32 and their
// products need 128 bits.
struct TLineRule {
  using TWide = __int128;

  TLineRule(const QPoint& A, const QPoint& B) {
    const std::int64_t DX = std::int64_t(B.x()) - A.x();
    const std::int64_t DY = std::int64_t(B.y()) - A.y();
    Major = std::max(std::abs(DX), std::abs(DY));
    XMajor = std::abs(DX) >= std::abs(DY);
    const std::int64_t Minor = XMajor ? DY : DX;
    AbsMinor = std::abs(Minor);
    MajorStep = (XMajor ? DX : DY) > 0 ? 1 : -1;
    MinorStep = Minor < 0 ? -1 : 1;
    StartMajor = XMajor ? A.x() : A.y();
    StartMinor = XMajor ? A.y() : A.x();
  }

  // Offset(I) = (2 I AbsMinor + Major) div (2 Major).
  std::int64_t Offset(std::int64_t I) const {
    return static_cast<std::int64_t>((TWide(2) * I * AbsMinor + Major) / (TWide(2) * Major));
  }
  QPoint Pixel(std::int64_t I) const {
    const std::int64_t M = StartMajor + I * MajorStep;
    const std::int64_t N = StartMinor + Offset(I) * MinorStep;
    return XMajor ? QPoint(int(M), int(N)) : QPoint(int(N), int(M));
  }

  // Narrows [First, Last] to the steps whose major coordinate lies in
  // [Low, High].
  void LimitMajor(std::int64_t Low, std::int64_t High, std::int64_t& First,
                  std::int64_t& Last) const {
    First = std::max(First, MajorStep > 0 ? Low - StartMajor : StartMajor - High);
    Last = std::min(Last, MajorStep > 0 ? High - StartMajor : StartMajor - Low);
  }

  // Narrows [First, Last] to the steps whose minor coordinate lies in
  // [Low, High]. The offset never falls as I grows, so each bound is one
  // division: Offset(I) >= K exactly when 2 I AbsMinor >= 2 Major K - Major,
  // and Offset(I) <= K exactly when 2 I AbsMinor <= 2 Major K + Major - 1.
  void LimitMinor(std::int64_t Low, std::int64_t High, std::int64_t& First,
                  std::int64_t& Last) const {
    const std::int64_t KLow = MinorStep > 0 ? Low - StartMinor : StartMinor - High;
    const std::int64_t KHigh = MinorStep > 0 ? High - StartMinor : StartMinor - Low;
    if (KHigh < 0 || (AbsMinor == 0 && KLow > 0)) {
      Last = First - 1;
      return;
    }
    if (AbsMinor == 0) return;
    const TWide TwoMinor = TWide(2) * AbsMinor;
    if (KLow > 0) {
      const TWide Need = TWide(2) * Major * KLow - Major;
      First = std::max<TWide>(First, (Need + TwoMinor - 1) / TwoMinor);
    }
    const TWide Allow = (TWide(2) * Major * KHigh + Major - 1) / TwoMinor;
    if (Allow < Last) Last = static_cast<std::int64_t>(Allow);
  }

  std::int64_t Major = 0;  // 0: the line has no pixels
  std::int64_t AbsMinor = 0;
  bool XMajor = true;
  int MajorStep = 1;
  int MinorStep = 1;
  std::int64_t StartMajor = 0;
  std::int64_t StartMinor = 0;
};

// The pattern entry after Dash (below Count): a comparison where a
// division would cost more than writing the pixels of a short dash.
std::size_t NextDash(std::size_t Dash, std::size_t Count) {
  return Dash + 1 == Count ? 0 : Dash + 1;
}

// Pixels of a one-pixel line from A towards B, B itself excluded, each
// given to Emit(pixel, on the dash pattern). StylePos carries the pattern
// position from one segment to the next. Only the steps whose major
// coordinate lies in Bounds are produced (the same pixels as without the
// limit), so far away end points cost nothing.
template <class TEmit>
void RasterizeLine(const QPoint& A, const QPoint& B, const QRect& Bounds,
                   const std::vector<int>& Pattern, int PatternLength, std::int64_t& StylePos,
                   TEmit Emit) {
  const TLineRule Line(A, B);
  if (Line.Major == 0) return;
  std::int64_t First = 0;
  std::int64_t Last = Line.Major - 1;
  if (Line.XMajor)
    Line.LimitMajor(Bounds.left(), Bounds.right(), First, Last);
  else
    Line.LimitMajor(Bounds.top(), Bounds.bottom(), First, Last);
  // The pattern runs on over the whole line, also where it is cut off.
  const std::int64_t StyleStart = StylePos;
  StylePos += Line.Major;
  if (First > Last) return;
  // Offset(I) and the pattern position of step I are carried from one
  // step to the next instead of divided out for each pixel.
  const std::int64_t TwoMajor = 2 * Line.Major;
  const std::int64_t TwoMinor = 2 * Line.AbsMinor;
  const TLineRule::TWide Start = TLineRule::TWide(TwoMinor) * First + Line.Major;
  std::int64_t Offset = static_cast<std::int64_t>(Start / TwoMajor);
  std::int64_t Remainder = static_cast<std::int64_t>(Start % TwoMajor);
  // Within the pattern: the entry Dash, Into pixels into it.
  std::size_t Dash = 0;
  std::int64_t Into = PatternLength > 0 ? (StyleStart + First) % PatternLength : 0;
  auto SkipWholeEntries = [&] {
    while (Into >= Pattern[Dash]) {
      Into -= Pattern[Dash];
      Dash = NextDash(Dash, Pattern.size());
    }
  };
  if (PatternLength > 0) SkipWholeEntries();
  for (std::int64_t I = First; I <= Last; ++I) {
    const std::int64_t M = Line.StartMajor + I * Line.MajorStep;
    const std::int64_t N = Line.StartMinor + Offset * Line.MinorStep;
    const QPoint P = Line.XMajor ? QPoint(int(M), int(N)) : QPoint(int(N), int(M));
    Emit(P, Dash % 2 == 0);
    Remainder += TwoMinor;
    if (Remainder >= TwoMajor) {
      Remainder -= TwoMajor;
      ++Offset;
    }
    if (PatternLength > 0) {
      ++Into;
      SkipWholeEntries();
    }
  }
}

// The on pixels of a dashed one-pixel line from A towards B (B excluded)
// along a row or a column that lie inside Clip (inside the image), as
// RasterizeLine gives them, written a dash at a time: grid lines are long
// and every pixel of them would otherwise be stepped through the pattern.
// StylePos moves on by the whole line, as there.
void WriteStraightDashes(quint32* Pixels, qsizetype Stride, const QPoint& A, const QPoint& B,
                         const QRect& Clip, const std::vector<int>& Pattern, int PatternLength,
                         std::int64_t& StylePos, quint32 Color) {
  const bool Horizontal = A.y() == B.y();
  const std::int64_t Major =
      Horizontal ? std::abs(std::int64_t(B.x()) - A.x()) : std::abs(std::int64_t(B.y()) - A.y());
  const std::int64_t StyleStart = StylePos;
  StylePos += Major;
  const int Across = Horizontal ? A.y() : A.x();
  if (Major == 0 || Across < (Horizontal ? Clip.top() : Clip.left()) ||
      Across > (Horizontal ? Clip.bottom() : Clip.right()))
    return;
  const int Step = (Horizontal ? B.x() > A.x() : B.y() > A.y()) ? 1 : -1;
  const std::int64_t Start = Horizontal ? A.x() : A.y();
  const std::int64_t Low = Horizontal ? Clip.left() : Clip.top();
  const std::int64_t High = Horizontal ? Clip.right() : Clip.bottom();
  // The steps I whose pixel Start + I * Step lies in [Low, High].
  std::int64_t First = std::max<std::int64_t>(0, Step > 0 ? Low - Start : Start - High);
  const std::int64_t Last = std::min(Major - 1, Step > 0 ? High - Start : Start - Low);
  if (First > Last) return;
  const qsizetype Along = Horizontal ? Step : Step * Stride;
  quint32* At = Pixels +
                (Horizontal ? qsizetype(Across) * Stride + Start : Start * Stride + Across) +
                qsizetype(First) * Along;
  std::size_t Dash = 0;
  std::int64_t Into = (StyleStart + First) % PatternLength;
  while (Into >= Pattern[Dash]) {
    Into -= Pattern[Dash];
    Dash = NextDash(Dash, Pattern.size());
  }
  // Dash by dash up to Stop (exclusive) or the end of the pattern.
  auto Dashes = [&](std::int64_t Stop) {
    while (First < Stop) {
      const std::int64_t Run = std::min<std::int64_t>(Pattern[Dash] - Into, Stop - First);
      if (Dash % 2 == 0)
        for (std::int64_t K = 0; K < Run; ++K) At[qsizetype(K) * Along] = Color;
      At += qsizetype(Run) * Along;
      First += Run;
      Into += Run;
      if (Into < Pattern[Dash]) return;
      Into = 0;
      Dash = NextDash(Dash, Pattern.size());
      if (Dash == 0) return;
    }
  };
  // Short patterns (dotted grid lines) are written a whole period at a
  // time from the offsets of their on pixels: dash by dash, the steps cost
  // more than the few pixels of each dash.
  constexpr int MaxUnrolled = 32;
  if (PatternLength <= MaxUnrolled) {
    if (Dash != 0 || Into != 0) Dashes(Last + 1);
    std::array<qsizetype, MaxUnrolled> On;
    int OnCount = 0;
    int Offset = 0;
    for (std::size_t D = 0; D < Pattern.size(); ++D) {
      for (int K = 0; K < Pattern[D]; ++K, ++Offset)
        if (D % 2 == 0) On[std::size_t(OnCount++)] = qsizetype(Offset) * Along;
    }
    const qsizetype PeriodStep = qsizetype(PatternLength) * Along;
    for (; Last - First + 1 >= PatternLength; First += PatternLength, At += PeriodStep)
      for (int K = 0; K < OnCount; ++K) At[On[std::size_t(K)]] = Color;
  }
  while (First <= Last) Dashes(Last + 1);
}

// Count pixels of a line written from Index on (indexes of 32-bit pixels):
// each step moves MajorDelta, plus MinorDelta when the remainder of the
// rounding division carries. Free of branches on the carry, which is as
// good as random on a sloped line.
void StepLinePixels(quint32* Pixels, qsizetype Index, std::int64_t Count, qsizetype MajorDelta,
                    qsizetype MinorDelta, std::int64_t Remainder, std::int64_t TwoMinor,
                    std::int64_t TwoMajor, quint32 Color) {
  for (; Count > 0; --Count) {
    Pixels[Index] = Color;
    Remainder += TwoMinor;
    const bool Carry = Remainder >= TwoMajor;
    Remainder -= Carry ? TwoMajor : 0;
    Index += MajorDelta + (Carry ? MinorDelta : 0);
  }
}

bool Inside(const QRect& Clip, const QPoint& P) {
  return P.x() >= Clip.left() && P.x() <= Clip.right() && P.y() >= Clip.top() &&
         P.y() <= Clip.bottom();
}

// All ones when Condition holds, else zero: selections by masks, because
// the compiler turns conditional expressions into branches, which
// mispredict on the random directions and lengths of trace segments.
inline qsizetype MaskOf(bool Condition) {
  return -qsizetype(Condition);
}

// The pixels of the line from A towards B (B excluded) when both lie
// inside the image: the differences fit an int and no step needs a limit.
// Data traces are mostly segments of one to four pixels in every
// direction; their first four steps are therefore taken without branches
// (steps past the end write to a scratch pixel), and only longer segments
// loop.
void WriteInsideLinePixels(quint32* Pixels, qsizetype Stride, const QPoint& A, const QPoint& B,
                           quint32 Color) {
  const qsizetype DX = B.x() - A.x();
  const qsizetype DY = B.y() - A.y();
  const qsizetype NegX = MaskOf(DX < 0);
  const qsizetype NegY = MaskOf(DY < 0);
  const qsizetype ADX = (DX ^ NegX) - NegX;
  const qsizetype ADY = (DY ^ NegY) - NegY;
  const qsizetype XMajor = MaskOf(ADX >= ADY);
  // Steps towards B; a zero difference only ever moves as the minor axis,
  // which then never carries.
  const qsizetype StepX = (1 ^ NegX) - NegX;
  const qsizetype StepY = (Stride ^ NegY) - NegY;
  const qsizetype MajorDelta = (StepX & XMajor) | (StepY & ~XMajor);
  const qsizetype MinorDelta = (StepY & XMajor) | (StepX & ~XMajor);
  const qsizetype Major = (ADX & XMajor) | (ADY & ~XMajor);
  const qsizetype TwoMajor = 2 * Major;
  const qsizetype TwoMinor = 2 * ((ADY & XMajor) | (ADX & ~XMajor));
  qsizetype Remainder = Major;
  qsizetype Index = A.y() * Stride + A.x();
  quint32 Scratch = 0;
  const auto Real = reinterpret_cast<quintptr>(Pixels);
  const auto Spare = reinterpret_cast<quintptr>(&Scratch);
  constexpr int Unrolled = 4;
  for (int K = 0; K < Unrolled; ++K) {
    const quintptr Live = quintptr(MaskOf(K < Major));
    const quintptr At = Real + quintptr(Index) * sizeof(quint32);
    *reinterpret_cast<quint32*>((At & Live) | (Spare & ~Live)) = Color;
    Remainder += TwoMinor;
    const qsizetype Carry = MaskOf(Remainder >= TwoMajor);
    Remainder -= TwoMajor & Carry;
    Index += MajorDelta + (MinorDelta & Carry);
  }
  if (Major > Unrolled) {
    StepLinePixels(Pixels, Index, Major - Unrolled, MajorDelta, MinorDelta, Remainder, TwoMinor,
                   TwoMajor, Color);
  }
}

// Lines of at most ShortReach pixels along each axis, the bulk of a dense
// data trace, are written from a table of their pixels built from the line
// rule: a fixed number of stores, with no stepping and no branches on the
// direction or length of the line.
constexpr int ShortReach = 7;
constexpr int ShortSide = 2 * ShortReach + 1;

class TShortLines {
 public:
  // The table for images of Stride pixels a row.
  explicit TShortLines(qsizetype Stride) : FStride(Stride) {
    for (int DY = -ShortReach; DY <= ShortReach; ++DY) {
      for (int DX = -ShortReach; DX <= ShortReach; ++DX) {
        const TLineRule Line(QPoint(0, 0), QPoint(DX, DY));
        TOffsets& Offsets = FLines[size_t((DY + ShortReach) * ShortSide + DX + ShortReach)];
        Offsets.fill(0);
        for (std::int64_t I = 0; I < Line.Major; ++I) {
          const QPoint P = Line.Pixel(I);
          Offsets[size_t(I)] = std::int32_t(P.y() * Stride + P.x());
        }
      }
    }
  }

  // The table for images of Stride pixels a row, built on first use (per
  // thread, for the stride last asked for); null when the offsets do not
  // fit the table.
  static const TShortLines* For(qsizetype Stride) {
    if (Stride <= 0 || Stride > std::numeric_limits<std::int32_t>::max() / (ShortReach + 1))
      return nullptr;
    thread_local std::unique_ptr<TShortLines> Table;
    if (Table == nullptr || Table->FStride != Stride) Table = std::make_unique<TShortLines>(Stride);
    return Table.get();
  }

  // Whether the line to (DX, DY) is in the table.
  static bool Holds(int DX, int DY) {
    return unsigned(DX + ShortReach) < unsigned(ShortSide) &&
           unsigned(DY + ShortReach) < unsigned(ShortSide);
  }

  // The line from Start towards Start + (DX, DY), that point excluded; the
  // line must have a pixel ((DX, DY) not (0, 0)).
  void Write(quint32* Start, int DX, int DY, quint32 Color) const {
    const TOffsets& Line = FLines[size_t((DY + ShortReach) * ShortSide + DX + ShortReach)];
    for (int K = 0; K < ShortReach; ++K) Start[Line[size_t(K)]] = Color;
  }

 private:
  // Offsets of the pixels of a line from its start pixel; a line of fewer
  // pixels repeats the start pixel, which writing twice leaves the same.
  using TOffsets = std::array<std::int32_t, ShortReach>;

  qsizetype FStride;
  std::array<TOffsets, ShortSide * ShortSide> FLines;
};

// Writes Color into the 32-bit pixels (Stride pixels a row) of the line
// from A towards B (B excluded) that lie inside Clip, which lies inside
// the image, for a line with an end outside Clip. Only the steps inside
// Clip are visited, so far away end points cost nothing.
void WriteClippedLinePixels(quint32* Pixels, qsizetype Stride, const QPoint& A, const QPoint& B,
                            const QRect& Clip, quint32 Color) {
  const TLineRule Line(A, B);
  if (Line.Major == 0) return;
  std::int64_t First = 0;
  std::int64_t Last = Line.Major - 1;
  if (Line.XMajor) {
    Line.LimitMajor(Clip.left(), Clip.right(), First, Last);
    Line.LimitMinor(Clip.top(), Clip.bottom(), First, Last);
  } else {
    Line.LimitMajor(Clip.top(), Clip.bottom(), First, Last);
    Line.LimitMinor(Clip.left(), Clip.right(), First, Last);
  }
  if (First > Last) return;
  const std::int64_t TwoMajor = 2 * Line.Major;
  const std::int64_t TwoMinor = 2 * Line.AbsMinor;
  const QPoint Start = Line.Pixel(First);
  const qsizetype Major = Line.XMajor ? Line.MajorStep : Line.MajorStep * Stride;
  const qsizetype Minor = Line.XMajor ? Line.MinorStep * Stride : Line.MinorStep;
  StepLinePixels(
      Pixels, Start.y() * Stride + Start.x(), Last - First + 1, Major, Minor,
      static_cast<std::int64_t>((TLineRule::TWide(TwoMinor) * First + Line.Major) % TwoMajor),
      TwoMinor, TwoMajor, Color);
}

// The open polyline of Count points (Get(I) is point I in device pixels)
// written into the pixels inside Clip; nothing when Clip is empty.
template <class GetPoint>
void WritePolylinePixels(quint32* Pixels, qsizetype Stride, const QRect& Clip, quint32 Color,
                         std::size_t Count, GetPoint Get) {
  if (Clip.isEmpty() || Count < 2) return;
  const TShortLines* Short = TShortLines::For(Stride);
  QPoint From = Get(0);
  bool FromInside = Inside(Clip, From);
  for (std::size_t I = 1; I < Count; ++I) {
    const QPoint To = Get(I);
    const bool ToInside = Inside(Clip, To);
    if (FromInside && ToInside) {
      const int DX = To.x() - From.x();
      const int DY = To.y() - From.y();
      if (Short == nullptr || !TShortLines::Holds(DX, DY))
        WriteInsideLinePixels(Pixels, Stride, From, To, Color);
      else if ((DX | DY) != 0)
        Short->Write(Pixels + From.y() * Stride + From.x(), DX, DY, Color);
    } else
      WriteClippedLinePixels(Pixels, Stride, From, To, Clip, Color);
    From = To;
    FromInside = ToInside;
  }
}

// Width, ascent and descent of a text in a device font, in device pixels.
struct TTextMetrics {
  int Width = 0;
  int Ascent = 0;
  int Descent = 0;
};

// A canvas's device font with what the remembered measurements know it by:
// its number among the fonts remembered, valid while their generation is
// the same (a new one starts whenever they are all forgotten).
struct TMeasuredFont {
  QFont Font;
  size_t Hash = 0;  // qHash(Font)
  int Number = -1;
  std::uint64_t Generation = 0;
};

// Measuring and drawing shape the text anew every time, and a chart
// measures the same labels and legend texts many times over while it lays
// itself out (label spacing, axis room, legend columns), then draws them,
// and draws them again in every frame. Device fonts are sized in pixels,
// so a text's measurements and its shaped glyphs depend only on the font
// and the text: they are remembered, for up to MaxRememberedTexts texts of
// at most MaxRememberedTextLength characters at a time (texts come from
// files, so what is held stays bounded), until the fonts change or the
// application object goes (the fonts held here must go before it). Texts
// are looked up by the number of their font, so no lookup compares whole
// fonts.
class TTextMeasurements {
 public:
  static TTextMeasurements& Instance() {
    static TTextMeasurements Measurements;
    return Measurements;
  }

  std::uint64_t Generation() {
    const std::lock_guard<std::mutex> Guard(FLock);
    Watch();
    return FGeneration;
  }

  TTextMetrics Measure(TMeasuredFont& Font, const QString& Text) {
    {
      const std::lock_guard<std::mutex> Guard(FLock);
      if (const TEntry* Known = Find(Font, Text)) return Known->Metrics;
    }
    const TTextMetrics Metrics = MetricsOf(Font.Font, Text);
    Remember(Font, Text, [&Metrics](TEntry& Entry) { Entry.Metrics = Metrics; });
    return Metrics;
  }

  std::size_t Count() {
    const std::lock_guard<std::mutex> Guard(FLock);
    return FKnown.size();
  }

  // The glyphs of a single left-to-right line of Text with its baseline
  // at y = 0 and its start at x = 0, shaped as QPainter::drawText shapes
  // them.
  QList<QGlyphRun> Glyphs(TMeasuredFont& Font, const QString& Text) {
    {
      const std::lock_guard<std::mutex> Guard(FLock);
      const TEntry* Known = Find(Font, Text);
      if (Known != nullptr && Known->HasGlyphs) return Known->Glyphs;
    }
    QTextLayout Layout(Text, Font.Font);
    QTextOption Option;
    Option.setTextDirection(Qt::LeftToRight);
    Layout.setTextOption(Option);
    Layout.beginLayout();
    QTextLine Line = Layout.createLine();
    Layout.endLayout();
    Line.setPosition(QPointF(0, -Line.ascent()));
    const QList<QGlyphRun> Runs = Layout.glyphRuns();
    const TTextMetrics Metrics = MetricsOf(Font.Font, Text);
    Remember(Font, Text, [&Runs, &Metrics](TEntry& Entry) {
      Entry.Metrics = Metrics;
      Entry.Glyphs = Runs;
      Entry.HasGlyphs = true;
    });
    return Runs;
  }

 private:
  struct TKey {
    int FontNumber = 0;
    QString Text;
    bool operator==(const TKey& Other) const = default;
  };
  struct THash {
    size_t operator()(const TKey& Key) const {
      return qHash(Key.Text, size_t(Key.FontNumber) * 0x9E3779B97F4A7C15ull);
    }
  };
  struct TEntry {
    TTextMetrics Metrics;
    bool HasGlyphs = false;
    QList<QGlyphRun> Glyphs;
  };
  static constexpr size_t MaxFonts = 256;

  static TTextMetrics MetricsOf(const QFont& Font, const QString& Text) {
    const QFontMetrics M(Font);
    return {M.horizontalAdvance(Text), M.ascent(), M.descent()};
  }

  // Under the lock: what is remembered of Text in Font, or nullptr; gives
  // Font its number first when it has none of this generation.
  const TEntry* Find(TMeasuredFont& Font, const QString& Text) {
    Watch();
    if (FWatched == nullptr) return nullptr;
    if (Font.Generation != FGeneration || Font.Number < 0) Number(Font);
    const auto Found = FKnown.find(TKey{Font.Number, Text});
    return Found != FKnown.end() ? &Found->second : nullptr;
  }

  // Under the lock: the font's number, a new one for a font not met in
  // this generation.
  void Number(TMeasuredFont& Font) {
    if (FFonts.size() >= MaxFonts) Forget();
    const auto Same = FFontNumbers.equal_range(Font.Hash);
    int Found = -1;
    for (auto It = Same.first; It != Same.second && Found < 0; ++It)
      if (FFonts[size_t(It->second)] == Font.Font) Found = It->second;
    if (Found < 0) {
      Found = int(FFonts.size());
      FFonts.push_back(Font.Font);
      FFontNumbers.emplace(Font.Hash, Found);
    }
    Font.Number = Found;
    Font.Generation = FGeneration;
  }

  template <class TFill>
  void Remember(TMeasuredFont& Font, const QString& Text, TFill Fill) {
    const std::lock_guard<std::mutex> Guard(FLock);
    Watch();
    if (FWatched == nullptr || Text.size() > MaxRememberedTextLength) return;
    if (Font.Generation != FGeneration || Font.Number < 0) Number(Font);
    TKey Key{Font.Number, Text};
    if (FKnown.size() >= MaxRememberedTexts && FKnown.find(Key) == FKnown.end()) FKnown.clear();
    Fill(FKnown[std::move(Key)]);
  }

  // Under the lock: texts and fonts go, and with them every font's number.
  void Forget() {
    FKnown.clear();
    FFonts.clear();
    FFontNumbers.clear();
    ++FGeneration;
  }

  // Starts remembering for the application object in use, if any (a
  // program may create more than one in turn).
  void Watch() {
    if (qGuiApp == FWatched) return;
    Forget();
    FWatched = qGuiApp;
    if (FWatched == nullptr) return;
    QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, [] {
      TTextMeasurements& M = Instance();
      const std::lock_guard<std::mutex> Guard(M.FLock);
      M.Forget();
    });
    qAddPostRoutine([] {
      TTextMeasurements& M = Instance();
      const std::lock_guard<std::mutex> Guard(M.FLock);
      M.Forget();
      M.FWatched = nullptr;
    });
  }

  std::mutex FLock;
  std::unordered_map<TKey, TEntry, THash> FKnown;
  std::vector<QFont> FFonts;                          // by number
  std::unordered_multimap<size_t, int> FFontNumbers;  // hash to number
  std::uint64_t FGeneration = 1;
  const QGuiApplication* FWatched = nullptr;  // null: nothing is remembered
};

// Whether drawing the remembered glyphs of Text gives the pixels of
// QPainter::drawText: a plain left-to-right line (no control characters,
// nothing from the right-to-left scripts on) without lines drawn through
// or under it, in pixels (a picture or a printer keeps the text itself),
// by a painter that does not lay text out right to left (its automatic
// direction finds none of those scripts here).
bool DrawsAsGlyphs(QPainter& Painter, const QFont& Font, const QString& Text) {
  if (!KeptGlyphs) return false;
  const QPaintEngine* Engine = Painter.paintEngine();
  if (Engine == nullptr || Engine->type() != QPaintEngine::Raster) return false;
  if (Painter.layoutDirection() == Qt::RightToLeft || Font.underline() || Font.strikeOut() ||
      Font.overline())
    return false;
  return std::all_of(Text.begin(), Text.end(),
                     [](QChar C) { return C.unicode() >= 0x20 && C.unicode() < 0x0590; });
}

// Writes Color into the pixels at Points that lie inside Clip (inside the
// image; empty: nothing is written).
void WritePointPixels(quint32* Pixels, qsizetype Stride, const QRect& Clip, quint32 Color,
                      const std::vector<QPoint>& Points) {
  for (const QPoint& P : Points)
    if (Inside(Clip, P)) Pixels[P.y() * Stride + P.x()] = Color;
}

// Angle in degrees (counter-clockwise, y up) of the point of the ellipse in
// Box that lies on the ray from the centre towards P, as Qt's arc functions
// take it (parametric angle).
qreal ArcAngle(const QRectF& Box, const QPointF& P) {
  qreal RX = Box.width() / 2;
  qreal RY = Box.height() / 2;
  qreal DX = P.x() - Box.center().x();
  qreal DY = Box.center().y() - P.y();
  if (DX == 0 && DY == 0) return 0;
  return std::atan2(RX * DY, RY * DX) * 180 / std::numbers::pi;
}

}  // namespace

void SetTextAntialiasing(bool On) {
  TextAntialiasing = On;
}
bool GetTextAntialiasing() {
  return TextAntialiasing;
}

std::size_t RememberedTextCount() {
  return TTextMeasurements::Instance().Count();
}

void SetKeptGlyphs(bool On) {
  KeptGlyphs = On;
}
bool GetKeptGlyphs() {
  return KeptGlyphs;
}

void SetDirectLineDrawing(bool On) {
  DirectLineDrawing = On;
}
bool GetDirectLineDrawing() {
  return DirectLineDrawing;
}

// Qt-side state of a canvas. For a bitmap canvas the painter is our own and
// stays open between primitives (see TBitmap for when it closes); for a
// painter canvas every primitive runs between save() and restore() so the
// owner's painter state survives.
struct TCanvas::TState {
  QPainter* External = nullptr;
  QPainter Own;
  bool ClipApplied = false;  // Own carries the current clip
  QRegion Clip;              // device pixels, when HasClip
  bool Saved = false;
  bool SavedHasClip = false;
  QRegion SavedClip;
  TColor TextColor = clBlack;
  TFontKey RealizedFont;
  TColor HeldTextColor = clBlack;  // see HoldTextColor
  TFontKey HeldRealizedFont;
  // The last device font and what it was made from.
  bool HasDeviceFont = false;
  TDeviceFontKey DeviceFontKey;
  TMeasuredFont DeviceFont;
  TDirtyRows Dirty;
  bool PathOpen = false;
  bool PathReady = false;
  QPainterPath Path;
};

// One primitive's access to the painter: opens it, applies the clip, and
// for a painter canvas saves and restores the owner's state.
class TCanvas::TPaintScope {
 public:
  explicit TPaintScope(TCanvas& Canvas) : FCanvas(Canvas) {
    Canvas.LeaveLayer();
    TState& S = *Canvas.FState;
    // Whatever the painter draws stays inside the clip.
    if (S.Dirty.Marking())
      S.Dirty.Mark(Canvas.FHasClip ? S.Clip.boundingRect() : Canvas.DeviceBounds());
    if (S.External != nullptr) {
      if (!S.External->isActive()) return;
      FPainter = S.External;
      FPainter->save();
      if (Canvas.FHasClip) FPainter->setClipRegion(S.Clip, Qt::IntersectClip);
    } else {
      if (Canvas.FBitmap == nullptr || Canvas.FBitmap->GetEmpty()) return;
      if (!S.Own.isActive()) {
        if (!S.Own.begin(&Canvas.FBitmap->ImageForPainting())) return;
        S.ClipApplied = false;
      }
      FPainter = &S.Own;
      if (!S.ClipApplied) {
        if (Canvas.FHasClip) {
          // Qt's raster engine ignores a region set while clipping is
          // switched off (it was, if the painter drew unclipped since an
          // earlier clip): clipping has to be switched on first.
          FPainter->setClipping(true);
          FPainter->setClipRegion(S.Clip);
        } else {
          FPainter->setClipping(false);
        }
        S.ClipApplied = true;
      }
    }
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter->setBackgroundMode(Qt::TransparentMode);
    FPainter->setBrushOrigin(0, 0);
  }
  ~TPaintScope() {
    if (FPainter != nullptr && FPainter == FCanvas.FState->External) FPainter->restore();
  }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;

  QPainter* operator->() const { return FPainter; }
  explicit operator bool() const { return FPainter != nullptr; }
  QPainter& Painter() const { return *FPainter; }

 private:
  TCanvas& FCanvas;
  QPainter* FPainter = nullptr;
};

TCanvas::TCanvas(TBitmap& ABitmap) : FState(std::make_unique<TState>()), FBitmap(&ABitmap) {
  FState->TextColor = FFont.GetColor();
  FState->RealizedFont = KeyOf(FFont);
}

TCanvas::TCanvas(QPainter& APainter, int APixelsPerInch)
    : FState(std::make_unique<TState>()), FPixelsPerInch(APixelsPerInch > 0 ? APixelsPerInch : 96) {
  FState->External = &APainter;
  FFont.SetPixelsPerInch(FPixelsPerInch);
  FState->TextColor = FFont.GetColor();
  FState->RealizedFont = KeyOf(FFont);
}

TCanvas::~TCanvas() {
  ClosePainter();
}

void TCanvas::ClosePainter() {
  // Whoever reads or replaces the pixels needs what was recorded drawn.
  LeaveLayer();
  if (FState->Own.isActive()) FState->Own.end();
}

// ---------------------------------------------------------------- layers

void TCanvas::LeaveLayer() {
  if (FLayer != nullptr) FLayer->Leave();
}

bool TCanvas::Recorded(TLayerCall Call, std::initializer_list<int> Args, const TPoint* Points,
                       int Count, const QString* Text) {
  return FLayer != nullptr &&
         FLayer->Record(Call, Args.begin(), int(Args.size()), Points, Count, Text);
}

// Only bitmaps that keep every colour drawn: the others cut the colours
// back when they are read, which a copy of their pixels would skip.
QImage* TCanvas::LayerImage() {
  if (FState->External != nullptr || FBitmap == nullptr || FBitmap->GetEmpty() ||
      FBitmap->GetMonochrome())
    return nullptr;
  const TPixelFormat Format = FBitmap->GetPixelFormat();
  if (Format != pfDevice && Format != pf32bit) return nullptr;
  return &FBitmap->ImageForPainting();
}

TColor TCanvas::PendingTextColor() const {
  return KeyOf(FFont) != FState->RealizedFont ? FFont.GetColor() : FState->TextColor;
}

void TCanvas::HoldTextColor() {
  FState->HeldTextColor = FState->TextColor;
  FState->HeldRealizedFont = FState->RealizedFont;
}

void TCanvas::ReleaseTextColor() {
  FState->TextColor = FState->HeldTextColor;
  FState->RealizedFont = FState->HeldRealizedFont;
}

const QRegion* TCanvas::LayerClip() const {
  return FHasClip ? &FState->Clip : nullptr;
}

void TCanvas::SetLayerClip(const QRegion* Clip) {
  FHasClip = Clip != nullptr;
  FState->Clip = FHasClip ? *Clip : QRegion();
  FState->ClipApplied = false;
}

void TCanvas::PixelsReplaced() {
  FState->Dirty.Stop();
}

std::uint64_t TCanvas::StartCleanPixels() {
  static std::atomic<std::uint64_t> Starts{0};
  const std::uint64_t Token = ++Starts;
  const QImage* Image = LayerImage();
  if (Image == nullptr) return 0;
  FState->Dirty.Start(Image->rect(), Token);
  return Token;
}

void TCanvas::StopCleanPixels(std::uint64_t Token) {
  if (FState->Dirty.Known(Token)) FState->Dirty.Stop();
}

void TCanvas::RestoreKeptPixels(std::uint64_t Token, const QImage& Kept) {
  QImage& Image = *LayerImage();
  // An open painter draws into the memory the image has now, which
  // writing to a shared image would replace: it is closed first.
  if (!Image.isDetached()) ClosePainter();
  if (FState->Dirty.Known(Token))
    FState->Dirty.CopyMarked(Kept.constBits(), Image.bits(), Image.bytesPerLine());
  else
    std::memcpy(Image.bits(), Kept.constBits(), size_t(Kept.sizeInBytes()));
}

std::uint64_t TCanvas::FontGeneration() {
  return TTextMeasurements::Instance().Generation();
}

// Filling R with the brush covers every pixel of the bitmap with an opaque
// colour: then no pixel drawn after shows what was there before.
bool TCanvas::FillsWholeImage(const int* R) {
  const QImage* Image = LayerImage();
  if (Image == nullptr || FHasClip) return false;
  if (Image->devicePixelRatio() != 1.0 || FBrush.GetBitmap() != nullptr ||
      FBrush.GetStyle() != bsSolid || ColorToQColor(FBrush.GetColor()).alpha() != 255)
    return false;
  return DeviceBox(R[0], R[1], R[2], R[3]).contains(Image->rect());
}

// ---------------------------------------------------------------- state

TColor TCanvas::GetTextColor() const {
  if (KeyOf(FFont) != FState->RealizedFont) {
    FState->RealizedFont = KeyOf(FFont);
    FState->TextColor = FFont.GetColor();
  }
  return FState->TextColor;
}

void TCanvas::AssignDrawingState(const TCanvas& Source) {
  if (&Source == this) return;
  FPen.Assign(Source.FPen);
  FBrush.Assign(Source.FBrush);
  FFont.Assign(Source.FFont);
  SyncFontResolution();
  FState->TextColor = Source.GetTextColor();
  FState->RealizedFont = KeyOf(FFont);
  FPenPos = Source.FPenPos;
  FBkColor = Source.FBkColor;
  FBkMode = Source.FBkMode;
  FTextAlign = Source.FTextAlign;
  FCharacterExtra = Source.FCharacterExtra;
  FArcDirection = Source.FArcDirection;
}

void TCanvas::SetTextColor(TColor Value) {
  GetTextColor();
  FState->TextColor = Value;
}

// ---------------------------------------------------------------- mapping

void TCanvas::SetMapMode(TMapMode Value) {
  FMapMode = Value;
  SyncFontResolution();
}

void TCanvas::SetWindowOrg(int X, int Y) {
  FWindowOrg = {X, Y};
}

void TCanvas::SetWindowExt(int CX, int CY) {
  if (FMapMode == mmText || CX == 0 || CY == 0) return;
  FWindowExt = {CX, CY};
  SyncFontResolution();
}

void TCanvas::SetViewportOrg(int X, int Y) {
  FViewportOrg = {X, Y};
}

void TCanvas::SetViewportExt(int CX, int CY) {
  if (FMapMode == mmText || CX == 0 || CY == 0) return;
  FViewportExt = {CX, CY};
  SyncFontResolution();
}

// Font heights are logical units, which the mapping scales by ScaleY on
// the way to the device; a point size must therefore be converted with the
// logical resolution, or a printer page (whose logical units are screen
// pixels) gets text too large by its resolution over the screen's. The
// height itself stays: the font keeps its logical size, as a selected font
// does when the mapping changes.
void TCanvas::SyncFontResolution() {
  FFont.SetPixelsPerInch(std::max(1, Round(FPixelsPerInch / ScaleY())));
}

TPoint TCanvas::LPtoDP(const TPoint& P) const {
  std::int64_t X = std::int64_t(P.X) - FWindowOrg.X;
  std::int64_t Y = std::int64_t(P.Y) - FWindowOrg.Y;
  if (FMapMode == mmAnisotropic) {
    X = Scale(X, FViewportExt.cx, FWindowExt.cx);
    Y = Scale(Y, FViewportExt.cy, FWindowExt.cy);
  }
  return {Saturate(X + FViewportOrg.X), Saturate(Y + FViewportOrg.Y)};
}

TPoint TCanvas::DPtoLP(const TPoint& P) const {
  std::int64_t X = std::int64_t(P.X) - FViewportOrg.X;
  std::int64_t Y = std::int64_t(P.Y) - FViewportOrg.Y;
  if (FMapMode == mmAnisotropic) {
    X = Scale(X, FWindowExt.cx, FViewportExt.cx);
    Y = Scale(Y, FWindowExt.cy, FViewportExt.cy);
  }
  return {Saturate(X + FWindowOrg.X), Saturate(Y + FWindowOrg.Y)};
}

TRect TCanvas::LPtoDP(const TRect& R) const {
  TPoint A = LPtoDP(R.TopLeft());
  TPoint B = LPtoDP(R.BottomRight());
  return {A.X, A.Y, B.X, B.Y};
}

double TCanvas::ScaleX() const {
  return FMapMode == mmAnisotropic ? std::abs(double(FViewportExt.cx) / FWindowExt.cx) : 1.0;
}

double TCanvas::ScaleY() const {
  return FMapMode == mmAnisotropic ? std::abs(double(FViewportExt.cy) / FWindowExt.cy) : 1.0;
}

QPoint TCanvas::Device(int X, int Y) const {
  TPoint D = LPtoDP(TPoint(X, Y));
  return {D.X, D.Y};
}

QRect TCanvas::DeviceBox(int X1, int Y1, int X2, int Y2) const {
  QPoint A = Device(X1, Y1);
  QPoint B = Device(X2, Y2);
  return NormalRect(A.x(), A.y(), B.x(), B.y());
}

QRect TCanvas::DeviceBounds() const {
  if (FBitmap != nullptr) return QRect(0, 0, FBitmap->GetWidth(), FBitmap->GetHeight());
  QPaintDevice* D = FState->External != nullptr ? FState->External->device() : nullptr;
  return D != nullptr ? QRect(0, 0, D->width(), D->height()) : QRect();
}

// ---------------------------------------------------------------- pens and brushes

int TCanvas::DevicePenWidth() const {
  if (FPen.GetWidth() <= 1) return 1;
  return std::max(1, Round(FPen.GetWidth() * std::sqrt(ScaleX() * ScaleY())));
}

bool TCanvas::PenVisible() const {
  return FPen.GetStyle() != psClear && FPen.GetMode() != pmNop;
}

bool TCanvas::BrushVisible() const {
  return FBrush.GetBitmap() != nullptr || FBrush.GetStyle() != bsClear;
}

bool TCanvas::IsImageTarget() const {
  return FState->External == nullptr;
}

// The colour a pen or brush draws with under the current mode.
QColor TCanvas::ModeColor(TColor Color) const {
  switch (FPen.GetMode()) {
    case pmBlack: return Qt::black;
    case pmWhite: return Qt::white;
    default: return ColorToQColor(Color);
  }
}

void TCanvas::ApplyMode(QPainter& P) const {
  P.setCompositionMode(IsImageTarget() ? RasterOp(FPen.GetMode())
                                       : QPainter::CompositionMode_SourceOver);
}

QPen TCanvas::GeometricPen() const {
  QPen Pen(ModeColor(FPen.GetColor()), DevicePenWidth());
  switch (FPen.GetEndCap()) {
    case pecRound: Pen.setCapStyle(Qt::RoundCap); break;
    case pecSquare: Pen.setCapStyle(Qt::SquareCap); break;
    case pecFlat: Pen.setCapStyle(Qt::FlatCap); break;
  }
  switch (FPen.GetJoin()) {
    case pjRound: Pen.setJoinStyle(Qt::RoundJoin); break;
    case pjBevel: Pen.setJoinStyle(Qt::BevelJoin); break;
    case pjMiter: Pen.setJoinStyle(Qt::MiterJoin); break;
  }
  QList<qreal> Pattern = GeometricPattern(FPen);
  if (!Pattern.isEmpty()) Pen.setDashPattern(Pattern);
  return Pen;
}

QPen TCanvas::CosmeticPen() const {
  QPen Pen(ModeColor(FPen.GetColor()), 0);
  Pen.setCapStyle(Qt::FlatCap);
  std::vector<int> Buffer;
  const std::vector<int>& Pattern = CosmeticPattern(FPen, Buffer);
  if (!Pattern.empty()) {
    QList<qreal> Q;
    for (int V : Pattern) Q.append(V);
    Pen.setDashPattern(Q);
  }
  return Pen;
}

QPen TCanvas::StrokePen() const {
  return DevicePenWidth() > 1 ? GeometricPen() : CosmeticPen();
}

QBrush TCanvas::FillBrush(bool UseMode) const {
  if (const TBitmap* Pattern = FBrush.GetBitmap()) {
    QImage Tile = Pattern->Image().convertToFormat(QImage::Format_RGB32);
    if (Pattern->GetMonochrome()) {
      QRgb Fore = ColorToQColor(GetTextColor()).rgb();
      QRgb Back = ColorToQColor(FBkColor).rgb();
      for (int Y = 0; Y < Tile.height(); ++Y) {
        QRgb* Row = reinterpret_cast<QRgb*>(Tile.scanLine(Y));
        for (int X = 0; X < Tile.width(); ++X) Row[X] = qGray(Row[X]) < 128 ? Fore : Back;
      }
    }
    return QBrush(Tile);
  }
  QColor Color = UseMode ? ModeColor(FBrush.GetColor()) : ColorToQColor(FBrush.GetColor());
  return QBrush(Color, HatchStyle(FBrush.GetStyle()));
}

// Hatch gaps take the background colour in opaque mode. UseMode: the pen
// mode applies (shapes), not for block fills (FillRect, FrameRect).
void TCanvas::ApplyFill(QPainter& P, bool UseMode) const {
  P.setPen(Qt::NoPen);
  P.setBrush(FillBrush(UseMode));
  bool Hatched = FBrush.GetBitmap() == nullptr && FBrush.GetStyle() != bsSolid;
  if (Hatched && FBkMode == bkOpaque) {
    P.setBackgroundMode(Qt::OpaqueMode);
    P.setBackground(UseMode ? ModeColor(FBkColor) : ColorToQColor(FBkColor));
  } else {
    P.setBackgroundMode(Qt::TransparentMode);
  }
}

// ---------------------------------------------------------------- stroking

// Where one-pixel lines are written straight into the pixels.
struct TCanvas::TDirectTarget {
  quint32* Pixels = nullptr;
  qsizetype Stride = 0;  // pixels from one row to the next
  QRect Clip;            // inside the image; empty: nothing is drawn
  quint32 Color = 0;
  quint32 Back = 0;  // the gaps of a dash pattern in opaque mode
};

// Strokes the open or closed polyline of device points with the pen. A
// one-pixel pen on a bitmap is rasterized here so every pixel is drawn once,
// the last point is left out and dash patterns run on across the points
// (gaps in the background colour in opaque mode).
void TCanvas::StrokeDevicePolyline(const QPoint* Points, std::size_t Count, bool Closed) {
  if (!PenVisible() || Count < 2) return;
  if (!Closed && StrokeDirect(Points, Count)) return;
  if (DevicePenWidth() > 1 || !IsImageTarget()) {
    TPaintScope P(*this);
    if (!P) return;
    ApplyMode(P.Painter());
    P->setPen(StrokePen());
    P->setBrush(Qt::NoBrush);
    if (FBkMode == bkOpaque && DevicePenWidth() <= 1 && HasCosmeticPattern(FPen)) {
      P->setBackgroundMode(Qt::OpaqueMode);
      P->setBackground(ModeColor(FBkColor));
    }
    QPolygon Poly(Points, Points + Count);
    if (Closed)
      P->drawPolygon(Poly);
    else
      P->drawPolyline(Poly);
    return;
  }
  std::vector<int> Buffer;
  const std::vector<int>& Pattern = CosmeticPattern(FPen, Buffer);
  int Length = 0;
  for (int V : Pattern) Length += V;
  std::int64_t StylePos = 0;
  QRect Bounds = DeviceBounds();
  const QPoint& Last = Points[Count - 1];
  auto Rasterize = [&](auto Emit) {
    for (std::size_t I = 0; I + 1 < Count; ++I)
      RasterizeLine(Points[I], Points[I + 1], Bounds, Pattern, Length, StylePos, Emit);
    if (Closed) RasterizeLine(Last, Points[0], Bounds, Pattern, Length, StylePos, Emit);
  };
  TDirectTarget Target;
  const bool Direct = FindDirectTarget(Target, true);
  // Without the gaps, the order of the pixels does not matter: they are
  // written as they come (dotted grid lines).
  if (Direct && FBkMode != bkOpaque) {
    if (Target.Clip.isEmpty()) return;
    auto Emit = [&Target](const QPoint& P, bool On) {
      if (On && Inside(Target.Clip, P)) Target.Pixels[P.y() * Target.Stride + P.x()] = Target.Color;
    };
    auto Segment = [&](const QPoint& From, const QPoint& To) {
      if (Length > 0 && (From.x() == To.x() || From.y() == To.y()))
        WriteStraightDashes(Target.Pixels, Target.Stride, From, To, Target.Clip, Pattern, Length,
                            StylePos, Target.Color);
      else
        RasterizeLine(From, To, Bounds, Pattern, Length, StylePos, Emit);
    };
    for (std::size_t I = 0; I + 1 < Count; ++I) Segment(Points[I], Points[I + 1]);
    if (Closed) Segment(Last, Points[0]);
    return;
  }
  std::vector<QPoint> On;
  std::vector<QPoint> Off;
  Rasterize([&On, &Off](const QPoint& P, bool IsOn) { (IsOn ? On : Off).push_back(P); });
  const bool DrawOff = !Off.empty() && FBkMode == bkOpaque;
  if (Direct) {
    WritePointPixels(Target.Pixels, Target.Stride, Target.Clip, Target.Color, On);
    if (DrawOff) WritePointPixels(Target.Pixels, Target.Stride, Target.Clip, Target.Back, Off);
    return;
  }
  TPaintScope P(*this);
  if (!P) return;
  ApplyMode(P.Painter());
  QPen Dot(ModeColor(FPen.GetColor()), 0);
  Dot.setCapStyle(Qt::SquareCap);
  if (!On.empty()) {
    P->setPen(Dot);
    P->drawPoints(On.data(), static_cast<int>(On.size()));
  }
  if (DrawOff) {
    Dot.setColor(ModeColor(FBkColor));
    P->setPen(Dot);
    P->drawPoints(Off.data(), static_cast<int>(Off.size()));
  }
}

// The common case of long data traces, a visible solid one-pixel pen
// copying onto a 32-bit bitmap with no clip or a single clip rectangle, is
// drawn by writing the pixels of the same line rule straight into the
// image rows: the painter spends over ten times as long on each short
// segment. With Patterned, dash patterns qualify too (the caller splits
// the pixels into dashes and gaps). False when the painter has to draw.
bool TCanvas::FindDirectTarget(TDirectTarget& Target, bool Patterned, bool MarksSegments) {
  LeaveLayer();
  if (!DirectLineDrawing || !IsImageTarget() || FBitmap == nullptr || FBitmap->GetEmpty())
    return false;
  if (!PenVisible() || FPen.GetMode() != pmCopy || DevicePenWidth() > 1) return false;
  const QColor Color = ColorToQColor(FPen.GetColor());
  if (Color.alpha() != 255) return false;
  if (HasCosmeticPattern(FPen)) {
    const QColor Back = ColorToQColor(FBkColor);
    if (!Patterned || (FBkMode == bkOpaque && Back.alpha() != 255)) return false;
    Target.Back = Back.rgba();
  }
  QImage& Image = FBitmap->ImageForPainting();
  const QImage::Format Format = Image.format();
  if (Format != QImage::Format_RGB32 && Format != QImage::Format_ARGB32 &&
      Format != QImage::Format_ARGB32_Premultiplied)
    return false;
  // An open painter draws into the memory the image has now; writing would
  // first give a shared image memory of its own (copy on write).
  if (FState->Own.isActive() && !Image.isDetached()) return false;
  Target.Clip = DeviceBounds();
  if (FHasClip) {
    if (FState->Clip.rectCount() > 1) return false;
    Target.Clip = Target.Clip.intersected(FState->Clip.boundingRect());
  }
  if (Target.Clip.isEmpty()) return true;
  if (!MarksSegments) FState->Dirty.Mark(Target.Clip);
  Target.Pixels = reinterpret_cast<quint32*>(Image.bits());
  Target.Stride = Image.bytesPerLine() / 4;
  Target.Color = Color.rgba();
  return true;
}

bool TCanvas::StrokeDirect(const QPoint* Points, std::size_t Count) {
  TDirectTarget Target;
  if (!FindDirectTarget(Target, false, true)) return false;
  auto Get = [Points](std::size_t I) { return Points[I]; };
  FState->Dirty.MarkSegments(Target.Clip, Count, Get);
  WritePolylinePixels(Target.Pixels, Target.Stride, Target.Clip, Target.Color, Count, Get);
  return true;
}

// Logical points of the plain mapping, converted on the fly: a data trace
// is not copied first.
bool TCanvas::StrokeDirect(const TPoint* Points, int Count) {
  if (FMapMode != mmText) return false;
  TDirectTarget Target;
  if (!FindDirectTarget(Target, false, true)) return false;
  const std::int64_t DX = std::int64_t(FViewportOrg.X) - FWindowOrg.X;
  const std::int64_t DY = std::int64_t(FViewportOrg.Y) - FWindowOrg.Y;
  if (DX == 0 && DY == 0) {
    auto Get = [Points](std::size_t I) { return QPoint(Points[I].X, Points[I].Y); };
    FState->Dirty.MarkSegments(Target.Clip, std::size_t(Count), Get);
    WritePolylinePixels(Target.Pixels, Target.Stride, Target.Clip, Target.Color, Count, Get);
  } else {
    auto Get = [Points, DX, DY](std::size_t I) {
      return QPoint(Saturate(Points[I].X + DX), Saturate(Points[I].Y + DY));
    };
    FState->Dirty.MarkSegments(Target.Clip, std::size_t(Count), Get);
    WritePolylinePixels(Target.Pixels, Target.Stride, Target.Clip, Target.Color, Count, Get);
  }
  return true;
}

void TCanvas::StrokeDevicePath(const QPainterPath& Path, bool Closed) {
  if (!PenVisible()) return;
  TPaintScope P(*this);
  if (!P) return;
  ApplyMode(P.Painter());
  QPen Pen = StrokePen();
  if (Closed && DevicePenWidth() <= 1) Pen.setCapStyle(Qt::SquareCap);
  P->setPen(Pen);
  P->setBrush(Qt::NoBrush);
  if (FBkMode == bkOpaque && DevicePenWidth() <= 1 && HasCosmeticPattern(FPen)) {
    P->setBackgroundMode(Qt::OpaqueMode);
    P->setBackground(ModeColor(FBkColor));
  }
  P->drawPath(Path);
}

void TCanvas::FillDevicePath(const QPainterPath& Path) {
  if (!BrushVisible() || FPen.GetMode() == pmNop) return;
  TPaintScope P(*this);
  if (!P) return;
  ApplyMode(P.Painter());
  ApplyFill(P.Painter(), true);
  P->drawPath(Path);
}

// ---------------------------------------------------------------- lines

void TCanvas::MoveTo(int X, int Y) {
  FPenPos = {X, Y};
  if (FState->PathOpen) FState->Path.moveTo(Device(X, Y));
}

void TCanvas::LineTo(int X, int Y) {
  if (Recorded(TLayerCall::LineTo, {X, Y})) {
    FPenPos = {X, Y};
    return;
  }
  QPoint From = Device(FPenPos.X, FPenPos.Y);
  QPoint To = Device(X, Y);
  FPenPos = {X, Y};
  if (FState->PathOpen) {
    if (FState->Path.elementCount() == 0) FState->Path.moveTo(From);
    FState->Path.lineTo(To);
    return;
  }
  const QPoint Line[] = {From, To};
  StrokeDevicePolyline(Line, 2, false);
}

// Long point lists (data traces) come through here, so the plain mapping
// is a shift without the scaling arithmetic of LPtoDP.
std::vector<QPoint> TCanvas::DevicePoints(const TPoint* Points, int Count) const {
  std::vector<QPoint> D(Count);
  if (FMapMode == mmText) {
    const std::int64_t DX = std::int64_t(FViewportOrg.X) - FWindowOrg.X;
    const std::int64_t DY = std::int64_t(FViewportOrg.Y) - FWindowOrg.Y;
    for (int I = 0; I < Count; ++I)
      D[I] = QPoint(Saturate(Points[I].X + DX), Saturate(Points[I].Y + DY));
  } else {
    for (int I = 0; I < Count; ++I) D[I] = Device(Points[I].X, Points[I].Y);
  }
  return D;
}

void TCanvas::Polyline(const TPoint* Points, int Count) {
  if (Points == nullptr || Count < 2) return;
  if (Recorded(TLayerCall::Polyline, {}, Points, Count)) return;
  if (!FState->PathOpen && StrokeDirect(Points, Count)) return;
  const std::vector<QPoint> D = DevicePoints(Points, Count);
  if (FState->PathOpen) {
    FState->Path.moveTo(D[0]);
    for (int I = 1; I < Count; ++I) FState->Path.lineTo(D[I]);
    return;
  }
  StrokeDevicePolyline(D.data(), D.size(), false);
}

void TCanvas::Polygon(const TPoint* Points, int Count) {
  if (Points == nullptr || Count < 2) return;
  if (Recorded(TLayerCall::Polygon, {}, Points, Count)) return;
  const std::vector<QPoint> D = DevicePoints(Points, Count);
  QPolygon Poly(D.begin(), D.end());
  if (FState->PathOpen) {
    FState->Path.addPolygon(Poly);
    FState->Path.closeSubpath();
    return;
  }
  if (BrushVisible() && FPen.GetMode() != pmNop && Count >= 3) {
    TPaintScope P(*this);
    if (P) {
      ApplyMode(P.Painter());
      ApplyFill(P.Painter(), true);
      P->drawPolygon(Poly, Qt::OddEvenFill);
    }
  }
  StrokeDevicePolyline(D.data(), D.size(), true);
}

// ---------------------------------------------------------------- shapes

// The device box of a shape, shrunk for an inside-frame pen so the whole
// line stays inside the box.
QRect TCanvas::ShapeBox(int X1, int Y1, int X2, int Y2) const {
  QRect Box = DeviceBox(X1, Y1, X2, Y2);
  int W = DevicePenWidth();
  if (FPen.GetStyle() == psInsideFrame && W > 1 && PenVisible()) {
    int In = W / 2;
    Box.adjust(In, In, -(W - 1 - In), -(W - 1 - In));
  }
  return Box;
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  if (Recorded(TLayerCall::Rectangle, {X1, Y1, X2, Y2})) return;
  QRect Box = ShapeBox(X1, Y1, X2, Y2);
  if (FState->PathOpen) {
    FState->Path.addRect(QRectF(Box.left(), Box.top(), Box.width() - 1, Box.height() - 1));
    return;
  }
  if (Box.width() <= 0 || Box.height() <= 0) return;
  bool Pen = PenVisible();
  bool Cosmetic = DevicePenWidth() <= 1;
  if (BrushVisible() && FPen.GetMode() != pmNop) {
    // Without a pen the fill stops one pixel short of the right and bottom
    // edges; with a one-pixel pen it covers exactly the inside of the frame.
    QRect Fill(Box.left(), Box.top(), Box.width() - 1, Box.height() - 1);
    if (Pen && Cosmetic) Fill = Box.adjusted(1, 1, -1, -1);
    if (Fill.width() > 0 && Fill.height() > 0) {
      TPaintScope P(*this);
      if (P) {
        ApplyMode(P.Painter());
        ApplyFill(P.Painter(), true);
        P->drawRect(Fill);
      }
    }
  }
  if (!Pen) return;
  int R = Box.right();
  int B = Box.bottom();
  if (Cosmetic && (Box.width() == 1 || Box.height() == 1)) {
    // The frame collapses into one line of pixels; each drawn once.
    QPoint End = Box.width() == 1 ? QPoint(R, B + 1) : QPoint(R + 1, B);
    const QPoint Line[] = {Box.topLeft(), End};
    StrokeDevicePolyline(Line, 2, false);
    return;
  }
  const QPoint Frame[] = {Box.topLeft(), QPoint(R, Box.top()), QPoint(R, B), QPoint(Box.left(), B)};
  StrokeDevicePolyline(Frame, 4, true);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  if (Recorded(TLayerCall::Ellipse, {X1, Y1, X2, Y2})) return;
  QRect Box = ShapeBox(X1, Y1, X2, Y2);
  QRect Figure(Box.left(), Box.top(), Box.width() - 1, Box.height() - 1);
  QPainterPath Path;
  Path.addEllipse(QRectF(Figure));
  if (FState->PathOpen) {
    FState->Path.addPath(Path);
    return;
  }
  if (Box.width() <= 0 || Box.height() <= 0) return;
  DrawShape(Figure, [&](QPainter& P, const QRect& R) { P.drawEllipse(R); });
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  if (Recorded(TLayerCall::RoundRect, {X1, Y1, X2, Y2, X3, Y3})) return;
  QRect Box = ShapeBox(X1, Y1, X2, Y2);
  QRect Figure(Box.left(), Box.top(), Box.width() - 1, Box.height() - 1);
  qreal RX = std::abs(X3 * ScaleX()) / 2;
  qreal RY = std::abs(Y3 * ScaleY()) / 2;
  if (FState->PathOpen) {
    FState->Path.addRoundedRect(QRectF(Figure), RX, RY);
    return;
  }
  if (Box.width() <= 0 || Box.height() <= 0) return;
  DrawShape(Figure,
            [&](QPainter& P, const QRect& R) { P.drawRoundedRect(R, RX, RY, Qt::AbsoluteSize); });
}

// Fills Figure's shape without a pen (one pixel short at right and bottom)
// and strokes its outline, which covers Figure's right and bottom edges.
template <class DrawFn>
void TCanvas::DrawShape(const QRect& Figure, DrawFn Draw) {
  if (FPen.GetMode() == pmNop) return;
  TPaintScope P(*this);
  if (!P) return;
  ApplyMode(P.Painter());
  if (BrushVisible()) {
    ApplyFill(P.Painter(), true);
    Draw(P.Painter(), Figure);
  }
  if (PenVisible()) {
    QPen Pen = StrokePen();
    // A flat-capped one-pixel outline would lose the extreme pixels of a
    // closed curve.
    if (DevicePenWidth() <= 1) Pen.setCapStyle(Qt::SquareCap);
    P->setPen(Pen);
    P->setBrush(Qt::NoBrush);
    // Opaque mode only where there are gaps to fill: Qt rasterizes solid
    // outlines differently in opaque mode.
    bool Gaps = HasCosmeticPattern(FPen) && DevicePenWidth() <= 1;
    P->setBackgroundMode(FBkMode == bkOpaque && Gaps ? Qt::OpaqueMode : Qt::TransparentMode);
    P->setBackground(ModeColor(FBkColor));
    Draw(P.Painter(), Figure);
  }
}

void TCanvas::FillRect(const TRect& R) {
  if (Recorded(TLayerCall::FillRect, {R.Left, R.Top, R.Right, R.Bottom})) return;
  QRect Box = DeviceBox(R.Left, R.Top, R.Right, R.Bottom);
  if (Box.isEmpty() || !BrushVisible()) return;
  TPaintScope P(*this);
  if (!P) return;
  ApplyFill(P.Painter(), false);
  P->drawRect(Box);
}

void TCanvas::FrameRect(const TRect& R) {
  if (Recorded(TLayerCall::FrameRect, {R.Left, R.Top, R.Right, R.Bottom})) return;
  QRect Box = DeviceBox(R.Left, R.Top, R.Right, R.Bottom);
  if (Box.isEmpty() || !BrushVisible()) return;
  TPaintScope P(*this);
  if (!P) return;
  ApplyFill(P.Painter(), false);
  QRegion Frame(Box);
  Frame -= QRegion(Box.adjusted(1, 1, -1, -1));
  for (const QRect& Part : Frame) P->drawRect(Part);
}

// ---------------------------------------------------------------- arcs

QPainterPath TCanvas::ArcPath(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4,
                              TArcShape Shape, bool Connect) const {
  QRect Box = DeviceBox(X1, Y1, X2, Y2);
  QRectF Figure(Box.left(), Box.top(), Box.width() - 1, Box.height() - 1);
  QPoint Start = Device(X3, Y3);
  QPoint End = Device(X4, Y4);
  qreal A0 = ArcAngle(Figure, Start);
  qreal A1 = ArcAngle(Figure, End);
  qreal Sweep = A1 - A0;
  // A mirrored mapping turns the drawing direction round.
  bool Mirrored = (FMapMode == mmAnisotropic) && ((FViewportExt.cx < 0) != (FWindowExt.cx < 0)) !=
                                                     ((FViewportExt.cy < 0) != (FWindowExt.cy < 0));
  bool CounterClockwise = (FArcDirection == adCounterClockwise) != Mirrored;
  if (CounterClockwise) {
    while (Sweep <= 0) Sweep += 360;
  } else {
    while (Sweep >= 0) Sweep -= 360;
  }
  QPainterPath Path;
  if (Shape == TArcShape::Pie) {
    Path.moveTo(Figure.center());
    Path.arcTo(Figure, A0, Sweep);
    Path.closeSubpath();
  } else {
    if (Connect && FState->PathOpen && FState->Path.elementCount() > 0)
      Path.moveTo(FState->Path.currentPosition());
    else if (Connect)
      Path.moveTo(QPointF(Device(FPenPos.X, FPenPos.Y)));
    else
      Path.arcMoveTo(Figure, A0);
    Path.arcTo(Figure, A0, Sweep);
    if (Shape == TArcShape::Chord) Path.closeSubpath();
  }
  return Path;
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  LeaveLayer();
  QPainterPath Path = ArcPath(X1, Y1, X2, Y2, X3, Y3, X4, Y4, TArcShape::Arc, false);
  if (FState->PathOpen)
    FState->Path.addPath(Path);
  else
    StrokeDevicePath(Path, false);
}

void TCanvas::ArcTo(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  LeaveLayer();
  QPainterPath Path = ArcPath(X1, Y1, X2, Y2, X3, Y3, X4, Y4, TArcShape::Arc, true);
  QPointF EndPoint = Path.currentPosition();
  if (FState->PathOpen) {
    if (FState->Path.elementCount() == 0) FState->Path.moveTo(Path.elementAt(0));
    FState->Path.connectPath(Path);
  } else {
    StrokeDevicePath(Path, false);
  }
  FPenPos = DPtoLP(TPoint(Round(EndPoint.x()), Round(EndPoint.y())));
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  LeaveLayer();
  QPainterPath Path = ArcPath(X1, Y1, X2, Y2, X3, Y3, X4, Y4, TArcShape::Pie, false);
  if (FState->PathOpen) {
    FState->Path.addPath(Path);
    return;
  }
  FillDevicePath(Path);
  StrokeDevicePath(Path, true);
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  LeaveLayer();
  QPainterPath Path = ArcPath(X1, Y1, X2, Y2, X3, Y3, X4, Y4, TArcShape::Chord, false);
  if (FState->PathOpen) {
    FState->Path.addPath(Path);
    return;
  }
  FillDevicePath(Path);
  StrokeDevicePath(Path, true);
}

// ---------------------------------------------------------------- text

// Texts are measured and drawn many times with one font in a row, and
// building the device font each time costs more than looking the text up:
// the last one is kept while everything it is made from stays the same.
const QFont& TCanvas::DeviceFont() const {
  TDeviceFontKey Key{KeyOf(FFont), FFont.GetPixelsPerInch(), FCharacterExtra, ScaleX(),
                     ScaleY(),     TextAntialiasing};
  if (FState->HasDeviceFont && FState->DeviceFontKey == Key) return FState->DeviceFont.Font;
  TMeasuredFont& Measured = FState->DeviceFont;
  Measured.Font = BuildDeviceFont();
  Measured.Hash = qHash(Measured.Font);
  Measured.Number = -1;
  FState->DeviceFontKey = std::move(Key);
  FState->HasDeviceFont = true;
  return Measured.Font;
}

QFont TCanvas::BuildDeviceFont() const {
  QFont F = FFont.ToQFont();
  F.setPixelSize(std::max(1, Round(F.pixelSize() * ScaleY())));
  if (FCharacterExtra != 0) {
    F.setLetterSpacing(QFont::AbsoluteSpacing, FCharacterExtra * ScaleX());
  }
  bool Smooth = TextAntialiasing && FFont.GetQuality() != fqNonAntialiased;
  F.setStyleStrategy(Smooth ? QFont::PreferAntialias : QFont::NoAntialias);
  return F;
}

TSize TCanvas::TextExtent(const QString& Text) const {
  DeviceFont();
  const TTextMetrics M = TTextMeasurements::Instance().Measure(FState->DeviceFont, Text);
  int W = M.Width;
  int H = M.Ascent + M.Descent;
  if (FMapMode == mmAnisotropic) {
    W = Round(W / ScaleX());
    H = Round(H / ScaleY());
  }
  return {W, H};
}

void TCanvas::TextOut(int X, int Y, const QString& Text) {
  bool UpdateCP = (FTextAlign & TA_UPDATECP) != 0;
  TPoint Ref = UpdateCP ? FPenPos : TPoint(X, Y);
  QPoint Anchor = Device(Ref.X, Ref.Y);
  if (Recorded(TLayerCall::TextOut, {X, Y}, nullptr, 0, &Text)) {
    // Drawing text takes the text colour (see GetTextColor): so does
    // recording it, or a later font change would see another colour.
    if (!Text.isEmpty()) GetTextColor();
    DeviceFont();
    MovePenAfterText(Anchor, TTextMeasurements::Instance().Measure(FState->DeviceFont, Text).Width);
    return;
  }
  const QFont& Font = DeviceFont();
  const TTextMetrics M = TTextMeasurements::Instance().Measure(FState->DeviceFont, Text);
  int Width = M.Width;
  int Ascent = M.Ascent;
  int Descent = M.Descent;

  int Horizontal = FTextAlign & TA_CENTER;
  int Left = Horizontal == TA_CENTER ? -(Width / 2) : Horizontal == TA_RIGHT ? -Width : 0;
  int Vertical = FTextAlign & TA_BASELINE;
  int Baseline = Vertical == TA_BASELINE ? 0 : Vertical == TA_BOTTOM ? -Descent : Ascent;

  // Text is laid out unrotated about the reference point, then turned
  // counter-clockwise by the font orientation (Qt turns clockwise).
  qreal Angle = FFont.GetOrientation() / 10.0;
  QTransform Place;
  Place.translate(Anchor.x(), Anchor.y());
  Place.rotate(-Angle);

  if (FState->PathOpen) {
    QPainterPath Glyphs;
    Glyphs.addText(QPointF(Left, Baseline), Font, Text);
    FState->Path.addPath(Place.map(Glyphs));
  } else if (!Text.isEmpty()) {
    TPaintScope P(*this);
    if (P) {
      // Level text on our own painter is moved by its whole-pixel anchor
      // instead of a transform, which the painter would set up and take
      // down again for every label: the same pixels. Far-off anchors keep
      // the transform, whose arithmetic cannot overflow.
      constexpr int Near = 1 << 24;
      const bool Moved = Angle == 0 && FState->External == nullptr && std::abs(Anchor.x()) < Near &&
                         std::abs(Anchor.y()) < Near;
      const QPoint Origin = Moved ? Anchor : QPoint();
      if (!Moved) P->setTransform(Place, true);
      if (FBkMode == bkOpaque) {
        P->fillRect(
            QRect(Origin.x() + Left, Origin.y() + Baseline - Ascent, Width, Ascent + Descent),
            ColorToQColor(FBkColor));
      }
      P->setPen(ColorToQColor(GetTextColor()));
      // Glyph runs carry their own font; only the painter's text needs it.
      if (DrawsAsGlyphs(P.Painter(), Font, Text)) {
        for (const QGlyphRun& Run : TTextMeasurements::Instance().Glyphs(FState->DeviceFont, Text))
          P->drawGlyphRun(QPointF(Origin.x() + Left, Origin.y() + Baseline), Run);
      } else {
        P->setFont(Font);
        P->drawText(QPoint(Origin.x() + Left, Origin.y() + Baseline), Text);
      }
      if (FState->External == nullptr && !Moved) P->resetTransform();
    }
  }

  MovePenAfterText(Anchor, Width);
}

void TCanvas::MovePenAfterText(const QPoint& Anchor, int Width) {
  // The pen ends after the text along its direction.
  const int Horizontal = FTextAlign & TA_CENTER;
  const int Advance = Horizontal == TA_CENTER ? 0 : Horizontal == TA_RIGHT ? -Width : Width;
  const qreal Rad = FFont.GetOrientation() / 10.0 * std::numbers::pi / 180;
  const std::int64_t EndX = std::int64_t(Anchor.x()) + Round(Advance * std::cos(Rad));
  const std::int64_t EndY = std::int64_t(Anchor.y()) - Round(Advance * std::sin(Rad));
  if ((FTextAlign & TA_UPDATECP) != 0)
    FPenPos = DPtoLP(TPoint(Saturate(EndX), Saturate(EndY)));
  else
    FPenPos = DPtoLP(TPoint(Saturate(std::int64_t(Anchor.x()) + Width), Anchor.y()));
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const QString& Text) {
  LeaveLayer();
  QRect Box = DeviceBox(R.Left, R.Top, R.Right, R.Bottom);
  bool HadClip = FHasClip;
  QRegion Before = FState->Clip;
  if (FBrush.GetStyle() != bsClear && !Box.isEmpty()) {
    TPaintScope P(*this);
    if (P) P->fillRect(Box, ColorToQColor(FBrush.GetColor()));
  }
  CombineClip(QRegion(Box), ccIntersect);
  TextOut(X, Y, Text);
  FState->Clip = Before;
  FHasClip = HadClip;
  FState->ClipApplied = false;
}

// ---------------------------------------------------------------- pixels and bitmaps

TColor TCanvas::GetPixel(int X, int Y) const {
  if (FBitmap == nullptr) return clNone;
  TPoint D = LPtoDP(TPoint(X, Y));
  return FBitmap->GetPixel(D.X, D.Y);
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  if (Recorded(TLayerCall::SetPixel, {X, Y, int(Color)})) return;
  TPaintScope P(*this);
  if (!P) return;
  P->fillRect(QRect(Device(X, Y), QSize(1, 1)), ColorToQColor(Color));
}

void TCanvas::Draw(int X, int Y, const TBitmap& Source) {
  LeaveLayer();
  if (Source.GetEmpty()) return;
  TPoint D = LPtoDP(TPoint(X, Y));
  int W = Source.GetWidth();
  int H = Source.GetHeight();
  TPoint E = FMapMode == mmAnisotropic
                 ? LPtoDP(TPoint(Saturate(std::int64_t(X) + W), Saturate(std::int64_t(Y) + H)))
                 : TPoint(Saturate(std::int64_t(D.X) + W), Saturate(std::int64_t(D.Y) + H));
  DrawBitmapImage(NormalRect(D.X, D.Y, E.X, E.Y), Source);
}

void TCanvas::StretchDraw(const TRect& Dest, const TBitmap& Source) {
  LeaveLayer();
  if (Source.GetEmpty()) return;
  DrawBitmapImage(DeviceBox(Dest.Left, Dest.Top, Dest.Right, Dest.Bottom), Source);
}

void TCanvas::DrawBitmapImage(const QRect& Dest, const TBitmap& Source) {
  if (!Source.GetTransparent()) {
    // A counted copy: when Source is this canvas's own bitmap, opening the
    // painter then gives the target fresh memory instead of drawing the
    // image onto itself.
    QImage Pixels = Source.Image();
    DrawDeviceImage(Dest, Pixels);
    return;
  }
  // Pixels of the transparent colour become fully transparent.
  DrawDeviceImage(Dest, Source.ShownImage());
}

void TCanvas::DrawDeviceImage(const QRect& Dest, const QImage& Image) {
  if (Image.isNull() || Dest.isEmpty()) return;
  TPaintScope P(*this);
  if (!P) return;
  P->setRenderHint(QPainter::SmoothPixmapTransform, false);
  P->drawImage(Dest, Image);
}

void TCanvas::DrawImage(const TRect& Dest, const QImage& Image) {
  LeaveLayer();
  DrawDeviceImage(DeviceBox(Dest.Left, Dest.Top, Dest.Right, Dest.Bottom), Image);
}

void TCanvas::CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect) {
  LeaveLayer();
  if (Source.FBitmap == nullptr || Source.FBitmap->GetEmpty()) return;
  QRect From =
      Source.DeviceBox(SourceRect.Left, SourceRect.Top, SourceRect.Right, SourceRect.Bottom);
  if (From.isEmpty()) return;
  // Copy first: the source may be this very canvas.
  QImage Part = Source.FBitmap->Image().copy(From);
  DrawDeviceImage(DeviceBox(Dest.Left, Dest.Top, Dest.Right, Dest.Bottom), Part);
}

// ---------------------------------------------------------------- clipping

void TCanvas::CombineClip(const QRegion& Area, TClipCombine Mode) {
  QRegion Current = FHasClip ? FState->Clip : QRegion(DeviceBounds());
  switch (Mode) {
    case ccIntersect: Current = Current.intersected(Area); break;
    case ccUnion: Current = Current.united(Area); break;
    case ccXor: Current = Current.xored(Area); break;
    case ccDiff: Current = Current.subtracted(Area); break;
    case ccCopy: Current = Area; break;
  }
  FState->Clip = Current;
  FHasClip = true;
  FState->ClipApplied = false;
}

void TCanvas::ClipRect(const TRect& R, TClipCombine Mode) {
  CombineClip(QRegion(NormalRect(R.Left, R.Top, R.Right, R.Bottom)), Mode);
}

// The pixels Draw covers on a blank canvas whose logical units are this
// canvas's device pixels, looked at only where this device has pixels
// (within Bounds, in bands so that a printer page needs little memory; a
// device of unknown size, such as a recording, is taken to be at most
// 32768 pixels square). Clip areas made this way hold exactly the pixels
// of the shape as this canvas draws it; Qt's own region constructors
// sample pixel corners rather than centres and reach half a pixel past
// the drawn outline on the right and at the bottom.
template <class DrawFn>
QRegion TCanvas::ShapeRegion(const QRect& Bounds, DrawFn Draw) const {
  constexpr int BandHeight = 256;
  const QRect Unknown(-16384, -16384, 32768, 32768);
  const QRect Device = DeviceBounds();
  const QRect Area = Bounds.intersected(Device.isEmpty() ? Unknown : Device);
  std::vector<QRect> Rects;
  for (int Top = Area.top(); Top <= Area.bottom(); Top += BandHeight) {
    TBitmap Mask(Area.width(), std::min(BandHeight, Area.bottom() + 1 - Top));
    TCanvas& M = Mask.GetCanvas();
    M.SetWindowOrg(Area.left(), Top);
    M.GetPen().SetColor(clBlack);
    M.GetBrush().SetColor(clBlack);
    Draw(M, QPoint(Area.left(), Top));
    const QImage& Pixels = Mask.Image();
    const QRgb White = qRgb(255, 255, 255);
    for (int Y = 0; Y < Pixels.height(); ++Y) {
      const QRgb* Row = reinterpret_cast<const QRgb*>(Pixels.constScanLine(Y));
      for (int X = 0; X < Pixels.width();) {
        if ((Row[X] | 0xFF000000u) == White) {
          ++X;
          continue;
        }
        const int Start = X;
        while (X < Pixels.width() && (Row[X] | 0xFF000000u) != White) ++X;
        Rects.emplace_back(Area.left() + Start, Top + Y, X - Start, 1);
      }
    }
  }
  QRegion Region;
  // One-pixel rows, left to right and top to bottom: already banded.
  if (!Rects.empty()) Region.setRects(Rects.data(), static_cast<int>(Rects.size()));
  return Region;
}

// The region is the rounded rectangle RoundRect draws with a one-pixel pen.
void TCanvas::ClipRoundRect(const TRect& R, int W, int H, TClipCombine Mode) {
  const QRect Box = NormalRect(R.Left, R.Top, R.Right, R.Bottom);
  CombineClip(ShapeRegion(Box,
                          [&](TCanvas& M, const QPoint&) {
                            M.RoundRect(Box.left(), Box.top(), Box.left() + Box.width(),
                                        Box.top() + Box.height(), W, H);
                          }),
              Mode);
}

void TCanvas::ClipEllipse(const TRect& R, TClipCombine Mode) {
  const QRect Box = NormalRect(R.Left, R.Top, R.Right, R.Bottom);
  CombineClip(ShapeRegion(Box,
                          [&](TCanvas& M, const QPoint&) {
                            M.Ellipse(Box.left(), Box.top(), Box.left() + Box.width(),
                                      Box.top() + Box.height());
                          }),
              Mode);
}

// The polygon as Polygon fills it without a pen: like a rectangle's, the
// clip of a rectangle's corners stops short of its right and bottom edges.
// Fewer than three points enclose nothing.
void TCanvas::ClipPolygon(const TPoint* Points, int Count, TClipCombine Mode) {
  if (Points == nullptr || Count < 3) {
    CombineClip(QRegion(), Mode);
    return;
  }
  QPolygon Poly;
  for (int I = 0; I < Count; ++I) Poly << QPoint(Points[I].X, Points[I].Y);
  CombineClip(ShapeRegion(Poly.boundingRect(),
                          [&](TCanvas& M, const QPoint&) {
                            M.GetPen().SetStyle(psClear);
                            M.Polygon(Points, Count);
                          }),
              Mode);
}

void TCanvas::RemoveClip() {
  FHasClip = false;
  FState->Clip = QRegion();
  FState->ClipApplied = false;
}

TRect TCanvas::GetClipBox() const {
  QRect Box = FHasClip ? FState->Clip.boundingRect() : DeviceBounds();
  return {Box.left(), Box.top(), Box.left() + Box.width(), Box.top() + Box.height()};
}

void TCanvas::SaveClip() {
  FState->Saved = true;
  FState->SavedHasClip = FHasClip;
  FState->SavedClip = FState->Clip;
}

bool TCanvas::RestoreClip() {
  bool Had = FState->Saved;
  if (Had && FState->SavedHasClip) {
    FState->Clip = FState->SavedClip;
    FHasClip = true;
  } else {
    FState->Clip = QRegion();
    FHasClip = false;
  }
  FState->Saved = false;
  FState->SavedClip = QRegion();
  FState->ClipApplied = false;
  return Had;
}

// ---------------------------------------------------------------- paths

bool TCanvas::GetPathOpen() const {
  return FState->PathOpen;
}

void TCanvas::BeginPath() {
  LeaveLayer();
  FState->Path = QPainterPath();
  FState->Path.setFillRule(Qt::OddEvenFill);
  FState->PathOpen = true;
  FState->PathReady = false;
}

void TCanvas::EndPath() {
  if (!FState->PathOpen) return;
  FState->PathOpen = false;
  FState->PathReady = true;
}

void TCanvas::AbortPath() {
  FState->PathOpen = false;
  FState->PathReady = false;
  FState->Path = QPainterPath();
}

void TCanvas::CloseFigure() {
  if (FState->PathOpen) FState->Path.closeSubpath();
}

// Hands out the finished path once.
bool TCanvas::TakePath(QPainterPath& Path) {
  if (!FState->PathReady) return false;
  Path = FState->Path;
  FState->Path = QPainterPath();
  FState->PathReady = false;
  return true;
}

bool TCanvas::StrokePath() {
  LeaveLayer();
  QPainterPath Path;
  if (!TakePath(Path)) return false;
  StrokeDevicePath(Path, false);
  return true;
}

bool TCanvas::FillPath() {
  LeaveLayer();
  QPainterPath Path;
  if (!TakePath(Path)) return false;
  FillDevicePath(Path);
  return true;
}

bool TCanvas::StrokeAndFillPath() {
  LeaveLayer();
  QPainterPath Path;
  if (!TakePath(Path)) return false;
  FillDevicePath(Path);
  StrokeDevicePath(Path, false);
  return true;
}

bool TCanvas::WidenPath() {
  if (!FState->PathReady) return false;
  QPen Pen = StrokePen();
  QPainterPathStroker Stroker(Pen);
  Stroker.setWidth(std::max(1, DevicePenWidth()));
  QPainterPath Wide = Stroker.createStroke(FState->Path);
  Wide.setFillRule(Qt::WindingFill);
  FState->Path = Wide.simplified();
  FState->Path.setFillRule(Qt::OddEvenFill);
  return true;
}

bool TCanvas::SelectClipPath(TClipCombine Mode) {
  QPainterPath Path;
  if (!TakePath(Path)) return false;
  // The pixels the path fills (alternate rule), without an outline: text
  // recorded as a path clips to its glyphs as they are drawn.
  const QRect Bounds = Path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
  CombineClip(ShapeRegion(Bounds,
                          [&](TCanvas& M, const QPoint& Origin) {
                            M.GetPen().SetStyle(psClear);
                            M.FillDevicePath(Path.translated(-Origin));
                          }),
              Mode);
  return true;
}
