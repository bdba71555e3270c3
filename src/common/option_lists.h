#pragma once
// The option lists of construction data "DefData.Dat": 13 lines, each a
// one-character group key, "|", then every entry followed by "|". Lines with
// the same key are parallel lists (entry n of one belongs to entry n of the
// others). The design window reads the lines by number, so the count and
// order of the lines are part of the format.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vx {

inline constexpr const char* kOptionListFile = "DefData.Dat";
inline constexpr int kOptionLineCount = 13;

// The group key of each line, in file order. Line 12 is reserved: key 0, no entries.
inline constexpr std::array<char, kOptionLineCount> kOptionGroupKeys = {'1', '1', '2', '3', '3', '3', '4',
                                                                        '4', '5', '6', '7', '0', '8'};

// The list index (`Defdata` index) of each line: line - 1.
enum OptionListIndex : int {
  kPlateMaterialList = 0,
  kPlateConductivityList = 1,
  kPlateThicknessList = 2,
  kGasketMaterialList = 3,
  kGasketTemperatureList = 4,
  kGasketCodeList = 5,
  kFramePatternList = 6,
  kFramePatternCodeList = 7,
  kFrameMaterialList = 8,
  kNozzleMaterialList = 9,
  kNozzleLocationList = 10,
  kReservedList = 11,
  kFlangeStandardList = 12,
};

// The gasket entry (from 0) chosen when both circuits carry water or steam.
inline constexpr int kWaterSteamGasketEntry = 1;

struct OptionLists {
  std::vector<std::string> PlateMaterials;           // line 1, group 1
  std::vector<std::string> PlateConductivities;      // line 2, group 1, W/(m·K)
  std::vector<std::string> PlateThicknesses;         // line 3, group 2, mm
  std::vector<std::string> GasketMaterials;          // line 4, group 3
  std::vector<std::string> GasketTemperatureLimits;  // line 5, group 3, ℃
  std::vector<std::string> GasketCodes;              // line 6, group 3
  std::vector<std::string> FramePatterns;            // line 7, group 4
  std::vector<std::string> FramePatternCodes;        // line 8, group 4
  std::vector<std::string> FrameMaterials;           // line 9, group 5
  std::vector<std::string> NozzleMaterials;          // line 10, group 6
  std::vector<std::string> NozzleLocations;          // line 11, group 7
  std::vector<std::string> Reserved;                 // line 12, group 0, normally empty
  std::vector<std::string> FlangeStandards;          // line 13, group 8

  // `Defdata`(index): the list of line index + 1 (0 to 12).
  std::vector<std::string>& list(int index);
  const std::vector<std::string>& list(int index) const;
};

// Whether an entry of the plate conductivity (W/(m.K)) or plate thickness
// (mm) list is one the design can rate with: a positive number that stays
// positive and finite in single precision.
bool UsablePlateNumber(const std::string& entry);

// Entry n (from 0) of a list; empty past its end, as a list box gives it.
std::string OptionEntry(const std::vector<std::string>& list, int n);

// The entries of one line: the text after the group key and its "|", cut at
// every "|"; text after the last "|" is not an entry and is ignored.
std::vector<std::string> SplitOptionLine(const std::string& line);

// Reads the file of `dir`. nullopt, with the reason in `error` when given,
// when the file is missing, unreadable or oversized, has fewer than 13 lines,
// text past line 13, or a line that does not start with its group key and
// "|". Lists of one group may differ in length.
std::optional<OptionLists> ReadOptionLists(const std::filesystem::path& dir, std::string* error = nullptr);

// The 13 lines of the file (UTF-8). Line 12 is always "0|". A "|" inside an
// entry becomes "｜" and a line break a blank, so an entry can never split.
std::vector<std::string> OptionFileLines(const OptionLists& lists);

// Rewrites the file; false when it cannot be written (the old file stays).
bool WriteOptionLists(const std::filesystem::path& dir, const OptionLists& lists);

// Pads the lines of each group with empty entries to the longest line of the
// group, as the settings window's tables hold them.
void PadOptionGroups(OptionLists& lists);

}  // namespace vx
