#pragma once

#include "chart/series/TCustomSortedFunction.h"

// Data: the mode of a period: the most frequent value; on a tie the
// smallest of the most frequent values.
class TModeKorFunction : public TCustomSortedFunction {
 public:
  using TCustomSortedFunction::TCustomSortedFunction;

  QString ClassName() const override { return QStringLiteral("TModeKorFunction"); }

 protected:
  double CalcResult() override;
};
