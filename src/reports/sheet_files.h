#pragma once
// Writes a table as a spreadsheet (.xlsx) or as comma-separated text (.csv):
// the headers, a row of units, then the rows; numbers stay numbers.
#include <filesystem>
#include <string>

#include "common/table_sheet.h"

namespace vx {

// XLSX: a frozen header of two rows (names, units), numbers as numbers in
// their column's format, marked rows shaded, column widths that fit.
bool WriteSheetXlsx(const std::filesystem::path& path, const TableSheet& sheet, std::string& error);
// CSV: UTF-8 with a byte-order mark (spreadsheets then read the Chinese
// headers right), CR LF line ends, the same two header rows.
bool WriteSheetCsv(const std::filesystem::path& path, const TableSheet& sheet, std::string& error);
// The CSV text itself.
std::string SheetCsvText(const TableSheet& sheet);
// By the file's suffix: ".xlsx" or ".csv" (letter case aside); any other
// suffix is refused with a reason in `error`.
bool WriteSheetFile(const std::filesystem::path& path, const TableSheet& sheet, std::string& error);

}  // namespace vx
