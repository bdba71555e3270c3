#include "tools/muley.h"

#include <cmath>

#include "common/helpers.h"
#include "common/messages.h"
#include "common/number_text.h"

namespace vx {

namespace {
bool positiveFinite(double x) { return std::isfinite(x) && x > 0; }
}  // namespace

std::optional<MuleyResult> MuleyCalculate(const MuleyInputs& in) {
  if (!positiveFinite(in.velocity) || !positiveFinite(in.corrugationDepth) || !positiveFinite(in.channelLength))
    return std::nullopt;
  MuleyResult r;
  const double beta = in.chevronAngle, phi = in.enlargement, w = in.velocity;
  r.hydraulicDiameter = 2 * in.corrugationDepth / 1000;
  const double length = in.channelLength / 1000;
  r.reynolds = r.hydraulicDiameter * w * kMuleyDensity / kMuleyViscosity * 1000;
  // The published enlargement polynomial (Muley and Manglik 1999), the one
  // the catalogue's correlations use.
  const double nu = std::cbrt(kMuleyPrandtl) * (0.2668 - 0.006967 * beta + 7.244e-5 * beta * beta) *
                    (20.7803 - 50.9372 * phi + 41.1585 * phi * phi - 10.1507 * phi * phi * phi) *
                    std::pow(r.reynolds, 0.728 + 0.0543 * std::sin(3.14 * beta / 45 + 3.7));
  r.friction = (2.917 - 0.1277 * beta + 2.016e-3 * beta * beta) *
               (5.474 - 19.02 * phi + 18.93 * phi * phi - 5.341 * phi * phi * phi) *
               std::pow(r.reynolds, -(0.2 + 0.0577 * std::sin(3.1416 * beta / 45 + 2.1)));
  const double drop = 4 * r.friction * length / r.hydraulicDiameter * kMuleyDensity * w * w / 2 / 1000;
  const double port = 1474.5 * w * w / 2 / 1000;
  if (!positiveFinite(nu) || !positiveFinite(r.friction) || !positiveFinite(drop) || !positiveFinite(port) ||
      nu > 3.4e38 || drop > 3.4e38 || port > 3.4e38)
    return std::nullopt;
  r.nusselt = static_cast<float>(nu);
  r.channelDrop = static_cast<float>(drop);
  r.portDrop = static_cast<float>(port);
  return r;
}

Muley::Muley(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = "波纹板片几何模拟";
  static const char* labels[kFields] = {"通道长度Lp", "宽度Lw",     "LA",           "Lh",
                                        "口径Dp",     "波纹深度Cd", "波纹角度β",    "扩展系数φ",
                                        "流速w",      "努塞尔数Nu", "通道压降",     "角孔压降"};
  static const char* units[kFields] = {"mm", "mm", "mm", "mm", "mm", "mm", "°", "", "m/s", "", "KPa", "KPa"};
  static const char* initial[kInputs] = {"1518", "468", "819", "300", "150", "3.6", "30", "1.205", ""};
  for (int i = 0; i < kFields; ++i) {
    Control& f = controls_.add("Text1", ControlKind::TextBox, i);
    if (i < kInputs) {
      f.text = initial[i];
      f.keyPress = [](int key) { return KeyFilter(key, 2); };
    } else {
      f.enabled = false;  // results
    }
    Text1[static_cast<size_t>(i)] = &f;
    controls_.add("Label1", ControlKind::Label, i).text = labels[i];
    controls_.add("Label2", ControlKind::Label, i).text = units[i];
  }
  Control& ok = controls_.add("Command1", ControlKind::Button);
  ok.text = LoadMessage(325);
  ok.clicked = [this] { calculate(); };
  controls_.add("Command2", ControlKind::Button).text = "取消";
}

void Muley::calculate() {
  auto value = [this](int i) { return Val(Text1[static_cast<size_t>(i)]->text); };
  MuleyInputs in{value(0), value(5), value(6), value(7), value(8)};
  auto r = MuleyCalculate(in);
  for (int i = kInputs; i < kFields; ++i) Text1[static_cast<size_t>(i)]->text.clear();
  if (!r) {
    ShowMessage(ctx_.host, 440, {}, Icon::Exclamation);
    return;
  }
  Text1[9]->text = Str(r->nusselt);
  Text1[10]->text = Str(r->channelDrop);
  Text1[11]->text = Str(r->portDrop);
}

}  // namespace vx
