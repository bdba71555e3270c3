#pragma once
// The preset parameters "Preset.dat": 14 lines, each one value in double
// quotes. The values are kept as the text the file holds; the readers turn
// them into numbers where they need numbers.
#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace vx {

inline constexpr const char* kPresetFile = "Preset.dat";
inline constexpr int kPresetLineCount = 14;

struct PresetParameters {
  std::string MaxParallelUnits;         // line 1, units, 1 to 10
  std::string MaxPasses;                // line 2, passes, 1 to 10
  std::string MaxNozzleVelocityLiquid;  // line 3, m/s, 1 to 6
  std::string MaxNozzleVelocityGas;     // line 4, m/s, 1 to 100
  std::string AutoListSize;             // line 5, candidates, 1 to 10
  std::string HardChannelId;            // line 6, 1 or 2 characters
  std::string MixedChannelId;           // line 7
  std::string SoftChannelId;            // line 8
  std::string DesignPressure;           // line 9, MPa
  std::string TestPressureFactor;       // line 10
  std::string DesignTemperature;        // line 11, ℃
  std::string Margin;                   // line 12, %
  std::string AllowedPressureDropA;     // line 13, kPa
  std::string AllowedPressureDropB;     // line 14, kPa
};

// The field of file line `line` (1 to 14); the `Text1` box line - 1 shows it.
std::string& PresetLine(PresetParameters& p, int line);
const std::string& PresetLine(const PresetParameters& p, int line);

// The values of the command "默认值".
PresetParameters DefaultPresetParameters();

// Reads the file of `dir`. nullopt when it is missing, unreadable, oversized
// or holds fewer than 14 lines; callers show their own message. Each line's
// value is the text between its quotes (a line without quotes: the line
// without surrounding blanks); lines past the 14th are not read.
std::optional<PresetParameters> ReadPresetFile(const std::filesystem::path& dir);

// Rewrites the file with the 14 texts as they stand, each in double quotes.
// A double quote inside a value becomes a single quote and a line break a
// blank, since either would break the line structure. False when the file
// cannot be written (the old file is then left as it was).
bool WritePresetFile(const std::filesystem::path& dir, const PresetParameters& p);

// The check before saving: 0 when the values may be saved, else the message:
// 440 a number of lines 1 to 5 out of its range, 441 an identifier empty
// after trimming, 442 an identifier longer than 2 characters. Lines 9 to 14
// are not checked.
int CheckPresetParameters(const PresetParameters& p);

// A preset text as a 16-bit integer: its number rounded to the nearest whole
// number, halves to even. nullopt when that does not fit in 16 bits.
std::optional<short> PresetInteger(const std::string& text);
// A preset text as a single-precision number; nullopt when it overflows.
std::optional<float> PresetSingle(const std::string& text);

// Lines 1 to 8 as the design window holds them.
struct DesignPresets {
  short MaxParallelUnits = 0;
  short MaxPasses = 0;
  float MaxNozzleVelocityLiquid = 0;  // m/s
  float MaxNozzleVelocityGas = 0;     // m/s
  short AutoListSize = 0;
  std::string HardChannelId, MixedChannelId, SoftChannelId;
};

// nullopt when the presets fail the settings window's checks (ranges of
// lines 1 to 5, identifiers of lines 6 to 8) or a number does not fit its type.
std::optional<DesignPresets> DesignPresetsOf(const PresetParameters& p);

}  // namespace vx
