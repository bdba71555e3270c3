#pragma once
// Two copies of the program may run on one data folder. Every change of a
// shared data file is made while holding this lock, reading the file as it
// is on disk, so neither copy writes over the other's change.
#include <filesystem>

namespace vx {

// The lock file, kept in the data folder; it holds no data.
inline constexpr const char* kDataLockFile = ".veloxa.lock";

// An exclusive advisory lock (flock) on the lock file of a data folder, held
// from construction to destruction; waits while another process holds it.
// Nested locks of one folder in one thread share the outer lock. When the
// lock file cannot be opened (a read-only folder) nothing is locked: every
// write there fails anyway and says so.
class DataFolderLock {
 public:
  explicit DataFolderLock(const std::filesystem::path& dir);
  ~DataFolderLock();
  DataFolderLock(const DataFolderLock&) = delete;
  DataFolderLock& operator=(const DataFolderLock&) = delete;

  bool held() const { return held_; }

 private:
  std::filesystem::path key_;
  bool held_ = false;
};

}  // namespace vx
