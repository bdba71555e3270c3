#pragma once
// A temporary copy of the installation data folder for one test.
#include <filesystem>
#include <string>

namespace vx::test {

class TempData {
 public:
  // Copies the built installation data into a new temporary folder.
  TempData();
  ~TempData();
  TempData(const TempData&) = delete;
  TempData& operator=(const TempData&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path file(const std::string& name) const { return dir_ / name; }
  void remove(const std::string& name) const;
  void write(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path dir_;
};

// An empty temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

// The installation data folder the build generated.
std::filesystem::path builtDataDir();

}  // namespace vx::test
