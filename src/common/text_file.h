#pragma once
// Text data files: GBK on disk, CR LF line ends, UTF-8 in memory.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/file_io.h"

namespace vx {

// Reads the lines of a GBK text file (CR LF or LF ends accepted).
// nullopt when the file is missing, unreadable or oversized.
std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& path);

// Splits GBK file bytes into UTF-8 lines.
std::vector<std::string> splitTextLines(const std::string& gbkBytes);

// Splits text at LF, dropping a CR before it; no line after a final LF.
std::vector<std::string> splitLines(const std::string& text);

// Writes lines as GBK with CR LF after every line, replacing the file safely.
// `fault`, when given, receives why a write failed.
bool writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    WriteFault* fault = nullptr);

// Splits a line of comma-separated items; an item in double quotes may hold
// commas, and its quotes are removed. Blanks around unquoted items are dropped.
std::vector<std::string> splitItems(const std::string& line);

// Writes a text item in double quotes (quotes inside become single quotes,
// since the item syntax has no escape).
std::string quoteItem(const std::string& text);

}  // namespace vx
