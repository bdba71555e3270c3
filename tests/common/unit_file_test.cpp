#include "common/unit_file.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text_file.h"
#include "support/temp_data.h"

namespace vx {
namespace {

const std::vector<std::string> kTwoCategories = {"长度",
                                                 "米|毫米|英寸|",
                                                 "1|1000|39.3700787|",
                                                 "m|mm|in|",
                                                 "|1 mm = 0.001 m|1 in = 25.4 mm|",
                                                 "温度",
                                                 "摄氏度|华氏度|",
                                                 "1|1|",
                                                 "℃|℉|",
                                                 "|t(℃) = 5/9 × (t(℉) - 32)|"};

TEST(UnitLines, ItemsAreTheTextsEndedByABar) {
  EXPECT_EQ(SplitUnitLine("1|1000|"), (std::vector<std::string>{"1", "1000"}));
  EXPECT_EQ(SplitUnitLine("|a||"), (std::vector<std::string>{"", "a", ""}));
  EXPECT_EQ(SplitUnitLine("1|1000"), (std::vector<std::string>{"1"}));  // the last item lost its "|"
  EXPECT_TRUE(SplitUnitLine("").empty());
}

TEST(UnitFile, ReadsFiveLinesPerCategory) {
  test::TempDir tmp;
  ASSERT_TRUE(writeTextLines(tmp.dir() / "Unit.Dat", kTwoCategories));
  auto file = ReadUnitFile(tmp.dir());
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->problems.empty());
  ASSERT_EQ(file->categories.size(), 2u);
  const UnitCategory& length = file->categories[0];
  EXPECT_EQ(length.name, "长度");
  EXPECT_EQ(length.line, 1);
  EXPECT_EQ(length.units, (std::vector<std::string>{"米", "毫米", "英寸"}));
  EXPECT_DOUBLE_EQ(length.factor(1), 1000.0);
  EXPECT_EQ(length.text(2), "in");
  EXPECT_EQ(length.note(0), "");
  EXPECT_EQ(length.note(2), "1 in = 25.4 mm");
  // Past the end of a line: factor 0, empty texts.
  EXPECT_EQ(length.factor(3), 0.0);
  EXPECT_EQ(length.text(-1), "");
  // 1 in to mm: 1 / 39.3700787 x 1000 = 25.4 (1 in = 25.4 mm exactly).
  EXPECT_NEAR(1.0 / length.factor(2) * length.factor(1), 25.4, 1e-6);

  const UnitCategory* t = file->find("温度");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->line, 6);
  EXPECT_TRUE(IsSpecialUnitCategory(t->name));
  EXPECT_EQ(file->find("压力"), nullptr);
}

TEST(UnitFile, ALineWithoutItsFinalBarLosesItsLastFactor) {
  test::TempDir tmp;
  ASSERT_TRUE(writeTextLines(tmp.dir() / "unit.dat", {"质量", "kg|g|", "1|1000", "kg|g|", "||"}));
  auto file = ReadUnitFile(tmp.dir());  // found without regard to case
  ASSERT_TRUE(file);
  const UnitCategory& c = file->categories.at(0);
  EXPECT_EQ(c.units.size(), 2u);
  EXPECT_DOUBLE_EQ(c.factor(0), 1.0);
  EXPECT_EQ(c.factor(1), 0.0);
  // With "1|1000|" the value 1 from the first to the second unit is 1000.
  ASSERT_TRUE(writeTextLines(tmp.dir() / "unit.dat", {"质量", "kg|g|", "1|1000|", "kg|g|", "||"}));
  file = ReadUnitFile(tmp.dir());
  EXPECT_DOUBLE_EQ(1.0 / file->categories[0].factor(0) * file->categories[0].factor(1), 1000.0);
}

TEST(UnitFile, EmptyOrNonNumericFactorsReadAsZero) {
  test::TempDir tmp;
  ASSERT_TRUE(writeTextLines(tmp.dir() / "Unit.Dat", {"x", "a|b|c|", "|abc|2.5 kg|", "|||", "|||"}));
  auto file = ReadUnitFile(tmp.dir());
  ASSERT_TRUE(file);
  const UnitCategory& c = file->categories.at(0);
  EXPECT_EQ(c.factor(0), 0.0);
  EXPECT_EQ(c.factor(1), 0.0);
  EXPECT_DOUBLE_EQ(c.factor(2), 2.5);  // the leading number of the item
}

TEST(UnitFile, AFileEndingInsideAGroupKeepsTheWholeGroups) {
  test::TempDir tmp;
  auto lines = kTwoCategories;
  lines.resize(8);  // the second category lost its last two lines
  ASSERT_TRUE(writeTextLines(tmp.dir() / "Unit.Dat", lines));
  auto file = ReadUnitFile(tmp.dir());
  ASSERT_TRUE(file);
  ASSERT_EQ(file->categories.size(), 1u);
  EXPECT_EQ(file->categories[0].name, "长度");
  ASSERT_EQ(file->problems.size(), 1u);
  EXPECT_NE(file->problems[0].find("Unit.Dat:6:"), std::string::npos) << file->problems[0];
  EXPECT_NE(file->problems[0].find("温度"), std::string::npos);

  // Blank lines at the end are not a group.
  lines = kTwoCategories;
  lines.push_back("");
  lines.push_back(" ");
  ASSERT_TRUE(writeTextLines(tmp.dir() / "Unit.Dat", lines));
  file = ReadUnitFile(tmp.dir());
  EXPECT_EQ(file->categories.size(), 2u);
  EXPECT_TRUE(file->problems.empty());
}

TEST(UnitFile, UnitsPastTheTwentyFirstAreLeftOut) {
  std::string names, factors;
  for (int i = 1; i <= 23; ++i) {
    names += "u" + std::to_string(i) + "|";
    factors += std::to_string(i) + "|";
  }
  UnitFile file = ParseUnitLines({"many", names, factors, "|", "|"});
  ASSERT_EQ(file.categories.size(), 1u);
  EXPECT_EQ(file.categories[0].units.size(), 21u);
  EXPECT_EQ(file.categories[0].units.back(), "u21");
  EXPECT_EQ(file.categories[0].factor(20), 21.0);
  EXPECT_EQ(file.categories[0].factor(21), 0.0);
  ASSERT_EQ(file.problems.size(), 2u);  // the unit line and the factor line
  EXPECT_NE(file.problems[0].find("Unit.Dat:2:"), std::string::npos);
}

TEST(UnitFile, MissingOrOversizedFilesFail) {
  test::TempDir tmp;
  EXPECT_FALSE(ReadUnitFile(tmp.dir()));
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "Unit.Dat", std::string(5 * 1024 * 1024, '|')));
  EXPECT_FALSE(ReadUnitFile(tmp.dir()));
  // An empty file has no categories and nothing wrong.
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "Unit.Dat", ""));
  auto file = ReadUnitFile(tmp.dir());
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->categories.empty());
  EXPECT_TRUE(file->problems.empty());
}

TEST(UnitFile, TheThreeSpecialCategoriesAreKnownByTheirExactNames) {
  EXPECT_TRUE(IsSpecialUnitCategory("温度"));
  EXPECT_TRUE(IsSpecialUnitCategory("运动粘度-恩氏粘度"));
  EXPECT_TRUE(IsSpecialUnitCategory("比重(60°/60℉)-波美度"));
  EXPECT_FALSE(IsSpecialUnitCategory("温度 "));
  EXPECT_FALSE(IsSpecialUnitCategory("运动粘度"));
  EXPECT_FALSE(IsSpecialUnitCategory("比重(60°/60°F)-波美度"));
}

}  // namespace
}  // namespace vx
