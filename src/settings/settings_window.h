#pragma once
// The settings window `Defdata` "参数设定": tab 1 the preset parameters of
// "Preset.dat", tab 2 the option lists of "DefData.Dat" as eight tables
// chosen from a tree. Both files are read when the window is created and
// written only by the two save commands.
#include <array>
#include <string>

#include "common/window_model.h"
#include "common/option_lists.h"
#include "common/preset_file.h"

namespace vx {

class SettingsWindow : public WindowModel {
 public:
  static constexpr const char* kName = "Defdata";
  static constexpr int kTables = 8;
  static constexpr int kPanels = 9;  // the ninth panel holds no table

  struct TreeNode {
    const char* key;
    int textId;
    int level;  // 0 a root, 1 a child
    int panel;
  };
  // The tree in display order; `TreeView1` lists the node texts in this order.
  static const std::array<TreeNode, 11>& treeNodes();

  explicit SettingsWindow(AppContext& context);

  // Commands, by their buttons.
  void savePresets();     // Command5
  void defaultPresets();  // Command3
  void saveOptions();     // Command1
  void close();           // Command4, Command2 and the close box
  void insertRow();       // pop-up menu MA
  void deleteRow();       // pop-up menu MD
  // A double click on a cell of table t: the cell editor `Text2` opens on it.
  void editCell(int table, int row, int col);
  // The cell editor loses the focus: its text goes into its cell.
  void commitCell();
  // A node of the tree was clicked: its panel is shown.
  void showPanel(int panel);

  int shownPanel() const { return panel_; }
  int targetTable() const { return target_; }
  int currentRow(int table) const { return currentRow_[static_cast<size_t>(table)]; }
  // The cell being edited: table, row, column; table -1 when none.
  int editTable() const { return editTable_; }
  int editRow() const { return editRow_; }
  int editCol() const { return editCol_; }
  // Whether column `col` of table `table` holds numbers (key filter mode 2).
  static bool numericColumn(int table, int col);

  std::array<Control*, kPresetLineCount> Text1{};
  std::array<Control*, kTables> MSFlexGrid1{};
  Control* TabStrip1 = nullptr;
  Control* TreeView1 = nullptr;
  Control* Text2 = nullptr;
  Control* LblHint = nullptr;
  Control* Command1 = nullptr;
  Control* Command5 = nullptr;

 private:
  void loadPresets();
  void loadOptions();
  void fillTable(int table, const OptionLists& lists);
  OptionLists listsFromTables() const;
  void showTab(int tab);

  AppContext& ctx_;
  int panel_ = 8;
  int target_ = 0;
  std::array<int, kTables> currentRow_{};
  int editTable_ = -1, editRow_ = 0, editCol_ = 0;
  int tab_ = 0;
};

}  // namespace vx
