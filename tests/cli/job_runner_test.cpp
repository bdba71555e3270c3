#include "cli/job_runner.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>

#include "support/temp_data.h"

using nlohmann::json;

namespace vx {

namespace {

struct CliRun {
  int status;
  std::string out;
};

// Runs the real veloxa-cli with a job file.
CliRun runCliText(const std::string& job, const std::filesystem::path& dataDir, const std::string& extra = "") {
  test::TempDir tmp;
  std::ofstream(tmp.dir() / "job.json") << job;
  std::string command = std::string(VELOXA_CLI) + " run " + (tmp.dir() / "job.json").string() + " --data-dir " +
                        dataDir.string() + extra + " 2>&1";
  CliRun r{0, ""};
  FILE* pipe = popen(command.c_str(), "r");
  std::array<char, 4096> buf{};
  while (size_t n = fread(buf.data(), 1, buf.size(), pipe)) r.out.append(buf.data(), n);
  int rc = pclose(pipe);
  r.status = WEXITSTATUS(rc);
  return r;
}

CliRun runCli(const json& job, const std::filesystem::path& dataDir, const std::string& extra = "") {
  return runCliText(job.dump(), dataDir, extra);
}

}  // namespace

TEST(FloatJson, ShortestTextThatReadsBack) {
  EXPECT_EQ(FloatJson(0.3f).dump(), "0.3");
  EXPECT_EQ(FloatJson(4.17f).dump(), "4.17");
  EXPECT_EQ(FloatJson(1000.0f).dump(), "1000.0");
  EXPECT_EQ(FloatJson(1.0f / 3.0f).dump(), "0.33333334");
}

TEST(Job, ReportsTheMainWindowAndTheCase) {
  test::TempData data;
  json job = {{"steps", json::array({{{"window", "Veloxa"}, {"control", "PutInTo"}, {"click", true}},
                                     {{"window", "Veloxa"}, {"control", "mnuHelpAbout"}, {"click", true}}})}};
  JobResult r = RunJob(job, data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& out = r.output;
  EXPECT_EQ(out["main"]["caption"], "Veloxa 5.0");
  EXPECT_EQ(out["main"]["menu"]["PutInTo"]["checked"], false);
  EXPECT_EQ(out["main"]["menu"]["mnuFilePrint"]["enabled"], false);
  EXPECT_EQ(out["main"]["menu"]["mnuFileSave(0)"]["caption"], "保存(&S)");
  EXPECT_EQ(out["main"]["toolbar"].size(), 17u);
  EXPECT_EQ(out["main"]["toolbar"][3]["separator"], true);
  EXPECT_EQ(out["windows"]["about"]["controls"]["lblTitle"]["text"], "Veloxa 5.0.3");
  EXPECT_EQ(out["case"]["MediumProp"].size(), 3u);
  EXPECT_EQ(out["case"]["MediumProp"][1].size(), 7u);
  EXPECT_EQ(out["case"]["CaseSaved"], true);
  EXPECT_EQ(out["case"]["TestPressureFactor"].dump(), "1.25");
  EXPECT_TRUE(out["messages"].empty());
}

TEST(Job, DisabledControlsIgnoreActionsWithANote) {
  test::TempData data;
  json job = {{"steps", json::array({{{"window", "Veloxa"}, {"control", "mnuFilePrint"}, {"click", true}}})}};
  JobResult r = RunJob(job, data.dir());
  ASSERT_EQ(r.status, 0);
  ASSERT_EQ(r.output["notes"].size(), 1u);
  EXPECT_NE(r.output["notes"][0].get<std::string>().find("step 1"), std::string::npos);
}

TEST(Job, MalformedJobsNameTheStep) {
  test::TempData data;
  auto bad = [&](json step) { return RunJob({{"steps", json::array({{{"window", "Veloxa"}, {"control", "PutInTo"}, {"click", true}}, step})}}, data.dir()); };
  JobResult unknownWindow = bad({{"window", "Nowhere"}, {"control", "x"}, {"click", true}});
  EXPECT_EQ(unknownWindow.status, 1);
  EXPECT_NE(unknownWindow.error.find("step 2"), std::string::npos);
  EXPECT_NE(unknownWindow.error.find("Nowhere"), std::string::npos);
  JobResult unknownControl = bad({{"window", "Veloxa"}, {"control", "mnuNothing"}, {"click", true}});
  EXPECT_EQ(unknownControl.status, 1);
  EXPECT_NE(unknownControl.error.find("mnuNothing"), std::string::npos);
  EXPECT_EQ(bad({{"window", "Veloxa"}, {"control", "PutInTo"}, {"wiggle", true}}).status, 1);
  EXPECT_EQ(bad({{"window", "Veloxa"}, {"control", "PutInTo"}, {"pick", 3}}).status, 1);
  EXPECT_EQ(RunJob(json::array(), data.dir()).status, 1);
  EXPECT_EQ(RunJob({{"steps", json::array()}, {"answers", {1, 2}}}, data.dir()).status, 1);
}

TEST(Cli, ExitStatusesAndOutput) {
  test::TempData data;
  CliRun ok = runCli({{"steps", json::array()}}, data.dir());
  EXPECT_EQ(ok.status, 0);
  json out = json::parse(ok.out);
  EXPECT_EQ(out["main"]["caption"], "Veloxa 5.0");

  // Exiting with an unsaved case: the job's answer decides.
  CliRun bad = runCli({{"steps", json::array({{{"window", "Veloxa"}, {"control", "x"}, {"click", true}}})}}, data.dir());
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.out.find("step 1"), std::string::npos);

  CliRun ended = runCli({{"steps", json::array({{{"window", "Veloxa"}, {"control", "mnuFileExit"}, {"click", true}}})}},
                    data.dir());
  EXPECT_EQ(ended.status, 2);  // the session ended
}

TEST(Cli, AMissingRequiredFileEndsWith531) {
  test::TempData data;
  data.remove("Preset.dat");  // the fifth required file
  CliRun r = runCli({{"steps", json::array({{{"window", "Veloxa"}, {"control", "PutInTo"}, {"click", true}}})}},
                 data.dir());
  EXPECT_EQ(r.status, 2);
  json out = json::parse(r.out);
  ASSERT_EQ(out["messages"].size(), 1u);
  EXPECT_EQ(out["messages"][0]["id"], 531);
  EXPECT_EQ(out["messages"][0]["icon"], "critical");
  EXPECT_EQ(out["main"]["menu"]["PutInTo"]["checked"], true);  // no step ran
}

TEST(Cli, Version) {
  FILE* pipe = popen((std::string(VELOXA_CLI) + " --version").c_str(), "r");
  char buf[64] = {};
  size_t n = fread(buf, 1, sizeof buf - 1, pipe);
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(std::string(buf, n), "Veloxa 5.0.3\n");
}

// Every job shown in the command-line documentation runs to its end, so the
// documentation cannot drift from the program.
TEST(CliDocumentation, EveryJsonExampleRuns) {
  std::ifstream doc(std::filesystem::path(VELOXA_SOURCE_DIR) / "docs" / "cli.md");
  ASSERT_TRUE(doc);
  std::vector<std::string> examples;
  std::string line, block;
  bool inside = false;
  while (std::getline(doc, line)) {
    if (!inside && line == "```json") {
      inside = true;
      block.clear();
    } else if (inside && line == "```") {
      inside = false;
      examples.push_back(block);
    } else if (inside) {
      block += line + "\n";
    }
  }
  ASSERT_GE(examples.size(), 2u);
  for (const std::string& example : examples) {
    const json job = json::parse(example, nullptr, false);
    ASSERT_FALSE(job.is_discarded()) << example;
    if (!job.contains("steps")) continue;  // an output excerpt, not a job
    test::TempData data;
    const CliRun r = runCli(job, data.dir());
    EXPECT_EQ(r.status, 0) << example << r.out;
    EXPECT_FALSE(json::parse(r.out, nullptr, false).is_discarded()) << example;
  }
}

// Hostile jobs are malformed (status 1), never wrapped round, acted on or
// allowed to exhaust the stack.
TEST(CliHostileJobs, AreMalformed) {
  test::TempData data;
  const std::string step = R"({"window": "Condition", "control": "TxtInput", )";
  const std::vector<std::string> jobs = {
      std::string(100000, '[') + std::string(100000, ']'),
      R"({"steps": )" + std::string(70, '[') + std::string(70, ']') + "}",
      R"({"steps": []} trailing)",
      R"({"steps": [)" + step + R"("index": 4294967296, "text": "1"}]})",
      R"({"steps": [)" + step + R"("index": 1e20, "text": "1"}]})",
      R"({"steps": [{"window": "Condition", "control": "cbomedium2", "pick": -4294967295}]})",
      R"({"steps": [{"window": "Condition", "control": "balance", "click": false}]})",
      R"({"steps": [{"window": "OtherData", "control": "MidData1", "cell": [4294967297, 1], "click": true}]})",
  };
  for (const std::string& job : jobs) {
    const CliRun r = runCliText(job, data.dir());
    EXPECT_EQ(r.status, 1) << job.substr(0, 120) << r.out.substr(0, 300);
  }
}

}  // namespace vx

namespace vx {

// A design saved and opened again through a job: the file names in the
// answers are taken against the data folder.
TEST(Job, SavesAndOpensACaseFileInTheDataFolder) {
  test::TempData data;
  auto step = [](const char* window, const char* control, json action) {
    json s = {{"window", window}, {"control", control}};
    s.update(action);
    return s;
  };
  json steps = json::array({
      step("FrmCustomer", "custname", {{"text", "某公司"}}),
      step("Condition", "balance", {{"click", true}}),
      step("Condition", "Command5", {{"click", true}}),
      step("detail", "cbotype", {{"pick", 10}}),
      step("detail", "Command2", {{"click", true}}),
      step("Veloxa", "mnuFileSave", {{"index", 0}, {"click", true}}),
      step("Veloxa", "KeyNew", {{"click", true}}),
      step("Veloxa", "KeyOpen", {{"click", true}}),
      step("Veloxa", "mnuFileCheck", {{"click", true}}),
  });
  std::filesystem::create_directory(data.dir() / "jobs");
  JobResult r = RunJob({{"steps", steps}, {"answers", {"jobs/case1", "jobs/case1.pda"}}}, data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& out = r.output;
  const std::string file = (data.dir() / "jobs" / "case1.pda").string();
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(out["main"]["caption"], "Veloxa " + file);
  EXPECT_EQ(out["windows"]["FrmCustomer"]["controls"]["custname"]["text"], "某公司");
  EXPECT_EQ(out["windows"]["checkResult"]["caption"], file);
  EXPECT_EQ(out["windows"]["checkResult"]["controls"]["Label2(37)"]["text"], "某公司");
  EXPECT_FALSE(out["case"]["ResultAvailable"].get<bool>());
  bool remembered = false;
  for (const auto& e : out["events"])
    if (e == "setting PHE_SAVE_PATH = " + (data.dir() / "jobs").string()) remembered = true;
  EXPECT_TRUE(remembered);
}

}  // namespace vx
