#include "common/unit_file.h"

#include "common/file_io.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace vx {
namespace {

constexpr std::uintmax_t kMaxUnitBytes = 4 * 1024 * 1024;

std::string where(int line) { return std::string(kUnitFile) + ":" + std::to_string(line) + ": "; }

// The first 21 items; the rest are reported once per line.
std::vector<std::string> unitItems(const std::string& line, int lineNo, std::vector<std::string>& problems) {
  std::vector<std::string> items = SplitUnitLine(line);
  if (items.size() > static_cast<size_t>(kMaxUnits)) {
    problems.push_back(where(lineNo) + std::to_string(items.size()) + " items, only the first 21 are used");
    items.resize(kMaxUnits);
  }
  return items;
}

template <typename T>
T itemAt(const std::vector<T>& items, int i) {
  if (i < 0 || static_cast<size_t>(i) >= items.size()) return T{};
  return items[static_cast<size_t>(i)];
}

}  // namespace

bool IsSpecialUnitCategory(const std::string& name) {
  return name == kTemperatureCategory || name == kEnglerCategory || name == kBaumeCategory;
}

double UnitCategory::factor(int i) const { return itemAt(factors, i); }
std::string UnitCategory::text(int i) const { return itemAt(texts, i); }
std::string UnitCategory::note(int i) const { return itemAt(notes, i); }

const UnitCategory* UnitFile::find(const std::string& name) const {
  for (const auto& c : categories)
    if (c.name == name) return &c;
  return nullptr;
}

std::vector<std::string> SplitUnitLine(const std::string& line) {
  std::vector<std::string> items;
  size_t start = 0;
  for (size_t bar = line.find('|'); bar != std::string::npos; bar = line.find('|', start)) {
    items.push_back(line.substr(start, bar - start));
    start = bar + 1;
  }
  return items;
}

UnitFile ParseUnitLines(const std::vector<std::string>& lines) {
  size_t count = lines.size();
  while (count > 0 && lines[count - 1].find_first_not_of(" \t") == std::string::npos) --count;
  UnitFile file;
  size_t i = 0;
  for (; i + kUnitGroupLines <= count; i += kUnitGroupLines) {
    int first = static_cast<int>(i) + 1;
    UnitCategory c;
    c.name = lines[i];
    c.line = first;
    c.units = unitItems(lines[i + 1], first + 1, file.problems);
    for (const auto& item : unitItems(lines[i + 2], first + 2, file.problems)) c.factors.push_back(Val(item));
    c.texts = unitItems(lines[i + 3], first + 3, file.problems);
    c.notes = unitItems(lines[i + 4], first + 4, file.problems);
    file.categories.push_back(std::move(c));
  }
  if (i < count)
    file.problems.push_back(where(static_cast<int>(i) + 1) + "the file ends inside the category \"" + lines[i] +
                            "\" (" + std::to_string(count - i) + " of its 5 lines); it is left out");
  return file;
}

std::optional<UnitFile> ReadUnitFile(const std::filesystem::path& dir) {
  auto bytes = readFileBytes(dataPath(dir, kUnitFile), kMaxUnitBytes);
  if (!bytes) return std::nullopt;
  return ParseUnitLines(splitTextLines(*bytes));
}

}  // namespace vx
