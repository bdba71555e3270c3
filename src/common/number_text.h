#pragma once
// The number text rules every window uses: reading a number from a field,
// writing one with a display pattern, and the plain "Str" form.
#include <string>

namespace vx {

// The value of a text: blanks ignored, the longest leading decimal number
// (sign, digits, one ".", exponent) taken, the rest ignored; 0 when the text
// starts with no number or the number overflows.
double Val(const std::string& text);

// Writes a value with a display pattern made of "#", "0" and ".":
// "0" digits always shown, "#" digits only when significant, rounding half
// away from zero, every integer digit shown, the "." always written, "#"
// decimals without trailing zeros. 100 with "0.##" gives "100.", 0.5 with
// "###.#" gives ".5", 0 with "####.#" gives ".".
std::string Format(double value, const std::string& pattern);

// The plain text of a single-precision value: up to 7 significant digits,
// a leading blank when >= 0, no trailing zeros, no "." for whole numbers and
// no "0" before the "." (0.5 gives " .5", -3.25 gives "-3.25").
std::string Str(float value);
// The same for a double-precision value, with up to 15 significant digits.
std::string StrDouble(double value);

// A number converted to text without a pattern, as a list cell or a computed
// field shows it: the Str form without its leading blank and with a "0"
// before a leading point (0.5 gives "0.5", 12 gives "12").
std::string PlainNumber(float value);
// The shortest decimal text that reads back to the same single-precision
// value: 1/3 gives "0.33333334".
std::string ShortestText(float value);
std::string PlainNumber(double value);

// Scientific notation with five decimals and an exponent of at least two
// digits: "0.00000E+00" writes the exponent's sign always (654321 gives
// "6.54321E+05"), "0.00000E-00" only when negative (1200 gives "1.20000E03").
std::string FormatExponent(double value, bool exponentPlus);

}  // namespace vx
