#include "platform/TComponent.h"

#include <algorithm>

namespace {

void EraseOne(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

bool Contains(const std::vector<TComponent*>& list, const TComponent* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  DetachEverywhere();
  // Owned components are freed last-in first-out; each one detaches itself.
  while (!FComponents.empty()) delete FComponents.back();
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

void TComponent::DetachEverywhere() {
  // Copy first: a notified component may change our list from its handler.
  const std::vector<TComponent*> notifies = FFreeNotifies;
  FFreeNotifies.clear();
  for (TComponent* other : notifies) {
    EraseOne(other->FFreeNotifies, this);
    other->Notification(this, TOperation::opRemove);
  }
}

TComponent* TComponent::GetComponent(int Index) const {
  if (Index < 0 || Index >= GetComponentCount()) return nullptr;
  return FComponents[static_cast<size_t>(Index)];
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (c->FName == AName) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent->FOwner == this) return;
  if (AComponent->FOwner != nullptr) AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  Notification(AComponent, TOperation::opInsert);
}

void TComponent::ExchangeComponents(TComponent* A, TComponent* B) {
  const auto IA = std::find(FComponents.begin(), FComponents.end(), A);
  const auto IB = std::find(FComponents.begin(), FComponents.end(), B);
  if (IA == FComponents.end() || IB == FComponents.end()) return;
  std::iter_swap(IA, IB);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent->FOwner != this) return;
  EraseOne(FComponents, AComponent);
  AComponent->FOwner = nullptr;
  if (!InState(csDestroying)) Notification(AComponent, TOperation::opRemove);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  if (!Contains(FFreeNotifies, AComponent)) FFreeNotifies.push_back(AComponent);
  if (!Contains(AComponent->FFreeNotifies, this)) AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr) return;
  EraseOne(FFreeNotifies, AComponent);
  EraseOne(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::SetStateFlag(TComponentStateFlag Flag, bool On) {
  if (On)
    FState |= 1u << Flag;
  else
    FState &= ~(1u << Flag);
}

void TComponent::Loaded() {
  SetStateFlag(csLoading, false);
}

void TComponent::GetChildren(const TGetChildProc&, TComponent*) const {}

void TComponent::SetParentComponent(TComponent*) {}
