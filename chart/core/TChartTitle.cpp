#include "chart/core/TChartTitle.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/Korhtml.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShadow.h"

#include "platform/TCanvas.h"

#include <algorithm>
#include <cstdlib>

int KorTitleFootDistance = 5;

TChartTitle::TChartTitle(TCustomChart* AChart) : TKorCustomShapePosition(AChart) {
  SetTransparent(true);
  GetFont().SetColor(clBlue);
  GetFont().SetDefaultColor(clBlue);
}

const TPropertyList& TChartTitle::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartTitle;
  static const TPropertyList List = [this] {
    return TPropertyList(
        TKorCustomShapePosition::Properties(),
        {
            PP::Boolean<C>(QStringLiteral("AdjustFrame"), &C::GetAdjustFrame, &C::SetAdjustFrame,
                           true),
            PP::Enum<C, TAlignment>(QStringLiteral("Alignment"), &C::GetAlignment, &C::SetAlignment,
                                    {"taLeftJustify", "taRightJustify", "taCenter"}, taCenter),
            PP::Strings<C>(QStringLiteral("Text"), &C::TextLines, &C::SetText),
            PP::Boolean<C>(QStringLiteral("Transparent"), &C::GetTransparent, &C::SetTransparent,
                           true),
        });
  }();
  return List;
}

void TChartTitle::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TChartTitle*>(&Source); Other && Other != this) {
    FAdjustFrame = Other->FAdjustFrame;
    FAlignment = Other->FAlignment;
    SetText(Other->FText);
  }
  TKorCustomShapePosition::Assign(Source);
}

void TChartTitle::SetText(const QStringList& Value) {
  if (Value == FText) return;
  FText = Value;
  Repaint();
}

void TChartTitle::SetCaption(const QString& Value) {
  SetText(Value.isEmpty() ? QStringList() : QStringList{Value});
}

TCustomChart& TChartTitle::Chart() const {
  return static_cast<TCustomChart&>(*GetParent());
}

int TChartTitle::FrameWidth() const {
  if (GetBevel() != bvNone) return GetBevelWidth();
  const TChartPen& Frame = GetPen();
  return Frame.GetVisible() && Frame.GetColor() != clDefault ? Frame.GetWidth() : 0;
}

bool TChartTitle::Clicked(int X, int Y) const {
  const TRect& R = GetShapeBounds();
  return GetVisible() && X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

void TChartTitle::DrawTitle() {
  if (!GetVisible() || FText.isEmpty() || GetParent() == nullptr) return;
  TCustomChart& C = Chart();
  TCanvas3D& Canvas = C.GetPanelCanvas();
  const int Lines = static_cast<int>(FText.size());
  const int Fw = FrameWidth();
  TRect R = GetShapeBounds();
  if (!GetCustomPosition()) {
    R = C.GetPlotRect();
    if (FOnTop) R.Top += Fw;
  }
  Canvas.AssignFont(GetFont());
  Canvas.SetTextAlign(TA_LEFT);
  const int LineHeight = Canvas.GetFontHeight();
  if (FOnTop || GetCustomPosition())
    R.Bottom = R.Top + Lines * LineHeight;
  else
    R.Top = R.Bottom - Lines * LineHeight;
  if (!GetCustomPosition()) R = TRect(R.Left - Fw, R.Top - Fw, R.Right + Fw, R.Bottom + Fw);
  if (FAdjustFrame) {
    const int WW = Canvas.TextWidth(QStringLiteral("W"));
    int Widest = 0;
    for (const QString& Line : FText) Widest = std::max(Widest, Canvas.TextWidth(Line));
    const int A = WW + Fw + Widest;
    if (FAlignment == taLeftJustify) {
      R.Right = R.Left + A;
    } else if (FAlignment == taRightJustify) {
      R.Left = R.Right - A;
    } else {
      if (GetCustomPosition()) R.Right = R.Left + A;
      const int Middle = (R.Left + R.Right) / 2;
      R.Left = Middle - A / 2;
      R.Right = Middle + A / 2;
    }
  }
  SetShapeBounds(R);
  Draw();
  Canvas.AssignFont(GetFont());
  Canvas.SetBackMode(cbmTransparent);
  DrawLines(Fw, LineHeight);
  if (GetCustomPosition()) return;
  int Gap = KorTitleFootDistance + Fw;
  if (!GetTransparent()) Gap += GetShadow().GetVertSize();
  if (C.GetUserChartRect()) return;
  TRect Plot = C.GetPlotRect();
  if (FOnTop)
    Plot.Top = R.Bottom + Gap;
  else
    Plot.Bottom = R.Bottom - Gap - Lines * LineHeight;
  C.SetPlotRect(Plot);
  C.ReCalcWidthHeight();
}

void TChartTitle::DrawLines(int Fw, int LineHeight) {
  TCanvas3D& Canvas = Chart().GetPanelCanvas();
  const TRect& R = GetShapeBounds();
  const int WW = Canvas.TextWidth(QStringLiteral("W"));
  const int X = R.Left + WW / 2;
  auto LineY = [&](int D) { return FOnTop ? R.Top + D : R.Bottom - LineHeight - D; };
  if (GetTextFormat() == ttfHtml) {
    HtmlTextOut(Canvas, X, LineY(Fw), FText.join(QStringLiteral("<BR>")));
    return;
  }
  for (int I = 0; I < FText.size(); ++I) {
    const QString& Line = FText[I];
    int LineX = X;
    if (FAlignment == taRightJustify)
      LineX = R.Right - Canvas.TextWidth(Line) - WW / 2;
    else if (FAlignment == taCenter)
      LineX = (R.Left + R.Right) / 2 - Canvas.TextWidth(Line) / 2;
    Canvas.TextOut(LineX, LineY(I * LineHeight + Fw), Line);
  }
}
