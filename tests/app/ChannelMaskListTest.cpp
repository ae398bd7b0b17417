#include "app/ChannelMaskList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

class ChannelMaskListTest : public ::testing::Test {
 protected:
  ChannelMaskList::TPresence NonePresent() const {
    return ChannelMaskList::TPresence(Masks.size() + 1, 0);
  }
  static QString Q(const fs::path& Path) { return QString::fromStdString(Path.string()); }

  const QStringList Masks = ChannelMaskList::AllChannelMasks();
};

// The flags are indexed by mask position, so the order is part of the
// contract: types IP, RA, RI, FI, cells 1..8, prefixes 0 A B C D Run.
TEST_F(ChannelMaskListTest, MasksComeInTypeCellPrefixOrderFollowedByTheSectorMasks) {
  ASSERT_EQ(Masks.size(), ChannelMaskList::MaskCount);
  EXPECT_EQ(Masks.mid(0, 7),
            QStringList({"0*.IP1", "A*.IP1", "B*.IP1", "C*.IP1", "D*.IP1", "Run*.IP1", "0*.IP2"}));
  EXPECT_EQ(Masks[48], "0*.RA1");
  EXPECT_EQ(Masks[96 + 6 * 1 + 1], "A*.RI2");
  EXPECT_EQ(Masks[191], "Run*.FI8");
  EXPECT_EQ(Masks.mid(192), QStringList({"0*.IPS", "A*.IPS", "B*.IPS", "C*.IPS", "D*.IPS"}));
}

TEST_F(ChannelMaskListTest, AFileIsAScanFileByItsExtensionInAnyCase) {
  for (const char* name : {"x.ra1", "X.RA1", "anything.Ip8", "s.ips", "a.b.fi3", "Run1.RI2"})
    EXPECT_TRUE(ChannelMaskList::IsScanFileName(Masks, name)) << name;
  for (const char* name : {"x.ra9", "x.ra0", "x.txt", "ra1", "x.ra", "x.ra1.bak", "x.rb1"})
    EXPECT_FALSE(ChannelMaskList::IsScanFileName(Masks, name)) << name;
}

TEST_F(ChannelMaskListTest, DirectoryHoldsDataOnlyWithAScanFileAmongItsFiles) {
  const fs::path root = FreshTestDir("masks");
  fs::create_directories(root / "yes");
  WriteTextFile(root / "yes" / "x.ra1", "");
  fs::create_directories(root / "nine");
  WriteTextFile(root / "nine" / "x.ra9", "");
  WriteTextFile(root / "nine" / "x.txt", "");
  // A folder named like a scan file is not a scan file.
  fs::create_directories(root / "folder" / "cell.RA1");
  EXPECT_TRUE(ChannelMaskList::DirectoryHasScanData(Masks, Q(root / "yes")));
  EXPECT_FALSE(ChannelMaskList::DirectoryHasScanData(Masks, Q(root / "nine")));
  EXPECT_FALSE(ChannelMaskList::DirectoryHasScanData(Masks, Q(root / "folder")));
  EXPECT_FALSE(ChannelMaskList::DirectoryHasScanData(Masks, Q(root / "missing")));
  EXPECT_FALSE(ChannelMaskList::DirectoryHasScanData(Masks, " "));
}

TEST_F(ChannelMaskListTest, IntensityChannelOffersReferenceAndSampleWithTheSampleChosen) {
  for (const auto& [file, mask] :
       {std::pair{"A0001.RI2", "A*.RI2"}, {"Run1.RI2", "Run*.RI2"}, {"a0001.ri2", "A*.RI2"}}) {
    ChannelMaskList::TPresence present = NonePresent();
    int selected = -1;
    const auto choices =
        ChannelMaskList::RebuildChannelChoices(Masks, present, {file}, selected, QString());
    EXPECT_EQ(choices.Items, QStringList({QString(mask) + "Ref", QString(mask) + "Sam"})) << file;
    EXPECT_EQ(choices.ItemIndex, 1);
    EXPECT_EQ(selected, Masks.indexOf(mask));
    EXPECT_EQ(present[selected], 1);
    EXPECT_EQ(std::count(present.begin(), present.end(), 1), 1);
  }
}

TEST_F(ChannelMaskListTest, RebuildKeepsTheRememberedChannelAndItsSector) {
  const QStringList entries = {"00001.RA1", "00001.ri1", "00001.IP2"};
  ChannelMaskList::TPresence present = NonePresent();
  int selected = Masks.indexOf("0*.RI1");
  auto choices =
      ChannelMaskList::RebuildChannelChoices(Masks, present, entries, selected, "0*.RI1Ref");
  EXPECT_EQ(choices.Items, QStringList({"0*.IP2", "0*.RA1", "0*.RI1Ref", "0*.RI1Sam"}));
  EXPECT_EQ(choices.ItemIndex, 2);
  EXPECT_EQ(selected, Masks.indexOf("0*.RI1"));
  // Nothing remembered: the first present channel.
  selected = -1;
  choices = ChannelMaskList::RebuildChannelChoices(Masks, present, entries, selected, QString());
  EXPECT_EQ(choices.ItemIndex, 0);
  EXPECT_EQ(selected, Masks.indexOf("0*.IP2"));
}

TEST_F(ChannelMaskListTest, QuickTestSeesOnlyChannelsWithoutAFlag) {
  ChannelMaskList::TPresence present = NonePresent();
  EXPECT_FALSE(ChannelMaskList::NewChannelAppeared(Masks, present, {"notes.txt"}));
  EXPECT_TRUE(ChannelMaskList::NewChannelAppeared(Masks, present, {"00001.ra1"}));
  present[Masks.indexOf("0*.RA1")] = 1;
  EXPECT_FALSE(ChannelMaskList::NewChannelAppeared(Masks, present, {"00001.ra1", "00002.RA1"}));
  // A channel that disappeared is no news either.
  EXPECT_FALSE(ChannelMaskList::NewChannelAppeared(Masks, present, {}));
  EXPECT_TRUE(ChannelMaskList::NewChannelAppeared(Masks, present, {"00001.ra1", "B7.fi3"}));
}

TEST_F(ChannelMaskListTest, ItemsLeadBackToTheirMask) {
  EXPECT_EQ(ChannelMaskList::MaskIndexOfItem(Masks, "B*.RA3"), Masks.indexOf("B*.RA3"));
  EXPECT_EQ(ChannelMaskList::MaskIndexOfItem(Masks, "B*.RI3Sam"), Masks.indexOf("B*.RI3"));
  EXPECT_EQ(ChannelMaskList::MaskIndexOfItem(Masks, "B*.RA3Sam"), -1);
  EXPECT_EQ(ChannelMaskList::TypeLetters("Run*.IPS"), "IP");
}

}  // namespace
