#include "tools/chartdemo/ToolDemoCharts.h"

#include "tools/chartdemo/DemoChartParts.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/series/TLineSeries.h"
#include "chart/tools/TAnnotationCallout.h"
#include "chart/tools/TAnnotationTool.h"
#include "chart/tools/TColorBandTool.h"
#include "chart/tools/TColorLineTool.h"
#include "chart/tools/TCursorTool.h"
#include "chart/tools/TGridBandBrush.h"
#include "chart/tools/TGridBandTool.h"

#include "platform/TBitmap.h"

#include <QString>

#include <cmath>

namespace ToolDemoCharts {

namespace {

constexpr double MonomerS = 4.5;
constexpr double AggregateS = 18;

double Peak(double S, double S0, double Spread, double Height) {
  const double Z = std::log(S / S0) / Spread;
  return Height * std::exp(-0.5 * Z * Z);
}

TLineSeries* AddGofS(TChart& Chart) {
  auto* Series = DemoChartParts::Add<TLineSeries>(Chart, QStringLiteral("g(s*), cell 2"), clNavy);
  Series->GetMarks().SetVisible(false);
  Series->GetLinePen().SetWidth(2);
  for (double S = 1; S <= 40; S *= 1.02)
    Series->AddXY(S, Peak(S, MonomerS, 0.12, 0.8) + Peak(S, AggregateS, 0.08, 0.15));
  return Series;
}

void AddBands(TChart& Chart) {
  auto* Grid = new TGridBandTool(&Chart);
  Grid->GetBand1().SetColor(RGB(244, 246, 250));
  Grid->GetBand2().SetColor(clWhite);
  Grid->SetAxis(Chart.GetLeftAxis());
  auto* Monomer = new TColorBandTool(&Chart);
  Monomer->SetAxis(Chart.GetBottomAxis());
  Monomer->SetColor(RGB(255, 236, 150));
  Monomer->SetTransparency(40);
  Monomer->SetStartValue(3.5);
  Monomer->SetEndValue(5.8);
  auto* Aggregate = new TColorLineTool(&Chart);
  Aggregate->SetAxis(Chart.GetBottomAxis());
  Aggregate->GetPen().SetColor(clRed);
  Aggregate->GetPen().SetWidth(2);
  Aggregate->SetValue(AggregateS);
}

// The callout points at a pixel, so the axes are laid out first.
void AddAnnotation(TChart& Chart, const TLineSeries& Series) {
  TBitmap Layout(Chart.GetWidth(), Chart.GetHeight());
  Chart.Draw(Layout.GetCanvas(), Chart.GetClientRect());
  auto* Note = new TAnnotationTool(&Chart);
  Note->SetParentChart(&Chart);
  Note->SetText(QStringLiteral("18 S aggregate") + QChar('\r') +
                QStringLiteral("12 % of the signal"));
  Note->SetPosition(ppRightTop);
  TAnnotationCallout& Callout = Note->GetCallout();
  Callout.GetArrow().SetVisible(true);
  Callout.GetArrow().SetColor(clRed);
  Callout.SetXPosition(Series.GetHorizAxisObject()->CalcXPosValue(AggregateS));
  Callout.SetYPosition(Series.GetVertAxisObject()->CalcYPosValue(0.15));
}

}  // namespace

std::unique_ptr<TChart> MarkedGofSChart(int Width, int Height) {
  auto Chart = DemoChartParts::NewChart(Width, Height, QStringLiteral("g(s*) with marked ranges"),
                                        QStringLiteral("s* (S)"), QStringLiteral("g(s*) (OD/S)"));
  Chart->GetBottomAxis()->SetLogarithmic(true);
  Chart->GetLegend().SetVisible(false);
  TLineSeries* Series = AddGofS(*Chart);
  AddBands(*Chart);
  auto* Cursor = new TCursorTool(Chart.get());
  Cursor->SetParentChart(Chart.get());
  Cursor->SetStyle(cssVertical);
  Cursor->SetSeries(Series);
  Cursor->SetXValue(MonomerS);
  AddAnnotation(*Chart, *Series);
  return Chart;
}

}  // namespace ToolDemoCharts
