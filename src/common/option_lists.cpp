#include "common/option_lists.h"

#include <algorithm>
#include <cmath>

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace vx {
namespace {

constexpr std::uintmax_t kMaxOptionBytes = 1024 * 1024;

using List = std::vector<std::string> OptionLists::*;
constexpr std::array<List, kOptionLineCount> kLists = {
    &OptionLists::PlateMaterials,  &OptionLists::PlateConductivities,     &OptionLists::PlateThicknesses,
    &OptionLists::GasketMaterials, &OptionLists::GasketTemperatureLimits, &OptionLists::GasketCodes,
    &OptionLists::FramePatterns,   &OptionLists::FramePatternCodes,       &OptionLists::FrameMaterials,
    &OptionLists::NozzleMaterials, &OptionLists::NozzleLocations,         &OptionLists::Reserved,
    &OptionLists::FlangeStandards};

bool isBlank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

void setError(std::string* error, const std::string& text) {
  if (error) *error = std::string(kOptionListFile) + ": " + text;
}

std::string entryText(const std::string& entry) {
  std::string out;
  for (char c : entry) {
    if (c == '|')
      out += "｜";
    else if (c == '\r' || c == '\n')
      out += ' ';
    else
      out += c;
  }
  return out;
}

}  // namespace

std::vector<std::string>& OptionLists::list(int index) { return this->*kLists.at(static_cast<size_t>(index)); }

const std::vector<std::string>& OptionLists::list(int index) const {
  return this->*kLists.at(static_cast<size_t>(index));
}

bool UsablePlateNumber(const std::string& entry) {
  const float value = static_cast<float>(Val(entry));
  return std::isfinite(value) && value > 0;
}

std::string OptionEntry(const std::vector<std::string>& list, int n) {
  if (n < 0 || static_cast<size_t>(n) >= list.size()) return "";
  return list[static_cast<size_t>(n)];
}

std::vector<std::string> SplitOptionLine(const std::string& line) {
  std::vector<std::string> entries;
  size_t start = line.find('|');
  if (start == std::string::npos) return entries;
  ++start;
  for (size_t bar = line.find('|', start); bar != std::string::npos; bar = line.find('|', start)) {
    entries.push_back(line.substr(start, bar - start));
    start = bar + 1;
  }
  return entries;
}

std::optional<OptionLists> ReadOptionLists(const std::filesystem::path& dir, std::string* error) {
  auto bytes = readFileBytes(dataPath(dir, kOptionListFile), kMaxOptionBytes);
  if (!bytes) {
    setError(error, "missing, unreadable or oversized");
    return std::nullopt;
  }
  std::vector<std::string> lines = splitTextLines(*bytes);
  if (lines.size() < static_cast<size_t>(kOptionLineCount)) {
    setError(error, std::to_string(lines.size()) + " lines, 13 expected");
    return std::nullopt;
  }
  for (size_t i = kOptionLineCount; i < lines.size(); ++i) {
    if (!isBlank(lines[i])) {
      setError(error, "line " + std::to_string(i + 1) + ": text after the 13 lists");
      return std::nullopt;
    }
  }
  OptionLists lists;
  for (int i = 0; i < kOptionLineCount; ++i) {
    const std::string& line = lines[static_cast<size_t>(i)];
    char key = kOptionGroupKeys[static_cast<size_t>(i)];
    if (line.size() < 2 || line[0] != key || line[1] != '|') {
      setError(error, "line " + std::to_string(i + 1) + ": does not start with \"" + std::string(1, key) + "|\"");
      return std::nullopt;
    }
    lists.list(i) = SplitOptionLine(line);
  }
  return lists;
}

std::vector<std::string> OptionFileLines(const OptionLists& lists) {
  std::vector<std::string> lines;
  for (int i = 0; i < kOptionLineCount; ++i) {
    std::string line(1, kOptionGroupKeys[static_cast<size_t>(i)]);
    line += '|';
    if (i != kReservedList)
      for (const auto& entry : lists.list(i)) line += entryText(entry) + "|";
    lines.push_back(line);
  }
  return lines;
}

bool WriteOptionLists(const std::filesystem::path& dir, const OptionLists& lists) {
  DataFolderLock lock(dir);
  return writeTextLines(dataPath(dir, kOptionListFile), OptionFileLines(lists));
}

void PadOptionGroups(OptionLists& lists) {
  int first = 0;
  while (first < kOptionLineCount) {
    int last = first;
    while (last + 1 < kOptionLineCount &&
           kOptionGroupKeys[static_cast<size_t>(last + 1)] == kOptionGroupKeys[static_cast<size_t>(first)])
      ++last;
    size_t longest = 0;
    for (int i = first; i <= last; ++i) longest = std::max(longest, lists.list(i).size());
    for (int i = first; i <= last; ++i) lists.list(i).resize(longest);
    first = last + 1;
  }
}

}  // namespace vx
