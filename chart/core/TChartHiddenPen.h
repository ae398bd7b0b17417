#pragma once

#include "chart/core/TChartPen.h"

// Data: a chart pen that starts hidden (hidden is also what streams omit).
class TChartHiddenPen : public TChartPen {
 public:
  explicit TChartHiddenPen(TNotifyEvent ChangeHandler = nullptr);

  QString ClassName() const override { return QStringLiteral("TChartHiddenPen"); }
};
