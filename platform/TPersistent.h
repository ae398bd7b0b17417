#pragma once

#include "platform/TColor.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <optional>
#include <variant>
#include <vector>

class TPersistent;

// Sender is the object that changed or was acted on.
using TNotifyEvent = std::function<void(TPersistent* Sender)>;

// The kinds of value a published property can hold. Enumerations are read
// and written as their ordinal; sets as a bit mask in an int; pkClass is a
// persistent sub-object (font, pen, ...) that streams descend into;
// pkIntegerList a list of integers written as one value (print margins);
// pkStrings a list of text lines held in a string-list object (titles;
// streams write it as "Name.Strings"); pkStringArray a list of texts the
// owner defines itself (data-source names); pkBinary bytes that the owner
// encodes and decodes itself (a series' points); pkInt64 a 64-bit integer;
// pkCursor a cursor number, written by its name when it has one;
// pkComponent a reference to another component, held and written as that
// component's name (the owner resolves it once loading ends); pkCollection
// a list of persistent items reached through TCollectionAccess.
enum class TPropertyKind {
  pkInteger,
  pkColor,
  pkBool,
  pkDouble,
  pkString,
  pkEnum,
  pkSet,
  pkClass,
  pkIntegerList,
  pkStrings,
  pkBinary,
  pkInt64,
  pkCursor,
  pkComponent,
  pkStringArray,
  pkCollection
};

using TIntegerList = std::vector<int>;
using TPropertyValue = std::variant<int, TColor, bool, double, QString, TPersistent*, TIntegerList,
                                    QStringList, QByteArray, qint64>;

// How streams reach the items of a collection property: the items in
// order, a new default item at the end, and emptying before a read.
struct TCollectionAccess {
  std::function<int(const TPersistent&)> Count;
  std::function<TPersistent*(const TPersistent&, int)> Item;
  std::function<TPersistent*(TPersistent&)> Add;
  std::function<void(TPersistent&)> Clear;
};

// One published property: its name, kind and typed accessors working on the
// owning object. Default is the value that is not written to streams; Stored,
// when set, decides that instead.
struct TPublishedProperty {
  QString Name;
  TPropertyKind Kind = TPropertyKind::pkInteger;
  std::function<TPropertyValue(const TPersistent&)> Get;
  std::function<void(TPersistent&, const TPropertyValue&)> Set;  // empty: read-only
  std::optional<TPropertyValue> Default;
  std::function<bool(const TPersistent&)> Stored;
  QStringList EnumNames;  // pkEnum / pkSet: identifiers by ordinal ("psSolid", ...)
  TCollectionAccess Collection;  // pkCollection only

  // Whether a stream writes the property of Instance.
  bool IsStored(const TPersistent& Instance) const;
};

// The published properties of one class, its base class's first. Names are
// compared without regard to case, as stream files spell them freely.
class TPropertyList {
 public:
  TPropertyList(std::initializer_list<TPublishedProperty> Properties);
  TPropertyList(const TPropertyList& Inherited,
                std::initializer_list<TPublishedProperty> Properties);

  int Count() const { return static_cast<int>(FItems.size()); }
  const TPublishedProperty& Item(int Index) const { return FItems.at(Index); }
  // nullptr when no property has that name.
  const TPublishedProperty* Find(const QString& Name) const;

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  std::vector<TPublishedProperty> FItems;
};

// Base of everything that can be copied with Assign, notifies changes and
// publishes properties by name. Identity type: copy with Assign, not with
// the copy constructor.
// Stores Value in Field and tells whether that changed anything: the first
// step of every property setter, which notifies only on a real change.
template <class T>
bool SetIfChanged(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

class TPersistent {
 public:
  TPersistent() = default;
  virtual ~TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;

  // Copies Source into this object. The base asks Source to assign itself
  // (AssignTo); when neither side knows the other it throws EConvertError
  // ("Cannot assign a TFoo to a TBar").
  virtual void Assign(const TPersistent& Source);

  // The class name as the design names it ("TPen"), for messages and streams.
  virtual QString ClassName() const { return QStringLiteral("TPersistent"); }

  // The published properties of the object's class (empty for the base).
  virtual const TPropertyList& Properties() const;

  // Properties that older streams wrote and that are read but never
  // written; SetPropertyValue comes here for names the table lacks. False
  // when Name is not one of them (the base knows none).
  virtual bool ReadLegacyProperty(const QString& Name, const TPropertyValue& Value);

  TNotifyEvent OnChange;

 protected:
  // Called by Assign when this object could not copy Source; the default
  // throws the conversion error.
  virtual void AssignTo(TPersistent& Dest) const;
  // Calls OnChange when set.
  virtual void Changed();
  // The usual setter: stores Value and notifies only on a real change.
  template <class T>
  void ChangeField(T& Field, const T& Value) {
    if (SetIfChanged(Field, Value)) Changed();
  }

  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

// Reading and writing published properties by name. The Get forms return
// false when the object has no such property or it has another kind; the Set
// forms also return false for read-only properties. Colour properties accept
// integers and integer properties colours (streams store colours as ints).
// A name the table lacks is offered to the object's legacy reader.
bool GetPropertyValue(const TPersistent& Instance, const QString& Name, TPropertyValue& Value);
bool SetPropertyValue(TPersistent& Instance, const QString& Name, const TPropertyValue& Value);
bool GetColorProperty(const TPersistent& Instance, const QString& Name, TColor& Value);
bool SetColorProperty(TPersistent& Instance, const QString& Name, TColor Value);

// Builders of table entries from member functions of the class C that owns
// the table. The accessors cast the object to C; using the entry with an
// object of another class throws EConvertError.
namespace PublishedProperty {

template <class C>
const C& As(const TPersistent& Instance);
template <class C>
C& As(TPersistent& Instance);

template <class C, class Value, class Held>
TPublishedProperty Make(const QString& Name, TPropertyKind Kind, Value (C::*Get)() const,
                        void (C::*Set)(Value), std::optional<TPropertyValue> Default) {
  TPublishedProperty P;
  P.Name = Name;
  P.Kind = Kind;
  P.Get = [Get](const TPersistent& I) {
    return TPropertyValue(static_cast<Held>((As<C>(I).*Get)()));
  };
  if (Set != nullptr) {
    P.Set = [Set](TPersistent& I, const TPropertyValue& V) {
      (As<C>(I).*Set)(static_cast<Value>(std::get<Held>(V)));
    };
  }
  if (Default) P.Default.emplace(*Default);
  return P;
}

template <class C>
TPublishedProperty Integer(const QString& Name, int (C::*Get)() const, void (C::*Set)(int),
                           std::optional<int> Default = std::nullopt) {
  return Make<C, int, int>(Name, TPropertyKind::pkInteger, Get, Set,
                           Default ? std::optional<TPropertyValue>(*Default) : std::nullopt);
}

template <class C>
TPublishedProperty IntegerList(const QString& Name, TIntegerList (C::*Get)() const,
                               void (C::*Set)(const TIntegerList&)) {
  TPublishedProperty P;
  P.Name = Name;
  P.Kind = TPropertyKind::pkIntegerList;
  P.Get = [Get](const TPersistent& I) { return TPropertyValue((As<C>(I).*Get)()); };
  if (Set != nullptr) {
    P.Set = [Set](TPersistent& I, const TPropertyValue& V) {
      (As<C>(I).*Set)(std::get<TIntegerList>(V));
    };
  }
  return P;
}

template <class C>
TPublishedProperty Strings(const QString& Name, QStringList (C::*Get)() const,
                           void (C::*Set)(const QStringList&)) {
  TPublishedProperty P;
  P.Name = Name;
  P.Kind = TPropertyKind::pkStrings;
  P.Get = [Get](const TPersistent& I) { return TPropertyValue((As<C>(I).*Get)()); };
  if (Set != nullptr) {
    P.Set = [Set](TPersistent& I, const TPropertyValue& V) {
      (As<C>(I).*Set)(std::get<QStringList>(V));
    };
  }
  P.Stored = [Get](const TPersistent& I) { return !(As<C>(I).*Get)().isEmpty(); };
  return P;
}

template <class C>
TPublishedProperty Color(const QString& Name, TColor (C::*Get)() const, void (C::*Set)(TColor),
                         std::optional<TColor> Default = std::nullopt) {
  return Make<C, TColor, TColor>(Name, TPropertyKind::pkColor, Get, Set,
                                 Default ? std::optional<TPropertyValue>(*Default) : std::nullopt);
}

template <class C>
TPublishedProperty Boolean(const QString& Name, bool (C::*Get)() const, void (C::*Set)(bool),
                           std::optional<bool> Default = std::nullopt) {
  return Make<C, bool, bool>(Name, TPropertyKind::pkBool, Get, Set,
                             Default ? std::optional<TPropertyValue>(*Default) : std::nullopt);
}

template <class C>
TPublishedProperty Double(const QString& Name, double (C::*Get)() const, void (C::*Set)(double),
                          std::optional<double> Default = std::nullopt) {
  return Make<C, double, double>(Name, TPropertyKind::pkDouble, Get, Set,
                                 Default ? std::optional<TPropertyValue>(*Default) : std::nullopt);
}

template <class C>
TPublishedProperty String(const QString& Name, QString (C::*Get)() const,
                          void (C::*Set)(const QString&),
                          std::optional<QString> Default = std::nullopt) {
  TPublishedProperty P;
  P.Name = Name;
  P.Kind = TPropertyKind::pkString;
  P.Get = [Get](const TPersistent& I) { return TPropertyValue((As<C>(I).*Get)()); };
  if (Set != nullptr) {
    P.Set = [Set](TPersistent& I, const TPropertyValue& V) {
      (As<C>(I).*Set)(std::get<QString>(V));
    };
  }
  if (Default) P.Default.emplace(std::in_place_type<QString>, *Default);
  return P;
}

template <class C>
TPublishedProperty Int64(const QString& Name, qint64 (C::*Get)() const, void (C::*Set)(qint64),
                         std::optional<qint64> Default = std::nullopt) {
  return Make<C, qint64, qint64>(Name, TPropertyKind::pkInt64, Get, Set,
                                 Default ? std::optional<TPropertyValue>(*Default) : std::nullopt);
}

// A cursor number (TCursor is an int).
template <class C>
TPublishedProperty Cursor(const QString& Name, int (C::*Get)() const, void (C::*Set)(int),
                          std::optional<int> Default = std::nullopt) {
  return Make<C, int, int>(Name, TPropertyKind::pkCursor, Get, Set,
                           Default ? std::optional<TPropertyValue>(*Default) : std::nullopt);
}

// A component reference held as the referenced component's name; an empty
// name (no component) is not stored.
template <class C>
TPublishedProperty Component(const QString& Name, QString (C::*Get)() const,
                             void (C::*Set)(const QString&)) {
  TPublishedProperty P = String<C>(Name, Get, Set, QString());
  P.Kind = TPropertyKind::pkComponent;
  return P;
}

// A list of texts the owner defines itself, stored when not empty.
template <class C>
TPublishedProperty StringArray(const QString& Name, QStringList (C::*Get)() const,
                               void (C::*Set)(const QStringList&)) {
  TPublishedProperty P = Strings<C>(Name, Get, Set);
  P.Kind = TPropertyKind::pkStringArray;
  return P;
}

// A collection; stored when it holds items.
inline TPublishedProperty Collection(const QString& Name, TCollectionAccess Access) {
  TPublishedProperty P;
  P.Name = Name;
  P.Kind = TPropertyKind::pkCollection;
  P.Stored = [Count = Access.Count](const TPersistent& I) { return Count(I) > 0; };
  P.Collection = std::move(Access);
  return P;
}

// An enumeration E published with its identifiers in ordinal order.
template <class C, class E>
TPublishedProperty Enum(const QString& Name, E (C::*Get)() const, void (C::*Set)(E),
                        const QStringList& Names, std::optional<E> Default = std::nullopt) {
  TPublishedProperty P = Make<C, E, int>(
      Name, TPropertyKind::pkEnum, Get, Set,
      Default ? std::optional<TPropertyValue>(static_cast<int>(*Default)) : std::nullopt);
  P.EnumNames = Names;
  return P;
}

// A set held as a bit mask type S (convertible to and from int); Names give
// the identifier of each bit.
template <class C, class S>
TPublishedProperty Set(const QString& Name, S (C::*Get)() const, void (C::*Setter)(S),
                       const QStringList& Names, std::optional<S> Default = std::nullopt) {
  TPublishedProperty P;
  P.Name = Name;
  P.Kind = TPropertyKind::pkSet;
  P.Get = [Get](const TPersistent& I) {
    return TPropertyValue(static_cast<int>((As<C>(I).*Get)()));
  };
  if (Setter != nullptr) {
    P.Set = [Setter](TPersistent& I, const TPropertyValue& V) {
      (As<C>(I).*Setter)(static_cast<S>(std::get<int>(V)));
    };
  }
  if (Default) P.Default.emplace(std::in_place_type<int>, static_cast<int>(*Default));
  P.EnumNames = Names;
  return P;
}

// A sub-object reached through a getter returning a pointer (possibly
// created on first use); streams assign into it.
template <class C, class T>
TPublishedProperty Object(const QString& Name, T* (C::*Get)()) {
  TPublishedProperty P;
  P.Name = Name;
  P.Kind = TPropertyKind::pkClass;
  P.Get = [Get](const TPersistent& I) {
    return TPropertyValue(static_cast<TPersistent*>((const_cast<C&>(As<C>(I)).*Get)()));
  };
  return P;
}

[[noreturn]] void WrongClass(const TPersistent& Instance);

template <class C>
const C& As(const TPersistent& Instance) {
  const C* Typed = dynamic_cast<const C*>(&Instance);
  if (Typed == nullptr) WrongClass(Instance);
  return *Typed;
}

template <class C>
C& As(TPersistent& Instance) {
  C* Typed = dynamic_cast<C*>(&Instance);
  if (Typed == nullptr) WrongClass(Instance);
  return *Typed;
}

}  // namespace PublishedProperty
