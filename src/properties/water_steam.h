#pragma once
// The tabulated properties of liquid water ("PROPER.DAT", 24-byte records by
// temperature) and of saturated steam ("Steam.dat", 16-byte records by
// absolute pressure), interpolated linearly between bracketing records.
#include <filesystem>
#include <optional>

#include "common/host.h"
#include "common/veloxa_var.h"

namespace vx {

inline constexpr const char* kWaterFile = "PROPER.DAT";
inline constexpr const char* kSteamFile = "Steam.dat";
inline constexpr int kWaterRecordLength = 24;
inline constexpr int kSteamRecordLength = 16;

struct WaterRecord {
  float temperature = 0;  // C, the key
  float density = 0;      // kg/m3
  float specificHeat = 0; // kJ/(kg K)
  float conductivity = 0; // W/(m K)
  float viscosity = 0;    // cP
  float sixth = 0;        // the Prandtl number; never read by the lookups
};

struct SteamRecord {
  float saturationTemperature = 0;  // C
  float pressure = 0;               // MPa absolute; the key is pressure - 0.1 (gauge)
  float vapourDensity = 0;          // kg/m3
  float latentHeat = 0;             // kJ/kg
};

struct WaterProperties {
  float density = 0, specificHeat = 0, conductivity = 0, viscosity = 0;
};

struct SteamProperties {
  float saturationTemperature = 0, vapourDensity = 0, latentHeat = 0;
};

// The water lookup by temperature (C). Fails (nullopt) at or above the last
// key, below 0 C when `rejectNegative`, and on a missing, empty, truncated or
// unordered table. Below the first key it extrapolates from the first pair.
std::optional<WaterProperties> WaterTable(const std::filesystem::path& dir, float temperature, bool rejectNegative);

// The steam lookup by gauge pressure (MPa). Fails at or above the last key
// and on a damaged table; below the first key it extrapolates.
std::optional<SteamProperties> SteamTable(const std::filesystem::path& dir, float gaugePressure);

// Fills columns 0 to 3 of a circuit's row of MediumProp from the water table.
// Returns false (and changes nothing) when the lookup fails.
bool GetWaterProperty(const std::filesystem::path& dir, VeloxaVar& v, float temperature, int circuit);

// The plate-analysis lookup: no sign test; on failure shows 522 and keeps
// `out` as it was.
struct WaterAnalysisValues {
  float density = 0, specificHeat = 0, conductivity = 0, viscosity = 0, prandtl = 0;
};
bool LoadWaterProperty(const std::filesystem::path& dir, Host& host, float temperature, WaterAnalysisValues& out);

// Record codecs, shared with the build's table generator.
WaterRecord readWaterRecord(const std::string& bytes);
std::string writeWaterRecord(const WaterRecord& r);
SteamRecord readSteamRecord(const std::string& bytes);
std::string writeSteamRecord(const SteamRecord& r);

}  // namespace vx
