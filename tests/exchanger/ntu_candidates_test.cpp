#include <gtest/gtest.h>

#include "exchanger/candidates.h"
#include "exchanger/correction.h"
#include "exchanger/ntu.h"

namespace vx {

namespace {

// A 90 C and B 50 C inlets, 3600 kg/h each side with cp 4 kJ/(kg K): both
// capacity rates 4 kW/K.
NtuInputs balancedDuty() {
  NtuInputs in;
  in.TinA = 90;
  in.TinB = 50;
  in.FlowA = in.FlowB = 3600;
  in.cpA = in.cpB = 4;
  in.ua = 4000;
  return in;
}

}  // namespace

// Balanced counter-current flow keeps both terminal differences equal, so
// Q = C x = U A F (40 - x): with C = 4 kW/K and U A F = 4 x 0.967 kW/K,
// x = 3.868 x 40 / 7.868 = 19.664 K.
TEST(Ntu, BalancedCounterCurrentMatchesTheClosedForm) {
  NtuResult r = SolveOutletTemperatures(balancedDuty());
  ASSERT_TRUE(r.converged);
  const double x = 3.868 * 40 / 7.868;
  EXPECT_NEAR(r.t1o, 90 - x, 0.005);
  EXPECT_NEAR(r.t2o, 50 + x, 0.005);
  EXPECT_NEAR(r.heat, 4 * x, 0.02);
  EXPECT_LT(r.evaluations, 60);
}

// Co-current flow of equal capacity rates cannot pass the mean of the
// inlets (70 C), however large the exchanger.
TEST(Ntu, CoCurrentStaysShortOfTheMeetingPoint) {
  NtuInputs in = balancedDuty();
  in.counterCurrent = false;
  in.ua = 1e7;
  NtuResult r = SolveOutletTemperatures(in);
  ASSERT_TRUE(r.converged);
  EXPECT_GT(r.t1o, 70.0f);
  EXPECT_LT(r.t2o, 70.0f);
  EXPECT_NEAR(r.t1o, 70.0f, 0.05f);
}

// Unequal passes: the answer carries the 1-2 factor of its own terminal
// temperatures, so the transfer there equals circuit A's heat; a large
// exchanger stays where that factor still exists.
TEST(Ntu, UnequalPassesBalanceWithTheFactorOfTheAnswer) {
  NtuInputs in = balancedDuty();
  in.FlowB = 7200;  // R = 0.5
  in.txtPass1 = "2";
  for (double ua : {2000.0, 8000.0, 1e6}) {
    in.ua = ua;
    NtuResult r = SolveOutletTemperatures(in);
    ASSERT_TRUE(r.converged) << ua;
    const CorrectionFactor f = DTcorrect(in.TinA, r.t1o, in.TinB, r.t2o, "2", "1", false, "");
    ASSERT_FALSE(f.failed) << ua;
    EXPECT_GT(f.value, 0.0f);
    // At the edge of the factor's range the balance is too steep to compare.
    if (ua < 1e5) EXPECT_NEAR(TransferredHeat(in, r.t1o, r.t2o), r.heat, r.heat * 1e-3) << ua;
    EXPECT_NEAR(r.heat, (90.0 - r.t1o) * 4, 1e-3);
  }
}

// Circuit A colder than circuit B: it takes heat up, the outlets move the
// other way.
TEST(Ntu, ColdCircuitAWarmsUp) {
  NtuInputs in = balancedDuty();
  in.TinA = 50;
  in.TinB = 90;
  NtuResult r = SolveOutletTemperatures(in);
  ASSERT_TRUE(r.converged);
  EXPECT_NEAR(r.t1o, 50 + 3.868 * 40 / 7.868, 0.005);
  EXPECT_LT(r.t2o, 90.0f);
}

// A locked factor is used as typed; no flow, no exchanger or equal inlets
// have nothing to balance.
TEST(Ntu, NoBalanceWithoutAFactorOrAFlow) {
  NtuInputs in = balancedDuty();
  in.lmtdC = true;
  in.cvdt = "0.8";
  NtuResult locked = SolveOutletTemperatures(in);
  ASSERT_TRUE(locked.converged);
  EXPECT_NEAR(locked.heat, 4 * (3.2 * 40 / 7.2), 0.02);
  in = balancedDuty();
  in.FlowB = 0;
  EXPECT_FALSE(SolveOutletTemperatures(in).converged);
  in = balancedDuty();
  in.ua = 0;
  EXPECT_FALSE(SolveOutletTemperatures(in).converged);
  in = balancedDuty();
  in.TinB = in.TinA;
  EXPECT_FALSE(SolveOutletTemperatures(in).converged);
}

TEST(Candidates, OrderedByAreaEqualAreasKeepTheirOrder) {
  std::vector<Candidate> list(6);  // AutoListSize 5
  ResetCandidates(list);
  auto add = [&](const std::string& name, double area) {
    Candidate c;
    c.name = name;
    c.plates = 11;
    c.area = CutToHundredths(area);
    return InsertCandidate(list, c, area);
  };
  EXPECT_TRUE(add("a", 10.0));
  EXPECT_TRUE(add("b", 5.0));
  EXPECT_TRUE(add("c", 10.0));  // behind the earlier one of equal area
  EXPECT_TRUE(add("d", 7.0));
  EXPECT_TRUE(add("e", 12.0));
  EXPECT_TRUE(add("f", 1.0));   // pushes the largest out
  EXPECT_FALSE(add("g", 13.0)); // larger than every entry: dropped
  std::vector<std::string> names;
  for (size_t i = 1; i < list.size(); ++i) names.push_back(list[i].name);
  EXPECT_EQ(names, (std::vector<std::string>{"f", "b", "d", "a", "c"}));
  EXPECT_FLOAT_EQ(CutToHundredths(2.3499), 2.34f);
  // The decimal value is cut, not the binary noise of a single-precision
  // product: 41 plates of 0.22 m2 are 9.02 m2 (stored as 9.0199999...).
  EXPECT_FLOAT_EQ(CutToHundredths(41 * 0.22f), 9.02f);
  EXPECT_FLOAT_EQ(CutToHundredths(-3.456f), -3.46f);
  EXPECT_FLOAT_EQ(CutToHundredths(-3.4f), -3.4f);
}

TEST(Candidates, GridShowsTheEntriesAndOneEmptyRow) {
  std::vector<Candidate> list(6);
  ResetCandidates(list);
  Candidate single;
  single.name = "VX050N";
  single.plates = 41;
  single.firstKind = 20;
  single.passes = 1;
  single.area = 20.5f;
  single.margin = 12.34f;
  InsertCandidate(list, single, 20.5);
  Candidate two = single;
  two.name = "VX080THM";
  two.mixIndex = 3;
  two.firstKind = 8;
  two.secondKind = 4;
  two.area = 30.75f;
  InsertCandidate(list, two, 30.75);
  GridState grid;
  FillCandidateGrid(list, grid);
  ASSERT_EQ(grid.rows, 4);  // header, two candidates, one empty row
  EXPECT_EQ(grid.cell(0, 1), "型号");
  EXPECT_EQ(grid.cell(0, 7), "裕度%");
  EXPECT_EQ(grid.cell(1, 0), "1");
  EXPECT_EQ(grid.cell(1, 2), "20.5");
  EXPECT_EQ(grid.cell(1, 4), "20");
  EXPECT_EQ(grid.cell(1, 5), "20");  // single kind: the same count in both columns
  EXPECT_EQ(grid.cell(2, 4), "8");
  EXPECT_EQ(grid.cell(2, 5), "4");
  EXPECT_EQ(grid.cell(2, 7), "12.34");
  EXPECT_EQ(grid.cell(3, 1), "");
  // A list with no entry but the unused one shows only its empty row.
  const std::vector<Candidate> none(1);
  FillCandidateGrid(none, grid);
  EXPECT_EQ(grid.rows, 2);
  EXPECT_EQ(grid.cell(1, 1), "");
}

}  // namespace vx
