#include "common/option_lists.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/gbk.h"
#include "common/text_file.h"
#include "support/temp_data.h"

namespace vx {
namespace {

// A small file of the 13 lines, written as the settings window writes it.
const std::vector<std::string> kLines = {"1|不锈钢304|钛|",
                                         "1|16.2|21|",
                                         "2|0.5|0.6|",
                                         "3|丁腈橡胶NBR|三元乙丙橡胶EPDM|",
                                         "3|110|150|",
                                         "3|N|E|",
                                         "4|双支撑框架式|",
                                         "4|I|",
                                         "5|Q235B|",
                                         "6|不锈钢304|",
                                         "7|固定压紧板|",
                                         "0|",
                                         "8|HG/T 20592-2009|GB/T 9119-2010|"};

void writeLines(const test::TempDir& tmp, const std::vector<std::string>& lines,
                const std::string& name = "DefData.Dat") {
  ASSERT_TRUE(writeTextLines(tmp.dir() / name, lines));
}

TEST(OptionLines, EntriesAreTheTextsEndedByABar) {
  EXPECT_EQ(SplitOptionLine("1|A|B|"), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(SplitOptionLine("1|").empty());
  EXPECT_EQ(SplitOptionLine("1|A||C|"), (std::vector<std::string>{"A", "", "C"}));
  // Text after the last "|" is not an entry.
  EXPECT_EQ(SplitOptionLine("1|A|B"), (std::vector<std::string>{"A"}));
  EXPECT_TRUE(SplitOptionLine("1|A").empty());
}

TEST(OptionLists, ReadsTheThirteenLinesInOrder) {
  test::TempDir tmp;
  writeLines(tmp, kLines);
  std::string error;
  auto lists = ReadOptionLists(tmp.dir(), &error);
  ASSERT_TRUE(lists) << error;
  EXPECT_EQ(lists->PlateMaterials, (std::vector<std::string>{"不锈钢304", "钛"}));
  EXPECT_EQ(lists->PlateConductivities, (std::vector<std::string>{"16.2", "21"}));
  EXPECT_EQ(lists->PlateThicknesses, (std::vector<std::string>{"0.5", "0.6"}));
  EXPECT_EQ(lists->GasketMaterials[kWaterSteamGasketEntry], "三元乙丙橡胶EPDM");
  EXPECT_EQ(lists->GasketTemperatureLimits[1], "150");
  EXPECT_EQ(lists->GasketCodes[1], "E");
  EXPECT_EQ(lists->FramePatterns, (std::vector<std::string>{"双支撑框架式"}));
  EXPECT_EQ(lists->FramePatternCodes, (std::vector<std::string>{"I"}));
  EXPECT_EQ(lists->FrameMaterials, (std::vector<std::string>{"Q235B"}));
  EXPECT_EQ(lists->NozzleMaterials, (std::vector<std::string>{"不锈钢304"}));
  EXPECT_EQ(lists->NozzleLocations, (std::vector<std::string>{"固定压紧板"}));
  EXPECT_TRUE(lists->Reserved.empty());
  EXPECT_EQ(lists->FlangeStandards, (std::vector<std::string>{"HG/T 20592-2009", "GB/T 9119-2010"}));
  // Defdata(i) is the list of line i + 1.
  EXPECT_EQ(&lists->list(kGasketMaterialList), &lists->GasketMaterials);
  EXPECT_EQ(&lists->list(kFramePatternCodeList), &lists->FramePatternCodes);
  EXPECT_EQ(&lists->list(kReservedList), &lists->Reserved);
  EXPECT_EQ(&lists->list(kFlangeStandardList), &lists->FlangeStandards);
}

TEST(OptionLists, WritesWhatItReadsLineTwelveAlwaysEmpty) {
  test::TempDir tmp;
  writeLines(tmp, kLines);
  auto lists = ReadOptionLists(tmp.dir());
  ASSERT_TRUE(lists);
  lists->Reserved = {"50"};  // never written: line 12 is "0|"
  test::TempDir out;
  ASSERT_TRUE(WriteOptionLists(out.dir(), *lists));
  std::string expected;
  for (const auto& line : kLines) expected += toGbk(line) + "\r\n";
  EXPECT_EQ(*readFileBytes(out.dir() / "DefData.Dat"), expected);
}

TEST(OptionLists, AnEntryCannotSplitItsLine) {
  test::TempDir tmp;
  OptionLists lists;
  lists.FrameMaterials = {"Q235B|Q345R", "a\r\nb"};
  lists.NozzleMaterials = {""};  // an empty entry is kept as "||"
  ASSERT_TRUE(WriteOptionLists(tmp.dir(), lists));
  auto lines = readTextLines(tmp.dir() / "DefData.Dat");
  ASSERT_EQ(lines->size(), 13u);
  EXPECT_EQ((*lines)[8], "5|Q235B｜Q345R|a  b|");
  EXPECT_EQ((*lines)[9], "6||");
  EXPECT_EQ((*lines)[0], "1|");
  auto back = ReadOptionLists(tmp.dir());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->FrameMaterials.size(), 2u);
  EXPECT_EQ(back->NozzleMaterials, (std::vector<std::string>{""}));
}

TEST(OptionLists, TextAfterTheLastBarIsIgnored) {
  test::TempDir tmp;
  auto lines = kLines;
  lines[1] = "1|16.2|21";  // the conductivity of the second material lost its "|"
  writeLines(tmp, lines);
  auto lists = ReadOptionLists(tmp.dir());
  ASSERT_TRUE(lists);
  EXPECT_EQ(lists->PlateConductivities, (std::vector<std::string>{"16.2"}));
  EXPECT_EQ(OptionEntry(lists->PlateConductivities, 1), "");  // as a list box gives it: empty
  // Saving again drops the lost text for good, as the settings window does.
  ASSERT_TRUE(WriteOptionLists(tmp.dir(), *lists));
  EXPECT_EQ((*readTextLines(tmp.dir() / "DefData.Dat"))[1], "1|16.2|");
}

TEST(OptionLists, ReaderIsStrictAboutLinesAndGroupKeys) {
  test::TempDir tmp;
  std::string error;
  EXPECT_FALSE(ReadOptionLists(tmp.dir(), &error));
  EXPECT_NE(error.find("DefData.Dat"), std::string::npos);

  auto shortFile = kLines;
  shortFile.pop_back();
  writeLines(tmp, shortFile);
  EXPECT_FALSE(ReadOptionLists(tmp.dir(), &error));
  EXPECT_NE(error.find("12 lines"), std::string::npos) << error;

  auto swapped = kLines;
  std::swap(swapped[6], swapped[8]);  // a frame material line where the frame patterns stand
  writeLines(tmp, swapped);
  EXPECT_FALSE(ReadOptionLists(tmp.dir(), &error));
  EXPECT_NE(error.find("line 7"), std::string::npos) << error;

  auto noBar = kLines;
  noBar[2] = "2 0.5|0.6|";
  writeLines(tmp, noBar);
  EXPECT_FALSE(ReadOptionLists(tmp.dir(), &error));
  EXPECT_NE(error.find("line 3"), std::string::npos) << error;

  auto noReserved = kLines;
  noReserved.erase(noReserved.begin() + 11);  // flange standards moved up to line 12
  noReserved.push_back("");
  writeLines(tmp, noReserved);
  EXPECT_FALSE(ReadOptionLists(tmp.dir(), &error));
  EXPECT_NE(error.find("line 12"), std::string::npos) << error;

  auto extra = kLines;
  extra.push_back("9|more|");
  writeLines(tmp, extra);
  EXPECT_FALSE(ReadOptionLists(tmp.dir(), &error));
  EXPECT_NE(error.find("line 14"), std::string::npos) << error;

  // Blank lines after the 13 lists are harmless; the name is matched without regard to case.
  auto blanks = kLines;
  blanks.push_back("");
  blanks.push_back("  ");
  std::filesystem::remove(tmp.dir() / "DefData.Dat");
  writeLines(tmp, blanks, "DEFDATA.DAT");
  EXPECT_TRUE(ReadOptionLists(tmp.dir()));
}

TEST(OptionLists, ReservedEntriesAreReadForTheDesignWindow) {
  test::TempDir tmp;
  auto lines = kLines;
  lines[11] = "0|25|";
  writeLines(tmp, lines);
  auto lists = ReadOptionLists(tmp.dir());
  ASSERT_TRUE(lists);
  EXPECT_EQ(lists->Reserved, (std::vector<std::string>{"25"}));
}

TEST(OptionLists, DamagedOrOversizedFilesFail) {
  test::TempDir tmp;
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "DefData.Dat", std::string(2 * 1024 * 1024, '1')));
  EXPECT_FALSE(ReadOptionLists(tmp.dir()));
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "DefData.Dat", std::string("\xff\xfe\x00\x01", 4)));
  EXPECT_FALSE(ReadOptionLists(tmp.dir()));
}

TEST(OptionLists, GroupsArePaddedToTheirLongestLine) {
  OptionLists lists;
  lists.GasketMaterials = {"NBR", "EPDM", "FKM"};
  lists.GasketTemperatureLimits = {"110"};
  lists.GasketCodes = {"N", "E"};
  lists.FramePatterns = {"A"};
  lists.FrameMaterials = {"Q235B", "Q345R"};  // a group of its own: unchanged
  PadOptionGroups(lists);
  EXPECT_EQ(lists.GasketTemperatureLimits, (std::vector<std::string>{"110", "", ""}));
  EXPECT_EQ(lists.GasketCodes, (std::vector<std::string>{"N", "E", ""}));
  EXPECT_EQ(lists.FramePatternCodes, (std::vector<std::string>{""}));
  EXPECT_EQ(lists.FrameMaterials.size(), 2u);
  EXPECT_TRUE(lists.PlateMaterials.empty());
  EXPECT_EQ(OptionEntry(lists.GasketCodes, -1), "");
}

}  // namespace
}  // namespace vx
