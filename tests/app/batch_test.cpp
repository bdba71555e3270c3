// The batch design: the duty table's reader, a row on its own session
// against the same duty typed into the windows, failing rows, the order of
// parallel rows, and the written result tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "app/batch_duties.h"
#include "app/batch_run.h"
#include "common/file_io.h"
#include "common/gbk.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "conditions/other_data.h"
#include "reports/sheet_files.h"
#include "support/designed_case.h"
#include "support/temp_data.h"

namespace vx {

namespace {

using F = DutyField;
using C = ResultColumn;

// The guide's worked example as the batch reads it: the default duty and
// VX038N with 47 plates checked.
const char* kExampleHeader = "编号,介质A,流量A(kg/h),进口温度A(℃),出口温度A(℃),介质B,进口温度B,出口温度B,型号,板片数\n";
const char* kExampleRow = "示例,水,60000,110,90,水,60,80,VX038N,47\n";

std::string run(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = pclose(pipe);
  return std::to_string(WEXITSTATUS(status)) + "\n" + out;
}

}  // namespace

TEST(BatchDuties, ChineseHeadersEnglishAliasesAndGbkReadAlike) {
  const std::string chinese = std::string(kExampleHeader) + kExampleRow;
  const std::string english =
      "Label, Medium_A, flow a (kg/h), INLET_A, outlet_a, medium_b, inlet_b, outlet_b, model, plates\r\n"
      "示例,水,60000,110,90,水,60,80,VX038N,47\r\n";
  const DutyTable utf8 = ReadDuties("\xEF\xBB\xBF" + chinese);
  const DutyTable aliases = ReadDuties(english);
  const DutyTable gbk = ReadDuties(toGbk(chinese));
  for (const DutyTable* t : {&utf8, &aliases, &gbk}) {
    ASSERT_EQ(t->error, "");
    ASSERT_EQ(t->duties.size(), 1u);
    EXPECT_EQ(t->duties[0].cells, utf8.duties[0].cells);
  }
  EXPECT_FALSE(utf8.gbk);
  EXPECT_FALSE(aliases.gbk);
  EXPECT_TRUE(gbk.gbk);
  EXPECT_EQ(utf8.duties[0][F::Label], "示例");
  EXPECT_EQ(utf8.duties[0][F::TinA], "110");
  EXPECT_EQ(utf8.duties[0][F::Model], "VX038N");
  EXPECT_FALSE(utf8.duties[0].given(F::FlowB));
  // A header nobody knows stops the table: its data would be lost unseen.
  EXPECT_NE(ReadDuties("流量A,进口温度X\n1,2\n").error.find("进口温度X"), std::string::npos);
  // A spreadsheet's exponent form reaches the field as the plain decimal
  // the field can read (the field reads "5E-05" as 5).
  EXPECT_EQ(FieldNumberText("5E-05"), "0.00005");
  EXPECT_EQ(FieldNumberText("abc"), "");
}

TEST(BatchRun, ARowGivesWhatTheWindowsGiveForTheSameDuty) {
  test::DesignedCase windows;  // the default duty, VX038N, 47 plates, typed into the windows and checked
  ASSERT_TRUE(windows.designed);
  const DutyTable table = ReadDuties(std::string(kExampleHeader) + kExampleRow);
  ASSERT_EQ(table.error, "");
  const BatchResult r = RunDuty(windows.data.dir(), table.duties[0], 1);
  ASSERT_TRUE(r.ok) << MessagesText(r.messages);
  const DesignState& s = windows.design->state;
  EXPECT_EQ(r[C::Model].text, trimField(windows.design->cbotype->text));
  EXPECT_EQ(r[C::Plates].number, 47);
  EXPECT_EQ(r[C::Margin].number, s.SurfaceMargin);
  EXPECT_EQ(r[C::DropA].number, s.PressureDropA / 1000.0);
  EXPECT_EQ(r[C::DropB].number, s.PressureDropB / 1000.0);
  EXPECT_EQ(r[C::FlowB].number, windows.session.var().FlowB);
  EXPECT_EQ(r[C::Lmtd].number, windows.session.var().Lmtd);
  EXPECT_EQ(r[C::GrossArea].number, Val(windows.design->GrossArea->text));
  auto* o = windows.session.existingAs<OtherData>(OtherData::kName);
  EXPECT_EQ(r[C::ServiceU].number, Val(o->cell(14, 1)));
  EXPECT_NE(r[C::Notes].text.find("换热量满足要求"), std::string::npos);
}

TEST(BatchRun, AnAutomaticDesignRowGivesTheWindowsCandidates) {
  test::StartedSession windows;
  auto* c = windows.session.existingAs<Condition>(Condition::kName);
  SetText(c->field(kMargin), "10");
  Click(c->controls(), *c->balanceButton);
  Click(c->controls(), *c->Command5);
  auto* d = windows.session.existingAs<DesignWindow>(DesignWindow::kName);
  ASSERT_TRUE(d->RunAutoDesign());
  const DutyTable table = ReadDuties("inlet_a,outlet_a,flow_a,inlet_b,outlet_b,margin\n110,90,60000,60,80,10\n");
  const BatchResult r = RunDuty(windows.data.dir(), table.duties[0], 1);
  ASSERT_TRUE(r.ok) << MessagesText(r.messages);
  EXPECT_EQ(r[C::Model].text, trimField(d->candidates[1].name));
  EXPECT_EQ(r[C::Plates].number, d->candidates[1].plates);
  EXPECT_EQ(r[C::Margin].number, d->state.SurfaceMargin);
  EXPECT_EQ(r[C::DropA].number, d->state.PressureDropA / 1000.0);
  if (d->candidates.size() > 2 && d->candidates[2].plates) {
    EXPECT_EQ(r[C::Model2].text, trimField(d->candidates[2].name));
    EXPECT_EQ(r[C::Area2].number, d->candidates[2].area);
  }
}

TEST(BatchRun, FailingRowsCarryTheirMessageAndTheRestRunInOrder) {
  test::TempData data;
  std::string text = "编号,介质A,流量A,进口温度A,出口温度A,进口温度B,出口温度B,型号,板片数\n";
  text += "r1,水,60000,110,90,60,80,VX038N,47\n";
  text += "r2,橄榄油,60000,110,90,60,80,,\n";      // no such medium
  text += "r3,水,60000,90,50,60,80,,\n";           // a temperature cross in counter-current flow
  text += "r4,水,6万,110,90,60,80,,\n";            // a text in a number column
  text += "r5,水,60000,110,90,60,80,NOSUCH,\n";    // no such model
  for (int i = 6; i <= 9; ++i) text += "r" + std::to_string(i) + ",水," + std::to_string(40000 + 5000 * i) + ",110,90,60,80,VX038N,47\n";
  const DutyTable table = ReadDuties(text);
  ASSERT_EQ(table.error, "");
  const std::vector<BatchResult> results = RunBatch(data.dir(), table.duties, 3);
  ASSERT_EQ(results.size(), 9u);
  for (size_t i = 0; i < results.size(); ++i) {
    EXPECT_EQ(results[i][C::Row].number, static_cast<double>(i + 1));
    EXPECT_EQ(results[i][C::Label].text, "r" + std::to_string(i + 1));
  }
  EXPECT_TRUE(results[0].ok);
  EXPECT_FALSE(results[1].ok);
  EXPECT_NE(results[1].failure.text.find("橄榄油"), std::string::npos);
  EXPECT_FALSE(results[2].ok);
  EXPECT_EQ(results[2].failure.id, 570);
  EXPECT_EQ(results[2][C::MessageId].number, 570);
  EXPECT_NE(results[2][C::Messages].text.find("202"), std::string::npos);
  EXPECT_FALSE(results[3].ok);
  EXPECT_NE(results[3].failure.text.find("6万"), std::string::npos);
  EXPECT_FALSE(results[4].ok);
  EXPECT_NE(results[4].failure.text.find("NOSUCH"), std::string::npos);
  // The rows after the failures ran, each with its own flow.
  for (int i = 5; i < 9; ++i) {
    ASSERT_TRUE(results[static_cast<size_t>(i)].ok);
    EXPECT_EQ(results[static_cast<size_t>(i)][C::FlowA].number, 40000 + 5000 * (i + 1));
  }
}

TEST(BatchRun, TheResultTablesHoldNumbersUnitsAndAFrozenHeader) {
  test::TempData data;
  const DutyTable table = ReadDuties(std::string(kExampleHeader) + kExampleRow + "坏,水,x,110,90,水,60,80,,\n");
  const std::vector<BatchResult> results = RunBatch(data.dir(), table.duties, 2);
  const TableSheet sheet = ResultSheet(results);
  std::string error;
  const auto xlsx = data.dir() / "out.xlsx", csv = data.dir() / "out.csv";
  ASSERT_TRUE(WriteSheetFile(xlsx, sheet, error)) << error;
  ASSERT_TRUE(WriteSheetFile(csv, sheet, error)) << error;
  EXPECT_FALSE(WriteSheetFile(data.dir() / "out.txt", sheet, error));
  const std::string xml = run("unzip -p " + xlsx.string() + " xl/worksheets/sheet1.xml");
  const std::string strings = run("unzip -p " + xlsx.string() + " xl/sharedStrings.xml");
  ASSERT_EQ(xml.substr(0, 2), "0\n");
  EXPECT_NE(xml.find("ySplit=\"2\""), std::string::npos);  // names and units stay in view
  EXPECT_NE(xml.find("<v>47</v>"), std::string::npos);     // the plates as a number
  EXPECT_NE(strings.find("板片数"), std::string::npos);
  EXPECT_NE(strings.find("kPa"), std::string::npos);
  // The CSV: the same columns, units in the second line, the failed row's message.
  const auto lines = splitLines(readFileBytes(csv).value());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].rfind("\xEF\xBB\xBF序号,编号,状态", 0), 0u);
  EXPECT_NE(lines[1].find("kPa"), std::string::npos);
  EXPECT_NE(lines[2].find(",VX038N,47,"), std::string::npos);
  EXPECT_NE(lines[3].find("失败"), std::string::npos);
}

TEST(BatchCli, TheTemplateRunsAndEveryRowIsDesigned) {
  test::TempData data;
  const auto duties = data.dir() / "duties.csv", out = data.dir() / "results.csv";
  ASSERT_EQ(run(std::string(VELOXA_CLI) + " batch --template " + duties.string()), "0\n");
  const std::string output = run(std::string(VELOXA_CLI) + " batch " + duties.string() + " --out " + out.string() +
                                 " --data-dir " + data.dir().string());
  EXPECT_EQ(output.substr(0, 2), "0\n") << output;
  EXPECT_NE(output.find("\"done\": 4"), std::string::npos) << output;
  EXPECT_TRUE(std::filesystem::exists(out));
}

// The batch example of the command-line documentation runs as it says:
// two rows designed, the crossing one failed with 570, exit status 3.
TEST(BatchCli, TheDocumentedExampleRuns) {
  std::ifstream doc(std::filesystem::path(VELOXA_SOURCE_DIR) / "docs" / "cli.md");
  ASSERT_TRUE(doc);
  std::string line, example;
  bool inside = false;
  while (std::getline(doc, line)) {
    if (line == "```csv") inside = true;
    else if (inside && line == "```") break;
    else if (inside) example += line + "\n";
  }
  ASSERT_FALSE(example.empty());
  test::TempData data;
  data.write("duties.csv", example);
  const std::string output = run(std::string(VELOXA_CLI) + " batch " + data.file("duties.csv").string() + " --out " +
                                 data.file("results.xlsx").string() + " --data-dir " + data.dir().string());
  EXPECT_EQ(output.substr(0, 2), "3\n") << output;
  EXPECT_NE(output.find("\"done\": 2"), std::string::npos) << output;
  EXPECT_NE(output.find("\"id\": 570"), std::string::npos) << output;
}

}  // namespace vx
