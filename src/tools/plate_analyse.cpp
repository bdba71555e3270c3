#include "tools/plate_analyse.h"

#include "common/helpers.h"
#include "common/messages.h"
#include "common/number_text.h"

namespace vx {

namespace {
std::string trimmed(const std::string& s) {
  size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}
}  // namespace

PlateAnalyse::PlateAnalyse(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = "板型分析";
  auto label = [this](const char* name, int index, const std::string& text) {
    controls_.add(name, ControlKind::Label, index).text = text;
  };
  Combo1 = &controls_.add("Combo1", ControlKind::ComboBox);
  Combo1->picked = [this] { chooseModel(); };
  label("Label1", 0, LoadMessage(306));
  Combo2 = &controls_.add("Combo2", ControlKind::ComboBox);
  Combo2->picked = [this] { chooseChannelKind(); };
  label("Label1", 11, LoadMessage(368));
  Control& medium = controls_.add("Combo4", ControlKind::ComboBox);
  medium.items = {"水"};
  medium.listIndex = 0;
  medium.text = "水";
  label("Label3", 2, LoadMessage(260));
  Text1 = &controls_.add("Text1", ControlKind::TextBox);
  Text1->text = "40";
  Text1->keyPress = [](int key) { return KeyFilter(key, 2); };
  label("Label3", 0, LoadMessage(245));
  for (int i = 0; i < 2; ++i) {
    const size_t s = static_cast<size_t>(i);
    Option1[s] = &controls_.add("Option1", ControlKind::Option, i);
    Option1[s]->text = LoadMessage(i == 0 ? 383 : 382);
    Option1[s]->group = "Option1";
    Option1[s]->checked = i == 1;
    Option2[s] = &controls_.add("Option2", ControlKind::Option, i);
    Option2[s]->text = LoadMessage(i == 0 ? 398 : 344);
    Option2[s]->group = "Option2";
    Option2[s]->checked = i == 0;
    Option2[s]->clicked = [this, i] { chooseAxis(i == 1); };
  }
  controls_.add("Frame4", ControlKind::Frame).text = LoadMessage(408);
  Combo3 = &controls_.add("Combo3", ControlKind::ComboBox);
  Combo3->items = {LoadMessage(388), LoadMessage(520, {"|1", "X"}), LoadMessage(520, {"|1", "Y"}), LoadMessage(521)};
  SelectEntry(*Combo3, 0);
  label("Label7", 0, LoadMessage(231));
  label("Label7", 1, LoadMessage(351));
  Label6 = &controls_.add("Label6", ControlKind::Label);
  Label6->toolTip = "点击选择不同颜色";
  Label6->backColor = color_;
  Label6->clicked = [this] { showPalette(); };
  Picture3 = &controls_.add("Picture3", ControlKind::Picture);
  Picture3->visible = false;
  for (int i = 0; i < static_cast<int>(kPaletteColors.size()); ++i) {
    Control& swatch = controls_.add("Label5", ControlKind::Label, i);
    swatch.backColor = kPaletteColors[static_cast<size_t>(i)];
    swatch.visible = false;  // with the palette
    swatch.clicked = [this, i] { pickColor(i); };
  }
  label("Label8", 0, LoadMessage(208));
  label("Label8", 1, LoadMessage(358));
  label("Label8", 2, LoadMessage(252));
  for (int i : {5, 4, 3}) label("Label8", i, "");
  label("Label1", 1, "Nu_c:");
  label("Label1", 2, "Nu_m:");
  label("Label1", 4, "Eu_c:");
  label("Label1", 5, "Eu_m:");
  for (int i : {8, 6, 10, 7}) label("Label1", i, "");
  Picture1 = &controls_.add("Picture1", ControlKind::Picture);
  Picture1->backColor = kChartBackground;
  Picture1->mouseMoved = [this](double x, double y) { mouseMove(x, y); };
  controls_.add("Picture2", ControlKind::Picture).backColor = kChartBackground;
  Label4 = &controls_.add("Label4", ControlKind::Label);
  Control& clear = controls_.add("Command2", ControlKind::Button);
  clear.text = LoadMessage(223);
  clear.clicked = [this] { DrawAxes(); };
  Control& simulate = controls_.add("Command3", ControlKind::Button);
  simulate.text = "模拟";
  simulate.clicked = [this] { ctx_.windows.showWindow("Muley", true); };
  Control& close = controls_.add("Command1", ControlKind::Button);
  close.text = LoadMessage(253);
  close.clicked = [this] { ctx_.windows.closeWindow(kName); };

  Combo1->items = FillModelList(ctx_.dataDir);
  DrawAxes();
}

void PlateAnalyse::DrawAxes() {
  chart_.clear();
  chart_.reynolds = Option2[1]->checked;
  Picture1->picture.left = 0;
  Picture1->picture.width = chart_.xMax();
  Picture1->picture.top = kChartYMax;
  Picture1->picture.height = -kChartYMax;
  Label4->text.clear();
}

void PlateAnalyse::chooseAxis(bool) { DrawAxes(); }

void PlateAnalyse::chooseModel() {
  auto catalogue = Catalogue::load(ctx_.dataDir);
  if (!catalogue) {
    ShowMessage(ctx_.host, 531, {"|1", "304"}, Icon::Critical);
    return;
  }
  auto model = LoadPlateModel(*catalogue, modelNameField(Combo1->text), ctx_.host, kinds_);
  if (!model) return;
  modelName_ = model->ModelName;
  Combo2->items.clear();
  Combo2->listIndex = -1;
  Combo2->text.clear();
  switch (model->PlateKind) {
    case kAsymmetricPlate:
      Combo2->enabled = true;
      Combo2->items = {LoadMessage(309), LoadMessage(405)};
      break;
    case kThermalMixingPlate:
      Combo2->enabled = true;
      Combo2->items = {LoadMessage(270), LoadMessage(305), LoadMessage(361)};
      break;
    default:
      Combo2->enabled = false;
      DrawCurves(1);
      break;
  }
}

void PlateAnalyse::chooseChannelKind() {
  if (Combo2->listIndex >= 0 && Combo2->listIndex < 3) DrawCurves(Combo2->listIndex + 1);
}

void PlateAnalyse::DrawCurves(int entry) {
  const ChannelKind& kind = kinds_[static_cast<size_t>(entry)];
  const std::string temperature = Text1->text;
  WaterAnalysisValues water = water_.value_or(WaterAnalysisValues{});
  // Curves come only from the properties of this temperature: after a failed
  // look-up the last ones would be labelled with the wrong temperature.
  const bool found = LoadWaterProperty(ctx_.dataDir, ctx_.host, static_cast<float>(Val(temperature)), water);
  if (found) water_ = water;
  auto values = [this](int index, double value, const char* pattern) {
    controls_.find("Label8", index)->text = Format(value, pattern);
  };
  values(5, kind.plateArea, "0.####");
  values(4, kind.section, "0.#######");
  values(3, kind.diameter, "0.#####");
  controls_.find("Label1", 8)->text = Format(kind.corr.Nu_c, "0.####");
  controls_.find("Label1", 6)->text = Format(kind.corr.Nu_m, "0.#######");
  controls_.find("Label1", 10)->text = Format(kind.corr.Eu_c, "0.#####");
  controls_.find("Label1", 7)->text = Format(kind.corr.Eu_m, "0.#####");
  if (!found) return;
  chart_.reynolds = Option2[1]->checked;
  auto curves = PlateCurves(kind, water, Option1[0]->checked, chart_.reynolds, color_);
  if (curves.empty()) return;
  for (auto& c : curves) chart_.curves.push_back(std::move(c));
  std::string text = trimmed(modelName_);
  if (Combo2->enabled && !Combo2->text.empty()) {
    // The first character of the channel kind's name, one UTF-8 character.
    size_t len = 1;
    while (len < Combo2->text.size() && (static_cast<unsigned char>(Combo2->text[len]) & 0xC0) == 0x80) ++len;
    text += Combo2->text.substr(0, len);
  }
  text += " @ " + temperature + "℃";
  chart_.legend.push_back({text, color_});
}

void PlateAnalyse::showPalette() { setPaletteShown(true); }

void PlateAnalyse::setPaletteShown(bool shown) {
  Picture3->visible = shown;
  for (int i = 0; i < static_cast<int>(kPaletteColors.size()); ++i) controls_.find("Label5", i)->visible = shown;
}

void PlateAnalyse::pickColor(int swatch) {
  if (swatch < 0 || swatch >= static_cast<int>(kPaletteColors.size())) return;
  color_ = kPaletteColors[static_cast<size_t>(swatch)];
  Label6->backColor = color_;
  setPaletteShown(false);
}

void PlateAnalyse::mouseMove(double x, double y) {
  Label4->text = ChartReadOut(chart_.reynolds, x, y);
  chart_.crossHair = true;
  chart_.pointer = {x, y};
}

}  // namespace vx
