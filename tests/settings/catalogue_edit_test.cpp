// Changes to the catalogue file: saving at the end marker, deleting with
// compaction, and never creating a missing catalogue. Record 1 stays byte
// for byte through every change.
#include "settings/catalogue_edit.h"

#include <gtest/gtest.h>

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/record_file.h"
#include "support/temp_data.h"

namespace vx {
namespace {

std::string rec(const std::string& name, float area = 0.5f) {
  PlateModel m;
  m.ModelName = modelNameField(name);
  m.PlateArea = area;
  return writePlateModel(m);
}

std::string header() {
  RecordWriter w(kCatalogueRecordLength);
  w.text("HEAD", 10);  // reserved bytes that every change must keep
  w.seek(kPasswordOffset);
  w.single(7139);
  return w.bytes();
}

const std::string kMarker(kCatalogueRecordLength, '\0');

struct File {
  test::TempDir d;
  explicit File(const std::vector<std::string>& models) {
    std::string bytes = header();
    for (const auto& r : models) bytes += r;
    EXPECT_TRUE(writeFileAtomic(d.dir() / kCatalogueFile, bytes));
  }
  std::string bytes() const { return readFileBytes(d.dir() / kCatalogueFile).value_or(""); }
  // Record n as file bytes, "" past the end.
  std::string at(int n) const {
    std::string b = bytes();
    size_t pos = static_cast<size_t>(n - 1) * kCatalogueRecordLength;
    return pos < b.size() ? b.substr(pos, kCatalogueRecordLength) : "";
  }
  size_t records() const { return bytes().size() / kCatalogueRecordLength; }
};

}  // namespace

TEST(CatalogueEdit, ANewModelTakesTheEndMarkerWhichMovesOn) {
  // Models at 2 to 4, the end marker at 5 and a record hidden behind it at 6.
  File f({rec("A"), rec("B"), rec("C"), kMarker, rec("HIDDEN")});
  auto slot = FindModelSlot(f.d.dir(), modelNameField("NEW"));
  ASSERT_TRUE(slot);
  EXPECT_EQ(slot->record, 5);
  EXPECT_FALSE(slot->exists);
  ASSERT_EQ(SaveModelRecord(f.d.dir(), readPlateModel(rec("NEW"))), CatalogueEdit::Done);
  EXPECT_EQ(f.records(), 6u);
  EXPECT_EQ(f.at(1), header());
  EXPECT_EQ(f.at(5), rec("NEW"));
  EXPECT_EQ(f.at(6), kMarker);
  // An existing name is written in place.
  ASSERT_EQ(SaveModelRecord(f.d.dir(), readPlateModel(rec("B", 0.75f))), CatalogueEdit::Done);
  EXPECT_EQ(f.records(), 6u);
  EXPECT_EQ(f.at(3), rec("B", 0.75f));

  // Without an end marker the model goes after the last record, followed by one.
  File g({rec("A")});
  ASSERT_EQ(SaveModelRecord(g.d.dir(), readPlateModel(rec("Z"))), CatalogueEdit::Done);
  EXPECT_EQ(g.at(3), rec("Z"));
  EXPECT_EQ(g.at(4), kMarker);
  EXPECT_EQ(g.records(), 4u);
}

TEST(CatalogueEdit, DeleteCompactsAndAnUnknownNameChangesNothing) {
  File f({rec("A"), rec("B"), rec("C"), kMarker, rec("HIDDEN")});
  const std::string before = f.bytes();
  EXPECT_EQ(DeleteModelRecord(f.d.dir(), modelNameField("NOPE")), CatalogueEdit::NotFound);
  EXPECT_EQ(f.bytes(), before);
  // Header, A, C and one end marker: what stood behind the marker is dropped.
  ASSERT_EQ(DeleteModelRecord(f.d.dir(), modelNameField("B")), CatalogueEdit::Done);
  EXPECT_EQ(f.bytes(), header() + rec("A") + rec("C") + kMarker);
  EXPECT_FALSE(std::filesystem::exists(f.d.dir() / "Veloxa1.dat"));
  // The last model leaves an end marker in its place.
  ASSERT_EQ(DeleteModelRecord(f.d.dir(), modelNameField("C")), CatalogueEdit::Done);
  EXPECT_EQ(f.bytes(), header() + rec("A") + kMarker);

  // A catalogue of only its header: even the name of a blank record is not found.
  File h({});
  EXPECT_EQ(DeleteModelRecord(h.d.dir(), std::string(10, '\0')), CatalogueEdit::NotFound);
  EXPECT_EQ(h.bytes(), header());
}

TEST(CatalogueEdit, AMissingCatalogueIsNeverCreated) {
  test::TempDir d;
  CatalogueEdit status = CatalogueEdit::Done;
  EXPECT_FALSE(FindModelSlot(d.dir(), modelNameField("A"), &status));
  EXPECT_EQ(status, CatalogueEdit::Missing);
  EXPECT_EQ(SaveModelRecord(d.dir(), readPlateModel(rec("A"))), CatalogueEdit::Missing);
  EXPECT_EQ(DeleteModelRecord(d.dir(), modelNameField("A")), CatalogueEdit::Missing);
  EXPECT_EQ(StorePassword(d.dir(), 1234), CatalogueEdit::Missing);
  // Only the lock every change takes is there.
  std::filesystem::remove(d.dir() / kDataLockFile);
  EXPECT_TRUE(std::filesystem::is_empty(d.dir()));
  // Nor is an empty file grown into one around a header that is not there.
  ASSERT_TRUE(writeFileAtomic(d.dir() / kCatalogueFile, ""));
  EXPECT_EQ(StorePassword(d.dir(), 1), CatalogueEdit::Unreadable);
}

TEST(CatalogueEdit, PasswordTextsCompareAsSinglePrecisionNumbers) {
  EXPECT_EQ(PasswordNumber("007139.000"), 7139.0f);
  EXPECT_EQ(PasswordNumber("7139abc"), 7139.0f);
  EXPECT_EQ(PasswordNumber(""), 0.0f);
  EXPECT_EQ(PasswordNumber("1e60"), 0.0f);  // beyond single precision: no password
  // Floats near 1.2e8 lie 8 apart: 123456789 and 123456790 both round to 123456792.
  EXPECT_EQ(PasswordNumber("123456790"), 123456792.0f);
  EXPECT_EQ(PasswordNumber("123456789"), PasswordNumber("123456790"));
}

}  // namespace vx
