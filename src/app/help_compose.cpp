#include "app/help_compose.h"

#include "common/file_io.h"
#include "common/messages.h"
#include "common/text_file.h"

namespace fs = std::filesystem;

namespace vx {

namespace {

std::string trimmed(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// A placeholder of a catalogue text stands for a value the program fills in.
std::string withoutPlaceholders(std::string text) {
  for (size_t at; (at = text.find('|')) != std::string::npos && at + 1 < text.size();)
    text.replace(at, 2, "…");
  return text;
}

std::optional<std::string> messageTable(const fs::path& folder, std::string& error) {
  const auto source = readFileBytes(folder / "messages.txt");
  if (!source) {
    error = "cannot read " + (folder / "messages.txt").string();
    return std::nullopt;
  }
  std::string rows;
  int number = 0, literals = 0;
  for (const std::string& raw : splitLines(*source)) {
    ++number;
    const std::string line = trimmed(raw);
    if (line.empty() || line[0] == '#') continue;
    std::string key, advice, id, text;
    if (line[0] == '"') {
      const size_t close = line.find("\"|", 1);
      if (close == std::string::npos) {
        error = "messages.txt line " + std::to_string(number) + ": no closing quote before |";
        return std::nullopt;
      }
      text = line.substr(1, close - 1);
      advice = line.substr(close + 2);
    } else {
      const size_t bar = line.find('|');
      id = trimmed(line.substr(0, bar));
      const bool numeric = !id.empty() && id.find_first_not_of("0123456789") == std::string::npos;
      if (bar == std::string::npos || !numeric || !HasMessage(std::stoi(id))) {
        error = "messages.txt line " + std::to_string(number) + ": no message " + id;
        return std::nullopt;
      }
      text = withoutPlaceholders(LoadMessage(std::stoi(id)));
      advice = line.substr(bar + 1);
    }
    // Each row is a place of its own, so that a search can lead to it.
    const std::string anchor = "msg-" + (id.empty() ? "t" + std::to_string(++literals) : id);
    rows += "<tr id=\"" + anchor + "\"><td><a name=\"" + anchor + "\"></a>" + id + "</td><td>" + HtmlEscape(text) +
            "</td><td>" + HtmlEscape(trimmed(advice)) + "</td></tr>\n";
  }
  return "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr><th>编号</th><th>消息</th><th>含义和处理</th></tr>\n" +
         rows + "</table>";
}

}  // namespace

std::string HtmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::optional<std::string> ComposeHelpPage(const fs::path& folder, std::string& error,
                                           const std::string& validationTable) {
  const auto page = readFileBytes(folder / "veloxa.htm");
  if (!page) {
    error = "cannot read " + (folder / "veloxa.htm").string();
    return std::nullopt;
  }
  static const std::string include = "<!--#include ";
  std::string out;
  for (const std::string& line : splitLines(*page)) {
    const std::string t = trimmed(line);
    if (t.rfind(include, 0) == 0 && t.size() > include.size() + 3 && t.substr(t.size() - 3) == "-->") {
      const std::string name = trimmed(t.substr(include.size(), t.size() - include.size() - 3));
      // Fragments lie beside the page; a name with a folder is no fragment of it.
      const auto fragment = name.find('/') == std::string::npos ? readFileBytes(folder / name) : std::nullopt;
      if (!fragment) {
        error = "cannot read help fragment " + name;
        return std::nullopt;
      }
      out += *fragment;
      if (!out.empty() && out.back() != '\n') out += '\n';
    } else if (t == "<!--#messages-->") {
      auto table = messageTable(folder, error);
      if (!table) return std::nullopt;
      out += *table + "\n";
    } else {
      out += line + "\n";
    }
  }
  static const std::string validation = "<!--#validation-->";
  for (size_t at; (at = out.find(validation)) != std::string::npos;) {
    if (validationTable.empty()) {
      error = "the page asks for the validation table, which was not composed";
      return std::nullopt;
    }
    out.replace(at, validation.size(), validationTable);
  }
  return out;
}

}  // namespace vx
