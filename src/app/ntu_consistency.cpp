#include "app/ntu_consistency.h"

#include <cmath>

#include "app/script_host.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "exchanger/correction.h"
#include "exchanger/design_window.h"
#include "exchanger/rating.h"
#include "exchanger/true_temp.h"

namespace vx {

namespace {

double logMean(double d1, double d2) {
  if (!(d1 > 0) || !(d2 > 0)) return 0;
  return d1 == d2 ? d1 : (d1 - d2) / std::log(d1 / d2);
}

int lastMessage(Session& session) {
  auto* host = dynamic_cast<ScriptHost*>(&session.host());
  return host && !host->messages().empty() ? host->messages().back().id : 0;
}

}  // namespace

NtuConsistency RunNtuAndCheck(Session& session) {
  NtuConsistency c;
  auto* d = session.existingAs<DesignWindow>(DesignWindow::kName);
  if (!d) return c;
  const int before = lastMessage(session);
  if (!d->RunNtu()) {
    c.message = lastMessage(session) != before ? lastMessage(session) : 0;
    return c;
  }
  auto* shown = session.existingAs<TrueTemp>(TrueTemp::kName);
  if (!shown) return c;
  const VeloxaVar& v = session.var();
  c.t1o = d->ntuAnswer.t1o;
  c.t2o = d->ntuAnswer.t2o;
  c.shownHeat = Val(shown->txtShow[4]->text) * v.ParallelUnits;
  // The check at the answer's outlets: its correction factor (before the
  // field rounds it to two decimals) and its heat capacity, with the rating
  // (U, areas) the NTU command made. The answer is taken at full precision:
  // near the edge of the 1-2 factor a hundredth of a kelvin moves the factor
  // by about 1 %.
  VeloxaVar at = v;
  at.ToutA = c.t1o;
  at.ToutB = c.t2o;
  const double sign = v.TinA >= v.TinB ? 1 : -1;
  const bool counter = d->state.Counterflow;
  const double d1 = sign * (counter ? static_cast<double>(v.TinA) - c.t2o : static_cast<double>(v.TinA) - v.TinB);
  const double d2 = sign * (counter ? static_cast<double>(c.t1o) - v.TinB : static_cast<double>(c.t1o) - c.t2o);
  at.Lmtd = static_cast<float>(logMean(d1, d2));
  DesignState state = d->state;
  const CorrectionFactor f =
      DTcorrect(at.TinA, at.ToutA, at.TinB, at.ToutB, d->txtPass1->text, d->txtPass2->text, d->LmtdC->checked,
                d->cvdt->text);
  if (f.failed) return c;
  state.F = f.value;
  if (!HeatCapacityAndMargin(state, at, d->channelKinds)) return c;
  c.checkedHeat = state.HeatCapacity / 1000.0;
  c.ran = true;
  return c;
}

bool SetUpNtuDuty(Session& session, const std::string& model, const std::string& plates, const std::string& passA,
                  const std::string& passB, bool coCurrent, const std::string& toutB) {
  auto* cond = session.windowAs<Condition>(Condition::kName);
  if (!cond) return false;
  SetText(cond->field(kFlowA), "30000");
  SetText(cond->field(kTinA), "95");
  SetText(cond->field(kToutA), "65");
  SetText(cond->field(kTinB), "40");
  SetText(cond->field(kToutB), toutB);
  Click(cond->controls(), *cond->counterflow[coCurrent ? 1 : 0]);
  Click(cond->controls(), *cond->balanceButton);
  if (!session.var().BalanceDone) return false;
  // The balanced flow of B becomes a given value, its outlet the unknown.
  SetChecked(cond->controls(), cond->box(kFlowB), true);
  SetChecked(cond->controls(), cond->box(kToutB), false);
  Click(cond->controls(), *cond->balanceButton);
  if (!session.var().BalanceDone) return false;
  session.activated(Condition::kName);
  Click(cond->controls(), *cond->Command5);
  auto* d = session.existingAs<DesignWindow>(DesignWindow::kName);
  if (!d) return false;
  session.activated(DesignWindow::kName);
  int index = -1;
  for (size_t i = 0; i < d->cbotype->items.size(); ++i)
    if (trimField(d->cbotype->items[i]) == model) index = static_cast<int>(i);
  if (index < 0) return false;
  Pick(*d->cbotype, index);
  SetText(*d->txtplatenb, plates);
  SetText(*d->txtPass1, passA);
  SetText(*d->txtPass2, passB);
  return true;
}

}  // namespace vx
