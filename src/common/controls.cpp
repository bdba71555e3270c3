#include "common/controls.h"

#include "common/gbk.h"
#include "common/helpers.h"

namespace vx {

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox: return "text";
    case ControlKind::Label: return "label";
    case ControlKind::Button: return "button";
    case ControlKind::CheckBox: return "check";
    case ControlKind::Option: return "option";
    case ControlKind::ComboBox: return "combo";
    case ControlKind::ListBox: return "list";
    case ControlKind::Grid: return "grid";
    case ControlKind::Frame: return "frame";
    case ControlKind::Picture: return "picture";
    case ControlKind::Menu: return "menu";
    case ControlKind::ToolKey: return "toolkey";
    case ControlKind::Tab: return "tab";
    case ControlKind::Spin: return "spin";
  }
  return "label";
}

std::vector<std::string> GridFormatItems(const std::string& part) {
  std::vector<std::string> items;
  size_t start = 0;
  while (true) {
    size_t bar = part.find('|', start);
    std::string item = part.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if (!item.empty() && (item[0] == '^' || item[0] == '<' || item[0] == '>')) item.erase(0, 1);
    items.push_back(item);
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return items;
}

void GridState::resize(int r, int c) {
  rows = r;
  cols = c;
  cells.assign(static_cast<size_t>(r * c), std::string());
  backColors.assign(static_cast<size_t>(r * c), kDefaultColor);
}

void GridState::clearCells(int fromRow) {
  for (int r = fromRow; r < rows; ++r)
    for (int c = fixedCols; c < cols; ++c) {
      cell(r, c).clear();
      backColor(r, c) = kDefaultColor;
    }
}

Control& ControlSet::add(const std::string& name, ControlKind kind, int index) {
  Control& c = controls_.emplace_back();
  c.name = name;
  c.kind = kind;
  c.index = index;
  return c;
}

Control* ControlSet::find(const std::string& name, int index) {
  for (auto& c : controls_)
    if (c.name == name && c.index == index) return &c;
  return nullptr;
}

static bool usable(const Control& c) { return c.enabled && c.visible; }

void Assign(Control& c, const std::string& text) {
  c.text = text;
  if (c.changed) c.changed();
}

void SelectEntry(Control& c, int entry) {
  if (entry < -1 || entry >= static_cast<int>(c.items.size())) return;
  c.listIndex = entry;
  if (entry >= 0) c.text = c.items[static_cast<size_t>(entry)];
  if (c.picked) c.picked();
}

int FilterKey(Control& c, int key) {
  if (!usable(c)) return 0;
  return c.keyPress ? c.keyPress(key) : key;
}

bool SetText(Control& c, const std::string& text) {
  if (!usable(c)) return false;
  if (c.edited) c.edited();
  Assign(c, text);
  return true;
}

void DropLastChar(std::string& s) {
  if (s.empty()) return;
  size_t i = s.size() - 1;
  while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
  s.erase(i);
}

bool TypeKey(Control& c, int key) {
  if (!usable(c)) return false;
  if (c.keyPress) key = c.keyPress(key);
  // Only text boxes take typed text; other controls just see the key.
  if (key == 0 || c.kind != ControlKind::TextBox) return true;
  std::string text = c.text;
  if (key == kBackSpace) {
    DropLastChar(text);
  } else {
    text += Utf8Char(static_cast<unsigned>(key));
  }
  // A key that changes the text is the person's edit, as on the screen.
  if (text != c.text && c.edited) c.edited();
  Assign(c, text);
  return true;
}

bool SetChecked(ControlSet& set, Control& c, bool checked) {
  if (!usable(c)) return false;
  if (c.kind == ControlKind::Option) {
    if (!checked) return true;  // an option is cleared only by picking another
    return Click(set, c);
  }
  c.checked = checked;
  if (c.clicked) c.clicked();
  return true;
}

bool Pick(Control& c, int entry) {
  if (!usable(c) || entry < 0 || entry >= static_cast<int>(c.items.size())) return false;
  c.listIndex = entry;
  c.text = c.items[static_cast<size_t>(entry)];
  if (c.picked) c.picked();
  return true;
}

bool Click(ControlSet& set, Control& c) {
  if (!usable(c)) return false;
  if (c.kind == ControlKind::Option) {
    for (auto& other : set.all())
      if (&other != &c && other.kind == ControlKind::Option && other.group == c.group) other.checked = false;
    c.checked = true;
  } else if (c.kind == ControlKind::CheckBox) {
    c.checked = !c.checked;
  }
  if (c.clicked) c.clicked();
  return true;
}

bool ClickCell(Control& c, int row, int col) {
  if (!usable(c) || !c.grid.inside(row, col)) return false;
  if (c.cellClicked) c.cellClicked(row, col);
  return true;
}

bool SetCell(Control& c, int row, int col, const std::string& text) {
  if (!usable(c) || !c.grid.inside(row, col)) return false;
  c.grid.cell(row, col) = text;
  if (c.cellEdited) c.cellEdited(row, col);
  return true;
}

}  // namespace vx
