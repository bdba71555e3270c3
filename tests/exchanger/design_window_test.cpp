// The design window as a person uses it: creation, activation, the structure
// grid and its option lists, and the arrangement rules.
#include "exchanger/design_window.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/script_host.h"
#include "app/session.h"
#include "common/file_io.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "support/started_session.h"
#include "support/temp_data.h"

namespace vx {

namespace {

class DesignWindowTest : public ::testing::Test, protected test::StartedSession {
 protected:
  DesignWindowTest() {
    cond = session.existingAs<Condition>(Condition::kName);
  }

  DesignWindow& open() {
    Click(cond->controls(), *cond->balanceButton);
    Click(cond->controls(), *cond->Command5);
    design = session.existingAs<DesignWindow>(DesignWindow::kName);
    return *design;
  }
  int modelOfKind(short kind) {
    for (size_t i = 0; i < design->catalogue.current(data.dir())->listed().size(); ++i)
      if (design->catalogue.current(data.dir())->listed()[i].PlateKind == kind) return static_cast<int>(i);
    return -1;
  }
  std::string cell(int row) { return design->PheGrid->grid.cell(row, 3); }
  friend class DesignWindowTest_ArrangementRules_Test;

  Condition* cond = nullptr;
  DesignWindow* design = nullptr;
};

}  // namespace

TEST_F(DesignWindowTest, OpensOnlyAfterABalance) {
  Click(cond->controls(), *cond->Command5);
  EXPECT_EQ(lastId(), 427);
  EXPECT_EQ(session.existing(DesignWindow::kName), nullptr);
  DesignWindow& d = open();
  ASSERT_TRUE(d.created());
  EXPECT_TRUE(session.var().DesignWindowOpened);
  EXPECT_EQ(d.caption, "设计计算");
  EXPECT_EQ(d.cbotype->items.size(), d.catalogue.current(data.dir())->listed().size());
  EXPECT_EQ(d.CobThermalMix->items, (std::vector<std::string>{"H", "M", "L", "HM", "ML"}));
  EXPECT_EQ(d.cvdt->text, "0.97");
  EXPECT_EQ(d.candidates.size(), static_cast<size_t>(d.presets.AutoListSize) + 1);
  EXPECT_FLOAT_EQ(session.var().UnitFlowA, session.var().FlowA);
  EXPECT_EQ(d.controls().find("Label8", 8)->text, "裕度%(热负荷)");
  EXPECT_EQ(d.controls().find("Label8", 6)->text, "数量(并联/串联)");
  EXPECT_EQ(d.Command9->toolTip, "自动设计没有考虑特殊的装配以及大小流道的方向。");
}

TEST_F(DesignWindowTest, StructureGridAndPicks) {
  DesignWindow& d = open();
  EXPECT_EQ(d.PheGrid->grid.cell(0, 0), "板片");
  EXPECT_EQ(d.PheGrid->grid.cell(3, 1), "耐温℃");
  EXPECT_EQ(d.PheGrid->grid.cell(7, 2), "回路B");
  // Water on both sides: the second gasket, for water and steam.
  EXPECT_EQ(cell(2), d.options.GasketMaterials[1]);
  EXPECT_EQ(cell(3), d.options.GasketTemperatureLimits[1]);
  EXPECT_EQ(d.GasketCodeSuffix, "-" + d.options.GasketCodes[1]);
  // The third plate material takes the third conductivity.
  d.pickOption(kPlateMaterialList, 2);
  EXPECT_EQ(cell(0), d.options.PlateMaterials[2]);
  EXPECT_FLOAT_EQ(d.PlateConductivity, static_cast<float>(Val(d.options.PlateConductivities[2])));
  d.pickOption(kPlateThicknessList, 1);
  EXPECT_FLOAT_EQ(d.PlateThicknessM, static_cast<float>(Val(d.options.PlateThicknesses[1]) / 1000));
  d.pickOption(kNozzleMaterialList, 1);
  EXPECT_EQ(cell(6), cell(7));
  // The grid button opens the list of the clicked row; row 3 has none.
  SetCell(*d.PheGrid, 4, 3, cell(4));
  Click(d.controls(), *d.GridBTN);
  EXPECT_TRUE(d.Defdata[kFramePatternList]->visible);
  Pick(*d.Defdata[kFramePatternList], 1);
  EXPECT_FALSE(d.Defdata[kFramePatternList]->visible);
  EXPECT_EQ(d.FramePatternSuffix, "-" + d.options.FramePatternCodes[1]);
}

TEST_F(DesignWindowTest, OtherMediaKeepTheFirstGasket) {
  VeloxaVar& v = session.var();
  v.AdoptedName = "乙二醇水溶液";
  v.AdoptedDensity = 1050;
  v.AdoptedCp = 3.5f;
  v.AdoptedConductivity = 0.45f;
  v.AdoptedViscosity = 2.5f;
  cond->adoptForB();
  DesignWindow& d = open();
  EXPECT_EQ(cell(2), d.options.GasketMaterials[0]);
}

TEST_F(DesignWindowTest, ActivationAfterAnEditSendsBackToTheConditions) {
  DesignWindow& d = open();
  ASSERT_TRUE(d.created());
  // Opening the window withdrew any result; an edit of the conditions still
  // invalidates the balance the design would use.
  EXPECT_TRUE(session.var().ConditionsChanged);
  TypeKey(cond->field(kFlowA), '1');
  EXPECT_FALSE(session.var().BalanceDone);
  session.activated(Condition::kName);
  session.activated(DesignWindow::kName);
  EXPECT_EQ(lastId(), 568);
  EXPECT_EQ(session.activeWindow(), Condition::kName);  // the focus goes back to the conditions
}

TEST_F(DesignWindowTest, ArrangementRules) {
  DesignWindow& d = open();
  Pick(*d.cbotype, modelOfKind(kNormalPlate));
  EXPECT_EQ(d.txtPass1->text, "1");
  EXPECT_EQ(cell(1), Format(d.model->PlateThickness, "0.##"));
  SetText(*d.txtplatenb, "21");
  EXPECT_EQ(d.MixC1->text, "10");
  SetText(*d.txtPass1, "2");
  EXPECT_EQ(d.txtPass2->text, "2");  // A's passes are copied to B
  EXPECT_EQ(d.MixC1->text, "5");
  SetText(*d.txtPass2, "1");
  EXPECT_EQ(d.txtPass1->text, "2");  // but not the other way round
  SetText(*d.txtPass1, "9");
  EXPECT_EQ(lastId(), 486);
  EXPECT_EQ(d.txtPass1->text, "1");
  // Typing: digits and Back Space only.
  TypeKey(*d.txtplatenb, '.');
  EXPECT_EQ(d.txtplatenb->text, "21");
  // The assembly form stays normal.
  Pick(*d.TabStrip2, 2);
  EXPECT_EQ(lastId(), 484);
  EXPECT_EQ(d.TabStrip2->listIndex, 0);
  // Parallel units of 0 keep the flows per unit and ask when left.
  const float unitFlow = session.var().UnitFlowA;
  SetText(*d.setnb, "0");
  EXPECT_FLOAT_EQ(session.var().UnitFlowA, unitFlow);
  d.setnb->left();
  EXPECT_EQ(lastId(), 483);
  SetText(*d.setnb, "1e39");  // beyond single precision: no count either
  EXPECT_FLOAT_EQ(session.var().UnitFlowA, unitFlow);
  d.setnb->left();
  EXPECT_EQ(lastId(), 483);
  EXPECT_TRUE(std::isfinite(session.var().ParallelUnits));
  SetText(*d.setnb, "2");
  EXPECT_FLOAT_EQ(session.var().UnitFlowA, session.var().FlowA / 2);
}

TEST_F(DesignWindowTest, ThermalMixingAndAsymmetricModels) {
  DesignWindow& d = open();
  Pick(*d.cbotype, modelOfKind(kThermalMixingPlate));
  EXPECT_TRUE(d.CobThermalMix->enabled);
  SetText(*d.txtplatenb, "41");
  Pick(*d.CobThermalMix, 3);
  EXPECT_TRUE(d.MixC1->enabled);
  EXPECT_EQ(d.MixC1->text, "20");
  EXPECT_EQ(d.MixC2->text, "0");
  SetText(*d.txtPass1, "2");
  EXPECT_EQ(lastId(), 486);
  EXPECT_EQ(d.txtPass1->text, "1");
  SetText(*d.MixC1, "30");  // more than half the plates
  EXPECT_EQ(d.MixC1->text, "20");
  SetText(*d.MixC1, "12");
  EXPECT_EQ(d.MixC2->text, "8");

  // An asymmetric plate puts the larger flow in the narrow channel.
  Pick(*d.cbotype, modelOfKind(kAsymmetricPlate));
  EXPECT_TRUE(d.narrowInC1->enabled);
  EXPECT_FALSE(d.CobThermalMix->enabled);
  const bool aLarger = session.var().UnitFlowA > session.var().UnitFlowB;
  EXPECT_EQ(d.narrowInC2->checked, aLarger);
  // Choosing the other side warns but keeps the choice.
  Control& other = aLarger ? *d.narrowInC1 : *d.narrowInC2;
  Click(d.controls(), other);
  EXPECT_EQ(lastId(), 571);
  EXPECT_TRUE(other.checked);
}

TEST(DesignWindowCreation, AShortOptionFileShows569With102) {
  // A short file, and a full one whose first plate conductivity is not
  // positive (the wall resistance would divide by it).
  std::string zeroConductivity = readFileBytes(test::TempData().file("DefData.Dat")).value_or("");
  const size_t line2 = zeroConductivity.find("\r\n") + 2;
  const size_t first = zeroConductivity.find('|', line2) + 1;
  zeroConductivity.replace(first, zeroConductivity.find('|', first) - first, "0");
  for (const std::string& file : {std::string("1|A|\r\n1|16|\r\n"), zeroConductivity}) {
    test::TempData data;
    data.write("DefData.Dat", file);
    ScriptHost host;
    Session session(host, data.dir());
    ASSERT_TRUE(session.start());
    auto* cond = session.existingAs<Condition>(Condition::kName);
    Click(cond->controls(), *cond->balanceButton);
    Click(cond->controls(), *cond->Command5);
    bool shown = false;
    for (const auto& m : host.messages()) shown |= m.id == 569 && m.text == "程序运行出错，错误代码102。";
    EXPECT_TRUE(shown);
    auto* design = session.existingAs<DesignWindow>(DesignWindow::kName);
    ASSERT_NE(design, nullptr);  // the window stays open with what it has
    EXPECT_FALSE(design->created());
  }
}

}  // namespace vx

#include "exchanger/check_result.h"

namespace vx {

TEST(CheckResultWindow, CaptionsAndValueLabels) {
  test::StartedSession s;
  ASSERT_TRUE(s.started);
  Session& session = s.session;
  auto* w = session.windowAs<CheckResult>(CheckResult::kName);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->caption, "计算结果");
  EXPECT_EQ(w->Label4[0]->text, "用户名称");
  EXPECT_EQ(w->Label4[20]->text, "型号");
  EXPECT_EQ(w->Label4[33]->text, "备注");
  EXPECT_EQ(w->Label2.size(), 43u);
  Control& close = *w->controls().find("Label3");
  EXPECT_EQ(close.text, "退出");
  Click(w->controls(), close);
  EXPECT_EQ(session.existing(CheckResult::kName), nullptr);
}

}  // namespace vx
