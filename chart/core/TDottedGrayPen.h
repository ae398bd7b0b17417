#pragma once

#include "chart/core/TChartPen.h"

// Data: a chart pen that starts dotted dark grey.
class TDottedGrayPen : public TChartPen {
 public:
  explicit TDottedGrayPen(TNotifyEvent ChangeHandler = nullptr);

  QString ClassName() const override { return QStringLiteral("TDottedGrayPen"); }
  const TPropertyList& Properties() const override;
};
