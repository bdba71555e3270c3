#include "reports/calculation_sheet.h"

#include <algorithm>
#include <cmath>

#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "exchanger/design_window.h"
#include "settings/company_record.h"

namespace vx {

namespace {

constexpr int kX0 = 800;
constexpr int kLabelX = 1100;
constexpr int kUnitX = 4800;
constexpr int kValueAX = 6300;
constexpr int kValueBX = 8300;
constexpr int kSingleCentre = 7950;
constexpr int kRuleLeft = 700;
constexpr int kRuleRight = 10500;
constexpr int kLineX[3] = {4300, 6000, 8000};
constexpr int kAreaRow = 17;     // "提供面积"
// The lowest frame that leaves the company line inside an A4 page's
// printable height (16838 twips less a 400 twip margin).
constexpr int kLastFrameBottom = 16000;

struct RowDef {
  int label;
  int label2;  // a second label (joined by "/" or directly), 0 when none
  bool slash;  // the second label follows a "/"
  const char* unit;
};

// Labels and units of table rows 1 to 36.
const RowDef kRows[kSheetRows + 1] = {
    {0, 0, false, ""},
    {260, 0, false, ""},          {385, 0, false, "kg/h"},       {264, 0, false, "kg/h"},
    {281, 0, false, "℃"},         {377, 0, false, "℃"},          {534, 0, false, "kg/m3"},
    {363, 0, false, "KJ/(kg.K)"}, {227, 0, false, "W/(m.K)"},    {400, 0, false, "cP"},
    {282, 0, false, "kJ/kg"},     {266, 0, false, "㎡.K/W"},     {205, 0, false, "KPa"},
    {242, 378, true, "MPa"},      {243, 0, false, "℃"},          {273, 0, false, "KW"},
    {306, 0, false, ""},          {369, 0, false, "㎡"},         {319, 0, false, ""},
    {322, 0, false, ""},          {329, 0, false, ""},           {338, 0, false, "KPa"},
    {399, 0, false, "m/s"},       {208, 0, false, "㎡"},         {225, 0, false, "W/(㎡.K)"},
    {288, 229, false, "℃"},       {310, 269, true, "Kg"},        {492, 0, false, "mm"},
    {292, 0, false, "mm"},        {300, 0, false, ""},           {298, 0, false, ""},
    {297, 0, false, ""},          {334, 0, false, ""},           {224, 0, false, ""},
    {360, 0, false, ""},          {316, 0, false, ""},           {299, 0, false, ""},
};

std::string controlText(WindowModel* w, const char* name, int index = -1) {
  if (!w) return "";
  Control* c = w->controls().find(name, index);
  return c ? c->text : "";
}

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Draws the page; the cursor y, the row counter and the column-line tops.
class SheetPainter {
 public:
  SheetPainter(const SheetData& d, PageSurface& s) : d_(d), s_(s) {}

  void text(int x, int y, const std::string& t) {
    s_.setPosition(x, y);
    s_.print(t);
  }
  void rule(int y1, int y2) { s_.fillBox(kRuleLeft, y1, kRuleRight, y2); }
  void columnLine(int i, int bottom) { s_.fillBox(kLineX[i], top_[i], kLineX[i] + 5, bottom); }

  void pairRow(int r) {
    y_ += 340;
    text(kX0, y_, twoDigits(counter_++));
    text(kLabelX, y_, SheetRowLabel(r));
    text(kUnitX, y_, SheetRowUnit(r));
    text(kValueAX, y_, d_.a[static_cast<size_t>(r)]);
    text(kValueBX, y_, d_.b[static_cast<size_t>(r)]);
    s_.fillBox(kRuleLeft, y_ + 290, kRuleRight, y_ + 285);
  }

  void singleRow(int r) {
    y_ += 300;
    text(kX0, y_ + 40, twoDigits(counter_++));
    text(kLabelX, y_ + 40, SheetRowLabel(r));
    text(kUnitX, y_ + 40, SheetRowUnit(r));
    const std::string& v = d_.a[static_cast<size_t>(r)];
    const int w = s_.textWidth(v);
    text(kSingleCentre - w / 2, y_ + 40, v);
    if (r == kAreaRow) areaNote(y_ + 60, kSingleCentre - w / 2 + w);
    s_.fillBox(kRuleLeft, y_ + 290, kRuleRight, y_ + 285);
  }

  // A section title; its rule closes the row. The rows that follow start
  // from the same cursor, so their texts stand 50 twips below the rule.
  void heading(int id, bool thick) {
    s_.setBold(true);
    text(kLabelX, y_ + 40, LoadMessage(id));
    s_.setBold(false);
    rule(y_ + (thick ? 275 : 285), y_ + 290);
  }

  void draw() {
    // A remark of several lines gets them all: the frame and the company
    // line below it move down as far as the page allows.
    const float startSize = s_.size();
    s_.setFont("times new roman", 10, false);
    const int remarkLines = static_cast<int>(remarkText().size());
    // One line fits the frame as it stands; each further line lowers it.
    frameBottom_ = std::min(kFrameBottom + (remarkLines - 1) * s_.lineHeight(), kLastFrameBottom);
    s_.setFont("times new roman", startSize, false);
    // Page frame.
    s_.fillBox(700, 885, 10500, 900);
    s_.fillBox(700, 900, 715, frameBottom_);
    s_.fillBox(10500, 900, 10515, frameBottom_);
    s_.fillBox(700, frameBottom_, 10515, frameBottom_ + 15);

    // Title and company.
    y_ = 1150;
    s_.setFont("times new roman", 16, true);
    text(1100, 1190, LoadMessage(533));
    s_.setBold(false);
    const int w = s_.textWidth(d_.companyName);
    s_.setFontSize(14);
    s_.setPosition(8000 - w / 2, 1190);
    s_.print(d_.companyName, true);
    y_ = 1650;
    s_.fillBox(5000, 1625, 5005, 900);
    s_.fillBox(700, 1640, 10500, 1625);

    // Customer block.
    s_.setFontSize(10);
    const CustomerTexts& c = d_.customer;
    text(800, 1690, LoadMessage(395) + ": " + c.custname);
    text(5800, 1690, LoadMessage(342) + ": " + c.project);
    rule(1935, 1940);
    y_ = 1950;
    text(800, 1990, LoadMessage(346) + ": " + c.ref);
    text(3300, 1990, LoadMessage(494) + ": " + c.Ref1);
    text(5800, 1990, LoadMessage(241) + ": " + c.designer);
    text(8300, 1990, LoadMessage(234) + ": " + c.txtdate);
    rule(2225, 2240);
    top_[0] = top_[1] = top_[2] = 2240;
    y_ = 2250;

    // Column headings.
    text(4800, 2290, LoadMessage(386) + ": ");
    text(6600, 2290, LoadMessage(221));
    text(8600, 2290, LoadMessage(222));
    rule(2535, 2540);
    for (int i = 0; i < 3; ++i) columnLine(i, 2540);
    y_ = 2550;

    // Design conditions.
    heading(240, false);
    top_[0] = top_[1] = top_[2] = y_ + 290;
    for (int r = 1; r <= 14; ++r) pairRow(r);
    columnLine(2, y_ + 290);
    singleRow(15);
    columnLine(0, y_ + 290);
    columnLine(1, y_ + 290);
    y_ += 300;

    // Results.
    heading(349, true);
    top_[0] = top_[1] = top_[2] = y_ + 290;
    for (int r = 16; r <= 19; ++r) singleRow(r);
    top_[2] = y_ + 290;
    for (int r = 20; r <= 22; ++r) pairRow(r);
    columnLine(2, y_ + 290);
    for (int r = 23; r <= 25; ++r) singleRow(r);
    columnLine(0, y_ + 290);
    columnLine(1, y_ + 290);
    y_ += 300;

    // Construction.
    heading(535, false);
    top_[0] = top_[1] = y_ + 290;
    for (int r = 26; r <= 33; ++r) singleRow(r);
    top_[2] = y_ + 290;
    for (int r = 34; r <= 36; ++r) pairRow(r);
    for (int i = 0; i < 3; ++i) columnLine(i, y_ + 290);
    y_ += 300;

    remark();

    s_.setFontSize(9);
    s_.setPosition(800, frameBottom_ + 100);
    s_.print(d_.companyLine, true);
  }

  void remark() {
    text(kX0, y_ + 40, twoDigits(counter_));
    s_.setPosition(kLabelX, y_ + 40);
    s_.print(LoadMessage(348) + ": ");
    const int xr = s_.currentX();
    int y = s_.currentY();
    std::vector<std::string> lines = remarkText();
    // The remark stays inside the frame, so the sheet stays one page: the
    // lines that fit below each other are printed as lines; the rest
    // continue the last of them, two blanks apart, and what would cross the
    // frame's right edge is cut.
    const int lineHeight = s_.lineHeight();
    const int room = std::max(1, (frameBottom_ - y) / std::max(1, lineHeight));
    while (static_cast<int>(lines.size()) > room) {
      std::string tail = lines.back();
      lines.pop_back();
      if (!tail.empty()) lines.back() += (lines.back().empty() ? "" : "  ") + tail;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
      s_.setPosition(xr, y);
      s_.print(fitWidth(lines[i], kFrameRight - 40 - xr), i + 1 < lines.size());
      y = s_.currentY();
    }
  }

  // The remark's lines: split at line feeds, carriage returns dropped.
  std::vector<std::string> remarkText() const {
    std::vector<std::string> lines(1);
    for (char ch : d_.customer.remark) {
      if (ch == '\n') lines.emplace_back();
      else if (ch != '\r') lines.back() += ch;
    }
    return lines;
  }

  // Beside the provided area, smaller, up to the right edge: the calculated
  // area and the surface margin, which the engineer hands over with it. A
  // long note gets a smaller font rather than cover the provided area.
  void areaNote(int y, int providedRight) {
    if (d_.calculatedArea.empty() && d_.margin.empty()) return;
    const std::string note = "计算面积 " + d_.calculatedArea + "㎡  " + LoadMessage(294) + " " + d_.margin + "%";
    const float size = s_.size();
    const int right = kRuleRight - 80;
    float noteSize = 8;
    s_.setFontSize(noteSize);
    while (noteSize > 5 && right - s_.textWidth(note) < providedRight + 120) {
      noteSize -= 0.5f;
      s_.setFontSize(noteSize);
    }
    text(right - s_.textWidth(note), y, note);
    s_.setFontSize(size);
  }

  // The longest leading part of `t` (whole characters) that fits `width`.
  std::string fitWidth(const std::string& t, int width) {
    if (s_.textWidth(t) <= width) return t;
    std::string out;
    for (size_t i = 0; i < t.size();) {
      unsigned char c = static_cast<unsigned char>(t[i]);
      size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      std::string next = out + t.substr(i, len);
      if (s_.textWidth(next) > width) break;
      out = std::move(next);
      i += len;
    }
    return out;
  }

 private:
  const SheetData& d_;
  PageSurface& s_;
  int y_ = 0;
  int counter_ = 1;
  int top_[3] = {0, 0, 0};
  int frameBottom_ = kFrameBottom;
};

}  // namespace

std::string SheetRowLabel(int row) {
  if (row < 1 || row > kSheetRows) return "";
  const RowDef& r = kRows[row];
  std::string t = LoadMessage(r.label);
  if (r.label2) t += (r.slash ? "/" : "") + LoadMessage(r.label2);
  return t;
}

std::string SheetRowUnit(int row) { return row < 1 || row > kSheetRows ? "" : kRows[row].unit; }

std::string Rounded2(float v) {
  return Str(static_cast<float>(std::floor(static_cast<double>(v) * 100 + 0.5) / 100));
}
std::string Rounded1(float v) {
  return Str(static_cast<float>(std::floor(static_cast<double>(v) * 10 + 0.5) / 10));
}

CustomerTexts ReadCustomerTexts(WindowDirectory& windows) {
  WindowModel* w = windows.window("FrmCustomer");
  return {controlText(w, "custname"), controlText(w, "project"),  controlText(w, "ref"),
          controlText(w, "Ref1"),     controlText(w, "txtdate"),  controlText(w, "designer"),
          controlText(w, "remark")};
}

OutlineTexts ReadOutlineTexts(WindowDirectory& windows) {
  WindowModel* w = windows.window("drawing");
  return {controlText(w, "lengtht"), controlText(w, "widtht"),  controlText(w, "heightt"),
          controlText(w, "wt"),      controlText(w, "gt"),      controlText(w, "tiedmax"),
          controlText(w, "tiedmin")};
}

SheetData GatherSheetData(AppContext& ctx) {
  SheetData d;
  const VeloxaVar& v = ctx.var;
  d.companyName = trimField(CompanyText(ctx.dataDir, 0));
  d.companyLine = CompanyText(ctx.dataDir, 1);
  d.customer = ReadCustomerTexts(ctx.windows);
  auto* cond = ctx.windows.windowAs<Condition>(Condition::kName);
  auto* design = ctx.windows.windowAs<DesignWindow>(DesignWindow::kName);
  auto* other = ctx.windows.windowAs<OtherData>(OtherData::kName);
  auto tm = [other](int r, int c) { return other ? other->cell(r, c) : std::string(); };
  auto field = [cond](int i) { return cond ? cond->field(i).text : std::string(); };
  auto structure = [design](int r) {
    return design && design->PheGrid->grid.inside(r, 3) ? design->PheGrid->grid.cell(r, 3) : std::string();
  };
  auto set = [&d](int r, std::string a, std::string b = {}) {
    d.a[static_cast<size_t>(r)] = std::move(a);
    d.b[static_cast<size_t>(r)] = std::move(b);
  };
  set(1, cond ? cond->cbomedium1->text : "", cond ? cond->cbomedium2->text : "");
  set(2, Rounded2(v.UnitFlowA * v.ParallelUnits), Rounded2(v.UnitFlowB * v.ParallelUnits));
  set(3, Rounded2(v.UnitFlowA), Rounded2(v.UnitFlowB));
  set(4, Rounded1(v.TinA), Rounded1(v.TinB));
  set(5, Rounded1(v.ToutA), Rounded1(v.ToutB));
  set(6, tm(1, 1) + "/", tm(1, 2) + "/" + tm(2, 2));
  set(7, tm(3, 1), tm(3, 2));
  set(8, tm(4, 1), tm(4, 2));
  set(9, tm(5, 1), tm(5, 2));
  set(10, tm(6, 1), tm(6, 2));
  set(11, Format(v.FoulingA, "0.#####"), Format(v.FoulingB, "0.#####"));
  set(12, Str(v.AllowDpA), Str(v.AllowDpB));
  auto pressure = [&](int i) {
    const std::string t = field(i);
    return t + "/" + Format(static_cast<float>(v.TestPressureFactor * static_cast<float>(Val(t))), "#.##");
  };
  set(13, pressure(11), pressure(12));
  set(14, field(13), field(14));
  set(15, Rounded2(v.HeatLoad));
  set(16, design ? trimField(design->ModelDesignation) : "");
  set(17, design ? design->GrossArea->text : "");
  if (design) {
    d.calculatedArea = trimField(design->txtarea->text);
    d.margin = trimField(design->txtover->text);
  }
  set(18, Str(v.ParallelUnits));
  set(19, "1");
  set(20, design ? Str(design->state.PassesA) : "", design ? Str(static_cast<float>(design->state.PassesB)) : "");
  set(21, tm(9, 1), tm(9, 2));
  set(22, tm(7, 1), tm(7, 2));
  set(23, design ? Format(design->channelKinds[1].plateArea, "0.####") : "");
  set(24, tm(14, 2));
  set(25, Format(v.Lmtd, "##.##") + " / " + (design ? design->cvdt->text : ""));
  const OutlineTexts o = ReadOutlineTexts(ctx.windows);
  set(26, o.wt + "/" + o.gt);
  set(27, o.tiedmax + "/" + o.tiedmin);
  set(28, o.lengtht + "/" + o.widtht + "/" + o.heightt);
  set(29, structure(0));
  set(30, structure(2));
  set(31, structure(5));
  set(32, structure(4));
  set(33, structure(12));
  set(34, "DN" + structure(10), "DN" + structure(11));
  set(35, structure(8), structure(9));
  set(36, structure(6), structure(7));
  return d;
}

void DrawCalculationSheet(const SheetData& data, PageSurface& surface) { SheetPainter(data, surface).draw(); }

bool ConfirmOutput(AppContext& ctx) {
  const std::string cr2 = "\r\r";
  std::string text;
  const CustomerTexts c = ReadCustomerTexts(ctx.windows);
  if (trimField(c.custname).empty() || trimField(c.project).empty()) text += LoadMessage(505) + cr2;
  auto* design = ctx.windows.windowAs<DesignWindow>(DesignWindow::kName);
  if (design && Val(design->txtover->text) < 0) text += LoadMessage(457) + cr2;
  if (text.empty()) return true;
  text += LoadMessage(507) + cr2;
  return ctx.host.message(text, Icon::None, Buttons::YesNo, 507) != Answer::No;
}

}  // namespace vx
