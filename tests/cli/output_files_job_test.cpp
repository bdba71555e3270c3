// The files the scripted front end writes through its modules: the
// calculation sheet as PDF, drawn with the desktop program's painter and
// fonts, and the Word report.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/job_runner.h"
#include "support/temp_data.h"

using nlohmann::json;

namespace vx {

namespace {

// A designed case, the customer filled in (so no output question is asked)
// and 导出PDF of the main window answered with `file`.
json pdfJob(const std::string& file, const std::string& control = "mnuFilePdf") {
  return {{"steps", json::array({{{"window", "FrmCustomer"}, {"control", "custname"}, {"text", "某热力公司"}},
                                 {{"window", "FrmCustomer"}, {"control", "project"}, {"text", "换热站"}},
                                 {{"window", "Condition"}, {"control", "balance"}, {"click", true}},
                                 {{"window", "Condition"}, {"control", "Command5"}, {"click", true}},
                                 {{"window", "detail"}, {"control", "cbotype"}, {"pick", 10}},
                                 {{"window", "detail"}, {"control", "Command2"}, {"click", true}},
                                 {{"window", "Veloxa"}, {"control", control}, {"click", true}}})},
          {"answers", json::array({file})}};
}

std::string runCommand(const std::string& command, int& status) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  std::array<char, 4096> buf{};
  while (size_t n = fread(buf.data(), 1, buf.size(), pipe)) out.append(buf.data(), n);
  status = WEXITSTATUS(pclose(pipe));
  return out;
}

bool hasEvent(const json& out, const std::string& event) {
  for (const auto& e : out["events"])
    if (e == event) return true;
  return false;
}

}  // namespace

TEST(PdfJob, TheCommandLineWritesTheSheetWithItsFontsEmbedded) {
  test::TempData data;
  test::TempDir tmp;
  std::ofstream(tmp.dir() / "job.json") << pdfJob("sheet.pdf").dump();
  int status = 0;
  // No display: the command line must not need one.
  const std::string out = runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(VELOXA_CLI) +
                                         " run " + (tmp.dir() / "job.json").string() + " --data-dir " +
                                         data.dir().string() + " 2>/dev/null",
                                     status);
  ASSERT_EQ(status, 0) << out;
  const auto pdf = data.file("sheet.pdf");
  EXPECT_TRUE(hasEvent(json::parse(out), "pdf " + pdf.string())) << out;
  ASSERT_TRUE(std::filesystem::exists(pdf));

  std::string text = runCommand("pdftotext -enc UTF-8 " + pdf.string() + " -", status);
  ASSERT_EQ(status, 0);
  // The CJK fonts draw 工 and the Kangxi radical ⼯ with one glyph, and Qt's
  // text map of the embedded subset names the lower code point.
  for (size_t at; (at = text.find("⼯")) != std::string::npos;) text.replace(at, std::string("⼯").size(), "工");
  EXPECT_NE(text.find("板式换热器工艺计算书"), std::string::npos) << text;

  // Every font of the file is embedded (the fifth column from the end).
  std::istringstream fonts(runCommand("pdffonts " + pdf.string(), status));
  ASSERT_EQ(status, 0);
  std::string line;
  int rows = 0;
  bool pastHeader = false;
  while (std::getline(fonts, line)) {
    if (line.rfind("---", 0) == 0) {
      pastHeader = true;
      continue;
    }
    if (!pastHeader || line.empty()) continue;
    std::istringstream cells(line);
    std::vector<std::string> cell{std::istream_iterator<std::string>(cells), std::istream_iterator<std::string>()};
    ASSERT_GE(cell.size(), 5u) << line;
    EXPECT_EQ(cell[cell.size() - 5], "yes") << line;
    ++rows;
  }
  EXPECT_GT(rows, 0);
}

// The Word report through the files module; the program itself needs none
// of the modules' libraries.
TEST(OutputModules, TheWordReportIsWrittenAndTheProgramNeedsNoneOfTheirLibraries) {
  test::TempData data;
  test::TempDir tmp;
  std::ofstream(tmp.dir() / "job.json") << pdfJob("", "OuttoWord").dump();
  int status = 0;
  const std::string command = std::string(VELOXA_CLI) + " run " + (tmp.dir() / "job.json").string() +
                              " --data-dir " + data.dir().string() + " 2>/dev/null";
  const std::string out = runCommand(command, status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_TRUE(hasEvent(json::parse(out), "open " + data.file("Doc1.docx").string())) << out;
  EXPECT_EQ(runCommand("head -c 2 " + data.file("Doc1.docx").string(), status), "PK");

  const std::string libraries = runCommand("readelf -d " + std::string(VELOXA_CLI) + " | grep NEEDED", status);
  for (const char* library : {"libQt", "libzip", "libpugixml", "libxlsxwriter"})
    EXPECT_EQ(libraries.find(library), std::string::npos) << library << " in\n" << libraries;
}

// A writer that fails is told as the desktop program tells it, not recorded
// as an export.
TEST(PdfJob, AFailedWriteIsReported) {
  test::TempData data;
  JobResult r = RunJob(pdfJob("sheet.pdf"), data.dir(), [](const std::string&, const PageDrawing&) { return false; });
  ASSERT_EQ(r.status, 0) << r.error;
  const std::string path = data.file("sheet.pdf").string();
  EXPECT_TRUE(hasEvent(r.output, "pdf " + path + ": not written")) << r.output.dump();
  bool told = false;
  for (const auto& m : r.output["messages"]) told = told || m["text"] == "无法写入PDF文件" + path + "。";
  EXPECT_TRUE(told) << r.output["messages"].dump();
}

}  // namespace vx
