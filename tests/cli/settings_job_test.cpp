// The settings, the password lock and the model editor through scripted jobs.
#include <gtest/gtest.h>

#include "cli/job_runner.h"
#include "common/file_io.h"
#include "support/temp_data.h"

using nlohmann::json;

namespace vx {

static json step(const char* window, const char* control, json action, int index = -1) {
  json s = {{"window", window}, {"control", control}};
  s.update(action);
  if (index >= 0) s["index"] = index;
  return s;
}

TEST(SettingsJob, ThePasswordTypedAsTextOpensTheEditorWhichCannotBeReachedAroundIt) {
  test::TempData data;
  JobResult around = RunJob({{"steps", {step("newproduct", "Command7", {{"click", true}})}}}, data.dir());
  EXPECT_EQ(around.status, 1);
  EXPECT_NE(around.error.find("PWData"), std::string::npos);
  JobResult r = RunJob({{"steps",
                         {step("Veloxa", "CreateData", {{"click", true}}), step("PWData", "Text1", {{"text", "7139"}}),
                          step("PWData", "Command1", {{"click", true}}, 0),
                          step("newproduct", "DataList", {{"pick", 1}})}}},
                       data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  EXPECT_TRUE(r.output["messages"].empty());
  EXPECT_FALSE(r.output["windows"].contains("PWData"));
  const json& editor = r.output["windows"]["newproduct"]["controls"];
  EXPECT_EQ(editor["DataList"]["index"], 1);
  EXPECT_EQ(editor["Text2(0)"]["text"].get<std::string>().rfind(editor["DataList"]["text"].get<std::string>(), 0), 0u);
}

TEST(SettingsJob, TreeNodesRowCommandsAndCellsOfTheOptionTables) {
  test::TempData data;
  JobResult r = RunJob({{"steps",
                         {step("Veloxa", "MnuPreSet", {{"click", true}}), step("Defdata", "TabStrip1", {{"pick", 1}}),
                          step("Defdata", "TreeView1", {{"pick", 2}}),
                          step("Defdata", "MSFlexGrid1", {{"cell", {1, 0}}, {"click", true}}, 1),
                          step("Defdata", "MA", {{"click", true}}),
                          step("Defdata", "MSFlexGrid1", {{"cell", {1, 0}}, {"text", "0.3mm"}}, 1),
                          step("Defdata", "Command1", {{"click", true}})}}},
                       data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& grid = r.output["windows"]["Defdata"]["controls"]["MSFlexGrid1(1)"];
  EXPECT_EQ(grid["cells"][1][0], "0.3");  // the numeric column's key filter
  EXPECT_EQ(r.output["messages"].back()["id"], 439);
  EXPECT_NE(readFileBytes(data.file("DefData.Dat")).value_or("").find("2|0.3|0.4|"), std::string::npos);
}

}  // namespace vx
