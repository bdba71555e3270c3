#include "conditions/condition.h"

#include "common/helpers.h"
#include "common/messages.h"
#include "common/record_file.h"
#include "conditions/other_data.h"
#include "properties/property_window.h"
#include "properties/water_steam.h"
#include "common/preset_file.h"

namespace vx {

namespace {
constexpr int kEnter = 13;
constexpr double kFoulingLimit = 0.00009;
}  // namespace

Condition::Condition(AppContext& context) : WindowModel(kName), ctx_(context) {
  build();
  load();
}

OtherData* Condition::otherData() { return ctx_.windows.windowAs<OtherData>(OtherData::kName); }

Control& Condition::addCombo(const std::string& name, std::vector<std::string> items, int index) {
  Control& c = controls_.add(name, ControlKind::ComboBox);
  c.items = std::move(items);
  c.listIndex = index;
  if (index >= 0) c.text = c.items[static_cast<size_t>(index)];
  // Unit and medium lists take no typed text.
  c.keyPress = [this](int key) {
    windowKey(key);
    return 0;
  };
  return c;
}

void Condition::build() {
  caption = LoadMessage(240);
  static const int labelIds[12] = {260, 263, 281, 377, 367, 273, 294, 338, 266, 242, 243, 249};
  for (int i = 0; i < 12; ++i) {
    Label9[static_cast<size_t>(i)] = &controls_.add("Label9", ControlKind::Label, i);
    Label9[static_cast<size_t>(i)]->text = LoadMessage(labelIds[i]);
  }
  controls_.add("Frame1", ControlKind::Frame, 0).text = LoadMessage(221);
  controls_.add("Frame1", ControlKind::Frame, 1).text = LoadMessage(222);
  controls_.add("Frame1", ControlKind::Frame, 4).text = LoadMessage(262);

  static const char* defaults[kFields] = {"60000.0", "110.0", "90.0", "85100.0", "60.0", "80.0", "",  "50", "50",
                                          "",        "",      "1.0",  "1.0",     "150",  "150",  "",   "0.0"};
  for (int i = 0; i < kFields; ++i) {
    Control& f = controls_.add("TxtInput", ControlKind::TextBox, i);
    f.text = defaults[i];
    f.foreColor = (i == kFlowA || i == kTinA || i == kToutA) ? kRed
                  : (i == kFlowB || i == kTinB || i == kToutB) ? kBlue
                                                               : kBlack;
    f.keyPress = [this, i](int key) { return fieldKey(i, key); };
    f.changed = [this, i] { fieldChanged(i); };
    TxtInput[static_cast<size_t>(i)] = &f;
  }
  static const bool initiallyGiven[kBoxes] = {true, true, true, false, true, true, false};
  for (int i = 0; i < kBoxes; ++i) {
    Control& b = controls_.add("ChkIndex", ControlKind::CheckBox, i);
    b.checked = initiallyGiven[i];
    b.clicked = [this, i] { boxClicked(i); };
    ChkIndex[static_cast<size_t>(i)] = &b;
  }

  cbomedium1 = &addCombo("cbomedium1", {LoadMessage(402)}, 0);
  cbomedium2 = &addCombo("cbomedium2", {LoadMessage(402), LoadMessage(366)}, 0);
  cbomedium2->picked = [this] { pickMediumB(cbomedium2->listIndex); };
  cbomedium2->changed = [this] { mediumBTextChanged(); };
  cboflowunit1 = &addCombo("cboflowunit1", {"kg/h", "m3/h"}, 0);
  cboflowunit2 = &addCombo("cboflowunit2", {"kg/h", "m3/h"}, 0);
  cboflowunit1->picked = [this] { SelectEntry(*cboflowunit2, cboflowunit1->listIndex); };
  addCombo("cbotemperatureunit1", {LoadMessage(249)}, 0);
  addCombo("Combo11", {LoadMessage(249)}, 0);
  addCombo("cbotemperatureunit2", {LoadMessage(249)}, 0);
  addCombo("Combo12", {LoadMessage(249)}, 0);
  cboheatloadunit = &addCombo("cboheatloadunit", {"KW", "KCal/h"}, 0);
  addCombo("cbopressuredropunit1", {"KPa"}, 0);
  addCombo("cbopressuredropunit2", {"KPa"}, 0);
  cbofoulingunit1 = &addCombo("cbofoulingunit1", {"K.m2/W", "K.m2.h/Kcal"}, 0);
  cbofoulingunit2 = &addCombo("cbofoulingunit2", {"K.m2/W", "K.m2.h/Kcal"}, 0);
  cbofoulingunit1->picked = [this] { SelectEntry(*cbofoulingunit2, cbofoulingunit1->listIndex); };
  addCombo("Combo1", {"MPa"}, 0);
  addCombo("Combo2", {"MPa"}, 0);
  addCombo("Combo4", {LoadMessage(249)}, 0);
  addCombo("Combo5", {LoadMessage(249)}, 0);
  addCombo("Combo3", {"Mpa"}, 0);
  controls_.add("Label10", ControlKind::Label).text = "%";

  for (int i = 0; i < 2; ++i) {
    const char* phase = i == 0 ? "液态" : "气态";
    Option1[static_cast<size_t>(i)] = &controls_.add("Option1", ControlKind::Option, i);
    Option1[static_cast<size_t>(i)]->text = phase;
    Option1[static_cast<size_t>(i)]->group = "Option1";
    Option1[static_cast<size_t>(i)]->checked = i == 0;
    Option1[static_cast<size_t>(i)]->enabled = false;  // circuit A is always a liquid
    Opt2LV[static_cast<size_t>(i)] = &controls_.add("Opt2LV", ControlKind::Option, i);
    Opt2LV[static_cast<size_t>(i)]->text = phase;
    Opt2LV[static_cast<size_t>(i)]->group = "Opt2LV";
    Opt2LV[static_cast<size_t>(i)]->checked = i == 0;
    Opt2LV[static_cast<size_t>(i)]->enabled = false;
    Opt2LV[static_cast<size_t>(i)]->clicked = [this, i] { selectPhaseB(i); };
    counterflow[static_cast<size_t>(i)] = &controls_.add("counterflow", ControlKind::Option, i);
    counterflow[static_cast<size_t>(i)]->text = LoadMessage(i == 0 ? 230 : 261);
    counterflow[static_cast<size_t>(i)]->group = "counterflow";
    counterflow[static_cast<size_t>(i)]->checked = i == 0;
  }

  balanceButton = &controls_.add("balance", ControlKind::Button);
  balanceButton->text = LoadMessage(210);
  balanceButton->clicked = [this] { runBalance(); };
  Command5 = &controls_.add("Command5", ControlKind::Button);
  Command5->text = LoadMessage(239);
  Command5->clicked = [this] { openDesign(); };
  Command3 = &controls_.add("Command3", ControlKind::Button);
  Command3->text = "选择其他的介质";
  Command3->clicked = [this] { chooseMedium(kCircuitA); };
  Command4 = &controls_.add("Command4", ControlKind::Button);
  Command4->text = "选择其他的介质";
  Command4->clicked = [this] { chooseMedium(kCircuitB); };
  lbldt = &controls_.add("lbldt", ControlKind::Label);
  Picture1 = &controls_.add("Picture1", ControlKind::Picture);

  // Every key typed in the window is seen by the window first, and a text
  // the person sets counts as typed.
  for (Control& c : controls_.all()) {
    if (!c.keyPress) c.keyPress = [this](int key) { return windowKey(key); };
    if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox) c.edited = [this] { contentEdited(); };
    // Any edit after a result withdraws it: a box, an option or a list
    // picked with the mouse counts as well as a key.
    if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::Option) {
      auto rule = std::move(c.clicked);
      c.clicked = [this, rule] {
        contentEdited();
        if (rule) rule();
      };
    }
    if (c.kind == ControlKind::ComboBox) {
      auto rule = std::move(c.picked);
      c.picked = [this, rule] {
        contentEdited();
        if (rule) rule();
      };
    }
  }
}

void Condition::load() {
  ctx_.var.MediumStateB = kStateWater;
  ctx_.var.TestPressureFactor = 1.25f;
  auto preset = ReadPresetFile(ctx_.dataDir);
  if (!preset) {
    // Without its presets the window cannot start a case.
    ShowMessage(ctx_.host, 531, {"|1", "304"}, Icon::Critical);
    return;
  }
  Assign(field(kDesignPressureA), preset->DesignPressure);
  Assign(field(kDesignPressureB), preset->DesignPressure);
  // A hand-edited factor too large for single precision keeps the default.
  if (auto factor = PresetSingle(preset->TestPressureFactor)) ctx_.var.TestPressureFactor = *factor;
  Assign(field(kDesignTemperatureA), preset->DesignTemperature);
  Assign(field(kDesignTemperatureB), preset->DesignTemperature);
  Assign(field(kMargin), preset->Margin);
  Assign(field(kAllowDpA), preset->AllowedPressureDropA);
  Assign(field(kAllowDpB), preset->AllowedPressureDropB);
  // The steam pressure row belongs to steam only.
  setSteamControlsEnabled(false);
  ctx_.var.BalanceDone = false;
  loaded_ = true;
}

void Condition::setSteamControlsEnabled(bool enabled) {
  Label9[4]->enabled = enabled;
  field(kSteamPressure).enabled = enabled;
}

void Condition::contentEdited() {
  // Every edit invalidates the balance, so that no design is computed from
  // conditions other than those shown. A key that edits nothing (Enter,
  // Space on a button) leaves it.
  ctx_.var.BalanceDone = false;
  ctx_.main.setDesignKeyEnabled(false);
  windowKey(0);
}

int Condition::windowKey(int key) {
  VeloxaVar& v = ctx_.var;
  if (v.ConditionsChanged) return key;
  v.ConditionsChanged = true;
  ctx_.main.setOutputsEnabled(false);
  lbldt->text.clear();
  if (OtherData* od = otherData()) od->clearForNewConditions();
  return key;
}

int Condition::fieldKey(int index, int key) {
  key = windowKey(key);
  if (key == kEnter && index <= 13) focus = field(index + 1).label();
  return KeyFilter(key, 2);
}

void Condition::fieldChanged(int index) {
  switch (index) {
    case kAllowDpA:
      Assign(field(kAllowDpB), field(kAllowDpA).text);
      break;
    case kDesignPressureA:
      Assign(field(kDesignPressureB), field(kDesignPressureA).text);
      break;
    case kDesignTemperatureA:
      Assign(field(kDesignTemperatureB), field(kDesignTemperatureA).text);
      break;
    case kFoulingA:
    case kFoulingB:
      if (OtherData* od = otherData()) {
        bool tooLarge = number(kFoulingA) > kFoulingLimit || number(kFoulingB) > kFoulingLimit;
        od->notes().text = tooLarge ? LoadMessage(430) : "";
      }
      break;
    case kSteamPressure:
      GetSteamProperty();
      break;
    default:
      break;
  }
}

void Condition::boxClicked(int i) {
  if (i <= 2) {
    field(i).foreColor = box(i).checked ? kRed : kBlack;
  } else if (i <= 5) {
    field(i).foreColor = box(i).checked ? kBlue : kBlack;
    if ((i == 4 || i == 5) && !box(i).checked && cbomedium2->listIndex == 1) {
      ShowMessage(ctx_.host, 425);
      box(i).checked = true;
      boxClicked(i);
    }
  }
}

void Condition::pickMediumB(int index) {
  cbomedium2->listIndex = index;
  if (index >= 0 && index < static_cast<int>(cbomedium2->items.size())) {
    cbomedium2->text = cbomedium2->items[static_cast<size_t>(index)];
  }
  mediumBTextChanged();
  VeloxaVar& v = ctx_.var;
  if (index == 1) {
    v.MediumStateB = kStateSteam;
    setSteamControlsEnabled(true);
    Assign(field(kSteamPressure), "0.3");
    for (int i : {4, 5}) {
      box(i).checked = true;
      boxClicked(i);
    }
    selectPhaseB(1);
    box(3).checked = false;
    boxClicked(3);
    box(3).enabled = false;
  } else {
    v.MediumStateB = kStateWater;
    setSteamControlsEnabled(false);
    selectPhaseB(0);
    box(3).enabled = true;
  }
  v.BalanceDone = false;
  Opt2LV[0]->enabled = Opt2LV[1]->enabled = false;
}

void Condition::mediumBTextChanged() {
  const std::string& text = cbomedium2->text;
  bool optionsOn = text != LoadMessage(402) || ctx_.var.MediumStateB != kStateSteam;
  Opt2LV[0]->enabled = Opt2LV[1]->enabled = optionsOn;
  setSteamControlsEnabled(text == LoadMessage(366));
  ctx_.var.BalanceDone = false;
}

void Condition::selectPhaseB(int index) {
  for (int i = 0; i < 2; ++i) Opt2LV[static_cast<size_t>(i)]->checked = i == index;
  VeloxaVar& v = ctx_.var;
  const int list = cbomedium2->listIndex;
  if (index == 1) {
    if (list == -1) {
      if (static_cast<double>(v.MediumProp(kVapourDensity, kCircuitB)) * v.MediumProp(kLatentHeat, kCircuitB) != 0) {
        v.MediumStateB = kStateAdoptedVapour;
      } else {
        ShowMessage(ctx_.host, 428);
        selectPhaseB(0);
      }
    } else if (list == 1) {
      v.MediumStateB = kStateSteam;
    }
  } else {
    if (list == -1) v.MediumStateB = kStateAdoptedLiquid;
    else if (list == 0) v.MediumStateB = kStateWater;
  }
}

void Condition::GetSteamProperty() {
  float p = static_cast<float>(number(kSteamPressure));
  if (!(p > 0) || ctx_.var.MediumStateB != kStateSteam) return;
  auto steam = SteamTable(ctx_.dataDir, p);
  if (!steam) {
    // Resetting to 0.3 runs the lookup again; a table that does not reach
    // 0.3 MPa must not bring the message back forever.
    if (steamResetting_) return;
    ShowMessage(ctx_.host, 429, {}, Icon::Question);
    steamResetting_ = true;
    Assign(field(kSteamPressure), "0.3");
    steamResetting_ = false;
    return;
  }
  VeloxaVar& v = ctx_.var;
  v.MediumProp(kVapourDensity, kCircuitB) = steam->vapourDensity;
  SteamTsat = steam->saturationTemperature;
  Assign(field(kTinB), Format(SteamTsat, "0.##"));
  v.MediumProp(kLatentHeat, kCircuitB) = steam->latentHeat;
  Assign(field(kToutB), field(kTinB).text);
}

void Condition::openDesign() {
  if (ctx_.var.BalanceDone) {
    ctx_.windows.showWindow("detail", false);
  } else {
    ShowMessage(ctx_.host, 427);
  }
}

void Condition::chooseMedium(int circuit) {
  // The property window is modal and loaded afresh; what it adopts is
  // applied when it closes, however it closes.
  ctx_.windows.closeWindow(PropertyWindow::kName);
  auto* window = ctx_.windows.windowAs<PropertyWindow>(PropertyWindow::kName);
  if (!window) return;
  window->whenClosed = [this, circuit] { circuit == kCircuitA ? adoptForA() : adoptForB(); };
  ctx_.windows.showWindow(PropertyWindow::kName, true);
}

void Condition::adoptForA() {
  VeloxaVar& v = ctx_.var;
  if (trimField(v.AdoptedName).empty()) return;
  // The intermediate data showed the old medium's properties.
  if (OtherData* od = otherData()) od->clearForNewConditions();
  // A new medium withdraws the result like any other edit of the conditions.
  contentEdited();
  Assign(*cbomedium1, v.AdoptedName);
  cbomedium1->listIndex = -1;
  v.MediumProp(kDensity, kCircuitA) = v.AdoptedDensity;
  v.MediumProp(kSpecificHeat, kCircuitA) = v.AdoptedCp;
  v.MediumProp(kConductivity, kCircuitA) = v.AdoptedConductivity;
  v.MediumProp(kViscosity, kCircuitA) = v.AdoptedViscosity;
  v.ConditionsChanged = true;
  v.BalanceDone = false;
}

void Condition::adoptForB() {
  VeloxaVar& v = ctx_.var;
  if (trimField(v.AdoptedName).empty()) return;
  // The intermediate data showed the old medium's properties.
  if (OtherData* od = otherData()) od->clearForNewConditions();
  contentEdited();
  cbomedium2->listIndex = -1;
  Assign(*cbomedium2, v.AdoptedName);
  v.MediumProp(kDensity, kCircuitB) = v.AdoptedDensity;
  v.MediumProp(kSpecificHeat, kCircuitB) = v.AdoptedCp;
  v.MediumProp(kConductivity, kCircuitB) = v.AdoptedConductivity;
  v.MediumProp(kViscosity, kCircuitB) = v.AdoptedViscosity;
  v.MediumProp(kVapourDensity, kCircuitB) = v.AdoptedVapourDensity;
  v.MediumProp(kLatentHeat, kCircuitB) = v.AdoptedLatent;
  selectPhaseB(0);
  v.ConditionsChanged = true;
  v.MediumStateB = kStateAdoptedLiquid;
  v.BalanceDone = false;
}

}  // namespace vx
