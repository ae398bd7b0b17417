#include "chart/series/TManySeriesKorFunction.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"

double TManySeriesKorFunction::CalculateMany(const std::vector<TComponent*>& SourceSeriesList,
                                             int ValueIndex) {
  double Result = 0;
  bool Started = false;
  for (TComponent* Component : SourceSeriesList) {
    const auto* Source = dynamic_cast<const TChartSeries*>(Component);
    if (Source == nullptr || ValueIndex >= Source->Count()) continue;
    const double Value = ValueList(Source).GetValue(ValueIndex);
    if (Started) {
      CalculateValue(Result, Value);
    } else {
      Result = Value;
      Started = true;
    }
  }
  return Result;
}
