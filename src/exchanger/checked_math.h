#pragma once
// Double-precision arithmetic that records a failure (division by zero,
// logarithm of a non-positive number, an infinite or undefined result)
// instead of carrying infinity or NaN into a stored value.
#include <cmath>

#include "exchanger/remembered_pow.h"

namespace vx {

class CheckedMath {
 public:
  bool ok() const { return ok_; }

  double div(double a, double b) {
    if (b == 0) return fail();
    return finite(a / b);
  }
  double pow(double x, double y) { return finite(std::pow(x, y)); }
  // The same, for powers that trials repeat with the same arguments.
  double rememberedPow(double x, double y) { return finite(RememberedPow(x, y)); }
  double log(double x) {
    if (!(x > 0)) return fail();
    return finite(std::log(x));
  }
  double sqrt(double x) {
    if (!(x >= 0)) return fail();
    return finite(std::sqrt(x));
  }

  // Stores `value` as single precision unless the computation failed or the
  // value does not fit; the target keeps its old value then.
  bool store(float& target, double value) {
    const float f = static_cast<float>(value);
    if (!ok_ || !std::isfinite(value) || !std::isfinite(f)) {
      ok_ = false;
      return false;
    }
    target = f;
    return true;
  }

 private:
  double fail() {
    ok_ = false;
    return 0;
  }
  double finite(double r) { return std::isfinite(r) ? r : fail(); }

  bool ok_ = true;
};

}  // namespace vx
