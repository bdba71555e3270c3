// The property window driven as a person would, and the hand-over of the
// adopted medium to the conditions window.
#include "properties/property_window.h"

#include <gtest/gtest.h>

#include "common/helpers.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "properties/property_files.h"
#include "support/started_session.h"

namespace vx {
namespace {

class PropertyWindowTest : public ::testing::Test, protected test::StartedSession {
 protected:
  PropertyWindowTest() { cond = session.existingAs<Condition>(Condition::kName); }

  // "选择其他的介质" of circuit A or B.
  PropertyWindow& open(int circuit) {
    Click(cond->controls(), circuit == kCircuitA ? *cond->Command3 : *cond->Command4);
    auto* w = session.existingAs<PropertyWindow>(PropertyWindow::kName);
    EXPECT_NE(w, nullptr);
    return *w;
  }
  void typeCell(PropertyWindow& w, int row, int col, const std::string& keys) {
    ClickCell(*w.MyDataGrid, row, col);
    for (char k : keys) TypeKey(*w.MyDataGrid, k == '\b' ? kBackSpace : k);
  }
  void fillColumn(PropertyWindow& w, int col, const std::array<std::string, 7>& values) {
    for (int r = 1; r <= 7; ++r) SetCell(*w.MyDataGrid, r, col, values[static_cast<size_t>(r - 1)]);
  }
  std::string cell(PropertyWindow& w, int row, int col) { return w.MyDataGrid->grid.cell(row, col); }
  // A medium at 20, 40 and 60 C, saved through the window.
  void saveOil(PropertyWindow& w, const std::string& name) {
    SetText(*w.MassName, name);
    fillColumn(w, 1, {"20", "880", "0", "1.9", "0.0257", "12", "0"});
    fillColumn(w, 2, {"40", "870", "0", "1.95", "0.0255", "8", "0"});
    fillColumn(w, 3, {"60", "860", "0", "2.0", "0.0253", "5.5", "0"});
    Click(w.controls(), *w.Command1);
  }

  Condition* cond = nullptr;
};

TEST_F(PropertyWindowTest, OpensOnTheSelfBuiltViewWithItsGridAndCount) {
  PropertyWindow& w = open(kCircuitA);
  EXPECT_EQ(w.caption, "介质物理性质");
  EXPECT_EQ(w.mode(), PropertyWindow::kSelfView);
  EXPECT_EQ(w.TreeView1->items, (std::vector<std::string>{"自建数据", "常用数据", "基础数据"}));
  EXPECT_TRUE(w.List1->items.empty());
  EXPECT_EQ(w.StatusBar1->text, "当前介质物性库有0 个记录。");
  EXPECT_EQ(cell(w, 0, 1), "下限");
  EXPECT_EQ(cell(w, 0, 5), "单位");
  EXPECT_EQ(cell(w, 6, 0), "粘度");
  EXPECT_EQ(cell(w, 6, 5), "cP");
  EXPECT_EQ(w.MyDataGrid->grid.backColor(1, 4), kSelectedCellYellow);
  EXPECT_EQ(w.DpGrid->grid.cell(9, 0), "临界压力,bar");
  EXPECT_FALSE(w.Command5->enabled);
  EXPECT_TRUE(w.Frame1[0]->visible);
  EXPECT_FALSE(w.Frame1[1]->visible);
}

TEST_F(PropertyWindowTest, SaveInterpolateAndAdoptASelfBuiltMediumForCircuitB) {
  PropertyWindow& w = open(kCircuitB);
  // Kcal/(kg.K) for the specific heat: 1 is stored as 4.187.
  ClickCell(*w.MyDataGrid, 4, 5);
  ASSERT_TRUE(w.GridBTN->visible);
  Click(w.controls(), *w.GridBTN);
  ASSERT_TRUE(w.MyDataBaseUnit[3]->visible);
  Pick(*w.MyDataBaseUnit[3], 1);
  EXPECT_EQ(cell(w, 4, 5), "Kcal/(kg.K)");
  EXPECT_FALSE(w.MyDataBaseUnit[3]->visible);
  SetText(*w.MassName, "Kcal oil");
  fillColumn(w, 1, {"20", "880", "0", "1", "0.1", "12", "0"});
  fillColumn(w, 2, {"40", "870", "0", "1", "0.1", "8", "0"});
  fillColumn(w, 3, {"60", "860", "0", "1", "0.1", "5.5", "0"});
  Click(w.controls(), *w.Command1);
  auto stored = ReadSelfData(data.dir(), 1);
  ASSERT_TRUE(stored.has_value());
  EXPECT_FLOAT_EQ(stored->SpecificHeat[0], 4.187f);

  // A second record; it becomes the selected, loaded one.
  saveOil(w, "Thermal oil");
  EXPECT_EQ(w.List1->items, (std::vector<std::string>{"Kcal oil", "Thermal oil"}));
  EXPECT_EQ(w.List1->listIndex, 1);
  EXPECT_EQ(w.StatusBar1->text, "当前介质物性库有2 个记录。");

  // Adopting before a selected temperature is typed: 572.
  Click(w.controls(), *w.Command3);
  EXPECT_EQ(lastId(), 572);
  // Letters do nothing; "4", "0" recalculate after each key.
  typeCell(w, 1, 4, "x4");
  EXPECT_EQ(cell(w, 1, 4), "4");
  EXPECT_EQ(cell(w, 2, 4), "");  // 4 C lies below the record
  typeCell(w, 1, 4, "0");
  EXPECT_EQ(cell(w, 1, 4), "40");
  EXPECT_EQ(cell(w, 2, 4), "870");
  EXPECT_EQ(cell(w, 6, 4), "8.");
  // Interpolated values are rounded to three decimals: 0.0255 shows 0.026.
  EXPECT_EQ(cell(w, 5, 4), "0.026");

  // Pa.S chosen for the viscosity changes nothing of column 4, which is in
  // the stored units: 8 cP is adopted, not 8000.
  Pick(*w.MyDataBaseUnit[5], 1);
  Click(w.controls(), *w.Command3);
  EXPECT_EQ(session.existing(PropertyWindow::kName), nullptr);  // closed
  const VeloxaVar& v = session.var();
  EXPECT_EQ(v.AdoptedName, FixedText("Thermal oil", 20));
  EXPECT_FLOAT_EQ(v.MediumProp(kViscosity, kCircuitB), 8);
  EXPECT_FLOAT_EQ(v.MediumProp(kDensity, kCircuitB), 870);
  EXPECT_FLOAT_EQ(v.MediumProp(kConductivity, kCircuitB), 0.026f);
  EXPECT_EQ(cond->cbomedium2->text, v.AdoptedName);
  EXPECT_EQ(v.MediumStateB, kStateAdoptedLiquid);
}

TEST_F(PropertyWindowTest, LoadedValuesKeepTheirDigitsAndSingleTemperatureRecordsFillColumn4) {
  PropertyWindow& w = open(kCircuitA);
  saveOil(w, "Oil");
  // One temperature only: column 4 is the record itself.
  SetText(*w.MassName, "Air");
  fillColumn(w, 1, {"25", "1.18", "1.18", "1.005", "0.0257", "0.0184", "0"});
  fillColumn(w, 2, {"25", "1.18", "1.18", "1.005", "0.0257", "0.0184", "0"});
  fillColumn(w, 3, {"25", "1.18", "1.18", "1.005", "0.0257", "0.0184", "0"});
  Click(w.controls(), *w.Command1);
  session.closeWindow(PropertyWindow::kName);

  PropertyWindow& again = open(kCircuitA);
  ASSERT_EQ(again.List1->items.size(), 2u);
  Pick(*again.List1, 0);
  EXPECT_EQ(again.MassName->text, "Oil");
  EXPECT_EQ(cell(again, 5, 1), "0.0257");
  EXPECT_EQ(cell(again, 3, 1), "");  // a zero shows as an empty cell
  EXPECT_EQ(cell(again, 2, 4), "");
  // Saving it unchanged (after the update question) stores the same bytes.
  const auto before = ReadSelfData(data.dir(), 1);
  host.addAnswer("yes");
  Click(again.controls(), *again.Command1);
  EXPECT_EQ(lastId(), 523);
  const auto after = ReadSelfData(data.dir(), 1);
  EXPECT_EQ(writePropertyRecord(*before), writePropertyRecord(*after));

  Pick(*again.List1, 1);
  EXPECT_EQ(cell(again, 1, 4), "25");
  EXPECT_EQ(cell(again, 5, 4), "0.0257");
  EXPECT_EQ(cell(again, 6, 4), "0.0184");
  Click(again.controls(), *again.Command3);
  EXPECT_FLOAT_EQ(session.var().MediumProp(kConductivity, kCircuitA), 0.0257f);
  EXPECT_EQ(trimField(cond->cbomedium1->text), "Air");
}

TEST_F(PropertyWindowTest, DeletingAskesFirstAndRenumbers) {
  PropertyWindow& w = open(kCircuitA);
  saveOil(w, "A1");
  saveOil(w, "A2");
  // No.
  Click(w.controls(), *w.Command2);
  EXPECT_EQ(lastId(), 526);
  EXPECT_EQ(w.List1->items.size(), 2u);
  // Yes, without a selection.
  w.List1->listIndex = -1;
  host.addAnswer("yes");
  Click(w.controls(), *w.Command2);
  EXPECT_EQ(lastId(), 527);
  Pick(*w.List1, 0);
  host.addAnswer("yes");
  Click(w.controls(), *w.Command2);
  EXPECT_EQ(w.List1->items, std::vector<std::string>{"A2"});
  EXPECT_EQ(w.selfRecords(), std::vector<int>{1});
  EXPECT_EQ(w.MassName->text, "");
  EXPECT_EQ(cell(w, 2, 1), "");
  Pick(*w.List1, 0);
  host.addAnswer("yes");
  Click(w.controls(), *w.Command2);
  EXPECT_TRUE(w.List1->items.empty());
  EXPECT_EQ(w.StatusBar1->text, "当前介质物性库有0 个记录。");
}

TEST_F(PropertyWindowTest, TypedEntriesMoveTheirBarsWithinTheirBounds) {
  PropertyWindow& w = open(kCircuitA);
  Pick(*w.TreeView1, 1);
  Pick(*w.List2, 3);  // sodium chloride brine: 0..23 %, -20..40 C
  SetText(*w.Text2[0], "20");
  SetText(*w.Text2[1], "30");
  EXPECT_EQ(w.scroll[0].value, 20);
  EXPECT_EQ(w.Scroll[0]->text, "20");
  EXPECT_EQ(w.scroll[1].value, 30);
  EXPECT_EQ(w.Scroll[1]->text, "30");
  EXPECT_EQ(w.scroll[1].min, -17);  // the typed concentration raised the lowest temperature
  // Beyond the bounds the bar stops at its end and the text stays as typed.
  SetText(*w.Text2[0], "80");
  SetText(*w.Text2[1], "-30");
  EXPECT_EQ(w.scroll[0].value, 23);
  EXPECT_EQ(w.Text2[0]->text, "80");
  EXPECT_EQ(w.scroll[1].value, w.scroll[1].min);
  EXPECT_EQ(w.Text2[1]->text, "-30");
}

TEST_F(PropertyWindowTest, CommonFluidForCircuitAWithItsRangesAndFreezingBound) {
  PropertyWindow& w = open(kCircuitA);
  Pick(*w.TreeView1, 1);
  EXPECT_EQ(w.mode(), PropertyWindow::kCommonView);
  ASSERT_EQ(w.List2->items.size(), 20u);
  EXPECT_EQ(w.StatusBar1->text, "当前介质物性库有20 个记录。");
  EXPECT_FALSE(w.Command1->enabled);

  // Sodium chloride brine (entry 3): 0..23 %, -20..40 C.
  Pick(*w.List2, 3);
  EXPECT_TRUE(w.Scroll[0]->enabled);
  EXPECT_EQ(w.scroll[0].max, 23);
  EXPECT_EQ(w.Label5[1]->text, "23");
  EXPECT_EQ(w.scroll[0].largeStep, 2);
  // Moving the concentration to 20 % raises the lowest temperature to -17.
  SetText(*w.Scroll[0], "20");
  EXPECT_EQ(w.Text2[0]->text, "20");
  EXPECT_EQ(w.scroll[1].min, -17);
  EXPECT_EQ(w.Label5[2]->text, "-17");
  // Typed 5 % and -12 C: frozen brine.
  SetText(*w.Text2[0], "5");
  SetText(*w.Text2[1], "-12");
  Click(w.controls(), *w.Command5);
  EXPECT_EQ(lastId(), 541);
  EXPECT_EQ(w.pdensity->text, "");
  EXPECT_EQ(w.Label5[2]->text, "-3");  // 5 % freezes at -2.90, rounded -3
  // 20 % at 10 C: 1000 (1.006 + 0.00759 x 20 - 0.000513 x 10) = 1152.67.
  SetText(*w.Text2[0], "20");
  SetText(*w.Text2[1], "10");
  Click(w.controls(), *w.Command5);
  EXPECT_EQ(w.pdensity->text, "1152.67");
  EXPECT_FALSE(w.pviscosity->text.empty());

  // Another fluid empties the boxes; an out-of-range temperature leaves them
  // empty, so nothing of the brine can be adopted.
  Pick(*w.List2, 11);  // benzene, 10..70 C, no concentration
  EXPECT_FALSE(w.Scroll[0]->enabled);
  EXPECT_EQ(w.pdensity->text, "");
  SetText(*w.Text2[1], "80");
  Click(w.controls(), *w.Command5);
  EXPECT_EQ(lastId(), 541);
  Click(w.controls(), *w.Command3);
  EXPECT_EQ(lastId(), 539);
  SetText(*w.Text2[1], "20");
  const size_t shown = host.messages().size();
  Click(w.controls(), *w.Command5);
  EXPECT_EQ(host.messages().size(), shown);  // the stale 20 % is not checked
  ASSERT_FALSE(w.pdensity->text.empty());
  const float density = static_cast<float>(Val(w.pdensity->text));
  Click(w.controls(), *w.Command3);
  const VeloxaVar& v = session.var();
  EXPECT_EQ(trimField(v.AdoptedName), "苯");
  EXPECT_FLOAT_EQ(v.MediumProp(kDensity, kCircuitA), density);
  EXPECT_EQ(v.AdoptedLatent, 0);
  EXPECT_EQ(v.AdoptedVapourDensity, 0);
  EXPECT_EQ(trimField(cond->cbomedium1->text), "苯");
}

TEST_F(PropertyWindowTest, TheHandOverHappensOnlyWhenTheWindowCloses) {
  VeloxaVar& v = session.var();
  // A result stands; an earlier adoption is still in the design case.
  v.AdoptedName = FixedText("Old medium", 20);
  v.AdoptedDensity = 900;
  v.AdoptedCp = 2;
  v.AdoptedConductivity = 0.1f;
  v.AdoptedViscosity = 3;
  Click(cond->controls(), *cond->balanceButton);
  ASSERT_TRUE(v.BalanceDone);
  ProduceResult(v, session.main());

  // Opening applies nothing; closing by the title bar applies nothing either.
  PropertyWindow& w = open(kCircuitA);
  EXPECT_EQ(cond->cbomedium1->text, "水");
  EXPECT_TRUE(v.AdoptedName.empty());
  session.closeWindow(PropertyWindow::kName);
  EXPECT_EQ(cond->cbomedium1->text, "水");
  EXPECT_TRUE(v.BalanceDone);
  (void)w;

  // 取消 hands nothing over.
  PropertyWindow& cancel = open(kCircuitA);
  Click(cancel.controls(), *cancel.Command7);
  EXPECT_EQ(session.existing(PropertyWindow::kName), nullptr);
  EXPECT_EQ(cond->cbomedium1->text, "水");

  // An adoption withdraws the balance and the result like an edit.
  PropertyWindow& adopt = open(kCircuitA);
  Pick(*adopt.TreeView1, 1);
  Pick(*adopt.List2, 4);  // ethanol
  SetText(*adopt.Text2[1], "20");
  Click(adopt.controls(), *adopt.Command5);
  Click(adopt.controls(), *adopt.Command3);
  EXPECT_EQ(trimField(cond->cbomedium1->text), "乙醇");
  EXPECT_FALSE(v.BalanceDone);
  EXPECT_TRUE(v.ConditionsChanged);
  EXPECT_FALSE(session.main().toolKey("KeyPrint").enabled);
  EXPECT_FALSE(session.main().toolKey("KeyDesign").enabled);
}

TEST_F(PropertyWindowTest, DataBankComponentsAndEstimates) {
  PropertyWindow& w = open(kCircuitA);
  Pick(*w.TreeView1, 2);
  ASSERT_EQ(w.Combo7->items.size(), 818u);
  EXPECT_EQ(w.StatusBar1->text, "当前介质物性库有818 个记录。");
  EXPECT_FALSE(w.Command3->enabled);
  EXPECT_EQ(w.DpGridMixData->grid.cell(3, 0), "比热容(液)");
  EXPECT_EQ(w.DpGridMixData->grid.cell(8, 2), "bar");

  // Without a name: 537. 50 % then 60 % is refused; 50 % then 50 % is not.
  Click(w.controls(), *w.Command12);
  EXPECT_EQ(lastId(), 537);
  Pick(*w.Combo7, 399);  // benzene, record 400
  SetText(*w.Frication, "50");
  Click(w.controls(), *w.Command12);
  EXPECT_EQ(w.DpGridMix->grid.cell(1, 2), "400");
  Pick(*w.Combo7, 0);  // argon
  SetText(*w.Frication, "60");
  Click(w.controls(), *w.Command12);
  EXPECT_EQ(lastId(), 538);
  SetText(*w.Frication, "50");
  Click(w.controls(), *w.Command12);
  ASSERT_EQ(w.DpGridMix->grid.rows, 3);
  EXPECT_EQ(w.DpGridMix->grid.cell(2, 0), "氩");

  // Clicking benzene shows its data; the estimates follow the temperature.
  ClickCell(*w.DpGridMix, 1, 0);
  EXPECT_TRUE(w.DpGrid->visible);
  EXPECT_EQ(w.DpGrid->grid.cell(2, 1), "Benzene");
  EXPECT_EQ(w.DpGrid->grid.cell(8, 1), "562.05");
  w.DpGridMix->left();
  EXPECT_TRUE(w.DpGridMixData->visible);
  SetText(*w.Text8, "293");
  EXPECT_EQ(w.DpGridMixData->grid.cell(kLiquidCpRow, 1), "1.609");
  EXPECT_EQ(w.Label4[1]->text, "288-562.05");

  // Deleting rows down to the header, then adding again, keeps the header.
  Click(w.controls(), *w.DelRow);
  ClickCell(*w.DpGridMix, 1, 0);
  Click(w.controls(), *w.DelRow);
  EXPECT_EQ(w.DpGridMix->grid.rows, 1);
  SetText(*w.Frication, "100");
  Click(w.controls(), *w.Command12);
  EXPECT_EQ(w.DpGridMix->grid.cell(0, 0), "名称");
  EXPECT_EQ(w.DpGridMix->grid.cell(1, 0), "氩");
}

TEST_F(PropertyWindowTest, TheToolbarKeyOpensTheWindowWithoutAHandOver) {
  Click(session.main().controls(), session.main().toolKey("KeyProperty"));
  auto* w = session.existingAs<PropertyWindow>(PropertyWindow::kName);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(host.events().back(), "show modal property");
  saveOil(*w, "Oil");
  ClickCell(*w->MyDataGrid, 1, 4);
  TypeKey(*w->MyDataGrid, '2');
  TypeKey(*w->MyDataGrid, '0');
  Click(w->controls(), *w->Command3);
  EXPECT_EQ(session.existing(PropertyWindow::kName), nullptr);
  EXPECT_EQ(cond->cbomedium1->text, "水");
  EXPECT_EQ(cond->cbomedium2->text, "水");
}

}  // namespace
}  // namespace vx
