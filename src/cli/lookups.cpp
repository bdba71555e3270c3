#include "cli/lookups.h"

#include <cmath>

#include "app/script_host.h"
#include "cli/job_runner.h"
#include "common/messages.h"
#include "common/numeric_csv.h"
#include "common/record_file.h"
#include "exchanger/catalogue.h"
#include "properties/property_calc.h"
#include "properties/property_files.h"
#include "properties/water_steam.h"

using nlohmann::json;

namespace vx {

static json failure(int id) { return {{"ok", false}, {"message", {{"id", id}, {"text", LoadMessage(id)}}}}; }

LookupResult LookupWater(const std::filesystem::path& dir, float temperature) {
  VeloxaVar v;
  if (!GetWaterProperty(dir, v, temperature, kCircuitA)) return {false, failure(422)};
  const double cp = v.MediumProp(kSpecificHeat, kCircuitA), mu = v.MediumProp(kViscosity, kCircuitA),
               k = v.MediumProp(kConductivity, kCircuitA);
  return {true,
          {{"ok", true},
           {"temperature", FloatJson(temperature)},
           {"density", FloatJson(v.MediumProp(kDensity, kCircuitA))},
           {"specificHeat", FloatJson(static_cast<float>(cp))},
           {"conductivity", FloatJson(static_cast<float>(k))},
           {"viscosity", FloatJson(static_cast<float>(mu))},
           {"prandtl", FloatJson(static_cast<float>(cp * mu / k))}}};
}

LookupResult LookupSteam(const std::filesystem::path& dir, float gaugePressure) {
  auto s = SteamTable(dir, gaugePressure);
  if (!s) return {false, failure(429)};
  return {true,
          {{"ok", true},
           {"gaugePressure", FloatJson(gaugePressure)},
           {"saturationTemperature", FloatJson(s->saturationTemperature)},
           {"vapourDensity", FloatJson(s->vapourDensity)},
           {"latentHeat", FloatJson(s->latentHeat)}}};
}

static json channelJson(const ChannelKind& c) {
  return {{"section", FloatJson(c.section)},       {"diameter", FloatJson(c.diameter)},
          {"portIn", c.portIn},                     {"portOut", c.portOut},
          {"Nu_c", FloatJson(c.corr.Nu_c)},         {"Nu_m", FloatJson(c.corr.Nu_m)},
          {"Eu_c", FloatJson(c.corr.Eu_c)},         {"Eu_m", FloatJson(c.corr.Eu_m)},
          {"Pr_c", FloatJson(c.corr.Pr_c)},         {"Re_Min", FloatJson(c.corr.Re_Min)},
          {"Re_Max", FloatJson(c.corr.Re_Max)}};
}

LookupResult ListModels(const std::filesystem::path& dir) {
  auto cat = Catalogue::load(dir);
  if (!cat) return {false, failure(569) /* the design window's message for a missing catalogue */};
  json models = json::array();
  for (const auto& m : cat->listed()) {
    ChannelKinds kinds{};
    FillChannelKinds(m, kinds);
    static const char* kindNames[] = {"normal", "asymmetric", "thermal-mixing"};
    int used = m.PlateKind == kAsymmetricPlate ? 2 : m.PlateKind == kThermalMixingPlate ? 3 : 1;
    json channels = json::array();
    for (int i = 1; i <= used; ++i) channels.push_back(channelJson(kinds[static_cast<size_t>(i)]));
    models.push_back({{"name", trimField(m.ModelName)},
                      {"kind", m.PlateKind},
                      {"kindName", m.PlateKind >= 0 && m.PlateKind <= 2 ? kindNames[m.PlateKind] : "normal"},
                      {"plateArea", FloatJson(m.PlateArea)},
                      {"plateThickness", FloatJson(m.PlateThickness)},
                      {"ports", {m.PortIn1, m.PortOut1, m.PortIn2, m.PortOut2}},
                      {"maxPlates", m.MaxPlates},
                      {"channelVolume", FloatJson(m.ChannelVolume)},
                      {"plateWeight", FloatJson(m.PlateWeight)},
                      {"frameWeight", FloatJson(m.FrameWeight)},
                      {"channels", channels}});
  }
  return {true, {{"ok", true}, {"models", models}}};
}

LookupResult LookupFluid(const std::filesystem::path& dir, const std::string& entry, double concentration,
                         double temperature) {
  const auto names = ListCommonFluids(dir);
  int k = -1;
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == entry) k = static_cast<int>(i);
  double position = 0;
  if (k < 0 && parseNumber(entry, position) && position >= 0 && position < static_cast<double>(names.size()) &&
      position == std::floor(position))
    k = static_cast<int>(position);
  auto rec = k >= 0 ? ReadCommonFluid(dir, k + 1) : std::nullopt;
  if (!rec) return {false, {{"ok", false}, {"error", "no common fluid " + entry}}};

  // The entries' bounds as the window sets them from the list.
  auto bound = [](float v) { return static_cast<int>(std::nearbyint(std::fmax(-1e9, std::fmin(1e9, v)))); };
  EntryBounds cb{rec->HasConcentration != 0, bound(rec->CMin), bound(rec->CMax)};
  EntryBounds tb{rec->HasTemperature != 0, bound(rec->TMin), bound(rec->TMax)};
  ScriptHost host;
  CommonFluidTexts texts = CommonFluidProps(LoadFluidTables(dir), host, k, concentration, temperature, cb, tb);
  json messages = json::array();
  for (const auto& m : host.messages()) {
    json jm = {{"text", m.text}};
    if (m.id) jm["id"] = m.id;
    messages.push_back(jm);
  }
  bool ok = true;
  for (const auto& t : texts) ok = ok && !t.empty();
  json out = {{"ok", ok},
              {"entry", k},
              {"name", rec->Name},
              {"concentration", concentration},
              {"temperature", temperature},
              {"density", texts[0]},
              {"specificHeat", texts[1]},
              {"conductivity", texts[2]},
              {"viscosity", texts[3]},
              {"messages", messages}};
  if (cb.enabled) out["concentrationRange"] = {cb.lower, cb.upper};
  if (tb.enabled) {
    int lower = tb.lower;
    if (cb.enabled) {
      if (auto m = MinTemperature(LoadFluidTables(dir), k, concentration)) lower = *m;
    }
    out["temperatureRange"] = {lower, tb.upper};
  }
  return {ok, out};
}

}  // namespace vx
