#pragma once

#include "platform/TPicture.h"

enum TKorBackImageMode { pbmStretch, pbmTile, pbmCenter, pbmCustom };

// Data: the picture behind a chart, with where and how it is drawn. Each
// setter notifies a change (OnChange, which the panel hooks to repaint)
// only when the value differs.
class TBackImage : public TPicture {
 public:
  TBackImage() = default;

  // Copies the picture and, from another back image, the placement.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TBackImage"); }
  const TPropertyList& Properties() const override;

  // Inside the chart walls instead of over the whole panel.
  bool GetInside() const { return FInside; }
  void SetInside(bool Value);
  // Offset of pbmCustom placement from the rectangle's top-left corner.
  int GetLeft() const { return FLeft; }
  void SetLeft(int Value);
  int GetTop() const { return FTop; }
  void SetTop(int Value);
  TKorBackImageMode GetMode() const { return FMode; }
  void SetMode(TKorBackImageMode Value);

 private:
  bool FInside = false;
  int FLeft = 0;
  int FTop = 0;
  TKorBackImageMode FMode = pbmStretch;
};
