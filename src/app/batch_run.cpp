#include "app/batch_run.h"

#include <algorithm>

#include "app/script_host.h"
#include "app/session.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "exchanger/design_window.h"
#include "properties/property_window.h"

namespace vx {

namespace {

using F = DutyField;

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool isWater(const std::string& medium) { return medium.empty() || medium == "水" || lower(medium) == "water"; }
bool isSteam(const std::string& medium) { return medium == "蒸汽" || lower(medium) == "steam"; }

// The temperature at which a medium's properties are looked up: the one the
// row gives, else the mean of the circuit's given inlet and outlet.
std::string propertyTemperature(const Duty& duty, F given, F tin, F tout) {
  if (duty.given(given)) return FieldNumberText(duty[given]);
  const std::string a = FieldNumberText(duty[tin]), b = FieldNumberText(duty[tout]);
  if (!a.empty() && !b.empty()) {
    const double mean = (Val(a) + Val(b)) / 2;
    return Format(mean, "0.##");
  }
  return !a.empty() ? a : b;
}

// "选择其他的介质" of a circuit, then in the property window the common
// fluid at its concentration and temperature, "确定" and "采用". The window
// is driven without being put on the screen: its answer is the same.
bool adoptCommonFluid(Session& session, Condition& condition, int circuit, const std::string& name,
                      const std::string& concentration, const std::string& temperature, std::string& problem) {
  session.closeWindow(PropertyWindow::kName);
  auto* p = session.windowAs<PropertyWindow>(PropertyWindow::kName);
  if (!p) {
    problem = "无法打开介质物理性质窗口。";
    return false;
  }
  p->whenClosed = [&condition, circuit] { circuit == kCircuitA ? condition.adoptForA() : condition.adoptForB(); };
  Pick(*p->TreeView1, 1);
  int entry = -1;
  for (size_t i = 0; i < p->List2->items.size(); ++i)
    if (trimField(p->List2->items[i]) == name) entry = static_cast<int>(i);
  const std::string circuitName = circuit == kCircuitA ? "A" : "B";
  if (entry < 0) {
    p->whenClosed = nullptr;
    session.closeWindow(PropertyWindow::kName);
    problem = "回路" + circuitName + "的介质“" + name + "”既不是水或蒸汽，也不在常用数据中。";
    return false;
  }
  Pick(*p->List2, entry);
  if (!concentration.empty()) SetText(*p->Text2[0], concentration);
  SetText(*p->Text2[1], temperature);
  Click(p->controls(), *p->Command5);
  Click(p->controls(), *p->Command3);
  // A medium the window would not hand over leaves it open.
  if (session.existing(PropertyWindow::kName)) {
    p->whenClosed = nullptr;
    session.closeWindow(PropertyWindow::kName);
    if (problem.empty()) problem = "回路" + circuitName + "的介质“" + name + "”在该浓度和温度下没有物性。";
    return false;
  }
  return true;
}

}  // namespace

bool EnterDuty(Session& session, const Duty& duty, std::string& problem) {
  auto* c = session.windowAs<Condition>(Condition::kName);
  if (!c) {
    problem = "无法打开设计条件窗口。";
    return false;
  }
  session.activated(Condition::kName);
  ControlSet& set = c->controls();
  const std::string mediumA = duty[F::MediumA], mediumB = duty[F::MediumB];
  const bool steam = isSteam(mediumB);
  // Circuit B's medium first: steam fills the B temperatures and boxes.
  if (steam) {
    Pick(*c->cbomedium2, 1);
    if (duty.given(F::SteamPressure)) SetText(c->field(kSteamPressure), FieldNumberText(duty[F::SteamPressure]));
  } else if (isWater(mediumB)) {
    Pick(*c->cbomedium2, 0);
  } else if (!adoptCommonFluid(session, *c, kCircuitB, mediumB, FieldNumberText(duty[F::ConcentrationB]),
                               propertyTemperature(duty, F::PropertyTemperatureB, F::TinB, F::ToutB), problem)) {
    return false;
  }
  if (isSteam(mediumA)) {
    problem = "回路A的介质不能是蒸汽。";
    return false;
  }
  if (!isWater(mediumA) &&
      !adoptCommonFluid(session, *c, kCircuitA, mediumA, FieldNumberText(duty[F::ConcentrationA]),
                        propertyTemperature(duty, F::PropertyTemperatureA, F::TinA, F::ToutA), problem))
    return false;

  // The unit lists: B's lists follow A's unless the row names B's own.
  if (duty.given(F::FlowUnitA)) Pick(*c->cboflowunit1, FlowUnitIndex(duty[F::FlowUnitA]));
  if (duty.given(F::FlowUnitB)) Pick(*c->cboflowunit2, FlowUnitIndex(duty[F::FlowUnitB]));
  if (duty.given(F::HeatLoadUnit)) Pick(*c->cboheatloadunit, HeatLoadUnitIndex(duty[F::HeatLoadUnit]));
  if (duty.given(F::FoulingUnit)) {
    Pick(*c->cbofoulingunit1, FoulingUnitIndex(duty[F::FoulingUnit]));
    Pick(*c->cbofoulingunit2, FoulingUnitIndex(duty[F::FoulingUnit]));
  }

  // The seven duty values: a value given is typed and its box checked; an
  // empty cell leaves the box unchecked, for the balance to compute. With
  // steam the B temperatures stay given (the steam table's), as the window
  // insists.
  const F seven[7] = {F::FlowA, F::TinA, F::ToutA, F::FlowB, F::TinB, F::ToutB, F::HeatLoad};
  for (int i = 0; i < 7; ++i) {
    if (duty.given(seven[i])) {
      SetText(c->field(i), FieldNumberText(duty[seven[i]]));
      SetChecked(set, c->box(i), true);
    } else if (!(steam && (i == kTinB || i == kToutB))) {
      SetChecked(set, c->box(i), false);
    }
  }
  // The other fields, each followed by its partner where the window copies
  // (allowed drop, design pressure and temperature of A to B).
  const std::pair<F, int> others[] = {
      {F::AllowDpA, kAllowDpA},           {F::AllowDpB, kAllowDpB},
      {F::FoulingA, kFoulingA},           {F::FoulingB, kFoulingB},
      {F::DesignPressureA, kDesignPressureA}, {F::DesignPressureB, kDesignPressureB},
      {F::DesignTemperatureA, kDesignTemperatureA}, {F::DesignTemperatureB, kDesignTemperatureB},
      {F::Margin, kMargin}};
  for (const auto& [f, field] : others)
    if (duty.given(f)) SetText(c->field(field), FieldNumberText(duty[f]));
  if (duty.given(F::FlowDirection)) Click(set, *c->counterflow[static_cast<size_t>(FlowDirectionIndex(duty[F::FlowDirection]))]);

  Click(set, *c->balanceButton);
  return true;
}

bool DesignDuty(Session& session, const Duty& duty, std::string& problem) {
  auto* c = session.existingAs<Condition>(Condition::kName);
  if (!c) return false;
  Click(c->controls(), *c->Command5);
  auto* d = session.existingAs<DesignWindow>(DesignWindow::kName);
  if (!d) return false;
  session.activated(DesignWindow::kName);
  ControlSet& set = d->controls();
  if (duty.given(F::ParallelUnits)) {
    SetText(*d->setnb, FieldNumberText(duty[F::ParallelUnits]));
    if (d->setnb->left) d->setnb->left();
  }
  if (!duty.given(F::Model)) {
    Click(set, *d->Command9);
    return true;
  }
  int entry = -1;
  for (size_t i = 0; i < d->cbotype->items.size(); ++i)
    if (lower(trimField(d->cbotype->items[i])) == lower(duty[F::Model])) entry = static_cast<int>(i);
  // A thermal-mixing plate may be named with its channel item, as the
  // candidate list and the result table write it ("VX100M硬+混").
  int mixEntry = -1;
  for (size_t i = 0; entry < 0 && i < d->cbotype->items.size(); ++i) {
    const std::string name = lower(trimField(d->cbotype->items[i]));
    const std::string wanted = lower(duty[F::Model]);
    if (name.empty() || wanted.rfind(name, 0) != 0) continue;
    Pick(*d->cbotype, static_cast<int>(i));
    for (size_t k = 0; k < d->CobThermalMix->items.size(); ++k)
      if (name + lower(trimField(d->CobThermalMix->items[k])) == wanted) {
        entry = static_cast<int>(i);
        mixEntry = static_cast<int>(k);
      }
  }
  if (entry < 0) {
    problem = "型号“" + duty[F::Model] + "”不在板片型号中。";
    return false;
  }
  Pick(*d->cbotype, entry);
  if (mixEntry >= 0) Pick(*d->CobThermalMix, mixEntry);
  const std::string passes = duty.given(F::Passes) ? FieldNumberText(duty[F::Passes]) : "";
  if (duty.given(F::Plates)) {
    // A check of the given exchanger.
    SetText(*d->txtplatenb, FieldNumberText(duty[F::Plates]));
    if (!passes.empty()) {
      SetText(*d->txtPass1, passes);
      SetText(*d->txtPass2, passes);
    }
    Click(set, *d->Command1);
  } else {
    // The design of the named model; a pass count given is kept to.
    if (!passes.empty()) {
      SetChecked(set, *d->PassLock, true);
      SetText(*d->txtPass1, passes);
      SetText(*d->txtPass2, passes);
    }
    Click(set, *d->Command2);
  }
  return true;
}

BatchResult RunDuty(const std::filesystem::path& dataDir, const Duty& duty, int row) {
  ScriptHost host;
  host.setDialogFolder(dataDir);
  auto messages = [&host] {
    std::vector<ShownText> out;
    for (const auto& m : host.messages()) out.push_back({m.id, m.text});
    return out;
  };
  auto lastMessage = [&host] {
    if (host.messages().empty()) return ShownText{};
    return ShownText{host.messages().back().id, host.messages().back().text};
  };
  const std::string label = duty[F::Label];
  if (!duty.error.empty()) return CollectResult(nullptr, row, label, false, {0, duty.error}, {});
  Session session(host, dataDir);
  if (!session.start()) return CollectResult(&session, row, label, false, lastMessage(), messages());
  std::string problem;
  if (!EnterDuty(session, duty, problem)) return CollectResult(&session, row, label, false, {0, problem}, messages());
  if (!session.var().BalanceDone) return CollectResult(&session, row, label, false, lastMessage(), messages());
  if (!DesignDuty(session, duty, problem)) return CollectResult(&session, row, label, false, {0, problem}, messages());
  if (!session.var().ResultAvailable) return CollectResult(&session, row, label, false, lastMessage(), messages());
  return CollectResult(&session, row, label, true, {}, messages());
}

BatchRun::BatchRun(std::filesystem::path dataDir, std::vector<Duty> duties, int threads)
    : dataDir_(std::move(dataDir)),
      duties_(std::move(duties)),
      threads_(threads),
      results_(duties_.size()),
      ready_(duties_.size()) {
  if (threads_ <= 0) threads_ = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  threads_ = std::max(1, std::min(threads_, static_cast<int>(duties_.size())));
}

BatchRun::~BatchRun() {
  cancel();
  wait();
}

void BatchRun::start() {
  if (started_) return;
  started_ = true;
  running_ = threads_;
  for (int t = 0; t < threads_; ++t) workers_.emplace_back([this] { work(); });
}

void BatchRun::cancel() { cancel_ = true; }

void BatchRun::wait() {
  for (auto& w : workers_)
    if (w.joinable()) w.join();
}

void BatchRun::work() {
  for (;;) {
    if (cancel_.load()) break;
    const int i = next_.fetch_add(1);
    if (i >= total()) break;
    BatchResult r;
    try {
      r = RunDuty(dataDir_, duties_[static_cast<size_t>(i)], i + 1);
    } catch (const std::exception& e) {
      // A row must not take the batch down with it.
      ShownText failure{0, std::string("运行出错：") + e.what()};
      r = CollectResult(nullptr, i + 1, duties_[static_cast<size_t>(i)][F::Label], false, failure, {});
    }
    results_[static_cast<size_t>(i)] = std::move(r);
    ready_[static_cast<size_t>(i)].store(true, std::memory_order_release);
    ++done_;
  }
  --running_;
}

std::vector<BatchResult> RunBatch(const std::filesystem::path& dataDir, const std::vector<Duty>& duties,
                                  int threads) {
  BatchRun run(dataDir, duties, threads);
  run.start();
  run.wait();
  std::vector<BatchResult> results;
  for (int i = 0; i < run.total(); ++i)
    if (run.ready(i)) results.push_back(run.result(i));
  return results;
}

}  // namespace vx
