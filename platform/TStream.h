#pragma once

#include "platform/Exception.h"
#include "platform/TColor.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdint>

// A stream that ended before a read got all the bytes it asked for.
class EReadError : public Exception {
 public:
  EReadError();
  using Exception::Exception;
};

// A sequence of bytes with a current position, read and written in raw
// blocks. Binary properties (a series' points) are encoded through it.
class TStream {
 public:
  TStream() = default;
  virtual ~TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Up to Count bytes from the position; returns how many were read (fewer
  // at the end of the stream, none for Count <= 0).
  virtual qint64 Read(void* Buffer, qint64 Count) = 0;
  // Count bytes at the position; returns how many were written.
  virtual qint64 Write(const void* Buffer, qint64 Count) = 0;
  virtual qint64 Position() const = 0;
  virtual qint64 Size() const = 0;
  // Moves to Offset from the start, clamped to 0 .. Size.
  virtual void Seek(qint64 Offset) = 0;

  // Bytes between the position and the end.
  qint64 Remaining() const { return Size() - Position(); }
  // Exactly Count bytes, or EReadError when fewer remain; then nothing is
  // read and the position stays.
  void ReadBuffer(void* Buffer, qint64 Count);
  // Exactly Count bytes; raises EFileError when the stream takes fewer.
  void WriteBuffer(const void* Buffer, qint64 Count);

  // Little-endian fixed-size values, as binary stream formats store them.
  std::int32_t ReadInt32();
  std::uint8_t ReadUInt8();
  double ReadDouble();  // IEEE 754 binary64
  TColor ReadColor();   // the 32-bit colour value
  void WriteInt32(std::int32_t Value);
  void WriteUInt8(std::uint8_t Value);
  void WriteDouble(double Value);
  void WriteColor(TColor Value);
};

// A stream over bytes held in memory; writing past the end grows it.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  // A copy of Bytes, positioned at the start.
  explicit TMemoryStream(const QByteArray& Bytes) : FBytes(Bytes) {}
  // The whole file, positioned at the start; raises EFileError when it
  // cannot be read.
  static TMemoryStream LoadFromFile(const QString& FileName);

  qint64 Read(void* Buffer, qint64 Count) override;
  qint64 Write(const void* Buffer, qint64 Count) override;
  qint64 Position() const override { return FPosition; }
  qint64 Size() const override { return FBytes.size(); }
  void Seek(qint64 Offset) override;

  const QByteArray& Bytes() const { return FBytes; }

 private:
  QByteArray FBytes;
  qint64 FPosition = 0;
};
