// Feeds arbitrary bytes to the options store as its INI file: reading must
// give stored values or defaults, report damage at most once, and a write
// must leave a clean file that reads back what was written.
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/MessageBox.h"
#include "platform/OptionsStore.h"
#include "tests/fuzz/FuzzSanitizerOptions.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

int& Reports() {
  static int count = 0;
  return count;
}

void CountReport(const std::string&) {
  ++Reports();
}

// Removed again when the fuzzer exits.
struct TempFile {
  TempFile()
      : Path(QDir::tempPath() + QStringLiteral("/korvale-fuzz-options-%1.ini").arg(getpid())) {}
  ~TempFile() { QFile::remove(Path); }
  QString Path;
};

const QString& FileName() {
  static const TempFile file;
  return file.Path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  SetMessageBoxHook(&CountReport);
  const QByteArray bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  const ParsedOptions parsed = ParseOptionsText(bytes);
  for (const ParsedOptions::Entry& e : parsed.Entries) Check(!e.Name.isEmpty());

  {
    QFile file(FileName());
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }
  Reports() = 0;
  OptionsStore store(FileName());
  const QString key =
      parsed.Entries.empty() ? QStringLiteral("Editor") : parsed.Entries.front().Key;
  const QString name =
      parsed.Entries.empty() ? QStringLiteral("Left") : parsed.Entries.front().Name;
  store.ReadInteger(key, name, 7);
  store.ReadBool(key, name, true);
  store.ReadString(key, name, QString());
  Check(Reports() == (parsed.Damaged ? 1 : 0));

  // Keys or names the file format cannot hold are refused, never mangled.
  if (store.WriteString(key, name, QStringLiteral(" value\\with\nbreak "))) {
    OptionsStore fresh(FileName());
    Check(fresh.ReadString(key, name, QString()) == QStringLiteral(" value\\with\nbreak "));
    QFile file(FileName());
    Check(file.open(QIODevice::ReadOnly));
    Check(!ParseOptionsText(file.readAll()).Damaged);
  }
  store.ReadInteger(key, name, 0);
  Check(Reports() <= 1);
  SetMessageBoxHook(nullptr);
  return 0;
}
