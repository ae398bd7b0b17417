#include "analysis/BeckmanFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <locale>
#include <numbers>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "tests/support/ScanLineOracle.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

const std::string InterferenceHeader =
    "cm/pixel:  0.00077565631, Sample\r\nP 1 20.0 55000 0000177 2.3821E09 655 55\r\n";
const std::string AbsorbanceHeader = "SegB\r\nR 2 20.0 10000 0003501 3.3160E09 280 32\r\n";
const std::string IntensityHeader = "Intensity scan\nI 3 20.0 40000 600 1.0E09 230 1\n";
const std::string FluorescenceHeader =
    "Run 7 Voltage: 10.0 Gain: 5 Range: 3, tail\nF 4 20.0 50000 600 1.0E09 488 1\n";

double OmegaSquared(double Rpm) {
  return Rpm * Rpm * 4.0 * std::numbers::pi * std::numbers::pi / 3600.0;
}

std::string DataLines(int Count, int Columns) {
  std::string text;
  for (int i = 0; i < Count; ++i) {
    text += FormatFixed(6.0 + i * 0.001, 6) + "  " + FormatFixed(0.5 + i, 6);
    if (Columns == 3) text += "  " + FormatFixed(100.0 + i, 6);
    text += "\r\n";
  }
  return text;
}

// Numbers of one line read by the standard stream parser in the C locale, as
// an independent check of the reader's own parsing.
std::vector<double> ClassicNumbers(const std::string& Line) {
  std::istringstream in(Line);
  in.imbue(std::locale::classic());
  std::vector<double> numbers;
  double x = 0.0;
  while (in >> x) numbers.push_back(x);
  return numbers;
}

std::vector<std::string> FileLines(const fs::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

using ReadStatus = BeckmanFile::ReadStatus;

// Reads Path with Reader on a thread of its own and waits a few seconds at
// most: a read that waits for a writer of a FIFO is then released by opening
// the FIFO's other end, so that the test fails instead of hanging.
int ReadWithoutWaiting(BeckmanFile& Reader, const std::string& Path, const std::string& Fifo) {
  auto read = std::async(std::launch::async, [&] { return Reader.ReadScanFile(Path, 0, 0.0); });
  if (read.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    ADD_FAILURE() << Path << ": the read waited";
    const int writer = ::open(Fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
  }
  return read.get();
}

// A message box's hook that reads another file with another reader, once,
// in the middle of the read that shows the box.
struct NestedRead {
  static inline BeckmanFile* Reader = nullptr;
  static inline std::string Path;
  static inline int Result = 0;
  static void Hook(const std::string&) {
    if (Reader != nullptr) Result = Reader->ReadScanFile(Path, 0, 0.0);
    Reader = nullptr;
  }
};

class BeckmanFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = FreshTestDir(std::string("BeckmanFileTest_") +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  std::string Write(const std::string& Name, const std::string& Text) {
    const fs::path path = Dir / Name;
    WriteTextFile(path, Text);
    return path.string();
  }

  // Reads every scan file of a real run with one reader, as the viewer's first
  // load does, and checks it against an independent parse of each file.
  void ReadRealRun(const fs::path& RunDir, int Kind, const std::vector<double>& Speeds,
                   size_t MaxFiles = SIZE_MAX) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(RunDir))
      if (entry.path().filename() != "SOURCE.txt") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    files.resize(std::min(files.size(), MaxFiles));
    ASSERT_FALSE(files.empty());
    for (const fs::path& path : files) {
      SCOPED_TRACE(path.string());
      const std::vector<std::string> lines = FileLines(path);
      ASSERT_GT(lines.size(), 2u);
      const int read = Reader.ReadScanFile(path.string(), 0, 0.0);
      ASSERT_EQ(read, static_cast<int>(fs::file_size(path)));
      int dataLines = 0;
      for (size_t i = 2; i < lines.size(); ++i)
        if (ClassicNumbers(lines[i]).size() >= 2) ++dataLines;
      ASSERT_EQ(Reader.PointCount, dataLines);

      const std::string extension = path.extension().string();
      const std::vector<double> head = ClassicNumbers(lines[1].substr(1));
      ASSERT_EQ(head.size(), 7u);
      EXPECT_EQ(Reader.DataKind, Kind);
      EXPECT_EQ(Reader.Header.Kind, Kind);
      EXPECT_EQ(Reader.Header.Cell, extension.back() - '0');
      EXPECT_EQ(Reader.Header.Cell, head[0]);
      EXPECT_EQ(Reader.Header.Temperature, head[1]);
      EXPECT_EQ(Reader.Header.Rpm, head[2]);
      EXPECT_NE(std::find(Speeds.begin(), Speeds.end(), Reader.Header.Rpm), Speeds.end());
      EXPECT_EQ(Reader.Header.ElapsedTime, head[3]);
      EXPECT_EQ(Reader.Header.Omega2t, head[4]);
      EXPECT_EQ(Reader.Header.Wavelength, head[5]);
      EXPECT_EQ(Reader.Header.Replicates, head[6]);
      EXPECT_DOUBLE_EQ(Reader.Header.TimeUsed, head[4] / OmegaSquared(head[2]));
      EXPECT_EQ(Reader.Header.FileName, path.filename().string());

      for (int point : {0, Reader.PointCount / 2, Reader.PointCount - 1}) {
        const std::vector<double> expected = ClassicNumbers(lines[2 + point]);
        EXPECT_EQ(Reader.Radius()[point], expected[0]) << "point " << point;
        EXPECT_EQ(Reader.Value()[point], expected[1]) << "point " << point;
        if (Kind == 1) {
          EXPECT_EQ(Reader.ThirdColumn()[point], expected[2]) << "point " << point;
        }
      }
    }
  }

  fs::path Dir;
  BeckmanFile Reader{nullptr};
};

TEST_F(BeckmanFileTest, NextLineEndsLinesAtCrLfCrOrLfInPlace) {
  char text[] = "a\r\nb\rc\nd\r\nGUARD";
  char* const end = text + 10;  // the data stop before the guard's line
  std::vector<std::string> lines;
  char* start = text;
  char* next = nullptr;
  while (BeckmanFile::NextLine(start, next, end) == 1) {
    lines.emplace_back(start);
    start = next;
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(start, end);
  EXPECT_STREQ(end, "GUARD");
  EXPECT_EQ(BeckmanFile::NextLine(nullptr, next, end), -1);

  // A CR at the last byte of the data must not look at the byte after it.
  char tail[] = "x\r\n";
  EXPECT_EQ(BeckmanFile::NextLine(tail, next, tail + 2), 1);
  EXPECT_EQ(next, tail + 2);
  EXPECT_EQ(tail[2], '\n');
}

TEST_F(BeckmanFileTest, ExtensionLettersChooseTheFormatInAnyCase) {
  struct Case {
    const char* Name;
    std::string Text;
    int Kind;
  };
  const Case cases[] = {{"a.ra1", AbsorbanceHeader + DataLines(3, 3), 1},
                        {"b.Ri3", IntensityHeader + DataLines(3, 3), 1},
                        {"c.fI4", FluorescenceHeader + DataLines(3, 3), 2},
                        {"d.ip1", InterferenceHeader + DataLines(3, 2), 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Reader.ReadScanFile(Write(c.Name, c.Text), 0, 0.0), static_cast<int>(c.Text.size()));
    EXPECT_EQ(Reader.DataKind, c.Kind);
    EXPECT_EQ(Reader.PointCount, 3);
    EXPECT_EQ(Reader.ThirdColumn() == nullptr, c.Kind == 3);
  }
}

TEST_F(BeckmanFileTest, UnknownOrShortExtensionIsRefusedWithoutPoints) {
  const std::string text = AbsorbanceHeader + DataLines(5, 3);
  ASSERT_EQ(Reader.ReadScanFile(Write("good.RA1", text), 0, 0.0), static_cast<int>(text.size()));
  ASSERT_EQ(Reader.PointCount, 5);
  fs::create_directories(Dir / "run.RA1");
  for (const std::string name :
       {"scan.XY1", "scan.AR1", "scan.RA", "scan.R", "scan.", "scan", "run.RA1/scan"}) {
    SCOPED_TRACE(name);
    Reader.PointCount = 5;
    EXPECT_EQ(Reader.ReadScanFile(Write(name, text), 0, 0.0), -1);
    EXPECT_EQ(Reader.PointCount, 0);
  }
}

TEST_F(BeckmanFileTest, TablesStopAtTheirLimits) {
  struct Case {
    const char* Name;
    std::string Header;
    int Lines;
    int Expected;
  };
  const Case cases[] = {{"a.RA1", AbsorbanceHeader, 3000, 2048},
                        {"b.RI1", IntensityHeader, 3000, 2048},
                        {"c.IP1", InterferenceHeader, 3000, 2048},
                        {"d.FI1", FluorescenceHeader, 3000, 3000},
                        {"e.FI1", FluorescenceHeader, 12000, 10000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ASSERT_GT(Reader.ReadScanFile(Write(c.Name, c.Header + DataLines(c.Lines, 3)), 0, 0.0), 0);
    EXPECT_EQ(Reader.PointCount, c.Expected);
    EXPECT_LE(Reader.PointCount, Reader.Capacity());
    EXPECT_DOUBLE_EQ(Reader.Radius()[c.Expected - 1], 6.0 + (c.Expected - 1) * 0.001);
  }
}

TEST_F(BeckmanFileTest, OnlyLinesWithRadiusAndValueArePoints) {
  const std::string text = AbsorbanceHeader +
                           "6.0 0.1 0.01\r\n"
                           "\r\n"
                           "   \t \r\n"
                           "6.1\r\n"
                           "abc def\r\n"
                           "nan 0.3\r\n"
                           "6.2 inf 0.5\r\n"
                           "6.3 0.4\r\n"
                           "6.4 0.5 nan\r\n"
                           "6.5 0.6 0.06\r\n"
                           "\r\n";
  ASSERT_EQ(Reader.ReadScanFile(Write("a.RA1", text), 0, 0.0), static_cast<int>(text.size()));
  ASSERT_EQ(Reader.PointCount, 4);
  const double radius[] = {6.0, 6.3, 6.4, 6.5};
  const double value[] = {0.1, 0.4, 0.5, 0.6};
  const double third[] = {0.01, 0.0, 0.0, 0.06};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Reader.Radius()[i], radius[i]) << i;
    EXPECT_EQ(Reader.Value()[i], value[i]) << i;
    EXPECT_EQ(Reader.ThirdColumn()[i], third[i]) << i;
  }

  // The last line needs no line break; nothing beyond the data is read.
  const std::string unterminated = FluorescenceHeader + "6.0 1 2\n6.1 3";
  ASSERT_GT(Reader.ReadScanFile(Write("b.FI1", unterminated), 0, 0.0), 0);
  ASSERT_EQ(Reader.PointCount, 2);
  EXPECT_EQ(Reader.Radius()[1], 6.1);
  EXPECT_EQ(Reader.Value()[1], 3.0);
  EXPECT_EQ(Reader.ThirdColumn()[1], 0.0);
}

// Numbers are read where they lie, not from split lines: every way a
// number, a blank or a line end can be odd gives what scanning each split
// line number by number gives.
TEST_F(BeckmanFileTest, DataLinesGiveWhatTheLineByLineParseGives) {
  const std::string lines =
      "+6.0 -0.5 +1e-3\r\n"
      "--6.0 1 2\r\n"
      "6.0 +-1 2\n"
      "-+6.0 1 2\r"
      "6.01\t\v\f0.5\f\f7\r\n"
      "6.02 1e999 2\r\n"
      "6.03 0.5 1e-400\r\n"
      "6.04 0.5 -1e-400\r\n"
      "0x10 5 6\r\n"
      "6.05 0x10 6\r\n"
      "6.06 .5 5.\r\n"
      "6.07 -.5e+2 1E-2\r\n"
      "6.08 nan(abc) infinity\r\n"
      "6.09 -inf -nan\r\n"
      "6.10 1 2 3 4 5\r\n"
      "  6.11  2  \r\n\r\n"
      "6.12 1e 2\r\n"
      "6.13 1e+ 2\r\n"
      "6.14,1 2\r\n"
      "6.15 - 2\r\n"
      "6.16 2\n\r6.17 3\r\r6.18 4\n\n"
      "6.19 0.000000000000000000000000000001234567890123456789 2\r\n"
      "6.20 5";
  std::string withNul = lines;
  withNul.insert(withNul.find("6.11"), std::string("6.105 1\0 2\r\n", 12));
  for (const std::string& data : {lines, withNul}) {
    for (const char* name : {"a.RA1", "a.IP1", "a.FI1"}) {
      SCOPED_TRACE(name);
      const std::string text = AbsorbanceHeader + data;
      ASSERT_GT(Reader.ReadScanFile(Write(name, text), 0, 0.0), 0);
      const bool twoColumns = name[2] == 'I';
      const std::vector<ScanLineOracle::TPoint> expected = ScanLineOracle::Points(text, 2048, true);
      ASSERT_EQ(Reader.PointCount, static_cast<int>(expected.size()));
      for (int i = 0; i < Reader.PointCount; ++i) {
        const ScanLineOracle::TPoint& point = expected[static_cast<size_t>(i)];
        EXPECT_TRUE(ScanLineOracle::SameBits(Reader.Radius()[i], point.Radius)) << i;
        EXPECT_TRUE(ScanLineOracle::SameBits(Reader.Value()[i], point.First)) << i;
        if (twoColumns) continue;
        const double third = point.HasSecond && std::isfinite(point.Second) ? point.Second : 0.0;
        EXPECT_TRUE(ScanLineOracle::SameBits(Reader.ThirdColumn()[i], third)) << i;
      }
    }
  }
  // A few of them spelled out, so that the oracle itself is held to account.
  ASSERT_GT(Reader.ReadScanFile(Write("b.RA1", AbsorbanceHeader + lines), 0, 0.0), 0);
  EXPECT_EQ(Reader.Radius()[0], 6.0);
  EXPECT_EQ(Reader.Value()[0], -0.5);
  EXPECT_EQ(Reader.ThirdColumn()[0], 1e-3);
  EXPECT_EQ(Reader.Radius()[1], 6.01);
  EXPECT_EQ(Reader.ThirdColumn()[1], 7.0);
  EXPECT_EQ(Reader.Radius()[2], 6.03);
  EXPECT_EQ(Reader.ThirdColumn()[2], 0.0);
}

TEST_F(BeckmanFileTest, RefusedHeadersGiveNoPoints) {
  struct Case {
    const char* Why;
    std::string Text;
    int Kind;
  };
  const Case cases[] = {
      {"type letter X", "t\nX 1 20.0 55000 177 2.38E09 655 5\n6.0 1.0\n", 0},
      {"rotor speed 0", "t\nR 1 20.0 0 177 2.38E09 655 5\n6.0 1.0\n", 1},
      {"omega2t missing", "t\nR 1 20.0 55000 177\n6.0 1.0\n", 1},
      {"omega2t negative", "t\nR 1 20.0 55000 177 -1.0\n6.0 1.0\n", 1},
      {"rotor speed inf", "t\nR 1 20.0 inf 177 2.38E09\n6.0 1.0\n", 1},
      {"omega2t inf", "t\nR 1 20.0 55000 177 inf\n6.0 1.0\n", 1},
      {"omega squared overflows", "t\nR 1 20.0 1e200 177 2.38E09\n6.0 1.0\n", 1},
      {"no line 2", "title only", 0},
      {"empty file", "", 0},
      {"fluorescence title without Voltage:", "Run 7 Gain: 5\nF 1 20.0 5e4 600 1e9 488 1\n6 1 2\n",
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Why);
    Reader.ReadScanFile(Write("good.RA1", AbsorbanceHeader + DataLines(4, 3)), 0, 0.0);
    ASSERT_EQ(Reader.PointCount, 4);
    EXPECT_EQ(Reader.ReadScanFile(Write(c.Kind == 2 ? "bad.FI1" : "bad.RA1", c.Text), 0, 0.0), -1);
    EXPECT_EQ(Reader.PointCount, 0);
    EXPECT_EQ(Reader.Header.Kind, c.Kind);
  }
  // Away from the reference speed the elapsed time is used: it must be a number.
  EXPECT_EQ(
      Reader.ReadScanFile(Write("nan.RA1", "t\nR 1 20.0 55000 nan 2.38E09\n6.0 1.0\n"), 0, 40000.0),
      -1);
}

TEST_F(BeckmanFileTest, ReusedReaderKeepsNoNumbersOfThePreviousFile) {
  ASSERT_GT(Reader.ReadScanFile(Write("a.IP1", InterferenceHeader + DataLines(3, 2)), 0, 0.0), 0);
  EXPECT_EQ(Reader.Header.Wavelength, 655.0);
  EXPECT_EQ(Reader.Header.Replicates, 55);

  ASSERT_GT(
      Reader.ReadScanFile(Write("b.IP1", "x 1.5, y\nP 07 20.5 40000 300 1.5E09\n6 1\n"), 0, 0.0),
      0);
  EXPECT_EQ(Reader.Header.Cell, 7);
  EXPECT_EQ(Reader.Header.Rpm, 40000.0);
  EXPECT_EQ(Reader.Header.Wavelength, 0.0);
  EXPECT_EQ(Reader.Header.Replicates, 0);

  EXPECT_EQ(Reader.ReadScanFile(Write("c.IP1", "title only\n"), 0, 0.0), -1);
  EXPECT_EQ(Reader.Header.HeaderLine, "");
  EXPECT_EQ(Reader.Header.Rpm, 0.0);
  EXPECT_EQ(Reader.Header.ElapsedTime, 0.0);
  EXPECT_EQ(Reader.Header.Omega2t, 0.0);
  EXPECT_EQ(Reader.Header.TimeUsed, 0.0);
}

TEST_F(BeckmanFileTest, TimeUsedIsApparentOnlyAtTheReferenceSpeed) {
  const std::string path = Write("a.IP1", InterferenceHeader + DataLines(3, 2));
  const double apparent = 2.3821e9 / OmegaSquared(55000.0);
  for (double reference : {0.0, 55000.0}) {
    BeckmanFile reader(nullptr);
    ASSERT_GT(reader.ReadScanFile(path, 0, reference), 0);
    EXPECT_DOUBLE_EQ(reader.Header.TimeUsed, apparent) << reference;
    EXPECT_EQ(reader.Header.UseApparentTime, 1);
  }
  BeckmanFile reader(nullptr);
  ASSERT_GT(reader.ReadScanFile(path, 0, 50000.0), 0);
  EXPECT_EQ(reader.Header.TimeUsed, 177.0);
  EXPECT_EQ(reader.Header.UseApparentTime, 0);
}

TEST_F(BeckmanFileTest, IntensityModesAndUnusablePoints) {
  const std::string path = Write("a.RI1",
                                 IntensityHeader +
                                     "6.0 100 10\n"           // ordinary point
                                     "6.1 100 0\n"            // I2 zero
                                     "6.2 -5 10\n"            // I1 negative
                                     "6.3 1e300 1e-300\n"     // ratio overflows
                                     "6.4 100\n"              // I2 missing
                                     "6.5 1e-320 1e-320\n");  // 1000 / I overflows
  const double ignore = GofsSettings().DefaultIgnoreTag;
  struct Case {
    int Mode;
    double First;
    double Overflow;
  };
  const Case cases[] = {{0, 1.0, 0.0},
                        {1, 1.0, std::log10(1000.0 / 1e300)},
                        {2, 2.0, std::log10(1000.0 / 1e-300)},
                        {9, 0.0, 0.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Mode);
    ASSERT_GT(Reader.ReadScanFile(path, c.Mode, 0.0), 0);
    ASSERT_EQ(Reader.PointCount, 6);
    EXPECT_DOUBLE_EQ(Reader.Value()[0], c.First);
    EXPECT_EQ(Reader.ThirdColumn()[0], 0.0);
    EXPECT_EQ(Reader.Value()[1], 0.0);
    EXPECT_EQ(Reader.Value()[2], 0.0);
    EXPECT_DOUBLE_EQ(Reader.Value()[3], c.Overflow);
    EXPECT_EQ(Reader.ThirdColumn()[3], c.Mode == 0 ? ignore : 0.0);
    EXPECT_EQ(Reader.Value()[4], 0.0);  // a missing I2 counts as 0
    EXPECT_EQ(Reader.Radius()[4], 6.4);
    EXPECT_EQ(Reader.Value()[5], 0.0);
    EXPECT_EQ(Reader.ThirdColumn()[5], c.Mode == 1 || c.Mode == 2 ? ignore : 0.0);
  }
}

TEST_F(BeckmanFileTest, TitleLinesOfInterferenceAndFluorescence) {
  ASSERT_GT(Reader.ReadScanFile(
                Write("a.IP2", "word 12.5, second\nP 2 20 50000 100 1E9 655 1\n6 1\n"), 0, 0.0),
            0);
  EXPECT_EQ(Reader.Header.InterferenceValue, 12.5);
  EXPECT_EQ(Reader.Header.ScanDescription, "second");

  // Words of any length are safe.
  const std::string longWord(5000, 'w');
  const std::string title = longWord + " 3.25, " + longWord + "x";
  ASSERT_GT(
      Reader.ReadScanFile(Write("b.IP2", title + "\nP 2 20 50000 100 1E9 655 1\n6 1\n"), 0, 0.0),
      0);
  EXPECT_EQ(Reader.Header.TitleLine, title);
  EXPECT_EQ(Reader.Header.InterferenceValue, 3.25);
  EXPECT_EQ(Reader.Header.ScanDescription, longWord + "x");

  ASSERT_GT(Reader.ReadScanFile(Write("c.FI1", FluorescenceHeader + "6 1 2\n"), 0, 0.0), 0);
  EXPECT_EQ(Reader.Header.FluorescencePrefix, "Run 7");
  ASSERT_GT(Reader.ReadScanFile(Write("d.RA1", AbsorbanceHeader + "6 1 2\n"), 0, 0.0), 0);
  EXPECT_EQ(Reader.Header.ScanDescription, "SegB");
}

TEST_F(BeckmanFileTest, FileLargerThanTheBufferIsRefusedNotCut) {
  std::string text = AbsorbanceHeader + DataLines(100, 3);
  text += std::string(static_cast<size_t>(Reader.BufferSize) - text.size(), ' ');
  ASSERT_EQ(Reader.ReadScanFile(Write("full.RA1", text), 0, 0.0), Reader.BufferSize);
  EXPECT_EQ(Reader.PointCount, 100);
  EXPECT_EQ(Reader.ReadScanFile(Write("over.RA1", text + "\n"), 0, 0.0), -1);
  EXPECT_EQ(Reader.PointCount, 0);
  EXPECT_EQ(Reader.LastReadStatus(), ReadStatus::TooLarge);

  // The same with a fresh reader, and a limit of the reader's own.
  BeckmanFile fresh(nullptr);
  fresh.BufferSize = 4096;
  const std::string small = AbsorbanceHeader + DataLines(10, 3);
  const std::string exact = small + std::string(4096 - small.size(), '\n');
  ASSERT_EQ(fresh.ReadScanFile(Write("exact.RA1", exact), 0, 0.0), 4096);
  EXPECT_EQ(fresh.PointCount, 10);
  EXPECT_EQ(fresh.ReadScanFile(Write("more.RA1", exact + " "), 0, 0.0), -1);
  EXPECT_EQ(fresh.LastReadStatus(), ReadStatus::TooLarge);
}

TEST_F(BeckmanFileTest, MissingFileChangesNothing) {
  const std::string path = Write("a.RA1", AbsorbanceHeader + DataLines(7, 3));
  ASSERT_GT(Reader.ReadScanFile(path, 0, 0.0), 0);
  EXPECT_EQ(Reader.ReadScanFile((Dir / "missing.RA1").string(), 0, 0.0), -1);
  EXPECT_EQ(Reader.PointCount, 7);
  EXPECT_EQ(Reader.FilePath, path);
  EXPECT_EQ(Reader.Header.FullPath, path);
  EXPECT_EQ(Reader.Header.FileName, "a.RA1");
}

TEST_F(BeckmanFileTest, OnlyRegularFilesAreReadAndNothingElseWaitsOrChangesTheReader) {
  const std::string scan = Write("00011.RA1", AbsorbanceHeader + DataLines(7, 3));
  const int scanBytes = static_cast<int>(fs::file_size(scan));
  ASSERT_EQ(Reader.ReadScanFile(scan, 0, 0.0), scanBytes);
  ASSERT_EQ(Reader.PointCount, 7);

  const std::string fifo = (Dir / "00012.RA1").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(Dir / "x.RA1");
  fs::create_symlink("/dev/null", Dir / "00013.RA1");
  fs::create_symlink(fifo, Dir / "00014.RA1");
  // A socket's path must be short: it lies in /tmp, linked from the folder.
  const std::string socketPath = "/tmp/korvale-" + std::to_string(::getpid()) + ".RA1";
  ::unlink(socketPath.c_str());
  const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
  ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  fs::create_symlink(socketPath, Dir / "00015.RA1");

  struct Case {
    std::string Path;
    ReadStatus Status;
  };
  const Case cases[] = {{fifo, ReadStatus::NotRegularFile},
                        {(Dir / "x.RA1").string(), ReadStatus::NotRegularFile},
                        {(Dir / "00013.RA1").string(), ReadStatus::NotRegularFile},  // device
                        {(Dir / "00014.RA1").string(), ReadStatus::NotRegularFile},  // FIFO
                        // The system opens no socket as a file.
                        {(Dir / "00015.RA1").string(), ReadStatus::CannotOpen},
                        {socketPath, ReadStatus::CannotOpen}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(ReadWithoutWaiting(Reader, c.Path, fifo), -1);
    EXPECT_EQ(Reader.LastReadStatus(), c.Status);
    EXPECT_EQ(Reader.PointCount, 7);
    EXPECT_EQ(Reader.FilePath, scan);
    EXPECT_EQ(Reader.Header.FileName, "00011.RA1");
    EXPECT_EQ(Reader.Radius()[6], 6.006);
  }
  ::close(listening);
  ::unlink(socketPath.c_str());

  // A link to a scan is followed; the scan is known by the link's name.
  fs::create_symlink(scan, Dir / "00016.RA2");
  ASSERT_EQ(Reader.ReadScanFile((Dir / "00016.RA2").string(), 0, 0.0), scanBytes);
  EXPECT_EQ(Reader.LastReadStatus(), ReadStatus::Read);
  EXPECT_EQ(Reader.PointCount, 7);
  EXPECT_EQ(Reader.Header.FileName, "00016.RA2");
}

TEST_F(BeckmanFileTest, LastReadStatusTellsWhyAReadGaveNothing) {
  const std::string good = Write("good.RA1", AbsorbanceHeader + DataLines(4, 3));
  std::string large = AbsorbanceHeader + DataLines(3, 3);
  large.resize(static_cast<size_t>(Reader.BufferSize) + 1, ' ');
  // Reading the process's memory at address 0 fails, though it opens as a file.
  fs::create_symlink("/proc/self/mem", Dir / "mem.RA1");
  struct Case {
    std::string Path;
    ReadStatus Status;
    int PointsLeft;  // of the good file read before
  };
  const Case cases[] = {
      {good, ReadStatus::Read, 4},
      {(Dir / "missing.RA1").string(), ReadStatus::CannotOpen, 4},
      {Write("large.RA1", large), ReadStatus::TooLarge, 0},
      {(Dir / "mem.RA1").string(), ReadStatus::ReadFailed, 0},
      {Write("good.XY1", AbsorbanceHeader + DataLines(4, 3)), ReadStatus::UnknownKind, 0},
      {Write("bad.RA1", "t\nX 1 20.0 55000 177 2.38E09\n6 1\n"), ReadStatus::HeaderRefused, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Path);
    ASSERT_GT(Reader.ReadScanFile(good, 0, 0.0), 0);
    const int read = Reader.ReadScanFile(c.Path, 0, 0.0);
    EXPECT_EQ(read == -1, c.Status != ReadStatus::Read);
    EXPECT_EQ(Reader.LastReadStatus(), c.Status);
    EXPECT_EQ(Reader.PointCount, c.PointsLeft);
  }

  const std::string locked = Write("locked.RA1", AbsorbanceHeader + DataLines(4, 3));
  fs::permissions(locked, fs::perms::none);
  ASSERT_GT(Reader.ReadScanFile(good, 0, 0.0), 0);
  const AsUnprivilegedUser unprivileged;
  EXPECT_EQ(Reader.ReadScanFile(locked, 0, 0.0), -1);
  EXPECT_EQ(Reader.LastReadStatus(), ReadStatus::CannotOpen);
  EXPECT_EQ(Reader.PointCount, 4);
}

// The size a file system gives is only where the read begins: a file that
// says it is empty but holds lines (as the system's own status files do),
// read on a thread whose buffer is still empty, is read to its end.
TEST_F(BeckmanFileTest, FileLongerThanItsSizeSaysIsReadToItsEnd) {
  if (!fs::exists("/proc/self/status")) GTEST_SKIP() << "no process status file";
  ASSERT_EQ(fs::file_size("/proc/self/status"), 0u);
  fs::create_symlink("/proc/self/status", Dir / "status.RA1");
  std::string title;
  ReadStatus status = ReadStatus::Read;
  std::thread([&] {
    BeckmanFile reader(nullptr);
    reader.ReadScanFile((Dir / "status.RA1").string(), 0, 0.0);
    status = reader.LastReadStatus();
    title = reader.Header.TitleLine;
  }).join();
  EXPECT_EQ(status, ReadStatus::HeaderRefused);  // read whole, but no scan
  EXPECT_EQ(title.substr(0, 5), "Name:");
}

TEST_F(BeckmanFileTest, AReadFromAMessageBoxDuringAReadKeepsBothFilesApart) {
  const std::string outer = Write("outer.RA1", AbsorbanceHeader + DataLines(5, 3));
  std::string innerText = FluorescenceHeader;
  for (int i = 0; i < 400; ++i) innerText += "7.25 3.5 9.75 and some words to fill the line\n";
  BeckmanFile inner(nullptr);
  NestedRead::Reader = &inner;
  NestedRead::Path = Write("inner.FI1", innerText);
  const MessageBoxHook previous = SetMessageBoxHook(&NestedRead::Hook);
  Reader.DebugLevel = 11;  // the title is shown before the points are taken
  const int read = Reader.ReadScanFile(outer, 0, 0.0);
  SetMessageBoxHook(previous);

  EXPECT_EQ(NestedRead::Result, static_cast<int>(innerText.size()));
  ASSERT_EQ(inner.PointCount, 400);
  EXPECT_EQ(inner.Radius()[399], 7.25);
  EXPECT_EQ(inner.ThirdColumn()[399], 9.75);
  ASSERT_EQ(read, static_cast<int>(fs::file_size(outer)));
  ASSERT_EQ(Reader.PointCount, 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_DOUBLE_EQ(Reader.Radius()[i], 6.0 + i * 0.001) << i;
    EXPECT_DOUBLE_EQ(Reader.Value()[i], 0.5 + i) << i;
    EXPECT_DOUBLE_EQ(Reader.ThirdColumn()[i], 100.0 + i) << i;
  }
}

// Readers made for one file each take the memory their forerunners on the
// thread gave up: nothing of an earlier file may show in a later one, of any
// kind, and a file of the shortest possible lines must fit the arrays made
// for it.
TEST_F(BeckmanFileTest, ReadersMadeOneAfterAnotherReadOnlyTheirOwnFile) {
  const std::string big = Write("big.FI1", FluorescenceHeader + DataLines(10000, 3));
  const std::string small =
      Write("small.IP1", InterferenceHeader + "5.1 -7.5\n5.2 -8.5\n5.3 -9.5\n");
  const std::string third = Write("third.RA1", AbsorbanceHeader + "6.5 0.25\n6.6 0.5 0.125\n");
  std::string shortest = "t\nR 1 20.0 55000 177 2.38E09\n";
  for (int i = 0; i < 500; ++i) shortest += "1-2\n";
  shortest += "3-4";
  const std::string tiny = Write("tiny.FI1", shortest);
  std::thread([&] {
    BeckmanFile first(nullptr);
    ASSERT_EQ(first.ReadScanFile(tiny, 0, 0.0), static_cast<int>(shortest.size()));
    EXPECT_EQ(first.PointCount, 501);
    EXPECT_LT(first.Capacity(), 10000);  // a short file needs no whole table
    EXPECT_EQ(first.Radius()[500], 3.0);
    EXPECT_EQ(first.Value()[500], -4.0);
  }).join();
  {
    BeckmanFile reader(nullptr);
    ASSERT_GT(reader.ReadScanFile(big, 0, 0.0), 0);
    ASSERT_EQ(reader.PointCount, 10000);
  }
  {
    BeckmanFile reader(nullptr);
    ASSERT_GT(reader.ReadScanFile(small, 0, 0.0), 0);
    EXPECT_EQ(reader.PointCount, 3);
    EXPECT_EQ(reader.ThirdColumn(), nullptr);
    EXPECT_EQ(reader.SpareArray2(), nullptr);
    EXPECT_EQ(reader.Value()[2], -9.5);
  }
  BeckmanFile reader(nullptr);
  ASSERT_GT(reader.ReadScanFile(third, 0, 0.0), 0);
  ASSERT_EQ(reader.PointCount, 2);
  ASSERT_NE(reader.SpareArray2(), nullptr);
  EXPECT_EQ(reader.ThirdColumn()[0], 0.0);  // missing, not the big file's
  EXPECT_EQ(reader.ThirdColumn()[1], 0.125);
  EXPECT_EQ(reader.Radius()[1], 6.6);
}

TEST_F(BeckmanFileTest, NulBytesAndEveryCutOfAFileAreSafe) {
  std::string text = AbsorbanceHeader + "6.0 1.0 2.0\r\n6.1";
  text += '\0';
  text += " 1.5 2.5\r\n6.2 3.0 4.0";
  ASSERT_EQ(Reader.ReadScanFile(Write("nul.RA1", text), 0, 0.0), static_cast<int>(text.size()));
  ASSERT_EQ(Reader.PointCount, 2);
  EXPECT_EQ(Reader.Radius()[1], 6.2);

  // A buffer exactly the size of each cut lets the sanitizer see any read
  // beyond the data.
  const std::string whole = IntensityHeader + "6.0 100 10\r\n6.1 100 1e-3";
  for (size_t size = 0; size <= whole.size(); ++size) {
    BeckmanFile reader(nullptr);
    reader.BufferSize = static_cast<int>(size);
    const int read = reader.ReadScanFile(Write("cut.RI1", whole.substr(0, size)), 0, 0.0);
    EXPECT_TRUE(read == -1 || read == static_cast<int>(size)) << size;
    EXPECT_LE(reader.PointCount, 2) << size;
  }
}

TEST_F(BeckmanFileTest, DebugLevelShowsTheHeaderLines) {
  const std::string path = Write("a.RA1", AbsorbanceHeader + DataLines(2, 3));
  const std::vector<std::string> title = {"SegB"};
  const std::vector<std::string> both = {"SegB", "R 2 20.0 10000 0003501 3.3160E09 280 32"};
  MessageRecorder recorder;
  for (auto [level, expected] :
       {std::pair{10, std::vector<std::string>{}}, {11, title}, {21, both}}) {
    recorder.Clear();
    Reader.DebugLevel = level;
    ASSERT_GT(Reader.ReadScanFile(path, 0, 0.0), 0);
    EXPECT_EQ(recorder.Messages(), expected) << level;
  }
}

TEST_F(BeckmanFileTest, ReadsEveryValueUnderADecimalCommaLocale) {
  const std::string absorbance =
      Write("a.RA1", AbsorbanceHeader + "5.7030  -1.19000E-001    4.90900E-001\r\n");
  const std::string intensity = Write("b.RI1", IntensityHeader + "6.25 1000.5 10.005\n");
  const std::string fluorescence = Write("c.FI1", FluorescenceHeader + "6.5 0.25 0.125\n");
  DecimalCommaLocale locale;
  ASSERT_TRUE(locale.Available()) << "no decimal-comma locale on this machine";

  ASSERT_GT(Reader.ReadScanFile(absorbance, 0, 0.0), 0);
  EXPECT_EQ(Reader.Header.Temperature, 20.0);
  EXPECT_EQ(Reader.Header.Omega2t, 3.316e9);
  EXPECT_EQ(Reader.Radius()[0], 5.703);
  EXPECT_EQ(Reader.Value()[0], -0.119);
  EXPECT_EQ(Reader.ThirdColumn()[0], 0.4909);
  ASSERT_GT(Reader.ReadScanFile(intensity, 0, 0.0), 0);
  EXPECT_EQ(Reader.Radius()[0], 6.25);
  EXPECT_DOUBLE_EQ(Reader.Value()[0], std::log10(1000.5 / 10.005));
  ASSERT_GT(Reader.ReadScanFile(fluorescence, 0, 0.0), 0);
  EXPECT_EQ(Reader.Value()[0], 0.25);
  EXPECT_EQ(Reader.ThirdColumn()[0], 0.125);

  const fs::path run = RealDataDir("s100a5-wt-ip");
  if (!run.empty()) ReadRealRun(run, 3, {55000.0}, 4);
}

TEST_F(BeckmanFileTest, RealInterferenceRunWildType) {
  const fs::path run = RealDataDir("s100a5-wt-ip");
  if (run.empty()) GTEST_SKIP() << "real data not present";
  ReadRealRun(run, 3, {55000.0});
  ASSERT_GT(Reader.ReadScanFile((run / "00001.ip1").string(), 0, 0.0), 0);
  EXPECT_EQ(Reader.PointCount, 1497);
  EXPECT_EQ(Reader.Header.ScanDescription, "Sample");
  EXPECT_DOUBLE_EQ(Reader.Header.InterferenceValue, 0.00077565631);
  ASSERT_GT(Reader.ReadScanFile((run / "00001.ip3").string(), 0, 0.0), 0);
  EXPECT_EQ(Reader.PointCount, 1490);
}

TEST_F(BeckmanFileTest, RealInterferenceRunCysteineFree) {
  const fs::path run = RealDataDir("s100a5-cysser-ip");
  if (run.empty()) GTEST_SKIP() << "real data not present";
  ReadRealRun(run, 3, {50000.0});
  ASSERT_GT(Reader.ReadScanFile((run / "00001.ip1").string(), 0, 0.0), 0);
  EXPECT_EQ(Reader.PointCount, 1409);
  ASSERT_GT(Reader.ReadScanFile((run / "00001.ip3").string(), 0, 0.0), 0);
  EXPECT_EQ(Reader.PointCount, 1417);
}

TEST_F(BeckmanFileTest, RealAbsorbanceRunAtThreeSpeeds) {
  const fs::path run = RealDataDir("segb-eq-ra2");
  if (run.empty()) GTEST_SKIP() << "real data not present";
  ReadRealRun(run, 1, {10000.0, 14000.0, 20000.0});
}

}  // namespace
