#pragma once

#include "platform/TComponent.h"
#include "platform/TPersistent.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class TChartSeries;
class TChartValueList;
class TCustomAxisPanel;

// How a function groups the points of its source: by a number of points,
// or by ranges of the X value.
enum TFunctionPeriodStyle { psNumPoints, psRange };
// Where the result of a period is placed: at its first, centre or last X.
enum TFunctionPeriodAlign { paFirst, paCenter, paLast };

// Data: turns the points of one or more source series into the points of
// its parent series, one result per period (all points at once when Period
// is 0). Concrete functions compute Calculate (one period) or
// CalculateMany (one index over several sources). The parent series holds
// the function and calls AddPoints whenever its sources change.
class TKorFunction : public TComponent, public TPersistent {
 public:
  explicit TKorFunction(TComponent* AOwner);
  ~TKorFunction() override;

  QString ClassName() const override { return QStringLiteral("TKorFunction"); }
  const TPropertyList& Properties() const override;
  // Period, PeriodStyle and PeriodAlign of another function.
  void Assign(const TPersistent& Source) override;

  double GetPeriod() const { return FPeriod; }
  // Raises ChartException for a negative period.
  void SetPeriod(double Value);
  TFunctionPeriodStyle GetPeriodStyle() const { return FPeriodStyle; }
  void SetPeriodStyle(TFunctionPeriodStyle Value);
  TFunctionPeriodAlign GetPeriodAlign() const { return FPeriodAlign; }
  void SetPeriodAlign(TFunctionPeriodAlign Value);
  TChartSeries* GetParentSeries() const { return FParent; }
  void SetParentSeries(TChartSeries* Value);
  bool GetCanUsePeriod() const { return FCanUsePeriod; }
  bool GetNoSourceRequired() const { return FNoSourceRequired; }
  bool GetSingleSource() const { return FSingleSource; }
  bool GetUpdating() const { return FUpdating; }

  // Streaming: the function's parent is its series.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // Entry from the parent series: recomputes its points from Source (none
  // for a function that needs no source).
  virtual void AddPoints(TChartSeries* Source);
  // Source, the parent's only source, gained the point at ValueIndex after
  // its last one: computes what that point changes in the parent's points,
  // which the last computation left as it made them. False, with nothing
  // done, when this takes a computation of all points.
  bool AddedPoint(TChartSeries* Source, int ValueIndex);
  // Asks the parent to refill itself (not while updating).
  void ReCalculate();
  void BeginUpdate() { FUpdating = true; }
  // Recalculates when an update was open.
  void EndUpdate();
  // Called by the parent's Clear; nothing here.
  virtual void Clear() {}
  // Whether the function accepts Value as a source series.
  virtual bool IsValidSource(const TChartSeries* Value) const;
  // The source list the function reads: the one the parent's mandatory
  // list names as its value source, else the source's mandatory list.
  TChartValueList& ValueList(const TChartSeries* Source) const;
  // The values at ValueIndex of the sources that have that point, folded
  // from the first with Combine(result so far, next value); 0 when none
  // has it.
  double CombineSources(const std::vector<TComponent*>& SourceSeriesList, int ValueIndex,
                        const std::function<double(double, double)>& Combine) const;
  // Adds (Position, Value) to the parent, or (Value, Position) when the
  // source is not Y-mandatory.
  void AddFunctionXY(bool YMandatorySource, double Value, double Position);
  virtual QString GetEditorClass() const { return QStringLiteral("TKorFunctionEditor"); }
  // Every series of Chart prepares itself as a gallery sample.
  virtual void PrepareForGallery(TCustomAxisPanel* Chart);

  // The value of one period (First = Last = -1: all points); 0 here.
  virtual double Calculate(TChartSeries* Source, int First, int Last);
  // The value at one index over several sources; 0 here.
  virtual double CalculateMany(const std::vector<TComponent*>& SourceSeriesList, int ValueIndex);

 protected:
  virtual void CalculatePeriod(TChartSeries* Source, int First, int Last, double Position);
  virtual void CalculateAllPoints(TChartSeries* Source, const TChartValueList& NotMandatory);
  virtual void CalculateByPeriod(TChartSeries* Source, const TChartValueList& NotMandatory);
  virtual void DoCalculation(TChartSeries* Source, const TChartValueList& NotMandatory);
  // Computes the parent's points for the points of Source after the first
  // FResume.Count, the parent holding those of the first Count; false
  // when the calculation cannot continue so (the points of all periods
  // together).
  virtual bool ContinueCalculation(TChartSeries* Source, const TChartValueList& NotMandatory);
  void SetCanUsePeriod(bool Value) { FCanUsePeriod = Value; }
  void SetNoSourceRequired(bool Value) { FNoSourceRequired = Value; }
  void SetSingleSource(bool Value) { FSingleSource = Value; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Where the walk over the periods of a source stands: the first point
  // and the X of the range to compute next, and where the last period that
  // took points started (a range may take more points as they come).
  struct TPeriodWalk {
    int P = 0;
    double X = 0;
    int LastStartP = 0;
    double LastStartX = 0;
    int ParentCountBeforeLast = 0;
  };
  // What the last computation of the parent's points reached, for
  // AddedPoint to go on from.
  struct TResume {
    bool Valid = false;
    const TChartSeries* Source = nullptr;  // not owned
    int Count = 0;                         // points of Source computed
    // The changes of Source's value lists, and of the parent's, as the
    // computation left them.
    std::uint64_t SourceGenerations = 0;
    std::uint64_t ParentGenerations = 0;
    TPeriodWalk Walk;
    int NextMovingIndex = 0;
  };
  TResume& Resume() { return FResume; }

 private:
  // The many-source calculation (the parent has two or more sources).
  void CalculateManySources(TChartSeries* Source);
  // The periods of Source from where Walk stands to its last point.
  void WalkPeriods(TChartSeries* Source, const TChartValueList& NotMandatory, TPeriodWalk& Walk);
  // Whether the points the parent got since the last computation are the
  // last in its lists, so that they can be taken back from the end.
  bool ParentAppendsAtTheEnd(const TChartSeries& Source) const;
  void KeepResume(TChartSeries* Source);
  // The end of the range that starts at X (one period on, calendar-exact
  // on an exact date-time axis).
  double NextRangeStart(double X) const;

  double FPeriod = 0;
  TFunctionPeriodStyle FPeriodStyle = psNumPoints;
  TFunctionPeriodAlign FPeriodAlign = paCenter;
  TChartSeries* FParent = nullptr;  // not owned
  bool FUpdating = false;
  bool FCanUsePeriod = true;
  bool FNoSourceRequired = false;
  bool FSingleSource = false;
  // caches: how far the last computation got; reset by every computation
  TResume FResume;
};

// Data: a function of a moving window of Period points over one source.
class TKorMovingFunction : public TKorFunction {
 public:
  explicit TKorMovingFunction(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TKorMovingFunction"); }
  // Period starts at 1 here, so 1 is what a stream leaves out.
  const TPropertyList& Properties() const override;

 protected:
  void DoCalculation(TChartSeries* Source, const TChartValueList& NotMandatory) override;
  bool ContinueCalculation(TChartSeries* Source, const TChartValueList& NotMandatory) override;

 private:
  // The results of the windows that end at the points From .. Count - 1.
  void CalculateWindows(TChartSeries* Source, const TChartValueList& NotMandatory, int From);
};
