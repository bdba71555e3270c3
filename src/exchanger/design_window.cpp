#include "exchanger/design_window.h"

#include <cmath>

#include "common/helpers.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"

namespace vx {

DesignWindow::DesignWindow(AppContext& context) : WindowModel(kName), ctx_(context) {
  build();
  create();
}

Condition* DesignWindow::condition() { return ctx_.windows.windowAs<Condition>(Condition::kName); }
OtherData* DesignWindow::otherData() { return ctx_.windows.windowAs<OtherData>(OtherData::kName); }

Control& DesignWindow::addText(const std::string& name, const std::string& text, int index) {
  Control& c = controls_.add(name, ControlKind::TextBox, index);
  c.text = text;
  return c;
}

Control& DesignWindow::addCheck(const std::string& name, const std::string& text, int index) {
  Control& c = controls_.add(name, ControlKind::CheckBox, index);
  c.text = text;
  return c;
}

Control& DesignWindow::addButton(const std::string& name, const std::string& text, int index) {
  Control& c = controls_.add(name, ControlKind::Button, index);
  c.text = text;
  return c;
}

void DesignWindow::build() {
  caption = LoadMessage(239);
  const std::string A = LoadMessage(221), B = LoadMessage(222);
  controls_.add("Frame2", ControlKind::Frame).text = LoadMessage(362);
  controls_.add("Frame3", ControlKind::Frame).text = LoadMessage(349);
  candidateFrame = &controls_.add("Frame4", ControlKind::Frame);
  candidateFrame->text = LoadMessage(450);
  candidateFrame->visible = false;
  controls_.add("Label9", ControlKind::Label).text =
      "单击表中项目来选择型号，推荐次序仅考虑了换热面积及流程组合，没有考虑价格等其他因素，供参考。";
  struct LabelText {
    int index;
    std::string text;
  };
  const LabelText labels[] = {
      {15, LoadMessage(306)},
      {9, LoadMessage(320)},
      {0, LoadMessage(272)},
      {12, LoadMessage(329) + "(A/B)"},
      {6, LoadMessage(318) + LoadMessage(446)},
      {1, LoadMessage(207) + LoadMessage(447)},
      {8, LoadMessage(294) + "%(" + LoadMessage(273) + ")"},
      {7, LoadMessage(448)},
      {14, LoadMessage(229)},
      {4, LoadMessage(449)},
      {11, LoadMessage(449)},
      {10, LoadMessage(249)},
      {13, LoadMessage(249)},
  };
  for (const auto& l : labels) controls_.add("Label8", ControlKind::Label, l.index).text = l.text;
  mixLabel = controls_.find("Label8", 0);
  controls_.add("Label10", ControlKind::Label).text = "温差修正系数";

  cbotype = &controls_.add("cbotype", ControlKind::ComboBox);
  cbotype->keyPress = [](int) { return 0; };
  cbotype->picked = [this] { selectModel(cbotype->listIndex); };
  txtplatenb = &addText("txtplatenb", "");
  txtplatenb->keyPress = [](int key) { return KeyFilter(key, 0); };
  txtplatenb->changed = [this] { plateCountChanged(); };
  txtPass1 = &addText("txtPass1", "1");
  txtPass1->keyPress = [](int key) { return KeyFilter(key, 0); };
  txtPass1->changed = [this] { passAChanged(); };
  txtPass2 = &addText("txtPass2", "1");
  txtPass2->changed = [this] { passBChanged(); };
  setnb = &addText("setnb", "1");
  setnb->changed = [this] { parallelChanged(); };
  setnb->left = [this] { parallelLeft(); };
  Text5 = &addText("Text5", "1");
  CobThermalMix = &controls_.add("CobThermalMix", ControlKind::ComboBox);
  CobThermalMix->keyPress = [](int) { return 0; };
  CobThermalMix->picked = [this] { thermalMixPicked(); };
  MixC1 = &addText("MixC1", "");
  MixC1->keyPress = [](int key) { return KeyFilter(key, 0); };
  MixC1->changed = [this] { firstKindChanged(); };
  MixC2 = &addText("MixC2", "");
  MixC1->enabled = MixC2->enabled = mixLabel->enabled = false;
  narrowInC1 = &controls_.add("narrowInC1", ControlKind::Option);
  narrowInC1->text = A + LoadMessage(309);
  narrowInC2 = &controls_.add("narrowInC2", ControlKind::Option);
  narrowInC2->text = B + LoadMessage(309);
  for (Control* c : {narrowInC1, narrowInC2}) {
    c->group = "narrow";
    c->enabled = false;
    c->clicked = [this] { narrowClicked(); };
  }
  PassLock = &addCheck("PassLock", LoadMessage(291));
  Check1 = &addCheck("Check1", LoadMessage(451));
  Check2 = &addCheck("Check2", LoadMessage(453));
  addCheck("DoublePassInI", A + LoadMessage(248));
  addCheck("DoublePassInII", B + LoadMessage(248));
  addCheck("OptInPassI", A + LoadMessage(213));
  addCheck("OptInPassII", B + LoadMessage(213));
  addText("Text2", "", 0);
  addText("Text2", "", 1);

  TabStrip2 = &controls_.add("TabStrip2", ControlKind::Tab);
  TabStrip2->items = {LoadMessage(212), LoadMessage(213), LoadMessage(248)};
  TabStrip2->listIndex = 0;
  TabStrip2->text = TabStrip2->items[0];
  TabStrip2->picked = [this] { assemblyTabPicked(); };
  TabStrip3 = &controls_.add("TabStrip3", ControlKind::Tab);
  TabStrip3->items = {LoadMessage(289), LoadMessage(400) + LoadMessage(229)};
  TabStrip3->listIndex = 0;
  TabStrip3->text = TabStrip3->items[0];
  TabStrip3->picked = [this] { correctionTabPicked(); };

  cvdt = &addText("cvdt", "0.97");
  LmtdC = &addCheck("LmtdC", LoadMessage(291));
  Chkvc1 = &addCheck("Chkvc1", A);
  Txtvc1 = &addText("Txtvc1", "1.0");
  Chkvc2 = &addCheck("Chkvc2", B);
  Txtvc2 = &addText("Txtvc2", "1.0");
  Txtvc1->left = [this] { viscosityFactorLeft(kCircuitA); };
  Txtvc2->left = [this] { viscosityFactorLeft(kCircuitB); };
  ChkPortPd = &addCheck("ChkPortPd", LoadMessage(452));
  LVCorrect = &addButton("LVCorrect", "汽液混合修正");
  LVCorrect->visible = false;
  LVCorrect->clicked = [this] { ctx_.host.input("介质中含水质量百分比 (%)", LoadMessage(239), "0"); };

  Command1 = &addButton("Command1", LoadMessage(219));
  Command2 = &addButton("Command2", LoadMessage(238));
  Command9 = &addButton("Command9", LoadMessage(209));
  Command9->toolTip = "自动设计没有考虑特殊的装配以及大小流道的方向。";
  Command10 = &addButton("Command10", LoadMessage(317));
  Command10->toolTip = "采用NTU计算方式计算换热器的出口温度。";
  Command1->clicked = [this] { RunCheck(); };
  Command2->clicked = [this] { RunDesign(); };
  Command9->clicked = [this] { RunAutoDesign(); };
  Command10->clicked = [this] { RunNtu(); };

  txtover = &addText("txtover", "");
  txtover->backColor = kWindowColour;
  txtarea = &addText("txtarea", "");
  GrossArea = &addText("GrossArea", "");
  txtwall = &addText("txtwall", "");
  Command4[0] = &addButton("Command4", "▲", 0);
  Command4[1] = &addButton("Command4", "▼", 1);
  Command4[0]->clicked = [this] { spinMargin(0); };
  Command4[1]->clicked = [this] { spinMargin(1); };

  buildGrid();

  AutoGrid = &controls_.add("AutoGrid", ControlKind::Grid);
  AutoGrid->toolTip = "单击鼠标左键选择型号";
  // A click on a row (picked by its row number) applies that candidate.
  AutoGrid->picked = [this] { applyCandidate(AutoGrid->listIndex); };
  ProgressBar1 = &controls_.add("ProgressBar1", ControlKind::Label);
  ProgressBar1->visible = false;

  // The window's option lists; they stay hidden until the grid's button opens one.
  for (int i = 0; i < kOptionLists; ++i) {
    Control& list = controls_.add("Defdata", ControlKind::ListBox, i);
    list.visible = false;
    list.picked = [this, i] { pickOption(i, Defdata[static_cast<size_t>(i)]->listIndex); };
    list.left = [&list] { list.visible = false; };
    Defdata[static_cast<size_t>(i)] = &list;
  }
}

void DesignWindow::buildGrid() {
  PheGrid = &controls_.add("PheGrid", ControlKind::Grid);
  GridState& g = PheGrid->grid;
  g.resize(kGridRows, kGridCols);
  g.fixedCols = 3;
  const std::string plate = LoadMessage(332), material = LoadMessage(296), gasket = LoadMessage(268),
                    frame = LoadMessage(267), nozzle = LoadMessage(315), A = LoadMessage(221), B = LoadMessage(222),
                    flange = LoadMessage(224), thickness = LoadMessage(379) + "mm",
                    limit = LoadMessage(303) + LoadMessage(249), pattern = LoadMessage(482),
                    place = LoadMessage(290), bore = LoadMessage(359);
  const std::array<std::array<std::string, 3>, kGridRows> labels = {{
      {plate, material, material},
      {plate, thickness, thickness},
      {gasket, material, material},
      {gasket, limit, limit},
      {frame, pattern, pattern},
      {frame, material, material},
      {nozzle, material, A},
      {nozzle, material, B},
      {nozzle, place, A},
      {nozzle, place, B},
      {nozzle, bore, A},
      {nozzle, bore, B},
      {flange, flange, flange},
  }};
  for (int r = 0; r < kGridRows; ++r)
    for (int c = 0; c < 3; ++c) g.cell(r, c) = labels[static_cast<size_t>(r)][static_cast<size_t>(c)];
  PheGrid->cellEdited = [this](int row, int col) {
    currentRow = row;
    currentCol = col;
  };
  PheGrid->cellClicked = PheGrid->cellEdited;
  GridBTN = &addButton("GridBTN", "...");
  GridBTN->clicked = [this] { openRowList(); };
  Text1 = &addText("Text1", "");
  Text1->visible = false;
}

void DesignWindow::create() {
  VeloxaVar& v = ctx_.var;
  v.DesignWindowOpened = true;
  auto fail = [this] { ShowMessage(ctx_.host, 569, {"|1", "102"}); };

  auto preset = ReadPresetFile(ctx_.dataDir);
  auto design = preset ? DesignPresetsOf(*preset) : std::nullopt;
  if (!design) return fail();
  presets = *design;

  candidates.assign(static_cast<size_t>(presets.AutoListSize) + 1, Candidate{});
  AutoClearResults = true;
  v.ParallelUnits = parallelCount();

  CobThermalMix->items = {presets.HardChannelId, presets.MixedChannelId, presets.SoftChannelId,
                          presets.HardChannelId + presets.MixedChannelId,
                          presets.MixedChannelId + presets.SoftChannelId};
  SelectEntry(*CobThermalMix, 0);
  CobThermalMix->enabled = false;

  auto lists = ReadOptionLists(ctx_.dataDir);
  if (!lists) return fail();
  // The wall resistance divides by the plate's conductivity and uses its
  // thickness: a list entry that is not positive would rate nonsense.
  for (const auto* numbers : {&lists->PlateConductivities, &lists->PlateThicknesses})
    for (const std::string& n : *numbers)
      if (!UsablePlateNumber(n)) return fail();
  options = *lists;
  for (int i = 0; i < kOptionLists; ++i) Defdata[static_cast<size_t>(i)]->items = options.list(i);
  for (int i = 0; i < kOptionLists; ++i)
    if (!options.list(i).empty()) pickOption(i, 0);
  if (Condition* cond = condition()) {
    const std::string water = LoadMessage(402);
    if (trimField(cond->cbomedium1->text) == water &&
        (v.MediumStateB == kStateSteam || trimField(cond->cbomedium2->text) == water) &&
        options.GasketMaterials.size() > static_cast<size_t>(kWaterSteamGasketEntry))
      pickOption(kGasketMaterialList, kWaterSteamGasketEntry);
  }

  const Catalogue* models = catalogue.current(ctx_.dataDir);
  if (!models) return fail();
  cbotype->items.clear();
  for (const auto& m : models->listed()) cbotype->items.push_back(m.ModelName);

  recomputeUnitFlows();
  if (Condition* cond = condition()) DesignMargin = static_cast<float>(cond->number(kMargin));
  created_ = true;
}

void DesignWindow::recomputeUnitFlows() {
  VeloxaVar& v = ctx_.var;
  if (v.ParallelUnits == 0) return;
  v.UnitFlowA = v.FlowA / v.ParallelUnits;
  v.UnitFlowB = v.FlowB / v.ParallelUnits;
}

void DesignWindow::onActivate() { activate(); }

void DesignWindow::activate() {
  VeloxaVar& v = ctx_.var;
  if (!v.BalanceDone) {
    ShowMessage(ctx_.host, 568);
    ctx_.windows.showWindow(Condition::kName, false);
  }
  if (v.ConditionsChanged) ClearShownResults();
  recomputeUnitFlows();
  if (Condition* cond = condition()) DesignMargin = static_cast<float>(cond->number(kMargin));
  LVCorrect->visible = v.MediumStateB == kStateAdoptedVapour;
}

void DesignWindow::pickOption(int list, int entry) {
  if (list < 0 || list >= kOptionLists) return;
  Control& box = *Defdata[static_cast<size_t>(list)];
  const auto& items = options.list(list);
  if (entry < 0 || entry >= static_cast<int>(items.size())) return;
  box.listIndex = entry;
  box.text = items[static_cast<size_t>(entry)];
  const std::string& e = box.text;
  GridState& g = PheGrid->grid;
  switch (list) {
    case kPlateMaterialList:
      g.cell(0, 3) = e;
      PlateConductivity = static_cast<float>(Val(OptionEntry(options.PlateConductivities, entry)));
      break;
    case kPlateThicknessList:
      g.cell(1, 3) = Format(Val(e), "0.##");
      PlateThicknessM = static_cast<float>(Val(e) / 1000);
      break;
    case kGasketMaterialList:
      g.cell(2, 3) = e;
      GasketCodeSuffix = "-" + OptionEntry(options.GasketCodes, entry);
      g.cell(3, 3) = OptionEntry(options.GasketTemperatureLimits, entry);
      break;
    case kFramePatternList:
      g.cell(4, 3) = e;
      FramePatternSuffix = "-" + OptionEntry(options.FramePatternCodes, entry);
      break;
    case kFrameMaterialList:
      g.cell(5, 3) = e;
      break;
    case kNozzleMaterialList:
      g.cell(6, 3) = g.cell(7, 3) = e;
      break;
    case kNozzleLocationList:
      g.cell(8, 3) = g.cell(9, 3) = e;
      break;
    case kReservedList:
      g.cell(10, 3) = g.cell(11, 3) = e;
      break;
    case kFlangeStandardList:
      g.cell(12, 3) = e;
      break;
    default:
      break;
  }
  box.visible = false;
  ClearShownResults();
}

void DesignWindow::openRowList() {
  static const int listOfRow[kGridRows] = {kPlateMaterialList,  kPlateThicknessList, kGasketMaterialList, -1,
                                           kFramePatternList,   kFrameMaterialList,  kNozzleMaterialList,
                                           kNozzleMaterialList, kNozzleLocationList, kNozzleLocationList,
                                           kReservedList,       kReservedList,       kFlangeStandardList};
  if (currentRow < 0 || currentRow >= kGridRows) return;
  int list = listOfRow[currentRow];
  if (list < 0) return;
  Defdata[static_cast<size_t>(list)]->visible = true;
  focus = Defdata[static_cast<size_t>(list)]->label();
}

void DesignWindow::selectModel(int index) {
  if (index < 0 || index >= static_cast<int>(cbotype->items.size())) return;
  cbotype->listIndex = index;
  cbotype->text = cbotype->items[static_cast<size_t>(index)];
  ClearShownResults();
  Assign(*txtPass1, "1");
  // The catalogue as the file holds it now: the model editor may have
  // changed it since. A file gone or damaged has no model of that name.
  static const Catalogue kNone;
  const Catalogue* current = catalogue.current(ctx_.dataDir);
  auto loaded = LoadPlateModel(current ? *current : kNone, cbotype->text, ctx_.host, channelKinds);
  if (!loaded) return;
  model = loaded;
  // The thermal-mixing list and the narrow-side options start afresh.
  CobThermalMix->listIndex = 0;
  CobThermalMix->text.clear();
  CobThermalMix->enabled = false;
  narrowInC1->enabled = narrowInC2->enabled = false;
  VeloxaVar& v = ctx_.var;
  if (model->PlateKind == kAsymmetricPlate) {
    SelectEntry(*TabStrip2, 0);
    narrowInC1->enabled = narrowInC2->enabled = true;
    bool bNarrow = v.MediumStateB == kStateSteam || v.MediumStateB == kStateAdoptedVapour || v.UnitFlowA > v.UnitFlowB;
    narrowInC1->checked = !bNarrow;
    narrowInC2->checked = bNarrow;
  }
  if (model->PlateKind == kThermalMixingPlate) {
    CobThermalMix->enabled = true;
    SelectEntry(*CobThermalMix, 0);
  }
  PlateThicknessM = model->PlateThickness / 1000;
  PheGrid->grid.cell(1, 3) = Format(model->PlateThickness, "0.##");
  ClearShownResults();
}

void DesignWindow::setResultState(bool available) {
  if (available) ProduceResult(ctx_.var, ctx_.main);
  else WithdrawResult(ctx_.var, ctx_.main);
}

void DesignWindow::ClearShownResults() {
  if (!AutoClearResults) return;
  if (OtherData* od = otherData()) {
    GridState& g = od->grid().grid;
    for (int r = 7; r <= 14; ++r)
      for (int c = 1; c <= 2; ++c) g.cell(r, c).clear();
    for (int r : {8, 9})
      for (int c : {1, 2}) g.backColor(r, c) = kLightGrey;
    od->notes().text.clear();
  }
  txtwall->text.clear();
  txtarea->text.clear();
  GrossArea->text.clear();
  txtover->text.clear();
  txtover->backColor = kWindowColour;
  setResultState(false);
  windowHeight = 6280;
  candidateFrame->visible = false;
}

}  // namespace vx
