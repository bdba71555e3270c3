#pragma once
// The property calculations of the property window: the 20 common fluids
// from their tables and formulas, the estimates for a pure component of the
// data bank, and a self-built medium interpolated at a chosen temperature.
// Results are the texts the window shows; an empty text is an empty box.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/host.h"
#include "properties/fluid_records.h"

namespace vx {

// The three table files of the common fluids, read once per calculation.
// A missing or short file reads as zero records past its end, as a record
// file does.
struct FluidTables {
  std::vector<RffRecord> rff;
  std::vector<RffaRecord> rffa;
  std::vector<MatrixRecord> matrix;
};
FluidTables LoadFluidTables(const std::filesystem::path& dir);

// A value from the curve block first..last of "RFF.dat": the record of that
// key, or linear interpolation between the bracketing records. Below the
// first key it extrapolates from the first pair; above the last key, 0.
float CurveLookup(const FluidTables& t, int first, int last, float x);

// Column 1 (density), 2 (specific heat), 3 (conductivity) or 4 (viscosity)
// of the block of `count` records of "RFFA.dat" from `first`, by temperature.
// A column outside 1 to 4 shows "参数有错误." and gives 0.
float TableLookup(const FluidTables& t, Host& host, int first, int count, float x, int column);

// A value from the grid block of R rows and K columns of "Matrix.dat" from
// `first`. Outside the grid it shows "超出范围." (for the rows, then for the
// columns) and gives nothing.
std::optional<float> GridLookup(const FluidTables& t, Host& host, int first, int rows, int cols, float x, float y);

// Viscosity at T from muRef at TRef (both C or both K); nothing when the
// relation is undefined there (muRef <= 0, or T so far below TRef that the
// base of the power is not positive).
std::optional<double> LewisSquires(double tRef, double muRef, double t);

float Poly4(double x, float a, float b, float c, float d, float e);
struct PolyCoefficients {
  float a, b, c, d, e;
};
float PolyPair(float x1, float x2, float w1, float w2, float k, PolyCoefficients p1, PolyCoefficients p2);

// The bounds of an entry of the common-fluid view (a scroll bar and its box).
struct EntryBounds {
  bool enabled = false;
  int lower = 0, upper = 0;
};

// The lowest temperature of entries 1 to 3 at a concentration (mass %):
// the freezing rule rounded to a whole number, halves to even. Nothing for
// the other entries.
std::optional<int> MinTemperature(const FluidTables& t, int k, double concentration);

// The four result boxes: density, specific heat, conductivity, viscosity.
using CommonFluidTexts = std::array<std::string, 4>;

// The properties of entry k at concentration C and temperature T. A
// concentration or temperature outside the bounds of an enabled entry shows
// 540 or 541 and empties all four boxes; the lower temperature bound of
// entries 1 to 3 is taken from `MinTemperature` at C itself, so a brine is
// never calculated below its freezing point. A box whose value cannot be
// given ("无效的黏度", "超出范围.", a value that is not a number) is empty.
CommonFluidTexts CommonFluidProps(const FluidTables& t, Host& host, int k, double concentration, double temperature,
                                  const EntryBounds& concentrationBounds, const EntryBounds& temperatureBounds);

// The estimate rows of the data-bank view, in grid order.
enum EstimateRow : int {
  kGasDensityRow = 0,
  kLiquidDensityRow = 1,
  kGasCpRow = 2,
  kLiquidCpRow = 3,
  kGasConductivityRow = 4,
  kLiquidConductivityRow = 5,
  kGasViscosityRow = 6,
  kLiquidViscosityRow = 7,
  kVapourPressureRow = 8,
};
inline constexpr int kEstimateRows = 9;

struct BaseDataEstimates {
  std::array<std::string, kEstimateRows> rows;  // empty = no value
  std::string viscosityRange;                   // "VisTMin+273 ~ VisTMax+273", K
  std::string vapourPressureRange;              // "VpTMin-VpTMax", K
};

// The gas constant of the heat-capacity correlation, J/(mol K), and of the
// liquid volume, cm3 bar/(mol K).
inline constexpr double kGasConstantJ = 8.314;
inline constexpr double kGasConstantVolume = 83.144;

// Corresponding-states estimates for a pure component at T (K). Without a
// component (molecular weight 0) it shows 564 and gives nothing. A row whose
// correlation is undefined at T or for the record's data stays empty.
std::optional<BaseDataEstimates> BaseDataEstimate(const BaseDataRecord& rec, Host& host, double temperature);

// The six values of a self-built medium at Ts from its three temperature
// columns: liquid density, specific heat, conductivity, viscosity, vapour
// density and latent heat, in the stored units. All empty outside T0..T2 and
// when two of the three temperatures are equal.
using SelfDataTexts = std::array<std::string, 6>;
SelfDataTexts SelfDataAtTemperature(const PropertyRecord& rec, float t0, float t1, float t2, float ts);

}  // namespace vx
