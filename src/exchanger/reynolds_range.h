#pragma once
// Whether a rating stays within the Reynolds range its correlations were
// made for: the results display warns when it does not, and the automatic
// design lists no such arrangement.
#include "common/veloxa_var.h"
#include "exchanger/catalogue.h"
#include "exchanger/design_state.h"

namespace vx {

// Re within [Re_Min, Re_Max] of the correlation; Re_Max 0 is no upper bound.
bool ReynoldsWithin(float re, const Correlation& c);

// Every rated channel group (the first when it has channels or the item has
// one kind, the second of a two-kind item when it has channels) has circuit
// A's and circuit B's Reynolds number within the range of its kind.
bool RatedGroupsWithinRange(const DesignState& s, const ChannelKinds& kinds, bool twoKinds);

// Rates the arrangement a candidate lists (`first` and `second` channels per
// pass of the two kinds at the passes and plates in `s`) as the check will,
// and tells whether all its groups stay within range. False also when the
// rating fails. `s` is a copy: the search's own values stay as they are.
bool ListedArrangementWithinRange(DesignState s, const VeloxaVar& v, const ChannelKinds& kinds, int first,
                                  int second);

}  // namespace vx
