#include "app/help_search.h"

#include <algorithm>
#include <cctype>
#include <regex>

namespace vx {

namespace {

std::string lowerAscii(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string decodeEntity(const std::string& name) {
  if (name == "amp") return "&";
  if (name == "lt") return "<";
  if (name == "gt") return ">";
  if (name == "quot") return "\"";
  if (name == "nbsp") return " ";
  return "";
}

// The text of an HTML piece: tags dropped, entities decoded, blanks folded.
std::string plainText(const std::string& html) {
  std::string out;
  bool blank = false;
  for (size_t i = 0; i < html.size(); ++i) {
    char c = html[i];
    if (c == '<') {
      const size_t close = html.find('>', i);
      if (close == std::string::npos) break;
      i = close;
      c = ' ';
    } else if (c == '&') {
      const size_t semi = html.find(';', i);
      if (semi != std::string::npos && semi - i <= 6) {
        const std::string decoded = decodeEntity(html.substr(i + 1, semi - i - 1));
        if (!decoded.empty()) {
          i = semi;
          if (decoded == " ") {
            c = ' ';
          } else {
            if (blank) out += ' ';
            out += decoded;
            blank = false;
            continue;
          }
        }
      }
    }
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

// Moves a byte offset back to the start of its UTF-8 character.
size_t characterStart(const std::string& s, size_t at) {
  while (at > 0 && at < s.size() && (static_cast<unsigned char>(s[at]) & 0xC0) == 0x80) --at;
  return at;
}

std::string excerptAround(const std::string& text, size_t at, size_t length) {
  constexpr size_t kContext = 60;  // bytes each side: about twenty Chinese characters
  const size_t begin = characterStart(text, at > kContext ? at - kContext : 0);
  const size_t end = characterStart(text, std::min(text.size(), at + length + kContext));
  std::string excerpt = text.substr(begin, (end < text.size() ? end : text.size()) - begin);
  if (begin > 0) excerpt = "…" + excerpt;
  if (end < text.size()) excerpt += "…";
  return excerpt;
}

}  // namespace

std::vector<HelpTopic> HelpTopics(const std::string& html) {
  // A heading with an id opens a topic; so does a table row with an id (a
  // message of the message table), titled by its first two cells.
  static const std::regex place(
      "<h([1-3])[^>]*\\bid=\"([^\"]+)\"[^>]*>([\\s\\S]*?)</h\\1>"
      "|<tr id=\"([^\"]+)\">\\s*<td>([\\s\\S]*?)</td>\\s*<td>([\\s\\S]*?)</td>");
  std::vector<HelpTopic> topics;
  size_t previousEnd = 0;
  for (std::sregex_iterator it(html.begin(), html.end(), place), end; it != end; ++it) {
    if (!topics.empty())
      topics.back().text = plainText(html.substr(previousEnd, static_cast<size_t>(it->position()) - previousEnd));
    if ((*it)[2].matched) {
      topics.push_back({(*it)[2].str(), plainText((*it)[3].str()), ""});
      previousEnd = static_cast<size_t>(it->position() + it->length());
    } else {
      const std::string number = plainText((*it)[5].str());
      topics.push_back({(*it)[4].str(), (number.empty() ? "" : number + " ") + plainText((*it)[6].str()), ""});
      // The row's own cells stay in its text, so its number and words are found.
      previousEnd = static_cast<size_t>(it->position());
    }
  }
  if (!topics.empty()) topics.back().text = plainText(html.substr(previousEnd));
  return topics;
}

std::vector<HelpHit> SearchHelp(const std::vector<HelpTopic>& topics, const std::string& query) {
  std::vector<std::string> words;
  for (size_t i = 0; i < query.size();) {
    const size_t b = query.find_first_not_of(" \t\r\n", i);
    if (b == std::string::npos) break;
    size_t e = query.find_first_of(" \t\r\n", b);
    if (e == std::string::npos) e = query.size();
    // The ideographic space of a Chinese input method also parts words.
    words.push_back(lowerAscii(query.substr(b, e - b)));
    i = e;
  }
  std::vector<std::string> split;
  for (const std::string& w : words) {
    size_t start = 0;
    for (size_t at; (at = w.find("\u3000", start)) != std::string::npos; start = at + 3)
      if (at > start) split.push_back(w.substr(start, at - start));
    if (start < w.size()) split.push_back(w.substr(start));
  }
  std::vector<HelpHit> inTitle, inText;
  if (split.empty()) return {};
  for (const HelpTopic& t : topics) {
    const std::string title = lowerAscii(t.title);
    const std::string text = lowerAscii(t.text);
    bool all = true;
    for (const std::string& w : split)
      if (title.find(w) == std::string::npos && text.find(w) == std::string::npos) all = false;
    if (!all) continue;
    const size_t at = text.find(split.front());
    HelpHit hit{t.id, t.title, at == std::string::npos ? excerptAround(t.text, 0, 0) : excerptAround(t.text, at, split.front().size())};
    (title.find(split.front()) != std::string::npos ? inTitle : inText).push_back(hit);
  }
  inTitle.insert(inTitle.end(), inText.begin(), inText.end());
  return inTitle;
}

}  // namespace vx
