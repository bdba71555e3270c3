#include "reports/sheet_files.h"

#include <algorithm>
#include <cstdio>

#include "common/file_io.h"

namespace vx {

namespace {

// The plain form of a number in the CSV: enough digits for a
// single-precision value, no trailing zeros.
std::string csvNumber(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.7g", value);
  return buffer;
}

std::string csvItem(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string lowerSuffix(const std::filesystem::path& path) {
  std::string s = path.extension().string();
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

std::string SheetCsvText(const TableSheet& sheet) {
  std::string out = "\xEF\xBB\xBF";
  auto line = [&out](const std::vector<std::string>& items) {
    for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + csvItem(items[i]);
    out += "\r\n";
  };
  std::vector<std::string> headers, units;
  for (const auto& c : sheet.columns) {
    headers.push_back(c.header);
    units.push_back(c.unit);
  }
  line(headers);
  line(units);
  for (const auto& row : sheet.rows) {
    std::vector<std::string> items;
    for (const auto& cell : row) items.push_back(cell.isNumber ? csvNumber(cell.number) : cell.text);
    line(items);
  }
  return out;
}

bool WriteSheetCsv(const std::filesystem::path& path, const TableSheet& sheet, std::string& error) {
  if (!writeFileAtomic(path, SheetCsvText(sheet))) {
    error = "无法写入文件 " + path.string();
    return false;
  }
  return true;
}

bool WriteSheetFile(const std::filesystem::path& path, const TableSheet& sheet, std::string& error) {
  const std::string suffix = lowerSuffix(path);
  if (suffix == ".xlsx") return WriteSheetXlsx(path, sheet, error);
  if (suffix == ".csv") return WriteSheetCsv(path, sheet, error);
  error = "结果文件须以 .xlsx 或 .csv 结尾: " + path.string();
  return false;
}

}  // namespace vx
