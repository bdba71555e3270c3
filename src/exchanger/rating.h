#pragma once
// The rating of a plate pack: channel and nozzle velocities, Reynolds,
// Nusselt and Euler numbers from the plate model's correlations, film and
// overall coefficients, pressure drops, wall temperature, and the heat the
// units can transfer with its margin over the heat load.
//
// Every function that computes returns false on an arithmetic failure (a
// division by zero, a power or logarithm without a finite result, a value
// too large for single precision); the command then ends with its general
// error message. A failed call never stores infinity or NaN, but may leave
// the values it stored before the failure. Nothing here allocates, so the
// design searches can call the trials below as often as they need.
#include "common/veloxa_var.h"
#include "exchanger/catalogue.h"
#include "exchanger/design_state.h"
#include "common/preset_file.h"

namespace vx {

// Clears the slot results: velocities, Re, Nu, Eu, film coefficients and
// both overall coefficients of slots 1 and 2.
void DataClear(DesignState& s);

// NozzleVelocityA/B in the inlet nozzles of ChannelKindA1/B1 (run after
// SelectChannelKinds); a condensing circuit B (MediumStateB 1 or 3) flows
// with its vapour density. Reads v.UnitFlowA/B.
[[nodiscard]] bool ComputeNozzleVelocities(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds);

// Both nozzle velocities within the preset limits; circuit B has the gas
// limit when the vapour option is selected.
bool NozzleVelocityOk(const DesignState& s, const DesignPresets& presets);

// Channel velocities of both circuits for c1 channels per pass of the first
// kind and c2 of the second. With both counts non-zero each circuit's flow
// is split so that both groups have the same pressure drop within 1 %
// (also storing the groups' Re and Eu); with one count 0 the whole flow goes
// to the other group. Reads ChannelKindA1/A2/B1/B2, PassesA/B, the nozzle
// velocities and ChkPortPd.
[[nodiscard]] bool SplitFlows(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int c1, int c2);

// Whether SplitFlows settles the bisection steps far from its decisions by
// estimates (the default, on this thread) or computes every step in full;
// both end at the same flows, which the tests compare.
void ScreenSplitSteps(bool on);

// The Prandtl exponents of circuits A and B.
struct PrandtlExponents {
  float a = 0, b = 0;
};
PrandtlExponents SetPrandtlExponents(const DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds);

// Rates channel group `slot` (1 or 2) with circuit A in kind kindA and
// circuit B in kind kindB at the velocities SplitFlows stored: Re, Nu, h and
// Eu of the slot, the viscosity factors, PressureDropA/B (overwritten by
// every call), CleanU[slot] and ServiceU[slot]. Circuit B condenses when
// s.VapourOptionB is set. The wall temperature is left to
// ComputeWallTemperature.
// How many channel groups this thread has rated; the benchmarks report
// ratings per second from it.
unsigned long long SlotRatingsDone();

[[nodiscard]] bool RateSlot(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int slot, short kindA,
                            short kindB);

// A floor under the pressure drop (Pa) of `circuit` (kCircuitA or kCircuitB)
// after SplitFlows and RateSlot with `channels` channels per pass in all,
// however they are divided between the two groups. Whatever the split, one
// group carries at least its share of the flow per channel, so the common
// drop is at least the lower of the two kinds' drops at the circuit's flow
// per channel. 0 when no floor is known: a condensing circuit B, unequal
// passes, or a correlation whose drop need not grow with the flow.
double SplitDropFloor(const DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int circuit, int channels);

// WallTemperature from the film coefficients of `slot`: slot 1, or slot 2
// when the first group has no channels.
[[nodiscard]] bool ComputeWallTemperature(DesignState& s, const VeloxaVar& v, int slot);

// The rating of the check and NTU commands after the plate checks and
// ComputeNozzleVelocities: the flow split for FirstKindCount and
// SecondKindCount, the rating of each group with channels, the wall
// temperature and the group areas. False also when no group has channels.
[[nodiscard]] bool RateArrangement(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds);

// ServiceU times area (W/K) of the channel groups the heat capacity counts
// (the second group only for a two-kind item), times the parallel units.
double TransferConductance(const DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds);

// HeatCapacity (W) = Lmtd x F x TransferConductance, then SurfaceMargin
// over v.HeatLoad (%).
[[nodiscard]] bool HeatCapacityAndMargin(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds);

// One trial of the single-kind count search of the design commands: c
// channels per pass with PassesA = PassesB = p set by the caller, s.F
// already taken from cvdt. Sets GroupArea[1] = (2 c p - 1) PlateArea,
// HeatCapacity and SurfaceMargin from the first group alone.
[[nodiscard]] bool RateSingleKindTrial(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int c);

// One trial of the split search of a two-kind item, one pass: c1 channels of
// the first kind and c2 of the second (not both 0), s.F already set. Sets
// both group areas, HeatCapacity (both groups) and SurfaceMargin.
[[nodiscard]] bool RateSplitTrial(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int c1, int c2);

}  // namespace vx
