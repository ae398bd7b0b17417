#include "tools/runsim/DemoRun.h"

#include "tools/runsim/TruthFile.h"

#include "analysis/BeckmanFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

namespace fs = std::filesystem;

// Reads the bundled demo run back with the scan-file reader. Under CTest the
// run is the one the command-line tool wrote into the build tree (the
// korvale_demo_run fixture); without it the test writes its own.
class DemoRunTest : public ::testing::Test {
 protected:
  static fs::path DemoRoot() {
    static const fs::path root = LocateOrWriteDemo();
    return root;
  }

  static fs::path LocateOrWriteDemo() {
    const fs::path written = fs::path(KORVALE_TEST_OUTPUT_DIR) / "demo-run";
    if (fs::exists(written / kDemoRunName / "Cell3" / "Fluorescence" / kTruthFileName))
      return written;
    const fs::path root = FreshTestDir("demo-run-in-process");
    std::string error;
    EXPECT_FALSE(WriteDemoRun(root, error).empty()) << error;
    return root;
  }

  struct Channel {
    std::string Subdirectory;
    std::string Letters;
    int Kind;
    int Cell;
    size_t Scans;
  };

  static std::vector<Channel> Channels() {
    return {{"Cell1/Absorbance/280", "RA", 1, 1, 75},
            {"Cell1/Intensity/280", "RI", 1, 1, 75},
            {"Cell2/Interference", "IP", 3, 2, 100},
            {"Cell3/Fluorescence", "FI", 2, 3, 80}};
  }

  static std::vector<std::string> ScanFiles(const fs::path& Directory) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(Directory))
      if (entry.path().filename() != kTruthFileName) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  static RunTruth Truth(const fs::path& Directory) {
    RunTruth truth;
    std::string error;
    EXPECT_TRUE(ReadTruthFile(Directory / kTruthFileName, truth, error)) << error;
    return truth;
  }
};

TEST_F(DemoRunTest, EveryChannelHasItsScansInTimeOrderBesideItsTruth) {
  for (const Channel& channel : Channels()) {
    const fs::path directory = DemoRoot() / kDemoRunName / channel.Subdirectory;
    ASSERT_TRUE(fs::is_directory(directory)) << directory;
    const RunTruth truth = Truth(directory);
    const std::vector<std::string> names = ScanFiles(directory);
    ASSERT_EQ(names.size(), channel.Scans) << channel.Subdirectory;
    ASSERT_EQ(truth.Scans.size(), channel.Scans);
    for (size_t k = 0; k < names.size(); ++k) {
      EXPECT_EQ(names[k], truth.Scans[k].FileName);
      if (k > 0) {
        EXPECT_GT(truth.Scans[k].ElapsedTime, truth.Scans[k - 1].ElapsedTime);
      }
    }
  }
}

TEST_F(DemoRunTest, ReaderAcceptsEveryScanAndItsHeaderMatchesTheTruth) {
  BeckmanFile reader(nullptr);
  for (const Channel& channel : Channels()) {
    const fs::path directory = DemoRoot() / kDemoRunName / channel.Subdirectory;
    const RunTruth truth = Truth(directory);
    const double omega2 = truth.Rpm * truth.Rpm * 4 * std::numbers::pi * std::numbers::pi / 3600;
    for (const TruthScan& scan : truth.Scans) {
      const std::string path = (directory / scan.FileName).string();
      ASSERT_GT(reader.ReadScanFile(path, 0, 0.0), 0) << path;
      const ScanHeader& header = reader.Header;
      EXPECT_EQ(reader.PointCount, scan.PointCount) << path;
      EXPECT_EQ(header.Kind, channel.Kind) << path;
      EXPECT_EQ(header.Cell, channel.Cell) << path;
      EXPECT_EQ(header.Replicates, 1) << path;
      EXPECT_EQ(header.Rpm, truth.Rpm) << path;
      EXPECT_EQ(header.Temperature, truth.Temperature) << path;
      EXPECT_EQ(header.Wavelength, truth.Wavelength) << path;
      EXPECT_EQ(header.ElapsedTime, std::round(scan.ElapsedTime)) << path;
      // omega^2 t carries six significant digits.
      EXPECT_NEAR(header.Omega2t, scan.Omega2t, 5e-6 * scan.Omega2t) << path;
      EXPECT_NEAR(header.TimeUsed, scan.Omega2t / omega2, 5e-6 * scan.ApparentTime) << path;
      EXPECT_NEAR(header.TimeUsed, scan.ApparentTime, 5e-6 * scan.ApparentTime) << path;
      EXPECT_EQ(header.FileName, scan.FileName) << path;
      if (channel.Kind == 3) {
        EXPECT_EQ(header.ScanDescription, kDemoRunName) << path;
      }
      if (channel.Kind == 2) {
        EXPECT_EQ(header.FluorescencePrefix, kDemoRunName) << path;
      }
    }
  }
}

TEST_F(DemoRunTest, PlateauSignalMatchesTheKnownAnswerWithinTheNoise) {
  BeckmanFile reader(nullptr);
  for (const Channel& channel : Channels()) {
    const fs::path directory = DemoRoot() / kDemoRunName / channel.Subdirectory;
    const RunTruth truth = Truth(directory);
    for (size_t k = 5; k < truth.Scans.size() / 2; k += 10) {
      const TruthScan& scan = truth.Scans[k];
      ASSERT_GT(reader.ReadScanFile((directory / scan.FileName).string(), 0, 0.0), 0);
      // From the fastest boundary plus four of its widths to well above the
      // layer at the bottom.
      double fastest = 0;
      for (const Species& one : truth.SpeciesList)
        fastest = std::max(fastest, truth.Meniscus * std::exp(one.s * scan.Omega2t));
      const double from = fastest + 0.12;
      const double to = truth.Bottom - 0.15;
      double sum = 0;
      int count = 0;
      for (int i = 0; i < reader.PointCount; ++i)
        if (reader.Radius()[i] > from && reader.Radius()[i] < to) {
          sum += reader.Value()[i];
          ++count;
        }
      ASSERT_GT(count, 20) << scan.FileName;
      const double expected = truth.SignalFactor * scan.PlateauConcentration + truth.Baseline +
                              scan.Jitter + scan.FringeJump;
      // Four standard errors of the mean; the plateau itself is exact to 1e-6.
      const double tolerance = 4 * truth.Noise / std::sqrt(count) + 1e-5 * expected;
      EXPECT_NEAR(sum / count, expected, tolerance) << channel.Subdirectory << "/" << scan.FileName;
    }
  }
}
