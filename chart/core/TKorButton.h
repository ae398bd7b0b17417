#pragma once

#include "platform/TRect.h"

#include <QPushButton>
#include <QString>

#include <functional>

class QPaintEvent;
class TCanvas3D;
class TPersistent;

// Interaction: a push button of the chart editor that draws a symbol (a
// colour swatch, a pen or gradient sample) on its right side, over the
// standard button face. It may be linked to a published property of a
// chart object, which derived buttons show and edit directly.
//
// The linked object is not owned: whoever links a button keeps the object
// alive while the button is linked (editor pages relink or close first).
class TKorButton : public QPushButton {
 public:
  explicit TKorButton(QWidget* Parent = nullptr);

  // Links the button to Object's published property PropertyName; an empty
  // name (or one the object does not publish) clears the property link but
  // keeps the object. Repaints. A null Object changes nothing.
  void LinkProperty(TPersistent* Object, const QString& PropertyName);
  TPersistent* GetLinkedObject() const { return FLinkedObject; }
  // Empty when no property is linked.
  const QString& GetLinkedProperty() const { return FLinkedProperty; }

  // Where the symbol goes, in client pixels: a box 13 pixels wide ending 6
  // pixels from the right edge, over the middle half of the height.
  TRect SymbolRectangle() const;

  // Run by Click: the button's ordinary click.
  std::function<void(TKorButton* Sender)> OnClick;

 protected:
  // Draws the symbol on a surface over the button (client pixels); the
  // default draws nothing.
  virtual void DrawSymbol(TCanvas3D& Canvas);
  // A click of the user (or QAbstractButton::click); runs OnClick.
  virtual void Click();

  void paintEvent(QPaintEvent* Event) override;

 private:
  TPersistent* FLinkedObject = nullptr;  // not owned
  QString FLinkedProperty;
};
