#include "exchanger/arrangement.h"

#include <gtest/gtest.h>

#include "common/veloxa_var.h"

namespace vx {

namespace {

ChannelKinds kindsOf(short plateKind, short maxPlates = 200, float plateArea = 0.5f) {
  PlateModel m;
  m.ModelName = modelNameField("VX-T");
  m.PlateKind = plateKind;
  m.MaxPlates = maxPlates;
  m.PlateArea = plateArea;
  m.PortIn1 = 100;
  m.PortIn2 = 150;
  m.NarrowSection = 0.0015f;
  m.NarrowDiameter = 0.006f;
  m.WideSection = 0.0025f;
  m.WideDiameter = 0.01f;
  ChannelKinds kinds{};
  FillChannelKinds(m, kinds);
  return kinds;
}

struct Kinds {
  short a1, b1, a2, b2;
};

Kinds kindsAfter(DesignState& s, short plateKind) {
  SelectChannelKinds(s, plateKind);
  return {s.ChannelKindA1, s.ChannelKindB1, s.ChannelKindA2, s.ChannelKindB2};
}

}  // namespace

// --- Channel-kind selection -------------------------------------------------

TEST(SelectChannelKinds, NormalPlatePutsCircuitBInEntryTwo) {
  DesignState s;
  Kinds k = kindsAfter(s, kNormalPlate);
  EXPECT_EQ(k.a1, 1);
  EXPECT_EQ(k.b1, 2);
  EXPECT_EQ(k.a2, 0);  // never chosen: the all-zero entry
  EXPECT_EQ(k.b2, 0);
}

TEST(SelectChannelKinds, AsymmetricPlateFollowsTheNarrowSide) {
  DesignState s;
  s.narrowInC2 = true;
  Kinds k = kindsAfter(s, kAsymmetricPlate);
  EXPECT_EQ(k.a1, 2);  // circuit A in the wide channel
  EXPECT_EQ(k.b1, 1);  // circuit B in the narrow channel
  s.narrowInC2 = false;
  s.narrowInC1 = true;
  k = kindsAfter(s, kAsymmetricPlate);
  EXPECT_EQ(k.a1, 1);
  EXPECT_EQ(k.b1, 2);
  // The narrow side means nothing to a normal plate.
  s.narrowInC1 = false;
  s.narrowInC2 = true;
  EXPECT_EQ(kindsAfter(s, kNormalPlate).a1, 1);
}

TEST(SelectChannelKinds, ThermalMixingItemsFollowTheTable) {
  const Kinds expected[] = {{1, 1, 0, 0}, {2, 2, 0, 0}, {3, 3, 0, 0}, {1, 1, 2, 2}, {2, 2, 3, 3}};
  for (int item = 0; item < 5; ++item) {
    DesignState s;
    s.ThermalMixItem = item;
    Kinds k = kindsAfter(s, kThermalMixingPlate);
    EXPECT_EQ(k.a1, expected[item].a1) << item;
    EXPECT_EQ(k.b1, expected[item].b1) << item;
    EXPECT_EQ(k.a2, expected[item].a2) << item;
    EXPECT_EQ(k.b2, expected[item].b2) << item;
  }
}

TEST(SelectChannelKinds, SecondKindsKeepTheirTwoKindIndexes) {
  DesignState s;
  s.ThermalMixItem = kMixMixedSoft;
  kindsAfter(s, kThermalMixingPlate);
  s.ThermalMixItem = kMixHard;
  Kinds k = kindsAfter(s, kThermalMixingPlate);
  EXPECT_EQ(k.a1, 1);
  EXPECT_EQ(k.b1, 1);
  EXPECT_EQ(k.a2, 3);  // still the soft channel of item 4
  EXPECT_EQ(k.b2, 3);
  s.ThermalMixItem = kMixHardMixed;
  k = kindsAfter(s, kThermalMixingPlate);
  EXPECT_EQ(k.a2, 2);
  EXPECT_EQ(k.b2, 2);
}

TEST(IsTwoKindArrangement, OnlyTwoKindItemsWithALiquidCircuitB) {
  DesignState s;
  for (int item = 0; item < 5; ++item) {
    s.ThermalMixItem = item;
    const bool two = item >= 3;
    EXPECT_EQ(IsTwoKindArrangement(s, kThermalMixingPlate, kStateWater), two) << item;
    EXPECT_EQ(IsTwoKindArrangement(s, kThermalMixingPlate, kStateAdoptedLiquid), two) << item;
    EXPECT_FALSE(IsTwoKindArrangement(s, kThermalMixingPlate, kStateSteam)) << item;
    EXPECT_FALSE(IsTwoKindArrangement(s, kThermalMixingPlate, kStateAdoptedVapour)) << item;
    EXPECT_FALSE(IsTwoKindArrangement(s, kNormalPlate, kStateWater)) << item;
    // The rating's own test does not look at circuit B.
    EXPECT_EQ(TwoKindItemSelected(s, kThermalMixingPlate), two) << item;
  }
}

// --- Plate and pass checks --------------------------------------------------

TEST(PlateAndPassChecks, ChannelsMustShareEvenlyOverTheLargerPassCount) {
  const ChannelKinds kinds = kindsOf(kNormalPlate);
  DesignState s;
  SelectChannelKinds(s, kNormalPlate);
  // 21 plates: 20 channels, a multiple of 2 x 2.
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 21, 2, 1), 0);
  EXPECT_FLOAT_EQ(s.PlateCount, 21);
  EXPECT_FLOAT_EQ(s.PassesA, 2);
  EXPECT_EQ(s.PassesB, 1);
  // 23 plates: 22 channels, not a multiple of 4.
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 23, 2, 1), 470);
  // The larger count decides, whichever side has it.
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 23, 1, 2), 470);
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 25, 1, 3), 0);
}

TEST(PlateAndPassChecks, PlateCountLimits) {
  const ChannelKinds kinds = kindsOf(kNormalPlate, 200);
  DesignState s;
  SelectChannelKinds(s, kNormalPlate);
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 2, 1, 1), 467);
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 0, 1, 1), 467);  // an empty field reads 0
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 3, 1, 1), 0);
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 201, 1, 1), 468);
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 199, 1, 1), 0);
  // Check 467 comes before 468 and the pass checks.
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 1, 0, 0), 467);
}

TEST(PlateAndPassChecks, MaxPlatesOfTheFirstKindOfCircuitA) {
  const ChannelKinds kinds = kindsOf(kAsymmetricPlate, 100);
  DesignState s;
  s.narrowInC2 = true;
  SelectChannelKinds(s, kAsymmetricPlate);
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 8, 101, 1, 1), 468);
}

TEST(PlateAndPassChecks, PassCounts) {
  const ChannelKinds kinds = kindsOf(kNormalPlate);
  DesignState s;
  SelectChannelKinds(s, kNormalPlate);
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 4, 41, 0, 1), 469);
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 4, 41, 1, 0), 469);
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 4, 41, 5, 5), 469);  // above MaxPasses
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 4, 41, 4, 4), 0);
  // A negative count typed into the circuit B field is refused, not rated
  // as a negative pressure drop.
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 4, 41, 1, -1), 469);
  // Counts are judged rounded, halves to even: 0.4 is no pass, 2.5 counts 2.
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 4, 41, 0.4, 1), 469);
  EXPECT_EQ(PlateAndPassChecks(s, kinds, 4, 41, 1, 2.5), 0);
  EXPECT_EQ(s.PassesB, 2);
}

TEST(PlateAndPassChecks, NtuUsesChecksTwoToFour) {
  const ChannelKinds kinds = kindsOf(kNormalPlate);
  DesignState s;
  SelectChannelKinds(s, kNormalPlate);
  s.PlateCount = 1;  // the NTU command accepts one plate: no channel to share
  EXPECT_EQ(PlateLimitAndPassChecks(s, kinds, 8, 1, 1), 0);
  s.PlateCount = 2;
  EXPECT_EQ(PlateLimitAndPassChecks(s, kinds, 8, 1, 1), 470);
}

// --- Group areas ------------------------------------------------------------

TEST(GroupAreas, SingleKindHasNMinusTwoEffectivePlates) {
  const ChannelKinds kinds = kindsOf(kNormalPlate, 200, 0.5f);
  DesignState s;
  s.PlateCount = 41;
  s.FirstKindCount = 20;
  s.SecondKindCount = 3;  // ignored by a single-kind arrangement
  ASSERT_TRUE(GroupAreas(s, kinds));
  EXPECT_FLOAT_EQ(s.GroupArea[1], 19.5f);  // (41 - 2) x 0.5
  EXPECT_FLOAT_EQ(s.GroupArea[2], 0);
  // A thermal-mixing plate with a single-kind item counts the same way.
  const ChannelKinds mixing = kindsOf(kThermalMixingPlate, 200, 0.5f);
  s.ThermalMixItem = kMixSoft;
  ASSERT_TRUE(GroupAreas(s, mixing));
  EXPECT_FLOAT_EQ(s.GroupArea[1], 19.5f);
}

TEST(GroupAreas, TwoKindsTakeTheMissingPlateFromTheFirstGroupWithChannels) {
  const ChannelKinds kinds = kindsOf(kThermalMixingPlate, 200, 0.3f);
  DesignState s;
  s.ThermalMixItem = kMixHardMixed;
  s.PlateCount = 21;
  s.PassesA = 1;
  s.PassesB = 1;
  s.FirstKindCount = 6;
  s.SecondKindCount = 4;
  ASSERT_TRUE(GroupAreas(s, kinds));
  EXPECT_FLOAT_EQ(s.GroupArea[1], 3.3f);  // (2 x 6 x 1 - 1) x 0.3
  EXPECT_FLOAT_EQ(s.GroupArea[2], 2.4f);  // 2 x 4 x 1 x 0.3
  s.FirstKindCount = 0;
  s.SecondKindCount = 10;
  ASSERT_TRUE(GroupAreas(s, kinds));
  EXPECT_FLOAT_EQ(s.GroupArea[1], 0);
  EXPECT_FLOAT_EQ(s.GroupArea[2], 5.7f);  // (2 x 10 x 1 - 1) x 0.3
}

}  // namespace vx
