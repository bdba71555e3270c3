#pragma once
// The flow arrangement of a plate pack: which channel kinds the two circuits
// use, the checks on plates and passes, and the heat-transfer area of each
// channel group.
#include "exchanger/catalogue.h"
#include "exchanger/design_state.h"

namespace vx {

// Sets ChannelKindA1/B1 (and A2/B2 for a two-kind item) from the plate kind,
// the narrow side of an asymmetric plate and s.ThermalMixItem. A single-kind
// item leaves A2/B2 as they were.
void SelectChannelKinds(DesignState& s, short plateKind);

// A thermal-mixing plate with item 3 or 4 and a liquid circuit B: the
// arrangement that must keep one pass on each side.
bool IsTwoKindArrangement(const DesignState& s, short plateKind, short mediumStateB);

// A thermal-mixing plate with item 3 or 4: the rating and the areas use two
// channel groups (whatever circuit B carries).
bool TwoKindItemSelected(const DesignState& s, short plateKind);

// The pass count of circuit A as the rating counts it (rounded half to even).
int RoundedPassesA(const DesignState& s);

// Circuit B's channels per pass when circuit A has `channelsA` per pass:
// both circuits have the same channels in all, each spread over its own
// passes (channelsA x PassesA / PassesB, rounded; 0 for no pass of B).
int ChannelsPerPassB(const DesignState& s, int channelsA);

// Check 1 of the check command: 467 when fewer than 3 plates, else 0.
int PlateCountCheck(float plateCount);

// Checks 2 to 4, shared with the NTU command, with passA and passB the Val of
// the pass fields: 468 for more plates than MaxPlates of
// ChannelKinds[ChannelKindA1], 469 for a pass count (rounded) below 1 or
// above maxPasses, 470 when PlateCount - 1 is not a multiple of twice the
// larger pass count; 0 when the arrangement is valid. Valid pass counts are
// stored as PassesA = passA and PassesB = passB rounded. Needs s.PlateCount
// and SelectChannelKinds done.
int PlateLimitAndPassChecks(DesignState& s, const ChannelKinds& kinds, short maxPasses, double passA, double passB);

// Checks 1 to 4 of the check command in order; stores PlateCount = plates.
int PlateAndPassChecks(DesignState& s, const ChannelKinds& kinds, short maxPasses, double plates, double passA,
                       double passB);

// GroupArea[1] and [2] from PlateCount, the counts c1/c2 (FirstKindCount,
// SecondKindCount), the passes and PlateArea of ChannelKinds[1]. False (the
// areas unchanged) when a value is not finite.
[[nodiscard]] bool GroupAreas(DesignState& s, const ChannelKinds& kinds);

// The two-kind area rule alone, for counts c1 and c2 with the given passes.
[[nodiscard]] bool TwoKindGroupAreas(DesignState& s, const ChannelKinds& kinds, int c1, int c2, double passesA,
                                     double passesB);

}  // namespace vx
