// The NTU answer is the one the check confirms: the outlet temperatures it
// shows, rated by the check's own factor and heat capacity, transfer the heat
// it shows.
#include <gtest/gtest.h>

#include <cmath>

#include "app/ntu_consistency.h"
#include "exchanger/design_window.h"
#include "support/started_session.h"

namespace vx {

namespace {

struct NtuCase : test::StartedSession {
  NtuConsistency run(const std::string& plates, const std::string& passA, const std::string& passB,
                     bool coCurrent = false, const std::string& toutB = "60") {
    EXPECT_TRUE(SetUpNtuDuty(session, "VX050N", plates, passA, passB, coCurrent, toutB));
    return RunNtuAndCheck(session);
  }
};

}  // namespace

// Water A 30,000 kg/h 95 C, water B 40 C at the flow that balances 95 -> 65
// against 40 -> 60 (about 45,166 kg/h), VX050N with 41 plates.
TEST(NtuConsistency, CounterCurrentOnePassEach) {
  NtuCase c;
  const NtuConsistency r = c.run("41", "1", "1");
  ASSERT_TRUE(r.ran) << r.message;
  EXPECT_NEAR(c.session.var().FlowB, 45166, 5);
  EXPECT_NEAR(r.t1o, 46.51, 0.02);
  EXPECT_NEAR(r.t2o, 72.32, 0.02);
  EXPECT_NEAR(r.shownHeat, 1695.7, 0.5);
  EXPECT_LT(std::fabs(r.deviationPercent()), 0.5);
  // The design case keeps its temperatures.
  EXPECT_FLOAT_EQ(c.session.var().ToutA, 65);
}

// Co-current, B balanced 40 -> 55 C (about 60,230 kg/h): the answer lies just
// short of the outlets meeting.
TEST(NtuConsistency, CoCurrentConvergesShortOfTheMeetingPoint) {
  NtuCase c;
  const NtuConsistency r = c.run("41", "1", "1", true, "55");
  ASSERT_TRUE(r.ran) << r.message;
  EXPECT_NEAR(c.session.var().FlowB, 60230, 5);
  EXPECT_NEAR(r.t1o, 58.42, 0.02);
  EXPECT_NEAR(r.t2o, 58.29, 0.02);
  EXPECT_GT(r.t1o, r.t2o);
  EXPECT_NEAR(r.shownHeat, 1279.2, 0.5);
  EXPECT_LT(std::fabs(r.deviationPercent()), 0.5);
}

// Unequal passes carry the 1-2 factor of the answer's own temperatures; the
// answer of 2/1 lies near 56.8 / 65.5 C and 1337 kW.
TEST(NtuConsistency, UnequalPassesUseTheFactorOfTheAnswer) {
  NtuCase c;
  const NtuConsistency r = c.run("41", "2", "1");
  ASSERT_TRUE(r.ran) << r.message;
  EXPECT_NEAR(r.t1o, 56.8, 0.5);
  EXPECT_NEAR(r.t2o, 65.5, 0.5);
  EXPECT_NEAR(r.shownHeat, 1336.8, 1336.8 * 0.015);
  EXPECT_LT(std::fabs(r.deviationPercent()), 0.5);
}

// Whatever the arrangement or a locked factor, the check confirms the answer.
TEST(NtuConsistency, EveryArrangementIsConfirmedByTheCheck) {
  struct Arrangement {
    const char *plates, *passA, *passB;
    bool co;
    const char* cvdt;  // locked factor, or nullptr
  };
  for (const Arrangement& a : {Arrangement{"41", "2", "2", false, nullptr}, Arrangement{"41", "1", "2", false, nullptr},
                               Arrangement{"37", "3", "1", false, nullptr}, Arrangement{"21", "1", "1", false, "0.9"},
                               Arrangement{"61", "2", "1", true, nullptr}, Arrangement{"11", "1", "1", true, nullptr}}) {
    NtuCase c;
    ASSERT_TRUE(SetUpNtuDuty(c.session, "VX050N", a.plates, a.passA, a.passB, a.co, a.co ? "55" : "60"));
    auto* d = c.session.existingAs<DesignWindow>(DesignWindow::kName);
    if (a.cvdt) {
      d->LmtdC->checked = true;
      d->cvdt->text = a.cvdt;
    }
    const NtuConsistency r = RunNtuAndCheck(c.session);
    const std::string what = std::string(a.plates) + " " + a.passA + "/" + a.passB + (a.co ? " co" : "");
    ASSERT_TRUE(r.ran) << what << " message " << r.message;
    EXPECT_GT(r.shownHeat, 0) << what;
    EXPECT_LT(std::fabs(r.deviationPercent()), 0.5) << what;
  }
}

}  // namespace vx
