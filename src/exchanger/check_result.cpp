#include "exchanger/check_result.h"

#include "common/messages.h"

namespace vx {

CheckResult::CheckResult(AppContext& context) : WindowModel(kName) {
  caption = LoadMessage(349);
  static const int captions[kCaptions] = {395, 342, 346, 234, 241, 221, 222, 260, 280, 263, 237, 363,
                                          227, 400, 273, 205, 367, 242, 243, 266, 306, 207, 294, 320,
                                          329, 225, 338, 262, 300, 380, 298, 297, 318, 348};
  for (int i = 0; i < kCaptions; ++i) {
    Label4[static_cast<size_t>(i)] = &controls_.add("Label4", ControlKind::Label, i);
    Label4[static_cast<size_t>(i)]->text = LoadMessage(captions[i]);
  }
  for (int i = 0; i < kValues; ++i) Label2[static_cast<size_t>(i)] = &controls_.add("Label2", ControlKind::Label, i);
  // The flows are stored in kg/h and the fouling factors in m2.K/W; the
  // heat load shows the unit it was saved in.
  static const char* const units[] = {"KW", "kg/h", "KJ/kg.K", "kg/m3", "cP", "℃", "m2.K/W", "℃", "MPa", "MPa", "KPa", "W/m.K"};
  for (int n = 0; n < 12; ++n) {
    Label5[static_cast<size_t>(n)] = &controls_.add("Label5", ControlKind::Label, n);
    Label5[static_cast<size_t>(n)]->text = units[n];
  }
  Control& close = controls_.add("Label3", ControlKind::Label);
  close.text = LoadMessage(253);
  close.clicked = [&context] { context.windows.closeWindow(kName); };
}

void CheckResult::fill(const std::vector<std::string>& values, const std::string& heatLoadUnit) {
  for (int i = 0; i < kValues; ++i)
    Label2[static_cast<size_t>(i)]->text = i < static_cast<int>(values.size()) ? values[static_cast<size_t>(i)] : "";
  Label5[0]->text = heatLoadUnit;
}

}  // namespace vx
