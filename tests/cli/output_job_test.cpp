// The outputs through the scripted front end: the page, the preview and the
// written documents.
#include <gtest/gtest.h>

#include "cli/job_runner.h"
#include "support/temp_data.h"

using nlohmann::json;

namespace vx {

namespace {

json designed(json more, json answers) {
  json steps = json::array({{{"window", "Condition"}, {"control", "balance"}, {"click", true}},
                            {{"window", "Condition"}, {"control", "Command5"}, {"click", true}},
                            {{"window", "detail"}, {"control", "cbotype"}, {"pick", 10}},
                            {{"window", "detail"}, {"control", "Command2"}, {"click", true}}});
  for (auto& s : more) steps.push_back(s);
  return {{"steps", steps}, {"answers", answers}};
}

const json* text(const json& page, const std::string& t) {
  for (const auto& x : page["texts"])
    if (x["text"] == t) return &x;
  return nullptr;
}

}  // namespace

TEST(OutputJobs, PrintPreviewAndWordShowTheirPagesAndPaths) {
  test::TempData data;
  JobResult r = RunJob(
      designed({{{"window", "Veloxa"}, {"control", "mnuFilePrint"}, {"click", true}},
                {{"window", "Veloxa"}, {"control", "KeyPreview"}, {"click", true}},
                {{"window", "preview"}, {"control", "VScroll1"}, {"text", "9000"}},
                {{"window", "Veloxa"}, {"control", "OuttoWord"}, {"click", true}}},
               {"yes", "yes"}),
      data.dir());
  ASSERT_EQ(r.status, 0) << r.error;
  const json& out = r.output;
  ASSERT_TRUE(out.contains("page"));
  const json* title = text(out["page"], "板式换热器工艺计算书");
  ASSERT_TRUE(title);
  EXPECT_EQ((*title)["x"], 1100);
  EXPECT_EQ((*title)["y"], 1190);
  EXPECT_EQ((*title)["size"], 16);
  EXPECT_EQ((*title)["bold"], true);
  EXPECT_EQ((*title)["font"], "times new roman");
  EXPECT_EQ(out["page"]["boxes"][0], json::array({700, 885, 10500, 900}));
  // The preview draws the same page; its scroll stops at 8000.
  const json& preview = out["windows"]["preview"];
  EXPECT_EQ(preview["caption"], "Preview");
  EXPECT_EQ(preview["controls"]["VScroll1"]["text"], "8000");
  EXPECT_EQ(preview["page"], out["page"]);
  const std::string doc = (data.dir() / "Doc1.docx").string();
  EXPECT_EQ(out["events"].back(), "open " + doc);
  EXPECT_TRUE(std::filesystem::exists(doc));
}

}  // namespace vx
