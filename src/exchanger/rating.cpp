#include "exchanger/rating.h"

#include <algorithm>
#include <cmath>

#include "exchanger/arrangement.h"
#include "exchanger/checked_math.h"
#include "exchanger/split_estimate.h"

namespace vx {

namespace {

// Constant of the nozzle cross-section, kept as the system has always used it.
constexpr double kPi = 3.1416;
// Condensation film coefficient constant.
constexpr double kCondensing = 4.1939;
// The split is a bisection on the flow of the first group; a float flow stops
// changing long before this many halvings, so more would never converge.
constexpr int kMaxSplitIterations = 100;

thread_local bool splitScreening = true;
// Drop floors are given between these (Pa): a trial with larger flows may
// fail arithmetically, and skipping it would hide that; smaller drops may
// underflow single precision.
constexpr double kSmallestFloor = 1e-6, kLargestFloor = 1e12;

bool validKind(short kind) { return kind >= 1 && kind <= 3; }
bool validIndex(short kind) { return kind >= 0 && kind <= 3; }

// What one circuit brings to a channel group.
struct Side {
  int circuit = kCircuitA;
  float density = 0;    // kg/m3; the vapour density for a condensing circuit B
  float viscosity = 0;  // cP
  int passes = 1;
  float nozzle = 0;     // m/s, for the port loss
  bool vapour = false;  // pressure drop of a condensing vapour
};

// A circuit flowing as a liquid.
Side liquidSide(const VeloxaVar& v, int circuit, int passes, float nozzle) {
  Side side;
  side.circuit = circuit;
  side.density = v.MediumProp(kDensity, circuit);
  side.viscosity = v.MediumProp(kViscosity, circuit);
  side.passes = passes;
  side.nozzle = nozzle;
  return side;
}

Side sideA(const DesignState& s, const VeloxaVar& v) {
  return liquidSide(v, kCircuitA, RoundedPassesA(s), s.NozzleVelocityA);
}

// Circuit B as the flow split sees it: a vapour when MediumStateB says so.
Side splitSideB(const DesignState& s, const VeloxaVar& v) {
  Side side = liquidSide(v, kCircuitB, s.PassesB, s.NozzleVelocityB);
  if (v.circuitBCondenses()) {
    side.density = v.MediumProp(kVapourDensity, kCircuitB);
    side.vapour = true;
  }
  return side;
}

double portLoss(const DesignState& s, double density, double nozzleVelocity) {
  return s.ChkPortPd ? 1.5 * density * nozzleVelocity * nozzleVelocity / 2 : 0;
}

// v = G / 3600 / rho / A_c / n
bool storeVelocity(CheckedMath& m, float& target, double flow, double density, const ChannelKind& k, int channels) {
  return m.store(target, m.div(m.div(m.div(flow / 3600, density), k.section), channels));
}

// The pressure drop of one group during the split at group flow `flow`.
bool groupDrop(CheckedMath& m, DesignState& s, int slot, const ChannelKind& k, double flow, int channels,
               const Side& side, double& drop) {
  float& w = s.ChannelVelocity[static_cast<size_t>(slot)][static_cast<size_t>(side.circuit)];
  if (!storeVelocity(m, w, flow, side.density, k, channels)) return false;
  if (side.vapour) {
    drop = kVapourDropFactor * m.pow(w, kVapourDropExponent) * 1000;
    return m.ok();
  }
  float& re = s.ChannelRe[static_cast<size_t>(slot)][static_cast<size_t>(side.circuit)];
  float& eu = s.ChannelEu[static_cast<size_t>(slot)][static_cast<size_t>(side.circuit)];
  if (!m.store(re, m.div(static_cast<double>(w) * k.diameter * side.density, side.viscosity) * 1000)) return false;
  if (!m.store(eu, k.corr.Eu_c * m.rememberedPow(re, k.corr.Eu_m))) return false;
  drop = static_cast<double>(eu) * side.density * w * w * side.passes + portLoss(s, side.density, side.nozzle);
  return m.ok();
}

DropEstimator estimator(const DesignState& s, const ChannelKind& k, int channels, const Side& side) {
  const double port = side.vapour ? 0 : portLoss(s, side.density, side.nozzle);
  return DropEstimator(k, channels, side.density, side.viscosity, side.passes, port, side.vapour);
}

// Splits `total` between the groups until their pressure drops agree within
// 1 %: a bisection on the flow of the first group. Steps that estimates
// settle are not computed in full; the step that ends the split always is,
// so it leaves the groups' velocities, Re and Eu as a full bisection would.
bool splitCircuit(CheckedMath& m, DesignState& s, const ChannelKind& k1, const ChannelKind& k2, float total, int c1,
                  int c2, const Side& side) {
  const DropEstimator estimate1 = estimator(s, k1, c1, side), estimate2 = estimator(s, k2, c2, side);
  float g1 = static_cast<float>(0.5 * total);
  float step = total / 2;
  float deviation = 10;
  for (int i = 0; deviation > 0.01f; ++i) {
    if (i == kMaxSplitIterations) return false;
    const float g2 = total - g1;
    bool firstHigher = false;
    if (splitScreening && EstimatesSettleStep(estimate1.at(g1), estimate2.at(g2), firstHigher)) {
      step = step / 2;
      g1 = firstHigher ? g1 - step : g1 + step;
      continue;  // the deviation is surely above 1 %
    }
    double drop1 = 0, drop2 = 0;
    if (!groupDrop(m, s, 1, k1, g1, c1, side, drop1) || !groupDrop(m, s, 2, k2, g2, c2, side, drop2)) return false;
    step = step / 2;
    g1 = drop1 > drop2 ? g1 - step : g1 + step;
    if (!m.store(deviation, m.div(std::fabs(drop1 - drop2), drop2))) return false;
  }
  return true;
}

// The whole flow of each circuit in one group; the other group stands still.
// `channels` counts circuit A's channels per pass; circuit B has as many
// channels in all, spread over its own passes.
bool singleGroup(CheckedMath& m, DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int slot, short kindA,
                 short kindB, int channels) {
  if (!validIndex(kindA) || !validIndex(kindB)) return false;
  const Side a = sideA(s, v), b = splitSideB(s, v);
  const size_t used = static_cast<size_t>(slot), idle = static_cast<size_t>(3 - slot);
  if (!storeVelocity(m, s.ChannelVelocity[used][kCircuitA], v.UnitFlowA, a.density, kinds[static_cast<size_t>(kindA)],
                     channels))
    return false;
  if (!storeVelocity(m, s.ChannelVelocity[used][kCircuitB], v.UnitFlowB, b.density, kinds[static_cast<size_t>(kindB)],
                     ChannelsPerPassB(s, channels)))
    return false;
  s.ChannelVelocity[idle][kCircuitA] = 0;
  s.ChannelVelocity[idle][kCircuitB] = 0;
  return true;
}

// Re, Nu, h and Eu of one liquid circuit in group `slot`, and its pressure drop.
bool rateLiquid(CheckedMath& m, DesignState& s, const VeloxaVar& v, int slot, const ChannelKind& k, const Side& side,
                float exponent, float viscosityFactor, float& pressureDrop) {
  const size_t i = static_cast<size_t>(slot), c = static_cast<size_t>(side.circuit);
  const double w = s.ChannelVelocity[i][c];
  const double density = side.density;
  const double prandtl = v.MediumProp(kPrandtl, side.circuit);
  const double conductivity = v.MediumProp(kConductivity, side.circuit);
  if (!m.store(s.ChannelRe[i][c], m.div(w * k.diameter * density, side.viscosity) * 1000)) return false;
  const double re = s.ChannelRe[i][c];
  if (!m.store(s.ChannelNu[i][c], k.corr.Nu_c * m.pow(re, k.corr.Nu_m) * m.rememberedPow(prandtl, exponent) * viscosityFactor))
    return false;
  if (!m.store(s.FilmCoefficient[i][c], m.div(s.ChannelNu[i][c] * conductivity, k.diameter))) return false;
  if (!m.store(s.ChannelEu[i][c], k.corr.Eu_c * m.rememberedPow(re, k.corr.Eu_m))) return false;
  return m.store(pressureDrop, s.ChannelEu[i][c] * density * w * w * side.passes + portLoss(s, density, side.nozzle));
}

// A condensing circuit B: film coefficient of condensation from the liquid
// and vapour properties; Nu and Eu are not formed.
bool rateCondensing(CheckedMath& m, DesignState& s, const VeloxaVar& v, int slot, const ChannelKind& k) {
  const size_t i = static_cast<size_t>(slot);
  const double w = s.ChannelVelocity[i][kCircuitB];
  const double liquid = v.MediumProp(kDensity, kCircuitB);
  const double vapour = v.MediumProp(kVapourDensity, kCircuitB);
  const double mu = v.MediumProp(kViscosity, kCircuitB);
  const double lambda = v.MediumProp(kConductivity, kCircuitB);
  if (!m.store(s.ChannelRe[i][kCircuitB], m.div(w * k.diameter * vapour, mu) * 1000)) return false;
  const double re = s.ChannelRe[i][kCircuitB];
  const double group = m.div(lambda * lambda * lambda * liquid * (liquid - vapour) * 1e8, 9.8 * mu * mu);
  if (!m.store(s.FilmCoefficient[i][kCircuitB], kCondensing * m.pow(group, 1.0 / 3) * m.pow(re, -(1.0 / 3))))
    return false;
  return m.store(s.PressureDropB, kVapourDropFactor * m.pow(w, kVapourDropExponent) * 1000);
}

bool overallCoefficients(CheckedMath& m, DesignState& s, const VeloxaVar& v, int slot) {
  const size_t i = static_cast<size_t>(slot);
  const double resistance = m.div(1, s.FilmCoefficient[i][kCircuitA]) + m.div(s.PlateThicknessM, s.PlateConductivity) +
                            m.div(1, s.FilmCoefficient[i][kCircuitB]);
  if (!m.store(s.CleanU[i], m.div(1, resistance))) return false;
  return m.store(s.ServiceU[i], m.div(1, resistance + v.FoulingA + v.FoulingB));
}

bool storeMargin(CheckedMath& m, DesignState& s, const VeloxaVar& v, double heatCapacity) {
  if (!m.store(s.HeatCapacity, heatCapacity)) return false;
  return m.store(s.SurfaceMargin, m.div(s.HeatCapacity / 1000.0 - v.HeatLoad, v.HeatLoad) * 100);
}

}  // namespace

void DataClear(DesignState& s) {
  s.ChannelRe = {};
  s.FilmCoefficient = {};
  s.ChannelNu = {};
  s.ChannelEu = {};
  s.ChannelVelocity = {};
  s.CleanU = {};
  s.ServiceU = {};
}

bool ComputeNozzleVelocities(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds) {
  if (!validIndex(s.ChannelKindA1) || !validIndex(s.ChannelKindB1)) return false;
  const double dA = kinds[static_cast<size_t>(s.ChannelKindA1)].portIn / 1000.0 / 2;
  const double dB = kinds[static_cast<size_t>(s.ChannelKindB1)].portIn / 1000.0 / 2;
  const double rhoA = v.MediumProp(kDensity, kCircuitA);
  const double rhoB = v.MediumProp(v.circuitBCondenses() ? kVapourDensity : kDensity, kCircuitB);
  CheckedMath m;
  float a = 0, b = 0;
  if (!m.store(a, m.div(m.div(m.div(v.UnitFlowA / 3600.0, rhoA), dA * dA), kPi))) return false;
  if (!m.store(b, m.div(m.div(m.div(v.UnitFlowB / 3600.0, rhoB), dB * dB), kPi))) return false;
  s.NozzleVelocityA = a;
  s.NozzleVelocityB = b;
  return true;
}

bool NozzleVelocityOk(const DesignState& s, const DesignPresets& presets) {
  const float limitB = s.VapourOptionB ? presets.MaxNozzleVelocityGas : presets.MaxNozzleVelocityLiquid;
  return s.NozzleVelocityA <= presets.MaxNozzleVelocityLiquid && s.NozzleVelocityB <= limitB;
}

bool SplitFlows(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int c1, int c2) {
  CheckedMath m;
  if (c1 == 0) return singleGroup(m, s, v, kinds, 2, s.ChannelKindA2, s.ChannelKindB2, c2);
  if (c2 == 0) return singleGroup(m, s, v, kinds, 1, s.ChannelKindA1, s.ChannelKindB1, c1);
  if (!validIndex(s.ChannelKindA1) || !validIndex(s.ChannelKindA2) || !validIndex(s.ChannelKindB1) ||
      !validIndex(s.ChannelKindB2))
    return false;
  const auto kind = [&](short k) -> const ChannelKind& { return kinds[static_cast<size_t>(k)]; };
  return splitCircuit(m, s, kind(s.ChannelKindA1), kind(s.ChannelKindA2), v.UnitFlowA, c1, c2, sideA(s, v)) &&
         splitCircuit(m, s, kind(s.ChannelKindB1), kind(s.ChannelKindB2), v.UnitFlowB, c1, c2, splitSideB(s, v));
}

PrandtlExponents SetPrandtlExponents(const DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds) {
  // The cooled circuit gets 0.3, the heated one 0.4; on an asymmetric plate
  // the narrow side counts as the cooled one.
  bool aCooled = v.TinA > v.ToutA;
  if (kinds[1].plateKind == kAsymmetricPlate) aCooled = s.narrowInC1;
  PrandtlExponents n = aCooled ? PrandtlExponents{0.3f, 0.4f} : PrandtlExponents{0.4f, 0.3f};
  if (kinds[1].corr.Pr_c != 0) n.a = n.b = kinds[1].corr.Pr_c;
  return n;
}

namespace {
thread_local unsigned long long slotRatings = 0;
}

unsigned long long SlotRatingsDone() { return slotRatings; }

void ScreenSplitSteps(bool on) { splitScreening = on; }

bool RateSlot(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int slot, short kindA, short kindB) {
  ++slotRatings;
  if ((slot != 1 && slot != 2) || !validKind(kindA) || !validKind(kindB)) return false;
  const ChannelKind& kA = kinds[static_cast<size_t>(kindA)];
  const ChannelKind& kB = kinds[static_cast<size_t>(kindB)];
  const PrandtlExponents n = SetPrandtlExponents(s, v, kinds);
  s.ViscosityFactorA = s.Chkvc1 ? s.Txtvc1 : 1;
  s.ViscosityFactorB = s.Chkvc2 && !s.VapourOptionB ? s.Txtvc2 : 1;

  CheckedMath m;
  if (!rateLiquid(m, s, v, slot, kA, sideA(s, v), n.a, s.ViscosityFactorA, s.PressureDropA)) return false;
  if (s.VapourOptionB) {
    if (!rateCondensing(m, s, v, slot, kB)) return false;
  } else {
    // The liquid branch: the liquid density, whatever MediumStateB says.
    const Side b = liquidSide(v, kCircuitB, s.PassesB, s.NozzleVelocityB);
    if (!rateLiquid(m, s, v, slot, kB, b, n.b, s.ViscosityFactorB, s.PressureDropB)) return false;
  }
  return overallCoefficients(m, s, v, slot);
}

double SplitDropFloor(const DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int circuit, int channels) {
  // In a single group circuit B has its own channels per pass; a condensing
  // circuit B is rated by another drop than the split's.
  if (channels < 1 || RoundedPassesA(s) != s.PassesB) return 0;
  const bool b = circuit == kCircuitB;
  if (b && (v.circuitBCondenses() || s.VapourOptionB)) return 0;
  const short k1 = b ? s.ChannelKindB1 : s.ChannelKindA1, k2 = b ? s.ChannelKindB2 : s.ChannelKindA2;
  if (!validKind(k1) || !validKind(k2)) return 0;
  const Side side = b ? liquidSide(v, kCircuitB, s.PassesB, s.NozzleVelocityB) : sideA(s, v);
  const float flow = static_cast<float>((b ? v.UnitFlowB : v.UnitFlowA) / static_cast<double>(channels));
  double least = HUGE_VAL;
  for (const short index : {k1, k2}) {
    const ChannelKind& k = kinds[static_cast<size_t>(index)];
    // The argument needs a drop that grows with the flow, as every real plate's does.
    if (!(k.corr.Eu_m >= -1)) return 0;
    // The drop of one channel at the flow per channel, port loss included;
    // the estimate's bound makes it a lower bound of the full computation.
    const DropEstimate e = estimator(s, k, 1, side).at(flow);
    if (!e.usable || !(k.corr.Eu_c > 0)) return 0;
    least = std::min(least, e.drop - e.bound);
  }
  // Each group's drop is within 1 % of the other's when the split ends, and
  // the computed values stray from the exact ones by far less than 1e-4.
  const double floor = least / 1.0101 * (1 - 1e-4);
  return floor >= kSmallestFloor && floor <= kLargestFloor ? floor : 0;
}

bool ComputeWallTemperature(DesignState& s, const VeloxaVar& v, int slot) {
  if (slot != 1 && slot != 2) return false;
  const size_t i = static_cast<size_t>(slot);
  const double hA = s.FilmCoefficient[i][kCircuitA], hB = s.FilmCoefficient[i][kCircuitB];
  const double sumA = static_cast<double>(v.TinA) + v.ToutA;
  const double sumB = static_cast<double>(v.TinB) + v.ToutB;
  CheckedMath m;
  return m.store(s.WallTemperature, m.div(sumA * hA * 0.5 + sumB * hB * 0.5, hA + hB));
}

bool RateArrangement(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds) {
  const bool twoKinds = TwoKindItemSelected(s, kinds[1].plateKind);
  const int c1 = s.FirstKindCount;
  // A second count left in the field means nothing to a single-kind
  // arrangement: no group would take that part of the flow.
  const int c2 = twoKinds ? s.SecondKindCount : 0;
  if (c1 == 0 && c2 == 0) return false;
  if (!SplitFlows(s, v, kinds, c1, c2)) return false;
  if (c1 != 0 && !RateSlot(s, v, kinds, 1, s.ChannelKindA1, s.ChannelKindB1)) return false;
  if (c2 != 0 && !RateSlot(s, v, kinds, 2, s.ChannelKindA2, s.ChannelKindB2)) return false;
  if (!ComputeWallTemperature(s, v, c1 != 0 ? 1 : 2)) return false;
  return GroupAreas(s, kinds);
}

double TransferConductance(const DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds) {
  double ua = static_cast<double>(s.GroupArea[1]) * s.ServiceU[1];
  if (TwoKindItemSelected(s, kinds[1].plateKind)) ua += static_cast<double>(s.GroupArea[2]) * s.ServiceU[2];
  return ua * v.ParallelUnits;
}

bool HeatCapacityAndMargin(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds) {
  const double q = static_cast<double>(v.Lmtd) * s.F * TransferConductance(s, v, kinds);
  CheckedMath m;
  return storeMargin(m, s, v, q);
}

bool RateSingleKindTrial(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int c) {
  if (!SplitFlows(s, v, kinds, c, 0)) return false;
  if (!RateSlot(s, v, kinds, 1, s.ChannelKindA1, s.ChannelKindB1)) return false;
  if (!ComputeWallTemperature(s, v, 1)) return false;
  CheckedMath m;
  if (!m.store(s.GroupArea[1], (2.0 * c * s.PassesA - 1) * kinds[1].plateArea)) return false;
  return storeMargin(m, s, v, static_cast<double>(v.Lmtd) * s.GroupArea[1] * s.ServiceU[1] * s.F * v.ParallelUnits);
}

bool RateSplitTrial(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int c1, int c2) {
  if (!SplitFlows(s, v, kinds, c1, c2)) return false;
  if (c1 != 0 && !RateSlot(s, v, kinds, 1, s.ChannelKindA1, s.ChannelKindB1)) return false;
  if (c2 != 0 && !RateSlot(s, v, kinds, 2, s.ChannelKindA2, s.ChannelKindB2)) return false;
  if (!ComputeWallTemperature(s, v, c1 != 0 ? 1 : 2)) return false;
  if (!TwoKindGroupAreas(s, kinds, c1, c2, 1, 1)) return false;
  const double both =
      static_cast<double>(s.GroupArea[1]) * s.ServiceU[1] + static_cast<double>(s.GroupArea[2]) * s.ServiceU[2];
  CheckedMath m;
  return storeMargin(m, s, v, static_cast<double>(v.Lmtd) * s.F * v.ParallelUnits * both);
}

}  // namespace vx
