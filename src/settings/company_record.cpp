#include "settings/company_record.h"

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/gbk.h"
#include "common/messages.h"
#include "common/record_file.h"

namespace vx {
namespace {

// A text field up to its first zero byte: GBK never holds one, so zeros are
// bytes the file never had.
std::string field(RecordReader& r, int width) {
  std::string raw = r.raw(width);
  size_t zero = raw.find('\0');
  if (zero != std::string::npos) raw.resize(zero);
  return fromGbk(raw);
}

}  // namespace

CompanyRecord readCompanyRecord(const std::string& bytes) {
  RecordReader r(bytes);
  CompanyRecord c;
  c.CompanyName = field(r, kCompanyNameWidth);
  c.Address = field(r, kAddressWidth);
  c.Telephone = field(r, kTelephoneWidth);
  c.Fax = field(r, kFaxWidth);
  c.Postcode = field(r, kPostcodeWidth);
  return c;
}

std::string writeCompanyRecord(const CompanyRecord& c) {
  RecordWriter w(kCompanyRecordLength);
  w.text(c.CompanyName, kCompanyNameWidth);
  w.text(c.Address, kAddressWidth);
  w.text(c.Telephone, kTelephoneWidth);
  w.text(c.Fax, kFaxWidth);
  w.text(c.Postcode, kPostcodeWidth);
  return w.bytes();
}

std::optional<CompanyRecord> ReadCompanyRecord(const std::filesystem::path& dir) {
  auto path = findFileNoCase(dir, kCompanyFile);
  if (!path) return CompanyRecord{};
  RecordFile file(*path, kCompanyRecordLength);
  if (!file.load()) return std::nullopt;
  return readCompanyRecord(file.record(1));
}

bool WriteCompanyRecord(const std::filesystem::path& dir, const CompanyRecord& r) {
  // One record only: whatever a damaged file held after record 1 goes.
  DataFolderLock lock(dir);
  RecordFile file(dataPath(dir, kCompanyFile), kCompanyRecordLength);
  file.setRecord(1, writeCompanyRecord(r));
  return file.save();
}

std::string CompanyText(const std::filesystem::path& dir, int kind) {
  CompanyRecord c = ReadCompanyRecord(dir).value_or(CompanyRecord{});
  // Only the padding goes: a name such as "ABC Heat" is printed whole.
  if (kind == 0) return trimField(c.CompanyName);
  if (kind == 1)
    return LoadMessage(203) + ": " + trimField(c.Address) + "   " + LoadMessage(335) + ": " + trimField(c.Telephone) +
           "   " + LoadMessage(256) + ": " + trimField(c.Fax);
  return "";
}

}  // namespace vx
