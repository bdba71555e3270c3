#pragma once
// The correction factor F of the logarithmic mean temperature difference for
// a deviation from pure counter-current flow, and how the design window's
// commands obtain it, show it in `cvdt` and read it back.
#include <string>

#include "common/veloxa_var.h"
#include "exchanger/design_state.h"

namespace vx {

struct CorrectionFactor {
  float value = 1;
  bool failed = false;  // no factor can be formed: the check shows 472
};

// The factor for inlet/outlet temperatures t1/t2 of circuit A and t3/t4 of
// circuit B (C): the typed value when lmtdC is set, 0.967 when the two pass
// texts are equal, else the factor of one shell pass and two tube passes.
// Fails for t4 = t3, t1 = t3, equal temperature changes on both sides and
// whenever the formula has no finite value.
CorrectionFactor DTcorrect(float t1, float t2, float t3, float t4, const std::string& txtPass1,
                           const std::string& txtPass2, bool lmtdC, const std::string& cvdt);

// The check and NTU commands: unless LmtdC is set, writes DTcorrect into
// cvdt ("0.##"); F = Val(cvdt). False when the factor fails: the command
// shows 472 and stops (cvdt then shows the factor 1, "1.").
[[nodiscard]] bool CorrectForCheck(DesignState& s, const VeloxaVar& v, const std::string& txtPass1,
                                   const std::string& txtPass2);

// The design searches: the same without the failure test (F = 1 then). Its
// inputs do not change during a search, so one call before the search gives
// every trial its F.
void CorrectForDesign(DesignState& s, const VeloxaVar& v, const std::string& txtPass1, const std::string& txtPass2);

// The precondition on the shown factor: 536 when it is above 1, below 0.7
// or not a number at all; else 0.
int CorrectionFactorCheck(const std::string& cvdt);

}  // namespace vx
