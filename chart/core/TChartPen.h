#pragma once

#include "platform/TPen.h"

// How the ends and joins of a pen 2 or more pixels wide look.
enum TPenEndStyle { esRound, esSquare, esFlat };

// Data: the line style that chart elements own and stream. A pen that can be
// hidden without losing its style, with end styles for wide lines and a
// dotted mode that sets single pixels. Every change calls the owner's
// change handler given at construction.
class TChartPen : public TPen {
 public:
  explicit TChartPen(TNotifyEvent ChangeHandler = nullptr);

  // Copies visibility, small dots, small space and end style, then the
  // pen's own properties.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TChartPen"); }
  const TPropertyList& Properties() const override;

  TPenEndStyle GetEndStyle() const { return FEndStyle; }
  void SetEndStyle(TPenEndStyle Value);
  bool GetSmallDots() const { return FSmallDots; }
  void SetSmallDots(bool Value);
  // Pixels left out between two small dots (0 or less: every other pixel).
  int GetSmallSpace() const { return FSmallSpace; }
  void SetSmallSpace(int Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);

  void Hide() { SetVisible(false); }
  void Show() { SetVisible(true); }

  // What streams compare with: a preset pen may start hidden or with
  // another end style.
  TPenEndStyle GetDefaultEndStyle() const { return FDefaultEndStyle; }
  bool GetDefaultVisible() const { return FDefaultVisible; }

 protected:
  // For the preset pens' construction defaults.
  void SetDefaults(bool AVisible, TPenEndStyle AEndStyle);

 private:
  TPenEndStyle FEndStyle = esRound;
  bool FSmallDots = false;
  int FSmallSpace = 0;
  bool FVisible = true;
  TPenEndStyle FDefaultEndStyle = esRound;
  bool FDefaultVisible = true;
};
