#include "tools/plate_chart.h"

#include <cmath>

#include "common/number_text.h"

namespace vx {

std::vector<ChartSegment> ChartCurve::segments() const {
  std::vector<ChartSegment> out;
  if (points.empty()) return out;
  if (!dashed()) {
    out.push_back({points[0], points[0]});
    for (size_t i = 1; i < points.size(); ++i) out.push_back({points[i - 1], points[i]});
    return out;
  }
  for (size_t i = 1; i < points.size(); i += 2) out.push_back({points[i - 1], points[i]});
  return out;
}

std::vector<ChartSegment> ChartGrid(bool reynolds) {
  std::vector<ChartSegment> grid;
  if (!reynolds) {
    // Drawn out to 2 m/s; the chart shows up to 1.5.
    for (int k = 0; k <= 20; ++k) grid.push_back({{k * 0.1, 0}, {k * 0.1, kChartYMax}});
    for (int k = 0; k <= 30; ++k) grid.push_back({{0, k * 1000.0}, {2, k * 1000.0}});
  } else {
    for (int k = 0; k <= 20; ++k) grid.push_back({{k * 1000.0, 0}, {k * 1000.0, kChartYMax}});
    for (int k = 0; k <= 30; ++k) grid.push_back({{0, k * 1000.0}, {kChartReynoldsMax, k * 1000.0}});
  }
  return grid;
}

std::vector<ChartText> ChartTitles(bool reynolds) {
  return {{"Y1:α,W/(m2.K)", {0, kChartYMax}},
          {"Y2:DP,KPa", {reynolds ? 17600.0 : 1.3, kChartYMax}},
          {reynolds ? "X:Re" : "X:v,m/s", {reynolds ? 18600.0 : 1.35, 1200}}};
}

std::vector<float> ChartVelocities() {
  std::vector<float> v;
  for (float x = 0.01f; x <= 2.1f; x += 0.01f) v.push_back(x);
  return v;
}

static bool usable(double x) { return std::isfinite(x) && x > 0; }

std::vector<ChartCurve> PlateCurves(const ChannelKind& kind, const WaterAnalysisValues& water, bool heated,
                                    bool reynolds, uint32_t color) {
  const double d = kind.diameter, rho = water.density, mu = water.viscosity, lambda = water.conductivity,
               pr = water.prandtl;
  const Correlation& c = kind.corr;
  if (!usable(d) || !usable(rho) || !usable(mu) || !usable(lambda) || !usable(pr) || !usable(c.Nu_c) ||
      !usable(c.Eu_c))
    return {};
  // The Prandtl exponent of the catalogue is not used: 0.4 heated, 0.3 cooled.
  const double n = heated ? 0.4 : 0.3;
  ChartCurve alpha{"alpha", color, {}}, dp{"dp", color, {}};
  for (float vf : ChartVelocities()) {
    const double v = vf;
    const double re = v * d * rho / mu * 1000;
    const double nu = c.Nu_c * std::pow(re, c.Nu_m) * std::pow(pr, n);
    const double a = nu * lambda / d;
    const double eu = c.Eu_c * std::pow(re, c.Eu_m);
    const double drop = eu * rho * v * v;  // one pass, Pa
    if (!std::isfinite(a) || !std::isfinite(drop)) return {};
    const double x = reynolds ? re : v;
    alpha.points.push_back({x, a});
    dp.points.push_back({x, drop / 10});
  }
  return {alpha, dp};
}

std::string ChartReadOut(bool reynolds, double x, double y) {
  return std::string(reynolds ? "Re:" : "V:") + Format(x, "0.00") + " F.C:" + Format(y, "0.#") + " DP:" +
         Format(y / 100, "0.#");
}

ChartPoint ReadOutPlace(double x, double y, double width) {
  return {x >= width ? x - 0.01 - width : x + 0.01, y >= 29000 ? y - 200 : y + 1200};
}

}  // namespace vx
