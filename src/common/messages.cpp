#include "common/messages.h"

#include <algorithm>

namespace vx {

static const CatalogueEntry* findEntry(int id) {
  const auto& entries = catalogue();
  auto it = std::lower_bound(entries.begin(), entries.end(), id,
                             [](const CatalogueEntry& e, int key) { return e.id < key; });
  return (it != entries.end() && it->id == id) ? &*it : nullptr;
}

bool HasMessage(int id) { return findEntry(id) != nullptr; }

std::string LoadMessage(int id, const std::vector<std::string>& pairs) {
  const CatalogueEntry* entry = findEntry(id);
  std::string text = entry ? entry->text : "";
  for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
    const std::string& from = pairs[i];
    const std::string& to = pairs[i + 1];
    if (from.empty()) continue;
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
      text.replace(pos, from.size(), to);
      pos += to.size();
    }
  }
  return text;
}

std::string ShortVersionTitle() {
  return std::string(kAppTitle) + " " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

std::string FullVersionTitle() { return ShortVersionTitle() + "." + std::to_string(kVersionRevision); }

}  // namespace vx
