#pragma once
// The unit conversion categories "Unit.Dat": five lines per category - the
// name, the unit names, the factors, a short text per unit and a note per
// unit, every item followed by "|". The factor of a unit is one common
// reference quantity expressed in that unit: x in unit i is
// x / factor(i) * factor(j) in unit j.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vx {

inline constexpr const char* kUnitFile = "Unit.Dat";
inline constexpr int kUnitGroupLines = 5;
inline constexpr int kMaxUnits = 21;

// Categories converted by their own formulas; their factor lines are not used.
// Each has exactly two units, in this order:
inline constexpr const char* kTemperatureCategory = "温度";            // ℃, ℉
inline constexpr const char* kEnglerCategory = "运动粘度-恩氏粘度";    // mm2/s, Engler degrees
inline constexpr const char* kBaumeCategory = "比重(60°/60℉)-波美度";  // specific gravity, Baumé degrees

bool IsSpecialUnitCategory(const std::string& name);

struct UnitCategory {
  std::string name;
  std::vector<std::string> units;  // at most 21
  std::vector<double> factors;     // the number of each item, 0 for an empty or non-numeric one
  std::vector<std::string> texts;  // shown beside the value field
  std::vector<std::string> notes;  // shown under the value fields
  int line = 0;                    // the file line of the name

  // Item i of each line; 0 or empty where the line has no such item.
  double factor(int i) const;
  std::string text(int i) const;
  std::string note(int i) const;
};

struct UnitFile {
  std::vector<UnitCategory> categories;
  // What was left out, as "Unit.Dat:line: reason": a group the file ends
  // inside (the group is dropped) and items past the 21st unit.
  std::vector<std::string> problems;

  const UnitCategory* find(const std::string& name) const;
};

// The items of a line: the text before each "|"; text after the last "|" is
// ignored, so "1|1000" gives the one item "1".
std::vector<std::string> SplitUnitLine(const std::string& line);

// Reads the file of `dir`; nullopt when it is missing, unreadable or
// oversized. Blank lines at the end of the file are not a group.
std::optional<UnitFile> ReadUnitFile(const std::filesystem::path& dir);

// Reads the lines of a unit file already split into UTF-8 lines.
UnitFile ParseUnitLines(const std::vector<std::string>& lines);

}  // namespace vx
