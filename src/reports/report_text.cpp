#include "reports/report_text.h"

#include <cmath>

#include "common/file_io.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "common/storable_text.h"
#include "common/text_file.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "exchanger/design_window.h"
#include "reports/calculation_sheet.h"

namespace vx {

namespace {

using Mode = DocxCell::Mode;

struct Target {
  int row, col;
  Mode mode;
};

// The cell of each item, in file order (lines 7 to 9 fill cell (6,2)
// together and are placed by ReportFill).
const std::vector<std::vector<Target>> kTargets = {
    {{2, 3, Mode::Replace}},  {{2, 5, Mode::Replace}},  {{3, 3, Mode::Replace}},  {{3, 5, Mode::Replace}},
    {{4, 5, Mode::Replace}},  {{5, 5, Mode::Replace}},  {},                       {},
    {},                       {{9, 4, Mode::Replace}, {9, 5, Mode::Replace}},     {{10, 4, Mode::Replace}},
    {{10, 5, Mode::Replace}}, {{11, 4, Mode::Replace}}, {{11, 5, Mode::Replace}}, {{12, 4, Mode::Replace}},
    {{12, 5, Mode::Replace}}, {{13, 4, Mode::Replace}}, {{13, 5, Mode::Replace}}, {{14, 4, Mode::Replace}},
    {{14, 5, Mode::Replace}}, {{15, 4, Mode::Replace}}, {{15, 5, Mode::Replace}}, {{16, 4, Mode::Replace}},
    {{16, 5, Mode::Replace}}, {{17, 4, Mode::Replace}}, {{17, 5, Mode::Replace}}, {{18, 4, Mode::Replace}},
    {{18, 5, Mode::Replace}}, {{19, 4, Mode::Replace}}, {{19, 5, Mode::Replace}},
    {{20, 4, Mode::Replace}, {20, 5, Mode::Replace}},   {{21, 4, Mode::Replace}, {21, 5, Mode::Replace}},
    {{22, 4, Mode::Replace}}, {{22, 5, Mode::Replace}}, {{23, 4, Mode::Replace}}, {{24, 4, Mode::Replace}},
    {{25, 4, Mode::Replace}}, {{27, 4, Mode::Replace}}, {{27, 5, Mode::Replace}},
    {{28, 4, Mode::Replace}, {28, 5, Mode::Replace}},   {{29, 4, Mode::Replace}, {29, 5, Mode::Replace}},
    {{30, 4, Mode::Replace}}, {{31, 4, Mode::Replace}}, {{32, 4, Mode::Replace}}, {{33, 4, Mode::Replace}},
    {{34, 4, Mode::Replace}}, {{35, 4, Mode::Replace}}, {{36, 4, Mode::Replace}}, {{37, 4, Mode::Replace}},
    {{38, 4, Mode::Replace}}, {{39, 4, Mode::Replace}}, {{40, 4, Mode::Replace}},
    {{41, 4, Mode::Replace}, {41, 5, Mode::Replace}},   {{42, 4, Mode::Replace}, {42, 5, Mode::Replace}},
    {{43, 4, Mode::Replace}, {43, 5, Mode::Replace}},   {{44, 2, Mode::After}},
};

ReportItem text(std::string t) { return {std::move(t), false}; }

}  // namespace

std::vector<std::vector<ReportItem>> ReportLines(AppContext& ctx) {
  const VeloxaVar& v = ctx.var;
  const CustomerTexts c = ReadCustomerTexts(ctx.windows);
  const OutlineTexts o = ReadOutlineTexts(ctx.windows);
  auto* cond = ctx.windows.windowAs<Condition>(Condition::kName);
  auto* design = ctx.windows.windowAs<DesignWindow>(DesignWindow::kName);
  auto* other = ctx.windows.windowAs<OtherData>(OtherData::kName);
  auto tm = [other](int r, int col) { return other ? other->cell(r, col) : std::string(); };
  auto field = [cond](int i) { return cond ? cond->field(i).text : std::string(); };
  auto structure = [design](int r) {
    return design && design->PheGrid->grid.inside(r, 3) ? design->PheGrid->grid.cell(r, 3) : std::string();
  };
  auto dtext = [design](Control* DesignWindow::*member) {
    return design && design->*member ? (design->*member)->text : std::string();
  };
  const bool vapourB = v.circuitBCondenses();
  const std::string flowA = Format(v.UnitFlowA, "0.0"), flowB = Format(v.UnitFlowB, "0.0");
  auto pressure = [&](int i) {
    const std::string t = field(i);
    return t + "/" + Format(static_cast<float>(v.TestPressureFactor * static_cast<float>(Val(t))), "#.##");
  };
  const std::string latentB = trimField(tm(6, 2));
  const float thickness = design ? design->PlateThicknessM : 0.0f;

  std::vector<std::vector<ReportItem>> l = {
      {text(c.custname)},
      {text(c.ref)},
      {text(c.project)},
      {text(c.Ref1)},
      {text(c.txtdate)},
      {text(c.designer)},
      {text(design ? design->ModelDesignation : "")},
      {text(dtext(&DesignWindow::GrossArea))},
      {{PlainNumber(v.ParallelUnits), true}},
      {text(cond ? cond->cbomedium1->text : ""), text(cond ? cond->cbomedium2->text : "")},
      {text(flowA)},
      {text(flowB)},
      {text(flowA)},
      {text(vapourB ? "0.0" : flowB)},
      {text("0.0")},
      {text(vapourB ? flowB : "0.0")},
      {text("0.0")},
      {text("0.0")},
      {text(tm(1, 1) + "/-")},
      {text(vapourB ? tm(1, 2) + "/" + tm(2, 2) : tm(1, 2) + "/-")},
      {text(tm(3, 1))},
      {text(tm(3, 2))},
      {text(tm(4, 1))},
      {text(tm(4, 2))},
      {text(tm(5, 1))},
      {text(tm(5, 2))},
      {text("-")},
      {text(latentB.empty() ? "-" : tm(6, 2))},
      {text(Format(v.TinA, "#.0") + " / " + Format(v.ToutA, "#.0"))},
      {text(Format(v.TinB, "#.0") + " / " + Format(v.ToutB, "#.0"))},
      {text(Format(v.FoulingA, "0.0####")), text(Format(v.FoulingB, "0.0####"))},
      {text(tm(7, 1)), text(tm(7, 2))},
      {text(tm(9, 1) + "/" + Format(v.AllowDpA, "0.0"))},
      {text(tm(9, 2) + "/" + Format(v.AllowDpB, "0.0"))},
      {text(Format(std::floor(static_cast<double>(v.HeatLoad) * 100 + 0.5) / 100, "0.#"))},
      {text(tm(14, 1))},
      {text(Format(v.Lmtd, "##.0#") + "/" + dtext(&DesignWindow::cvdt))},
      {text(pressure(11))},
      {text(pressure(12))},
      {text(field(13)), text(field(14))},
      {text(dtext(&DesignWindow::txtPass1)), text(dtext(&DesignWindow::txtPass2))},
      {text(design ? Format(design->channelKinds[1].plateArea, "0.##") : Format(0, "0.##"))},
      {{PlainNumber(design ? design->state.PlateCount : 0.0f), true}},
      {text(Format(static_cast<double>(thickness) * 1000, "0.0"))},
      {text(o.tiedmax + "/" + o.tiedmin)},
      {text(o.wt + "/" + o.gt)},
      {text(o.lengtht + "/" + o.widtht + "/" + o.heightt)},
      {text(structure(0))},
      {text(structure(2))},
      {text(structure(4))},
      {text(structure(5))},
      {text(structure(12))},
      {text("DN" + structure(10)), text("DN" + structure(11))},
      {text(structure(6)), text(structure(7))},
      {text("-"), text("-")},
      {text(c.remark)},
  };
  return l;
}

std::vector<std::string> ReportTextLines(const std::vector<std::vector<ReportItem>>& lines) {
  std::vector<std::string> out;
  for (const auto& line : lines) {
    std::string s;
    for (size_t i = 0; i < line.size(); ++i) {
      if (i) s += ",";
      if (line[i].number) {
        s += line[i].text;
      } else {
        s += quoteItem(OneLine(line[i].text));
      }
    }
    out.push_back(s);
  }
  return out;
}

bool WriteReportText(AppContext& ctx, const std::filesystem::path& path) {
  const std::filesystem::path target = path.empty() ? dataPath(ctx.dataDir, kReportTextFile) : path;
  return writeTextLines(target, ReportTextLines(ReportLines(ctx)));
}

std::string ReportAreaNote(AppContext& ctx) {
  auto* design = ctx.windows.windowAs<DesignWindow>(DesignWindow::kName);
  if (!design) return "";
  const std::string area = trimField(design->txtarea->text), margin = trimField(design->txtover->text);
  if (area.empty() && margin.empty()) return "";
  return "计算面积:" + area + "㎡" + std::string(5, ' ') + LoadMessage(294) + ":" + margin + "%";
}

DocxFill ReportFill(const std::vector<std::vector<ReportItem>>& lines, const std::string& companyName,
                    const std::string& companyLine, const std::string& areaNote) {
  DocxFill fill;
  fill.cells.push_back({1, 2, Mode::After, companyName + LoadMessage(533)});
  for (size_t i = 0; i < lines.size() && i < kTargets.size(); ++i)
    for (size_t k = 0; k < lines[i].size() && k < kTargets[i].size(); ++k)
      fill.cells.push_back({kTargets[i][k].row, kTargets[i][k].col, kTargets[i][k].mode, lines[i][k].text});
  if (lines.size() >= 9) {
    const std::string blanks(5, ' ');
    fill.cells.push_back({6, 2, Mode::Before,
                          LoadMessage(306) + ":" + lines[6][0].text + blanks + LoadMessage(369) + ":" + lines[7][0].text});
    // The template's unit "㎡" stands between the two.
    fill.cells.push_back({6, 2, Mode::After,
                          (areaNote.empty() ? "" : blanks + areaNote) + blanks + LoadMessage(318) + ":" + lines[8][0].text});
  }
  fill.trailer = companyLine;
  return fill;
}

}  // namespace vx
