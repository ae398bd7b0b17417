#pragma once

#include <string>
#include <vector>

// Owner-managed object: a component frees every component it owns when it is
// destroyed, and tells components that asked for it when it goes away.
// Ownership rule: a component is owned by at most one owner; destroying a
// component first detaches it from its owner, so nothing is freed twice.
class TComponent {
 public:
  enum class TOperation { opInsert, opRemove };

  explicit TComponent(TComponent* AOwner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* GetOwner() const { return FOwner; }
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }

  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponent(int Index) const;
  // nullptr when no owned component has that name.
  TComponent* FindComponent(const std::string& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  // AComponent's Notification(opRemove) is called when this component is destroyed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

 protected:
  // Called for owned components inserted or removed, and for free-notified
  // components being destroyed; overrides clear their pointers to AComponent.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

 private:
  void DetachEverywhere();

  TComponent* FOwner = nullptr;
  std::string FName;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  bool FDestroying = false;
};
