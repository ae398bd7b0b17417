#pragma once

#include <QString>

#include <vector>

// Interaction support: learns from the kernel which entries of one
// directory were made, removed, written or given another status since it
// was last asked, so that a poll of a folder of a thousand scans need not
// query every file. Reading what happened never blocks.
//
// What it says is trusted only where no change can go unreported: the
// watch could be set, the kernel dropped no events, the directory was
// neither moved nor removed, and it lies on a local file system (a share
// that other machines write to reports only this machine's changes). Where
// it is not trusted, the caller must look at every file itself.
class DirectoryWatch {
 public:
  // An entry made (or moved in) or removed (or moved out), in the order
  // the kernel reported them.
  struct TEntryChange {
    QString Name;
    bool Present = false;
  };
  struct TChanges {
    bool Trusted = false;
    // Names whose file was written, closed after writing, given another
    // status, made, moved in or removed; each name once.
    std::vector<QString> Touched;
    std::vector<TEntryChange> Entries;
  };

  DirectoryWatch() = default;
  ~DirectoryWatch();
  DirectoryWatch(const DirectoryWatch&) = delete;
  DirectoryWatch& operator=(const DirectoryWatch&) = delete;

  // Watches Directory from now on (ending any earlier watch); false when
  // what it will say cannot be trusted.
  bool Start(const QString& Directory);
  void Stop();
  // Why the kernel could not be asked to watch a folder on a disk it
  // watches (errno: the per-user limit of watches, of open handles), 0 when
  // it watches or the folder lies where no watch can be trusted anyway.
  int GetError() const { return FError; }
  // What happened since Start or the last call. Untrusted while the watch
  // cannot be trusted, and once after the kernel dropped events or the
  // watch had to be set again (a directory removed and made anew).
  TChanges TakeChanges();

  // True when Directory lies on a file system known to report every change
  // of its files to a watch on this machine.
  static bool ReportsEveryChange(const QString& Directory);

 private:
  bool AddWatch();
  // Reads every event queued; false when some were lost or the watch ended.
  bool ReadEvents(TChanges& Changes);

  QString FDirectory;
  int FDescriptor = -1;
  int FWatch = -1;
  bool FLocal = false;
  int FError = 0;
};
