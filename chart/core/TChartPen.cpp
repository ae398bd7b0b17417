#include "chart/core/TChartPen.h"

TChartPen::TChartPen(TNotifyEvent ChangeHandler) {
  OnChange = std::move(ChangeHandler);
}

void TChartPen::Assign(const TPersistent& Source) {
  if (const TChartPen* Other = dynamic_cast<const TChartPen*>(&Source)) {
    if (Other == this) return;
    FVisible = Other->FVisible;
    FSmallDots = Other->FSmallDots;
    FSmallSpace = Other->FSmallSpace;
    FEndStyle = Other->FEndStyle;
  }
  TPen::Assign(Source);
}

const TPropertyList& TChartPen::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List = [] {
    TPublishedProperty EndStyle = PP::Enum<TChartPen, TPenEndStyle>(
        QStringLiteral("EndStyle"), &TChartPen::GetEndStyle, &TChartPen::SetEndStyle,
        {"esRound", "esSquare", "esFlat"});
    EndStyle.Stored = [](const TPersistent& P) {
      const TChartPen& Pen = PP::As<TChartPen>(P);
      return Pen.GetEndStyle() != Pen.GetDefaultEndStyle();
    };
    TPublishedProperty Visible = PP::Boolean<TChartPen>(
        QStringLiteral("Visible"), &TChartPen::GetVisible, &TChartPen::SetVisible);
    Visible.Stored = [](const TPersistent& P) {
      const TChartPen& Pen = PP::As<TChartPen>(P);
      return Pen.GetVisible() != Pen.GetDefaultVisible();
    };
    return TPropertyList(
        TPen().Properties(),
        {EndStyle,
         PP::Boolean<TChartPen>(QStringLiteral("SmallDots"), &TChartPen::GetSmallDots,
                                &TChartPen::SetSmallDots, false),
         PP::Integer<TChartPen>(QStringLiteral("SmallSpace"), &TChartPen::GetSmallSpace,
                                &TChartPen::SetSmallSpace, 0),
         Visible});
  }();
  return List;
}

void TChartPen::SetEndStyle(TPenEndStyle Value) {
  if (FEndStyle == Value) return;
  FEndStyle = Value;
  Changed();
}

void TChartPen::SetSmallDots(bool Value) {
  if (FSmallDots == Value) return;
  FSmallDots = Value;
  Changed();
}

void TChartPen::SetSmallSpace(int Value) {
  if (FSmallSpace == Value) return;
  FSmallSpace = Value;
  Changed();
}

void TChartPen::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed();
}

void TChartPen::SetDefaults(bool AVisible, TPenEndStyle AEndStyle) {
  FVisible = AVisible;
  FDefaultVisible = AVisible;
  FEndStyle = AEndStyle;
  FDefaultEndStyle = AEndStyle;
}
