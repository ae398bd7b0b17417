#pragma once

#include "platform/TFiler.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class TComponent;
class TPersistent;
class TStream;
struct TPublishedProperty;

// One value as a stream holds it, before it is given to a property: a
// property-level error can then skip it without losing the stream's place.
struct TStreamValue {
  TValueType Type = TValueType::vaNull;
  std::int64_t Integer = 0;
  double Float = 0;
  QString Text;                     // strings, identifiers
  QStringList Idents;               // sets
  QByteArray Bytes;                 // binary
  std::vector<TStreamValue> Items;  // lists
  // Collections: per item its properties in stream order.
  std::vector<std::vector<std::pair<QString, TStreamValue>>> CollectionItems;

  bool IsInteger() const;
  bool IsFloat() const;
  bool IsString() const;
};

// Reads a binary component stream into components. Two kinds of trouble
// are told apart: a structural error (the stream ends early, an unknown
// value tag, a length beyond the bytes left, nesting beyond reason) raises
// EReadError and ends the read; a property-level error (a property the
// class lacks, a value of the wrong kind or refused by its setter, a child
// of an unknown class) goes to Error and, when that answers true, the value
// or the child is skipped and reading goes on. Every count and length is
// checked against the bytes left before anything is allocated.
class TReader {
 public:
  explicit TReader(TStream& AStream);
  virtual ~TReader();
  TReader(const TReader&) = delete;
  TReader& operator=(const TReader&) = delete;

  // EReadError unless the next four bytes are the signature.
  void ReadSignature();
  // Reads the component at the position into Root, whatever class the
  // stream names for it; Root keeps its name. Children are made from their
  // registered classes, owned by Root, and handed the component they were
  // written under as parent before their properties are read. Every
  // component read gets Loaded once the whole tree is read (also when the
  // read fails part-way; a child whose read failed is freed).
  void ReadRootComponent(TComponent& Root);
  // Properties until the end marker, which is left for ReadListEnd.
  void ReadProperties(TPersistent& Instance);

  TValueType NextValue();
  TValueType ReadValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  std::int64_t ReadInteger();
  double ReadFloat();
  QString ReadString();
  QString ReadIdent();
  bool ReadBoolean();
  QByteArray ReadBinary();
  QString ReadShortString();
  // One value of any kind, whole.
  TStreamValue ReadAnyValue();
  void SkipValue() { ReadAnyValue(); }

 protected:
  // A property-level error: true skips it and goes on, false stops the read
  // (the message is raised as EReadError). The base skips.
  virtual bool Error(const QString& Message);
  // An event-handler binding (a property named On... holding a method name)
  // that the class does not publish; true ignores it without an error.
  virtual bool IgnoreEventHandler(const QString& Name, const QString& Method);

 private:
  void ReadComponentBody(TComponent& Component);
  void ReadChild(TComponent& Parent);
  void SkipComponentBody();
  void ReadProperty(TPersistent& Instance);
  void ApplyProperty(TPersistent& Instance, const QString& Path, const TStreamValue& Value);
  void ApplyValue(TPersistent& Target, const TPublishedProperty& Property,
                  const TStreamValue& Value);
  void ApplyCollection(TPersistent& Target, const TPublishedProperty& Property,
                       const TStreamValue& Value);
  void ReadPrefix();
  TStreamValue ReadAnyValueAt(int Depth);
  std::vector<std::pair<QString, TStreamValue>> ReadCollectionItem(int Depth);
  void PropertyError(const QString& Message);
  void ReadRaw(void* Buffer, std::int64_t Count);
  std::int64_t ReadLength(int UnitSize);
  void FinishLoading();
  void RememberLoaded(TComponent& Component);

  TStream& FStream;
  TComponent* FRoot = nullptr;
  // The components read so far that still exist: the watcher drops those
  // freed while the read goes on (a failed child takes its own children).
  std::vector<TComponent*> FLoaded;
  std::unique_ptr<TComponent> FWatcher;
  int FDepth = 0;
};
