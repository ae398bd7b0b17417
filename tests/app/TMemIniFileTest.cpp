#include "app/TMemIniFile.h"

#include <gtest/gtest.h>

#include <QFile>

#include <filesystem>
#include <string>

#include "platform/Exception.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

const QByteArray UserFile =
    "; Korvale settings\r\n"
    "[Directory]\r\n"
    "LastDirectory = /data/runs\r\n"
    "# kept as written\r\n"
    "\r\n"
    "[Other]\r\n"
    "zeta=1\r\n"
    "alpha=2\r\n"
    "not a pair\r\n";

class TMemIniFileTest : public ::testing::Test {
 protected:
  TMemIniFile Parsed(const QByteArray& Bytes) {
    TMemIniFile ini;
    ini.SetText(Bytes);
    return ini;
  }
};

TEST_F(TMemIniFileTest, RoundTripKeepsOrderCommentsBlankLinesAndLineEnds) {
  EXPECT_EQ(Parsed(UserFile).Text(), UserFile);
  const QByteArray lf = QByteArray(UserFile).replace("\r\n", "\n");
  EXPECT_EQ(Parsed(lf).Text(), lf);
  const QByteArray bom = "\xEF\xBB\xBF[A]\nk=v\n";
  EXPECT_EQ(Parsed(bom).ReadString("A", "k", ""), "v");
  EXPECT_EQ(Parsed(bom).Text(), bom);
}

TEST_F(TMemIniFileTest, FileOfAWindowsProgramIsReadAsWindows1252AndWrittenBackByteForByte) {
  // "Müller", "€ 5", "caf\xe9", a curly quote and the five bytes the code
  // page leaves undefined.
  const QByteArray windows =
      "[Directory]\r\nLastDirectory=C:\\Daten\\M\xFCller\r\nPrice=\x80 5\r\n"
      "Cafe=caf\xe9 \x93x\x94\r\nOdd=\x81\x8D\x8F\x90\x9D\r\nEnd=no line end";
  TMemIniFile ini = Parsed(windows);
  EXPECT_EQ(ini.ReadString("Directory", "LastDirectory", ""), "C:\\Daten\\M\u00fcller");
  EXPECT_EQ(ini.ReadString("Directory", "Price", ""), "\u20ac 5");
  EXPECT_EQ(ini.ReadString("Directory", "Cafe", ""), "caf\u00e9 \u201cx\u201d");
  EXPECT_EQ(ini.Text(), windows);
  // A changed value is written in the file's own encoding; the rest stays.
  ini.WriteString("Directory", "Price", "\u00a3 4");
  QByteArray changed = windows;
  changed.replace("\x80 5", "\xA3 4");
  EXPECT_EQ(ini.Text(), changed);
  // A character the code page lacks makes the whole file UTF-8 rather
  // than lose it.
  ini.WriteString("Directory", "Greek", "\u03b1");
  EXPECT_TRUE(ini.Text().contains("M\xC3\xBCller"));
  EXPECT_EQ(Parsed(ini.Text()).ReadString("Directory", "Greek", ""), "\u03b1");
  EXPECT_EQ(Parsed(ini.Text()).Lines(), ini.Lines());
  // Found by fuzzing: once the change took the last byte that is not
  // UTF-8, the rest ("\xC3\xBC" for "Ã¼") read as UTF-8 and changed; such
  // a file is written as UTF-8.
  TMemIniFile mixed = Parsed("[A]\nk=\xFC\nj=\xC3\xBC\n");
  mixed.WriteString("A", "k", "plain");
  EXPECT_EQ(mixed.Text(), "[A]\nk=plain\nj=\xC3\x83\xC2\xBC\n");
  EXPECT_EQ(Parsed(mixed.Text()).Lines(), mixed.Lines());
  // UTF-8 stays UTF-8, one broken sequence makes a file 8-bit.
  const QByteArray utf8 = "[A]\nk=M\xC3\xBCller\n";
  EXPECT_EQ(Parsed(utf8).ReadString("A", "k", ""), "M\u00fcller");
  EXPECT_EQ(Parsed(utf8 + "x=\xC3\n").ReadString("A", "k", ""), "M\u00c3\u00bcller");
  EXPECT_EQ(Parsed(utf8 + "x=\xC3\n").Text(), utf8 + "x=\xC3\n");
}

TEST_F(TMemIniFileTest, SeveralByteOrderMarksReadTheSameBeforeAndAfterAWrite) {
  // Found by fuzzing: with three marks "[Directory]" was not found until
  // the file had been written once.
  const QByteArray mark = "\xEF\xBB\xBF";
  for (int marks = 1; marks <= 4; ++marks) {
    const QByteArray file = mark.repeated(marks) + "[Directory]\nLastDirectory=/runs\n";
    const TMemIniFile once = Parsed(file);
    EXPECT_EQ(once.ReadString("Directory", "LastDirectory", "absent"), "/runs") << marks;
    EXPECT_EQ(once.Text(), file) << marks;
    EXPECT_EQ(Parsed(once.Text()).Lines(), once.Lines()) << marks;
  }
  // Marks before bytes that are not UTF-8 stay too.
  const QByteArray eightBit = mark.repeated(3) + "[A]\nk=\xFC\n";
  EXPECT_EQ(Parsed(eightBit).ReadString("A", "k", ""), "\u00fc");
  EXPECT_EQ(Parsed(eightBit).Text(), eightBit);
}

TEST_F(TMemIniFileTest, ReadsNamesWithoutRegardToCaseAndValuesTrimmed) {
  const TMemIniFile ini = Parsed(UserFile);
  EXPECT_TRUE(ini.ValueExists("directory", "LASTDIRECTORY"));
  EXPECT_EQ(ini.ReadString("Directory", "LastDirectory", "x"), "/data/runs");
  EXPECT_FALSE(ini.ValueExists("Directory", "# kept as written"));
  EXPECT_FALSE(ini.ValueExists("Other", "not a pair"));
  EXPECT_EQ(ini.ReadString("Other", "missing", "fallback"), "fallback");
  EXPECT_EQ(ini.ReadString("Missing", "zeta", "fallback"), "fallback");
  // The first of two equal keys is the one read.
  EXPECT_EQ(Parsed("[S]\nk=1\nK=2\n").ReadString("s", "k", ""), "1");
}

TEST_F(TMemIniFileTest, WritingChangesOnlyTheLinesOfThatValue) {
  TMemIniFile ini = Parsed(UserFile);
  ini.WriteString("DIRECTORY", "lastdirectory", "/new");
  ini.WriteString("Directory", "Added", "yes");
  ini.WriteString("Other", "beta", "3");
  ini.WriteString("New", "k", "v");
  EXPECT_EQ(ini.Lines(), QStringList({"; Korvale settings", "[Directory]", "LastDirectory=/new",
                                      "# kept as written", "Added=yes", "", "[Other]", "zeta=1",
                                      "alpha=2", "not a pair", "beta=3", "", "[New]", "k=v"}));
}

TEST_F(TMemIniFileTest, ValuesWithBlanksAtTheEndsOrQuotesReadBackAsWritten) {
  TMemIniFile ini;
  for (const QString& value :
       {QString(" padded "), QString("\"quoted\""), QString(), QString("a=b")}) {
    ini.WriteString("S", "k", value);
    EXPECT_EQ(Parsed(ini.Text()).ReadString("S", "k", "default"), value);
  }
}

TEST_F(TMemIniFileTest, RefusesTextsALineCannotHold) {
  TMemIniFile ini;
  EXPECT_THROW(ini.WriteString("S", "k", "two\nlines"), EConvertError);
  EXPECT_THROW(ini.WriteString("S]x", "k", "v"), EConvertError);
  EXPECT_THROW(ini.WriteString("S", "a=b", "v"), EConvertError);
  EXPECT_THROW(ini.WriteString("S", "", "v"), EConvertError);
  EXPECT_THROW(ini.WriteString(" S", "k", "v"), EConvertError);
  EXPECT_THROW(ini.WriteString("S", ";k", "v"), EConvertError);
  EXPECT_TRUE(ini.Lines().isEmpty());
}

TEST_F(TMemIniFileTest, FileThatCannotBeReadRaisesAndMissingFileIsEmpty) {
  const fs::path dir = FreshTestDir("ini");
  EXPECT_TRUE(TMemIniFile(QString::fromStdString((dir / "absent.cfg").string())).Lines().isEmpty());
  EXPECT_THROW(TMemIniFile(QString::fromStdString(dir.string())), EFileError);
  const fs::path big = dir / "big.cfg";
  WriteTextFile(big, std::string(TMemIniFile::MaxFileSize + 1, 'x'));
  EXPECT_THROW(TMemIniFile(QString::fromStdString(big.string())), EFileError);
}

TEST_F(TMemIniFileTest, UpdateFileWritesTheTextAndRaisesWhenItCannot) {
  const fs::path dir = FreshTestDir("ini");
  TMemIniFile ini = Parsed(UserFile);
  ini.SetFileName(QString::fromStdString((dir / "k.cfg").string()));
  ini.UpdateFile();
  EXPECT_EQ(TMemIniFile(ini.FileName()).Text(), UserFile);
  ini.SetFileName(QString::fromStdString((dir / "k.cfg" / "below-a-file.cfg").string()));
  EXPECT_THROW(ini.UpdateFile(), EFileError);
}

}  // namespace
