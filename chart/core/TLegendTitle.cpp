#include "chart/core/TLegendTitle.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/Korhtml.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomKorPanel.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShadow.h"

#include "platform/TCanvas.h"
#include "platform/TFont.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int TitleShadowSize = 2;

}  // namespace

TLegendTitle::TLegendTitle(TCustomKorPanel* AParent) : TKorShape(AParent) {
  SetTransparent(true);
  GetFont().SetStyle(TFontStyles{fsBold});
  GetFont().SetDefaultStyle(TFontStyles{fsBold});
  GetShadow().SetColor(clSilver);
  GetShadow().SetSize(TitleShadowSize);
  GetShadow().SetDefaultColor(clSilver);
  GetShadow().SetDefaultSize(TitleShadowSize);
}

const TPropertyList& TLegendTitle::Properties() const {
  namespace PP = PublishedProperty;
  using C = TLegendTitle;
  static const TPropertyList List = [this] {
    return TPropertyList(
        TKorShape::Properties(),
        {
            PP::Strings<C>(QStringLiteral("Text"), &C::TextValue, &C::SetText),
            PP::Enum<C, TAlignment>(QStringLiteral("TextAlignment"), &C::GetTextAlignment,
                                    &C::SetTextAlignment,
                                    {"taLeftJustify", "taRightJustify", "taCenter"}, taLeftJustify),
            PP::Boolean<C>(QStringLiteral("Transparent"), &C::GetTransparent, &C::SetTransparent,
                           true),
        });
  }();
  return List;
}

void TLegendTitle::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TLegendTitle*>(&Source); Other && Other != this) {
    SetText(Other->FText);
    SetTextAlignment(Other->FTextAlignment);
  }
  TKorShape::Assign(Source);
}

void TLegendTitle::SetText(const QStringList& Value) {
  if (Value == FText) return;
  FText = Value;
  Repaint();
}

void TLegendTitle::SetCaption(const QString& Value) {
  SetText(Value.isEmpty() ? QStringList() : QStringList{Value});
}

int TLegendTitle::FrameWidth() const {
  return GetPen().GetVisible() ? GetPen().GetWidth() : 0;
}

int TLegendTitle::CalcHeight() const {
  TCanvas3D& Canvas = GetParent()->GetPanelCanvas();
  Canvas.AssignFont(GetFont());
  int Result = Canvas.GetFontHeight() * static_cast<int>(FText.size());
  if (!GetTransparent()) Result += 2 + 2 * FrameWidth();
  return Result;
}

int TLegendTitle::CalcTotalWidth() const {
  TCanvas3D& Canvas = GetParent()->GetPanelCanvas();
  Canvas.AssignFont(GetFont());
  int Widest = 0;
  for (const QString& Line : FText) Widest = std::max(Widest, Canvas.TextWidth(Line));
  int Result = Widest + Canvas.TextWidth(QStringLiteral("W"));
  if (!GetTransparent()) Result += 2 * FrameWidth() + GetShadow().GetHorizSize();
  return Result;
}

TRect TLegendTitle::CalcBounds(const TRect& LegendRect) const {
  TRect R(LegendRect.Left + 2, LegendRect.Top + 2, LegendRect.Right - 2,
          LegendRect.Top + CalcHeight() + 2);
  if (GetTransparent()) return R;
  // The shadow stays inside the legend box.
  const int H = GetShadow().GetHorizSize();
  const int V = GetShadow().GetVertSize();
  if (H < 0)
    R.Left += std::abs(H);
  else if (H > 0)
    R.Right -= H;
  if (V < 0) R.Top += std::abs(V);
  return R;
}

void TLegendTitle::DrawTitle(const TRect& LegendRect) {
  SetShapeBounds(CalcBounds(LegendRect));
  Draw();
  DrawLines();
}

void TLegendTitle::DrawLines() {
  TCanvas3D& Canvas = GetParent()->GetPanelCanvas();
  Canvas.AssignFont(GetFont());
  Canvas.SetBackMode(cbmTransparent);
  Canvas.SetTextAlign(TA_LEFT);
  const TRect& R = GetShapeBounds();
  const int HalfW = Canvas.TextWidth(QStringLiteral("W")) / 2;
  if (GetTextFormat() == ttfHtml) {
    HtmlTextOut(Canvas, R.Left + HalfW, R.Top + 1, FText.join(QStringLiteral("<BR>")));
    return;
  }
  const int LineHeight = Canvas.GetFontHeight();
  for (int N = 0; N < FText.size(); ++N) {
    const QString& Line = FText[N];
    int X = R.Left + HalfW;
    if (FTextAlignment == taRightJustify)
      X = R.Right - Canvas.TextWidth(Line) - HalfW;
    else if (FTextAlignment == taCenter)
      X = (R.Left + R.Right) / 2 - Canvas.TextWidth(Line) / 2;
    Canvas.TextOut(X, R.Top + 1 + N * LineHeight, Line);
  }
}
