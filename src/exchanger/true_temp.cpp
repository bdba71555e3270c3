#include "exchanger/true_temp.h"

#include "common/messages.h"
#include "common/number_text.h"

namespace vx {

TrueTemp::TrueTemp(AppContext& context) : WindowModel(kName) {
  caption = LoadMessage(317);
  static const int labels[5] = {281, 377, 377, 281, 273};
  for (int i = 0; i < 5; ++i) {
    txtShow[static_cast<size_t>(i)] = &controls_.add("txtShow", ControlKind::TextBox, i);
    txtShow[static_cast<size_t>(i)]->enabled = true;
    controls_.add("Label31", ControlKind::Label, i).text = LoadMessage(labels[i]);
  }
  controls_.add("Label31", ControlKind::Label, 5).text = "KW";
  Control& close = controls_.add("Command6", ControlKind::Button);
  close.text = LoadMessage(253);
  close.clicked = [&context] { context.windows.closeWindow(kName); };
}

void TrueTemp::show(float tinA, float t1o, float tinB, float t2o, float unitHeatLoad) {
  txtShow[0]->text = Format(tinA, "0.##");
  txtShow[1]->text = Format(t1o, "0.##");
  txtShow[2]->text = Format(tinB, "0.##");
  txtShow[3]->text = Format(t2o, "0.##");
  txtShow[4]->text = Format(unitHeatLoad, "#####.#");
}

}  // namespace vx
