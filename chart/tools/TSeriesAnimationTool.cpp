#include "chart/tools/TSeriesAnimationTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <utility>

// The run in progress, on Execute's stack. Whoever ends the run (Execute,
// Stop's pass, the free notice of the series or the tool's destructor)
// sets Ended; Execute then returns without touching the tool, which may
// have been freed.
struct TSeriesAnimationTool::TRun {
  TChartSeries* Series = nullptr;  // not owned
  // The series as the component whose free notice ends the run.
  TComponent* SeriesComponent = nullptr;
  TCustomAxisPanel* Chart = nullptr;
  // The chart's window; when it goes away (closed and freed) the run ends.
  QPointer<QWidget> Window;
  bool HadWindow = false;
  bool Ended = false;
};

TSeriesAnimationTool::TSeriesAnimationTool(TComponent* AOwner) : TKorCustomToolSeries(AOwner) {}

TSeriesAnimationTool::~TSeriesAnimationTool() {
  Destroying();
  // Not told of the series' end, so the series is still there.
  EndRun(true);
}

const TPropertyList& TSeriesAnimationTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TSeriesAnimationTool;
  static const TPropertyList List(
      TKorCustomToolSeries::Properties(),
      {
          PP::Integer<C>(QStringLiteral("DrawEvery"), &C::GetDrawEvery, &C::SetDrawEvery, 0),
          PP::Enum<C, TSeriesAnimationLoop>(QStringLiteral("Loop"), &C::GetLoop, &C::SetLoop,
                                            {"salNo", "salOneWay", "salCircular"}, salNo),
          PP::Boolean<C>(QStringLiteral("StartAtMin"), &C::GetStartAtMin, &C::SetStartAtMin, true),
          PP::Double<C>(QStringLiteral("StartValue"), &C::GetStartValue, &C::SetStartValue, 0.0),
          PP::Integer<C>(QStringLiteral("Steps"), &C::GetSteps, &C::SetSteps, 100),
      });
  return List;
}

void TSeriesAnimationTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TSeriesAnimationTool*>(&Source)) {
    FDrawEvery = Other->FDrawEvery;
    FLoop = Other->FLoop;
    FStartAtMin = Other->FStartAtMin;
    FStartValue = Other->FStartValue;
    FSteps = Other->FSteps;
    SetSeries(Other->GetSeries());
  }
  TKorCustomToolSeries::Assign(Source);
}

QString TSeriesAnimationTool::Description() const {
  return Korproco::KorMsg_SeriesAnimTool;
}

void TSeriesAnimationTool::SetSeries(TChartSeries* Value) {
  if (FRun != nullptr && Value != FRun->Series) EndRun(true);
  TKorCustomToolSeries::SetSeries(Value);
}

void TSeriesAnimationTool::Notification(TComponent* AComponent, TOperation Operation) {
  // The series is already half gone: no values go back into it.
  if (Operation == TOperation::opRemove && FRun != nullptr && AComponent == FRun->SeriesComponent)
    EndRun(false);
  TKorCustomToolSeries::Notification(AComponent, Operation);
}

void TSeriesAnimationTool::Execute() {
  TChartSeries* S = GetSeries();
  if (S == nullptr || GetRunning()) return;
  TRun Run;
  Run.Series = S;
  Run.SeriesComponent = S;
  Run.Chart = S->GetParentChart();
  if (Run.Chart != nullptr) Run.Window = Run.Chart->GetWidget();
  Run.HadWindow = !Run.Window.isNull();
  const TChartValueList& Values = S->GetMandatory();
  FRealValues.assign(Values.Data(), Values.Data() + Values.Count());
  S->BeginUpdate();
  FStopped = false;
  FRun = &Run;
  bool Forward = true;
  TPassEnd End;
  do {
    End = RunPass(Run, Forward);
    Forward = !Forward;
  } while (End == TPassEnd::Done && FLoop != salNo && !FStopped);
  if (End != TPassEnd::Ended) EndRun(true);
}

TSeriesAnimationTool::TPassEnd TSeriesAnimationTool::RunPass(TRun& Run, bool Forward) {
  TChartSeries& S = *Run.Series;
  double Start = FStartValue;
  if (FStartAtMin && !FRealValues.empty())
    Start = *std::min_element(FRealValues.begin(), FRealValues.end());
  TChartValueList& Values = S.GetMandatory();
  for (int I = 0; I < Values.Count(); ++I) Values.SetValue(I, Start);
  if (!Redraw(Run)) return TPassEnd::Ended;
  const int Count = static_cast<int>(FRealValues.size());
  const int Group = FDrawEvery < 1 ? Count : FDrawEvery;
  for (int First = 0; First < Count; First += Group) {
    const TPassEnd End = GrowGroup(Run, First, std::min(First + Group, Count), Start, Forward);
    if (End != TPassEnd::Done) return End;
  }
  RestoreValues(S);
  return Redraw(Run) ? TPassEnd::Done : TPassEnd::Ended;
}

TSeriesAnimationTool::TPassEnd TSeriesAnimationTool::GrowGroup(TRun& Run, int First, int Last,
                                                               double Start, bool Forward) {
  const int Steps = std::max(1, FSteps);
  const bool Shrink = FLoop == salCircular && !Forward;
  for (int E = 0; E <= Steps; ++E) {
    const double F = static_cast<double>(E) / Steps;
    TChartValueList& Values = Run.Series->GetMandatory();
    // A step handler may have deleted points.
    const int End = std::min(Last, Values.Count());
    for (int I = First; I < End; ++I) {
      const double Real = FRealValues[static_cast<size_t>(I)];
      Values.SetValue(I, Shrink ? (Steps - E) * Real / Steps : F * Real + Start * (1 - F));
    }
    if (OnStep) {
      // The handler may free the tool, and with it OnStep itself.
      const TSeriesAnimationStep Handler = OnStep;
      Handler(this, E);
    }
    if (Run.Ended || !Redraw(Run)) return TPassEnd::Ended;
    if (FStopped) {
      RestoreValues(*Run.Series);
      return Redraw(Run) ? TPassEnd::Stopped : TPassEnd::Ended;
    }
  }
  return TPassEnd::Done;
}

bool TSeriesAnimationTool::Redraw(TRun& Run) {
  if (Run.Ended) return false;
  TCustomAxisPanel* Chart = Run.Series->GetParentChart();
  if (Chart != nullptr) Chart->Invalidate();
  QCoreApplication::processEvents();
  if (Run.Ended) return false;
  // The window was closed and freed, or the series left its chart: nobody
  // watches the run any more.
  if ((Run.HadWindow && Run.Window.isNull()) || Run.Series->GetParentChart() != Run.Chart) {
    EndRun(true);
    return false;
  }
  return true;
}

void TSeriesAnimationTool::RestoreValues(TChartSeries& Series) const {
  TChartValueList& Values = Series.GetMandatory();
  const int Count = std::min(Values.Count(), static_cast<int>(FRealValues.size()));
  for (int I = 0; I < Count; ++I) Values.SetValue(I, FRealValues[static_cast<size_t>(I)]);
}

void TSeriesAnimationTool::EndRun(bool SeriesAlive) {
  FStopped = true;
  TRun* Run = std::exchange(FRun, nullptr);
  if (Run == nullptr) return;
  Run->Ended = true;
  TChartSeries* S = Run->Series;
  if (SeriesAlive && !S->InState(csDestroying)) {
    RestoreValues(*S);
    S->EndUpdate();
    S->Repaint();
  }
  FRealValues.clear();
}
