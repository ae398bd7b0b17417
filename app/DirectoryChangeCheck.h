#pragma once

#include <QString>

#include <chrono>
#include <filesystem>
#include <optional>

// Interaction support: tells whether a directory may hold other entries
// than when it was last looked at, from its modification time (which every
// entry added, removed or renamed sets), so that watching a directory that
// did not change costs one status query instead of a listing.
class DirectoryChangeCheck {
 public:
  // True on the first call for Dir, when its modification time differs
  // from the one the last call saw, when it cannot be read, and while the
  // time seen was too recent to rule out a change within the file
  // system's time resolution behind it. Remembers what it saw.
  bool MayHaveChanged(const QString& Dir);

  // Coarse file systems keep modification times in steps of two seconds.
  static constexpr std::chrono::seconds Resolution{2};

 private:
  QString FDirectory;
  std::optional<std::filesystem::file_time_type> FSeen;
  // The time seen was old enough when it was seen.
  bool FSettled = false;
};
