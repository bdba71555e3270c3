#include "reports/docx_document.h"

#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <fstream>
#include <memory>
#include <pugixml.hpp>
#include <sstream>

#include "common/file_io.h"

namespace vx {

namespace {

constexpr const char* kDocumentPart = "word/document.xml";
constexpr std::uintmax_t kMaxTemplateBytes = 16u * 1024u * 1024u;

struct ZipEntry {
  std::string name;
  std::string data;
};

bool readZip(const std::string& bytes, std::vector<ZipEntry>& entries, std::string& error) {
  zip_error_t zerr;
  zip_error_init(&zerr);
  zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zerr);
  if (!src) {
    error = "zip source";
    return false;
  }
  zip_t* z = zip_open_from_source(src, ZIP_RDONLY, &zerr);
  if (!z) {
    zip_source_free(src);
    error = "not a zip file";
    return false;
  }
  const zip_int64_t n = zip_get_num_entries(z, 0);
  bool ok = n > 0;
  for (zip_int64_t i = 0; ok && i < n; ++i) {
    zip_stat_t st;
    if (zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
        !(st.valid & ZIP_STAT_NAME) || st.size > kMaxTemplateBytes) {
      ok = false;
      break;
    }
    zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
    if (!f) {
      ok = false;
      break;
    }
    ZipEntry e{st.name, std::string(static_cast<size_t>(st.size), '\0')};
    const zip_int64_t got = st.size ? zip_fread(f, e.data.data(), st.size) : 0;
    zip_fclose(f);
    if (got != static_cast<zip_int64_t>(st.size)) {
      ok = false;
      break;
    }
    entries.push_back(std::move(e));
  }
  zip_close(z);  // frees the source
  if (!ok) error = "damaged zip file";
  return ok;
}

// Writes the entries as a new zip to a temporary file beside `out`, then
// renames it over `out`.
bool writeZip(const std::filesystem::path& out, const std::vector<ZipEntry>& entries, std::string& error) {
  static std::atomic<int> serial{0};
  const std::filesystem::path tmp =
      out.parent_path() / ("." + out.filename().string() + "." + std::to_string(::getpid()) + "." +
                           std::to_string(serial++) + ".tmp");
  int zerr = 0;
  zip_t* z = zip_open(tmp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &zerr);
  if (!z) {
    error = "cannot create " + tmp.string();
    return false;
  }
  bool ok = true;
  for (const ZipEntry& e : entries) {
    zip_source_t* src = zip_source_buffer(z, e.data.data(), e.data.size(), 0);
    if (!src || zip_file_add(z, e.name.c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
      if (src) zip_source_free(src);
      ok = false;
      break;
    }
  }
  if (!ok) {
    zip_discard(z);
  } else if (zip_close(z) != 0) {
    zip_discard(z);
    ok = false;
  }
  std::error_code ec;
  if (ok) {
    std::filesystem::rename(tmp, out, ec);
    ok = !ec;
  }
  if (!ok) {
    std::filesystem::remove(tmp, ec);
    error = "cannot write " + out.string();
  }
  return ok;
}

std::string xmlText(const pugi::xml_document& doc) {
  std::ostringstream os;
  doc.save(os, "", pugi::format_raw);
  return os.str();
}

pugi::xml_node firstTable(pugi::xml_document& doc) {
  pugi::xml_node body = doc.child("w:document").child("w:body");
  return body.find_node([](pugi::xml_node n) { return std::string(n.name()) == "w:tbl"; });
}

std::vector<pugi::xml_node> children(pugi::xml_node parent, const char* name) {
  std::vector<pugi::xml_node> out;
  for (pugi::xml_node n = parent.child(name); n; n = n.next_sibling(name)) out.push_back(n);
  return out;
}

// Runs holding the text, line feeds as breaks, inserted before `where` (or
// appended when `where` is null).
void insertRuns(pugi::xml_node p, pugi::xml_node where, const std::string& text) {
  const std::string safe = XmlSafeText(text);
  std::vector<std::string> lines(1);
  for (char c : safe) {
    if (c == '\n') lines.emplace_back();
    else lines.back() += c;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    pugi::xml_node r = where ? p.insert_child_before("w:r", where) : p.append_child("w:r");
    if (i > 0) r.append_child("w:br");
    pugi::xml_node t = r.append_child("w:t");
    t.append_attribute("xml:space") = "preserve";
    t.text().set(lines[i].c_str());
  }
}

bool fillCell(pugi::xml_node tbl, const DocxCell& cell) {
  auto rows = children(tbl, "w:tr");
  if (cell.row < 1 || cell.row > static_cast<int>(rows.size())) return false;
  auto cells = children(rows[static_cast<size_t>(cell.row - 1)], "w:tc");
  if (cell.col < 1 || cell.col > static_cast<int>(cells.size())) return false;
  pugi::xml_node tc = cells[static_cast<size_t>(cell.col - 1)];
  auto paras = children(tc, "w:p");
  if (paras.empty()) paras.push_back(tc.append_child("w:p"));
  switch (cell.mode) {
    case DocxCell::Mode::Replace: {
      for (size_t i = 1; i < paras.size(); ++i) tc.remove_child(paras[i]);
      pugi::xml_node p = paras[0];
      for (pugi::xml_node n = p.first_child(); n;) {
        pugi::xml_node next = n.next_sibling();
        if (std::string(n.name()) != "w:pPr") p.remove_child(n);
        n = next;
      }
      insertRuns(p, pugi::xml_node(), cell.text);
      break;
    }
    case DocxCell::Mode::Before: {
      pugi::xml_node p = paras.front();
      pugi::xml_node first = p.first_child();
      while (first && std::string(first.name()) == "w:pPr") first = first.next_sibling();
      insertRuns(p, first, cell.text);
      break;
    }
    case DocxCell::Mode::After:
      insertRuns(paras.back(), pugi::xml_node(), cell.text);
      break;
  }
  return true;
}

std::string cellText(pugi::xml_node tc) {
  std::string out;
  bool firstPara = true;
  for (pugi::xml_node p : children(tc, "w:p")) {
    if (!firstPara) out += '\n';
    firstPara = false;
    for (pugi::xml_node r : children(p, "w:r")) {
      for (pugi::xml_node n : r.children()) {
        const std::string name = n.name();
        if (name == "w:t") out += n.text().get();
        else if (name == "w:br") out += '\n';
        else if (name == "w:tab") out += '\t';
      }
    }
  }
  return out;
}

bool loadDocument(const std::filesystem::path& docx, std::vector<ZipEntry>& entries, pugi::xml_document& doc,
                  size_t& part, std::string& error) {
  auto bytes = readFileBytes(docx, kMaxTemplateBytes);
  if (!bytes) {
    error = "cannot read " + docx.string();
    return false;
  }
  if (!readZip(*bytes, entries, error)) return false;
  part = entries.size();
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].name == kDocumentPart) part = i;
  if (part == entries.size()) {
    error = "no document part";
    return false;
  }
  const std::string& xml = entries[part].data;
  if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single)) {
    error = "damaged document part";
    return false;
  }
  return true;
}

}  // namespace

namespace {

// The code point of the UTF-8 sequence at `i` and its length; length 0 for
// a byte that does not start a well-formed sequence (overlong forms and
// surrogates included).
std::pair<char32_t, size_t> decodeUtf8(const std::string& s, size_t i) {
  const auto byte = [&s](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = byte(i);
  if (b < 0x80) return {b, 1};
  size_t n = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? (b < 0xF0 ? 3 : 0) : b >= 0xC2 ? 2 : 0;
  if (n == 0 || i + n > s.size()) return {0, 0};
  char32_t cp = b & (0x7F >> n);
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return {0, 0};
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  const char32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {0, 0};
  return {cp, n};
}

// The characters XML 1.0 allows in a document.
bool xmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// Deeper than this, the XML parsers of the word processors give up.
constexpr size_t kMaxDocumentDepth = 256;

}  // namespace

std::string XmlSafeText(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const auto [cp, n] = decodeUtf8(utf8, i);
    if (n == 0) {
      ++i;
      continue;
    }
    if (xmlChar(cp) && cp != 0xD && cp != 0x7F) out.append(utf8, i, n);
    i += n;
  }
  return out;
}

bool WellFormedDocumentPart(const std::string& xml, std::string& error) {
  for (size_t i = 0; i < xml.size();) {
    const auto [cp, n] = decodeUtf8(xml, i);
    if (n == 0 || !xmlChar(cp)) {
      error = "a character XML does not allow at byte " + std::to_string(i);
      return false;
    }
    i += n;
  }
  pugi::xml_document doc;
  if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_declaration,
                       pugi::encoding_utf8)) {
    error = "the document part does not parse";
    return false;
  }
  // The bytes are UTF-8: a document declaring another encoding is read
  // as that encoding by the word processor.
  for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
    if (n.type() != pugi::node_declaration) continue;
    std::string encoding = n.attribute("encoding").value();
    for (char& c : encoding) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!encoding.empty() && encoding != "utf-8" && encoding != "utf8") {
      error = "the document part declares the encoding " + std::string(n.attribute("encoding").value());
      return false;
    }
  }
  if (!doc.document_element()) {
    error = "the document part holds no element";
    return false;
  }
  // Depth first without recursion: a hostile nesting must not exhaust the stack.
  size_t depth = 0;
  pugi::xml_node n = doc.document_element();
  while (n) {
    if (n.first_child()) {
      n = n.first_child();
      if (++depth > kMaxDocumentDepth) {
        error = "the document part nests deeper than " + std::to_string(kMaxDocumentDepth);
        return false;
      }
      continue;
    }
    while (n && !n.next_sibling()) {
      n = n.parent();
      if (depth == 0) n = pugi::xml_node();
      else --depth;
    }
    if (n) n = n.next_sibling();
  }
  return true;
}

bool FillDocx(const std::filesystem::path& templ, const std::filesystem::path& out, const DocxFill& fill,
              std::string& error) {
  std::vector<ZipEntry> entries;
  pugi::xml_document doc;
  size_t part = 0;
  if (!loadDocument(templ, entries, doc, part, error)) return false;
  pugi::xml_node tbl = firstTable(doc);
  if (!tbl) {
    error = "the template holds no table";
    return false;
  }
  for (const DocxCell& c : fill.cells) {
    if (!fillCell(tbl, c)) {
      error = "the template's table has no cell (" + std::to_string(c.row) + "," + std::to_string(c.col) + ")";
      return false;
    }
  }
  if (!fill.trailer.empty()) {
    pugi::xml_node body = doc.child("w:document").child("w:body");
    pugi::xml_node sect = body.child("w:sectPr");
    pugi::xml_node p = sect ? body.insert_child_before("w:p", sect) : body.append_child("w:p");
    insertRuns(p, pugi::xml_node(), fill.trailer);
  }
  entries[part].data = xmlText(doc);
  // What a word processor cannot open is not written.
  if (!WellFormedDocumentPart(entries[part].data, error)) return false;
  return writeZip(out, entries, error);
}

bool ReadDocxTable(const std::filesystem::path& docx, std::vector<std::vector<std::string>>& table,
                   std::string& error) {
  std::vector<ZipEntry> entries;
  pugi::xml_document doc;
  size_t part = 0;
  if (!loadDocument(docx, entries, doc, part, error)) return false;
  pugi::xml_node tbl = firstTable(doc);
  if (!tbl) {
    error = "no table";
    return false;
  }
  table.clear();
  for (pugi::xml_node tr : children(tbl, "w:tr")) {
    std::vector<std::string> row;
    for (pugi::xml_node tc : children(tr, "w:tc")) row.push_back(cellText(tc));
    table.push_back(std::move(row));
  }
  return true;
}

namespace {

constexpr const char* kW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr int kColumnWidths[5] = {700, 2800, 1500, 2300, 2300};
// The rows of the customer block (their source line starts with "%"): short
// labels, wide values, so that the customer's and the project's names do not
// wrap in a narrow cell.
constexpr int kHeaderWidths[5] = {700, 1200, 3600, 1200, 2900};

// The grid of the table: every column edge of either kind of row.
std::vector<int> gridEdges() {
  std::vector<int> edges{0};
  for (const int* widths : {kColumnWidths, kHeaderWidths}) {
    int x = 0;
    for (int i = 0; i < 5; ++i) edges.push_back(x += widths[i]);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  return edges;
}

const char* kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>)"
    R"(</Types>)";

const char* kRootRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)";

const char* kDocumentRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(</Relationships>)";

const char* kStyles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:docDefaults><w:rPrDefault><w:rPr>)"
    R"(<w:rFonts w:ascii="Times New Roman" w:hAnsi="Times New Roman" w:eastAsia="宋体" w:cs="Times New Roman"/>)"
    R"(<w:sz w:val="20"/><w:szCs w:val="20"/><w:lang w:val="en-US" w:eastAsia="zh-CN"/>)"
    R"(</w:rPr></w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:before="0" w:after="0"/></w:pPr></w:pPrDefault>)"
    R"(</w:docDefaults>)"
    R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>)"
    R"(<w:style w:type="paragraph" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="Normal"/>)"
    R"(<w:next w:val="Normal"/><w:qFormat/><w:pPr><w:keepNext/><w:spacing w:before="120" w:after="120"/>)"
    R"(<w:jc w:val="center"/><w:outlineLvl w:val="0"/></w:pPr>)"
    R"(<w:rPr><w:b/><w:bCs/><w:sz w:val="32"/><w:szCs w:val="32"/></w:rPr></w:style>)"
    R"(<w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/>)"
    R"(<w:tblPr><w:tblCellMar><w:left w:w="80" w:type="dxa"/><w:right w:w="80" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style>)"
    R"(</w:styles>)";

void border(pugi::xml_node borders, const char* side, int size) {
  pugi::xml_node b = borders.append_child(side);
  b.append_attribute("w:val") = "single";
  b.append_attribute("w:sz") = size;
  b.append_attribute("w:space") = 0;
  b.append_attribute("w:color") = "000000";
}

}  // namespace

bool BuildReportTemplate(const std::filesystem::path& source, const std::filesystem::path& out,
                         std::string& error) {
  // The source is UTF-8, as every readable source of the installation data.
  auto bytes = readFileBytes(source);
  if (!bytes) {
    error = "cannot read " + source.string();
    return false;
  }
  std::vector<std::string> lineList(1);
  for (char c : *bytes) {
    if (c == '\n') lineList.emplace_back();
    else if (c != '\r') lineList.back() += c;
  }
  const auto* lines = &lineList;
  pugi::xml_document doc;
  pugi::xml_node decl = doc.append_child(pugi::node_declaration);
  decl.append_attribute("version") = "1.0";
  decl.append_attribute("encoding") = "UTF-8";
  decl.append_attribute("standalone") = "yes";
  pugi::xml_node root = doc.append_child("w:document");
  root.append_attribute("xmlns:w") = kW;
  pugi::xml_node body = root.append_child("w:body");
  pugi::xml_node tbl = body.append_child("w:tbl");
  pugi::xml_node tblPr = tbl.append_child("w:tblPr");
  pugi::xml_node tblW = tblPr.append_child("w:tblW");
  tblW.append_attribute("w:w") = 9600;
  tblW.append_attribute("w:type") = "dxa";
  tblPr.append_child("w:tblLayout").append_attribute("w:type") = "fixed";
  pugi::xml_node borders = tblPr.append_child("w:tblBorders");
  for (const char* side : {"w:top", "w:left", "w:bottom", "w:right"}) border(borders, side, 12);
  for (const char* side : {"w:insideH", "w:insideV"}) border(borders, side, 4);
  pugi::xml_node grid = tbl.append_child("w:tblGrid");
  const std::vector<int> edges = gridEdges();
  for (size_t i = 1; i < edges.size(); ++i) grid.append_child("w:gridCol").append_attribute("w:w") = edges[i] - edges[i - 1];
  std::vector<pugi::xml_node> above;  // the cells of the row before, for vertical merges

  int rows = 0;
  for (const std::string& line : *lines) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::string cell;
    for (char c : line) {
      if (c == '|') {
        cells.push_back(cell);
        cell.clear();
      } else {
        cell += c;
      }
    }
    cells.push_back(cell);
    const bool header = !cells.empty() && !cells[0].empty() && cells[0][0] == '%';
    if (header) cells[0] = cells[0].substr(1);
    const int* widths = header ? kHeaderWidths : kColumnWidths;
    std::vector<pugi::xml_node> row;
    pugi::xml_node tr = tbl.append_child("w:tr");
    pugi::xml_node trPr = tr.append_child("w:trPr");
    pugi::xml_node height = trPr.append_child("w:trHeight");
    height.append_attribute("w:val") = 300;
    int col = 0;
    for (std::string text : cells) {
      int span = 1;
      if (text.size() > 2 && text[0] == '{' && text[2] == '}' && text[1] >= '2' && text[1] <= '5') {
        span = text[1] - '0';
        text = text.substr(3);
      }
      bool bold = false, heading = false, merged = false;
      if (!text.empty() && text[0] == '*') {
        bold = true;
        text = text.substr(1);
      } else if (!text.empty() && text[0] == '^') {
        heading = true;
        text = text.substr(1);
      } else if (text == "~") {
        merged = true;
        text.clear();
      }
      if (col + span > 5) {
        error = "row " + std::to_string(rows + 1) + " has more than 5 columns";
        return false;
      }
      int left = 0, width = 0;
      for (int i = 0; i < col; ++i) left += widths[i];
      for (int i = col; i < col + span; ++i) width += widths[i];
      const auto first = std::find(edges.begin(), edges.end(), left);
      const auto last = std::find(edges.begin(), edges.end(), left + width);
      pugi::xml_node tc = tr.append_child("w:tc");
      pugi::xml_node tcPr = tc.append_child("w:tcPr");
      pugi::xml_node tcW = tcPr.append_child("w:tcW");
      tcW.append_attribute("w:w") = width;
      tcW.append_attribute("w:type") = "dxa";
      const auto gridSpan = static_cast<int>(last - first);
      if (gridSpan > 1) tcPr.append_child("w:gridSpan").append_attribute("w:val") = gridSpan;
      if (merged) {
        // "~": one cell with the one above, so no empty cell stands there.
        const size_t index = row.size();
        if (index < above.size()) {
          pugi::xml_node abovePr = above[index].child("w:tcPr");
          if (!abovePr.child("w:vMerge")) abovePr.append_child("w:vMerge").append_attribute("w:val") = "restart";
        }
        tcPr.append_child("w:vMerge");
      }
      row.push_back(tc);
      pugi::xml_node p = tc.append_child("w:p");
      if (heading) p.append_child("w:pPr").append_child("w:pStyle").append_attribute("w:val") = "Heading1";
      if (!text.empty()) {
        pugi::xml_node r = p.append_child("w:r");
        if (bold) r.append_child("w:rPr").append_child("w:b");
        pugi::xml_node t = r.append_child("w:t");
        t.append_attribute("xml:space") = "preserve";
        t.text().set(text.c_str());
      }
      col += span;
    }
    if (col != 5) {
      error = "row " + std::to_string(rows + 1) + " does not fill 5 columns";
      return false;
    }
    above = std::move(row);
    ++rows;
  }
  if (rows < 44) {
    error = "the report table needs at least 44 rows";
    return false;
  }
  pugi::xml_node sect = body.append_child("w:sectPr");
  pugi::xml_node pg = sect.append_child("w:pgSz");
  pg.append_attribute("w:w") = 11906;
  pg.append_attribute("w:h") = 16838;
  pugi::xml_node mar = sect.append_child("w:pgMar");
  for (const char* side : {"w:top", "w:bottom"}) mar.append_attribute(side) = 1000;
  for (const char* side : {"w:left", "w:right"}) mar.append_attribute(side) = 1100;

  std::vector<ZipEntry> entries = {{"[Content_Types].xml", kContentTypes},
                                   {"_rels/.rels", kRootRels},
                                   {"word/_rels/document.xml.rels", kDocumentRels},
                                   {"word/styles.xml", kStyles},
                                   {kDocumentPart, xmlText(doc)}};
  return writeZip(out, entries, error);
}

}  // namespace vx
