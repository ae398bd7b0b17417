#include "analysis/Realtimegofs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

constexpr double kOmegaPerRpm2 = 0.01096622711;

// A clean analytic boundary: plateau decaying by radial dilution and a
// smooth front at meniscus * exp(s w^2 t). Good enough to exercise the
// bookkeeping; the physics is checked against the Lamm simulator elsewhere.
struct SyntheticRun {
  double Meniscus = 6.0;
  double Bottom = 7.2;
  double Rpm = 50000;
  double S = 4.5e-13;
  double C0 = 1.0;
  double FirstRadius = 5.95;
  double RadialStep = 0.003;
  int Points = 400;

  double W2() const { return Rpm * Rpm * kOmegaPerRpm2; }
  std::vector<double> Radii() const {
    std::vector<double> r(static_cast<size_t>(Points));
    for (int i = 0; i < Points; ++i) r[static_cast<size_t>(i)] = FirstRadius + i * RadialStep;
    return r;
  }
  std::vector<double> Scan(double t) const {
    const double boundary = Meniscus * std::exp(S * W2() * t);
    const double plateau = C0 * std::exp(-2 * S * W2() * t);
    std::vector<double> c;
    for (double r : Radii())
      c.push_back(r <= Meniscus ? 0.0 : plateau * 0.5 * std::erfc((boundary - r) / 0.02));
    return c;
  }
  static std::string FileName(int index) {
    const std::string number = std::to_string(index + 1);
    return std::string(5 - number.size(), '0') + number + ".RA1";
  }
  ScanHeader Header(int index, double t) const {
    ScanHeader h;
    h.Rpm = Rpm;
    h.Omega2t = W2() * t;
    h.TimeUsed = t;
    h.ElapsedTime = t;
    h.FileName = FileName(index);
    h.TitleLine = "title";
    h.HeaderLine = "header";
    return h;
  }
};

class RealTimeGofSTest : public ::testing::Test {
 protected:
  void SetUp() override { recorder = std::make_unique<MessageRecorder>(); }
  void TearDown() override { recorder.reset(); }

  void Prepare(RealTimeGofS& engine) const {
    engine.MeniscusRadius = run.Meniscus;
    engine.CellBottom = run.Bottom;
    const std::vector<double> r = run.Radii();
    ASSERT_EQ(engine.CreateX(r.data(), run.Points), 0);
  }
  int AddScan(RealTimeGofS& engine, int index, double t) const {
    const std::vector<double> r = run.Radii();
    const std::vector<double> c = run.Scan(t);
    return engine.RawStore->AddSet(r.data(), c.data(), run.Points, run.Header(index, t), t);
  }
  void Load(RealTimeGofS& engine, int scans, double first = 600, double interval = 120) const {
    Prepare(engine);
    for (int i = 0; i < scans; ++i) ASSERT_EQ(AddScan(engine, i, first + i * interval), i);
  }
  static void Analyse(RealTimeGofS& engine) {
    engine.IPtransform();
    engine.Refreshdcdtvss();
    engine.MakeAllAvgdcdt();
    engine.MakeAllCorrecteddCdT();
  }
  // Every store the averaging and correction make, and the kept curve.
  static void ExpectDerivedEqual(const RealTimeGofS& a, const RealTimeGofS& b) {
    ExpectStoresEqual(*a.DcdtStore, *b.DcdtStore);
    ExpectStoresEqual(*a.AveragedStore, *b.AveragedStore);
    ExpectStoresEqual(*a.CorrectedStore, *b.CorrectedStore);
    ExpectStoresEqual(*a.SmoothedStore, *b.SmoothedStore);
    EXPECT_EQ(a.LastCorrectedY, b.LastCorrectedY);
    EXPECT_EQ(a.LastCorrectedError, b.LastCorrectedError);
  }
  static void ExpectStoresEqual(const ChannelDataStore& a, const ChannelDataStore& b) {
    ASSERT_EQ(a.GetNumberOfSets(), b.GetNumberOfSets());
    for (int s = 0; s < a.GetNumberOfSets(); ++s) {
      EXPECT_EQ(a.Headers[s].TimeUsed, b.Headers[s].TimeUsed);
      EXPECT_EQ(a.Headers[s].FirstSourceSet, b.Headers[s].FirstSourceSet);
      EXPECT_EQ(a.Headers[s].LastSourceSet, b.Headers[s].LastSourceSet);
      EXPECT_EQ(a.Headers[s].LastValidPoint, b.Headers[s].LastValidPoint);
      for (int k = 0; k < a.GetNumberOfPoints(); ++k) {
        ASSERT_EQ(a.GetY(s, k), b.GetY(s, k)) << "set " << s << " point " << k;
        ASSERT_EQ(a.GetError(s, k), b.GetError(s, k)) << "set " << s << " point " << k;
      }
    }
  }

  SyntheticRun run;
  std::unique_ptr<MessageRecorder> recorder;
};

TEST_F(RealTimeGofSTest, CreateXMakesSixTitledStoresOnTwoGrids) {
  RealTimeGofS engine;
  EXPECT_EQ(engine.StatusText, "Initialized with () \n");
  Prepare(engine);
  EXPECT_TRUE(engine.IsCreated());
  EXPECT_EQ(engine.RawStore->GetNumberOfPoints(), run.Points);
  EXPECT_EQ(engine.DcdtStore->GetNumberOfPoints(), 501);
  EXPECT_DOUBLE_EQ(engine.DcdtStore->GetX(0), std::log(1e-15));
  EXPECT_DOUBLE_EQ(engine.DcdtStore->GetX(500), std::log(1e-10));
  for (const ChannelDataStore* s : {engine.AveragedStore.get(), engine.CorrectedStore.get(),
                                    engine.SmoothedStore.get(), engine.ExtrapolationStore.get()})
    EXPECT_EQ(s->GetX(250), engine.DcdtStore->GetX(250));
  EXPECT_EQ(engine.RawStore->XTitle, "Radius cm");
  EXPECT_EQ(engine.CorrectedStore->YTitle, "s g(s)");
  EXPECT_EQ(engine.ExtrapolationStore->XTitle, "1/sqrt(t)");
  EXPECT_EQ(engine.SmoothedStore->XTitle, "");
  EXPECT_EQ(engine.LastCorrectedX.size(), 501u);
}

TEST_F(RealTimeGofSTest, CreateXReportsAStoreThatCouldNotBeMade) {
  RealTimeGofS engine;
  engine.Settings.sGridNumberOfPoints = 2;  // too small a grid for a store
  const std::vector<double> r = run.Radii();
  EXPECT_EQ(engine.CreateX(r.data(), run.Points), -1);
  EXPECT_FALSE(engine.IsCreated());
  EXPECT_NE(engine.StatusText.find("Unexpected error in CreateX.  \n"), std::string::npos);
  EXPECT_EQ(engine.Refreshdcdtvss(), -1);
}

TEST_F(RealTimeGofSTest, FewScansPairFirstWithLast) {
  RealTimeGofS engine;
  Load(engine, 2);
  EXPECT_EQ(engine.Refreshdcdtvss(), 0);
  ASSERT_EQ(engine.DcdtStore->GetNumberOfSets(), 1);
  const ScanHeader& pair = engine.DcdtStore->Headers[0];
  EXPECT_EQ(pair.FirstSourceSet, 0);
  EXPECT_EQ(pair.LastSourceSet, 1);
  EXPECT_DOUBLE_EQ(pair.TimeUsed, 2.0 / (1.0 / 600 + 1.0 / 720));
  EXPECT_DOUBLE_EQ(pair.Omega2t, run.W2() * pair.TimeUsed);

  AddScan(engine, 2, 840);
  engine.Refreshdcdtvss();
  ASSERT_EQ(engine.DcdtStore->GetNumberOfSets(), 1);
  EXPECT_EQ(engine.DcdtStore->Headers[0].FirstSourceSet, 0);
  EXPECT_EQ(engine.DcdtStore->Headers[0].LastSourceSet, 2);
}

TEST_F(RealTimeGofSTest, NoPartnerForTheLastScanMeansFixedLagPairs) {
  RealTimeGofS engine;
  engine.Settings.dcdtWindowFactor = 100;  // a span longer than the run
  Load(engine, 5);
  engine.Refreshdcdtvss();
  ASSERT_EQ(engine.DcdtStore->GetNumberOfSets(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(engine.DcdtStore->Headers[i].FirstSourceSet, i);
    EXPECT_EQ(engine.DcdtStore->Headers[i].LastSourceSet, i + 1);
  }
}

TEST_F(RealTimeGofSTest, WindowModePairsEveryScanWithAnEarlierPartner) {
  RealTimeGofS engine;
  Load(engine, 30);
  engine.Refreshdcdtvss();
  ASSERT_GT(engine.DcdtStore->GetNumberOfSets(), 10);
  for (int s = 0; s < engine.DcdtStore->GetNumberOfSets(); ++s) {
    const ScanHeader& h = engine.DcdtStore->Headers[s];
    EXPECT_LE(h.FirstSourceSet, h.LastSourceSet - 2) << "never the scan just before";
  }
}

TEST_F(RealTimeGofSTest, PointsOutsideTheCellAreIgnoredAtBothEnds) {
  RealTimeGofS engine;
  run.FirstRadius = 5.99;  // first raw point inside the meniscus band
  Load(engine, 2);
  engine.Refreshdcdtvss();
  // Grid point 0 is exactly ln(LowS), where the meniscus points sit.
  EXPECT_EQ(engine.DcdtStore->GetY(0, 0), 0.0);
  EXPECT_EQ(engine.DcdtStore->GetError(0, 0), engine.Settings.DefaultIgnoreTag);
  // Somewhere inside, dc/dt is valid and positive (the plateau loses solute).
  int valid = 0;
  for (int k = 0; k < 501; ++k)
    if (engine.DcdtStore->GetError(0, k) > 0) ++valid;
  EXPECT_GT(valid, 20);
}

TEST_F(RealTimeGofSTest, MissingConcentrationIsNotTakenForZero) {
  RealTimeGofS engine;
  Load(engine, 2);
  // A third, shorter scan: the outer 100 raw points have no data.
  const std::vector<double> r = run.Radii();
  const std::vector<double> c = run.Scan(840);
  ASSERT_EQ(engine.RawStore->AddSet(r.data(), c.data(), run.Points - 100, run.Header(2, 840), 840),
            2);
  engine.Refreshdcdtvss();
  ASSERT_EQ(engine.DcdtStore->GetNumberOfSets(), 1);
  const double cutRadius = r[static_cast<size_t>(run.Points - 100)];
  const double tPair = engine.DcdtStore->Headers[0].TimeUsed;
  const double cutLogS = std::log(std::log(cutRadius / run.Meniscus) / tPair / run.W2());
  double largest = 0;
  for (int k = 0; k < 501; ++k) {
    const double x = engine.DcdtStore->GetX(k);
    if (x > cutLogS + 0.01 && engine.DcdtStore->GetError(0, k) >= 0)
      largest = std::max(largest, std::abs(engine.DcdtStore->GetY(0, k)));
  }
  EXPECT_EQ(largest, 0.0) << "no valid dc/dt beyond the end of the short scan";
}

TEST_F(RealTimeGofSTest, NoMeniscusMeansNoPass) {
  RealTimeGofS engine;
  Load(engine, 6);
  engine.Refreshdcdtvss();
  const int before = engine.DcdtStore->GetNumberOfSets();
  engine.MeniscusRadius = 0;
  EXPECT_EQ(engine.AddOnedcdtvss(5), -1);
  EXPECT_EQ(engine.DcdtStore->GetNumberOfSets(), before);
  EXPECT_EQ(engine.Refreshdcdtvss(), -1);
  EXPECT_EQ(engine.DcdtStore->GetNumberOfSets(), 0);
  EXPECT_EQ(engine.AddOnedcdtvss(99), -1);
}

TEST_F(RealTimeGofSTest, EstimateIsCappedAndUsesTheMultiplicativeBoundary) {
  RealTimeGofS engine;
  for (double o2t : {1e9, 1e10, 1e11, 1e12}) {
    const double estimate = engine.EstimateDeltaOmsqt(o2t, 6.0, 7.2, 50000, o2t / run.W2());
    EXPECT_GT(estimate, 0.0);
    EXPECT_LE(estimate, 0.2 * o2t * (1 + 1e-15));
  }
  // Molar-mass guess: the boundary radius is meniscus * exp(s w^2 t).
  engine.UseMolecularWeight = true;
  engine.MolecularWeight = 150000;
  const double o2t = 5e10, t = 3000;
  const double s = std::pow(150.0, 0.6666666) * 1e-13 * 0.3125;
  const double width = std::sqrt(9.1e10 * s / 150000 * t) * 1.665;
  const double rb = 6.0 * std::exp(s * o2t);
  const double expected = (std::log(rb + width) - std::log(rb)) / s;
  EXPECT_DOUBLE_EQ(engine.EstimateDeltaOmsqt(o2t, 6.0, 7.2, 50000, t), expected);
  EXPECT_TRUE(recorder->Messages().empty());
}

TEST_F(RealTimeGofSTest, AMeniscusPastTheBottomFailsOnceAPassNotOnceAPair) {
  RealTimeGofS engine;
  Load(engine, 40);
  engine.MeniscusRadius = 7.3;  // dragged past the bottom: no s estimate possible
  Analyse(engine);
  const auto& shown = recorder->Messages();
  EXPECT_LE(std::count(shown.begin(), shown.end(), "Failed EstimateDeltaOmsqt"), 3)
      << "at most one box per pass";
  size_t logged = 0;
  for (size_t at = 0;
       (at = engine.StatusText.find("Failed EstimateDeltaOmsqt", at)) != std::string::npos; ++at)
    ++logged;
  EXPECT_GT(logged, 10u) << "every failure is in the status text";
}

TEST_F(RealTimeGofSTest, AveragingWithOneDcdtSetMakesNothing) {
  RealTimeGofS engine;
  Load(engine, 3);
  engine.Refreshdcdtvss();
  EXPECT_EQ(engine.MakeAllAvgdcdt(), 0);
  EXPECT_EQ(engine.AveragedStore->GetNumberOfSets(), 0);
  EXPECT_EQ(engine.MakeAllCorrecteddCdT(), -1);
}

TEST_F(RealTimeGofSTest, AveragesNameTheirSourcesAndLastFullPoint) {
  RealTimeGofS engine;
  Load(engine, 30);
  Analyse(engine);
  const int sets = engine.AveragedStore->GetNumberOfSets();
  ASSERT_EQ(sets, engine.DcdtStore->GetNumberOfSets() - 1);
  for (int a = 0; a < sets; ++a) {
    const ScanHeader& h = engine.AveragedStore->Headers[a];
    EXPECT_EQ(h.LastSourceSet, a + 1);
    const int m = h.LastSourceSet - h.FirstSourceSet + 1;
    double inverse = 0;
    for (int d = h.FirstSourceSet; d <= h.LastSourceSet; ++d)
      inverse += 1.0 / engine.DcdtStore->Headers[d].TimeUsed;
    EXPECT_DOUBLE_EQ(h.TimeUsed, m / inverse);
    // Every averaged dc/dt set is valid at the last full point.
    for (int d = h.FirstSourceSet; d <= h.LastSourceSet; ++d)
      EXPECT_GT(engine.DcdtStore->GetError(d, h.LastValidPoint), 0.0);
  }
  // A grid point no set covers carries the negative tag.
  EXPECT_EQ(engine.AveragedStore->GetError(0, 500), engine.Settings.DefaultNegativeTag);
}

// Each averaged value is its sources' valid values added one set after the
// other and divided by their number, bit for bit, at every grid point (the
// last ones, past the sum's whole blocks of points, too); a point without
// data in some sources averages the others, one without data in any carries
// the tag.
TEST_F(RealTimeGofSTest, AveragesAddTheValidSourceValuesInSetOrder) {
  RealTimeGofS engine;
  Load(engine, 30);
  Analyse(engine);
  ChannelDataStore& dcdt = *engine.DcdtStore;
  const int points = dcdt.GetNumberOfPoints();
  // Values of every size and both signs, so that another order of adding
  // them would round differently; every fifth point lacks data in some sets.
  for (int d = 0; d < dcdt.GetNumberOfSets(); ++d)
    for (int k = 0; k < points; ++k) {
      const double sign = (d + k) % 3 == 0 ? -1.0 : 1.0;
      dcdt.GetYArray(d)[k] =
          sign * std::ldexp(1.0 + 0.1 * ((d * 7 + k * 13) % 17), (d * 5 + k) % 40 - 20);
      const bool gap = k % 5 == 0 && (d + k) % 4 != 0;
      dcdt.SetError(d, k,
                    gap ? engine.Settings.DefaultIgnoreTag : engine.Settings.DefaultPositiveError);
    }
  for (int d = 0; d < dcdt.GetNumberOfSets(); ++d) dcdt.SetError(d, points - 5, -1.0);
  engine.AveragedStore->ClearSets();
  engine.MakeAllAvgdcdt();

  const ChannelDataStore& averaged = *engine.AveragedStore;
  ASSERT_GT(averaged.GetNumberOfSets(), 5);
  int partial = 0;
  for (int a = 0; a < averaged.GetNumberOfSets(); ++a) {
    const ScanHeader& h = averaged.Headers[a];
    ASSERT_GT(h.LastSourceSet, h.FirstSourceSet);
    for (int k = 0; k < points; ++k) {
      double sum = 0.0;
      int count = 0;
      for (int d = h.FirstSourceSet; d <= h.LastSourceSet; ++d)
        if (dcdt.GetError(d, k) > 0.0) {
          sum += dcdt.GetY(d, k);
          ++count;
        }
      partial += count > 0 && count <= h.LastSourceSet - h.FirstSourceSet;
      if (count == 0) {
        EXPECT_EQ(averaged.GetY(a, k), 0.0);
        EXPECT_EQ(averaged.GetError(a, k), engine.Settings.DefaultNegativeTag);
      } else {
        ASSERT_EQ(averaged.GetY(a, k), sum / count) << "set " << a << ", point " << k;
      }
    }
  }
  EXPECT_GT(partial, 0);
}

TEST_F(RealTimeGofSTest, CorrectedAndSmoothedSetsCarryTheAveragedTags) {
  RealTimeGofS engine;
  Load(engine, 30);
  Analyse(engine);
  const int sets = engine.AveragedStore->GetNumberOfSets();
  ASSERT_EQ(engine.CorrectedStore->GetNumberOfSets(), sets);
  ASSERT_EQ(engine.SmoothedStore->GetNumberOfSets(), sets);
  for (int a = 0; a < sets; ++a)
    for (int k = 0; k < 501; ++k) {
      EXPECT_EQ(engine.CorrectedStore->GetError(a, k), engine.AveragedStore->GetError(a, k));
      EXPECT_EQ(engine.SmoothedStore->GetError(a, k), engine.AveragedStore->GetError(a, k));
    }
}

TEST_F(RealTimeGofSTest, KeptCurveIsTheCompositeUpToEachLastFullPoint) {
  RealTimeGofS engine;
  Load(engine, 30);
  Analyse(engine);
  const int last = engine.CorrectedStore->GetNumberOfSets() - 1;
  const int lastFull = engine.CorrectedStore->Headers[last].LastValidPoint;
  ASSERT_GT(lastFull, 0);
  for (int k = 0; k <= lastFull; ++k) {
    EXPECT_EQ(engine.LastCorrectedY[k], engine.CorrectedStore->GetY(last, k));
    EXPECT_EQ(engine.LastCorrectedX[k], engine.CorrectedStore->GetX(k));
  }
}

TEST_F(RealTimeGofSTest, AFullRecomputationForgetsTheOldMeniscus) {
  RealTimeGofS moved;
  Load(moved, 30);
  Analyse(moved);
  moved.MeniscusRadius = 5.97;
  Analyse(moved);

  RealTimeGofS fresh;
  run.Meniscus = 5.97;
  Load(fresh, 0);
  run.Meniscus = 6.0;
  for (int i = 0; i < 30; ++i) AddScan(fresh, i, 600 + i * 120);
  fresh.MeniscusRadius = 5.97;
  Analyse(fresh);

  ExpectStoresEqual(*moved.CorrectedStore, *fresh.CorrectedStore);
  EXPECT_EQ(moved.LastCorrectedY, fresh.LastCorrectedY);
  EXPECT_EQ(moved.LastCorrectedError, fresh.LastCorrectedError);
}

TEST_F(RealTimeGofSTest, TooFewValidPointsMakeNoCorrectedSet) {
  RealTimeGofS engine;
  Load(engine, 30);
  Analyse(engine);
  const std::vector<double> keptY = engine.LastCorrectedY;
  const int corrected = engine.CorrectedStore->GetNumberOfSets();
  // Invalidate all but one point of the last averaged set.
  const int a = engine.AveragedStore->GetNumberOfSets() - 1;
  for (int k = 0; k < 501; ++k) engine.AveragedStore->SetError(a, k, -1e10);
  engine.AveragedStore->SetError(a, 200, 1e-10);
  EXPECT_EQ(engine.MakeCorrecteddCdT(a), 1);
  EXPECT_EQ(engine.CorrectedStore->GetNumberOfSets(), corrected);
  EXPECT_EQ(engine.SmoothedStore->GetNumberOfSets(), corrected);
  EXPECT_EQ(engine.LastCorrectedY, keptY);
}

TEST_F(RealTimeGofSTest, PollingOneScanAtATimeEqualsAFullReload) {
  RealTimeGofS polled;
  Load(polled, 10);
  Analyse(polled);
  for (int i = 10; i < 45; ++i) {
    ASSERT_EQ(AddScan(polled, i, 600 + i * 120), i);
    polled.AddOnedcdtvss(i);
    polled.MakeAllAvgdcdt();
    polled.MakeAllCorrecteddCdT();
  }
  RealTimeGofS reloaded;
  Load(reloaded, 45);
  Analyse(reloaded);

  ExpectDerivedEqual(polled, reloaded);
}

// A run polled from its first scans passes from the early fixed-lag pairs to
// partner pairs; a poll appends a pair only onto partner pairs of every
// earlier scan, so the stores equal a reload at every step.
TEST_F(RealTimeGofSTest, PollingFromTheFirstScansEqualsAReloadAtEveryStep) {
  RealTimeGofS polled;
  Load(polled, 2);
  Analyse(polled);
  for (int i = 2; i < 40; ++i) {
    ASSERT_EQ(AddScan(polled, i, 600 + i * 120), i);
    polled.AddOnedcdtvss(i);
    polled.MakeAllAvgdcdt();
    polled.MakeAllCorrecteddCdT();
    RealTimeGofS reloaded;
    Load(reloaded, i + 1);
    Analyse(reloaded);
    SCOPED_TRACE(std::to_string(i + 1) + " scans");
    ExpectStoresEqual(*polled.DcdtStore, *reloaded.DcdtStore);
    ExpectStoresEqual(*polled.CorrectedStore, *reloaded.CorrectedStore);
  }
}

// A scan appended after the full pass and corrected on its own gets exactly
// what the full pass over all scans gives it; a replaced set is matched
// again to the set before it, and the sets after it to it.
TEST_F(RealTimeGofSTest, OneSetIsCorrectedAsTheFullPassCorrectsIt) {
  auto prepare = [&](RealTimeGofS& engine) {
    engine.JitterPosition = 5.97;  // in the air above the meniscus
    engine.FringePosition = 6.9;
    engine.JitterCorrectionOn = engine.FringeCorrectionOn = true;
  };
  // Jitter of a few tenths and a two-fringe jump from scan 7 on.
  auto offset = [](int Scan) { return 0.3 * (Scan % 3) + (Scan > 6 ? 2.0 : 0.0); };
  RealTimeGofS whole;
  Load(whole, 10);
  prepare(whole);
  for (int i = 0; i < 10; ++i) whole.RawStore->AddToSet(i, offset(i));
  whole.IPtransform();

  RealTimeGofS polled;
  Load(polled, 7);
  prepare(polled);
  for (int i = 0; i < 7; ++i) polled.RawStore->AddToSet(i, offset(i));
  polled.IPtransform();
  for (int i = 7; i < 10; ++i) {
    ASSERT_EQ(AddScan(polled, i, 600 + i * 120), i);
    polled.RawStore->AddToSet(i, offset(i));
    ASSERT_EQ(polled.IPtransformSet(i), 0);
  }
  ExpectStoresEqual(*polled.RawStore, *whole.RawStore);
  EXPECT_EQ(polled.IPtransformSet(10), -1);

  // Set 4 read again two fringes higher (past what the jitter removal,
  // switched off here, would take away): the fringe match moves it back.
  polled.JitterCorrectionOn = false;
  polled.RawStore->AddToSet(4, 2.0);
  polled.IPtransformSet(4);
  for (int i = 0; i < 10; ++i)
    EXPECT_NEAR(polled.RawStore->GetY(i, 300), whole.RawStore->GetY(i, 300), 1e-12) << i;
}

// After every step of a live interference run (a scan appended and
// corrected on its own, its pair appended, the averages and corrected sets
// extended; one scan read again and replaced), the engine holds to the bit
// what a full pass over the same raw sets makes.
TEST_F(RealTimeGofSTest, ExtendedStoresEqualAFullPassAfterEveryStep) {
  auto offset = [](int Scan) { return 0.3 * (Scan % 3) + (Scan > 20 ? 2.0 : 0.0); };
  auto interference = [](RealTimeGofS& engine) {
    engine.JitterPosition = 5.97;  // in the air above the meniscus
    engine.FringePosition = 6.9;
    engine.JitterCorrectionOn = engine.FringeCorrectionOn = true;
  };
  const std::vector<double> r = run.Radii();
  RealTimeGofS live;
  Load(live, 10);
  interference(live);
  for (int i = 0; i < 10; ++i) live.RawStore->AddToSet(i, offset(i));
  Analyse(live);

  auto expectFullPass = [&](const std::string& Step) {
    SCOPED_TRACE(Step);
    RealTimeGofS full;
    Prepare(full);
    const ChannelDataStore& raw = *live.RawStore;
    for (int s = 0; s < raw.GetNumberOfSets(); ++s)
      ASSERT_EQ(full.RawStore->AddSet(raw.GetGrid(), raw.GetYArray(s), raw.GetNumberOfPoints(),
                                      raw.Headers[static_cast<size_t>(s)],
                                      raw.Headers[static_cast<size_t>(s)].TimeUsed),
                s);
    full.Refreshdcdtvss();
    full.MakeAllAvgdcdt();
    full.MakeAllCorrecteddCdT();
    ExpectDerivedEqual(live, full);
  };

  for (int i = 10; i < 40; ++i) {
    ASSERT_EQ(AddScan(live, i, 600 + i * 120), i);
    live.RawStore->AddToSet(i, offset(i));
    live.IPtransformSet(i);
    live.AddOnedcdtvss(i);
    live.MakeAllAvgdcdt();
    live.MakeAllCorrecteddCdT();
    expectFullPass("scan " + std::to_string(i) + " appended");
    if (i != 30) continue;
    // Scan 12 read again with other values: replaced, corrected again with
    // the scans after it, and every pair made anew.
    std::vector<double> c = run.Scan(600 + 12 * 120);
    for (double& value : c) value = value * 1.01 + offset(12);
    ASSERT_EQ(live.RawStore->ReplaceSet(12, r.data(), c.data(), run.Points,
                                        run.Header(12, 600 + 12 * 120), 600 + 12 * 120),
              12);
    live.IPtransformSet(12);
    live.Refreshdcdtvss();
    live.MakeAllAvgdcdt();
    live.MakeAllCorrecteddCdT();
    expectFullPass("scan 12 replaced");
  }
}

TEST_F(RealTimeGofSTest, SetDescriptionsNameTheScansBehindASet) {
  RealTimeGofS engine;
  Load(engine, 30);
  Analyse(engine);
  EXPECT_EQ(engine.GetSetDescription(engine.RawStore.get(), 2), "00003.RA1^titleheader");
  const ScanHeader& pair = engine.DcdtStore->Headers[3];
  const std::string pairText = SyntheticRun::FileName(pair.FirstSourceSet) + " - " +
                               SyntheticRun::FileName(pair.LastSourceSet);
  EXPECT_EQ(engine.GetSetDescription(engine.DcdtStore.get(), 3), pairText + "^");
  const std::string averaged = engine.GetSetDescription(engine.AveragedStore.get(), 0);
  const ScanHeader& h = engine.AveragedStore->Headers[0];
  EXPECT_EQ(averaged.substr(averaged.find('^') + 1).size(),
            static_cast<size_t>(h.LastSourceSet - h.FirstSourceSet + 1) * 23);
  EXPECT_EQ(engine.GetSetDescription(engine.SmoothedStore.get(), 0), "");
}

class BoxcarSmoothTest : public ::testing::Test {};

TEST_F(BoxcarSmoothTest, CarOfThreeAveragesNeighboursAndSparesTheEnds) {
  std::vector<double> v = {100, 1, 2, 4, 8, 16, 32};
  std::vector<double> w = v;
  EXPECT_EQ(BoxcarSmooth(v.data(), 7, 1, 3), 0);
  EXPECT_EQ(v[0], 100);  // index 0 is never touched
  EXPECT_EQ(v[1], 1);
  for (int i = 2; i <= 5; ++i) EXPECT_DOUBLE_EQ(v[i], (w[i - 1] + w[i] + w[i + 1]) / 3);
  EXPECT_EQ(v[6], 32);
}

TEST_F(BoxcarSmoothTest, BadArgumentsLeaveValuesUnchanged) {
  const std::vector<double> original = {1, 5, 2, 8, 3};
  for (auto [r, c] : {std::pair{0, 3}, {1, 0}, {1, 5}, {2, -1}}) {
    std::vector<double> v = original;
    EXPECT_EQ(BoxcarSmooth(v.data(), 5, r, c), 0);
    EXPECT_EQ(v, original) << "r " << r << " c " << c;
  }
  std::vector<double> v = original;
  BoxcarSmooth(v.data(), 5, 3, 1);
  EXPECT_EQ(v, original);
}

TEST_F(BoxcarSmoothTest, LongerThanAnyFixedBuffer) {
  std::vector<double> v(10000, 2.0);
  EXPECT_EQ(BoxcarSmooth(v.data(), 10000, 3, 5), 0);
  EXPECT_DOUBLE_EQ(v[5000], 2.0);
}

class Plateau2Test : public ::testing::Test {};

TEST_F(Plateau2Test, ExactPlaneFitsWithZeroSigma) {
  std::vector<double> u, v, y;
  for (int i = 0; i < 12; ++i) {
    u.push_back(i * 0.5);
    v.push_back(std::sin(i));
    y.push_back(1.5 - 2.0 * u.back() + 0.25 * v.back());
  }
  double p0, pu, pv, det, e0, eu, ev;
  EXPECT_EQ(Plateau2(u.data(), v.data(), y.data(), 12, &p0, &pu, &pv, &det, &e0, &eu, &ev), 0);
  EXPECT_NEAR(p0, 1.5, 1e-9);
  EXPECT_NEAR(pu, -2.0, 1e-9);
  EXPECT_NEAR(pv, 0.25, 1e-9);
  EXPECT_NEAR(e0, 0.0, 1e-6);
}

TEST_F(Plateau2Test, ErrorsAreFiniteAndMatchTheInverseNormalMatrix) {
  std::vector<double> u, v, y;
  for (int i = 0; i < 20; ++i) {
    u.push_back(i);
    v.push_back((i % 5) * 1.5 - i * 0.1);
    y.push_back(3 + 0.5 * i - v.back() + ((i * 7) % 3 - 1) * 0.01);
  }
  double p0, pu, pv, det, e0, eu, ev;
  ASSERT_GE(Plateau2(u.data(), v.data(), y.data(), 20, &p0, &pu, &pv, &det, &e0, &eu, &ev), 0);
  double su = 0, sv = 0, suu = 0, svv = 0, squares = 0;
  for (int i = 0; i < 20; ++i) {
    su += u[i];
    sv += v[i];
    suu += u[i] * u[i];
    svv += v[i] * v[i];
    const double r = y[i] - p0 - pu * u[i] - pv * v[i];
    squares += r * r;
  }
  const double sigma = std::sqrt(squares) / 19;
  EXPECT_TRUE(std::isfinite(eu) && std::isfinite(ev));
  EXPECT_NEAR(eu, sigma * std::sqrt((20 * svv - sv * sv) / det), 1e-12);
  EXPECT_NEAR(ev, sigma * std::sqrt((20 * suu - su * su) / det), 1e-12);
}

TEST_F(Plateau2Test, SingularPointsFailWithAMessage) {
  MessageRecorder recorder;
  const std::vector<double> u = {1, 1, 1, 1}, v = {2, 2, 2, 2}, y = {1, 2, 3, 4};
  double p0, pu, pv, det, e0, eu, ev;
  EXPECT_EQ(Plateau2(u.data(), v.data(), y.data(), 4, &p0, &pu, &pv, &det, &e0, &eu, &ev), -1);
  ASSERT_EQ(recorder.Messages().size(), 1u);
  EXPECT_EQ(recorder.Messages()[0], "Failed Plateau2");
}

}  // namespace
