#pragma once

#include <QString>
#include <QStringList>

// File names of scan files as the program compares, matches and lists them.
// Real runs write lower-case extensions while channel masks are written in
// upper case, so every comparison and match here ignores case; sorting and
// searching use the same comparison so that a sorted list can be searched.
namespace ScanFileNames {

// <0, 0 or >0 as A sorts before, with or after B, ignoring case.
int Compare(const QString& A, const QString& B);
// True when Name matches the wildcard Mask ("*" any run of characters, "?"
// one character), ignoring case.
bool MatchesMask(const QString& Name, const QString& Mask);
// The order of a listing: by Compare, and names equal but for case in one
// order whatever order the directory gives them in.
bool ListedBefore(const QString& A, const QString& B);
// Sorts Names in place by Compare.
void Sort(QStringList& Names);
// True when the sorted list Names holds Name (by Compare).
bool SortedContains(const QStringList& Names, const QString& Name);
// False for the names a writer gives a file it has not finished and will
// rename: hidden names (a leading dot) and the usual temporary forms ("~"
// before or after the name, ".tmp" or ".part" at its end, in any case).
// Such a file is never a scan, whatever mask it matches.
bool IsScanName(const QString& Name);
// The scan number a name carries: the last run of digits before its
// extension (21 for "00021.IP2", 9 for "Run9.RA1"); -1 when there is none.
long long ScanNumber(const QString& Name);

// A directory's entries that match a mask, or why they could not be listed.
struct TListing {
  QStringList Names;
  int Error = 0;  // errno of opening the directory; 0 when it was read
};
// Names (without path) of the entries of Directory that match Mask and may
// be scans (IsScanName), sorted by ListedBefore; directories are included as
// the file search does.
TListing ListScanEntries(const QString& Directory, const QString& Mask);
// The names of ListScanEntries; empty when the directory cannot be read.
QStringList ListMatching(const QString& Directory, const QString& Mask);

}  // namespace ScanFileNames
