// The imports that rebuild the fluid record files from their text sources,
// and the build of the installation's fluid files from data/src.
#include <gtest/gtest.h>

#include <fstream>

#include "common/file_io.h"
#include "common/gbk.h"
#include "common/record_file.h"
#include "properties/fluid_build.h"
#include "properties/property_files.h"
#include "support/temp_data.h"

namespace fs = std::filesystem;

namespace vx {
namespace {

// Sources are GBK text with CR LF line ends.
void writeSource(const fs::path& path, const std::string& utf8) { ASSERT_TRUE(writeFileAtomic(path, toGbk(utf8))); }

std::string bytesOf(const fs::path& p) {
  auto b = readFileBytes(p);
  return b ? *b : std::string("<missing>");
}

RffRecord rffRecord(const fs::path& file, int n) {
  RecordFile f(file, kRffRecordLength);
  EXPECT_TRUE(f.load());
  RecordReader r = f.reader(n);
  return readRffRecord(r);
}

fs::path repoSources() { return fs::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "src"; }

// ---- The maintenance imports (lenient) ----

TEST(ImportCommonData, FlagsAreMinusOneWhenNotZeroAndNamesAreGbk) {
  test::TempDir tmp;
  writeSource(tmp.dir() / "pubdata.csv",
              "\"乙二醇水溶液\",2,0,-51,100,0,60\r\n"
              "\"苯\",0,-1,10.5,70,0,0\r\n");
  ImportResult r = ImportCommonData(tmp.dir());
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.records, 2);
  EXPECT_EQ(fs::file_size(tmp.dir() / "PubData.dat"), 80u);
  auto a = ReadCommonFluid(tmp.dir(), 1);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->Name, "乙二醇水溶液");
  EXPECT_EQ(a->HasTemperature, -1);  // "2"
  EXPECT_EQ(a->HasConcentration, 0);  // "0"
  EXPECT_EQ(a->TMin, -51.0f);
  EXPECT_EQ(a->CMax, 60.0f);
  auto b = ReadCommonFluid(tmp.dir(), 2);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->HasTemperature, 0);
  EXPECT_EQ(b->HasConcentration, -1);
  EXPECT_EQ(b->TMin, 10.5f);
  // The name field: 12 bytes of GBK and 8 blanks.
  EXPECT_EQ(bytesOf(tmp.dir() / "PubData.dat").substr(0, 20), toGbk("乙二醇水溶液") + std::string(8, ' '));
}

TEST(ImportRff, ReimportingAShorterSourceKeepsTheSurplusRecords) {
  test::TempDir tmp;
  writeSource(tmp.dir() / "RFF.csv", "0,1\r\n1,2\r\n2,3\r\n3,4\r\n4,5\r\n");
  ASSERT_TRUE(ImportRff(tmp.dir()).ok);
  writeSource(tmp.dir() / "RFF.csv", "10,11\r\n20,21\r\n");
  ImportResult r = ImportRff(tmp.dir());
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.records, 2);
  const fs::path dat = tmp.dir() / "RFF.dat";
  EXPECT_EQ(fs::file_size(dat), 5u * 8u);
  EXPECT_EQ(rffRecord(dat, 1).X, 10.0f);
  EXPECT_EQ(rffRecord(dat, 2).Y, 21.0f);
  EXPECT_EQ(rffRecord(dat, 3).X, 2.0f);  // left from the first import
  EXPECT_EQ(rffRecord(dat, 5).Y, 5.0f);
}

TEST(ImportMatrix, ItemsAreReadAsOneStreamAndNonNumbersGiveZero) {
  test::TempDir tmp;
  // Records may span lines; "abc" has no number, "12abc" reads as 12.
  writeSource(tmp.dir() / "matrix.CSV", "1,2\r\n3\r\n\r\n4, abc ,12abc\r\n");
  ImportResult r = ImportMatrix(tmp.dir());
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.records, 2);
  ASSERT_TRUE(fs::exists(tmp.dir() / "Matrix.dat"));
  RecordFile f(tmp.dir() / "Matrix.dat", kMatrixRecordLength);
  ASSERT_TRUE(f.load());
  RecordReader r1 = f.reader(1);
  MatrixRecord m1 = readMatrixRecord(r1);
  EXPECT_EQ(m1.X, 1.0f);
  EXPECT_EQ(m1.Y, 2.0f);
  EXPECT_EQ(m1.Z, 3.0f);
  RecordReader r2 = f.reader(2);
  MatrixRecord m2 = readMatrixRecord(r2);
  EXPECT_EQ(m2.X, 4.0f);
  EXPECT_EQ(m2.Y, 0.0f);
  EXPECT_EQ(m2.Z, 12.0f);
}

TEST(ImportRffa, ExistingRecordFileIsFoundWithoutRegardToCase) {
  test::TempDir tmp;
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "rffa.DAT", std::string(60, '\x7f')));
  writeSource(tmp.dir() / "RFFA.csv", "-50,847.7,2.0105,0.1879,6.281\r\n");
  ASSERT_TRUE(ImportRffa(tmp.dir()).ok);
  EXPECT_FALSE(fs::exists(tmp.dir() / "RFFA.dat"));
  RecordFile f(tmp.dir() / "rffa.DAT", kRffaRecordLength);
  ASSERT_TRUE(f.load());
  EXPECT_EQ(f.count(), 3);
  RecordReader r = f.reader(1);
  RffaRecord a = readRffaRecord(r);
  EXPECT_EQ(a.Temperature, -50.0f);
  EXPECT_EQ(a.Viscosity, 6.281f);
  EXPECT_EQ(f.record(2), std::string(20, '\x7f'));
}

TEST(ImportFluidTable, MissingSourceOrIncompleteLastRecordChangesNothing) {
  test::TempDir tmp;
  ImportResult missing = ImportRff(tmp.dir());
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("RFF.csv: missing"), std::string::npos);
  EXPECT_FALSE(fs::exists(tmp.dir() / "RFF.dat"));

  writeSource(tmp.dir() / "RFF.csv", "1,2\r\n");
  ASSERT_TRUE(ImportRff(tmp.dir()).ok);
  const std::string before = bytesOf(tmp.dir() / "RFF.dat");
  writeSource(tmp.dir() / "RFF.csv", "5,6\r\n7\r\n");
  ImportResult cut = ImportRff(tmp.dir());
  EXPECT_FALSE(cut.ok);
  EXPECT_NE(cut.error.find("the last record has 1 of 2 items"), std::string::npos) << cut.error;
  EXPECT_EQ(bytesOf(tmp.dir() / "RFF.dat"), before);
}

TEST(GenerateBaseData, SetsValidRoundsIntegersHalfToEvenAndDropsTheLastItem) {
  test::TempDir tmp;
  // 39 items: 5 texts, 33 numbers, one unused. VpEquation 2.5 -> 2 and
  // VisEquation 3.5 -> 4 (halves to even); the name is cut at 20 bytes.
  const std::string numbers =
      "18.01528,273.15,373.124,647.096,220.64,55.94804,0.2294385,0.344,1.84972,"
      "34.38546,-0.01155133,0.00003512552,-0.00000001747675,0,0,"
      "2.5,-7.76451,1.45838,-2.7758,-1.23303,275,647.096,0.9975539,293.15,"
      "3.5,-26.39284887,4473.51,0.04846,-0.00003562164,-0.05,244.5268,0,0,";
  writeSource(tmp.dir() / "newdata.txt",
              "\"H2O\",\"水\",\"\",\"Water\",\"7732-18-5\"," + numbers + "99\r\n" +
                  "\"CH4\",\"甲烷甲烷甲烷甲烷甲烷甲烷\",\"\",\"Methane\",\"74-82-8\"," + numbers + "0\r\n");
  ImportResult r = GenerateBaseData(tmp.dir());
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.records, 2);
  EXPECT_EQ(fs::file_size(tmp.dir() / "bp.dat"), 2u * 236u);
  auto w = ReadBaseData(tmp.dir(), 1);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Valid, 1);
  EXPECT_EQ(w->Formula, "H2O");
  EXPECT_EQ(w->NameCn, "水");
  EXPECT_EQ(w->AliasCn, "");
  EXPECT_EQ(w->CasNo, "7732-18-5");
  EXPECT_EQ(w->VpEquation, 2);
  EXPECT_EQ(w->VisEquation, 4);
  EXPECT_EQ(w->VisA, -26.39284887);  // kept in double precision
  EXPECT_EQ(w->VisRefT, 0.0f);       // the 38th item; the 39th ("99") is not stored
  EXPECT_EQ(ListBaseData(tmp.dir()), (std::vector<std::string>{"水", "甲烷甲烷甲烷甲烷甲烷"}));
}

// ---- The build's strict mode ----

TEST(ImportFluidTableStrict, WrongItemCountNamesFileAndLine) {
  test::TempDir tmp;
  writeSource(tmp.dir() / "RFF.csv", "0,1\r\n1,2\r\n2,3,4\r\n");
  ImportResult r = ImportFluidTable(FluidTable::Rff, tmp.dir() / "RFF.csv", tmp.dir() / "RFF.dat", ImportMode::Strict);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, (tmp.dir() / "RFF.csv").string() + ":3: expected 2 items, found 3");
  EXPECT_FALSE(fs::exists(tmp.dir() / "RFF.dat"));
}

TEST(ImportFluidTableStrict, ItemThatIsNotWhollyANumberNamesFileAndLine) {
  test::TempDir tmp;
  for (const std::string bad : {"12abc", "", "0x10", "1 2", "1e39"}) {
    writeSource(tmp.dir() / "Matrix.csv", "1,2,3\r\n\r\n4,5," + bad + "\r\n");
    ImportResult r =
        ImportFluidTable(FluidTable::Matrix, tmp.dir() / "Matrix.csv", tmp.dir() / "Matrix.dat", ImportMode::Strict);
    EXPECT_FALSE(r.ok) << bad;
    EXPECT_EQ(r.error.rfind((tmp.dir() / "Matrix.csv").string() + ":3: item 3 (z) \"" + bad + "\" is ", 0), 0u)
        << r.error;
  }
  EXPECT_FALSE(fs::exists(tmp.dir() / "Matrix.dat"));
}

TEST(ImportFluidTableStrict, TextLongerThanItsFieldAndFractionalEquationNumberAreErrors) {
  test::TempDir tmp;
  writeSource(tmp.dir() / "pubdata.csv", "\"氢化三联苯导热油导热油\",1,0,0,340,0,0\r\n");  // 22 bytes
  ImportResult r = ImportFluidTable(FluidTable::CommonData, tmp.dir() / "pubdata.csv", tmp.dir() / "PubData.dat",
                                    ImportMode::Strict);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("pubdata.csv:1: item 1 (Name)"), std::string::npos) << r.error;
  EXPECT_NE(r.error.find("is 22 bytes, the field holds 20"), std::string::npos) << r.error;

  std::string row = "\"H2O\",\"水\",\"\",\"Water\",\"7732-18-5\"";
  for (int i = 0; i < 34; ++i) row += (i == 15 ? ",1.5" : ",0");
  writeSource(tmp.dir() / "newdata.txt", row + "\r\n");
  r = ImportFluidTable(FluidTable::BaseData, tmp.dir() / "newdata.txt", tmp.dir() / "bp.dat", ImportMode::Strict);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("newdata.txt:1: item 21 (VpEquation) \"1.5\" is not a whole number"), std::string::npos)
      << r.error;
}

TEST(ImportFluidTableStrict, WritesAFreshFileWithoutOldRecords) {
  test::TempDir tmp;
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "RFF.dat", std::string(80, '\x01')));
  writeSource(tmp.dir() / "RFF.csv", "0,1\r\n");
  ImportResult r = ImportFluidTable(FluidTable::Rff, tmp.dir() / "RFF.csv", tmp.dir() / "RFF.dat", ImportMode::Strict);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(fs::file_size(tmp.dir() / "RFF.dat"), 8u);
  EXPECT_EQ(ItemsPerRecord(FluidTable::BaseData), 39);
  EXPECT_EQ(ItemsPerRecord(FluidTable::CommonData), 7);
}

// ---- Building the installation's files from data/src ----

TEST(BuildFluidFiles, BuildsEveryFileFromTheRepositorySources) {
  test::TempDir out;
  std::string error;
  ASSERT_TRUE(BuildFluidFiles(repoSources(), out.dir(), error)) << error;

  // Sizes: 20 fluids, 177 / 182 / 825 table records (data/src/fluids/README.md),
  // 818 components (data/src/components/README.md), an empty self-built file.
  EXPECT_EQ(fs::file_size(out.dir() / "PubData.dat"), 20u * 40u);
  EXPECT_EQ(fs::file_size(out.dir() / "RFF.dat"), 177u * 8u);
  EXPECT_EQ(fs::file_size(out.dir() / "RFFA.dat"), 182u * 20u);
  EXPECT_EQ(fs::file_size(out.dir() / "Matrix.dat"), 825u * 12u);
  EXPECT_EQ(fs::file_size(out.dir() / "bp.dat"), 818u * 236u);
  EXPECT_EQ(fs::file_size(out.dir() / "property.dat"), 0u);

  auto fluids = ListCommonFluids(out.dir());
  ASSERT_EQ(fluids.size(), 20u);
  EXPECT_EQ(fluids[0], "甲酸钾水溶液");
  EXPECT_EQ(fluids[9], "联苯-联苯醚导热油");
  EXPECT_EQ(fluids[19], "蔗糖水溶液");
  // pubdata.csv line 1: "甲酸钾水溶液",1,1,-30,40,0,48; line 5: "乙醇",1,0,-50,80,0,0.
  auto k0 = ReadCommonFluid(out.dir(), 1);
  ASSERT_TRUE(k0);
  EXPECT_EQ(k0->HasTemperature, -1);
  EXPECT_EQ(k0->HasConcentration, -1);
  EXPECT_EQ(k0->TMin, -30.0f);
  EXPECT_EQ(k0->CMax, 48.0f);
  EXPECT_EQ(ReadCommonFluid(out.dir(), 5)->HasConcentration, 0);

  // RFF.csv line 1 "0,0.7961"; Matrix.csv line 1 "-40,0,3.9842".
  EXPECT_EQ(rffRecord(out.dir() / "RFF.dat", 1).Y, 0.7961f);
  RecordFile matrix(out.dir() / "Matrix.dat", kMatrixRecordLength);
  ASSERT_TRUE(matrix.load());
  RecordReader m = matrix.reader(1);
  EXPECT_EQ(readMatrixRecord(m).Z, 3.9842f);

  // Every component is valid; water is record 23 of newdata.txt.
  auto names = ListBaseData(out.dir());
  ASSERT_EQ(names.size(), 818u);
  for (int n = 1; n <= 818; ++n) ASSERT_EQ(ReadBaseData(out.dir(), n)->Valid, 1) << n;
  EXPECT_EQ(names[0], "氩");
  EXPECT_EQ(names[86], "1，1，2-三氯三氟乙烷");  // fills its 20 bytes
  auto water = ReadBaseData(out.dir(), 23);
  ASSERT_TRUE(water);
  EXPECT_EQ(water->Formula, "H2O");
  EXPECT_EQ(water->NameCn, "水");
  EXPECT_EQ(water->NameEn, "Water");
  EXPECT_EQ(water->CasNo, "7732-18-5");
  EXPECT_EQ(water->MolWeight, 18.01528f);
  EXPECT_EQ(water->TBoil, 373.124f);
  EXPECT_EQ(water->Tc, 647.096f);
  EXPECT_EQ(water->Pc, 220.64f);
  EXPECT_EQ(water->Omega, 0.344f);
  EXPECT_EQ(water->CpA, 34.38546f);
  EXPECT_EQ(water->VpEquation, 1);
  EXPECT_EQ(water->VpA, -7.76451f);
  EXPECT_EQ(water->VpTMin, 275.0f);
  EXPECT_EQ(water->LiqDensity, 0.9975539f);
  EXPECT_EQ(water->VisEquation, 3);
  EXPECT_EQ(water->VisA, -26.39284887);
  EXPECT_EQ(water->VisB, 4473.51f);
  EXPECT_EQ(water->VisTMin, -0.05f);
  EXPECT_EQ(water->VisTMax, 244.5268f);
}

// A copy of the fluid and component sources, to spoil one row.
class BuildFromCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(repoSources() / "fluids", src.dir() / "fluids", fs::copy_options::recursive);
    fs::copy(repoSources() / "components", src.dir() / "components", fs::copy_options::recursive);
  }
  void replaceLine(const fs::path& file, int line, const std::string& text) {
    std::string bytes = bytesOf(file);
    size_t start = 0;
    for (int i = 1; i < line; ++i) start = bytes.find('\n', start) + 1;
    size_t end = bytes.find('\r', start);
    bytes.replace(start, end - start, text);
    ASSERT_TRUE(writeFileAtomic(file, bytes));
  }
  test::TempDir src, out;
};

TEST_F(BuildFromCopy, BadRowFailsWithFileAndLine) {
  replaceLine(src.dir() / "fluids" / "RFFA.csv", 7, "0,789.1,2.3,0.17,x");
  std::string error;
  EXPECT_FALSE(BuildFluidFiles(src.dir(), out.dir(), error));
  EXPECT_EQ(error, (src.dir() / "fluids" / "RFFA.csv").string() + ":7: item 5 (viscosity) \"x\" is not a number");
}

TEST_F(BuildFromCopy, RowWithAMissingItemFailsWithFileAndLine) {
  replaceLine(src.dir() / "components" / "newdata.txt", 23, "\"H2O\",\"水\",\"\",\"Water\",\"7732-18-5\",18.01528");
  std::string error;
  EXPECT_FALSE(BuildFluidFiles(src.dir(), out.dir(), error));
  EXPECT_EQ(error, (src.dir() / "components" / "newdata.txt").string() + ":23: expected 39 items, found 6");
}

TEST_F(BuildFromCopy, CommonFluidListMustHoldTwentyEntries) {
  std::string bytes = bytesOf(src.dir() / "fluids" / "pubdata.csv");
  bytes.resize(bytes.rfind("\r\n", bytes.size() - 3) + 2);  // drop the last row
  ASSERT_TRUE(writeFileAtomic(src.dir() / "fluids" / "pubdata.csv", bytes));
  std::string error;
  EXPECT_FALSE(BuildFluidFiles(src.dir(), out.dir(), error));
  EXPECT_NE(error.find("pubdata.csv: 19 records, the program reads exactly 20"), std::string::npos) << error;
}

}  // namespace
}  // namespace vx
