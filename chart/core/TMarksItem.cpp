#include "chart/core/TMarksItem.h"

TMarksItem::TMarksItem(TCustomKorPanel* AParent) : TKorCustomShape(AParent) {}

TMarksItem::~TMarksItem() = default;

void TMarksItem::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TMarksItem*>(&Source);
  if (Other != nullptr && Other != this) {
    if (Other->FText) {
      SetText(*Other->FText);
    } else if (FText) {
      FText.reset();
      Repaint();
    }
  }
  TKorCustomShape::Assign(Source);
}

const TPropertyList& TMarksItem::Properties() const {
  namespace PP = PublishedProperty;
  using C = TMarksItem;
  static const TPropertyList List = [this] {
    // An empty list is written too: it hides the mark.
    TPublishedProperty Text =
        PP::Strings<C>(QStringLiteral("Text"), &C::ExistingLines, &C::SetText);
    Text.Stored = [](const TPersistent& P) { return PP::As<C>(P).ExistingText() != nullptr; };
    return TPropertyList(
        TKorCustomShape::Properties(),
        {
            // Items are created in the tooltip colour.
            PP::Color<TKorCustomShape>(QStringLiteral("Color"), &TKorCustomShape::GetColor,
                                       &TKorCustomShape::SetColor, clInfoBk),
            Text,
        });
  }();
  return List;
}

QStringList TMarksItem::GetText() {
  if (!FText) FText = std::make_unique<QStringList>();
  return *FText;
}

void TMarksItem::SetText(const QStringList& Value) {
  if (FText && *FText == Value) return;
  if (FText)
    *FText = Value;
  else
    FText = std::make_unique<QStringList>(Value);
  Repaint();
}
