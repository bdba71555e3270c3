#pragma once
// Conversion between the UTF-8 text held in memory and the GBK (code page 936)
// text of the data files.
#include <string>

namespace vx {

// Whether the system can convert between GBK and UTF-8 (the program's files
// need it; the start-up check refuses to run without it).
bool GbkAvailable();
// UTF-8 -> GBK. Characters GBK cannot hold become "?".
std::string toGbk(const std::string& utf8);
// GBK -> UTF-8. Invalid bytes become U+FFFD.
std::string fromGbk(const std::string& gbk);
// The UTF-8 bytes of one code point (a typed key, for instance).
std::string Utf8Char(unsigned codePoint);

}  // namespace vx
