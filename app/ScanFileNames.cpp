#include "app/ScanFileNames.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <memory>

#include <dirent.h>

namespace ScanFileNames {

int Compare(const QString& A, const QString& B) {
  return QString::compare(A, B, Qt::CaseInsensitive);
}

namespace {

// Iterative wildcard match with one back-track point: linear in practice and
// without recursion, whatever a file name holds.
bool MatchFrom(const QString& Name, const QString& Mask) {
  qsizetype n = 0, m = 0, starMask = -1, starName = 0;
  while (n < Name.size()) {
    if (m < Mask.size() && Mask[m] == u'*') {
      starMask = m++;
      starName = n;
    } else if (m < Mask.size() &&
               (Mask[m] == u'?' || Mask[m].toCaseFolded() == Name[n].toCaseFolded())) {
      ++m;
      ++n;
    } else if (starMask >= 0) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < Mask.size() && Mask[m] == u'*') ++m;
  return m == Mask.size();
}

}  // namespace

bool ListedBefore(const QString& A, const QString& B) {
  const int order = Compare(A, B);
  return order != 0 ? order < 0 : A < B;
}

bool MatchesMask(const QString& Name, const QString& Mask) {
  return MatchFrom(Name, Mask);
}

void Sort(QStringList& Names) {
  std::stable_sort(Names.begin(), Names.end(),
                   [](const QString& A, const QString& B) { return Compare(A, B) < 0; });
}

bool SortedContains(const QStringList& Names, const QString& Name) {
  const auto it =
      std::lower_bound(Names.begin(), Names.end(), Name,
                       [](const QString& A, const QString& B) { return Compare(A, B) < 0; });
  return it != Names.end() && Compare(*it, Name) == 0;
}

QStringList ListMatching(const QString& Directory, const QString& Mask) {
  QStringList result;
  if (Directory.trimmed().isEmpty()) return result;
  // One read of the directory and no status query per entry: polls list
  // folders of a thousand scans every few seconds.
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(QFile::encodeName(Directory).constData()),
                                                ::closedir);
  if (!dir) return result;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    const QString name = QFile::decodeName(entry->d_name);
    if (MatchesMask(name, Mask)) result.append(name);
  }
  std::sort(result.begin(), result.end(), ListedBefore);
  return result;
}

}  // namespace ScanFileNames
