#pragma once
// The numbered message catalogue and the ways messages are shown.
#include <string>
#include <vector>

namespace vx {

struct CatalogueEntry {
  int id;
  const char* text;
};

// Every catalogue entry, ordered by id.
const std::vector<CatalogueEntry>& catalogue();

// True when the catalogue holds `id`.
bool HasMessage(int id);

// The text of `id` with the placeholder pairs (placeholder, value, ...)
// replaced in order, every occurrence, case-sensitively. An id that is not in
// the catalogue gives an empty text.
std::string LoadMessage(int id, const std::vector<std::string>& pairs = {});

// The application title every message box carries.
inline constexpr const char* kAppTitle = "Veloxa";
inline constexpr int kVersionMajor = 5;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 3;
// "Veloxa 5.0" and "Veloxa 5.0.3".
std::string ShortVersionTitle();
std::string FullVersionTitle();

}  // namespace vx
