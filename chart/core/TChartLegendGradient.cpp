#include "chart/core/TChartLegendGradient.h"

// The change handler is attached last, so setting up the preset does not
// notify the legend while it is still being built.
TChartLegendGradient::TChartLegendGradient(TNotifyEvent ChangeHandler) {
  SetDirection(gdRightLeft);
  SetStartColor(clSilver);
  SetEndColor(clWhite);
  OnChange = std::move(ChangeHandler);
}

const TPropertyList& TChartLegendGradient::Properties() const {
  static const TPropertyList List = [this] {
    const TPropertyList& Base = TKorGradient::Properties();
    auto WithDefault = [&Base](const char* Name, TPropertyValue Default) {
      TPublishedProperty P = *Base.Find(QString::fromLatin1(Name));
      P.Default = Default;
      return P;
    };
    return TPropertyList(Base, {
                                   WithDefault("Direction", static_cast<int>(gdRightLeft)),
                                   WithDefault("EndColor", clWhite),
                                   WithDefault("StartColor", clSilver),
                               });
  }();
  return List;
}
