#include "chart/core/TSeriesMarkPosition.h"

void TSeriesMarkPosition::Assign(const TSeriesMarkPosition& Source) {
  ArrowFrom = Source.ArrowFrom;
  ArrowTo = Source.ArrowTo;
  LeftTop = Source.LeftTop;
  Height = Source.Height;
  Width = Source.Width;
}
