#include "exchanger/arrangement.h"

#include <algorithm>
#include <cmath>

#include "common/veloxa_var.h"
#include "exchanger/checked_math.h"

namespace vx {

namespace {

// The first and second kinds of both circuits for each CobThermalMix item;
// 0 in the second column means "keep the last value".
struct MixKinds {
  short first, second;
};
constexpr MixKinds kMixKinds[] = {{1, 0}, {2, 0}, {3, 0}, {1, 2}, {2, 3}};

bool validIndex(short kind) { return kind >= 0 && kind <= 3; }

}  // namespace

void SelectChannelKinds(DesignState& s, short plateKind) {
  s.ChannelKindA1 = 1;
  s.ChannelKindB1 = 2;
  if (plateKind == kAsymmetricPlate && s.narrowInC2) {
    s.ChannelKindA1 = 2;  // circuit B takes the narrow channel, kind 1
    s.ChannelKindB1 = 1;
  }
  if (plateKind != kThermalMixingPlate) return;
  if (s.ThermalMixItem < kMixHard || s.ThermalMixItem > kMixMixedSoft) return;
  const MixKinds& k = kMixKinds[s.ThermalMixItem];
  s.ChannelKindA1 = s.ChannelKindB1 = k.first;
  if (k.second != 0) s.ChannelKindA2 = s.ChannelKindB2 = k.second;
}

bool TwoKindItemSelected(const DesignState& s, short plateKind) {
  return plateKind == kThermalMixingPlate && (s.ThermalMixItem == kMixHardMixed || s.ThermalMixItem == kMixMixedSoft);
}

bool IsTwoKindArrangement(const DesignState& s, short plateKind, short mediumStateB) {
  return TwoKindItemSelected(s, plateKind) && mediumStateB != kStateSteam && mediumStateB != kStateAdoptedVapour;
}

int RoundedPassesA(const DesignState& s) {
  const double p = std::nearbyint(static_cast<double>(s.PassesA));
  return std::isfinite(p) ? static_cast<int>(std::clamp(p, -32768.0, 32767.0)) : 0;
}

int ChannelsPerPassB(const DesignState& s, int channelsA) {
  if (s.PassesB <= 0) return 0;
  const double b = std::nearbyint(static_cast<double>(channelsA) * RoundedPassesA(s) / s.PassesB);
  return static_cast<int>(std::clamp(b, -2147483648.0, 2147483647.0));
}

int PlateCountCheck(float plateCount) { return plateCount < 3 ? 467 : 0; }

int PlateLimitAndPassChecks(DesignState& s, const ChannelKinds& kinds, short maxPasses, double passA, double passB) {
  if (!validIndex(s.ChannelKindA1) || s.PlateCount > kinds[static_cast<size_t>(s.ChannelKindA1)].maxPlates) return 468;
  // Both counts are judged as the rating uses them, rounded; a count below
  // one (a negative typed into the second field) is no pass count at all.
  const double roundedA = std::nearbyint(passA);
  const double roundedB = std::nearbyint(passB);
  if (!(roundedA >= 1 && roundedA <= maxPasses && roundedB >= 1 && roundedB <= maxPasses)) return 469;
  s.PassesA = static_cast<float>(passA);
  s.PassesB = static_cast<short>(roundedB);
  const double m = std::max(static_cast<double>(s.PassesA), static_cast<double>(s.PassesB));
  const double channels = std::nearbyint(static_cast<double>(s.PlateCount) - 1);
  const double perPair = std::nearbyint(2 * m);
  if (std::fmod(channels, perPair) != 0) return 470;
  return 0;
}

int PlateAndPassChecks(DesignState& s, const ChannelKinds& kinds, short maxPasses, double plates, double passA,
                       double passB) {
  s.PlateCount = static_cast<float>(plates);
  if (int id = PlateCountCheck(s.PlateCount)) return id;
  return PlateLimitAndPassChecks(s, kinds, maxPasses, passA, passB);
}

bool TwoKindGroupAreas(DesignState& s, const ChannelKinds& kinds, int c1, int c2, double passesA, double passesB) {
  const double ap = kinds[1].plateArea;
  double first = 0, second = 0;
  if (c1 >= 1) {
    first = (2.0 * c1 * passesA - 1) * ap;
    second = 2.0 * c2 * passesB * ap;
  } else {
    second = (2.0 * c2 * passesB - 1) * ap;
  }
  CheckedMath m;
  float a1 = 0, a2 = 0;
  if (!m.store(a1, first) || !m.store(a2, second)) return false;
  s.GroupArea[1] = a1;
  s.GroupArea[2] = a2;
  return true;
}

bool GroupAreas(DesignState& s, const ChannelKinds& kinds) {
  if (TwoKindItemSelected(s, kinds[1].plateKind))
    return TwoKindGroupAreas(s, kinds, s.FirstKindCount, s.SecondKindCount, s.PassesA, s.PassesB);
  // The two end plates of a pack carry no heat.
  CheckedMath m;
  float a1 = 0;
  if (!m.store(a1, (static_cast<double>(s.PlateCount) - 2) * kinds[1].plateArea)) return false;
  s.GroupArea[1] = a1;
  s.GroupArea[2] = 0;
  return true;
}

}  // namespace vx
