#pragma once
// The controls of a window as plain state, with the rules that run when the
// person (or the system) changes them. The Qt widgets and the scripted front
// end both work from this one table, so a control is declared once.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vx {

enum class ControlKind { TextBox, Label, Button, CheckBox, Option, ComboBox, ListBox, Grid, Frame, Picture, Menu, ToolKey, Tab, Spin };

const char* kindName(ControlKind kind);

inline constexpr uint32_t kDefaultColor = 0xFFFFFFFFu;

// Cell texts and colours of a grid control, rows and columns from 0.
// Splits one part of a grid's format text ("^序号|<型号|...") at its "|":
// item i belongs to column (or row) i; the alignment marks "^", "<" and ">"
// are not shown.
std::vector<std::string> GridFormatItems(const std::string& part);

struct GridState {
  int rows = 0, cols = 0;
  int fixedRows = 0, fixedCols = 0;
  std::vector<std::string> cells;
  std::vector<uint32_t> backColors;  // kDefaultColor = the grid's own colour
  std::vector<int> colWidths;        // twips; empty = the screen's own widths

  void resize(int r, int c);
  bool inside(int r, int c) const { return r >= 0 && c >= 0 && r < rows && c < cols; }
  std::string& cell(int r, int c) { return cells[static_cast<size_t>(r * cols + c)]; }
  const std::string& cell(int r, int c) const { return cells[static_cast<size_t>(r * cols + c)]; }
  uint32_t& backColor(int r, int c) { return backColors[static_cast<size_t>(r * cols + c)]; }
  void clearCells(int fromRow);
};

// Lines drawn in a picture box, in the box's user coordinates.
struct PictureLine {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int width = 1;
  uint32_t color = 0;  // 0x00BBGGRR, as colour values are written
};

struct PictureState {
  // User coordinates: the left and top edges, the width and the height
  // (a negative height makes y grow upward).
  double left = 0, top = 0, width = 1, height = 1;
  std::vector<PictureLine> lines;
};

struct Control {
  std::string name;
  int index = -1;          // element of a control array, -1 for a single control
  ControlKind kind = ControlKind::Label;
  std::string text;        // text, caption or selected list text
  std::string toolTip;
  std::string shortcut;    // menus: "Ctrl+N"
  std::string group;       // options: the group whose options exclude each other
  std::vector<std::string> items;
  int listIndex = -1;
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  uint32_t foreColor = kDefaultColor;
  uint32_t backColor = kDefaultColor;
  GridState grid;
  PictureState picture;

  // Rules. Each may be empty.
  std::function<void()> edited;               // the person is about to change the text
  std::function<void()> changed;              // the text changed
  std::function<int(int)> keyPress;           // a typed key; returns the key, 0 swallows it
  std::function<void()> clicked;              // button, menu, check box, option
  std::function<void()> picked;               // a list entry was picked
  std::function<void(int, int)> cellEdited;   // a grid cell was edited
  std::function<void(int, int)> cellClicked;  // a grid cell became the current cell
  std::function<void()> left;                 // the control lost the focus
  std::function<void(double, double)> mouseMoved;  // the pointer moved over a picture, in its user coordinates

  std::string label() const { return index < 0 ? name : name + "(" + std::to_string(index) + ")"; }
};

// The controls of one window; references stay valid as controls are added.
class ControlSet {
 public:
  Control& add(const std::string& name, ControlKind kind, int index = -1);
  Control* find(const std::string& name, int index = -1);
  std::deque<Control>& all() { return controls_; }
  const std::deque<Control>& all() const { return controls_; }

 private:
  std::deque<Control> controls_;
};

// Removes the last character (all its UTF-8 bytes) of a text, as Backspace does.
void DropLastChar(std::string& s);

// The actions a person can take on a control. Each runs the control's rules,
// also when the new value equals the old one. Actions on a disabled or
// hidden control do nothing, as on the screen. They return false then.
bool SetText(Control& c, const std::string& text);
bool TypeKey(Control& c, int key);
bool SetChecked(ControlSet& set, Control& c, bool checked);
bool Pick(Control& c, int entry);
bool Click(ControlSet& set, Control& c);
bool SetCell(Control& c, int row, int col, const std::string& text);
// The person clicks a grid cell: it becomes the current cell.
bool ClickCell(Control& c, int row, int col);

// Assignments made by the system itself: they run the rules whatever the
// control's enabled state.
void Assign(Control& c, const std::string& text);
// Selects a list entry (or -1 for none) as the system does, running the
// list's rule.
void SelectEntry(Control& c, int entry);
// Runs the key rules of a control and returns the key that gets through
// (0 when swallowed), without changing the text: the screen edits the text
// itself and reports it with Assign.
int FilterKey(Control& c, int key);

}  // namespace vx
