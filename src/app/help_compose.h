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
// for one the program words itself. A line "<!--#validation-->" (in the
// page or a fragment) becomes `validationTable`. Nullopt, with `error` set,
// when a file is missing, a line is malformed, a numbered message does not
// exist or the page asks for a validation table that was not given.
std::optional<std::string> ComposeHelpPage(const std::filesystem::path& helpFolder, std::string& error,
                                           const std::string& validationTable = "");

// Text for HTML: & < > and " escaped.
std::string HtmlEscape(const std::string& text);

}  // namespace vx
