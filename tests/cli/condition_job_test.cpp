// The heat balance driven through the scripted front end, as the checks do.
#include <gtest/gtest.h>

#include "cli/job_runner.h"
#include "support/temp_data.h"

using nlohmann::json;

namespace vx {

namespace {

json step(const std::string& control, int index, const std::string& key, json value) {
  json s = {{"window", "Condition"}, {"control", control}, {key, value}};
  if (index >= 0) s["index"] = index;
  return s;
}

}  // namespace

TEST(ConditionJob, DefaultCaseThroughTheCli) {
  test::TempData data;
  json job = {{"steps", json::array({step("balance", -1, "click", true)})}};
  JobResult r = RunJob(job, data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& out = r.output;
  EXPECT_TRUE(out["messages"].empty());
  EXPECT_EQ(out["case"]["BalanceDone"], true);
  const json& controls = out["windows"]["Condition"]["controls"];
  // The fields show the case values with their patterns.
  EXPECT_EQ(controls["TxtInput(0)"]["text"], "60000.");
  EXPECT_EQ(controls["TxtInput(6)"]["text"].get<std::string>().substr(0, 5), "1405.");
  EXPECT_NEAR(out["case"]["HeatLoad"].get<double>(), 1405.2, 0.2);
  EXPECT_EQ(out["case"]["Lmtd"].dump(), "30.0");
  EXPECT_EQ(controls["lbldt"]["text"], "对数平均温差30.℃");
  EXPECT_EQ(controls["Picture1"]["lines"].size(), 4u);
  EXPECT_EQ(out["windows"]["OtherData"]["controls"]["MidData1"]["cells"][3][1], "4.216");
  EXPECT_EQ(out["main"]["toolbar"][14]["enabled"], true);  // KeyDesign
}

TEST(ConditionJob, SteamAndTypedKeys) {
  test::TempData data;
  json job = {{"steps", json::array({
                            step("cbomedium2", -1, "pick", 1),
                            step("ChkIndex", 0, "checked", false),
                            step("ChkIndex", 6, "checked", true),
                            step("TxtInput", 6, "text", "1000"),
                            step("TxtInput", 1, "text", "60"),
                            step("TxtInput", 2, "text", "9"),
                            step("TxtInput", 2, "key", "0"),
                            step("TxtInput", 2, "key", "x"),
                            step("balance", -1, "click", true),
                        })}};
  JobResult r = RunJob(job, data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& out = r.output;
  EXPECT_TRUE(out["messages"].empty()) << out["messages"].dump();
  EXPECT_EQ(out["case"]["MediumStateB"], 1);
  EXPECT_EQ(out["case"]["BalanceDone"], true);
  EXPECT_EQ(out["case"]["ToutA"].dump(), "90.0");
  EXPECT_EQ(out["case"]["TinB"], out["case"]["ToutB"]);
  const double latent = out["case"]["MediumProp"][2][4];
  EXPECT_NEAR(out["case"]["FlowB"].get<double>(), 1000.0 * 3600 / latent, 0.5);
  EXPECT_EQ(out["windows"]["Condition"]["controls"]["TxtInput(15)"]["text"], "0.3");
}

TEST(ConditionJob, RefusalsAreReportedWithTheirIds) {
  test::TempData data;
  json job = {{"steps", json::array({step("ChkIndex", 3, "checked", true), step("balance", -1, "click", true),
                                     step("Command5", -1, "click", true)})}};
  JobResult r = RunJob(job, data.dir());
  ASSERT_EQ(r.status, 0);
  ASSERT_EQ(r.output["messages"].size(), 2u);
  EXPECT_EQ(r.output["messages"][0]["id"], 418);
  EXPECT_EQ(r.output["messages"][0]["icon"], "information");
  EXPECT_EQ(r.output["messages"][1]["id"], 427);
}

}  // namespace vx
