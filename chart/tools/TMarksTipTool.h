#pragma once

#include "chart/core/TChartSeries.h"
#include "chart/core/TKorCustomToolSeries.h"

#include "platform/TPersistent.h"

#include <QString>

#include <functional>

// Whether the tip follows the mouse or appears on a click.
enum TMarkToolMouseAction { mtmMove, mtmClick };

class TMarksTipTool;

// Text is the tip about to be shown; the handler may change it.
using TMarksTipGetText = std::function<void(TMarksTipTool* Sender, QString& Text)>;

// Interaction: shows the mark text of the point under the mouse as the
// chart's hint, through the application's hint window.
class TMarksTipTool : public TKorCustomToolSeries {
 public:
  explicit TMarksTipTool(TComponent* AOwner) : TKorCustomToolSeries(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TMarksTipTool"); }
  const TPropertyList& Properties() const override;
  void Assign(const TPersistent& Source) override;
  QString Description() const override;
  QString GetEditorClass() const override { return QStringLiteral("TMarksTipToolEdit"); }

  // A change cancels the hint.
  TMarkToolMouseAction GetMouseAction() const { return FMouseAction; }
  void SetMouseAction(TMarkToolMouseAction Value);
  // The application's hint pause (milliseconds), read and written
  // directly: every marks tip shares it.
  int GetMouseDelay() const;
  void SetMouseDelay(int Value);
  // The marks style the tip text is read with.
  TSeriesMarksStyle GetStyle() const { return FStyle; }
  void SetStyle(TSeriesMarksStyle Value) { FStyle = Value; }
  // Switching the tool off cancels the hint.
  void SetActive(bool Value) override;

  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  TNotifyEvent OnCancelHint;
  TMarksTipGetText OnGetText;

 private:
  // The series' chart when a series is set, else the tool's.
  TCustomAxisPanel* TipChart() const;
  // The point at (X, Y): of the tool's series, else the first hit among
  // the chart's active series from the last to the first.
  TChartSeries* PointAt(TCustomAxisPanel& Chart, int X, int Y, int& Index) const;
  // The mark text of the point in the tool's style.
  QString TipText(TCustomAxisPanel& Chart, TChartSeries& Series, int Index) const;
  void ShowTip(TCustomAxisPanel& Chart, const QString& Text, int X, int Y);
  // Another active marks tip on Chart answers for its own points.
  bool HasOtherTipTool(const TCustomAxisPanel& Chart) const;
  void CancelHint();

  TMarkToolMouseAction FMouseAction = mtmMove;
  TSeriesMarksStyle FStyle = smsLabel;
};
