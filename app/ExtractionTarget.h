#pragma once

#include <cstddef>
#include <string>

// A new file below an extraction target, written piece by piece (data role
// helper of ExtractionTarget). It stays only once Keep was called after a
// successful Close; otherwise it is removed when this object goes, so a
// write that fails or is abandoned leaves no partial file behind.
class ExtractionFile {
 public:
  ExtractionFile() = default;
  ~ExtractionFile();
  ExtractionFile(const ExtractionFile&) = delete;
  ExtractionFile& operator=(const ExtractionFile&) = delete;

  bool IsOpen() const { return FFd >= 0; }
  // Error tells the system's reason for a failure.
  bool Write(const char* Bytes, size_t Count, std::string& Error);
  bool Close(std::string& Error);
  void Keep() { FKeep = true; }
  // Closes and removes the file now.
  void Discard();

 private:
  friend class ExtractionTarget;
  void Reset();

  int FFolder = -1;  // the folder holding the file, open while the file is ours
  int FFd = -1;
  std::string FName;  // within FFolder
  bool FKeep = false;
};

// The folder tree an archive unpacks into (data role). Everything is reached
// through open folder handles and created without following links: a folder
// or file below the root that is a link (left there by anyone) is never gone
// through, so nothing is created outside the root. The root itself is a
// folder of the given name in a parent folder the user chose.
//
// Paths here are byte strings, as file names are on this system.
class ExtractionTarget {
 public:
  enum class TWrite { twWritten, twExisted, twFolderFailed, twWriteFailed };

  // RootName empty: the parent folder itself is the root.
  ExtractionTarget(const std::string& Parent, const std::string& RootName);
  ExtractionTarget(const ExtractionTarget&) = delete;
  ExtractionTarget& operator=(const ExtractionTarget&) = delete;

  // Parent + "/" + RootName.
  const std::string& Root() const { return FRoot; }

  // Creates the folders of Subdir ("Cell2/Absorbance/280", empty for the
  // root) where missing, then opens a new file Name in it into File
  // (twWritten). A file (or anything else) already there is left as it is
  // (twExisted). Error tells the system's reason for a failure.
  TWrite CreateNewFile(const std::string& Subdir, const std::string& Name, ExtractionFile& File,
                       std::string& Error) const;
  // Opens a new hidden file in the root for data whose place is not known
  // yet; PlaceFile later gives it its place.
  bool CreateHoldingFile(ExtractionFile& File, std::string& Error) const;
  // Gives the closed holding file the name Name in Subdir (created where
  // missing), unless something of that name is there already.
  TWrite PlaceFile(ExtractionFile& File, const std::string& Subdir, const std::string& Name,
                   std::string& Error) const;

 private:
  // An open folder handle of the root's Subdir, created where missing; -1
  // with Error on failure. The caller closes it.
  int OpenFolder(const std::string& Subdir, std::string& Error) const;

  std::string FParent;
  std::string FRootName;
  std::string FRoot;
};
