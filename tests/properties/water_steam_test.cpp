#include "properties/water_steam.h"

#include <cmath>
#include <gtest/gtest.h>

#include <fstream>

#include "app/script_host.h"
#include "common/record_file.h"
#include "support/temp_data.h"

namespace vx {

namespace {

// Reference values from IAPWS-95 (density, cp), the IAPWS 2011 conductivity
// and the IAPWS 2008 viscosity formulations, computed with python3-iapws 1.5.3
// at saturation pressure (at least 0.101325 MPa), between table rows.
struct WaterReference {
  float t, density, cp, conductivity, viscosity;
};
const WaterReference kWater[] = {
    {1.5f, 999.9246f, 4.21454f, 0.55943f, 1.70188f},   {20.5f, 998.1026f, 4.18371f, 0.59889f, 0.98945f},
    {55.25f, 985.5718f, 4.18305f, 0.64628f, 0.50163f}, {99.5f, 958.7081f, 4.21510f, 0.67702f, 0.28307f},
    {150.5f, 916.5401f, 4.30840f, 0.68091f, 0.18196f}, {230.75f, 826.1110f, 4.69347f, 0.63595f, 0.11579f},
    {299.5f, 713.1615f, 5.73595f, 0.55340f, 0.08604f},
};

// Saturated steam by gauge pressure (absolute = gauge + 0.1 MPa), IAPWS-95.
struct SteamReference {
  float gauge, tsat, vapourDensity, latent;
};
const SteamReference kSteam[] = {
    {0.0f, 99.6059f, 0.59034f, 2257.444f},  {0.05f, 111.3494f, 0.86260f, 2225.979f},
    {0.3f, 143.6084f, 2.16271f, 2133.398f}, {0.55f, 161.9801f, 3.41775f, 2075.517f},
    {1.0f, 184.0619f, 5.63544f, 1999.621f}, {1.37f, 197.3312f, 7.44567f, 1950.095f},
    {1.5f, 201.3705f, 8.08146f, 1934.362f},
};

void expectWithin(float value, float reference, double relative, const char* what, float at) {
  EXPECT_NEAR(value, reference, std::abs(reference) * relative) << what << " at " << at;
}

// A small water table of our own for the search rules.
void writeWater(const test::TempDir& dir, const std::vector<WaterRecord>& rows, const std::string& tail = "") {
  RecordFile f(dir.dir() / kWaterFile, kWaterRecordLength);
  int n = 1;
  for (const auto& r : rows) f.setRecord(n++, writeWaterRecord(r));
  ASSERT_TRUE(f.save());
  if (!tail.empty()) {
    std::ofstream out(dir.dir() / kWaterFile, std::ios::app | std::ios::binary);
    out << tail;
  }
}

}  // namespace

TEST(WaterTable, AgreesWithIapwsBetweenRows) {
  for (const auto& ref : kWater) {
    auto w = WaterTable(test::builtDataDir(), ref.t, true);
    ASSERT_TRUE(w) << ref.t;
    expectWithin(w->density, ref.density, 0.001, "density", ref.t);
    expectWithin(w->specificHeat, ref.cp, 0.001, "cp", ref.t);
    expectWithin(w->conductivity, ref.conductivity, 0.01, "conductivity", ref.t);
    expectWithin(w->viscosity, ref.viscosity, 0.01, "viscosity", ref.t);
  }
}

TEST(SteamTable, AgreesWithIapwsUpTo15MPaGauge) {
  for (const auto& ref : kSteam) {
    auto s = SteamTable(test::builtDataDir(), ref.gauge);
    ASSERT_TRUE(s) << ref.gauge;
    expectWithin(s->saturationTemperature, ref.tsat, 0.002, "tsat", ref.gauge);
    expectWithin(s->vapourDensity, ref.vapourDensity, 0.002, "vapour density", ref.gauge);
    expectWithin(s->latentHeat, ref.latent, 0.002, "latent heat", ref.gauge);
  }
  EXPECT_TRUE(SteamTable(test::builtDataDir(), 15.0f));
}

TEST(WaterTable, BracketRules) {
  test::TempDir dir;
  writeWater(dir, {{10, 1000, 4, 0.5f, 1, 7}, {20, 990, 4.2f, 0.6f, 0.8f, 6}, {30, 980, 4.4f, 0.7f, 0.6f, 5}});
  // Exactly at a key: that record's values.
  auto at20 = WaterTable(dir.dir(), 20, true);
  ASSERT_TRUE(at20);
  EXPECT_FLOAT_EQ(at20->density, 990);
  EXPECT_FLOAT_EQ(at20->viscosity, 0.8f);
  // Between keys: linear.
  EXPECT_FLOAT_EQ(WaterTable(dir.dir(), 25, true)->specificHeat, 4.3f);
  // The last key fails although a record exists for it.
  EXPECT_FALSE(WaterTable(dir.dir(), 30, true));
  EXPECT_FALSE(WaterTable(dir.dir(), 31, true));
  // Below the first key: extrapolated from the first pair (0..10 C here).
  EXPECT_FLOAT_EQ(WaterTable(dir.dir(), 0, true)->density, 1010);
  // Below 0 C the heat balance's lookup fails, the analysis lookup extrapolates.
  EXPECT_FALSE(WaterTable(dir.dir(), -0.1f, true));
  ASSERT_TRUE(WaterTable(dir.dir(), -0.1f, false));
  EXPECT_FLOAT_EQ(WaterTable(dir.dir(), -10, false)->density, 1020);
}

TEST(WaterTable, EqualKeysDoNotDivideByZero) {
  test::TempDir dir;
  writeWater(dir, {{10, 1000, 4, 0.5f, 1, 7}, {10, 990, 4.2f, 0.6f, 0.8f, 6}, {30, 980, 4.4f, 0.7f, 0.6f, 5}});
  auto w = WaterTable(dir.dir(), 5, true);
  ASSERT_TRUE(w);
  EXPECT_FLOAT_EQ(w->density, 1000);  // the first record's value
}

TEST(WaterTable, DamagedTablesFail) {
  test::TempDir dir;
  EXPECT_FALSE(WaterTable(dir.dir(), 20, true));  // missing
  writeWater(dir, {});
  EXPECT_FALSE(WaterTable(dir.dir(), 20, true));  // empty
  writeWater(dir, {{10, 1000, 4, 0.5f, 1, 7}});
  EXPECT_FALSE(WaterTable(dir.dir(), 5, true));   // one record
  writeWater(dir, {{10, 1000, 4, 0.5f, 1, 7}, {20, 990, 4.2f, 0.6f, 0.8f, 6}}, "abc");
  EXPECT_FALSE(WaterTable(dir.dir(), 15, true));  // cut in the middle of a record
  writeWater(dir, {{10, 1000, 4, 0.5f, 1, 7}, {30, 990, 4.2f, 0.6f, 0.8f, 6}, {20, 980, 4.4f, 0.7f, 0.6f, 5}});
  EXPECT_FALSE(WaterTable(dir.dir(), 35, true));  // keys out of order
  // Out of order, not finite or not positive anywhere in the table, even far
  // from the temperature asked for: the table is damaged.
  const WaterRecord a{10, 1000, 4, 0.5f, 1, 7}, b{20, 990, 4.2f, 0.6f, 0.8f, 6};
  for (const WaterRecord& bad : {WaterRecord{15, 985, 4.3f, 0.65f, 0.7f, 0}, WaterRecord{NAN, 980, 4.4f, 0.7f, 0.6f, 5},
                                 WaterRecord{30, 980, 4.4f, 0.7f, 0, 5}, WaterRecord{30, INFINITY, 4.4f, 0.7f, 0.6f, 5},
                                 WaterRecord{30, 980, -4.4f, 0.7f, 0.6f, 5}}) {
    writeWater(dir, {a, b, bad});
    EXPECT_FALSE(WaterTable(dir.dir(), 12, true)) << bad.temperature << " " << bad.viscosity;
  }
  // Sound rows whose values overflow when extrapolated below the first row.
  writeWater(dir, {{10, 1000, 4, 0.5f, 3e38f, 7}, {20, 990, 4.2f, 0.6f, 1, 6}});
  EXPECT_FALSE(WaterTable(dir.dir(), 0, false));
  writeWater(dir, {a, b, {30, 980, 4.4f, 0.7f, 0.6f, 5}});
  EXPECT_TRUE(WaterTable(dir.dir(), 12, true));
  EXPECT_FALSE(WaterTable(dir.dir(), NAN, true));
}

TEST(GetWaterProperty, FillsOneCircuitOrNothing) {
  VeloxaVar v;
  ASSERT_TRUE(GetWaterProperty(test::builtDataDir(), v, 85, kCircuitB));
  EXPECT_NEAR(v.MediumProp(kDensity, kCircuitB), 968.6f, 0.5f);
  EXPECT_EQ(v.MediumProp(kDensity, kCircuitA), 0);
  EXPECT_EQ(v.MediumProp(kLatentHeat, kCircuitB), 0);
  VeloxaVar before = v;
  EXPECT_FALSE(GetWaterProperty(test::builtDataDir(), v, -0.1f, kCircuitA));
  EXPECT_FALSE(GetWaterProperty(test::builtDataDir(), v, 400, kCircuitB));
  EXPECT_EQ(v.MediumPropFlat, before.MediumPropFlat);
}

TEST(LoadWaterProperty, PrandtlAndMessage522) {
  ScriptHost host;
  WaterAnalysisValues values;
  ASSERT_TRUE(LoadWaterProperty(test::builtDataDir(), host, 50, values));
  // Pr = cp mu / lambda with cp in kJ/(kg K), mu in cP: 4.18134 * 0.546516 / 0.640621 = 3.5671.
  EXPECT_NEAR(values.prandtl, 3.5671f, 0.001f);
  WaterAnalysisValues kept = values;
  EXPECT_FALSE(LoadWaterProperty(test::builtDataDir(), host, 500, values));
  EXPECT_EQ(values.density, kept.density);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].id, 522);
  EXPECT_EQ(host.messages()[0].text, "定性温度超出范围");
}

TEST(SteamTable, KeysAreGaugePressures) {
  test::TempDir dir;
  RecordFile f(dir.dir() / kSteamFile, kSteamRecordLength);
  f.setRecord(1, writeSteamRecord({100, 0.1f, 0.6f, 2257}));
  f.setRecord(2, writeSteamRecord({120, 0.2f, 1.1f, 2200}));
  f.setRecord(3, writeSteamRecord({134, 0.3f, 1.6f, 2163}));
  ASSERT_TRUE(f.save());
  // Gauge 0 is the first key (0.1 - 0.1).
  EXPECT_FLOAT_EQ(SteamTable(dir.dir(), 0)->saturationTemperature, 100);
  EXPECT_NEAR(SteamTable(dir.dir(), 0.15f)->saturationTemperature, 127, 1e-3);
  EXPECT_FALSE(SteamTable(dir.dir(), 0.21f));  // past the last key
  // Below the first key: extrapolated.
  EXPECT_NEAR(SteamTable(dir.dir(), -0.05f)->saturationTemperature, 90, 1e-3);
  EXPECT_FALSE(SteamTable(dir.dir(), NAN));
  // A row without latent heat, or a pressure out of order: damaged.
  f.setRecord(3, writeSteamRecord({134, 0.3f, 1.6f, 0}));
  ASSERT_TRUE(f.save());
  EXPECT_FALSE(SteamTable(dir.dir(), 0.05f));
  f.setRecord(3, writeSteamRecord({134, 0.15f, 1.6f, 2163}));
  ASSERT_TRUE(f.save());
  EXPECT_FALSE(SteamTable(dir.dir(), 0.05f));
}

}  // namespace vx
