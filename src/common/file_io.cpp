#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace vx {

namespace {
unsigned long long filesRead = 0;
unsigned long long filesReplaced = 0;
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

}  // namespace

bool writeFileAtomic(const fs::path& requested, const std::string& bytes) {
  const fs::path path = resolveLinks(requested);
  fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  std::error_code ec;
  // A read-only file stays as it is; an existing file keeps its permissions.
  mode_t mode = 0644;
  const fs::file_status status = fs::status(path, ec);
  if (!ec && fs::exists(status)) {
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) return false;
    mode = static_cast<mode_t>(status.permissions() & fs::perms::mask);
  }
  std::random_device rd;
  fs::path tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 10 && fd < 0; ++attempt) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%06u", static_cast<unsigned>(rd() % 1000000));
    tmp = dir / (path.filename().string() + kTemporaryMark + digits);
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  size_t done = 0;
  bool ok = ::fchmod(fd, mode) == 0;
  while (ok && done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) ok = false;
  // Counted also when the rename failed half-way: a reader checks once more.
  ++filesReplaced;
  if (!ok) {
    fs::remove(tmp, ec);
    return false;
  }
  // The rename itself reaches the disk only with its folder.
  int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

int RemoveStaleTemporaries(const fs::path& dir) {
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (!isTemporaryName(it->path().filename().string())) continue;
    std::error_code kindError;
    if (!it->is_regular_file(kindError)) continue;
    std::error_code removeError;
    if (fs::remove(it->path(), removeError)) ++removed;
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

bool InstallationFileUsable(const fs::path& dir, const std::string& name) {
  // A plain name inside the folder: no folders, no way out of it.
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos) return false;
  auto path = findFileNoCase(dir, name);
  if (!path) return false;
  std::error_code ec;
  // A folder, a FIFO or a device in its place is no file of the program's.
  if (!fs::is_regular_file(*path, ec)) return false;
  // A file past the read limit would be read as an empty database later on.
  const std::uintmax_t size = fs::file_size(*path, ec);
  if (ec || size > kMaxDataFileBytes) return false;
  std::ifstream in(*path, std::ios::binary);
  return static_cast<bool>(in);
}

fs::path dataPath(const fs::path& dir, const std::string& name) {
  auto found = findFileNoCase(dir, name);
  return found ? *found : dir / name;
}

}  // namespace vx
