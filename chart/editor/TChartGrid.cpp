#include "chart/editor/TChartGrid.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomChart.h"

#include "platform/TPersistent.h"

const TPropertyList& TChartGrid::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartGrid;
  static const TPropertyList List(
      TCustomControl::Properties(),
      {
          PP::Component<C>(QStringLiteral("Chart"), &C::GetChartName, &C::SetChartName),
          PP::Component<C>(QStringLiteral("Series"), &C::GetSeriesName, &C::SetSeriesName),
          PP::Boolean<C>(QStringLiteral("ShowColors"), &C::GetShowColors, &C::SetShowColors, false),
          PP::Boolean<C>(QStringLiteral("ShowLabels"), &C::GetShowLabels, &C::SetShowLabels, true),
          PP::Enum<C, TChartGridShow>(QStringLiteral("ShowXValues"), &C::GetShowXValues,
                                      &C::SetShowXValues, {"cgsAuto", "cgsNo", "cgsYes"}, cgsAuto),
      });
  return List;
}

TComponent* TChartGrid::FindSibling(const QString& Name) const {
  if (Name.isEmpty() || GetOwner() == nullptr) return nullptr;
  return GetOwner()->FindComponent(Name.toStdString());
}

QString TChartGrid::GetChartName() const {
  return GetChart() != nullptr ? QString::fromStdString(GetChart()->GetName()) : QString();
}

void TChartGrid::SetChartName(const QString& Value) {
  SetChart(dynamic_cast<TCustomChart*>(FindSibling(Value)));
}

QString TChartGrid::GetSeriesName() const {
  return GetSeries() != nullptr ? QString::fromStdString(GetSeries()->GetName()) : QString();
}

void TChartGrid::SetSeriesName(const QString& Value) {
  TChartSeries* S = dynamic_cast<TChartSeries*>(FindSibling(Value));
  // Clearing an unset series must not forget the chart.
  if (S != nullptr || GetSeries() != nullptr) SetSeries(S);
}
