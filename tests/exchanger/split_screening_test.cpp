// The two short cuts of the two-kind search, checked on random trials: the
// flow split settles most bisection steps by estimates, and must end at the
// very same flows, Re and Eu as a split computed in full at every step; the
// search skips totals whose drop floor is above an allowed drop, so no rated
// drop may be below its floor.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "exchanger/rating.h"

namespace vx {
namespace {

struct Draw {
  std::mt19937 gen{20261210};
  double logUniform(double lo, double hi) {
    return std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(gen));
  }
  float uniform(double lo, double hi) {
    return static_cast<float>(std::uniform_real_distribution<double>(lo, hi)(gen));
  }
  int count(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
};

ChannelKind randomKind(Draw& d) {
  ChannelKind k;
  k.section = static_cast<float>(d.logUniform(2e-4, 8e-3));
  k.diameter = static_cast<float>(d.logUniform(2e-3, 2e-2));
  k.corr.Eu_c = static_cast<float>(d.logUniform(10, 2e4));
  k.corr.Nu_c = static_cast<float>(d.logUniform(0.05, 1));
  k.corr.Nu_m = d.uniform(0.3, 0.9);
  // Mostly the exponents of real plates; now and then one that is computed
  // in full, or a constant that makes the drop negative.
  k.corr.Eu_m = d.count(0, 19) == 0 ? d.uniform(-6, 6) : d.uniform(-0.6, 0.15);
  if (d.count(0, 49) == 0) k.corr.Eu_c = -k.corr.Eu_c;
  return k;
}

struct SplitCase {
  DesignState s;
  VeloxaVar v;
  ChannelKinds kinds{};
  int c1 = 0, c2 = 0;
};

SplitCase randomCase(Draw& d) {
  SplitCase c;
  for (size_t i = 1; i <= 3; ++i) c.kinds[i] = randomKind(d);
  c.s.ChannelKindA1 = 1;
  c.s.ChannelKindB1 = static_cast<short>(d.count(1, 3));
  c.s.ChannelKindA2 = static_cast<short>(d.count(1, 3));
  c.s.ChannelKindB2 = static_cast<short>(d.count(1, 3));
  c.s.PassesA = static_cast<float>(d.count(1, 4));
  c.s.PassesB = static_cast<short>(d.count(1, 4));
  c.s.ChkPortPd = d.count(0, 1) == 1;
  c.s.NozzleVelocityA = d.uniform(0, 6);
  c.s.NozzleVelocityB = d.uniform(0, 60);
  c.v.UnitFlowA = static_cast<float>(d.logUniform(1e-3, 1e7));
  c.v.UnitFlowB = static_cast<float>(d.logUniform(1e-3, 1e7));
  for (int circuit : {kCircuitA, kCircuitB}) {
    c.v.MediumProp(kDensity, circuit) = static_cast<float>(d.logUniform(0.5, 1600));
    c.v.MediumProp(kViscosity, circuit) = static_cast<float>(d.logUniform(0.005, 200));
  }
  c.v.MediumProp(kVapourDensity, kCircuitB) = static_cast<float>(d.logUniform(0.05, 20));
  if (d.count(0, 3) == 0) c.v.MediumStateB = kStateSteam;
  c.c1 = d.count(1, 90);
  c.c2 = d.count(1, 90);
  return c;
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(SplitScreening, EndsAtTheFlowsOfTheFullBisection) {
  Draw d;
  int agreed = 0, failedAlike = 0;
  for (int n = 0; n < 20000; ++n) {
    SplitCase full = randomCase(d);
    SplitCase screened = full;
    ScreenSplitSteps(false);
    const bool fullOk = SplitFlows(full.s, full.v, full.kinds, full.c1, full.c2);
    ScreenSplitSteps(true);
    const bool screenedOk = SplitFlows(screened.s, screened.v, screened.kinds, screened.c1, screened.c2);
    ASSERT_EQ(fullOk, screenedOk) << "case " << n;
    if (!fullOk) {
      ++failedAlike;
      continue;
    }
    for (size_t slot = 1; slot <= 2; ++slot) {
      for (size_t circuit = 0; circuit < 2; ++circuit) {
        ASSERT_TRUE(sameBits(full.s.ChannelVelocity[slot][circuit], screened.s.ChannelVelocity[slot][circuit]))
            << "case " << n << " slot " << slot << " circuit " << circuit;
        ASSERT_TRUE(sameBits(full.s.ChannelRe[slot][circuit], screened.s.ChannelRe[slot][circuit])) << "case " << n;
        ASSERT_TRUE(sameBits(full.s.ChannelEu[slot][circuit], screened.s.ChannelEu[slot][circuit])) << "case " << n;
      }
    }
    ++agreed;
  }
  // Both kinds of outcome were compared.
  EXPECT_GT(agreed, 10000);
  EXPECT_GT(failedAlike, 100);
}

TEST(SplitDropFloor, NoRatedDropIsBelowIt) {
  Draw d;
  int floored = 0;
  for (int n = 0; n < 20000; ++n) {
    SplitCase c = randomCase(d);
    c.s.PassesB = static_cast<short>(c.s.PassesA);
    if (d.count(0, 4) == 0) (d.count(0, 1) ? c.c1 : c.c2) = 0;  // a single group now and then
    for (int circuit : {kCircuitA, kCircuitB}) {
      c.v.MediumProp(kConductivity, circuit) = d.uniform(0.1, 0.7);
      c.v.MediumProp(kPrandtl, circuit) = d.uniform(1, 200);
    }
    c.s.PlateThicknessM = 0.0006f;
    c.s.PlateConductivity = 16;
    const double floorA = SplitDropFloor(c.s, c.v, c.kinds, kCircuitA, c.c1 + c.c2);
    const double floorB = SplitDropFloor(c.s, c.v, c.kinds, kCircuitB, c.c1 + c.c2);
    if (!SplitFlows(c.s, c.v, c.kinds, c.c1, c.c2)) continue;
    // The drops the search compares are those of the last group rated.
    if (c.c1 != 0 && !RateSlot(c.s, c.v, c.kinds, 1, c.s.ChannelKindA1, c.s.ChannelKindB1)) continue;
    if (c.c2 != 0 && !RateSlot(c.s, c.v, c.kinds, 2, c.s.ChannelKindA2, c.s.ChannelKindB2)) continue;
    // 0 stands for no floor known.
    if (floorA > 0) ASSERT_GE(c.s.PressureDropA, floorA) << "case " << n;
    if (floorB > 0) ASSERT_GE(c.s.PressureDropB, floorB) << "case " << n;
    floored += floorA > 0;
  }
  EXPECT_GT(floored, 5000);
}

}  // namespace
}  // namespace vx
