#include "app/data_folder.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace vx {

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
                                       std::string& error) {
  std::error_code ec;
  if (override) {
    if (!fs::is_directory(*override, ec)) {
      error = "the data folder " + *override + " does not exist";
      return std::nullopt;
    }
    return fs::path(*override);
  }
  fs::path user = userDataDir();
  if (fs::exists(user, ec)) return user;
  if (!fs::is_directory(installation, ec)) {
    error = "the installation data folder " + installation.string() + " does not exist";
    return std::nullopt;
  }
  // Copy into a temporary folder first, so an interrupted first start does
  // not leave a half-seeded folder that later starts would take as complete.
  fs::path partial = user.parent_path() / (user.filename().string() + ".seeding");
  fs::remove_all(partial, ec);
  fs::create_directories(partial, ec);
  if (!ec) fs::copy(installation, partial, fs::copy_options::recursive, ec);
  if (!ec) fs::rename(partial, user, ec);
  if (ec) {
    error = "cannot create the data folder " + user.string() + ": " + ec.message();
    fs::remove_all(partial, ec);
    return std::nullopt;
  }
  return user;
}

}  // namespace vx
