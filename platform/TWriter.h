#pragma once

#include "platform/TFiler.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class TComponent;
class TPersistent;
class TStream;
struct TPublishedProperty;

// Writes components and their published properties as a binary component
// stream. Sub-objects are flattened into dotted names ("Pen.Color"); colours
// and cursors that have a name are written by name. A property is left out
// when its stored rule says so; without a rule, when it equals the same
// property of a new component of the class (for registered classes: what a
// reader starts from, whatever defaults a constructor sets), else when it
// equals the table's default.
class TWriter {
 public:
  explicit TWriter(TStream& AStream) : FStream(AStream) {}
  TWriter(const TWriter&) = delete;
  TWriter& operator=(const TWriter&) = delete;

  // References to components owned by Root are written by their bare name.
  void SetRoot(TComponent* ARoot) { FRoot = ARoot; }
  TComponent* GetRoot() const { return FRoot; }

  void WriteSignature();
  // The component's class name and name, its properties, the end of the
  // properties, its children (each as a component), the end of the children.
  void WriteComponent(TComponent& Component);
  // Every stored published property of Instance, with no end marker.
  void WriteProperties(const TPersistent& Instance);

  void WriteListBegin();
  void WriteListEnd();
  // The smallest integer tag that holds Value.
  void WriteInteger(std::int64_t Value);
  void WriteFloat(double Value);
  // 8-bit text when every character is ASCII (short or long form by
  // length), UTF-16 text otherwise.
  void WriteString(const QString& Value);
  void WriteIdent(const QString& Ident);
  void WriteBoolean(bool Value);
  void WriteBinary(const QByteArray& Bytes);
  void WriteSet(const QStringList& Idents);
  void WriteValueType(TValueType Value);
  // A length byte and the text (names in headers and property names).
  void WriteShortString(const QString& Value);

 private:
  void WriteProperty(const TPersistent& Instance, const TPersistent* Fresh,
                     const TPublishedProperty& Property, const QString& Path);
  void WritePropertiesWithPath(const TPersistent& Instance, const TPersistent* Fresh,
                               const QString& Path);
  void WriteCollection(const TPersistent& Instance, const TPublishedProperty& Property);
  void WriteRaw(const void* Data, int Count);

  TStream& FStream;
  TComponent* FRoot = nullptr;
};
