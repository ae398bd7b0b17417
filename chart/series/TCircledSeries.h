#pragma once

#include "chart/core/TChartSeries.h"

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <memory>

class TKorGradient;
class TView3DOptions;

// Render: the base of series drawn inside an ellipse centred in the chart
// rather than against axes. Before every drawing pass it fits the ellipse
// (circle rectangle, centre and radii, in chart pixels) to the chart
// rectangle, leaves room for marks and converts between angles (radians,
// counter-clockwise from 3 o'clock) and pixels. While it is active on a
// chart whose surface cannot rotate freely it replaces the chart's 3D view
// with its own and hands the user's view back afterwards.
class TCircledSeries : public TChartSeries {
 public:
  explicit TCircledSeries(TComponent* AOwner);
  ~TCircledSeries() override;

  QString ClassName() const override { return QStringLiteral("TCircledSeries"); }
  const TPropertyList& Properties() const override;
  void Assign(const TPersistent& Source) override;

  // -- properties

  // On: the ellipse is kept round on screen. Every circled series of the
  // chart whose class is this one's or an ancestor's follows.
  bool GetCircled() const { return FCircled; }
  void SetCircled(bool Value);
  // Pixels; 0 sizes the radius from the circle rectangle.
  int GetCustomXRadius() const { return FCustomXRadius; }
  void SetCustomXRadius(int Value);
  int GetCustomYRadius() const { return FCustomYRadius; }
  void SetCustomYRadius(int Value);
  // Degrees, kept in 0 .. 359.
  int GetRotationAngle() const { return FRotationAngle; }
  void SetRotationAngle(int Value);
  void Rotate(int Angle);
  TColor GetCircleBackColor() const { return FCircleBackColor; }
  void SetCircleBackColor(TColor Value);
  TKorGradient& GetCircleGradient() const { return *FCircleGradient; }
  void SetCircleGradient(const TKorGradient& Value);

  // -- geometry of the current drawing pass (chart pixels)

  int GetXRadius() const { return FXRadius; }
  int GetYRadius() const { return FYRadius; }
  int GetCircleWidth() const { return FCircleWidth; }
  int GetCircleHeight() const { return FCircleHeight; }
  int GetCircleXCenter() const { return FCircleXCenter; }
  int GetCircleYCenter() const { return FCircleYCenter; }
  const TRect& GetCircleRect() const { return FCircleRect; }
  // The circle rectangle is set and adjusted (see AdjustCircleRect).
  void SetCircleRect(const TRect& Value);
  double GetRotationRadians() const { return FRotationRadians; }

  bool HasBackColor() const;
  // The colour the circle's background takes: the circle back colour, or
  // for clDefault white on paper, the back wall's colour when the wall is
  // opaque, else the chart's colour.
  TColor CalcCircleBackColor() const;

  // The point at Angle (radians, before the rotation) on the ellipse of
  // the given radii around the centre.
  void AngleToPos(double Angle, double AXRadius, double AYRadius, int& X, int& Y) const;
  // The angle (radians in [0, 2 pi), rotation taken off) of (X, Y) seen
  // from the centre.
  double PointToAngle(int X, int Y) const;
  // The distance of (X, Y) from the centre in units of the vertical axis
  // (the radii map to its range), plus the axis minimum. Before the first
  // drawing (radii 0) the axis minimum.
  double PointToRadius(int X, int Y) const;

  bool UseAxis() const override { return false; }
  bool AssociatedToAxis(const TChartAxis*) const override { return true; }
  void DoBeforeDrawValues() override;
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void SetActive(bool Value) override;
  void SetParentChart(TCustomAxisPanel* Value) override;

  // Whether Other is an instance of this object's class or of a class
  // derived from it. Every circled series type overrides it.
  virtual bool ClassIncludes(const TChartSeries* Other) const;
  // Either series' class is the other's or derives from it.
  bool IsSameClass(const TChartSeries* Other) const;

  // Fills the ellipse with the circle gradient (not in a turned 3D view).
  virtual void DrawCircleGradient();

 protected:
  // Fills the ellipse, moved by Offset pixels, with Gradient (not in a
  // turned 3D view); the clip in force still applies.
  void DrawCircleGradient(const TKorGradient& Gradient, const TPoint& Offset);
  // The series' preferred 3D view while it controls the chart's (nothing
  // here).
  virtual void InitCustom3DOptions(TView3DOptions&) {}
  // False: take over the chart's 3D view (keeping a copy of the user's);
  // true: hand the user's view back.
  void SetParentProperties(bool EnableParentProps);
  // Borrows the circle of the first active series of the same class that
  // shows marks, so that the pies of one chart share one size.
  void CheckOtherSeriesMarks();
  // Odd sizes lose one pixel, sizes are at least 4, and width, height and
  // centre follow the rectangle.
  void AdjustCircleRect();
  // The radii from the custom radii or the circle size; the circle
  // rectangle becomes centre +- radii.
  void CalcRadius();
  bool ControlsChart3D() const { return F3DOptions != nullptr; }

 private:
  TKorGradient* GradientObject() { return FCircleGradient.get(); }
  // Sets one property on every circled series of the chart whose class is
  // this one's or an ancestor.
  template <class F>
  void ForEachRelated(F Apply);
  void ShrinkForMarks();
  void MakeRound();

  bool FCircled = false;
  int FCustomXRadius = 0;
  int FCustomYRadius = 0;
  int FRotationAngle = 0;
  TColor FCircleBackColor = clDefault;
  std::unique_ptr<TKorGradient> FCircleGradient;
  std::unique_ptr<TView3DOptions> F3DOptions;  // the user's view while this series rules it
  // caches: the ellipse of the current drawing pass
  int FXRadius = 0;
  int FYRadius = 0;
  int FCircleWidth = 0;
  int FCircleHeight = 0;
  int FCircleXCenter = 0;
  int FCircleYCenter = 0;
  TRect FCircleRect;
  double FRotationRadians = 0;
};
