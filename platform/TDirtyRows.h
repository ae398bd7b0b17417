#pragma once

#include <QPoint>
#include <QRect>
#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// The pixels of a bitmap that may have been drawn on since they were last
// made equal to pixels kept elsewhere (see TCanvasLayer): per row the span
// of columns that may differ. A start has a token of its own, so that the
// keeper can tell its start from a later one; marking stops (all pixels
// count as changed) when the bitmap is changed other than by drawing, when
// a large part of it is drawn on, or after MaxPoints points of lines,
// which would cost more to mark than copying the whole bitmap.
class TDirtyRows {
 public:
  void Start(const QRect& Image, std::uint64_t Token);
  void Stop() { FToken = 0; }
  // Whether pixels are being marked (and not all of them yet).
  bool Marking() const { return FToken != 0 && !FAll; }
  bool Known(std::uint64_t Token) const { return Token != 0 && Token == FToken && !FAll; }

  // Pixels inside R (device pixels) may have changed.
  void Mark(const QRect& R);

  // The pixels of the segments joining Count points in order, within
  // Clip, may have changed. Marked by the boxes of runs of Run points: a
  // one-pixel segment lies inside the box of its ends, and a dense trace
  // moves little over a run.
  template <class GetPoint>
  void MarkSegments(const QRect& Clip, std::size_t Count, GetPoint Get) {
    if (!Marking() || Count < 2) return;
    FPoints += Count;
    if (FPoints > MaxPoints) {
      FAll = true;
      return;
    }
    const QRect Within = Clip.intersected(FImage);
    if (Within.isEmpty()) return;
    constexpr std::size_t Run = 16;
    for (std::size_t First = 0; First + 1 < Count; First += Run) {
      const std::size_t Last = std::min(Count - 1, First + Run);  // shared with the next run
      QPoint P = Get(First);
      int Left = P.x(), Right = P.x(), Top = P.y(), Bottom = P.y();
      for (std::size_t I = First + 1; I <= Last; ++I) {
        P = Get(I);
        Left = std::min(Left, P.x());
        Right = std::max(Right, P.x());
        Top = std::min(Top, P.y());
        Bottom = std::max(Bottom, P.y());
      }
      Top = std::max(Top, Within.top());
      Bottom = std::min(Bottom, Within.bottom());
      Left = std::max(Left, Within.left());
      Right = std::min(Right, Within.right());
      if (Top <= Bottom && Left <= Right) Extend(Top, Bottom, Left, Right);
    }
  }

  // Copies the marked spans of Kept into Pixels (both of the image's size
  // and of 4 bytes a pixel, Stride bytes a row).
  void CopyMarked(const uchar* Kept, uchar* Pixels, qsizetype Stride) const;

 private:
  static constexpr std::size_t MaxPoints = 8192;

  void Extend(int Top, int Bottom, int Left, int Right);

  QRect FImage;
  std::uint64_t FToken = 0;  // 0: nothing is marked
  bool FAll = false;
  std::size_t FPoints = 0;
  std::vector<int> FFirst;  // per row, device columns
  std::vector<int> FLast;
};
