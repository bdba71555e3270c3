#include "properties/property_window.h"

#include <cmath>

#include "common/helpers.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "properties/medium_limits.h"
#include "properties/property_files.h"

namespace vx {

namespace {

constexpr int kRemarkCharacters = 50;

// Whole number nearest to a bound, halves to even, kept within int.
int wholeBound(float v) {
  if (!std::isfinite(v)) return 0;
  const double r = std::nearbyint(static_cast<double>(v));
  return static_cast<int>(std::fmax(-1e9, std::fmin(1e9, r)));
}

// The first `n` UTF-8 characters of a text.
std::string firstCharacters(const std::string& s, int n) {
  size_t i = 0;
  for (int count = 0; i < s.size(); ++count) {
    if (count == n) return s.substr(0, i);
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  }
  return s;
}

std::string trimBlanks(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace

PropertyWindow::PropertyWindow(AppContext& context) : WindowModel(kName), ctx_(context) {
  build();
  OnLoad();
}

void PropertyWindow::build() {
  TreeView1 = &controls_.add("TreeView1", ControlKind::ListBox);
  TreeView1->picked = [this] { SelectView(TreeView1->listIndex); };
  StatusBar1 = &controls_.add("StatusBar1", ControlKind::Label);
  for (int i = 0; i < 3; ++i) {
    Frame1[static_cast<size_t>(i)] = &controls_.add("Frame1", ControlKind::Frame, i);
    Frame1[static_cast<size_t>(i)]->text = LoadMessage(561 + i);
  }

  // Self-built media.
  List1 = &controls_.add("List1", ControlKind::ListBox);
  List1->picked = [this] { LoadSelfRecord(); };
  controls_.add("Label1", ControlKind::Label).text = "名称";
  MassName = &controls_.add("MassName", ControlKind::TextBox);
  controls_.add("Label2", ControlKind::Label).text = "说明(说明文字限定50个字符)";
  shuoming = &controls_.add("shuoming", ControlKind::TextBox);
  shuoming->changed = [this] {
    std::string cut = firstCharacters(shuoming->text, kRemarkCharacters);
    if (cut != shuoming->text) shuoming->text = cut;
  };
  MyDataGrid = &controls_.add("MyDataGrid", ControlKind::Grid);
  MyDataGrid->keyPress = [this](int key) { return GridKey(key); };
  MyDataGrid->cellClicked = [this](int r, int c) {
    currentRow = r;
    currentCol = c;
    // The unit button stands in the unit cell of the row clicked.
    GridBTN->visible = c == 5 && r >= 1 && r <= 7;
  };
  MyDataGrid->cellEdited = [this](int r, int c) {
    currentRow = r;
    currentCol = c;
    if (r == 1 && c == 4) selectedTemperatureChanged();
  };
  static const std::vector<std::vector<std::string>> units = {
      {LoadMessage(249)}, {"kg/m3"}, {"kg/m3"}, {"KJ/(kg.K)", "Kcal/(kg.K)"}, {"W/(m.K)", "Kcal/(m.h.K)"},
      {"cP", "Pa.S"},     {"KJ/kg", "Kcal/kg"}};
  for (int i = 0; i < 7; ++i) {
    Control& u = controls_.add("MyDataBaseUnit", ControlKind::ComboBox, i);
    u.items = units[static_cast<size_t>(i)];
    u.visible = false;
    u.keyPress = [](int) { return 0; };
    u.picked = [this, i] {
      selectUnit(i, MyDataBaseUnit[static_cast<size_t>(i)]->listIndex);
      MyDataBaseUnit[static_cast<size_t>(i)]->visible = false;
    };
    u.left = [this, i] { MyDataBaseUnit[static_cast<size_t>(i)]->visible = false; };
    MyDataBaseUnit[static_cast<size_t>(i)] = &u;
  }
  GridBTN = &controls_.add("GridBTN", ControlKind::Button);
  GridBTN->text = "...";
  GridBTN->visible = false;
  GridBTN->clicked = [this] {
    if (currentRow < 1 || currentRow > 7) return;
    Control& list = *MyDataBaseUnit[static_cast<size_t>(currentRow - 1)];
    list.visible = true;
    focus = list.label();
  };
  Command1 = &controls_.add("Command1", ControlKind::Button);
  Command1->text = "添加/更新";
  Command1->clicked = [this] { SaveSelf(); };
  Command2 = &controls_.add("Command2", ControlKind::Button);
  Command2->text = "删除";
  Command2->clicked = [this] { DeleteSelf(); };

  // Common fluids.
  List2 = &controls_.add("List2", ControlKind::ListBox);
  List2->picked = [this] { LoadCommonFluid(); };
  static const char* entryCaptions[2] = {"浓度(Wt%)", "温度(℃)"};
  for (int i = 0; i < 2; ++i) {
    controls_.add("Label6", ControlKind::Label, i).text = entryCaptions[i];
    Control& s = controls_.add("Scroll", ControlKind::Spin, i);
    s.text = "0";
    s.keyPress = [](int) { return 0; };
    // The person moves the bar: the value stays within its bounds.
    s.changed = [this, i] {
      const double value = Val(Scroll[static_cast<size_t>(i)]->text);
      setScrollValue(i, static_cast<int>(std::lround(std::fmax(-1e9, std::fmin(1e9, value)))));
    };
    Scroll[static_cast<size_t>(i)] = &s;
    Control& t = controls_.add("Text2", ControlKind::TextBox, i);
    t.keyPress = [](int key) { return KeyFilter(key, 2); };
    t.changed = [this, i] { EntryTyped(i); };
    Text2[static_cast<size_t>(i)] = &t;
  }
  for (int i = 0; i < 4; ++i) Label5[static_cast<size_t>(i)] = &controls_.add("Label5", ControlKind::Label, i);
  Command5 = &controls_.add("Command5", ControlKind::Button);
  Command5->text = "确定";
  Command5->clicked = [this] { CommonFluidCommand(); };
  struct Result {
    const char* name;
    const char* caption;
    const char* unit;
    Control** control;
  };
  const Result results[4] = {{"pdensity", "密度", "kg/m3", &pdensity},
                             {"pspecificheat", "比热容", "KJ/kg.K", &pspecificheat},
                             {"pconduction", "导热系数", "W/m.K", &pconduction},
                             {"pviscosity", "粘度", "cP", &pviscosity}};
  for (int i = 0; i < 4; ++i) {
    controls_.add("Label7", ControlKind::Label, i).text = results[i].caption;
    *results[i].control = &controls_.add(results[i].name, ControlKind::TextBox);
    (*results[i].control)->keyPress = [](int key) { return KeyFilter(key, 2); };
    controls_.add("Label8", ControlKind::Label, i).text = results[i].unit;
  }
  txtp5gas = &controls_.add("txtp5gas", ControlKind::TextBox);
  txtp5gas->visible = false;
  txttalent = &controls_.add("txttalent", ControlKind::TextBox);
  txttalent->visible = false;

  // Data bank.
  Combo7 = &controls_.add("Combo7", ControlKind::ComboBox);
  Combo7->keyPress = [](int) { return 0; };
  controls_.add("Label9", ControlKind::Label).text = "百分比";
  Frication = &controls_.add("Frication", ControlKind::TextBox);
  Frication->text = "100";
  Frication->keyPress = [](int key) { return KeyFilter(key, 3); };
  Component = &controls_.add("Component", ControlKind::ComboBox);
  Component->keyPress = [](int) { return 0; };
  Command12 = &controls_.add("Command12", ControlKind::Button);
  Command12->text = "添加";
  Command12->clicked = [this] { AddComponent(); };
  DpGridMix = &controls_.add("DpGridMix", ControlKind::Grid);
  DpGridMix->cellClicked = [this](int r, int c) {
    mixRow = r;
    mixCol = c;
    setMixFocus(true);
    ShowComponent(r);
  };
  DpGridMix->left = [this] { setMixFocus(false); };
  DpGrid = &controls_.add("DpGrid", ControlKind::Grid);
  DpGridMixData = &controls_.add("DpGridMixData", ControlKind::Grid);
  // The component list starts without the focus.
  DpGrid->visible = false;
  controls_.add("Label10", ControlKind::Label).text = "定性温度,K";
  Text8 = &controls_.add("Text8", ControlKind::TextBox);
  Text8->text = "293";
  Text8->keyPress = [](int key) { return KeyFilter(key, 2); };
  Text8->changed = [this] { Estimate(); };
  for (int i = 0; i < 2; ++i) Label4[static_cast<size_t>(i)] = &controls_.add("Label4", ControlKind::Label, i);
  DelRow = &controls_.add("DelRow", ControlKind::Menu);
  DelRow->text = "删除当前行";
  DelRow->clicked = [this] { DeleteComponentRow(); };

  Command3 = &controls_.add("Command3", ControlKind::Button);
  Command3->text = "采用";
  Command3->clicked = [this] { Adopt(); };
  Command7 = &controls_.add("Command7", ControlKind::Button);
  Command7->text = "取消";
  Command7->clicked = [this] { Cancel(); };

  // Hidden maintenance commands: rebuild the record files from their sources.
  struct Maintenance {
    const char* name;
    const char* caption;
    std::function<bool()> run;
  };
  const auto& dir = ctx_.dataDir;
  const Maintenance maintenance[6] = {
      {"Command6", "生成", [dir] { return GenerateBaseData(dir).ok; }},
      {"Command8", "PubData", [dir] { return ImportCommonData(dir).ok; }},
      {"Command9", "RFF", [dir] { return ImportRff(dir).ok; }},
      {"Command10", "Matrix", [dir] { return ImportMatrix(dir).ok; }},
      {"Command11", "RFF4", [dir] { return ImportRffa(dir).ok; }},
      {"Command13", "", [dir] { return TidySelfData(dir); }},
  };
  for (const auto& m : maintenance) {
    Control& c = controls_.add(m.name, ControlKind::Button);
    c.text = m.caption;
    c.visible = false;
    c.clicked = [this, run = m.run] {
      BusyPointer busy(ctx_.host);
      if (!run()) ShowMessage(ctx_.host, 569, {"|1", "75"}, Icon::Critical);
    };
  }
}

void PropertyWindow::OnLoad() {
  // A window opened and closed again by its title bar hands nothing over.
  ctx_.var.AdoptedName.clear();

  GridState& info = DpGrid->grid;
  info.resize(14, 2);
  info.fixedCols = 1;
  info.colWidths = {1700, 2500};
  for (int r = 0; r < 14; ++r) info.cell(r, 0) = LoadMessage(542 + r);

  GridState& mix = DpGridMix->grid;
  mix.resize(2, 3);
  mix.fixedRows = 1;
  mix.colWidths = {3000, 1200, 0};
  const auto header = GridFormatItems(LoadMessage(560));
  for (int c = 0; c < 2 && c < static_cast<int>(header.size()); ++c) mix.cell(0, c) = header[static_cast<size_t>(c)];
  Component->items = {LoadMessage(558, {"|1", LoadMessage(556)}), LoadMessage(558, {"|1", LoadMessage(557)})};
  SelectEntry(*Component, 0);

  GridState& g = MyDataGrid->grid;
  g.resize(8, 6);
  g.fixedRows = 1;
  g.fixedCols = 1;
  g.colWidths = {1200, 800, 800, 800, 800, 1400};
  const std::string format = LoadMessage(559);
  const size_t split = format.find(';');
  const auto colHeads = GridFormatItems(format.substr(0, split));
  const auto rowHeads = GridFormatItems(split == std::string::npos ? "" : format.substr(split + 1));
  for (int c = 0; c < 6 && c < static_cast<int>(colHeads.size()); ++c) g.cell(0, c) = colHeads[static_cast<size_t>(c)];
  for (int r = 0; r < 8 && r < static_cast<int>(rowHeads.size()); ++r) g.cell(r, 0) = rowHeads[static_cast<size_t>(r)];
  g.backColor(1, 4) = kSelectedCellYellow;

  GridState& est = DpGridMixData->grid;
  est.resize(kEstimateRows, 3);
  est.colWidths = {1200, 1200, 1200};

  caption = LoadMessage(343);
  mode_ = kSelfView;
  for (int i = 0; i < 7; ++i) selectUnit(i, 0);
  TidySelfData(ctx_.dataDir);
  fillSelfList();
  TreeView1->items = {LoadMessage(561), LoadMessage(562), LoadMessage(563)};
  SelectView(0);
}

void PropertyWindow::onClose() {
  // Taken out first: applying the hand-over may close windows itself.
  auto hook = std::move(whenClosed);
  whenClosed = nullptr;
  if (hook) hook();
}

void PropertyWindow::close() { ctx_.windows.closeWindow(kName); }

void PropertyWindow::fillSelfList() {
  List1->items.clear();
  selfRecords_.clear();
  for (const auto& e : ListSelfData(ctx_.dataDir)) {
    List1->items.push_back(e.Name);
    selfRecords_.push_back(e.Record);
  }
  List1->listIndex = -1;
  List1->text.clear();
}

void PropertyWindow::showCount(size_t count) {
  StatusBar1->text = LoadMessage(525, {"|1", std::to_string(count)});
}

void PropertyWindow::selectUnit(int i, int entry) {
  Control& list = *MyDataBaseUnit[static_cast<size_t>(i)];
  if (entry < 0 || entry >= static_cast<int>(list.items.size())) return;
  list.listIndex = entry;
  list.text = list.items[static_cast<size_t>(entry)];
  MyDataGrid->grid.cell(i + 1, 5) = list.text;
}

void PropertyWindow::SelectView(int node) {
  if (node < 0 || node > 2) return;
  TreeView1->listIndex = node;
  TreeView1->text = TreeView1->items[static_cast<size_t>(node)];
  for (Control* f : Frame1) f->visible = false;
  size_t count = 0;
  mode_ = node;
  switch (node) {
    case kSelfView:
      Command2->enabled = Command3->enabled = Command1->enabled = true;
      Command5->enabled = false;
      count = List1->items.size();
      break;
    case kCommonView:
      if (List2->items.empty()) List2->items = ListCommonFluids(ctx_.dataDir);
      Command2->enabled = Command1->enabled = false;
      Command3->enabled = Command5->enabled = true;
      count = List2->items.size();
      break;
    default: {
      GridState& est = DpGridMixData->grid;
      static const int captions[4] = {237, 363, 227, 400};
      static const char* unitTexts[4] = {"kg/m3", "KJ/(Kg.K)", "W/(m.K)", "cP"};
      for (int r = 0; r < 8; ++r) {
        est.cell(r, 0) = LoadMessage(captions[r / 2]) + LoadMessage(r % 2 == 0 ? 566 : 567);
        est.cell(r, 2) = unitTexts[r / 2];
      }
      est.cell(8, 0) = LoadMessage(367);
      est.cell(8, 2) = "bar";
      if (Combo7->items.empty()) {
        Combo7->items = ListBaseData(ctx_.dataDir);
        componentSearchTexts = ListBaseDataSearchTexts(ctx_.dataDir);
      }
      Command2->enabled = Command3->enabled = Command1->enabled = Command5->enabled = false;
      count = Combo7->items.size();
      break;
    }
  }
  Frame1[static_cast<size_t>(node)]->visible = true;
  showCount(count);
}

std::string PropertyWindow::selfGridText(int row, float value) const {
  // Every digit the file holds, so that saving an unchanged record does not
  // round it; a zero property shows as an empty cell.
  if (row == 1 || row == 2 || row == 4) return PlainNumber(value);
  return value == 0 ? std::string() : PlainNumber(value);
}

void PropertyWindow::LoadSelfRecord() {
  const int entry = List1->listIndex;
  if (entry < 0 || entry >= static_cast<int>(selfRecords_.size())) return;
  Assign(*MassName, List1->items[static_cast<size_t>(entry)]);
  auto rec = ReadSelfData(ctx_.dataDir, selfRecords_[static_cast<size_t>(entry)]);
  if (!rec) {
    ShowMessage(ctx_.host, 569, {"|1", "75"}, Icon::Critical);
    loaded_.reset();
    return;
  }
  loaded_ = rec;
  GridState& g = MyDataGrid->grid;
  const std::array<const std::array<float, 4>*, 7> rows = {&rec->Temperature,  &rec->Density,      &rec->VapourDensity,
                                                           &rec->SpecificHeat, &rec->Conductivity, &rec->Viscosity,
                                                           &rec->LatentHeat};
  for (int k = 0; k < 3; ++k)
    for (int r = 1; r <= 7; ++r) g.cell(r, k + 1) = selfGridText(r, (*rows[static_cast<size_t>(r - 1)])[static_cast<size_t>(k)]);
  Assign(*shuoming, rec->Remark);
  const bool oneTemperature = rec->Temperature[0] == rec->Temperature[1] && rec->Temperature[1] == rec->Temperature[2];
  for (int r = 1; r <= 7; ++r) g.cell(r, 4) = oneTemperature ? g.cell(r, 1) : std::string();
  for (int i = 0; i < 7; ++i) selectUnit(i, 0);
}

int PropertyWindow::GridKey(int key) {
  // The view model edits the cell itself; the key goes no further.
  const int r = currentRow, c = currentCol;
  if (r < 1 || r > 7 || c < 1 || c > 4) return 0;
  std::string& text = MyDataGrid->grid.cell(r, c);
  if (key == kBackSpace) {
    if (!text.empty()) text.pop_back();
  } else if (KeyFilter(key, 2) != 0) {
    text += static_cast<char>(key);
  }
  if (r == 1 && c == 4) selectedTemperatureChanged();
  return 0;
}

void PropertyWindow::selectedTemperatureChanged() {
  GridState& g = MyDataGrid->grid;
  SelfDataTexts values{};
  if (loaded_) {
    values = SelfDataAtTemperature(*loaded_, static_cast<float>(gridNumber(1, 1)), static_cast<float>(gridNumber(1, 2)),
                                   static_cast<float>(gridNumber(1, 3)), static_cast<float>(gridNumber(1, 4)));
  }
  static const int rows[6] = {2, 4, 5, 6, 3, 7};
  for (int i = 0; i < 6; ++i) g.cell(rows[i], 4) = values[static_cast<size_t>(i)];
}

void PropertyWindow::SaveSelf() {
  SelfDataColumns v;
  auto value = [this](int row, int col) {
    double x = gridNumber(row, col);
    if (row >= 4 && MyDataBaseUnit[static_cast<size_t>(row - 1)]->listIndex == 1)
      x *= kSecondUnitFactor[static_cast<size_t>(row - 1)];
    return static_cast<float>(x);
  };
  for (size_t k = 0; k < 3; ++k) {
    const int col = static_cast<int>(k) + 1;
    v.Temperature[k] = value(1, col);
    v.Density[k] = value(2, col);
    v.VapourDensity[k] = value(3, col);
    v.SpecificHeat[k] = value(4, col);
    v.Conductivity[k] = value(5, col);
    v.Viscosity[k] = value(6, col);
    v.LatentHeat[k] = value(7, col);
  }
  auto n = SaveSelfData(ctx_.dataDir, ctx_.host, MassName->text, v, shuoming->text);
  if (!n) return;
  auto rec = ReadSelfData(ctx_.dataDir, *n);
  int entry = -1;
  for (size_t i = 0; i < selfRecords_.size(); ++i)
    if (selfRecords_[i] == *n) entry = static_cast<int>(i);
  if (entry < 0 && rec) {
    List1->items.push_back(rec->Name);
    selfRecords_.push_back(*n);
    entry = static_cast<int>(List1->items.size()) - 1;
  }
  // The record just saved is the one selected and interpolated from.
  if (entry >= 0) {
    List1->listIndex = entry;
    List1->text = List1->items[static_cast<size_t>(entry)];
  }
  loaded_ = rec;
  showCount(List1->items.size());
}

void PropertyWindow::DeleteSelf() {
  if (ShowMessage(ctx_.host, 526, {}, Icon::Question, Buttons::YesNo) != Answer::Yes) return;
  const int entry = List1->listIndex;
  if (entry < 0 || entry >= static_cast<int>(selfRecords_.size())) {
    ShowMessage(ctx_.host, 527);
    return;
  }
  if (!DeleteSelfData(ctx_.dataDir, selfRecords_[static_cast<size_t>(entry)], List1->items[static_cast<size_t>(entry)]))
    ShowMessage(ctx_.host, 569, {"|1", "75"}, Icon::Critical);
  Assign(*MassName, "");
  GridState& g = MyDataGrid->grid;
  // The selected values went with the record.
  for (int r = 1; r <= 7; ++r)
    for (int c = 1; c <= 4; ++c) g.cell(r, c).clear();
  loaded_.reset();
  fillSelfList();
  showCount(List1->items.size());
}

void PropertyWindow::setScrollValue(int i, int value) {
  ScrollState& s = scroll[static_cast<size_t>(i)];
  s.value = std::max(s.min, std::min(s.max, value));
  Scroll[static_cast<size_t>(i)]->text = std::to_string(s.value);
  ScrollChanged(i);
}

void PropertyWindow::setScrollBounds(int i, bool enabled, float low, float high) {
  Scroll[static_cast<size_t>(i)]->enabled = enabled;
  Text2[static_cast<size_t>(i)]->enabled = enabled;
  if (!enabled) return;
  ScrollState& s = scroll[static_cast<size_t>(i)];
  s.min = wholeBound(low);
  s.max = std::max(s.min, wholeBound(high));
  s.smallStep = 1;
  s.largeStep = std::max(1, wholeBound(high / 10));
  Label5[static_cast<size_t>(2 * i)]->text = PlainNumber(low);
  Label5[static_cast<size_t>(2 * i + 1)]->text = PlainNumber(high);
  // A bar keeps its value within its bounds; a value it had to move is a change.
  if (s.value < s.min || s.value > s.max) setScrollValue(i, s.value);
}

void PropertyWindow::LoadCommonFluid() {
  const int entry = List2->listIndex;
  auto rec = ReadCommonFluid(ctx_.dataDir, entry + 1);
  if (!rec) return;
  setScrollBounds(0, rec->HasConcentration != 0, rec->CMin, rec->CMax);
  setScrollBounds(1, rec->HasTemperature != 0, rec->TMin, rec->TMax);
  for (Control* box : {pdensity, pspecificheat, pconduction, pviscosity}) box->text.clear();
}

void PropertyWindow::EntryTyped(int i) {
  // The bar follows the typed number as far as its bounds allow; the text
  // stays as typed (a half-typed number must not be corrected under the
  // person's hands), and the command checks it against the bounds.
  ScrollState& s = scroll[static_cast<size_t>(i)];
  const double typed = std::fmax(-1e9, std::fmin(1e9, Val(Text2[static_cast<size_t>(i)]->text)));
  const int value = std::max(s.min, std::min(s.max, static_cast<int>(std::lround(typed))));
  if (value == s.value) return;
  s.value = value;
  Scroll[static_cast<size_t>(i)]->text = std::to_string(value);
  followConcentration();
}

void PropertyWindow::ScrollChanged(int i) {
  Assign(*Text2[static_cast<size_t>(i)], std::to_string(scroll[static_cast<size_t>(i)].value));
  followConcentration();
}

void PropertyWindow::followConcentration() {
  // The lowest temperature of the table depends on the concentration: that
  // of the bar, which stays within the table where a typed one may not.
  if (mode_ == kCommonView && Scroll[0]->enabled) {
    auto tmin = MinTemperature(LoadFluidTables(ctx_.dataDir), List2->listIndex, scroll[0].value);
    if (tmin) {
      ScrollState& t = scroll[1];
      t.min = *tmin;
      t.max = std::max(t.max, t.min);
      if (t.value < t.min) {
        t.value = t.min;
        Scroll[1]->text = std::to_string(t.value);
        Assign(*Text2[1], Scroll[1]->text);
      }
    }
  }
  Label5[2]->text = std::to_string(scroll[1].min);
}

void PropertyWindow::CommonFluidCommand() {
  const int k = List2->listIndex;
  if (k < 0) return;
  EntryBounds cb{Scroll[0]->enabled, scroll[0].min, scroll[0].max};
  EntryBounds tb{Scroll[1]->enabled, scroll[1].min, scroll[1].max};
  const double c = Val(Text2[0]->text), t = Val(Text2[1]->text);
  const FluidTables tables = LoadFluidTables(ctx_.dataDir);
  // The lowest temperature shown is that of the concentration calculated.
  if (cb.enabled && c >= cb.lower && c <= cb.upper) {
    if (auto tmin = MinTemperature(tables, k, c)) {
      scroll[1].min = *tmin;
      scroll[1].max = std::max(scroll[1].max, scroll[1].min);
      Label5[2]->text = std::to_string(*tmin);
    }
  }
  CommonFluidTexts texts = CommonFluidProps(tables, ctx_.host, k, c, t, cb, tb);
  Assign(*pdensity, texts[0]);
  Assign(*pspecificheat, texts[1]);
  Assign(*pconduction, texts[2]);
  Assign(*pviscosity, texts[3]);
}

void PropertyWindow::AddComponent() {
  if (Combo7->listIndex < 0) {
    ShowMessage(ctx_.host, 537, {}, Icon::Question);
    return;
  }
  GridState& mix = DpGridMix->grid;
  double sum = 0;
  for (int r = 1; r < mix.rows; ++r) sum += Val(mix.cell(r, 1));
  if (sum + Val(Frication->text) > 100) {
    ShowMessage(ctx_.host, 538, {}, Icon::Critical);
    return;
  }
  // A list whose every row was deleted has only its header left to write into.
  const bool currentFilled = mix.inside(mixRow, mixCol) && !mix.cell(mixRow, mixCol).empty();
  if (currentFilled || mix.rows < 2) {
    GridState grown = mix;
    grown.resize(mix.rows + 1, mix.cols);
    for (int r = 0; r < mix.rows; ++r)
      for (int c = 0; c < mix.cols; ++c) grown.cell(r, c) = mix.cell(r, c);
    grown.fixedRows = mix.fixedRows;
    grown.colWidths = mix.colWidths;
    mix = grown;
  }
  const int last = mix.rows - 1;
  mix.cell(last, 0) = Combo7->text;
  mix.cell(last, 1) = Frication->text;
  mix.cell(last, 2) = std::to_string(Combo7->listIndex + 1);
}

void PropertyWindow::ShowComponent(int row) {
  GridState& mix = DpGridMix->grid;
  if (row < 1 || row >= mix.rows) return;
  const int n = static_cast<int>(Val(mix.cell(row, 2)));
  if (n == 0) return;
  auto rec = ReadBaseData(ctx_.dataDir, n);
  if (!rec) return;
  component_ = rec;
  GridState& info = DpGrid->grid;
  info.cell(0, 1) = rec->NameCn;
  info.cell(1, 1) = rec->AliasCn;
  info.cell(2, 1) = rec->NameEn;
  info.cell(3, 1) = rec->CasNo;
  info.cell(4, 1) = rec->Formula;
  const float numbers[9] = {rec->MolWeight, rec->TFreeze, rec->TBoil, rec->Tc,    rec->Pc,
                            rec->Vc,        rec->Zc,      rec->Omega, rec->Dipole};
  for (int i = 0; i < 9; ++i) info.cell(5 + i, 1) = FormatProp(numbers[i]);
}

void PropertyWindow::setMixFocus(bool focused) {
  DpGrid->visible = focused;
  DpGridMixData->visible = !focused;
}

void PropertyWindow::DeleteComponentRow() {
  GridState& mix = DpGridMix->grid;
  if (mixRow < 1 || mixRow >= mix.rows) return;
  GridState shrunk = mix;
  shrunk.resize(mix.rows - 1, mix.cols);
  for (int r = 0, to = 0; r < mix.rows; ++r) {
    if (r == mixRow) continue;
    for (int c = 0; c < mix.cols; ++c) shrunk.cell(to, c) = mix.cell(r, c);
    ++to;
  }
  shrunk.fixedRows = mix.fixedRows;
  shrunk.colWidths = mix.colWidths;
  mix = shrunk;
}

void PropertyWindow::Estimate() {
  GridState& est = DpGridMixData->grid;
  auto e = BaseDataEstimate(component_ ? *component_ : BaseDataRecord{}, ctx_.host, Val(Text8->text));
  for (int r = 0; r < kEstimateRows; ++r) est.cell(r, 1) = e ? e->rows[static_cast<size_t>(r)] : "";
  Label4[0]->text = e ? e->viscosityRange : "";
  Label4[1]->text = e ? e->vapourPressureRange : "";
}

void PropertyWindow::handOver(const std::string& name, float density, float vapourDensity, float cp,
                              float conductivity, float viscosity, float latent) {
  VeloxaVar& v = ctx_.var;
  v.AdoptedName = FixedText(name, kSelfNameWidth);
  v.AdoptedDensity = density;
  v.AdoptedVapourDensity = vapourDensity;
  v.AdoptedCp = cp;
  v.AdoptedConductivity = conductivity;
  v.AdoptedViscosity = viscosity;
  v.AdoptedLatent = latent;
  close();
}

void PropertyWindow::Adopt() {
  auto number = [](const std::string& text) { return static_cast<float>(Val(text)); };
  // A medium the rating could not work with, or no fluid could have, is
  // not handed over.
  auto usable = [](float density, float cp, float conductivity, float viscosity) {
    return PlausibleLiquid(density, cp, conductivity, viscosity);
  };
  if (mode_ == kSelfView) {
    const std::string name = List1->listIndex >= 0 ? List1->text : "";
    GridState& g = MyDataGrid->grid;
    // Column 4 holds the values in the stored units, whatever unit is chosen.
    const float density = number(g.cell(2, 4)), vapour = number(g.cell(3, 4)), cp = number(g.cell(4, 4)),
                conductivity = number(g.cell(5, 4)), viscosity = number(g.cell(6, 4)), latent = number(g.cell(7, 4));
    if (trimBlanks(name).empty() || !usable(density, cp, conductivity, viscosity) || !PlausibleVapour(latent, vapour)) {
      ShowMessage(ctx_.host, 572);
      return;
    }
    handOver(name, density, vapour, cp, conductivity, viscosity, latent);
  } else if (mode_ == kCommonView) {
    const std::string name = List2->listIndex >= 0 ? List2->text : "";
    const float density = number(pdensity->text), cp = number(pspecificheat->text),
                conductivity = number(pconduction->text), viscosity = number(pviscosity->text);
    if (trimBlanks(name).empty() || !usable(density, cp, conductivity, viscosity) ||
        !PlausibleVapour(number(txttalent->text), number(txtp5gas->text))) {
      ShowMessage(ctx_.host, 539);
      return;
    }
    handOver(name, density, number(txtp5gas->text), cp, conductivity, viscosity, number(txttalent->text));
  }
}

void PropertyWindow::Cancel() {
  ctx_.var.AdoptedName.clear();
  close();
}

}  // namespace vx
