#pragma once
// The NTU answer put to the check: its outlet temperatures rated by the
// check command's own correction factor and heat capacity with the exchanger
// the NTU command rated. The guide's validation
// table and the tests both read it from here.
#include <string>

#include "app/session.h"

namespace vx {

struct NtuConsistency {
  bool ran = false;          // the NTU window showed an answer
  int message = 0;           // the message shown instead, if any
  float t1o = 0, t2o = 0;    // the answer's outlets, C
  double shownHeat = 0;      // kW, all units: the window's unit heat load times the units
  double checkedHeat = 0;    // kW, all units: what the check rates at t1o and t2o
  double deviationPercent() const { return checkedHeat == 0 ? 0 : (shownHeat - checkedHeat) / checkedHeat * 100; }
};

// Runs the design window's NTU command as it stands and checks its answer.
NtuConsistency RunNtuAndCheck(Session& session);

// The duty the guide and the tests use: water A 30,000 kg/h 95 -> 65 C,
// water B 40 C in, its flow from the balance to `toutB`, then given with the
// outlet free; model `model` with `plates` plates and passes passA/passB.
// False when the balance or the design window refuses.
bool SetUpNtuDuty(Session& session, const std::string& model, const std::string& plates, const std::string& passA,
                  const std::string& passB, bool coCurrent, const std::string& toutB);

}  // namespace vx
