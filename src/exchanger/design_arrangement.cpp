// The rules that keep the arrangement fields of the design window consistent
// while the person (or a command) edits them.
#include <cmath>

#include "common/messages.h"
#include "common/number_text.h"
#include "exchanger/design_window.h"

namespace vx {

namespace {

double whole(double x) { return std::floor(x); }

}  // namespace

bool DesignWindow::isTwoKindArrangement() const {
  if (!model || model->PlateKind != kThermalMixingPlate) return false;
  const int item = CobThermalMix->listIndex;
  const short state = ctx_.var.MediumStateB;
  return (item == 3 || item == 4) && state != kStateSteam && state != kStateAdoptedVapour;
}

void DesignWindow::plateCountChanged() {
  ClearShownResults();
  double passes = Val(txtPass1->text);
  if (passes == 0) return;  // nothing to share the channels over yet
  Assign(*MixC1, PlainNumber(whole(Val(txtplatenb->text) / 2) / passes));
}

void DesignWindow::firstKindChanged() {
  const double plates = Val(txtplatenb->text);
  if (Val(MixC1->text) > plates / 2) {
    const std::string largest = PlainNumber(whole(plates / 2));
    ctx_.host.message("流道数不能超过 " + largest + ".", Icon::Information, Buttons::Ok, 0);
    Assign(*MixC1, largest);
    return;  // the assignment ran this rule again
  }
  double passes = Val(txtPass1->text);
  if (passes == 0) return;
  Assign(*MixC2, PlainNumber(whole(plates / 2 / passes - Val(MixC1->text))));
}

void DesignWindow::thermalMixPicked() {
  ClearShownResults();
  const int item = CobThermalMix->listIndex;
  const bool twoKinds = item == 3 || item == 4;
  MixC1->enabled = MixC2->enabled = mixLabel->enabled = twoKinds;
  if (twoKinds) {
    Assign(*txtPass1, "1");
    Assign(*txtPass2, "1");
  }
  const double plates = Val(txtplatenb->text);
  if (plates != 0) Assign(*MixC1, PlainNumber((plates - 1) / 2));
}

void DesignWindow::passAChanged() {
  if (txtPass1->text.empty()) return;
  if (txtPass1->text != "1" && isTwoKindArrangement()) {
    ShowMessage(ctx_.host, 486);
    Assign(*txtPass1, "1");
    return;  // the assignment ran this rule for "1"
  }
  const double passes = Val(txtPass1->text);
  if (passes > 8 || passes < 1) {
    ShowMessage(ctx_.host, 486);
    Assign(*txtPass1, "1");
    return;
  }
  Assign(*MixC1, PlainNumber(whole(Val(txtplatenb->text) / 2) / passes));
  Assign(*txtPass2, txtPass1->text);
}

void DesignWindow::passBChanged() {
  if (txtPass2->text.empty()) return;
  if (txtPass2->text != "1" && isTwoKindArrangement()) {
    ShowMessage(ctx_.host, 486);
    Assign(*txtPass2, "1");
    return;
  }
  ClearShownResults();
}

float DesignWindow::parallelCount() const {
  const VeloxaVar& v = ctx_.var;
  const float count = static_cast<float>(Val(setnb->text));
  // A count that is not positive, or so small that the flow per unit would
  // not fit a single-precision number, is no count: leaving the field asks
  // for one.
  if (!std::isfinite(count) || !(count > 0)) return 0;
  if (!std::isfinite(v.FlowA / count) || !std::isfinite(v.FlowB / count)) return 0;
  return count;
}

void DesignWindow::parallelChanged() {
  VeloxaVar& v = ctx_.var;
  v.ParallelUnits = parallelCount();
  if (v.ParallelUnits != 0) {
    recomputeUnitFlows();
    ClearShownResults();
  }
}

void DesignWindow::parallelLeft() {
  if (ctx_.var.ParallelUnits == 0) {
    ShowMessage(ctx_.host, 483);
    focus = setnb->label();
  }
}

void DesignWindow::narrowClicked() {
  const VeloxaVar& v = ctx_.var;
  const bool aLarger = v.UnitFlowA > v.UnitFlowB;
  if ((aLarger && narrowInC1->checked) || (!aLarger && narrowInC2->checked)) ShowMessage(ctx_.host, 571);
  ClearShownResults();
}

void DesignWindow::assemblyTabPicked() {
  if (TabStrip2->listIndex != 0) {
    ShowMessage(ctx_.host, 484);
    TabStrip2->listIndex = 0;
    TabStrip2->text = TabStrip2->items[0];
  }
}

// A viscosity correction lowers the film coefficient of a cooled circuit and
// raises that of a heated one; other values are refused when the field is left.
void DesignWindow::viscosityFactorLeft(int circuit) {
  Control& field = circuit == kCircuitA ? *Txtvc1 : *Txtvc2;
  const VeloxaVar& v = ctx_.var;
  const float tin = circuit == kCircuitA ? v.TinA : v.TinB;
  const float tout = circuit == kCircuitA ? v.ToutA : v.ToutB;
  const double factor = Val(field.text);
  int message = 0;
  if (factor <= 0) message = 487;
  else if (factor > 1 && tin > tout) message = 488;
  else if (factor < 1 && tin < tout) message = 489;
  if (message == 0) return;
  ShowMessage(ctx_.host, message);
  if (message != 487) Assign(field, "1");
  focus = field.label();
}

void DesignWindow::correctionTabPicked() {
  // Only the shown panel changes; the screen follows the tab index.
}

}  // namespace vx
