#include "exchanger/ntu.h"

#include <algorithm>
#include <cmath>

#include "exchanger/correction.h"

namespace vx {

namespace {

// Terminal differences of the hot side over the cold side, both positive
// while the temperatures do not cross.
struct Terminals {
  double d1 = 0, d2 = 0;
};

Terminals terminals(const NtuInputs& in, double t1o, double t2o) {
  const double sign = in.TinA >= in.TinB ? 1 : -1;
  if (in.counterCurrent) return {sign * (in.TinA - t2o), sign * (t1o - in.TinB)};
  return {sign * (static_cast<double>(in.TinA) - in.TinB), sign * (t1o - t2o)};
}

double logMean(Terminals t) {
  if (!(t.d1 > 0) || !(t.d2 > 0)) return 0;
  if (t.d1 == t.d2) return t.d1;
  return (t.d1 - t.d2) / std::log(t.d1 / t.d2);
}

struct Balance {
  double qa = 0, qx = 0;  // kW
  bool factorFormed = false;
  float t1o = 0, t2o = 0;
};

// Circuit A's heat and the exchanger's transfer when circuit A changes by
// `change` K towards circuit B's inlet.
Balance balanceAt(const NtuInputs& in, double change) {
  const double sign = in.TinA >= in.TinB ? 1 : -1;
  const double capacityA = static_cast<double>(in.FlowA) * in.cpA / 3600;  // kW/K
  const double capacityB = static_cast<double>(in.FlowB) * in.cpB / 3600;
  Balance b;
  b.t1o = static_cast<float>(in.TinA - sign * change);
  b.qa = std::fabs(static_cast<double>(in.TinA) - b.t1o) * capacityA;
  b.t2o = static_cast<float>(in.TinB + sign * b.qa / capacityB);
  const CorrectionFactor f = DTcorrect(in.TinA, b.t1o, in.TinB, b.t2o, in.txtPass1, in.txtPass2, in.lmtdC, in.cvdt);
  b.factorFormed = !f.failed;
  b.qx = f.failed ? 0 : in.ua * f.value * logMean(terminals(in, b.t1o, b.t2o)) / 1000;
  return b;
}

}  // namespace

double TransferredHeat(const NtuInputs& in, float t1o, float t2o) {
  const CorrectionFactor f = DTcorrect(in.TinA, t1o, in.TinB, t2o, in.txtPass1, in.txtPass2, in.lmtdC, in.cvdt);
  if (f.failed) return 0;
  return in.ua * f.value * logMean(terminals(in, t1o, t2o)) / 1000;
}

NtuResult SolveOutletTemperatures(const NtuInputs& in) {
  NtuResult r;
  const double capacityA = static_cast<double>(in.FlowA) * in.cpA;
  const double capacityB = static_cast<double>(in.FlowB) * in.cpB;
  const double spread = std::fabs(static_cast<double>(in.TinA) - in.TinB);
  if (!(capacityA > 0) || !(capacityB > 0) || !(in.ua > 0) || !(spread > 0) || !std::isfinite(in.ua)) return r;
  // The largest change of circuit A: counter-current until one outlet
  // reaches the other circuit's inlet, co-current until the outlets meet.
  const double ratio = capacityB / capacityA;
  double low = 0;
  double high = in.counterCurrent ? spread * std::min(1.0, ratio) : spread * ratio / (1 + ratio);
  // Transfer exceeds circuit A's heat below the answer and falls short above
  // it (at `high` the mean difference is 0). Bisection to 1e-4 K.
  bool moved = false;
  for (int i = 0; i < 200 && high - low > 1e-4; ++i) {
    const double middle = (low + high) / 2;
    const Balance b = balanceAt(in, middle);
    ++r.evaluations;
    if (b.qx > b.qa) {
      low = middle;
      moved = true;
    } else {
      high = middle;
    }
  }
  // Where the factor cannot be formed nothing counts as transferred. The 1-2
  // factor falls to 0 at the edge of its range, so the balance may lie just
  // inside it; a balance needs transfer exceeding circuit A's heat on the
  // low side of the bracket.
  const Balance atLow = balanceAt(in, low);
  ++r.evaluations;
  if (!moved || !atLow.factorFormed) return r;
  const Balance& answer = atLow;
  if (!std::isfinite(answer.qa) || !std::isfinite(answer.t2o)) return r;
  r.converged = true;
  r.t1o = answer.t1o;
  r.t2o = answer.t2o;
  r.heat = answer.qa;
  return r;
}

}  // namespace vx
