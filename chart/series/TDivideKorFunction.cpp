#include "chart/series/TDivideKorFunction.h"

void TDivideKorFunction::CalculateValue(double& Result, double Value) {
  if (Value != 0) Result /= Value;
}
