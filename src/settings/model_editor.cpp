#include "settings/model_editor.h"

#include <cmath>
#include <limits>

#include "common/file_io.h"
#include "common/helpers.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "settings/catalogue_edit.h"
#include "settings/password_windows.h"

namespace vx {
namespace {

enum Rule { kAny = 0, kNonZero = 1, kPositive = 2, kCount = 3 };
constexpr int kKinds1And2 = 12;

// Rows of a correlation column, top to bottom, as control indexes.
constexpr std::array<int, ModelEditor::kCorrelationRows> kRowIndex = {0, 1, 6, 2, 3, 4, 5};
constexpr std::array<const char*, ModelEditor::kCorrelationRows> kIndexName = {"Nu_c", "Nu_m",   "Eu_c",  "Eu_m",
                                                                               "Re_Min", "Re_Max", "Pr_c"};
constexpr std::array<const char*, 3> kChannelName = {"通道一", "通道二", "通道三"};

// The correlation constant shown in box `index` of a column.
float& corrField(Correlation& c, int index) {
  switch (index) {
    case 0: return c.Nu_c;
    case 1: return c.Nu_m;
    case 2: return c.Eu_c;
    case 3: return c.Eu_m;
    case 4: return c.Re_Min;
    case 5: return c.Re_Max;
    default: return c.Pr_c;
  }
}

bool kindApplies(int needsKind, int kind) {
  if (needsKind < 0) return true;
  if (needsKind == kKinds1And2) return kind == 1 || kind == 2;
  return needsKind == kind;
}

}  // namespace

ModelEditor::ModelEditor(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = LoadMessage(495);
  controls_.add("Frame1", ControlKind::Frame).text = LoadMessage(306);
  DataList = &controls_.add("DataList", ControlKind::ListBox);
  DataList->picked = [this] {
    int i = DataList->listIndex;
    if (i >= 0 && i < static_cast<int>(names_.size())) ShowModel(names_[static_cast<size_t>(i)]);
  };
  controls_.add("LblName", ControlKind::Label).text = LoadMessage(306);
  Text2[0] = &controls_.add("Text2", ControlKind::TextBox, 0);
  controls_.add("LblKind", ControlKind::Label).text = LoadMessage(496);
  Phe_Tag = &controls_.add("Phe_Tag", ControlKind::ComboBox);
  Phe_Tag->items = {LoadMessage(314), LoadMessage(391), LoadMessage(497)};
  Phe_Tag->picked = [this] { Relabel(Phe_Tag->listIndex); };

  // The first port row holds the inlets (`PortIn1`, `PortIn2`), the second the outlets.
  controls_.add("LblPort", ControlKind::Label, 0).text = LoadMessage(279) + LoadMessage(359);
  controls_.add("LblPort", ControlKind::Label, 1).text = LoadMessage(278) + LoadMessage(359);
  for (int i = 0; i < 2; ++i) {
    LblPortCol[static_cast<size_t>(i)] = &controls_.add("LblPortCol", ControlKind::Label, i);
    LblPortCol[static_cast<size_t>(i)]->text = kChannelName[static_cast<size_t>(i)];
  }
  const std::array<std::pair<int, const char*>, 5> plateLabels = {
      {{302, ""}, {208, "m2"}, {380, "mm"}, {217, "m3"}, {404, "kg"}}};
  for (int i = 2; i <= 11; ++i) Text2[static_cast<size_t>(i)] = &controls_.add("Text2", ControlKind::TextBox, i);
  for (int i = 0; i < 5; ++i) {
    controls_.add("LblPlate", ControlKind::Label, i).text = LoadMessage(plateLabels[static_cast<size_t>(i)].first);
    if (*plateLabels[static_cast<size_t>(i)].second)
      controls_.add("LblUnit", ControlKind::Label, i).text = plateLabels[static_cast<size_t>(i)].second;
  }
  controls_.add("LblPlate", ControlKind::Label, 5).text = LoadMessage(403);
  controls_.add("LblUnit", ControlKind::Label, 5).text = "kg";

  controls_.add("Frame2", ControlKind::Frame).text = LoadMessage(270) + LoadMessage(265);
  const std::array<const char*, 3> colCaptions = {"通道一", "通道2", "通道三"};
  for (int c = 0; c < 3; ++c) {
    LblCol[static_cast<size_t>(c)] = &controls_.add("LblCol", ControlKind::Label, c);
    LblCol[static_cast<size_t>(c)]->text = colCaptions[static_cast<size_t>(c)];
  }
  for (int r = 0; r < kCorrelationRows; ++r) {
    Control& row = controls_.add("LblCorr", ControlKind::Label, kRowIndex[static_cast<size_t>(r)]);
    row.text = kIndexName[static_cast<size_t>(kRowIndex[static_cast<size_t>(r)])];
    row.clicked = [this] { ShowPicture(); };
  }
  const std::array<const char*, 3> columnNames = {"Text3", "Text4", "Text5"};
  for (int c = 0; c < 3; ++c)
    for (int i = 0; i < kCorrelationRows; ++i)
      Corr[static_cast<size_t>(c)][static_cast<size_t>(i)] =
          &controls_.add(columnNames[static_cast<size_t>(c)], ControlKind::TextBox, i);
  controls_.add("LblSec", ControlKind::Label, 0).text = LoadMessage(358);
  controls_.add("LblSec", ControlKind::Label, 1).text = LoadMessage(252);
  LblSecCol[0] = &controls_.add("LblSecCol", ControlKind::Label, 0);
  LblSecCol[0]->text = LoadMessage(309);
  LblSecCol[1] = &controls_.add("LblSecCol", ControlKind::Label, 1);
  LblSecCol[1]->text = LoadMessage(405);
  for (int i = 0; i < 2; ++i) {
    Text6[static_cast<size_t>(i)] = &controls_.add("Text6", ControlKind::TextBox, i);
    Text7[static_cast<size_t>(i)] = &controls_.add("Text7", ControlKind::TextBox, i);
  }

  const std::array<std::pair<const char*, int>, 6> buttons = {
      {{"Command2", 354}, {"Command7", 236}, {"Command8", 226}, {"Command6", 277}, {"Command9", 331}, {"Command4", 253}}};
  for (const auto& [name, id] : buttons) controls_.add(name, ControlKind::Button).text = LoadMessage(id);
  controls_.find("Command2")->clicked = [this] { SaveModel(); };
  controls_.find("Command7")->clicked = [this] { DeleteModel(); };
  controls_.find("Command8")->clicked = [this] { ShowPicture(); };
  controls_.find("Command6")->clicked = [this] {
    // The company information window, when this installation has it.
    if (ctx_.windows.window("FrmCoInfor")) ctx_.windows.showWindow("FrmCoInfor", true);
    else ctx_.host.message("公司基本信息的修改在此版本中尚未提供。", Icon::Information, Buttons::Ok, 0);
  };
  controls_.find("Command9")->clicked = [this] { ctx_.windows.showWindow("chpassword", true); };
  controls_.find("Command4")->clicked = [this] { ctx_.windows.closeWindow(kName); };
  Picture1 = &controls_.add("Picture1", ControlKind::Picture);
  Picture1->visible = false;
  Picture1->clicked = [this] { Picture1->visible = false; };

  addFields();
  for (auto& f : fields_) f.box->keyPress = [](int key) { return KeyFilter(key, 2); };
  ListModels("");
}

void ModelEditor::addFields() {
  auto add = [this](Control* box, std::string caption, bool integer, std::string pattern, int rule, int needsKind,
                    std::function<double(const PlateModel&)> get, std::function<void(PlateModel&, double)> set) {
    Field f;
    f.box = box;
    f.caption = std::move(caption);
    f.integer = integer;
    f.pattern = std::move(pattern);
    f.rule = rule;
    f.needsKind = needsKind;
    f.get = std::move(get);
    f.set = std::move(set);
    fields_.push_back(std::move(f));
  };
  auto shortField = [&](int box, std::string caption, short PlateModel::*member) {
    add(Text2[static_cast<size_t>(box)], std::move(caption), true, "", kCount, -1,
        [member](const PlateModel& m) { return m.*member; },
        [member](PlateModel& m, double v) { m.*member = static_cast<short>(v); });
  };
  auto realField = [&](Control* box, std::string caption, std::string pattern, int rule, int needsKind,
                       float PlateModel::*member) {
    add(box, std::move(caption), false, std::move(pattern), rule, needsKind,
        [member](const PlateModel& m) { return m.*member; },
        [member](PlateModel& m, double v) { m.*member = static_cast<float>(v); });
  };
  const std::string inlet = LoadMessage(279) + LoadMessage(359), outlet = LoadMessage(278) + LoadMessage(359);
  shortField(2, std::string(kChannelName[0]) + "的" + inlet, &PlateModel::PortIn1);
  shortField(3, std::string(kChannelName[0]) + "的" + outlet, &PlateModel::PortOut1);
  shortField(4, std::string(kChannelName[1]) + "的" + inlet, &PlateModel::PortIn2);
  shortField(5, std::string(kChannelName[1]) + "的" + outlet, &PlateModel::PortOut2);
  shortField(6, LoadMessage(302), &PlateModel::MaxPlates);
  realField(Text2[7], LoadMessage(208), "0.####", kPositive, -1, &PlateModel::PlateArea);
  realField(Text2[8], LoadMessage(380), "0.####", kPositive, -1, &PlateModel::PlateThickness);
  realField(Text2[9], LoadMessage(217), "", kAny, -1, &PlateModel::ChannelVolume);
  realField(Text2[10], LoadMessage(404), "", kAny, -1, &PlateModel::PlateWeight);
  realField(Text2[11], LoadMessage(403), "", kAny, -1, &PlateModel::FrameWeight);
  for (int c = 0; c < 3; ++c) {
    for (int i = 0; i < kCorrelationRows; ++i) {
      const bool constant = i <= 3;  // Nu_c, Nu_m, Eu_c, Eu_m
      const int needsKind = c == 0 ? -1 : c == 1 ? kKinds1And2 : kThermalMixingPlate;
      add(Corr[static_cast<size_t>(c)][static_cast<size_t>(i)],
          std::string(kChannelName[static_cast<size_t>(c)]) + "的" + kIndexName[static_cast<size_t>(i)], false,
          i <= 3 || i == 6 ? "0.######" : "", constant ? kNonZero : kAny, constant ? needsKind : -1,
          [c, i](const PlateModel& m) {
            Correlation corr = m.channels[static_cast<size_t>(c)];
            return corrField(corr, i);
          },
          [c, i](PlateModel& m, double v) { corrField(m.channels[static_cast<size_t>(c)], i) = static_cast<float>(v); });
    }
  }
  const std::string narrow = LoadMessage(309) + "的", wide = LoadMessage(405) + "的";
  realField(Text6[0], narrow + LoadMessage(358), "0.########", kPositive, -1, &PlateModel::NarrowSection);
  realField(Text6[1], narrow + LoadMessage(252), "0.########", kPositive, -1, &PlateModel::NarrowDiameter);
  realField(Text7[0], wide + LoadMessage(358), "0.########", kPositive, kAsymmetricPlate, &PlateModel::WideSection);
  realField(Text7[1], wide + LoadMessage(252), "0.########", kPositive, kAsymmetricPlate, &PlateModel::WideDiameter);
}

std::string ModelEditor::fieldText(const Field& f, const PlateModel& m) const {
  double v = f.get(m);
  if (f.pattern.empty()) return Str(static_cast<float>(v));
  return Format(v, f.pattern);
}

void ModelEditor::ListModels(const std::string& selectName) {
  names_ = FillModelList(ctx_.dataDir);
  DataList->items.clear();
  for (const auto& n : names_) DataList->items.push_back(trimField(n));
  DataList->listIndex = -1;
  DataList->text.clear();
  int select = -1;
  if (trimField(selectName).empty()) {
    if (!names_.empty()) select = 0;
  } else {
    const std::string key = modelNameField(selectName);
    for (size_t i = 0; i < names_.size() && select < 0; ++i)
      if (names_[i] == key) select = static_cast<int>(i);
  }
  if (select >= 0) SelectEntry(*DataList, select);
  else if (names_.empty()) ShowModel("");
}

void ModelEditor::ShowModel(const std::string& name) {
  PlateModel m;
  bool found = false;
  if (!name.empty()) {
    if (auto catalogue = Catalogue::load(ctx_.dataDir)) {
      if (auto stored = catalogue->find(name)) {
        m = *stored;
        found = true;
      }
    }
  }
  shownModel_ = m;
  shownName_ = found ? m.ModelName : "";
  shownKind_ = m.PlateKind;
  Text2[0]->text = shownName_;
  for (auto& f : fields_) {
    f.shown = fieldText(f, m);
    f.box->text = f.shown;
  }
  int kind = m.PlateKind >= 0 && m.PlateKind <= 2 ? m.PlateKind : -1;
  Phe_Tag->listIndex = kind;
  Phe_Tag->text = kind >= 0 ? Phe_Tag->items[static_cast<size_t>(kind)] : "";
  Relabel(kind);
}

void ModelEditor::Relabel(int kind) {
  auto set = [](const std::array<Control*, 3>& labels, const char* a, const char* b, const char* c) {
    labels[0]->text = a;
    labels[1]->text = b;
    labels[2]->text = c;
  };
  const std::string narrow = LoadMessage(309), wide = LoadMessage(405);
  const std::string circuitA = LoadMessage(221), circuitB = LoadMessage(222);
  if (kind == kAsymmetricPlate) {
    set(LblCol, narrow.c_str(), wide.c_str(), "");
    LblSecCol[0]->text = LblPortCol[0]->text = narrow;
    LblSecCol[1]->text = LblPortCol[1]->text = wide;
  } else if (kind == kThermalMixingPlate) {
    const std::string hard = LoadMessage(270), mixed = LoadMessage(305), soft = LoadMessage(361);
    set(LblCol, hard.c_str(), mixed.c_str(), soft.c_str());
    LblPortCol[0]->text = circuitA;
    LblPortCol[1]->text = circuitB;
    LblSecCol[0]->text.clear();
    LblSecCol[1]->text.clear();
  } else {
    set(LblCol, "", "", "");
    LblPortCol[0]->text = circuitA;
    LblPortCol[1]->text = circuitB;
    LblSecCol[0]->text.clear();
    LblSecCol[1]->text.clear();
  }
}

void ModelEditor::refuse(const std::string& text) { ctx_.host.message(text, Icon::Critical, Buttons::Ok, 0); }

std::optional<PlateModel> ModelEditor::modelFromControls() {
  if (trimField(Text2[0]->text).empty()) {
    refuse("请输入型号。");
    return std::nullopt;
  }
  // A kind the list cannot show (a damaged record) stays as stored.
  const int kind = Phe_Tag->listIndex >= 0 ? Phe_Tag->listIndex : shownKind_;
  PlateModel m = shownModel_;
  m.PlateKind = static_cast<short>(kind);
  m.ModelName = modelNameField(Text2[0]->text);
  for (auto& f : fields_) {
    // A text unchanged since it was shown keeps the stored value: the shown
    // text is rounded, and saving it back would cut the constants.
    const bool unchanged = f.box->text == f.shown;
    double v = unchanged ? f.get(shownModel_) : Val(f.box->text);
    if (f.integer && !unchanged) v = std::nearbyint(v);  // halves to even
    const bool applies = kindApplies(f.needsKind, kind);
    if (!std::isfinite(v) || (!f.integer && std::fabs(v) > std::numeric_limits<float>::max())) {
      refuse("“" + f.caption + "”超出了数值的范围。");
      return std::nullopt;
    }
    if (applies && f.rule != kAny && v == 0) {
      refuse("“" + f.caption + "”不能为0。");
      return std::nullopt;
    }
    if (applies && f.rule == kPositive && v < 0) {
      refuse("“" + f.caption + "”必须大于0。");
      return std::nullopt;
    }
    if (f.rule == kCount && (v < 1 || v > std::numeric_limits<short>::max())) {
      refuse("“" + f.caption + "”必须是1到32767之间的整数。");
      return std::nullopt;
    }
    f.set(m, v);
  }
  return m;
}

void ModelEditor::SaveModel() {
  auto m = modelFromControls();
  if (!m) return;
  CatalogueEdit status;
  auto slot = FindModelSlot(ctx_.dataDir, m->ModelName, &status);
  if (!slot) return ShowCatalogueFailure(ctx_.host, status);
  if (ShowMessage(ctx_.host, slot->exists ? 498 : 499, {}, Icon::None, Buttons::YesNo) != Answer::Yes) return;
  status = SaveModelRecord(ctx_.dataDir, *m);
  if (status != CatalogueEdit::Done) return ShowCatalogueFailure(ctx_.host, status);
  ctx_.host.message(trimField(m->ModelName) + LoadMessage(439), Icon::Information, Buttons::Ok, 439);
  ListModels(m->ModelName);
}

void ModelEditor::DeleteModel() {
  if (ShowMessage(ctx_.host, 526, {}, Icon::None, Buttons::YesNo) != Answer::Yes) return;
  const int i = DataList->listIndex;
  if (i < 0 || i >= static_cast<int>(names_.size())) return;
  CatalogueEdit status = DeleteModelRecord(ctx_.dataDir, names_[static_cast<size_t>(i)]);
  if (status == CatalogueEdit::NotFound) {
    // Another program changed the file since it was listed.
    ListModels("");
    return;
  }
  if (status != CatalogueEdit::Done) return ShowCatalogueFailure(ctx_.host, status);
  ListModels("");
}

void ModelEditor::ShowPicture() {
  auto path = findFileNoCase(ctx_.dataDir, kPictureFile);
  if (!path) return;
  Picture1->text = path->string();
  Picture1->visible = true;
}

}  // namespace vx
