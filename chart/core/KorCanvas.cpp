#include "chart/core/KorCanvas.h"

#include "chart/core/BitmapPixels.h"
#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartPen.h"

#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TFont.h"
#include "platform/TPen.h"
#include "platform/TStringList.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

bool KorCheckPenWidth = false;
bool IsWindowsNT = true;
std::uint8_t DarkerColorQuantity = 128;
std::uint8_t DarkColorQuantity = 64;
int KorDefaultConePercent = 0;
int KorNumCylinderSides = 16;
std::uint8_t KorFontAntiAlias = 4;
std::unique_ptr<TStringList> KorCustomEditColors;
TKorSetDCColor KorSetDCBrushColor = nullptr;
TKorSetDCColor KorSetDCPenColor = nullptr;
bool KorAlphaBlendUsable = true;

namespace {

struct TDefaultFont {
  QString Name;
  int Size = 8;
};

// Read once, at the first use. A size text that is not a number keeps the
// framework's 8 points. Japanese systems replace the western default with
// the framework's own default font.
TDefaultFont LoadDefaultFont() {
  TDefaultFont Font;
  Font.Name = Korconst::KorMsg_DefaultFontName;
  bool Ok = false;
  int Size = Korconst::KorMsg_DefaultFontSize.toInt(&Ok);
  if (Ok) Font.Size = Size;
  if (QLocale::system().language() == QLocale::Japanese) {
    const TFont FrameworkDefault;
    if (Font.Size == 8)
      Font.Size = -(FrameworkDefault.GetHeight() * 72 / FrameworkDefault.GetPixelsPerInch());
    if (Font.Name == QStringLiteral("Arial")) Font.Name = FrameworkDefault.GetName();
  }
  return Font;
}

const TDefaultFont& DefaultFont() {
  static const TDefaultFont Font = LoadDefaultFont();
  return Font;
}

int Darken(int Channel, int HowMuch) {
  return Channel > HowMuch ? Channel - HowMuch : 0;
}

int Brighten(int Channel, int HowMuch) {
  return std::min(255, Channel + HowMuch);
}

}  // namespace

const QString& GetDefaultFontName() {
  return DefaultFont().Name;
}

int GetDefaultFontSize() {
  return DefaultFont().Size;
}

TColor InvertibleColor(TColor Color, TColor Fallback) {
  if (Color == clDefault || Color == clNone) Color = Fallback;
  return ColorToRGB(Color) & 0xFFFFFF;
}

TColor ApplyDark(TColor Color, int HowMuch) {
  Color = ColorToRGB(Color);
  return RGB(Darken(GetRValue(Color), HowMuch), Darken(GetGValue(Color), HowMuch),
             Darken(GetBValue(Color), HowMuch));
}

TColor ApplyBright(TColor Color, int HowMuch) {
  Color = ColorToRGB(Color);
  return RGB(Brighten(GetRValue(Color), HowMuch), Brighten(GetGValue(Color), HowMuch),
             Brighten(GetBValue(Color), HowMuch));
}

void RGBValue(TColor Color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) {
  R = static_cast<std::uint8_t>(GetRValue(Color));
  G = static_cast<std::uint8_t>(GetGValue(Color));
  B = static_cast<std::uint8_t>(GetBValue(Color));
}

void KorSetKorPen(TPen& CanvasPen, const TChartPen& ChartPen, TColor Color) {
  if (ChartPen.GetSmallDots()) {
    CanvasPen.Assign(*KorCreatePenSmallDots(Color, ChartPen.GetSmallSpace()));
    CanvasPen.SetMode(ChartPen.GetMode());
    return;
  }
  CanvasPen.Assign(ChartPen);
  CanvasPen.SetColor(Color);
  if (ChartPen.GetWidth() < 2) {
    if (KorCheckPenWidth && CanvasPen.GetStyle() != psSolid && CanvasPen.GetWidth() == 1)
      CanvasPen.SetWidth(0);
    return;
  }
  switch (ChartPen.GetEndStyle()) {
    case esRound:
      CanvasPen.SetEndCap(pecRound);
      CanvasPen.SetJoin(pjRound);
      break;
    case esSquare:
      CanvasPen.SetEndCap(pecSquare);
      CanvasPen.SetJoin(pjBevel);
      break;
    case esFlat:
      CanvasPen.SetEndCap(pecFlat);
      CanvasPen.SetJoin(pjMiter);
      break;
  }
}

std::unique_ptr<TPen> KorCreatePenSmallDots(TColor Color, int Space) {
  auto Pen = std::make_unique<TPen>();
  Pen->SetColor(Color);
  Pen->SetWidth(1);
  if (Space <= 0) {
    Pen->SetStyle(psAlternate);
  } else {
    Pen->SetStyle(psUserStyle);
    Pen->SetUserDashes({0, Space + 1});
  }
  return Pen;
}

// ---------------------------------------------------------------- geometry

TRect OrientRectangle(const TRect& R) {
  TRect Result = R;
  if (Result.Left > Result.Right) std::swap(Result.Left, Result.Right);
  if (Result.Top > Result.Bottom) std::swap(Result.Top, Result.Bottom);
  return Result;
}

void RectSize(const TRect& R, int& Width, int& Height) {
  Width = R.Right - R.Left;
  Height = R.Bottom - R.Top;
}

void RectCenter(const TRect& R, int& X, int& Y) {
  X = static_cast<int>((static_cast<long long>(R.Left) + R.Right) / 2);
  Y = static_cast<int>((static_cast<long long>(R.Top) + R.Bottom) / 2);
}

TRect PolygonBounds(const TPoint* Points, int HighIndex) {
  if (Points == nullptr || HighIndex < 0) return KorZeroRect;
  TRect R(Points[0].X, Points[0].Y, Points[0].X, Points[0].Y);
  for (int I = 1; I <= HighIndex; ++I) {
    R.Left = std::min(R.Left, Points[I].X);
    R.Top = std::min(R.Top, Points[I].Y);
    R.Right = std::max(R.Right, Points[I].X);
    R.Bottom = std::max(R.Bottom, Points[I].Y);
  }
  return R;
}

TRect RectFromPolygon(const TPoint* Points, int Count) {
  if (Points == nullptr || Count <= 0) return KorZeroRect;
  TRect R = PolygonBounds(Points, Count - 1);
  ++R.Right;
  ++R.Bottom;
  return R;
}

TRect RectFromTriangle(const std::array<TPoint, 3>& Points) {
  return RectFromPolygon(Points.data(), 3);
}

bool KorCull(const TPoint& P0, const TPoint& P1, const TPoint& P2) {
  const long long Cross = static_cast<long long>(P0.X - P1.X) * (P2.Y - P1.Y) -
                          static_cast<long long>(P2.X - P1.X) * (P0.Y - P1.Y);
  return Cross < 0;
}

bool KorCull(const TFourPoints& Points) {
  return KorCull(Points[0], Points[1], Points[2]);
}

double KorDistance(double DX, double DY) {
  return std::sqrt(DX * DX + DY * DY);
}

// A vertical line is handled apart so the result has no rounding drift
// sideways.
TPoint PointAtDistance(const TPoint& From, const TPoint& To, double Distance) {
  if (From.X == To.X) {
    const int Step = Round(Distance);
    return TPoint(To.X, From.Y < To.Y ? To.Y - Step : To.Y + Step);
  }
  const double Angle = std::atan2(double(To.Y) - From.Y, double(To.X) - From.X);
  return TPoint(To.X - Round(std::cos(Angle) * Distance), To.Y - Round(std::sin(Angle) * Distance));
}

void SwapInteger(int& A, int& B) {
  std::swap(A, B);
}

void SwapDouble(double& A, double& B) {
  std::swap(A, B);
}

// ---------------------------------------------------------------- clipping

// The canvas clips in device pixels; every area is converted from logical
// units first (a copy: callers keep their own coordinates).

void ClipCanvas(TCanvas& Canvas, const TRect& R) {
  Canvas.SaveClip();
  Canvas.ClipRect(Canvas.LPtoDP(R));
}

void UnClipCanvas(TCanvas& Canvas) {
  Canvas.RestoreClip();
}

void ClipEllipse(TCanvas& Canvas, const TRect& R, bool Inverted) {
  if (Inverted) {
    Canvas.ClipEllipse(Canvas.LPtoDP(R), ccXor);
    return;
  }
  Canvas.SaveClip();
  Canvas.ClipEllipse(Canvas.LPtoDP(R));
}

void ClipRoundRectangle(TCanvas& Canvas, const TRect& R, int RoundSize) {
  const TPoint Origin = Canvas.LPtoDP(TPoint(0, 0));
  const TPoint Corner = Canvas.LPtoDP(TPoint(RoundSize, RoundSize));
  Canvas.SaveClip();
  Canvas.ClipRoundRect(Canvas.LPtoDP(R), std::abs(Corner.X - Origin.X),
                       std::abs(Corner.Y - Origin.Y));
}

// Fewer than three points enclose nothing: everything is clipped away.
void ClipPolygon(TCanvas& Canvas, const TPoint* Points, int Count) {
  std::vector<TPoint> Device;
  if (Points != nullptr && Count > 0) {
    Device.reserve(Count);
    for (int I = 0; I < Count; ++I) Device.push_back(Canvas.LPtoDP(Points[I]));
  }
  Canvas.SaveClip();
  Canvas.ClipPolygon(Device.data(), static_cast<int>(Device.size()));
}

// ---------------------------------------------------------------- bitmaps

namespace {

int ClampByte(int Value) {
  return std::clamp(Value, 0, 255);
}

int AlphaMix(int S, int D, int Alpha) {
  return (S * Alpha + D * (255 - Alpha) + 127) / 255;
}

// Integer division truncating toward zero, as the byte loop has always
// done (a darker element over a lighter background rounds the other way
// from a lighter one over a darker background).
int PercentMix(int S, int D, int T) {
  return ClampByte(D + T * (S - D) / 100);
}

}  // namespace

void KorBlendBitmaps(const TBitmap& Source, TBitmap& Destination, TPoint Position, double Percent) {
  const int X0 = std::max(0, Position.X);
  const int Y0 = std::max(0, Position.Y);
  const int Width = std::min(Source.GetWidth(), Destination.GetWidth() - X0);
  const int Height = std::min(Source.GetHeight(), Destination.GetHeight() - Y0);
  if (Width <= 0 || Height <= 0) return;
  const int SourceSize = BitmapPixels::PixelSize(Source);
  const int DestSize = BitmapPixels::PixelSize(Destination);
  const int Alpha = std::clamp(255 - Round(Percent * 2.55), 0, 255);
  const int T = std::clamp(100 - Round(Percent), 0, 100);
  for (int Y = 0; Y < Height; ++Y) {
    const std::uint8_t* S = BitmapPixels::ReadRow(Source, Y);
    std::uint8_t* D = BitmapPixels::WriteRow(Destination, Y0 + Y);
    for (int X = 0; X < Width; ++X) {
      const TColor SC = BitmapPixels::Get(S, X, SourceSize);
      TColor DC = BitmapPixels::Get(D, X0 + X, DestSize);
      TColor Mixed;
      if (KorAlphaBlendUsable) {
        Mixed = RGB(AlphaMix(GetRValue(SC), GetRValue(DC), Alpha),
                    AlphaMix(GetGValue(SC), GetGValue(DC), Alpha),
                    AlphaMix(GetBValue(SC), GetBValue(DC), Alpha));
      } else {
        if (DC == clWhite) DC = RGB(254, 255, 255);
        Mixed = RGB(PercentMix(GetRValue(SC), GetRValue(DC), T),
                    PercentMix(GetGValue(SC), GetGValue(DC), T),
                    PercentMix(GetBValue(SC), GetBValue(DC), T));
      }
      BitmapPixels::Set(D, X0 + X, DestSize, Mixed);
    }
  }
}

void KorGrayScale(TBitmap* Bitmap, bool Inverted, int Mode) {
  if (Bitmap == nullptr) return;
  const int Size = BitmapPixels::PixelSize(*Bitmap);
  for (int Y = 0; Y < Bitmap->GetHeight(); ++Y) {
    std::uint8_t* Row = BitmapPixels::WriteRow(*Bitmap, Y);
    for (int X = 0; X < Bitmap->GetWidth(); ++X) {
      const TColor C = BitmapPixels::Get(Row, X, Size);
      const int R = GetRValue(C);
      const int G = GetGValue(C);
      const int B = GetBValue(C);
      int Grey = Mode != 0 ? Round(0.3 * R + 0.59 * G + 0.11 * B) : (R + G + B) / 3;
      if (Inverted) Grey = 255 - Grey;
      BitmapPixels::Set(Row, X, Size, RGB(Grey, Grey, Grey));
    }
  }
  Bitmap->SetPixelFormat(pfDevice);
}

namespace {

// Filter weights are fixed point with 10 fractional bits.
constexpr int WeightOne = 1024;

double Sinc(double X) {
  if (X == 0) return 1.0;
  X *= std::numbers::pi;
  return std::sin(X) / X;
}

double Lanczos3(double X) {
  X = std::fabs(X);
  return X < 3.0 ? Sinc(X) * Sinc(X / 3.0) : 0.0;
}

double Triangle(double X) {
  X = std::fabs(X);
  return X < 1.0 ? 1.0 - X : 0.0;
}

struct TContribution {
  int Pixel;
  int Weight;
};

using TContributionList = std::vector<std::vector<TContribution>>;

// Indices outside the source mirror back into it.
int MirrorIndex(int J, int Size) {
  if (J < 0) J = -J;
  if (J >= Size) J = 2 * Size - 1 - J;
  return std::clamp(J, 0, Size - 1);
}

// The weights of one output pixel. They are normalised to sum to exactly
// one before they are made fixed point, and the rounding remainder goes to
// the largest weight: a flat area stays exactly flat whatever the scale.
std::vector<TContribution> PixelContributions(double Centre, int SourceSize,
                                              TSmoothStretchOption Option, double Scale) {
  const bool Best = Option == ssBestQuality;
  const double Support = Best ? 3.0 : 1.0;
  const double FilterScale = Scale >= 1.0 ? 1.0 : Scale;
  const double Width = Support / FilterScale;
  const int Low = static_cast<int>(std::floor(Centre - Width));
  const int High = static_cast<int>(std::ceil(Centre + Width));
  std::vector<std::pair<int, double>> Raw;
  double Sum = 0;
  for (int J = Low; J <= High; ++J) {
    const double X = (Centre - J) * FilterScale;
    const double W = (Best ? Lanczos3(X) : Triangle(X)) * FilterScale;
    if (W == 0) continue;
    Raw.emplace_back(MirrorIndex(J, SourceSize), W);
    Sum += W;
  }
  std::vector<TContribution> Result;
  if (Sum == 0) return Result;
  int Total = 0;
  std::size_t Largest = 0;
  for (const auto& [Pixel, W] : Raw) {
    const int Weight = Round(W / Sum * WeightOne);
    if (Weight == 0) continue;
    Result.push_back({Pixel, Weight});
    Total += Weight;
    if (Weight > Result[Largest].Weight) Largest = Result.size() - 1;
  }
  if (!Result.empty()) Result[Largest].Weight += WeightOne - Total;
  return Result;
}

TContributionList Contributions(int SourceSize, int DestSize, TSmoothStretchOption Option) {
  const double Scale = double(DestSize - 1) / double(SourceSize - 1);
  TContributionList List(DestSize);
  for (int I = 0; I < DestSize; ++I)
    List[I] = PixelContributions(I / Scale, SourceSize, Option, Scale);
  return List;
}

int FixedToByte(int Sum) {
  return ClampByte(Sum >> 10);
}

// One channel triple per pixel, row after row.
using TChannels = std::vector<int>;

TChannels ReadChannels(const TBitmap& Bitmap) {
  const int W = Bitmap.GetWidth();
  const int Size = BitmapPixels::PixelSize(Bitmap);
  TChannels Result(static_cast<std::size_t>(W) * Bitmap.GetHeight() * 3);
  std::size_t K = 0;
  for (int Y = 0; Y < Bitmap.GetHeight(); ++Y) {
    const std::uint8_t* Row = BitmapPixels::ReadRow(Bitmap, Y);
    for (int X = 0; X < W; ++X) {
      const TColor C = BitmapPixels::Get(Row, X, Size);
      Result[K++] = GetRValue(C);
      Result[K++] = GetGValue(C);
      Result[K++] = GetBValue(C);
    }
  }
  return Result;
}

}  // namespace

void SmoothStretch(const TBitmap& Source, TBitmap& Destination, TSmoothStretchOption Option) {
  if (Source.GetWidth() < 2 || Source.GetHeight() < 2)
    throw KorException(QStringLiteral("SmoothStretch: Source bitmap too small"));
  if (Destination.GetWidth() < 2 || Destination.GetHeight() < 2)
    throw KorException(QStringLiteral("SmoothStretch: Destination bitmap too small"));
  const int SW = Source.GetWidth();
  const int SH = Source.GetHeight();
  const int DW = Destination.GetWidth();
  const int DH = Destination.GetHeight();
  const TChannels In = ReadChannels(Source);

  // Horizontal pass into a work image of the destination's width and the
  // source's height; its values are bytes, as a bitmap would hold them.
  const TContributionList Columns = Contributions(SW, DW, Option);
  TChannels Work(static_cast<std::size_t>(DW) * SH * 3);
  for (int Y = 0; Y < SH; ++Y) {
    for (int X = 0; X < DW; ++X) {
      int Sum[3] = {0, 0, 0};
      for (const TContribution& C : Columns[X]) {
        const std::size_t K = (static_cast<std::size_t>(Y) * SW + C.Pixel) * 3;
        for (int Ch = 0; Ch < 3; ++Ch) Sum[Ch] += In[K + Ch] * C.Weight;
      }
      const std::size_t K = (static_cast<std::size_t>(Y) * DW + X) * 3;
      for (int Ch = 0; Ch < 3; ++Ch) Work[K + Ch] = FixedToByte(Sum[Ch]);
    }
  }

  const TContributionList Rows = Contributions(SH, DH, Option);
  const int Size = BitmapPixels::PixelSize(Destination);
  for (int Y = 0; Y < DH; ++Y) {
    std::uint8_t* Row = BitmapPixels::WriteRow(Destination, Y);
    for (int X = 0; X < DW; ++X) {
      int Sum[3] = {0, 0, 0};
      for (const TContribution& C : Rows[Y]) {
        const std::size_t K = (static_cast<std::size_t>(C.Pixel) * DW + X) * 3;
        for (int Ch = 0; Ch < 3; ++Ch) Sum[Ch] += Work[K + Ch] * C.Weight;
      }
      BitmapPixels::Set(Row, X, Size,
                        RGB(FixedToByte(Sum[0]), FixedToByte(Sum[1]), FixedToByte(Sum[2])));
    }
  }
}

std::unique_ptr<TBitmap> KorAntiAliasBitmap(const TBitmap& Large) {
  const int W = Large.GetWidth() / 2;
  const int H = Large.GetHeight() / 2;
  auto Small = std::make_unique<TBitmap>(W, H, pf24bit);
  const int LargeSize = BitmapPixels::PixelSize(Large);
  for (int Y = 0; Y < H; ++Y) {
    const std::uint8_t* Upper = BitmapPixels::ReadRow(Large, 2 * Y);
    const std::uint8_t* Lower = BitmapPixels::ReadRow(Large, 2 * Y + 1);
    std::uint8_t* Row = BitmapPixels::WriteRow(*Small, Y);
    for (int X = 0; X < W; ++X) {
      const TColor Block[4] = {BitmapPixels::Get(Upper, 2 * X, LargeSize),
                               BitmapPixels::Get(Upper, 2 * X + 1, LargeSize),
                               BitmapPixels::Get(Lower, 2 * X, LargeSize),
                               BitmapPixels::Get(Lower, 2 * X + 1, LargeSize)};
      int R = 0, G = 0, B = 0;
      for (TColor C : Block) {
        R += GetRValue(C);
        G += GetGValue(C);
        B += GetBValue(C);
      }
      BitmapPixels::Set(Row, X, 3, RGB(R / 4, G / 4, B / 4));
    }
  }
  return Small;
}
