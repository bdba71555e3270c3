#include "common/res_table.h"

#include "common/file_io.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace vx {

ResTableResult LoadResTable(const std::filesystem::path& dir, int section, int count) {
  ResTableResult result;
  auto found = findFileNoCase(dir, kResFile);
  auto lines = found ? readTextLines(*found) : std::nullopt;
  if (!lines) {
    result.error = "Res.Dat is missing or unreadable";
    return result;
  }
  size_t i = 0;
  for (; i < lines->size(); ++i) {
    const std::string& line = (*lines)[i];
    if (!line.empty() && line[0] == '>' && Val(line.substr(1)) == section) break;
  }
  if (i == lines->size()) {
    result.error = "Res.Dat has no section " + std::to_string(section);
    return result;
  }
  for (int k = 1; k <= count; ++k) {
    size_t at = i + static_cast<size_t>(k);
    if (at >= lines->size()) {
      result.error = "section " + std::to_string(section) + " of Res.Dat has fewer than " +
                     std::to_string(count) + " entries";
      result.entries.clear();
      return result;
    }
    const std::string& line = (*lines)[at];
    size_t bar = line.find('|');
    if (bar == std::string::npos || (!line.empty() && line[0] == '>')) {
      result.error = "entry " + std::to_string(k) + " of section " + std::to_string(section) +
                     " of Res.Dat is malformed";
      result.entries.clear();
      return result;
    }
    result.entries.push_back(line.substr(0, bar));
  }
  result.ok = true;
  return result;
}

}  // namespace vx
