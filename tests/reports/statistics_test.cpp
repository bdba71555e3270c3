// The statistics file and its list, filled by the outputs.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/case_file.h"
#include "app/main_window.h"
#include "app/session.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "common/record_file.h"
#include "reports/outputs.h"
#include "reports/statistics.h"
#include "support/designed_case.h"

namespace vx {

namespace {

std::uintmax_t fileSize(const std::filesystem::path& p) {
  std::error_code ec;
  auto n = std::filesystem::file_size(p, ec);
  return ec ? 0 : n;
}

void print(test::DesignedCase& c) { Click(c.session.main().controls(), c.session.main().menuItem("mnuFilePrint")); }

}  // namespace

TEST(StatisticsDates, DayCountsFromTheCustomerDate) {
  // Day counts since 1899-12-30 (Python: (date(2026,12,9) - date(1899,12,30)).days).
  EXPECT_EQ(DateFromText("2026/12/9").value_or(-1), 46365);
  EXPECT_EQ(DateFromText("2024-02-29").value_or(-1), 45351);
  EXPECT_EQ(DateFromText("2026年12月9日").value_or(-1), 46365);
  EXPECT_EQ(DateText(46365), "2026/12/9");
  EXPECT_EQ(DateText(45351.75), "2024/2/29");  // the fraction is the time of day
  for (const char* bad : {"", "明天", "2026/13/1", "2023/2/29", "12/9", "2026/12/9 x"})
    EXPECT_FALSE(DateFromText(bad).has_value()) << bad;
  EXPECT_EQ(DateText(0), "");
}

TEST(StatisticsRecords, FieldsAreCutToTheirWidths) {
  StatisticsRecord r;
  r.Project = std::string(45, 'p');
  r.Remark = "备注文字";
  r.TinA = 110;
  r.Date = 46365;
  const std::string bytes = writeStatisticsRecord(r);
  ASSERT_EQ(bytes.size(), 186u);
  StatisticsRecord back = readStatisticsRecord(bytes);
  EXPECT_EQ(back.Project, std::string(40, 'p'));
  EXPECT_EQ(back.TinA, 110);
  EXPECT_EQ(back.Date, 46365);
  EXPECT_EQ(trimField(back.Remark), "备注文字");
  // Chinese text takes two bytes a character: 25 characters keep 20.
  std::string chinese;
  for (int i = 0; i < 25; ++i) chinese += "项";
  r.Project = chinese;
  EXPECT_EQ(readStatisticsRecord(writeStatisticsRecord(r)).Project, chinese.substr(0, 20 * 3));
}

TEST(Statistics, ThreePrintsMakeThreeRecordsAndACancelledPrintNone) {
  test::DesignedCase c({"yes", "yes", "yes", "no"});
  ASSERT_TRUE(c.designed);
  const auto file = c.data.file(kStatisticsFile);
  std::filesystem::remove(file);
  for (int i = 0; i < 3; ++i) print(c);
  EXPECT_EQ(fileSize(file), 558u);
  print(c);  // 505 answered No
  EXPECT_EQ(c.lastId(), 507);
  EXPECT_EQ(fileSize(file), 558u);
  EXPECT_EQ(c.host.pages().size(), 3u);

  c.session.showWindow(PheList::kName, false);
  auto* list = c.session.existingAs<PheList>(PheList::kName);
  ASSERT_TRUE(list);
  const GridState& g = list->GrdPheList->grid;
  ASSERT_EQ(g.rows, 5);
  EXPECT_EQ(g.cell(0, 3), "回路A");
  EXPECT_EQ(g.cell(0, 5), "回路A");
  EXPECT_EQ(g.cell(0, 11), "裕度%");
  EXPECT_EQ(g.cell(1, 7), "进口温度");
  // The default duty: A 110 -> 90, B 60 -> 80.
  EXPECT_EQ(g.cell(2, 4), " 110");
  EXPECT_EQ(g.cell(2, 5), " 90");
  EXPECT_EQ(g.cell(2, 7), " 60");
  EXPECT_EQ(g.cell(2, 8), " 80");
  EXPECT_EQ(g.cell(2, 13), std::string(20, ' '));
  EXPECT_EQ(trimField(g.cell(2, 10)), trimField(c.design->ModelDesignation));

  // Right button on the last row: asked, then gone from the display only.
  c.host.addAnswer("yes");
  ClickCell(*list->GrdPheList, 4, 0);
  Click(list->controls(), *list->rightButton);
  EXPECT_EQ(list->GrdPheList->grid.rows, 4);
  EXPECT_EQ(list->GrdPheList->grid.cell(3, 4), " 110");
  EXPECT_EQ(fileSize(file), 558u);
  Click(list->controls(), *list->Command1);
  c.session.showWindow(PheList::kName, false);
  EXPECT_EQ(c.session.existingAs<PheList>(PheList::kName)->GrdPheList->grid.rows, 5);
}

TEST(Statistics, UncheckedPutIntoAndUnreadableDatesAndDamagedFiles) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  c.customer("用户", "项目");
  const auto file = c.data.file(kStatisticsFile);
  std::filesystem::remove(file);
  Control& putInto = c.session.main().menuItem("PutInTo");
  Click(c.session.main().controls(), putInto);
  ASSERT_FALSE(putInto.checked);
  c.confirmed("mnuFilePrint");
  EXPECT_FALSE(std::filesystem::exists(file));
  Click(c.session.main().controls(), putInto);

  // A date that is no date is stored as 0 and listed as an empty cell.
  if (WindowModel* customer = c.session.window("FrmCustomer")) {
    Assign(*customer->controls().find("txtdate"), "下周一");
    c.confirmed("mnuFilePrint");
    RecordFile f(file, kStatisticsRecordLength);
    ASSERT_TRUE(f.load());
    EXPECT_EQ(readStatisticsRecord(f.record(1)).Date, 0);
  }

  // A truncated file lists its whole records; the next append starts at a
  // whole record.
  std::string two(2 * 186, ' ');
  c.data.write(kStatisticsFile, two + std::string(100, 'x'));
  c.session.showWindow(PheList::kName, false);
  EXPECT_EQ(c.session.existingAs<PheList>(PheList::kName)->GrdPheList->grid.rows, 4);
  EXPECT_EQ(c.session.existingAs<PheList>(PheList::kName)->GrdPheList->grid.cell(2, 1), "");
  c.session.closeWindow(PheList::kName);
  // Printing needs an active child window.
  c.confirmed("mnuFilePrint");
  EXPECT_EQ(fileSize(file), 472u);
  c.session.activated(DesignWindow::kName);
  c.confirmed("mnuFilePrint");
  EXPECT_EQ(fileSize(file), 558u);

  // No file at all: the two header rows only.
  std::filesystem::remove(file);
  c.session.showWindow(PheList::kName, false);
  EXPECT_EQ(c.session.existingAs<PheList>(PheList::kName)->GrdPheList->grid.rows, 2);
}

TEST(Statistics, WithoutAPrinterThePdfIsOfferedAndOnlyAWrittenOneCounts) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  c.customer("用户", "项目");
  const auto file = c.data.file(kStatisticsFile);
  std::filesystem::remove(file);
  c.host.setHasPrinter(false);
  if (c.willAsk()) c.host.addAnswer("yes");
  c.host.addAnswer("no");
  print(c);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(c.host.pages().empty());
  if (c.willAsk()) c.host.addAnswer("yes");
  c.host.addAnswer("yes");
  c.host.addAnswer((c.data.dir() / "sheet").string());
  print(c);
  EXPECT_EQ(c.host.events().back(), "pdf " + (c.data.dir() / "sheet.pdf").string());
  EXPECT_EQ(fileSize(file), 186u);
  // The PDF command of the file menu: a cancelled dialog writes and counts nothing.
  if (c.willAsk()) c.host.addAnswer("yes");
  c.host.addAnswer("cancel");
  Click(c.session.main().controls(), c.session.main().menuItem("mnuFilePdf"));
  EXPECT_EQ(fileSize(file), 186u);
}

// The PDF starts beside the case files with the case's name; a case never
// saved gets the sheet's own name.
TEST(Statistics, ThePdfDialogStartsInTheCaseFolderWithTheCaseName) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  c.customer("用户", "项目");
  const std::string folder = c.data.dir().string();
  c.host.setSetting("PHE_SAVE_PATH", " " + folder + " ");
  if (c.willAsk()) c.host.addAnswer("yes");
  c.host.addAnswer("cancel");
  Click(c.session.main().controls(), c.session.main().menuItem("mnuFilePdf"));
  EXPECT_EQ(c.host.lastDialog().folder, folder);
  EXPECT_EQ(c.host.lastDialog().defaultName, LoadMessage(533) + ".pdf");

  c.host.addAnswer((c.data.dir() / "泵站换热器.pda").string());
  ASSERT_TRUE(c.session.files().save(1));
  if (c.willAsk()) c.host.addAnswer("yes");
  c.host.addAnswer("cancel");
  Click(c.session.main().controls(), c.session.main().menuItem("mnuFilePdf"));
  EXPECT_EQ(c.host.lastDialog().defaultName, "泵站换热器.pdf");
  EXPECT_EQ(c.host.lastDialog().folder, folder);
}

// A statistics file that is a loop of links cannot be read: every output
// still goes out, says so and leaves the links alone.
TEST(Statistics, ALinkLoopInPlaceOfTheFileIsReportedByEveryOutput) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  c.customer("用户", "项目");
  const auto file = c.data.file(kStatisticsFile);
  std::filesystem::remove(file);
  std::filesystem::create_symlink("loop.phe", file);
  std::filesystem::create_symlink(kStatisticsFile, c.data.file("loop.phe"));
  const std::string unread = "统计文件" + std::string(kStatisticsFile) + "无法读取，本次工况未加入统计表。";

  c.confirmed("mnuFilePrint");
  EXPECT_EQ(c.host.pages().size(), 1u);
  EXPECT_EQ(c.lastText(), unread);

  if (c.willAsk()) c.host.addAnswer("yes");
  c.host.addAnswer((c.data.dir() / "sheet.pdf").string());
  Click(c.session.main().controls(), c.session.main().menuItem("mnuFilePdf"));
  EXPECT_EQ(c.host.events().back(), "pdf " + c.data.file("sheet.pdf").string());
  EXPECT_EQ(c.lastText(), unread);

  // The export tells the unread statistics, then where the report is.
  const size_t shown = c.host.messages().size();
  c.confirmed("OuttoWord");
  EXPECT_TRUE(std::filesystem::exists(c.data.file("Doc1.docx")));
  const auto& messages = c.host.messages();
  EXPECT_TRUE(std::any_of(messages.begin() + static_cast<std::ptrdiff_t>(shown), messages.end(),
                          [&](const ShownMessage& m) { return m.text == unread; }));
  EXPECT_TRUE(std::filesystem::is_symlink(file));
  EXPECT_TRUE(std::filesystem::is_symlink(c.data.file("loop.phe")));
}

}  // namespace vx
