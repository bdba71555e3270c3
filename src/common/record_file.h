#pragma once
// Fixed-length record files: record n (from 1) lies at byte (n - 1) x length,
// there is no header, and a record read past the end of the file is all zero
// bytes. Fields are packed without gaps, little-endian; text fields hold GBK
// padded with spaces.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "common/file_io.h"

namespace vx {

// Reads the packed fields of one record in order.
class RecordReader {
 public:
  explicit RecordReader(std::string bytes) : bytes_(std::move(bytes)) {}
  int16_t int16();
  int32_t int32();
  float single();
  double real64();
  // A text field of `width` bytes, converted to UTF-8, padding kept.
  std::string text(int width);
  // The raw bytes of a field, unconverted.
  std::string raw(int width);
  void skip(int width) { pos_ += static_cast<size_t>(width); }
  void seek(int offset) { pos_ = static_cast<size_t>(offset); }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string take(int width);
  std::string bytes_;
  size_t pos_ = 0;
};

// Packs fields in order into a record of a fixed length (zero-filled).
class RecordWriter {
 public:
  explicit RecordWriter(int length) : bytes_(static_cast<size_t>(length), '\0') {}
  // Starts from an existing record, so fields not written stay as they were.
  explicit RecordWriter(std::string bytes) : bytes_(std::move(bytes)) {}
  void int16(int16_t v);
  void int32(int32_t v);
  void single(float v);
  void real64(double v);
  // Writes UTF-8 text as GBK, cut or padded with spaces to `width` bytes.
  void text(const std::string& utf8, int width);
  void raw(const std::string& bytes, int width);
  void seek(int offset) { pos_ = static_cast<size_t>(offset); }
  const std::string& bytes() const { return bytes_; }

 private:
  void put(const void* p, size_t n);
  std::string bytes_;
  size_t pos_ = 0;
};

// A record file held in memory between load and save. Files are small, and
// holding the whole file lets every save replace the file safely.
class RecordFile {
 public:
  RecordFile(std::filesystem::path path, int recordLength)
      : path_(std::move(path)), length_(recordLength) {}

  // Reads the file. False when it is missing, unreadable or oversized.
  bool load();
  // Starts an empty file in memory (for files that do not exist yet).
  void clear() { bytes_.clear(); }
  // Whole records in the file; a trailing partial record is not counted.
  int count() const { return static_cast<int>(bytes_.size() / static_cast<size_t>(length_)); }
  // Bytes as loaded, a trailing partial record included.
  std::size_t size() const { return bytes_.size(); }
  // Record n, zero-padded where the file ends before it.
  std::string record(int n) const;
  RecordReader reader(int n) const { return RecordReader(record(n)); }
  // Sets record n, growing the file with zero records when needed.
  void setRecord(int n, const std::string& bytes);
  // Keeps only the first n records.
  void truncate(int n);
  // Writes the file safely (temporary file, then rename); `fault`, when
  // given, receives why it failed.
  bool save(WriteFault* fault = nullptr) const;

  const std::filesystem::path& path() const { return path_; }
  int length() const { return length_; }

 private:
  std::filesystem::path path_;
  int length_;
  std::string bytes_;
};

// A text as a fixed-width field holds it: cut (on a character boundary) or
// padded with blanks to `width` bytes of GBK, returned as UTF-8.
std::string FixedText(const std::string& utf8, int width);

// Trims spaces and NUL characters from both ends of a text field.
std::string trimField(const std::string& s);

}  // namespace vx
