#include "tools/muley.h"

#include <gtest/gtest.h>

#include "support/started_session.h"

namespace vx {
namespace {

MuleyInputs initial(double w) { return {1518, 3.6, 30, 1.205, w}; }

TEST(MuleyCalculation, InitialPlateAtHalfAMetrePerSecond) {
  auto r = MuleyCalculate(initial(0.5));
  ASSERT_TRUE(r);
  // dh = 2 x 3.6 mm; Re = 0.0072 x 0.5 x 983 / 0.47 x 1000 = 7529.36.
  EXPECT_DOUBLE_EQ(r->hydraulicDiameter, 0.0072);
  EXPECT_NEAR(r->reynolds, 7529.4, 0.05);
  // By hand: 2.98^(1/3) = 1.438652; beta term 0.2668 - 0.20901 + 0.065196 = 0.122986;
  // phi term 20.7803 - 61.3793 + 59.7633 - 17.7606 = 1.403565 (the polynomial
  // 20.78 - 50.84 phi + 41.16 phi^2 - 10.51 phi^3 gives 0.893906 here);
  // exponent 0.728 + 0.0543 sin(5.793333) = 0.702452, Re^0.702452 = 528.734:
  // Nu = 131.340 (83.648 with the other polynomial).
  EXPECT_NEAR(r->nusselt, 131.340, 0.001);
  // Port drop 1474.5 x 0.25 / 2 / 1000 kPa.
  EXPECT_FLOAT_EQ(r->portDrop, 0.1843125f);
  // Fanning f: beta term 2.917 - 3.831 + 1.8144 = 0.9004, phi term 0.696638,
  // exponent 0.2 + 0.0577 sin(4.1944) = 0.149869: f = 0.9004 x 0.696638 x 7529.36^-0.149869
  // = 0.164602; dp = 4 f x 1.518 / 0.0072 x 983 x 0.5^2 / 2 / 1000 = 17.0568 kPa.
  EXPECT_NEAR(r->friction, 0.164602, 1e-6);
  EXPECT_NEAR(r->channelDrop, 17.0568, 1e-4);
}

TEST(MuleyCalculation, NoResultWithoutAPositiveVelocityDepthOrLength) {
  EXPECT_FALSE(MuleyCalculate(initial(0)));
  EXPECT_FALSE(MuleyCalculate(initial(-1)));
  EXPECT_FALSE(MuleyCalculate({1518, 0, 30, 1.205, 0.5}));
  EXPECT_FALSE(MuleyCalculate({0, 3.6, 30, 1.205, 0.5}));
  // phi = 3 lies far outside 1 to 1.5: the enlargement polynomial is negative.
  EXPECT_FALSE(MuleyCalculate({1518, 3.6, 30, 3, 0.5}));
}

TEST(MuleyWindow, WritesStrFormsOrShowsAMessageAndEmptyResults) {
  test::StartedSession s;
  auto& m = *s.session.windowAs<Muley>(Muley::kName);
  EXPECT_EQ(m.Text1[0]->text, "1518");
  EXPECT_EQ(m.Text1[7]->text, "1.205");
  EXPECT_EQ(m.Text1[8]->text, "");
  SetText(*m.Text1[8], "1");
  Click(m.controls(), *m.controls().find("Command1"));
  EXPECT_EQ(m.Text1[11]->text, " .73725");  // 1474.5 / 2 / 1000
  EXPECT_FALSE(m.Text1[9]->text.empty());
  EXPECT_TRUE(s.host.messages().empty());
  SetText(*m.Text1[8], "0");
  Click(m.controls(), *m.controls().find("Command1"));
  EXPECT_EQ(s.lastId(), 440);
  for (int i = 9; i < 12; ++i) EXPECT_EQ(m.Text1[static_cast<size_t>(i)]->text, "") << i;
}

}  // namespace
}  // namespace vx
