#pragma once

#include "chart/core/TCustomKorPanelExtended.h"
#include "chart/core/TKorCanvas3D.h"

#include "platform/TCanvas.h"
#include "platform/TGraphic.h"

#include <functional>
#include <string>
#include <vector>

// A panel that paints its background (shadow, gradient or colour, back
// image, bevels) in every frame and then runs the test's own drawing; it
// opens the protected handlers to the tests. The chart proper does the same
// background painting first in its own drawing pass.
class TTestPanel : public TCustomKorPanelExtended {
 public:
  explicit TTestPanel(TComponent* AOwner = nullptr) : TCustomKorPanelExtended(AOwner) {
    SetBevelOuter(bvNone);
    SetColor(clWhite);
  }

  using TCustomKorPanel::DblClick;
  using TCustomKorPanel::DrawPanelBevels;
  using TCustomKorPanel::MouseDown;
  using TCustomKorPanel::MouseLeave;
  using TCustomKorPanel::MouseMove;
  using TCustomKorPanel::MouseUp;
  using TCustomKorPanel::Paint;

  bool PaintBackground = true;
  std::function<void(TTestPanel& Panel, const TRect& R)> OnDraw;
  int DrawCount = 0;

 protected:
  void InternalDraw(const TRect& R) override {
    ++DrawCount;
    if (PaintBackground) PanelPaint(R);
    if (OnDraw) OnDraw(*this, R);
  }
};

// A surface that records the frame calls and the pictures drawn on it.
class TRecordingCanvas : public TKorCanvas3D {
 public:
  explicit TRecordingCanvas(std::vector<std::string>& ALog) : FLog(ALog) {}

  TRect InitWindow(TCanvas& Destination, TView3DOptions* Options, TColor BackColor, bool Is3D,
                   const TRect& Rect) override {
    FLog.push_back(GetUseBuffer() ? "InitWindow buffered" : "InitWindow direct");
    return TKorCanvas3D::InitWindow(Destination, Options, BackColor, Is3D, Rect);
  }
  void ShowImage(TCanvas& Destination, TCanvas& DefaultCanvas, const TRect& Rect) override {
    FLog.push_back("ShowImage");
    TKorCanvas3D::ShowImage(Destination, DefaultCanvas, Rect);
  }
  void Draw(int X, int Y, const TGraphic* Graphic) override {
    FLog.push_back("Draw " + std::to_string(X) + "," + std::to_string(Y));
    TKorCanvas3D::Draw(X, Y, Graphic);
  }
  void StretchDraw(const TRect& R, const TGraphic* Graphic) override {
    FLog.push_back("StretchDraw " + std::to_string(R.Left) + "," + std::to_string(R.Top) + "," +
                   std::to_string(R.Right) + "," + std::to_string(R.Bottom));
    TKorCanvas3D::StretchDraw(R, Graphic);
  }

 private:
  std::vector<std::string>& FLog;
};
