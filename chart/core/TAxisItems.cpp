#include "chart/core/TAxisItems.h"

#include "chart/core/TAxisItem.h"
#include "chart/core/TCustomKorPanel.h"

TAxisItems::TAxisItems(TCustomKorPanel* AParent)
    : FParent(AParent), FFormat(std::make_unique<TKorCustomShape>(AParent)) {
  FFormat->SetTransparent(true);
}

TAxisItems::~TAxisItems() = default;

TAxisItem& TAxisItems::Add(double Value) {
  auto Item = std::make_unique<TAxisItem>(FParent);
  Item->SetValue(Value);
  FItems.push_back(std::move(Item));
  Repaint();
  return *FItems.back();
}

TAxisItem& TAxisItems::Add(double Value, const QString& Text) {
  TAxisItem& Item = Add(Value);
  Item.SetText(Text);
  return Item;
}

void TAxisItems::Clear() {
  FItems.clear();
  Repaint();
}

void TAxisItems::CopyFrom(const TAxisItems& Other) {
  if (&Other == this) return;
  FFormat->Assign(*Other.FFormat);
  FItems.clear();
  for (const std::unique_ptr<TAxisItem>& Source : Other.FItems) {
    auto Item = std::make_unique<TAxisItem>(FParent);
    Item->SetValue(Source->GetValue());
    Item->SetText(Source->GetText());
    FItems.push_back(std::move(Item));
  }
  Repaint();
}

void TAxisItems::Repaint() const {
  if (FParent != nullptr) FParent->Invalidate();
}
