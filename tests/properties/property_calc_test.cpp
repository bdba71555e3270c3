// The property calculations: table look-ups, the common fluids, the
// data-bank estimates and the interpolation of a self-built medium.
#include "properties/property_calc.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/script_host.h"
#include "common/helpers.h"
#include "common/number_text.h"
#include "properties/property_files.h"
#include "support/temp_data.h"

namespace vx {
namespace {

class PropertyCalcTest : public ::testing::Test {
 protected:
  PropertyCalcTest() : tables(LoadFluidTables(data.dir())) {}

  // The whole range of entry k, as the window sets it from "PubData.dat".
  std::pair<EntryBounds, EntryBounds> bounds(int k) {
    auto rec = ReadCommonFluid(data.dir(), k + 1);
    EXPECT_TRUE(rec.has_value());
    EntryBounds c{rec->HasConcentration != 0, static_cast<int>(std::lround(rec->CMin)),
                  static_cast<int>(std::lround(rec->CMax))};
    EntryBounds t{rec->HasTemperature != 0, static_cast<int>(std::lround(rec->TMin)),
                  static_cast<int>(std::lround(rec->TMax))};
    return {c, t};
  }
  CommonFluidTexts common(int k, double c, double t) {
    auto [cb, tb] = bounds(k);
    return CommonFluidProps(tables, host, k, c, t, cb, tb);
  }
  BaseDataRecord component(int n) {
    auto rec = ReadBaseData(data.dir(), n);
    EXPECT_TRUE(rec.has_value());
    return *rec;
  }
  std::vector<int> ids() const {
    std::vector<int> out;
    for (const auto& m : host.messages()) out.push_back(m.id);
    return out;
  }

  test::TempData data;
  ScriptHost host;
  FluidTables tables;
};

TEST_F(PropertyCalcTest, BlockLookupsHitKeysInterpolateAndEndAtTheirBlocks) {
  // Curve 1..26 (viscosity of potassium formate at 30 C): the last key gives
  // the last y, a key above it 0.
  const RffRecord last = tables.rff[25];
  EXPECT_FLOAT_EQ(CurveLookup(tables, 1, 26, last.X), last.Y);
  EXPECT_EQ(CurveLookup(tables, 1, 26, last.X + 1), 0);
  const RffRecord a = tables.rff[2], b = tables.rff[3];
  EXPECT_FLOAT_EQ(CurveLookup(tables, 1, 26, (a.X + b.X) / 2), (a.Y + b.Y) / 2);

  // Table 1..14 (ethanol): the first key gives that record's four values.
  const RffaRecord first = tables.rffa[0], second = tables.rffa[1];
  EXPECT_FLOAT_EQ(TableLookup(tables, host, 1, 14, first.Temperature, 1), first.Density);
  EXPECT_FLOAT_EQ(TableLookup(tables, host, 1, 14, first.Temperature, 4), first.Viscosity);
  const float mid = (first.Temperature + second.Temperature) / 2;
  EXPECT_NEAR(TableLookup(tables, host, 1, 14, mid, 2), (first.SpecificHeat + second.SpecificHeat) / 2, 1e-5);
  EXPECT_TRUE(host.messages().empty());
  EXPECT_EQ(TableLookup(tables, host, 1, 14, mid, 5), 0);
  EXPECT_EQ(host.messages().back().text, "参数有错误.");

  // Grid 222 (7 x 5): the last row key gives the last row's values.
  const MatrixRecord lastRow = tables.matrix[222 - 1 + 6 * 5 + 1];
  auto z = GridLookup(tables, host, 222, 7, 5, lastRow.X, lastRow.Y);
  ASSERT_TRUE(z.has_value());
  EXPECT_FLOAT_EQ(*z, lastRow.Z);
  // Beyond the grid: one message for the rows, one for the columns.
  const size_t before = host.messages().size();
  EXPECT_FALSE(GridLookup(tables, host, 222, 7, 5, 1e6f, 1e6f).has_value());
  EXPECT_EQ(host.messages().size(), before + 2);
  EXPECT_EQ(host.messages().back().text, "超出范围.");

  // Lewis-Squires at its own reference temperature returns the reference.
  EXPECT_NEAR(*LewisSquires(30, 2.5, 30), 2.5, 1e-12);
  EXPECT_FALSE(LewisSquires(30, 0, 20).has_value());
  EXPECT_FALSE(LewisSquires(30, 1, 30 - 233).has_value());  // base of the power 0
}

TEST_F(PropertyCalcTest, CommonFluidsAsTheWindowShowsThem) {
  // Glycerol/water (entry 18) at 20 %, 20 C: 983.363 + 3.332 x 20 - 0.421 x 20
  // = 1041.583 kg/m3, and cp 4.1154 - 0.0139 x 20 = 3.8374.
  auto glycerol = common(18, 20, 20);
  EXPECT_EQ(glycerol[0], "1041.58");
  EXPECT_EQ(glycerol[1], "3.8374");
  EXPECT_FALSE(glycerol[2].empty());
  EXPECT_FALSE(glycerol[3].empty());

  // Ethylene glycol/water (entry 2) at 30 %, 20 C: 1000 (1.024 - 0.000702 x 20
  // + 0.001047 x 30) = 1041.37 kg/m3 (ASHRAE Handbook, Fundamentals: about
  // 1040 kg/m3 for 30 % MEG at 20 C); its viscosity from the 10 C curve.
  auto glycol = common(2, 30, 20);
  EXPECT_EQ(glycol[0], "1041.37");
  EXPECT_NEAR(Val(glycol[2]), 0.583 - 0.00377 * 30 + 0.0005979 * 20, 5e-5);
  EXPECT_GT(Val(glycol[3]), 1.5);  // about 2.6 cP (ASHRAE) ...
  EXPECT_LT(Val(glycol[3]), 3.5);
  EXPECT_GT(Val(glycol[1]), 3.5);  // ... and cp about 3.7 kJ/(kg K)
  EXPECT_LT(Val(glycol[1]), 3.9);

  // Benzene (entry 11) at the first key of its table: that record's values.
  const RffaRecord benzene = tables.rffa[145 - 1];
  auto b = common(11, 0, benzene.Temperature);
  EXPECT_EQ(b[0], Format(benzene.Density, "0.####"));
  EXPECT_EQ(b[3], Format(benzene.Viscosity, "0.####"));
  EXPECT_TRUE(host.messages().empty());
}

TEST_F(PropertyCalcTest, RangesAndTheFreezingPointOfBrines) {
  // Entry 1 at 0 % freezes at -2.9901, rounded -3; entry 3 at 20 % at -16.5527,
  // rounded -17.
  EXPECT_EQ(MinTemperature(tables, 1, 0), -3);
  EXPECT_EQ(MinTemperature(tables, 3, 20), -17);
  EXPECT_FALSE(MinTemperature(tables, 4, 20).has_value());

  // Concentration first, then temperature; every box is emptied.
  auto r = common(3, 30, 0);
  EXPECT_EQ(ids(), std::vector<int>{540});
  for (const auto& box : r) EXPECT_EQ(box, "");
  // 10 % brine at -15 C is frozen (its freezing rule gives -5), although the
  // lower bound of the whole list is -20.
  r = common(3, 10, -15);
  EXPECT_EQ(ids(), (std::vector<int>{540, 541}));
  for (const auto& box : r) EXPECT_EQ(box, "");
  r = common(3, 10, -5);
  EXPECT_EQ(ids().size(), 2u);
  EXPECT_FALSE(r[0].empty());

  // A disabled entry is not checked: benzene with a concentration left over
  // from another fluid.
  auto [cb, tb] = bounds(11);
  cb = {false, 0, 48};
  r = CommonFluidProps(tables, host, 11, 75, 20, cb, tb);
  EXPECT_EQ(ids().size(), 2u);
  EXPECT_FALSE(r[0].empty());
}

TEST_F(PropertyCalcTest, AViscosityBeyondItsCurveLeavesItsBoxEmpty) {
  // Potassium formate with a curve that ends at 40 %: 44 % has no viscosity,
  // the other properties are still calculated.
  FluidTables shorter = tables;
  for (int n = 22; n <= 26; ++n) shorter.rff[static_cast<size_t>(n - 1)] = {};
  shorter.rff[20].X = 40;
  EntryBounds cb{true, 0, 48}, tb{true, -30, 40};
  auto r = CommonFluidProps(shorter, host, 0, 44, 20, cb, tb);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].text, "无效的黏度");
  EXPECT_EQ(host.messages()[0].icon, Icon::None);
  EXPECT_EQ(r[3], "");
  EXPECT_FALSE(r[0].empty());
  EXPECT_FALSE(r[1].empty());
  EXPECT_FALSE(r[2].empty());
  // Entries 1 to 3 guard it alike instead of raising 0 to a negative power.
  r = CommonFluidProps(FluidTables{}, host, 1, 20, 20, cb, tb);
  ASSERT_GE(host.messages().size(), 2u);
  EXPECT_EQ(host.messages()[1].text, "无效的黏度");
  EXPECT_EQ(r[3], "");
}

TEST_F(PropertyCalcTest, BenzeneEstimatesAgreeWithTheLiterature) {
  // Benzene, record 400, at 293 K. Literature (CRC Handbook, Perry's): liquid
  // cp about 1.72 kJ/(kg K), conductivity 0.144 W/(m K), density 876.5 kg/m3,
  // viscosity 0.65 cP, vapour pressure 0.100 bar (10.0 kPa at 20 C).
  const BaseDataRecord benzene = component(400);
  ASSERT_EQ(benzene.NameEn, "Benzene");
  auto e = BaseDataEstimate(benzene, host, 293);
  ASSERT_TRUE(e.has_value());
  // Cp0 = 80.981 J/(mol K); CpL = Cp0 + 8.314 (0.5 + 2.2 x 0.209) [3.67 +
  // 11.64 (1 - Tr)^4 + 0.634 / (1 - Tr)] = 125.71 J/(mol K), / 78.112 = 1.609.
  EXPECT_EQ(e->rows[kGasCpRow], "1.037");
  EXPECT_EQ(e->rows[kLiquidCpRow], "1.609");
  // Sato-Riedel: 1.11 / sqrt(78.112) x (3 + 20 (1 - 293/562.05)^(2/3)) /
  // (3 + 20 (1 - 353.23/562.05)^(2/3)) = 0.1435.
  EXPECT_NEAR(Val(e->rows[kLiquidConductivityRow]), 0.1435, 0.0006);
  EXPECT_NEAR(Val(e->rows[kLiquidDensityRow]), 877, 3);
  EXPECT_NEAR(Val(e->rows[kLiquidViscosityRow]), 0.65, 0.03);
  EXPECT_NEAR(Val(e->rows[kVapourPressureRow]), 0.100, 0.002);
  EXPECT_EQ(e->vapourPressureRange, "288-562.05");
  EXPECT_EQ(e->viscosityRange, "278.53 ~ 561.85");
  for (int row : {kGasDensityRow, kGasConductivityRow, kGasViscosityRow}) EXPECT_EQ(e->rows[row], "");
  EXPECT_TRUE(host.messages().empty());

  // At Tc: no conductivity and no liquid heat capacity; above it no liquid
  // density either.
  e = BaseDataEstimate(benzene, host, benzene.Tc);
  EXPECT_EQ(e->rows[kLiquidConductivityRow], "");
  EXPECT_EQ(e->rows[kLiquidCpRow], "");
  EXPECT_FALSE(e->rows[kLiquidDensityRow].empty());
  e = BaseDataEstimate(benzene, host, benzene.Tc + 10);
  EXPECT_EQ(e->rows[kLiquidDensityRow], "");
  EXPECT_EQ(e->rows[kLiquidCpRow], "");
}

TEST_F(PropertyCalcTest, MonatomicGasesAndDomainGuards) {
  // Argon (record 1): Cp0 = 20.786 J/(mol K) = 5/2 R, / 39.948 = 0.520.
  const BaseDataRecord argon = component(1);
  ASSERT_EQ(argon.NameEn, "Argon");
  auto e = BaseDataEstimate(argon, host, 100);
  EXPECT_EQ(e->rows[kGasCpRow], "0.52");

  // No component: 564.
  EXPECT_FALSE(BaseDataEstimate(BaseDataRecord{}, host, 293).has_value());
  EXPECT_EQ(host.messages().back().id, 564);

  // Absolute zero and below: every row empty, the ranges still shown.
  BaseDataRecord benzene = component(400);
  for (double t : {0.0, -5.0}) {
    e = BaseDataEstimate(benzene, host, t);
    for (const auto& row : e->rows) EXPECT_EQ(row, "");
    EXPECT_FALSE(e->viscosityRange.empty());
  }

  // Wagner's equation without Tc: 565 and no pressure.
  BaseDataRecord noTc = benzene;
  noTc.Tc = 0;
  e = BaseDataEstimate(noTc, host, 293);
  EXPECT_EQ(host.messages().back().id, 565);
  EXPECT_EQ(e->rows[kVapourPressureRow], "");

  // A reference density of 0, a viscosity formula with a negative base, a
  // negative coefficient: empty rows, never NaN or a negative viscosity.
  BaseDataRecord broken = benzene;
  broken.LiqDensity = 0;
  broken.VisEquation = 1;
  broken.VisA = -2;
  broken.VisB = 1;
  e = BaseDataEstimate(broken, host, 293);
  EXPECT_EQ(e->rows[kLiquidDensityRow], "");
  EXPECT_EQ(e->rows[kLiquidViscosityRow], "");
  broken.VisEquation = 4;
  broken.VisRef = 1;
  broken.VisRefT = 600;  // far above T: the base of the power is negative
  e = BaseDataEstimate(broken, host, 293);
  EXPECT_EQ(e->rows[kLiquidViscosityRow], "");

  // Frost-Kalkwarf-Thodos (equation 2) is solved implicitly: with D = 0 it is
  // ln P = A - B/T + C ln T.
  BaseDataRecord fkt = benzene;
  fkt.VpEquation = 2;
  fkt.VpA = 10;
  fkt.VpB = 3000;
  fkt.VpC = 0;
  fkt.VpD = 0;
  e = BaseDataEstimate(fkt, host, 300);
  EXPECT_EQ(e->rows[kVapourPressureRow], FormatProp(static_cast<float>(std::exp(0.0))));
  fkt.VpD = 5000;  // P = exp(D P / T^2) at P = 1.0588...: still solvable
  e = BaseDataEstimate(fkt, host, 300);
  EXPECT_NEAR(Val(e->rows[kVapourPressureRow]), 1.06, 0.011);
}

TEST_F(PropertyCalcTest, SelfBuiltMediumAtASelectedTemperature) {
  PropertyRecord r;
  r.Temperature = {20, 40, 60, 0};
  r.Density = {998, 992, 983, 0};
  r.SpecificHeat = {4.18f, 4.18f, 4.19f, 0};
  r.Conductivity = {0.6f, 0.63f, 0.65f, 0};
  r.Viscosity = {1.0f, 0.653f, 0.466f, 0};
  r.VapourDensity = {0, 0, 0, 0};
  r.LatentHeat = {2450, 2400, 2350, 0};

  // At T1 the middle values exactly.
  auto mid = SelfDataAtTemperature(r, 20, 40, 60, 40);
  EXPECT_EQ(mid[0], "992");
  EXPECT_EQ(mid[1], "4.18");
  EXPECT_EQ(mid[2], "0.63");
  EXPECT_EQ(mid[3], "0.653");
  EXPECT_EQ(mid[4], "");
  EXPECT_EQ(mid[5], "2400.");

  // Between: the parabola through the three densities at 30 C gives
  // 998 (-10)(-30)/((-20)(-40)) + 992 (10)(-30)/((20)(-20)) + 983 (10)(-10)/((40)(20))
  // = 374.25 + 744 - 122.875 = 995.375; viscosity the mean of the three shifts.
  auto between = SelfDataAtTemperature(r, 20, 40, 60, 30);
  EXPECT_EQ(between[0], "995.375");
  EXPECT_GT(Val(between[3]), 0.653);
  EXPECT_LT(Val(between[3]), 1.0);

  // Just above T2, below T0, and two equal temperatures: nothing.
  for (float ts : {60.01f, 19.99f}) {
    for (const auto& v : SelfDataAtTemperature(r, 20, 40, 60, ts)) EXPECT_EQ(v, "");
  }
  for (const auto& v : SelfDataAtTemperature(r, 20, 20, 60, 30)) EXPECT_EQ(v, "");
  for (const auto& v : SelfDataAtTemperature(r, 20, 20, 20, 20)) EXPECT_EQ(v, "");
  // A zero viscosity in the record gives no interpolated viscosity.
  r.Viscosity[1] = 0;
  EXPECT_EQ(SelfDataAtTemperature(r, 20, 40, 60, 30)[3], "");
}

}  // namespace
}  // namespace vx
