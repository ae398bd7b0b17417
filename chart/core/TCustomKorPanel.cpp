#include "chart/core/TCustomKorPanel.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TView3DOptions.h"
#include "chart/core/TZoomPanning.h"

#include "platform/Rounding.h"
#include "platform/TCanvas.h"
#include "platform/TClipboard.h"
#include "platform/TGraphic.h"
#include "platform/TMetafile.h"
#include "platform/TMetafileCanvas.h"

#include <QGuiApplication>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

bool KorClipWhenPrinting = true;
bool KorClipWhenMetafiling = true;
bool KorEraseBack = false;
bool PrintKorPanel = false;

namespace {

// The panel's border: hidden and with flat ends unless the user says
// otherwise (which is also what streams leave out).
class TPanelBorderPen : public TChartHiddenPen {
 public:
  explicit TPanelBorderPen(TNotifyEvent ChangeHandler) {
    SetDefaults(false, esFlat);
    OnChange = std::move(ChangeHandler);
  }
};

// Runs Restore when the scope ends, also when an exception leaves it.
template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F Restore) : FRestore(std::move(Restore)) {}
  ~TScopeExit() { FRestore(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F FRestore;
};

// Margin in pixels: percent of Size, truncated toward zero.
int MarginPixels(int Margin, TKorUnits Units, int Size) {
  if (Units == muPixels) return Margin;
  const long long Pixels = static_cast<long long>(Margin) * Size / 100;
  return static_cast<int>(std::clamp<long long>(Pixels, -(1 << 30), 1 << 30));
}

TRect Normalized(const TRect& R) {
  return TRect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
               std::max(R.Top, R.Bottom));
}

}  // namespace

TCustomKorPanel::TCustomKorPanel(TComponent* AOwner) : TCustomPanelNoCaption(AOwner) {
  KorRegisterHandCursor();
  TNotifyEvent Changed = [this](TPersistent* Sender) { CanvasChanged(Sender); };
  FView3DOptions = std::make_unique<TView3DOptions>(this);
  FPanelCanvas = std::make_unique<TKorCanvas3D>(&GetTargetCanvas());
  FPanState = std::make_unique<TZoomPanning>();
  FShadow = std::make_unique<TKorShadow>(Changed);
  FBorder = std::make_unique<TPanelBorderPen>(Changed);
  FSavedCursor = GetCursor();
  SetBounds(GetLeft(), GetTop(), 400, 250);
}

TCustomKorPanel::~TCustomKorPanel() {
  Destroying();
}

const TPropertyList& TCustomKorPanel::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomKorPanel;
  static const TPropertyList List(
      TCustomPanelNoCaption::Properties(),
      {
          PP::Boolean<C>(QStringLiteral("ApplyDepthOrder"), &C::GetApplyDepthOrder,
                         &C::SetApplyDepthOrder, true),
          PP::Boolean<C>(QStringLiteral("View3D"), &C::GetView3D, &C::SetView3D, true),
          PP::Object<C, TView3DOptions>(QStringLiteral("View3DOptions"), &C::View3DOptionsObject),
          PP::Integer<C>(QStringLiteral("MarginLeft"), &C::GetMarginLeft, &C::SetMarginLeft, 3),
          PP::Integer<C>(QStringLiteral("MarginTop"), &C::GetMarginTop, &C::SetMarginTop, 4),
          PP::Integer<C>(QStringLiteral("MarginRight"), &C::GetMarginRight, &C::SetMarginRight, 3),
          PP::Integer<C>(QStringLiteral("MarginBottom"), &C::GetMarginBottom, &C::SetMarginBottom,
                         4),
          PP::Enum<C, TKorUnits>(QStringLiteral("MarginUnits"), &C::GetMarginUnits,
                                 &C::SetMarginUnits, {"muPercent", "muPixels"}, muPercent),
          PP::Boolean<C>(QStringLiteral("PrintProportional"), &C::GetPrintProportional,
                         &C::SetPrintProportional, true),
          PP::Integer<C>(QStringLiteral("PrintScalePercent"), &C::GetPrintScalePercent,
                         &C::SetPrintScalePercent, 0),
          PP::Object<C, TKorShadow>(QStringLiteral("Shadow"), &C::ShadowObject),
          PP::Object<C, TChartHiddenPen>(QStringLiteral("Border"), &C::BorderObject),
          PP::Integer<C>(QStringLiteral("BorderRound"), &C::GetBorderRound, &C::SetBorderRound, 0),
          PP::Boolean<C>(QStringLiteral("BufferedDisplay"), &C::GetBufferedDisplay,
                         &C::SetBufferedDisplay, true),
          PP::Boolean<C>(QStringLiteral("Monochrome"), &C::GetMonochrome, &C::SetMonochrome, false),
      });
  return List;
}

void TCustomKorPanel::SetView3D(bool Value) {
  if (FView3D == Value) return;
  FView3D = Value;
  Invalidate();
  TKorView3DEvent Event;
  BroadcastKorEvent(Event);
}

void TCustomKorPanel::SetView3DOptions(const TView3DOptions& Value) {
  FView3DOptions->Assign(Value);
}

int TCustomKorPanel::GetMargin(int Index) const {
  return FMargins.at(Index);
}

void TCustomKorPanel::SetMargin(int Index, int Value) {
  SetIntegerProperty(FMargins.at(Index), Value);
}

void TCustomKorPanel::SetMarginUnits(TKorUnits Value) {
  if (SetIfChanged(FMarginUnits, Value)) Invalidate();
}

void TCustomKorPanel::SetShadow(const TKorShadow& Value) {
  FShadow->Assign(Value);
}

void TCustomKorPanel::SetBorder(const TChartPen& Value) {
  FBorder->Assign(Value);
}

TBorderStyle TCustomKorPanel::GetBorderStyle() const {
  return FBorder->GetVisible() ? bsSingle : bsNone;
}

void TCustomKorPanel::SetBorderStyle(TBorderStyle Value) {
  FBorder->SetVisible(Value == bsSingle);
}

void TCustomKorPanel::SetBorderRound(int Value) {
  if (FBorderRound == Value) return;
  SetIntegerProperty(FBorderRound, Value);
  SetControlRounded();
}

bool TCustomKorPanel::GetBufferedDisplay() const {
  return FPanelCanvas->GetUseBuffer();
}

void TCustomKorPanel::SetBufferedDisplay(bool Value) {
  if (FPanelCanvas->GetUseBuffer() == Value) return;
  FPanelCanvas->SetUseBuffer(Value);
  Invalidate();
}

bool TCustomKorPanel::GetMonochrome() const {
  return FPanelCanvas->GetMonochrome();
}

void TCustomKorPanel::SetMonochrome(bool Value) {
  if (FPanelCanvas->GetMonochrome() == Value) return;
  FPanelCanvas->SetMonochrome(Value);
  Invalidate();
}

void TCustomKorPanel::SetBooleanProperty(bool& Variable, bool Value) {
  if (SetIfChanged(Variable, Value)) Invalidate();
}

void TCustomKorPanel::SetIntegerProperty(int& Variable, int Value) {
  if (SetIfChanged(Variable, Value)) Invalidate();
}

void TCustomKorPanel::SetColorProperty(TColor& Variable, TColor Value) {
  if (SetIfChanged(Variable, Value)) Invalidate();
}

void TCustomKorPanel::SetDoubleProperty(double& Variable, double Value) {
  if (SetIfChanged(Variable, Value)) Invalidate();
}

void TCustomKorPanel::SetStringProperty(QString& Variable, const QString& Value) {
  if (SetIfChanged(Variable, Value)) Invalidate();
}

TColor TCustomKorPanel::GetBackColor() const {
  return GetColor();
}

void TCustomKorPanel::InternalDraw(const TRect&) {}

void TCustomKorPanel::CanvasChanged(TPersistent*) {
  Invalidate();
}

// On failure the surface goes back to the target canvas, so it never keeps
// drawing on a destination (an export bitmap) that the caller frees.
void TCustomKorPanel::Draw(TCanvas& Canvas, const TRect& R) {
  try {
    // The target canvas's frames stay in the buffer: a repaint that
    // changed nothing copies them again.
    FPanelCanvas->SetDirectFrameAllowed(&Canvas != &GetTargetCanvas() && FramePaintsEveryPixel());
    FDrawBounds = FPanelCanvas->InitWindow(Canvas, FView3DOptions.get(), GetColor(), FView3D, R);
    CalcChartRect();
    InternalDraw(FDrawBounds);
    FPanelCanvas->ShowImage(Canvas, GetTargetCanvas(), R);
  } catch (...) {
    FPanelCanvas->CancelFrame(GetTargetCanvas());
    throw;
  }
}

void TCustomKorPanel::Draw() {
  Draw(GetTargetCanvas(), GetClientRect());
}

TRect TCustomKorPanel::GetRectangle() const {
  return GetClientRect();
}

void TCustomKorPanel::Invalidate() {
  if (!FRepaintOnChange) return;
  FPanelCanvas->Invalidate();
  TCustomPanelNoCaption::Invalidate();
}

void TCustomKorPanel::NonBufferDraw(TCanvas& Canvas, const TRect& R) {
  const bool Buffered = FPanelCanvas->GetUseBuffer();
  FPanelCanvas->SetUseBuffer(false);
  TScopeExit Restore([this, Buffered] {
    FPanelCanvas->SetUseBuffer(Buffered);
    Invalidate();
  });
  Draw(Canvas, R);
}

void TCustomKorPanel::DrawToMetaCanvas(TCanvas& Canvas, const TRect& R) {
  const bool Metafiling = FPanelCanvas->GetMetafiling();
  FPanelCanvas->SetMetafiling(true);
  TScopeExit Restore([this, Metafiling] { FPanelCanvas->SetMetafiling(Metafiling); });
  NonBufferDraw(Canvas, R);
}

int TCustomKorPanel::PanelBorderWidth() const {
  int Width = GetBorderWidth();
  if (GetBevelInner() != bvNone) Width += GetBevelWidth();
  if (GetBevelOuter() != bvNone) Width += GetBevelWidth();
  if (FBorder->GetVisible()) Width += FBorder->GetWidth();
  return Width;
}

void TCustomKorPanel::CalcChartRect() {
  if (!FUserChartRect) {
    const int B = PanelBorderWidth();
    const int W = FDrawBounds.Width();
    const int H = FDrawBounds.Height();
    FPlotRect = TRect(FDrawBounds.Left + MarginPixels(FMargins[0], FMarginUnits, W) + B,
                      FDrawBounds.Top + MarginPixels(FMargins[1], FMarginUnits, H) + B,
                      FDrawBounds.Right - MarginPixels(FMargins[2], FMarginUnits, W) - B,
                      FDrawBounds.Bottom - MarginPixels(FMargins[3], FMarginUnits, H) - B);
  }
  ReCalcWidthHeight();
}

void TCustomKorPanel::ReCalcWidthHeight() {
  TRect& R = FPlotRect;
  if (!FUserChartRect) {
    R.Left = std::max(R.Left, FDrawBounds.Left);
    R.Top = std::max(R.Top, FDrawBounds.Top);
  }
  if (R.Right < R.Left)
    R.Right = R.Left + 1;
  else if (R.Right == R.Left)
    R.Right = R.Left + GetWidth();
  if (R.Bottom < R.Top)
    R.Bottom = R.Top + 1;
  else if (R.Bottom == R.Top)
    R.Bottom = R.Top + GetHeight();
  FPlotWidth = R.Right - R.Left;
  FPlotHeight = R.Bottom - R.Top;
  FPlotCenterX = Div(R.Left + R.Right, 2);
  FPlotCenterY = Div(R.Top + R.Bottom, 2);
}

bool TCustomKorPanel::CanClip() const {
  if (FPanelCanvas->GetSupportsFullRotation()) return false;
  const bool Metafiling = FPanelCanvas->GetMetafiling();
  if (!FPrintingNow && !Metafiling) return true;
  return (FPrintingNow && KorClipWhenPrinting) || (Metafiling && KorClipWhenMetafiling);
}

void TCustomKorPanel::DrawBevel(TCanvas3D& Canvas, TRect& Rect, TPanelBevel Bevel, int BevelWidth,
                                int Round) {
  if (Bevel == bvNone) return;
  const bool Lowered = Bevel == bvLowered;
  const TColor TopColor = Lowered ? clBtnShadow : clBtnHighlight;
  const TColor BottomColor = Lowered ? clBtnHighlight : clBtnShadow;
  if (Round < 1) {
    Canvas.Frame3D(Rect, TopColor, BottomColor, BevelWidth);
    return;
  }
  Canvas.GetPen().SetColor(TopColor);
  Canvas.RoundRect(Rect, Round, Round);
  InflateRect(Rect, -BevelWidth, -BevelWidth);
}

void TCustomKorPanel::DrawPanelBevels(TRect Rect) {
  TCanvas3D& C = *FPanelCanvas;
  C.FrontPlaneBegin();
  TScopeExit EndFrontPlane([&C] { C.FrontPlaneEnd(); });
  C.GetBrush().SetStyle(bsClear);
  if (FBorder->GetVisible()) {
    C.AssignVisiblePen(*FBorder);
    const bool SmallDots = FBorder->GetSmallDots();
    const int W = FBorder->GetWidth() - 1;
    if (!SmallDots && W > 0) {
      Rect.Left += (W + 1) / 2;
      Rect.Top += (W + 1) / 2;
      Rect.Right -= W / 2;
      Rect.Bottom -= W / 2;
    }
    int Inset;
    if (FBorderRound > 0) {
      C.RoundRect(Rect.Left, Rect.Top, Rect.Right - 1, Rect.Bottom - 1, FBorderRound, FBorderRound);
      Inset = SmallDots ? 1 : W / 2;
    } else {
      C.Rectangle(Rect);
      Inset = SmallDots ? 1 : W / 2 + 1;
    }
    InflateRect(Rect, -Inset, -Inset);
  }
  if (FPrintingNow && !PrintKorPanel) return;
  C.GetPen().SetStyle(psSolid);
  C.GetPen().SetWidth(1);
  C.GetPen().SetMode(pmCopy);
  DrawBevel(C, Rect, GetBevelOuter(), GetBevelWidth(), FBorderRound);
  if (GetBorderWidth() > 0) C.Frame3D(Rect, GetColor(), GetColor(), GetBorderWidth());
  DrawBevel(C, Rect, GetBevelInner(), GetBevelWidth(), FBorderRound);
}

// A window with several charts gets paint requests for charts that did
// not change; those copy the surface's clean frame instead of drawing anew.
void TCustomKorPanel::Paint() {
  if (FPrintingNow) return;
  if (!FPanelCanvas->ReDrawBitmap()) Draw();
}

void TCustomKorPanel::Resize() {
  // A frame of the old size is never reused, whatever RepaintOnChange says.
  FPanelCanvas->Invalidate();
  TCustomPanelNoCaption::Resize();
  SetControlRounded();
  Invalidate();
}

void TCustomKorPanel::SetControlRounded() {
  QWidget* Widget = GetWidget();
  if (!HasParent() || FRoundingNow || Widget == nullptr) return;
  FRoundingNow = true;
  TScopeExit Done([this] { FRoundingNow = false; });
  if (FBorderRound <= 0) {
    Widget->clearMask();
    return;
  }
  // The radius is the corner ellipse's width and height, as for RoundRect.
  QPainterPath Path;
  Path.addRoundedRect(QRectF(0, 0, GetWidth(), GetHeight()), FBorderRound / 2.0,
                      FBorderRound / 2.0);
  Widget->setMask(QRegion(Path.toFillPolygon().toPolygon()));
}

std::unique_ptr<TBitmap> TCustomKorPanel::KorCreateBitmap() {
  return KorCreateBitmap(GetColor(), GetRectangle(), pfDevice);
}

std::unique_ptr<TBitmap> TCustomKorPanel::KorCreateBitmap(TColor Color, const TRect& R,
                                                          TPixelFormat Format) {
  auto Bitmap = std::make_unique<TBitmap>();
  Bitmap->SetPixelFormat(FPanelCanvas->GetSupportsFullRotation() ? pf24bit : Format);
  Bitmap->SetSize(std::max(0, R.Width()), std::max(0, R.Height()));
  if (Color != clWhite) {
    TCanvas& Canvas = Bitmap->GetCanvas();
    Canvas.GetBrush().SetColor(Color);
    Canvas.GetBrush().SetStyle(bsSolid);
    Canvas.FillRect(TRect(0, 0, Bitmap->GetWidth(), Bitmap->GetHeight()));
  }
  NonBufferDraw(Bitmap->GetCanvas(), R);
  return Bitmap;
}

std::unique_ptr<TMetafile> TCustomKorPanel::KorCreateMetafile(bool Enhanced, const TRect& R) {
  auto Metafile = std::make_unique<TMetafile>();
  Metafile->SetEnhanced(Enhanced);
  Metafile->SetWidth(std::max(1, R.Width()));
  Metafile->SetHeight(std::max(1, R.Height()));
  TMetafileCanvas Recorder(*Metafile);
  DrawToMetaCanvas(Recorder.Canvas(), R);
  Recorder.Finish();
  return Metafile;
}

void TCustomKorPanel::SaveToBitmapFile(const QString& FileName) {
  SaveToBitmapFile(FileName, GetRectangle());
}

void TCustomKorPanel::SaveToBitmapFile(const QString& FileName, const TRect& R) {
  KorCreateBitmap(clWhite, R, pfDevice)->SaveToFile(FileName);
}

void TCustomKorPanel::SaveToMetafile(const QString& FileName) {
  SaveToMetafileRect(false, FileName, GetRectangle());
}

void TCustomKorPanel::SaveToMetafileEnh(const QString& FileName) {
  SaveToMetafileRect(true, FileName, GetRectangle());
}

void TCustomKorPanel::SaveToMetafileRect(bool Enhanced, const QString& FileName, const TRect& R) {
  KorCreateMetafile(Enhanced, R)->SaveToFile(FileName);
}

void TCustomKorPanel::CopyToClipboardBitmap() {
  CopyToClipboardBitmap(GetRectangle());
}

void TCustomKorPanel::CopyToClipboardBitmap(const TRect& R) {
  Clipboard().Assign(*KorCreateBitmap(clWhite, R, pfDevice));
}

void TCustomKorPanel::CopyToClipboardMetafile(bool Enhanced) {
  CopyToClipboardMetafile(Enhanced, GetRectangle());
}

void TCustomKorPanel::CopyToClipboardMetafile(bool Enhanced, const TRect& R) {
  const std::unique_ptr<TMetafile> Metafile = KorCreateMetafile(Enhanced, R);
  Clipboard().Assign(static_cast<const TGraphic&>(*Metafile));
}

void TCustomKorPanel::AssignTo(TPersistent& Dest) const {
  // Drawing the picture refreshes the frame's caches, nothing the caller sees.
  Dest.Assign(*const_cast<TCustomKorPanel*>(this)->KorCreateBitmap());
}

void TCustomKorPanel::Print() {
  PrintRect(ChartPrintRect());
}

void TCustomKorPanel::PrintPortrait() {
  PrintOrientation(poPortrait);
}

void TCustomKorPanel::PrintLandscape() {
  PrintOrientation(poLandscape);
}

void TCustomKorPanel::PrintOrientation(TPrinterOrientation Orientation) {
  TPrinter& P = Printer();
  const TPrinterOrientation Previous = P.GetOrientation();
  P.SetOrientation(Orientation);
  TScopeExit Restore([&P, Previous] {
    if (!P.GetPrinting()) P.SetOrientation(Previous);
  });
  Print();
}

TRect TCustomKorPanel::ChartPrintRect() {
  if (FPrintProportional) CalcProportionalMargins();
  TPrinter& P = Printer();
  const int W = P.GetPageWidth();
  const int H = P.GetPageHeight();
  return TRect(Round(FPrintMargins.Left * double(W) / 100.0),
               Round(FPrintMargins.Top * double(H) / 100.0),
               W - Round(FPrintMargins.Right * double(W) / 100.0),
               H - Round(FPrintMargins.Bottom * double(H) / 100.0));
}

// The chart takes 70 % of the page along the panel's longer side; the
// margins of the other side follow from the aspect ratio (and the
// printer's pixel shape). A panel without area keeps the 15 % margins.
void TCustomKorPanel::CalcProportionalMargins() {
  const TRect Panel = GetRectangle();
  const double W = Panel.Width();
  const double H = Panel.Height();
  FPrintMargins = TRect(15, 15, 15, 15);
  if (W <= 0 || H <= 0) return;
  double PageWidth = 0;
  double PageHeight = 0;
  double Factor = 1.0;
  TPrinter& P = Printer();
  if (P.HasPrinter()) {
    PageWidth = P.GetPageWidth();
    PageHeight = P.GetPageHeight();
    Factor = double(P.GetXPixelsPerInch()) / P.GetYPixelsPerInch();
  } else if (const QScreen* Screen = QGuiApplication::primaryScreen()) {
    PageWidth = Screen->size().width();
    PageHeight = Screen->size().height();
  }
  if (PageWidth <= 0 || PageHeight <= 0) return;
  if (H < W) {
    const int M = Round((PageHeight - 0.7 * PageWidth * H / W * Factor) * 100.0 / PageHeight) / 2;
    FPrintMargins.Top = M;
    FPrintMargins.Bottom = M;
  } else {
    const int M = Round((PageWidth - 0.7 * PageHeight * W / H * Factor) * 100.0 / PageWidth) / 2;
    FPrintMargins.Left = M;
    FPrintMargins.Right = M;
  }
}

void TCustomKorPanel::PrintRect(const TRect& R) {
  TPrinter& P = Printer();
  if (!GetName().empty()) P.SetTitle(QString::fromStdString(GetName()));
  P.BeginDoc();
  try {
    PrintPartial(R);
    P.EndDoc();
  } catch (...) {
    P.Abort();
    throw;
  }
}

void TCustomKorPanel::PrintPartial(const TRect& R) {
  PrintPartialCanvas(Printer().GetCanvas(), R);
}

bool TCustomKorPanel::CalcMetaBounds(const TRect& PrintRect, TRect& LogicalRect,
                                     TSize& LogicalSize) const {
  const int W = PrintRect.Width();
  const int H = PrintRect.Height();
  if (W <= 0 || H <= 0) return false;
  const TRect Panel = GetRectangle();
  const int S = Panel.Width() - MulDiv(Panel.Width(), FPrintScalePercent, 100);
  const int R = Panel.Height() - MulDiv(Panel.Height(), FPrintScalePercent, 100);
  if (S <= 0 || R <= 0) return false;
  LogicalSize = TSize(S, R);
  LogicalRect = TRect(MulDiv(PrintRect.Left, S, W), MulDiv(PrintRect.Top, R, H),
                      MulDiv(PrintRect.Right, S, W), MulDiv(PrintRect.Bottom, R, H));
  return true;
}

void TCustomKorPanel::PrintPartialCanvas(TCanvas& Canvas, const TRect& R) {
  const TRect DeviceRect = Normalized(R);
  TRect LogicalRect;
  TSize LogicalSize;
  if (!CalcMetaBounds(DeviceRect, LogicalRect, LogicalSize)) return;
  const TMapMode OldMode = Canvas.GetMapMode();
  const TPoint OldWindowOrg = Canvas.GetWindowOrg();
  const TSize OldWindowExt = Canvas.GetWindowExt();
  const TSize OldViewportExt = Canvas.GetViewportExt();
  TScopeExit RestoreMapping([&] {
    Canvas.SetMapMode(OldMode);
    Canvas.SetWindowOrg(OldWindowOrg.X, OldWindowOrg.Y);
    Canvas.SetWindowExt(OldWindowExt.cx, OldWindowExt.cy);
    Canvas.SetViewportExt(OldViewportExt.cx, OldViewportExt.cy);
  });
  Canvas.SetMapMode(mmAnisotropic);
  Canvas.SetWindowOrg(0, 0);
  Canvas.SetWindowExt(LogicalSize.cx, LogicalSize.cy);
  Canvas.SetViewportExt(DeviceRect.Width(), DeviceRect.Height());
  FPrintingNow = true;
  TScopeExit EndPrinting([this] { FPrintingNow = false; });
  PrintPartialInLogicalUnits(Canvas, DeviceRect, LogicalRect);
}

void TCustomKorPanel::PrintPartialInLogicalUnits(TCanvas& Canvas, const TRect& DeviceRect,
                                                 const TRect& LogicalRect) {
  const bool Clipped = CanClip();
  if (Clipped) Canvas.ClipRect(DeviceRect);
  TScopeExit Unclip([&Canvas, Clipped] {
    if (Clipped) Canvas.RemoveClip();
  });
  if (OnBeforePrint) OnBeforePrint(this, Canvas, DeviceRect);
  DrawToMetaCanvas(Canvas, LogicalRect);
}

TKorEvent& TCustomKorPanel::BroadcastKorEvent(TKorEvent& Event) {
  if (InState(csDestroying)) return Event;
  Event.Sender = this;
  const bool IsMouse = dynamic_cast<TKorMouseEvent*>(&Event) != nullptr;
  // A listener may remove itself (or others) while it handles the event.
  std::vector<IKorEventListener*> Snapshot;
  for (int I = 0; I < FListeners.Count(); ++I) Snapshot.push_back(FListeners.Get(I));
  for (IKorEventListener* Listener : Snapshot) {
    if (FListeners.IndexOf(Listener) < 0) continue;
    Listener->KorEvent(Event);
    if (IsMouse && FMouseCancelled) break;
  }
  return Event;
}

void TCustomKorPanel::BroadcastMouseEvent(TKorMouseEventKind Kind, TMouseButton Button,
                                          TShiftState Shift, int X, int Y) {
  if (FListeners.Count() == 0) return;
  TKorMouseEvent Event(Kind, Button, Shift, X, Y);
  BroadcastKorEvent(Event);
}

void TCustomKorPanel::RemoveListener(IKorEventListener* Listener) {
  FListeners.Remove(Listener);
}

TPoint TCustomKorPanel::GetCursorPos() const {
  return GetMousePos();
}

void TCustomKorPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool Skip = FSkipDoubleClickPress && Shift.Contains(ssDouble);
  FSkipDoubleClickPress = false;
  if (Skip) return;
  FMouseCancelled = false;
  TCustomPanelNoCaption::MouseDown(Button, Shift, X, Y);
  BroadcastMouseEvent(meDown, Button, Shift, X, Y);
}

void TCustomKorPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomPanelNoCaption::MouseUp(Button, Shift, X, Y);
  BroadcastMouseEvent(meUp, Button, Shift, X, Y);
}

void TCustomKorPanel::MouseMove(TShiftState Shift, int X, int Y) {
  FMouseCancelled = false;
  TCustomPanelNoCaption::MouseMove(Shift, X, Y);
  BroadcastMouseEvent(meMove, mbLeft, Shift, X, Y);
}

// A handler that cancels the double click ends it: the press that belongs
// to the double click is not handled either.
void TCustomKorPanel::DblClick() {
  FMouseCancelled = false;
  TCustomPanelNoCaption::DblClick();
  FSkipDoubleClickPress = FMouseCancelled;
  CancelMouseDrags();
}

void TCustomKorPanel::CancelMouseDrags() {
  FPanState->Engaged = false;
}

void TCustomKorPanel::MouseLeave() {
  SetCursor(FSavedCursor);
  FPanState->Engaged = false;
  TCustomPanelNoCaption::MouseLeave();
}

double TCustomKorPanel::ScreenRatio(const TCanvas& Canvas) {
  // Bitmaps report the screen's size, as memory devices do; other devices
  // (printer pages, recordings) their own extent at their resolution.
  double Width = 0;
  double Height = 0;
  if (Canvas.GetBitmap() != nullptr) {
    if (const QScreen* Screen = QGuiApplication::primaryScreen()) {
      Width = Screen->physicalSize().width();
      Height = Screen->physicalSize().height();
    }
  } else {
    const TRect Box = Canvas.GetClipBox();
    Width = Box.Width();
    Height = Box.Height();
  }
  return Height == 0 ? 0.0 : Width / Height;
}

bool TCustomKorPanel::IsScreenHighColor() const {
  if (FPanelCanvas->GetSupportsFullRotation()) return true;
  const TBitmap* Bitmap = FPanelCanvas->GetReferenceCanvas().GetBitmap();
  return Bitmap == nullptr || !Bitmap->GetMonochrome();
}

void TCustomKorPanel::SetBrushCanvas(TColor Color, const TChartBrush& Brush, TColor BackColor) {
  if (Brush.GetStyle() != bsSolid && Color == BackColor)
    Color = BackColor == clBlack ? clWhite : clBlack;
  FPanelCanvas->AssignBrush(Brush, Color);
}

void TCustomKorPanel::SetInternalCanvas(std::unique_ptr<TCanvas3D> Canvas) {
  if (!Canvas) return;
  const bool Repaint = FRepaintOnChange;
  FRepaintOnChange = false;
  Canvas->SetCanvas(GetTargetCanvas());
  Canvas->Assign(*FPanelCanvas);
  FPanelCanvas = std::move(Canvas);
  FRepaintOnChange = Repaint;
  Invalidate();
}

void TCustomKorPanel::Assign(const TPersistent& Persistent) {
  const TCustomKorPanel* Other = dynamic_cast<const TCustomKorPanel*>(&Persistent);
  if (Other == nullptr) {
    TPersistent::Assign(Persistent);
    return;
  }
  const TCustomKorPanel& Source = *Other;
  if (&Source == this) return;
  FBorder->Assign(*Source.FBorder);
  SetBorderRound(Source.FBorderRound);
  SetBufferedDisplay(Source.GetBufferedDisplay());
  FPrintMargins = Source.FPrintMargins;
  FPrintProportional = Source.FPrintProportional;
  FPrintScalePercent = Source.FPrintScalePercent;
  for (int I = 0; I < 4; ++I) SetMargin(I, Source.FMargins[I]);
  SetMarginUnits(Source.FMarginUnits);
  SetMonochrome(Source.GetMonochrome());
  FShadow->Assign(*Source.FShadow);
  SetView3D(Source.FView3D);
  FView3DOptions->Assign(*Source.FView3DOptions);
  SetColor(Source.GetColor());
}

void TCustomKorPanel::Loaded() {
  TCustomPanelNoCaption::Loaded();
  FSavedCursor = GetCursor();
  SetControlRounded();
}

bool TCustomKorPanel::ReadLegacyProperty(const QString& Name, const TPropertyValue& Value) {
  if (Name.compare(QStringLiteral("BorderStyle"), Qt::CaseInsensitive) != 0) return false;
  const QString* Ident = std::get_if<QString>(&Value);
  const int* Ordinal = std::get_if<int>(&Value);
  const bool Single = (Ident != nullptr && *Ident == QStringLiteral("bsSingle")) ||
                      (Ordinal != nullptr && *Ordinal == bsSingle);
  FBorder->SetVisible(Single);
  return true;
}
