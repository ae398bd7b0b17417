#include "chart/core/TChartSeriesList.h"

#include "chart/core/TSeriesGroup.h"

TChartSeriesList::TChartSeriesList(TCustomAxisPanel* AOwner)
    : TCustomSeriesList(AOwner), FGroups(AOwner) {}

TChartSeriesList::~TChartSeriesList() = default;

TSeriesGroup* TChartSeriesList::AddGroup(const QString& AName) {
  TSeriesGroup* Group = FGroups.Add();
  Group->SetName(AName);
  return Group;
}
