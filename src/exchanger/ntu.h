#pragma once
// The outlet temperatures of a given exchanger by the NTU method: the
// circuit A outlet is moved in steps of 0.1 K until the heat circuit A gives
// up matches what the exchanger transfers at the resulting mean temperature
// difference.
namespace vx {

struct NtuInputs {
  float TinA = 0, ToutA = 0, TinB = 0, ToutB = 0;  // C
  float FlowA = 0, FlowB = 0;                      // kg/h, all units together
  float cpA = 0, cpB = 0;                          // kJ/(kg K)
  float HeatCapacity = 0;                          // W, from the rating at the design temperatures
  float ServiceU1 = 0;                             // W/(m2 K), first channel group
  float GroupArea1 = 0;                            // m2, first channel group
  float ParallelUnits = 1;
  bool counterCurrent = true;
};

struct NtuResult {
  bool converged = false;  // false: no convergence in 1001 tests, or an arithmetic failure
  float t1o = 0, t2o = 0;  // outlet temperatures of circuits A and B
  int moves = 0;
};

NtuResult SolveOutletTemperatures(const NtuInputs& in);

}  // namespace vx
