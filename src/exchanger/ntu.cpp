#include "exchanger/ntu.h"

#include <cmath>

namespace vx {

NtuResult SolveOutletTemperatures(const NtuInputs& in) {
  NtuResult r;
  const float step = 0.1f;
  float qx = static_cast<float>(1.2 * in.HeatCapacity / 1000);
  float qa = static_cast<float>(in.HeatCapacity / 1000.0);
  float t1o = in.ToutA, t2o = in.ToutB;
  if (in.cpB == 0 || in.FlowB == 0) return r;
  for (int n = 0; n < 1001; ++n) {
    if (qa == 0) return r;
    const float deviation = static_cast<float>(std::fabs((static_cast<double>(qx) - qa) / qa * 100));
    if (!std::isfinite(deviation)) return r;
    if (deviation <= 1) {
      r.converged = true;
      r.t1o = t1o;
      r.t2o = t2o;
      r.moves = n;
      return r;
    }
    // More transfer than circuit A gives up: move the outlet away from the inlet.
    const bool away = qx > qa;
    if (in.TinA > t1o) t1o = away ? t1o - step : t1o + step;
    else t1o = away ? t1o + step : t1o - step;
    qa = static_cast<float>(std::fabs(static_cast<double>(in.TinA) - t1o) * in.FlowA * in.cpA / 3600);
    const double rise = static_cast<double>(qa) / in.cpB * 3600 / in.FlowB;
    t2o = static_cast<float>(in.TinA >= in.ToutA ? in.TinB + rise : in.TinB - rise);
    float d1, d2;
    bool distinct;
    if (in.counterCurrent) {
      d1 = static_cast<float>(static_cast<double>(in.TinA) - t2o);
      d2 = static_cast<float>(static_cast<double>(t1o) - in.TinB);
      distinct = t1o != in.TinB;
    } else {
      d1 = static_cast<float>(static_cast<double>(in.TinA) - in.TinB);
      d2 = static_cast<float>(static_cast<double>(t1o) - t2o);
      distinct = t1o != t2o;
    }
    double dtm;
    if (d1 != d2 && distinct) {
      // A temperature cross (differences of opposite sign) cannot be rated.
      if (d2 == 0 || static_cast<double>(d1) / d2 <= 0) return r;
      dtm = std::fabs((static_cast<double>(d1) - d2) / std::log(static_cast<double>(d1) / d2));
    } else {
      dtm = std::fabs(static_cast<double>(d1) + d2) / 2;
    }
    qx = static_cast<float>(dtm * in.ServiceU1 * in.GroupArea1 * in.ParallelUnits / 1000);
    if (!std::isfinite(qx) || !std::isfinite(t2o)) return r;
  }
  return r;
}

}  // namespace vx
