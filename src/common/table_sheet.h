#pragma once
// A table for the outside world: named columns with their units, and rows of
// cells that are numbers or texts. The spreadsheet and CSV writers take it.
#include <string>
#include <vector>

namespace vx {

struct SheetColumn {
  std::string header;
  std::string unit;        // empty for a quantity without a unit
  std::string numberFormat;  // spreadsheet format of a numeric column ("0.00"), empty for text
};

struct SheetCell {
  bool isNumber = false;
  double number = 0;  // always finite when isNumber
  std::string text;   // the text of a text cell
};

struct TableSheet {
  std::string name;  // the sheet's name in a workbook
  std::vector<SheetColumn> columns;
  std::vector<std::vector<SheetCell>> rows;  // each as long as columns
  std::vector<bool> marked;                  // per row: shown marked (a failed row)
};

}  // namespace vx
