#include "tools/chartdemo/DemoChartParts.h"

#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartTitle.h"

namespace DemoChartParts {

std::unique_ptr<TChart> NewChart(int Width, int Height, const QString& Title, const QString& X,
                                 const QString& Y) {
  auto Chart = std::make_unique<TChart>(nullptr);
  Chart->SetBounds(0, 0, Width, Height);
  Chart->SetView3D(false);
  Chart->SetColor(clWhite);
  Chart->GetTitle().SetCaption(Title);
  Chart->GetBottomAxis()->GetTitle().SetCaption(X);
  Chart->GetLeftAxis()->GetTitle().SetCaption(Y);
  return Chart;
}

}  // namespace DemoChartParts
