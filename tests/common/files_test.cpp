#include <gtest/gtest.h>

#include <fstream>

#include "common/file_io.h"
#include "common/gbk.h"
#include "common/record_file.h"
#include "common/res_table.h"
#include "common/text_file.h"
#include "support/killed_save.h"
#include "support/temp_data.h"

namespace vx {

TEST(Gbk, RoundTripsChinese) {
  std::string gbk = toGbk("回路A");
  EXPECT_EQ(gbk.size(), 5u);  // two bytes a character
  EXPECT_EQ(fromGbk(gbk), "回路A");
  // A truncated two-byte character does not stop the conversion.
  EXPECT_EQ(fromGbk(gbk.substr(0, 3)).substr(0, 3), "回");
}

TEST(RecordFile, RecordsAtFixedOffsetsZeroPastTheEnd) {
  test::TempDir tmp;
  RecordFile file(tmp.dir() / "r.dat", 8);
  RecordWriter w(8);
  w.int16(-2);
  w.text("水", 2);
  w.single(1.5f);
  file.setRecord(3, w.bytes());
  ASSERT_TRUE(file.save());

  RecordFile again(tmp.dir() / "r.dat", 8);
  ASSERT_TRUE(again.load());
  EXPECT_EQ(again.count(), 3);
  EXPECT_EQ(again.record(1), std::string(8, '\0'));  // the gap is zero-filled
  RecordReader r = again.reader(3);
  EXPECT_EQ(r.int16(), -2);
  EXPECT_EQ(r.text(2), "水");
  EXPECT_FLOAT_EQ(r.single(), 1.5f);
  EXPECT_EQ(again.record(10), std::string(8, '\0'));

  // A truncated last record reads its missing bytes as zero.
  test::TempData data;
  std::ofstream(tmp.dir() / "t.dat", std::ios::binary) << std::string("\x01\x00\x00", 3);
  RecordFile cut(tmp.dir() / "t.dat", 4);
  ASSERT_TRUE(cut.load());
  EXPECT_EQ(cut.count(), 0);
  EXPECT_EQ(cut.reader(1).int32(), 1);
}

TEST(RecordFile, TextFieldsArePaddedAndCutOnCharacterBoundaries) {
  RecordWriter w(5);
  w.text("回路回路",
         5);  // 8 bytes of GBK cut to 5: the half character becomes a blank
  EXPECT_EQ(w.bytes().size(), 5u);
  EXPECT_EQ(RecordReader(w.bytes()).text(5), "回路 ");
  RecordWriter pad(4);
  pad.text("ab", 4);
  EXPECT_EQ(pad.bytes(), "ab  ");
  EXPECT_EQ(trimField(std::string("ab \0\0", 5)), "ab");
}

TEST(RecordFile, MissingAndOversizedFilesFailToLoad) {
  test::TempDir tmp;
  RecordFile missing(tmp.dir() / "none.dat", 4);
  EXPECT_FALSE(missing.load());
  EXPECT_FALSE(readFileBytes(tmp.dir() / "none.dat").has_value());
  std::ofstream(tmp.dir() / "big.dat") << std::string(100, 'x');
  EXPECT_FALSE(readFileBytes(tmp.dir() / "big.dat", 99).has_value());
  EXPECT_TRUE(readFileBytes(tmp.dir() / "big.dat", 100).has_value());
}

TEST(TextFile, GbkWithCrLf) {
  test::TempDir tmp;
  ASSERT_TRUE(writeTextLines(tmp.dir() / "a.txt", {"回路A", "", "x"}));
  auto bytes = readFileBytes(tmp.dir() / "a.txt");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, toGbk("回路A") + "\r\n\r\nx\r\n");
  auto lines = readTextLines(tmp.dir() / "a.txt");
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, (std::vector<std::string>{"回路A", "", "x"}));
  // A rewrite leaves no temporary file behind.
  ASSERT_TRUE(writeTextLines(tmp.dir() / "a.txt", {"y"}));
  int files = 0;
  for (auto &e : std::filesystem::directory_iterator(tmp.dir())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST(TextFile, WritingIntoAMissingFolderFailsAndKeepsNothing) {
  test::TempDir tmp;
  EXPECT_FALSE(writeTextLines(tmp.dir() / "no" / "a.txt", {"x"}));
}

TEST(TextFile, SplitItems) {
  EXPECT_EQ(splitItems("\"a,b\",1.5, 2 ,\"\""), (std::vector<std::string>{"a,b", "1.5", "2", ""}));
  EXPECT_EQ(splitItems(""), (std::vector<std::string>{""}));
  EXPECT_EQ(splitItems("1,"), (std::vector<std::string>{"1", ""}));
  EXPECT_EQ(quoteItem("a\"b"), "\"a'b\"");
}

TEST(FileIo, FindsNamesWithoutRegardToCase) {
  test::TempDir tmp;
  std::ofstream(tmp.dir() / "PROPER.DAT") << "x";
  auto found = findFileNoCase(tmp.dir(), "proper.dat");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->filename(), "PROPER.DAT");
  EXPECT_FALSE(findFileNoCase(tmp.dir(), "steam.dat"));
  EXPECT_EQ(dataPath(tmp.dir(), "Proper.Dat").filename(), "PROPER.DAT");
  EXPECT_EQ(dataPath(tmp.dir(), "new.dat").filename(), "new.dat");
}

class ResTableTest : public ::testing::Test {
 protected:
  void writeRes(const std::vector<std::string> &lines) { ASSERT_TRUE(writeTextLines(tmp.dir() / "Res.Dat", lines)); }
  test::TempDir tmp;
};

TEST_F(ResTableTest, ReadsTheEntriesOfOneSection) {
  writeRes({">5", "x|y", ">19", "住宅|60", "医院|90", "办公楼|"});
  auto r = LoadResTable(tmp.dir(), 19, 2);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.entries, (std::vector<std::string>{"住宅", "医院"}));
}

TEST_F(ResTableTest, RefusesMalformedLists) {
  EXPECT_FALSE(LoadResTable(tmp.dir(), 10, 1).ok);  // no file
  writeRes({">19", "a|1"});
  EXPECT_FALSE(LoadResTable(tmp.dir(), 10, 1).ok);  // no section
  EXPECT_FALSE(LoadResTable(tmp.dir(), 19, 2).ok);  // too few entries
  writeRes({">10", "a|1", "b"});
  EXPECT_FALSE(LoadResTable(tmp.dir(), 10, 2).ok);  // an entry without "|"
  writeRes({">10", "a|1", ">11", "b|2"});
  EXPECT_FALSE(LoadResTable(tmp.dir(), 10, 2).ok);  // the next section is no entry
}

TEST(InstalledResDat, NamesSixteenFilesAndElevenBuildingTypes) {
  auto files = LoadResTable(test::builtDataDir(), 10, 16);
  ASSERT_TRUE(files.ok) << files.error;
  for (const auto &name : files.entries) EXPECT_TRUE(findFileNoCase(test::builtDataDir(), name)) << name;
  auto buildings = LoadResTable(test::builtDataDir(), 19, 11);
  ASSERT_TRUE(buildings.ok);
  EXPECT_EQ(buildings.entries[0], "住宅");
  EXPECT_EQ(buildings.entries[7], "食堂、餐厅");
}

}  // namespace vx

#include "common/numeric_csv.h"

namespace vx {

TEST(NumericCsv, ABadRowNamesItsFileAndLine) {
  test::TempDir tmp;
  std::ofstream(tmp.dir() / "t.csv") << "a,b\n1,2\n\n3,x\n";
  std::string error;
  EXPECT_FALSE(readNumericCsv(tmp.dir() / "t.csv", 2, error));
  EXPECT_NE(error.find("t.csv:4:"), std::string::npos) << error;
  std::ofstream(tmp.dir() / "u.csv") << "a,b\n1,2,3\n";
  EXPECT_FALSE(readNumericCsv(tmp.dir() / "u.csv", 2, error));
  EXPECT_NE(error.find("u.csv:2: expected 2 items"), std::string::npos) << error;
  std::ofstream(tmp.dir() / "v.csv") << "a,b\r\n1,2.5\r\n";
  auto rows = readNumericCsv(tmp.dir() / "v.csv", 2, error);
  ASSERT_TRUE(rows);
  EXPECT_EQ((*rows)[0][1], 2.5);
}

}  // namespace vx

namespace vx {

namespace {
std::string contentOf(const std::filesystem::path &p) { return readFileBytes(p).value_or("<missing>"); }
}  // namespace

// A link is written through at its target, a read-only file is refused, and
// the temporaries a killed save left are removed at the next start.
TEST(AtomicWrite, KeepsLinksPermissionsAndCleansUp) {
  test::TempDir dir;
  const auto target = dir.dir() / "real.dat", link = dir.dir() / "Preset.dat";
  ASSERT_TRUE(writeFileAtomic(target, "old"));
  std::filesystem::create_symlink("real.dat", link);
  ASSERT_TRUE(writeFileAtomic(link, "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(contentOf(target), "new");

  std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  EXPECT_FALSE(writeFileAtomic(target, "newer"));
  EXPECT_EQ(contentOf(target), "new");
  EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);

  std::ofstream(dir.dir() / "Veloxa.dat.tmp123456") << "half";
  std::ofstream(dir.dir() / "notes.tmp12") << "the user's";
  EXPECT_EQ(RemoveStaleTemporaries(dir.dir()), 1);
  EXPECT_TRUE(std::filesystem::exists(dir.dir() / "notes.tmp12"));
  for (const auto &entry : std::filesystem::directory_iterator(dir.dir()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp1234"), std::string::npos);
}

// A writer killed at any moment leaves the complete old or the complete new
// file, never a mixture or a truncated one.
TEST(AtomicWrite, AKilledWriterLeavesTheOldOrTheNewFile) {
  test::TempDir dir;
  const auto path = dir.dir() / "Veloxa.dat";
  ASSERT_TRUE(writeFileAtomic(path, std::string(300000, 'o')));
  test::killDuring(
      "atomic write", path, [&] { writeFileAtomic(path, std::string(400000, 'n')); }, test::fileBytes, 200);
}

}  // namespace vx
