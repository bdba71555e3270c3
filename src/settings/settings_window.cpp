#include "settings/settings_window.h"

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/helpers.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "settings/catalogue_edit.h"

namespace vx {
namespace {

// Captions of the 14 preset lines and their units.
struct PresetCaption {
  int id;             // catalogue id, 0 for a literal caption
  const char* text;   // the caption when id is 0
  const char* unit;   // "" when the line has no unit label
  int keyMode;        // key filter mode; -1 any key
};
constexpr std::array<PresetCaption, kPresetLineCount> kPresetCaptions = {{
    {435, "", "", 0},
    {436, "", "", 0},
    {284, "", "m/s", 2},
    {397, "", "m/s", 2},
    {437, "", "", 0},
    {371, "", "", -1},
    {372, "", "", -1},
    {374, "", "", -1},
    {242, "", "Mpa", 2},
    {438, "", "", 2},
    {243, "", "℃", 2},
    {0, "裕度", "%", 2},
    {0, "回路A允许压力降", "KPa", 2},
    {0, "回路B允许压力降", "KPa", 2},
}};

// The file lines (from 0) of table t: the lines of group key t + 1.
std::vector<int> tableLines(int table) {
  std::vector<int> lines;
  for (int i = 0; i < kOptionLineCount; ++i)
    if (kOptionGroupKeys[static_cast<size_t>(i)] == static_cast<char>('1' + table)) lines.push_back(i);
  return lines;
}

std::vector<std::string> tableHeaders(int table) {
  switch (table) {
    case 0: return {"板片材料", LoadMessage(227) + "W/(m.K)"};
    case 1: return {LoadMessage(380) + "mm"};
    case 2: return {"垫片材料", LoadMessage(303) + LoadMessage(249), "标识"};
    case 3: return {"框架形式", "标识"};
    case 4: return {"框架材料"};
    case 5: return {"接管材料"};
    case 6: return {"接管位置"};
    default: return {"法兰标准"};
  }
}

}  // namespace

const std::array<SettingsWindow::TreeNode, 11>& SettingsWindow::treeNodes() {
  static const std::array<TreeNode, 11> nodes = {{
      {"NodPlate", 332, 0, 8},
      {"NodPlateMaterial", 300, 1, 0},
      {"NodPlatethickness", 380, 1, 1},
      {"NodGesketMaterial", 298, 0, 2},
      {"NodFrame", 267, 0, 8},
      {"NodFramePattern", 334, 1, 3},
      {"NodFrameMaterial", 297, 1, 4},
      {"NodNozzle", 315, 0, 8},
      {"NodNozzleMaterial", 299, 1, 5},
      {"NodNozzleLocation", 316, 1, 6},
      {"nodFlangeCode", 224, 0, 7},
  }};
  return nodes;
}

bool SettingsWindow::numericColumn(int table, int col) {
  return (table == 0 && col == 1) || (table == 1 && col == 0) || (table == 2 && col == 1);
}

SettingsWindow::SettingsWindow(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = LoadMessage(255);
  TabStrip1 = &controls_.add("TabStrip1", ControlKind::Tab);
  TabStrip1->items = {LoadMessage(314), LoadMessage(244)};
  TabStrip1->picked = [this] { showTab(TabStrip1->listIndex); };
  controls_.add("Frame1", ControlKind::Frame);
  controls_.add("Frame2", ControlKind::Frame);
  for (int i = 0; i < kPresetLineCount; ++i) {
    const PresetCaption& pc = kPresetCaptions[static_cast<size_t>(i)];
    controls_.add("Label1", ControlKind::Label, i).text = pc.id ? LoadMessage(pc.id) : pc.text;
    if (*pc.unit) controls_.add("LblUnit", ControlKind::Label, i).text = pc.unit;
    Control& box = controls_.add("Text1", ControlKind::TextBox, i);
    const int mode = pc.keyMode;
    if (mode >= 0) box.keyPress = [mode](int key) { return KeyFilter(key, mode); };
    Text1[static_cast<size_t>(i)] = &box;
  }
  Command5 = &controls_.add("Command5", ControlKind::Button);
  Command5->text = LoadMessage(352);
  Command5->clicked = [this] { savePresets(); };
  Control& defaults = controls_.add("Command3", ControlKind::Button);
  defaults.text = LoadMessage(235);
  defaults.clicked = [this] { defaultPresets(); };
  Control& quit1 = controls_.add("Command4", ControlKind::Button);
  quit1.text = LoadMessage(253);
  quit1.clicked = [this] { close(); };

  TreeView1 = &controls_.add("TreeView1", ControlKind::ListBox);
  for (const auto& node : treeNodes()) TreeView1->items.push_back(LoadMessage(node.textId));
  TreeView1->picked = [this] {
    int n = TreeView1->listIndex;
    if (n >= 0 && n < static_cast<int>(treeNodes().size())) showPanel(treeNodes()[static_cast<size_t>(n)].panel);
  };
  LblHint = &controls_.add("LblHint", ControlKind::Label);
  LblHint->text = "鼠标右键删除或者添加一行";
  for (int t = 0; t < kTables; ++t) {
    Control& grid = controls_.add("MSFlexGrid1", ControlKind::Grid, t);
    std::vector<std::string> headers = tableHeaders(t);
    grid.grid.resize(1, static_cast<int>(headers.size()));
    grid.grid.fixedRows = 1;
    for (size_t c = 0; c < headers.size(); ++c) grid.grid.cell(0, static_cast<int>(c)) = headers[c];
    grid.cellClicked = [this, t](int row, int) {
      target_ = t;
      if (row >= 1) currentRow_[static_cast<size_t>(t)] = row;
    };
    // An edit of a cell, as the cell editor makes it (the scripted front end
    // edits cells directly).
    grid.cellEdited = [this, t](int row, int col) {
      target_ = t;
      if (row >= 1) currentRow_[static_cast<size_t>(t)] = row;
      // As typed into the cell editor: a numeric column keeps only the keys its filter lets through.
      if (!numericColumn(t, col)) return;
      std::string& text = MSFlexGrid1[static_cast<size_t>(t)]->grid.cell(row, col);
      std::string kept;
      for (char c : text)
        if (KeyFilter(static_cast<unsigned char>(c), 2)) kept += c;
      text = kept;
    };
    MSFlexGrid1[static_cast<size_t>(t)] = &grid;
  }
  Text2 = &controls_.add("Text2", ControlKind::TextBox);
  Text2->visible = false;
  Text2->keyPress = [this](int key) { return numericColumn(editTable_, editCol_) ? KeyFilter(key, 2) : key; };
  Text2->left = [this] { commitCell(); };
  Control& add = controls_.add("MA", ControlKind::Menu);
  add.text = "增加一行";
  add.clicked = [this] { insertRow(); };
  Control& remove = controls_.add("MD", ControlKind::Menu);
  remove.text = "删除当前行";
  remove.clicked = [this] { deleteRow(); };
  Command1 = &controls_.add("Command1", ControlKind::Button);
  Command1->text = LoadMessage(352);
  Command1->clicked = [this] { saveOptions(); };
  Control& quit2 = controls_.add("Command2", ControlKind::Button);
  quit2.text = LoadMessage(253);
  quit2.clicked = [this] { close(); };

  loadPresets();
  loadOptions();
  showPanel(8);
  SelectEntry(*TabStrip1, 0);
}

std::optional<std::string> SettingsWindow::fileBytes(const char* file) const {
  return readFileBytes(dataPath(ctx_.dataDir, file));
}

bool SettingsWindow::saveWholeFile(const char* file, std::optional<std::string>& seen,
                                   const std::function<bool()>& write, void (SettingsWindow::*reload)()) {
  bool overwrite = false;
  for (;;) {
    bool changed = false, written = false;
    {
      DataFolderLock lock(ctx_.dataDir);
      changed = !overwrite && fileBytes(file) != seen;
      if (!changed && (written = write())) seen = fileBytes(file);
    }
    if (written) return true;
    if (!changed) {
      ctx_.host.message(WriteFailureText(file), Icon::Critical, Buttons::Ok, 0);
      return false;
    }
    // Asked with the lock given back: the other copy may be saving again.
    switch (ShowMessage(ctx_.host, 580, {"|1", file}, Icon::Question, Buttons::YesNoCancel)) {
      case Answer::Yes: overwrite = true; continue;
      case Answer::No: (this->*reload)(); return false;
      default: return false;
    }
  }
}

void SettingsWindow::loadPresets() {
  std::optional<PresetParameters> preset;
  {
    // Read under the lock, so the copy kept for the save is the file read.
    DataFolderLock lock(ctx_.dataDir);
    presetSeen_ = fileBytes(kPresetFile);
    preset = ReadPresetFile(ctx_.dataDir);
  }
  if (!preset) {
    // Saving over a file that could not be read would replace it with
    // whatever the boxes hold: the tab stays read-only.
    ShowMessage(ctx_.host, 531, {"|1", "304"}, Icon::Critical);
    Command5->enabled = false;
    return;
  }
  for (int i = 0; i < kPresetLineCount; ++i) Text1[static_cast<size_t>(i)]->text = PresetLine(*preset, i + 1);
}

void SettingsWindow::loadOptions() {
  std::optional<OptionLists> lists;
  {
    DataFolderLock lock(ctx_.dataDir);
    optionsSeen_ = fileBytes(kOptionListFile);
    lists = ReadOptionLists(ctx_.dataDir);
  }
  if (!lists) {
    ShowMessage(ctx_.host, 531, {"|1", "304"}, Icon::Critical);
    Command1->enabled = false;
    return;
  }
  PadOptionGroups(*lists);
  for (int t = 0; t < kTables; ++t) fillTable(t, *lists);
  currentRow_.fill(1);
}

void SettingsWindow::fillTable(int table, const OptionLists& lists) {
  GridState& g = MSFlexGrid1[static_cast<size_t>(table)]->grid;
  std::vector<int> lines = tableLines(table);
  size_t rows = lists.list(lines[0]).size();
  std::vector<std::string> header(static_cast<size_t>(g.cols));
  for (int c = 0; c < g.cols; ++c) header[static_cast<size_t>(c)] = g.cell(0, c);
  g.resize(static_cast<int>(rows) + 1, g.cols);
  for (int c = 0; c < g.cols; ++c) {
    g.cell(0, c) = header[static_cast<size_t>(c)];
    const auto& entries = lists.list(lines[static_cast<size_t>(c)]);
    for (size_t r = 0; r < entries.size(); ++r) g.cell(static_cast<int>(r) + 1, c) = entries[r];
  }
}

OptionLists SettingsWindow::listsFromTables() const {
  OptionLists lists;
  for (int t = 0; t < kTables; ++t) {
    const GridState& g = MSFlexGrid1[static_cast<size_t>(t)]->grid;
    std::vector<int> lines = tableLines(t);
    for (int c = 0; c < g.cols; ++c) {
      auto& list = lists.list(lines[static_cast<size_t>(c)]);
      for (int r = 1; r < g.rows; ++r) list.push_back(g.cell(r, c));
    }
  }
  return lists;
}

void SettingsWindow::showTab(int tab) {
  commitCell();
  tab_ = tab == 1 ? 1 : 0;
  TabStrip1->listIndex = tab_;
  TabStrip1->text = TabStrip1->items[static_cast<size_t>(tab_)];
}

void SettingsWindow::showPanel(int panel) {
  commitCell();
  panel_ = panel >= 0 && panel < kPanels ? panel : 8;
  for (int t = 0; t < kTables; ++t) MSFlexGrid1[static_cast<size_t>(t)]->visible = t == panel_;
  LblHint->visible = panel_ < kTables;
}

void SettingsWindow::savePresets() {
  PresetParameters p;
  for (int i = 0; i < kPresetLineCount; ++i) PresetLine(p, i + 1) = Text1[static_cast<size_t>(i)]->text;
  if (int id = CheckPresetParameters(p)) {
    ShowMessage(ctx_.host, id);
    return;
  }
  if (!saveWholeFile(kPresetFile, presetSeen_, [&] { return WritePresetFile(ctx_.dataDir, p); },
                     &SettingsWindow::loadPresets))
    return;
  ShowMessage(ctx_.host, 443);
}

void SettingsWindow::defaultPresets() {
  PresetParameters d = DefaultPresetParameters();
  for (int i = 0; i < kPresetLineCount; ++i) Assign(*Text1[static_cast<size_t>(i)], PresetLine(d, i + 1));
}

void SettingsWindow::saveOptions() {
  commitCell();
  // The design window divides by the plate's conductivity and thickness
  // (the wall resistance): an entry that is empty, "-" or "." there would
  // reach the calculation as zero.
  for (auto [table, col] : {std::pair{0, 1}, std::pair{1, 0}}) {
    const GridState& g = MSFlexGrid1[static_cast<size_t>(table)]->grid;
    for (int r = 1; r < g.rows; ++r) {
      if (!UsablePlateNumber(g.cell(r, col))) {
        ShowMessage(ctx_.host, 440);
        showPanel(table);
        currentRow_[static_cast<size_t>(table)] = r;
        return;
      }
    }
  }
  const OptionLists lists = listsFromTables();
  if (!saveWholeFile(kOptionListFile, optionsSeen_, [&] { return WriteOptionLists(ctx_.dataDir, lists); },
                     &SettingsWindow::loadOptions))
    return;
  ShowMessage(ctx_.host, 439);
}

void SettingsWindow::close() {
  commitCell();
  ctx_.windows.closeWindow(kName);
}

void SettingsWindow::insertRow() {
  commitCell();
  GridState& g = MSFlexGrid1[static_cast<size_t>(target_)]->grid;
  int& current = currentRow_[static_cast<size_t>(target_)];
  if (current < 1 || current > g.rows) current = g.rows < 2 ? 1 : g.rows - 1;
  GridState grown = g;
  grown.resize(g.rows + 1, g.cols);
  for (int r = 0; r < g.rows; ++r)
    for (int c = 0; c < g.cols; ++c) grown.cell(r < current ? r : r + 1, c) = g.cell(r, c);
  for (int c = 0; c < g.cols; ++c) grown.cell(current, c).clear();
  grown.colWidths = g.colWidths;
  g = grown;
}

void SettingsWindow::deleteRow() {
  commitCell();
  if (ShowMessage(ctx_.host, 526, {}, Icon::None, Buttons::YesNo) != Answer::Yes) return;
  GridState& g = MSFlexGrid1[static_cast<size_t>(target_)]->grid;
  int& current = currentRow_[static_cast<size_t>(target_)];
  if (g.rows <= 1 || current < 1 || current >= g.rows) return;
  GridState shrunk = g;
  shrunk.resize(g.rows - 1, g.cols);
  for (int r = 0, to = 0; r < g.rows; ++r) {
    if (r == current) continue;
    for (int c = 0; c < g.cols; ++c) shrunk.cell(to, c) = g.cell(r, c);
    ++to;
  }
  shrunk.colWidths = g.colWidths;
  g = shrunk;
  if (current >= g.rows) current = g.rows > 1 ? g.rows - 1 : 1;
}

void SettingsWindow::editCell(int table, int row, int col) {
  commitCell();
  if (table < 0 || table >= kTables) return;
  GridState& g = MSFlexGrid1[static_cast<size_t>(table)]->grid;
  if (row < 1 || !g.inside(row, col)) return;
  target_ = table;
  currentRow_[static_cast<size_t>(table)] = row;
  editTable_ = table;
  editRow_ = row;
  editCol_ = col;
  Text2->text = g.cell(row, col);
  Text2->visible = true;
  focus = Text2->label();
}

void SettingsWindow::commitCell() {
  if (editTable_ < 0) return;
  GridState& g = MSFlexGrid1[static_cast<size_t>(editTable_)]->grid;
  if (g.inside(editRow_, editCol_)) g.cell(editRow_, editCol_) = Text2->text;
  editTable_ = -1;
  Text2->visible = false;
}

}  // namespace vx
