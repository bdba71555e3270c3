#pragma once
// Builds the installed settings files from their readable UTF-8 sources:
// Preset.txt -> Preset.dat, DefData.txt -> DefData.Dat, units.txt -> Unit.Dat
// (GBK, CR LF), and an empty company record Coinfor.dat.
//
// In the sources, blank lines and lines starting with "#" are left out; every
// other line is a line of the installed file, written as it stands.
#include <filesystem>
#include <string>

namespace vx {

inline constexpr const char* kPresetSource = "Preset.txt";
inline constexpr const char* kOptionListSource = "DefData.txt";
inline constexpr const char* kUnitSource = "units.txt";

// Validates the three sources in `src` and writes the four files into `out`.
// On a fault returns false with "file:line: reason" in `error` (the line is
// that of the source file); files written before the fault may remain.
bool BuildSettingsFiles(const std::filesystem::path& src, const std::filesystem::path& out, std::string& error);

}  // namespace vx
