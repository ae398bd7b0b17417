#pragma once

#include "chart/core/TKorShape.h"

#include "platform/TCustomControl.h"
#include "platform/TRect.h"

#include <QString>
#include <QStringList>

// Render: the caption box at the top of a legend. It has no position of its
// own: the legend places it inside its box, and it is drawn only when it is
// visible and has text. Lengths are pixels on the chart's canvas.
class TLegendTitle : public TKorShape {
 public:
  explicit TLegendTitle(TCustomKorPanel* AParent);

  QString ClassName() const override { return QStringLiteral("TLegendTitle"); }
  const TPropertyList& Properties() const override;
  // The shape, text and alignment of another legend title.
  void Assign(const TPersistent& Source) override;

  const QStringList& GetText() const { return FText; }
  void SetText(const QStringList& Value);
  // The first line (empty when none); setting replaces every line, and an
  // empty caption leaves no line.
  QString GetCaption() const { return FText.isEmpty() ? QString() : FText.first(); }
  void SetCaption(const QString& Value);
  TAlignment GetTextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment Value) { SetShapeField(FTextAlignment, Value); }

  // Height and width the title needs, measured with its font (which the
  // canvas keeps afterwards).
  int CalcHeight() const;
  int CalcTotalWidth() const;
  // Places the title inside LegendRect, draws its box and its text.
  void DrawTitle(const TRect& LegendRect);

 private:
  QStringList TextValue() const { return FText; }
  int FrameWidth() const;
  TRect CalcBounds(const TRect& LegendRect) const;
  void DrawLines();

  QStringList FText;
  TAlignment FTextAlignment = taLeftJustify;
};
