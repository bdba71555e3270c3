#include "common/numeric_csv.h"

#include <cmath>
#include <cstdlib>

#include "common/file_io.h"
#include "common/text_file.h"

namespace vx {

std::optional<CsvTable> readCsv(const std::filesystem::path& path, std::string& error) {
  auto bytes = readFileBytes(path);
  if (!bytes) {
    error = path.string() + ": missing or unreadable";
    return std::nullopt;
  }
  CsvTable table;
  size_t start = 0;
  int line = 0;
  bool headerRead = false;
  while (start < bytes->size()) {
    size_t end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    std::string text = bytes->substr(start, end - start);
    start = end + 1;
    ++line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.find_first_not_of(" \t") == std::string::npos) continue;
    if (!headerRead) {
      table.header = splitItems(text);
      headerRead = true;
      continue;
    }
    table.rows.push_back(splitItems(text));
    table.lines.push_back(line);
  }
  return table;
}

bool parseNumber(const std::string& item, double& value) {
  if (item.empty()) return false;
  char* end = nullptr;
  value = std::strtod(item.c_str(), &end);
  return end && *end == '\0' && std::isfinite(value);
}

std::optional<std::vector<std::vector<double>>> readNumericCsv(const std::filesystem::path& path, size_t columns,
                                                               std::string& error) {
  auto table = readCsv(path, error);
  if (!table) return std::nullopt;
  std::vector<std::vector<double>> rows;
  for (size_t r = 0; r < table->rows.size(); ++r) {
    const auto& items = table->rows[r];
    std::string where = path.string() + ":" + std::to_string(table->lines[r]) + ": ";
    if (items.size() != columns) {
      error = where + "expected " + std::to_string(columns) + " items, found " + std::to_string(items.size());
      return std::nullopt;
    }
    std::vector<double> row(columns);
    for (size_t c = 0; c < columns; ++c) {
      if (!parseNumber(items[c], row[c])) {
        error = where + "item " + std::to_string(c + 1) + " \"" + items[c] + "\" is not a number";
        return std::nullopt;
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace vx
