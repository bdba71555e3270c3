// The property window through the scripted front end and the fluid look-up.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "cli/job_runner.h"
#include "cli/lookups.h"
#include "support/temp_data.h"

using nlohmann::json;

namespace vx {

namespace {

json at(const std::string& window, const std::string& control, const std::string& action, json value, int index = -1) {
  json s = {{"window", window}, {"control", control}, {action, value}};
  if (index >= 0) s["index"] = index;
  return s;
}

json cell(const std::string& control, int row, int col, const std::string& action, json value) {
  return {{"window", "property"}, {"control", control}, {"cell", {row, col}}, {action, value}};
}

std::pair<int, std::string> runFluid(const std::string& args) {
  std::string command = std::string(VELOXA_CLI) + " fluid " + args + " --data-dir " +
                        test::builtDataDir().string() + " 2>&1";
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  std::array<char, 4096> buf{};
  while (size_t n = fread(buf.data(), 1, buf.size(), pipe)) out.append(buf.data(), n);
  return {WEXITSTATUS(pclose(pipe)), out};
}

}  // namespace

// Ethylene glycol/water for circuit A, a self-built oil for circuit B, then
// the balance and a design.
TEST(PropertyJob, AdoptBothCircuitsBalanceAndDesign) {
  test::TempData data;
  json steps = json::array({
      at("Condition", "Command3", "click", true),
      at("property", "TreeView1", "pick", 1),
      at("property", "List2", "pick", 2),
      at("property", "Text2", "text", "30", 0),
      at("property", "Text2", "text", "80", 1),
      at("property", "Command5", "click", true),
      at("property", "Command3", "click", true),
      at("Condition", "Command4", "click", true),
      at("property", "MassName", "text", "导热油"),
  });
  const std::array<std::array<const char*, 3>, 7> oil = {{{"20", "40", "60"},
                                                          {"880", "870", "860"},
                                                          {"0", "0", "0"},
                                                          {"1.9", "1.95", "2.0"},
                                                          {"0.13", "0.129", "0.128"},
                                                          {"12", "8", "5.5"},
                                                          {"0", "0", "0"}}};
  for (int r = 1; r <= 7; ++r)
    for (int c = 1; c <= 3; ++c) steps.push_back(cell("MyDataGrid", r, c, "text", oil[r - 1][c - 1]));
  steps.push_back(at("property", "Command1", "click", true));
  steps.push_back(cell("MyDataGrid", 1, 4, "key", "5"));
  steps.push_back(cell("MyDataGrid", 1, 4, "key", "0"));
  steps.push_back(at("property", "Command3", "click", true));
  // Within the 110 C of the nitrile gasket chosen for other media.
  steps.push_back(at("Condition", "TxtInput", "text", "110", 13));
  steps.push_back(at("Condition", "balance", "click", true));
  steps.push_back(at("Condition", "Command5", "click", true));
  steps.push_back(at("detail", "cbotype", "pick", 10));
  steps.push_back(at("detail", "Command2", "click", true));

  JobResult r = RunJob({{"steps", steps}}, data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& out = r.output;
  EXPECT_TRUE(out["notes"].empty()) << out["notes"].dump();
  const json& c = out["case"];
  // 30 % glycol at 80 C: 1000 (1.024 - 0.000702 x 80 + 0.001047 x 30) = 999.25.
  EXPECT_NEAR(c["MediumProp"][1][0].get<double>(), 999.25, 0.005);
  EXPECT_NEAR(c["MediumProp"][2][0].get<double>(), 865.0, 0.6);  // the oil at 50 C
  EXPECT_EQ(c["MediumStateB"], 2);
  EXPECT_EQ(out["windows"]["Condition"]["controls"]["cbomedium1"]["text"], "乙二醇水溶液        ");
  EXPECT_EQ(c["BalanceDone"], true);
  EXPECT_EQ(c["ResultAvailable"], true) << out["messages"].dump();
  EXPECT_EQ(out["windows"].count("property"), 0u);
}

TEST(PropertyJob, ClosingByTheTitleBarAdoptsNothing) {
  test::TempData data;
  json steps = json::array({
      at("Condition", "Command4", "click", true),
      at("property", "TreeView1", "pick", 1),
      at("property", "List2", "pick", 12),
      at("property", "Text2", "text", "20", 1),
      at("property", "Command5", "click", true),
      {{"window", "property"}, {"close", true}},
      {{"window", "property"}, {"close", true}},
  });
  JobResult r = RunJob({{"steps", steps}}, data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  EXPECT_EQ(r.output["windows"]["Condition"]["controls"]["cbomedium2"]["text"], "水");
  EXPECT_EQ(r.output["case"]["AdoptedName"], "");
  EXPECT_EQ(r.output["notes"].size(), 1u);  // the second close found no window
  const json& events = r.output["events"];
  EXPECT_NE(std::find(events.begin(), events.end(), "close property"), events.end());
}

TEST(FluidLookup, CheckValuesAndStatuses) {
  // Glycerol/water at 20 %, 20 C: 1041.58 kg/m3 and 3.8374 kJ/(kg K).
  auto glycerol = LookupFluid(test::builtDataDir(), "18", 20, 20);
  ASSERT_TRUE(glycerol.ok) << glycerol.output.dump();
  EXPECT_EQ(glycerol.output["density"], "1041.58");
  EXPECT_EQ(glycerol.output["specificHeat"], "3.8374");
  EXPECT_EQ(LookupFluid(test::builtDataDir(), "甘油水溶液", 20, 20).output["density"], "1041.58");
  // 3.5 % sodium chloride at -5 C is frozen (its lowest temperature is -2).
  auto frozen = LookupFluid(test::builtDataDir(), "3", 3.5, -5);
  EXPECT_FALSE(frozen.ok);
  EXPECT_EQ(frozen.output["messages"][0]["id"], 541);
  EXPECT_EQ(frozen.output["temperatureRange"][0], -2);

  auto [status, out] = runFluid("18 20 20");
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(json::parse(out)["viscosity"].get<std::string>().empty(), false);
  EXPECT_EQ(runFluid("3 3.5 -5").first, 3);
  EXPECT_EQ(runFluid("20 0 20").first, 1);
  EXPECT_EQ(runFluid("18 x 20").first, 1);
}

}  // namespace vx
