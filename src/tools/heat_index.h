#pragma once
// The heating heat index window "建筑供暖热指标": a building type proposes a
// heat index in W/m2; with the heated floor area it gives a heat load that
// may be handed to the conditions window.
#include <array>

#include "common/window_model.h"

namespace vx {

inline constexpr int kBuildingTypesSection = 19;
inline constexpr int kBuildingTypes = 11;
// The proposed heat index, W/m2, of the building types in list order.
inline constexpr std::array<int, kBuildingTypes> kProposedHeatIndex = {60, 90, 70, 70, 65, 60, 75, 125, 105, 140, 140};

class Construction : public WindowModel {
 public:
  static constexpr const char* kName = "construction";
  explicit Construction(AppContext& context);

  void chooseType();  // ContrType picked
  void confirm();     // "确定"

  Control* ContrType = nullptr;
  Control* Text2 = nullptr;
  Control* ContrArea = nullptr;
  Control* Check1 = nullptr;

 private:
  AppContext& ctx_;
};

}  // namespace vx
