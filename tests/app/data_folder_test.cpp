#include "app/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/script_host.h"
#include "common/file_io.h"
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

std::string Bytes(const fs::path& path) { return readFileBytes(path).value_or("<missing>"); }

// The per-user folder under a temporary XDG_DATA_HOME for one test.
class UserFolder {
 public:
  UserFolder() { setenv("XDG_DATA_HOME", home_.dir().c_str(), 1); }
  ~UserFolder() { unsetenv("XDG_DATA_HOME"); }
  fs::path dir() const { return home_.dir() / "veloxa"; }

 private:
  test::TempDir home_;
};

TEST(DataUpdate, ANewerInstallationRefreshesUntouchedFilesAndKeepsEditedOnes) {
  UserFolder user;
  test::TempData oldInstall;
  std::string error;
  std::vector<std::string> kept;
  ASSERT_TRUE(resolveDataDir(std::nullopt, oldInstall.dir(), error, &kept)) << error;
  EXPECT_TRUE(kept.empty());
  ASSERT_TRUE(fs::exists(user.dir() / kDataRecordName));

  // The user edits the presets and the catalogue, and keeps statistics the
  // installation never had.
  const std::string myPreset = Bytes(user.dir() / "Preset.dat") + "edited\r\n";
  ASSERT_TRUE(writeFileAtomic(user.dir() / "Preset.dat", myPreset));
  const std::string myCatalogue = Bytes(user.dir() / "Veloxa.dat") + std::string(142, 'x');
  ASSERT_TRUE(writeFileAtomic(user.dir() / "Veloxa.dat", myCatalogue));
  ASSERT_TRUE(writeFileAtomic(user.dir() / "DataBank.phe", "stats"));

  // The newer installation changes the presets, the steam table and the unit
  // list, leaves the catalogue as it was and brings a new file.
  test::TempData newInstall;
  newInstall.write("Preset.dat", Bytes(newInstall.file("Preset.dat")) + "new\r\n");
  newInstall.write("Steam.dat", Bytes(newInstall.file("Steam.dat")) + std::string(8, '\0'));
  newInstall.write("Unit.Dat", Bytes(newInstall.file("Unit.Dat")) + "x");
  newInstall.write("Extra.dat", "extra");

  auto dir = resolveDataDir(std::nullopt, newInstall.dir(), error, &kept);
  ASSERT_TRUE(dir) << error;
  // Only the presets are named: the catalogue is the user's too, but the
  // installation brought nothing new for it.
  EXPECT_EQ(kept, std::vector<std::string>{"Preset.dat"});
  EXPECT_EQ(Bytes(*dir / "Preset.dat"), myPreset);
  EXPECT_EQ(Bytes(*dir / "Veloxa.dat"), myCatalogue);
  EXPECT_EQ(Bytes(*dir / "Steam.dat"), Bytes(newInstall.file("Steam.dat")));
  EXPECT_EQ(Bytes(*dir / "Unit.Dat"), Bytes(newInstall.file("Unit.Dat")));
  EXPECT_EQ(Bytes(*dir / "Extra.dat"), "extra");
  EXPECT_EQ(Bytes(*dir / "DataBank.phe"), "stats");

  ScriptHost host;
  TellKeptDataFiles(host, kept);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_NE(host.messages()[0].text.find("\nPreset.dat"), std::string::npos);

  // Told once: the next start of the same installation changes and names nothing.
  ASSERT_TRUE(resolveDataDir(std::nullopt, newInstall.dir(), error, &kept));
  EXPECT_TRUE(kept.empty());
  EXPECT_EQ(Bytes(*dir / "Preset.dat"), myPreset);
  ScriptHost quiet;
  TellKeptDataFiles(quiet, kept);
  EXPECT_TRUE(quiet.messages().empty());

  // Once the user's edit equals an installation's file it is theirs no more:
  // a still newer installation replaces it.
  ASSERT_TRUE(writeFileAtomic(*dir / "Preset.dat", Bytes(newInstall.file("Preset.dat"))));
  newInstall.write("Preset.dat", "newest");
  ASSERT_TRUE(resolveDataDir(std::nullopt, newInstall.dir(), error, &kept));
  EXPECT_TRUE(kept.empty());
  EXPECT_EQ(Bytes(*dir / "Preset.dat"), "newest");

  // A file the user removed comes back from the same installation.
  fs::remove(*dir / "Steam.dat");
  ASSERT_TRUE(resolveDataDir(std::nullopt, newInstall.dir(), error, &kept));
  EXPECT_EQ(Bytes(*dir / "Steam.dat"), Bytes(newInstall.file("Steam.dat")));
}

TEST(DataUpdate, AFolderWithoutARecordKeepsEveryDifferingFileOrADamagedRecord) {
  UserFolder user;
  test::TempData install;
  std::string error;
  ASSERT_TRUE(resolveDataDir(std::nullopt, install.dir(), error));
  for (const char* record : {"", "installed Veloxa 5.0.3\nnot a line\n"}) {
    if (*record) {
      ASSERT_TRUE(writeFileAtomic(user.dir() / kDataRecordName, record));
    } else {
      fs::remove(user.dir() / kDataRecordName);
    }
    ASSERT_TRUE(writeFileAtomic(user.dir() / "Preset.dat", "mine"));
    install.write("Steam.dat", Bytes(install.file("Steam.dat")) + "+");
    fs::remove(user.dir() / "Unit.Dat");
    std::vector<std::string> kept;
    ASSERT_TRUE(resolveDataDir(std::nullopt, install.dir(), error, &kept));
    // Without a trustworthy record nothing tells an edit from an old
    // installation's file: every differing file stays; a missing one comes.
    EXPECT_EQ(kept, (std::vector<std::string>{"Preset.dat", "Steam.dat"})) << record;
    EXPECT_EQ(Bytes(user.dir() / "Preset.dat"), "mine");
    EXPECT_NE(Bytes(user.dir() / "Steam.dat"), Bytes(install.file("Steam.dat")));
    EXPECT_EQ(Bytes(user.dir() / "Unit.Dat"), Bytes(install.file("Unit.Dat")));
    // The record now exists, so the same installation names nothing again.
    ASSERT_TRUE(resolveDataDir(std::nullopt, install.dir(), error, &kept));
    EXPECT_TRUE(kept.empty());
  }
}

}  // namespace
}  // namespace vx
