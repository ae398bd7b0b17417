#pragma once

#include "platform/TComponent.h"
#include "platform/TPersistent.h"

#include <QString>

#include <memory>

class TChartBrush;
class TChartPen;
class TCustomAxisPanel;

// Data: anything that lives inside a chart (series, tools) and repaints it
// when one of its properties changes. It owns a brush and a pen, knows its
// chart (not owned) and can be switched off with Active. Without a chart
// every change is only stored.
class TCustomChartElement : public TComponent, public TPersistent {
 public:
  explicit TCustomChartElement(TComponent* AOwner);
  ~TCustomChartElement() override;

  QString ClassName() const override { return QStringLiteral("TCustomChartElement"); }
  const TPropertyList& Properties() const override;
  // From another element: Active, Brush, Pen and the tag.
  void Assign(const TPersistent& Source) override;

  bool GetActive() const { return FActive; }
  virtual void SetActive(bool Value);
  TChartBrush& GetBrush() const { return *FBrush; }
  void SetBrush(const TChartBrush& Value);
  // Made by CreateChartPen on first use, so that the final class decides.
  TChartPen& GetPen() const;
  virtual void SetPen(const TChartPen& Value);
  TCustomAxisPanel* GetParentChart() const { return FParentChart; }
  virtual void SetParentChart(TCustomAxisPanel* Value);
  bool GetShowInEditor() const { return FShowInEditor; }
  void SetShowInEditor(bool Value) { FShowInEditor = Value; }

  // The class name of the element's editor form; empty: none.
  virtual QString GetEditorClass() const { return QString(); }

  // Invalidates the chart (nothing without one).
  void Repaint();

  // Streaming: an element's parent is its chart; only an axis panel is
  // accepted as one.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // The setter family of every element and series property: store, and
  // repaint only when the value really changed.
  void SetBooleanProperty(bool& Variable, bool Value);
  void SetColorProperty(TColor& Variable, TColor Value);
  void SetDoubleProperty(double& Variable, double Value);
  void SetIntegerProperty(int& Variable, int Value);
  void SetStringProperty(QString& Variable, const QString& Value);

  // Stores the chart without telling it: for the chart's own list code
  // while it adds or removes the element.
  void SetParentChartField(TCustomAxisPanel* Value) { FParentChart = Value; }

 protected:
  // Change handler of the brush and pen; repaints.
  virtual void CanvasChanged(TPersistent* Sender);
  // The pen class of the element (a series type may want a hidden pen).
  virtual std::unique_ptr<TChartPen> CreateChartPen();

 private:
  // Sub-object getters for the property table.
  TChartBrush* BrushObject() { return FBrush.get(); }
  // The pen is made on first use: a stream reaching it before any drawing
  // must find it there to read into.
  TChartPen* PenObject() { return &GetPen(); }

  bool FActive = true;
  std::unique_ptr<TChartBrush> FBrush;
  mutable std::unique_ptr<TChartPen> FPen;
  TCustomAxisPanel* FParentChart = nullptr;
  bool FShowInEditor = true;
};
