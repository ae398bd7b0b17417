#include "chart/editor/TChartChart.h"

#include "platform/ClassRegistry.h"

void RegisterChartChartClasses() {
  RegisterClass(ClassInfoOf<TChartChart>());
  RegisterClass(ClassInfoOf<TODBCChart>());
}

void UnRegisterChartChartClasses() {
  UnRegisterClass(ClassInfoOf<TChartChart>());
  UnRegisterClass(ClassInfoOf<TODBCChart>());
}
