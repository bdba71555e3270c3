#pragma once
// Where the program reads its data: the installation data next to the
// executables, copied to a per-user folder on the first start, or a folder
// named with --data-dir.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vx {

// The installation data folder of an executable: "data" beside it (the build
// tree), else "../share/veloxa" (an installation under a prefix); "data"
// beside it when neither exists, so the error names the build-tree place.
std::filesystem::path installationDataDir(const std::filesystem::path& executable);

// The per-user data folder: $XDG_DATA_HOME/veloxa or ~/.local/share/veloxa.
std::filesystem::path userDataDir();

class Host;

// The record, in the per-user folder, of the installation data it was seeded
// or last brought up to date from: the version and each file's hash.
inline constexpr const char* kDataRecordName = ".veloxa-installed";

// The folder to use. With an override, the override as it is. Otherwise the
// per-user folder, seeded from `installation` when it does not exist yet and
// brought up to date from it (see UpdateDataFolder) when it does. `kept`, if
// given, receives the files the user changed that a newer installation
// would have replaced. On failure returns nullopt and says why in `error`.
std::optional<std::filesystem::path> resolveDataDir(const std::optional<std::string>& override,
                                                    const std::filesystem::path& installation,
                                                    std::string& error,
                                                    std::vector<std::string>* kept = nullptr);

// Brings the per-user folder `user` up to date with `installation`. A file
// still as it was seeded (its hash is the recorded one) is replaced by the
// installation's; a missing one is copied; one the user changed is kept and,
// when the installation brings a different one, named in the result. Files
// the installation does not have (statistics, case files) are never touched.
// A folder without a record (seeded before records were kept) keeps every
// file that differs from the installation's. Writes the new record; does
// nothing when the installation's files are those recorded.
std::vector<std::string> UpdateDataFolder(const std::filesystem::path& user,
                                          const std::filesystem::path& installation);

// Tells the person, once, which of their files a data update kept.
void TellKeptDataFiles(Host& host, const std::vector<std::string>& kept);

}  // namespace vx
