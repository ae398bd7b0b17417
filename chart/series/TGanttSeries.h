#pragma once

#include "chart/series/TPointSeries.h"

#include "platform/TColor.h"

#include <QString>

class TChartPen;
class TChartValueList;

// Render: a task plan. Each point is a horizontal bar (the pointer
// stretched) from its start to its end date on the row of its Y value,
// optionally joined to a following task by an elbow line in the
// connecting pen. Starts are the X values, which give the point its
// value, so the series lies along the horizontal axis.
//
// Points keep the order they were added in (no sorting by start): the
// next-task values refer to points by index.
class TGanttSeries : public TPointSeries {
 public:
  explicit TGanttSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TGanttSeries"); }
  const TPropertyList& Properties() const override;
  QString GetEditorClass() const override { return QStringLiteral("TGanttSeriesEditor"); }

  // -- properties

  TChartValueList& GetStartValues() const { return GetXValues(); }
  void SetStartValues(const TChartValueList& Value) { SetXValues(Value); }
  TChartValueList& GetEndValues() const { return *FEndValues; }
  void SetEndValues(const TChartValueList& Value);
  // Index of the following task; -1 (or any index outside the points)
  // for none.
  TChartValueList& GetNextTask() const { return *FNextTask; }
  void SetNextTask(const TChartValueList& Value);
  // The series' line pen.
  TChartPen& GetConnectingPen() const { return GetLinePen(); }
  void SetConnectingPen(const TChartPen& Value) { SetLinePen(Value); }

  // -- adding (each returns the new index)

  // A task without a following task.
  int AddXY(double AXValue, double AYValue, const QString& ALabel = QString(),
            TColor AColor = clDefault) override;
  int AddGanttColor(double AStart, double AEnd, double AY, const QString& ALabel, TColor AColor);
  int AddGantt(double AStart, double AEnd, double AY, const QString& ALabel = QString()) {
    return AddGanttColor(AStart, AEnd, AY, ALabel, clDefault);
  }

  // -- overrides

  double MaxXValue() const override;
  // Whether (X, Y) lies on the bar from the start pixel PX to the end
  // pixel (both included) within the pointer's vertical size of PY.
  bool ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y) override;
  void DrawValue(int ValueIndex) override;
  void DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) override;
  bool IsValidSourceOf(const TChartSeries* Value) const override;
  void PrepareForGallery(bool IsEnabled) override;
  void AddSampleValues(int NumValues, bool OnlyMandatory = false) override;

 private:
  int EndPixel(int ValueIndex) const;
  // The valid index of the task following ValueIndex, else -1.
  int NextTaskIndex(int ValueIndex) const;
  void DrawConnection(int ValueIndex, int Next);
  // The first task before Index without a following task that ends
  // before Start takes Index as its following task.
  void LinkEarlierTask(int Index, double Start);
  TChartValueList* StartValuesObject() { return &GetXValues(); }
  TChartValueList* EndValuesObject() { return FEndValues; }
  TChartValueList* NextTaskObject() { return FNextTask; }
  TChartPen* ConnectingPenObject() { return &GetLinePen(); }

  TChartValueList* FEndValues = nullptr;  // owned by the series' value lists
  TChartValueList* FNextTask = nullptr;   // owned by the series' value lists
};
