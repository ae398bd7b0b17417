#pragma once

#include "chart/core/TChartPen.h"

// How the axis line is drawn: a plain line, or a cylinder or box as thick
// as the pen.
enum TPenLineMode { lmLine, lmCylinder, lmRectangle };

// Data: the pen of an axis line, two pixels wide unless set otherwise.
class TChartAxisPen : public TChartPen {
 public:
  explicit TChartAxisPen(TNotifyEvent ChangeHandler = nullptr);

  // The chart pen's settings, and the line mode from another axis pen.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TChartAxisPen"); }
  const TPropertyList& Properties() const override;

  TPenLineMode GetLineMode() const { return FLineMode; }
  void SetLineMode(TPenLineMode Value) { ChangeField(FLineMode, Value); }

 private:
  TPenLineMode FLineMode = lmLine;
};
