#include "properties/self_data.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/record_file.h"

namespace fs = std::filesystem;

namespace vx {

namespace {

enum class Loaded { Ok, Missing, Damaged };

// A missing file is an empty database; a file that exists but cannot be read
// must not be overwritten, or its records would be lost.
Loaded loadSelfFile(RecordFile& file) {
  std::error_code ec;
  if (!fs::exists(file.path(), ec)) {
    file.clear();
    return ec ? Loaded::Damaged : Loaded::Missing;
  }
  return file.load() ? Loaded::Ok : Loaded::Damaged;
}

RecordFile selfFile(const fs::path& dir) { return RecordFile(dataPath(dir, kSelfDataFile), kPropertyRecordLength); }

bool isBlank(const std::string& record) { return isBlankRecord(record, 0, kSelfNameWidth); }

std::string lowerAscii(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

// The name as the file would hold it: cut to its field and without padding,
// so that a long name finds its own record again on the next save.
std::string storedName(const std::string& name) {
  PropertyRecord rec;
  rec.Name = name;
  return readPropertyRecord(writePropertyRecord(rec)).Name;
}

std::string trimBlanks(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

bool columnRefused(const PropertyRecord& rec, int k) {
  const double product = static_cast<double>(rec.Density[k]) * rec.SpecificHeat[k] * rec.Conductivity[k] *
                         rec.Viscosity[k];
  const bool finite = std::isfinite(rec.Temperature[k]) && std::isfinite(rec.Density[k]) &&
                      std::isfinite(rec.VapourDensity[k]) && std::isfinite(rec.SpecificHeat[k]) &&
                      std::isfinite(rec.Conductivity[k]) && std::isfinite(rec.Viscosity[k]) &&
                      std::isfinite(rec.LatentHeat[k]);
  // A density, heat capacity, conductivity or viscosity of 0 or below would
  // reach the rating as a division by zero or a negative Reynolds number.
  const bool positive = rec.Density[k] > 0 && rec.SpecificHeat[k] > 0 && rec.Conductivity[k] > 0 &&
                        rec.Viscosity[k] > 0;
  return !finite || product == 0.0 || !positive;
}

}  // namespace

std::vector<SelfDataEntry> ListSelfData(const fs::path& dir) {
  std::vector<SelfDataEntry> list;
  RecordFile file = selfFile(dir);
  if (loadSelfFile(file) != Loaded::Ok) return list;
  for (int n = 1; n <= file.count(); ++n) {
    std::string bytes = file.record(n);
    if (isBlank(bytes)) break;
    list.push_back({readPropertyRecord(bytes).Name, n});
  }
  return list;
}

std::optional<PropertyRecord> ReadSelfData(const fs::path& dir, int n) {
  RecordFile file = selfFile(dir);
  if (loadSelfFile(file) != Loaded::Ok) return std::nullopt;
  if (n < 1 || n > file.count()) return std::nullopt;
  PropertyRecord rec = readPropertyRecord(file.record(n));
  if (!isSound(rec)) return std::nullopt;
  return rec;
}

namespace {

enum class Saved { Written, Damaged, Ask, Refused, Unwritable };

// One attempt of the save, on the file as it is on disk, under the folder's
// lock. Stops with Ask, writing nothing, when the medium is there and the
// person has not yet agreed to replace it.
Saved saveUnderLock(const fs::path& dir, const std::string& name, const SelfDataColumns& values,
                    const std::string& remark, bool replaceAgreed, int& position, WriteFault& fault) {
  DataFolderLock lock(dir);
  RecordFile file = selfFile(dir);
  if (loadSelfFile(file) == Loaded::Damaged) return Saved::Damaged;

  // The first record of the same name, or the first blank record (the end
  // of the list) for a new medium.
  const std::string wanted = lowerAscii(storedName(name));
  bool update = false;
  for (int n = 1;; ++n) {
    std::string bytes = file.record(n);
    if (n > file.count() || isBlank(bytes)) {
      position = n;
      break;
    }
    if (lowerAscii(readPropertyRecord(bytes).Name) == wanted) {
      if (!replaceAgreed) return Saved::Ask;
      position = n;
      update = true;
      break;
    }
  }

  // An update starts from the stored record so that element 3 stays; a new
  // record starts from zero bytes.
  PropertyRecord rec = update ? readPropertyRecord(file.record(position)) : PropertyRecord{};
  rec.Name = name;
  for (int k = 0; k < 3; ++k) {
    rec.Temperature[k] = values.Temperature[k];
    rec.Density[k] = values.Density[k];
    rec.VapourDensity[k] = values.VapourDensity[k];
    rec.SpecificHeat[k] = values.SpecificHeat[k];
    rec.Conductivity[k] = values.Conductivity[k];
    rec.Viscosity[k] = values.Viscosity[k];
    rec.LatentHeat[k] = values.LatentHeat[k];
    if (columnRefused(rec, k)) return Saved::Refused;
  }
  rec.Remark = remark;

  RecordWriter w(update ? file.record(position) : std::string(kPropertyRecordLength, '\0'));
  writePropertyRecord(w, rec);
  file.setRecord(position, w.bytes());
  return file.save(&fault) ? Saved::Written : Saved::Unwritable;
}

}  // namespace

std::optional<int> SaveSelfData(const fs::path& dir, Host& host, const std::string& name,
                                const SelfDataColumns& values, const std::string& remark) {
  if (trimBlanks(name).empty()) {
    ShowMessage(host, 524, {}, Icon::Information);
    return std::nullopt;
  }
  // The question waits outside the lock, so another copy is never kept
  // waiting for an answer; the save then looks at the file again.
  bool replaceAgreed = false;
  for (;;) {
    int position = 0;
    WriteFault fault = WriteFault::Other;
    switch (saveUnderLock(dir, name, values, remark, replaceAgreed, position, fault)) {
      case Saved::Written: return position;
      case Saved::Ask:
        if (ShowMessage(host, 523, {}, Icon::None, Buttons::YesNo) != Answer::Yes) return std::nullopt;
        replaceAgreed = true;
        continue;
      case Saved::Refused: ShowMessage(host, 524, {}, Icon::Critical); return std::nullopt;
      case Saved::Unwritable:
        // A cause the system names is told with the file; others keep the code.
        if (fault != WriteFault::Other && fault != WriteFault::None) {
          ShowMessage(host, 581, {"|1", dataPath(dir, kSelfDataFile).string(), "|2", WriteFaultText(fault)},
                      Icon::Critical);
          return std::nullopt;
        }
        [[fallthrough]];
      case Saved::Damaged: ShowMessage(host, 569, {"|1", "75"}, Icon::Critical); return std::nullopt;
    }
    return std::nullopt;
  }
}

bool DeleteSelfData(const fs::path& dir, int n, const std::optional<std::string>& name) {
  DataFolderLock lock(dir);
  RecordFile file = selfFile(dir);
  if (loadSelfFile(file) != Loaded::Ok) return false;
  const int count = file.count();
  // The list the person chose from may be older than the file: the medium
  // is found by its name where it is now.
  if (name && (n < 1 || n > count || readPropertyRecord(file.record(n)).Name != *name)) {
    n = 0;
    for (int k = 1; k <= count && !n; ++k)
      if (!isBlank(file.record(k)) && readPropertyRecord(file.record(k)).Name == *name) n = k;
    if (!n) return true;  // already gone
  }
  if (n < 1 || n > count) return false;
  RecordFile copy(file.path(), kPropertyRecordLength);
  int next = 1;
  for (int k = 1; k <= count; ++k) {
    if (k != n) copy.setRecord(next++, file.record(k));
  }
  return copy.save();
}

bool TidySelfData(const fs::path& dir) {
  DataFolderLock lock(dir);
  RecordFile file = selfFile(dir);
  switch (loadSelfFile(file)) {
    case Loaded::Missing: return true;
    case Loaded::Damaged: return false;
    case Loaded::Ok: break;
  }
  RecordFile tidy(file.path(), kPropertyRecordLength);
  for (int k = 1; k <= file.count(); ++k) {
    std::string bytes = file.record(k);
    if (!isBlank(bytes)) tidy.setRecord(k, bytes);
  }
  // Opening the window should not rewrite a file that is already tidy.
  std::error_code ec;
  const auto size = fs::file_size(file.path(), ec);
  bool same = !ec && size == static_cast<std::uintmax_t>(tidy.count()) * kPropertyRecordLength;
  for (int k = 1; same && k <= tidy.count(); ++k) same = tidy.record(k) == file.record(k);
  return same || tidy.save();
}

}  // namespace vx
