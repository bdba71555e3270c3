#include "app/batch_results.h"

#include <cmath>

#include "app/session.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "exchanger/design_window.h"

namespace vx {

namespace {

using C = ResultColumn;

SheetCell number(double value) {
  SheetCell cell;
  if (!std::isfinite(value)) return cell;
  cell.isNumber = true;
  cell.number = value;
  return cell;
}

SheetCell text(const std::string& value) {
  SheetCell cell;
  cell.text = value;
  return cell;
}

// A text the windows show: a number when it is a plain number ("12.5",
// "100."), else the text itself ("1.2/0.8" of a two-kind arrangement).
SheetCell shown(const std::string& value) {
  const std::string t = trimField(value);
  if (t.empty()) return {};
  size_t digits = 0, points = 0, i = t[0] == '-' ? 1 : 0;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9') ++digits;
    else if (t[i] == '.') ++points;
    else break;
  }
  if (i == t.size() && digits > 0 && points <= 1) return number(Val(t));
  return text(t);
}

std::string notesText(const std::string& notes) {
  std::string out;
  for (const std::string& line : splitLines(notes)) {
    if (trimField(line).empty()) continue;
    out += (out.empty() ? "" : "；") + trimField(line);
  }
  return out;
}

}  // namespace

const std::vector<SheetColumn>& ResultColumns() {
  static const std::vector<SheetColumn> columns = {
      {"序号", "", "0"},
      {"编号", "", ""},
      {"状态", "", ""},
      {"消息号", "", "0"},
      {"消息", "", ""},
      {"流量A", "kg/h", "0.0"},
      {"流量B", "kg/h", "0.0"},
      {"进口温度A", "℃", "0.0"},
      {"出口温度A", "℃", "0.0"},
      {"进口温度B", "℃", "0.0"},
      {"出口温度B", "℃", "0.0"},
      {"热负荷", "kW", "0.0"},
      {"对数平均温差", "K", "0.00"},
      {"修正系数F", "", "0.000"},
      {"型号", "", ""},
      {"板片数", "", "0"},
      {"流程数A", "", "0"},
      {"流程数B", "", "0"},
      {"流道布置", "流程×流道", ""},
      {"计算面积", "m2", "0.00"},
      {"装机面积", "m2", "0.00"},
      {"裕度", "%", "0.00"},
      {"压降A", "kPa", "0.00"},
      {"压降B", "kPa", "0.00"},
      {"压降利用率A", "%", "0.0"},
      {"压降利用率B", "%", "0.0"},
      {"板间流速A", "m/s", "0.00"},
      {"板间流速B", "m/s", "0.00"},
      {"雷诺数A", "", "0.0"},
      {"雷诺数B", "", "0.0"},
      {"膜系数A", "W/(m2.K)", "0.0"},
      {"膜系数B", "W/(m2.K)", "0.0"},
      {"传热系数", "W/(m2.K)", "0.0"},
      {"管中流速A", "m/s", "0.00"},
      {"管中流速B", "m/s", "0.00"},
      {"提示", "", ""},
      {"候选2型号", "", ""},
      {"候选2面积", "m2", "0.00"},
      {"候选3型号", "", ""},
      {"候选3面积", "m2", "0.00"},
  };
  return columns;
}

std::string MessagesText(const std::vector<ShownText>& messages) {
  std::string out;
  for (const ShownText& m : messages) {
    if (!out.empty()) out += "; ";
    if (m.id) out += "[" + std::to_string(m.id) + "] ";
    out += m.text;
  }
  return out;
}

BatchResult CollectResult(Session* session, int row, const std::string& label, bool ok, ShownText failure,
                          std::vector<ShownText> messages) {
  BatchResult r;
  r.cells.resize(static_cast<size_t>(kResultColumns));
  r.ok = ok;
  r.failure = std::move(failure);
  r.messages = std::move(messages);
  r[C::Row] = number(row);
  r[C::Label] = text(label);
  r[C::Status] = text(ok ? kStatusDone : kStatusFailed);
  if (!ok && r.failure.id) r[C::MessageId] = number(r.failure.id);
  // A failure of the batch's own is not among the messages shown: it leads.
  std::vector<ShownText> all = r.messages;
  if (!ok && r.failure.id == 0 && !r.failure.text.empty()) all.insert(all.begin(), r.failure);
  r[C::Messages] = text(MessagesText(all));
  if (!ok || !session) return r;

  const VeloxaVar& v = session->var();
  r[C::FlowA] = number(v.FlowA);
  r[C::FlowB] = number(v.FlowB);
  r[C::TinA] = number(v.TinA);
  r[C::ToutA] = number(v.ToutA);
  r[C::TinB] = number(v.TinB);
  r[C::ToutB] = number(v.ToutB);
  r[C::HeatLoad] = number(v.HeatLoad);
  r[C::Lmtd] = number(v.Lmtd);

  auto* d = session->existingAs<DesignWindow>(DesignWindow::kName);
  auto* o = session->existingAs<OtherData>(OtherData::kName);
  if (!d || !o) return r;
  const DesignState& s = d->state;
  r[C::CorrectionF] = shown(d->cvdt->text);
  std::string model = trimField(d->cbotype->text);
  if (d->model && d->model->PlateKind == kThermalMixingPlate) model += trimField(d->CobThermalMix->text);
  r[C::Model] = text(model);
  r[C::Plates] = shown(d->txtplatenb->text);
  r[C::PassesA] = shown(d->txtPass1->text);
  r[C::PassesB] = shown(d->txtPass2->text);
  const int plates = static_cast<int>(std::lround(s.PlateCount));
  const int passA = static_cast<int>(std::lround(s.PassesA)), passB = s.PassesB;
  const bool two = d->CobThermalMix->listIndex == kMixHardMixed || d->CobThermalMix->listIndex == kMixMixedSoft;
  if (two) {
    r[C::Channels] = text(trimField(d->MixC1->text) + "+" + trimField(d->MixC2->text));
  } else if (passA > 0 && passB > 0) {
    const int channels = (plates - 1) / 2;
    r[C::Channels] = text(std::to_string(passA) + "×" + std::to_string(channels / passA) + " / " +
                          std::to_string(passB) + "×" + std::to_string(channels / passB));
  }
  r[C::Area] = shown(d->txtarea->text);
  r[C::GrossArea] = shown(d->GrossArea->text);
  r[C::Margin] = number(s.SurfaceMargin);
  r[C::DropA] = number(s.PressureDropA / 1000.0);
  r[C::DropB] = number(s.PressureDropB / 1000.0);
  // Utilisation as the notes give it: drop in Pa / allowed drop in kPa / 10.
  if (v.AllowDpA > 0) r[C::UseA] = number(s.PressureDropA / static_cast<double>(v.AllowDpA) / 10.0);
  if (v.AllowDpB > 0) r[C::UseB] = number(s.PressureDropB / static_cast<double>(v.AllowDpB) / 10.0);
  r[C::ChannelVelocityA] = shown(o->cell(7, 1));
  r[C::ChannelVelocityB] = shown(o->cell(7, 2));
  r[C::ReynoldsA] = shown(o->cell(13, 1));
  r[C::ReynoldsB] = shown(o->cell(13, 2));
  r[C::FilmA] = shown(o->cell(12, 1));
  r[C::FilmB] = shown(o->cell(12, 2));
  r[C::ServiceU] = shown(o->cell(14, 1));
  r[C::NozzleVelocityA] = shown(o->cell(8, 1));
  r[C::NozzleVelocityB] = shown(o->cell(8, 2));
  r[C::Notes] = text(notesText(o->notes().text));
  // The runners-up of an automatic design.
  const std::pair<C, C> others[2] = {{C::Model2, C::Area2}, {C::Model3, C::Area3}};
  for (size_t k = 0; k < 2; ++k) {
    const size_t i = k + 2;
    if (i < d->candidates.size() && d->candidates[i].plates != 0) {
      r[others[k].first] = text(trimField(d->candidates[i].name));
      r[others[k].second] = number(d->candidates[i].area);
    }
  }
  return r;
}

TableSheet ResultSheet(const std::vector<BatchResult>& results) {
  TableSheet sheet;
  sheet.name = "批量设计";
  sheet.columns = ResultColumns();
  for (const BatchResult& r : results) {
    sheet.rows.push_back(r.cells);
    sheet.rows.back().resize(sheet.columns.size());
    sheet.marked.push_back(!r.ok);
  }
  return sheet;
}

}  // namespace vx
