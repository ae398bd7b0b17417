#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// The walk that finds every directory below a chosen root (logic role).
// Depth first: a directory precedes its subdirectories, siblings come in the
// order the file system returns them. A symbolic link to a directory is
// listed but never entered, so a link that points back up the tree cannot
// make the walk endless; a subdirectory that cannot be read is left out and
// the walk goes on with its siblings.
namespace SubdirectoryWalk {

struct TEntry {
  QString Name;
  bool IsDirectory = false;  // also for a link to a directory
  bool IsSymLink = false;
};
using TEntries = std::vector<TEntry>;
// The entries of a directory, or nothing when it cannot be read.
using TReadDirectory = std::function<std::optional<TEntries>(const QString& Directory)>;

// The file system's entries of Directory (without "." and "..").
std::optional<TEntries> ReadDirectory(const QString& Directory);

// Path with one trailing "/" (none added when it has one).
QString WithTrailingDelimiter(const QString& Path);

// Appends to List every directory below Directory (which ends with "/"),
// each with a trailing "/", that List does not hold yet: walking a root
// again adds only what is new. False, with List unchanged, when Directory
// itself cannot be read.
bool CollectSubdirectories(const QString& Directory, QStringList& List,
                           const TReadDirectory& Read = ReadDirectory);

}  // namespace SubdirectoryWalk
