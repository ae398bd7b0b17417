#pragma once

#include "chart/core/TKorCustomToolSeries.h"

#include <QString>

#include <functional>
#include <vector>

enum TSeriesAnimationLoop { salNo, salOneWay, salCircular };

class TSeriesAnimationTool;

// Step runs from 0 to the tool's steps within each group of points.
using TSeriesAnimationStep = std::function<void(TSeriesAnimationTool* Sender, int Step)>;

// Interaction: grows a series' values from a start value to their real
// values in steps, redrawing the chart (and letting the program handle its
// pending events) after each step. The real values are kept aside during a
// run and always put back at its end.
//
// A run ends safely however it is interrupted: Stop, freeing the series,
// the tool or the chart, or closing the chart's window (from a step
// handler or from an event handled while the chart redraws). The values
// go back into the series whenever the series still exists.
class TSeriesAnimationTool : public TKorCustomToolSeries {
 public:
  explicit TSeriesAnimationTool(TComponent* AOwner);
  // Ends a run in progress.
  ~TSeriesAnimationTool() override;

  QString ClassName() const override { return QStringLiteral("TSeriesAnimationTool"); }
  const TPropertyList& Properties() const override;
  void Assign(const TPersistent& Source) override;
  QString Description() const override;
  QString GetEditorClass() const override { return QStringLiteral("TSeriesAnimToolEditor"); }

  // Points per group that grow together; kept as set, but below 1 it works
  // as 0 (every point at once).
  int GetDrawEvery() const { return FDrawEvery; }
  void SetDrawEvery(int Value) { FDrawEvery = Value; }
  TSeriesAnimationLoop GetLoop() const { return FLoop; }
  void SetLoop(TSeriesAnimationLoop Value) { FLoop = Value; }
  // Start from the smallest value instead of StartValue.
  bool GetStartAtMin() const { return FStartAtMin; }
  void SetStartAtMin(bool Value) { FStartAtMin = Value; }
  double GetStartValue() const { return FStartValue; }
  void SetStartValue(double Value) { FStartValue = Value; }
  // Kept as set, but below 1 it works as 1.
  int GetSteps() const { return FSteps; }
  void SetSteps(int Value) { FSteps = Value; }
  // A series still in a run is first given its real values back.
  void SetSeries(TChartSeries* Value) override;

  bool GetRunning() const { return !FStopped; }
  // Ends the run after the current step (its values are then restored).
  void Stop() { FStopped = true; }
  // Animates the series; nothing without a series or while running. Loops
  // other than salNo run until Stop.
  virtual void Execute();

  TSeriesAnimationStep OnStep;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct TRun;
  enum class TPassEnd { Done, Stopped, Ended };

  TPassEnd RunPass(TRun& Run, bool Forward);
  TPassEnd GrowGroup(TRun& Run, int First, int Last, double Start, bool Forward);
  // Invalidates the chart and handles pending events; false when the run
  // was ended meanwhile (then the tool may be gone: touch nothing).
  bool Redraw(TRun& Run);
  void RestoreValues(TChartSeries& Series) const;
  // Ends the run in progress: real values back into the series (unless it
  // is being freed), its update bracket closed, the tool idle.
  void EndRun(bool SeriesAlive);

  int FDrawEvery = 0;
  TSeriesAnimationLoop FLoop = salNo;
  bool FStartAtMin = true;
  double FStartValue = 0;
  int FSteps = 100;
  // caches: the run in progress (on Execute's stack; nullptr when idle)
  // and the series' real values during it.
  bool FStopped = true;
  TRun* FRun = nullptr;
  std::vector<double> FRealValues;
};
