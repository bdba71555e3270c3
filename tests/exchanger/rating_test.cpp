#include "exchanger/rating.h"

#include <gtest/gtest.h>

#include <cmath>

#include "exchanger/arrangement.h"
#include "exchanger/correction.h"

// The expected numbers below were worked out by hand from the rating rules in
// python3 (a separate script that keeps every stored value in single
// precision); each step is written out with its inputs. Results agree to
// single precision, so they are compared within 1e-5 relative.
#define EXPECT_REL(actual, expected) EXPECT_NEAR((actual), (expected), std::fabs(expected) * 1e-5)

namespace vx {

namespace {

constexpr int A = kCircuitA;
constexpr int B = kCircuitB;

Correlation correlation(float nuC, float nuM, float euC, float euM, float prC = 0) {
  return {nuC, nuM, euC, euM, prC, 50, 20000};
}

// Normal plate: 0.5 m2, channel 0.00175 m2 / 7 mm, nozzles DN100,
// Nu = 0.18 Re^0.7 Pr^n, Eu = 1800 Re^-0.25.
PlateModel normalPlate() {
  PlateModel m;
  m.ModelName = modelNameField("VX-N50");
  m.PlateKind = kNormalPlate;
  m.PortIn1 = m.PortOut1 = 100;
  m.MaxPlates = 200;
  m.PlateArea = 0.5f;
  m.PlateThickness = 0.6f;
  m.NarrowSection = 0.00175f;
  m.NarrowDiameter = 0.007f;
  m.channels[0] = correlation(0.18f, 0.7f, 1800, -0.25f);
  return m;
}

// Asymmetric plate: 0.4 m2; narrow channel 0.0015 m2 / 6 mm, DN100,
// Nu = 0.20 Re^0.68, Eu = 2200 Re^-0.22; wide channel 0.0025 m2 / 10 mm,
// DN150, Nu = 0.15 Re^0.72, Eu = 1400 Re^-0.28.
PlateModel asymmetricPlate() {
  PlateModel m;
  m.ModelName = modelNameField("VX-A40");
  m.PlateKind = kAsymmetricPlate;
  m.PortIn1 = m.PortOut1 = 100;
  m.PortIn2 = m.PortOut2 = 150;
  m.MaxPlates = 200;
  m.PlateArea = 0.4f;
  m.PlateThickness = 0.5f;
  m.NarrowSection = 0.0015f;
  m.NarrowDiameter = 0.006f;
  m.WideSection = 0.0025f;
  m.WideDiameter = 0.01f;
  m.channels[0] = correlation(0.20f, 0.68f, 2200, -0.22f);
  m.channels[1] = correlation(0.15f, 0.72f, 1400, -0.28f);
  return m;
}

// Thermal-mixing plate: 0.3 m2, channel 0.0018 m2 / 7.5 mm, DN125; hard
// Nu = 0.25 Re^0.68 Pr^0.33, Eu = 2500 Re^-0.20; mixed Nu = 0.20 Re^0.70,
// Eu = 1600 Re^-0.22; soft Nu = 0.15 Re^0.72, Eu = 900 Re^-0.25. The hard
// channel's Prandtl exponent 0.33 holds for every channel.
PlateModel mixingPlate() {
  PlateModel m;
  m.ModelName = modelNameField("VX-M30");
  m.PlateKind = kThermalMixingPlate;
  m.PortIn1 = m.PortOut1 = 125;
  m.MaxPlates = 200;
  m.PlateArea = 0.3f;
  m.PlateThickness = 0.6f;
  m.NarrowSection = 0.0018f;
  m.NarrowDiameter = 0.0075f;
  m.channels[0] = correlation(0.25f, 0.68f, 2500, -0.20f, 0.33f);
  m.channels[1] = correlation(0.20f, 0.70f, 1600, -0.22f);
  m.channels[2] = correlation(0.15f, 0.72f, 900, -0.25f);
  return m;
}

ChannelKinds kindsOf(const PlateModel& m) {
  ChannelKinds kinds{};
  FillChannelKinds(m, kinds);
  return kinds;
}

void setProps(VeloxaVar& v, int circuit, float rho, float lambda, float mu, float pr, float rhoV = 0) {
  v.MediumProp(kDensity, circuit) = rho;
  v.MediumProp(kConductivity, circuit) = lambda;
  v.MediumProp(kViscosity, circuit) = mu;
  v.MediumProp(kPrandtl, circuit) = pr;
  v.MediumProp(kVapourDensity, circuit) = rhoV;
}

void setCase(VeloxaVar& v, float tinA, float toutA, float tinB, float toutB, float flowA, float flowB, float load,
             float lmtd) {
  v.TinA = tinA;
  v.ToutA = toutA;
  v.TinB = tinB;
  v.ToutB = toutB;
  v.FlowA = v.UnitFlowA = flowA;
  v.FlowB = v.UnitFlowB = flowB;
  v.HeatLoad = load;
  v.Lmtd = lmtd;
  v.ParallelUnits = 1;
}

// Water 90 -> 70 C (20000 kg/h) against water 30 -> 50 C (20100 kg/h);
// properties at 80 C and 40 C.
VeloxaVar waterWater() {
  VeloxaVar v;
  setCase(v, 90, 70, 30, 50, 20000, 20100, 466.1f, 40);
  setProps(v, A, 971.8f, 0.670f, 0.355f, 2.22f);
  setProps(v, B, 992.2f, 0.631f, 0.653f, 4.32f);
  v.FoulingA = v.FoulingB = 0.00002f;
  return v;
}

DesignState stainless(float thicknessM) {
  DesignState s;
  s.PlateThicknessM = thicknessM;
  s.PlateConductivity = 16.3f;
  return s;
}

// The check command's rating: checks, nozzles, flow split, slots, areas,
// correction factor, heat capacity.
void runCheck(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, double plates, double passA, double passB,
              int c1, int c2, const std::string& pass1, const std::string& pass2) {
  DataClear(s);
  SelectChannelKinds(s, kinds[1].plateKind);
  ASSERT_EQ(PlateAndPassChecks(s, kinds, 8, plates, passA, passB), 0);
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, kinds));
  s.FirstKindCount = c1;
  s.SecondKindCount = c2;
  ASSERT_TRUE(RateArrangement(s, v, kinds));
  ASSERT_TRUE(CorrectForCheck(s, v, pass1, pass2));
  ASSERT_TRUE(HeatCapacityAndMargin(s, v, kinds));
}

bool allFinite(const DesignState& s) {
  for (const SlotTable* t : {&s.ChannelVelocity, &s.ChannelRe, &s.ChannelNu, &s.ChannelEu, &s.FilmCoefficient})
    for (const auto& row : *t)
      for (float x : row)
        if (!std::isfinite(x)) return false;
  for (float x :
       {s.CleanU[1], s.CleanU[2], s.ServiceU[1], s.ServiceU[2], s.PressureDropA, s.PressureDropB, s.NozzleVelocityA,
        s.NozzleVelocityB, s.WallTemperature, s.HeatCapacity, s.SurfaceMargin, s.GroupArea[1], s.GroupArea[2]})
    if (!std::isfinite(x)) return false;
  return true;
}

}  // namespace

// --- Normal plate -----------------------------------------------------------

// 41 plates, 2 passes on each side: 10 channels per pass. Circuit A has the
// viscosity factor 0.95; the port loss is included.
TEST(RatingNormalPlate, HandCheckedRating) {
  const ChannelKinds kinds = kindsOf(normalPlate());
  const VeloxaVar v = waterWater();
  DesignState s = stainless(0.0006f);
  s.Chkvc1 = true;
  s.Txtvc1 = 0.95f;
  s.ChkPortPd = true;
  ASSERT_NO_FATAL_FAILURE(runCheck(s, v, kinds, 41, 2, 2, 10, 0, "2", "2"));

  // Nozzles: 20000 / 3600 / 971.8 / 0.05^2 / 3.1416 = 0.727880 m/s;
  // 20100 / 3600 / 992.2 / 0.05^2 / 3.1416 = 0.716479 m/s.
  EXPECT_REL(s.NozzleVelocityA, 0.727879882);
  EXPECT_REL(s.NozzleVelocityB, 0.716478944);
  // Channels: 20000 / 3600 / 971.8 / 0.00175 / 10 = 0.326672 m/s;
  // 20100 / 3600 / 992.2 / 0.00175 / 10 = 0.321556 m/s.
  EXPECT_REL(s.ChannelVelocity[1][A], 0.326672465);
  EXPECT_REL(s.ChannelVelocity[1][B], 0.321555734);
  EXPECT_EQ(s.ChannelVelocity[2][A], 0);
  // Circuit A (cooled, n = 0.3): Re = 0.326672 x 0.007 x 971.8 / 0.355 x 1000
  // = 6259.78; Nu = 0.18 x 6259.78^0.7 x 2.22^0.3 x 0.95 = 98.7401;
  // h = 98.7401 x 0.670 / 0.007 = 9450.83; Eu = 1800 x 6259.78^-0.25
  // = 202.364; dP = 202.364 x 971.8 x 0.326672^2 x 2 + 1.5 x 971.8 x
  // 0.727880^2 / 2 (386.15) = 42358.6 Pa.
  EXPECT_REL(s.ChannelRe[1][A], 6259.78076);
  EXPECT_REL(s.ChannelNu[1][A], 98.7400513);
  EXPECT_REL(s.FilmCoefficient[1][A], 9450.83301);
  EXPECT_REL(s.ChannelEu[1][A], 202.363754);
  EXPECT_REL(s.PressureDropA, 42358.6367);
  EXPECT_FLOAT_EQ(s.ViscosityFactorA, 0.95f);
  // Circuit B (heated, n = 0.4): Re = 3420.11; Nu = 0.18 x 3420.11^0.7 x
  // 4.32^0.4 = 96.2264; h = 8674.12; Eu = 235.376; dP = 235.376 x 992.2 x
  // 0.321556^2 x 2 + 382.00 = 48677.2 Pa.
  EXPECT_REL(s.ChannelRe[1][B], 3420.1123);
  EXPECT_REL(s.ChannelNu[1][B], 96.2264023);
  EXPECT_REL(s.FilmCoefficient[1][B], 8674.12207);
  EXPECT_REL(s.ChannelEu[1][B], 235.376129);
  EXPECT_REL(s.PressureDropB, 48677.2227);
  // Wall: (160 x 9450.83 x 0.5 + 80 x 8674.12 x 0.5) / (9450.83 + 8674.12)
  // = 60.8571 C.
  EXPECT_REL(s.WallTemperature, 60.8570633);
  // U clean = 1 / (1/9450.83 + 0.0006/16.3 + 1/8674.12) = 3877.38;
  // service adds 2 x 0.00002: 3356.76 W/(m2 K).
  EXPECT_REL(s.CleanU[1], 3877.3811);
  EXPECT_REL(s.ServiceU[1], 3356.76318);
  EXPECT_EQ(s.CleanU[2], 0);
  EXPECT_EQ(s.ServiceU[2], 0);
  // Area (41 - 2) x 0.5 = 19.5 m2; equal pass texts: F = 0.967, shown 0.97.
  EXPECT_FLOAT_EQ(s.GroupArea[1], 19.5f);
  EXPECT_EQ(s.GroupArea[2], 0);
  EXPECT_FLOAT_EQ(s.F, 0.97f);
  // Q = 40 x 19.5 x 3356.76 x 0.97 x 1 = 2539727 W; margin
  // (2539.727 - 466.1) / 466.1 x 100 = 444.889 %.
  EXPECT_REL(s.HeatCapacity, 2539727);
  EXPECT_REL(s.SurfaceMargin, 444.888855);
}

TEST(RatingNormalPlate, DesignTrialMatchesTheCheck) {
  const ChannelKinds kinds = kindsOf(normalPlate());
  const VeloxaVar v = waterWater();
  DesignState s = stainless(0.0006f);
  s.Chkvc1 = true;
  s.Txtvc1 = 0.95f;
  s.ChkPortPd = true;
  DataClear(s);
  SelectChannelKinds(s, kNormalPlate);
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, kinds));
  CorrectForDesign(s, v, "1", "1");
  s.PassesA = 2;
  s.PassesB = 2;
  ASSERT_TRUE(RateSingleKindTrial(s, v, kinds, 10));
  // (2 x 10 x 2 - 1) x 0.5 = 19.5 m2: the same pack as 41 plates.
  EXPECT_FLOAT_EQ(s.GroupArea[1], 19.5f);
  EXPECT_REL(s.PressureDropA, 42358.6367);
  EXPECT_REL(s.PressureDropB, 48677.2227);
  EXPECT_REL(s.HeatCapacity, 2539727);
  EXPECT_REL(s.SurfaceMargin, 444.888855);
}

// --- Asymmetric plate -------------------------------------------------------

// Circuit B in the narrow channel: A flows in the wide channel (kind 2,
// DN150), B in the narrow one (kind 1, DN100). 31 plates, one pass: 15
// channels. Circuit A is cooled, yet the narrow side B takes 0.3.
TEST(RatingAsymmetricPlate, HandCheckedRatingWithCircuitBNarrow) {
  const ChannelKinds kinds = kindsOf(asymmetricPlate());
  VeloxaVar v;
  setCase(v, 95, 75, 20, 60, 30000, 15000, 700, 44.25f);
  setProps(v, A, 968.6f, 0.673f, 0.333f, 2.07f);
  setProps(v, B, 992.2f, 0.631f, 0.653f, 4.32f);
  v.FoulingA = 0.00003f;
  v.FoulingB = 0.00001f;
  DesignState s = stainless(0.0005f);
  s.narrowInC2 = true;
  ASSERT_NO_FATAL_FAILURE(runCheck(s, v, kinds, 31, 1, 1, 15, 0, "1", "1"));

  EXPECT_EQ(s.ChannelKindA1, 2);
  EXPECT_EQ(s.ChannelKindB1, 1);
  // Nozzles: 30000 / 3600 / 968.6 / 0.075^2 / 3.1416 = 0.486856 m/s;
  // 15000 / 3600 / 992.2 / 0.05^2 / 3.1416 = 0.534686 m/s.
  EXPECT_REL(s.NozzleVelocityA, 0.486856401);
  EXPECT_REL(s.NozzleVelocityB, 0.534685791);
  // Channels: 30000 / 3600 / 968.6 / 0.0025 / 15 = 0.229426 m/s;
  // 15000 / 3600 / 992.2 / 0.0015 / 15 = 0.186641 m/s.
  EXPECT_REL(s.ChannelVelocity[1][A], 0.22942622);
  EXPECT_REL(s.ChannelVelocity[1][B], 0.186640978);
  // A (wide, n = 0.4): Re = 0.229426 x 0.010 x 968.6 / 0.333 x 1000 = 6673.34;
  // Nu = 0.15 x 6673.34^0.72 x 2.07^0.4 = 113.764; h = 113.764 x 0.673 /
  // 0.010 = 7656.35; Eu = 1400 x 6673.34^-0.28 = 118.936; dP = 118.936 x
  // 968.6 x 0.229426^2 x 1 = 6063.77 Pa.
  EXPECT_REL(s.ChannelRe[1][A], 6673.33984);
  EXPECT_REL(s.ChannelNu[1][A], 113.764473);
  EXPECT_REL(s.FilmCoefficient[1][A], 7656.34912);
  EXPECT_REL(s.ChannelEu[1][A], 118.935616);
  EXPECT_REL(s.PressureDropA, 6063.7666);
  // B (narrow, n = 0.3): Re = 0.186641 x 0.006 x 992.2 / 0.653 x 1000 =
  // 1701.55; Nu = 0.20 x 1701.55^0.68 x 4.32^0.3 = 48.8258; h = 48.8258 x
  // 0.631 / 0.006 = 5134.85; Eu = 2200 x 1701.55^-0.22 = 428.190; dP =
  // 428.190 x 992.2 x 0.186641^2 = 14799.6 Pa.
  EXPECT_REL(s.ChannelRe[1][B], 1701.54834);
  EXPECT_REL(s.ChannelNu[1][B], 48.8257904);
  EXPECT_REL(s.FilmCoefficient[1][B], 5134.84521);
  EXPECT_REL(s.ChannelEu[1][B], 428.190399);
  EXPECT_REL(s.PressureDropB, 14799.6064);
  // Wall (170 x 7656.35 / 2 + 80 x 5134.85 / 2) / 12791.19 = 66.9354 C;
  // U clean = 1 / (1/7656.35 + 0.0005/16.3 + 1/5134.85) = 2808.73;
  // service + 0.00004 = 2525.04.
  EXPECT_REL(s.WallTemperature, 66.935379);
  EXPECT_REL(s.CleanU[1], 2808.72656);
  EXPECT_REL(s.ServiceU[1], 2525.04053);
  // Area (31 - 2) x 0.4 = 11.6 m2; Q = 44.25 x 11.6 x 2525.04 x 0.97 =
  // 1257220 W; margin (1257.22 - 700) / 700 x 100 = 79.6029 %.
  EXPECT_FLOAT_EQ(s.GroupArea[1], 11.6f);
  EXPECT_REL(s.HeatCapacity, 1257220.25);
  EXPECT_REL(s.SurfaceMargin, 79.60289);
}

// --- Thermal-mixing plate, two kinds ----------------------------------------

// Item 3 (hard + mixed), 6 hard and 4 mixed channels, one pass, 21 plates,
// port loss included. The split (python3, same rules) for circuit A:
//   G1 7500 / 7500: dP 18604.8 < 20794.6, dev 0.105 -> G1 + 3750
//   G1 11250: dev 5.29 -> -1875; 9375: 1.22 -> -937.5; 8437.5: 0.400 ->
//   -468.75; 7968.75: 0.118 -> -234.375; 7734.375 / 7265.625: dP 19659.4 /
//   19656.9, dev 0.00013 -> done.
// Circuit B: 6000, 9000, 7500, 6750, 6375, 6187.5, 6281.25, 6234.375,
//   6210.9375 / 5789.0625: dP 14749.7 / 14792.3, dev 0.0029 -> done.
TEST(RatingThermalMixing, HandCheckedTwoKindRatingWithConvergedSplit) {
  const ChannelKinds kinds = kindsOf(mixingPlate());
  VeloxaVar v;
  setCase(v, 80, 60, 20, 45, 15000, 12000, 349.2f, 37.44f);
  setProps(v, A, 977.8f, 0.663f, 0.404f, 2.55f);
  setProps(v, B, 994.9f, 0.622f, 0.757f, 5.1f);
  v.FoulingA = v.FoulingB = 0.00002f;
  DesignState s = stainless(0.0006f);
  s.ThermalMixItem = kMixHardMixed;
  s.ChkPortPd = true;
  ASSERT_NO_FATAL_FAILURE(runCheck(s, v, kinds, 21, 1, 1, 6, 4, "1", "1"));

  // Nozzles DN125: 15000 / 3600 / 977.8 / 0.0625^2 / 3.1416 = 0.347238;
  // 12000 / 3600 / 994.9 / 0.0625^2 / 3.1416 = 0.273016 m/s.
  EXPECT_REL(s.NozzleVelocityA, 0.347238451);
  EXPECT_REL(s.NozzleVelocityB, 0.273016185);
  // Velocities of the last split step: 7734.375 / 3600 / 977.8 / 0.0018 / 6
  // = 0.203446 and 7265.625 / ... / 4 = 0.286674; B 0.160565 and 0.224488.
  EXPECT_REL(s.ChannelVelocity[1][A], 0.203445897);
  EXPECT_REL(s.ChannelVelocity[2][A], 0.286673784);
  EXPECT_REL(s.ChannelVelocity[1][B], 0.160565212);
  EXPECT_REL(s.ChannelVelocity[2][B], 0.224488348);
  // Slot 1 (hard, n = 0.33 both): A Re 3693.00, Nu = 0.25 x 3693^0.68 x
  // 2.55^0.33 = 90.7645, h = 8023.58, Eu = 2500 x 3693^-0.2 = 483.575;
  // B Re 1582.69, Nu 64.1250, h 5318.10, Eu 572.876.
  EXPECT_REL(s.ChannelRe[1][A], 3692.99609);
  EXPECT_REL(s.ChannelNu[1][A], 90.7644806);
  EXPECT_REL(s.FilmCoefficient[1][A], 8023.58008);
  EXPECT_REL(s.ChannelEu[1][A], 483.575439);
  EXPECT_REL(s.ChannelRe[1][B], 1582.69141);
  EXPECT_REL(s.ChannelNu[1][B], 64.1250381);
  EXPECT_REL(s.FilmCoefficient[1][B], 5318.10303);
  EXPECT_REL(s.ChannelEu[1][B], 572.87616);
  EXPECT_REL(s.CleanU[1], 2861.39868);
  EXPECT_REL(s.ServiceU[1], 2567.52954);
  // Slot 2 (mixed): A Re 5203.77, Nu = 0.20 x 5203.77^0.7 x 2.55^0.33 =
  // 108.795, h 9617.52, Eu 243.517; B Re 2212.78, Nu 75.1597, h 6233.25,
  // Eu 293.923; U 3319.87 clean, 2930.69 service.
  EXPECT_REL(s.ChannelRe[2][A], 5203.76758);
  EXPECT_REL(s.ChannelNu[2][A], 108.795456);
  EXPECT_REL(s.FilmCoefficient[2][A], 9617.51855);
  EXPECT_REL(s.ChannelEu[2][A], 243.517426);
  EXPECT_REL(s.ChannelRe[2][B], 2212.78174);
  EXPECT_REL(s.ChannelNu[2][B], 75.1597137);
  EXPECT_REL(s.FilmCoefficient[2][B], 6233.24561);
  EXPECT_REL(s.ChannelEu[2][B], 293.922943);
  EXPECT_REL(s.CleanU[2], 3319.86792);
  EXPECT_REL(s.ServiceU[2], 2930.68799);
  // The drops are those of the last rated group (slot 2): A 243.517 x 977.8
  // x 0.286674^2 + 88.42 port = 19656.9 Pa; B 14792.3 Pa. Slot 1 differs by
  // less than 1 % (19659.4 and 14749.7).
  EXPECT_REL(s.PressureDropA, 19656.8555);
  EXPECT_REL(s.PressureDropB, 14792.3281);
  // Wall from slot 1: (140 x 8023.58 + 65 x 5318.10) / 2 / 13341.68 = 55.0522.
  EXPECT_REL(s.WallTemperature, 55.0521965);
  // Areas (2 x 6 - 1) x 0.3 = 3.3 and 2 x 4 x 0.3 = 2.4 m2; Q = 37.44 x 3.3
  // x 2567.53 x 0.97 + 37.44 x 2.4 x 2930.69 x 0.97 = 563146 W; margin
  // (563.146 - 349.2) / 349.2 x 100 = 61.2676 %.
  EXPECT_FLOAT_EQ(s.GroupArea[1], 3.3f);
  EXPECT_FLOAT_EQ(s.GroupArea[2], 2.4f);
  EXPECT_REL(s.HeatCapacity, 563146.438);
  EXPECT_REL(s.SurfaceMargin, 61.2675896);
}

TEST(RatingThermalMixing, SplitTrialMatchesTheCheck) {
  const ChannelKinds kinds = kindsOf(mixingPlate());
  VeloxaVar v;
  setCase(v, 80, 60, 20, 45, 15000, 12000, 349.2f, 37.44f);
  setProps(v, A, 977.8f, 0.663f, 0.404f, 2.55f);
  setProps(v, B, 994.9f, 0.622f, 0.757f, 5.1f);
  v.FoulingA = v.FoulingB = 0.00002f;
  DesignState s = stainless(0.0006f);
  s.ThermalMixItem = kMixHardMixed;
  s.ChkPortPd = true;
  DataClear(s);
  SelectChannelKinds(s, kThermalMixingPlate);
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, kinds));
  CorrectForDesign(s, v, "1", "1");
  s.PassesA = 1;
  s.PassesB = 1;
  ASSERT_TRUE(RateSplitTrial(s, v, kinds, 6, 4));
  EXPECT_FLOAT_EQ(s.GroupArea[1], 3.3f);
  EXPECT_FLOAT_EQ(s.GroupArea[2], 2.4f);
  EXPECT_REL(s.HeatCapacity, 563146.438);
  EXPECT_REL(s.SurfaceMargin, 61.2675896);
}

TEST(RatingThermalMixing, SplitMakesTheGroupDropsAgreeWithinOnePercent) {
  const ChannelKinds kinds = kindsOf(mixingPlate());
  VeloxaVar v;
  setCase(v, 80, 60, 20, 45, 15000, 12000, 349.2f, 37.44f);
  setProps(v, A, 977.8f, 0.663f, 0.404f, 2.55f);
  setProps(v, B, 994.9f, 0.622f, 0.757f, 5.1f);
  DesignState s = stainless(0.0006f);
  s.ThermalMixItem = kMixMixedSoft;
  SelectChannelKinds(s, kThermalMixingPlate);
  s.PassesA = 1;
  s.PassesB = 1;
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, kinds));
  ASSERT_TRUE(SplitFlows(s, v, kinds, 3, 7));
  for (int k : {A, B}) {
    const double rho = v.MediumProp(kDensity, k);
    const double drop1 = s.ChannelEu[1][k] * rho * s.ChannelVelocity[1][k] * s.ChannelVelocity[1][k];
    const double drop2 = s.ChannelEu[2][k] * rho * s.ChannelVelocity[2][k] * s.ChannelVelocity[2][k];
    EXPECT_LE(std::fabs(drop1 - drop2) / drop2, 0.01) << k;
    // The two groups carry the whole flow.
    const double flow = (s.ChannelVelocity[1][k] * 3 + s.ChannelVelocity[2][k] * 7) * 0.0018 * rho * 3600;
    EXPECT_NEAR(flow, k == A ? 15000 : 12000, 0.5) << k;
  }
}

// No channel of the first kind: the whole flow goes to the second group,
// which is rated alone; its coefficients give the wall temperature.
TEST(RatingThermalMixing, NoChannelOfTheFirstKindIsRatedFromTheSecondGroup) {
  const ChannelKinds kinds = kindsOf(mixingPlate());
  VeloxaVar v;
  setCase(v, 80, 60, 20, 45, 15000, 12000, 349.2f, 37.44f);
  setProps(v, A, 977.8f, 0.663f, 0.404f, 2.55f);
  setProps(v, B, 994.9f, 0.622f, 0.757f, 5.1f);
  DesignState s = stainless(0.0006f);
  s.ThermalMixItem = kMixHardMixed;
  ASSERT_NO_FATAL_FAILURE(runCheck(s, v, kinds, 21, 1, 1, 0, 10, "1", "1"));
  EXPECT_EQ(s.ChannelVelocity[1][A], 0);
  EXPECT_EQ(s.FilmCoefficient[1][A], 0);
  EXPECT_EQ(s.ServiceU[1], 0);
  // 15000 / 3600 / 977.8 / 0.0018 / 10 = 0.236740 m/s.
  EXPECT_REL(s.ChannelVelocity[2][A], 15000.0 / 3600 / 977.8 / 0.0018 / 10);
  const double hA = s.FilmCoefficient[2][A], hB = s.FilmCoefficient[2][B];
  EXPECT_GT(hA, 0);
  EXPECT_REL(s.WallTemperature, (140 * hA * 0.5 + 65 * hB * 0.5) / (hA + hB));
  EXPECT_EQ(s.GroupArea[1], 0);
  EXPECT_FLOAT_EQ(s.GroupArea[2], 5.7f);  // (2 x 10 - 1) x 0.3
  EXPECT_REL(s.HeatCapacity, 37.44 * 5.7 * s.ServiceU[2] * 0.97);
}

// --- Condensing steam in circuit B -----------------------------------------

// Saturated steam at 120.2 C (0.2 MPa) condenses in circuit B, water 60 -> 90
// C in circuit A; normal plate, 41 plates, one pass, 20 channels.
VeloxaVar steamCase() {
  VeloxaVar v;
  setCase(v, 60, 90, 120.2f, 120.2f, 20000, 1141.6f, 698.3f, 43.52f);
  setProps(v, A, 974.8f, 0.667f, 0.378f, 2.38f);
  setProps(v, B, 943.1f, 0.683f, 0.232f, 1.44f, 1.129f);
  v.MediumStateB = kStateSteam;
  v.FoulingA = 0.00002f;
  v.FoulingB = 0.00001f;
  return v;
}

TEST(RatingCondensingSteam, HandCheckedRating) {
  const ChannelKinds kinds = kindsOf(normalPlate());
  const VeloxaVar v = steamCase();
  DesignState s = stainless(0.0006f);
  s.VapourOptionB = true;
  s.ChkPortPd = true;
  s.Chkvc2 = true;  // no viscosity factor for a condensing circuit
  s.Txtvc2 = 1.2f;
  ASSERT_NO_FATAL_FAILURE(runCheck(s, v, kinds, 41, 1, 1, 20, 0, "1", "1"));

  // Nozzles: A 20000 / 3600 / 974.8 / 0.05^2 / 3.1416 = 0.725640 m/s;
  // B with the vapour density: 1141.6 / 3600 / 1.129 / 0.05^2 / 3.1416 =
  // 35.7624 m/s.
  EXPECT_REL(s.NozzleVelocityA, 0.72563976);
  EXPECT_REL(s.NozzleVelocityB, 35.7623978);
  // Channels: 20000 / 3600 / 974.8 / 0.00175 / 20 = 0.162834;
  // 1141.6 / 3600 / 1.129 / 0.00175 / 20 = 8.02508 m/s.
  EXPECT_REL(s.ChannelVelocity[1][A], 0.162833557);
  EXPECT_REL(s.ChannelVelocity[1][B], 8.02508163);
  // A (heated, n = 0.4): Re 2939.45; Nu = 0.18 x 2939.45^0.7 x 2.38^0.4 =
  // 68.1851; h = 6497.06; Eu = 244.459; dP = 244.459 x 974.8 x 0.162834^2
  // + 1.5 x 974.8 x 0.725640^2 / 2 (384.96) = 6703.40 Pa.
  EXPECT_REL(s.ChannelRe[1][A], 2939.44727);
  EXPECT_REL(s.ChannelNu[1][A], 68.1850662);
  EXPECT_REL(s.FilmCoefficient[1][A], 6497.0625);
  EXPECT_REL(s.ChannelEu[1][A], 244.45903);
  EXPECT_REL(s.PressureDropA, 6703.39648);
  // B: Re = 8.02508 x 0.007 x 1.129 / 0.232 x 1000 = 273.372 (vapour
  // density); group 0.683^3 x 943.1 x (943.1 - 1.129) x 1e8 / (9.8 x
  // 0.232^2) = 5.36606e13, cube root 37718.27; h = 4.1939 x 37718.27 x
  // 273.372^(-1/3) = 24373.5; dP = 0.7567 x 8.02508^0.9646 x 1000 = 5640.99
  // Pa (no port loss, no passes); Nu and Eu not formed.
  EXPECT_REL(s.ChannelRe[1][B], 273.371643);
  EXPECT_REL(s.FilmCoefficient[1][B], 24373.5469);
  EXPECT_REL(s.PressureDropB, 5640.99463);
  EXPECT_EQ(s.ChannelNu[1][B], 0);
  EXPECT_EQ(s.ChannelEu[1][B], 0);
  EXPECT_EQ(s.ViscosityFactorB, 1);
  // Wall (150 x 6497.06 + 240.4 x 24373.5) / 2 / 30870.6 = 110.687 C;
  // U clean 4314.93, service (+ 0.00003) 3820.39 W/(m2 K).
  EXPECT_REL(s.WallTemperature, 110.687157);
  EXPECT_REL(s.CleanU[1], 4314.92725);
  EXPECT_REL(s.ServiceU[1], 3820.38647);
  // Q = 43.52 x 19.5 x 3820.39 x 0.97 = 3144869 W; margin 350.361 %.
  EXPECT_FLOAT_EQ(s.GroupArea[1], 19.5f);
  EXPECT_REL(s.HeatCapacity, 3144869);
  EXPECT_REL(s.SurfaceMargin, 350.360748);
}

TEST(RatingCondensingSteam, VapourDropDoesNotDependOnThePasses) {
  const ChannelKinds kinds = kindsOf(normalPlate());
  const VeloxaVar v = steamCase();
  DesignState s = stainless(0.0006f);
  s.VapourOptionB = true;
  SelectChannelKinds(s, kNormalPlate);
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, kinds));
  ASSERT_TRUE(SplitFlows(s, v, kinds, 20, 0));
  s.PassesB = 1;
  ASSERT_TRUE(RateSlot(s, v, kinds, 1, 1, 2));
  const float one = s.PressureDropB;
  s.PassesB = 3;
  ASSERT_TRUE(RateSlot(s, v, kinds, 1, 1, 2));
  EXPECT_EQ(s.PressureDropB, one);
  EXPECT_REL(one, 5640.99463);
}

// --- Rules shared by every rating --------------------------------------------

TEST(SetPrandtlExponents, CooledCircuitTakesPointThree) {
  ChannelKinds kinds = kindsOf(normalPlate());
  VeloxaVar v = waterWater();  // A cooled 90 -> 70
  DesignState s;
  PrandtlExponents n = SetPrandtlExponents(s, v, kinds);
  EXPECT_EQ(n.a, 0.3f);
  EXPECT_EQ(n.b, 0.4f);
  v.TinA = 60;  // A heated
  n = SetPrandtlExponents(s, v, kinds);
  EXPECT_EQ(n.a, 0.4f);
  EXPECT_EQ(n.b, 0.3f);
  kinds[1].corr.Pr_c = 0.33f;
  n = SetPrandtlExponents(s, v, kinds);
  EXPECT_EQ(n.a, 0.33f);
  EXPECT_EQ(n.b, 0.33f);
}

TEST(SetPrandtlExponents, NarrowSideOfAnAsymmetricPlateTakesPointThree) {
  const ChannelKinds kinds = kindsOf(asymmetricPlate());
  VeloxaVar v = waterWater();
  v.TinA = 20;  // A heated
  v.ToutA = 40;
  DesignState s;
  s.narrowInC1 = true;
  PrandtlExponents n = SetPrandtlExponents(s, v, kinds);
  EXPECT_EQ(n.a, 0.3f);
  EXPECT_EQ(n.b, 0.4f);
}

TEST(RateSlot, PortLossAddsThreeQuartersOfRhoVnSquared) {
  const ChannelKinds kinds = kindsOf(normalPlate());
  const VeloxaVar v = waterWater();
  DesignState s = stainless(0.0006f);
  SelectChannelKinds(s, kNormalPlate);
  s.PassesA = 2;
  s.PassesB = 2;
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, kinds));
  ASSERT_TRUE(SplitFlows(s, v, kinds, 10, 0));
  ASSERT_TRUE(RateSlot(s, v, kinds, 1, 1, 2));
  const double w = s.ChannelVelocity[1][A];
  EXPECT_FLOAT_EQ(s.PressureDropA, static_cast<float>(s.ChannelEu[1][A] * v.MediumProp(kDensity, A) * w * w * 2));
  const float without = s.PressureDropA;
  s.ChkPortPd = true;
  ASSERT_TRUE(RateSlot(s, v, kinds, 1, 1, 2));
  const double vn = s.NozzleVelocityA;
  EXPECT_NEAR(s.PressureDropA - without, 0.75 * v.MediumProp(kDensity, A) * vn * vn, 0.01);
}

TEST(RateSlot, PassesOfCircuitAAreRoundedHalfToEven) {
  const ChannelKinds kinds = kindsOf(normalPlate());
  const VeloxaVar v = waterWater();
  DesignState s = stainless(0.0006f);
  SelectChannelKinds(s, kNormalPlate);
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, kinds));
  ASSERT_TRUE(SplitFlows(s, v, kinds, 10, 0));
  s.PassesA = 2;
  ASSERT_TRUE(RateSlot(s, v, kinds, 1, 1, 2));
  const float two = s.PressureDropA;
  s.PassesA = 2.5f;
  ASSERT_TRUE(RateSlot(s, v, kinds, 1, 1, 2));
  EXPECT_EQ(s.PressureDropA, two);
}

TEST(RateArrangement, SingleKindLeavesTheSecondGroupEmpty) {
  const ChannelKinds kinds = kindsOf(mixingPlate());
  VeloxaVar v;
  setCase(v, 80, 60, 20, 45, 15000, 12000, 349.2f, 37.44f);
  setProps(v, A, 977.8f, 0.663f, 0.404f, 2.55f);
  setProps(v, B, 994.9f, 0.622f, 0.757f, 5.1f);
  DesignState s = stainless(0.0006f);
  s.ThermalMixItem = kMixHardMixed;  // a two-kind rating first ...
  ASSERT_NO_FATAL_FAILURE(runCheck(s, v, kinds, 21, 1, 1, 6, 4, "1", "1"));
  s.ThermalMixItem = kMixSoft;  // ... then the soft channel alone
  // A second count left over from the two-kind item must not take flow.
  ASSERT_NO_FATAL_FAILURE(runCheck(s, v, kinds, 21, 1, 1, 10, 4, "1", "1"));
  EXPECT_EQ(s.ChannelKindA2, 2);  // kept, but unused
  EXPECT_EQ(s.CleanU[2], 0);
  EXPECT_EQ(s.ServiceU[2], 0);
  EXPECT_EQ(s.GroupArea[2], 0);
  EXPECT_EQ(s.ChannelVelocity[2][A], 0);
  EXPECT_REL(s.ChannelVelocity[1][A], 15000.0 / 3600 / 977.8 / 0.0018 / 10);
  EXPECT_FLOAT_EQ(s.GroupArea[1], 5.7f);  // (21 - 2) x 0.3
  EXPECT_REL(s.HeatCapacity, 37.44 * 5.7 * s.ServiceU[1] * 0.97);
}

TEST(DataClear, ZeroesTheSlotResults) {
  const ChannelKinds kinds = kindsOf(normalPlate());
  const VeloxaVar v = waterWater();
  DesignState s = stainless(0.0006f);
  ASSERT_NO_FATAL_FAILURE(runCheck(s, v, kinds, 41, 2, 2, 10, 0, "2", "2"));
  DataClear(s);
  for (int slot : {1, 2}) {
    for (int k : {A, B}) {
      EXPECT_EQ(s.ChannelVelocity[slot][k], 0);
      EXPECT_EQ(s.ChannelRe[slot][k], 0);
      EXPECT_EQ(s.ChannelNu[slot][k], 0);
      EXPECT_EQ(s.ChannelEu[slot][k], 0);
      EXPECT_EQ(s.FilmCoefficient[slot][k], 0);
    }
    EXPECT_EQ(s.CleanU[slot], 0);
    EXPECT_EQ(s.ServiceU[slot], 0);
  }
}

TEST(NozzleVelocityOk, CircuitBTakesTheGasLimitWithTheVapourOption) {
  DesignPresets p;
  p.MaxNozzleVelocityLiquid = 3;
  p.MaxNozzleVelocityGas = 40;
  DesignState s;
  s.NozzleVelocityA = 3;
  s.NozzleVelocityB = 35.76f;
  EXPECT_FALSE(NozzleVelocityOk(s, p));
  s.VapourOptionB = true;
  EXPECT_TRUE(NozzleVelocityOk(s, p));
  s.NozzleVelocityA = 3.01f;
  EXPECT_FALSE(NozzleVelocityOk(s, p));
}

// --- Arithmetic failures: reported, never stored as infinity or NaN ---------

TEST(RatingFailures, ZeroCountsDiametersAndConductivityFail) {
  const VeloxaVar v = waterWater();
  const ChannelKinds good = kindsOf(normalPlate());
  DesignState s = stainless(0.0006f);
  SelectChannelKinds(s, kNormalPlate);
  s.PassesA = s.PassesB = 1;
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, good));

  // No channel at all.
  s.FirstKindCount = 0;
  s.SecondKindCount = 0;
  EXPECT_FALSE(RateArrangement(s, v, good));
  EXPECT_FALSE(SplitFlows(s, v, good, 0, 0));

  // A zero diameter.
  PlateModel m = normalPlate();
  m.NarrowDiameter = 0;
  EXPECT_FALSE(RateSingleKindTrial(s, v, kindsOf(m), 10));
  EXPECT_TRUE(allFinite(s));

  // A zero section.
  m = normalPlate();
  m.NarrowSection = 0;
  EXPECT_FALSE(SplitFlows(s, v, kindsOf(m), 10, 0));
  EXPECT_TRUE(allFinite(s));

  // A zero nozzle.
  m = normalPlate();
  m.PortIn1 = 0;
  EXPECT_FALSE(ComputeNozzleVelocities(s, v, kindsOf(m)));

  // Zero plate conductivity.
  DesignState z = stainless(0.0006f);
  z.PlateConductivity = 0;
  SelectChannelKinds(z, kNormalPlate);
  ASSERT_TRUE(ComputeNozzleVelocities(z, v, good));
  EXPECT_FALSE(RateSingleKindTrial(z, v, good, 10));
  EXPECT_TRUE(allFinite(z));

  // Zero heat load: no margin can be formed.
  VeloxaVar noLoad = v;
  noLoad.HeatLoad = 0;
  DesignState q = stainless(0.0006f);
  SelectChannelKinds(q, kNormalPlate);
  ASSERT_TRUE(ComputeNozzleVelocities(q, noLoad, good));
  EXPECT_FALSE(RateSingleKindTrial(q, noLoad, good, 10));
  EXPECT_TRUE(allFinite(q));
}

TEST(RatingFailures, ZeroFilmCoefficientFails) {
  PlateModel m = normalPlate();
  m.channels[0].Nu_c = 0;  // Nu = 0, h = 0: 1/h divides by zero
  const ChannelKinds kinds = kindsOf(m);
  const VeloxaVar v = waterWater();
  DesignState s = stainless(0.0006f);
  SelectChannelKinds(s, kNormalPlate);
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, kinds));
  ASSERT_TRUE(SplitFlows(s, v, kinds, 10, 0));
  EXPECT_FALSE(RateSlot(s, v, kinds, 1, 1, 2));
  EXPECT_TRUE(allFinite(s));
}

TEST(RatingFailures, CondensingWithLiquidLighterThanVapourFails) {
  const ChannelKinds kinds = kindsOf(normalPlate());
  VeloxaVar v = steamCase();
  v.MediumProp(kDensity, B) = 0.5f;  // rho - rho_v < 0: no cube root
  DesignState s = stainless(0.0006f);
  s.VapourOptionB = true;
  SelectChannelKinds(s, kNormalPlate);
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, kinds));
  ASSERT_TRUE(SplitFlows(s, v, kinds, 20, 0));
  EXPECT_FALSE(RateSlot(s, v, kinds, 1, 1, 2));
  EXPECT_TRUE(allFinite(s));
}

TEST(RatingFailures, SplitThatCannotConvergeEndsInsteadOfLooping) {
  // Eu falling faster than v^2 rises: the drop of a group grows as its flow
  // shrinks, so moving flow away never evens the drops out.
  PlateModel m = mixingPlate();
  m.channels[0].Eu_m = -3;
  m.channels[1].Eu_m = -3;
  const ChannelKinds kinds = kindsOf(m);
  VeloxaVar v;
  setCase(v, 80, 60, 20, 45, 15000, 12000, 349.2f, 37.44f);
  setProps(v, A, 977.8f, 0.663f, 0.404f, 2.55f);
  setProps(v, B, 994.9f, 0.622f, 0.757f, 5.1f);
  DesignState s = stainless(0.0006f);
  s.ThermalMixItem = kMixHardMixed;
  SelectChannelKinds(s, kThermalMixingPlate);
  ASSERT_TRUE(ComputeNozzleVelocities(s, v, kinds));
  EXPECT_FALSE(SplitFlows(s, v, kinds, 6, 4));
  EXPECT_TRUE(allFinite(s));
}

}  // namespace vx
