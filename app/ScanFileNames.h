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
// Names (without path) of the entries of Directory that match Mask, sorted by
// Compare; directories are included as the file search does. Empty when the
// directory cannot be read.
QStringList ListMatching(const QString& Directory, const QString& Mask);

}  // namespace ScanFileNames
