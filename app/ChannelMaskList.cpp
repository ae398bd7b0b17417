#include "app/ChannelMaskList.h"

#include "app/ScanFileNames.h"

#include <QDir>

#include <algorithm>

namespace ChannelMaskList {

namespace {

const QStringList& Prefixes() {
  static const QStringList prefixes = {"0*.", "A*.", "B*.", "C*.", "D*.", "Run*."};
  return prefixes;
}

// The five prefixes a file's extension is tried with; "Run*." adds no
// extension of its own.
const QStringList& ExtensionPrefixes() {
  static const QStringList prefixes = {"0*", "A*", "B*", "C*", "D*"};
  return prefixes;
}

const QString IntensityType = QStringLiteral("RI");
const QString ReferenceSuffix = QStringLiteral("Ref");
const QString SampleSuffix = QStringLiteral("Sam");

bool ContainsIgnoringCase(const QStringList& Masks, const QString& Mask) {
  return std::any_of(Masks.begin(), Masks.end(),
                     [&](const QString& m) { return ScanFileNames::Compare(m, Mask) == 0; });
}

bool AnyEntryMatches(const QStringList& Entries, const QString& Mask) {
  return std::any_of(Entries.begin(), Entries.end(),
                     [&](const QString& name) { return ScanFileNames::MatchesMask(name, Mask); });
}

}  // namespace

void AddChannelMasks(QStringList& Masks, const QString& TypeLetters) {
  for (int cell = 1; cell <= 8; ++cell)
    for (const QString& prefix : Prefixes())
      Masks.append(prefix + TypeLetters + QString::number(cell));
}

void AddSectorMasks(QStringList& Masks) {
  for (const QString& prefix : ExtensionPrefixes()) Masks.append(prefix + QStringLiteral(".IPS"));
}

QStringList AllChannelMasks() {
  QStringList masks;
  for (const char* type : {"IP", "RA", "RI", "FI"})
    AddChannelMasks(masks, QString::fromLatin1(type));
  AddSectorMasks(masks);
  return masks;
}

QString TypeLetters(const QString& Mask) {
  const qsizetype dot = Mask.indexOf(u'.');
  return dot < 0 ? QString() : Mask.mid(dot + 1, 2);
}

QStringList ChannelItems(const QString& Mask) {
  if (TypeLetters(Mask) == IntensityType) return {Mask + ReferenceSuffix, Mask + SampleSuffix};
  return {Mask};
}

int MaskIndexOfItem(const QStringList& Masks, const QString& Item) {
  for (int j = 0; j < Masks.size(); ++j)
    if (ChannelItems(Masks[j]).contains(Item)) return j;
  return -1;
}

bool IsScanFileName(const QStringList& Masks, const QString& FileName) {
  const qsizetype dot = FileName.lastIndexOf(u'.');
  if (dot < 0 || !ScanFileNames::IsScanName(FileName)) return false;
  const QString extension = FileName.mid(dot);
  return std::any_of(
      ExtensionPrefixes().begin(), ExtensionPrefixes().end(),
      [&](const QString& prefix) { return ContainsIgnoringCase(Masks, prefix + extension); });
}

bool DirectoryHasScanData(const QStringList& Masks, const QString& Directory) {
  if (Directory.trimmed().isEmpty()) return false;
  const QStringList files = QDir(Directory).entryList(QDir::Files | QDir::Hidden | QDir::System);
  return std::any_of(files.begin(), files.end(),
                     [&](const QString& name) { return IsScanFileName(Masks, name); });
}

bool NewChannelAppeared(const QStringList& Masks, const TPresence& Present,
                        const QStringList& Entries) {
  for (int j = 0; j < Masks.size(); ++j)
    if (j < static_cast<int>(Present.size()) && Present[j] == 0 &&
        AnyEntryMatches(Entries, Masks[j]))
      return true;
  return false;
}

TChannelChoices RebuildChannelChoices(const QStringList& Masks, TPresence& Present,
                                      const QStringList& Entries, int& SelectedMaskIndex,
                                      const QString& SelectedItem) {
  TChannelChoices choices;
  for (int j = 0; j < Masks.size() && j < static_cast<int>(Present.size()); ++j) {
    Present[j] = AnyEntryMatches(Entries, Masks[j]) ? 1 : 0;
    if (Present[j] == 0) continue;
    const QStringList items = ChannelItems(Masks[j]);
    const int first = static_cast<int>(choices.Items.size());
    choices.Items.append(items);
    if (SelectedMaskIndex == j || SelectedMaskIndex == -1) {
      const qsizetype kept = items.indexOf(SelectedItem);
      choices.ItemIndex = first + static_cast<int>(kept >= 0 ? kept : items.size() - 1);
      SelectedMaskIndex = j;
    }
  }
  return choices;
}

}  // namespace ChannelMaskList
