#pragma once
// The Word document of the report: a .docx template whose first table is
// filled cell by cell. Only this module knows the zip container and the
// document's XML.
#include <filesystem>
#include <string>
#include <vector>

namespace vx {

struct DocxCell {
  enum class Mode { Replace, Before, After };
  int row = 1, col = 1;  // of table 1, counted from 1
  Mode mode = Mode::Replace;
  std::string text;      // UTF-8; line feeds become line breaks
};

struct DocxFill {
  std::vector<DocxCell> cells;
  // A paragraph added behind the whole document's text.
  std::string trailer;
};

// Copies `templ` to `out` with the cells filled. The document is written to
// a temporary file beside `out` and renamed over it, so a failure leaves no
// file. False with `error` set when the template is missing or damaged, a
// cell does not exist, or the file cannot be written.
bool FillDocx(const std::filesystem::path& templ, const std::filesystem::path& out, const DocxFill& fill,
              std::string& error);

// The first table of a .docx as cell texts (rows of cells, paragraphs
// joined by line feeds); false when the document cannot be read.
bool ReadDocxTable(const std::filesystem::path& docx, std::vector<std::vector<std::string>>& table,
                   std::string& error);

// Builds the report template from its readable source: one table row per
// line, cells separated by "|", a cell written "{n}text" spans n columns,
// lines starting with "#" are comments.
bool BuildReportTemplate(const std::filesystem::path& source, const std::filesystem::path& out,
                         std::string& error);

// Text made safe for the document's XML: characters XML 1.0 cannot hold
// (control characters, U+FFFE, U+FFFF, bytes that are not UTF-8) are
// dropped, carriage returns too (line feeds stay).
std::string XmlSafeText(const std::string& utf8);

// Whether a document part as written is one a word processor reads: UTF-8
// with only the characters XML allows, declaring no other encoding, well
// formed and not nested beyond what the parsers accept. `error` says why not.
bool WellFormedDocumentPart(const std::string& xml, std::string& error);

}  // namespace vx
