#include "tools/unit_convert.h"

#include <cmath>

#include "common/messages.h"
#include "common/number_text.h"

namespace vx {

namespace {
constexpr int kEnter = 13;
}  // namespace

UnitConversion ConvertUnits(const UnitCategory& category, int i, int j, double x) {
  UnitConversion out;
  double r = 0;
  if (category.name == kTemperatureCategory) {
    r = i == j ? x : i != 0 ? 5.0 / 9.0 * (x - 32) : 9.0 / 5.0 * x + 32;
  } else if (category.name == kEnglerCategory) {
    // Both directions are rounded to three decimals.
    r = i == j ? x : i != 0 ? std::floor(x * 7.41 * 1000 + 0.5) / 1000 : std::floor(x * 0.135 * 1000 + 0.5) / 1000;
  } else if (category.name == kBaumeCategory) {
    if (i == j) {
      r = x;
    } else if (i != 0) {
      out.outcome = UnitConversion::BaumeNotOffered;
      return out;
    } else if (x < 0.6 || x > 2.0) {
      out.outcome = UnitConversion::GravityOutOfRange;
      return out;
    } else {
      r = x <= 1 ? 140 / x - 130 : 145 - 145 / x;
    }
  } else {
    double from = category.factor(i), to = category.factor(j);
    // A unit without a factor cannot be converted from or to.
    if (from == 0 || to == 0) return out;
    r = x / from * to;
  }
  if (!std::isfinite(r)) return out;
  out.outcome = UnitConversion::Value;
  out.value = r;
  return out;
}

std::string UnitResultText(double r) {
  if (r > 10000) return FormatExponent(r, true);
  if (r > 0 && r < 0.0001) return FormatExponent(r, false);
  return Format(r, "0.######");
}

Unit::Unit(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = "UnitConvert";
  Combo1 = &controls_.add("Combo1", ControlKind::ComboBox);
  Combo1->picked = [this] { ChooseCategory(); };
  for (int side = 0; side < 2; ++side) {
    const size_t s = static_cast<size_t>(side);
    List1[s] = &controls_.add("List1", ControlKind::ListBox, side);
    List1[s]->picked = [this, side] { ChooseUnit(side); };
    Text1[s] = &controls_.add("Text1", ControlKind::TextBox, side);
    Text1[s]->keyPress = [this, side](int key) { return keyInValue(side, key); };
    Label1[s] = &controls_.add("Label1", ControlKind::Label, side);
    Label2[s] = &controls_.add("Label2", ControlKind::Label, side);
  }
  Text1[0]->text = "1";
  Label3 = &controls_.add("Label3", ControlKind::Label);
  Label3->text = ">";
  Label4 = &controls_.add("Label4", ControlKind::Label);

  auto file = ReadUnitFile(ctx_.dataDir);
  if (!file) {
    ShowMessage(ctx_.host, 531, {"|1", "304"}, Icon::Critical);
    return;
  }
  for (const auto& c : file->categories) Combo1->items.push_back(c.name);
  if (!Combo1->items.empty()) SelectEntry(*Combo1, 0);
}

void Unit::ChooseCategory() {
  category_ = UnitCategory{};
  List1[0]->items.clear();
  List1[1]->items.clear();
  List1[0]->listIndex = List1[1]->listIndex = -1;
  Label4->text.clear();
  // Every choice rereads the file, so an edited file shows at once.
  if (auto file = ReadUnitFile(ctx_.dataDir)) {
    if (const UnitCategory* c = file->find(Combo1->text)) category_ = *c;
  }
  List1[0]->items = category_.units;
  List1[1]->items = category_.units;
  Text1[1]->text.clear();
  for (int side = 0; side < 2; ++side) {
    Label1[static_cast<size_t>(side)]->text.clear();
    Label2[static_cast<size_t>(side)]->text.clear();
  }
  if (special()) Text1[0]->text.clear();
  if (category_.units.empty()) return;
  SelectEntry(*List1[0], 0);
  SelectEntry(*List1[1], 0);
}

void Unit::ChooseUnit(int side) {
  Control& list = *List1[static_cast<size_t>(side)];
  const int i = list.listIndex;
  if (i < 0) return;
  Label1[static_cast<size_t>(side)]->text = i < static_cast<int>(category_.units.size()) ? category_.units[static_cast<size_t>(i)] : "";
  Label2[static_cast<size_t>(side)]->text = category_.text(i);
  Label4->text = category_.note(i);
  if (!special()) {
    Convert();
    return;
  }
  Text1[1]->text.clear();
  // Baumé degrees cannot be converted from: the from-list goes back to
  // specific gravity at once.
  if (side == 0 && i != 0 && category_.name == kBaumeCategory) SelectEntry(list, 0);
}

int Unit::keyInValue(int field, int key) {
  Text1[1]->text.clear();
  if (field == 0 && key == kEnter) {
    Convert();
    return 0;
  }
  return key;
}

void Unit::Convert() {
  const int i = List1[0]->listIndex, j = List1[1]->listIndex;
  if (i < 0 || j < 0) return;
  UnitConversion r = ConvertUnits(category_, i, j, Val(Text1[0]->text));
  switch (r.outcome) {
    case UnitConversion::Value:
      Text1[1]->text = UnitResultText(r.value);
      break;
    case UnitConversion::GravityOutOfRange:
      Text1[1]->text.clear();
      ctx_.host.message("比重的范围0.6-2.0", Icon::None, Buttons::Ok, 0);
      break;
    case UnitConversion::BaumeNotOffered:
      SelectEntry(*List1[0], 0);
      break;
    case UnitConversion::Nothing:
      Text1[1]->text.clear();
      break;
  }
}

}  // namespace vx
