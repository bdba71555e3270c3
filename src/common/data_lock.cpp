#include "common/data_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <map>

namespace fs = std::filesystem;

namespace vx {

namespace {

struct Held {
  int fd = -1;
  int depth = 0;
};

// flock belongs to an open file: a second open of the lock file in this
// process would wait for the first for ever. One open per folder and thread,
// counted; another thread opens its own and waits like another process.
thread_local std::map<fs::path, Held> heldLocks;

fs::path keyOf(const fs::path& dir) {
  std::error_code ec;
  fs::path key = fs::weakly_canonical(dir, ec);
  return ec || key.empty() ? dir.lexically_normal() : key;
}

int openLockFile(const fs::path& dir) {
  const fs::path file = dir / kDataLockFile;
  int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  return fd;
}

}  // namespace

DataFolderLock::DataFolderLock(const fs::path& dir) : key_(keyOf(dir)) {
  auto it = heldLocks.find(key_);
  if (it != heldLocks.end()) {
    ++it->second.depth;
    held_ = true;
    return;
  }
  const int fd = openLockFile(dir);
  if (fd < 0) return;
  int rc;
  do rc = ::flock(fd, LOCK_EX);
  while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    ::close(fd);
    return;
  }
  heldLocks[key_] = {fd, 1};
  held_ = true;
}

DataFolderLock::~DataFolderLock() {
  if (!held_) return;
  auto it = heldLocks.find(key_);
  if (it == heldLocks.end() || --it->second.depth > 0) return;
  ::close(it->second.fd);  // releases the lock
  heldLocks.erase(it);
}

}  // namespace vx
