#pragma once
// What a typed text may hold so that the case file, the report text and the
// data files give it back as it was shown: their items have no escape for a
// double quote, a line break ends a line, and the files are GBK.
#include <cstddef>
#include <string>

namespace vx {

// A line break (CR LF, CR or LF) as the one blank an item of a text file
// holds in its place.
std::string OneLine(const std::string& text);

// Whether a typed key (a code point) may enter a text that is saved.
bool StorableKey(int key, bool lineBreaks);

struct StorableText {
  std::string text;
  bool dropped = false;  // a character that cannot be saved was left out
  bool cut = false;      // the text was longer than allowed
};

// `text` without the characters that cannot be saved (double quotes, line
// breaks unless `lineBreaks`, characters GBK cannot hold), cut after
// `maxChars` characters.
StorableText Storable(const std::string& text, size_t maxChars, bool lineBreaks);

}  // namespace vx
