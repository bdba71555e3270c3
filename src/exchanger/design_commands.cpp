// The commands of the design window: check, design, automatic design and the
// NTU method.
#include <cmath>
#include <vector>

#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "exchanger/arrangement.h"
#include "exchanger/candidates.h"
#include "exchanger/correction.h"
#include "exchanger/design_window.h"
#include "exchanger/ntu.h"
#include "exchanger/rating.h"
#include "exchanger/reynolds_range.h"
#include "exchanger/true_temp.h"

namespace vx {

namespace {

// An arithmetic failure inside a command: it ends with 423 and its code.
struct ArithmeticFailure {};

void need(bool ok) {
  if (!ok) throw ArithmeticFailure{};
}

int roundHalfEven(double x) { return static_cast<int>(std::nearbyint(x)); }


// The outcome of the single-kind count search over a range of pass numbers.
struct CountSearch {
  bool found = false;
  int passes = 1;
  int channels = 0;
  float margin = 0, dropA = 0, dropB = 0;
};

}  // namespace

void DesignWindow::takeInputs() {
  DesignState& s = state;
  s.ThermalMixItem = CobThermalMix->listIndex < 0 ? 0 : CobThermalMix->listIndex;
  s.narrowInC1 = narrowInC1->checked;
  s.narrowInC2 = narrowInC2->checked;
  s.PlateThicknessM = PlateThicknessM;
  s.PlateConductivity = PlateConductivity;
  s.Chkvc1 = Chkvc1->checked;
  s.Txtvc1 = static_cast<float>(Val(Txtvc1->text));
  s.Chkvc2 = Chkvc2->checked;
  s.Txtvc2 = static_cast<float>(Val(Txtvc2->text));
  s.ChkPortPd = ChkPortPd->checked;
  if (Condition* c = condition()) {
    s.VapourOptionB = c->Opt2LV[1]->checked;
    s.Counterflow = c->counterflow[0]->checked;
    s.MarginText = c->field(kMargin).text;
  }
  s.DesignMargin = DesignMargin;
  s.LmtdC = LmtdC->checked;
  s.cvdt = cvdt->text;
  s.F = static_cast<float>(Val(cvdt->text));
}

short DesignWindow::plateKind() const { return model ? model->PlateKind : static_cast<short>(kNormalPlate); }

void DesignWindow::writePortDiameters() {
  GridState& g = PheGrid->grid;
  g.cell(10, 3) = std::to_string(channelKinds[static_cast<size_t>(state.ChannelKindA1)].portIn);
  g.cell(11, 3) = std::to_string(channelKinds[static_cast<size_t>(state.ChannelKindB1)].portIn);
}

// The commands rate the design case of the last heat balance: without one
// (refused, or withdrawn by an edit) there is nothing valid to rate.
bool DesignWindow::refuseWithoutBalance() {
  if (ctx_.var.BalanceDone) return false;
  ShowMessage(ctx_.host, 427);
  return true;
}

int DesignWindow::CanGoing() {
  double limit = Val(PheGrid->grid.cell(3, 3));
  if (Condition* c = condition()) {
    if (c->number(kDesignTemperatureA) > limit || c->number(kDesignTemperatureB) > limit) return 490;
  }
  return CorrectionFactorCheck(cvdt->text);
}

void DesignWindow::arithmeticFailure(const char* code) {
  ctx_.host.busy(false);
  ShowMessage(ctx_.host, 423, {"|1", code});
}

bool DesignWindow::RunCheck() {
  try {
    return checkSteps();
  } catch (const ArithmeticFailure&) {
    cvdt->text = state.cvdt;
    arithmeticFailure("106");
    return false;
  }
}

bool DesignWindow::checkSteps() {
  DataClear(state);
  if (refuseWithoutBalance()) {
    ClearShownResults();
    return false;
  }
  if (int id = CanGoing()) {
    ShowMessage(ctx_.host, id);
    return false;
  }
  takeInputs();
  SelectChannelKinds(state, plateKind());
  writePortDiameters();
  if (int id = PlateAndPassChecks(state, channelKinds, presets.MaxPasses, Val(txtplatenb->text), Val(txtPass1->text),
                                  Val(txtPass2->text))) {
    ShowMessage(ctx_.host, id);
    return false;
  }
  if (trimField(cbotype->text).empty()) {
    ShowMessage(ctx_.host, 471);
    return false;
  }
  if (!rateAsArranged()) return false;
  ShowResults();
  return true;
}

// The rating of the arrangement as the fields give it, for the check and the
// NTU method: false when the correction factor fails (472 shown).
bool DesignWindow::rateAsArranged() {
  const VeloxaVar& v = ctx_.var;
  need(ComputeNozzleVelocities(state, v, channelKinds));
  state.FirstKindCount = roundHalfEven(Val(MixC1->text));
  state.SecondKindCount = roundHalfEven(Val(MixC2->text));
  need(RateArrangement(state, v, channelKinds));
  const bool corrected = CorrectForCheck(state, v, txtPass1->text, txtPass2->text);
  cvdt->text = state.cvdt;
  if (!corrected) {
    ShowMessage(ctx_.host, 472);
    return false;
  }
  need(HeatCapacityAndMargin(state, v, channelKinds));
  return true;
}

// The single-kind count search of the design commands: for each pass number
// the smallest count per pass that meets the margin and both allowed drops.
// The search stops at the first pass number whose solution uses more than
// `usageLimit` of an allowed drop. When the last pass number tried has no
// solution, the last one that had keeps the result.
static CountSearch searchCounts(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int from, int to,
                                float usageLimit) {
  CountSearch last, kept;
  const int maxPlates = kinds[static_cast<size_t>(s.ChannelKindA1)].maxPlates;
  for (int p = from; p <= to; ++p) {
    s.PassesA = static_cast<float>(p);
    s.PassesB = static_cast<short>(p);
    s.PressureDropA = v.AllowDpA * 1000 + 1;
    s.PressureDropB = v.AllowDpB * 1000 + 1;
    s.SurfaceMargin = -10000;
    int c = 0;
    bool found = false;
    while (true) {
      if (s.PressureDropA / 1000 <= v.AllowDpA && s.SurfaceMargin >= s.DesignMargin &&
          s.PressureDropB / 1000 <= v.AllowDpB) {
        found = true;
        break;
      }
      ++c;
      if (2 * c * p + 1 > maxPlates) break;
      need(RateSingleKindTrial(s, v, kinds, c));
    }
    last = {found, p, c, s.SurfaceMargin, s.PressureDropA, s.PressureDropB};
    if (found) kept = last;
    if (found && (s.PressureDropA / 1000 / v.AllowDpA > usageLimit || s.PressureDropB / 1000 / v.AllowDpB > usageLimit))
      break;
  }
  return last.found ? last : (kept.found ? kept : last);
}

// The split between the two channel kinds of a two-kind item: the pair with
// the fewest channels that meets the margin and both drops (strictly).
static bool searchSplit(DesignState& s, const VeloxaVar& v, const ChannelKinds& kinds, int c, int& bestFirst,
                        int& bestSecond, CountSearch& kept) {
  // A total of channels whose drop floor is above an allowed drop fails
  // however it is split: its pairs are not rated.
  std::vector<signed char> hopeless(static_cast<size_t>(c) + 1, -1);
  const auto totalIsHopeless = [&](int n) {
    signed char& known = hopeless[static_cast<size_t>(n)];
    if (known < 0)
      known = SplitDropFloor(s, v, kinds, kCircuitA, n) / 1000 > v.AllowDpA ||
              SplitDropFloor(s, v, kinds, kCircuitB, n) / 1000 > v.AllowDpB;
    return known == 1;
  };
  int best = 5000;
  bestFirst = bestSecond = 0;
  bool lastSkipped = false;
  int lastFirst = 0, lastSecond = 0;
  for (int i = 0; i <= c; ++i) {
    for (int j = 0; j <= c - i; ++j) {
      if (i == 0 && j == 0) continue;
      if (i + j >= best) continue;  // cannot win: a tie keeps the pair found first
      lastSkipped = totalIsHopeless(i + j);
      lastFirst = j;
      lastSecond = i;
      if (lastSkipped) continue;
      need(RateSplitTrial(s, v, kinds, j, i));
      if (s.PressureDropA / 1000 < v.AllowDpA && s.SurfaceMargin > s.DesignMargin &&
          s.PressureDropB / 1000 < v.AllowDpB) {
        best = i + j;
        bestFirst = j;
        bestSecond = i;
        kept.margin = s.SurfaceMargin;
        kept.dropA = s.PressureDropA;
        kept.dropB = s.PressureDropB;
      }
    }
  }
  // The rating left behind is that of the last pair the search considered,
  // skipped or not.
  if (lastSkipped) need(RateSplitTrial(s, v, kinds, lastFirst, lastSecond));
  return best != 5000;
}

bool DesignWindow::RunDesign() {
  DataClear(state);
  if (refuseWithoutBalance()) {
    ClearShownResults();
    return false;
  }
  if (int id = CanGoing()) {
    ShowMessage(ctx_.host, id);
    return false;
  }
  if (trimField(cbotype->text).empty()) {
    ShowMessage(ctx_.host, 471);
    return false;
  }
  try {
    BusyPointer busy(ctx_.host);
    const VeloxaVar& v = ctx_.var;
    takeInputs();
    SelectChannelKinds(state, plateKind());
    writePortDiameters();
    need(ComputeNozzleVelocities(state, v, channelKinds));
    const bool two = IsTwoKindArrangement(state, plateKind(), v.MediumStateB);
    int from = 1, to = presets.MaxPasses;
    if (two) {
      to = 1;
    } else if (PassLock->checked) {
      from = to = roundHalfEven(Val(txtPass1->text));
      if (from < 1 || from > presets.MaxPasses) {
        ShowMessage(ctx_.host, 469);
        return false;
      }
    }
    // The correction factor's inputs do not change during the search.
    CorrectForDesign(state, v, txtPass1->text, txtPass2->text);
    cvdt->text = state.cvdt;
    CountSearch result = searchCounts(state, v, channelKinds, from, to, 0.3f);
    const int plates = 2 * result.channels * result.passes + 1;
    if (result.found && TwoKindItemSelected(state, plateKind())) {
      int first = 0, second = 0;
      if (!searchSplit(state, v, channelKinds, result.channels, first, second, result)) {
        // No pair of channel counts meets the duty: no result.
        ShowMessage(ctx_.host, 477);
        setResultState(false);
        return false;
      }
      for (auto* table : {&state.ChannelRe, &state.FilmCoefficient, &state.ChannelNu, &state.ChannelEu})
        (*table)[2][kCircuitB] = 0;
      Assign(*txtplatenb, std::to_string(2 * first + 2 * second + 1));
      Assign(*MixC1, std::to_string(first));
      Assign(*MixC2, std::to_string(second));
      return RunCheck();
    }
    if (!result.found) {
      Assign(*txtplatenb, std::to_string(plates));
      ShowMessage(ctx_.host, 477);
      setResultState(false);
      return false;
    }
    // Write the arrangement found into both pass fields and the plates (their
    // rules clear the shown results), then show that arrangement's own
    // rating with the correction factor the search used.
    const std::string passes = std::to_string(result.passes);
    Assign(*txtPass1, passes);
    Assign(*txtPass2, passes);
    Assign(*txtplatenb, std::to_string(plates));
    state.PassesA = static_cast<float>(result.passes);
    state.PassesB = static_cast<short>(result.passes);
    state.PlateCount = static_cast<float>(plates);
    state.FirstKindCount = result.channels;
    state.SecondKindCount = 0;
    need(RateSingleKindTrial(state, v, channelKinds, result.channels));
  } catch (const ArithmeticFailure&) {
    arithmeticFailure("107");
    return false;
  }
  ShowResults();
  return true;
}

bool DesignWindow::RunAutoDesign() {
  Host& host = ctx_.host;
  ResetCandidates(candidates);
  DataClear(state);
  ClearShownResults();
  if (refuseWithoutBalance()) return false;
  Assign(*cvdt, "0.97");
  LmtdC->checked = false;
  AutoClearResults = false;
  if (int id = CanGoing()) {
    ShowMessage(host, id);
    AutoClearResults = true;
    return false;
  }
  if (PassLock->checked) {
    ShowMessage(host, 478);
    PassLock->checked = false;
  }
  const int models = static_cast<int>(cbotype->items.size());
  CatalogueCache::Hold held(catalogue, ctx_.dataDir);
  try {
    BusyPointer busy(host);
    const VeloxaVar& v = ctx_.var;
    ProgressBar1->visible = true;
    host.progress(models, 0, true);
    FillCandidateGrid(candidates, AutoGrid->grid);
    for (int m = 0; m < models; ++m) {
      host.progress(models, m, true);
      selectModel(m);
      if (!model) continue;
      takeInputs();
      SelectChannelKinds(state, plateKind());
      writePortDiameters();
      need(ComputeNozzleVelocities(state, v, channelKinds));
      if (!NozzleVelocityOk(state, presets)) continue;
      const int lastItem = plateKind() == kThermalMixingPlate ? (Check1->checked ? 4 : 2) : 0;
      for (int k = 0; k <= lastItem; ++k) {
        SelectEntry(*CobThermalMix, k);
        takeInputs();
        SelectChannelKinds(state, plateKind());
        const bool two = IsTwoKindArrangement(state, plateKind(), v.MediumStateB);
        CorrectForDesign(state, v, txtPass1->text, txtPass2->text);
        CountSearch result = searchCounts(state, v, channelKinds, 1, two ? 1 : presets.MaxPasses, 0.1f);
        state.PassesA = static_cast<float>(result.passes);
        state.PassesB = static_cast<short>(result.passes);
        state.PlateCount = static_cast<float>(2 * result.channels * result.passes + 1);
        int first = result.channels, second = 0;
        if (result.found && TwoKindItemSelected(state, plateKind())) {
          int bestFirst = 0, bestSecond = 0;
          // Without an acceptable pair the item gives no candidate.
          result.found = searchSplit(state, v, channelKinds, result.channels, bestFirst, bestSecond, result);
          first = bestFirst;
          second = bestSecond;
          state.PlateCount = static_cast<float>(2 * bestFirst + 2 * bestSecond + 1);
        }
        state.SurfaceMargin = result.margin;
        state.PressureDropA = result.dropA;
        state.PressureDropB = result.dropB;
        const bool accepted = result.found && state.PressureDropA / 1000 < v.AllowDpA &&
                              state.SurfaceMargin > DesignMargin && state.PressureDropB / 1000 < v.AllowDpB &&
                              state.NozzleVelocityA > 0.3f && state.NozzleVelocityB > 0.3f &&
                              ListedArrangementWithinRange(state, v, channelKinds, first, second);
        if (!accepted) continue;
        const double area = static_cast<double>(state.PlateCount) * channelKinds[1].plateArea;
        Candidate c;
        std::string name = trimField(model->ModelName);
        if (plateKind() == kThermalMixingPlate) name += trimField(CobThermalMix->text);
        c.name = FixedText(name, 20);
        c.modelIndex = static_cast<short>(m);
        c.mixIndex = static_cast<short>(k);
        c.plates = static_cast<short>(std::lround(state.PlateCount));
        c.passes = static_cast<short>(result.passes);
        c.area = CutToHundredths(area);
        c.margin = CutToHundredths(state.SurfaceMargin);
        c.firstKind = static_cast<short>(first);
        c.secondKind = static_cast<short>(second);
        InsertCandidate(candidates, c, area);
      }
    }
    ProgressBar1->visible = false;
    host.progress(models, models, false);
  } catch (const ArithmeticFailure&) {
    ProgressBar1->visible = false;
    AutoClearResults = true;
    arithmeticFailure("105");
    return false;
  }
  if (candidates.size() > 1 && candidates[1].plates != 0) {
    FillCandidateGrid(candidates, AutoGrid->grid);
    AutoGrid->items.clear();
    for (int r = 0; r < AutoGrid->grid.rows; ++r) AutoGrid->items.push_back(std::to_string(r));
    windowHeight = 8250;
    candidateFrame->visible = true;
    applyCandidate(1);
    LmtdC->checked = false;
    AutoClearResults = true;
    return true;
  }
  ShowMessage(host, 481);
  setResultState(false);
  AutoClearResults = true;
  return false;
}

void DesignWindow::applyCandidate(int row) {
  if (row < 1 || row >= static_cast<int>(candidates.size())) return;
  const Candidate e = candidates[static_cast<size_t>(row)];
  selectModel(e.modelIndex);
  SelectEntry(*CobThermalMix, e.mixIndex);
  Assign(*txtplatenb, std::to_string(e.plates));
  Assign(*txtPass1, std::to_string(e.passes));
  Assign(*txtPass2, std::to_string(e.passes));
  Assign(*MixC1, std::to_string(e.firstKind));
  LmtdC->checked = true;
  RunCheck();
}

bool DesignWindow::RunNtu() {
  Host& host = ctx_.host;
  const VeloxaVar& v = ctx_.var;
  DataClear(state);
  ntuAnswer = {};
  if (refuseWithoutBalance()) {
    ClearShownResults();
    return false;
  }
  takeInputs();
  SelectChannelKinds(state, plateKind());
  writePortDiameters();
  Condition* c = condition();
  if (!c || !c->given(kFlowA) || !c->given(kTinA) || !c->given(kFlowB) || !c->given(kTinB)) {
    ShowMessage(host, 474);
    return false;
  }
  state.PlateCount = static_cast<float>(Val(txtplatenb->text));
  if (trimField(cbotype->text).empty() || state.PlateCount < 1) {
    ShowMessage(host, 475);
    return false;
  }
  if (int id = PlateLimitAndPassChecks(state, channelKinds, presets.MaxPasses, Val(txtPass1->text),
                                       Val(txtPass2->text))) {
    ShowMessage(host, id);
    return false;
  }
  try {
    if (!rateAsArranged()) return false;
  } catch (const ArithmeticFailure&) {
    ShowMessage(host, 476);
    return false;
  }
  NtuInputs in;
  in.TinA = v.TinA;
  in.TinB = v.TinB;
  in.FlowA = v.FlowA;
  in.FlowB = v.FlowB;
  in.cpA = v.MediumProp(kSpecificHeat, kCircuitA);
  in.cpB = v.MediumProp(kSpecificHeat, kCircuitB);
  in.ua = TransferConductance(state, v, channelKinds);
  in.counterCurrent = state.Counterflow;
  in.txtPass1 = txtPass1->text;
  in.txtPass2 = txtPass2->text;
  in.lmtdC = state.LmtdC;
  in.cvdt = state.cvdt;
  const NtuResult r = SolveOutletTemperatures(in);
  ntuAnswer = r;
  if (!r.converged) {
    ShowMessage(host, 476);
    return false;
  }
  auto* result = ctx_.windows.windowAs<TrueTemp>(TrueTemp::kName);
  if (!result) return false;
  const double unitLoad = v.UnitFlowB / 3600.0 * in.cpB * std::fabs(static_cast<double>(r.t2o) - v.TinB);
  result->show(v.TinA, r.t1o, v.TinB, r.t2o, static_cast<float>(unitLoad));
  ctx_.windows.showWindow(TrueTemp::kName, false);
  return true;
}

}  // namespace vx
