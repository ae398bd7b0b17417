#pragma once

#include <QString>

#include <utility>
#include <vector>

// Options that a desktop program keeps per user between runs, in place of
// the system registry: an INI file whose sections are registry-style keys
// ("SOFTWARE\Korvale\KorChart Pro\Editor") and whose entries are named
// values. Keys and value names compare without regard to case.
//
// Reading never fails: a missing file, key or value, or a value of the wrong
// kind, gives the caller's default. A damaged file (lines that are neither
// "[key]" nor "name=value", or an oversized file) is read as far as it makes
// sense; the user is told once per store through the message-box hook, and
// the next write rewrites the file cleanly.
class OptionsStore {
 public:
  explicit OptionsStore(const QString& AFileName);
  OptionsStore(const OptionsStore&) = delete;
  OptionsStore& operator=(const OptionsStore&) = delete;

  // The current user's store: Options.ini in the "Korvale" folder of the
  // generic configuration location (which tests redirect with
  // QStandardPaths::setTestModeEnabled).
  static OptionsStore& User();
  static QString UserFileName();

  const QString& FileName() const { return FFileName; }
  void SetFileName(const QString& Value);

  bool KeyExists(const QString& Key) const;
  bool ValueExists(const QString& Key, const QString& Name) const;

  int ReadInteger(const QString& Key, const QString& Name, int Default) const;
  bool ReadBool(const QString& Key, const QString& Name, bool Default) const;
  QString ReadString(const QString& Key, const QString& Name, const QString& Default) const;

  // Creates the key (and the file and its folder) when missing. False when
  // the file cannot be written; the stored options are then unchanged.
  bool WriteInteger(const QString& Key, const QString& Name, int Value);
  bool WriteBool(const QString& Key, const QString& Name, bool Value);
  bool WriteString(const QString& Key, const QString& Name, const QString& Value);

  // Largest file read; beyond it the rest counts as damage.
  static constexpr qint64 MaxFileSize = 1 << 20;

 private:
  struct Section {
    QString Key;
    std::vector<std::pair<QString, QString>> Values;
  };
  using Document = std::vector<Section>;

  Document Load() const;
  bool Save(const Document& Doc) const;
  bool WriteText(const QString& Key, const QString& Name, const QString& Text);
  // Raw text of a value, or false when the key or value is missing.
  bool Find(const QString& Key, const QString& Name, QString& Text) const;
  void ReportDamage() const;

  QString FFileName;
  // caches: set when the damage of the current file was reported; reset
  // when the file name changes.
  mutable bool FDamageReported = false;
};

// Text form of one INI document, exposed for the store's readers (and the
// fuzz target). Unparsable lines set Damaged and are skipped.
struct ParsedOptions {
  struct Entry {
    QString Key, Name, Value;
  };
  std::vector<Entry> Entries;
  bool Damaged = false;
};
ParsedOptions ParseOptionsText(const QByteArray& Bytes);
