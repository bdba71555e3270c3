#include "tools/heat_index.h"

#include <gtest/gtest.h>

#include "conditions/condition.h"
#include "support/started_session.h"

namespace vx {
namespace {

struct HeatIndexWindow : test::StartedSession {
  HeatIndexWindow() { session.main().runCommand("heatIndex"); }
  Construction& w() { return *session.windowAs<Construction>(Construction::kName); }
  Condition& condition() { return *session.windowAs<Condition>(Condition::kName); }
  bool open() { return session.existing(Construction::kName) != nullptr; }
  void confirm() { Click(w().controls(), *w().controls().find("Command2", 0)); }
};

TEST(HeatIndex, BuildingTypesProposeTheirIndex) {
  HeatIndexWindow h;
  ASSERT_TRUE(h.open());
  EXPECT_EQ(h.w().caption, "建筑供暖热指标");
  ASSERT_EQ(h.w().ContrType->items.size(), 11u);
  EXPECT_EQ(h.w().ContrType->text, "住宅");
  EXPECT_EQ(h.w().Text2->text, "60");
  Pick(*h.w().ContrType, 7);
  EXPECT_EQ(h.w().ContrType->text, "食堂、餐厅");
  EXPECT_EQ(h.w().Text2->text, "125");
  Pick(*h.w().ContrType, 10);
  EXPECT_EQ(h.w().Text2->text, "140");
}

TEST(HeatIndex, WritesTheHeatLoadInTheChosenUnitLikeATypedEdit) {
  HeatIndexWindow h;
  // A balanced case first: the heat load written afterwards withdraws the balance.
  Click(h.condition().controls(), *h.condition().balanceButton);
  ASSERT_TRUE(h.session.var().BalanceDone);
  h.session.var().ConditionsChanged = false;
  Pick(*h.w().ContrType, 7);
  SetText(*h.w().ContrArea, "1000");
  SetChecked(h.w().controls(), *h.w().Check1, true);
  h.confirm();
  // 1000 m2 x 125 W/m2 / 1000 = 125 kW.
  EXPECT_EQ(h.condition().field(kHeatLoad).text, " 125");
  EXPECT_TRUE(h.condition().box(kHeatLoad).checked);
  EXPECT_FALSE(h.session.var().BalanceDone);
  EXPECT_TRUE(h.session.var().ConditionsChanged);
  EXPECT_FALSE(h.open());

  // 125 kW x 860 = 107500 kcal/h.
  h.session.main().runCommand("heatIndex");
  Pick(*h.condition().cboheatloadunit, 1);
  Pick(*h.w().ContrType, 7);
  SetText(*h.w().ContrArea, "1000");
  SetChecked(h.w().controls(), *h.w().Check1, true);
  h.confirm();
  EXPECT_EQ(h.condition().field(kHeatLoad).text, " 107500");
  EXPECT_TRUE(h.host.messages().empty());
}

TEST(HeatIndex, ChecksBeforeItWrites) {
  HeatIndexWindow h;
  const std::string before = h.condition().field(kHeatLoad).text;
  SetChecked(h.w().controls(), *h.w().Check1, true);
  h.confirm();  // no area
  EXPECT_EQ(h.lastId(), 434);
  EXPECT_EQ(h.host.messages().back().icon, Icon::Critical);
  EXPECT_EQ(h.condition().field(kHeatLoad).text, before);
  EXPECT_FALSE(h.condition().box(kHeatLoad).checked);
  EXPECT_TRUE(h.open());

  SetText(*h.w().ContrArea, "100");
  h.condition().cboheatloadunit->listIndex = -1;
  h.confirm();
  EXPECT_EQ(h.lastId(), 433);
  EXPECT_EQ(h.condition().field(kHeatLoad).text, before);
  EXPECT_TRUE(h.open());
}

TEST(HeatIndex, WithoutTheCheckMarkOnlyCloses) {
  HeatIndexWindow h;
  const std::string before = h.condition().field(kHeatLoad).text;
  SetText(*h.w().ContrArea, "1000");
  h.confirm();
  EXPECT_FALSE(h.open());
  EXPECT_EQ(h.condition().field(kHeatLoad).text, before);
  EXPECT_FALSE(h.condition().box(kHeatLoad).checked);
}

}  // namespace
}  // namespace vx
