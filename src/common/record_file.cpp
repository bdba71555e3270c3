#include "common/record_file.h"

#include <cstring>

#include "common/file_io.h"
#include "common/gbk.h"

namespace vx {

std::string RecordReader::take(int width) {
  std::string out(static_cast<size_t>(width), '\0');
  for (size_t i = 0; i < out.size(); ++i) {
    if (pos_ + i < bytes_.size()) out[i] = bytes_[pos_ + i];
  }
  pos_ += static_cast<size_t>(width);
  return out;
}

template <typename T>
static T little(const std::string& b) {
  T v;
  std::memcpy(&v, b.data(), sizeof v);  // x86 and ARM Linux are little-endian
  return v;
}

int16_t RecordReader::int16() { return little<int16_t>(take(2)); }
int32_t RecordReader::int32() { return little<int32_t>(take(4)); }
float RecordReader::single() { return little<float>(take(4)); }
double RecordReader::real64() { return little<double>(take(8)); }
std::string RecordReader::text(int width) { return fromGbk(take(width)); }
std::string RecordReader::raw(int width) { return take(width); }

void RecordWriter::put(const void* p, size_t n) {
  if (pos_ + n > bytes_.size()) bytes_.resize(pos_ + n, '\0');
  std::memcpy(bytes_.data() + pos_, p, n);
  pos_ += n;
}

void RecordWriter::int16(int16_t v) { put(&v, sizeof v); }
void RecordWriter::int32(int32_t v) { put(&v, sizeof v); }
void RecordWriter::single(float v) { put(&v, sizeof v); }
void RecordWriter::real64(double v) { put(&v, sizeof v); }

void RecordWriter::text(const std::string& utf8, int width) {
  std::string g = toGbk(utf8);
  if (g.size() > static_cast<size_t>(width)) {
    g.resize(static_cast<size_t>(width));
    // Do not leave half of a two-byte character at the end.
    size_t i = 0;
    while (i < g.size()) {
      if (static_cast<unsigned char>(g[i]) >= 0x81) {
        if (i + 1 >= g.size()) {
          g[i] = ' ';
          break;
        }
        i += 2;
      } else {
        ++i;
      }
    }
  }
  g.resize(static_cast<size_t>(width), ' ');
  put(g.data(), g.size());
}

void RecordWriter::raw(const std::string& bytes, int width) {
  std::string b = bytes;
  b.resize(static_cast<size_t>(width), '\0');
  put(b.data(), b.size());
}

bool RecordFile::load() {
  auto bytes = readFileBytes(path_);
  if (!bytes) return false;
  bytes_ = std::move(*bytes);
  return true;
}

std::string RecordFile::record(int n) const {
  std::string out(static_cast<size_t>(length_), '\0');
  if (n < 1) return out;
  size_t start = static_cast<size_t>(n - 1) * static_cast<size_t>(length_);
  for (size_t i = 0; i < out.size() && start + i < bytes_.size(); ++i) out[i] = bytes_[start + i];
  return out;
}

void RecordFile::setRecord(int n, const std::string& bytes) {
  if (n < 1) return;
  size_t start = static_cast<size_t>(n - 1) * static_cast<size_t>(length_);
  if (bytes_.size() < start + static_cast<size_t>(length_)) bytes_.resize(start + static_cast<size_t>(length_), '\0');
  for (size_t i = 0; i < static_cast<size_t>(length_); ++i) bytes_[start + i] = i < bytes.size() ? bytes[i] : '\0';
}

void RecordFile::truncate(int n) {
  size_t size = static_cast<size_t>(n < 0 ? 0 : n) * static_cast<size_t>(length_);
  if (bytes_.size() > size) bytes_.resize(size);
}

bool RecordFile::save(WriteFault* fault) const { return writeFileAtomic(path_, bytes_, fault); }

std::string FixedText(const std::string& utf8, int width) {
  RecordWriter w(width);
  w.text(utf8, width);
  return fromGbk(w.bytes());
}

std::string trimField(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\0')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\0')) --e;
  return s.substr(b, e - b);
}

}  // namespace vx
