#include "app/SubdirectoryWalk.h"

#include <QByteArray>
#include <QFile>
#include <QSet>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace SubdirectoryWalk {

namespace {

fs::path ToPath(const QString& Path) {
  return fs::path(QFile::encodeName(Path).toStdString());
}

QString FromPath(const fs::path& Path) {
  return QFile::decodeName(QByteArray::fromStdString(Path.string()));
}

}  // namespace

std::optional<TEntries> ReadDirectory(const QString& Directory) {
  std::error_code error;
  fs::directory_iterator it(ToPath(Directory), error);
  if (error) return std::nullopt;
  TEntries entries;
  // An entry that vanishes or cannot be examined while the directory is read
  // is simply not a directory; a failing step ends the listing.
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    TEntry entry;
    entry.Name = FromPath(it->path().filename());
    entry.IsSymLink = it->is_symlink(error);
    if (error) entry.IsSymLink = false;
    entry.IsDirectory = it->is_directory(error);
    if (error) entry.IsDirectory = false;
    error.clear();
    entries.push_back(entry);
  }
  return entries;
}

QString WithTrailingDelimiter(const QString& Path) {
  return Path.endsWith(u'/') ? Path : Path + u'/';
}

namespace {

bool Walk(const QString& Directory, QStringList& List, const TReadDirectory& Read) {
  const std::optional<TEntries> entries = Read(Directory);
  if (!entries) return false;
  for (const TEntry& entry : *entries) {
    if (!entry.IsDirectory || entry.Name == u"." || entry.Name == u"..") continue;
    const QString path = Directory + entry.Name + u'/';
    if (entry.IsSymLink) {
      List.append(path);
      continue;
    }
    const qsizetype at = List.size();
    List.append(path);
    if (!Walk(path, List, Read)) List.removeAt(at);
  }
  return true;
}

}  // namespace

bool CollectSubdirectories(const QString& Directory, QStringList& List,
                           const TReadDirectory& Read) {
  QStringList found;
  if (!Walk(Directory, found, Read)) return false;
  QSet<QString> listed(List.begin(), List.end());
  for (const QString& path : found)
    if (!listed.contains(path)) {
      listed.insert(path);
      List.append(path);
    }
  return true;
}

}  // namespace SubdirectoryWalk
