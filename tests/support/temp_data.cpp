#include "support/temp_data.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace vx::test {

static fs::path makeTempDir() {
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path p = fs::temp_directory_path() / ("veloxa-test-" + std::to_string(rd()));
    if (fs::create_directory(p)) return p;
  }
  throw std::runtime_error("cannot create a temporary folder");
}

fs::path builtDataDir() { return VELOXA_DATA_DIR; }

TempData::TempData() : dir_(makeTempDir()) { fs::copy(builtDataDir(), dir_, fs::copy_options::recursive); }

TempData::~TempData() {
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

void TempData::remove(const std::string& name) const { fs::remove(dir_ / name); }

void TempData::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(dir_ / name, std::ios::binary);
  out << bytes;
}

TempDir::TempDir() : dir_(makeTempDir()) {}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

}  // namespace vx::test
