#include "common/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace vx {

std::optional<std::string> readFileBytes(const fs::path& path, std::uintmax_t maxBytes) {
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

bool writeFileAtomic(const fs::path& path, const std::string& bytes) {
  fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  std::random_device rd;
  fs::path tmp = dir / (path.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
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
  if (!ok) {
    std::error_code ec;
    fs::remove(tmp, ec);
  }
  return ok;
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
  std::ifstream in(*path, std::ios::binary);
  return static_cast<bool>(in);
}

fs::path dataPath(const fs::path& dir, const std::string& name) {
  auto found = findFileNoCase(dir, name);
  return found ? *found : dir / name;
}

}  // namespace vx
