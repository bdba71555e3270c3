#include "exchanger/split_estimate.h"

#include <cmath>

namespace vx {

namespace {

// The full computation rounds the velocity, Re and Eu to single precision and
// takes a correctly rounded double power; powf is within one single-precision
// unit. Together that is well under 1e-6 of the drop for exponents up to 4;
// the bound allows ten times more. Larger exponents are computed in full.
constexpr double kRelativeBound = 1e-5;
constexpr double kLargestScreenedExponent = 4;
// Velocities, Re and drops outside this range are computed in full, so that
// an estimate never hides an overflow or a zero the full computation meets.
constexpr double kSmallest = 1e-20, kLargest = 1e20;

bool inRange(double x) { return x >= kSmallest && x <= kLargest; }

}  // namespace

DropEstimator::DropEstimator(const ChannelKind& k, int channels, double density, double viscosity, int passes,
                             double portLoss, bool vapour)
    : portLoss_(portLoss), vapour_(vapour) {
  perFlow_ = 1 / (3600 * density * k.section * channels);
  rePerVelocity_ = k.diameter * density / viscosity * 1000;
  euFactor_ = vapour ? kVapourDropFactor * 1000 : k.corr.Eu_c * density * passes;
  exponent_ = vapour ? static_cast<float>(kVapourDropExponent) : k.corr.Eu_m;
  screened_ = inRange(perFlow_) && inRange(euFactor_) && (vapour || inRange(rePerVelocity_)) &&
              std::fabs(exponent_) <= kLargestScreenedExponent && portLoss >= 0 && std::isfinite(portLoss);
}

DropEstimate DropEstimator::at(float flow) const {
  DropEstimate e;
  if (!screened_) return e;
  const double w = flow * perFlow_;
  if (!inRange(w)) return e;
  double term = 0;
  if (vapour_) {
    term = euFactor_ * powf(static_cast<float>(w), exponent_);
  } else {
    const double re = w * rePerVelocity_;
    if (!inRange(re)) return e;
    term = euFactor_ * powf(static_cast<float>(re), exponent_) * w * w;
  }
  if (!inRange(term)) return e;
  e.drop = term + portLoss_;
  e.bound = term * kRelativeBound * (1 + std::fabs(exponent_));
  e.usable = std::isfinite(e.drop);
  return e;
}

bool EstimatesSettleStep(const DropEstimate& first, const DropEstimate& second, bool& firstHigher) {
  if (!first.usable || !second.usable) return false;
  const double spread = first.bound + second.bound;
  const double apart = std::fabs(first.drop - second.drop);
  // The full step goes on when its deviation, |drop1 - drop2| / drop2 in
  // single precision, is above 0.01; a margin keeps clear of that rounding.
  const double least = (apart - spread) / (second.drop + second.bound);
  const double most = (apart + spread) / (second.drop - second.bound);
  if (!(least > 0.0101) || !(most < kLargest)) return false;
  firstHigher = first.drop > second.drop;
  return true;
}

}  // namespace vx
