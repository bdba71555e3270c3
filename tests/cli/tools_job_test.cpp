// The tool windows through the scripted front end: the plate chart's curves
// and read-out, the geometry tool, the heat index and a conversion.
#include <gtest/gtest.h>

#include "cli/job_runner.h"
#include "support/temp_data.h"

using nlohmann::json;

namespace vx {
namespace {

json step(const std::string& window, const std::string& control, const json& action, int index = -1) {
  json s = {{"window", window}, {"control", control}};
  if (index >= 0) s["index"] = index;
  s.update(action);
  return s;
}

TEST(ToolJobs, PlateChartCurvesAndReadOut) {
  test::TempData data;
  json job = {{"steps", json::array({step("Veloxa", "PltAnalyse", {{"click", true}}),
                                     step("PlateAnalyse", "Label6", {{"click", true}}),
                                     step("PlateAnalyse", "Label5", {{"click", true}}, 1),
                                     step("PlateAnalyse", "Combo1", {{"pick", 0}}),
                                     step("PlateAnalyse", "Picture1", {{"mouse", {0.5, 8000}}})})}};
  JobResult r = RunJob(job, data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& w = r.output["windows"]["PlateAnalyse"];
  EXPECT_EQ(w["caption"], "板型分析");
  const json& chart = w["chart"];
  EXPECT_EQ(chart["axis"], "velocity");
  ASSERT_EQ(chart["curves"].size(), 2u);
  EXPECT_EQ(chart["curves"][0]["kind"], "alpha");
  EXPECT_EQ(chart["curves"][1]["kind"], "dp");
  EXPECT_EQ(chart["curves"][1]["dashed"], true);
  EXPECT_EQ(chart["curves"][0]["color"], 255);
  ASSERT_EQ(chart["curves"][0]["points"].size(), 210u);
  // VX003N at 40 C, v = 0.4999998: alpha 17495.6 W/(m2 K) (see the chart engine test).
  EXPECT_NEAR(chart["curves"][0]["points"][49][1].get<double>(), 17495.6, 0.5);
  EXPECT_EQ(chart["legend"][0]["text"], "VX003N @ 40℃");
  EXPECT_EQ(w["controls"]["Label4"]["text"], "V:0.50 F.C:8000. DP:80.");
  EXPECT_EQ(chart["crossHair"], json({0.5, 8000}));
  EXPECT_TRUE(r.output["messages"].empty());

  // A malformed mouse step is refused.
  json bad = {{"steps", json::array({step("PlateAnalyse", "Picture1", {{"mouse", {0.5}}})})}};
  EXPECT_EQ(RunJob(bad, data.dir()).status, 1);
  bad = {{"steps", json::array({step("PlateAnalyse", "Text1", {{"mouse", {0.5, 1}}})})}};
  EXPECT_EQ(RunJob(bad, data.dir()).status, 1);
}

TEST(ToolJobs, GeometryHeatIndexAndConversion) {
  test::TempData data;
  json job = {{"steps", json::array({step("PlateAnalyse", "Command3", {{"click", true}}),
                                     step("Muley", "Text1", {{"text", "0.5"}}, 8),
                                     step("Muley", "Command1", {{"click", true}}),
                                     step("Veloxa", "KeyHeatIndex", {{"click", true}}),
                                     step("construction", "ContrType", {{"pick", 7}}),
                                     step("construction", "ContrArea", {{"text", "1000"}}),
                                     step("construction", "Check1", {{"checked", true}}),
                                     step("construction", "Command2", {{"click", true}}, 0),
                                     step("Veloxa", "KeyUnitConv", {{"click", true}}),
                                     step("Unit", "Combo1", {{"pick", 6}}),
                                     step("Unit", "Text1", {{"text", "37"}}, 0),
                                     step("Unit", "List1", {{"pick", 1}}, 1),
                                     step("Unit", "Text1", {{"key", "\r"}}, 0)})}};
  JobResult r = RunJob(job, data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& windows = r.output["windows"];
  EXPECT_EQ(windows["Muley"]["controls"]["Text1(9)"]["text"], " 131.3401");
  EXPECT_EQ(windows["Condition"]["controls"]["TxtInput(6)"]["text"], " 125");
  EXPECT_EQ(windows["Condition"]["controls"]["ChkIndex(6)"]["checked"], true);
  EXPECT_FALSE(windows.contains("construction"));
  EXPECT_EQ(windows["Unit"]["controls"]["Combo1"]["text"], "温度");
  EXPECT_EQ(windows["Unit"]["controls"]["Text1(1)"]["text"], "98.6");
}

}  // namespace
}  // namespace vx
