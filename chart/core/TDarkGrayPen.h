#pragma once

#include "chart/core/TChartPen.h"

// Data: a chart pen that starts dark grey.
class TDarkGrayPen : public TChartPen {
 public:
  explicit TDarkGrayPen(TNotifyEvent ChangeHandler = nullptr);

  QString ClassName() const override { return QStringLiteral("TDarkGrayPen"); }
  const TPropertyList& Properties() const override;
};
