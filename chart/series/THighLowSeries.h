#pragma once

#include "chart/core/TChartSeries.h"

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>
#include <QStringList>

#include <memory>

class TChartBrush;
class TChartPen;
class TChartValueList;

// Render: a band between two lines, the high values (the Y list) and the
// low values, filled segment by segment with the high brush where high is
// above low and with the low brush elsewhere, with an optional vertical
// line joining each point's high and low values.
class THighLowSeries : public TChartSeries {
 public:
  explicit THighLowSeries(TComponent* AOwner);
  ~THighLowSeries() override;

  QString ClassName() const override { return QStringLiteral("THighLowSeries"); }
  const TPropertyList& Properties() const override;
  // From another high-low series its pens, low brush and transparency,
  // then the series part.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("THighLowEditor"); }

  TChartValueList& GetHighValues() const { return GetYValues(); }
  void SetHighValues(const TChartValueList& Value) { SetYValues(Value); }
  TChartValueList& GetLowValues() const { return *FLow; }
  void SetLowValues(const TChartValueList& Value);
  TChartPen& GetHighPen() const { return *FHighPen; }
  void SetHighPen(const TChartPen& Value);
  TChartPen& GetLowPen() const { return *FLowPen; }
  void SetLowPen(const TChartPen& Value);
  // The series brush.
  TChartBrush& GetHighBrush() const { return GetBrush(); }
  void SetHighBrush(const TChartBrush& Value) { SetBrush(Value); }
  TChartBrush& GetLowBrush() const { return *FLowBrush; }
  void SetLowBrush(const TChartBrush& Value);
  // 0 (opaque) to 100.
  int GetTransparency() const { return FTransparency; }
  void SetTransparency(int Value);

  // Adds a point at X with both values; returns the new index.
  int AddHighLow(double AX, double AHigh, double ALow, const QString& ALabel = QString(),
                 TColor AColor = clDefault);

  double MaxYValue() const override;
  double MinYValue() const override;
  bool IsValidSourceOf(const TChartSeries* Value) const override;

  void DrawValue(int ValueIndex) override;
  // The first visible point from the second on whose band segment (from
  // the point before) holds (X, Y), or -1.
  int Clicked(int X, int Y) const override;
  // After the inherited entries: "Filled", "No Lines", "No High", "No Low".
  QStringList CreateSubGallery() const override;
  void SetSubGallery(int Index) override;
  void AddSampleValues(int NumValues, bool OnlyMandatory = false) override;

 private:
  // Chart pixels of point ValueIndex: X, high and low.
  void CalcPoint(int ValueIndex, int& X, int& High, int& Low) const;
  void DrawSegment(int ValueIndex, int X, int High, int Low);
  void DrawLine(const TChartPen& Pen, const TPoint& From, const TPoint& To);
  TChartValueList* HighValuesObject() { return &GetYValues(); }
  TChartValueList* LowValuesObject() { return FLow; }
  TChartPen* HighPenObject() { return FHighPen.get(); }
  TChartPen* LowPenObject() { return FLowPen.get(); }
  TChartBrush* HighBrushObject() { return &GetBrush(); }
  TChartBrush* LowBrushObject() { return FLowBrush.get(); }

  TChartValueList* FLow = nullptr;  // owned by the series' value lists
  std::unique_ptr<TChartPen> FHighPen;
  std::unique_ptr<TChartPen> FLowPen;
  std::unique_ptr<TChartBrush> FLowBrush;
  int FTransparency = 0;
  // caches: the point drawn before, during one drawing pass
  int FPreviousX = 0;
  int FPreviousHigh = 0;
  int FPreviousLow = 0;
};
