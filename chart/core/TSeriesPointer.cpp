#include "chart/core/TSeriesPointer.h"

#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorGradient.h"

#include <algorithm>

namespace {

TCustomKorPanel* ChartOf(const TChartSeries* Series) {
  return Series != nullptr ? Series->GetParentChart() : nullptr;
}

void CheckPointerSize(int Value) {
  if (Value <= 0) throw ChartException(Korconst::KorMsg_CheckPointerSize);
}

}  // namespace

TSeriesPointer::TSeriesPointer(TChartSeries* ASeries)
    : TKorCustomShapeBrushPen(ChartOf(ASeries)),
      FSeries(ASeries),
      FGradient(std::make_unique<TKorGradient>([this](TPersistent*) { Repaint(); })) {}

TSeriesPointer::~TSeriesPointer() = default;

void TSeriesPointer::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TSeriesPointer*>(&Source);
  if (Other != nullptr && Other != this) {
    SetStyle(Other->FStyle);
    // The source's sizes were accepted there (or set by series code), so
    // they are copied without the setters' check.
    SetShapeField(FHorizSize, Other->FHorizSize);
    SetShapeField(FVertSize, Other->FVertSize);
    SetDark3D(Other->FDark3D);
    SetDraw3D(Other->FDraw3D);
    SetInflateMargins(Other->FInflateMargins);
    SetTransparency(Other->FTransparency);
    FGradient->Assign(*Other->FGradient);
  }
  TKorCustomShapeBrushPen::Assign(Source);
}

const TPropertyList& TSeriesPointer::Properties() const {
  namespace PP = PublishedProperty;
  using C = TSeriesPointer;
  static const TPropertyList List = [this] {
    const TPropertyList& Base = TKorCustomShapeBrushPen::Properties();
    // A pointer calls its outline pen "Pen".
    TPublishedProperty Pen = *Base.Find(QStringLiteral("Frame"));
    Pen.Name = QStringLiteral("Pen");
    return TPropertyList{
        *Base.Find(QStringLiteral("Brush")),
        Pen,
        *Base.Find(QStringLiteral("Visible")),
        PP::Enum<C, TSeriesPointerStyle>(
            QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
            {"psRectangle", "psCircle", "psTriangle", "psDownTriangle", "psCross", "psDiagCross",
             "psStar", "psDiamond", "psSmallDot", "psNothing", "psLeftTriangle", "psRightTriangle"},
            psRectangle),
        PP::Integer<C>(QStringLiteral("HorizSize"), &C::GetHorizSize, &C::SetHorizSize, 4),
        PP::Integer<C>(QStringLiteral("VertSize"), &C::GetVertSize, &C::SetVertSize, 4),
        PP::Boolean<C>(QStringLiteral("Dark3D"), &C::GetDark3D, &C::SetDark3D, true),
        PP::Boolean<C>(QStringLiteral("Draw3D"), &C::GetDraw3D, &C::SetDraw3D, true),
        PP::Boolean<C>(QStringLiteral("InflateMargins"), &C::GetInflateMargins,
                       &C::SetInflateMargins, true),
        PP::Integer<C>(QStringLiteral("Transparency"), &C::GetTransparency, &C::SetTransparency, 0),
        PP::Object<C, TKorGradient>(QStringLiteral("Gradient"), &C::GradientObject),
    };
  }();
  return List;
}

void TSeriesPointer::SetHorizSize(int Value) {
  CheckPointerSize(Value);
  SetShapeField(FHorizSize, Value);
}

void TSeriesPointer::SetVertSize(int Value) {
  CheckPointerSize(Value);
  SetShapeField(FVertSize, Value);
}

int TSeriesPointer::GetSize() const {
  return std::max(FHorizSize, FVertSize);
}

void TSeriesPointer::SetSize(int Value) {
  SetHorizSize(Value);
  SetVertSize(Value);
}

void TSeriesPointer::SetTransparency(int Value) {
  SetShapeField(FTransparency, std::clamp(Value, 0, 100));
}

void TSeriesPointer::SetGradient(const TKorGradient& Value) {
  FGradient->Assign(Value);
}

TColor TSeriesPointer::GetColor() const {
  return GetBrush().GetColor();
}

void TSeriesPointer::SetColor(TColor Value) {
  GetBrush().SetColor(Value);
}

int TSeriesPointer::GetStartZ() const {
  return FSeries != nullptr ? FSeries->GetStartZ() : 0;
}

int TSeriesPointer::GetMiddleZ() const {
  return FSeries != nullptr ? FSeries->GetMiddleZ() : 0;
}

int TSeriesPointer::GetEndZ() const {
  return FSeries != nullptr ? FSeries->GetEndZ() : 0;
}

void TSeriesPointer::CalcHorizMargins(int& LeftMargin, int& RightMargin) const {
  if (!GetVisible() || !FInflateMargins) return;
  LeftMargin = std::max(LeftMargin, FHorizSize + 1);
  RightMargin = std::max(RightMargin, FHorizSize + 1);
}

void TSeriesPointer::CalcVerticalMargins(int& TopMargin, int& BottomMargin) const {
  if (!GetVisible() || !FInflateMargins) return;
  TopMargin = std::max(TopMargin, FVertSize + 1);
  BottomMargin = std::max(BottomMargin, FVertSize + 1);
}
