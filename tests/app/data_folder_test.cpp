#include "app/data_folder.h"

#include <gtest/gtest.h>

#include "support/temp_data.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

TEST(InstallationDataDir, BuildTreeFirstThenThePrefixShareFolder) {
  test::TempDir root;
  fs::create_directories(root.dir() / "usr" / "bin");
  const fs::path exe = root.dir() / "usr" / "bin" / "veloxa";
  // Neither place exists: the build-tree place, so the error names it.
  EXPECT_EQ(installationDataDir(exe), root.dir() / "usr" / "bin" / "data");
  fs::create_directories(root.dir() / "usr" / "share" / "veloxa");
  EXPECT_EQ(installationDataDir(exe), root.dir() / "usr" / "share" / "veloxa");
  // Data beside the program (the build tree) win over an installation.
  fs::create_directories(root.dir() / "usr" / "bin" / "data");
  EXPECT_EQ(installationDataDir(exe), root.dir() / "usr" / "bin" / "data");
}

}  // namespace
}  // namespace vx
