#pragma once
// Quick estimates of a channel group's pressure drop for the bisection of the
// flow split. Most bisection steps are far from both decisions a step makes
// (which group has the higher drop, and whether the drops agree within 1 %),
// so a single-precision power settles them; a step close to either decision,
// and the step that ends the split, is computed in full. The bound on each
// estimate covers every rounding of the full computation, so the split ends
// at the very same flows as a split computed in full at every step.
#include "exchanger/catalogue.h"

namespace vx {

// The pressure drop of a condensing vapour: factor x w^exponent kPa.
inline constexpr double kVapourDropFactor = 0.7567;
inline constexpr double kVapourDropExponent = 0.9646;

struct DropEstimate {
  bool usable = false;  // false: compute this step in full
  double drop = 0;      // Pa
  double bound = 0;     // the full computation is within drop +- bound
};

class DropEstimator {
 public:
  // A group of `channels` channels of kind `k` carrying a circuit of the
  // given density (kg/m3) and viscosity (cP) through `passes` passes, plus
  // the port loss (Pa); `vapour`: the drop of a condensing vapour.
  DropEstimator(const ChannelKind& k, int channels, double density, double viscosity, int passes, double portLoss,
                bool vapour);

  // The estimate at group flow `flow` (kg/h).
  DropEstimate at(float flow) const;

 private:
  double perFlow_ = 0;      // channel velocity per unit of group flow
  double rePerVelocity_ = 0;
  double euFactor_ = 0;     // Eu_c x density x passes
  float exponent_ = 0;      // Eu_m, or the vapour exponent
  double portLoss_ = 0;
  bool vapour_ = false;
  bool screened_ = false;   // false: every step in full
};

// Whether the two estimates settle a bisection step that goes on: the drops
// surely disagree by more than 1 %. `firstHigher` then tells which is higher.
bool EstimatesSettleStep(const DropEstimate& first, const DropEstimate& second, bool& firstHigher);

}  // namespace vx
