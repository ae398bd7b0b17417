#pragma once

// Integer device or logical coordinates. A rectangle covers the pixels from
// Left up to but not including Right, and from Top up to but not including
// Bottom, as everything the canvas draws and clips does.

struct TPoint {
  int X = 0;
  int Y = 0;

  constexpr TPoint() = default;
  constexpr TPoint(int AX, int AY) : X(AX), Y(AY) {}

  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;

  constexpr TSize() = default;
  constexpr TSize(int Acx, int Acy) : cx(Acx), cy(Acy) {}

  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(int ALeft, int ATop, int ARight, int ABottom)
      : Left(ALeft), Top(ATop), Right(ARight), Bottom(ABottom) {}
  constexpr TRect(const TPoint& ATopLeft, const TPoint& ABottomRight)
      : Left(ATopLeft.X), Top(ATopLeft.Y), Right(ABottomRight.X), Bottom(ABottomRight.Y) {}

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }

  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int X, int Y) {
  return {X, Y};
}
constexpr TRect Rect(int Left, int Top, int Right, int Bottom) {
  return {Left, Top, Right, Bottom};
}
constexpr TRect Bounds(int Left, int Top, int Width, int Height) {
  return {Left, Top, Left + Width, Top + Height};
}

// True when Right <= Left or Bottom <= Top: the rectangle covers no pixel.
constexpr bool IsRectEmpty(const TRect& R) {
  return R.Right <= R.Left || R.Bottom <= R.Top;
}

// Right and bottom are exclusive: a point on either edge is outside.
constexpr bool PtInRect(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

// Moves the left and top edges by -DX/-DY and the right and bottom by +DX/+DY.
constexpr void InflateRect(TRect& R, int DX, int DY) {
  R.Left -= DX;
  R.Top -= DY;
  R.Right += DX;
  R.Bottom += DY;
}

constexpr void OffsetRect(TRect& R, int DX, int DY) {
  R.Left += DX;
  R.Top += DY;
  R.Right += DX;
  R.Bottom += DY;
}

// Dest becomes the common part of A and B; when there is none Dest becomes
// (0, 0, 0, 0) and the result is false.
constexpr bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B) {
  TRect R{A.Left > B.Left ? A.Left : B.Left, A.Top > B.Top ? A.Top : B.Top,
          A.Right < B.Right ? A.Right : B.Right, A.Bottom < B.Bottom ? A.Bottom : B.Bottom};
  if (IsRectEmpty(R)) R = TRect();
  Dest = R;
  return !IsRectEmpty(R);
}

// Dest becomes the smallest rectangle holding A and B; an empty rectangle
// does not count. False (and Dest all zero) when both are empty.
constexpr bool UnionRect(TRect& Dest, const TRect& A, const TRect& B) {
  if (IsRectEmpty(A)) {
    Dest = IsRectEmpty(B) ? TRect() : B;
    return !IsRectEmpty(B);
  }
  if (IsRectEmpty(B)) {
    Dest = A;
    return true;
  }
  Dest = TRect{A.Left < B.Left ? A.Left : B.Left, A.Top < B.Top ? A.Top : B.Top,
               A.Right > B.Right ? A.Right : B.Right, A.Bottom > B.Bottom ? A.Bottom : B.Bottom};
  return true;
}
