#pragma once
// Small shared helpers: the numeric key filter, the larger of two values,
// linear and three-point interpolation, and property text.
#include <string>

namespace vx {

inline constexpr int kBackSpace = 8;

// The key code when `key` is allowed in `mode`, else 0 (the key is swallowed).
// Mode 0: Back Space and digits; 1: also "-"; 2: also "-" and "."; 3: also
// "." but not "-"; any other mode: every key.
int KeyFilter(int key, int mode);

// a when a >= b, else b.
float MaxValue(float a, float b);

// Linear interpolation; y1 when x1 = x2, so it never divides by zero.
float Interpolate(float x1, float x2, float y1, float y2, float x);

// Quadratic (Lagrange) interpolation through three points, rounded to three
// decimals, halves upward. Two equal abscissae would divide by zero: then the
// distinct points are interpolated linearly (one point: its value).
float Interpolate3(float x1, float x2, float x3, float y1, float y2, float y3, float x);

// A property value for the property window: "0.###", empty for 0.
std::string FormatProp(float value);

}  // namespace vx
