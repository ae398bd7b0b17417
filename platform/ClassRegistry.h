#pragma once

#include <QString>

#include <type_traits>
#include <typeindex>
#include <typeinfo>

class TComponent;

// What code that picks a class at run time holds of it: the class name
// streams write, the exact C++ type, and for a component a constructor
// taking the owner (none for a class that streams name but that is never
// made as a component). One instance per class (ClassInfoOf,
// PersistentClassInfoOf), compared by address.
struct TClassInfo {
  QString Name;
  std::type_index Type;
  TComponent* (*Create)(TComponent* AOwner);

  bool IsComponent() const { return Create != nullptr; }
};

// The class information of T. The name is asked of one throw-away
// instance, made on the first call only, so the first call must not come
// from a static initialiser (the instance may need other globals).
template <class T>
const TClassInfo& ClassInfoOf() {
  static const TClassInfo Info{T(nullptr).ClassName(), std::type_index(typeid(T)),
                               [](TComponent* AOwner) -> TComponent* { return new T(AOwner); }};
  return Info;
}

// The class information of T, a class that is not a component (a
// collection item or an owned part of one), under the name its streams
// give it. Needs no instance, so it may be asked for at any time.
template <class T>
const TClassInfo& PersistentClassInfoOf(const char* Name) {
  static const TClassInfo Info{QString::fromLatin1(Name), std::type_index(typeid(T)), nullptr};
  return Info;
}

// A reference to a class derived from Base (or none): the value that
// registries, galleries and "change type" pass around instead of a type.
template <class Base>
class TClassOf {
 public:
  constexpr TClassOf() = default;
  explicit constexpr TClassOf(const TClassInfo* AInfo) : FInfo(AInfo) {}

  template <class T>
  static TClassOf Of() {
    static_assert(std::is_base_of_v<Base, T>, "the class must derive from the reference's base");
    return TClassOf(&ClassInfoOf<T>());
  }

  bool Assigned() const { return FInfo != nullptr; }
  explicit operator bool() const { return Assigned(); }
  const TClassInfo* Info() const { return FInfo; }
  // Empty for none.
  QString ClassName() const { return FInfo != nullptr ? FInfo->Name : QString(); }
  // A new instance owned by AOwner; the reference must not be none.
  Base* Create(TComponent* AOwner) const { return static_cast<Base*>(FInfo->Create(AOwner)); }
  // Whether Instance is of exactly this class (a derived class is not).
  bool IsClassOf(const Base* Instance) const {
    return FInfo != nullptr && Instance != nullptr &&
           std::type_index(typeid(*Instance)) == FInfo->Type;
  }

  friend bool operator==(const TClassOf&, const TClassOf&) = default;

 private:
  const TClassInfo* FInfo = nullptr;
};

// The process-wide register of component classes that stored files may
// name. Registering a class twice keeps one entry.
void RegisterClass(const TClassInfo& Info);
void UnRegisterClass(const TClassInfo& Info);
// nullptr when no registered class has that name (case ignored, as stream
// files spell names freely) or that exact type.
const TClassInfo* GetClass(const QString& Name);
const TClassInfo* GetClass(const std::type_info& Type);

// The registered class of Instance as a reference of base Base; none when
// its class was never registered.
template <class Base>
TClassOf<Base> ClassOfInstance(const Base& Instance) {
  return TClassOf<Base>(GetClass(typeid(Instance)));
}
