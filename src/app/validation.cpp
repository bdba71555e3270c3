#include "app/validation.h"

#include <cmath>
#include <cstdio>
#include <map>

#include "app/help_compose.h"
#include "app/ntu_consistency.h"
#include "app/script_host.h"
#include "common/number_text.h"
#include "properties/property_calc.h"
#include "properties/water_steam.h"
#include "tools/muley.h"

namespace fs = std::filesystem;

namespace vx {

namespace {

constexpr const char* kIapws95 =
    "IAPWS R6-95(2018), IAPWS-95 verification values (Table 7 single phase, Table 8 saturation)";

ValidationRow row(std::string quantity, std::string source, std::string unit, double reference) {
  ValidationRow r;
  r.quantity = std::move(quantity);
  r.source = std::move(source);
  r.unit = std::move(unit);
  r.reference = reference;
  return r;
}

// DIPPR coefficients as published in Perry's Chemical Engineers' Handbook,
// 8th ed. (2008): liquid density eq. 105 (Table 2-32, here in mol/m3),
// liquid viscosity eq. 101 (Table 2-313, Pa s); molar masses g/mol.
struct Dippr {
  int entry;  // position in the common-fluid list
  const char* name;
  double molarMass;
  double d1, d2, d3, d4;          // eq. 105
  double v1, v2, v3, v4, v5;      // eq. 101
  std::vector<double> temperatures;  // C, the rows of the program's table
};

const std::vector<Dippr>& dipprFluids() {
  static const std::vector<Dippr> fluids = {
      {4, "乙醇", 46.07, 1628.8, 0.27469, 514, 0.23178, 7.875, 781.98, -3.0418, 0, 0,
       {-50, -40, -30, -20, -10, 0, 10, 20, 30, 40, 50, 60, 70, 80}},
      {5, "甲醇", 32.04, 2326.7, 0.27073, 512.5, 0.24713, -25.317, 1789.2, 2.069, 0, 0,
       {-70, -60, -50, -40, -30, -20, -10, 0, 10, 20, 30, 40, 50, 60}},
      {6, "乙二醇", 62.07, 1315, 0.25125, 720, 0.21868, -20.515, 2468.5, 1.2435, 2499800000000, -5,
       {-10, 5, 20, 35, 50, 65, 80, 95, 110, 125, 140, 155, 170, 185}},
      {11, "苯", 78.11, 1025.9, 0.26666, 562.05, 0.28394, 7.5117, 294.68, -2.794, 0, 0, {10, 25, 40, 55, 70}},
      {12, "甲苯", 92.14, 879.2, 0.27136, 591.75, 0.29241, -226.08, 6805.7, 37.542, -0.060853, 1, {-20, 20, 60, 100}},
      {13, "丙酮", 58.08, 1233.2, 0.25886, 508.2, 0.2913, -14.918, 1023.4, 0.5961, 0, 0, {-35, -5, 25, 55}},
      {14, "正己烷", 86.18, 708.24, 0.26411, 507.6, 0.27537, -6.3276, 640, -0.694, 5.6884e21, -10,
       {-40, -15, 10, 35, 60}},
      {15, "异丙醇", 60.1, 1179.9, 0.2644, 508.3, 0.24653, -8.8918, 2357.6, -0.91376, 0, 0,
       {-10, 0, 10, 20, 30, 40, 50, 60, 70, 80}},
      {16, "正丁醇", 74.12, 982.79, 0.2683, 563.1, 0.25488, 0.87669, 1602.9, -2.1475, 3.3866e22, -9.9231,
       {20, 30, 40, 50, 60, 70, 80, 90, 100, 110}},
  };
  return fluids;
}

constexpr const char* kPerry =
    "Perry's Chemical Engineers' Handbook, 8th ed., DIPPR coefficients: density eq. 105 (Table 2-32), viscosity "
    "eq. 101 (Table 2-313)";

std::string number(double x, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
  return buffer;
}

// Enough digits to show the deviation the row is about.
std::string shown(double x) {
  const double a = std::fabs(x);
  return number(x, a >= 1000 ? 2 : a >= 100 ? 3 : a >= 1 ? 4 : 5);
}

}  // namespace

std::vector<ValidationRow> WaterSteamValidation(const fs::path& dir) {
  std::vector<ValidationRow> rows;
  auto water = [&](double celsius, const std::string& what, double reference) {
    ValidationRow r = row("水密度 " + number(celsius, 2) + " ℃（" + what + "）", kIapws95, "kg/m³", reference);
    if (auto w = WaterTable(dir, static_cast<float>(celsius), true)) {
      r.value = w->density;
      r.computed = true;
    }
    rows.push_back(r);
  };
  // The table holds the liquid at 0.101325 MPa below 100 C; the IAPWS points
  // there lie at 0.0007 and 0.0992 MPa, which changes the density by less
  // than 0.01 %.
  water(1.85, "T = 275 K 饱和液体", 999.887406);
  water(26.85, "T = 300 K, p = 0.0992 MPa", 996.5560);
  water(176.85, "T = 450 K 饱和液体", 890.341250);
  // Saturation at 450 K: p = 0.932203564 MPa absolute, 0.832203564 gauge.
  const auto steam = SteamTable(dir, 0.832203564f);
  auto steamRow = [&](const std::string& what, const std::string& unit, double reference, double value) {
    ValidationRow r = row("饱和蒸汽 p = 0.932204 MPa（绝压）" + what, kIapws95, unit, reference);
    r.value = value;
    r.computed = steam.has_value();
    rows.push_back(r);
  };
  steamRow("饱和温度", "℃", 450 - 273.15, steam ? steam->saturationTemperature : 0);
  steamRow("饱和蒸汽密度", "kg/m³", 4.81200360, steam ? steam->vapourDensity : 0);
  // h'' - h' = 2774.41078 - 749.161585 kJ/kg.
  steamRow("潜热", "kJ/kg", 2774.41078 - 749.161585, steam ? steam->latentHeat : 0);
  return rows;
}

std::vector<ValidationRow> CommonFluidValidation(const fs::path& dir) {
  std::vector<ValidationRow> rows;
  const FluidTables tables = LoadFluidTables(dir);
  ScriptHost host;
  for (const Dippr& f : dipprFluids()) {
    for (double t : f.temperatures) {
      const double kelvin = t + 273.15;
      const double density = f.d1 / std::pow(f.d2, 1 + std::pow(1 - kelvin / f.d3, f.d4)) * f.molarMass / 1000;
      const double viscosity =
          std::exp(f.v1 + f.v2 / kelvin + f.v3 * std::log(kelvin) + f.v4 * std::pow(kelvin, f.v5)) * 1000;
      const CommonFluidTexts texts = CommonFluidProps(tables, host, f.entry, 0, t, {}, {});
      ValidationRow d = row(std::string(f.name) + " 密度 " + number(t, 0) + " ℃", kPerry, "kg/m³", density);
      ValidationRow v = row(std::string(f.name) + " 粘度 " + number(t, 0) + " ℃", kPerry, "mPa·s", viscosity);
      d.computed = !texts[0].empty();
      d.value = Val(texts[0]);
      v.computed = !texts[3].empty();
      v.value = Val(texts[3]);
      rows.push_back(d);
      rows.push_back(v);
    }
  }
  return rows;
}

std::vector<ValidationRow> CorrugatedPlateValidation() {
  // The tool's default plate: Lp 1518 mm, Cd = b = 3.6 mm, beta 30 deg,
  // phi 1.205; water at its fixed state, 0.5 m/s.
  const double lp = 1518, b = 3.6, beta = 30, phi = 1.205, w = 0.5;
  const auto tool = MuleyCalculate({lp, b, beta, phi, w});
  // Muley and Manglik (1999), valid for Re >= 1000, 30 <= beta <= 60 deg,
  // 1 <= phi <= 1.5, with Re, Nu and f on the hydraulic diameter 2b/phi.
  const double pi = std::acos(-1.0);
  const double nuExponent = 0.728 + 0.0543 * std::sin(pi * beta / 45 + 3.7);
  const double nuFactor = (0.2668 - 0.006967 * beta + 7.244e-5 * beta * beta) *
                          (20.7803 - 50.9372 * phi + 41.1585 * phi * phi - 10.1507 * phi * phi * phi) *
                          std::cbrt(kMuleyPrandtl);
  const double fExponent = -(0.2 + 0.0577 * std::sin(pi * beta / 45 + 2.1));
  const double fFactor = (2.917 - 0.1277 * beta + 2.016e-3 * beta * beta) *
                         (5.474 - 19.02 * phi + 18.93 * phi * phi - 5.341 * phi * phi * phi);
  const double re = tool ? tool->reynolds : 0;
  const double dh = 2 * b / phi / 1000;
  const double rePublished = dh * w * kMuleyDensity / kMuleyViscosity * 1000;
  const double drop = 4 * fFactor * std::pow(rePublished, fExponent) * (lp / 1000) / dh * kMuleyDensity * w * w / 2 / 1000;
  const std::string source =
      "A. Muley, R. M. Manglik, ASME J. Heat Transfer 121 (1999) 110-117: Nu and f correlations, d = 2b/φ";
  std::vector<ValidationRow> rows;
  ValidationRow nu = row("波纹板片工具 Nu，Re = " + number(re, 0) + "（工具的 Re，d = 2Cd）", source, "",
                         nuFactor * std::pow(re, nuExponent));
  ValidationRow dp = row("波纹板片工具通道压降，w = 0.5 m/s（公式按 d = 2b/φ，Re = " + number(rePublished, 0) + "）",
                         source, "kPa", drop);
  if (tool) {
    nu.value = tool->nusselt;
    dp.value = tool->channelDrop;
    nu.computed = dp.computed = true;
  }
  rows.push_back(nu);
  rows.push_back(dp);
  return rows;
}

std::vector<ValidationRow> NtuCheckValidation(const fs::path& dir) {
  struct Case {
    const char *passA, *passB;
    bool coCurrent;
    const char *toutB, *label;
  };
  std::vector<ValidationRow> rows;
  for (const Case& c : {Case{"1", "1", false, "60", "逆流 1/1"}, Case{"2", "1", false, "60", "逆流 2/1"},
                        Case{"1", "1", true, "55", "并流 1/1"}}) {
    ScriptHost host;
    Session session(host, dir);
    ValidationRow r;
    r.quantity = std::string("NTU方式热负荷，VX050N 41 片 ") + c.label;
    r.source = "校核在 NTU 显示的出口温度下的换热能力（同一次校核的 K 和面积）";
    r.unit = "kW";
    if (SetUpNtuDuty(session, "VX050N", "41", c.passA, c.passB, c.coCurrent, c.toutB)) {
      const NtuConsistency n = RunNtuAndCheck(session);
      r.computed = n.ran;
      r.reference = n.checkedHeat;
      r.value = n.shownHeat;
      if (n.ran)
        r.quantity += "（出口 " + number(n.t1o, 2) + " / " + number(n.t2o, 2) + " ℃）";
    }
    rows.push_back(r);
  }
  return rows;
}

std::string ValidationTableHtml(const fs::path& dir) {
  std::vector<ValidationRow> rows = WaterSteamValidation(dir);
  // Per fluid and property, the table temperature with the largest deviation.
  std::map<std::string, ValidationRow> worst;
  std::vector<std::string> order;
  std::map<std::string, int> points;
  for (const ValidationRow& r : CommonFluidValidation(dir)) {
    // "name property T ℃": the key is the name and the property.
    const std::string key = r.quantity.substr(0, r.quantity.find(' ', r.quantity.find(' ') + 1));
    if (!worst.count(key)) order.push_back(key);
    ++points[key];
    auto it = worst.find(key);
    const bool worse = it == worst.end() || !r.computed ||
                       (it->second.computed && std::fabs(r.deviationPercent()) > std::fabs(it->second.deviationPercent()));
    if (worse) worst[key] = r;
  }
  for (const std::string& key : order) {
    ValidationRow r = worst[key];
    r.quantity += "（" + std::to_string(points[key]) + " 个表温度中偏差最大处）";
    rows.push_back(r);
  }
  for (const ValidationRow& r : CorrugatedPlateValidation()) rows.push_back(r);
  for (const ValidationRow& r : NtuCheckValidation(dir)) rows.push_back(r);
  std::string html =
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr><th>比较项</th><th>参考值</th><th>程序值</th>"
      "<th>偏差</th><th>单位</th><th>参考来源</th></tr>\n";
  for (const ValidationRow& r : rows) {
    html += "<tr><td>" + HtmlEscape(r.quantity) + "</td><td>" + shown(r.reference) + "</td><td>" +
            (r.computed ? shown(r.value) : std::string("无结果")) + "</td><td>" +
            (r.computed ? number(r.deviationPercent(), 2) + " %" : std::string()) + "</td><td>" + HtmlEscape(r.unit) +
            "</td><td>" + HtmlEscape(r.source) + "</td></tr>\n";
  }
  return html + "</table>";
}

}  // namespace vx
