// The self-built property file, the common-fluid list and the data bank:
// listing, reading, saving, deleting and tidying records.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cmath>
#include <fstream>
#include <limits>

#include "app/script_host.h"
#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/record_file.h"
#include "properties/property_files.h"
#include "support/temp_data.h"

namespace fs = std::filesystem;

namespace vx {
namespace {

PropertyRecord medium(const std::string& name, float base) {
  PropertyRecord r;
  r.Name = name;
  for (int k = 0; k < 3; ++k) {
    r.Temperature[k] = 20.0f + 20.0f * static_cast<float>(k);
    r.Density[k] = base + static_cast<float>(k);
    r.SpecificHeat[k] = 2.0f;
    r.Conductivity[k] = 0.5f;
    r.Viscosity[k] = 1.5f;
    r.LatentHeat[k] = 300.0f;
    r.VapourDensity[k] = 1.0f;
  }
  r.Remark = "说明 " + name;
  return r;
}

SelfDataColumns columns(float density) {
  SelfDataColumns c;
  c.Temperature = {10.0f, 30.0f, 50.0f};
  c.Density = {density, density - 5.0f, density - 10.0f};
  c.VapourDensity = {0.5f, 0.6f, 0.7f};
  c.SpecificHeat = {4.18f, 4.17f, 4.16f};
  c.Conductivity = {0.6f, 0.61f, 0.62f};
  c.Viscosity = {1.3f, 0.8f, 0.55f};
  c.LatentHeat = {0.0f, 0.0f, 0.0f};
  return c;
}

std::string bytesOf(const fs::path& p) {
  auto b = readFileBytes(p);
  return b ? *b : std::string("<missing>");
}

// Writes records as given; an empty optional is a blank record whose bytes
// after the name field are not zero (as a foreign writer may leave them).
void writeSelfFile(const fs::path& dir, const std::vector<std::optional<PropertyRecord>>& records) {
  std::string bytes;
  for (const auto& r : records) {
    if (r) {
      bytes += writePropertyRecord(*r);
    } else {
      std::string blank = writePropertyRecord(medium("x", 9.0f));
      std::fill(blank.begin(), blank.begin() + kSelfNameWidth, '\0');
      bytes += blank;
    }
  }
  ASSERT_TRUE(writeFileAtomic(dir / kSelfDataFile, bytes));
}

std::vector<std::string> names(const std::vector<SelfDataEntry>& list) {
  std::vector<std::string> out;
  for (const auto& e : list) out.push_back(e.Name + "@" + std::to_string(e.Record));
  return out;
}

// Lets writes of regular files fail beyond `bytes` (EFBIG), as on a full
// disk: the tests run as root, which no permission stops.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lim = old_;
    lim.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lim);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, handler_);
  }

 private:
  rlimit old_{};
  void (*handler_)(int) = SIG_DFL;
};

// ---- Adding and updating ----

TEST(SaveSelfData, FirstSaveIntoEmptyFileWritesRecordOne) {
  test::TempDir tmp;
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "property.dat", ""));
  ScriptHost host;
  auto n = SaveSelfData(tmp.dir(), host, "导热油A", columns(870.0f), "测试介质");
  ASSERT_EQ(n, 1);
  EXPECT_TRUE(host.messages().empty());
  EXPECT_EQ(fs::file_size(tmp.dir() / "property.dat"), 232u);

  auto rec = ReadSelfData(tmp.dir(), 1);
  ASSERT_TRUE(rec);
  EXPECT_EQ(rec->Name, "导热油A");
  EXPECT_EQ(rec->Remark, "测试介质");
  EXPECT_EQ(rec->Temperature[1], 30.0f);
  EXPECT_EQ(rec->Density[2], 860.0f);
  EXPECT_EQ(rec->VapourDensity[0], 0.5f);
  EXPECT_EQ(rec->SpecificHeat[1], 4.17f);
  EXPECT_EQ(rec->Conductivity[2], 0.62f);
  EXPECT_EQ(rec->Viscosity[0], 1.3f);
  EXPECT_EQ(rec->Density[3], 0.0f);  // element 3 of a new record is zero
  // Offsets: the middle viscosity at 68 + 4, the remark at 132, GBK padded.
  std::string bytes = bytesOf(tmp.dir() / "property.dat");
  EXPECT_EQ(RecordReader(bytes.substr(72, 4)).single(), 0.8f);
  EXPECT_EQ(bytes.substr(132, 8), "\xb2\xe2\xca\xd4\xbd\xe9\xd6\xca");  // 测试介质 in GBK
  EXPECT_EQ(bytes.substr(140, 92), std::string(92, ' '));
}

TEST(SaveSelfData, MissingFileIsCreatedWithRecordOne) {
  test::TempDir tmp;
  ScriptHost host;
  EXPECT_EQ(SaveSelfData(tmp.dir(), host, "Brine", columns(1100.0f), ""), 1);
  EXPECT_EQ(names(ListSelfData(tmp.dir())), std::vector<std::string>{"Brine@1"});
}

TEST(SaveSelfData, SameNameInOtherCaseUpdatesAfterTheQuestionAndKeepsElementThree) {
  test::TempDir tmp;
  PropertyRecord first = medium("Thermal Oil", 800.0f);
  first.Density[3] = 7.5f;
  first.Viscosity[3] = -2.0f;
  writeSelfFile(tmp.dir(), {first, medium("Glycol", 1050.0f)});

  ScriptHost host({"yes"});
  auto n = SaveSelfData(tmp.dir(), host, "THERMAL oil", columns(870.0f), "新说明");
  ASSERT_EQ(n, 1);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].id, 523);
  EXPECT_EQ(host.messages()[0].text, "数据库中已经存在该介质，是否更新数据?");
  EXPECT_EQ(host.messages()[0].icon, Icon::None);
  EXPECT_EQ(host.messages()[0].buttons, Buttons::YesNo);

  EXPECT_EQ(names(ListSelfData(tmp.dir())), (std::vector<std::string>{"THERMAL oil@1", "Glycol@2"}));
  auto rec = ReadSelfData(tmp.dir(), 1);
  ASSERT_TRUE(rec);
  EXPECT_EQ(rec->Density[0], 870.0f);
  EXPECT_EQ(rec->Remark, "新说明");
  EXPECT_EQ(rec->Density[3], 7.5f);
  EXPECT_EQ(rec->Viscosity[3], -2.0f);
}

TEST(SaveSelfData, DecliningTheUpdateLeavesTheFileUnchanged) {
  test::TempDir tmp;
  writeSelfFile(tmp.dir(), {medium("Oil", 800.0f), medium("Glycol", 1050.0f)});
  const std::string before = bytesOf(tmp.dir() / "property.dat");
  ScriptHost host({"no"});
  EXPECT_EQ(SaveSelfData(tmp.dir(), host, "glycol", columns(999.0f), ""), std::nullopt);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].answer, "no");
  EXPECT_EQ(bytesOf(tmp.dir() / "property.dat"), before);
}

TEST(SaveSelfData, EmptyNameIsRefusedWithTheInformationIcon) {
  test::TempDir tmp;
  ScriptHost host;
  EXPECT_EQ(SaveSelfData(tmp.dir(), host, "   ", columns(1000.0f), ""), std::nullopt);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].id, 524);
  EXPECT_EQ(host.messages()[0].text, "物性数据无效");
  EXPECT_EQ(host.messages()[0].icon, Icon::Information);
  EXPECT_FALSE(fs::exists(tmp.dir() / "property.dat"));
}

TEST(SaveSelfData, ZeroProductIsRefusedWithTheCriticalIconAndNothingWritten) {
  test::TempDir tmp;
  writeSelfFile(tmp.dir(), {medium("Oil", 800.0f)});
  const std::string before = bytesOf(tmp.dir() / "property.dat");

  SelfDataColumns upperZero = columns(1000.0f);
  upperZero.Conductivity[2] = 0.0f;  // only the third column fails
  ScriptHost host;
  EXPECT_EQ(SaveSelfData(tmp.dir(), host, "Water", upperZero, ""), std::nullopt);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].id, 524);
  EXPECT_EQ(host.messages()[0].icon, Icon::Critical);
  EXPECT_EQ(bytesOf(tmp.dir() / "property.dat"), before);

  // An update is asked first, then refused: still nothing written.
  SelfDataColumns noDensity = columns(0.0f);
  noDensity.Density = {0.0f, 0.0f, 0.0f};
  ScriptHost yes({"yes"});
  EXPECT_EQ(SaveSelfData(tmp.dir(), yes, "oil", noDensity, ""), std::nullopt);
  ASSERT_EQ(yes.messages().size(), 2u);
  EXPECT_EQ(yes.messages()[0].id, 523);
  EXPECT_EQ(yes.messages()[1].id, 524);
  EXPECT_EQ(yes.messages()[1].icon, Icon::Critical);
  EXPECT_EQ(bytesOf(tmp.dir() / "property.dat"), before);

  // A negative viscosity makes the product negative, not 0: refused as well.
  SelfDataColumns negative = columns(1000.0f);
  negative.Viscosity[1] = -1.5f;
  ScriptHost refused;
  EXPECT_EQ(SaveSelfData(tmp.dir(), refused, "Brine", negative, ""), std::nullopt);
  ASSERT_EQ(refused.messages().size(), 1u);
  EXPECT_EQ(refused.messages()[0].id, 524);
  EXPECT_EQ(bytesOf(tmp.dir() / "property.dat"), before);
}

TEST(SaveSelfData, ValueThatIsNotANumberIsRefusedLikeAZero) {
  test::TempDir tmp;
  SelfDataColumns c = columns(1000.0f);
  c.LatentHeat[1] = std::nanf("");
  ScriptHost host;
  EXPECT_EQ(SaveSelfData(tmp.dir(), host, "Water", c, ""), std::nullopt);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].icon, Icon::Critical);
  EXPECT_FALSE(fs::exists(tmp.dir() / "property.dat"));
}

TEST(SaveSelfData, NewMediumTakesTheFirstBlankRecord) {
  test::TempDir tmp;
  writeSelfFile(tmp.dir(), {medium("A", 800.0f), std::nullopt, medium("B", 900.0f)});
  ScriptHost host;
  EXPECT_EQ(SaveSelfData(tmp.dir(), host, "C", columns(1000.0f), ""), 2);
  EXPECT_EQ(names(ListSelfData(tmp.dir())), (std::vector<std::string>{"A@1", "C@2", "B@3"}));
}

TEST(SaveSelfData, LongNameFindsItsOwnRecordAgain) {
  test::TempDir tmp;
  const std::string name = "Heat transfer oil grade 320";  // 27 bytes, stored as 20
  ScriptHost host({"yes"});
  EXPECT_EQ(SaveSelfData(tmp.dir(), host, name, columns(870.0f), ""), 1);
  EXPECT_EQ(SaveSelfData(tmp.dir(), host, name, columns(880.0f), ""), 1);
  EXPECT_EQ(names(ListSelfData(tmp.dir())), std::vector<std::string>{"Heat transfer oil gr@1"});
  EXPECT_EQ(ReadSelfData(tmp.dir(), 1)->Density[0], 880.0f);
}

// ---- Deleting and tidying ----

TEST(DeleteSelfData, DeletingRecordTwoOfThreeMovesTheThirdUp) {
  test::TempDir tmp;
  writeSelfFile(tmp.dir(), {medium("A", 800.0f), medium("B", 900.0f), medium("C", 1000.0f)});
  EXPECT_TRUE(DeleteSelfData(tmp.dir(), 2));
  EXPECT_EQ(fs::file_size(tmp.dir() / "property.dat"), 2u * 232u);
  EXPECT_EQ(names(ListSelfData(tmp.dir())), (std::vector<std::string>{"A@1", "C@2"}));
  EXPECT_EQ(ReadSelfData(tmp.dir(), 2)->Density[0], 1000.0f);
  EXPECT_FALSE(fs::exists(tmp.dir() / "temproperty.dat"));
}

TEST(DeleteSelfData, KeepsBlankRecordsAndRefusesARecordOutsideTheFile) {
  test::TempDir tmp;
  writeSelfFile(tmp.dir(), {medium("A", 800.0f), std::nullopt, medium("B", 900.0f)});
  const std::string before = bytesOf(tmp.dir() / "property.dat");
  EXPECT_FALSE(DeleteSelfData(tmp.dir(), 0));
  EXPECT_FALSE(DeleteSelfData(tmp.dir(), 4));
  EXPECT_EQ(bytesOf(tmp.dir() / "property.dat"), before);

  EXPECT_TRUE(DeleteSelfData(tmp.dir(), 1));
  std::string after = bytesOf(tmp.dir() / "property.dat");
  EXPECT_EQ(after, before.substr(232));  // the blank record moved up whole
  EXPECT_TRUE(ListSelfData(tmp.dir()).empty());

  test::TempDir empty;
  EXPECT_FALSE(DeleteSelfData(empty.dir(), 1));
  EXPECT_FALSE(fs::exists(empty.dir() / "property.dat"));
}

TEST(TidySelfData, TrailingBlanksGoAndAMiddleBlankStaysAsZeroBytes) {
  test::TempDir tmp;
  writeSelfFile(tmp.dir(),
                {medium("A", 800.0f), std::nullopt, medium("B", 900.0f), std::nullopt, std::nullopt});
  EXPECT_TRUE(TidySelfData(tmp.dir()));
  const std::string bytes = bytesOf(tmp.dir() / "property.dat");
  ASSERT_EQ(bytes.size(), 3u * 232u);
  EXPECT_EQ(bytes.substr(232, 232), std::string(232, '\0'));
  EXPECT_EQ(ReadSelfData(tmp.dir(), 3)->Name, "B");  // records keep their numbers
  EXPECT_EQ(names(ListSelfData(tmp.dir())), std::vector<std::string>{"A@1"});
  EXPECT_FALSE(fs::exists(tmp.dir() / "property1.dat"));
}

TEST(TidySelfData, TidyFileIsLeftAloneAndMissingFileIsNotCreated) {
  test::TempDir tmp;
  EXPECT_TRUE(TidySelfData(tmp.dir()));
  EXPECT_FALSE(fs::exists(tmp.dir() / "property.dat"));

  writeSelfFile(tmp.dir(), {medium("A", 800.0f), medium("B", 900.0f)});
  struct stat before {};
  ASSERT_EQ(::stat((tmp.dir() / "property.dat").c_str(), &before), 0);
  EXPECT_TRUE(TidySelfData(tmp.dir()));
  struct stat after {};
  ASSERT_EQ(::stat((tmp.dir() / "property.dat").c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);  // not replaced
}

TEST(TidySelfData, AllBlankFileBecomesEmpty) {
  test::TempDir tmp;
  writeSelfFile(tmp.dir(), {std::nullopt, std::nullopt});
  EXPECT_TRUE(TidySelfData(tmp.dir()));
  EXPECT_EQ(fs::file_size(tmp.dir() / "property.dat"), 0u);
}

// ---- Failed writes keep the old file ----

TEST(SelfDataWrites, FailedWriteLeavesTheOldFileIntact) {
  test::TempDir tmp;
  writeSelfFile(tmp.dir(), {medium("A", 800.0f), medium("B", 900.0f), std::nullopt});
  const std::string before = bytesOf(tmp.dir() / "property.dat");
  ScriptHost host({"yes"});
  {
    FileSizeLimit limit(100);  // every new content is longer than 100 bytes
    EXPECT_FALSE(DeleteSelfData(tmp.dir(), 1));
    EXPECT_FALSE(TidySelfData(tmp.dir()));
    EXPECT_EQ(SaveSelfData(tmp.dir(), host, "b", columns(1000.0f), ""), std::nullopt);
  }
  EXPECT_EQ(bytesOf(tmp.dir() / "property.dat"), before);
  ASSERT_EQ(host.messages().size(), 2u);
  EXPECT_EQ(host.messages()[1].id, 581);
  EXPECT_EQ(host.messages()[1].text, "文件" + (tmp.dir() / "property.dat").string() + "无法写入：磁盘已满。数据没有保存。");
  // No temporary file is left behind (the data folder's lock file stays).
  EXPECT_EQ(std::distance(fs::directory_iterator(tmp.dir()), fs::directory_iterator()), 2);
  EXPECT_TRUE(fs::exists(tmp.dir() / kDataLockFile));
}

TEST(SelfDataWrites, FolderThatCannotHoldFilesReportsTheFailure) {
  test::TempDir tmp;
  std::ofstream(tmp.dir() / "plain") << "x";
  const fs::path dir = tmp.dir() / "plain";  // a regular file where a folder should be
  ScriptHost host;
  EXPECT_EQ(SaveSelfData(dir, host, "A", columns(1000.0f), ""), std::nullopt);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].id, 581);
  EXPECT_EQ(host.messages()[0].text, "文件" + (dir / "property.dat").string() + "无法写入：文件夹不存在。数据没有保存。");
  EXPECT_FALSE(DeleteSelfData(dir, 1));
  EXPECT_TRUE(TidySelfData(dir));  // nothing there to tidy
  EXPECT_TRUE(ListSelfData(dir).empty());
}

TEST(SelfDataWrites, UnreadableFileIsNeverOverwritten) {
  test::TempDir tmp;
  fs::create_directory(tmp.dir() / "property.dat");  // exists but is no file
  fs::path inside = tmp.dir() / "property.dat" / "keep";
  std::ofstream(inside) << "x";
  ScriptHost host;
  EXPECT_EQ(SaveSelfData(tmp.dir(), host, "A", columns(1000.0f), ""), std::nullopt);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].id, 569);
  EXPECT_FALSE(DeleteSelfData(tmp.dir(), 1));
  EXPECT_FALSE(TidySelfData(tmp.dir()));
  EXPECT_TRUE(fs::exists(inside));
}

// ---- Reading damaged or odd files ----

TEST(ListSelfData, StopsAtTheFirstBlankRecordAndMatchesTheNameWithoutCase) {
  test::TempDir tmp;
  std::string bytes = writePropertyRecord(medium("A", 800.0f)) + std::string(232, '\0') +
                      writePropertyRecord(medium("B", 900.0f));
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "Property.DAT", bytes));
  EXPECT_EQ(names(ListSelfData(tmp.dir())), std::vector<std::string>{"A@1"});
  EXPECT_EQ(ReadSelfData(tmp.dir(), 3)->Name, "B");  // reachable by number
  ASSERT_TRUE(ReadSelfData(tmp.dir(), 2));
  EXPECT_EQ(ReadSelfData(tmp.dir(), 2)->Name, "");
}

TEST(ListSelfData, MissingTruncatedOversizedAndDamagedFiles) {
  test::TempDir tmp;
  EXPECT_TRUE(ListSelfData(tmp.dir()).empty());
  EXPECT_EQ(ReadSelfData(tmp.dir(), 1), std::nullopt);

  // One whole record and a cut one: the cut record is not read.
  std::string bytes =
      writePropertyRecord(medium("A", 800.0f)) + writePropertyRecord(medium("B", 900.0f)).substr(0, 100);
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "property.dat", bytes));
  EXPECT_EQ(names(ListSelfData(tmp.dir())), std::vector<std::string>{"A@1"});
  EXPECT_EQ(ReadSelfData(tmp.dir(), 2), std::nullopt);
  EXPECT_EQ(ReadSelfData(tmp.dir(), -1), std::nullopt);

  // A saved medium replaces the cut record.
  ScriptHost host;
  EXPECT_EQ(SaveSelfData(tmp.dir(), host, "C", columns(1000.0f), ""), 2);
  EXPECT_EQ(fs::file_size(tmp.dir() / "property.dat"), 2u * 232u);

  // A value that is not a number makes the record unreadable.
  PropertyRecord bad = medium("D", 800.0f);
  bad.Conductivity[1] = std::numeric_limits<float>::infinity();
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "property.dat", writePropertyRecord(bad)));
  EXPECT_EQ(ReadSelfData(tmp.dir(), 1), std::nullopt);
  EXPECT_EQ(names(ListSelfData(tmp.dir())), std::vector<std::string>{"D@1"});

  // Larger than any data file can be: not read (a sparse file, no disk used).
  fs::resize_file(tmp.dir() / "property.dat", kMaxDataFileBytes + 1);
  EXPECT_TRUE(ListSelfData(tmp.dir()).empty());
  EXPECT_EQ(ReadSelfData(tmp.dir(), 1), std::nullopt);
}

// ---- Common fluids and the data bank ----

TEST(CommonFluids, ListStopsAtTheFirstBlankRecordAlsoWhenRecordsFollow) {
  test::TempDir tmp;
  PubDataRecord a{"乙醇", -1, 0, -50.0f, 80.0f, 0.0f, 0.0f};
  PubDataRecord b{"甲醇", -1, 0, -70.0f, 60.0f, 0.0f, 0.0f};
  std::string blank = writePubDataRecord(b);
  std::fill(blank.begin(), blank.begin() + 20, '\0');
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "pubdata.DAT", writePubDataRecord(a) + blank + writePubDataRecord(b)));
  EXPECT_EQ(ListCommonFluids(tmp.dir()), std::vector<std::string>{"乙醇"});
  auto rec = ReadCommonFluid(tmp.dir(), 3);
  ASSERT_TRUE(rec);
  EXPECT_EQ(rec->Name, "甲醇");
  EXPECT_EQ(rec->HasTemperature, -1);
  EXPECT_EQ(rec->TMin, -70.0f);
  EXPECT_EQ(ReadCommonFluid(tmp.dir(), 4), std::nullopt);
}

TEST(CommonFluids, MissingAndTruncatedFiles) {
  test::TempDir tmp;
  EXPECT_TRUE(ListCommonFluids(tmp.dir()).empty());
  EXPECT_EQ(ReadCommonFluid(tmp.dir(), 1), std::nullopt);
  PubDataRecord a{"苯", -1, 0, 10.0f, 70.0f, 0.0f, 0.0f};
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "PubData.dat", writePubDataRecord(a) + writePubDataRecord(a).substr(0, 30)));
  EXPECT_EQ(ListCommonFluids(tmp.dir()), std::vector<std::string>{"苯"});
  EXPECT_EQ(ReadCommonFluid(tmp.dir(), 2), std::nullopt);
}

TEST(BaseData, ListGivesTheNameUpToItsFirstBlankAndAFullNameWhole) {
  test::TempDir tmp;
  BaseDataRecord water;
  water.Valid = 1;
  water.NameCn = "水 蒸馏";
  water.MolWeight = 18.01528f;
  BaseDataRecord full;
  full.Valid = 1;
  full.NameCn = "1，1，2-三氯三氟乙烷";  // exactly 20 bytes in GBK, no blank to end at
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "BP.dat", writeBaseDataRecord(water) + writeBaseDataRecord(full)));
  EXPECT_EQ(ListBaseData(tmp.dir()), (std::vector<std::string>{"水", "1，1，2-三氯三氟乙烷"}));
  EXPECT_EQ(ReadBaseData(tmp.dir(), 1)->MolWeight, 18.01528f);
  EXPECT_EQ(ReadBaseData(tmp.dir(), 3), std::nullopt);
}

TEST(BaseData, ListEndsAtRecord818AndSurvivesDamage) {
  test::TempDir tmp;
  EXPECT_TRUE(ListBaseData(tmp.dir()).empty());
  BaseDataRecord r;
  r.NameCn = "甲烷";
  std::string bytes;
  for (int i = 0; i < 820; ++i) bytes += writeBaseDataRecord(r);
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "bp.dat", bytes + "\x01\x02"));
  EXPECT_EQ(ListBaseData(tmp.dir()).size(), 818u);
  EXPECT_TRUE(ReadBaseData(tmp.dir(), 818));
  EXPECT_EQ(ReadBaseData(tmp.dir(), 819), std::nullopt);

  r.VisA = std::nan("");
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "bp.dat", writeBaseDataRecord(r)));
  EXPECT_EQ(ReadBaseData(tmp.dir(), 1), std::nullopt);
}

TEST(FluidRecords, LayoutOffsetsOfTheDataBankRecord) {
  BaseDataRecord r;
  r.Valid = 1;
  r.CasNo = "7732-18-5";
  r.MolWeight = 18.01528f;
  r.VpEquation = 3;
  r.VisEquation = 2;
  r.VisA = -26.39284887;
  r.VisRefT = 300.0f;
  const std::string b = writeBaseDataRecord(r);
  ASSERT_EQ(b.size(), 236u);
  EXPECT_EQ(b.substr(92, 12), "7732-18-5   ");
  EXPECT_EQ(RecordReader(b.substr(104, 4)).single(), 18.01528f);
  EXPECT_EQ(RecordReader(b.substr(164, 2)).int16(), 3);
  EXPECT_EQ(RecordReader(b.substr(198, 2)).int16(), 2);
  EXPECT_EQ(RecordReader(b.substr(200, 8)).real64(), -26.39284887);
  EXPECT_EQ(RecordReader(b.substr(232, 4)).single(), 300.0f);
  EXPECT_EQ(writePubDataRecord(PubDataRecord{}).size(), 40u);
  EXPECT_EQ(writePropertyRecord(PropertyRecord{}).size(), 232u);
}

}  // namespace
}  // namespace vx
