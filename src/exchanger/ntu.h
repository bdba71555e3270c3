#pragma once
// The outlet temperatures of a given exchanger by the NTU method: the heat
// circuit A gives up must equal what the rated exchanger transfers at the
// resulting terminal temperatures, with the correction factor the check
// command would use there. The rating (U and area) is that of the design
// temperatures; only the temperatures move.
#include <string>

namespace vx {

struct NtuInputs {
  float TinA = 0, TinB = 0;  // C
  float FlowA = 0, FlowB = 0;  // kg/h, all units together
  float cpA = 0, cpB = 0;      // kJ/(kg K)
  // W/K: ServiceU times area of every channel group the check counts, times
  // the parallel units.
  double ua = 0;
  bool counterCurrent = true;
  // The correction factor as the check forms it: the pass texts, the lock
  // and the locked value.
  std::string txtPass1 = "1", txtPass2 = "1";
  bool lmtdC = false;
  std::string cvdt;
};

struct NtuResult {
  bool converged = false;  // false: no outlet temperatures balance the heat
  float t1o = 0, t2o = 0;  // outlet temperatures of circuits A and B
  double heat = 0;         // kW, all units together
  int evaluations = 0;     // heat balances tried
};

// What the exchanger transfers (kW) between terminal temperatures tinA ->
// t1o and tinB -> t2o: ua times the correction factor times the mean
// temperature difference; 0 where the factor cannot be formed or the
// terminal differences vanish or cross.
double TransferredHeat(const NtuInputs& in, float t1o, float t2o);

// The circuit A outlet is bracketed between the inlet (no heat) and the
// temperature at which a terminal difference vanishes, and bisected to
// well within 0.01 K.
NtuResult SolveOutletTemperatures(const NtuInputs& in);

}  // namespace vx
