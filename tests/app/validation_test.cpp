// The program against published references, the same comparisons the
// guide's validation table shows.
#include <gtest/gtest.h>

#include <cmath>

#include "app/validation.h"
#include "support/temp_data.h"

namespace vx {

namespace {

void expectWithin(const std::vector<ValidationRow>& rows, double percent) {
  for (const ValidationRow& r : rows) {
    EXPECT_TRUE(r.computed) << r.quantity;
    EXPECT_LT(std::fabs(r.deviationPercent()), percent) << r.quantity << ": " << r.value << " vs " << r.reference;
  }
}

}  // namespace

// The tables were generated from IAPWS-95; linear interpolation between 1 K
// rows and the 0.1 MPa of the table change little.
TEST(Validation, WaterAndSteamAgreeWithIapws95) {
  test::TempData data;
  const auto rows = WaterSteamValidation(data.dir());
  ASSERT_EQ(rows.size(), 6u);
  expectWithin(rows, 0.05);
}

// At every table temperature the common fluid's density and viscosity are
// those of the DIPPR equations, to the digits the window shows.
TEST(Validation, PureCommonFluidsFollowTheirDipprEquations) {
  test::TempData data;
  const auto rows = CommonFluidValidation(data.dir());
  EXPECT_EQ(rows.size(), 2u * 80);
  expectWithin(rows, 0.1);
}

// The tool's Nusselt number is the correlation at the tool's Reynolds number;
// its pressure drop, on d = 2 Cd instead of 2b/phi, is about 19 % low.
TEST(Validation, CorrugatedPlateToolAgainstMuleyManglik) {
  const auto rows = CorrugatedPlateValidation();
  ASSERT_EQ(rows.size(), 2u);
  ASSERT_TRUE(rows[0].computed && rows[1].computed);
  EXPECT_LT(std::fabs(rows[0].deviationPercent()), 0.1);
  EXPECT_NEAR(rows[1].deviationPercent(), -19.3, 0.5);
}

TEST(Validation, NtuAnswersAreConfirmedByTheCheck) {
  test::TempData data;
  const auto rows = NtuCheckValidation(data.dir());
  ASSERT_EQ(rows.size(), 3u);
  expectWithin(rows, 0.5);
}

TEST(Validation, TableHasARowForEveryComparison) {
  test::TempData data;
  const std::string html = ValidationTableHtml(data.dir());
  size_t rows = 0;
  for (size_t at = 0; (at = html.find("<tr><td>", at)) != std::string::npos; ++at) ++rows;  // data rows only
  EXPECT_EQ(rows, 6u + 18u + 2u + 3u);
  EXPECT_EQ(html.find("无结果"), std::string::npos);
  EXPECT_EQ(html.find("nan"), std::string::npos);
}

}  // namespace vx
