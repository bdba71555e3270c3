#include "common/preset_file.h"

#include <cmath>
#include <limits>
#include <vector>

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace vx {
namespace {

// The file holds 14 short values; anything near this size is not a preset file.
constexpr std::uintmax_t kMaxPresetBytes = 64 * 1024;

using Field = std::string PresetParameters::*;
constexpr std::array<Field, kPresetLineCount> kLines = {&PresetParameters::MaxParallelUnits,
                                                        &PresetParameters::MaxPasses,
                                                        &PresetParameters::MaxNozzleVelocityLiquid,
                                                        &PresetParameters::MaxNozzleVelocityGas,
                                                        &PresetParameters::AutoListSize,
                                                        &PresetParameters::HardChannelId,
                                                        &PresetParameters::MixedChannelId,
                                                        &PresetParameters::SoftChannelId,
                                                        &PresetParameters::DesignPressure,
                                                        &PresetParameters::TestPressureFactor,
                                                        &PresetParameters::DesignTemperature,
                                                        &PresetParameters::Margin,
                                                        &PresetParameters::AllowedPressureDropA,
                                                        &PresetParameters::AllowedPressureDropB};

struct Range {
  double low, high;
};
// Lines 1 to 5, bounds included.
constexpr std::array<Range, 5> kRanges = {{{1, 10}, {1, 10}, {1, 6}, {1, 100}, {1, 10}}};

// The value of one file line: the text between its quotes.
std::string lineValue(const std::string& line) {
  size_t b = line.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  if (line[b] == '"') {
    size_t close = line.find('"', b + 1);
    if (close == std::string::npos) close = line.size();
    return line.substr(b + 1, close - b - 1);
  }
  size_t e = line.find_last_not_of(" \t");
  return line.substr(b, e - b + 1);
}

std::string trimSpaces(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

// Characters, not bytes: "软" is one character of an identifier.
size_t characterCount(const std::string& utf8) {
  size_t n = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

std::string& PresetLine(PresetParameters& p, int line) { return p.*kLines.at(static_cast<size_t>(line - 1)); }

const std::string& PresetLine(const PresetParameters& p, int line) {
  return p.*kLines.at(static_cast<size_t>(line - 1));
}

PresetParameters DefaultPresetParameters() {
  return {"5", "5", "4.5", "80", "8", "H", "M", "L", "1.0", "1.25", "150", "0.0", "50", "50"};
}

std::optional<PresetParameters> ReadPresetFile(const std::filesystem::path& dir) {
  auto bytes = readFileBytes(dataPath(dir, kPresetFile), kMaxPresetBytes);
  if (!bytes) return std::nullopt;
  std::vector<std::string> lines = splitTextLines(*bytes);
  if (lines.size() < static_cast<size_t>(kPresetLineCount)) return std::nullopt;
  PresetParameters p;
  for (int k = 1; k <= kPresetLineCount; ++k) PresetLine(p, k) = lineValue(lines[static_cast<size_t>(k - 1)]);
  return p;
}

bool WritePresetFile(const std::filesystem::path& dir, const PresetParameters& p) {
  std::vector<std::string> lines;
  for (int k = 1; k <= kPresetLineCount; ++k) {
    std::string value = PresetLine(p, k);
    for (char& c : value)
      if (c == '\r' || c == '\n') c = ' ';
    lines.push_back(quoteItem(value));
  }
  DataFolderLock lock(dir);
  return writeTextLines(dataPath(dir, kPresetFile), lines);
}

int CheckPresetParameters(const PresetParameters& p) {
  for (size_t i = 0; i < kRanges.size(); ++i) {
    double v = Val(PresetLine(p, static_cast<int>(i) + 1));
    if (v < kRanges[i].low || v > kRanges[i].high) return 440;
  }
  // The design pressure goes into the designation and the test pressure.
  const float pressure = static_cast<float>(Val(p.DesignPressure));
  if (!std::isfinite(pressure) || !(pressure > 0)) return 440;
  for (int line = 6; line <= 8; ++line) {
    std::string id = trimSpaces(PresetLine(p, line));
    if (id.empty()) return 441;
    if (characterCount(id) > 2) return 442;
  }
  return 0;
}

std::optional<short> PresetInteger(const std::string& text) {
  double r = std::nearbyint(Val(text));  // the default rounding mode: halves to even
  if (r < std::numeric_limits<short>::min() || r > std::numeric_limits<short>::max()) return std::nullopt;
  return static_cast<short>(r);
}

std::optional<float> PresetSingle(const std::string& text) {
  double v = Val(text);
  if (std::fabs(v) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(v);
}

std::optional<DesignPresets> DesignPresetsOf(const PresetParameters& p) {
  // The design works only with presets the settings window would save.
  if (CheckPresetParameters(p) != 0) return std::nullopt;
  auto units = PresetInteger(p.MaxParallelUnits);
  auto passes = PresetInteger(p.MaxPasses);
  auto liquid = PresetSingle(p.MaxNozzleVelocityLiquid);
  auto gas = PresetSingle(p.MaxNozzleVelocityGas);
  auto listSize = PresetInteger(p.AutoListSize);
  if (!units || !passes || !liquid || !gas || !listSize || *listSize < 0) return std::nullopt;
  DesignPresets d;
  d.MaxParallelUnits = *units;
  d.MaxPasses = *passes;
  d.MaxNozzleVelocityLiquid = *liquid;
  d.MaxNozzleVelocityGas = *gas;
  d.AutoListSize = *listSize;
  d.HardChannelId = p.HardChannelId;
  d.MixedChannelId = p.MixedChannelId;
  d.SoftChannelId = p.SoftChannelId;
  return d;
}

}  // namespace vx
