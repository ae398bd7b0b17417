#pragma once

#include "platform/TBrush.h"

#include <memory>

class TPicture;

// Data: the fill style that chart elements own and stream: a brush whose
// colour defaults to the owner's colour (clDefault), with an optional
// picture to tile. Every change calls the owner's change handler given at
// construction.
class TChartBrush : public TBrush {
 public:
  explicit TChartBrush(TNotifyEvent ChangeHandler = nullptr);
  ~TChartBrush() override;

  // Copies the picture (or its absence), then the brush's own properties.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TChartBrush"); }
  const TPropertyList& Properties() const override;

  // Created empty on first read; it notifies the brush's change handler.
  TPicture* GetImage();
  // The picture when one was created, without creating it.
  const TPicture* ExistingImage() const { return FImage.get(); }
  // nullptr frees the picture; anything else is copied into the brush's
  // own picture. The change handler runs in both cases.
  void SetImage(const TPicture* Value);

  // Style clear and no picture.
  void Clear();

 private:
  std::unique_ptr<TPicture> FImage;  // created on first use
};
