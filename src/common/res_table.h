#pragma once
// The resource list "Res.Dat": a text file of sections. A line starting with
// ">" opens the section whose number follows; the section's entry lines
// follow it, and only the part of an entry before its first "|" is used.
#include <filesystem>
#include <string>
#include <vector>

namespace vx {

inline constexpr const char* kResFile = "Res.Dat";

struct ResTableResult {
  bool ok = false;
  // Entries 1..count at indexes 0..count-1.
  std::vector<std::string> entries;
  // Why loading failed, for the developer; the caller shows its own message.
  std::string error;
};

// Reads `count` entries of `section` from Res.Dat in `dir`. Fails when the
// file is missing or unreadable, the section is absent, it has fewer than
// `count` entry lines, or an entry line has no "|".
ResTableResult LoadResTable(const std::filesystem::path& dir, int section, int count);

}  // namespace vx
