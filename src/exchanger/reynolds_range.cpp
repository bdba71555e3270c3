#include "exchanger/reynolds_range.h"

#include "exchanger/arrangement.h"
#include "exchanger/rating.h"

namespace vx {

bool ReynoldsWithin(float re, const Correlation& c) {
  if (!(re >= c.Re_Min)) return false;
  return c.Re_Max == 0 || re <= c.Re_Max;
}

bool RatedGroupsWithinRange(const DesignState& s, const ChannelKinds& kinds, bool twoKinds) {
  const auto groupWithin = [&](size_t slot, short kindA, short kindB) {
    if (kindA < 0 || kindA > 3 || kindB < 0 || kindB > 3) return false;
    return ReynoldsWithin(s.ChannelRe[slot][kCircuitA], kinds[static_cast<size_t>(kindA)].corr) &&
           ReynoldsWithin(s.ChannelRe[slot][kCircuitB], kinds[static_cast<size_t>(kindB)].corr);
  };
  if ((s.FirstKindCount > 0 || !twoKinds) && !groupWithin(1, s.ChannelKindA1, s.ChannelKindB1)) return false;
  if (twoKinds && s.SecondKindCount > 0 && !groupWithin(2, s.ChannelKindA2, s.ChannelKindB2)) return false;
  return true;
}

bool ListedArrangementWithinRange(DesignState s, const VeloxaVar& v, const ChannelKinds& kinds, int first,
                                  int second) {
  const bool twoKinds = TwoKindItemSelected(s, kinds[1].plateKind);
  s.FirstKindCount = first;
  s.SecondKindCount = twoKinds ? second : 0;
  DataClear(s);
  if (!RateArrangement(s, v, kinds)) return false;
  return RatedGroupsWithinRange(s, kinds, twoKinds);
}

}  // namespace vx
