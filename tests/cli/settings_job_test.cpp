// The settings, the password lock and the model editor through scripted jobs.
#include <gtest/gtest.h>

#include "cli/job_runner.h"
#include "common/file_io.h"
#include "support/temp_data.h"

using nlohmann::json;

namespace vx {

TEST(SettingsJob, ThePasswordOpensTheEditorWhichSavesAModel) {
  test::TempData data;
  json job = {{"steps",
               {{{"window", "Veloxa"}, {"control", "CreateData"}, {"click", true}},
                {{"window", "PWData"}, {"control", "Text1"}, {"text", "7139"}},
                {{"window", "PWData"}, {"control", "Command1"}, {"index", 0}, {"click", true}},
                {{"window", "newproduct"}, {"control", "DataList"}, {"pick", 1}},
                {{"window", "newproduct"}, {"control", "Text2"}, {"index", 0}, {"text", "VXJOB"}},
                {{"window", "newproduct"}, {"control", "Command2"}, {"click", true}}}},
             {"answers", {"yes"}}};
  JobResult r = RunJob(job, data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& messages = r.output["messages"];
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0]["id"], 499);
  EXPECT_EQ(messages[1]["text"], "VXJOB数据被保存。");
  const json& editor = r.output["windows"]["newproduct"]["controls"];
  EXPECT_EQ(editor["DataList"]["text"], "VXJOB");
  EXPECT_EQ(editor["Text2(0)"]["text"], "VXJOB     ");
  EXPECT_FALSE(r.output["windows"].contains("PWData"));

  // The editor cannot be reached around the lock.
  JobResult around = RunJob({{"steps", {{{"window", "newproduct"}, {"control", "Command7"}, {"click", true}}}}},
                            data.dir());
  EXPECT_EQ(around.status, 1);
  EXPECT_NE(around.error.find("PWData"), std::string::npos);
}

TEST(SettingsJob, TreeNodesRowCommandsAndCellsOfTheOptionTables) {
  test::TempData data;
  json job = {{"steps",
               {{{"window", "Veloxa"}, {"control", "MnuPreSet"}, {"click", true}},
                {{"window", "Defdata"}, {"control", "TabStrip1"}, {"pick", 1}},
                {{"window", "Defdata"}, {"control", "TreeView1"}, {"pick", 2}},
                {{"window", "Defdata"}, {"control", "MSFlexGrid1"}, {"index", 1}, {"cell", {1, 0}}, {"click", true}},
                {{"window", "Defdata"}, {"control", "MA"}, {"click", true}},
                {{"window", "Defdata"}, {"control", "MSFlexGrid1"}, {"index", 1}, {"cell", {1, 0}}, {"text", "0.3mm"}},
                {{"window", "Defdata"}, {"control", "Command1"}, {"click", true}}}}};
  JobResult r = RunJob(job, data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& grid = r.output["windows"]["Defdata"]["controls"]["MSFlexGrid1(1)"];
  EXPECT_TRUE(grid["visible"].get<bool>());
  EXPECT_EQ(grid["cells"][1][0], "0.3");  // the numeric column's key filter
  EXPECT_EQ(grid["cells"][2][0], "0.4");
  EXPECT_EQ(r.output["messages"].back()["id"], 439);
  std::string file = readFileBytes(data.file("DefData.Dat")).value_or("");
  EXPECT_NE(file.find("2|0.3|0.4|"), std::string::npos);
}

}  // namespace vx
