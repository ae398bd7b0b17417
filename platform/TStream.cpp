#include "platform/TStream.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>

EReadError::EReadError() : Exception(QStringLiteral("Stream read error")) {}

void TStream::ReadBuffer(void* Buffer, qint64 Count) {
  if (Count <= 0) return;
  // Checked before reading, so that a short stream never leaves a value
  // half filled with bytes of the next one.
  if (Remaining() < Count) throw EReadError();
  if (Read(Buffer, Count) != Count) throw EReadError();
}

void TStream::WriteBuffer(const void* Buffer, qint64 Count) {
  if (Count <= 0) return;
  if (Write(Buffer, Count) != Count) throw EFileError(QStringLiteral("Stream write error"));
}

std::int32_t TStream::ReadInt32() {
  std::int32_t Value = 0;
  ReadBuffer(&Value, sizeof Value);
  return qFromLittleEndian(Value);
}

std::uint8_t TStream::ReadUInt8() {
  std::uint8_t Value = 0;
  ReadBuffer(&Value, sizeof Value);
  return Value;
}

double TStream::ReadDouble() {
  quint64 Bits = 0;
  ReadBuffer(&Bits, sizeof Bits);
  Bits = qFromLittleEndian(Bits);
  double Value = 0;
  std::memcpy(&Value, &Bits, sizeof Value);
  return Value;
}

TColor TStream::ReadColor() {
  quint32 Value = 0;
  ReadBuffer(&Value, sizeof Value);
  return qFromLittleEndian(Value);
}

void TStream::WriteInt32(std::int32_t Value) {
  const std::int32_t Little = qToLittleEndian(Value);
  WriteBuffer(&Little, sizeof Little);
}

void TStream::WriteUInt8(std::uint8_t Value) {
  WriteBuffer(&Value, sizeof Value);
}

void TStream::WriteDouble(double Value) {
  quint64 Bits = 0;
  std::memcpy(&Bits, &Value, sizeof Bits);
  Bits = qToLittleEndian(Bits);
  WriteBuffer(&Bits, sizeof Bits);
}

void TStream::WriteColor(TColor Value) {
  const quint32 Little = qToLittleEndian(static_cast<quint32>(Value));
  WriteBuffer(&Little, sizeof Little);
}

// -- TMemoryStream

qint64 TMemoryStream::Read(void* Buffer, qint64 Count) {
  const qint64 Taken = std::clamp<qint64>(Count, 0, Remaining());
  if (Taken == 0) return 0;
  std::memcpy(Buffer, FBytes.constData() + FPosition, static_cast<size_t>(Taken));
  FPosition += Taken;
  return Taken;
}

qint64 TMemoryStream::Write(const void* Buffer, qint64 Count) {
  if (Count <= 0) return 0;
  const qint64 End = FPosition + Count;
  if (End > FBytes.size()) FBytes.resize(End);
  std::memcpy(FBytes.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = End;
  return Count;
}

void TMemoryStream::Seek(qint64 Offset) {
  FPosition = std::clamp<qint64>(Offset, 0, Size());
}

TMemoryStream TMemoryStream::LoadFromFile(const QString& FileName) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly))
    throw EFileError(
        QStringLiteral("Cannot open file \"%1\": %2").arg(FileName, File.errorString()));
  const QByteArray Bytes = File.readAll();
  if (File.error() != QFileDevice::NoError)
    throw EFileError(
        QStringLiteral("Cannot read file \"%1\": %2").arg(FileName, File.errorString()));
  return TMemoryStream(Bytes);
}
