#include "tools/unit_convert.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/number_text.h"
#include "support/started_session.h"

namespace vx {
namespace {

UnitCategory category(const std::string& name, std::vector<double> factors = {1, 1}) {
  UnitCategory c;
  c.name = name;
  c.units = {"a", "b"};
  c.factors = std::move(factors);
  return c;
}

std::string converted(const UnitCategory& c, int i, int j, double x) {
  UnitConversion r = ConvertUnits(c, i, j, x);
  return r.outcome == UnitConversion::Value ? UnitResultText(r.value) : "";
}

TEST(UnitConversion, SpecialCategoriesUseTheirFormulas) {
  UnitCategory t = category(kTemperatureCategory);
  EXPECT_EQ(converted(t, 0, 1, 100), "212.");
  EXPECT_EQ(converted(t, 1, 0, 212), "100.");
  EXPECT_EQ(converted(t, 0, 1, -40), "-40.");
  EXPECT_EQ(converted(t, 1, 0, -40), "-40.");
  EXPECT_EQ(converted(t, 1, 1, 7.5), "7.5");
  // In single precision 9/5 x 37 + 32 shows 98.599998.
  EXPECT_EQ(converted(t, 0, 1, 37), "98.6");

  // 10 x 0.135 = 1.35; 2 x 7.41 = 14.82, both rounded to three decimals.
  UnitCategory e = category(kEnglerCategory);
  EXPECT_EQ(converted(e, 0, 1, 10), "1.35");
  EXPECT_EQ(converted(e, 1, 0, 2), "14.82");
  EXPECT_EQ(converted(e, 0, 1, 1.2345), "0.167");  // 0.1666575 rounds up

  // 140 / 0.8 - 130 = 45; 145 - 145 / 1.45 = 45; 140 / 1 - 130 = 10.
  UnitCategory b = category(kBaumeCategory);
  EXPECT_EQ(converted(b, 0, 1, 0.8), "45.");
  EXPECT_EQ(converted(b, 0, 1, 1.45), "45.");
  EXPECT_EQ(converted(b, 0, 1, 1.0), "10.");
  EXPECT_EQ(ConvertUnits(b, 0, 1, 0.5).outcome, UnitConversion::GravityOutOfRange);
  EXPECT_EQ(ConvertUnits(b, 0, 1, 2.5).outcome, UnitConversion::GravityOutOfRange);
  EXPECT_EQ(ConvertUnits(b, 1, 0, 45).outcome, UnitConversion::BaumeNotOffered);
}

TEST(UnitConversion, OrdinaryCategoriesUseTheFactorsAndNeverDivideByZero) {
  UnitCategory c = category("长度");
  c.factors.clear();
  for (const auto& item : SplitUnitLine("1|1000|")) c.factors.push_back(Val(item));
  EXPECT_EQ(converted(c, 0, 1, 1), "1000.");
  EXPECT_EQ(converted(c, 1, 0, 1), "0.001");
  EXPECT_EQ(converted(c, 0, 1, 0), "0.");
  // A line without its final "|" loses the last factor: nothing to show, not infinity.
  c.factors.clear();
  for (const auto& item : SplitUnitLine("1|1000")) c.factors.push_back(Val(item));
  EXPECT_EQ(ConvertUnits(c, 1, 0, 1).outcome, UnitConversion::Nothing);
  EXPECT_EQ(ConvertUnits(c, 0, 1, 1).outcome, UnitConversion::Nothing);
}

TEST(UnitConversion, LargeAndSmallResultsInExponentForm) {
  EXPECT_EQ(UnitResultText(654321), "6.54321E+05");
  EXPECT_EQ(UnitResultText(10000), "10000.");
  EXPECT_EQ(UnitResultText(0.00005), "5.00000E-05");
  EXPECT_EQ(UnitResultText(0.0001), "0.0001");
  EXPECT_EQ(UnitResultText(1.5e23), "1.50000E+23");
  EXPECT_EQ(UnitResultText(-654321), "-654321.");
}

struct UnitWindow : test::StartedSession {
  Unit& unit() { return *session.windowAs<Unit>(Unit::kName); }
  void category(const std::string& name) {
    auto& items = unit().Combo1->items;
    auto it = std::find(items.begin(), items.end(), name);
    ASSERT_NE(it, items.end()) << name;
    ASSERT_TRUE(Pick(*unit().Combo1, static_cast<int>(it - items.begin())));
  }
};

TEST(UnitWindow, OrdinaryCategoryConvertsWhenAUnitIsChosen) {
  UnitWindow w;
  w.session.main().runCommand("unitConversion");
  Unit& u = w.unit();
  EXPECT_EQ(u.caption, "UnitConvert");
  EXPECT_EQ(u.Combo1->text, "长度");
  EXPECT_EQ(u.Text1[1]->text, "1.");  // 1 m in m, converted at once
  w.category("压力");
  ASSERT_TRUE(Pick(*u.List1[1], 11));  // psi; 1 MPa = 145.037738 psi by the file's factor
  EXPECT_EQ(u.Text1[1]->text, "145.037738");
  EXPECT_EQ(u.Label1[1]->text, "磅力/平方英寸");
  EXPECT_EQ(u.Label2[1]->text, "psi");
  EXPECT_EQ(u.Label4->text, "1 psi = 6.89476 kPa");
  // A key clears the result; choosing a unit converts again, an empty field as 0.
  SetText(*u.Text1[0], "");
  TypeKey(*u.Text1[0], 8);
  EXPECT_EQ(u.Text1[1]->text, "");
  ASSERT_TRUE(Pick(*u.List1[0], 2));
  EXPECT_EQ(u.Text1[1]->text, "0.");
  EXPECT_TRUE(w.host.messages().empty());
}

TEST(UnitWindow, SpecialCategoryConvertsOnEnter) {
  UnitWindow w;
  w.category("温度");
  Unit& u = w.unit();
  EXPECT_EQ(u.Text1[0]->text, "");
  SetText(*u.Text1[0], "100");
  ASSERT_TRUE(Pick(*u.List1[1], 1));
  EXPECT_EQ(u.Text1[1]->text, "");  // waits for Enter
  TypeKey(*u.Text1[0], 13);
  EXPECT_EQ(u.Text1[1]->text, "212.");
  EXPECT_EQ(u.Text1[0]->text, "100");

  w.category("比重(60°/60℉)-波美度");
  ASSERT_TRUE(Pick(*u.List1[0], 1));  // Baumé degrees cannot be converted from
  EXPECT_EQ(u.List1[0]->listIndex, 0);
  EXPECT_EQ(u.Label1[0]->text, "比重(60℉/60℉)");
  ASSERT_TRUE(Pick(*u.List1[1], 1));
  SetText(*u.Text1[0], "0.5");
  TypeKey(*u.Text1[0], 13);
  EXPECT_EQ(u.Text1[1]->text, "");
  ASSERT_EQ(w.host.messages().size(), 1u);
  EXPECT_EQ(w.host.messages()[0].text, "比重的范围0.6-2.0");
  EXPECT_EQ(w.host.messages()[0].icon, Icon::None);
  SetText(*u.Text1[0], "0.8");
  TypeKey(*u.Text1[0], 13);
  EXPECT_EQ(u.Text1[1]->text, "45.");
}

TEST(UnitWindow, MissingFileIsReportedAndLeavesAnEmptyWindow) {
  UnitWindow w;
  w.data.remove("Unit.Dat");
  EXPECT_TRUE(w.unit().Combo1->items.empty());
  EXPECT_EQ(w.lastId(), 531);
}

}  // namespace
}  // namespace vx
