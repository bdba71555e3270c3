// The result display of the design window: the result fields, the rows of
// the intermediate-data grid, the notes that judge the result, and the
// margin spin.
#include <cmath>

#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "exchanger/arrangement.h"
#include "exchanger/design_window.h"
#include "exchanger/reynolds_range.h"

namespace vx {

namespace {
const char* const kLineFeed = "\n";
}

void DesignWindow::ShowResults() {
  const VeloxaVar& v = ctx_.var;
  const DesignState& s = state;
  const bool twoKinds = TwoKindItemSelected(s, plateKind());
  const float plateArea = channelKinds[1].plateArea;

  // 1. The result fields. The pass fields change only when their text does,
  // so that their rules keep the channel counts of the arrangement shown.
  const std::string passA = Format(s.PassesA, "##"), passB = Format(s.PassesB, "##");
  if (txtPass1->text != passA) Assign(*txtPass1, passA);
  if (txtPass2->text != passB) Assign(*txtPass2, passB);
  txtover->text = Format(s.SurfaceMargin, "###.##");
  txtover->backColor = s.SurfaceMargin < 0 ? kYellow : kWindowColour;
  txtarea->text = Format((static_cast<double>(s.PlateCount) - 2) * plateArea, "0.##");
  GrossArea->text = Format(static_cast<double>(s.PlateCount) * plateArea, "0.##");

  OtherData* od = otherData();
  if (od) {
    auto cell = [od](int row, int col) -> std::string& { return od->cell(row, col); };
    auto slots = [&](const SlotTable& t, int circuit, const char* single) {
      if (!twoKinds) return Format(t[1][static_cast<size_t>(circuit)], single);
      return Format(t[1][static_cast<size_t>(circuit)], "0") + "/" + Format(t[2][static_cast<size_t>(circuit)], "0");
    };
    // 2. Nozzle velocities, then circuit B's Reynolds, Nusselt and Euler numbers.
    cell(8, 1) = Format(s.NozzleVelocityA, "0.##");
    cell(8, 2) = Format(s.NozzleVelocityB, "0.##");
    const bool condensing = v.MediumStateB == kStateSteam || v.MediumStateB == kStateAdoptedVapour;
    cell(13, 2) = condensing ? "" : slots(s.ChannelRe, kCircuitB, "0.#");
    cell(10, 2) = condensing ? "" : slots(s.ChannelNu, kCircuitB, "0.##");
    cell(11, 2) = condensing ? "" : slots(s.ChannelEu, kCircuitB, "0.##");
    // 3. The wall temperature.
    txtwall->text = Format(s.WallTemperature, "0.##");
    // 4. Circuit A, then B's velocities and film coefficients, then the drops.
    cell(14, 1) = twoKinds ? Format(s.ServiceU[1], "0.#") + "/" + Format(s.ServiceU[2], "0.#") : Format(s.ServiceU[1], "0.#");
    cell(14, 2) = cell(14, 1);
    auto velocity = [&](int circuit) {
      if (!twoKinds) return Format(s.ChannelVelocity[1][static_cast<size_t>(circuit)], "0.##");
      return Format(s.ChannelVelocity[1][static_cast<size_t>(circuit)], "0.##") + "/" +
             Format(s.ChannelVelocity[2][static_cast<size_t>(circuit)], "0.##");
    };
    cell(7, 1) = velocity(kCircuitA);
    cell(13, 1) = slots(s.ChannelRe, kCircuitA, "0.#");
    cell(10, 1) = slots(s.ChannelNu, kCircuitA, "0.##");
    cell(11, 1) = slots(s.ChannelEu, kCircuitA, "0.##");
    cell(12, 1) = slots(s.FilmCoefficient, kCircuitA, "0.#");
    cell(7, 2) = velocity(kCircuitB);
    cell(12, 2) = slots(s.FilmCoefficient, kCircuitB, "0.#");
    cell(9, 1) = Format(s.PressureDropA / 1000.0, "0.##");
    cell(9, 2) = Format(s.PressureDropB / 1000.0, "0.##");
    // 5. The window keeps to the top right of the workspace.
    ctx_.host.placeTopRight(OtherData::kName);
    // 6. The notes.
    buildNotes();
  }
  // 7. A result exists.
  setResultState(true);
  // 8. The designation the reports print.
  std::string pressure;
  if (Condition* c = condition()) pressure = trimField(c->field(kDesignPressureA).text);
  ModelDesignation = trimField(cbotype->text) + CobThermalMix->text + "-" + pressure + "-" + GrossArea->text +
                     GasketCodeSuffix + FramePatternSuffix;
}

void DesignWindow::buildNotes() {
  OtherData* od = otherData();
  if (!od) return;
  const VeloxaVar& v = ctx_.var;
  const DesignState& s = state;
  GridState& g = od->grid().grid;
  const std::string A = LoadMessage(221), B = LoadMessage(222);
  std::string n;
  if (v.ParallelUnits != 1) n += LoadMessage(454, {"|1", setnb->text}) + kLineFeed;
  if (s.PassesA != 1) n += LoadMessage(455, {"|1", A});
  if (s.PassesB != 1) n += LoadMessage(455, {"|1", B});
  n += kLineFeed;
  const double required = condition() ? condition()->number(kMargin) : 0;
  n += LoadMessage(required <= Val(txtover->text) ? 456 : 457) + kLineFeed;

  const double nozzleA = Val(od->cell(8, 1)), nozzleB = Val(od->cell(8, 2));
  const float limitB = s.VapourOptionB ? presets.MaxNozzleVelocityGas : presets.MaxNozzleVelocityLiquid;
  if (nozzleA > presets.MaxNozzleVelocityLiquid) {
    n += LoadMessage(458, {"|1", A}) + kLineFeed;
    g.backColor(8, 1) = kYellow;
  }
  if (nozzleB > limitB) {
    n += LoadMessage(458, {"|1", B}) + kLineFeed;
    g.backColor(8, 2) = kYellow;
  }
  if (nozzleA < 0.6) {
    n += LoadMessage(459, {"|1", A}) + kLineFeed;
    g.backColor(8, 1) = kYellow;
  }
  if (nozzleB < 0.6) {
    n += LoadMessage(459, {"|1", B}) + kLineFeed;
    g.backColor(8, 2) = kYellow;
  }
  const bool withinA = s.PressureDropA / 1000 <= v.AllowDpA;
  const bool withinB = s.PressureDropB / 1000 <= v.AllowDpB;
  if (!withinA) g.backColor(9, 1) = kYellow;
  if (!withinB) g.backColor(9, 2) = kYellow;
  if (withinA && withinB) {
    // Utilisation in %: drops in Pa over allowed drops in kPa.
    const double uA = v.AllowDpA != 0 ? s.PressureDropA / v.AllowDpA / 10 : 0;
    const double uB = v.AllowDpB != 0 ? s.PressureDropB / v.AllowDpB / 10 : 0;
    n += LoadMessage(461) + A + ": " + Format(uA, "##.#") + "%, " + B + ": " + Format(uB, "##.#") + "%." + kLineFeed;
    if (uA < 30 && uB < 30) n += LoadMessage(462) + kLineFeed;
    if ((uA < 50 && uB > 80) || (uB < 50 && uA > 80)) {
      n += LoadMessage(463);
      if (plateKind() != kAsymmetricPlate) n += LoadMessage(392) + kLineFeed + LoadMessage(464);
      n += LoadMessage(465) + kLineFeed;
    }
  } else {
    n += LoadMessage(460) + kLineFeed;
  }
  // Every rated channel group must lie within its correlation's range.
  const bool valid = RatedGroupsWithinRange(s, channelKinds, TwoKindItemSelected(s, plateKind()));
  if (!valid) n += LoadMessage(466) + kLineFeed;
  od->notes().text = n;
  if (!valid) ShowMessage(ctx_.host, 466, {}, Icon::Critical);
}

void DesignWindow::spinMargin(int button) {
  if (GrossArea->text.empty()) return;
  const VeloxaVar& v = ctx_.var;
  const double now = Val(txtover->text);
  const double step = std::fabs(now) / 10 > 1 ? std::fabs(now) / 10 : 1;
  const double m = button == 0 ? now + step : now - step;
  txtover->text = Format(m, "###.#");
  txtover->backColor = m < 0 ? kYellow : kWindowColour;
  const double area = static_cast<double>(state.GroupArea[1]) + state.GroupArea[2];
  if (v.Lmtd == 0 || area == 0 || v.ParallelUnits == 0) return;
  const double margin = Val(txtover->text);
  const double u = (margin / 100 * v.HeatLoad * 1000 + v.HeatLoad * 1000.0) / v.Lmtd / area / v.ParallelUnits;
  if (OtherData* od = otherData()) od->cell(14, 1) = od->cell(14, 2) = Format(u, "####.#");
}

}  // namespace vx
