#pragma once
// What the fuzz targets share: a private copy of the installation data for
// the process (the installation data folder comes from VELOXA_FUZZ_DATA),
// and writing the fuzzer's bytes into one of its files.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace vx::fuzz {

// The process's own data folder, created on first use.
inline const std::filesystem::path& DataFolder() {
  static const std::filesystem::path folder = [] {
    const char* installed = std::getenv("VELOXA_FUZZ_DATA");
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("veloxa-fuzz-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    if (installed) std::filesystem::copy(installed, dir, std::filesystem::copy_options::recursive);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                      ("veloxa-fuzz-" + std::to_string(getpid())),
                                  ec);
    });
    return dir;
  }();
  return folder;
}

// The installation's own copy of a file, to put back after a run.
inline std::string InstalledBytes(const std::string& name) {
  const char* installed = std::getenv("VELOXA_FUZZ_DATA");
  if (!installed) return {};
  std::ifstream in(std::filesystem::path(installed) / name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& name, const uint8_t* data, size_t size) {
  std::ofstream out(DataFolder() / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

inline void WriteFile(const std::string& name, const std::string& bytes) {
  WriteFile(name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// Fails the run loudly: the fuzzer records the input as a finding.
[[noreturn]] inline void Finding(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

}  // namespace vx::fuzz
