#include "platform/TCanvasLayer.h"

#include "platform/TBitmap.h"
#include "platform/TBrush.h"
#include "platform/TCanvas.h"
#include "platform/TColor.h"
#include "platform/TFont.h"
#include "platform/TPen.h"
#include "platform/TRect.h"

#include <QRegion>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The properties of the canvas font.
struct TFontValues {
  QString Name;
  int Height = 0;
  int PixelsPerInch = 0;
  int Style = 0;
  TColor Color = clBlack;
  TFontCharset Charset = 0;
  TFontPitch Pitch = fpDefault;
  int Orientation = 0;
  TFontQuality Quality = fqDefault;
  bool operator==(const TFontValues&) const = default;
};

// Everything of a canvas a recorded call may read, the pen's dashes, the
// font and the clip by their place in the recording's lists.
struct TLayerState {
  TColor PenColor = clBlack;
  int PenWidth = 0;
  TPenStyle PenStyle = psSolid;
  TPenMode PenMode = pmCopy;
  TPenEndCap PenEndCap = pecRound;
  TPenJoin PenJoin = pjRound;
  int Dashes = -1;  // none
  TColor BrushColor = clWhite;
  TBrushStyle BrushStyle = bsSolid;
  int Font = -1;
  TColor TextColor = clBlack;
  TPoint PenPos;
  TColor BkColor = clWhite;
  TBackgroundMode BkMode = bkOpaque;
  int TextAlign = 0;
  int CharacterExtra = 0;
  TArcDirection ArcDirection = adCounterClockwise;
  TMapMode MapMode = mmText;
  TPoint WindowOrg;
  TSize WindowExt;
  TPoint ViewportOrg;
  TSize ViewportExt;
  int Clip = -1;  // unclipped
  bool TextAntialiasing = true;
  bool DirectLineDrawing = true;
  bool KeptGlyphs = true;
  bool operator==(const TLayerState&) const = default;
};

// The index of Value in List, appended unless it equals the last entry:
// recorded calls mostly share the values of the call before.
template <class T>
int IndexOf(std::vector<T>& List, const T& Value) {
  if (List.empty() || !(List.back() == Value)) List.push_back(Value);
  return static_cast<int>(List.size()) - 1;
}

// Whether the bytes of A can be copied over those of B.
bool SameLayout(const QImage& A, const QImage& B) {
  return A.size() == B.size() && A.format() == B.format() && A.bytesPerLine() == B.bytesPerLine();
}

}  // namespace

struct TCanvasLayer::TRecording {
  struct TEntry {
    TLayerCall Call = TLayerCall::FillRect;
    int State = 0;
    std::array<int, 6> Args{};
    int First = 0;  // of the points, or the text
    int Count = 0;  // points
    bool operator==(const TEntry&) const = default;
  };

  std::vector<TEntry> Entries;
  std::vector<TLayerState> States;
  std::vector<TFontValues> Fonts;
  std::vector<QRegion> Clips;
  std::vector<std::vector<int>> Dashes;
  std::vector<TPoint> Points;
  std::vector<QString> Texts;
  // What the pixels depend on besides the calls.
  QSize Size;
  QImage::Format Format = QImage::Format_Invalid;
  qreal PixelRatio = 1;
  std::uint64_t FontGeneration = 0;
  // The first call fills the whole bitmap opaquely.
  bool Covers = false;

  void Clear() {
    Entries.clear();
    States.clear();
    Fonts.clear();
    Clips.clear();
    Dashes.clear();
    Points.clear();
    Texts.clear();
    Size = QSize();
    Format = QImage::Format_Invalid;
    PixelRatio = 1;
    FontGeneration = 0;
    Covers = false;
  }

  bool operator==(const TRecording&) const = default;
};

TCanvasLayer::TCanvasLayer()
    : FCurrent(std::make_unique<TRecording>()), FLast(std::make_unique<TRecording>()) {}

TCanvasLayer::~TCanvasLayer() {
  Leave();
}

void TCanvasLayer::Clear() {
  Leave();
  FLast->Clear();
  FPixels = QImage();
  FHasPixels = false;
  FCleanToken = 0;
}

void TCanvasLayer::Begin(TCanvas& Canvas) {
  Leave();
  FReused = false;
  if (Canvas.FLayer != nullptr) Canvas.FLayer->Leave();
  const QImage* Image = Canvas.LayerImage();
  if (Image == nullptr || Canvas.GetPathOpen()) return;
  FCurrent->Clear();
  FCurrent->Size = Image->size();
  FCurrent->Format = Image->format();
  FCurrent->PixelRatio = Image->devicePixelRatio();
  FCurrent->FontGeneration = TCanvas::FontGeneration();
  FCanvas = &Canvas;
  Canvas.FLayer = this;
}

void TCanvasLayer::End() {
  if (FCanvas == nullptr) return;
  TCanvas& Canvas = *FCanvas;
  FCanvas->FLayer = nullptr;
  FCanvas = nullptr;
  QImage* Image = Canvas.LayerImage();
  const bool Same = FCurrent->Covers && Image != nullptr &&
                    FCurrent->FontGeneration == TCanvas::FontGeneration() && *FCurrent == *FLast;
  if (Same && FHasPixels && SameLayout(FPixels, *Image)) {
    Canvas.RestoreKeptPixels(FCleanToken, FPixels);
    FReused = true;
  } else {
    Replay(Canvas, *FCurrent);
    Image = Canvas.LayerImage();
    FHasPixels = Same && Image != nullptr;
    if (FHasPixels) KeepPixels(*Image);
  }
  // From now on the canvas marks what is drawn over the kept pixels.
  Canvas.StopCleanPixels(FCleanToken);
  FCleanToken = FHasPixels ? Canvas.StartCleanPixels() : 0;
  std::swap(FCurrent, FLast);
  FCurrent->Clear();
}

// Into the memory kept from before when it fits: fresh memory costs a page
// fault per page, far more than the copy itself.
void TCanvasLayer::KeepPixels(const QImage& Image) {
  if (SameLayout(FPixels, Image) && FPixels.isDetached()) {
    std::memcpy(FPixels.bits(), Image.constBits(), size_t(Image.sizeInBytes()));
    FPixels.setDevicePixelRatio(Image.devicePixelRatio());
  } else {
    FPixels = Image.copy();
  }
}

void TCanvasLayer::Leave() {
  if (FCanvas == nullptr) return;
  TCanvas& Canvas = *FCanvas;
  FCanvas->FLayer = nullptr;
  FCanvas = nullptr;
  Replay(Canvas, *FCurrent);
  FCurrent->Clear();
}

bool TCanvasLayer::Record(TLayerCall Call, const int* Args, int ArgCount, const TPoint* Points,
                          int Count, const QString* Text) {
  TCanvas& C = *FCanvas;
  // Pattern brushes bring pixels of their own, open paths take the call
  // instead of drawing it: neither is recorded.
  if (C.GetBrush().GetBitmap() != nullptr || C.GetPathOpen()) {
    Leave();
    return false;
  }
  TRecording& R = *FCurrent;
  TRecording::TEntry Entry;
  Entry.Call = Call;
  Entry.State = CaptureState(C, R);
  std::copy(Args, Args + std::min(ArgCount, int(Entry.Args.size())), Entry.Args.begin());
  if (Points != nullptr) {
    Entry.First = static_cast<int>(R.Points.size());
    Entry.Count = Count;
    R.Points.insert(R.Points.end(), Points, Points + Count);
  } else if (Text != nullptr) {
    Entry.First = static_cast<int>(R.Texts.size());
    R.Texts.push_back(*Text);
  }
  if (R.Entries.empty()) R.Covers = Call == TLayerCall::FillRect && C.FillsWholeImage(Args);
  R.Entries.push_back(Entry);
  return true;
}

int TCanvasLayer::CaptureState(const TCanvas& C, TRecording& R) {
  const TPen& Pen = C.GetPen();
  const TFont& Font = C.GetFont();
  TLayerState S;
  S.PenColor = Pen.GetColor();
  S.PenWidth = Pen.GetWidth();
  S.PenStyle = Pen.GetStyle();
  S.PenMode = Pen.GetMode();
  S.PenEndCap = Pen.GetEndCap();
  S.PenJoin = Pen.GetJoin();
  if (!Pen.GetUserDashes().empty()) S.Dashes = IndexOf(R.Dashes, Pen.GetUserDashes());
  S.BrushColor = C.GetBrush().GetColor();
  S.BrushStyle = C.GetBrush().GetStyle();
  S.Font = IndexOf(R.Fonts, TFontValues{Font.GetName(), Font.GetHeight(), Font.GetPixelsPerInch(),
                                        int(Font.GetStyle()), Font.GetColor(), Font.GetCharset(),
                                        Font.GetPitch(), Font.GetOrientation(), Font.GetQuality()});
  S.TextColor = C.PendingTextColor();
  S.PenPos = C.FPenPos;
  S.BkColor = C.FBkColor;
  S.BkMode = C.FBkMode;
  S.TextAlign = C.FTextAlign;
  S.CharacterExtra = C.FCharacterExtra;
  S.ArcDirection = C.FArcDirection;
  S.MapMode = C.FMapMode;
  S.WindowOrg = C.FWindowOrg;
  S.WindowExt = C.FWindowExt;
  S.ViewportOrg = C.FViewportOrg;
  S.ViewportExt = C.FViewportExt;
  if (const QRegion* Clip = C.LayerClip()) S.Clip = IndexOf(R.Clips, *Clip);
  S.TextAntialiasing = GetTextAntialiasing();
  S.DirectLineDrawing = GetDirectLineDrawing();
  S.KeptGlyphs = GetKeptGlyphs();
  return IndexOf(R.States, S);
}

void TCanvasLayer::ApplyState(TCanvas& C, const TRecording& R, int Index) {
  const TLayerState& S = R.States[size_t(Index)];
  TPen& Pen = C.GetPen();
  Pen.SetColor(S.PenColor);
  Pen.SetWidth(S.PenWidth);
  Pen.SetStyle(S.PenStyle);
  Pen.SetMode(S.PenMode);
  Pen.SetEndCap(S.PenEndCap);
  Pen.SetJoin(S.PenJoin);
  Pen.SetUserDashes(S.Dashes >= 0 ? R.Dashes[size_t(S.Dashes)] : std::vector<int>());
  TBrush& Brush = C.GetBrush();
  Brush.SetBitmap(nullptr);
  Brush.SetColor(S.BrushColor);
  Brush.SetStyle(S.BrushStyle);
  // The mapping before the font: changing it sets the font's resolution.
  C.FMapMode = S.MapMode;
  C.FWindowOrg = S.WindowOrg;
  C.FWindowExt = S.WindowExt;
  C.FViewportOrg = S.ViewportOrg;
  C.FViewportExt = S.ViewportExt;
  const TFontValues& F = R.Fonts[size_t(S.Font)];
  TFont& Font = C.GetFont();
  Font.SetPixelsPerInch(F.PixelsPerInch);
  Font.SetName(F.Name);
  Font.SetHeight(F.Height);
  Font.SetStyle(TFontStyles(F.Style));
  Font.SetColor(F.Color);
  Font.SetCharset(F.Charset);
  Font.SetPitch(F.Pitch);
  Font.SetOrientation(F.Orientation);
  Font.SetQuality(F.Quality);
  C.SetTextColor(S.TextColor);
  C.FPenPos = S.PenPos;
  C.FBkColor = S.BkColor;
  C.FBkMode = S.BkMode;
  C.FTextAlign = S.TextAlign;
  C.FCharacterExtra = S.CharacterExtra;
  C.FArcDirection = S.ArcDirection;
  C.SetLayerClip(S.Clip >= 0 ? &R.Clips[size_t(S.Clip)] : nullptr);
  SetTextAntialiasing(S.TextAntialiasing);
  SetDirectLineDrawing(S.DirectLineDrawing);
  SetKeptGlyphs(S.KeptGlyphs);
}

void TCanvasLayer::Replay(TCanvas& C, const TRecording& R) {
  if (R.Entries.empty()) return;
  // What the canvas holds now comes back once the calls are drawn: its
  // values as a state of their own, with the pattern brush and the text
  // colour as it stands, which a state does not hold.
  TRecording Held;
  const int Now = CaptureState(C, Held);
  TBrush Brush;
  Brush.Assign(C.GetBrush());
  C.HoldTextColor();

  int Applied = -1;
  for (const TRecording::TEntry& E : R.Entries) {
    if (E.State != Applied) ApplyState(C, R, E.State);
    Applied = E.State;
    const std::array<int, 6>& A = E.Args;
    switch (E.Call) {
      case TLayerCall::FillRect: C.FillRect(TRect(A[0], A[1], A[2], A[3])); break;
      case TLayerCall::FrameRect: C.FrameRect(TRect(A[0], A[1], A[2], A[3])); break;
      case TLayerCall::Rectangle: C.Rectangle(A[0], A[1], A[2], A[3]); break;
      case TLayerCall::Ellipse: C.Ellipse(A[0], A[1], A[2], A[3]); break;
      case TLayerCall::RoundRect: C.RoundRect(A[0], A[1], A[2], A[3], A[4], A[5]); break;
      case TLayerCall::LineTo: C.LineTo(A[0], A[1]); break;
      case TLayerCall::Polyline: C.Polyline(&R.Points[size_t(E.First)], E.Count); break;
      case TLayerCall::Polygon: C.Polygon(&R.Points[size_t(E.First)], E.Count); break;
      case TLayerCall::TextOut: C.TextOut(A[0], A[1], R.Texts[size_t(E.First)]); break;
      case TLayerCall::SetPixel: C.SetPixel(A[0], A[1], TColor(A[2])); break;
    }
  }

  ApplyState(C, Held, Now);
  C.GetBrush().Assign(Brush);
  C.ReleaseTextColor();
}
