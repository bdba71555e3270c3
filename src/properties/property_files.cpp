#include "properties/property_files.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/record_file.h"

namespace fs = std::filesystem;

namespace vx {

namespace {

std::optional<RecordFile> load(const fs::path& dir, const char* name, int length) {
  auto path = findFileNoCase(dir, name);
  if (!path) return std::nullopt;
  RecordFile file(*path, length);
  if (!file.load()) return std::nullopt;
  return file;
}

}  // namespace

std::vector<std::string> ListCommonFluids(const fs::path& dir) {
  std::vector<std::string> names;
  auto file = load(dir, kCommonFluidFile, kPubDataRecordLength);
  if (!file) return names;
  for (int n = 1; n <= file->count(); ++n) {
    std::string bytes = file->record(n);
    if (isBlankRecord(bytes, 0, kCommonNameWidth)) break;
    names.push_back(readPubDataRecord(bytes).Name);
  }
  return names;
}

std::optional<PubDataRecord> ReadCommonFluid(const fs::path& dir, int n) {
  auto file = load(dir, kCommonFluidFile, kPubDataRecordLength);
  if (!file || n < 1 || n > file->count()) return std::nullopt;
  PubDataRecord rec = readPubDataRecord(file->record(n));
  if (!isSound(rec)) return std::nullopt;
  return rec;
}

std::vector<std::string> ListBaseData(const fs::path& dir) {
  std::vector<std::string> names;
  auto file = load(dir, kBaseDataFile, kBaseDataRecordLength);
  if (!file) return names;
  const int last = std::min(file->count(), kBaseDataCount);
  for (int n = 1; n <= last; ++n) {
    std::string name = readBaseDataRecord(file->record(n)).NameCn;
    names.push_back(name.substr(0, name.find(' ')));
  }
  return names;
}

std::vector<std::string> ListBaseDataSearchTexts(const fs::path& dir) {
  std::vector<std::string> texts;
  auto file = load(dir, kBaseDataFile, kBaseDataRecordLength);
  if (!file) return texts;
  const int last = std::min(file->count(), kBaseDataCount);
  for (int n = 1; n <= last; ++n) {
    const BaseDataRecord rec = readBaseDataRecord(file->record(n));
    std::string text = rec.NameCn.substr(0, rec.NameCn.find(' '));
    for (const std::string* more : {&rec.Formula, &rec.AliasCn, &rec.NameEn}) {
      const std::string t = trimField(*more);
      if (!t.empty() && t != text) text += "  " + t;
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

std::optional<BaseDataRecord> ReadBaseData(const fs::path& dir, int n) {
  auto file = load(dir, kBaseDataFile, kBaseDataRecordLength);
  if (!file || n < 1 || n > std::min(file->count(), kBaseDataCount)) return std::nullopt;
  BaseDataRecord rec = readBaseDataRecord(file->record(n));
  if (!isSound(rec)) return std::nullopt;
  return rec;
}

}  // namespace vx
