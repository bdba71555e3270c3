#include "common/number_text.h"

#include <charconv>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vx {

double Val(const std::string& text) {
  std::string s;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') s += c;
  size_t i = 0;
  std::string num;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) num += s[i++];
  bool digits = false;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
    num += s[i++];
    digits = true;
  }
  if (i < s.size() && s[i] == '.') {
    num += s[i++];
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
      num += s[i++];
      digits = true;
    }
  }
  if (!digits) return 0;
  // An exponent counts only when digits follow it.
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    std::string exp = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
    size_t start = j;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) exp += s[j++];
    if (j > start) num += exp;
  }
  double v = std::strtod(num.c_str(), nullptr);
  return std::isfinite(v) ? v : 0.0;
}

namespace {

// Rounds |value| to `decimals` places, half away from zero, after reducing it
// to 15 significant decimal digits (so 2.675 rounds as written, not as stored).
// Returns the integer digits (no leading zeros, may be empty) and the decimals.
void roundDecimal(double value, int decimals, std::string& intDigits, std::string& fracDigits) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  std::string mant;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p != '.') mant += *p;
  int exp = *p == 'e' ? std::atoi(p + 1) : 0;
  int point = exp + 1;  // digits before the point
  std::string s = mant;
  if (point <= 0) {
    s = std::string(static_cast<size_t>(1 - point), '0') + s;
    point = 1;
  }
  size_t need = static_cast<size_t>(point + decimals + 1);
  if (s.size() < need) s.append(need - s.size(), '0');
  size_t keep = static_cast<size_t>(point + decimals);
  bool up = s[keep] >= '5';
  s.resize(keep);
  if (up) {
    int k = static_cast<int>(keep) - 1;
    while (k >= 0) {
      if (s[static_cast<size_t>(k)] == '9') {
        s[static_cast<size_t>(k)] = '0';
        --k;
      } else {
        ++s[static_cast<size_t>(k)];
        break;
      }
    }
    if (k < 0) {
      s = "1" + s;
      ++point;
    }
  }
  intDigits = s.substr(0, static_cast<size_t>(point));
  fracDigits = s.substr(static_cast<size_t>(point));
  size_t nz = intDigits.find_first_not_of('0');
  intDigits = nz == std::string::npos ? "" : intDigits.substr(nz);
}

}  // namespace

std::string Format(double value, const std::string& pattern) {
  if (!std::isfinite(value)) value = 0;
  size_t dot = pattern.find('.');
  std::string intPattern = pattern.substr(0, dot);
  std::string fracPattern = dot == std::string::npos ? "" : pattern.substr(dot + 1);
  std::string intDigits, fracDigits;
  roundDecimal(value, static_cast<int>(fracPattern.size()), intDigits, fracDigits);

  // Integer part: at least as many digits as there are "0" placeholders.
  size_t zeros = 0;
  for (char c : intPattern)
    if (c == '0') ++zeros;
  if (intDigits.size() < zeros) intDigits = std::string(zeros - intDigits.size(), '0') + intDigits;

  // Decimals: "#" places drop trailing zeros, "0" places keep them.
  size_t len = fracDigits.size();
  while (len > 0 && fracPattern[len - 1] == '#' && fracDigits[len - 1] == '0') --len;
  fracDigits.resize(len);

  bool zero = intDigits.find_first_not_of('0') == std::string::npos &&
              fracDigits.find_first_not_of('0') == std::string::npos;
  std::string out = (value < 0 && !zero) ? "-" : "";
  out += intDigits;
  if (dot != std::string::npos) out += "." + fracDigits;
  return out;
}

static std::string strForm(double value, int digits) {
  if (value == 0 || !std::isfinite(value)) return " 0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*G", digits, value);
  std::string s = buf;
  // "%G" keeps a zero before the point and writes "E+07"; drop the zero.
  std::string sign = " ";
  if (s[0] == '-') {
    sign = "-";
    s.erase(0, 1);
  }
  if (s.size() > 1 && s[0] == '0' && s[1] == '.') s.erase(0, 1);
  return sign + s;
}

static std::string plainForm(std::string s) {
  if (!s.empty() && s[0] == ' ') s.erase(0, 1);
  if (s.rfind(".", 0) == 0) s = "0" + s;
  if (s.rfind("-.", 0) == 0) s.insert(1, "0");
  return s;
}

std::string Str(float value) { return strForm(static_cast<double>(value), 7); }
std::string StrDouble(double value) { return strForm(value, 15); }

std::string PlainNumber(float value) { return plainForm(Str(value)); }
std::string PlainNumber(double value) { return plainForm(StrDouble(value)); }

std::string ShortestText(float value) {
  char buf[32];
  const auto written = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, written.ptr);
}

std::string FormatExponent(double value, bool exponentPlus) {
  if (!std::isfinite(value)) value = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.5E", value);
  std::string s = buf;
  size_t e = s.find('E');
  std::string mantissa = s.substr(0, e);
  int exponent = std::atoi(s.c_str() + e + 1);
  std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
  if (digits.size() < 2) digits = "0" + digits;
  std::string sign = exponent < 0 ? "-" : exponentPlus ? "+" : "";
  return mantissa + "E" + sign + digits;
}

}  // namespace vx
