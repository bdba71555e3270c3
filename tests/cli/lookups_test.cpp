#include "cli/lookups.h"

#include <gtest/gtest.h>

#include "support/temp_data.h"

namespace vx {

TEST(Lookups, WaterSteamAndModels) {
  auto water = LookupWater(test::builtDataDir(), 50);
  ASSERT_TRUE(water.ok);
  EXPECT_NEAR(water.output["density"].get<double>(), 988.04, 0.05);
  auto cold = LookupWater(test::builtDataDir(), -1);
  EXPECT_FALSE(cold.ok);
  EXPECT_EQ(cold.output["message"]["id"], 422);

  auto steam = LookupSteam(test::builtDataDir(), 0.3f);
  ASSERT_TRUE(steam.ok);
  EXPECT_NEAR(steam.output["saturationTemperature"].get<double>(), 143.61, 0.05);
  EXPECT_EQ(LookupSteam(test::builtDataDir(), 99).output["message"]["id"], 429);

  auto models = ListModels(test::builtDataDir());
  ASSERT_TRUE(models.ok);
  ASSERT_GE(models.output["models"].size(), 40u);
  for (const auto& m : models.output["models"]) {
    size_t channels = m["kind"] == 1 ? 2 : m["kind"] == 2 ? 3 : 1;
    EXPECT_EQ(m["channels"].size(), channels) << m["name"];
  }
  test::TempDir empty;
  EXPECT_FALSE(ListModels(empty.dir()).ok);
}

}  // namespace vx
