#include "settings/settings_build.h"

#include <set>
#include <vector>

#include "common/file_io.h"
#include "common/gbk.h"
#include "common/numeric_csv.h"
#include "common/text_file.h"
#include "settings/company_record.h"
#include "common/option_lists.h"
#include "common/preset_file.h"
#include "common/unit_file.h"

namespace fs = std::filesystem;

namespace vx {
namespace {

struct SourceLine {
  int number;  // in the source file, from 1
  std::string text;
};

// A fault in a source file, reported as "file:line: reason".
struct Fault {
  std::string text;
};

struct Source {
  fs::path path;
  std::vector<SourceLine> lines;

  [[noreturn]] void fail(int line, const std::string& reason) const {
    throw Fault{path.string() + ":" + std::to_string(line) + ": " + reason};
  }
  // The line after the last one: where a missing line would stand.
  int endLine() const { return lines.empty() ? 1 : lines.back().number + 1; }
};

Source readSource(const fs::path& path) {
  auto bytes = readFileBytes(path);
  if (!bytes) throw Fault{path.string() + ": missing or unreadable"};
  std::string text = *bytes;
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  Source s{path, {}};
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    if (fromGbk(toGbk(line)) != line) s.fail(number, "text that GBK cannot hold");
    s.lines.push_back({number, line});
  }
  return s;
}

bool hasOuterBlanks(const std::string& s) {
  return !s.empty() && (s.front() == ' ' || s.back() == ' ' || s.front() == '\t' || s.back() == '\t');
}

std::string trimSpaces(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

size_t characterCount(const std::string& utf8) {
  size_t n = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

// --- Preset.txt ---

constexpr const char* kPresetNames[kPresetLineCount] = {
    "MaxParallelUnits",  "MaxPasses",      "MaxNozzleVelocityLiquid", "MaxNozzleVelocityGas", "AutoListSize",
    "HardChannelId",     "MixedChannelId", "SoftChannelId",           "DesignPressure",       "TestPressureFactor",
    "DesignTemperature", "Margin",         "AllowedPressureDropA",    "AllowedPressureDropB"};

void buildPreset(const fs::path& src, const fs::path& out) {
  Source s = readSource(src / kPresetSource);
  if (s.lines.size() != static_cast<size_t>(kPresetLineCount)) {
    int at = s.lines.size() > static_cast<size_t>(kPresetLineCount) ? s.lines[kPresetLineCount].number : s.endLine();
    s.fail(at, std::to_string(s.lines.size()) + " values, 14 expected");
  }
  constexpr int kLow[5] = {1, 1, 1, 1, 1}, kHigh[5] = {10, 10, 6, 100, 10};
  PresetParameters p;
  for (int k = 1; k <= kPresetLineCount; ++k) {
    const SourceLine& line = s.lines[static_cast<size_t>(k - 1)];
    const std::string& t = line.text;
    if (t.size() < 2 || t.front() != '"' || t.back() != '"' || t.find('"', 1) != t.size() - 1)
      s.fail(line.number, "the value must stand in double quotes, alone on its line");
    std::string value = t.substr(1, t.size() - 2);
    std::string name = kPresetNames[k - 1];
    if (k >= 6 && k <= 8) {
      size_t n = characterCount(trimSpaces(value));
      if (n < 1 || n > 2) s.fail(line.number, name + " must have 1 or 2 characters");
    } else {
      double v = 0;
      if (!parseNumber(value, v)) s.fail(line.number, name + " \"" + value + "\" is not a number");
      if (k <= 5 && (v < kLow[k - 1] || v > kHigh[k - 1]))
        s.fail(line.number,
               name + " must lie from " + std::to_string(kLow[k - 1]) + " to " + std::to_string(kHigh[k - 1]));
    }
    PresetLine(p, k) = value;
  }
  if (CheckPresetParameters(p) != 0) s.fail(s.lines.front().number, "the values do not pass the save check");
  if (!WritePresetFile(out, p)) throw Fault{"cannot write " + (out / kPresetFile).string()};
  if (!ReadPresetFile(out)) throw Fault{(out / kPresetFile).string() + ": does not read back"};
}

// --- DefData.txt ---

void buildOptionLists(const fs::path& src, const fs::path& out) {
  Source s = readSource(src / kOptionListSource);
  if (s.lines.size() != static_cast<size_t>(kOptionLineCount)) {
    int at = s.lines.size() > static_cast<size_t>(kOptionLineCount) ? s.lines[kOptionLineCount].number : s.endLine();
    s.fail(at, std::to_string(s.lines.size()) + " lists, 13 expected");
  }
  const std::set<int> numeric = {kPlateConductivityList, kPlateThicknessList, kGasketTemperatureList};
  OptionLists lists;
  for (int i = 0; i < kOptionLineCount; ++i) {
    const SourceLine& line = s.lines[static_cast<size_t>(i)];
    char key = kOptionGroupKeys[static_cast<size_t>(i)];
    const std::string& t = line.text;
    if (t.size() < 2 || t[0] != key || t[1] != '|')
      s.fail(line.number,
             "list " + std::to_string(i + 1) + " must start with its group key \"" + std::string(1, key) + "|\"");
    if (t.back() != '|') s.fail(line.number, "text after the last \"|\"");
    std::vector<std::string> entries = SplitOptionLine(t);
    if (i == kReservedList) {
      if (!entries.empty()) s.fail(line.number, "the reserved list 12 holds no entries");
      continue;
    }
    if (entries.empty()) s.fail(line.number, "the list has no entries");
    for (size_t n = 0; n < entries.size(); ++n) {
      const std::string& e = entries[n];
      std::string which = "entry " + std::to_string(n + 1);
      if (e.empty() || hasOuterBlanks(e)) s.fail(line.number, which + " is empty or has blanks around it");
      double v = 0;
      if (numeric.count(i) && !parseNumber(e, v)) s.fail(line.number, which + " \"" + e + "\" is not a number");
      if (numeric.count(i) && v <= 0) s.fail(line.number, which + " \"" + e + "\" must be above 0");
    }
    lists.list(i) = entries;
  }
  // Parallel lists: a missing entry would give its row an empty value.
  for (int i = 1; i < kOptionLineCount; ++i) {
    if (kOptionGroupKeys[static_cast<size_t>(i)] != kOptionGroupKeys[static_cast<size_t>(i - 1)]) continue;
    if (lists.list(i).size() != lists.list(i - 1).size())
      s.fail(s.lines[static_cast<size_t>(i)].number, std::to_string(lists.list(i).size()) +
                                                         " entries, the list before it in its group has " +
                                                         std::to_string(lists.list(i - 1).size()));
  }
  if (lists.GasketMaterials.size() < 2)
    s.fail(s.lines[kGasketMaterialList].number, "two gasket materials at least: the second serves water and steam");
  if (!WriteOptionLists(out, lists)) throw Fault{"cannot write " + (out / kOptionListFile).string()};
  std::string readError;
  if (!ReadOptionLists(out, &readError)) throw Fault{(out / kOptionListFile).string() + ": " + readError};
}

// --- units.txt ---

void buildUnits(const fs::path& src, const fs::path& out) {
  Source s = readSource(src / kUnitSource);
  size_t count = s.lines.size();
  if (count == 0) s.fail(1, "no categories");
  if (count % kUnitGroupLines != 0) {
    const SourceLine& name = s.lines[count - count % kUnitGroupLines];
    s.fail(name.number,
           "the category \"" + name.text + "\" has " + std::to_string(count % kUnitGroupLines) + " of its 5 lines");
  }
  std::set<std::string> names;
  std::vector<std::string> fileLines;
  for (size_t g = 0; g < count; g += kUnitGroupLines) {
    const SourceLine& name = s.lines[g];
    if (hasOuterBlanks(name.text)) s.fail(name.number, "blanks around the category name");
    if (!names.insert(name.text).second) s.fail(name.number, "the category \"" + name.text + "\" appears twice");
    bool special = IsSpecialUnitCategory(name.text);
    std::vector<std::string> items[4];
    for (int k = 0; k < 4; ++k) {
      const SourceLine& line = s.lines[g + 1 + static_cast<size_t>(k)];
      if (line.text.back() != '|') s.fail(line.number, "text after the last \"|\"");
      items[k] = SplitUnitLine(line.text);
    }
    const std::vector<std::string>& units = items[0];
    const SourceLine& unitLine = s.lines[g + 1];
    if (units.empty() || units.size() > static_cast<size_t>(kMaxUnits))
      s.fail(unitLine.number, std::to_string(units.size()) + " units, 1 to 21 allowed");
    if (special && units.size() != 2) s.fail(unitLine.number, "the category \"" + name.text + "\" has two units");
    for (size_t u = 0; u < units.size(); ++u)
      if (units[u].empty()) s.fail(unitLine.number, "unit " + std::to_string(u + 1) + " has no name");
    for (int k = 1; k < 4; ++k)
      if (items[k].size() != units.size())
        s.fail(
            s.lines[g + 1 + static_cast<size_t>(k)].number,
            std::to_string(items[k].size()) + " items, one per unit (" + std::to_string(units.size()) + ") expected");
    if (!special) {
      const SourceLine& factorLine = s.lines[g + 2];
      for (size_t u = 0; u < items[1].size(); ++u) {
        double v = 0;
        std::string which = "factor " + std::to_string(u + 1) + " \"" + items[1][u] + "\"";
        if (!parseNumber(items[1][u], v)) s.fail(factorLine.number, which + " is not a number");
        if (v <= 0) s.fail(factorLine.number, which + " must be above 0");
      }
    }
    for (size_t k = 0; k < static_cast<size_t>(kUnitGroupLines); ++k) fileLines.push_back(s.lines[g + k].text);
  }
  for (const char* special : {kTemperatureCategory, kEnglerCategory, kBaumeCategory})
    if (!names.count(special)) s.fail(s.endLine(), "the category \"" + std::string(special) + "\" is missing");
  if (!writeTextLines(dataPath(out, kUnitFile), fileLines)) throw Fault{"cannot write " + (out / kUnitFile).string()};
  auto units = ReadUnitFile(out);
  if (!units || !units->problems.empty() || units->categories.size() != count / kUnitGroupLines)
    throw Fault{(out / kUnitFile).string() + ": does not read back"};
}

}  // namespace

bool BuildSettingsFiles(const fs::path& src, const fs::path& out, std::string& error) {
  try {
    buildPreset(src, out);
    buildOptionLists(src, out);
    buildUnits(src, out);
    if (!WriteCompanyRecord(out, CompanyRecord{})) throw Fault{"cannot write " + (out / kCompanyFile).string()};
  } catch (const Fault& f) {
    error = f.text;
    return false;
  }
  return true;
}

}  // namespace vx
