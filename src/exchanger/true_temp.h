#pragma once
// The result window of the NTU method "NTU方式": the inlet and outlet
// temperatures of both circuits and the heat load of one unit.
#include <array>

#include "common/window_model.h"

namespace vx {

class TrueTemp : public WindowModel {
 public:
  static constexpr const char* kName = "TrueTemp";

  explicit TrueTemp(AppContext& context);

  // Fills the five boxes: inlet and outlet of A, inlet and outlet of B, and
  // the heat load of one unit in kW.
  void show(float tinA, float t1o, float tinB, float t2o, float unitHeatLoad);

  std::array<Control*, 5> txtShow{};
};

}  // namespace vx
