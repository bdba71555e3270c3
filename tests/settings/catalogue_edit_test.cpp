// Changes to the catalogue file: saving, deleting with compaction, and the
// password of record 1. Every change keeps record 1 byte for byte.
#include "settings/catalogue_edit.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/record_file.h"
#include "support/temp_data.h"

namespace vx {
namespace {

PlateModel model(const std::string& name, float area = 0.5f) {
  PlateModel m;
  m.ModelName = modelNameField(name);
  m.PortIn1 = m.PortOut1 = m.PortIn2 = m.PortOut2 = 100;
  m.MaxPlates = 300;
  m.PlateArea = area;
  m.PlateThickness = 0.6f;
  m.NarrowSection = 0.002f;
  m.NarrowDiameter = 0.006f;
  m.channels[0] = {0.1f, 0.7f, 10.0f, -0.2f, 0.33f, 100.0f, 10000};
  return m;
}

std::string header() {
  RecordWriter w(kCatalogueRecordLength);
  w.text("HEAD", 10);  // reserved bytes that every change must keep
  w.seek(60);
  w.int32(0x12345678);
  w.seek(kPasswordOffset);
  w.single(7139);
  return w.bytes();
}

const std::string kMarker(kCatalogueRecordLength, '\0');

// The catalogue as these records, record 1 the header.
void write(const test::TempDir& d, const std::vector<std::string>& models) {
  std::string bytes = header();
  for (const auto& r : models) bytes += r;
  ASSERT_TRUE(writeFileAtomic(d.dir() / kCatalogueFile, bytes));
}

std::string bytes(const test::TempDir& d) { return readFileBytes(d.dir() / kCatalogueFile).value_or(""); }

std::string record(const std::string& file, int n) {
  return file.substr(static_cast<size_t>(n - 1) * kCatalogueRecordLength, kCatalogueRecordLength);
}

}  // namespace

TEST(CatalogueEdit, SaveTakesTheEndMarkerOrTheEndAndOverwritesAnExistingName) {
  test::TempDir d;
  // Models at 2 to 4, the end marker at 5 and a record hidden behind it at 6.
  write(d, {writePlateModel(model("A")), writePlateModel(model("B")), writePlateModel(model("C")), kMarker,
            writePlateModel(model("HIDDEN"))});
  auto slot = FindModelSlot(d.dir(), modelNameField("NEW"));
  ASSERT_TRUE(slot);
  EXPECT_EQ(slot->record, 5);
  EXPECT_FALSE(slot->exists);
  ASSERT_EQ(SaveModelRecord(d.dir(), model("NEW")), CatalogueEdit::Done);
  std::string f = bytes(d);
  EXPECT_EQ(f.size(), 6u * kCatalogueRecordLength);
  EXPECT_EQ(record(f, 1), header());
  EXPECT_EQ(record(f, 5), writePlateModel(model("NEW")));
  EXPECT_EQ(record(f, 6), kMarker);  // the marker moved on, over the hidden record

  // An existing name (the full 10-character field) is written in place.
  slot = FindModelSlot(d.dir(), modelNameField("B"));
  EXPECT_EQ(slot->record, 3);
  EXPECT_TRUE(slot->exists);
  ASSERT_EQ(SaveModelRecord(d.dir(), model("B", 0.75f)), CatalogueEdit::Done);
  f = bytes(d);
  EXPECT_EQ(f.size(), 6u * kCatalogueRecordLength);
  EXPECT_FLOAT_EQ(readPlateModel(record(f, 3)).PlateArea, 0.75f);

  // Without an end marker the new model goes after the last record, followed by one.
  test::TempDir e;
  write(e, {writePlateModel(model("A"))});
  ASSERT_EQ(SaveModelRecord(e.dir(), model("Z")), CatalogueEdit::Done);
  f = bytes(e);
  ASSERT_EQ(f.size(), 4u * kCatalogueRecordLength);
  EXPECT_EQ(record(f, 3), writePlateModel(model("Z")));
  EXPECT_EQ(record(f, 4), kMarker);
}

TEST(CatalogueEdit, DeleteCompactsKeepsRecordOneAndChangesNothingForAnUnknownName) {
  test::TempDir d;
  write(d, {writePlateModel(model("A")), writePlateModel(model("B")), writePlateModel(model("C")), kMarker,
            writePlateModel(model("HIDDEN"))});
  const std::string before = bytes(d);
  EXPECT_EQ(DeleteModelRecord(d.dir(), modelNameField("NOPE")), CatalogueEdit::NotFound);
  EXPECT_EQ(bytes(d), before);

  ASSERT_EQ(DeleteModelRecord(d.dir(), modelNameField("B")), CatalogueEdit::Done);
  std::string f = bytes(d);
  // Header, A, C and one end marker: the hidden record is dropped.
  ASSERT_EQ(f.size(), 4u * kCatalogueRecordLength);
  EXPECT_EQ(record(f, 1), header());
  EXPECT_EQ(record(f, 2), writePlateModel(model("A")));
  EXPECT_EQ(record(f, 3), writePlateModel(model("C")));
  EXPECT_EQ(record(f, 4), kMarker);
  EXPECT_FALSE(std::filesystem::exists(d.dir() / "Veloxa1.dat"));

  // The last model leaves an end marker in its place.
  ASSERT_EQ(DeleteModelRecord(d.dir(), modelNameField("C")), CatalogueEdit::Done);
  f = bytes(d);
  ASSERT_EQ(f.size(), 3u * kCatalogueRecordLength);
  EXPECT_EQ(record(f, 3), kMarker);

  // A catalogue of only its header: nothing is found and record 1 stays.
  test::TempDir e;
  write(e, {});
  EXPECT_EQ(DeleteModelRecord(e.dir(), modelNameField("")), CatalogueEdit::NotFound);
  EXPECT_EQ(DeleteModelRecord(e.dir(), std::string(10, '\0')), CatalogueEdit::NotFound);
  EXPECT_EQ(bytes(e), header());
}

TEST(CatalogueEdit, AMissingCatalogueIsNeverCreated) {
  test::TempDir d;
  CatalogueEdit status = CatalogueEdit::Done;
  EXPECT_FALSE(FindModelSlot(d.dir(), modelNameField("A"), &status));
  EXPECT_EQ(status, CatalogueEdit::Missing);
  EXPECT_EQ(SaveModelRecord(d.dir(), model("A")), CatalogueEdit::Missing);
  EXPECT_EQ(DeleteModelRecord(d.dir(), modelNameField("A")), CatalogueEdit::Missing);
  EXPECT_EQ(StorePassword(d.dir(), 1234), CatalogueEdit::Missing);
  EXPECT_FALSE(CataloguePassword(d.dir(), &status));
  EXPECT_EQ(status, CatalogueEdit::Missing);
  EXPECT_TRUE(std::filesystem::is_empty(d.dir()));
}

TEST(CatalogueEdit, PasswordChangesOnlyItsFourBytes) {
  test::TempDir d;
  write(d, {writePlateModel(model("A")), kMarker});
  const std::string before = bytes(d);
  EXPECT_EQ(CataloguePassword(d.dir()), 7139.0f);
  ASSERT_EQ(StorePassword(d.dir(), 2468.5f), CatalogueEdit::Done);
  std::string after = bytes(d);
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i)
    if (i < kPasswordOffset || i >= kPasswordOffset + 4) ASSERT_EQ(after[i], before[i]) << "byte " << i;
  EXPECT_EQ(CataloguePassword(d.dir()), 2468.5f);

  // A file shorter than its header is not grown into one.
  d.dir();
  ASSERT_TRUE(writeFileAtomic(d.dir() / kCatalogueFile, ""));
  EXPECT_EQ(StorePassword(d.dir(), 1), CatalogueEdit::Unreadable);
}

TEST(CatalogueEdit, PasswordTextsCompareAsSinglePrecisionNumbers) {
  EXPECT_EQ(PasswordNumber("7139"), 7139.0f);
  EXPECT_EQ(PasswordNumber("007139.000"), 7139.0f);
  EXPECT_EQ(PasswordNumber("7139abc"), 7139.0f);
  EXPECT_EQ(PasswordNumber(""), 0.0f);
  EXPECT_EQ(PasswordNumber("abc"), 0.0f);
  EXPECT_EQ(PasswordNumber("1e60"), 0.0f);  // beyond single precision: no password
  // Floats near 1.2e8 lie 8 apart: 123456789 and 123456790 differ only in
  // the ninth digit and both round to the float 123456792.
  EXPECT_EQ(PasswordNumber("123456789"), PasswordNumber("123456790"));
  EXPECT_EQ(PasswordNumber("123456789"), 123456792.0f);
}

}  // namespace vx
