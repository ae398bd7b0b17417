#include "tools/chartdemo/GanttShapeDemoCharts.h"

#include "tools/chartdemo/DemoChartParts.h"
#include "tools/chartdemo/DemoCharts.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/series/TChartShape.h"
#include "chart/series/TFastLineSeries.h"
#include "chart/series/TGanttSeries.h"

#include <QString>
#include <QStringList>

#include <iterator>

namespace GanttShapeDemoCharts {

using DemoChartParts::Add;
using DemoChartParts::NewChart;

std::unique_ptr<TChart> RunScheduleChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Run schedule, cell 2"),
                        QStringLiteral("Time since start (h)"), QStringLiteral("Step"));
  auto* Plan = Add<TGanttSeries>(*Chart, QStringLiteral("Run"), clNavy);
  // Hours, not dates: the run is shorter than a day.
  Plan->GetStartValues().SetDateTime(false);
  Plan->GetEndValues().SetDateTime(false);
  Plan->GetPointer().SetVertSize(9);
  Plan->GetConnectingPen().SetColor(clGray);
  Plan->GetConnectingPen().SetWidth(2);
  // The rows carry the step names; marks would hide the short steps.
  Plan->GetMarks().SetVisible(false);
  const struct {
    const char* Step;
    double Start;
    double End;
    TColor Color;
  } Steps[] = {{"Equilibration", 0, 1.0, clSilver},     {"Acceleration", 1.0, 1.4, clMaroon},
               {"Absorbance scans", 1.4, 9.5, clNavy},  {"Interference scans", 1.4, 9.5, clTeal},
               {"dc/dt and g(s*)", 2.0, 10.2, clGreen}, {"Report", 10.2, 11.0, clPurple}};
  const int Count = static_cast<int>(std::size(Steps));
  for (int I = 0; I < Count; ++I)
    Plan->AddGanttColor(Steps[I].Start, Steps[I].End, Count - I, QString::fromLatin1(Steps[I].Step),
                        Steps[I].Color);
  // Equilibration -> acceleration -> scans; the analysis -> the report.
  Plan->GetNextTask().SetValue(0, 1);
  Plan->GetNextTask().SetValue(1, 2);
  Plan->GetNextTask().SetValue(4, 5);
  Chart->GetLeftAxis()->SetMinMax(0, Count + 1);
  Chart->GetBottomAxis()->SetMinMax(-0.5, 12);
  Chart->GetLegend().SetVisible(false);
  return Chart;
}

namespace {

TChartShape* Note(TChart& Chart, TChartShapeStyle Style, TColor Color, double X0, double Y0,
                  double X1, double Y1, const QStringList& Text) {
  auto* S = Add<TChartShape>(Chart, Text.isEmpty() ? QStringLiteral("Shape") : Text.first(), Color);
  S->SetStyle(Style);
  S->SetX0(X0);
  S->SetY0(Y0);
  S->SetX1(X1);
  S->SetY1(Y1);
  S->SetText(Text);
  S->GetFont().SetSize(9);
  return S;
}

}  // namespace

std::unique_ptr<TChart> AnnotatedScanChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Scan 40, annotated"),
                        QStringLiteral("Radius (cm)"), QStringLiteral("Absorbance (OD)"));
  const DemoCharts::TScans Scans = DemoCharts::RawScans(80, 800);
  auto* Scan = Add<TFastLineSeries>(*Chart, QStringLiteral("Scan 40"), clNavy);
  for (size_t I = 0; I < Scans.Radius.size(); ++I)
    Scan->AddXY(Scans.Radius[I], Scans.Absorbance[39][I]);
  const double Low = Scan->GetYValues().MinValue();
  const double High = Scan->GetYValues().MaxValue();
  const double Left = Scan->GetXValues().MinValue();
  const double Right = Scan->GetXValues().MaxValue();
  const double Span = Right - Left;
  const double Rise = High - Low;

  // The plateau: a hollow box over the last fifth of the cell.
  TChartShape* Plateau = Note(*Chart, chasRectangle, clGreen, Right - Span * 0.2, Low + Rise * 0.55,
                              Right, Low + Rise * 1.02, {"Plateau"});
  Plateau->SetTransparent(true);
  Plateau->GetPen().SetColor(clGreen);
  Plateau->GetPen().SetWidth(2);
  Plateau->SetVertAlign(vaTop);
  Plateau->GetFont().SetColor(clGreen);
  // The meniscus: a vertical line near the inner end.
  TChartShape* Meniscus =
      Note(*Chart, chasVertLine, clRed, Left + Span * 0.02, Low, Left + Span * 0.02, High, {});
  Meniscus->GetPen().SetColor(clRed);
  Meniscus->GetPen().SetWidth(2);
  // The boundary midpoint: a diamond on the half-height.
  Note(*Chart, chasDiamond, clYellow, Left + Span * 0.47, Low + Rise * 0.42, Left + Span * 0.53,
       Low + Rise * 0.58, {});
  // A note in a box with a gradient, and a pointer under it.
  TChartShape* Box =
      Note(*Chart, chasRectangle, clWhite, Left + Span * 0.08, Low + Rise * 0.95,
           Left + Span * 0.38, Low + Rise * 0.7, {"Boundary at 6.52 cm", "s* = 4.4 S"});
  Box->SetRoundRectangle(false);
  Box->GetGradient().SetVisible(true);
  Box->GetGradient().SetStartColor(clWhite);
  Box->GetGradient().SetEndColor(static_cast<TColor>(0x00E0FFFF));
  Box->SetAlignment(taLeftJustify);
  Note(*Chart, chasInvertTriangle, clMaroon, Left + Span * 0.22, Low + Rise * 0.66,
       Left + Span * 0.26, Low + Rise * 0.6, {});
  // Baseline and a circle round the inner spike.
  TChartShape* Base =
      Note(*Chart, chasHorizLine, clGray, Left, Low + Rise * 0.03, Right, Low + Rise * 0.03, {});
  Base->GetPen().SetStyle(psDash);
  TChartShape* Spike = Note(*Chart, chasCircle, clRed, Left + Span * 0.0, Low - Rise * 0.02,
                            Left + Span * 0.06, Low + Rise * 0.12, {});
  Spike->SetTransparent(true);
  Spike->GetPen().SetColor(clRed);
  Chart->GetLegend().SetVisible(false);
  return Chart;
}

}  // namespace GanttShapeDemoCharts
