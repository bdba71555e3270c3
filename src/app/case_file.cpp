#include "app/case_file.h"

#include <cctype>
#include <cmath>
#include <map>

#include "app/frm_customer.h"
#include "app/session.h"
#include "common/file_io.h"
#include "common/gbk.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "common/storable_text.h"
#include "common/text_file.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "exchanger/check_result.h"
#include "exchanger/design_window.h"
#include "properties/medium_limits.h"
#include "tools/drawing.h"

namespace vx {

namespace {

// A case file is a few kilobytes; anything near this is not one.
constexpr std::uintmax_t kMaxCaseFileBytes = 1024 * 1024;
// The error codes of message 569.
const char* const kReadFailed = "104";
const char* const kWriteFailed = "103";

// A text item. The item syntax has no escape: a line break would end the
// line, so it becomes a blank (the fields keep quotes out).
std::string text(const std::string& s) { return quoteItem(OneLine(s)); }

std::string boolean(bool value) { return value ? "#TRUE#" : "#FALSE#"; }

std::optional<bool> booleanItem(const std::string& item) {
  const std::string s = trimField(item);
  if (s == "#TRUE#") return true;
  if (s == "#FALSE#") return false;
  return std::nullopt;
}

std::string whole(int value) { return std::to_string(value); }

std::string join(const std::vector<std::string>& items) {
  std::string line;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) line += ",";
    line += items[i];
  }
  return line;
}

// A number item: optional sign, digits with at most one ".", an optional
// exponent, nothing else.
bool isNumberItem(const std::string& item) {
  const std::string s = trimField(item);
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (s[i] >= '0' && s[i] <= '9') ++digits;
    else if (s[i] == '.' && !point) point = true;
    else break;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

// The single-precision value of a number item, when it is one and finite.
std::optional<float> singleItem(const std::string& item) {
  if (!isNumberItem(item)) return std::nullopt;
  const double d = Val(item);
  const float f = static_cast<float>(d);
  if (!std::isfinite(d) || !std::isfinite(f)) return std::nullopt;
  // Val gives 0 for an exponent too large to hold: a zero must be written
  // as one.
  const std::string mantissa = item.substr(0, item.find_first_of("eE"));
  if (f == 0 && mantissa.find_first_of("123456789") != std::string::npos) return std::nullopt;
  return f;
}

// A list index item, rounded, within first..last.
std::optional<int> indexItem(const std::string& item, int first, int last) {
  auto f = singleItem(item);
  if (!f) return std::nullopt;
  const double r = std::round(static_cast<double>(*f));
  if (r < first || r > last) return std::nullopt;
  return static_cast<int>(r);
}

std::string lowerText(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

int lastEntry(const Control& list) { return static_cast<int>(list.items.size()) - 1; }

}  // namespace

std::string CaseNumber(float value) { return ShortestText(std::isfinite(value) ? value : 0); }

std::vector<std::string> CaseFileLines(Session& session) {
  VeloxaVar& v = session.var();
  Condition* conditions = session.windowAs<Condition>(Condition::kName);
  if (!conditions) return {};
  Condition& c = *conditions;
  FrmCustomer& cu = session.customer();
  auto f = [&c](int i) { return text(c.field(i).text); };
  auto idx = [&c](const char* name) { return whole(c.controls().find(name)->listIndex); };
  auto num = [](float x) { return CaseNumber(x); };
  auto mp = [&v](int col, int circuit) { return CaseNumber(v.MediumProp(col, circuit)); };

  std::vector<std::string> lines;
  lines.push_back(f(kSteamPressure));
  lines.push_back(join({f(kDesignPressureA), f(kDesignPressureB), f(kDesignTemperatureA), f(kDesignTemperatureB)}));
  lines.push_back(join({text(c.cbomedium1->text), text(c.cbomedium2->text)}));
  lines.push_back(join({whole(c.cbomedium1->listIndex), whole(c.cbomedium2->listIndex)}));
  lines.push_back(join({f(kFlowA), f(kFlowB)}));
  lines.push_back(join({idx("cboflowunit1"), idx("cboflowunit2"), idx("cboheatloadunit")}));
  lines.push_back(join({f(kTinA), f(kToutA), f(kTinB), f(kToutB)}));
  lines.push_back(join({f(kHeatLoad), f(kMargin)}));
  lines.push_back(join({f(kAllowDpA), f(kAllowDpB)}));
  lines.push_back(join({f(kFoulingA), f(kFoulingB)}));
  for (const char* list : {"cboflowunit1", "cboflowunit2", "cbopressuredropunit1", "cbopressuredropunit2",
                           "cboheatloadunit", "cbofoulingunit1", "cbofoulingunit2"})
    lines.push_back(idx(list));
  for (int i : {kDesignPressureA, kDesignPressureB, kDesignTemperatureA, kDesignTemperatureB}) lines.push_back(f(i));
  lines.push_back(join({mp(0, 1), mp(1, 1), mp(2, 1), mp(3, 1), mp(0, 2), mp(1, 2), mp(2, 2), mp(3, 2), mp(4, 2),
                        mp(5, 2), num(v.HeatLoad), num(v.Lmtd), mp(6, 1), mp(6, 2), num(v.FlowA), num(v.FlowB)}));
  // Both flow directions are always enabled.
  lines.push_back("#TRUE#,#TRUE#");
  lines.push_back(join({text(cu.Ref1->text), text(cu.designer->text), text(cu.txtdate->text)}));
  lines.push_back(join({text(cu.custname->text), text(cu.project->text), text(cu.ref->text)}));

  // The summary of the result. A design window closed since the result
  // leaves its items empty.
  DesignWindow* d = session.existingAs<DesignWindow>(DesignWindow::kName);
  auto dt = [d](Control* DesignWindow::*member) { return d ? (d->*member)->text : std::string(); };
  auto structure = [d](int row) { return d ? d->PheGrid->grid.cell(row, 3) : std::string(); };
  OtherData* od = session.existingAs<OtherData>(OtherData::kName);
  auto cell = [od](int row, int col) { return od ? od->cell(row, col) : std::string(); };
  auto raw = [&c](int i) { return c.field(i).text; };

  lines.push_back(join({text(c.cbomedium1->text), text(c.cbomedium2->text)}));
  lines.push_back(join({text(raw(kTinA) + "/" + raw(kToutA)), text(raw(kTinB) + "/" + raw(kToutB))}));
  lines.push_back(join({num(v.UnitFlowA), num(v.UnitFlowB)}));
  lines.push_back(join({mp(0, 1), mp(0, 2), mp(1, 1), mp(1, 2), mp(2, 1), mp(2, 2), mp(3, 1), mp(3, 2)}));
  lines.push_back(f(kHeatLoad));
  lines.push_back(join({f(kAllowDpA), f(kAllowDpB)}));
  lines.push_back(f(kSteamPressure));
  lines.push_back(join({f(kDesignPressureA), f(kDesignPressureB), f(kDesignTemperatureA), f(kDesignTemperatureB)}));
  lines.push_back(join({f(kFoulingA), f(kFoulingB)}));
  lines.push_back(text(trimField(dt(&DesignWindow::cbotype)) + dt(&DesignWindow::CobThermalMix)));
  lines.push_back(join({text(dt(&DesignWindow::txtarea) + "m2"), text(dt(&DesignWindow::txtover) + "%")}));
  lines.push_back(text(dt(&DesignWindow::txtplatenb)));
  lines.push_back(text(dt(&DesignWindow::txtPass1)));
  lines.push_back(text(cell(14, 1) + "W/(m2.K)"));
  lines.push_back(text(cell(9, 1) + "/" + cell(9, 2) + "KPa"));
  lines.push_back(text(LoadMessage(c.counterflow[0]->checked ? 230 : 261)));
  lines.push_back(join({text(structure(0)), text(structure(1) + "mm")}));
  lines.push_back(text(structure(2)));
  lines.push_back(text(structure(5)));
  lines.push_back(text(dt(&DesignWindow::setnb)));
  lines.push_back(join({text(cu.custname->text), text(cu.project->text), text(cu.ref->text)}));
  lines.push_back(join({text(cu.txtdate->text), text(cu.designer->text)}));
  lines.push_back(text(cu.remark->text));
  lines.push_back(text(c.cboheatloadunit->text));

  // What the conditions window needs to balance the case as it was: which
  // values were given, the flow direction and the phase of circuit B.
  std::vector<std::string> selection;
  for (int i = 0; i < Condition::kBoxes; ++i) selection.push_back(boolean(c.box(i).checked));
  selection.push_back(whole(c.counterflow[0]->checked ? 0 : 1));
  selection.push_back(whole(c.Opt2LV[1]->checked ? 1 : 0));
  lines.push_back(join(selection));
  return lines;
}

std::optional<std::vector<std::string>> ReadCaseItems(const std::filesystem::path& path, size_t minItems) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  auto bytes = readFileBytes(path, kMaxCaseFileBytes);
  if (!bytes) return std::nullopt;
  std::vector<std::string> items;
  for (const std::string& line : splitTextLines(*bytes))
    for (std::string& item : splitItems(line)) items.push_back(std::move(item));
  if (items.size() < minItems) return std::nullopt;
  return items;
}

void WithdrawShownResult(Session& session, bool balanceToo) {
  VeloxaVar& v = session.var();
  if (DesignWindow* d = session.existingAs<DesignWindow>(DesignWindow::kName)) d->ClearShownResults();
  if (OtherData* od = session.existingAs<OtherData>(OtherData::kName)) {
    if (balanceToo) od->clearForNewConditions();
    GridState& g = od->grid().grid;
    for (int r = 7; r <= 14; ++r)
      for (int col = 1; col <= 2; ++col) g.cell(r, col).clear();
    for (int r : {8, 9})
      for (int col : {1, 2}) g.backColor(r, col) = kLightGrey;
    od->notes().text.clear();
  }
  WithdrawResult(v, session.main());
}

std::string CaseFiles::ChooseCaseFile(int mode) {
  if (mode == 0 && !current_.empty()) return current_;
  Host& host = session_.host();
  FileDialogRequest request;
  request.save = mode != 2;
  request.title = LoadMessage(mode == 0 ? 352 : mode == 1 ? 353 : 509);
  request.filter = kCaseFilter;
  request.folder = trimField(host.setting(kFolderSetting));
  request.defaultSuffix = "pda";
  auto chosen = host.fileDialog(request);
  if (!chosen || chosen->empty()) return {};
  if (!request.save) return *chosen;
  std::filesystem::path p(*chosen);
  const std::string name = p.filename().string();
  // The dialog may have added the suffix to a folder's name ("DIR/" gives
  // "DIR/.pda", ".." gives "...pda").
  std::string base = name;
  if (base.size() >= 4 && lowerText(base.substr(base.size() - 4)) == ".pda") base.resize(base.size() - 4);
  std::error_code ec;
  if (base.empty() || base == "." || base == ".." || std::filesystem::is_directory(p, ec)) {
    host.message("设计文件名不能是文件夹：“" + *chosen + "”。请输入文件名。", Icon::Exclamation, Buttons::Ok, 0);
    return {};
  }
  if (IsDataFolderFile(session_.dataDir(), p)) {
    host.message("设计文件不能保存为程序的数据文件“" + name + "”。请另选文件名或文件夹。", Icon::Exclamation,
                 Buttons::Ok, 0);
    return {};
  }
  if (lowerText(p.extension().string()) != ".pda") p += ".pda";
  if (std::filesystem::is_directory(p, ec)) {
    host.message("设计文件名不能是文件夹：“" + p.string() + "”。请输入文件名。", Icon::Exclamation, Buttons::Ok, 0);
    return {};
  }
  return p.string();
}

bool IsDataFolderFile(const std::filesystem::path& dataDir, const std::filesystem::path& target) {
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::weakly_canonical(dataDir, ec);
  if (ec) return false;
  const std::filesystem::path where = std::filesystem::weakly_canonical(std::filesystem::absolute(target, ec), ec);
  if (ec || where.parent_path() != folder) return false;
  // A case file of the folder's own may be written over; any other file
  // there belongs to the program, also one named in another letter case.
  const std::string name = lowerText(where.filename().string());
  if (std::filesystem::path(name).extension() == ".pda") return false;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (lowerText(entry.path().filename().string()) == name) return true;
  return false;
}

void CaseFiles::RememberFolder(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) return;
  Host& host = session_.host();
  if (!host.setSetting(kFolderSetting, folder.string()))
    host.message(std::string("SetValue ") + kFolderSetting + " Failed ", Icon::None, Buttons::Ok, 0);
}

bool CaseFiles::settleUnsaved() {
  if (session_.var().CaseSaved) return true;
  const Answer a = ShowMessage(session_.host(), 514, {}, Icon::Exclamation, Buttons::YesNoCancel);
  if (a == Answer::Cancel) return false;
  // A refused, cancelled or failed save keeps the result.
  if (a == Answer::Yes) {
    session_.main().runCommand(cmd::kSave);
    return session_.var().CaseSaved;
  }
  return true;
}

void CaseFiles::newCase() {
  if (!settleUnsaved()) return;
  session_.closeWindow(Condition::kName);
  session_.closeWindow(DesignWindow::kName);
  session_.var().DesignWindowOpened = false;
  // No result outlives its conditions: print, export and save wait for a
  // new calculation.
  WithdrawShownResult(session_, true);
  session_.main().setDesignKeyEnabled(false);
  session_.main().setCaption(kAppTitle);
  current_.clear();
  // The outline dimensions belong to the exchanger of the old case.
  session_.closeWindow(Drawing::kName);
  session_.showWindow(Condition::kName, false);
}

bool CaseFiles::save(int mode) {
  VeloxaVar& v = session_.var();
  // Conditions edited after the result would be written beside it.
  if (!v.ResultAvailable || v.ConditionsChanged) {
    ShowMessage(session_.host(), 515);
    return false;
  }
  const std::string path = ChooseCaseFile(mode);
  if (path.empty()) return false;
  const std::vector<std::string> lines = CaseFileLines(session_);
  WriteFault fault = WriteFault::Other;
  if (lines.size() != kCaseLines + 1 || !writeTextLines(path, lines, &fault)) {
    // A cause the system names is told with the file; others keep the code.
    if (fault != WriteFault::Other && fault != WriteFault::None)
      ShowMessage(session_.host(), 581, {"|1", path, "|2", WriteFaultText(fault)}, Icon::Critical);
    else
      ShowMessage(session_.host(), 569, {"|1", kWriteFailed});
    return false;
  }
  current_ = path;
  session_.main().setCaption(std::string(kAppTitle) + "   " + path);
  RememberFolder(path);
  v.CaseSaved = true;
  return true;
}

bool CaseFiles::open() {
  if (!settleUnsaved()) return false;
  const std::string path = ChooseCaseFile(2);
  if (path.empty()) return false;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    ShowMessage(session_.host(), 519);
    return false;
  }
  auto items = ReadCaseItems(path, kCaseItems + kSummaryItems);
  if (!items || !assignCase(*items)) {
    ShowMessage(session_.host(), 569, {"|1", kReadFailed});
    return false;
  }
  current_ = path;
  session_.main().setCaption(std::string(kAppTitle) + " " + path);
  session_.closeWindow(Drawing::kName);
  return true;
}

bool CaseFiles::assignCase(const std::vector<std::string>& items) {
  Condition* c = session_.windowAs<Condition>(Condition::kName);
  if (!c) return false;
  auto item = [&items](int n) -> const std::string& { return items[static_cast<size_t>(n - 1)]; };

  // Check everything before anything is assigned: a damaged file changes
  // nothing.
  struct Listed {
    int item;
    Control* list;
    int first;
  };
  Control& pd1 = *c->controls().find("cbopressuredropunit1");
  Control& pd2 = *c->controls().find("cbopressuredropunit2");
  const std::vector<Listed> lists = {
      {8, c->cbomedium1, -1},       {9, c->cbomedium2, -1},       {12, c->cboflowunit1, 0},
      {13, c->cboflowunit2, 0},     {14, c->cboheatloadunit, 0},  {25, c->cboflowunit1, 0},
      {26, c->cboflowunit2, 0},     {27, &pd1, 0},                {28, &pd2, 0},
      {29, c->cboheatloadunit, 0},  {30, c->cbofoulingunit1, 0},  {31, c->cbofoulingunit2, 0},
  };
  std::map<int, int> index;
  for (const Listed& l : lists) {
    auto i = indexItem(item(l.item), l.first, lastEntry(*l.list));
    if (!i) return false;
    index[l.item] = *i;
  }
  std::map<int, float> single;
  for (int n = 32; n <= 33; ++n) {
    auto f = singleItem(item(n));
    if (!f) return false;
    single[n] = *f;
  }
  for (int n = 36; n <= 51; ++n) {
    auto f = singleItem(item(n));
    if (!f) return false;
    single[n] = *f;
  }
  // The values a balance made: real media, a positive duty.
  if (!PlausibleLiquid(single[36], single[37], single[38], single[39]) ||
      !PlausibleLiquid(single[40], single[41], single[42], single[43]) || !PlausibleVapour(single[44], single[45]) ||
      !PlausiblePrandtl(single[48]) || !PlausiblePrandtl(single[49]))
    return false;
  for (int n : {46, 47, 50, 51})
    if (!(single[n] > 0)) return false;
  // The line after the summary: the given values, the flow direction and
  // the phase of circuit B. A file written before it existed has none.
  std::vector<bool> boxes;
  int direction = -1, phase = -1;
  const size_t selection = kCaseItems + kSummaryItems;
  if (items.size() > selection) {
    if (items.size() < selection + kSelectionItems) return false;
    for (size_t i = 0; i < Condition::kBoxes; ++i) {
      auto b = booleanItem(items[selection + i]);
      if (!b) return false;
      boxes.push_back(*b);
    }
    auto d = indexItem(items[selection + Condition::kBoxes], 0, 1);
    auto p = indexItem(items[selection + Condition::kBoxes + 1], 0, 1);
    if (!d || !p) return false;
    direction = *d;
    phase = *p;
  }

  // Each item as the person's change in the conditions window, in file order.
  auto field = [c, &item](int i, int n) { Assign(c->field(i), item(n)); };
  field(kSteamPressure, 1);
  field(kDesignPressureA, 2);
  field(kDesignPressureB, 3);
  field(kDesignTemperatureA, 4);
  field(kDesignTemperatureB, 5);
  Assign(*c->cbomedium1, item(6));
  Assign(*c->cbomedium2, item(7));
  SelectEntry(*c->cbomedium1, index[8]);
  SelectEntry(*c->cbomedium2, index[9]);
  field(kFlowA, 10);
  field(kFlowB, 11);
  SelectEntry(*c->cboflowunit1, index[12]);
  SelectEntry(*c->cboflowunit2, index[13]);
  SelectEntry(*c->cboheatloadunit, index[14]);
  field(kTinA, 15);
  field(kToutA, 16);
  field(kTinB, 17);
  field(kToutB, 18);
  field(kHeatLoad, 19);
  field(kMargin, 20);
  field(kAllowDpA, 21);
  field(kAllowDpB, 22);
  field(kFoulingA, 23);
  field(kFoulingB, 24);
  SelectEntry(*c->cboflowunit1, index[25]);
  SelectEntry(*c->cboflowunit2, index[26]);
  SelectEntry(pd1, index[27]);
  SelectEntry(pd2, index[28]);
  SelectEntry(*c->cboheatloadunit, index[29]);
  SelectEntry(*c->cbofoulingunit1, index[30]);
  SelectEntry(*c->cbofoulingunit2, index[31]);
  Assign(c->field(kDesignPressureA), PlainNumber(single[32]));
  Assign(c->field(kDesignPressureB), PlainNumber(single[33]));
  field(kDesignTemperatureA, 34);
  field(kDesignTemperatureB, 35);
  VeloxaVar& v = session_.var();
  const int props[10][2] = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}};
  for (int k = 0; k < 10; ++k) v.MediumProp(props[k][0], props[k][1]) = single[36 + k];
  v.HeatLoad = single[46];
  v.Lmtd = single[47];
  v.MediumProp(kPrandtl, kCircuitA) = single[48];
  v.MediumProp(kPrandtl, kCircuitB) = single[49];
  v.FlowA = single[50];
  v.FlowB = single[51];
  FrmCustomer& cu = session_.customer();
  Assign(*cu.Ref1, item(54));
  Assign(*cu.designer, item(55));
  Assign(*cu.txtdate, item(56));
  Assign(*cu.custname, item(57));
  Assign(*cu.project, item(58));
  Assign(*cu.ref, item(59));

  // Picking steam for circuit B reset its pressure to the default after
  // the file's pressure was assigned: assign it again. The steam lookup
  // gives the temperatures of circuit B, unrounded, as when the case was
  // balanced.
  if (v.MediumStateB == kStateSteam) field(kSteamPressure, 1);

  if (!boxes.empty()) {
    for (int i = 0; i < Condition::kBoxes; ++i) {
      Control& b = c->box(i);
      b.checked = boxes[static_cast<size_t>(i)];
      if (b.clicked) b.clicked();
    }
    for (int i = 0; i < 2; ++i) c->counterflow[static_cast<size_t>(i)]->checked = i == direction;
    c->selectPhaseB(phase);
  }

  // The balance and the result have to be made again; no print, export or
  // save may mix these conditions with the old exchanger.
  WithdrawShownResult(session_, true);
  v.ConditionsChanged = true;
  v.BalanceDone = false;
  session_.main().setDesignKeyEnabled(false);
  session_.showWindow(Condition::kName, false);
  return true;
}

void CaseFiles::viewResults() {
  if (current_.empty()) {
    ShowMessage(session_.host(), 518);
    return;
  }
  auto items = ReadCaseItems(current_, kCaseItems + kSummaryItems);
  if (!items) {
    ShowMessage(session_.host(), 569, {"|1", kReadFailed});
    return;
  }
  CheckResult* view = session_.windowAs<CheckResult>(CheckResult::kName);
  if (!view) return;
  std::vector<std::string> values(items->begin() + kCaseItems, items->begin() + kCaseItems + CheckResult::kValues);
  view->fill(values, (*items)[kCaseItems + kSummaryItems - 1]);
  view->caption = current_;
  session_.showWindow(CheckResult::kName, false);
}

}  // namespace vx
