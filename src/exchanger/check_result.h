#pragma once
// The window "计算结果" that shows the results stored in a case file: 34
// captions, 43 value labels and the fixed unit labels.
#include <array>

#include "common/window_model.h"

namespace vx {

class CheckResult : public WindowModel {
 public:
  static constexpr const char* kName = "checkResult";
  static constexpr int kCaptions = 34;
  static constexpr int kValues = 43;

  explicit CheckResult(AppContext& context);

  std::array<Control*, kCaptions> Label4{};
  std::array<Control*, kValues> Label2{};
};

}  // namespace vx
