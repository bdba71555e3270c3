#include "exchanger/correction.h"

#include <gtest/gtest.h>

#include "common/number_text.h"

namespace vx {

namespace {

VeloxaVar temperatures(float t1, float t2, float t3, float t4) {
  VeloxaVar v;
  v.TinA = t1;
  v.ToutA = t2;
  v.TinB = t3;
  v.ToutB = t4;
  return v;
}

}  // namespace

// --- DTcorrect --------------------------------------------------------------

TEST(DTcorrect, EqualPassTextsGiveTheFixedFactor) {
  CorrectionFactor f = DTcorrect(90, 70, 50, 60, "2", "2", false, "");
  EXPECT_FALSE(f.failed);
  EXPECT_FLOAT_EQ(f.value, 0.967f);
  // Even where the formula would fail (t4 = t3).
  EXPECT_FLOAT_EQ(DTcorrect(90, 70, 50, 50, "1", "1", false, "").value, 0.967f);
}

TEST(DTcorrect, OneShellTwoTubePassFormula) {
  // R = (90 - 70) / (60 - 50) = 2, P = (60 - 50) / (90 - 50) = 0.25,
  // S = sqrt(5) = 2.2360680; F = S / (R - 1) ln((1 - P) / (1 - P R)) /
  // ln((2 - P (R + 1 - S)) / (2 - P (R + 1 + S))) = 0.94204620 (python3).
  CorrectionFactor f = DTcorrect(90, 70, 50, 60, "2", "1", false, "");
  EXPECT_FALSE(f.failed);
  EXPECT_NEAR(f.value, 0.9420462f, 1e-6);
}

TEST(DTcorrect, PassTextsAreComparedAsTexts) {
  // "1" and " 1" differ as texts: R = 20 / 15, P = 15 / 60, F = 0.97158950.
  CorrectionFactor f = DTcorrect(90, 70, 30, 45, "1", " 1", false, "");
  EXPECT_FALSE(f.failed);
  EXPECT_NEAR(f.value, 0.9715895f, 1e-6);
}

TEST(DTcorrect, FailsWhereNoFactorExists) {
  // Equal temperature changes: R = 1.
  EXPECT_TRUE(DTcorrect(90, 70, 30, 50, "2", "1", false, "").failed);
  // Circuit B without temperature change: t4 = t3.
  EXPECT_TRUE(DTcorrect(90, 70, 50, 50, "2", "1", false, "").failed);
  // t1 = t3.
  EXPECT_TRUE(DTcorrect(50, 40, 50, 45, "2", "1", false, "").failed);
  // t2 = t3 makes P R = 1: (1 - P) / (1 - P R) divides by zero.
  EXPECT_TRUE(DTcorrect(90, 40, 40, 60, "2", "1", false, "").failed);
  // R = 2, P = 0.4: 2 - P (R + 1 + S) = -0.0944, a logarithm of a negative ratio.
  EXPECT_TRUE(DTcorrect(90, 50, 40, 60, "2", "1", false, "").failed);
  EXPECT_FLOAT_EQ(DTcorrect(90, 70, 30, 50, "2", "1", false, "").value, 1);
}

TEST(DTcorrect, LockedFactorIsTheTypedValue) {
  CorrectionFactor f = DTcorrect(90, 70, 30, 50, "2", "1", true, "0.9");
  EXPECT_FALSE(f.failed);
  EXPECT_FLOAT_EQ(f.value, 0.9f);
}

// --- How the commands use it -----------------------------------------------

TEST(CorrectForCheck, DefaultPassesShowPointNinetySeven) {
  DesignState s;
  s.cvdt = "0.8";
  ASSERT_TRUE(CorrectForCheck(s, temperatures(90, 70, 50, 60), "1", "1"));
  EXPECT_EQ(s.cvdt, "0.97");  // 0.967 shown with "0.##"
  EXPECT_FLOAT_EQ(s.F, 0.97f);
  ASSERT_TRUE(CorrectForCheck(s, temperatures(90, 70, 50, 60), "2", "2"));
  EXPECT_EQ(s.cvdt, "0.97");
}

TEST(CorrectForCheck, FactorEntersRoundedToTwoDecimals) {
  DesignState s;
  ASSERT_TRUE(CorrectForCheck(s, temperatures(90, 70, 50, 60), "2", "1"));
  EXPECT_EQ(s.cvdt, "0.94");  // 0.9420462
  EXPECT_FLOAT_EQ(s.F, 0.94f);
}

TEST(CorrectForCheck, FailureStopsWithTheFactorShownAsOne) {
  DesignState s;
  EXPECT_FALSE(CorrectForCheck(s, temperatures(90, 70, 30, 50), "2", "1"));
  EXPECT_EQ(s.cvdt, "1.");  // the display pattern keeps the point of a whole number
  EXPECT_FLOAT_EQ(s.F, 1);
}

TEST(CorrectForCheck, LockKeepsTheTypedFactor) {
  DesignState s;
  s.LmtdC = true;
  s.cvdt = "0.9";
  // Even temperatures without a factor do not fail a locked factor.
  ASSERT_TRUE(CorrectForCheck(s, temperatures(90, 70, 30, 50), "2", "1"));
  EXPECT_EQ(s.cvdt, "0.9");
  EXPECT_FLOAT_EQ(s.F, 0.9f);
  CorrectForDesign(s, temperatures(90, 70, 50, 60), "2", "1");
  EXPECT_EQ(s.cvdt, "0.9");
  EXPECT_FLOAT_EQ(s.F, 0.9f);
}

TEST(CorrectForDesign, FailureIsNotReportedAndFIsOne) {
  DesignState s;
  CorrectForDesign(s, temperatures(90, 70, 30, 50), "2", "1");
  EXPECT_FLOAT_EQ(s.F, 1);
  CorrectForDesign(s, temperatures(90, 70, 50, 60), "2", "1");
  EXPECT_FLOAT_EQ(s.F, 0.94f);
}

// --- The precondition on the shown factor -----------------------------------

TEST(CorrectionFactorCheck, RangeIsPointSevenToOne) {
  EXPECT_EQ(CorrectionFactorCheck("0.97"), 0);
  EXPECT_EQ(CorrectionFactorCheck("1"), 0);
  EXPECT_EQ(CorrectionFactorCheck("0.7"), 0);
  EXPECT_EQ(CorrectionFactorCheck(" 0.85 "), 0);
  EXPECT_EQ(CorrectionFactorCheck("1.01"), 536);
  EXPECT_EQ(CorrectionFactorCheck("0.69"), 536);
  EXPECT_EQ(CorrectionFactorCheck("-0.9"), 536);
}

TEST(CorrectionFactorCheck, TextThatIsNoNumberIsAnInvalidFactor) {
  EXPECT_EQ(CorrectionFactorCheck(""), 536);
  EXPECT_EQ(CorrectionFactorCheck("abc"), 536);
  EXPECT_EQ(CorrectionFactorCheck("0.9x"), 536);
}

}  // namespace vx
