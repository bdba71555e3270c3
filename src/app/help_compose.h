#pragma once
// The help page as the build writes it: the hand-written page with its
// fragments put in, and the table of every message with what to do about it.
#include <filesystem>
#include <optional>
#include <string>

namespace vx {

// In the page, a line "<!--#include NAME-->" is replaced by the file NAME of
// the same folder, and a line "<!--#messages-->" by the message table.
// The advice comes from "messages.txt" of the folder: "ID|advice" for a
// numbered message (its text taken from the catalogue), "\"text\"|advice"
// for one the program words itself. Nullopt, with `error` set, when a file
// is missing, a line is malformed or a numbered message does not exist.
std::optional<std::string> ComposeHelpPage(const std::filesystem::path& helpFolder, std::string& error);

// Text for HTML: & < > and " escaped.
std::string HtmlEscape(const std::string& text);

}  // namespace vx
