#pragma once

#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"

#include "platform/TPersistent.h"

#include <memory>

class TCustomKorPanel;

// Makes the brush of a shape; a shape class names its brush class through
// GetBrushClass.
using TChartBrushClass = std::unique_ptr<TChartBrush> (*)(TNotifyEvent ChangeHandler);

// Data: the brush, pen and visibility of a chart element drawn as a shape
// on a panel (its parent, not owned). Any change repaints the parent.
class TKorCustomShapeBrushPen : public TPersistent {
 public:
  explicit TKorCustomShapeBrushPen(TCustomKorPanel* AParent = nullptr);
  ~TKorCustomShapeBrushPen() override;

  // Copies brush, pen and visibility.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TKorCustomShapeBrushPen"); }
  const TPropertyList& Properties() const override;

  TChartBrush& GetBrush() const;
  void SetBrush(const TChartBrush& Value);
  TChartPen& GetPen() const { return *FPen; }
  void SetPen(const TChartPen& Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  TCustomKorPanel* GetParent() const { return FParent; }
  virtual void SetParent(TCustomKorPanel* Value);

  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Invalidates the parent.
  void Repaint();

 protected:
  virtual TChartBrushClass GetBrushClass() const;
  // Stores Value and repaints the parent when it changed.
  template <class T>
  void SetShapeField(T& Field, const T& Value) {
    if (SetIfChanged(Field, Value)) Repaint();
  }

 private:
  TCustomKorPanel* FParent;  // not owned
  // Created on first use, so that the brush class of the final shape
  // class decides (a constructor cannot ask it).
  mutable std::unique_ptr<TChartBrush> FBrush;
  std::unique_ptr<TChartPen> FPen;
  bool FVisible = true;
};
