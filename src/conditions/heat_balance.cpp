// The heat balance of the conditions window: completes the duty of both
// circuits from the given values, looks up water at the mean temperatures,
// checks for temperature crosses and gives the mean temperature difference.
#include <cmath>
#include <iterator>

#include "common/messages.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "properties/water_steam.h"

namespace vx {

namespace {

// A check failed: the message has been shown and the balance ends.
struct Refused {};

}  // namespace

void Condition::runBalance() {
  Host& host = ctx_.host;
  VeloxaVar& v = ctx_.var;
  BusyPointer busy(host);
  auto refuse = [&](int id, std::vector<std::string> pairs = {}) {
    ShowMessage(host, id, pairs);
    throw Refused{};
  };
  // A refused balance may have computed values that overflow; the case then
  // keeps the values it had, so that no infinity or NaN stays in it.
  const VeloxaVar before = v;
  auto keepFinite = [&v, &before] {
    float* now[] = {&v.TinA, &v.ToutA, &v.TinB, &v.ToutB, &v.FlowA, &v.FlowB, &v.AllowDpA, &v.AllowDpB,
                    &v.HeatLoad, &v.FoulingA, &v.FoulingB, &v.Lmtd};
    const float old[] = {before.TinA, before.ToutA, before.TinB, before.ToutB, before.FlowA, before.FlowB,
                         before.AllowDpA, before.AllowDpB, before.HeatLoad, before.FoulingA, before.FoulingB,
                         before.Lmtd};
    for (size_t i = 0; i < std::size(now); ++i)
      if (!std::isfinite(*now[i])) *now[i] = std::isfinite(old[i]) ? old[i] : 0;
    for (size_t i = 0; i < v.MediumPropFlat.size(); ++i)
      if (!std::isfinite(v.MediumPropFlat[i]))
        v.MediumPropFlat[i] = std::isfinite(before.MediumPropFlat[i]) ? before.MediumPropFlat[i] : 0;
  };
  try {
    // Step 1.
    v.BalanceDone = false;
    ctx_.main.setDesignKeyEnabled(false);
    const std::string water = LoadMessage(402);
    const std::string steam = LoadMessage(366);
    float& rhoA = v.MediumProp(kDensity, kCircuitA);
    float& cpA = v.MediumProp(kSpecificHeat, kCircuitA);
    float& rhoB = v.MediumProp(kDensity, kCircuitB);
    float& cpB = v.MediumProp(kSpecificHeat, kCircuitB);
    const float& rB = v.MediumProp(kLatentHeat, kCircuitB);
    const float& rhoVB = v.MediumProp(kVapourDensity, kCircuitB);
    if (cbomedium1->text == water) {
      cpA = 4.17f;
      rhoA = 1000;
    }
    if (cbomedium2->text == water) {
      cpB = 4.17f;
      rhoB = 1000;
    }
    const bool phaseChange = v.circuitBCondenses();
    const bool bGas = Opt2LV[1]->checked;

    // A number that does not fit single precision ("1e308", "nan") is the
    // field's invalid value; it is refused before anything is stored, so the
    // case keeps finite values. A given flow or heat load must be positive.
    auto fits = [&](int field) { return std::isfinite(static_cast<float>(number(field))); };
    const int fieldMessages[kBoxes] = {413, 414, 415, 413, 414, 415, 416};
    for (int i = 0; i < kBoxes; ++i) {
      const bool nonPositive = (i == kFlowA || i == kFlowB || i == kHeatLoad) && number(i) <= 0;
      if (!fits(i) || (given(i) && nonPositive)) {
        if (i == kHeatLoad) refuse(416);
        refuse(fieldMessages[i], {"|1", i < 3 ? "A" : "B"});
      }
    }
    if (!fits(kAllowDpA) || !fits(kAllowDpB)) refuse(417);
    if (!fits(kFoulingA) || !fits(kFoulingB)) refuse(440);  // no message of its own
    if (!fits(kDesignTemperatureA) || !fits(kDesignTemperatureB)) refuse(424);
    // The design pressure goes into the designation, the test pressure and
    // the papers: a positive number of single precision.
    for (int i : {kDesignPressureA, kDesignPressureB}) {
      if (!fits(i) || !(number(i) > 0)) {
        const std::string text = LoadMessage(i == kDesignPressureA ? 221 : 222) + " 的设计压力无效。";
        host.message(text, Icon::Information, Buttons::Ok, 0);
        throw Refused{};
      }
    }

    // Step 2.
    float& mA = v.FlowA;
    float& mB = v.FlowB;
    float& Q = v.HeatLoad;
    float& TinA = v.TinA;
    float& ToutA = v.ToutA;
    float& TinB = v.TinB;
    float& ToutB = v.ToutB;
    auto flowA = [&] {
      double n = number(kFlowA);
      return static_cast<float>(cboflowunit1->listIndex == 1 ? n * rhoA : n);
    };
    mA = flowA();
    {
      double n = number(kFlowB);
      double rho = cbomedium2->text == steam ? rhoVB : rhoB;
      mB = static_cast<float>(cboflowunit2->listIndex == 1 ? n * rho : n);
    }
    Q = static_cast<float>(cboheatloadunit->listIndex == 1 ? number(kHeatLoad) / 860 : number(kHeatLoad));
    v.FoulingA = static_cast<float>(cbofoulingunit1->listIndex == 1 ? number(kFoulingA) / 1.163 : number(kFoulingA));
    v.FoulingB = static_cast<float>(cbofoulingunit2->listIndex == 1 ? number(kFoulingB) / 1.163 : number(kFoulingB));
    TinA = static_cast<float>(number(kTinA));
    ToutA = static_cast<float>(number(kToutA));
    TinB = static_cast<float>(number(kTinB));
    ToutB = static_cast<float>(number(kToutB));
    v.AllowDpA = static_cast<float>(number(kAllowDpA));
    v.AllowDpB = static_cast<float>(number(kAllowDpB));
    // A volume flow times its density may still leave single precision.
    if (!std::isfinite(mA)) {
      mA = 0;
      refuse(413, {"|1", "A"});
    }
    if (!std::isfinite(mB)) {
      mB = 0;
      refuse(413, {"|1", "B"});
    }

    // The energy balance, in the forms the design office uses. A divisor of
    // zero (a medium adopted with incomplete data) refuses the balance.
    auto needProperty = [&](double value) {
      if (value == 0) refuse(539);
    };
    auto needFlow = [&](double flow, const char* circuit) {
      if (flow == 0) refuse(413, {"|1", circuit});
    };
    auto dA = [&] {
      needProperty(cpA);
      needFlow(mA, "A");
      return static_cast<double>(Q) / cpA * 3600 / mA;
    };
    auto dB = [&] {
      needProperty(cpB);
      needFlow(mB, "B");
      return static_cast<double>(Q) / cpB * 3600 / mB;
    };
    auto QA = [&] { return static_cast<float>(std::fabs(static_cast<double>(TinA) - ToutA) * mA * cpA / 3600); };
    auto QB = [&] {
      if (phaseChange) return static_cast<float>(mB / 3600.0 * ((static_cast<double>(TinB) - ToutB) * cpB + rB));
      return static_cast<float>(std::fabs(static_cast<double>(TinB) - ToutB) * mB * cpB / 3600);
    };
    auto flowOfA = [&] {
      needProperty(cpA);
      return static_cast<float>(Q / std::fabs(static_cast<double>(ToutA) - TinA) / cpA * 3600);
    };
    auto latentFlowOfB = [&] {
      double denominator = (static_cast<double>(TinB) - ToutB) * cpB + rB;
      if (denominator == 0) refuse(539);
      return static_cast<float>(Q * 3600.0 / denominator);
    };
    auto sensibleFlowOfB = [&] {
      needProperty(cpB);
      return static_cast<float>(Q / std::fabs(static_cast<double>(ToutB) - TinB) / cpB * 3600);
    };
    auto store = [](float& target, double value) { target = static_cast<float>(value); };

    // Step 3.
    const float values[kBoxes] = {mA, TinA, ToutA, mB, TinB, ToutB, Q};
    const int zeroMessages[kBoxes] = {413, 414, 415, 413, 414, 415, 416};
    for (int i = 0; i < kBoxes; ++i) {
      if (given(i) && values[i] == 0) {
        if (i == 6) refuse(416);
        refuse(zeroMessages[i], {"|1", i < 3 ? "A" : "B"});
      }
    }
    if (!(v.AllowDpA > 0 && v.AllowDpB > 0)) refuse(417);
    auto countGiven = [&](int from, int to) {
      int n = 0;
      for (int i = from; i <= to; ++i) n += given(i) ? 1 : 0;
      return n;
    };
    const bool heatGiven = given(kHeatLoad);
    if (!heatGiven && countGiven(0, 5) != 5) refuse(418);
    if (heatGiven && countGiven(0, 2) != 2) refuse(421, {"|1", "A"});

    // Step 4: a first pass with the properties as they stand.
    if (!heatGiven) {
      if (!given(kTinA) || !given(kToutA)) {
        Q = QB();
        if (Q == 0) refuse(419);
        const bool hotA = !bGas || TinB < ToutB;
        if (given(kTinA)) store(ToutA, hotA ? TinA - dA() : dA() + TinA);
        else store(TinA, hotA ? dA() + ToutA : ToutA - dA());
      }
      if (!given(kTinB) || !given(kToutB)) {
        if (TinA == ToutA) refuse(420, {"|1", "A"});
        Q = QA();
        if (TinA > ToutA) {
          if (given(kTinB)) store(ToutB, dB() + TinB);
          else store(TinB, ToutB - dB());
        } else {
          if (!given(kTinB)) store(TinB, dB() + ToutB);
          else store(ToutB, TinB - dB());
        }
      }
    } else {
      const bool coldA = phaseChange || (given(kTinB) && given(kToutB) && TinB > ToutB);
      if (!given(kTinA)) store(TinA, coldA ? ToutA - dA() : dA() + ToutA);
      if (!given(kToutA)) store(ToutA, coldA ? dA() + TinA : TinA - dA());
      if (countGiven(3, 5) != 2) refuse(421, {"|1", "B"});
      if (!bGas) {
        const bool hotB = given(kTinA) && given(kToutA) && TinA < ToutA;
        if (!given(kTinB)) store(TinB, hotB ? dB() + ToutB : ToutB - dB());
        if (!given(kToutB)) store(ToutB, hotB ? TinB - dB() : dB() + TinB);
      }
    }

    // Step 5: water at the mean temperatures.
    bool ok = true;
    if (trimField(cbomedium1->text) == water) ok = GetWaterProperty(ctx_.dataDir, v, (TinA + ToutA) / 2, kCircuitA) && ok;
    if (trimField(cbomedium2->text) == water || v.MediumStateB == kStateSteam)
      ok = GetWaterProperty(ctx_.dataDir, v, (TinB + ToutB) / 2, kCircuitB) && ok;
    if (!ok) refuse(422);

    // Step 6: the flows again, with the new densities.
    mA = given(kFlowA) ? flowA() : 0;
    if (given(kFlowB)) {
      double n = number(kFlowB);
      mB = static_cast<float>(cboflowunit2->listIndex == 1 ? n * (phaseChange ? rhoVB : rhoB) : n);
    } else {
      mB = 0;
    }

    // Step 7: the second pass, with the new properties.
    if (!heatGiven) {
      Q = (!given(kFlowA) || !given(kTinA) || !given(kToutA)) ? QB() : QA();
      const bool hotA = !bGas || TinB < ToutB;
      if (!given(kTinA)) store(TinA, hotA ? dA() + ToutA : ToutA - dA());
      if (!given(kToutA)) store(ToutA, hotA ? TinA - dA() : dA() + TinA);
      if (!given(kFlowA)) {
        if (ToutA == TinA) refuse(420, {"|1", "A"});
        mA = flowOfA();
      }
      if (!given(kTinB)) store(TinB, TinA > ToutA ? ToutB - dB() : dB() + ToutB);
      if (!given(kToutB)) store(ToutB, TinA > ToutA ? dB() + TinB : TinB - dB());
      if (!given(kFlowB)) {
        if (phaseChange) {
          mB = latentFlowOfB();
        } else {
          if (ToutB == TinB) refuse(420, {"|1", "B"});
          mB = sensibleFlowOfB();
        }
      }
    } else {
      const bool coldA = phaseChange || (given(kTinB) && given(kToutB) && TinB > ToutB);
      if (!given(kTinA)) store(TinA, coldA ? ToutA - dA() : dA() + ToutA);
      if (!given(kToutA)) store(ToutA, coldA ? dA() + TinA : TinA - dA());
      if (!given(kFlowA)) {
        if (ToutA == TinA) refuse(420, {"|1", "A"});
        mA = flowOfA();
      }
      if (!bGas) {
        const bool hotB = given(kTinA) && given(kToutA) && TinA < ToutA;
        if (!given(kTinB)) store(TinB, hotB ? dB() + ToutB : ToutB - dB());
        if (!given(kToutB)) store(ToutB, hotB ? TinB - dB() : dB() + TinB);
        if (!given(kFlowB)) {
          if (ToutB == TinB) refuse(420, {"|1", "B"});
          mB = sensibleFlowOfB();
        }
      } else {
        mB = latentFlowOfB();
      }
    }
    for (float value : {mA, mB, Q, TinA, ToutA, TinB, ToutB})
      if (!std::isfinite(value)) refuse(570, {"|1", "205"});

    // Step 8: every value back into its field.
    auto perVolume = [&](float flow, float density) {
      if (density == 0) refuse(539);
      return static_cast<double>(flow) / density;
    };
    Assign(field(kFlowA), Format(cboflowunit1->listIndex == 1 ? perVolume(mA, rhoA) : mA, "####.#"));
    Assign(field(kFlowB),
           Format(cboflowunit2->listIndex == 1 ? perVolume(mB, phaseChange ? rhoVB : rhoB) : mB, "####.#"));
    Assign(field(kTinA), Format(TinA, "###.#"));
    Assign(field(kToutA), Format(ToutA, "###.#"));
    Assign(field(kTinB), Format(TinB, "###.#"));
    Assign(field(kToutB), Format(ToutB, "###.#"));
    Assign(field(kHeatLoad), cboheatloadunit->listIndex == 1 ? Format(Q * 860.0, "#########.#") : Format(Q, "#######.#"));

    // Step 9: the design temperatures must cover every circuit temperature.
    float tMax = -10000, tMin = 10000;
    for (float t : {TinA, TinB, ToutA, ToutB}) {
      if (t > tMax) tMax = t;
      if (t < tMin) tMin = t;
    }
    if (number(kDesignTemperatureA) < tMax || number(kDesignTemperatureB) < tMax) refuse(424);

    // Step 10: the temperature diagram, as written in the fields.
    {
      PictureState& pic = Picture1->picture;
      pic.lines.clear();
      double span = std::fabs(tMax) + std::fabs(tMin);
      double s = span > 0 ? 380 / span : 1;
      pic.left = -60;
      pic.top = tMin * s + 600;
      pic.width = 550;
      pic.height = -800;
      pic.lines.push_back({-20, 0, 420, 0, 2, kBlack});
      if (tMin >= 0) pic.lines.push_back({-20, 0, -20, tMin * s + 500, 2, kBlack});
      else pic.lines.push_back({-20, tMin * s, -20, tMin * s + 500, 2, kBlack});
      const double a1 = number(kTinA), a2 = number(kToutA), b1 = number(kTinB), b2 = number(kToutB);
      pic.lines.push_back({0, a1 * s, 400, a2 * s, 3, kRed});
      if (counterflow[0]->checked) pic.lines.push_back({0, b2 * s, 400, b1 * s, 3, kBlue});
      else pic.lines.push_back({0, b1 * s, 400, b2 * s, 3, kBlue});
    }

    // Step 11: no temperature cross.
    const bool counter = counterflow[0]->checked;
    if (counter && !phaseChange) {
      if (!((TinA > ToutA && ToutB > TinB && TinA > ToutB && ToutA > TinB) ||
            (TinB > ToutB && ToutA > TinA && TinB > ToutA && ToutB > TinA)))
        refuse(570, {"|1", "202"});
    } else if (counter) {
      if (!(ToutA > TinA && TinB >= ToutB && ToutB > TinA && TinB > ToutA)) refuse(570, {"|1", "201"});
    } else if (!phaseChange) {
      if (!((TinA > ToutA && ToutB > TinB && TinA > TinB && ToutA > ToutB) ||
            (TinB > ToutB && TinB > TinA && ToutB > ToutA && ToutA > TinA)))
        refuse(423, {"|1", "204"});
    } else {
      if (!(ToutA > TinA && TinB >= ToutB && ToutB > ToutA && TinB > TinA)) refuse(423, {"|1", "203"});
    }

    // Step 12: the mean temperature difference.
    const bool steamFromList = v.MediumStateB == kStateSteam;
    const double Ts = SteamTsat;
    double d1 = 0, d2 = 0;
    bool logarithmic = false;
    auto single = [](double x) { return static_cast<float>(x); };
    if (counter) {
      d1 = static_cast<double>(TinA) - ToutB;
      d2 = steamFromList ? ToutA - Ts : static_cast<double>(ToutA) - TinB;
      double test = steamFromList ? static_cast<double>(ToutA) - TinB : d2;
      logarithmic = single(test) != single(d1) && ToutA != TinB;
    } else {
      d1 = steamFromList ? TinA - Ts : static_cast<double>(TinA) - TinB;
      d2 = static_cast<double>(ToutA) - ToutB;
      double test = steamFromList ? static_cast<double>(TinA) - TinB : d1;
      logarithmic = single(d2) != single(test) && ToutA != ToutB;
    }
    double lmtd;
    if (logarithmic && d1 == d2) {
      lmtd = std::fabs(d1);  // the limit of the logarithmic mean
    } else if (logarithmic) {
      if (d2 == 0 || d1 / d2 <= 0) refuse(570, {"|1", "205"});
      lmtd = std::fabs((d1 - d2) / std::log(d1 / d2));
    } else {
      lmtd = std::fabs(d1 + d2) / 2;
    }
    if (!std::isfinite(lmtd) || lmtd == 0) refuse(570, {"|1", "205"});
    v.Lmtd = static_cast<float>(lmtd);
    lbldt->text = LoadMessage(288) + Format(v.Lmtd, "##.##") + LoadMessage(249);

    // Step 13: the Prandtl numbers.
    for (int k : {kCircuitA, kCircuitB}) {
      needProperty(v.MediumProp(kConductivity, k));
      v.MediumProp(kPrandtl, k) = static_cast<float>(static_cast<double>(v.MediumProp(kSpecificHeat, k)) *
                                                     v.MediumProp(kViscosity, k) / v.MediumProp(kConductivity, k));
    }

    // Step 14: done.
    v.BalanceDone = true;
    ctx_.main.setDesignKeyEnabled(true);
    if (OtherData* od = otherData()) {
      const float rhoBValue = rhoB;
      od->cell(1, 1) = Format(rhoA, "0.#");
      od->cell(2, 1) = "";
      od->cell(3, 1) = Format(cpA, "0.###");
      od->cell(4, 1) = Format(v.MediumProp(kConductivity, kCircuitA), "0.###");
      od->cell(5, 1) = Format(v.MediumProp(kViscosity, kCircuitA), "0.###");
      od->cell(6, 1) = "";
      od->cell(1, 2) = Format(rhoBValue, "0.###");
      od->cell(2, 2) = phaseChange ? Format(rhoVB, "0.###") : "";
      od->cell(3, 2) = Format(cpB, "0.###");
      od->cell(4, 2) = Format(v.MediumProp(kConductivity, kCircuitB), "0.###");
      od->cell(5, 2) = Format(v.MediumProp(kViscosity, kCircuitB), "0.###");
      od->cell(6, 2) = phaseChange ? Format(rB, "0.#") : "";
      host.placeTopRight(OtherData::kName);
    }
  } catch (const Refused&) {
    v.BalanceDone = false;
    keepFinite();
  }
}

}  // namespace vx
