#pragma once
// The curves of the plate analysis window in its chart coordinates: x is the
// channel velocity (0 to 1.5 m/s) or the Reynolds number (0 to 20000), y runs
// from 0 to 30000 and holds the film coefficient in W/(m2 K) and the channel
// pressure drop in kPa x 100. Computed without any drawing surface, so the
// window, the tests and the scripted front end see the same points.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "exchanger/catalogue.h"
#include "properties/water_steam.h"

namespace vx {

inline constexpr double kChartVelocityMax = 1.5;
inline constexpr double kChartReynoldsMax = 20000;
inline constexpr double kChartYMax = 30000;
inline constexpr uint32_t kChartBackground = 0x808080;
inline constexpr uint32_t kChartGridColor = 0x979797;
// The system's window background colour, as the axis titles use it.
inline constexpr uint32_t kSystemWindowColor = 0x80000005u;

struct ChartPoint {
  double x = 0, y = 0;
};

struct ChartSegment {
  ChartPoint from, to;
};

struct ChartText {
  std::string text;
  ChartPoint at;  // the top left corner
};

struct ChartCurve {
  std::string kind;  // "alpha" (solid) or "dp" (dashed)
  uint32_t color = 0;
  // The computed points; a dashed curve is drawn only between the points
  // 2k and 2k + 1 (its 2nd, 4th, ... steps).
  std::vector<ChartPoint> points;
  bool dashed() const { return kind == "dp"; }
  // The line pieces as they are drawn.
  std::vector<ChartSegment> segments() const;
};

struct LegendLine {
  std::string text;
  uint32_t color = 0;
};

struct PlateChart {
  bool reynolds = false;  // the X axis: velocity or Reynolds number
  std::vector<ChartCurve> curves;
  std::vector<LegendLine> legend;
  // The cross-hair, when the pointer has been over the chart.
  bool crossHair = false;
  ChartPoint pointer;

  double xMax() const { return reynolds ? kChartReynoldsMax : kChartVelocityMax; }
  void clear() {
    curves.clear();
    legend.clear();
    crossHair = false;
  }
};

// The grid lines and axis titles of an axis mode.
std::vector<ChartSegment> ChartGrid(bool reynolds);
std::vector<ChartText> ChartTitles(bool reynolds);

// The velocities of one drawing: 0.01 up to 2.1 in single-precision steps of 0.01.
std::vector<float> ChartVelocities();

// The alpha and DP curves of one channel kind for water; empty when the
// channel kind has no diameter or constants, or the properties give no
// finite positive values (a curve is drawn whole or not at all).
std::vector<ChartCurve> PlateCurves(const ChannelKind& kind, const WaterAnalysisValues& water, bool heated,
                                    bool reynolds, uint32_t color);

// The read-out at a chart position: "V:0.50 F.C:8000. DP:80.".
std::string ChartReadOut(bool reynolds, double x, double y);

// Where the read-out stands: the chart coordinates of its left and top edges
// for a label `width` chart units wide.
ChartPoint ReadOutPlace(double x, double y, double width);

}  // namespace vx
