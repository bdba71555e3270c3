#include "app/case_file.h"

#include <cmath>
#include <map>

#include "app/frm_customer.h"
#include "app/session.h"
#include "common/file_io.h"
#include "common/gbk.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "exchanger/check_result.h"
#include "exchanger/design_window.h"
#include "tools/drawing.h"

namespace vx {

namespace {

// A case file is a few kilobytes; anything near this is not one.
constexpr std::uintmax_t kMaxCaseFileBytes = 1024 * 1024;
// The error codes of message 569.
const char* const kReadFailed = "104";
const char* const kWriteFailed = "103";

// A text item. The item syntax has no escape: a quote would end the item
// and a line break the line, so they become a single quote and a blank.
std::string text(const std::string& s) {
  std::string t = s;
  for (char& c : t)
    if (c == '\r' || c == '\n') c = ' ';
  return quoteItem(t);
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
  std::filesystem::path p(*chosen);
  if (request.save && p.extension().empty()) p += ".pda";
  return p.string();
}

void CaseFiles::RememberFolder(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) return;
  Host& host = session_.host();
  if (!host.setSetting(kFolderSetting, folder.string()))
    host.message(std::string("SetValue ") + kFolderSetting + " Failed ", Icon::None, Buttons::Ok, 0);
}

void CaseFiles::newCase() {
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
  if (lines.size() != kCaseLines || !writeTextLines(path, lines, &fault)) {
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
  // the file's pressure was assigned: assign it again (the steam lookup
  // runs), then the file's temperatures of circuit B.
  if (v.MediumStateB == kStateSteam) {
    field(kSteamPressure, 1);
    field(kTinB, 17);
    field(kToutB, 18);
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
