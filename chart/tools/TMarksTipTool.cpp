#include "chart/tools/TMarksTipTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/ScopeGuard.h"
#include "platform/TApplicationHints.h"

const TPropertyList& TMarksTipTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TMarksTipTool;
  static const TPropertyList List(
      TKorCustomToolSeries::Properties(),
      {
          PP::Enum<C, TMarkToolMouseAction>(QStringLiteral("MouseAction"), &C::GetMouseAction,
                                            &C::SetMouseAction, {"mtmMove", "mtmClick"}, mtmMove),
          PP::Integer<C>(QStringLiteral("MouseDelay"), &C::GetMouseDelay, &C::SetMouseDelay, 500),
          PP::Enum<C, TSeriesMarksStyle>(
              QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
              {"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue",
               "smsLegend", "smsPercentTotal", "smsLabelPercentTotal", "smsXValue", "smsXY"},
              smsLabel),
      });
  return List;
}

void TMarksTipTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TMarksTipTool*>(&Source)) {
    SetMouseAction(Other->FMouseAction);
    FStyle = Other->FStyle;
    SetSeries(Other->GetSeries());
  }
  TKorCustomToolSeries::Assign(Source);
}

QString TMarksTipTool::Description() const {
  return Korproco::KorMsg_MarksTipTool;
}

void TMarksTipTool::SetMouseAction(TMarkToolMouseAction Value) {
  if (!SetIfChanged(FMouseAction, Value)) return;
  CancelHint();
}

int TMarksTipTool::GetMouseDelay() const {
  return TApplicationHints::GetHintPause();
}

void TMarksTipTool::SetMouseDelay(int Value) {
  TApplicationHints::SetHintPause(Value);
}

void TMarksTipTool::SetActive(bool Value) {
  TKorCustomToolSeries::SetActive(Value);
  if (!Value) CancelHint();
}

void TMarksTipTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift,
                                    int X, int Y) {
  TKorCustomToolSeries::ChartMouseEvent(AEvent, Button, Shift, X, Y);
  const bool Acts = (FMouseAction == mtmMove && AEvent == cmeMove) ||
                    (FMouseAction == mtmClick && AEvent == cmeDown);
  TCustomAxisPanel* Chart = TipChart();
  if (!Acts || Chart == nullptr) return;
  int Index = -1;
  TChartSeries* S = PointAt(*Chart, X, Y, Index);
  if (S == nullptr) {
    // Several tips on one chart each see "no point" over the others'
    // points; only a lone tip may take the hint away.
    if (!HasOtherTipTool(*Chart)) CancelHint();
    return;
  }
  QString Text = TipText(*Chart, *S, Index);
  if (OnGetText) OnGetText(this, Text);
  if (Text != Chart->GetHint()) ShowTip(*Chart, Text, X, Y);
}

TCustomAxisPanel* TMarksTipTool::TipChart() const {
  if (const TChartSeries* S = GetSeries()) return S->GetParentChart();
  return GetParentChart();
}

TChartSeries* TMarksTipTool::PointAt(TCustomAxisPanel& Chart, int X, int Y, int& Index) const {
  if (TChartSeries* S = GetSeries()) {
    Index = S->Clicked(X, Y);
    return Index >= 0 ? S : nullptr;
  }
  for (int I = Chart.SeriesCount() - 1; I >= 0; --I) {
    TChartSeries* S = Chart.GetSeries(I);
    if (!S->GetActive()) continue;
    Index = S->Clicked(X, Y);
    if (Index >= 0) return S;
  }
  return nullptr;
}

QString TMarksTipTool::TipText(TCustomAxisPanel& Chart, TChartSeries& Series, int Index) const {
  TSeriesMarks& Marks = Series.GetMarks();
  const TSeriesMarksStyle OldStyle = Marks.GetStyle();
  const bool OldAutoRepaint = Chart.GetAutoRepaint();
  // Borrowing the marks' style must not repaint the chart.
  Chart.SetAutoRepaint(false);
  TScopeGuard Restore([&] {
    Marks.SetStyle(OldStyle);
    Chart.SetAutoRepaint(OldAutoRepaint);
  });
  Marks.SetStyle(FStyle);
  return Series.GetMarkText(Index);
}

void TMarksTipTool::ShowTip(TCustomAxisPanel& Chart, const QString& Text, int X, int Y) {
  TApplicationHints::CancelHint();
  Chart.SetShowHint(true);
  Chart.SetHint(Text);
  TApplicationHints::ActivateHint(Chart, TPoint(X, Y));
}

bool TMarksTipTool::HasOtherTipTool(const TCustomAxisPanel& Chart) const {
  for (const TKorCustomTool* Tool : Chart.GetTools())
    if (Tool != this && Tool->GetActive() && dynamic_cast<const TMarksTipTool*>(Tool) != nullptr)
      return true;
  return false;
}

void TMarksTipTool::CancelHint() {
  if (OnCancelHint) OnCancelHint(this);
  TCustomAxisPanel* Chart = TipChart();
  if (Chart == nullptr) return;
  const bool HadHint = !Chart->GetHint().isEmpty();
  Chart->SetHint(QString());
  if (HadHint) TApplicationHints::CancelHint();
}
