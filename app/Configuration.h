#pragma once

#include <QString>
#include <QStringList>

#include <memory>

#include "platform/TComponent.h"

class QTimer;
class QWidget;
class TMemIniFile;

// The program's configuration file held in memory (data role). A change only
// marks the document dirty; a 5,000 ms timer writes it, so a burst of
// changes costs one file write. One instance serves the whole program.
//
// Failures: a file that exists but cannot be read is never written (that
// would replace the user's file by an almost empty one); a failed write is
// reported once through the message-box hook and leaves the document dirty,
// so a later change or tick retries.
class Configuration : public TComponent {
 public:
  static constexpr int FlushInterval = 5000;  // ms

  // AName and ADirectory "0" stand for the defaults: the executable's file
  // name without its extension, and DefaultDirectory().
  Configuration(TComponent* AOwner, const QString& AName, const QString& ADirectory);
  ~Configuration() override;

  // The program's instance: the first one constructed, until it is freed.
  static Configuration* Instance();
  // Where the program keeps its own files (the configuration file and the
  // report logo): beside the executable, or, when that folder cannot be
  // written (an installed program), the "Korvale" folder of the user's
  // configuration location.
  static QString DefaultDirectory();

  bool GetDirty() const { return Dirty; }
  QString FileName() const;
  QTimer& GetFlushTimer() const { return *FlushTimer; }

  // False when the file exists but could not be read; the document is then
  // empty and is never written.
  bool OpenFile(const QString& AName, const QString& ADirectory);
  bool ValueExists(const QString& Section, const QString& Key) const;
  QString ReadString(const QString& Section, const QString& Key, const QString& Default) const;
  // Raises EConvertError for texts a line of the file cannot hold.
  void WriteString(const QString& Section, const QString& Key, const QString& Value);
  // The document's lines, as the editor shows them, and their replacement.
  QStringList Lines() const;
  void SetLines(const QStringList& Lines);

  // The timer event: writes the document when it has unsaved changes.
  void FlushIfDirty();
  void FlushNow();
  // Shows the editor modally; true unless it was left with Cancel or failed.
  bool EditFile(QWidget* Parent = nullptr);

 private:
  enum class TReadState { rsAbsent, rsRead, rsFailed };

  bool WriteFile();
  void ReportOnce(const QString& Text);

  bool Dirty = false;
  std::unique_ptr<QTimer> FlushTimer;
  std::unique_ptr<TMemIniFile> IniFile;
  TReadState FReadState = TReadState::rsAbsent;
  // caches: set once a failure was reported; reset by a successful write.
  bool FFailureReported = false;
};
