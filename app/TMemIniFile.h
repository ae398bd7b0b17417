#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// An INI document held in memory (data role): "[Section]" lines and
// "Key=Value" lines, read whole from a file and written whole to it. Every
// line is kept as the user wrote it (order, comments, blank lines, lines it
// does not understand, its encoding); writing a value rewrites only that
// value's line, so a round trip changes nothing else. Section and key names compare without
// regard to case; the first occurrence of a section or key is the one read
// and written.
class TMemIniFile {
 public:
  // Files larger than this are refused: a configuration is a few lines.
  static constexpr qint64 MaxFileSize = 4 << 20;

  // An empty document with no file.
  TMemIniFile() = default;
  // Reads AFileName whole; a file that does not exist gives an empty
  // document. Raises EFileError when the file exists but cannot be read or
  // is larger than MaxFileSize.
  explicit TMemIniFile(const QString& AFileName);

  const QString& FileName() const { return FFileName; }
  void SetFileName(const QString& Value) { FFileName = Value; }

  bool SectionExists(const QString& Section) const;
  bool ValueExists(const QString& Section, const QString& Key) const;
  // Values are read without the blanks around them; a value written inside
  // double quotes is read without them.
  QString ReadString(const QString& Section, const QString& Key, const QString& Default) const;
  // Adds the section and the key when missing (a new key goes after the
  // section's last non-blank line). Raises EConvertError for a section, key
  // or value that a line of the file cannot hold (line breaks, "]" in a
  // section, "=" in a key, names with blanks at their ends or empty).
  void WriteString(const QString& Section, const QString& Key, const QString& Value);

  // Every line of the document in order.
  const QStringList& Lines() const { return FLines; }
  // Replaces the whole document by Lines (each then ends with a line end).
  void SetLines(const QStringList& Lines) {
    FLines = Lines;
    FFinalLineEnd = true;
  }

  // The document as file bytes and back; Bytes may hold anything. The text
  // is written as it was read: UTF-8, or, for a file that is not valid
  // UTF-8, Windows-1252 byte for byte (UTF-8 once it holds a character
  // that code page lacks, or once its bytes would read as UTF-8); with its
  // byte order marks, the line end it was read with after every line, and
  // the last line end where it had one.
  QByteArray Text() const;
  void SetText(const QByteArray& Bytes);

  // Writes the document to FileName, replacing the file only once the new
  // content is complete. Raises EFileError when it cannot be written.
  void UpdateFile() const;

 private:
  struct Range {
    int First = -1;  // the section's header line
    int End = -1;    // one past its last line
  };

  Range FindSection(const QString& Section) const;
  // Index of the key's line within the section, or -1.
  int FindKey(const Range& Section, const QString& Key) const;
  int InsertionPoint(const Range& Section) const;
  QByteArray Marks() const;
  // The lines, each encoded by Encode, with their line ends.
  QByteArray Body(const std::function<QByteArray(const QString&)>& Encode) const;

  QString FFileName;
  QStringList FLines;
  QByteArray FLineEnd = "\n";
  int FByteOrderMarks = 0;
  bool FEightBit = false;  // read as Windows-1252
  bool FFinalLineEnd = true;
};
