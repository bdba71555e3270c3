#include "conditions/other_data.h"

#include "common/messages.h"
#include "common/record_file.h"

namespace vx {

namespace {

const char* const kUnits[] = {"",    "kg/m3", "kg/m3", "kJ/(Kg.K)", "W/(m.K)", "cP", "kJ/kg", "m/s",
                              "m/s", "KPa",   "",      "",          "W/(K.m2)", "",  "W/(K.m2)"};

}  // namespace

OtherData::OtherData(AppContext& context) : WindowModel(kName) {
  (void)context;
  caption = LoadMessage(244);
  controls_.add("Frame1", ControlKind::Frame).text = LoadMessage(381);
  notes_ = &controls_.add("Label1", ControlKind::Label);
  grid_ = &controls_.add("MidData1", ControlKind::Grid);
  grid_->toolTip = "点击单元并编辑";
  grid_->keyPress = [this](int key) { return gridKey(key); };
  grid_->cellClicked = [this](int row, int col) {
    currentRow = row;
    currentCol = col;
  };
  GridState& g = grid_->grid;
  g.resize(kRows, kCols);
  g.fixedRows = 1;
  g.fixedCols = 1;
  const std::string format = LoadMessage(504);
  size_t semicolon = format.find(';');
  std::vector<std::string> columns = GridFormatItems(format.substr(0, semicolon));
  std::vector<std::string> rows = GridFormatItems(format.substr(semicolon + 1));
  // The column headers fill row 0, the row headers column 0.
  for (size_t c = 0; c < columns.size() && c < static_cast<size_t>(kCols); ++c) g.cell(0, static_cast<int>(c)) = columns[c];
  for (size_t r = 1; r < rows.size() && r < static_cast<size_t>(kRows); ++r) g.cell(static_cast<int>(r), 0) = rows[r];
  for (int r = 1; r < kRows; ++r) g.cell(r, 3) = kUnits[r];
  for (int c = 1; c <= 2; ++c) {
    g.backColor(8, c) = kLightGrey;
    g.backColor(9, c) = kLightGrey;
  }
}

int OtherData::gridKey(int key) {
  GridState& g = grid_->grid;
  if (!g.inside(currentRow, currentCol)) return 0;
  std::string& text = g.cell(currentRow, currentCol);
  if (key == 13) {
    if (currentRow < g.rows - 1) ++currentRow;
  } else if (key == 8) {
    DropLastChar(text);  // a whole character, never half of a Chinese one
  } else if ((key >= 44 && key <= 57) || (key >= 65 && key <= 90) || (key >= 97 && key <= 122)) {
    text = trimField(text) + static_cast<char>(key);
    // A text as wide as its cell widens the column (about 120 twips a character).
    const int width = static_cast<int>(text.size()) * 120;
    if (g.colWidths.empty()) g.colWidths = {900, 1200, 1200, 900};
    int& column = g.colWidths[static_cast<size_t>(currentCol)];
    if (width >= column) column = width + 100;
  }
  return 0;
}

void OtherData::clearForNewConditions() {
  GridState& g = grid_->grid;
  for (int c = 1; c <= 2; ++c) {
    g.backColor(8, c) = kLightGrey;
    g.backColor(9, c) = kLightGrey;
    for (int r = 1; r <= 13; ++r) g.cell(r, c).clear();
  }
}

}  // namespace vx
