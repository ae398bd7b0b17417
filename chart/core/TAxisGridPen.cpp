#include "chart/core/TAxisGridPen.h"

TAxisGridPen::TAxisGridPen(TNotifyEvent ChangeHandler) : TDottedGrayPen(std::move(ChangeHandler)) {}

void TAxisGridPen::Assign(const TPersistent& Source) {
  if (const TAxisGridPen* Other = dynamic_cast<const TAxisGridPen*>(&Source)) {
    FCentered = Other->FCentered;
    FZPosition = Other->FZPosition;
  }
  TDottedGrayPen::Assign(Source);
}

const TPropertyList& TAxisGridPen::Properties() const {
  namespace PP = PublishedProperty;
  using C = TAxisGridPen;
  static const TPropertyList List = [] {
    TPublishedProperty ZPosition =
        PP::Double<C>(QStringLiteral("ZPosition"), &C::GetZPosition, &C::SetZPosition);
    ZPosition.Stored = [](const TPersistent& P) {
      const C& Pen = PP::As<C>(P);
      return Pen.GetZPosition() != Pen.GetDefaultZPosition();
    };
    return TPropertyList(
        TDottedGrayPen().Properties(),
        {PP::Boolean<C>(QStringLiteral("Centered"), &C::GetCentered, &C::SetCentered, false),
         ZPosition});
  }();
  return List;
}
