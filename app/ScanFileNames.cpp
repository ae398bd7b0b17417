#include "app/ScanFileNames.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
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

bool IsScanName(const QString& Name) {
  if (Name.isEmpty() || Name.startsWith(u'.') || Name.startsWith(u'~') || Name.endsWith(u'~'))
    return false;
  return !Name.endsWith(QStringLiteral(".tmp"), Qt::CaseInsensitive) &&
         !Name.endsWith(QStringLiteral(".part"), Qt::CaseInsensitive);
}

long long ScanNumber(const QString& Name) {
  const qsizetype dot = Name.lastIndexOf(u'.');
  qsizetype end = dot < 0 ? Name.size() : dot;
  while (end > 0 && !Name[end - 1].isDigit()) --end;
  qsizetype start = end;
  while (start > 0 && Name[start - 1].isDigit()) --start;
  // More digits than a 64-bit number holds are no scan number of a run.
  if (start == end || end - start > 18) return -1;
  return Name.mid(start, end - start).toLongLong();
}

TListing ListScanEntries(const QString& Directory, const QString& Mask) {
  TListing listing;
  if (Directory.trimmed().isEmpty()) {
    listing.Error = ENOENT;
    return listing;
  }
  // One read of the directory and no status query per entry: polls list
  // folders of a thousand scans every few seconds.
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(QFile::encodeName(Directory).constData()),
                                                ::closedir);
  if (!dir) {
    listing.Error = errno != 0 ? errno : EIO;
    return listing;
  }
  while (const dirent* entry = ::readdir(dir.get())) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    const QString name = QFile::decodeName(entry->d_name);
    if (IsScanName(name) && MatchesMask(name, Mask)) listing.Names.append(name);
  }
  std::sort(listing.Names.begin(), listing.Names.end(), ListedBefore);
  return listing;
}

QStringList ListMatching(const QString& Directory, const QString& Mask) {
  return ListScanEntries(Directory, Mask).Names;
}

}  // namespace ScanFileNames
