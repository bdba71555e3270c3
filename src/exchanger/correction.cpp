#include "exchanger/correction.h"

#include <cmath>
#include <cstdlib>

#include "common/number_text.h"
#include "exchanger/checked_math.h"

namespace vx {

namespace {

constexpr float kEqualPassesFactor = 0.967f;

CorrectionFactor failure() { return {1, true}; }

// The text as a whole is a number (blanks around it allowed).
bool wholeNumber(const std::string& text, double& value) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return false;
  const size_t last = text.find_last_not_of(" \t");
  const std::string core = text.substr(first, last - first + 1);
  char* end = nullptr;
  value = std::strtod(core.c_str(), &end);
  return end == core.c_str() + core.size() && std::isfinite(value);
}

// Shows the factor as the window does and takes F back from the shown text,
// so every heat capacity uses the factor rounded to two decimals.
void show(DesignState& s, float factor) {
  s.cvdt = Format(factor, "0.##");
  s.F = static_cast<float>(Val(s.cvdt));
}

}  // namespace

CorrectionFactor DTcorrect(float t1, float t2, float t3, float t4, const std::string& txtPass1,
                           const std::string& txtPass2, bool lmtdC, const std::string& cvdt) {
  if (lmtdC) return {static_cast<float>(Val(cvdt)), false};
  if (txtPass1 == txtPass2) return {kEqualPassesFactor, false};
  const double dB = static_cast<double>(t4) - t3;
  const double dHot = static_cast<double>(t1) - t3;
  if (dB == 0 || dHot == 0) return failure();
  const double r = (static_cast<double>(t1) - t2) / dB;
  const double p = dB / dHot;
  if (r == 1) return failure();
  CheckedMath m;
  const double s = m.sqrt(r * r + 1);
  const double numerator = m.log(m.div(1 - p, 1 - p * r));
  const double denominator = m.log(m.div(2 - p * (r + 1 - s), 2 - p * (r + 1 + s)));
  const double f = m.div(s, r - 1) * m.div(numerator, denominator);
  float value = 1;
  if (!m.store(value, f)) return failure();
  return {value, false};
}

bool CorrectForCheck(DesignState& s, const VeloxaVar& v, const std::string& txtPass1, const std::string& txtPass2) {
  if (s.LmtdC) {
    s.F = static_cast<float>(Val(s.cvdt));
    return true;
  }
  const CorrectionFactor f = DTcorrect(v.TinA, v.ToutA, v.TinB, v.ToutB, txtPass1, txtPass2, false, s.cvdt);
  show(s, f.value);
  return !f.failed;
}

void CorrectForDesign(DesignState& s, const VeloxaVar& v, const std::string& txtPass1, const std::string& txtPass2) {
  (void)CorrectForCheck(s, v, txtPass1, txtPass2);
}

int CorrectionFactorCheck(const std::string& cvdt) {
  double number = 0;
  if (!wholeNumber(cvdt, number)) return 536;
  return Val(cvdt) > 1 || number < 0.7 ? 536 : 0;
}

}  // namespace vx
