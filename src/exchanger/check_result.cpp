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
  static const char* const units[] = {"KW", "kg/s", "KJ/kg.K", "kg/m3", "cP", "℃", "m.K/W", "℃", "MPa", "MPa", "KPa", "W/m.K"};
  int n = 0;
  for (const char* unit : units) controls_.add("Label5", ControlKind::Label, n++).text = unit;
  Control& close = controls_.add("Label3", ControlKind::Label);
  close.text = LoadMessage(253);
  close.clicked = [&context] { context.windows.closeWindow(kName); };
}

}  // namespace vx
