#include "chart/series/TMultiplyKorFunction.h"

void TMultiplyKorFunction::CalculateValue(double& Result, double Value) {
  Result *= Value;
}
