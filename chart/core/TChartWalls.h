#pragma once

#include "platform/TPersistent.h"

#include <memory>

class TChartBackWall;
class TChartRightWall;
class TChartWall;
class TCustomChart;

// Render data: the four walls of a chart, owned here; Visible is the
// chart's View3DWalls.
class TChartWalls : public TPersistent {
 public:
  explicit TChartWalls(TCustomChart* AChart);
  ~TChartWalls() override;

  QString ClassName() const override { return QStringLiteral("TChartWalls"); }
  const TPropertyList& Properties() const override;
  // The four walls of another chart's walls.
  void Assign(const TPersistent& Source) override;

  TChartBackWall& GetBack() const { return *FBack; }
  TChartWall& GetBottom() const { return *FBottom; }
  TChartWall& GetLeft() const { return *FLeft; }
  TChartRightWall& GetRight() const { return *FRight; }
  bool GetVisible() const;
  void SetVisible(bool Value);
  // Sets the size of all four walls (reads the left wall's).
  int GetSize() const;
  void SetSize(int Value);

 private:
  TChartBackWall* BackObject() { return FBack.get(); }
  TChartWall* BottomObject() { return FBottom.get(); }
  TChartWall* LeftObject() { return FLeft.get(); }
  TChartRightWall* RightObject() { return FRight.get(); }

  TCustomChart* FChart;  // not owned
  std::unique_ptr<TChartBackWall> FBack;
  std::unique_ptr<TChartWall> FBottom;
  std::unique_ptr<TChartWall> FLeft;
  std::unique_ptr<TChartRightWall> FRight;
};
