#pragma once
// The self-built property file "property.dat" in the data folder: listing,
// reading, adding or updating, deleting and tidying its records. Every change
// replaces the file as a whole (temporary file, then rename), so a failed
// write leaves the old file as it was.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/host.h"
#include "properties/fluid_records.h"

namespace vx {

struct SelfDataEntry {
  std::string Name;
  int Record = 0;  // the record number in "property.dat"
};

// The values of the three temperature columns (lower, middle, upper), in the
// stored units: C, kg/m3, kJ/(kg K), W/(m K), cP, kJ/kg.
struct SelfDataColumns {
  std::array<float, 3> Temperature{};
  std::array<float, 3> Density{};
  std::array<float, 3> VapourDensity{};
  std::array<float, 3> SpecificHeat{};
  std::array<float, 3> Conductivity{};
  std::array<float, 3> Viscosity{};
  std::array<float, 3> LatentHeat{};
};

// Records 1, 2, ... up to the first blank record or the end of the file.
// Empty when the file is missing or cannot be read.
std::vector<SelfDataEntry> ListSelfData(const std::filesystem::path& dir);

// Record n; nullopt when the file is missing or unreadable, n lies outside
// the file, or the record holds a value that is not a number.
std::optional<PropertyRecord> ReadSelfData(const std::filesystem::path& dir, int n);

// Adds a medium, or updates the record of the same name (letter case aside)
// after question 523. Refuses an empty name (524, information) and a column
// whose density, specific heat, conductivity or viscosity is 0, negative or
// not a number (524, critical). Returns the record number written, or nullopt when
// the person declines, the data are refused or the file cannot be written
// (569 with "75").
std::optional<int> SaveSelfData(const std::filesystem::path& dir, Host& host, const std::string& name,
                                const SelfDataColumns& values, const std::string& remark);

// Removes record n; the records after it move up by one, blank records
// included. False (and the file unchanged) when n is not a record of the
// file or the file cannot be read or written. With `name`, the medium of
// that name goes, at n or wherever it now is (true when there is none).
bool DeleteSelfData(const std::filesystem::path& dir, int n,
                    const std::optional<std::string>& name = std::nullopt);

// Drops the blank records at the end of the file; the other records keep
// their numbers, and a blank record between them becomes all zero bytes.
// True when there is nothing to do (also when the file does not exist).
bool TidySelfData(const std::filesystem::path& dir);

}  // namespace vx
