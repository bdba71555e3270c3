#pragma once
// The intermediate-data window "详细数据": the per-circuit quantities of the
// heat balance and the rating in the grid MidData1, and the notes in Label1.
#include "common/window_model.h"

namespace vx {

inline constexpr uint32_t kLightGrey = 14737632;  // &HE0E0E0
inline constexpr uint32_t kYellow = 65535;

class OtherData : public WindowModel {
 public:
  static constexpr const char* kName = "OtherData";
  static constexpr int kRows = 15;
  static constexpr int kCols = 4;

  explicit OtherData(AppContext& context);

  Control& grid() { return *grid_; }
  Control& notes() { return *notes_; }
  std::string& cell(int row, int col) { return grid_->grid.cell(row, col); }

  // Rows 8 and 9 of both circuits back to light grey; rows 1 to 13 of both
  // circuits emptied (the first key typed in the conditions window).
  void clearForNewConditions();

  // The cell that typed keys edit: the one last clicked.
  int currentRow = 1, currentCol = 1;
  // A key typed in the grid edits the current cell.
  int gridKey(int key);

 private:
  Control* grid_;
  Control* notes_;
};

}  // namespace vx
