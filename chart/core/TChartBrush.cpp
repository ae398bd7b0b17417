#include "chart/core/TChartBrush.h"

#include "platform/TPicture.h"

TChartBrush::TChartBrush(TNotifyEvent ChangeHandler) {
  SetColor(clDefault);
  OnChange = std::move(ChangeHandler);
}

TChartBrush::~TChartBrush() = default;

void TChartBrush::Assign(const TPersistent& Source) {
  if (const TChartBrush* Other = dynamic_cast<const TChartBrush*>(&Source)) {
    if (Other == this) return;
    SetImage(Other->FImage.get());
  }
  TBrush::Assign(Source);
}

const TPropertyList& TChartBrush::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List(
      TBrush().Properties(),
      {PP::Color<TBrush>(QStringLiteral("Color"), &TBrush::GetColor, &TBrush::SetColor, clDefault),
       PP::Object<TChartBrush, TPicture>(QStringLiteral("Image"), &TChartBrush::GetImage)});
  return List;
}

TPicture* TChartBrush::GetImage() {
  if (!FImage) {
    FImage = std::make_unique<TPicture>();
    FImage->OnChange = [this](TPersistent*) { Changed(); };
  }
  return FImage.get();
}

void TChartBrush::SetImage(const TPicture* Value) {
  if (Value == nullptr) {
    FImage.reset();
    Changed();
  } else if (Value != FImage.get()) {
    GetImage()->Assign(*Value);  // the picture's own change notification runs the handler
  }
}

void TChartBrush::Clear() {
  SetStyle(bsClear);
  SetImage(nullptr);
}
