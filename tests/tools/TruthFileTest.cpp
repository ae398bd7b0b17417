#include "tools/runsim/TruthFile.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

class TruthFileTest : public ::testing::Test {
 protected:
  static RunTruth Sample() {
    RunTruth truth;
    truth.RunName = "trial-7";
    truth.System = OpticalSystem::Interference;
    truth.Cell = 2;
    truth.Wavelength = 655;
    truth.Rpm = 48000;
    truth.RampSeconds = 210;
    truth.Temperature = 19.5;
    truth.Meniscus = 6.0812345678901234;
    truth.Bottom = 7.2;
    truth.RadialStep = 0.001;
    truth.SignalFactor = 3.3;
    truth.Baseline = -0.25;
    truth.Noise = 0.004;
    truth.Seed = 18446744073709551615ull;
    truth.JitterAmplitude = 0.3;
    truth.SpeciesList = {{4.5e-13, 6.1e-7, 0.5}, {7e-13, 4.6e-7, 0.25}};
    truth.Scans = {
        {1, "00001.IP2", 300, 8.2246703342411e9, 160.0000001, -0.123, 0, 1161, 6.0912, 0.7412},
        {2, "00002.IP2", 360, 9.87e9, 220, 0.2, -1, 1161, 6.0999, 0.74}};
    return truth;
  }
};

TEST_F(TruthFileTest, WrittenTruthReadsBackExactly) {
  const std::filesystem::path dir = FreshTestDir("truth-file");
  const RunTruth written = Sample();
  std::string error;
  ASSERT_TRUE(WriteTruthFile(dir / kTruthFileName, written, error)) << error;
  RunTruth read;
  ASSERT_TRUE(ReadTruthFile(dir / kTruthFileName, read, error)) << error;
  EXPECT_EQ(read.RunName, written.RunName);
  EXPECT_EQ(read.System, written.System);
  EXPECT_EQ(read.Cell, 2);
  EXPECT_EQ(read.Wavelength, 655);
  EXPECT_EQ(read.Rpm, written.Rpm);
  EXPECT_EQ(read.RampSeconds, written.RampSeconds);
  EXPECT_EQ(read.Temperature, written.Temperature);
  EXPECT_EQ(read.Meniscus, written.Meniscus);
  EXPECT_EQ(read.SignalFactor, written.SignalFactor);
  EXPECT_EQ(read.Baseline, written.Baseline);
  EXPECT_EQ(read.Noise, written.Noise);
  EXPECT_EQ(read.Seed, written.Seed);
  EXPECT_EQ(read.JitterAmplitude, written.JitterAmplitude);
  ASSERT_EQ(read.SpeciesList.size(), 2u);
  EXPECT_EQ(read.SpeciesList[1].s, 7e-13);
  EXPECT_EQ(read.SpeciesList[1].D, 4.6e-7);
  ASSERT_EQ(read.Scans.size(), 2u);
  const TruthScan& scan = read.Scans[0];
  EXPECT_EQ(scan.FileName, "00001.IP2");
  EXPECT_EQ(scan.Omega2t, written.Scans[0].Omega2t);
  EXPECT_EQ(scan.ApparentTime, written.Scans[0].ApparentTime);
  EXPECT_EQ(scan.Jitter, written.Scans[0].Jitter);
  EXPECT_EQ(scan.PointCount, 1161);
  EXPECT_EQ(read.Scans[1].FringeJump, -1);
}

TEST_F(TruthFileTest, TextIsTheSameUnderADecimalCommaLocale) {
  const std::string plain = FormatTruth(Sample());
  DecimalCommaLocale comma;
  if (!comma.Available()) GTEST_SKIP() << "no decimal-comma locale on this machine";
  EXPECT_EQ(FormatTruth(Sample()), plain);
}

TEST_F(TruthFileTest, MalformedOrForeignTextIsRefused) {
  RunTruth truth;
  std::string error;
  EXPECT_FALSE(ParseTruth("run x\nscan 1 00001.RA1 300 abc\n", truth, error));
  EXPECT_NE(error.find("Line 2"), std::string::npos) << error;
  EXPECT_FALSE(ParseTruth("P 1 20.0 50000 300 8.2E9 655 1\n", truth, error));
  EXPECT_FALSE(ReadTruthFile(FreshTestDir("truth-missing") / kTruthFileName, truth, error));
}
