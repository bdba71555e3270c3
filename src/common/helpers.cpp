#include "common/helpers.h"

#include <cmath>

#include "common/number_text.h"

namespace vx {

int KeyFilter(int key, int mode) {
  const bool digit = key >= '0' && key <= '9';
  const bool back = key == kBackSpace;
  switch (mode) {
    case 0:
      return (back || digit) ? key : 0;
    case 1:
      return (back || digit || key == '-') ? key : 0;
    case 2:
      return (back || digit || key == '-' || key == '.') ? key : 0;
    case 3:
      return (back || digit || key == '.') ? key : 0;
    default:
      return key;
  }
}

float MaxValue(float a, float b) { return a >= b ? a : b; }

float Interpolate(float x1, float x2, float y1, float y2, float x) {
  if (x1 == x2) return y1;
  return y1 + (y2 - y1) / (x2 - x1) * (x - x1);
}

static float roundThree(float v) { return static_cast<float>(std::floor(v * 1000.0f + 0.5f) / 1000.0f); }

float Interpolate3(float x1, float x2, float x3, float y1, float y2, float y3, float x) {
  if (x1 == x2 || x1 == x3 || x2 == x3) {
    // Fall back on the two distinct points (or the one point).
    if (x1 != x2) return roundThree(Interpolate(x1, x2, y1, y2, x));
    if (x1 != x3) return roundThree(Interpolate(x1, x3, y1, y3, x));
    return roundThree(y1);
  }
  float v = (x - x2) * (x - x3) / ((x1 - x2) * (x1 - x3)) * y1 +
            (x - x1) * (x - x3) / ((x2 - x1) * (x2 - x3)) * y2 +
            (x - x1) * (x - x2) / ((x3 - x1) * (x3 - x2)) * y3;
  return roundThree(v);
}

std::string FormatProp(float value) { return value != 0 ? Format(value, "0.###") : std::string(); }

}  // namespace vx
