#include "settings/catalogue_edit.h"

#include <limits>

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/number_text.h"
#include "common/record_file.h"

namespace vx {
namespace {

bool endMarker(const std::string& record) {
  for (int i = 0; i < kModelNameWidth; ++i)
    if (record[static_cast<size_t>(i)] != '\0') return false;
  return true;
}

// Records in the file, a trailing partial record counted (it reads padded with zeros).
int recordCount(const std::filesystem::path& path) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) return 0;
  return static_cast<int>((size + kCatalogueRecordLength - 1) / kCatalogueRecordLength);
}

std::optional<RecordFile> openCatalogue(const std::filesystem::path& dir, CatalogueEdit* status) {
  auto path = findFileNoCase(dir, kCatalogueFile);
  if (!path) {
    if (status) *status = CatalogueEdit::Missing;
    return std::nullopt;
  }
  RecordFile file(*path, kCatalogueRecordLength);
  if (!file.load()) {
    if (status) *status = CatalogueEdit::Unreadable;
    return std::nullopt;
  }
  if (status) *status = CatalogueEdit::Done;
  return file;
}

// The stored name field of a record, as the catalogue reader gives it.
std::string nameOf(const std::string& record) { return readPlateModel(record).ModelName; }

ModelSlot slotIn(const RecordFile& file, const std::string& key) {
  const int count = recordCount(file.path());
  int n = 2;
  for (; n <= count; ++n) {
    std::string record = file.record(n);
    if (endMarker(record)) return {n, false};
    if (nameOf(record) == key) return {n, true};
  }
  return {n, false};
}

}  // namespace

std::string WriteFailureText(const std::string& file) { return "无法写入文件“" + file + "”，数据没有保存。"; }

std::optional<ModelSlot> FindModelSlot(const std::filesystem::path& dir, const std::string& key,
                                       CatalogueEdit* status) {
  auto file = openCatalogue(dir, status);
  if (!file) return std::nullopt;
  return slotIn(*file, key);
}

CatalogueEdit SaveModelRecord(const std::filesystem::path& dir, const PlateModel& model) {
  DataFolderLock lock(dir);
  CatalogueEdit status;
  auto file = openCatalogue(dir, &status);
  if (!file) return status;
  ModelSlot slot = slotIn(*file, model.ModelName);
  if (!slot.exists) file->setRecord(slot.record + 1, file->record(slot.record));
  file->setRecord(slot.record, writePlateModel(model));
  return file->save() ? CatalogueEdit::Done : CatalogueEdit::WriteFailed;
}

CatalogueEdit DeleteModelRecord(const std::filesystem::path& dir, const std::string& key) {
  DataFolderLock lock(dir);
  CatalogueEdit status;
  auto file = openCatalogue(dir, &status);
  if (!file) return status;
  const int count = recordCount(file->path());
  int found = 0;
  for (int n = 2; n <= count && !found; ++n)
    if (nameOf(file->record(n)) == key) found = n;
  if (!found) return CatalogueEdit::NotFound;
  // The moved-up records with an empty record at the end, then compacted:
  // record 1, the models up to the first end marker, and that marker.
  std::string bytes = file->record(1);
  for (int n = 2; n <= count; ++n) {
    if (n == found) continue;
    std::string record = file->record(n);
    if (endMarker(record)) break;
    bytes += record;
  }
  bytes += std::string(kCatalogueRecordLength, '\0');
  return writeFileAtomic(file->path(), bytes) ? CatalogueEdit::Done : CatalogueEdit::WriteFailed;
}

std::optional<float> CataloguePassword(const std::filesystem::path& dir, CatalogueEdit* status) {
  auto file = openCatalogue(dir, status);
  if (!file) return std::nullopt;
  // A header cut before the end of the password holds none: reading it as
  // zeros would open the lock with an empty text.
  std::error_code ec;
  const auto size = std::filesystem::file_size(file->path(), ec);
  if (ec || size < static_cast<std::uintmax_t>(kPasswordOffset) + 4) {
    if (status) *status = CatalogueEdit::Unreadable;
    return std::nullopt;
  }
  RecordReader r = file->reader(1);
  r.seek(kPasswordOffset);
  return r.single();
}

float PasswordNumber(const std::string& text) {
  double v = Val(text);
  // Val gives 0 for an overflowing number; a double beyond single range is no password either.
  constexpr double kMax = std::numeric_limits<float>::max();
  if (!(v >= -kMax && v <= kMax)) return 0;
  return static_cast<float>(v);
}

CatalogueEdit StorePassword(const std::filesystem::path& dir, float password) {
  DataFolderLock lock(dir);
  CatalogueEdit status;
  auto file = openCatalogue(dir, &status);
  if (!file) return status;
  if (file->count() < 1) return CatalogueEdit::Unreadable;
  RecordWriter w(file->record(1));
  w.seek(kPasswordOffset);
  w.single(password);
  file->setRecord(1, w.bytes());
  return file->save() ? CatalogueEdit::Done : CatalogueEdit::WriteFailed;
}

}  // namespace vx
