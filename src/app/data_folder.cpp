#include "app/data_folder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/host.h"
#include "common/messages.h"

namespace fs = std::filesystem;

namespace vx {

namespace {

// FNV-1a, 64 bits: enough to tell whether a small data file changed.
std::string HashText(const std::string& bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

std::optional<std::string> HashFile(const fs::path& path) {
  auto bytes = readFileBytes(path);
  if (!bytes) return std::nullopt;
  return HashText(*bytes);
}

using Hashes = std::map<std::string, std::string>;  // file name -> hash

// The installation's files (plain files directly in the folder) and their hashes.
Hashes InstallationHashes(const fs::path& installation) {
  Hashes hashes;
  std::error_code ec;
  for (fs::directory_iterator it(installation, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name == kDataRecordName || !it->is_regular_file(ec)) continue;
    if (auto h = HashFile(it->path())) hashes[name] = *h;
  }
  return hashes;
}

// The record's hashes; nullopt when there is no readable record.
std::optional<Hashes> ReadRecord(const fs::path& user) {
  auto text = readFileBytes(user / kDataRecordName, 1024 * 1024);
  if (!text) return std::nullopt;
  std::istringstream in(*text);
  std::string line;
  if (!std::getline(in, line) || line.rfind("installed ", 0) != 0) return std::nullopt;
  Hashes hashes;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // "<16 hex digits>  <name>"
    if (line.size() < 19 || line.compare(16, 2, "  ") != 0) return std::nullopt;
    hashes[line.substr(18)] = line.substr(0, 16);
  }
  return hashes;
}

bool WriteRecord(const fs::path& user, const Hashes& hashes, WriteFault* fault = nullptr) {
  std::string text = "installed " + FullVersionTitle() + "\n";
  for (const auto& [name, hash] : hashes) text += hash + "  " + name + "\n";
  return writeFileAtomic(user / kDataRecordName, text, fault);
}

// A link whose target does not exist: writing through it would create a
// file wherever it points, perhaps far outside the data folder.
bool danglingLink(const fs::path& path) {
  std::error_code ec;
  return fs::is_symlink(fs::symlink_status(path, ec)) && fs::status(path, ec).type() == fs::file_type::not_found;
}

// Copies the plain files of `from` into `to`; the cause of the first
// failure, or an empty text. (The library's copy reports a full disk as an
// input/output error.)
std::string copyFiles(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code kindError;
    if (!it->is_regular_file(kindError)) continue;
    const auto bytes = readFileBytes(it->path());
    if (!bytes) return "无法读取" + it->path().string();
    WriteFault fault = WriteFault::None;
    if (!writeFileAtomic(to / it->path().filename(), *bytes, &fault)) return WriteFaultText(fault);
  }
  return ec ? "无法读取" + from.string() : "";
}

// The cause of a failed file operation, as the messages name it.
std::string causeOf(const std::error_code& ec) {
  const WriteFault fault = WriteFaultOf(ec.value());
  return fault == WriteFault::Other ? ec.message() : WriteFaultText(fault);
}

}  // namespace

std::vector<std::string> UpdateDataFolder(const fs::path& user, const fs::path& installation) {
  std::vector<std::string> kept;
  const Hashes installed = InstallationHashes(installation);
  if (installed.empty()) return kept;
  // Another copy may be starting, or saving, at the same moment.
  DataFolderLock lock(user);
  const std::optional<Hashes> record = ReadRecord(user);
  // Nothing new installed and nothing removed: the usual start, no hashing.
  // A file the user removed (a damaged one, say) comes back from the
  // installation on the next start.
  auto allPresent = [&] {
    std::error_code ec;
    for (const auto& [name, hash] : installed)
      if (!fs::exists(dataPath(user, name), ec)) return false;
    return true;
  };
  if (record && *record == installed && allPresent()) return kept;

  Hashes next;
  for (const auto& [name, hash] : installed) {
    const fs::path mine = dataPath(user, name);
    std::error_code ec;
    const std::optional<std::string> mineHash = fs::exists(mine, ec) ? HashFile(mine) : std::nullopt;
    const std::string* seeded = nullptr;
    if (record) {
      auto it = record->find(name);
      if (it != record->end()) seeded = &it->second;
    }
    bool replace = false;
    if (danglingLink(mine)) {
      // Left as it is: the start-up check names what is missing.
      if (seeded) next[name] = *seeded;
      continue;
    }
    if (!fs::exists(mine, ec)) {
      replace = true;  // new in this installation, or removed: the program needs it
    } else if (mineHash && *mineHash == hash) {
      next[name] = hash;  // already the installation's
      continue;
    } else if (seeded && mineHash && *mineHash == *seeded) {
      replace = true;  // the user never changed it
    }
    if (replace) {
      auto bytes = readFileBytes(installation / name);
      if (bytes && writeFileAtomic(mine, *bytes)) {
        next[name] = hash;
      } else if (seeded) {
        next[name] = *seeded;  // left as it was: tried again on the next start
      }
      continue;
    }
    // The user's version. Worth telling only when the installation brings
    // something other than what the user started from.
    if (!seeded || *seeded != hash) kept.push_back(name);
    next[name] = hash;
  }
  WriteRecord(user, next);
  return kept;
}

void TellKeptDataFiles(Host& host, const std::vector<std::string>& kept) {
  if (kept.empty()) return;
  std::string text = "新版本的安装数据已更新。下列文件您修改过，已保留您的版本，未用新版本替换：";
  for (const auto& name : kept) text += "\n" + name;
  host.message(text, Icon::Information, Buttons::Ok, 0);
}

fs::path installationDataDir(const fs::path& executable) {
  std::error_code ec;
  fs::path exe = fs::canonical(executable, ec);
  if (ec) exe = fs::absolute(executable, ec);
  fs::path bin = exe.parent_path();
  // The build tree keeps the data beside the programs; an installation keeps
  // them in share/veloxa beside bin/.
  fs::path beside = bin / "data";
  if (fs::is_directory(beside, ec)) return beside;
  fs::path installed = bin.parent_path() / "share" / "veloxa";
  if (fs::is_directory(installed, ec)) return installed;
  return beside;
}

fs::path userDataDir() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg) return fs::path(xdg) / "veloxa";
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".local" / "share" / "veloxa";
}

std::optional<fs::path> resolveDataDir(const std::optional<std::string>& override, const fs::path& installation,
                                       std::string& error, std::vector<std::string>* kept) {
  std::error_code ec;
  if (override) {
    if (!fs::is_directory(*override, ec)) {
      error = "数据文件夹 " + *override + (fs::exists(*override, ec) ? " 不存在：该处是一个文件。" : " 不存在。");
      return std::nullopt;
    }
    return fs::path(*override);
  }
  fs::path user = userDataDir();
  if (fs::exists(user, ec)) {
    if (!fs::is_directory(user, ec)) {
      error = "数据文件夹 " + user.string() + " 不存在：该处是一个文件。请移走或改名该文件后重新运行本软件。";
      return std::nullopt;
    }
    if (fs::is_directory(installation, ec)) {
      auto k = UpdateDataFolder(user, installation);
      if (kept) *kept = std::move(k);
    }
    return user;
  }
  if (!fs::is_directory(installation, ec)) {
    error = "安装数据文件夹 " + installation.string() + " 不存在，请重新安装软件。";
    return std::nullopt;
  }
  // Copy into a temporary folder first, so an interrupted first start does
  // not leave a half-seeded folder that later starts would take as complete.
  // Each starting copy seeds a folder of its own; the first to finish wins.
  fs::path partial = user.parent_path() / (user.filename().string() + ".seeding." + std::to_string(::getpid()));
  fs::remove_all(partial, ec);
  fs::create_directories(partial, ec);
  std::string cause = ec ? causeOf(ec) : "";
  if (cause.empty()) cause = copyFiles(installation, partial);
  WriteFault fault = WriteFault::None;
  if (!ec && !WriteRecord(partial, InstallationHashes(installation), &fault)) cause = WriteFaultText(fault);
  if (cause.empty()) fs::rename(partial, user, ec);
  if (ec && cause.empty()) cause = causeOf(ec);
  if (!cause.empty()) {
    std::error_code ignored;
    fs::remove_all(partial, ignored);
    if (fs::is_directory(user, ignored)) return user;  // another copy seeded it first
    error = "无法建立数据文件夹 " + user.string() + "：" + cause + "。";
    return std::nullopt;
  }
  return user;
}

}  // namespace vx
