#include "platform/TWriter.h"

#include "platform/ClassRegistry.h"
#include "platform/Cursors.h"
#include "platform/Exception.h"
#include "platform/Extended80.h"
#include "platform/TComponent.h"
#include "platform/TPersistent.h"
#include "platform/TStream.h"

#include <QtEndian>

#include <memory>

namespace {

// Sub-objects reach sub-objects; a table that loops back must not recurse
// for ever.
constexpr int MaxSubObjectDepth = 16;

bool IsAscii(const QString& Text) {
  for (const QChar C : Text)
    if (C.unicode() > 0x7F) return false;
  return true;
}

// Properties a stream sets back: sub-objects and collections are filled in
// place, everything else needs a setter.
bool IsWritable(const TPublishedProperty& Property) {
  return Property.Kind == TPropertyKind::pkClass || Property.Kind == TPropertyKind::pkCollection ||
         static_cast<bool>(Property.Set);
}

bool IsStoredAgainst(const TPublishedProperty& Property, const TPersistent& Instance,
                     const TPersistent* Fresh) {
  if (Property.Stored || Fresh == nullptr || !Property.Get) return Property.IsStored(Instance);
  return Property.Get(Instance) != Property.Get(*Fresh);
}

// A new component of Component's class, when the class is registered.
std::unique_ptr<TComponent> FreshOfClass(const TComponent& Component) {
  const TClassInfo* Class = GetClass(typeid(Component));
  return Class != nullptr && Class->IsComponent()
             ? std::unique_ptr<TComponent>(Class->Create(nullptr))
             : nullptr;
}

QString StreamClassName(const TComponent& Component) {
  const auto* Persistent = dynamic_cast<const TPersistent*>(&Component);
  if (Persistent == nullptr)
    throw EFileError(QStringLiteral("Cannot stream a component that publishes no properties"));
  return Persistent->ClassName();
}

}  // namespace

void TWriter::WriteRaw(const void* Data, int Count) {
  FStream.WriteBuffer(Data, Count);
}

void TWriter::WriteValueType(TValueType Value) {
  const auto Byte = static_cast<std::uint8_t>(Value);
  WriteRaw(&Byte, 1);
}

void TWriter::WriteSignature() {
  WriteRaw(FilerSignature().constData(), FilerSignature().size());
}

void TWriter::WriteShortString(const QString& Value) {
  const QByteArray Bytes = Value.toLatin1().left(255);
  const auto Length = static_cast<std::uint8_t>(Bytes.size());
  WriteRaw(&Length, 1);
  WriteRaw(Bytes.constData(), Bytes.size());
}

void TWriter::WriteListBegin() {
  WriteValueType(TValueType::vaList);
}

void TWriter::WriteListEnd() {
  WriteValueType(TValueType::vaNull);
}

void TWriter::WriteInteger(std::int64_t Value) {
  if (Value >= INT8_MIN && Value <= INT8_MAX) {
    WriteValueType(TValueType::vaInt8);
    const auto Byte = static_cast<std::int8_t>(Value);
    WriteRaw(&Byte, 1);
  } else if (Value >= INT16_MIN && Value <= INT16_MAX) {
    WriteValueType(TValueType::vaInt16);
    const auto Word = qToLittleEndian(static_cast<std::int16_t>(Value));
    WriteRaw(&Word, 2);
  } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
    WriteValueType(TValueType::vaInt32);
    const auto Long = qToLittleEndian(static_cast<std::int32_t>(Value));
    WriteRaw(&Long, 4);
  } else {
    WriteValueType(TValueType::vaInt64);
    const auto Quad = qToLittleEndian(Value);
    WriteRaw(&Quad, 8);
  }
}

void TWriter::WriteFloat(double Value) {
  WriteValueType(TValueType::vaExtended);
  const TExtended80 Bytes = DoubleToExtended(Value);
  WriteRaw(Bytes.data(), static_cast<int>(Bytes.size()));
}

void TWriter::WriteString(const QString& Value) {
  if (IsAscii(Value)) {
    const QByteArray Bytes = Value.toLatin1();
    if (Bytes.size() <= 255) {
      WriteValueType(TValueType::vaString);
      const auto Length = static_cast<std::uint8_t>(Bytes.size());
      WriteRaw(&Length, 1);
    } else {
      WriteValueType(TValueType::vaLString);
      const auto Length = qToLittleEndian(static_cast<std::int32_t>(Bytes.size()));
      WriteRaw(&Length, 4);
    }
    WriteRaw(Bytes.constData(), static_cast<int>(Bytes.size()));
    return;
  }
  WriteValueType(TValueType::vaWString);
  const auto Length = qToLittleEndian(static_cast<std::int32_t>(Value.size()));
  WriteRaw(&Length, 4);
  for (const QChar C : Value) {
    const auto Unit = qToLittleEndian(C.unicode());
    WriteRaw(&Unit, 2);
  }
}

void TWriter::WriteIdent(const QString& Ident) {
  if (Ident.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
    WriteValueType(TValueType::vaFalse);
  } else if (Ident.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
    WriteValueType(TValueType::vaTrue);
  } else if (Ident.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0) {
    WriteValueType(TValueType::vaNil);
  } else {
    WriteValueType(TValueType::vaIdent);
    WriteShortString(Ident);
  }
}

void TWriter::WriteBoolean(bool Value) {
  WriteValueType(Value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::WriteBinary(const QByteArray& Bytes) {
  WriteValueType(TValueType::vaBinary);
  const auto Length = qToLittleEndian(static_cast<std::int32_t>(Bytes.size()));
  WriteRaw(&Length, 4);
  WriteRaw(Bytes.constData(), static_cast<int>(Bytes.size()));
}

void TWriter::WriteSet(const QStringList& Idents) {
  WriteValueType(TValueType::vaSet);
  for (const QString& Ident : Idents) WriteShortString(Ident);
  WriteShortString(QString());
}

void TWriter::WriteComponent(TComponent& Component) {
  WriteShortString(StreamClassName(Component));
  WriteShortString(QString::fromStdString(Component.GetName()));
  Component.SetStateFlag(TComponent::csWriting, true);
  try {
    const std::unique_ptr<TComponent> Fresh = FreshOfClass(Component);
    WritePropertiesWithPath(dynamic_cast<const TPersistent&>(Component),
                            dynamic_cast<const TPersistent*>(Fresh.get()), QString());
    WriteListEnd();
    Component.GetChildren([this](TComponent* Child) { WriteComponent(*Child); }, FRoot);
    WriteListEnd();
  } catch (...) {
    Component.SetStateFlag(TComponent::csWriting, false);
    throw;
  }
  Component.SetStateFlag(TComponent::csWriting, false);
}

void TWriter::WriteProperties(const TPersistent& Instance) {
  WritePropertiesWithPath(Instance, nullptr, QString());
}

void TWriter::WritePropertiesWithPath(const TPersistent& Instance, const TPersistent* Fresh,
                                      const QString& Path) {
  if (Path.count(QLatin1Char('.')) > MaxSubObjectDepth)
    throw EFileError(QStringLiteral("Sub-objects nested too deeply at %1").arg(Path));
  for (const TPublishedProperty& Property : Instance.Properties())
    if (IsWritable(Property) && IsStoredAgainst(Property, Instance, Fresh))
      WriteProperty(Instance, Fresh, Property, Path);
}

void TWriter::WriteCollection(const TPersistent& Instance, const TPublishedProperty& Property) {
  WriteValueType(TValueType::vaCollection);
  const TCollectionAccess& Access = Property.Collection;
  const int Count = Access.Count(Instance);
  for (int I = 0; I < Count; ++I) {
    WriteListBegin();
    if (const TPersistent* Item = Access.Item(Instance, I)) WriteProperties(*Item);
    WriteListEnd();
  }
  WriteListEnd();
}

void TWriter::WriteProperty(const TPersistent& Instance, const TPersistent* Fresh,
                            const TPublishedProperty& Property, const QString& Path) {
  const QString Name = Path + Property.Name;
  switch (Property.Kind) {
    case TPropertyKind::pkClass:
      if (const TPersistent* Sub = std::get<TPersistent*>(Property.Get(Instance))) {
        const TPersistent* FreshSub =
            Fresh != nullptr ? std::get<TPersistent*>(Property.Get(*Fresh)) : nullptr;
        WritePropertiesWithPath(*Sub, FreshSub, Name + QLatin1Char('.'));
      }
      return;
    case TPropertyKind::pkCollection:
      WriteShortString(Name);
      WriteCollection(Instance, Property);
      return;
    case TPropertyKind::pkStrings: WriteShortString(Name + QStringLiteral(".Strings")); break;
    default: WriteShortString(Name); break;
  }
  const TPropertyValue Value = Property.Get(Instance);
  switch (Property.Kind) {
    case TPropertyKind::pkInteger: WriteInteger(std::get<int>(Value)); break;
    case TPropertyKind::pkInt64: WriteInteger(std::get<qint64>(Value)); break;
    case TPropertyKind::pkColor: {
      const TColor Color = std::get<TColor>(Value);
      QString Ident;
      if (ColorToIdent(Color, Ident))
        WriteIdent(Ident);
      else
        WriteInteger(static_cast<std::int32_t>(Color));
      break;
    }
    case TPropertyKind::pkCursor: {
      QString Ident;
      if (CursorToIdent(std::get<int>(Value), Ident))
        WriteIdent(Ident);
      else
        WriteInteger(std::get<int>(Value));
      break;
    }
    case TPropertyKind::pkBool: WriteBoolean(std::get<bool>(Value)); break;
    case TPropertyKind::pkDouble: WriteFloat(std::get<double>(Value)); break;
    case TPropertyKind::pkString: WriteString(std::get<QString>(Value)); break;
    case TPropertyKind::pkComponent: WriteIdent(std::get<QString>(Value)); break;
    case TPropertyKind::pkEnum: {
      const int Ordinal = std::get<int>(Value);
      if (Ordinal >= 0 && Ordinal < Property.EnumNames.size())
        WriteIdent(Property.EnumNames.at(Ordinal));
      else
        WriteInteger(Ordinal);
      break;
    }
    case TPropertyKind::pkSet: {
      const int Mask = std::get<int>(Value);
      QStringList Idents;
      for (int Bit = 0; Bit < Property.EnumNames.size() && Bit < 32; ++Bit)
        if ((Mask & (1 << Bit)) != 0) Idents << Property.EnumNames.at(Bit);
      WriteSet(Idents);
      break;
    }
    case TPropertyKind::pkIntegerList:
      WriteListBegin();
      for (const int Item : std::get<TIntegerList>(Value)) WriteInteger(Item);
      WriteListEnd();
      break;
    case TPropertyKind::pkStrings:
    case TPropertyKind::pkStringArray:
      WriteListBegin();
      for (const QString& Item : std::get<QStringList>(Value)) WriteString(Item);
      WriteListEnd();
      break;
    case TPropertyKind::pkBinary: WriteBinary(std::get<QByteArray>(Value)); break;
    case TPropertyKind::pkClass:
    case TPropertyKind::pkCollection: break;  // handled above
  }
}
