#include "common/storable_text.h"

#include "common/gbk.h"

namespace vx {

namespace {

// The bytes of the UTF-8 character starting at `i`.
size_t charLength(const std::string& s, size_t i) {
  size_t n = 1;
  while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) ++n;
  return n;
}

// Whether one character comes back from a GBK file as it went in.
bool inGbk(const std::string& ch) { return fromGbk(toGbk(ch)) == ch; }

}  // namespace

std::string OneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += ' ';
    } else if (text[i] == '\n') {
      out += ' ';
    } else {
      out += text[i];
    }
  }
  return out;
}

bool StorableKey(int key, bool lineBreaks) {
  if (key == '"') return false;
  if (key == '\r' || key == '\n') return lineBreaks;
  // Back Space and the other editing keys pass.
  if (key < 0x80) return true;
  if (key > 0x10FFFF || (key >= 0xD800 && key <= 0xDFFF)) return false;
  return inGbk(Utf8Char(static_cast<unsigned>(key)));
}

StorableText Storable(const std::string& text, size_t maxChars, bool lineBreaks) {
  StorableText r;
  // One conversion for the whole text; a character by itself only where
  // the round trip changed something.
  const bool wholeInGbk = inGbk(text);
  size_t chars = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t n = charLength(text, i);
    const std::string ch = text.substr(i, n);
    i += n;
    const bool lineBreak = ch == "\r" || ch == "\n";
    if (ch == "\"" || (lineBreak && !lineBreaks) || (!wholeInGbk && n > 1 && !inGbk(ch)) ||
        (!wholeInGbk && n == 1 && static_cast<unsigned char>(ch[0]) >= 0x80)) {
      r.dropped = true;
      continue;
    }
    if (chars == maxChars) {
      r.cut = true;
      break;
    }
    r.text += ch;
    ++chars;
  }
  return r;
}

}  // namespace vx
