#include "chart/core/TChartFootTitle.h"

#include "chart/core/TKorFont.h"

TChartFootTitle::TChartFootTitle(TCustomChart* AChart) : TChartTitle(AChart) {
  SetOnTop(false);
  GetFont().SetColor(clRed);
  GetFont().SetDefaultColor(clRed);
  GetFont().SetStyle({fsItalic});
  GetFont().SetDefaultStyle({fsItalic});
}
