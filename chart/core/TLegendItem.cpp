#include "chart/core/TLegendItem.h"

#include "chart/core/TLegendItems.h"

void TLegendItem::SetText(const QString& Value) {
  FText = Value;
  FOwner->TextChanged();
}
