#pragma once

#include "chart/core/TCustomKorPanel.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TView3DOptions.h"

#include "platform/TBitmap.h"
#include "platform/TBrush.h"
#include "platform/TCanvas.h"
#include "platform/TPen.h"

// Starts a direct (unbuffered) frame of the whole of Target on Surface, the
// chart's canvas, after clearing Target to white; the chart is flat or 3D.
inline void StartDirectFrame(TCustomKorPanel& Chart, TKorCanvas3D& Surface, TBitmap& Target,
                             TView3DOptions& Options, bool Is3D) {
  const TRect R(0, 0, Target.GetWidth(), Target.GetHeight());
  TCanvas& C = Target.GetCanvas();
  C.GetBrush().SetStyle(bsSolid);
  C.GetBrush().SetColor(clWhite);
  C.GetPen().SetStyle(psClear);
  C.FillRect(R);
  Chart.SetView3D(Is3D);
  Surface.SetUseBuffer(false);
  Surface.InitWindow(C, &Options, clWhite, Is3D, R);
  Surface.Projection(100, R, R);
}
