#include "settings/company_record.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/gbk.h"
#include "common/record_file.h"
#include "support/temp_data.h"

namespace vx {
namespace {

CompanyRecord sample() {
  CompanyRecord c;
  c.CompanyName = "华东换热设备有限公司";
  c.Address = "一号路";
  c.Telephone = "111";
  c.Fax = "222";
  c.Postcode = "200000";
  return c;
}

TEST(CompanyRecord, FieldsLieAtTheirOffsetsPaddedWithBlanks) {
  std::string bytes = writeCompanyRecord(sample());
  ASSERT_EQ(bytes.size(), 290u);
  std::string name = toGbk("华东换热设备有限公司");  // 10 characters, 20 bytes
  EXPECT_EQ(bytes.substr(0, 100), name + std::string(80, ' '));
  EXPECT_EQ(bytes.substr(100, 100), toGbk("一号路") + std::string(94, ' '));
  EXPECT_EQ(bytes.substr(200, 30), "111" + std::string(27, ' '));
  EXPECT_EQ(bytes.substr(230, 30), "222" + std::string(27, ' '));
  EXPECT_EQ(bytes.substr(260, 30), "200000" + std::string(24, ' '));

  CompanyRecord back = readCompanyRecord(bytes);
  EXPECT_EQ(back.CompanyName, "华东换热设备有限公司" + std::string(80, ' '));  // padding kept for the window
  EXPECT_EQ(back.Postcode, "200000" + std::string(24, ' '));
}

TEST(CompanyRecord, SavingTwiceKeepsOneRecord) {
  test::TempDir tmp;
  ASSERT_TRUE(WriteCompanyRecord(tmp.dir(), sample()));
  CompanyRecord changed = sample();
  changed.Fax = "333";
  ASSERT_TRUE(WriteCompanyRecord(tmp.dir(), changed));
  EXPECT_EQ(std::filesystem::file_size(tmp.dir() / "Coinfor.dat"), 290u);
  auto back = ReadCompanyRecord(tmp.dir());
  ASSERT_TRUE(back);
  EXPECT_EQ(trimField(back->Fax), "333");
  EXPECT_EQ(trimField(back->Telephone), "111");
}

TEST(CompanyRecord, LongNamesAreCutToTheFieldWidth) {
  test::TempDir tmp;
  CompanyRecord c;
  for (int i = 0; i < 60; ++i) c.CompanyName += "热";  // 120 bytes of GBK
  ASSERT_TRUE(WriteCompanyRecord(tmp.dir(), c));
  auto back = ReadCompanyRecord(tmp.dir());
  ASSERT_TRUE(back);
  std::string fifty;
  for (int i = 0; i < 50; ++i) fifty += "热";
  EXPECT_EQ(back->CompanyName, fifty);  // 100 bytes, no padding left
  EXPECT_EQ(CompanyText(tmp.dir(), 0), fifty);
}

TEST(CompanyRecord, AMissingFileReadsAsAnEmptyRecord) {
  test::TempDir tmp;
  auto c = ReadCompanyRecord(tmp.dir());
  ASSERT_TRUE(c);
  EXPECT_EQ(c->CompanyName, "");
  EXPECT_EQ(c->Postcode, "");
  EXPECT_FALSE(std::filesystem::exists(tmp.dir() / "Coinfor.dat"));  // reading writes nothing
  EXPECT_EQ(CompanyText(tmp.dir(), 0), "");
  EXPECT_EQ(CompanyText(tmp.dir(), 1), "地址:    电话:    传真: ");
}

TEST(CompanyRecord, ShortOrLongFilesReadRecordOne) {
  test::TempDir tmp;
  // Only the name was ever written: the rest reads as zero bytes, that is empty.
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "coinfor.DAT", "ABC" + std::string(97, ' ')));
  auto c = ReadCompanyRecord(tmp.dir());
  ASSERT_TRUE(c);
  EXPECT_EQ(trimField(c->CompanyName), "ABC");
  EXPECT_EQ(c->Address, "");
  EXPECT_EQ(c->Fax, "");
  // A second record left by a damaged file is ignored, and goes on the next save.
  std::string two = writeCompanyRecord(sample()) + std::string(290, 'x');
  ASSERT_TRUE(writeFileAtomic(tmp.dir() / "coinfor.DAT", two));
  EXPECT_EQ(CompanyText(tmp.dir(), 1), "地址: 一号路   电话: 111   传真: 222");
  ASSERT_TRUE(WriteCompanyRecord(tmp.dir(), sample()));
  EXPECT_EQ(std::filesystem::file_size(tmp.dir() / "coinfor.DAT"), 290u);
}

TEST(CompanyText, KindZeroIsTheNameKindOneTheAddressLine) {
  test::TempDir tmp;
  ASSERT_TRUE(WriteCompanyRecord(tmp.dir(), sample()));
  EXPECT_EQ(CompanyText(tmp.dir(), 0), "华东换热设备有限公司");
  EXPECT_EQ(CompanyText(tmp.dir(), 1), "地址: 一号路   电话: 111   传真: 222");  // the postcode is not printed
  EXPECT_EQ(CompanyText(tmp.dir(), 2), "");
  EXPECT_EQ(CompanyText(tmp.dir(), -1), "");
}

TEST(CompanyText, OnlyThePaddingIsRemoved) {
  test::TempDir tmp;
  CompanyRecord c;
  c.CompanyName = "ABC Heat";
  c.Address = "No. 1 Road";
  c.Telephone = "021 1234 5678";
  c.Fax = "";
  ASSERT_TRUE(WriteCompanyRecord(tmp.dir(), c));
  // Blanks inside a field belong to it: a name or an address is never cut short.
  EXPECT_EQ(CompanyText(tmp.dir(), 0), "ABC Heat");
  EXPECT_EQ(CompanyText(tmp.dir(), 1), "地址: No. 1 Road   电话: 021 1234 5678   传真: ");
}

TEST(CompanyText, AnUnreadableFileGivesEmptyTexts) {
  test::TempDir tmp;
  std::filesystem::create_directory(tmp.dir() / "Coinfor.dat");  // not a file
  EXPECT_FALSE(ReadCompanyRecord(tmp.dir()));
  EXPECT_EQ(CompanyText(tmp.dir(), 0), "");
  EXPECT_FALSE(WriteCompanyRecord(tmp.dir(), sample()));
}

}  // namespace
}  // namespace vx
