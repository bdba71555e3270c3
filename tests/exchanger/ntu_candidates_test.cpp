#include <gtest/gtest.h>

#include "exchanger/candidates.h"
#include "exchanger/ntu.h"

namespace vx {

namespace {

// A 90 -> 70 C, B 50 -> 70 C counter-current, 3600 kg/h each side with cp
// 4 kJ/(kg K): 80 kW at an LMTD of 20 K.
NtuInputs balancedDuty() {
  NtuInputs in;
  in.TinA = 90;
  in.ToutA = 70;
  in.TinB = 50;
  in.ToutB = 70;
  in.FlowA = in.FlowB = 3600;
  in.cpA = in.cpB = 4;
  in.HeatCapacity = 80000;
  return in;
}

}  // namespace

// Hand-checked: A 90 -> 70 C, B 50 -> 70 C counter-current, 3600 kg/h each
// side with cp 4 kJ/(kg K): 80 kW, LMTD 20 K, so U A = 4000 W/K.
// Start: Qx = 1.2 x 80 = 96 kW > Qa = 80 kW (20 %), so t1o moves away from
// TinA to 69.9; Qa = 20.1 x 4 = 80.4 kW; t2o = 50 + 80.4 / 4 = 70.1;
// both terminal differences are 19.9 K (arithmetic mean 19.9);
// Qx = 19.9 x 4000 / 1000 = 79.6 kW: |79.6 - 80.4| / 80.4 = 0.995 % <= 1.
TEST(Ntu, ConvergesOnTheBalancedOutletTemperatures) {
  NtuInputs in = balancedDuty();
  in.ServiceU1 = 4000;
  in.GroupArea1 = 1;
  in.ParallelUnits = 1;
  NtuResult r = SolveOutletTemperatures(in);
  ASSERT_TRUE(r.converged);
  EXPECT_EQ(r.moves, 1);
  EXPECT_NEAR(r.t1o, 69.9f, 1e-4f);
  EXPECT_NEAR(r.t2o, 70.1f, 1e-4f);
}

TEST(Ntu, MovesTowardsTheInletWhenTheExchangerIsShort) {
  NtuInputs in = balancedDuty();
  in.HeatCapacity = 80000;  // what the design asked for ...
  in.ServiceU1 = 3000;      // ... but the first group transfers less
  in.GroupArea1 = 1;
  NtuResult r = SolveOutletTemperatures(in);
  ASSERT_TRUE(r.converged);
  EXPECT_GT(r.t1o, 70.0f);  // less heat: A leaves warmer
  EXPECT_LT(r.t2o, 70.0f);
  EXPECT_GT(r.moves, 1);
}

TEST(Ntu, ACrossOrNoConvergenceFails) {
  NtuInputs in = balancedDuty();
  in.ServiceU1 = 1e9f;  // an exchanger that always transfers more: the temperatures cross
  in.GroupArea1 = 1;
  EXPECT_FALSE(SolveOutletTemperatures(in).converged);
  in.ServiceU1 = 4000;
  in.FlowB = 0;
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
