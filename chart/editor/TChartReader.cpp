#include "chart/editor/TChartReader.h"

bool TChartReader::Error(const QString& Message) {
  return !FCheck || FCheck(Message);
}

bool TChartReader::IgnoreEventHandler(const QString&, const QString&) {
  return true;
}
