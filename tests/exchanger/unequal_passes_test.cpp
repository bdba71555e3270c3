// Unequal passes: each circuit spreads the same channels over its own
// passes. Water 30,000 kg/h 95 -> 65 C against water 40 -> 60 C (flow B
// from the balance, about 45,166 kg/h), counter-current, VX050N.
#include <gtest/gtest.h>

#include "conditions/condition.h"
#include "exchanger/design_window.h"
#include "support/started_session.h"

namespace vx {

namespace {

class UnequalPasses : public ::testing::Test, protected test::StartedSession {
 protected:
  void SetUp() override {
    auto* cond = session.existingAs<Condition>(Condition::kName);
    SetText(cond->field(kFlowA), "30000");
    SetText(cond->field(kTinA), "95");
    SetText(cond->field(kToutA), "65");
    SetText(cond->field(kTinB), "40");
    SetText(cond->field(kToutB), "60");
    Click(cond->controls(), *cond->balanceButton);
    ASSERT_TRUE(session.var().BalanceDone);
    ASSERT_NEAR(session.var().FlowB, 45166, 50);
    Click(cond->controls(), *cond->Command5);
    d = session.existingAs<DesignWindow>(DesignWindow::kName);
    ASSERT_NE(d, nullptr);
    for (size_t i = 0; i < d->cbotype->items.size(); ++i)
      if (d->cbotype->items[i].rfind("VX050N", 0) == 0) Pick(*d->cbotype, static_cast<int>(i));
  }
  // Checks `plates` with passes a/b; false when the check refused.
  bool check(const std::string& plates, const std::string& a, const std::string& b) {
    SetText(*d->txtplatenb, plates);
    SetText(*d->txtPass1, a);
    SetText(*d->txtPass2, b);
    return d->RunCheck();
  }
  float velocityB() const { return d->state.ChannelVelocity[1][kCircuitB]; }
  float dropB() const { return d->state.PressureDropB / 1000; }

  DesignWindow* d = nullptr;
};

}  // namespace

// 41 plates: 20 channels per circuit. With 2/1 passes circuit A has 10 per
// pass and circuit B all 20 in its single pass, half A's velocity.
TEST_F(UnequalPasses, CircuitBSpreadsItsChannelsOverItsOwnPasses) {
  ASSERT_TRUE(check("41", "1", "1"));
  const float oneOne = velocityB();
  ASSERT_TRUE(check("41", "2", "1"));
  EXPECT_FLOAT_EQ(velocityB(), oneOne);
  EXPECT_NEAR(velocityB(), 0.49, 0.49 * 0.02);
  EXPECT_NEAR(dropB(), 26.1, 26.1 * 0.03);
  EXPECT_NEAR(d->state.ServiceU[1], 8290, 8290 * 0.03);

  ASSERT_TRUE(check("41", "1", "2"));
  EXPECT_NEAR(dropB(), 181, 181 * 0.03);

  ASSERT_TRUE(check("37", "3", "1"));
  EXPECT_NEAR(velocityB(), 0.546, 0.546 * 0.02);
  EXPECT_NEAR(dropB(), 31.5, 31.5 * 0.03);
}

}  // namespace vx
