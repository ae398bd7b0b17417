#include "platform/TReader.h"

#include "platform/ClassRegistry.h"
#include "platform/Cursors.h"
#include "platform/Exception.h"
#include "platform/Extended80.h"
#include "platform/TComponent.h"
#include "platform/TPersistent.h"
#include "platform/TStream.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Components within components, and lists within lists: a hostile stream
// must not run the reader out of stack.
constexpr int MaxNesting = 32;

const QString StringsSuffix = QStringLiteral("Strings");

[[noreturn]] void Corrupt(const QString& What) {
  throw EReadError(QStringLiteral("Invalid component stream: %1").arg(What));
}

// The value as the legacy readers of the classes take it: the plainest C++
// type that holds it.
TPropertyValue ToPropertyValue(const TStreamValue& Value) {
  switch (Value.Type) {
    case TValueType::vaFalse: return false;
    case TValueType::vaTrue: return true;
    case TValueType::vaBinary: return Value.Bytes;
    default: break;
  }
  if (Value.IsInteger()) {
    if (Value.Integer >= std::numeric_limits<int>::min() &&
        Value.Integer <= std::numeric_limits<int>::max())
      return static_cast<int>(Value.Integer);
    return static_cast<qint64>(Value.Integer);
  }
  if (Value.IsFloat()) return Value.Float;
  return Value.Text;
}

bool FindIdent(const QStringList& Names, const QString& Ident, int& Index) {
  for (int I = 0; I < Names.size(); ++I)
    if (Names.at(I).compare(Ident, Qt::CaseInsensitive) == 0) {
      Index = I;
      return true;
    }
  return false;
}

// Told when a component read so far is freed before the read ends.
class TLoadedWatcher : public TComponent {
 public:
  explicit TLoadedWatcher(std::vector<TComponent*>& ALoaded)
      : TComponent(nullptr), FLoaded(ALoaded) {}

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == TOperation::opRemove) std::erase(FLoaded, AComponent);
  }

 private:
  std::vector<TComponent*>& FLoaded;
};

}  // namespace

TReader::TReader(TStream& AStream)
    : FStream(AStream), FWatcher(std::make_unique<TLoadedWatcher>(FLoaded)) {}

TReader::~TReader() = default;

bool TStreamValue::IsInteger() const {
  return Type == TValueType::vaInt8 || Type == TValueType::vaInt16 || Type == TValueType::vaInt32 ||
         Type == TValueType::vaInt64;
}

bool TStreamValue::IsFloat() const {
  return Type == TValueType::vaExtended || Type == TValueType::vaSingle ||
         Type == TValueType::vaCurrency || Type == TValueType::vaDate ||
         Type == TValueType::vaDouble;
}

bool TStreamValue::IsString() const {
  return Type == TValueType::vaString || Type == TValueType::vaLString ||
         Type == TValueType::vaWString || Type == TValueType::vaUTF8String;
}

// -- raw reading

void TReader::ReadRaw(void* Buffer, std::int64_t Count) {
  if (Count < 0 || FStream.Remaining() < Count) Corrupt(QStringLiteral("unexpected end"));
  FStream.ReadBuffer(Buffer, Count);
}

std::int64_t TReader::ReadLength(int UnitSize) {
  std::int32_t Length = 0;
  ReadRaw(&Length, 4);
  Length = qFromLittleEndian(Length);
  if (Length < 0 || static_cast<std::int64_t>(Length) * UnitSize > FStream.Remaining())
    Corrupt(QStringLiteral("a length beyond the end of the stream"));
  return Length;
}

TValueType TReader::NextValue() {
  if (FStream.Remaining() < 1) Corrupt(QStringLiteral("unexpected end"));
  const TValueType Type = ReadValue();
  FStream.Seek(FStream.Position() - 1);
  return Type;
}

TValueType TReader::ReadValue() {
  std::uint8_t Byte = 0;
  ReadRaw(&Byte, 1);
  if (Byte > static_cast<std::uint8_t>(TValueType::vaDouble))
    Corrupt(QStringLiteral("unknown value tag %1").arg(Byte));
  return static_cast<TValueType>(Byte);
}

bool TReader::EndOfList() {
  // Looks at a raw byte: before a property or a child it is a length, not
  // a value tag.
  std::uint8_t Byte = 0;
  ReadRaw(&Byte, 1);
  FStream.Seek(FStream.Position() - 1);
  return Byte == 0;
}

void TReader::ReadListBegin() {
  if (ReadValue() != TValueType::vaList) Corrupt(QStringLiteral("a list expected"));
}

void TReader::ReadListEnd() {
  if (ReadValue() != TValueType::vaNull) Corrupt(QStringLiteral("the end of a list expected"));
}

QString TReader::ReadShortString() {
  std::uint8_t Length = 0;
  ReadRaw(&Length, 1);
  QByteArray Bytes(Length, Qt::Uninitialized);
  ReadRaw(Bytes.data(), Length);
  return QString::fromLatin1(Bytes);
}

void TReader::ReadSignature() {
  char Signature[4] = {};
  ReadRaw(Signature, 4);
  if (QByteArray(Signature, 4) != FilerSignature()) Corrupt(QStringLiteral("no signature"));
}

// -- values

TStreamValue TReader::ReadAnyValue() {
  return ReadAnyValueAt(0);
}

std::vector<std::pair<QString, TStreamValue>> TReader::ReadCollectionItem(int Depth) {
  // An item starts with its order value or, without one, a list marker.
  const TValueType Next = NextValue();
  if (Next == TValueType::vaInt8 || Next == TValueType::vaInt16 || Next == TValueType::vaInt32)
    ReadInteger();
  else
    ReadListBegin();
  std::vector<std::pair<QString, TStreamValue>> Properties;
  while (!EndOfList()) {
    QString Name = ReadShortString();
    Properties.emplace_back(std::move(Name), ReadAnyValueAt(Depth + 1));
  }
  ReadListEnd();
  return Properties;
}

TStreamValue TReader::ReadAnyValueAt(int Depth) {
  if (Depth > MaxNesting) Corrupt(QStringLiteral("values nested too deeply"));
  TStreamValue Value;
  Value.Type = ReadValue();
  switch (Value.Type) {
    case TValueType::vaNull: Corrupt(QStringLiteral("a value expected"));
    case TValueType::vaList:
      while (!EndOfList()) Value.Items.push_back(ReadAnyValueAt(Depth + 1));
      ReadListEnd();
      break;
    case TValueType::vaInt8: {
      std::int8_t V = 0;
      ReadRaw(&V, 1);
      Value.Integer = V;
      break;
    }
    case TValueType::vaInt16: {
      std::int16_t V = 0;
      ReadRaw(&V, 2);
      Value.Integer = qFromLittleEndian(V);
      break;
    }
    case TValueType::vaInt32: {
      std::int32_t V = 0;
      ReadRaw(&V, 4);
      Value.Integer = qFromLittleEndian(V);
      break;
    }
    case TValueType::vaInt64: {
      std::int64_t V = 0;
      ReadRaw(&V, 8);
      Value.Integer = qFromLittleEndian(V);
      break;
    }
    case TValueType::vaExtended: {
      TExtended80 Bytes{};
      ReadRaw(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
      Value.Float = ExtendedToDouble(Bytes);
      break;
    }
    case TValueType::vaSingle: {
      std::uint32_t Bits = 0;
      ReadRaw(&Bits, 4);
      Bits = qFromLittleEndian(Bits);
      float F = 0;
      std::memcpy(&F, &Bits, 4);
      Value.Float = F;
      break;
    }
    case TValueType::vaCurrency: {
      std::int64_t V = 0;
      ReadRaw(&V, 8);
      Value.Float = static_cast<double>(qFromLittleEndian(V)) / 10000.0;  // four fixed decimals
      break;
    }
    case TValueType::vaDate:
    case TValueType::vaDouble: {
      std::uint64_t Bits = 0;
      ReadRaw(&Bits, 8);
      Bits = qFromLittleEndian(Bits);
      std::memcpy(&Value.Float, &Bits, 8);
      break;
    }
    case TValueType::vaString: {
      std::uint8_t Length = 0;
      ReadRaw(&Length, 1);
      QByteArray Bytes(Length, Qt::Uninitialized);
      ReadRaw(Bytes.data(), Length);
      Value.Text = QString::fromLatin1(Bytes);
      break;
    }
    case TValueType::vaLString:
    case TValueType::vaUTF8String: {
      const std::int64_t Length = ReadLength(1);
      QByteArray Bytes(static_cast<qsizetype>(Length), Qt::Uninitialized);
      ReadRaw(Bytes.data(), Length);
      Value.Text = Value.Type == TValueType::vaLString ? QString::fromLatin1(Bytes)
                                                       : QString::fromUtf8(Bytes);
      break;
    }
    case TValueType::vaWString: {
      const std::int64_t Length = ReadLength(2);
      QString Text(static_cast<qsizetype>(Length), Qt::Uninitialized);
      for (qsizetype I = 0; I < Text.size(); ++I) {
        std::uint16_t Unit = 0;
        ReadRaw(&Unit, 2);
        Text[I] = QChar(qFromLittleEndian(Unit));
      }
      Value.Text = Text;
      break;
    }
    case TValueType::vaIdent: Value.Text = ReadShortString(); break;
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil: break;
    case TValueType::vaBinary: {
      const std::int64_t Length = ReadLength(1);
      Value.Bytes.resize(static_cast<qsizetype>(Length));
      ReadRaw(Value.Bytes.data(), Length);
      break;
    }
    case TValueType::vaSet:
      for (QString Ident = ReadShortString(); !Ident.isEmpty(); Ident = ReadShortString())
        Value.Idents << Ident;
      break;
    case TValueType::vaCollection:
      while (!EndOfList()) Value.CollectionItems.push_back(ReadCollectionItem(Depth + 1));
      ReadListEnd();
      break;
  }
  return Value;
}

std::int64_t TReader::ReadInteger() {
  const TStreamValue Value = ReadAnyValue();
  if (!Value.IsInteger()) Corrupt(QStringLiteral("an integer expected"));
  return Value.Integer;
}

double TReader::ReadFloat() {
  const TStreamValue Value = ReadAnyValue();
  if (Value.IsFloat()) return Value.Float;
  if (Value.IsInteger()) return static_cast<double>(Value.Integer);
  Corrupt(QStringLiteral("a number expected"));
}

QString TReader::ReadString() {
  const TStreamValue Value = ReadAnyValue();
  if (!Value.IsString()) Corrupt(QStringLiteral("a string expected"));
  return Value.Text;
}

QString TReader::ReadIdent() {
  const TStreamValue Value = ReadAnyValue();
  switch (Value.Type) {
    case TValueType::vaIdent: return Value.Text;
    case TValueType::vaFalse: return QStringLiteral("False");
    case TValueType::vaTrue: return QStringLiteral("True");
    case TValueType::vaNil: return QStringLiteral("nil");
    default: Corrupt(QStringLiteral("an identifier expected"));
  }
}

bool TReader::ReadBoolean() {
  const TValueType Type = ReadValue();
  if (Type != TValueType::vaTrue && Type != TValueType::vaFalse)
    Corrupt(QStringLiteral("a boolean expected"));
  return Type == TValueType::vaTrue;
}

QByteArray TReader::ReadBinary() {
  const TStreamValue Value = ReadAnyValue();
  if (Value.Type != TValueType::vaBinary) Corrupt(QStringLiteral("binary data expected"));
  return Value.Bytes;
}

// -- errors

bool TReader::Error(const QString&) {
  return true;
}

bool TReader::IgnoreEventHandler(const QString&, const QString&) {
  return true;
}

void TReader::PropertyError(const QString& Message) {
  if (!Error(Message)) throw EReadError(Message);
}

// -- properties

void TReader::ReadProperties(TPersistent& Instance) {
  while (!EndOfList()) ReadProperty(Instance);
}

void TReader::ReadProperty(TPersistent& Instance) {
  const QString Path = ReadShortString();
  const TStreamValue Value = ReadAnyValue();
  ApplyProperty(Instance, Path, Value);
}

void TReader::ApplyProperty(TPersistent& Instance, const QString& Path, const TStreamValue& Value) {
  const QStringList Parts = Path.split(QLatin1Char('.'));
  TPersistent* Target = &Instance;
  for (int I = 0; I < Parts.size(); ++I) {
    const QString& Part = Parts.at(I);
    const TPublishedProperty* Property = Target->Properties().Find(Part);
    const bool Last = I == Parts.size() - 1;
    if (Property != nullptr && Property->Kind == TPropertyKind::pkClass && !Last) {
      Target = std::get<TPersistent*>(Property->Get(*Target));
      if (Target == nullptr)
        return PropertyError(QStringLiteral("Property %1 has no object").arg(Path));
      continue;
    }
    const bool StringsItem = Property != nullptr && Property->Kind == TPropertyKind::pkStrings &&
                             I == Parts.size() - 2 &&
                             Parts.at(I + 1).compare(StringsSuffix, Qt::CaseInsensitive) == 0;
    if (Property != nullptr && (Last || StringsItem)) return ApplyValue(*Target, *Property, Value);
    if (!Last) break;
    if (Part.startsWith(QLatin1String("On")) && Value.Type == TValueType::vaIdent &&
        IgnoreEventHandler(Path, Value.Text))
      return;
    try {
      if (Target->ReadLegacyProperty(Part, ToPropertyValue(Value))) return;
    } catch (const Exception& E) {
      return PropertyError(QStringLiteral("Error reading %1: %2").arg(Path, E.Message()));
    }
    break;
  }
  PropertyError(QStringLiteral("Property %1 does not exist").arg(Path));
}

void TReader::ApplyCollection(TPersistent& Target, const TPublishedProperty& Property,
                              const TStreamValue& Value) {
  const TCollectionAccess& Access = Property.Collection;
  if (!Access.Add || !Access.Clear)
    return PropertyError(QStringLiteral("Property %1 is read-only").arg(Property.Name));
  Access.Clear(Target);
  for (const auto& ItemProperties : Value.CollectionItems) {
    TPersistent* Item = Access.Add(Target);
    if (Item == nullptr) continue;
    for (const auto& [Name, ItemValue] : ItemProperties) ApplyProperty(*Item, Name, ItemValue);
  }
}

void TReader::ApplyValue(TPersistent& Target, const TPublishedProperty& Property,
                         const TStreamValue& Value) {
  const QString& Name = Property.Name;
  auto Invalid = [&] { PropertyError(QStringLiteral("Invalid property value for %1").arg(Name)); };
  if (Property.Kind == TPropertyKind::pkCollection) {
    if (Value.Type != TValueType::vaCollection) return Invalid();
    return ApplyCollection(Target, Property, Value);
  }
  if (!Property.Set) return PropertyError(QStringLiteral("Property %1 is read-only").arg(Name));
  std::optional<TPropertyValue> Converted;
  switch (Property.Kind) {
    case TPropertyKind::pkInteger:
      if (Value.IsInteger() && Value.Integer >= std::numeric_limits<int>::min() &&
          Value.Integer <= std::numeric_limits<int>::max())
        Converted = static_cast<int>(Value.Integer);
      break;
    case TPropertyKind::pkInt64:
      if (Value.IsInteger()) Converted = static_cast<qint64>(Value.Integer);
      break;
    case TPropertyKind::pkColor: {
      TColor Color = 0;
      if (Value.IsInteger() && Value.Integer >= std::numeric_limits<std::int32_t>::min() &&
          Value.Integer <= std::numeric_limits<std::uint32_t>::max())
        Converted = static_cast<TColor>(Value.Integer);
      else if (Value.Type == TValueType::vaIdent && IdentToColor(Value.Text, Color))
        Converted = Color;
      break;
    }
    case TPropertyKind::pkCursor: {
      TCursor Cursor = crDefault;
      if (Value.IsInteger() && Value.Integer >= std::numeric_limits<int>::min() &&
          Value.Integer <= std::numeric_limits<int>::max())
        Converted = static_cast<int>(Value.Integer);
      else if (Value.Type == TValueType::vaIdent && IdentToCursor(Value.Text, Cursor))
        Converted = Cursor;
      break;
    }
    case TPropertyKind::pkBool:
      if (Value.Type == TValueType::vaTrue || Value.Type == TValueType::vaFalse)
        Converted = Value.Type == TValueType::vaTrue;
      break;
    case TPropertyKind::pkDouble:
      if (Value.IsFloat())
        Converted = Value.Float;
      else if (Value.IsInteger())
        Converted = static_cast<double>(Value.Integer);
      break;
    case TPropertyKind::pkString:
      if (Value.IsString()) Converted = Value.Text;
      break;
    case TPropertyKind::pkComponent:
      if (Value.Type == TValueType::vaIdent || Value.IsString())
        Converted = Value.Text;
      else if (Value.Type == TValueType::vaNil)
        Converted = QString();
      break;
    case TPropertyKind::pkEnum: {
      int Ordinal = 0;
      if (Value.Type == TValueType::vaIdent && FindIdent(Property.EnumNames, Value.Text, Ordinal))
        Converted = Ordinal;
      break;
    }
    case TPropertyKind::pkSet: {
      if (Value.Type != TValueType::vaSet) break;
      int Mask = 0;
      bool Known = true;
      for (const QString& Ident : Value.Idents) {
        int Bit = 0;
        Known = Known && FindIdent(Property.EnumNames, Ident, Bit) && Bit < 32;
        if (Known) Mask |= 1 << Bit;
      }
      if (Known) Converted = Mask;
      break;
    }
    case TPropertyKind::pkIntegerList: {
      if (Value.Type != TValueType::vaList) break;
      TIntegerList List;
      for (const TStreamValue& Item : Value.Items) {
        if (!Item.IsInteger() || Item.Integer < std::numeric_limits<int>::min() ||
            Item.Integer > std::numeric_limits<int>::max())
          return Invalid();
        List.push_back(static_cast<int>(Item.Integer));
      }
      Converted = List;
      break;
    }
    case TPropertyKind::pkStrings:
    case TPropertyKind::pkStringArray: {
      if (Value.Type != TValueType::vaList) break;
      QStringList List;
      for (const TStreamValue& Item : Value.Items) {
        if (!Item.IsString()) return Invalid();
        List << Item.Text;
      }
      Converted = List;
      break;
    }
    case TPropertyKind::pkBinary:
      if (Value.Type == TValueType::vaBinary) Converted = Value.Bytes;
      break;
    case TPropertyKind::pkClass:
    case TPropertyKind::pkCollection: break;
  }
  if (!Converted) return Invalid();
  try {
    Property.Set(Target, *Converted);
  } catch (const Exception& E) {
    PropertyError(QStringLiteral("Error reading %1: %2").arg(Name, E.Message()));
  } catch (const std::bad_variant_access&) {
    Invalid();
  }
}

// -- components

void TReader::ReadPrefix() {
  const std::int64_t Position = FStream.Position();
  std::uint8_t Byte = 0;
  ReadRaw(&Byte, 1);
  if ((Byte & 0xF0) != 0xF0) {
    FStream.Seek(Position);
    return;
  }
  if ((Byte & ffChildPos) != 0) ReadInteger();
}

void TReader::ReadComponentBody(TComponent& Component) {
  if (++FDepth > MaxNesting) Corrupt(QStringLiteral("components nested too deeply"));
  auto* Persistent = dynamic_cast<TPersistent*>(&Component);
  if (Persistent == nullptr) Corrupt(QStringLiteral("a component without properties"));
  ReadProperties(*Persistent);
  ReadListEnd();
  while (!EndOfList()) ReadChild(Component);
  ReadListEnd();
  --FDepth;
}

void TReader::SkipComponentBody() {
  if (++FDepth > MaxNesting) Corrupt(QStringLiteral("components nested too deeply"));
  while (!EndOfList()) {
    ReadShortString();
    SkipValue();
  }
  ReadListEnd();
  while (!EndOfList()) {
    ReadPrefix();
    ReadShortString();
    ReadShortString();
    SkipComponentBody();
  }
  ReadListEnd();
  --FDepth;
}

void TReader::ReadChild(TComponent& Parent) {
  ReadPrefix();
  const QString ClassName = ReadShortString();
  const QString Name = ReadShortString();
  const TClassInfo* Class = GetClass(ClassName);
  if (Class == nullptr) {
    PropertyError(QStringLiteral("Class %1 not found").arg(ClassName));
    return SkipComponentBody();
  }
  if (!Class->IsComponent()) {
    PropertyError(QStringLiteral("Class %1 is not a component class").arg(ClassName));
    return SkipComponentBody();
  }
  TComponent* Child = Class->Create(FRoot);
  RememberLoaded(*Child);
  bool Placed = true;
  try {
    if (!Name.isEmpty()) {
      if (FRoot->FindComponent(Name.toStdString()) == nullptr)
        Child->SetName(Name.toStdString());
      else
        PropertyError(QStringLiteral("A component named %1 already exists").arg(Name));
    }
    Child->SetParentComponent(&Parent);
    Placed = !Child->HasParent() || Child->GetParentComponent() == &Parent;
    if (Placed) ReadComponentBody(*Child);
  } catch (...) {
    delete Child;
    throw;
  }
  if (Placed) return;
  // A parent that does not take the child (a series under a series) would
  // leave it owned but nowhere: it is dropped with what it holds.
  delete Child;
  const auto* ParentClass = dynamic_cast<const TPersistent*>(&Parent);
  PropertyError(QStringLiteral("A %1 cannot be placed in a %2")
                    .arg(ClassName, ParentClass != nullptr ? ParentClass->ClassName()
                                                           : QStringLiteral("component")));
  SkipComponentBody();
}

void TReader::RememberLoaded(TComponent& Component) {
  Component.SetStateFlag(TComponent::csLoading, true);
  Component.SetStateFlag(TComponent::csReading, true);
  FLoaded.push_back(&Component);
  Component.FreeNotification(FWatcher.get());
}

void TReader::FinishLoading() {
  for (TComponent* Component : FLoaded) Component->SetStateFlag(TComponent::csReading, false);
  // One at a time from the live list: finishing one may free another.
  while (!FLoaded.empty()) {
    TComponent* Component = FLoaded.front();
    FLoaded.erase(FLoaded.begin());
    Component->RemoveFreeNotification(FWatcher.get());
    Component->Loaded();
  }
}

void TReader::ReadRootComponent(TComponent& Root) {
  FRoot = &Root;
  FDepth = 0;
  RememberLoaded(Root);
  try {
    ReadPrefix();
    ReadShortString();  // the class name: the root's own class reads it
    ReadShortString();  // the root keeps the name it has
    ReadComponentBody(Root);
  } catch (...) {
    FinishLoading();
    throw;
  }
  FinishLoading();
}
