#pragma once
// The save dialog started in a chosen folder.
#include <optional>
#include <string>

#include "common/host.h"

namespace vx {

// As AskSavePath, the dialog starting in `folder` (empty: where the dialog
// chooses).
std::optional<std::string> AskSavePathIn(Host& host, const std::string& title, const std::string& filter,
                                         const std::string& defaultName, const std::string& suffix,
                                         const std::string& folder);

}  // namespace vx
