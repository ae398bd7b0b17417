#include "chart/series/TSubtractKorFunction.h"

void TSubtractKorFunction::CalculateValue(double& Result, double Value) {
  Result -= Value;
}
