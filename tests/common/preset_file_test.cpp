#include "common/preset_file.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/gbk.h"
#include "support/temp_data.h"

namespace vx {
namespace {

// The 14 default values, one quoted value a line with CR LF: what the
// command "默认值" followed by a save writes.
const std::string kDefaultFile =
    "\"5\"\r\n\"5\"\r\n\"4.5\"\r\n\"80\"\r\n\"8\"\r\n\"H\"\r\n\"M\"\r\n\"L\"\r\n"
    "\"1.0\"\r\n\"1.25\"\r\n\"150\"\r\n\"0.0\"\r\n\"50\"\r\n\"50\"\r\n";

void writeFile(const test::TempDir& tmp, const std::string& name, const std::string& bytes) {
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / name, bytes));
}

TEST(PresetFile, DefaultsAreTheValuesOfTheDefaultCommand) {
  PresetParameters d = DefaultPresetParameters();
  EXPECT_EQ(d.MaxParallelUnits, "5");
  EXPECT_EQ(d.MaxPasses, "5");
  EXPECT_EQ(d.MaxNozzleVelocityLiquid, "4.5");
  EXPECT_EQ(d.MaxNozzleVelocityGas, "80");
  EXPECT_EQ(d.AutoListSize, "8");
  EXPECT_EQ(d.HardChannelId, "H");
  EXPECT_EQ(d.MixedChannelId, "M");
  EXPECT_EQ(d.SoftChannelId, "L");
  EXPECT_EQ(d.DesignPressure, "1.0");
  EXPECT_EQ(d.TestPressureFactor, "1.25");
  EXPECT_EQ(d.DesignTemperature, "150");
  EXPECT_EQ(d.Margin, "0.0");
  EXPECT_EQ(d.AllowedPressureDropA, "50");
  EXPECT_EQ(d.AllowedPressureDropB, "50");
  EXPECT_EQ(CheckPresetParameters(d), 0);
  // Line k is the field the table names for it.
  EXPECT_EQ(&PresetLine(d, 1), &d.MaxParallelUnits);
  EXPECT_EQ(&PresetLine(d, 6), &d.HardChannelId);
  EXPECT_EQ(&PresetLine(d, 14), &d.AllowedPressureDropB);
}

TEST(PresetFile, WritesQuotedLinesAndReadsThemBack) {
  test::TempDir tmp;
  ASSERT_TRUE(WritePresetFile(tmp.dir(), DefaultPresetParameters()));
  EXPECT_EQ(*readFileBytes(tmp.dir() / "Preset.dat"), kDefaultFile);

  PresetParameters p = DefaultPresetParameters();
  p.HardChannelId = "硬";  // GBK on disk, UTF-8 in memory
  p.Margin = " 5 ";        // saved as typed, blanks kept
  p.DesignPressure = "";   // lines 9 to 14 are saved even when empty
  ASSERT_TRUE(WritePresetFile(tmp.dir(), p));
  std::string bytes = *readFileBytes(tmp.dir() / "Preset.dat");
  EXPECT_NE(bytes.find("\"" + toGbk("硬") + "\"\r\n"), std::string::npos);
  auto back = ReadPresetFile(tmp.dir());
  ASSERT_TRUE(back);
  for (int k = 1; k <= kPresetLineCount; ++k) EXPECT_EQ(PresetLine(*back, k), PresetLine(p, k)) << "line " << k;
}

TEST(PresetFile, QuotesAndLineBreaksCannotBreakTheLines) {
  test::TempDir tmp;
  PresetParameters p = DefaultPresetParameters();
  p.DesignTemperature = "1\"50";
  p.Margin = "1\r\n2";
  ASSERT_TRUE(WritePresetFile(tmp.dir(), p));
  auto back = ReadPresetFile(tmp.dir());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->DesignTemperature, "1'50");
  EXPECT_EQ(back->Margin, "1  2");
  EXPECT_EQ(back->AllowedPressureDropA, "50");  // the later lines stay in place
  EXPECT_EQ(back->AllowedPressureDropB, "50");
}

TEST(PresetFile, ReaderFailsOnMissingOrShortFiles) {
  test::TempDir tmp;
  EXPECT_FALSE(ReadPresetFile(tmp.dir()));
  // 13 lines: the last one is missing.
  writeFile(tmp, "Preset.dat", kDefaultFile.substr(0, kDefaultFile.size() - 6));
  EXPECT_FALSE(ReadPresetFile(tmp.dir()));
  writeFile(tmp, "Preset.dat", "");
  EXPECT_FALSE(ReadPresetFile(tmp.dir()));
  // Far too large to be a preset file.
  writeFile(tmp, "Preset.dat", std::string(200 * 1024, 'x'));
  EXPECT_FALSE(ReadPresetFile(tmp.dir()));
}

TEST(PresetFile, ReaderTakesTheTextBetweenTheQuotes) {
  test::TempDir tmp;
  // Found without regard to case; LF ends, an unquoted line, an unclosed
  // quote, text after the closing quote, and a 15th line are all read sanely.
  writeFile(tmp, "PRESET.DAT",
            "\"6\"\n  7  \n\"4.5\"\n\"80\n\"8\" junk\n\" H \"\n\"M\"\n\"L\"\n\"1.6\"\n\"1.25\"\n\"120\"\n\"10\"\n"
            "\"40\"\n\"30\"\n\"extra\"\n");
  auto p = ReadPresetFile(tmp.dir());
  ASSERT_TRUE(p);
  EXPECT_EQ(p->MaxParallelUnits, "6");
  EXPECT_EQ(p->MaxPasses, "7");
  EXPECT_EQ(p->MaxNozzleVelocityGas, "80");
  EXPECT_EQ(p->AutoListSize, "8");
  EXPECT_EQ(p->HardChannelId, " H ");  // blanks inside the quotes belong to the value
  EXPECT_EQ(p->DesignPressure, "1.6");
  EXPECT_EQ(p->AllowedPressureDropA, "40");
  EXPECT_EQ(p->AllowedPressureDropB, "30");
}

TEST(PresetFile, WriteFailureLeavesTheOldFile) {
  test::TempDir tmp;
  EXPECT_FALSE(WritePresetFile(tmp.dir() / "no such folder", DefaultPresetParameters()));
  EXPECT_FALSE(std::filesystem::exists(tmp.dir() / "no such folder"));
}

TEST(PresetCheck, NumbersOfLinesOneToFiveMustLieInTheirRanges) {
  PresetParameters p = DefaultPresetParameters();
  p.MaxPasses = "10.5";  // above 10
  EXPECT_EQ(CheckPresetParameters(p), 440);
  p.MaxPasses = "10";
  EXPECT_EQ(CheckPresetParameters(p), 0);
  p.MaxPasses = "1";
  EXPECT_EQ(CheckPresetParameters(p), 0);
  p.MaxPasses = "abc";  // no number counts as 0
  EXPECT_EQ(CheckPresetParameters(p), 440);

  p = DefaultPresetParameters();
  p.MaxNozzleVelocityLiquid = "6.01";
  EXPECT_EQ(CheckPresetParameters(p), 440);
  p.MaxNozzleVelocityLiquid = "6";
  p.MaxNozzleVelocityGas = "100";
  EXPECT_EQ(CheckPresetParameters(p), 0);
  p.MaxNozzleVelocityGas = "0.9";
  EXPECT_EQ(CheckPresetParameters(p), 440);
  p = DefaultPresetParameters();
  p.AutoListSize = "11";
  EXPECT_EQ(CheckPresetParameters(p), 440);
  p = DefaultPresetParameters();
  p.MaxParallelUnits = "0";
  EXPECT_EQ(CheckPresetParameters(p), 440);
}

TEST(PresetCheck, IdentifiersHaveOneOrTwoCharactersAfterTrimming) {
  PresetParameters p = DefaultPresetParameters();
  for (std::string id : {"H", "HH", " H ", "软硬"}) {
    p.SoftChannelId = id;
    EXPECT_EQ(CheckPresetParameters(p), 0) << id;
  }
  p.SoftChannelId = "HHH";  // the soft identifier on line 8 is checked too
  EXPECT_EQ(CheckPresetParameters(p), 442);
  p.SoftChannelId = "   ";
  EXPECT_EQ(CheckPresetParameters(p), 441);
  // The identifiers are checked in order hard, mixed, soft.
  p = DefaultPresetParameters();
  p.HardChannelId = "HHH";
  p.MixedChannelId = "";
  EXPECT_EQ(CheckPresetParameters(p), 442);
  // Ranges come before identifiers.
  p.MaxPasses = "0";
  EXPECT_EQ(CheckPresetParameters(p), 440);
}

// Only the design pressure of lines 9 to 14 is checked: it goes into every
// designation and test pressure.
TEST(PresetCheck, LinesTenToFourteenAreNotChecked) {
  PresetParameters p = DefaultPresetParameters();
  for (const char* pressure : {"", "-1", "nan", "1e39"}) {
    p.DesignPressure = pressure;
    EXPECT_EQ(CheckPresetParameters(p), 440) << pressure;
  }
  p.DesignPressure = "0.6";
  p.TestPressureFactor = "abc";
  p.DesignTemperature = "-";
  p.Margin = "x";
  p.AllowedPressureDropA = "";
  p.AllowedPressureDropB = "?";
  EXPECT_EQ(CheckPresetParameters(p), 0);
}

TEST(DesignPresets, LinesOneToEightAsTheDesignWindowHoldsThem) {
  auto d = DesignPresetsOf(DefaultPresetParameters());
  ASSERT_TRUE(d);
  EXPECT_EQ(d->MaxParallelUnits, 5);
  EXPECT_EQ(d->MaxPasses, 5);
  EXPECT_FLOAT_EQ(d->MaxNozzleVelocityLiquid, 4.5f);
  EXPECT_FLOAT_EQ(d->MaxNozzleVelocityGas, 80.0f);
  EXPECT_EQ(d->AutoListSize, 8);
  EXPECT_EQ(d->HardChannelId + d->MixedChannelId + d->SoftChannelId, "HML");
}

TEST(DesignPresets, IntegersRoundToNearestHalvesToEven) {
  EXPECT_EQ(*PresetInteger("4.5"), 4);
  EXPECT_EQ(*PresetInteger("5.5"), 6);
  EXPECT_EQ(*PresetInteger("2.6"), 3);
  EXPECT_EQ(*PresetInteger(" 7 "), 7);
  EXPECT_EQ(*PresetInteger("abc"), 0);
  EXPECT_EQ(*PresetInteger("-32768"), -32768);
  EXPECT_FALSE(PresetInteger("32767.5"));  // rounds to 32768, past 16 bits
  EXPECT_FALSE(PresetInteger("1e9"));
  EXPECT_FLOAT_EQ(*PresetSingle("4.5 m/s"), 4.5f);
  EXPECT_FALSE(PresetSingle("1e39"));  // beyond single precision
}

TEST(DesignPresets, NumbersThatDoNotFitAreReported) {
  PresetParameters p = DefaultPresetParameters();
  p.MaxPasses = "99999";
  EXPECT_FALSE(DesignPresetsOf(p));
  p = DefaultPresetParameters();
  p.AutoListSize = "-1";  // the candidate list cannot have indexes 0 to -1
  EXPECT_FALSE(DesignPresetsOf(p));
  // Presets the settings window would refuse (a list of no candidates, an
  // empty or text value, a long identifier) are refused here too.
  for (const char* size : {"0", "", "many", "11"}) {
    p.AutoListSize = size;
    EXPECT_FALSE(DesignPresetsOf(p)) << size;
  }
  p = DefaultPresetParameters();
  p.HardChannelId = "HHH";
  EXPECT_FALSE(DesignPresetsOf(p));
  p = DefaultPresetParameters();
  p.MaxNozzleVelocityGas = "1e40";
  EXPECT_FALSE(DesignPresetsOf(p));
}

}  // namespace
}  // namespace vx
