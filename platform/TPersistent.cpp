#include "platform/TPersistent.h"

#include "platform/Exception.h"

#include <algorithm>

namespace {

// Streams store colours as integers and may hand an int to a colour
// property (and the other way round).
bool Coerce(TPropertyKind Kind, const TPropertyValue& In, TPropertyValue& Out) {
  switch (Kind) {
    case TPropertyKind::pkColor:
      if (const TColor* C = std::get_if<TColor>(&In))
        Out = *C;
      else if (const int* I = std::get_if<int>(&In))
        Out = static_cast<TColor>(*I);
      else
        return false;
      return true;
    case TPropertyKind::pkInteger:
    case TPropertyKind::pkCursor:
    case TPropertyKind::pkEnum:
    case TPropertyKind::pkSet:
      if (const int* I = std::get_if<int>(&In))
        Out = *I;
      else if (const TColor* C = std::get_if<TColor>(&In))
        Out = static_cast<int>(*C);
      else
        return false;
      return true;
    case TPropertyKind::pkBool:
      if (!std::holds_alternative<bool>(In)) return false;
      Out = In;
      return true;
    case TPropertyKind::pkDouble:
      if (const double* D = std::get_if<double>(&In))
        Out = *D;
      else if (const int* I = std::get_if<int>(&In))
        Out = static_cast<double>(*I);
      else
        return false;
      return true;
    case TPropertyKind::pkInt64:
      if (const qint64* L = std::get_if<qint64>(&In))
        Out = *L;
      else if (const int* I = std::get_if<int>(&In))
        Out = static_cast<qint64>(*I);
      else
        return false;
      return true;
    case TPropertyKind::pkString:
    case TPropertyKind::pkComponent:
      if (!std::holds_alternative<QString>(In)) return false;
      Out = In;
      return true;
    case TPropertyKind::pkIntegerList:
      if (!std::holds_alternative<TIntegerList>(In)) return false;
      Out = In;
      return true;
    case TPropertyKind::pkStrings:
    case TPropertyKind::pkStringArray:
      if (!std::holds_alternative<QStringList>(In)) return false;
      Out = In;
      return true;
    case TPropertyKind::pkBinary:
      if (!std::holds_alternative<QByteArray>(In)) return false;
      Out = In;
      return true;
    case TPropertyKind::pkClass:
    case TPropertyKind::pkCollection: return false;
  }
  return false;
}

}  // namespace

bool TPublishedProperty::IsStored(const TPersistent& Instance) const {
  if (Stored) return Stored(Instance);
  if (Kind == TPropertyKind::pkClass || Kind == TPropertyKind::pkCollection) return true;
  if (!Default || !Get) return true;
  return Get(Instance) != *Default;
}

TPropertyList::TPropertyList(std::initializer_list<TPublishedProperty> Properties)
    : FItems(Properties) {}

TPropertyList::TPropertyList(const TPropertyList& Inherited,
                             std::initializer_list<TPublishedProperty> Properties)
    : FItems(Inherited.FItems) {
  for (const TPublishedProperty& P : Properties) {
    // A redeclared property (new default) replaces the inherited entry.
    auto Same = [&P](const TPublishedProperty& Q) {
      return Q.Name.compare(P.Name, Qt::CaseInsensitive) == 0;
    };
    auto It = std::find_if(FItems.begin(), FItems.end(), Same);
    if (It != FItems.end())
      *It = P;
    else
      FItems.push_back(P);
  }
}

const TPublishedProperty* TPropertyList::Find(const QString& Name) const {
  for (const TPublishedProperty& P : FItems) {
    if (P.Name.compare(Name, Qt::CaseInsensitive) == 0) return &P;
  }
  return nullptr;
}

void TPersistent::Assign(const TPersistent& Source) {
  Source.AssignTo(*this);
}

const TPropertyList& TPersistent::Properties() const {
  static const TPropertyList None{};
  return None;
}

bool TPersistent::ReadLegacyProperty(const QString&, const TPropertyValue&) {
  return false;
}

void TPersistent::AssignTo(TPersistent& Dest) const {
  Dest.AssignError(this);
}

void TPersistent::Changed() {
  if (OnChange) OnChange(this);
}

void TPersistent::AssignError(const TPersistent* Source) const {
  QString SourceName = Source != nullptr ? Source->ClassName() : QStringLiteral("nil");
  throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(SourceName, ClassName()));
}

bool GetPropertyValue(const TPersistent& Instance, const QString& Name, TPropertyValue& Value) {
  const TPublishedProperty* P = Instance.Properties().Find(Name);
  if (P == nullptr || !P->Get) return false;
  Value = P->Get(Instance);
  return true;
}

bool SetPropertyValue(TPersistent& Instance, const QString& Name, const TPropertyValue& Value) {
  const TPublishedProperty* P = Instance.Properties().Find(Name);
  if (P == nullptr) return Instance.ReadLegacyProperty(Name, Value);
  if (!P->Set) return false;
  TPropertyValue Typed;
  if (!Coerce(P->Kind, Value, Typed)) return false;
  P->Set(Instance, Typed);
  return true;
}

bool GetColorProperty(const TPersistent& Instance, const QString& Name, TColor& Value) {
  const TPublishedProperty* P = Instance.Properties().Find(Name);
  if (P == nullptr || P->Kind != TPropertyKind::pkColor || !P->Get) return false;
  Value = std::get<TColor>(P->Get(Instance));
  return true;
}

bool SetColorProperty(TPersistent& Instance, const QString& Name, TColor Value) {
  const TPublishedProperty* P = Instance.Properties().Find(Name);
  if (P == nullptr || P->Kind != TPropertyKind::pkColor || !P->Set) return false;
  P->Set(Instance, Value);
  return true;
}

namespace PublishedProperty {

void WrongClass(const TPersistent& Instance) {
  throw EConvertError(
      QStringLiteral("Property table used with an object of class %1").arg(Instance.ClassName()));
}

}  // namespace PublishedProperty
