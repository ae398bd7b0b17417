#include "chart/editor/TKorPreviewPanel.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorProcs.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TKorShadow.h"

#include "platform/Cursors.h"
#include "platform/Exception.h"
#include "platform/Rounding.h"
#include "platform/ScopeGuard.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TPrinter.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int DefaultPrintMargin = 15;  // percent, on every side

TSize ScreenSize() {
  const QScreen* Screen = QGuiApplication::primaryScreen();
  return Screen != nullptr ? TSize(Screen->size().width(), Screen->size().height()) : TSize(0, 0);
}

// The printer's page in its pixels; the screen when there is no printer or
// the printer cannot tell.
TSize PageSize() {
  TPrinter& P = Printer();
  if (!P.HasPrinter()) return ScreenSize();
  try {
    return TSize(P.GetPageWidth(), P.GetPageHeight());
  } catch (const Exception&) {
    return ScreenSize();
  }
}

// A * B / C with a 64-bit product, rounded to the nearest integer.
int ScaleRounded(int A, int B, int C) {
  const std::int64_t Product = std::int64_t(A) * B;
  return Round(double(Product) / C);
}

bool Near(int A, int B) {
  return std::abs(A - B) <= TKorPreviewPanel::NearDistance;
}

TCursor ZoneCursor(TKorPreviewZone Zone) {
  switch (Zone) {
    case pzLeft:
    case pzRight: return crSizeWE;
    case pzTop:
    case pzBottom: return crSizeNS;
    case pzMove: return crKorHand;
    case pzTopLeft:
    case pzBottomRight: return crSizeNWSE;
    case pzTopRight:
    case pzBottomLeft: return crSizeNESW;
    default: return crDefault;
  }
}

bool AffectsLeft(TKorPreviewZone Z) {
  return Z == pzLeft || Z == pzTopLeft || Z == pzBottomLeft;
}
bool AffectsRight(TKorPreviewZone Z) {
  return Z == pzRight || Z == pzTopRight || Z == pzBottomRight;
}
bool AffectsTop(TKorPreviewZone Z) {
  return Z == pzTop || Z == pzTopLeft || Z == pzTopRight;
}
bool AffectsBottom(TKorPreviewZone Z) {
  return Z == pzBottom || Z == pzBottomLeft || Z == pzBottomRight;
}

bool InRect(const TRect& R, int X, int Y) {
  return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

// Rounding can make an opposite pair of margins reach 100 % (nothing left
// to print into); the side being dragged gives way so the pair stays at 99.
void KeepPrintable(int& Dragged, int Other) {
  if (Dragged + Other > 99) Dragged = std::max(0, 99 - Other);
}

}  // namespace

TPreviewChartPen::TPreviewChartPen(TNotifyEvent ChangeHandler) {
  SetStyle(psDot);
  SetSmallDots(true);
  OnChange = std::move(ChangeHandler);
}

TKorPreviewPanel::TKorPreviewPanel(TComponent* AOwner) : TCustomKorPanelExtended(AOwner) {
  const TNotifyEvent Changed = [this](TPersistent*) { Repaint(); };
  FMargins = std::make_unique<TPreviewChartPen>(Changed);
  FPaperShadow = std::make_unique<TKorShadow>();
  FPaperShadow->SetDefaultColor(TColor(0x808080));
  FPaperShadow->SetDefaultSize(4);
  FPaperShadow->SetColor(TColor(0x808080));
  FPaperShadow->SetSize(4);
  FPaperShadow->OnChange = Changed;
  SetBounds(GetLeft(), GetTop(), 432, 312);
}

TKorPreviewPanel::~TKorPreviewPanel() {
  Destroying();
  for (int I = 0; I < FPanels.Count(); ++I) FPanels[I]->RemoveFreeNotification(this);
}

const TPropertyList& TKorPreviewPanel::Properties() const {
  namespace PP = PublishedProperty;
  using C = TKorPreviewPanel;
  static const TPropertyList List(
      TCustomKorPanelExtended::Properties(),
      {
          PP::Boolean<C>(QStringLiteral("AllowResize"), &C::GetAllowResize, &C::SetAllowResize,
                         true),
          PP::Boolean<C>(QStringLiteral("AllowMove"), &C::GetAllowMove, &C::SetAllowMove, true),
          PP::Boolean<C>(QStringLiteral("AsBitmap"), &C::GetAsBitmap, &C::SetAsBitmap, false),
          PP::Boolean<C>(QStringLiteral("DragImage"), &C::GetDragImage, &C::SetDragImage, false),
          PP::Object<C, TPreviewChartPen>(QStringLiteral("Margins"), &C::MarginsObject),
          PP::Enum<C, TKorPreviewPanelOrientation>(
              QStringLiteral("Orientation"), &C::GetOrientation, &C::SetOrientation,
              {"ppoDefault", "ppoPortrait", "ppoLandscape"}, ppoDefault),
          PP::Component<C>(QStringLiteral("Panel"), &C::GetPanelName, &C::SetPanelName),
          PP::Color<C>(QStringLiteral("PaperColor"), &C::GetPaperColor, &C::SetPaperColor, clWhite),
          PP::Object<C, TKorShadow>(QStringLiteral("PaperShadow"), &C::PaperShadowObject),
          PP::Boolean<C>(QStringLiteral("ShowImage"), &C::GetShowImage, &C::SetShowImage, true),
          PP::Boolean<C>(QStringLiteral("SmoothBitmap"), &C::GetSmoothBitmap, &C::SetSmoothBitmap,
                         true),
          PP::String<C>(QStringLiteral("Title"), &C::GetTitle, &C::SetTitle, QString()),
      });
  return List;
}

// ------------------------------------------------------------ properties

void TKorPreviewPanel::SetAsBitmap(bool Value) {
  if (FAsBitmap == Value) return;
  FAsBitmap = Value;
  Repaint();
}

void TKorPreviewPanel::SetMargins(const TChartPen& Value) {
  FMargins->Assign(Value);
}

void TKorPreviewPanel::SetOrientation(TKorPreviewPanelOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  Repaint();
}

TCustomKorPanel* TKorPreviewPanel::GetPanel() const {
  return FPanels.Count() > 0 ? FPanels[0] : nullptr;
}

void TKorPreviewPanel::SetPanel(TCustomKorPanel* Value) {
  if (Value == GetPanel() || Value == this) return;
  if (FPanels.Count() > 0) {
    TCustomKorPanel* Old = FPanels[0];
    FPanels.Delete(0);
    if (FPanels.IndexOf(Old) < 0) Old->RemoveFreeNotification(this);
  }
  if (Value != nullptr) {
    // The main panel is the first entry, also when it was listed already.
    FPanels.Remove(Value);
    FPanels.Insert(0, Value);
    Value->FreeNotification(this);
    SetAsBitmap(Value->GetPanelCanvas().GetSupportsFullRotation());
  }
  Repaint();
}

void TKorPreviewPanel::AddPanel(TCustomKorPanel* Value) {
  if (Value == nullptr || Value == this || FPanels.IndexOf(Value) >= 0) return;
  FPanels.Add(Value);
  Value->FreeNotification(this);
  Repaint();
}

void TKorPreviewPanel::RemovePanel(TCustomKorPanel* Value) {
  if (Value == nullptr || FPanels.IndexOf(Value) < 0) return;
  FPanels.Remove(Value);
  Value->RemoveFreeNotification(this);
  Repaint();
}

QString TKorPreviewPanel::GetPanelName() const {
  const TCustomKorPanel* Panel = GetPanel();
  return Panel != nullptr ? QString::fromStdString(Panel->GetName()) : QString();
}

void TKorPreviewPanel::SetPanelName(const QString& Value) {
  if (Value.isEmpty() || GetOwner() == nullptr) {
    SetPanel(nullptr);
    return;
  }
  SetPanel(dynamic_cast<TCustomKorPanel*>(GetOwner()->FindComponent(Value.toStdString())));
}

void TKorPreviewPanel::SetPaperColor(TColor Value) {
  if (FPaperColor == Value) return;
  FPaperColor = Value;
  Repaint();
}

void TKorPreviewPanel::SetPaperShadow(const TKorShadow& Value) {
  FPaperShadow->Assign(Value);
}

void TKorPreviewPanel::SetShowImage(bool Value) {
  if (FShowImage == Value) return;
  FShowImage = Value;
  Repaint();
}

void TKorPreviewPanel::SetSmoothBitmap(bool Value) {
  if (FSmoothBitmap == Value) return;
  FSmoothBitmap = Value;
  Repaint();
}

void TKorPreviewPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomKorPanelExtended::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  // The component is being destroyed: compare addresses, do not cast it.
  for (int I = FPanels.Count() - 1; I >= 0; --I)
    if (static_cast<TComponent*>(FPanels[I]) == AComponent) FPanels.Delete(I);
}

void TKorPreviewPanel::Repaint() {
  Invalidate();
}

// ------------------------------------------------------------ geometry

void TKorPreviewPanel::ApplyOrientation() {
  TPrinter& P = Printer();
  if (FOrientation == ppoDefault || !P.HasPrinter() || P.GetPrinting()) return;
  P.SetOrientation(FOrientation == ppoLandscape ? poLandscape : poPortrait);
}

TRect TKorPreviewPanel::CalcPaperRect() {
  ApplyOrientation();
  const TSize Page = PageSize();
  const int W = GetWidth();
  const int H = GetHeight();
  TRect Paper;
  if (std::int64_t(Page.cx) * H < std::int64_t(Page.cy) * W) {
    // The page is relatively taller than the preview: fit its height.
    Paper.Top = Round(H / 10.0);
    const int Height = H - Round(H / 5.0);
    const int Width = Page.cy > 0 ? ScaleRounded(Height, Page.cx, Page.cy) : W;
    Paper.Left = (W - Width) / 2;
    Paper.Right = Paper.Left + Width;
    Paper.Bottom = Paper.Top + Height;
  } else {
    Paper.Left = Round(W / 10.0);
    const int Width = W - Round(W / 5.0);
    const int Height = Page.cx > 0 ? ScaleRounded(Width, Page.cy, Page.cx) : H;
    Paper.Top = (H - Height) / 2;
    Paper.Right = Paper.Left + Width;
    Paper.Bottom = Paper.Top + Height;
  }
  if (OnGetPaperRect) OnGetPaperRect(this, Paper);
  return Paper;
}

TRect TKorPreviewPanel::CalcMarginsRect(TCustomKorPanel* Panel, const TRect& Paper) {
  TRect Margins(DefaultPrintMargin, DefaultPrintMargin, DefaultPrintMargin, DefaultPrintMargin);
  if (Panel != nullptr) {
    if (Panel->GetPrintProportional() && Printer().HasPrinter()) Panel->CalcProportionalMargins();
    Margins = Panel->GetPrintMargins();
  }
  const int W = Paper.Width();
  const int H = Paper.Height();
  return TRect(Paper.Left + ScaleRounded(Margins.Left, W, 100),
               Paper.Top + ScaleRounded(Margins.Top, H, 100),
               Paper.Right - ScaleRounded(Margins.Right, W, 100),
               Paper.Bottom - ScaleRounded(Margins.Bottom, H, 100));
}

TKorPreviewZone TKorPreviewPanel::WhereIsCursor(int X, int Y) const {
  const TRect& M = FMarginsRect;
  const bool L = Near(X, M.Left);
  const bool T = Near(Y, M.Top);
  const bool R = Near(X, M.Right);
  const bool B = Near(Y, M.Bottom);
  TKorPreviewZone Zone = pzNone;
  if (L && T)
    Zone = pzTopLeft;
  else if (R && T)
    Zone = pzTopRight;
  else if (L && B)
    Zone = pzBottomLeft;
  else if (R && B)
    Zone = pzBottomRight;
  else if (L)
    Zone = pzLeft;
  else if (T)
    Zone = pzTop;
  else if (R)
    Zone = pzRight;
  else if (B)
    Zone = pzBottom;
  else if (FAllowMove && X > M.Left && X < M.Right && Y > M.Top && Y < M.Bottom)
    return pzMove;
  return FAllowResize ? Zone : pzNone;
}

// ------------------------------------------------------------ painting

void TKorPreviewPanel::InternalDraw(const TRect& R) {
  PanelPaint(R);
  TCanvas3D& C = GetPanelCanvas();
  C.ResetState();
  FPaperRect = CalcPaperRect();
  DrawPaper();
  FMarginsRect = CalcMarginsRect(GetPanel(), FPaperRect);
  for (int I = 0; I < FPanels.Count(); ++I) DrawPanel(*FPanels[I]);
  DrawMarginLines();
  C.ResetState();
  if (OnAfterDraw) OnAfterDraw(this);
}

void TKorPreviewPanel::DrawPaper() {
  TCanvas3D& C = GetPanelCanvas();
  C.GetPen().SetStyle(psSolid);
  C.GetPen().SetWidth(1);
  C.GetPen().SetColor(clBlack);
  C.GetBrush().SetStyle(bsSolid);
  C.GetBrush().SetColor(FPaperColor);
  C.Rectangle(FPaperRect.Left, FPaperRect.Top, FPaperRect.Right, FPaperRect.Bottom);
  FPaperShadow->Draw(C, FPaperRect);
}

void TKorPreviewPanel::DrawPanel(TCustomKorPanel& Panel) {
  const TRect Rect = CalcMarginsRect(&Panel, FPaperRect);
  TCanvas3D& C = GetPanelCanvas();
  Panel.SetPrintingNow(true);
  TScopeGuard EndPrinting([&Panel, &C] {
    C.UnClipRectangle();
    Panel.SetPrintingNow(false);
  });
  C.ClipRectangle(Panel.CanClip() ? Rect : FPaperRect);
  if (!FShowImage) return;
  if (FAsBitmap) {
    const std::unique_ptr<TBitmap> Picture = PrintingBitmap(Panel, Rect);
    if (!Picture) return;
    TCanvas& Target = C.GetReferenceCanvas();
    if (FSmoothBitmap && Rect.Width() >= 2 && Rect.Height() >= 2 && Picture->GetWidth() >= 2 &&
        Picture->GetHeight() >= 2) {
      TBitmap Small;
      Small.SetPixelFormat(pf24bit);
      Small.SetSize(Rect.Width(), Rect.Height());
      SmoothStretch(*Picture, Small);
      Target.Draw(Rect.Left, Rect.Top, Small);
    } else {
      Target.StretchDraw(Rect, *Picture);
    }
    return;
  }
  // The chart is drawn the way it prints: in its print size, scaled into
  // the rectangle. (A recorded picture replayed here would lose the
  // chart's own clipping, which printing applies.)
  Panel.PrintPartialCanvas(C.GetReferenceCanvas(), Rect);
}

std::unique_ptr<TBitmap> TKorPreviewPanel::PrintingBitmap(TCustomKorPanel& Panel,
                                                          const TRect& Rect) {
  TRect Logical;
  TSize Size;
  if (!Panel.CalcMetaBounds(Rect, Logical, Size)) return nullptr;
  const bool Printing = Panel.GetPrintingNow();
  Panel.SetPrintingNow(true);
  TScopeGuard Restore([&Panel, Printing] { Panel.SetPrintingNow(Printing); });
  return Panel.KorCreateBitmap(FPaperColor, TRect(0, 0, Size.cx, Size.cy), pf24bit);
}

// In not-xor mode, so drawing the same lines again takes them away.
void TKorPreviewPanel::DrawMarginLines() {
  if (!FMargins->GetVisible()) return;
  TCanvas3D& C = GetPanelCanvas();
  C.AssignVisiblePen(*FMargins);
  C.GetPen().SetMode(pmNotXor);
  C.GetBrush().SetStyle(bsClear);
  C.SetBackMode(cbmTransparent);
  const TRect& P = FPaperRect;
  const TRect& M = FMarginsRect;
  C.Line(M.Left - 1, P.Top + 1, M.Left - 1, P.Bottom);
  C.Line(M.Right, P.Top + 1, M.Right, P.Bottom);
  C.Line(P.Left + 1, M.Top - 1, P.Right, M.Top - 1);
  C.Line(P.Left + 1, M.Bottom, P.Right, M.Bottom);
  C.SetBackMode(cbmOpaque);
  C.GetPen().SetMode(pmCopy);
}

// ------------------------------------------------------------ mouse

void TKorPreviewPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomKorPanelExtended::MouseDown(Button, Shift, X, Y);
  FDragZone = WhereIsCursor(X, Y);
  if (FDragZone == pzMove) {
    FDragStart = TPoint(X, Y);
    FDragStartMargins = FMarginsRect;
  }
}

void TKorPreviewPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomKorPanelExtended::MouseMove(Shift, X, Y);
  if (!InRect(FPaperRect, X, Y)) return;
  if (FDragZone == pzNone) {
    SetCursor(ZoneCursor(WhereIsCursor(X, Y)));
    return;
  }
  if (!FDragImage) {
    GetCanvas();  // between frames the lines go on the control's buffer
    DrawMarginLines();
  }
  if (DragMargins(X, Y)) StoreMargins();
  if (FDragImage) {
    Repaint();
  } else {
    GetCanvas();
    DrawMarginLines();
  }
}

void TKorPreviewPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomKorPanelExtended::MouseUp(Button, Shift, X, Y);
  FDragZone = pzNone;
  if (!FDragImage) Repaint();
}

bool TKorPreviewPanel::DragMargins(int X, int Y) {
  const TRect& P = FPaperRect;
  TRect& M = FMarginsRect;
  if (FDragZone == pzMove) {
    TRect N;
    N.Left = std::max(P.Left, X + FDragStartMargins.Left - FDragStart.X);
    N.Top = std::max(P.Top, Y + FDragStartMargins.Top - FDragStart.Y);
    N.Right = std::min(P.Right, FDragStartMargins.Right + N.Left - FDragStartMargins.Left);
    N.Bottom = std::min(P.Bottom, FDragStartMargins.Bottom + N.Top - FDragStartMargins.Top);
    if (!InRect(P, N.Left, N.Top) || !InRect(P, N.Right, N.Bottom)) return false;
    M = N;
    return true;
  }
  const bool LeftOk = P.Left <= X && X < M.Right;
  const bool TopOk = P.Top <= Y && Y < M.Bottom;
  const bool RightOk = M.Left < X && X <= P.Right;
  const bool BottomOk = M.Top < Y && Y <= P.Bottom;
  const bool H = AffectsLeft(FDragZone) || AffectsRight(FDragZone);
  const bool V = AffectsTop(FDragZone) || AffectsBottom(FDragZone);
  const bool HOk = !H || (AffectsLeft(FDragZone) ? LeftOk : RightOk);
  const bool VOk = !V || (AffectsTop(FDragZone) ? TopOk : BottomOk);
  // A corner moves only when both of its edges may.
  if (!HOk || !VOk) return false;
  if (AffectsLeft(FDragZone)) M.Left = X;
  if (AffectsRight(FDragZone)) M.Right = X;
  if (AffectsTop(FDragZone)) M.Top = Y;
  if (AffectsBottom(FDragZone)) M.Bottom = Y;
  return true;
}

void TKorPreviewPanel::StoreMargins() {
  const TRect& P = FPaperRect;
  const TRect& M = FMarginsRect;
  const double W = P.Width();
  const double H = P.Height();
  if (W <= 0 || H <= 0) return;
  TRect Percent(Round((M.Left - P.Left) * 100.0 / W), Round((M.Top - P.Top) * 100.0 / H),
                Round((P.Right - M.Right) * 100.0 / W), Round((P.Bottom - M.Bottom) * 100.0 / H));
  if (AffectsRight(FDragZone))
    KeepPrintable(Percent.Right, Percent.Left);
  else
    KeepPrintable(Percent.Left, Percent.Right);
  if (AffectsBottom(FDragZone))
    KeepPrintable(Percent.Bottom, Percent.Top);
  else
    KeepPrintable(Percent.Top, Percent.Bottom);
  if (TCustomKorPanel* Panel = GetPanel()) {
    Panel->SetPrintProportional(false);
    Panel->SetPrintMargins(Percent);
  }
  if (OnChangeMargins) OnChangeMargins(this, true, Percent);
}

// ------------------------------------------------------------ printing

void TKorPreviewPanel::Print() {
  if (FPanels.Count() == 0) return;
  TScreenCursorScope HourGlass(crHourGlass);
  ApplyOrientation();
  TPrinter& P = Printer();
  if (!FTitle.isEmpty())
    P.SetTitle(FTitle);
  else if (!GetPanel()->GetName().empty())
    P.SetTitle(QString::fromStdString(GetPanel()->GetName()));
  P.BeginDoc();
  try {
    for (int I = 0; I < FPanels.Count(); ++I) {
      TCustomKorPanel& Panel = *FPanels[I];
      const TRect Rect = Panel.ChartPrintRect();
      // A panel whose margins leave nothing to print into is skipped.
      if (Rect.Width() <= 0 || Rect.Height() <= 0) continue;
      if (FAsBitmap) {
        if (const std::unique_ptr<TBitmap> Picture = PrintingBitmap(Panel, Rect))
          P.GetCanvas().StretchDraw(Rect, *Picture);
      } else {
        Panel.PrintPartial(Rect);
      }
    }
    if (OnAfterDraw) OnAfterDraw(this);
    P.EndDoc();
  } catch (...) {
    P.Abort();
    if (P.GetPrinting()) P.EndDoc();
    throw;
  }
}
