#pragma once
// The program's numbers against published references: water and steam
// against IAPWS-95, the pure common fluids against their DIPPR coefficient
// equations (Perry's Handbook), the corrugated-plate tool against the
// Muley-Manglik correlation on its own diameter, and the NTU answer against
// the check. The tests assert these comparisons; the build writes them into
// the guide's validation table. Every function reads the data folder `dir`
// as the program does.
#include <filesystem>
#include <string>
#include <vector>

namespace vx {

struct ValidationRow {
  std::string quantity;  // what is compared, and where
  std::string source;    // where the reference value comes from
  std::string unit;
  double reference = 0;
  double value = 0;      // the program's value
  bool computed = false; // false: the program gave no value
  double deviationPercent() const { return reference == 0 ? 0 : (value - reference) / reference * 100; }
};

// Liquid water and saturated steam at IAPWS-95 verification points.
std::vector<ValidationRow> WaterSteamValidation(const std::filesystem::path& dir);

// Density and viscosity of the nine pure common fluids with DIPPR data at
// every temperature of their tables.
std::vector<ValidationRow> CommonFluidValidation(const std::filesystem::path& dir);

// The corrugated-plate tool at its default plate and 0.5 m/s: its Nusselt
// number at its own Reynolds number, and its channel pressure drop, against
// the correlation evaluated on the diameter it was published for (2b/phi).
std::vector<ValidationRow> CorrugatedPlateValidation();

// The NTU answers of water 30,000 kg/h 95 C against water 40 C on VX050N
// with 41 plates (1/1 and 2/1 counter-current, 1/1 co-current), each against
// the heat the check rates at the shown outlets.
std::vector<ValidationRow> NtuCheckValidation(const std::filesystem::path& dir);

// The guide's table: every group above, the common fluids shown at the
// table temperature where each property deviates most. Empty rows (no
// value) show as such.
std::string ValidationTableHtml(const std::filesystem::path& dir);

}  // namespace vx
