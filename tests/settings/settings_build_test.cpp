#include "settings/settings_build.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "common/file_io.h"
#include "common/number_text.h"
#include "settings/company_record.h"
#include "common/option_lists.h"
#include "common/preset_file.h"
#include "support/temp_data.h"
#include "common/unit_file.h"

namespace fs = std::filesystem;

namespace vx {
namespace {

// The readable sources of the installation, beside this repository's tests.
fs::path repositorySources() { return fs::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "src"; }

void writeUtf8(const fs::path& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary);
  for (const auto& line : lines) out << line << "\n";
}

// Small valid sources; the tests below damage one line at a time.
std::vector<std::string> presetSource() {
  return {"# presets", "\"5\"",   "\"5\"",    "\"4.5\"", "\"80\"",  "\"8\"",  "\"H\"", "\"M\"",
          "\"L\"",     "\"1.0\"", "\"1.25\"", "\"150\"", "\"0.0\"", "\"50\"", "\"50\""};
}
std::vector<std::string> optionSource() {
  return {"1|不锈钢304|钛|", "1|16.2|21.0|", "2|0.5|",        "3|丁腈橡胶NBR|三元乙丙橡胶EPDM|",
          "3|110|150|",      "3|N|E|",       "4|悬臂式|",     "4|IV|",
          "5|Q235B|",        "6|不锈钢304|", "7|固定压紧板|", "0|",
          "8|ASME B16.5|"};
}
std::vector<std::string> unitSource() {
  return {"# units",
          "",
          "长度",
          "米|毫米|",
          "1|1000|",
          "m|mm|",
          "||",
          "温度",
          "摄氏度|华氏度|",
          "1|1|",
          "℃|℉|",
          "||",
          "运动粘度-恩氏粘度",
          "运动粘度|恩氏粘度|",
          "1|1|",
          "mm2/s|°E|",
          "||",
          "比重(60°/60℉)-波美度",
          "比重|波美度|",
          "1|1|",
          "SG|°Bé|",
          "||"};
}

class SettingsBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    writeUtf8(src.dir() / "Preset.txt", presetSource());
    writeUtf8(src.dir() / "DefData.txt", optionSource());
    writeUtf8(src.dir() / "units.txt", unitSource());
  }
  // Builds and returns the error, empty on success.
  std::string build() {
    std::string error;
    bool ok = BuildSettingsFiles(src.dir(), out.dir(), error);
    EXPECT_EQ(ok, error.empty()) << error;
    return error;
  }
  void damage(const std::string& file, std::vector<std::string> lines, size_t index, const std::string& text) {
    lines.at(index) = text;
    writeUtf8(src.dir() / file, lines);
  }
  test::TempDir src, out;
};

TEST_F(SettingsBuild, WritesTheFourFilesAsGbkWithCrLf) {
  ASSERT_EQ(build(), "");
  std::string preset = *readFileBytes(out.dir() / "Preset.dat");
  EXPECT_EQ(preset.substr(0, 12), "\"5\"\r\n\"5\"\r\n\"4");  // the comment line is gone
  EXPECT_EQ(std::count(preset.begin(), preset.end(), '\n'), 14);
  std::string options = *readFileBytes(out.dir() / "DefData.Dat");
  EXPECT_EQ(options.substr(0, 12),
            "1|\xB2\xBB\xD0\xE2\xB8\xD6"
            "304|");  // "不锈钢" in GBK
  std::string units = *readFileBytes(out.dir() / "Unit.Dat");
  EXPECT_EQ(units.substr(0, 6), "\xB3\xA4\xB6\xC8\r\n");  // "长度" in GBK; the blank line is gone
  EXPECT_EQ(std::count(units.begin(), units.end(), '\n'), 20);
  // One empty company record: blanks, as saving empty fields writes them.
  EXPECT_EQ(*readFileBytes(out.dir() / "Coinfor.dat"), std::string(290, ' '));
  EXPECT_EQ(CompanyText(out.dir(), 0), "");
}

TEST_F(SettingsBuild, PresetFaultsNameFileAndLine) {
  auto lines = presetSource();
  lines.pop_back();
  writeUtf8(src.dir() / "Preset.txt", lines);
  EXPECT_NE(build().find("Preset.txt:15: 13 values, 14 expected"), std::string::npos);

  damage("Preset.txt", presetSource(), 2, "\"11\"");  // MaxPasses on line 3
  EXPECT_NE(build().find("Preset.txt:3: MaxPasses must lie from 1 to 10"), std::string::npos);
  damage("Preset.txt", presetSource(), 4, "80");  // not quoted
  EXPECT_NE(build().find("Preset.txt:5: "), std::string::npos);
  damage("Preset.txt", presetSource(), 8, "\"LLL\"");
  EXPECT_NE(build().find("Preset.txt:9: SoftChannelId must have 1 or 2 characters"), std::string::npos);
  damage("Preset.txt", presetSource(), 11, "\"150 C\"");
  EXPECT_NE(build().find("Preset.txt:12: DesignTemperature \"150 C\" is not a number"), std::string::npos);
}

TEST_F(SettingsBuild, OptionListFaultsNameFileAndLine) {
  auto lines = optionSource();
  std::swap(lines[6], lines[8]);  // group 5 before group 4
  writeUtf8(src.dir() / "DefData.txt", lines);
  EXPECT_NE(build().find("DefData.txt:7: list 7 must start with its group key \"4|\""), std::string::npos);

  damage("DefData.txt", optionSource(), 1, "1|16.2|abc|");
  EXPECT_NE(build().find("DefData.txt:2: entry 2 \"abc\" is not a number"), std::string::npos);
  damage("DefData.txt", optionSource(), 4, "3|110|0|");
  EXPECT_NE(build().find("DefData.txt:5: entry 2 \"0\" must be above 0"), std::string::npos);
  damage("DefData.txt", optionSource(), 1, "1|16.2|");
  EXPECT_NE(build().find("DefData.txt:2: 1 entries"), std::string::npos);
  damage("DefData.txt", optionSource(), 12, "8|ASME B16.5");
  EXPECT_NE(build().find("DefData.txt:13: text after the last \"|\""), std::string::npos);
  damage("DefData.txt", optionSource(), 11, "0|25|");
  EXPECT_NE(build().find("DefData.txt:12: "), std::string::npos);
  damage("DefData.txt", optionSource(), 9, "6|不锈钢304||");
  EXPECT_NE(build().find("DefData.txt:10: entry 2 is empty"), std::string::npos);
  lines = optionSource();
  lines[3] = "3|丁腈橡胶NBR|";
  lines[4] = "3|110|";
  lines[5] = "3|N|";
  writeUtf8(src.dir() / "DefData.txt", lines);
  EXPECT_NE(build().find("DefData.txt:4: two gasket materials at least"), std::string::npos);

  lines = optionSource();
  lines.push_back("9|x|");
  writeUtf8(src.dir() / "DefData.txt", lines);
  EXPECT_NE(build().find("DefData.txt:14: 14 lists, 13 expected"), std::string::npos);
}

TEST_F(SettingsBuild, UnitFaultsNameFileAndLine) {
  damage("units.txt", unitSource(), 4, "1|one|");
  EXPECT_NE(build().find("units.txt:5: factor 2 \"one\" is not a number"), std::string::npos);
  damage("units.txt", unitSource(), 4, "1|0|");
  EXPECT_NE(build().find("units.txt:5: factor 2 \"0\" must be above 0"), std::string::npos);
  damage("units.txt", unitSource(), 5, "m|");
  EXPECT_NE(build().find("units.txt:6: 1 items"), std::string::npos);
  damage("units.txt", unitSource(), 8, "摄氏度|华氏度|开尔文|");
  EXPECT_NE(build().find("units.txt:9: "), std::string::npos);  // the special categories have two units
  damage("units.txt", unitSource(), 7, "温 度");
  EXPECT_NE(build().find("the category \"温度\" is missing"), std::string::npos);
  damage("units.txt", unitSource(), 3, "米|毫米|㎎²|");  // "²" has no GBK code
  EXPECT_NE(build().find("units.txt:4: text that GBK cannot hold"), std::string::npos);

  auto lines = unitSource();
  lines.resize(lines.size() - 2);
  writeUtf8(src.dir() / "units.txt", lines);
  EXPECT_NE(build().find("units.txt:18: the category \"比重(60°/60℉)-波美度\" has 3 of its 5 lines"),
            std::string::npos);
}

TEST_F(SettingsBuild, MissingSourcesAreNamed) {
  fs::remove(src.dir() / "units.txt");
  EXPECT_NE(build().find("units.txt: missing"), std::string::npos);
}

// The sources that ship with the program.
TEST(InstalledSettings, BuildFromTheRepositorySources) {
  test::TempDir out;
  std::string error;
  ASSERT_TRUE(BuildSettingsFiles(repositorySources(), out.dir(), error)) << error;

  auto preset = ReadPresetFile(out.dir());
  ASSERT_TRUE(preset);
  for (int k = 1; k <= kPresetLineCount; ++k)
    EXPECT_EQ(PresetLine(*preset, k), PresetLine(DefaultPresetParameters(), k)) << "line " << k;

  auto lists = ReadOptionLists(out.dir(), &error);
  ASSERT_TRUE(lists) << error;
  auto raw = readFileBytes(out.dir() / "DefData.Dat");
  EXPECT_EQ(std::count(raw->begin(), raw->end(), '\n'), 13);
  // Water and steam service takes the second gasket: EPDM, good to 150 ℃.
  ASSERT_GE(lists->GasketMaterials.size(), 2u);
  EXPECT_NE(lists->GasketMaterials[kWaterSteamGasketEntry].find("EPDM"), std::string::npos);
  EXPECT_EQ(lists->GasketTemperatureLimits[kWaterSteamGasketEntry], "150");
  EXPECT_EQ(lists->GasketCodes[kWaterSteamGasketEntry], "E");
  EXPECT_NE(lists->GasketMaterials[0].find("NBR"), std::string::npos);
  // Parallel lists line up: AISI 304 conducts 16.2 W/(m·K) at 100 ℃.
  EXPECT_EQ(lists->PlateConductivities.size(), lists->PlateMaterials.size());
  EXPECT_EQ(lists->PlateMaterials[0], "不锈钢304");
  EXPECT_FLOAT_EQ(static_cast<float>(Val(lists->PlateConductivities[0])), 16.2f);
  EXPECT_EQ(lists->FramePatternCodes.size(), lists->FramePatterns.size());
  EXPECT_EQ(lists->PlateThicknesses.front(), "0.4");
  EXPECT_EQ(lists->PlateThicknesses.back(), "1.0");
  EXPECT_TRUE(lists->Reserved.empty());
  EXPECT_FALSE(lists->FlangeStandards.empty());

  auto units = ReadUnitFile(out.dir());
  ASSERT_TRUE(units);
  EXPECT_TRUE(units->problems.empty());
  int ordinary = 0;
  for (const auto& c : units->categories) {
    if (IsSpecialUnitCategory(c.name)) {
      EXPECT_EQ(c.units.size(), 2u) << c.name;
      continue;
    }
    ++ordinary;
    for (int i = 0; i < static_cast<int>(c.units.size()); ++i) EXPECT_GT(c.factor(i), 0.0) << c.name << " " << i;
  }
  EXPECT_GE(ordinary, 12);
  for (const char* special : {kTemperatureCategory, kEnglerCategory, kBaumeCategory})
    EXPECT_NE(units->find(special), nullptr) << special;

  // Conversions by definition: x in unit i is x / factor(i) x factor(j) in unit j.
  auto convert = [&](const std::string& category, const std::string& from, const std::string& to, double x) {
    const UnitCategory* c = units->find(category);
    EXPECT_NE(c, nullptr) << category;
    if (!c) return 0.0;
    auto index = [&](const std::string& unit) {
      auto it = std::find(c->texts.begin(), c->texts.end(), unit);
      EXPECT_NE(it, c->texts.end()) << unit;
      return static_cast<int>(it - c->texts.begin());
    };
    return x / c->factor(index(from)) * c->factor(index(to));
  };
  EXPECT_NEAR(convert("长度", "in", "mm", 1), 25.4, 1e-6);              // 1 in = 25.4 mm
  EXPECT_NEAR(convert("压力", "atm", "kPa", 1), 101.325, 1e-5);         // 1 atm = 101325 Pa
  EXPECT_NEAR(convert("压力", "psi", "kPa", 1), 6.894757, 1e-5);        // 1 psi = 6.894757 kPa
  EXPECT_NEAR(convert("压力", "kgf/cm2", "MPa", 1), 0.0980665, 1e-9);   // standard gravity
  EXPECT_NEAR(convert("功率(热流量)", "kcal/h", "W", 1), 1.163, 1e-8);  // 4186.8 J / 3600 s
  EXPECT_NEAR(convert("质量", "lb", "kg", 1), 0.45359237, 1e-9);
  EXPECT_NEAR(convert("体积", "US gal", "L", 1), 3.785411784, 1e-7);
  EXPECT_NEAR(convert("动力粘度", "cP", "mPa·s", 1), 1.0, 1e-12);
  EXPECT_NEAR(convert("传热系数", "Btu/(ft2·h·℉)", "W/(m2·K)", 1), 5.678263, 1e-5);
  EXPECT_NEAR(convert("污垢系数", "m2·h·℃/kcal", "m2·K/W", 1), 1 / 1.163, 1e-8);
  EXPECT_NEAR(convert("质量流量", "kg/s", "kg/h", 1), 3600, 1e-5);
}

}  // namespace
}  // namespace vx
