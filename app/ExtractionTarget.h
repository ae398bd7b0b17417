#pragma once

#include <string>

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
  // root) where missing, then writes Bytes as a new file Name in it. A file
  // (or anything else) already there is left as it is. A write that fails
  // leaves no file behind. Error tells the system's reason for a failure.
  TWrite WriteNewFile(const std::string& Subdir, const std::string& Name, const std::string& Bytes,
                      std::string& Error) const;

 private:
  // An open folder handle of the root's Subdir, created where missing; -1
  // with Error on failure. The caller closes it.
  int OpenFolder(const std::string& Subdir, std::string& Error) const;

  std::string FParent;
  std::string FRootName;
  std::string FRoot;
};
