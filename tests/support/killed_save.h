#pragma once
// Kills a save in a child process at moments spread over the save's own
// measured duration, and checks each time that the file holds the complete
// old or the complete new content. Where the kills fall depends on the
// machine's load, so only the files are asserted; the outcomes are printed.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace vx::test {

// What a file holds, as the test compares it: its bytes (by default), or
// nothing when it is absent.
using SavedContent = std::function<std::optional<std::string>(const std::filesystem::path&)>;

std::optional<std::string> fileBytes(const std::filesystem::path& file);

// Runs `save` unkilled once (it must change the file), then `runs` times
// killed; the file is reset to its original bytes before each run.
void killDuring(const std::string& kind, const std::filesystem::path& file, const std::function<void()>& save,
                const SavedContent& read = fileBytes, int runs = 150);

}  // namespace vx::test
