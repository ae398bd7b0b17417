#pragma once

#include <cstddef>
#include <string>

// A file below an extraction target, written piece by piece under a
// temporary name (data role helper of ExtractionTarget) until
// ExtractionTarget::PlaceFile gives it its member's name. Until then, and
// whenever a write fails or is abandoned, the temporary name is removed when
// this object goes or Discard is called, so nothing partial is left behind
// and nothing already there is touched.
class ExtractionFile {
 public:
  ExtractionFile() = default;
  ~ExtractionFile();
  ExtractionFile(const ExtractionFile&) = delete;
  ExtractionFile& operator=(const ExtractionFile&) = delete;

  bool IsOpen() const { return FFd >= 0; }
  // Error tells the system's reason for a failure.
  bool Write(const char* Bytes, size_t Count, std::string& Error);
  // Closes and removes the file now.
  void Discard();

 private:
  friend class ExtractionTarget;
  // Closes the file if it is open, with its data on the disk first when
  // Durable; true when it was already closed.
  bool Close(bool Durable, std::string& Error);
  void Reset();

  int FFolder = -1;   // the folder holding the file, open while the file is ours
  int FFd = -1;       // -1 once closed
  std::string FName;  // the temporary name within FFolder; empty once placed
};

// The folder tree an archive unpacks into (data role). Everything is reached
// through open folder handles and created without following links: a folder
// or file below the root that is a link (left there by anyone) is never gone
// through, so nothing is created outside the root. The root itself is a
// folder of the given name in a parent folder the user chose.
//
// A member's file is written whole under a temporary name in its folder and
// only then takes its name: a regular file there (say of an earlier
// extraction) is replaced at once by a rename, and anything else there
// (a link, a FIFO, a socket, a device, a folder) is never opened, written
// through or replaced.
//
// Paths here are byte strings, as file names are on this system.
class ExtractionTarget {
 public:
  enum class TWrite {
    twWritten,         // under a name that was free
    twReplaced,        // in place of a regular file of that name
    twReplacedLinked,  // likewise, but that file had other names (hard links), which keep its data
    twObstructed,      // something other than a regular file has the name; left as it is
    twFolderFailed,
    twWriteFailed
  };
  // The file is under its name (written or replaced).
  static bool IsWritten(TWrite Result);

  // RootName empty: the parent folder itself is the root.
  ExtractionTarget(const std::string& Parent, const std::string& RootName);
  ExtractionTarget(const ExtractionTarget&) = delete;
  ExtractionTarget& operator=(const ExtractionTarget&) = delete;

  // Parent + "/" + RootName.
  const std::string& Root() const { return FRoot; }
  // Root + "/" + Subdir + "/" + Name (Subdir empty: Root + "/" + Name).
  std::string PathOf(const std::string& Subdir, const std::string& Name) const;

  // Creates the folders of Subdir ("Cell2/Absorbance/280", empty for the
  // root) where missing, then opens a temporary file beside Name in it into
  // File (twWritten). twObstructed when something other than a regular file
  // has the name already. On failure Error says why: for a folder, naming
  // the part of the path that failed ("<path> is a symbolic link",
  // "<path>: <reason>"); for an obstruction, "<path> is a FIFO" and the like;
  // otherwise the system's reason.
  TWrite CreateMemberFile(const std::string& Subdir, const std::string& Name, ExtractionFile& File,
                          std::string& Error) const;
  // Opens a new hidden file in the root for data whose place is not known
  // yet (twWritten); PlaceFile later gives it its place.
  TWrite CreateHoldingFile(ExtractionFile& File, std::string& Error) const;
  // Closes File and gives it the name Name in Subdir (created where
  // missing): twWritten, twReplaced or twReplacedLinked. Otherwise File is
  // discarded and what was there is left as it was (Error as above).
  TWrite PlaceFile(ExtractionFile& File, const std::string& Subdir, const std::string& Name,
                   std::string& Error) const;

 private:
  // An open folder handle of the root's Subdir, created where missing; -1
  // with Error on failure. The caller closes it.
  int OpenFolder(const std::string& Subdir, std::string& Error) const;
  // What placing a file under Name in Folder would do: twWritten (the name
  // is free), twReplaced, twReplacedLinked, or twObstructed / twWriteFailed
  // with Error (Path names the entry in it).
  static TWrite Inspect(int Folder, const std::string& Name, const std::string& Path,
                        std::string& Error);
  // Opens a new file of a temporary name other than Avoid in Folder into
  // File, which takes over Folder on success; the caller closes it otherwise.
  static bool CreateTemporary(int Folder, const std::string& Avoid, ExtractionFile& File,
                              std::string& Error);

  std::string FParent;
  std::string FRootName;
  std::string FRoot;
};
