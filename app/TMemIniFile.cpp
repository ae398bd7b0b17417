#include "app/TMemIniFile.h"

#include "platform/Exception.h"
#include "platform/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace {

const QByteArray ByteOrderMark("\xEF\xBB\xBF");

bool SameName(const QString& A, const QString& B) {
  return A.compare(B, Qt::CaseInsensitive) == 0;
}

// "[Name]" (blanks allowed around the name and after the bracket).
bool IsSectionLine(const QString& Line, QString& Name) {
  const QString t = Line.trimmed();
  if (!t.startsWith(u'[')) return false;
  const qsizetype closing = t.indexOf(u']');
  if (closing < 1) return false;
  Name = t.mid(1, closing - 1).trimmed();
  return true;
}

QString Unquote(const QString& Value) {
  if (Value.size() >= 2 && Value.front() == u'"' && Value.back() == u'"')
    return Value.mid(1, Value.size() - 2);
  return Value;
}

// "Key=Value"; comments (";" or "#") and lines without a key are not pairs.
bool IsPairLine(const QString& Line, QString& Key, QString& Value) {
  const QString t = Line.trimmed();
  if (t.startsWith(u';') || t.startsWith(u'#') || t.startsWith(u'[')) return false;
  const qsizetype eq = t.indexOf(u'=');
  if (eq < 1) return false;
  Key = t.left(eq).trimmed();
  if (Key.isEmpty()) return false;
  Value = Unquote(t.mid(eq + 1).trimmed());
  return true;
}

bool HasControl(const QString& Text) {
  return std::any_of(Text.begin(), Text.end(), [](QChar c) { return c.unicode() < 0x20; });
}

bool HasLineBreak(const QString& Text) {
  return Text.contains(u'\r') || Text.contains(u'\n');
}

void CheckName(const QString& Name, const QString& What) {
  if (Name.isEmpty() || Name != Name.trimmed() || HasControl(Name))
    throw EConvertError(
        QStringLiteral("The %1 \"%2\" cannot be stored in an INI file").arg(What, Name));
}

void CheckWritable(const QString& Section, const QString& Key, const QString& Value) {
  CheckName(Section, QStringLiteral("section"));
  CheckName(Key, QStringLiteral("key"));
  if (Section.contains(u']'))
    throw EConvertError(QStringLiteral("The section \"%1\" cannot hold \"]\"").arg(Section));
  if (Key.contains(u'=') || Key.startsWith(u'[') || Key.startsWith(u';') || Key.startsWith(u'#'))
    throw EConvertError(QStringLiteral("The key \"%1\" cannot be stored in an INI file").arg(Key));
  if (HasLineBreak(Value))
    throw EConvertError(QStringLiteral("A value of \"%1\" cannot hold a line break").arg(Key));
}

// Blanks at the ends would be lost to trimming and a leading quote to
// unquoting: such values are written inside double quotes.
QString StoredValue(const QString& Value) {
  const bool quote = !Value.isEmpty() &&
                     (Value.front().isSpace() || Value.back().isSpace() || Value.front() == u'"');
  return quote ? u'"' + Value + u'"' : Value;
}

// The five bytes code page 1252 leaves undefined are read as the control
// characters of the same number, so that they are written back unchanged.
QString FromEightBit(const QByteArray& Bytes) {
  QString text(Bytes.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < Bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(Bytes[i]);
    const char16_t c = Windows1252::ToUnicode(byte);
    text[i] = QChar(c != 0 || byte == 0 ? c : char16_t(byte));
  }
  return text;
}

bool EightBitByte(QChar C, unsigned char& Byte) {
  const char16_t u = C.unicode();
  if (u >= 0x80 && u < 0xA0 && Windows1252::ToUnicode(static_cast<unsigned char>(u)) == 0) {
    Byte = static_cast<unsigned char>(u);
    return true;
  }
  return Windows1252::FromUnicode(u, Byte);
}

// The text of valid UTF-8 (marks of byte order in it kept as characters).
std::optional<QString> Decoded(const QByteArray& Bytes) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                  QStringConverter::Flag::ConvertInitialBom);
  QString text = utf8.decode(Bytes);
  if (utf8.hasError()) return std::nullopt;
  return text;
}

bool Representable(const QStringList& Lines) {
  unsigned char byte = 0;
  return std::all_of(Lines.begin(), Lines.end(), [&](const QString& line) {
    return std::all_of(line.begin(), line.end(), [&](QChar c) { return EightBitByte(c, byte); });
  });
}

QByteArray EightBitBytes(const QString& Line) {
  QByteArray bytes(Line.size(), Qt::Uninitialized);
  unsigned char byte = 0;
  for (qsizetype i = 0; i < Line.size(); ++i) {
    EightBitByte(Line[i], byte);
    bytes[i] = static_cast<char>(byte);
  }
  return bytes;
}

}  // namespace

TMemIniFile::TMemIniFile(const QString& AFileName) : FFileName(AFileName) {
  const QFileInfo info(AFileName);
  if (!info.exists() && !info.isSymLink()) return;
  QFile file(AFileName);
  if (info.isDir() || !file.open(QIODevice::ReadOnly))
    throw EFileError(QStringLiteral("Cannot read %1").arg(AFileName));
  // Read in pieces up to the limit: sizes of special files cannot be trusted.
  QByteArray bytes;
  char piece[1 << 16];
  qint64 n = 0;
  while ((n = file.read(piece, sizeof piece)) > 0) {
    bytes.append(piece, n);
    if (bytes.size() > MaxFileSize)
      throw EFileError(QStringLiteral("%1 is too large for a configuration file").arg(AFileName));
  }
  if (n < 0)
    throw EFileError(QStringLiteral("Cannot read %1: %2").arg(AFileName, file.errorString()));
  SetText(bytes);
}

bool TMemIniFile::SectionExists(const QString& Section) const {
  return FindSection(Section).First >= 0;
}

bool TMemIniFile::ValueExists(const QString& Section, const QString& Key) const {
  const Range range = FindSection(Section);
  return range.First >= 0 && FindKey(range, Key) >= 0;
}

QString TMemIniFile::ReadString(const QString& Section, const QString& Key,
                                const QString& Default) const {
  const Range range = FindSection(Section);
  const int line = range.First >= 0 ? FindKey(range, Key) : -1;
  if (line < 0) return Default;
  QString key, value;
  IsPairLine(FLines[line], key, value);
  return value;
}

void TMemIniFile::WriteString(const QString& Section, const QString& Key, const QString& Value) {
  CheckWritable(Section, Key, Value);
  const Range range = FindSection(Section);
  if (range.First < 0) {
    if (!FLines.isEmpty() && !FLines.back().trimmed().isEmpty()) FLines.append(QString());
    FLines.append(u'[' + Section + u']');
    FLines.append(Key + u'=' + StoredValue(Value));
    FFinalLineEnd = true;  // the lines added end as lines do
    return;
  }
  const int line = FindKey(range, Key);
  if (line >= 0) {
    // Keep the user's spelling of the key.
    QString key, old;
    IsPairLine(FLines[line], key, old);
    FLines[line] = key + u'=' + StoredValue(Value);
    return;
  }
  const int point = InsertionPoint(range);
  if (point == FLines.size()) FFinalLineEnd = true;
  FLines.insert(point, Key + u'=' + StoredValue(Value));
}

QByteArray TMemIniFile::Text() const {
  if (FEightBit && Representable(FLines)) {
    const QByteArray eightBit = Body(EightBitBytes);
    // Bytes that read as UTF-8 ("\xC3\xBC" once the only other 8-bit
    // character is gone) would read as other characters.
    if (!Decoded(eightBit)) return Marks() + eightBit;
  }
  return Marks() + Body([](const QString& Line) { return Line.toUtf8(); });
}

QByteArray TMemIniFile::Marks() const {
  return ByteOrderMark.repeated(FByteOrderMarks);
}

QByteArray TMemIniFile::Body(const std::function<QByteArray(const QString&)>& Encode) const {
  QByteArray bytes;
  for (qsizetype i = 0; i < FLines.size(); ++i) {
    bytes += Encode(FLines[i]);
    if (i + 1 < FLines.size() || FFinalLineEnd) bytes += FLineEnd;
  }
  return bytes;
}

void TMemIniFile::SetText(const QByteArray& Bytes) {
  // Every mark is kept, so a file with several reads the same after it was
  // written back.
  qsizetype start = 0;
  FByteOrderMarks = 0;
  while (Bytes.mid(start, ByteOrderMark.size()) == ByteOrderMark) {
    start += ByteOrderMark.size();
    ++FByteOrderMarks;
  }
  const QByteArray body = Bytes.mid(start);
  const qsizetype firstBreak = body.indexOf('\n');
  FLineEnd = firstBreak > 0 && body[firstBreak - 1] == '\r' ? "\r\n" : "\n";
  FFinalLineEnd = body.isEmpty() || body.endsWith('\n') || body.endsWith('\r');
  // A file that is not UTF-8 was written by a program of the 8-bit world.
  const std::optional<QString> utf8 = Decoded(body);
  FEightBit = !utf8;
  const QString text = FEightBit ? FromEightBit(body) : *utf8;
  FLines.clear();
  start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    FLines.append(text.mid(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) FLines.append(text.mid(start));
}

void TMemIniFile::UpdateFile() const {
  QSaveFile file(FFileName);
  // A folder we may not create files in still lets us rewrite a file in it.
  file.setDirectWriteFallback(true);
  const QByteArray bytes = Text();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw EFileError(QStringLiteral("Cannot write %1: %2").arg(FFileName, file.errorString()));
}

TMemIniFile::Range TMemIniFile::FindSection(const QString& Section) const {
  Range range;
  QString name;
  for (int i = 0; i < FLines.size(); ++i) {
    if (!IsSectionLine(FLines[i], name)) continue;
    if (range.First >= 0) {
      range.End = i;
      return range;
    }
    if (SameName(name, Section)) range.First = i;
  }
  if (range.First >= 0) range.End = static_cast<int>(FLines.size());
  return range;
}

int TMemIniFile::FindKey(const Range& Section, const QString& Key) const {
  QString key, value;
  for (int i = Section.First + 1; i < Section.End; ++i)
    if (IsPairLine(FLines[i], key, value) && SameName(key, Key)) return i;
  return -1;
}

int TMemIniFile::InsertionPoint(const Range& Section) const {
  int point = Section.End;
  while (point > Section.First + 1 && FLines[point - 1].trimmed().isEmpty()) --point;
  return point;
}
