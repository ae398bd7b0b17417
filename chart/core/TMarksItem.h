#pragma once

#include "chart/core/TKorCustomShape.h"

#include <QStringList>

#include <memory>

// Data: the own look (and optionally own text) of one point's mark, used in
// place of the marks' shape for that point. Without a text list the mark
// shows the text of the marks' style; once the list exists (even empty) its
// lines are the mark's text, and an empty text hides the mark.
class TMarksItem : public TKorCustomShape {
 public:
  explicit TMarksItem(TCustomKorPanel* AParent = nullptr);
  ~TMarksItem() override;

  // Copies the text list (or its absence), then the shape.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TMarksItem"); }
  const TPropertyList& Properties() const override;

  // The lines; reading creates the (empty) list, which from then on is the
  // mark's text.
  QStringList GetText();
  // Creates the list when needed; repaints the parent when the text changed.
  void SetText(const QStringList& Value);
  // nullptr until the text list was created.
  const QStringList* ExistingText() const { return FText.get(); }

 private:
  // The lines without creating the list, for streams.
  QStringList ExistingLines() const { return FText ? *FText : QStringList(); }

  std::unique_ptr<QStringList> FText;  // created on first use
};
