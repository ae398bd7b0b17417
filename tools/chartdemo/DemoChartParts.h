#pragma once

#include "chart/core/TChart.h"

#include "platform/TColor.h"

#include <QString>

#include <memory>

// What every demo chart starts from.
namespace DemoChartParts {

// A white 2D chart of Width x Height pixels with a title and the titles of
// its bottom (X) and left (Y) axes.
std::unique_ptr<TChart> NewChart(int Width, int Height, const QString& Title, const QString& X,
                                 const QString& Y);

// A new series of type T on Chart (which owns it), with a title and colour.
template <class T>
T* Add(TChart& Chart, const QString& Title, TColor Color) {
  auto* S = new T(&Chart);
  S->SetTitle(Title);
  Chart.AddSeries(S);
  S->SetSeriesColor(Color);
  return S;
}

}  // namespace DemoChartParts
