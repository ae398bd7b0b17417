#pragma once

#include "chart/core/TKorCustomShapePosition.h"

#include "platform/TCustomControl.h"

#include <QStringList>

class TCustomChart;

// Render: one of the four chart titles, a text shape that stacks from the
// top (or, for a foot, from the bottom) of the chart and takes its room
// from the chart rectangle unless it is placed by the user.
class TChartTitle : public TKorCustomShapePosition {
 public:
  explicit TChartTitle(TCustomChart* AChart);

  QString ClassName() const override { return QStringLiteral("TChartTitle"); }
  const TPropertyList& Properties() const override;
  // Shape, position, AdjustFrame, Alignment and text of another title.
  void Assign(const TPersistent& Source) override;

  bool GetAdjustFrame() const { return FAdjustFrame; }
  void SetAdjustFrame(bool Value) { SetShapeField(FAdjustFrame, Value); }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { SetShapeField(FAlignment, Value); }
  const QStringList& GetText() const { return FText; }
  void SetText(const QStringList& Value);
  // The first line (empty when none); setting replaces every line.
  QString GetCaption() const { return FText.isEmpty() ? QString() : FText.first(); }
  void SetCaption(const QString& Value);
  void Clear() { SetText({}); }
  // Titles stack from the top; feet from the bottom.
  bool GetOnTop() const { return FOnTop; }

  // Draws the title and, unless it is placed by the user, takes its room
  // from the chart rectangle.
  void DrawTitle();
  // Visible and (X, Y) inside the bounds, edges included.
  bool Clicked(int X, int Y) const;

 protected:
  void SetOnTop(bool Value) { FOnTop = Value; }

 private:
  QStringList TextLines() const { return FText; }
  TCustomChart& Chart() const;
  int FrameWidth() const;
  void DrawLines(int FrameWidth, int LineHeight);

  bool FAdjustFrame = true;
  TAlignment FAlignment = taCenter;
  QStringList FText;
  bool FOnTop = true;
};
