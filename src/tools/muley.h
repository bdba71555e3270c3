#pragma once
// The corrugated plate geometry window: the Nusselt number and the pressure
// drops of one chevron-plate channel for water at fixed properties, by the
// correlations of Muley and Manglik (1999).
#include <array>
#include <optional>
#include <string>

#include "common/window_model.h"

namespace vx {

struct MuleyInputs {
  double channelLength = 0;      // Lp, mm
  double corrugationDepth = 0;   // Cd, mm
  double chevronAngle = 0;       // beta, degrees
  double enlargement = 0;        // phi
  double velocity = 0;           // w, m/s
};

struct MuleyResult {
  double hydraulicDiameter = 0;  // m, 2 Cd
  double reynolds = 0;
  float nusselt = 0;
  double friction = 0;           // Fanning
  float channelDrop = 0;         // kPa
  float portDrop = 0;            // kPa, 1.5 velocity heads
};

// Water at the window's fixed state.
inline constexpr double kMuleyDensity = 983;     // kg/m3
inline constexpr double kMuleyViscosity = 0.47;  // mPa s
inline constexpr double kMuleyPrandtl = 2.98;

// nullopt when an input is not positive (no friction factor at w = 0) or a
// result is not positive and finite (phi far outside the correlation).
std::optional<MuleyResult> MuleyCalculate(const MuleyInputs& in);

class Muley : public WindowModel {
 public:
  static constexpr const char* kName = "Muley";
  static constexpr int kInputs = 9;   // Text1 (0) to (8), the velocity last
  static constexpr int kFields = 12;  // with the three results

  explicit Muley(AppContext& context);
  // "确定": computes and fills the results, or shows 440 and empties them.
  void calculate();

  std::array<Control*, kFields> Text1{};

 private:
  AppContext& ctx_;
};

}  // namespace vx
