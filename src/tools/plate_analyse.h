#pragma once
// The plate analysis window "板型分析": film-coefficient and pressure-drop
// curves of water for channel kinds of catalogue models, laid over each other
// in chosen colours, with a legend and a read-out under the pointer.
#include <array>
#include <optional>

#include "common/window_model.h"
#include "exchanger/catalogue.h"
#include "properties/water_steam.h"
#include "tools/plate_chart.h"

namespace vx {

// The palette's swatches, 0x00BBGGRR; the first is the system's window colour.
inline constexpr std::array<uint32_t, 9> kPaletteColors = {kSystemWindowColor, 0xFF, 0xFFFF, 0xFF00, 0xFFFF00,
                                                           0xFF0000,           0xFF00FF, 0x80FF, 0x0};

class PlateAnalyse : public WindowModel {
 public:
  static constexpr const char* kName = "PlateAnalyse";
  explicit PlateAnalyse(AppContext& context);

  // The window became active: the chart starts again.
  void onActivate() override { DrawAxes(); }

  void chooseModel();
  void chooseChannelKind();
  void chooseAxis(bool reynolds);
  void DrawAxes();
  void DrawCurves(int entry);
  void showPalette();
  void pickColor(int swatch);
  // The pointer moved over the chart to (x, y) in chart coordinates.
  void mouseMove(double x, double y);

  const PlateChart& chart() const { return chart_; }
  uint32_t currentColor() const { return color_; }

  Control* Combo1 = nullptr;  // models
  Control* Combo2 = nullptr;  // channel kinds
  Control* Text1 = nullptr;   // qualitative temperature
  std::array<Control*, 2> Option1{};  // heated, cooled
  std::array<Control*, 2> Option2{};  // velocity, Reynolds number
  Control* Combo3 = nullptr;  // capture mode
  Control* Label6 = nullptr;  // current colour
  Control* Picture3 = nullptr;  // palette
  Control* Picture1 = nullptr;  // chart
  Control* Label4 = nullptr;  // read-out

 private:
  void setPaletteShown(bool shown);

  AppContext& ctx_;
  ChannelKinds kinds_{};
  std::string modelName_;
  std::optional<WaterAnalysisValues> water_;
  uint32_t color_ = 0xFFFFFF;
  PlateChart chart_;
};

}  // namespace vx
