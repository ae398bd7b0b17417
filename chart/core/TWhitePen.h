#pragma once

#include "chart/core/TChartPen.h"

// Data: a chart pen that starts white.
class TWhitePen : public TChartPen {
 public:
  explicit TWhitePen(TNotifyEvent ChangeHandler = nullptr);

  QString ClassName() const override { return QStringLiteral("TWhitePen"); }
  const TPropertyList& Properties() const override;
};
