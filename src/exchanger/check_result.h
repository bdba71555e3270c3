#pragma once
// The window "计算结果" that shows the results stored in a case file: 34
// captions, 43 value labels and the fixed unit labels.
#include <array>
#include <string>
#include <vector>

#include "common/window_model.h"

namespace vx {

class CheckResult : public WindowModel {
 public:
  static constexpr const char* kName = "checkResult";
  static constexpr int kCaptions = 34;
  static constexpr int kValues = 43;

  explicit CheckResult(AppContext& context);

  // Shows the stored values in the value labels, in order, and the heat
  // load in the unit it was saved in.
  void fill(const std::vector<std::string>& values, const std::string& heatLoadUnit);

  std::array<Control*, kCaptions> Label4{};
  std::array<Control*, kValues> Label2{};
  std::array<Control*, 12> Label5{};  // the units
};

}  // namespace vx
