#include <gtest/gtest.h>

#include <regex>

#include "common/file_io.h"
#include "support/temp_data.h"

namespace vx {
namespace {

// The built help page: the windows it has topics for, and the pictures the
// build drew for it.
TEST(HelpGuide, TopicsOfTheWindowsAndEveryPictureBuilt) {
  const auto dir = test::builtDataDir();
  const auto page = readFileBytes(dir / "veloxa.htm");
  ASSERT_TRUE(page);
  for (const char* topic : {"Veloxa", "Condition", "OtherData", "detail", "TrueTemp", "property", "Defdata",
                            "FrmCustomer", "FrmCoInfor", "PWData", "Unit", "construction", "PlateAnalyse",
                            "Muley", "about", "example", "index"})
    EXPECT_NE(page->find(std::string("id=\"") + topic + "\""), std::string::npos) << topic;
  const std::regex img("<img src=\"([^\"]+)\"");
  int pictures = 0;
  for (std::sregex_iterator it(page->begin(), page->end(), img), end; it != end; ++it, ++pictures) {
    const auto picture = readFileBytes(dir / (*it)[1].str());
    ASSERT_TRUE(picture) << (*it)[1];
    EXPECT_EQ(picture->substr(1, 3), "PNG") << (*it)[1];
  }
  EXPECT_EQ(pictures, 14);
}

}  // namespace
}  // namespace vx
