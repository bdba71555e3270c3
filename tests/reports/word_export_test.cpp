// The report text "veloxa.tem" and the Word document made from the template.
#include <gtest/gtest.h>
#include <zip.h>

#include "common/file_io.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "reports/docx_document.h"
#include "reports/report_text.h"
#include "reports/statistics.h"
#include "settings/company_record.h"
#include "support/designed_case.h"
#include "tools/drawing.h"

namespace vx {

namespace {

using Table = std::vector<std::vector<std::string>>;

Table readTable(const std::filesystem::path& p) {
  Table t;
  std::string error;
  EXPECT_TRUE(ReadDocxTable(p, t, error)) << error;
  return t;
}

std::string cell(const Table& t, int r, int c) {
  if (r < 1 || r > static_cast<int>(t.size()) || c < 1 || c > static_cast<int>(t[r - 1].size())) return "<none>";
  return t[static_cast<size_t>(r - 1)][static_cast<size_t>(c - 1)];
}

}  // namespace

TEST(ReportText, FiftySixLinesOfSixtyFourItems) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  auto& v = c.session.var();
  v.HeatLoad = 2345.678f;
  auto lines = ReportLines(c.session.context());
  ASSERT_EQ(lines.size(), 56u);
  EXPECT_EQ(lines[34][0].text, "2345.7");
  v.HeatLoad = 1500;
  v.TinA = 110;
  v.ToutA = 90;
  v.FoulingA = 0;
  v.FoulingB = 0.00005f;
  v.Lmtd = 5;
  v.ParallelUnits = 2;
  Assign(*c.design->cvdt, "0.97");
  c.design->state.PlateCount = 51;
  ASSERT_TRUE(WriteReportText(c.session.context()));
  auto text = readTextLines(c.data.file(kReportTextFile));
  ASSERT_TRUE(text);
  ASSERT_EQ(text->size(), 56u);
  size_t items = 0;
  for (const auto& l : *text) items += splitItems(l).size();
  EXPECT_EQ(items, 64u);
  EXPECT_EQ((*text)[8], "2");  // ParallelUnits, bare
  EXPECT_EQ((*text)[42], "51");
  EXPECT_EQ((*text)[34], "\"1500.\"");
  EXPECT_EQ((*text)[28], "\"110.0 / 90.0\"");
  EXPECT_EQ((*text)[30], "\"0.0\",\"0.00005\"");
  EXPECT_EQ((*text)[36], "\"5.0/0.97\"");
  // Water on B: the liquid flow in line 14, none in line 16; steam swaps them.
  EXPECT_EQ(lines[13][0].text, Format(v.UnitFlowB, "0.0"));
  EXPECT_EQ(lines[15][0].text, "0.0");
  v.MediumStateB = kStateSteam;
  lines = ReportLines(c.session.context());
  EXPECT_EQ(lines[13][0].text, "0.0");
  EXPECT_EQ(lines[15][0].text, Format(v.UnitFlowB, "0.0"));
  // No latent heat on B: "-" in both cells of row 18.
  EXPECT_EQ(lines[26][0].text, "-");
  EXPECT_EQ(lines[27][0].text, "-");
}

TEST(ReportText, FreeTextKeepsTheItemsWhole) {
  std::vector<std::vector<ReportItem>> lines = {{{"say \"hi\"\r\nthere, you", false}}, {{"2", true}}};
  auto out = ReportTextLines(lines);
  EXPECT_EQ(out[0], "\"say 'hi' there, you\"");
  EXPECT_EQ(splitItems(out[0]).size(), 1u);
  EXPECT_EQ(out[1], "2");
  EXPECT_EQ(XmlSafeText(std::string("a\x01\x0b\x1f<b>&\n\tc\r")), "a<b>&\n\tc");
  // U+FFFE, U+FFFF, a lone surrogate and bytes that are no UTF-8 go; CJK
  // and characters beyond U+FFFF stay.
  EXPECT_EQ(XmlSafeText("甲\xEF\xBF\xBE\xEF\xBF\xBF\xED\xA0\x80\xC0\xAF\xFF乙😀"), "甲乙😀");
}

TEST(WordExport, DocumentsAreNumberedWithoutOverwritingAndFilledCellByCell) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  WriteCompanyRecord(c.data.dir(), {"华东换热", "一号路", "111", "222", ""});
  c.customer("用户甲 & <乙>", "项目");
  auto* drawing = c.session.windowAs<Drawing>(Drawing::kName);
  SetText(*drawing->lengtht, "1200");
  if (WindowModel* w = c.session.window("FrmCustomer")) Assign(*w->controls().find("remark"), "第一行\n第二行\x01");
  std::filesystem::remove(c.data.file(kStatisticsFile));
  c.confirmed("OuttoWord");
  const auto doc1 = c.data.file("Doc1.docx");
  ASSERT_TRUE(std::filesystem::exists(doc1));
  EXPECT_EQ(c.host.events().back(), "open " + doc1.string());
  // Where the document went is said, with the offer to open its folder.
  ASSERT_FALSE(c.host.messages().empty());
  EXPECT_NE(c.host.messages().back().text.find(doc1.string()), std::string::npos);
  EXPECT_EQ(c.host.messages().back().buttons, Buttons::YesNo);
  EXPECT_EQ(std::filesystem::file_size(c.data.file(kStatisticsFile)), 186u);
  const Table t = readTable(doc1);
  ASSERT_GE(t.size(), 44u);
  EXPECT_EQ(cell(t, 1, 2), "华东换热板式换热器工艺计算书");
  EXPECT_EQ(cell(t, 6, 2), "型号:" + c.design->ModelDesignation + "     提供面积:" + c.design->GrossArea->text +
                               "㎡     计算面积:" + c.design->txtarea->text + "㎡     裕度:" +
                               trimField(c.design->txtover->text) + "%     数量:1");
  EXPECT_EQ(cell(t, 9, 4), "水");
  EXPECT_EQ(cell(t, 19, 4), "110.0 / 90.0");
  EXPECT_EQ(cell(t, 35, 4), "1200//");
  EXPECT_EQ(cell(t, 43, 5), "-");
  EXPECT_EQ(cell(t, 26, 2), "结构参数");  // row 26 keeps the template's text
  if (c.hasCustomer()) {
    EXPECT_EQ(cell(t, 2, 3), "用户甲 & <乙>");
    EXPECT_EQ(cell(t, 44, 2), "备注: 第一行\n第二行");
  }
  const auto bytes1 = readFileBytes(doc1);

  // A second export writes Doc2 and leaves Doc1 as it was; so does a new
  // session, which starts counting again.
  c.confirmed("OuttoWord");
  EXPECT_TRUE(std::filesystem::exists(c.data.file("Doc2.docx")));
  EXPECT_EQ(readFileBytes(doc1), bytes1);
  test::StartedSession again;
  EXPECT_FALSE(std::filesystem::exists(again.data.file("Doc1.docx")));

  // Nothing opened it: the message says where it is.
  c.host.setOpensDocuments(false);
  c.confirmed("OuttoWord");
  EXPECT_NE(c.lastText().find(c.data.file("Doc3.docx").string()), std::string::npos);
  EXPECT_EQ(std::filesystem::file_size(c.data.file(kStatisticsFile)), 3u * 186u);
}

TEST(WordExport, AMissingOrDamagedTemplateWritesNothing) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  std::filesystem::remove(c.data.file(kStatisticsFile));
  for (const std::string& damage : {std::string(), std::string("PK\x03\x04 not really"), std::string("x")}) {
    if (damage.empty()) c.data.remove(kReportTemplateFile);
    else c.data.write(kReportTemplateFile, damage);
    c.confirmed("OuttoWord");
    EXPECT_EQ(c.lastId(), 516);
    EXPECT_EQ(c.lastText(), "无法导出至MS Word。错误代码04");
    EXPECT_FALSE(std::filesystem::exists(c.data.file("Doc1.docx")));
    EXPECT_FALSE(std::filesystem::exists(c.data.file(kStatisticsFile)));
  }
  // A template whose table is too small for the cells.
  test::TempDir dir;
  std::string error;
  const auto source = dir.dir() / "small.txt";
  ASSERT_TRUE(writeFileAtomic(source, "a|b|c|d|e\n"));
  EXPECT_FALSE(BuildReportTemplate(source, dir.dir() / "small.sav", error));
  for (int i = 0; i < 43; ++i) ASSERT_TRUE(writeFileAtomic(source, *readFileBytes(source) + "a|b|c|d|e\n"));
  ASSERT_TRUE(BuildReportTemplate(source, dir.dir() / "small.sav", error)) << error;
  DocxFill fill;
  fill.cells.push_back({45, 1, DocxCell::Mode::Replace, "x"});
  EXPECT_FALSE(FillDocx(dir.dir() / "small.sav", dir.dir() / "out.docx", fill, error));
  EXPECT_FALSE(std::filesystem::exists(dir.dir() / "out.docx"));
}

namespace {

// The template with its document part replaced.
void writeTemplate(const std::filesystem::path& from, const std::filesystem::path& to, const std::string& part) {
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
  int err = 0;
  zip_t* z = zip_open(to.c_str(), 0, &err);
  ASSERT_NE(z, nullptr);
  zip_source_t* src = zip_source_buffer(z, part.data(), part.size(), 0);
  ASSERT_GE(zip_file_add(z, "word/document.xml", src, ZIP_FL_OVERWRITE), 0);
  ASSERT_EQ(zip_close(z), 0);
}

}  // namespace

// A document a word processor cannot open is not written, and the person is
// told: a template declaring another encoding, or nesting beyond what the
// parsers take. Characters XML forbids never reach the document.
TEST(WordExport, ADocumentThatWouldNotOpenIsNotWritten) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  c.customer("用户", "项目");
  std::vector<std::vector<std::string>> table;
  std::string error;
  const auto original = c.data.file(kReportTemplateFile);
  ASSERT_TRUE(ReadDocxTable(original, table, error)) << error;
  std::string part;
  {
    test::TempDir dir;
    // The original part, read back through a copy of the template.
    std::filesystem::copy_file(original, dir.dir() / "t.zip");
    int err = 0;
    zip_t* z = zip_open((dir.dir() / "t.zip").c_str(), ZIP_RDONLY, &err);
    ASSERT_NE(z, nullptr);
    zip_stat_t st;
    ASSERT_EQ(zip_stat(z, "word/document.xml", 0, &st), 0);
    zip_file_t* f = zip_fopen(z, "word/document.xml", 0);
    part.resize(static_cast<size_t>(st.size));
    ASSERT_EQ(zip_fread(f, part.data(), st.size), static_cast<zip_int64_t>(st.size));
    zip_fclose(f);
    zip_close(z);
  }
  ASSERT_TRUE(WellFormedDocumentPart(part, error)) << error;
  const std::string gbk = std::string(part).replace(part.find("UTF-8"), 5, "GBK");
  std::string deep = part;
  const size_t body = deep.find("<w:body>") + 8;
  deep.insert(body, [] {
    std::string open, close;
    for (int i = 0; i < 1000000; ++i) open += "<w:p>";
    for (int i = 0; i < 1000000; ++i) close += "</w:p>";
    return open + close;
  }());
  const std::string forbidden = std::string(part).insert(part.find("</w:body>"), "<w:p><w:r><w:t>\xEF\xBF\xBF&#x1;</w:t></w:r></w:p>");
  for (const auto& [what, content] : {std::pair{"GBK", gbk}, {"deep", deep}, {"forbidden", forbidden}}) {
    EXPECT_FALSE(WellFormedDocumentPart(content, error)) << what;
    writeTemplate(original, c.data.file("bad.sav"), content);
    std::filesystem::rename(c.data.file("bad.sav"), original.parent_path() / kReportTemplateFile);
    c.confirmed("OuttoWord");
    EXPECT_EQ(c.lastId(), 516) << what;
    EXPECT_FALSE(std::filesystem::exists(c.data.file("Doc1.docx"))) << what;
  }
  // Filled with characters XML forbids: written without them, and it parses.
  writeTemplate(original, c.data.file("good.sav"), part);
  DocxFill fill;
  fill.cells.push_back({2, 3, DocxCell::Mode::Replace, "甲\xEF\xBF\xBF\xEF\xBF\xBE\x01乙"});
  ASSERT_TRUE(FillDocx(c.data.file("good.sav"), c.data.file("out.docx"), fill, error)) << error;
  ASSERT_TRUE(ReadDocxTable(c.data.file("out.docx"), table, error)) << error;
  EXPECT_EQ(cell(table, 2, 3), "甲乙");
}

}  // namespace vx
