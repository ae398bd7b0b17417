#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TCanvas;
struct TPoint;

// The canvas calls a layer can record (every other call that draws or reads
// pixels first draws what was recorded and ends the recording).
enum class TLayerCall : std::uint8_t {
  FillRect,
  FrameRect,
  Rectangle,
  Ellipse,
  RoundRect,
  LineTo,
  Polyline,
  Polygon,
  TextOut,
  SetPixel
};

// Render cache of the part of a frame that seldom changes: between Begin
// and End a bitmap canvas records the calls it is asked to draw, each with
// every value of the canvas it reads, instead of drawing them. End then
// either gives the bitmap the pixels kept from the last recording, when the
// two recordings are equal in every call and value and were made on a
// bitmap of the same size and format, or draws the recording (and keeps
// its pixels when the recording before was equal to it too, so that a
// layer changing every frame costs no copies).
//
// The pixels of a recording are the same whatever the bitmap held before
// only when the recording starts by filling the whole bitmap opaquely;
// other recordings are drawn every time. Nothing is reset by hand: the key
// is the whole recording, with the text rendering switches and the
// generation of the fonts the glyphs come from.
class TCanvasLayer {
 public:
  TCanvasLayer();
  // A recording still running is drawn first.
  ~TCanvasLayer();
  TCanvasLayer(const TCanvasLayer&) = delete;
  TCanvasLayer& operator=(const TCanvasLayer&) = delete;

  // Starts recording Canvas's drawing; nothing is recorded on a canvas
  // that does not draw on a bitmap of its own, or while a path is open.
  void Begin(TCanvas& Canvas);
  // Ends the recording (nothing when it has ended already).
  void End();
  // Whether the recording since the last Begin ended with the kept pixels.
  bool GetReused() const { return FReused; }
  // Forgets the recording and the pixels (memory only: what is drawn
  // stays the same).
  void Clear();

 private:
  friend class TCanvas;
  struct TRecording;

  // Called by the recording canvas: adds Call with its values, or, when the
  // canvas state cannot be recorded, draws what was recorded, ends the
  // recording and returns false (the caller then draws itself).
  bool Record(TLayerCall Call, const int* Args, int ArgCount, const TPoint* Points = nullptr,
              int Count = 0, const QString* Text = nullptr);
  // Draws what was recorded and ends the recording, keeping nothing of it.
  void Leave();
  // The values of C a call reads, by their place in R.
  static int CaptureState(const TCanvas& C, TRecording& R);
  // Gives C the values of R's state Index.
  static void ApplyState(TCanvas& C, const TRecording& R, int Index);
  // Draws R's calls on C; C keeps the values it has.
  static void Replay(TCanvas& C, const TRecording& R);
  // Keeps a copy of Image's pixels in FPixels.
  void KeepPixels(const QImage& Image);

  TCanvas* FCanvas = nullptr;  // while recording
  std::unique_ptr<TRecording> FCurrent;
  std::unique_ptr<TRecording> FLast;  // the recording of the last End
  QImage FPixels;                     // of FLast, when FHasPixels
  bool FHasPixels = false;
  // The canvas's marking of what is drawn over the kept pixels since the
  // bitmap last got them (see TCanvas::StartCleanPixels); 0: none.
  std::uint64_t FCleanToken = 0;
  bool FReused = false;
};
