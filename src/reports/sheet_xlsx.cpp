// The XLSX writer: kept apart from the CSV one because only it needs the
// spreadsheet library.
#include <xlsxwriter.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <unistd.h>

#include "common/file_io.h"
#include "reports/sheet_files.h"

namespace vx {

namespace {

// Columns as a spreadsheet measures them: a CJK character takes two.
int displayWidth(const std::string& text) {
  int width = 0;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    width += len >= 3 ? 2 : 1;
    i += len;
  }
  return width;
}

// The decimals a format such as "0.00" shows.
int decimalsOf(const std::string& format) {
  const size_t dot = format.find('.');
  return dot == std::string::npos ? 0 : static_cast<int>(format.size() - dot - 1);
}

std::string numberText(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

// A workbook's sheet name: at most 31 characters, none of []:*?/\.
std::string sheetName(const std::string& name) {
  std::string out;
  int count = 0;
  for (size_t i = 0; i < name.size() && count < 31;) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    const size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    const std::string ch = name.substr(i, len);
    if (ch.size() == 1 && std::string("[]:*?/\\").find(ch[0]) != std::string::npos) out += '_';
    else out += ch;
    ++count;
    i += len;
  }
  return out.empty() ? "Sheet1" : out;
}

}  // namespace

bool WriteSheetXlsx(const std::filesystem::path& path, const TableSheet& sheet, std::string& error) {
  // The workbook is written whole into a private temporary file first; the
  // target is then replaced in one step, like every other file.
  static std::atomic<int> serial{0};
  const std::filesystem::path temporary =
      std::filesystem::temp_directory_path() /
      ("veloxa-sheet-" + std::to_string(getpid()) + "-" + std::to_string(serial++) + ".xlsx");
  lxw_workbook* book = workbook_new(temporary.string().c_str());
  if (!book) {
    error = "无法建立工作簿";
    return false;
  }
  lxw_worksheet* ws = workbook_add_worksheet(book, sheetName(sheet.name).c_str());
  lxw_format* header = workbook_add_format(book);
  format_set_bold(header);
  format_set_bg_color(header, 0xD9E1F2);
  format_set_border(header, LXW_BORDER_THIN);
  lxw_format* unit = workbook_add_format(book);
  format_set_italic(unit);
  format_set_bg_color(unit, 0xD9E1F2);
  format_set_border(unit, LXW_BORDER_THIN);
  lxw_format* markedText = workbook_add_format(book);
  format_set_bg_color(markedText, 0xFFFF00);
  // One number format per column, plain and marked.
  std::vector<lxw_format*> plain, marked;
  for (const auto& c : sheet.columns) {
    lxw_format* p = workbook_add_format(book);
    lxw_format* m = workbook_add_format(book);
    format_set_bg_color(m, 0xFFFF00);
    if (!c.numberFormat.empty()) {
      format_set_num_format(p, c.numberFormat.c_str());
      format_set_num_format(m, c.numberFormat.c_str());
    }
    plain.push_back(p);
    marked.push_back(m);
  }
  std::vector<int> widths;
  for (size_t c = 0; c < sheet.columns.size(); ++c) {
    const auto col = static_cast<lxw_col_t>(c);
    worksheet_write_string(ws, 0, col, sheet.columns[c].header.c_str(), header);
    worksheet_write_string(ws, 1, col, sheet.columns[c].unit.c_str(), unit);
    widths.push_back(std::max(displayWidth(sheet.columns[c].header), displayWidth(sheet.columns[c].unit)));
  }
  for (size_t r = 0; r < sheet.rows.size(); ++r) {
    const bool isMarked = r < sheet.marked.size() && sheet.marked[r];
    const auto row = static_cast<lxw_row_t>(r + 2);
    for (size_t c = 0; c < sheet.columns.size() && c < sheet.rows[r].size(); ++c) {
      const SheetCell& cell = sheet.rows[r][c];
      const auto col = static_cast<lxw_col_t>(c);
      int width = 0;
      if (cell.isNumber && std::isfinite(cell.number)) {
        worksheet_write_number(ws, row, col, cell.number, isMarked ? marked[c] : plain[c]);
        width = displayWidth(numberText(cell.number, decimalsOf(sheet.columns[c].numberFormat)));
      } else if (!cell.text.empty()) {
        worksheet_write_string(ws, row, col, cell.text.c_str(), isMarked ? markedText : nullptr);
        width = displayWidth(cell.text);
      } else if (isMarked) {
        worksheet_write_blank(ws, row, col, markedText);
      }
      widths[c] = std::max(widths[c], width);
    }
  }
  for (size_t c = 0; c < widths.size(); ++c)
    worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                         std::min(60, widths[c] + 2), nullptr);
  worksheet_freeze_panes(ws, 2, 0);
  const lxw_error closed = workbook_close(book);
  if (closed != LXW_NO_ERROR) {
    error = std::string("无法写入工作簿: ") + lxw_strerror(closed);
    std::error_code ec;
    std::filesystem::remove(temporary, ec);
    return false;
  }
  auto bytes = readFileBytes(temporary);
  std::error_code ec;
  std::filesystem::remove(temporary, ec);
  if (!bytes || !writeFileAtomic(path, *bytes)) {
    error = "无法写入文件 " + path.string();
    return false;
  }
  return true;
}

}  // namespace vx
