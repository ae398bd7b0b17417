#pragma once

#include "chart/core/TChart.h"

// Chart classes that older chart files name as their root; registered so
// that such files can be read (into a chart the caller provides, or into a
// new one of the named class).
class TChartChart : public TChart {
 public:
  explicit TChartChart(TComponent* AOwner) : TChart(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TChartChart"); }
};

class TODBCChart : public TChartChart {
 public:
  explicit TODBCChart(TComponent* AOwner) : TChartChart(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TODBCChart"); }
};

// At start-up and shut-down of the program.
void RegisterChartChartClasses();
void UnRegisterChartChartClasses();
