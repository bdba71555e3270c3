#include "common/text_file.h"

#include "common/file_io.h"
#include "common/gbk.h"

namespace vx {

std::vector<std::string> splitTextLines(const std::string& gbkBytes) { return splitLines(fromGbk(gbkBytes)); }

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& path) {
  auto bytes = readFileBytes(path);
  if (!bytes) return std::nullopt;
  return splitTextLines(*bytes);
}

bool writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines, WriteFault* fault) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return writeFileAtomic(path, toGbk(text), fault);
}

static std::string trimBlanks(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

std::vector<std::string> splitItems(const std::string& line) {
  std::vector<std::string> items;
  size_t i = 0;
  while (true) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::string item;
    if (i < line.size() && line[i] == '"') {
      size_t close = line.find('"', i + 1);
      if (close == std::string::npos) close = line.size();
      item = line.substr(i + 1, close - i - 1);
      i = close + 1;
      size_t comma = line.find(',', i);
      i = comma == std::string::npos ? line.size() + 1 : comma + 1;
    } else {
      size_t comma = line.find(',', i);
      if (comma == std::string::npos) {
        item = trimBlanks(line.substr(std::min(i, line.size())));
        i = line.size() + 1;
      } else {
        item = trimBlanks(line.substr(i, comma - i));
        i = comma + 1;
      }
    }
    items.push_back(item);
    if (i > line.size()) break;
  }
  return items;
}

std::string quoteItem(const std::string& text) {
  std::string s = text;
  for (auto& c : s)
    if (c == '"') c = '\'';
  return "\"" + s + "\"";
}

}  // namespace vx
