#include "chart/core/TCallout.h"

#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TCustomKorPanel.h"
#include "chart/core/TWhitePen.h"

bool KorCheckMarkArrowColor = false;

TCallout::TCallout(TChartSeries* ASeries)
    : TSeriesPointer(ASeries),
      FArrow(std::make_unique<TWhitePen>([this](TPersistent*) { Repaint(); })) {
  Change3D(false);
  SetKeepGradientColors(true);
  GetBrush().SetColor(clBlack);
}

TCallout::~TCallout() = default;

void TCallout::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TCallout*>(&Source);
  if (Other != nullptr && Other != this) {
    FArrow->Assign(*Other->FArrow);
    SetArrowHead(Other->FArrowHead);
    SetArrowHeadSize(Other->FArrowHeadSize);
    SetDistance(Other->FDistance);
  }
  TSeriesPointer::Assign(Source);
}

const TPropertyList& TCallout::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCallout;
  static const TPropertyList List = [this] {
    return TPropertyList(
        TSeriesPointer::Properties(),
        {
            PP::Boolean<TSeriesPointer>(QStringLiteral("Draw3D"), &TSeriesPointer::GetDraw3D,
                                        &TSeriesPointer::SetDraw3D, false),
            PP::Object<C, TChartPen>(QStringLiteral("Arrow"), &C::ArrowObject),
            PP::Enum<C, TArrowHeadStyle>(QStringLiteral("ArrowHead"), &C::GetArrowHead,
                                         &C::SetArrowHead, {"ahNone", "ahLine", "ahSolid"}, ahNone),
            PP::Integer<C>(QStringLiteral("ArrowHeadSize"), &C::GetArrowHeadSize,
                           &C::SetArrowHeadSize, 8),
            PP::Integer<C>(QStringLiteral("Distance"), &C::GetDistance, &C::SetDistance, 0),
        });
  }();
  return List;
}

void TCallout::SetArrow(const TChartPen& Value) {
  FArrow->Assign(Value);
}

TColor TCallout::ArrowColor(TColor AColor, TColor PanelColor) const {
  const TColor Own = FArrow->GetColor();
  if (!KorCheckMarkArrowColor || (Own != AColor && Own != PanelColor)) return Own;
  return PanelColor == clBlack ? clWhite : clBlack;
}

void TCallout::Draw(TColor AColor, const TPoint& From, const TPoint& To, int Z) {
  TCustomKorPanel* Panel = GetParent();
  if (Panel == nullptr) return;
  TCanvas3D& C = Panel->GetPanelCanvas();
  const bool Is3D = Panel->GetView3D();
  if (FArrow->GetVisible()) {
    const TColor Color = ArrowColor(AColor, Panel->GetColor());
    C.AssignVisiblePenColor(*FArrow, Color);
    if (FArrowHead == ahSolid) {
      // A solid head is filled in the arrow's own colour.
      C.GetBrush().SetStyle(bsSolid);
      C.GetBrush().SetColor(Color);
    } else {
      C.GetBrush().SetStyle(bsClear);
    }
    if (FArrowHead != ahNone)
      C.Arrow(FArrowHead == ahSolid, From, To, FArrowHeadSize, FArrowHeadSize, Z);
    else if (Is3D)
      C.LineWithZ(From, To, Z);
    else
      C.Line(From, To);
  }
  if (FArrowHead != ahNone || !GetVisible()) return;
  PrepareCanvas(C, AColor);
  const TPoint At = Is3D ? C.Calculate3DPosition(From, Z) : From;
  const TColor Own = GetColor() == clDefault ? AColor : GetColor();
  DrawPointer(C, false, At.X, At.Y, GetHorizSize(), GetVertSize(), Own, GetStyle());
}
