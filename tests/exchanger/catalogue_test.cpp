#include "exchanger/catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

#include "app/script_host.h"
#include "common/record_file.h"
#include "support/temp_data.h"

namespace vx {

namespace {

PlateModel model(const std::string& name, short kind) {
  PlateModel m;
  m.ModelName = modelNameField(name);
  m.PlateKind = kind;
  m.PortIn1 = m.PortOut1 = 100;
  m.PortIn2 = m.PortOut2 = 150;
  m.MaxPlates = 300;
  m.PlateArea = 0.5f;
  m.PlateThickness = 0.6f;
  m.NarrowSection = 0.002f;
  m.NarrowDiameter = 0.006f;
  m.WideSection = 0.003f;
  m.WideDiameter = 0.009f;
  for (int k = 0; k < 3; ++k) m.channels[static_cast<size_t>(k)] = {0.1f * (k + 1), 0.7f, 10.0f * (k + 1), -0.2f, 0.33f, 100.0f * (k + 1), 10000};
  return m;
}

void writeCatalogue(const test::TempDir& dir, const std::vector<std::string>& records) {
  RecordFile f(dir.dir() / kCatalogueFile, kCatalogueRecordLength);
  RecordWriter header(kCatalogueRecordLength);
  header.text("HEADER", 10);  // text in the header's name field must not be listed
  header.seek(kPasswordOffset);
  header.single(7139);
  f.setRecord(1, header.bytes());
  int n = 2;
  for (const auto& r : records) f.setRecord(n++, r);
  ASSERT_TRUE(f.save());
}

}  // namespace

TEST(Catalogue, RecordRoundTripKeepsEveryField) {
  PlateModel m = model("VX050A", kAsymmetricPlate);
  std::string bytes = writePlateModel(m);
  ASSERT_EQ(bytes.size(), 142u);
  PlateModel back = readPlateModel(bytes);
  EXPECT_EQ(back.ModelName, "VX050A    ");
  EXPECT_EQ(back.PortIn2, 150);
  EXPECT_FLOAT_EQ(back.channels[2].Re_Min, 300);
  EXPECT_FLOAT_EQ(back.WideDiameter, 0.009f);
  EXPECT_EQ(writePlateModel(back), bytes);
}

TEST(Catalogue, ListStopsAtABlankRecordButLoadFindsLaterModels) {
  test::TempDir dir;
  writeCatalogue(dir, {writePlateModel(model("A1", 0)), std::string(142, '\0'), writePlateModel(model("B2", 0))});
  auto names = FillModelList(dir.dir());
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], "A1        ");  // the full field, padding kept
  auto cat = Catalogue::load(dir.dir());
  ASSERT_TRUE(cat);
  EXPECT_TRUE(cat->find("B2        "));
  EXPECT_FALSE(cat->find("B2"));  // names compare as full 10-character fields
}

TEST(Catalogue, EmptyCatalogueAndUnknownNames) {
  test::TempDir dir;
  writeCatalogue(dir, {});
  EXPECT_TRUE(FillModelList(dir.dir()).empty());
  auto cat = Catalogue::load(dir.dir());
  ASSERT_TRUE(cat);
  ScriptHost host;
  ChannelKinds kinds{};
  kinds[1].plateArea = 9;
  EXPECT_FALSE(LoadPlateModel(*cat, "VX050A    ", host, kinds));
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].id, 423);
  EXPECT_EQ(host.messages()[0].text, "板式换热器数据有错误，可以修正数据或者重新安装软件。错误代码302。");
  EXPECT_EQ(kinds[1].plateArea, 9);  // the previous model stays loaded
  test::TempDir none;
  EXPECT_FALSE(Catalogue::load(none.dir()));
  EXPECT_TRUE(FillModelList(none.dir()).empty());
}

// A record no plate could have is refused like a missing one, for the
// channels its plate kind uses; the others may hold anything.
TEST(Catalogue, ImpossibleRecordsAreRefused) {
  using Damage = std::function<void(PlateModel&)>;
  const std::vector<std::pair<short, Damage>> refused = {
      {kNormalPlate, [](PlateModel& m) { m.channels[0].Nu_c = 0; }},
      {kNormalPlate, [](PlateModel& m) { m.channels[0].Eu_c = -1; }},
      {kNormalPlate, [](PlateModel& m) { m.channels[0].Re_Min = m.channels[0].Re_Max; }},
      {kNormalPlate, [](PlateModel& m) { m.channels[0].Nu_m = NAN; }},
      {kNormalPlate, [](PlateModel& m) { m.PlateThickness = 0; }},
      {kNormalPlate, [](PlateModel& m) { m.PlateArea = -0.5f; }},
      {kNormalPlate, [](PlateModel& m) { m.NarrowSection = INFINITY; }},
      {kNormalPlate, [](PlateModel& m) { m.PortIn1 = 0; }},
      {kNormalPlate, [](PlateModel& m) { m.MaxPlates = -3; }},
      {kAsymmetricPlate, [](PlateModel& m) { m.WideDiameter = 0; }},
      {kAsymmetricPlate, [](PlateModel& m) { m.channels[1].Nu_c = 0; }},
      {kThermalMixingPlate, [](PlateModel& m) { m.channels[2].Eu_c = 0; }},
  };
  for (size_t i = 0; i < refused.size(); ++i) {
    PlateModel m = model("BAD", refused[i].first);
    refused[i].second(m);
    EXPECT_FALSE(PlateModelSound(m)) << i;
  }
  // Unused channels of a normal plate do not matter.
  PlateModel normal = model("OK", kNormalPlate);
  normal.channels[2] = {};
  normal.WideSection = 0;
  EXPECT_TRUE(PlateModelSound(normal));
  normal.channels[0].Re_Max = 0;  // no upper bound
  EXPECT_TRUE(PlateModelSound(normal));

  test::TempDir dir;
  PlateModel bad = model("BAD", kNormalPlate);
  bad.channels[0].Nu_c = 0;
  writeCatalogue(dir, {writePlateModel(bad)});
  ScriptHost host;
  ChannelKinds kinds{};
  EXPECT_FALSE(LoadPlateModel(*Catalogue::load(dir.dir()), bad.ModelName, host, kinds));
  EXPECT_EQ(host.messages().at(0).text, "板式换热器数据有错误，可以修正数据或者重新安装软件。错误代码302。");
}

TEST(ChannelKinds, FilledByPlateKind) {
  ChannelKinds kinds{};
  FillChannelKinds(model("N", kNormalPlate), kinds);
  EXPECT_EQ(kinds[0].corr.Re_Min, 0);  // entry 0 stays zero
  EXPECT_EQ(kinds[0].name, "");
  for (int i = 2; i <= 3; ++i) {
    EXPECT_FLOAT_EQ(kinds[static_cast<size_t>(i)].corr.Nu_c, kinds[1].corr.Nu_c);
    EXPECT_FLOAT_EQ(kinds[static_cast<size_t>(i)].section, 0.002f);
  }

  FillChannelKinds(model("A", kAsymmetricPlate), kinds);
  EXPECT_FLOAT_EQ(kinds[2].section, 0.003f);   // the wide channel
  EXPECT_FLOAT_EQ(kinds[2].diameter, 0.009f);
  EXPECT_FLOAT_EQ(kinds[2].corr.Nu_c, 0.2f);
  EXPECT_EQ(kinds[2].portIn, 150);
  EXPECT_FLOAT_EQ(kinds[3].section, 0.002f);   // a copy of the narrow channel
  EXPECT_FLOAT_EQ(kinds[3].corr.Nu_c, 0.1f);

  FillChannelKinds(model("T", kThermalMixingPlate), kinds);
  EXPECT_FLOAT_EQ(kinds[2].corr.Nu_c, 0.2f);   // mixed
  EXPECT_FLOAT_EQ(kinds[3].corr.Nu_c, 0.3f);   // soft
  EXPECT_FLOAT_EQ(kinds[3].section, 0.002f);   // geometry of channel 1
  EXPECT_EQ(kinds[3].portIn, 100);

  FillChannelKinds(model("X", 7), kinds);      // unknown kinds load like normal plates
  EXPECT_FLOAT_EQ(kinds[2].corr.Nu_c, 0.1f);
}

TEST(Catalogue, PasswordInRecordOneKeepsTheOtherBytes) {
  test::TempDir dir;
  writeCatalogue(dir, {writePlateModel(model("A1", 0))});
  EXPECT_FLOAT_EQ(*ReadCataloguePassword(dir.dir()), 7139);
  ASSERT_TRUE(WriteCataloguePassword(dir.dir(), 1234));
  EXPECT_FLOAT_EQ(*ReadCataloguePassword(dir.dir()), 1234);
  RecordFile f(dir.dir() / kCatalogueFile, kCatalogueRecordLength);
  ASSERT_TRUE(f.load());
  EXPECT_EQ(f.reader(1).text(10), "HEADER    ");
  EXPECT_EQ(FillModelList(dir.dir()).size(), 1u);
}

// The shipped catalogue: its size, its kinds, and a sanity bound on every
// channel: water at 50 C flowing at 0.5 m/s in one channel must give a film
// coefficient of 2,000 to 30,000 W/(m2 K) and 1 to 150 kPa per pass, rated
// the way the design calculation rates (Re = v d rho / mu 1000,
// Nu = Nu_c Re^Nu_m Pr^Pr_c, h = Nu lambda / d, dP = Eu rho v^2).
TEST(ShippedCatalogue, CoversTheRangeAndPassesTheWaterSanityBound) {
  auto cat = Catalogue::load(test::builtDataDir());
  ASSERT_TRUE(cat);
  std::map<int, int> kinds;
  float minArea = 1e9f, maxArea = 0;
  int minPort = 10000, maxPort = 0, maxPlates = 0;
  for (const auto& m : cat->listed()) {
    ++kinds[m.PlateKind];
    minArea = std::min(minArea, m.PlateArea);
    maxArea = std::max(maxArea, m.PlateArea);
    minPort = std::min<int>(minPort, m.PortIn1);
    maxPort = std::max<int>(maxPort, m.PortIn1);
    maxPlates = std::max<int>(maxPlates, m.MaxPlates);
  }
  EXPECT_GE(cat->listed().size(), 40u);
  EXPECT_GE(kinds[0], 25);
  EXPECT_GE(kinds[1], 6);
  EXPECT_GE(kinds[2], 6);
  EXPECT_LE(minArea, 0.035f);
  EXPECT_GE(maxArea, 2.4f);
  EXPECT_EQ(minPort, 25);
  EXPECT_EQ(maxPort, 500);
  EXPECT_EQ(maxPlates, 700);

  // Water at 50 C (IAPWS): rho 988.04, lambda 0.64062, mu 0.546516 cP, Pr 3.5671.
  const double rho = 988.04, lambda = 0.64062, mu = 0.546516, pr = 3.5671, v = 0.5;
  ScriptHost host;
  for (const auto& m : cat->listed()) {
    ChannelKinds k{};
    ASSERT_TRUE(LoadPlateModel(*cat, m.ModelName, host, k));
    int used = m.PlateKind == kNormalPlate ? 1 : (m.PlateKind == kAsymmetricPlate ? 2 : 3);
    for (int i = 1; i <= used; ++i) {
      const ChannelKind& c = k[static_cast<size_t>(i)];
      double re = v * c.diameter * rho / mu * 1000;
      double n = c.corr.Pr_c != 0 ? c.corr.Pr_c : 0.4;
      double nu = c.corr.Nu_c * std::pow(re, c.corr.Nu_m) * std::pow(pr, n);
      double h = nu * lambda / c.diameter;
      double dp = c.corr.Eu_c * std::pow(re, c.corr.Eu_m) * rho * v * v / 1000;
      EXPECT_GE(h, 2000) << m.ModelName << " channel " << i;
      EXPECT_LE(h, 30000) << m.ModelName << " channel " << i;
      EXPECT_GE(dp, 1) << m.ModelName << " channel " << i;
      EXPECT_LE(dp, 150) << m.ModelName << " channel " << i;
    }
  }
}

}  // namespace vx
