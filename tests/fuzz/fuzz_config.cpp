// Feeds arbitrary bytes to the configuration file's INI document: reading
// must keep every line, write back what it read, and a value written under
// names taken from the input must read back from the text and from the file
// without changing any other line.
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/TMemIniFile.h"
#include "platform/Exception.h"
#include "tests/fuzz/FuzzSanitizerOptions.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

// Removed again when the fuzzer exits.
struct TempFile {
  TempFile()
      : Path(QDir::tempPath() + QStringLiteral("/korvale-fuzz-config-%1.cfg").arg(getpid())) {}
  ~TempFile() { QFile::remove(Path); }
  QString Path;
};

const QString& FileName() {
  static const TempFile file;
  return file.Path;
}

TMemIniFile Parsed(const QByteArray& Bytes) {
  TMemIniFile ini;
  ini.SetText(Bytes);
  return ini;
}

// Lines of Before not in After, or in After not in Before, beyond Allowed.
bool OnlyChanged(const QStringList& Before, const QStringList& After, int Allowed) {
  int i = 0;
  while (i < Before.size() && i < After.size() && Before[i] == After[i]) ++i;
  int j = 0;
  while (j < Before.size() - i && j < After.size() - i &&
         Before[Before.size() - 1 - j] == After[After.size() - 1 - j])
    ++j;
  return Before.size() - i - j <= 1 && After.size() - i - j <= Allowed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > (1u << 16)) return 0;
  const QByteArray bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  TMemIniFile ini = Parsed(bytes);
  const QByteArray text = ini.Text();
  Check(Parsed(text).Lines() == ini.Lines());
  Check(Parsed(text).Text() == text);

  // Names and a value from the input's first three lines.
  const QStringList parts = QString::fromUtf8(bytes).split(u'\n');
  const QString section = parts.value(0).trimmed();
  const QString key = parts.value(1).trimmed();
  const QString value = parts.value(2);
  const QStringList before = ini.Lines();
  try {
    ini.WriteString(section, key, value);
  } catch (const EConvertError&) {
    Check(ini.Lines() == before);
    return 0;
  }
  Check(ini.ReadString(section, key, QStringLiteral("\x01missing")) == value);
  Check(OnlyChanged(before, ini.Lines(), 3));
  Check(Parsed(ini.Text()).ReadString(section, key, QStringLiteral("\x01missing")) == value);

  ini.SetFileName(FileName());
  ini.UpdateFile();
  const TMemIniFile fromFile(FileName());
  Check(fromFile.Lines() == ini.Lines());
  Check(fromFile.ReadString(section, key, QStringLiteral("\x01missing")) == value);
  return 0;
}
