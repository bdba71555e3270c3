#pragma once
// The design case shared by every window: the design values of both
// circuits, the circuit property table, the adopted property set, the state
// of circuit B's medium and the flags of the case.
#include <array>
#include <string>

namespace vx {

// Columns of the circuit property table.
enum PropColumn : int {
  kDensity = 0,        // liquid density, kg/m3
  kSpecificHeat = 1,   // kJ/(kg K)
  kConductivity = 2,   // W/(m K)
  kViscosity = 3,      // cP
  kLatentHeat = 4,     // kJ/kg
  kVapourDensity = 5,  // kg/m3
  kPrandtl = 6,
};
inline constexpr int kPropColumns = 7;
inline constexpr int kCircuitA = 1;
inline constexpr int kCircuitB = 2;

// What circuit B carries.
enum MediumState : short {
  kStateWater = 0,
  kStateSteam = 1,
  kStateAdoptedLiquid = 2,
  kStateAdoptedVapour = 3,
};

struct VeloxaVar {
  // Design values, single precision. Temperatures C, flows kg/h, heat kW,
  // pressure drops kPa, fouling m2 K/W.
  float TinA = 0, ToutA = 0, TinB = 0, ToutB = 0;
  float FlowA = 0, FlowB = 0;
  float AllowDpA = 0, AllowDpB = 0;
  float HeatLoad = 0;
  float FoulingA = 0, FoulingB = 0;
  float Lmtd = 0;
  float TestPressureFactor = 1.25f;
  float ParallelUnits = 0;
  float UnitFlowA = 0, UnitFlowB = 0;

  // Circuit property table: element (column c, circuit k) at flat index
  // 7 k + c; row 0 is never used.
  std::array<float, 3 * kPropColumns> MediumPropFlat{};
  float& MediumProp(int column, int circuit) { return MediumPropFlat[static_cast<size_t>(kPropColumns * circuit + column)]; }
  float MediumProp(int column, int circuit) const {
    return MediumPropFlat[static_cast<size_t>(kPropColumns * circuit + column)];
  }

  // The property set handed over by the property window.
  std::string AdoptedName;  // 20 characters, padded; blank = nothing adopted
  float AdoptedDensity = 0, AdoptedCp = 0, AdoptedConductivity = 0, AdoptedViscosity = 0;
  float AdoptedLatent = 0, AdoptedVapourDensity = 0;

  short MediumStateB = kStateWater;

  bool BalanceDone = false;
  bool ConditionsChanged = false;
  bool ResultAvailable = false;
  bool CaseSaved = true;
  bool DesignWindowOpened = false;

  // Phase change in circuit B (saturated steam or an adopted vapour).
  bool circuitBCondenses() const { return MediumStateB == kStateSteam || MediumStateB == kStateAdoptedVapour; }
};

// The main window's operations that the other windows call.
class MainCommands {
 public:
  virtual ~MainCommands() = default;
  // Save, print, export and their toolbar keys (print, preview, outline).
  virtual void setOutputsEnabled(bool enabled) = 0;
  // The toolbar key that opens the design window.
  virtual void setDesignKeyEnabled(bool enabled) = 0;
  // The check mark of "add the case to the statistics list".
  virtual bool putIntoChecked() const = 0;
  virtual void setCaption(const std::string& caption) = 0;
};

// A calculation produced a result: it may be saved, printed and exported.
void ProduceResult(VeloxaVar& v, MainCommands& main);
// The result no longer holds for the conditions.
void WithdrawResult(VeloxaVar& v, MainCommands& main);

}  // namespace vx
