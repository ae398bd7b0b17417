#include "app/ResultTextFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "analysis/Gofs2004.h"
#include "analysis/Realtimegofs.h"
#include "platform/FormatSettings.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// While alive, no file of this process may grow beyond Bytes, as on a full
// disk: writes past it fail (the signal they raise is ignored).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t Bytes) {
    getrlimit(RLIMIT_FSIZE, &FSaved);
    FHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{Bytes, FSaved.rlim_max};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) ADD_FAILURE() << "setrlimit";
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &FSaved);
    std::signal(SIGXFSZ, FHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit FSaved{};
  void (*FHandler)(int) = nullptr;
};

QString Q(const fs::path& Path) {
  return QString::fromStdString(Path.string());
}

QByteArray Contents(const fs::path& Path) {
  QFile file(Q(Path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ScanHeader Scan(const std::string& Title, int Kind, const std::string& FileName) {
  ScanHeader header;
  header.TitleLine = Title;
  header.Kind = Kind;
  header.FileName = FileName;
  return header;
}

class ResultTextFileTest : public ::testing::Test {
 protected:
  static constexpr int RadiusPoints = 60;
  static constexpr double NoValue = -1e10;

  void SetUp() override {
    FSaved = CurrentFormatSettings();
    SetFormatSettings(FormatSettings::English());
    std::vector<double> radius(RadiusPoints);
    for (int i = 0; i < RadiusPoints; ++i) radius[static_cast<size_t>(i)] = 5.9 + 0.01 * i;
    ASSERT_EQ(Analysis.CreateX(radius.data(), RadiusPoints), 0);
    Dir = FreshTestDir("resultfile");
  }
  void TearDown() override {
    SetFormatSettings(FSaved);
    fs::permissions(Dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
  }

  // A raw scan at Rpm whose header line names its number.
  void AddRawScan(double Rpm) {
    ChannelDataStore& raw = *Analysis.RawStore;
    const int n = raw.GetNumberOfSets();
    ScanHeader header = Scan("Cell 1 : BSA.", 1, "0000" + std::to_string(n + 1) + ".RA1");
    header.HeaderLine =
        "R 1 20.0 " + std::to_string(static_cast<int>(Rpm)) + " scan " + std::to_string(n + 1);
    header.Rpm = Rpm;
    header.TimeUsed = 100.0 * (n + 1);
    std::vector<double> y(RadiusPoints, 0.5);
    ASSERT_GE(raw.AddSet(raw.GetGrid(), y.data(), RadiusPoints, header, header.TimeUsed), 0);
  }
  // A corrected set with value 2 + j at grid point j, except at Missing.
  int AddCorrectedSet(const std::vector<int>& Missing) {
    ChannelDataStore& corrected = *Analysis.CorrectedStore;
    const int n = corrected.GetNumberOfPoints();
    std::vector<double> y(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j) y[static_cast<size_t>(j)] = 2.0 + j;
    ScanHeader header;
    header.TimeUsed = 1000.0 * (corrected.GetNumberOfSets() + 1);
    const int set = corrected.AddSet(corrected.GetGrid(), y.data(), n, header, header.TimeUsed);
    for (int j : Missing) corrected.SetError(set, j, NoValue);
    return set;
  }
  // Every kept point invalid but J, which holds Y.
  void KeepOnly(int J, double LogS, double Y) {
    std::fill(Analysis.LastCorrectedError.begin(), Analysis.LastCorrectedError.end(), NoValue);
    Analysis.LastCorrectedX[static_cast<size_t>(J)] = LogS;
    Analysis.LastCorrectedY[static_cast<size_t>(J)] = Y;
    Analysis.LastCorrectedError[static_cast<size_t>(J)] = 0.0;
  }
  static QString DataLine(double LogS, double Y) {
    const double s = std::exp(LogS) * 1e13;
    return FloatToStr(s) + u'\t' + FloatToStr(Y) + u'\t' + FloatToStr(Y / s);
  }
  int GridSize() const { return Analysis.CorrectedStore->GetNumberOfPoints(); }
  // The lines after the column header, without the closing line.
  static QStringList DataLines(const QStringList& Lines) {
    const qsizetype header = Lines.indexOf(QStringLiteral("s*\t*dc/dt\tg(s*)"));
    return Lines.mid(header + 1, Lines.size() - header - 2);
  }

  RealTimeGofS Analysis;
  fs::path Dir;
  FormatSettings FSaved;
};

TEST_F(ResultTextFileTest, BaseNameDropsUnwantedCharactersAndKeepsSixteen) {
  const ScanHeader bsa = Scan("Cell 1 : BSA.", 1, "00001.RA1");
  EXPECT_EQ(ResultTextFile::BaseName(bsa), "Cell 1  BSA");
  EXPECT_EQ(ResultTextFile::ProposedFileName(bsa), "t dcdt vs sStar for Cell 1  BSA.txt");
  SetFormatSettings(FormatSettings::FromLocale(QLocale(QStringLiteral("de_DE"))));
  EXPECT_EQ(ResultTextFile::ProposedFileName(bsa), "t dcdt vs sStar for Cell 1  BSA.txt");

  const ScanHeader all = Scan("a.:;?/|\\{}[]*@\t\n\f\r\"'b0123456789ABCDEFGH", 1, "x.RA1");
  EXPECT_EQ(ResultTextFile::BaseName(all), "ab0123456789ABCD");
}

TEST_F(ResultTextFileTest, BaseNameTakesTheSampleFieldOfInterferenceAndFluorescenceTitles) {
  EXPECT_EQ(ResultTextFile::BaseName(Scan("Cell 2, lysozyme", 3, "a.IP2")), "lysozyme");
  EXPECT_EQ(ResultTextFile::BaseName(Scan("Xlysozyme", 3, "a.IP2")), "lysozyme");
  EXPECT_EQ(ResultTextFile::BaseName(Scan("Gain: 4 Range: 1 GFP run", 2, "a.FI3")), " GFP run");
  EXPECT_EQ(ResultTextFile::BaseName(Scan("1234567GFP run", 2, "a.FI3")), "GFP run");
}

TEST_F(ResultTextFileTest, ShortTitleFallsBackToTheFileExtension) {
  EXPECT_EQ(ResultTextFile::BaseName(Scan("A.:", 1, "00017.RA1")), "RA1");
  EXPECT_EQ(ResultTextFile::BaseName(Scan("Cell 4, x", 3, "00017.IP4")), "IP4");
}

TEST_F(ResultTextFileTest, HeaderLineRepeatsOnlyWhenTheRoundedRotorSpeedChanges) {
  for (double rpm : {50000.0, 50040.0, 45000.0, 45000.0, 40100.0}) AddRawScan(rpm);
  AddCorrectedSet({});
  const QStringList lines = ResultTextFile::Lines(Analysis, QStringLiteral("/runs/out.txt"));
  ASSERT_GE(lines.size(), 8);
  EXPECT_EQ(lines[0], "Output file from Korvale originally named /runs/out.txt");
  EXPECT_EQ(lines[1], "Corrected tdc/dt [s*g(s*)] vs s* for data sets 00001.RA100005.RA1");
  EXPECT_EQ(lines[2], "Cell 1 : BSA.");
  EXPECT_EQ(lines[3], "R 1 20.0 50000 scan 1");
  EXPECT_EQ(lines[4], "R 1 20.0 45000 scan 3");
  EXPECT_EQ(lines[5], "R 1 20.0 40100 scan 5");
  EXPECT_EQ(lines[6], "s*\t*dc/dt\tg(s*)");
  EXPECT_EQ(lines.last(), QString());
}

TEST_F(ResultTextFileTest, LatestSetIsWrittenAndItsGapsComeFromTheKeptCurve) {
  AddRawScan(50000.0);
  AddCorrectedSet({3});
  const int latest = AddCorrectedSet({0, 1, 2, 4});
  KeepOnly(1, -30.0, 7.5);  // a kept value where the latest set has none
  const ChannelDataStore& corrected = *Analysis.CorrectedStore;
  const QStringList data = DataLines(ResultTextFile::Lines(Analysis, QStringLiteral("out.txt")));
  ASSERT_EQ(data.size(), GridSize() - 4 + 1);
  EXPECT_EQ(data[0], DataLine(-30.0, 7.5));
  EXPECT_EQ(data[1], DataLine(corrected.GetX(3), corrected.GetY(latest, 3)));
  EXPECT_EQ(data[2], DataLine(corrected.GetX(5), 7.0));
}

TEST_F(ResultTextFileTest, NumbersUseTheDecimalSeparatorInForce) {
  AddRawScan(50000.0);
  AddCorrectedSet({});
  SetFormatSettings(FormatSettings::FromLocale(QLocale(QStringLiteral("de_DE"))));
  const QStringList data = DataLines(ResultTextFile::Lines(Analysis, QStringLiteral("out.txt")));
  ASSERT_FALSE(data.isEmpty());
  const QStringList fields = data[0].split(u'\t');
  ASSERT_EQ(fields.size(), 3);
  EXPECT_EQ(fields[1], "2");
  EXPECT_TRUE(fields[0].contains(u',') && !fields[0].contains(u'.')) << fields[0].toStdString();
}

TEST_F(ResultTextFileTest, TimeCourseFileWritesOnlyItsOwnSetAndCutsTheDescription) {
  AddRawScan(50000.0);
  const int first = AddCorrectedSet({0, 1});
  AddCorrectedSet({});
  KeepOnly(0, -30.0, 7.5);
  const QStringList lines = ResultTextFile::TimeCourseLines(
      Analysis, first, QStringLiteral("00001.RA1 - 00004.RA1^details"), QStringLiteral("tc.txt"));
  EXPECT_EQ(lines[1], "Corrected tdc/dt [s*g(s*)] vs s* for data sets 00001.RA1 - 00004.RA1");
  const QStringList data = DataLines(lines);
  ASSERT_EQ(data.size(), GridSize() - 2);
  EXPECT_EQ(data[0], DataLine(Analysis.CorrectedStore->GetX(2), 4.0));

  // A set the store does not hold gives no data (its slot holds no values).
  EXPECT_TRUE(DataLines(ResultTextFile::TimeCourseLines(Analysis, 2, "d", "tc.txt")).isEmpty());
}

TEST_F(ResultTextFileTest, SavedFileEndsLinesWithCrLfAndKeepsTheBytesOfTheScanTexts) {
  const fs::path target = Dir / "result.txt";
  const QStringList lines{QString::fromLatin1("Zelle \xb5"), QStringLiteral("1\t2"),
                          ResultTextFile::EndLine()};
  ASSERT_TRUE(ResultTextFile::Save(lines, Q(target)));
  EXPECT_EQ(Contents(target), QByteArray("Zelle \xb5\r\n1\t2\r\n\r\n"));
}

// Every line of a result file, the last one too, ends with CR LF: no
// reader meets two kinds of line end in one file.
TEST_F(ResultTextFileTest, AResultFileEndsEveryLineAlike) {
  for (double rpm : {50000.0, 45000.0}) AddRawScan(rpm);
  AddCorrectedSet({});
  const fs::path target = Dir / "result.txt";
  ASSERT_TRUE(ResultTextFile::Save(ResultTextFile::Lines(Analysis, Q(target)), Q(target)));
  const QByteArray bytes = Contents(target);
  ASSERT_TRUE(bytes.endsWith("\r\n\r\n"));
  EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
  EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
}

TEST_F(ResultTextFileTest, FailedSaveKeepsTheOldFile) {
  const fs::path target = Dir / "result.txt";
  WriteTextFile(target, "old result\r\n");
  fs::permissions(Dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  bool saved = true;
  {
    AsUnprivilegedUser user;
    saved = ResultTextFile::Save({QStringLiteral("new")}, Q(target));
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(Contents(target), "old result\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 1);

  // A disk that fills up during the write.
  fs::permissions(Dir, fs::perms::owner_all);
  const QStringList many(2000, QStringLiteral("1.23456789012345\t2.5\t0.5"));
  {
    FileSizeLimit full(4096);
    saved = ResultTextFile::Save(many, Q(target));
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(Contents(target), "old result\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 1);

  // A folder where the file should go.
  const fs::path folder = Dir / "taken";
  fs::create_directory(folder);
  EXPECT_FALSE(ResultTextFile::Save({QStringLiteral("new")}, Q(folder)));
  EXPECT_TRUE(fs::is_directory(folder));
}

}  // namespace
