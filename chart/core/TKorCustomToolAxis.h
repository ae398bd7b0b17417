#pragma once

#include "chart/core/TKorCustomTool.h"

class TChartAxis;

// Interaction: a tool that works on one axis (not owned) and lives on
// that axis' chart. Streams keep the axis as "AxisID", its place in the
// chart's list of all axes.
class TKorCustomToolAxis : public TKorCustomTool {
 public:
  explicit TKorCustomToolAxis(TComponent* AOwner) : TKorCustomTool(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TKorCustomToolAxis"); }
  const TPropertyList& Properties() const override;
  QString GetEditorClass() const override { return QStringLiteral("TAxisToolEditor"); }
  // Resolves an "AxisID" read before the tool had its chart.
  void Loaded() override;
  // From another axis tool also its axis (the tool then lives on that
  // axis' chart).
  void Assign(const TPersistent& Source) override;

  TChartAxis* GetAxis() const { return FAxis; }
  // On a change the tool moves to the axis' chart (to none without an
  // axis) and repaints.
  virtual void SetAxis(TChartAxis* Value);
  // Forgets the axis without moving the tool: the axis is being freed.
  void ClearAxisLink() { FAxis = nullptr; }

  // The axis' index in the chart's list of all axes, -1 without one.
  int GetAxisID() const;
  // An index outside the chart's axes is ignored.
  void SetAxisID(int Value);

 private:
  TChartAxis* FAxis = nullptr;  // not owned
  // An "AxisID" read while the tool had no chart; -1 when none.
  int FPendingAxisID = -1;
};
