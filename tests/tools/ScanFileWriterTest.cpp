#include "tools/runsim/ScanFileWriter.h"

#include "analysis/BeckmanFile.h"
#include "platform/NumberText.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string_view>

namespace fs = std::filesystem;

class ScanFileWriterTest : public ::testing::Test {
 protected:
  static RunParameters SmallRun(double RadialStep = 0.01) {
    RunParameters parameters;
    parameters.SpeciesList = {{5e-13, 5.5e-7, 0.8}};
    parameters.FirstScanTime = 300;
    parameters.ScanInterval = 500;
    parameters.ScanCount = 3;
    parameters.GridCells = 400;
    parameters.RadialStep = RadialStep;
    return parameters;
  }

  static const SimulatedRun& Run() {
    static const SimulatedRun run = SimulateRun(SmallRun());
    return run;
  }

  static ChannelOptions Options(OpticalSystem System, int Cell = 1) {
    ChannelOptions options;
    options.System = System;
    options.Cell = Cell;
    options.RunName = "unit";
    return options;
  }

  static std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < Text.size()) {
      const size_t end = Text.find("\r\n", start);
      lines.push_back(Text.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  // The numbers of one data line.
  static std::vector<double> Numbers(std::string_view Line) {
    std::vector<double> values;
    double value = 0;
    while (ScanDouble(Line, value)) values.push_back(value);
    return values;
  }

  static std::string Rendered(const ChannelOptions& Options, const SimulatedRun& Run, int Scan) {
    ScanFileWriter writer(Options);
    std::string error;
    EXPECT_TRUE(writer.Render(Run, error)) << error;
    return writer.Files().empty() ? "" : writer.Files()[Scan].second;
  }
};

TEST_F(ScanFileWriterTest, NamesAndHeaderLinesFollowTheInstrumentLayout) {
  ScanFileWriter absorbance(Options(OpticalSystem::Absorbance));
  EXPECT_EQ(absorbance.FileName(1), "00001.RA1");
  EXPECT_EQ(absorbance.FileName(12345), "12345.RA1");
  EXPECT_EQ(absorbance.TitleLine(), "unit simulated absorbance at 280 nm, cell 1");
  EXPECT_EQ(absorbance.HeaderLine(Run().Scans[0], Run().Parameters),
            "R 1 20.0 50000 300 8.22467E+09 280 1");

  EXPECT_EQ(ScanFileWriter(Options(OpticalSystem::Intensity, 4))
                .HeaderLine(Run().Scans[1], Run().Parameters),
            "I 4 20.0 50000 800 2.19325E+10 280 1");
  ScanFileWriter interference(Options(OpticalSystem::Interference, 2));
  EXPECT_EQ(interference.FileName(7), "00007.IP2");
  EXPECT_EQ(interference.TitleLine(), "Interference 1.0, unit");
  EXPECT_EQ(interference.HeaderLine(Run().Scans[0], Run().Parameters).substr(0, 4), "P 2 ");
  ScanFileWriter fluorescence(Options(OpticalSystem::Fluorescence, 3));
  EXPECT_EQ(fluorescence.FileName(2), "00002.FI3");
  EXPECT_EQ(fluorescence.TitleLine(), "unit Voltage: 550 Gain: 2 Range: 1, unit");
  EXPECT_EQ(fluorescence.HeaderLine(Run().Scans[0], Run().Parameters),
            "F 3 20.0 50000 300 8.22467E+09 488 1");
}

TEST_F(ScanFileWriterTest, EveryLineEndsWithCrLfAndDataLinesMatchTheScan) {
  const std::string text = Rendered(Options(OpticalSystem::Absorbance), Run(), 0);
  size_t bareLineFeeds = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ++bareLineFeeds;
  EXPECT_EQ(bareLineFeeds, 0u);
  ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
  const std::vector<std::string> lines = Lines(text);
  const SimulatedScan& scan = Run().Scans[0];
  ASSERT_EQ(lines.size(), scan.Radius.size() + 2);
  // Radius with four decimals, then numbers in exponent notation.
  EXPECT_EQ(lines[2], "   6.0100    0.00000E+00    0.00000E+00");
  for (size_t i = 0; i < scan.Radius.size(); ++i) {
    const std::vector<double> values = Numbers(lines[i + 2]);
    ASSERT_EQ(values.size(), 3u) << lines[i + 2];
    EXPECT_EQ(values[0], scan.Radius[i]);
    EXPECT_NEAR(values[1], scan.Concentration[i], 5e-6 * scan.Concentration[i] + 1e-12);
  }
}

TEST_F(ScanFileWriterTest, SignalIsFactorTimesConcentrationPlusOffsetsPerSystem) {
  const SimulatedScan& scan = Run().Scans[2];
  const size_t probe = scan.Radius.size() / 2;
  const double c = scan.Concentration[probe];

  ChannelOptions absorbance = Options(OpticalSystem::Absorbance);
  absorbance.SignalFactor = 1.7;
  absorbance.Baseline = 0.05;
  EXPECT_NEAR(Numbers(Lines(Rendered(absorbance, Run(), 2))[probe + 2])[1], 1.7 * c + 0.05, 1e-5);

  // Intensity: I1 is the lamp, I2 = I1 * 10^-A.
  const std::vector<double> intensity =
      Numbers(Lines(Rendered(Options(OpticalSystem::Intensity), Run(), 2))[probe + 2]);
  ASSERT_EQ(intensity.size(), 3u);
  EXPECT_NEAR(intensity[1], LampIntensity(scan.Radius[probe]), 1e-5 * intensity[1]);
  EXPECT_NEAR(std::log10(intensity[1] / intensity[2]), c, 1e-5);

  const std::vector<double> fringes =
      Numbers(Lines(Rendered(Options(OpticalSystem::Interference), Run(), 2))[probe + 2]);
  ASSERT_EQ(fringes.size(), 2u);
  EXPECT_NEAR(fringes[1], DefaultSignalFactor(OpticalSystem::Interference) * c, 1e-5);

  const std::vector<double> counts =
      Numbers(Lines(Rendered(Options(OpticalSystem::Fluorescence), Run(), 2))[probe + 2]);
  ASSERT_EQ(counts.size(), 3u);
  EXPECT_NEAR(counts[1], 1000 * c, 1e-2);
}

TEST_F(ScanFileWriterTest, JitterAndFringeJumpsShiftWholeScansAsTheTruthSays) {
  ChannelOptions options = Options(OpticalSystem::Interference, 2);
  options.Jitter = 0.4;
  options.Jumps = {{2, 1}, {3, -2}};
  ScanFileWriter writer(options);
  std::string error;
  ASSERT_TRUE(writer.Render(Run(), error)) << error;
  const RunTruth& truth = writer.Truth();
  ASSERT_EQ(truth.Scans.size(), 3u);
  EXPECT_EQ(truth.Scans[0].FringeJump, 0);
  EXPECT_EQ(truth.Scans[1].FringeJump, 1);
  EXPECT_EQ(truth.Scans[2].FringeJump, -2);
  for (size_t k = 0; k < 3; ++k) {
    const TruthScan& scanTruth = truth.Scans[k];
    EXPECT_LE(std::fabs(scanTruth.Jitter), 0.4);
    EXPECT_NE(scanTruth.Jitter, 0);
    const std::vector<std::string> lines = Lines(writer.Files()[k].second);
    const SimulatedScan& scan = Run().Scans[k];
    for (size_t i = 0; i < scan.Radius.size(); i += 17) {
      const double expected = 3.3 * scan.Concentration[i] + scanTruth.Jitter + scanTruth.FringeJump;
      EXPECT_NEAR(Numbers(lines[i + 2])[1], expected, 5e-6 * std::fabs(expected) + 1e-9);
    }
  }
  EXPECT_NE(truth.Scans[0].Jitter, truth.Scans[1].Jitter);
}

TEST_F(ScanFileWriterTest, NoiseHasTheRequestedSpreadAndRepeatsWithTheSeed) {
  ChannelOptions options = Options(OpticalSystem::Absorbance);
  options.Noise = 0.01;
  options.Seed = 99;
  const std::string first = Rendered(options, Run(), 1);
  EXPECT_EQ(Rendered(options, Run(), 1), first);
  options.Seed = 100;
  EXPECT_NE(Rendered(options, Run(), 1), first);

  const std::vector<std::string> lines = Lines(first);
  const SimulatedScan& scan = Run().Scans[1];
  double squares = 0;
  for (size_t i = 0; i < scan.Radius.size(); ++i) {
    const std::vector<double> values = Numbers(lines[i + 2]);
    squares += std::pow(values[1] - scan.Concentration[i], 2);
    // The third column is an instrument-like standard deviation near the noise.
    EXPECT_GE(values[2], 0.0075 - 1e-9);
    EXPECT_LE(values[2], 0.0125 + 1e-9);
  }
  // About 120 points: the estimated sd is within 15 % at 3 standard errors.
  EXPECT_NEAR(std::sqrt(squares / scan.Radius.size()), 0.01, 0.0015);
}

TEST_F(ScanFileWriterTest, TextIsTheSameUnderADecimalCommaLocale) {
  ChannelOptions options = Options(OpticalSystem::Fluorescence, 3);
  options.Noise = 3;
  const std::string plain = Rendered(options, Run(), 0);
  DecimalCommaLocale comma;
  if (!comma.Available()) GTEST_SKIP() << "no decimal-comma locale on this machine";
  EXPECT_EQ(Rendered(options, Run(), 0), plain);
}

TEST_F(ScanFileWriterTest, OptionsTheReaderCouldNotTakeAreRefused) {
  std::string error;
  ChannelOptions jumpsOnAbsorbance = Options(OpticalSystem::Absorbance);
  jumpsOnAbsorbance.Jumps = {{1, 1}};
  ChannelOptions jumpBeyondTheRun = Options(OpticalSystem::Interference);
  jumpBeyondTheRun.Jumps = {{4, 1}};
  ChannelOptions cellNine = Options(OpticalSystem::Absorbance, 9);
  ChannelOptions twoWords = Options(OpticalSystem::Interference);
  twoWords.RunName = "two words";
  ChannelOptions negativeNoise = Options(OpticalSystem::Absorbance);
  negativeNoise.Noise = -1;
  for (const ChannelOptions& options :
       {jumpsOnAbsorbance, jumpBeyondTheRun, cellNine, twoWords, negativeNoise}) {
    ScanFileWriter writer(options);
    EXPECT_FALSE(writer.Render(Run(), error));
    EXPECT_NE(error, "");
    EXPECT_TRUE(writer.Files().empty());
  }

  // More points than the reader takes from an absorbance file (2048); the
  // same grid is fine for fluorescence (10000).
  const SimulatedRun fine = SimulateRun(SmallRun(0.0005));
  ScanFileWriter absorbance(Options(OpticalSystem::Absorbance));
  EXPECT_FALSE(absorbance.Render(fine, error));
  EXPECT_NE(error.find("2048"), std::string::npos) << error;
  ScanFileWriter fluorescence(Options(OpticalSystem::Fluorescence));
  EXPECT_TRUE(fluorescence.Render(fine, error)) << error;

  SimulatedRun failed;
  failed.Error = "The rotor speed must be above 0 and at most 200000 rpm.";
  EXPECT_FALSE(absorbance.Render(failed, error));
  EXPECT_EQ(error, failed.Error);
}

TEST_F(ScanFileWriterTest, WriteChannelLaysOutLikeAnUnpackedRunAndReplacesStaleScans) {
  const fs::path root = FreshTestDir("scan-file-writer");
  const fs::path absorbanceDir = root / "unit" / "Cell1" / "Absorbance" / "280";
  fs::create_directories(absorbanceDir);
  WriteTextFile(absorbanceDir / "00099.ra1", "stale scan of a longer run\r\n");
  WriteTextFile(absorbanceDir / "00001.RI1", "another channel\r\n");
  WriteTextFile(absorbanceDir / "notes.txt", "kept\n");

  std::string error;
  EXPECT_EQ(WriteChannel(Run(), Options(OpticalSystem::Absorbance), root, error), absorbanceDir)
      << error;
  EXPECT_FALSE(fs::exists(absorbanceDir / "00099.ra1"));
  EXPECT_TRUE(fs::exists(absorbanceDir / "00001.RI1"));
  EXPECT_TRUE(fs::exists(absorbanceDir / "notes.txt"));
  EXPECT_TRUE(fs::exists(absorbanceDir / "00003.RA1"));
  EXPECT_FALSE(fs::exists(absorbanceDir / "00004.RA1"));

  EXPECT_EQ(WriteChannel(Run(), Options(OpticalSystem::Intensity), root, error),
            root / "unit" / "Cell1" / "Intensity" / "280");
  EXPECT_EQ(WriteChannel(Run(), Options(OpticalSystem::Interference, 2), root, error),
            root / "unit" / "Cell2" / "Interference");
  EXPECT_EQ(WriteChannel(Run(), Options(OpticalSystem::Fluorescence, 3), root, error),
            root / "unit" / "Cell3" / "Fluorescence");
  EXPECT_TRUE(fs::exists(root / "unit" / "Cell3" / "Fluorescence" / "00001.FI3"));

  RunTruth truth;
  ASSERT_TRUE(ReadTruthFile(absorbanceDir / kTruthFileName, truth, error)) << error;
  ASSERT_EQ(truth.Scans.size(), 3u);
  EXPECT_EQ(truth.Scans[2].FileName, "00003.RA1");
  EXPECT_EQ(truth.Scans[2].PointCount, static_cast<int>(Run().Scans[2].Radius.size()));
}

TEST_F(ScanFileWriterTest, ReaderGetsBackTheConcentrationTimesTheSignalFactor) {
  const fs::path dir = FreshTestDir("scan-file-reader");
  for (OpticalSystem system : {OpticalSystem::Absorbance, OpticalSystem::Intensity,
                               OpticalSystem::Interference, OpticalSystem::Fluorescence}) {
    ScanFileWriter writer(Options(system, 2));
    std::string error;
    ASSERT_TRUE(writer.Render(Run(), error)) << error;
    ASSERT_TRUE(writer.Save(dir, error)) << error;
    const double factor = writer.Options().SignalFactor;
    const SimulatedScan& scan = Run().Scans[1];
    BeckmanFile reader(nullptr);
    ASSERT_GT(reader.ReadScanFile((dir / writer.FileName(2)).string(), 0, 0.0), 0)
        << SystemName(system);
    ASSERT_EQ(reader.PointCount, static_cast<int>(scan.Radius.size()));
    for (int i = 0; i < reader.PointCount; ++i) {
      EXPECT_EQ(reader.Radius()[i], scan.Radius[i]);
      // Six significant digits in the file; intensities lose a little more
      // through the ratio.
      EXPECT_NEAR(reader.Value()[i] / factor, scan.Concentration[i], 2e-5)
          << SystemName(system) << " r = " << scan.Radius[i];
    }
  }
}
