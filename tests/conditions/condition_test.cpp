// The conditions window and its heat balance, driven as a person would.
#include "conditions/condition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/script_host.h"
#include "app/session.h"
#include "common/record_file.h"
#include "conditions/other_data.h"
#include "exchanger/design_window.h"
#include "properties/water_steam.h"
#include "support/started_session.h"
#include "support/temp_data.h"

namespace vx {

namespace {

class ConditionTest : public ::testing::Test, protected test::StartedSession {
 protected:
  ConditionTest() {
    cond = session.existingAs<Condition>(Condition::kName);
  }
  void SetUp() override { ASSERT_NE(cond, nullptr); }

  void type(int i, const std::string& text) { SetText(cond->field(i), text); }
  void setBox(int i, bool checked) { SetChecked(cond->controls(), cond->box(i), checked); }
  void balance() { Click(cond->controls(), *cond->balanceButton); }
  std::string text(int i) { return cond->field(i).text; }
  OtherData& grid() { return *session.existingAs<OtherData>(OtherData::kName); }
  float water(float t, int column) {
    auto w = WaterTable(data.dir(), t, true);
    return column == kDensity ? w->density : w->specificHeat;
  }

  Condition* cond = nullptr;
};

}  // namespace

TEST_F(ConditionTest, LoadsTheDefaultsAndThePresets) {
  EXPECT_EQ(cond->caption, "设计条件");
  EXPECT_EQ(text(kFlowA), "60000.0");
  EXPECT_EQ(text(kFlowB), "85100.0");
  EXPECT_EQ(text(kHeatLoad), "");
  EXPECT_EQ(text(kAllowDpA), "50");
  EXPECT_EQ(text(kDesignTemperatureB), "150");
  EXPECT_EQ(cond->field(kFlowA).foreColor, kRed);
  EXPECT_EQ(cond->field(kFlowB).foreColor, kBlue);
  EXPECT_EQ(cond->field(kHeatLoad).foreColor, kBlack);
  EXPECT_FALSE(cond->field(kSteamPressure).enabled);
  EXPECT_EQ(cond->cbomedium2->items, (std::vector<std::string>{"水", "蒸汽"}));
  EXPECT_FLOAT_EQ(session.var().TestPressureFactor, 1.25f);
  EXPECT_FALSE(session.var().BalanceDone);
  EXPECT_TRUE(cond->counterflow[0]->checked);
  EXPECT_EQ(cond->Label9[4]->text, "蒸汽压力");
}

// The default case computes nothing in the first pass; the second gives
// Q = |110 - 90| x 60000 x cpA / 3600 with cpA of water at 100 C (4.2157, so
// about 1405.2 kW) and mB = Q / |80 - 60| / cpB x 3600 with cpB at 70 C
// (4.1900, so about 60370 kg/h).
TEST_F(ConditionTest, DefaultCaseComputesHeatLoadAndFlowB) {
  balance();
  EXPECT_TRUE(host.messages().empty()) << lastText();
  const VeloxaVar& v = session.var();
  ASSERT_TRUE(v.BalanceDone);
  const float cpA = water(100, kSpecificHeat), cpB = water(70, kSpecificHeat);
  const float q = static_cast<float>(std::fabs(110.0 - 90.0) * 60000 * cpA / 3600);
  EXPECT_FLOAT_EQ(v.HeatLoad, q);
  EXPECT_NEAR(v.HeatLoad, 1405.2f, 0.2f);
  EXPECT_FLOAT_EQ(v.FlowB, static_cast<float>(q / std::fabs(80.0 - 60.0) / cpB * 3600));
  EXPECT_NEAR(v.FlowB, 60370, 10);
  EXPECT_EQ(text(kFlowA), "60000.");
  EXPECT_EQ(text(kTinA), "110.");
  EXPECT_EQ(text(kFlowB), Format(v.FlowB, "####.#"));
  EXPECT_EQ(text(kHeatLoad), Format(v.HeatLoad, "#######.#"));
  // Equal terminal differences (30 and 30): the arithmetic mean.
  EXPECT_FLOAT_EQ(v.Lmtd, 30);
  EXPECT_EQ(cond->lbldt->text, "对数平均温差30.℃");
  EXPECT_TRUE(session.main().toolKey("KeyDesign").enabled);
  // Properties of both circuits and their Prandtl numbers.
  EXPECT_FLOAT_EQ(v.MediumProp(kSpecificHeat, kCircuitA), cpA);
  EXPECT_NEAR(v.MediumProp(kPrandtl, kCircuitA), 1.75f, 0.01f);
  EXPECT_EQ(grid().cell(1, 1), Format(v.MediumProp(kDensity, kCircuitA), "0.#"));
  EXPECT_EQ(grid().cell(3, 2), Format(cpB, "0.###"));
  EXPECT_EQ(grid().cell(2, 2), "");
  EXPECT_EQ(grid().cell(6, 2), "");
  // The diagram: axes, then A in red and B in blue.
  ASSERT_EQ(cond->Picture1->picture.lines.size(), 4u);
  EXPECT_EQ(cond->Picture1->picture.lines[2].color, kRed);
  EXPECT_EQ(cond->Picture1->picture.height, -800);
}

TEST_F(ConditionTest, GivenZeroValuesAreRefused) {
  type(kTinB, "0");
  balance();
  EXPECT_EQ(lastId(), 414);
  EXPECT_EQ(lastText(), "回路B 的进口温度无效。");
  EXPECT_FALSE(session.var().BalanceDone);
  // A value that is not given is not checked; -5 C passes the check.
  type(kTinB, "-5");
  type(kToutB, "20");
  type(kFlowB, "0");
  balance();
  EXPECT_NE(lastId(), 413);
  type(kAllowDpB, "0");
  balance();
  EXPECT_EQ(lastId(), 417);
}

// Numbers beyond single precision, negative flows and heat loads get their
// field's message, and the case keeps finite values.
TEST_F(ConditionTest, ValuesBeyondSinglePrecisionAndNegativeDutiesAreRefused) {
  const VeloxaVar& v = session.var();
  const std::vector<std::tuple<int, std::string, int>> cases = {
      {kFlowA, "1e308", 413}, {kFlowA, "-1", 413}, {kTinA, "1e39", 414}, {kToutB, "-1e308", 415},
      {kAllowDpA, "1e308", 417}, {kFoulingB, "1e300", 440}, {kDesignTemperatureA, "1e308", 424}};
  for (const auto& [field, text, id] : cases) {
    const std::string before = cond->field(field).text;
    type(field, text);
    balance();
    EXPECT_EQ(lastId(), id) << field << " " << text;
    EXPECT_FALSE(v.BalanceDone);
    for (float x : {v.FlowA, v.FlowB, v.HeatLoad, v.TinA, v.ToutA, v.TinB, v.ToutB, v.AllowDpA, v.AllowDpB})
      EXPECT_TRUE(std::isfinite(x)) << field << " " << text;
    type(field, before);
  }
  // A flow that fits single precision but whose duty overflows it: the
  // refused balance leaves no infinity in the case.
  type(kFlowA, "1.4e38");
  type(kToutA, "-45");
  balance();
  EXPECT_FALSE(v.BalanceDone);
  for (float x : {v.FlowA, v.FlowB, v.HeatLoad, v.TinA, v.ToutA, v.TinB, v.ToutB, v.Lmtd}) EXPECT_TRUE(std::isfinite(x));
  type(kFlowA, "60000");
  type(kToutA, "90");
  SetChecked(cond->controls(), cond->box(kHeatLoad), true);
  SetChecked(cond->controls(), cond->box(kFlowB), false);
  SetChecked(cond->controls(), cond->box(kToutA), false);
  type(kHeatLoad, "-100");
  balance();
  EXPECT_EQ(lastId(), 416);
}

// The design pressure reaches the designation, the test pressure and the
// papers: typed, pasted or from the presets, it is checked like the other
// numbers.
TEST_F(ConditionTest, TheDesignPressureMustBeAPositiveNumber) {
  const std::string nines(45, '9');
  for (int field : {kDesignPressureA, kDesignPressureB}) {
    for (const std::string& text : {std::string("nan"), std::string("1e308"), nines, std::string("-1"),
                                    std::string(""), std::string("0")}) {
      type(kDesignPressureA, "1.0");
      type(field, text);
      balance();
      EXPECT_FALSE(session.var().BalanceDone) << field << " " << text;
      EXPECT_EQ(lastText(), field == kDesignPressureA ? "回路A 的设计压力无效。" : "回路B 的设计压力无效。")
          << field << " " << text;
    }
  }
  type(kDesignPressureA, "1.6");
  balance();
  EXPECT_TRUE(session.var().BalanceDone) << lastText();
}

TEST_F(ConditionTest, FiveValuesMustBeGiven) {
  setBox(3, true);  // six of seven
  balance();
  EXPECT_EQ(lastId(), 418);
  setBox(3, false);
  setBox(0, false);  // four
  balance();
  EXPECT_EQ(lastId(), 418);
  EXPECT_EQ(lastText(), "必须且仅须五项数据被选中，请重新确认有效数据。");
}

TEST_F(ConditionTest, AGivenHeatLoadNeedsTwoValuesPerCircuit) {
  setBox(kHeatLoad, true);
  type(kHeatLoad, "1000");
  balance();  // all three A boxes checked
  EXPECT_EQ(lastId(), 421);
  EXPECT_EQ(lastText(), "当热负荷被选中时, 回路A 必须且仅须两项数据被选中。");
  setBox(0, false);
  setBox(3, true);  // three of B
  balance();
  EXPECT_EQ(lastText(), "当热负荷被选中时, 回路B 必须且仅须两项数据被选中。");
}

TEST_F(ConditionTest, LiquidBWithEqualTemperaturesAndUnknownFlowGives420) {
  setBox(kHeatLoad, true);
  type(kHeatLoad, "1000");
  setBox(0, false);
  type(kTinB, "70");
  type(kToutB, "70");
  balance();
  EXPECT_EQ(lastId(), 420);
  EXPECT_EQ(lastText(), "回路B 的进出口温度不能相等。");
}

TEST_F(ConditionTest, TemperatureCrossesGiveTheirCodes) {
  type(kTinA, "90");
  type(kToutA, "50");
  type(kTinB, "60");
  type(kToutB, "80");
  balance();
  EXPECT_EQ(lastId(), 570);
  EXPECT_EQ(lastText(), "不合理的数据。错误代码202。");
  Click(cond->controls(), *cond->counterflow[1]);
  balance();
  EXPECT_EQ(lastId(), 423);
  EXPECT_EQ(lastText(), "板式换热器数据有错误，可以修正数据或者重新安装软件。错误代码204。");
  EXPECT_FALSE(session.var().BalanceDone);
  EXPECT_FALSE(session.main().toolKey("KeyDesign").enabled);
}

TEST_F(ConditionTest, EqualTerminalDifferencesGiveTheArithmeticMean) {
  type(kTinA, "90");
  type(kToutA, "70");
  type(kTinB, "50");
  type(kToutB, "70");
  balance();
  ASSERT_TRUE(session.var().BalanceDone) << lastText();
  EXPECT_FLOAT_EQ(session.var().Lmtd, 20);
}

TEST_F(ConditionTest, LogarithmicMeanOfUnequalDifferences) {
  type(kTinA, "110");
  type(kToutA, "70");
  type(kTinB, "50");
  type(kToutB, "60");
  balance();
  ASSERT_TRUE(session.var().BalanceDone) << lastText();
  // d1 = 110 - 60 = 50, d2 = 70 - 50 = 20: (50 - 20) / ln(2.5) = 32.7407.
  EXPECT_NEAR(session.var().Lmtd, 32.7407f, 1e-4f);
  EXPECT_EQ(cond->lbldt->text, "对数平均温差32.74℃");
}

TEST_F(ConditionTest, VolumeFlowsUseTheDensityAtTheMeanTemperature) {
  Pick(*cond->cboflowunit1, 1);
  EXPECT_EQ(cond->cboflowunit2->listIndex, 1);  // B follows A
  type(kFlowA, "60");
  type(kFlowB, "85");
  balance();
  ASSERT_TRUE(session.var().BalanceDone) << lastText();
  const float rho = water(100, kDensity);
  EXPECT_FLOAT_EQ(session.var().FlowA, static_cast<float>(60.0 * rho));
  EXPECT_EQ(text(kFlowA), Format(static_cast<double>(session.var().FlowA) / rho, "####.#"));
  EXPECT_NE(text(kFlowA), Format(session.var().FlowA / 1000.0, "####.#"));
}

TEST_F(ConditionTest, DesignTemperatureBelowTheHighestGives424AfterTheFieldsAreWritten) {
  type(kDesignTemperatureA, "100");
  EXPECT_EQ(text(kDesignTemperatureB), "100");  // A's design temperature is copied to B
  balance();
  EXPECT_EQ(lastId(), 424);
  EXPECT_EQ(text(kFlowA), "60000.");
  EXPECT_NE(text(kHeatLoad), "");
  EXPECT_FALSE(session.var().BalanceDone);
}

TEST_F(ConditionTest, SteamInCircuitB) {
  Pick(*cond->cbomedium2, 1);
  const VeloxaVar& v = session.var();
  EXPECT_EQ(v.MediumStateB, kStateSteam);
  EXPECT_EQ(text(kSteamPressure), "0.3");
  EXPECT_TRUE(cond->field(kSteamPressure).enabled);
  auto steam = SteamTable(data.dir(), 0.3f);
  ASSERT_TRUE(steam);
  EXPECT_EQ(text(kTinB), Format(steam->saturationTemperature, "0.##"));
  EXPECT_EQ(text(kToutB), text(kTinB));
  EXPECT_FLOAT_EQ(cond->SteamTsat, steam->saturationTemperature);
  EXPECT_FLOAT_EQ(v.MediumProp(kLatentHeat, kCircuitB), steam->latentHeat);
  EXPECT_TRUE(cond->box(4).checked);
  EXPECT_TRUE(cond->box(5).checked);
  EXPECT_FALSE(cond->box(3).checked);
  EXPECT_FALSE(cond->box(3).enabled);
  EXPECT_TRUE(cond->Opt2LV[1]->checked);
  EXPECT_FALSE(cond->Opt2LV[1]->enabled);

  // Unchecking an inlet or outlet box of steam is refused.
  SetChecked(cond->controls(), cond->box(4), false);
  EXPECT_EQ(lastId(), 425);
  EXPECT_TRUE(cond->box(4).checked);

  // Heat load given, A heated from 60 to 90 C by condensing steam.
  SetChecked(cond->controls(), cond->box(0), false);
  SetChecked(cond->controls(), cond->box(kHeatLoad), true);
  type(kHeatLoad, "1000");
  type(kTinA, "60");
  type(kToutA, "90");
  balance();
  ASSERT_TRUE(v.BalanceDone) << lastText();
  EXPECT_FLOAT_EQ(v.TinB, v.ToutB);
  EXPECT_FLOAT_EQ(v.FlowB, static_cast<float>(1000.0 * 3600 / v.MediumProp(kLatentHeat, kCircuitB)));
  EXPECT_EQ(grid().cell(6, 2), Format(v.MediumProp(kLatentHeat, kCircuitB), "0.#"));
  EXPECT_NE(grid().cell(2, 2), "");
  // Counter-current steam: d1 = TinA - ToutB, d2 = ToutA - Ts.
  const double d1 = 60.0 - v.ToutB, d2 = 90.0 - cond->SteamTsat;
  EXPECT_NEAR(v.Lmtd, std::fabs((d1 - d2) / std::log(d1 / d2)), 1e-3);
}

TEST_F(ConditionTest, ASteamPressureOutOfTheTableResetsTo03) {
  Pick(*cond->cbomedium2, 1);
  type(kSteamPressure, "99");
  EXPECT_EQ(lastId(), 429);
  EXPECT_EQ(host.messages().back().icon, Icon::Question);
  EXPECT_EQ(text(kSteamPressure), "0.3");
  // Water in B: the lookup does nothing.
  Pick(*cond->cbomedium2, 0);
  size_t shown = host.messages().size();
  cond->field(kSteamPressure).enabled = true;
  type(kSteamPressure, "99");
  EXPECT_EQ(host.messages().size(), shown);
}

TEST(ConditionSteam, ATableThatMissesPoint3AsksOnlyOnce) {
  test::TempData data;
  // A steam table that ends below 0.3 MPa gauge.
  RecordFile f(data.file(kSteamFile), kSteamRecordLength);
  f.setRecord(1, writeSteamRecord({100, 0.1f, 0.6f, 2257}));
  f.setRecord(2, writeSteamRecord({110, 0.15f, 0.8f, 2230}));
  ASSERT_TRUE(f.save());
  ScriptHost host;
  Session session(host, data.dir());
  ASSERT_TRUE(session.start());
  auto* cond = session.existingAs<Condition>(Condition::kName);
  Pick(*cond->cbomedium2, 1);
  int shown429 = 0;
  for (const auto& m : host.messages()) shown429 += m.id == 429;
  EXPECT_EQ(shown429, 1);
  EXPECT_EQ(cond->field(kSteamPressure).text, "0.3");
}

TEST_F(ConditionTest, AdoptedMediaAndTheirPhases) {
  VeloxaVar& v = session.var();
  // The balance of water shows water's properties in the intermediate data;
  // an adopted medium takes them away until its own balance.
  Click(cond->controls(), *cond->balanceButton);
  ASSERT_TRUE(v.BalanceDone);
  auto* od = session.existingAs<OtherData>(OtherData::kName);
  ASSERT_NE(od, nullptr);
  ASSERT_FALSE(od->cell(1, 2).empty());
  v.AdoptedName = "乙二醇水溶液        ";
  v.AdoptedDensity = 1050;
  v.AdoptedCp = 3.5f;
  v.AdoptedConductivity = 0.45f;
  v.AdoptedViscosity = 2.5f;
  v.AdoptedLatent = 0;
  v.AdoptedVapourDensity = 0;
  cond->adoptForB();
  EXPECT_EQ(od->cell(1, 2), "");
  EXPECT_EQ(od->cell(3, 2), "");
  EXPECT_EQ(cond->cbomedium2->text, v.AdoptedName);
  EXPECT_EQ(cond->cbomedium2->listIndex, -1);
  EXPECT_EQ(v.MediumStateB, kStateAdoptedLiquid);
  EXPECT_TRUE(cond->Opt2LV[1]->enabled);
  // Gas without latent heat is refused and the phase returns to liquid.
  Click(cond->controls(), *cond->Opt2LV[1]);
  EXPECT_EQ(lastId(), 428);
  EXPECT_TRUE(cond->Opt2LV[0]->checked);
  EXPECT_EQ(v.MediumStateB, kStateAdoptedLiquid);

  // Circuit A never takes a latent heat or a vapour density.
  v.AdoptedLatent = 300;
  v.AdoptedVapourDensity = 2;
  cond->adoptForA();
  EXPECT_EQ(v.MediumProp(kLatentHeat, kCircuitA), 0);
  EXPECT_FLOAT_EQ(v.MediumProp(kDensity, kCircuitA), 1050);
  EXPECT_TRUE(v.ConditionsChanged);

  // An adopted medium keeps its properties through the balance.
  balance();
  ASSERT_TRUE(v.BalanceDone) << lastText();
  EXPECT_FLOAT_EQ(v.MediumProp(kSpecificHeat, kCircuitA), 3.5f);
}

TEST_F(ConditionTest, AZeroSpecificHeatIsRefusedWithoutInfiniteValues) {
  VeloxaVar& v = session.var();
  v.AdoptedName = "残缺介质";
  v.AdoptedDensity = 900;
  v.AdoptedCp = 0;  // incomplete data
  v.AdoptedConductivity = 0.1f;
  v.AdoptedViscosity = 1;
  cond->adoptForB();
  balance();
  EXPECT_EQ(lastId(), 539);
  EXPECT_FALSE(v.BalanceDone);
  for (float x : {v.FlowA, v.FlowB, v.HeatLoad, v.TinB, v.ToutB}) EXPECT_TRUE(std::isfinite(x));
  EXPECT_EQ(text(kFlowB), "85100.0");  // refused before anything was written back
}

TEST_F(ConditionTest, FieldRules) {
  // Field 7 overwrites field 8; editing 8 afterwards keeps its own value.
  type(kAllowDpA, "70");
  EXPECT_EQ(text(kAllowDpB), "70");
  type(kAllowDpB, "40");
  EXPECT_EQ(text(kAllowDpA), "70");
  // Fouling above 0.00009 shows 430 in the intermediate-data window.
  type(kFoulingA, "0.0001");
  EXPECT_EQ(grid().notes().text, "对于板式换热器而言, 污垢系数太大。");
  type(kFoulingA, "0.00009");
  EXPECT_EQ(grid().notes().text, "");
  // Enter moves on up to field 13 -> 14, and is then swallowed.
  TypeKey(cond->field(13), 13);
  EXPECT_EQ(cond->focus, "TxtInput(14)");
  cond->focus.clear();
  TypeKey(cond->field(14), 13);
  EXPECT_EQ(cond->focus, "");
  EXPECT_EQ(text(14), "150");
  // The key filter lets digits, "-" and "." through, nothing else.
  TypeKey(cond->field(kFlowA), 'x');
  TypeKey(cond->field(kFlowA), '5');
  EXPECT_EQ(text(kFlowA), "60000.05");
  TypeKey(cond->field(kFlowA), 8);
  EXPECT_EQ(text(kFlowA), "60000.0");
  // Medium lists take no typed text.
  TypeKey(*cond->cbomedium1, 'a');
  EXPECT_EQ(cond->cbomedium1->text, "水");
}

TEST_F(ConditionTest, DesignNeedsABalance) {
  Click(cond->controls(), *cond->Command5);
  EXPECT_EQ(lastId(), 427);
  EXPECT_EQ(lastText(), "需要先建立好热平衡，然后再计算。");
}

TEST_F(ConditionTest, TheFirstKeyAfterAResultWithdrawsItOnce) {
  balance();
  ASSERT_TRUE(session.var().BalanceDone);
  ProduceResult(session.var(), session.main());
  grid().cell(9, 1) = "12.5";
  grid().grid().grid.backColor(8, 1) = kYellow;
  TypeKey(cond->field(kFlowA), '1');
  VeloxaVar& v = session.var();
  EXPECT_TRUE(v.ConditionsChanged);
  EXPECT_FALSE(v.BalanceDone);
  EXPECT_FALSE(session.main().menuItem("mnuFilePrint").enabled);
  EXPECT_FALSE(session.main().menuItem("mnuFileSave", 0).enabled);
  EXPECT_FALSE(session.main().toolKey("KeyDesign").enabled);
  EXPECT_EQ(cond->lbldt->text, "");
  EXPECT_EQ(grid().cell(9, 1), "");
  EXPECT_EQ(grid().cell(1, 1), "");
  EXPECT_EQ(grid().grid().grid.backColor(8, 1), kLightGrey);
  // Further keys leave the outputs and the grid alone until the next
  // result, but every edit asks for a new balance.
  balance();
  ASSERT_TRUE(v.BalanceDone);
  grid().cell(9, 1) = "kept";
  TypeKey(cond->field(kFlowA), '2');
  EXPECT_EQ(grid().cell(9, 1), "kept");
  EXPECT_TRUE(v.ConditionsChanged);
  EXPECT_FALSE(v.BalanceDone);
  EXPECT_FALSE(session.main().toolKey("KeyDesign").enabled);
  // Keys that edit nothing keep the balance: Enter moving to the next
  // field, Space on the design button, a refused letter.
  balance();
  TypeKey(cond->field(kFlowA), 13);  // Enter
  TypeKey(*cond->Command5, ' ');
  TypeKey(cond->field(kFlowA), 'x');
  EXPECT_TRUE(v.BalanceDone);
  EXPECT_TRUE(session.main().toolKey("KeyDesign").enabled);
  Click(cond->controls(), *cond->Command5);
  EXPECT_FALSE(shown(427));
  EXPECT_NE(session.existing(DesignWindow::kName), nullptr);
}

TEST(OtherDataGrid, LaidOutByItsFormatText) {
  test::StartedSession s;
  ASSERT_TRUE(s.started);
  Session& session = s.session;
  auto* od = session.existingAs<OtherData>(OtherData::kName);
  ASSERT_NE(od, nullptr);
  EXPECT_EQ(od->caption, "详细数据");
  const GridState& g = od->grid().grid;
  ASSERT_EQ(g.rows, 15);
  ASSERT_EQ(g.cols, 4);
  EXPECT_EQ(g.cell(0, 0), "");
  EXPECT_EQ(g.cell(0, 1), "回路A");
  EXPECT_EQ(g.cell(0, 2), "回路B");
  EXPECT_EQ(g.cell(1, 0), "液态密度");
  EXPECT_EQ(g.cell(3, 0), "比  热  容");
  EXPECT_EQ(g.cell(14, 0), "传热系数");
  EXPECT_EQ(g.cell(3, 3), "kJ/(Kg.K)");
  EXPECT_EQ(g.cell(9, 3), "KPa");
  EXPECT_EQ(od->grid().toolTip, "点击单元并编辑");
  EXPECT_EQ(od->controls().find("Frame1")->text, "提示");
}

TEST(OtherDataGrid, TypedKeysEditTheClickedCell) {
  test::StartedSession s;
  ASSERT_TRUE(s.started);
  Session& session = s.session;
  auto* od = session.existingAs<OtherData>(OtherData::kName);
  Control& grid = od->grid();
  od->cell(12, 1) = "  1.5";
  ASSERT_TRUE(ClickCell(grid, 12, 1));
  TypeKey(grid, '7');  // appended to the trimmed text
  EXPECT_EQ(od->cell(12, 1), "1.57");
  TypeKey(grid, '#');  // not among the accepted characters
  EXPECT_EQ(od->cell(12, 1), "1.57");
  TypeKey(grid, 8);
  EXPECT_EQ(od->cell(12, 1), "1.5");
  od->cell(12, 2) = "水7";  // Backspace takes whole characters, never half of one
  ASSERT_TRUE(ClickCell(grid, 12, 2));
  TypeKey(grid, 8);
  TypeKey(grid, 8);
  EXPECT_EQ(od->cell(12, 2), "");
  ASSERT_TRUE(ClickCell(grid, 12, 1));
  TypeKey(grid, 13);  // Enter moves down a row
  TypeKey(grid, 'k');
  EXPECT_EQ(od->cell(13, 1), "k");
  TypeKey(grid, 13);
  TypeKey(grid, 13);  // the last row stays the current one
  TypeKey(grid, 'x');
  EXPECT_EQ(od->cell(14, 1), "x");
  // A text as wide as its cell widens the column.
  for (int i = 0; i < 12; ++i) TypeKey(grid, '9');
  EXPECT_GT(grid.grid.colWidths[1], 1200);
}

TEST_F(ConditionTest, ABoxOrAnOptionClickedAfterAResultWithdrawsItToo) {
  balance();
  ProduceResult(session.var(), session.main());
  Click(cond->controls(), *cond->counterflow[1]);
  EXPECT_TRUE(session.var().ConditionsChanged);
  EXPECT_FALSE(session.var().BalanceDone);
  EXPECT_FALSE(session.main().menuItem("mnuFilePrint").enabled);
  balance();
  ProduceResult(session.var(), session.main());
  SetChecked(cond->controls(), cond->box(kHeatLoad), true);
  EXPECT_FALSE(session.main().menuItem("OuttoWord").enabled);
  balance();
  ProduceResult(session.var(), session.main());
  Pick(*cond->cboflowunit1, 1);
  EXPECT_FALSE(session.var().BalanceDone);
  EXPECT_EQ(cond->cboflowunit2->listIndex, 1);
}

}  // namespace vx
