#pragma once

#include <functional>
#include <string>
#include <vector>

// Owner-managed object: a component frees every component it owns when it is
// destroyed, and tells components that asked for it when it goes away.
// Ownership rule: a component is owned by at most one owner; destroying a
// component first detaches it from its owner, so nothing is freed twice.
class TComponent {
 public:
  enum class TOperation { opInsert, opRemove };
  // What a component is going through: being read from a stream (loading,
  // until Loaded), written, destroyed, or edited in a designer.
  enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning };

  explicit TComponent(TComponent* AOwner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* GetOwner() const { return FOwner; }
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  // A number the program may keep with the component; nothing reads it here.
  int GetTag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  bool InState(TComponentStateFlag Flag) const { return (FState & (1u << Flag)) != 0; }
  // Streams set and clear the loading, reading and writing flags; the
  // destroying flag is set by the destructors.
  void SetStateFlag(TComponentStateFlag Flag, bool On);
  // After a stream has set the component's properties: clears the loading
  // flag; overrides finish what needs all properties.
  virtual void Loaded();

  // Streaming a tree of components: a stream writes after a component's
  // properties the children GetChildren yields (none here); Root is the
  // component whose stream it is. A component with a parent (a series in
  // its chart) is written under that parent rather than under its owner,
  // and reading hands the parent to SetParentComponent (ignored here).
  using TGetChildProc = std::function<void(TComponent* Child)>;
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root) const;
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value);

  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponent(int Index) const;
  // nullptr when no owned component has that name.
  TComponent* FindComponent(const std::string& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Swaps the places of two owned components in the creation order (the
  // order streams write them in), without notifying anyone. Nothing when
  // either is not owned by this component.
  void ExchangeComponents(TComponent* A, TComponent* B);

  // AComponent's Notification(opRemove) is called when this component is destroyed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

 protected:
  // The first step of a destructor of a class whose teardown calls code
  // that asks InState(csDestroying).
  void Destroying() { SetStateFlag(csDestroying, true); }
  // Called for owned components inserted or removed, and for free-notified
  // components being destroyed; overrides clear their pointers to AComponent.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

 private:
  void DetachEverywhere();

  TComponent* FOwner = nullptr;
  std::string FName;
  int FTag = 0;
  unsigned FState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};
