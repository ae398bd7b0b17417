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
    parser.OnData = [this](const TarBlockParser::TEntry&, const char* Bytes, size_t Count) {
      Data.append(Bytes, Count);
      return true;
    };
    parser.OnEnd = [this](const TarBlockParser::TEntry& e) {
      Entries.emplace_back(e.Name, std::exchange(Data, std::string()));
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
  std::string Data;  // of the entry being read
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
  EXPECT_EQ(Parse(member + archive::End(), 64), TarBlockParser::TEnd::teComplete);
  EXPECT_EQ(Entries.size(), 1u);
  // A whole entry, but no end marker: a copy may have been cut after it.
  EXPECT_EQ(Parse(member, 64), TarBlockParser::TEnd::teNoEndMarker);
  EXPECT_EQ(Entries.size(), 1u);
  EXPECT_EQ(Parse(member.substr(0, 512 + 700), 64), TarBlockParser::TEnd::teNoEndMarker);
  EXPECT_EQ(Entries.size(), 1u);
  EXPECT_EQ(Parse(member + std::string(100, '\0'), 64), TarBlockParser::TEnd::teNoEndMarker);
  // One zero block is taken as the marker, as tar programs do.
  EXPECT_EQ(Parse(member + std::string(512, '\0'), 64), TarBlockParser::TEnd::teComplete);
  EXPECT_EQ(Parse(member.substr(0, 512 + 699), 64), TarBlockParser::TEnd::teTruncatedData);
  EXPECT_TRUE(Entries.empty());
  EXPECT_EQ(Parse(member + member.substr(0, 100), 64), TarBlockParser::TEnd::teTruncatedHeader);
  EXPECT_EQ(Parse(archive::End(), 64), TarBlockParser::TEnd::teComplete);
}

TEST_F(TarBlockParserTest, LongNamesOfPaxAndGnuHeadersNameTheNextEntry) {
  const std::string longName = "run/" + std::string(150, 'n') + ".RA2";
  const std::string pax = archive::PaxRecord("path", longName);
  ASSERT_EQ(TarBlockParser::PaxPath("20 mtime=1700000000\n" + pax), longName);
  const std::string stream = archive::Member("PaxHeaders/x", "20 mtime=1700000000\n" + pax, 'x') +
                             archive::Member(longName.substr(0, 100), "pax") +
                             archive::Member("././@LongLink", longName + '\0', 'L') +
                             archive::Member(longName.substr(0, 100), "gnu") +
                             archive::Member("././@LongLink", "target", 'K') +
                             archive::Member("plain", "plain") +
                             archive::Member("PaxHeaders/y", pax, 'x') + archive::End();
  for (size_t piece : {size_t(1), size_t(300), size_t(100000)}) {
    EXPECT_EQ(Parse(stream, piece), TarBlockParser::TEnd::teComplete);
    EXPECT_EQ(Entries, (std::vector<std::pair<std::string, std::string>>{
                           {longName, "pax"}, {longName, "gnu"}, {"plain", "plain"}}))
        << piece;
  }
}

TEST_F(TarBlockParserTest, MalformedOrOversizeLongNamesNameNothing) {
  // Records whose length is wrong, missing or runs past the end, and an
  // empty path, leave the header's own name.
  for (const std::string records :
       {"13 path=abc\n", "11 path=abc", "99 path=abc\n", "path=abc\n", "8 path=\n", "x path=a\n"})
    EXPECT_EQ(TarBlockParser::PaxPath(records), "") << records;
  EXPECT_EQ(TarBlockParser::PaxPath("12 path=abc\n5 x\n12 path=def\n"), "abc");
  Parse(archive::Member("PaxHeaders/x", "11 path=abc", 'x') + archive::Member("own", "1"), 512);
  EXPECT_EQ(Entries.at(0).first, "own");
  // A long name too large to be one is handed over like any entry.
  std::vector<char> types;
  TarBlockParser parser;
  parser.OnHeader = [&](const TarBlockParser::TEntry& e) {
    types.push_back(e.TypeFlag);
    return false;
  };
  const std::string big =
      archive::Member("././@LongLink", std::string(TarBlockParser::MaxLongNameEntry + 1, 'n'), 'L');
  const std::string stream = big + archive::Member("own", "1") + archive::End();
  ASSERT_TRUE(parser.Feed(stream.data(), stream.size()));
  EXPECT_EQ(types, (std::vector<char>{'L', '0'}));
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
