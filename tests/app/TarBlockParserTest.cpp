#include "app/TarBlockParser.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/app/ArchiveBuilder.h"

namespace {

class TarBlockParserTest : public ::testing::Test {
 protected:
  // Feeds Stream in pieces of Piece bytes and records the kept entries.
  TarBlockParser::TEnd Parse(const std::string& Stream, size_t Piece) {
    Entries.clear();
    TarBlockParser parser;
    parser.OnHeader = [](const TarBlockParser::TEntry&) { return true; };
    parser.OnData = [this](const TarBlockParser::TEntry& e, const std::string& data) {
      Entries.emplace_back(e.Name, data);
      return true;
    };
    for (size_t at = 0;
         at < Stream.size() && parser.Feed(Stream.data() + at, std::min(Piece, Stream.size() - at));
         at += Piece) {
    }
    Error = parser.Error();
    return parser.End();
  }

  std::vector<std::pair<std::string, std::string>> Entries;
  std::string Error;
};

TEST_F(TarBlockParserTest, OctalFieldsAsTarProgramsWriteThem) {
  EXPECT_EQ(TarBlockParser::ParseOctal("00000001750\0", 12), 1000);
  EXPECT_EQ(TarBlockParser::ParseOctal("   1750 \0\0\0\0", 12), 1000);
  EXPECT_EQ(TarBlockParser::ParseOctal("\0\0\0\0\0\0\0\0\0\0\0\0", 12), 0);
  EXPECT_EQ(TarBlockParser::ParseOctal("777777777777", 12), 68719476735LL);
  EXPECT_EQ(TarBlockParser::ParseOctal("0000000017a\0", 12), -1);
  EXPECT_EQ(TarBlockParser::ParseOctal("00000000018\0", 12), -1);
  EXPECT_EQ(TarBlockParser::ParseOctal("\x80\0\0\0\0\0\0\0\0\0\0\x01", 12), -1);
}

TEST_F(TarBlockParserTest, NameJoinsAUstarPrefix) {
  EXPECT_EQ(TarBlockParser::TarEntryName(archive::Header("a.ra1", 1).data()), "a.ra1");
  EXPECT_EQ(TarBlockParser::TarEntryName(archive::Header("a.ra1", 1, '0', "run/x").data()),
            "run/x//a.ra1");
  EXPECT_EQ(TarBlockParser::TarEntrySize(archive::Header("a.ra1", 70000).data()), 70000);
}

TEST_F(TarBlockParserTest, PiecesOfAnySizeGiveTheSameEntries) {
  const std::string stream = archive::Member("one", std::string(700, 'a')) +
                             archive::Member("dir/", "", '5') +
                             archive::Member("two", std::string(512, 'b')) + archive::End();
  for (size_t piece : {size_t(1), size_t(7), size_t(512), size_t(100000)}) {
    EXPECT_EQ(Parse(stream, piece), TarBlockParser::TEnd::teComplete);
    ASSERT_EQ(Entries.size(), 2u) << piece;
    EXPECT_EQ(Entries[0], std::make_pair(std::string("one"), std::string(700, 'a')));
    EXPECT_EQ(Entries[1], std::make_pair(std::string("two"), std::string(512, 'b')));
  }
}

TEST_F(TarBlockParserTest, EndsInsideAHeaderOrDataAreTruncations) {
  const std::string member = archive::Member("one", std::string(700, 'a'));
  EXPECT_EQ(Parse(member, 64), TarBlockParser::TEnd::teComplete);
  EXPECT_EQ(Entries.size(), 1u);
  // Data complete, padding missing: the entry is whole.
  EXPECT_EQ(Parse(member.substr(0, 512 + 700), 64), TarBlockParser::TEnd::teComplete);
  EXPECT_EQ(Entries.size(), 1u);
  EXPECT_EQ(Parse(member.substr(0, 512 + 699), 64), TarBlockParser::TEnd::teTruncatedData);
  EXPECT_TRUE(Entries.empty());
  EXPECT_EQ(Parse(member + member.substr(0, 100), 64), TarBlockParser::TEnd::teTruncatedHeader);
  EXPECT_EQ(Parse(member + std::string(100, '\0'), 64), TarBlockParser::TEnd::teComplete);
}

TEST_F(TarBlockParserTest, CorruptHeadersStopTheParse) {
  std::string bad = archive::Header("one", 10);
  bad[0] = 'X';  // checksum no longer matches
  Parse(archive::Member("first", "1") + bad + std::string(512, 'x') + archive::Member("last", "2"),
        512);
  EXPECT_EQ(Error, "the header checksum does not match");
  EXPECT_EQ(Entries.size(), 1u);
  Parse(archive::Header("one", 0, '0', "", "0000000001x") + std::string(512, 'x'), 512);
  EXPECT_EQ(Error, "the size field is not an octal number");
  EXPECT_TRUE(Entries.empty());
}

}  // namespace
