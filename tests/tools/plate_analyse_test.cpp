#include "tools/plate_analyse.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/started_session.h"

namespace vx {
namespace {

struct PlateWindow : test::StartedSession {
  PlateWindow() { session.main().runCommand("plateAnalysis"); }
  PlateAnalyse& w() { return *session.windowAs<PlateAnalyse>(PlateAnalyse::kName); }
  int model(const std::string& name) {
    auto& items = w().Combo1->items;
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i].find(name) == 0) return static_cast<int>(i);
    ADD_FAILURE() << name;
    return 0;
  }
  void pickModel(const std::string& name) { Pick(*w().Combo1, model(name)); }
};

TEST(PlateChart, CurvePointsOfANormalPlateAt40C) {
  // VX003N channel 1 of the installed catalogue, water at 40 C from the table
  // (veloxa-cli water 40): rho 992.2164, lambda 0.6284857, mu 0.6527287, Pr 4.3406305.
  ChannelKind k;
  k.diameter = 0.003478261f;
  k.corr.Nu_c = 0.1311142f;
  k.corr.Nu_m = 0.7822671f;
  k.corr.Eu_c = 192.6744f;
  k.corr.Eu_m = -0.2003234f;
  WaterAnalysisValues water{992.2164f, 4.179415f, 0.6284857f, 0.6527287f, 4.3406305f};
  auto curves = PlateCurves(k, water, false, false, 0xFF);
  ASSERT_EQ(curves.size(), 2u);
  // 0.01 to 2.1 in single-precision steps: 210 velocities, the last 2.0999985.
  ASSERT_EQ(curves[0].points.size(), 210u);
  EXPECT_NEAR(curves[0].points.back().x, 2.1, 2e-6);
  // The 50th step, v = 0.4999998 (computed by hand from the formulas):
  // Re = 2643.66, Nu = 0.1311142 Re^0.7822671 Pr^0.3 = 96.827,
  // alpha = Nu lambda / d = 17495.6, DP = 192.6744 Re^-0.2003234 rho v^2 = 9858.76 Pa.
  EXPECT_NEAR(curves[0].points[49].x, 0.5, 1e-6);
  EXPECT_NEAR(curves[0].points[49].y, 17495.6, 0.5);
  EXPECT_NEAR(curves[1].points[49].y, 985.876, 0.01);
  EXPECT_EQ(curves[0].kind, "alpha");
  EXPECT_EQ(curves[1].kind, "dp");
  EXPECT_EQ(curves[1].color, 0xFFu);
  // The alpha curve is solid (a first piece from the first point to itself),
  // the DP curve drawn at every second step only.
  EXPECT_EQ(curves[0].segments().size(), 210u);
  EXPECT_EQ(curves[1].segments().size(), 105u);
  EXPECT_DOUBLE_EQ(curves[1].segments()[0].to.x, curves[1].points[1].x);

  // Heated water (Pr^0.4): alpha higher by Pr^0.1, DP the same; x the Reynolds number.
  auto heated = PlateCurves(k, water, true, true, 0xFF);
  EXPECT_NEAR(heated[0].points[49].y / curves[0].points[49].y, std::pow(static_cast<double>(4.3406305f), 0.1), 1e-9);
  EXPECT_DOUBLE_EQ(heated[1].points[49].y, curves[1].points[49].y);
  EXPECT_NEAR(heated[0].points[49].x, 2643.66, 0.01);

  // No curves without a diameter, constants or properties.
  ChannelKind none = k;
  none.diameter = 0;
  EXPECT_TRUE(PlateCurves(none, water, false, false, 0).empty());
  none = k;
  none.corr.Eu_c = 0;
  EXPECT_TRUE(PlateCurves(none, water, false, false, 0).empty());
  EXPECT_TRUE(PlateCurves(k, WaterAnalysisValues{}, false, false, 0).empty());
}

TEST(PlateChart, ReadOutAndItsPlace) {
  EXPECT_EQ(ChartReadOut(false, 0.5, 8000), "V:0.50 F.C:8000. DP:80.");
  EXPECT_EQ(ChartReadOut(true, 12345.678, 15055), "Re:12345.68 F.C:15055. DP:150.6");
  ChartPoint left = ReadOutPlace(1.0, 29500, 0.3);
  EXPECT_DOUBLE_EQ(left.x, 0.69);
  EXPECT_DOUBLE_EQ(left.y, 29300);
  ChartPoint right = ReadOutPlace(0.1, 8000, 0.3);
  EXPECT_DOUBLE_EQ(right.x, 0.11);
  EXPECT_DOUBLE_EQ(right.y, 9200);
  EXPECT_EQ(ChartGrid(false).size(), 21u + 31u);
  EXPECT_EQ(ChartTitles(true)[2].text, "X:Re");
}

TEST(PlateAnalyseWindow, NormalPlateDrawsAtOnceAsymmetricWaitsForItsChannel) {
  PlateWindow p;
  EXPECT_EQ(p.w().Combo3->items[1], "X 轴锁定");
  p.pickModel("VX003N");
  EXPECT_FALSE(p.w().Combo2->enabled);
  ASSERT_EQ(p.w().chart().curves.size(), 2u);
  ASSERT_EQ(p.w().chart().legend.size(), 1u);
  EXPECT_EQ(p.w().chart().legend[0].text, "VX003N @ 40℃");
  EXPECT_EQ(p.w().chart().legend[0].color, 0xFFFFFFu);
  EXPECT_EQ(p.w().controls().find("Label8", 5)->text, "0.03");
  EXPECT_EQ(p.w().controls().find("Label1", 8)->text, "0.1311");

  // A second model in red is added, with its own legend line.
  Click(p.w().controls(), *p.w().Label6);
  EXPECT_TRUE(p.w().Picture3->visible);
  Click(p.w().controls(), *p.w().controls().find("Label5", 1));
  EXPECT_FALSE(p.w().Picture3->visible);
  EXPECT_EQ(p.w().Label6->backColor, 0xFFu);
  p.pickModel("VX016A");
  EXPECT_TRUE(p.w().Combo2->enabled);
  EXPECT_EQ(p.w().chart().curves.size(), 2u);  // nothing until a channel kind is chosen
  SetText(*p.w().Text1, "60");
  Pick(*p.w().Combo2, 1);
  ASSERT_EQ(p.w().chart().legend.size(), 2u);
  EXPECT_EQ(p.w().chart().legend[1].text, "VX016A宽 @ 60℃");
  EXPECT_EQ(p.w().chart().curves[3].color, 0xFFu);
  EXPECT_TRUE(p.host.messages().empty());

  // The read-out under the pointer; switching the axis clears everything.
  p.w().Picture1->mouseMoved(0.5, 8000);
  EXPECT_EQ(p.w().Label4->text, "V:0.50 F.C:8000. DP:80.");
  Click(p.w().controls(), *p.w().Option2[1]);
  EXPECT_TRUE(p.w().chart().curves.empty());
  EXPECT_TRUE(p.w().chart().legend.empty());
  EXPECT_TRUE(p.w().chart().reynolds);
  EXPECT_DOUBLE_EQ(p.w().Picture1->picture.width, 20000);
  p.w().Picture1->mouseMoved(8000, 8000);
  EXPECT_EQ(p.w().Label4->text, "Re:8000.00 F.C:8000. DP:80.");
}

TEST(PlateAnalyseWindow, NoCurvesFromMissingOrStaleProperties) {
  PlateWindow p;
  SetText(*p.w().Text1, "500");  // beyond the water table
  p.pickModel("VX003N");
  EXPECT_EQ(p.lastId(), 522);
  EXPECT_TRUE(p.w().chart().curves.empty());
  EXPECT_TRUE(p.w().chart().legend.empty());
  SetText(*p.w().Text1, "40");
  p.pickModel("VX005N");
  EXPECT_EQ(p.w().chart().curves.size(), 2u);
  // A failed look-up after a good one draws nothing either.
  SetText(*p.w().Text1, "500");
  p.pickModel("VX008N");
  EXPECT_EQ(p.w().chart().curves.size(), 2u);
  EXPECT_EQ(p.w().chart().legend.size(), 1u);
  // Clear empties the chart; so does returning to the window.
  p.pickModel("VX003N");
  SetText(*p.w().Text1, "40");
  p.pickModel("VX003N");
  EXPECT_EQ(p.w().chart().curves.size(), 4u);
  Click(p.w().controls(), *p.w().controls().find("Command2"));
  EXPECT_TRUE(p.w().chart().curves.empty());
}

}  // namespace
}  // namespace vx
