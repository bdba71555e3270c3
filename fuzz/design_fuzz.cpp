// The design road on data built from the fuzzer's bytes: a catalogue of
// arbitrary plate models, damaged rows in the water table, arbitrary presets
// and conditions; then the heat balance, the automatic design, check, design
// and NTU. Nothing may crash, and no value of the case or text of a window
// may be a number that is not finite.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

#include "app/script_host.h"
#include "app/session.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "exchanger/catalogue.h"
#include "exchanger/design_window.h"
#include "fuzz_support.h"
#include "properties/water_steam.h"

namespace {

using namespace vx;

float anyFloat(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: return 0;
    case 1: return -in.ConsumeFloatingPointInRange<float>(0, 100);
    case 2: return in.ConsumeFloatingPoint<float>();  // anything, NaN and infinity included
    default: return in.ConsumeFloatingPointInRange<float>(0, 5000);
  }
}

std::string catalogue(FuzzedDataProvider& in) {
  std::string bytes = fuzz::InstalledBytes(kCatalogueFile).substr(0, kCatalogueRecordLength);
  const int models = in.ConsumeIntegralInRange(1, 5);
  for (int i = 0; i < models; ++i) {
    PlateModel m;
    m.ModelName = modelNameField("FZ" + std::to_string(i));
    m.PlateKind = static_cast<short>(in.ConsumeIntegralInRange(-1, 3));
    m.PortIn1 = in.ConsumeIntegral<short>();
    m.PortOut1 = in.ConsumeIntegral<short>();
    m.PortIn2 = in.ConsumeIntegral<short>();
    m.PortOut2 = in.ConsumeIntegral<short>();
    m.MaxPlates = in.ConsumeIntegral<short>();
    m.PlateArea = anyFloat(in);
    m.PlateThickness = anyFloat(in);
    for (Correlation& c : m.channels) {
      c.Nu_c = anyFloat(in);
      c.Nu_m = in.ConsumeFloatingPointInRange<float>(-2, 2);
      c.Eu_c = anyFloat(in);
      c.Eu_m = in.ConsumeFloatingPointInRange<float>(-2, 2);
      c.Pr_c = in.ConsumeFloatingPointInRange<float>(-1, 1);
      c.Re_Min = anyFloat(in);
      c.Re_Max = anyFloat(in);
    }
    m.NarrowSection = anyFloat(in) / 1e4f;
    m.NarrowDiameter = anyFloat(in) / 1e4f;
    m.WideSection = anyFloat(in) / 1e4f;
    m.WideDiameter = anyFloat(in) / 1e4f;
    bytes += writePlateModel(m);
  }
  return bytes;
}

std::string waterTable(FuzzedDataProvider& in) {
  std::string bytes = fuzz::InstalledBytes("PROPER.DAT");
  if (bytes.size() < static_cast<size_t>(kWaterRecordLength) || !in.ConsumeBool()) return bytes;
  const size_t rows = bytes.size() / kWaterRecordLength;
  const size_t row = in.ConsumeIntegralInRange<size_t>(0, rows - 1);
  WaterRecord w{anyFloat(in), anyFloat(in), anyFloat(in), anyFloat(in), anyFloat(in), 0};
  bytes.replace(row * kWaterRecordLength, kWaterRecordLength, writeWaterRecord(w));
  return bytes;
}

std::string presets(FuzzedDataProvider& in) {
  std::string bytes = fuzz::InstalledBytes("Preset.dat");
  if (!in.ConsumeBool()) return bytes;
  // One line of the presets replaced by a number of any size.
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  if (lines.empty()) return bytes;
  lines[in.ConsumeIntegralInRange<size_t>(0, lines.size() - 1)] = std::to_string(anyFloat(in));
  std::string out;
  for (const auto& line : lines) out += line + "\r\n";
  return out;
}

void expectFinite(float x, const char* what) {
  if (!std::isfinite(x)) fuzz::Finding(what);
}

// No window shows "nan" or "inf" in any control or grid cell.
void expectNoNonFiniteText(Session& session) {
  auto bad = [](const std::string& t) {
    return t.find("nan") != std::string::npos || t.find("inf") != std::string::npos ||
           t.find("NaN") != std::string::npos || t.find("INF") != std::string::npos;
  };
  for (WindowModel* w : session.windows()) {
    for (const Control& c : w->controls().all()) {
      if (bad(c.text)) fuzz::Finding("a non-finite number in a control");
      for (const std::string& cell : c.grid.cells)
        if (bad(cell)) fuzz::Finding("a non-finite number in a grid cell");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  fuzz::WriteFile(kCatalogueFile, catalogue(in));
  fuzz::WriteFile("PROPER.DAT", waterTable(in));
  fuzz::WriteFile("Preset.dat", presets(in));

  ScriptHost host;
  Session session(host, fuzz::DataFolder());
  if (!session.start()) return 0;
  auto* cond = session.existingAs<Condition>(Condition::kName);
  if (!cond) return 0;
  for (int field : {kFlowA, kTinA, kToutA, kTinB, kToutB, kAllowDpA, kAllowDpB, kMargin})
    if (in.ConsumeBool()) SetText(cond->field(field), std::to_string(anyFloat(in)));
  Click(cond->controls(), *cond->balanceButton);
  Click(cond->controls(), *cond->Command5);
  auto* design = session.existingAs<DesignWindow>(DesignWindow::kName);
  if (design) {
    session.activated(DesignWindow::kName);
    design->RunAutoDesign();
    if (!design->cbotype->items.empty()) {
      Pick(*design->cbotype, in.ConsumeIntegralInRange<int>(0, static_cast<int>(design->cbotype->items.size()) - 1));
      SetText(*design->txtplatenb, std::to_string(in.ConsumeIntegralInRange(0, 800)));
      design->RunCheck();
      design->RunDesign();
      design->RunNtu();
    }
  }
  const VeloxaVar& v = session.var();
  const std::pair<const char*, float> values[] = {
      {"FlowA", v.FlowA}, {"FlowB", v.FlowB},   {"HeatLoad", v.HeatLoad}, {"TinA", v.TinA},         {"ToutA", v.ToutA},
      {"TinB", v.TinB},   {"ToutB", v.ToutB},   {"Lmtd", v.Lmtd},         {"AllowDpA", v.AllowDpA}, {"AllowDpB", v.AllowDpB}};
  for (const auto& [name, x] : values) expectFinite(x, name);
  expectNoNonFiniteText(session);
  return 0;
}
