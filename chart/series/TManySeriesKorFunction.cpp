#include "chart/series/TManySeriesKorFunction.h"

double TManySeriesKorFunction::CalculateMany(const std::vector<TComponent*>& SourceSeriesList,
                                             int ValueIndex) {
  return CombineSources(SourceSeriesList, ValueIndex, [this](double Result, double Value) {
    CalculateValue(Result, Value);
    return Result;
  });
}
