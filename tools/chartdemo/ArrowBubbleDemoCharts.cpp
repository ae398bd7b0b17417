#include "tools/chartdemo/ArrowBubbleDemoCharts.h"

#include "tools/chartdemo/DemoChartParts.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/series/TArrowSeries.h"
#include "chart/series/TBubbleSeries.h"

#include <QString>

namespace ArrowBubbleDemoCharts {

using DemoChartParts::Add;
using DemoChartParts::NewChart;

std::unique_ptr<TChart> PeakShiftChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("g(s*) peak before and after correction"),
                        QStringLiteral("s* (S)"), QStringLiteral("g(s*) (OD/S)"));
  auto* Shift = Add<TArrowSeries>(*Chart, QStringLiteral("Peak shift"), clNavy);
  // Sedimentation coefficients, not dates.
  Shift->GetStartXValues().SetDateTime(false);
  Shift->GetEndXValues().SetDateTime(false);
  Shift->SetArrowWidth(10);
  Shift->SetArrowHeight(14);
  Shift->GetPointer().GetPen().SetWidth(2);
  Shift->GetMarks().SetVisible(true);
  Shift->GetMarks().SetStyle(smsLabel);
  Chart->GetLegend().SetVisible(false);
  // Values, not the cell names, along s*; room around the arrows.
  Chart->GetBottomAxis()->SetLabelStyle(talValue);
  Chart->GetBottomAxis()->SetMinMax(3, 12.5);
  Chart->GetLeftAxis()->SetMinMax(0, 1.05);
  const struct {
    const char* Cell;
    double RawS, RawG, S, G;
  } Peaks[] = {{"Cell 1", 4.21, 0.82, 4.46, 0.95},
               {"Cell 2", 4.05, 0.55, 4.38, 0.66},
               {"Cell 3", 6.70, 0.31, 7.05, 0.36},
               {"Cell 4", 10.9, 0.12, 11.6, 0.15}};
  for (const auto& P : Peaks)
    Shift->AddArrow(P.RawS, P.RawG, P.S, P.G, QString::fromLatin1(P.Cell));
  return Chart;
}

std::unique_ptr<TChart> SpeciesBubbleChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Species in cell 2"),
                        QStringLiteral("s20,w (S)"), QStringLiteral("Molar mass (kDa)"));
  auto* Species = Add<TBubbleSeries>(*Chart, QStringLiteral("Cell 2"), clTeal);
  Species->GetMarks().SetVisible(false);
  Species->SetTransparency(25);
  // The bubbles' radii count on the vertical axis only: the horizontal
  // range is set to hold them.
  Chart->GetBottomAxis()->SetLabelStyle(talValue);
  Chart->GetBottomAxis()->SetMinMax(0, 10);
  const struct {
    const char* Name;
    double S, Mass, Share;
  } Items[] = {{"Fragment", 2.1, 23, 0.09},
               {"Monomer", 4.4, 66, 0.62},
               {"Dimer", 6.6, 132, 0.21},
               {"Trimer", 8.5, 198, 0.08}};
  // A share of 1 would be a bubble 40 kDa high either way.
  for (const auto& I : Items)
    Species->AddBubble(I.S, I.Mass, 40 * I.Share, QString::fromLatin1(I.Name));
  return Chart;
}

}  // namespace ArrowBubbleDemoCharts
