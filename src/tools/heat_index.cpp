#include "tools/heat_index.h"

#include <cmath>

#include "common/helpers.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/res_table.h"
#include "conditions/condition.h"

namespace vx {

Construction::Construction(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = LoadMessage(271);
  static const int labels[3] = {327, 432, 357};
  for (int i = 0; i < 3; ++i) controls_.add("Label9", ControlKind::Label, i).text = LoadMessage(labels[i]);
  ContrType = &controls_.add("ContrType", ControlKind::ComboBox);
  ContrType->picked = [this] { chooseType(); };
  Text2 = &controls_.add("Text2", ControlKind::TextBox);
  Text2->keyPress = [](int key) { return KeyFilter(key, 3); };
  ContrArea = &controls_.add("ContrArea", ControlKind::TextBox);
  ContrArea->keyPress = [](int key) { return KeyFilter(key, 3); };
  controls_.add("Label1", ControlKind::Label).text = "W/m2";
  controls_.add("Label2", ControlKind::Label).text = "m2";
  Check1 = &controls_.add("Check1", ControlKind::CheckBox);
  Check1->text = LoadMessage(276);
  Control& ok = controls_.add("Command2", ControlKind::Button, 0);
  ok.text = LoadMessage(325);
  ok.clicked = [this] { confirm(); };
  Control& quit = controls_.add("Command2", ControlKind::Button, 1);
  quit.text = LoadMessage(253);
  quit.clicked = [this] { ctx_.windows.closeWindow(kName); };

  ResTableResult types = LoadResTable(ctx_.dataDir, kBuildingTypesSection, kBuildingTypes);
  if (!types.ok) {
    ShowMessage(ctx_.host, 531, {"|1", "304"}, Icon::Critical);
    return;
  }
  ContrType->items = types.entries;
  SelectEntry(*ContrType, 0);
}

void Construction::chooseType() {
  const int i = ContrType->listIndex;
  if (i < 0 || i >= kBuildingTypes) return;
  Text2->text = std::to_string(kProposedHeatIndex[static_cast<size_t>(i)]);
}

void Construction::confirm() {
  if (!Check1->checked) {
    ctx_.windows.closeWindow(kName);
    return;
  }
  auto* condition = ctx_.windows.windowAs<Condition>(Condition::kName);
  if (!condition) return;
  const double area = Val(ContrArea->text), index = Val(Text2->text);
  double load = area * index / 1000;
  switch (condition->cboheatloadunit->listIndex) {
    case 0:
      break;
    case 1:
      load *= 860;
      break;
    default:
      ShowMessage(ctx_.host, 433);
      return;
  }
  // Check before writing: a failed estimate leaves the conditions as they are.
  const float heatLoad = static_cast<float>(load);
  if (!(std::isfinite(heatLoad) && heatLoad > 0)) {
    ShowMessage(ctx_.host, 434, {}, Icon::Critical);
    return;
  }
  // Written as the person would type it, so that a result and the balance
  // are withdrawn by the conditions window's own rules.
  Control& field = condition->field(kHeatLoad);
  if (field.edited) field.edited();
  Assign(field, Str(heatLoad));
  Control& box = condition->box(kHeatLoad);
  box.checked = true;
  if (box.clicked) box.clicked();
  ctx_.windows.closeWindow(kName);
}

}  // namespace vx
