#include "common/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace vx {

namespace {
// Atomic: sessions of a batch design read and write from several threads.
std::atomic<unsigned long long> filesRead{0};
std::atomic<unsigned long long> filesReplaced{0};
}  // namespace

unsigned long long FileReadsDone() { return filesRead; }

std::optional<FileIdentity> fileIdentity(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  FileIdentity id;
  id.device = static_cast<std::uintmax_t>(st.st_dev);
  id.inode = static_cast<std::uintmax_t>(st.st_ino);
  id.size = static_cast<std::uintmax_t>(st.st_size);
  id.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  id.changedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  id.writes = filesReplaced;
  return id;
}

std::optional<std::string> readFileBytes(const fs::path& path, std::uintmax_t maxBytes) {
  ++filesRead;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  auto size = fs::file_size(path, ec);
  if (ec || size > maxBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

namespace {

// The file a path finally names: a symbolic link is written through, at its
// target, so that the link keeps pointing where it did.
fs::path resolveLinks(fs::path path) {
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
    fs::path target = fs::read_symlink(path, ec);
    if (ec) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

constexpr const char* kTemporaryMark = ".tmp";

// The temporary files of an atomic write: "<name>.tmp" and six digits.
bool isTemporaryName(const std::string& name) {
  const size_t mark = name.rfind(kTemporaryMark);
  if (mark == std::string::npos || mark == 0) return false;
  const std::string digits = name.substr(mark + 4);
  return digits.size() == 6 && std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The temporary files of a Word export: ".<name>.docx.<pid>.<n>.tmp", and
// the zip library's own beside it, with a suffix after ".tmp".
bool isExportTemporaryName(const std::string& name) {
  if (name.size() < 2 || name[0] != '.') return false;
  const size_t docx = name.find(".docx.", 1);
  return docx != std::string::npos && name.find(kTemporaryMark, docx + 5) != std::string::npos;
}

// Creates a new temporary file beside `path` and locks it, so that no start
// of another copy sweeps it away while it is written. -1 with errno on failure.
int createLockedTemporary(const fs::path& dir, const fs::path& path, fs::path& tmp) {
  std::random_device rd;
  for (int attempt = 0; attempt < 10; ++attempt) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%06u", static_cast<unsigned>(rd() % 1000000));
    tmp = dir / (path.filename().string() + kTemporaryMark + digits);
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    // A sweep may have taken the file between its creation and the lock;
    // then it is gone from the folder and another name is tried.
    struct stat st;
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) return fd;
    ::close(fd);
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

WriteFault WriteFaultOf(int errnum) {
  switch (errnum) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return WriteFault::DiskFull;
    case EROFS: return WriteFault::ReadOnlyDisk;
    case ENOENT:
    case ENOTDIR: return WriteFault::NoFolder;
    case EACCES:
    case EPERM: return WriteFault::NoPermission;
    default: return WriteFault::Other;
  }
}

std::string WriteFaultText(WriteFault fault) {
  switch (fault) {
    case WriteFault::DiskFull: return "磁盘已满";
    case WriteFault::ReadOnlyDisk: return "磁盘只读";
    case WriteFault::ReadOnlyFile: return "文件只读";
    case WriteFault::NoFolder: return "文件夹不存在";
    case WriteFault::NotRegularFile: return "不是普通文件";
    case WriteFault::NoPermission: return "没有写入权限";
    default: return "无法写入";
  }
}

bool writeFileAtomic(const fs::path& requested, const std::string& bytes, WriteFault* fault) {
  WriteFault ignored;
  WriteFault& why = fault ? *fault : ignored;
  why = WriteFault::None;
  auto fail = [&why](WriteFault f) {
    why = f;
    return false;
  };
  const fs::path path = resolveLinks(requested);
  fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  // Only a regular file is replaced: a device, a FIFO or a folder (or a
  // loop of links) in its place stays as it is. A read-only file too; an
  // existing file keeps its permissions.
  mode_t mode = 0644;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return fail(WriteFault::NotRegularFile);
    if ((st.st_mode & S_IWUSR) == 0) return fail(WriteFault::ReadOnlyFile);
    mode = st.st_mode & 07777;
  } else if (errno == ELOOP) {
    return fail(WriteFault::NotRegularFile);
  } else if (errno != ENOENT) {
    return fail(WriteFaultOf(errno));
  }
  fs::path tmp;
  const int fd = createLockedTemporary(dir, path, tmp);
  if (fd < 0) return fail(WriteFaultOf(errno));
  size_t done = 0;
  int error = 0;
  if (::fchmod(fd, mode) != 0) error = errno;
  while (!error && done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : ENOSPC;
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (!error && ::fsync(fd) != 0) error = errno;
  // The rename happens while the lock is held; closing gives it back.
  if (!error && std::rename(tmp.c_str(), path.c_str()) != 0) error = errno;
  // Counted also when the rename failed half-way: a reader checks once more.
  ++filesReplaced;
  if (error) {
    std::error_code ec;
    fs::remove(tmp, ec);
    ::close(fd);
    return fail(WriteFaultOf(error));
  }
  ::close(fd);
  // The rename itself reaches the disk only with its folder.
  int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

namespace {

// An atomic write's temporary whose writer is gone: its lock can be taken.
// Removed while the lock is held, and only when the name still names the
// file that was locked.
bool removeIfUnlocked(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  bool removed = false;
  struct stat locked, named;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &locked) == 0 && S_ISREG(locked.st_mode) &&
      ::lstat(path.c_str(), &named) == 0 && named.st_dev == locked.st_dev && named.st_ino == locked.st_ino)
    removed = ::unlink(path.c_str()) == 0;
  ::close(fd);
  return removed;
}

bool removeIfOld(const fs::path& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (std::time(nullptr) - st.st_mtime < kStaleTemporaryMinutes * 60) return false;
  return ::unlink(path.c_str()) == 0;
}

}  // namespace

int RemoveStaleTemporaries(const fs::path& dir) {
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (isTemporaryName(name)) removed += removeIfUnlocked(it->path()) ? 1 : 0;
    else if (isExportTemporaryName(name)) removed += removeIfOld(it->path()) ? 1 : 0;
  }
  return removed;
}

static std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::optional<fs::path> findFileNoCase(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  fs::path exact = dir / name;
  if (fs::exists(exact, ec)) return exact;
  const std::string wanted = lower(name);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (lower(it->path().filename().string()) == wanted) return it->path();
  }
  return std::nullopt;
}

DataFileFault InstallationFileFault(const fs::path& dir, const std::string& name) {
  // A plain name inside the folder: no folders, no way out of it.
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
    return DataFileFault::Missing;
  auto path = findFileNoCase(dir, name);
  if (!path) return DataFileFault::Missing;
  std::error_code ec;
  // A folder, a FIFO, a device or a loop of links in its place is no file
  // of the program's; a dangling link is no file at all.
  const fs::file_status status = fs::status(*path, ec);
  if (status.type() == fs::file_type::not_found) return DataFileFault::Missing;
  if (status.type() != fs::file_type::regular) return DataFileFault::NotRegularFile;
  // A file past the read limit would be read as an empty database later on.
  const std::uintmax_t size = fs::file_size(*path, ec);
  if (ec) return DataFileFault::Unreadable;
  if (size > kMaxDataFileBytes) return DataFileFault::TooLarge;
  std::ifstream in(*path, std::ios::binary);
  return in ? DataFileFault::Usable : DataFileFault::Unreadable;
}

bool InstallationFileUsable(const fs::path& dir, const std::string& name) {
  return InstallationFileFault(dir, name) == DataFileFault::Usable;
}

std::string DataFileFaultText(DataFileFault fault) {
  switch (fault) {
    case DataFileFault::Missing: return "文件不存在";
    case DataFileFault::NotRegularFile: return "不是普通文件";
    case DataFileFault::TooLarge: return "文件过大";
    case DataFileFault::Unreadable: return "无法读取";
    default: return "";
  }
}

fs::path dataPath(const fs::path& dir, const std::string& name) {
  auto found = findFileNoCase(dir, name);
  return found ? *found : dir / name;
}

}  // namespace vx
