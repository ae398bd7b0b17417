#include "platform/OptionsStore.h"

#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>

namespace {

QString Unescape(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u'\\' && i + 1 < text.size()) {
      const QChar next = text[i + 1];
      if (next == u'\\' || next == u'n' || next == u'r') {
        out += next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : QChar(u'\\');
        ++i;
        continue;
      }
      const QString hex = text.mid(i + 2, 2);
      bool ok = false;
      const int code = next == u'x' && hex.size() == 2 ? hex.toInt(&ok, 16) : 0;
      if (ok) {
        out += QChar(code);
        i += 3;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

// Blanks at either end would be lost to trimming: such values, and values
// that start with a quote, are written inside double quotes.
bool NeedsQuotes(const QString& text) {
  return !text.isEmpty() &&
         (text.front().isSpace() || text.back().isSpace() || text.front() == u'"');
}

QString Unquote(const QString& text) {
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"')
    return text.mid(1, text.size() - 2);
  return text;
}

QString Escape(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    if (c == u'\\')
      out += QStringLiteral("\\\\");
    else if (c == u'\n')
      out += QStringLiteral("\\n");
    else if (c == u'\r')
      out += QStringLiteral("\\r");
    else if (c.unicode() < 0x20)
      out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
    else
      out += c;
  }
  return NeedsQuotes(text) ? u'"' + out + u'"' : out;
}

bool SameName(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Control characters (line breaks, NUL, ...) cannot stand in a key or a name.
bool HasControl(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x20; });
}

}  // namespace

ParsedOptions ParseOptionsText(const QByteArray& Bytes) {
  ParsedOptions parsed;
  QByteArray bytes = Bytes;
  if (bytes.size() > OptionsStore::MaxFileSize) {
    bytes.truncate(OptionsStore::MaxFileSize);
    parsed.Damaged = true;
  }
  if (bytes.contains('\0')) parsed.Damaged = true;
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString text = decoder.decode(bytes);
  if (decoder.hasError()) parsed.Damaged = true;

  QString key;
  bool inSection = false;
  for (QStringView line : QStringView(text).split(u'\n')) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) continue;
    if (line.startsWith(u'[')) {
      if (!line.endsWith(u']') || line.size() < 3) {
        parsed.Damaged = true;
        inSection = false;  // entries of a broken header belong nowhere
        continue;
      }
      key = line.mid(1, line.size() - 2).trimmed().toString();
      // A key the store could not write back ("[ ]", control characters)
      // is damage: its entries are not read, so a rewrite loses nothing
      // that was read and leaves a file that reads back clean.
      inSection = !key.isEmpty() && !HasControl(key);
      if (!inSection) parsed.Damaged = true;
      continue;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (!inSection || equals <= 0) {
      parsed.Damaged = true;
      continue;
    }
    const QString name = line.left(equals).trimmed().toString();
    if (name.isEmpty() || HasControl(name)) {
      parsed.Damaged = true;
      continue;
    }
    parsed.Entries.push_back(
        {key, name, Unescape(Unquote(line.mid(equals + 1).trimmed().toString()))});
  }
  return parsed;
}

OptionsStore::OptionsStore(const QString& AFileName) : FFileName(AFileName) {}

QString OptionsStore::UserFileName() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Korvale/Options.ini");
}

OptionsStore& OptionsStore::User() {
  static OptionsStore store(UserFileName());
  // Test mode may have been switched on after the first use.
  store.SetFileName(UserFileName());
  return store;
}

void OptionsStore::SetFileName(const QString& Value) {
  if (Value == FFileName) return;
  FFileName = Value;
  FDamageReported = false;
}

void OptionsStore::ReportDamage() const {
  if (FDamageReported) return;
  FDamageReported = true;
  ShowMessageBox(QStringLiteral("The options file \"%1\" is damaged. Unreadable entries are "
                                "ignored and the file is rewritten at the next change.")
                     .arg(QDir::toNativeSeparators(FFileName))
                     .toStdString());
}

OptionsStore::Document OptionsStore::Load() const {
  Document doc;
  QFile file(FFileName);
  if (!file.exists() || !file.open(QIODevice::ReadOnly)) return doc;
  const ParsedOptions parsed = ParseOptionsText(file.read(MaxFileSize + 1));
  if (parsed.Damaged) ReportDamage();
  for (const ParsedOptions::Entry& e : parsed.Entries) {
    auto section = std::find_if(doc.begin(), doc.end(),
                                [&](const Section& s) { return SameName(s.Key, e.Key); });
    if (section == doc.end()) section = doc.insert(doc.end(), Section{e.Key, {}});
    auto value = std::find_if(section->Values.begin(), section->Values.end(),
                              [&](const auto& v) { return SameName(v.first, e.Name); });
    if (value == section->Values.end())
      section->Values.emplace_back(e.Name, e.Value);
    else
      value->second = e.Value;  // the last of duplicate entries wins
  }
  return doc;
}

bool OptionsStore::Save(const Document& Doc) const {
  if (!QDir().mkpath(QFileInfo(FFileName).absolutePath())) return false;
  QString text;
  for (const Section& s : Doc) {
    // The parser never yields keys or names the format cannot hold, and
    // writers refuse them, so everything is written as it is.
    text += u'[' + s.Key + QStringLiteral("]\n");
    for (const auto& [name, value] : s.Values) text += name + u'=' + Escape(value) + u'\n';
    text += u'\n';
  }
  QSaveFile file(FFileName);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text.toUtf8());
  return file.commit();
}

bool OptionsStore::Find(const QString& Key, const QString& Name, QString& Text) const {
  for (const Section& s : Load()) {
    if (!SameName(s.Key, Key)) continue;
    for (const auto& [name, value] : s.Values)
      if (SameName(name, Name)) {
        Text = value;
        return true;
      }
  }
  return false;
}

bool OptionsStore::KeyExists(const QString& Key) const {
  const Document doc = Load();
  return std::any_of(doc.begin(), doc.end(),
                     [&](const Section& s) { return SameName(s.Key, Key); });
}

bool OptionsStore::ValueExists(const QString& Key, const QString& Name) const {
  QString text;
  return Find(Key, Name, text);
}

int OptionsStore::ReadInteger(const QString& Key, const QString& Name, int Default) const {
  QString text;
  if (!Find(Key, Name, text)) return Default;
  bool ok = false;
  const int value = text.toInt(&ok);  // C-locale digits, whole text
  return ok ? value : Default;
}

bool OptionsStore::ReadBool(const QString& Key, const QString& Name, bool Default) const {
  QString text;
  if (!Find(Key, Name, text)) return Default;
  if (text == u'1' || SameName(text, QStringLiteral("true"))) return true;
  if (text == u'0' || SameName(text, QStringLiteral("false"))) return false;
  return Default;
}

QString OptionsStore::ReadString(const QString& Key, const QString& Name,
                                 const QString& Default) const {
  QString text;
  return Find(Key, Name, text) ? text : Default;
}

bool OptionsStore::WriteText(const QString& Key, const QString& Name, const QString& Text) {
  // Names the file format could not give back are refused, not mangled.
  if (Key.trimmed().isEmpty() || HasControl(Key) || Key.contains(u']') ||
      Name.trimmed().isEmpty() || HasControl(Name) || Name.contains(u'=') ||
      Name.trimmed() != Name || Key.trimmed() != Key || Name.startsWith(u'[') ||
      Name.startsWith(u';') || Name.startsWith(u'#'))
    return false;
  Document doc = Load();
  auto section =
      std::find_if(doc.begin(), doc.end(), [&](const Section& s) { return SameName(s.Key, Key); });
  if (section == doc.end()) section = doc.insert(doc.end(), Section{Key, {}});
  auto value = std::find_if(section->Values.begin(), section->Values.end(),
                            [&](const auto& v) { return SameName(v.first, Name); });
  if (value == section->Values.end())
    section->Values.emplace_back(Name, Text);
  else
    value->second = Text;
  return Save(doc);
}

bool OptionsStore::WriteInteger(const QString& Key, const QString& Name, int Value) {
  return WriteText(Key, Name, QString::number(Value));
}

bool OptionsStore::WriteBool(const QString& Key, const QString& Name, bool Value) {
  return WriteText(Key, Name, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool OptionsStore::WriteString(const QString& Key, const QString& Name, const QString& Value) {
  return WriteText(Key, Name, Value);
}
