#include "app/DirectoryChangeCheck.h"

#include <QFile>

#include <system_error>

bool DirectoryChangeCheck::MayHaveChanged(const QString& Dir) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_time_type stamp = fs::last_write_time(QFile::encodeName(Dir).toStdString(), error);
  if (error) {
    FDirectory.clear();
    FSeen.reset();
    FSettled = false;
    return true;
  }
  const bool unchanged = FSettled && Dir == FDirectory && FSeen == stamp;
  FDirectory = Dir;
  FSeen = stamp;
  // An entry made within the same step of the time as the last look would
  // leave the time as it was: only a time that lies a whole step back can
  // be trusted to move with the next change.
  FSettled = fs::file_time_type::clock::now() - stamp >= Resolution;
  return !unchanged;
}
