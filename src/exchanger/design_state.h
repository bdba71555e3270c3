#pragma once
// The working values of one calculation of the design window: the
// arrangement, the choices the rating reads, the inputs it takes from the
// conditions window and every result it writes. The flows per unit, the
// number of units in parallel and the other design values stay in VeloxaVar.
#include <array>
#include <string>

namespace vx {

// Values per channel group (slot 1, 2) and circuit (kCircuitA = 1,
// kCircuitB = 2), read as table[slot][circuit]; row and column 0 are unused.
using SlotTable = std::array<std::array<float, 3>, 3>;

// Items of the thermal-mixing combination box CobThermalMix.
enum ThermalMixItem : int { kMixHard = 0, kMixMixed = 1, kMixSoft = 2, kMixHardMixed = 3, kMixMixedSoft = 4 };

struct DesignState {
  // Arrangement.
  float PlateCount = 0;  // plates of one unit
  float PassesA = 1;     // real: the rating rounds it where it counts passes
  short PassesB = 1;
  // Indexes into ChannelKinds of the two channel groups of each circuit.
  // A2 and B2 keep their last two-kind value while a single kind is chosen.
  short ChannelKindA1 = 0, ChannelKindB1 = 0, ChannelKindA2 = 0, ChannelKindB2 = 0;
  int FirstKindCount = 0;            // c1, channels per pass of the first group (MixC1)
  int SecondKindCount = 0;           // c2, channels per pass of the second group (MixC2)
  std::array<float, 3> GroupArea{};  // m2, [1] and [2]
  short AssemblyForm = 1;            // 1 normal assembly, the only one calculated

  // Choices of the design window.
  int ThermalMixItem = kMixHard;        // selected item of CobThermalMix
  bool narrowInC1 = false;              // asymmetric plate: circuit A in the narrow channel
  bool narrowInC2 = false;              // asymmetric plate: circuit B in the narrow channel
  float PlateThicknessM = 0;            // m
  float PlateConductivity = 0;          // W/(m K)
  bool Chkvc1 = false, Chkvc2 = false;  // viscosity correction of circuit A / B
  float Txtvc1 = 1, Txtvc2 = 1;         // Val of the fields Txtvc1 / Txtvc2
  bool ChkPortPd = false;               // add the nozzle (port) pressure loss

  // Inputs from the conditions window.
  bool VapourOptionB = false;  // Opt2LV(1) "气态": circuit B condenses in the rating
  bool Counterflow = true;     // counterflow(0) selected, else co-current
  std::string MarginText;      // the margin field TxtInput(16) as typed
  float DesignMargin = 0;      // Val(MarginText), %

  // Mean temperature difference correction.
  bool LmtdC = false;         // lock: F is the value typed in cvdt
  std::string cvdt = "0.97";  // F as the window shows it
  float F = 0.97f;            // Val(cvdt), the factor every heat capacity uses

  // Results of the rating.
  float ViscosityFactorA = 1, ViscosityFactorB = 1;
  SlotTable ChannelVelocity{};  // m/s
  SlotTable ChannelRe{};
  SlotTable ChannelNu{};  // viscosity factor included
  SlotTable ChannelEu{};
  SlotTable FilmCoefficient{};                     // W/(m2 K)
  std::array<float, 3> CleanU{};                   // W/(m2 K), [1] and [2], without fouling
  std::array<float, 3> ServiceU{};                 // W/(m2 K), [1] and [2], with fouling
  float PressureDropA = 0, PressureDropB = 0;      // Pa
  float NozzleVelocityA = 0, NozzleVelocityB = 0;  // m/s, inlet nozzles
  float WallTemperature = 0;                       // C
  float HeatCapacity = 0;                          // W, all units in parallel
  float SurfaceMargin = 0;                         // %
};

}  // namespace vx
