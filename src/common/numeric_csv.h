#pragma once
// Strict reading of the numeric csv sources of the installation data: every
// row must hold the expected number of numeric items, or the row is named.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vx {

struct CsvTable {
  std::vector<std::string> header;             // the first line's items
  std::vector<std::vector<std::string>> rows;  // the items of each later line
  std::vector<int> lines;                      // the line number of each row
};

// Reads a UTF-8 (or ASCII) csv file with a header line. Blank lines are
// skipped. nullopt with "file: reason" in `error` when it cannot be read.
std::optional<CsvTable> readCsv(const std::filesystem::path& path, std::string& error);

// Converts one item strictly: the whole item must be a decimal number.
bool parseNumber(const std::string& item, double& value);

// Reads a csv whose rows hold `columns` numbers each. On a bad row returns
// nullopt with "file:line: reason" in `error`.
std::optional<std::vector<std::vector<double>>> readNumericCsv(const std::filesystem::path& path, size_t columns,
                                                               std::string& error);

}  // namespace vx
