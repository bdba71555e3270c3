#pragma once
// Where the program reads its data: the installation data next to the
// executables, copied to a per-user folder on the first start, or a folder
// named with --data-dir.
#include <filesystem>
#include <optional>
#include <string>

namespace vx {

// The installation data folder of an executable: "data" beside it (the build
// tree), else "../share/veloxa" (an installation under a prefix); "data"
// beside it when neither exists, so the error names the build-tree place.
std::filesystem::path installationDataDir(const std::filesystem::path& executable);

// The per-user data folder: $XDG_DATA_HOME/veloxa or ~/.local/share/veloxa.
std::filesystem::path userDataDir();

// The folder to use. With an override, the override as it is. Otherwise the
// per-user folder, seeded from `installation` when it does not exist yet.
// On failure returns nullopt and says why in `error`.
std::optional<std::filesystem::path> resolveDataDir(const std::optional<std::string>& override,
                                                    const std::filesystem::path& installation,
                                                    std::string& error);

}  // namespace vx
