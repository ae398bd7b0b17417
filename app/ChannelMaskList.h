#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The channel masks of the run-directory browser (logic role). A channel is a
// file mask made of a file-name prefix, the two type letters of an optical
// system and a cell number ("A*.RI2"); intensity masks offer a reference and a
// sample item. Presence flags say which masks have files in the chosen
// directory; a directory is looked at once per refresh and every mask is
// matched against that listing in memory, ignoring case (runs are written
// with lower-case extensions, masks in upper case).
namespace ChannelMaskList {

inline constexpr int MaskCount = 197;
inline constexpr int MasksPerType = 48;

// Appends the 48 masks of one type: cells 1 to 8, each with the prefixes
// "0*.", "A*.", "B*.", "C*.", "D*.", "Run*." in this order.
void AddChannelMasks(QStringList& Masks, const QString& TypeLetters);
// Appends the five masks "0*.IPS" to "D*.IPS".
void AddSectorMasks(QStringList& Masks);
// Every mask in order: the types "IP", "RA", "RI", "FI", then the five
// "IPS" masks.
QStringList AllChannelMasks();

// The two characters after the mask's ".".
QString TypeLetters(const QString& Mask);
// The items a present mask offers: Mask + "Ref" and Mask + "Sam" for the
// "RI" type, the mask itself otherwise.
QStringList ChannelItems(const QString& Mask);
// The index of the mask that offers Item, -1 when none does.
int MaskIndexOfItem(const QStringList& Masks, const QString& Item);

// True when FileName's extension (from its last ".") is that of a channel:
// .IP1 to .IP8, .RA1 to .RA8, .RI1 to .RI8, .FI1 to .FI8 or .IPS, in any case;
// never for a hidden or temporary name (ScanFileNames::IsScanName).
bool IsScanFileName(const QStringList& Masks, const QString& FileName);
// True when one of Directory's files is a scan file; false when it cannot be
// read.
bool DirectoryHasScanData(const QStringList& Masks, const QString& Directory);

// Presence flags: one per mask plus a spare one, 0 or 1.
using TPresence = std::vector<unsigned char>;

// The quick test: true when a mask whose flag is 0 matches one of Entries
// (the names in the directory). Stops at the first such mask.
bool NewChannelAppeared(const QStringList& Masks, const TPresence& Present,
                        const QStringList& Entries);

// The choices of a full rebuild: the items of every present mask in mask
// order and the one chosen (-1 for none).
struct TChannelChoices {
  QStringList Items;
  int ItemIndex = -1;
};
// Sets every flag from Entries and lists the items. The chosen item belongs
// to the mask SelectedMaskIndex (the first present mask when it is -1, and
// SelectedMaskIndex becomes that mask): SelectedItem when the mask offers it,
// otherwise the mask's last item ("Sam" for intensity masks).
TChannelChoices RebuildChannelChoices(const QStringList& Masks, TPresence& Present,
                                      const QStringList& Entries, int& SelectedMaskIndex,
                                      const QString& SelectedItem);

}  // namespace ChannelMaskList
