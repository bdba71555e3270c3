#pragma once
// The look-ups of the command line: water, steam and the plate catalogue.
#include <filesystem>
#include <nlohmann/json.hpp>

namespace vx {

struct LookupResult {
  bool ok = false;
  nlohmann::json output;
};

// Water at a temperature (C), as the heat balance looks it up; on failure
// message 422.
LookupResult LookupWater(const std::filesystem::path& dir, float temperature);
// Saturated steam at a gauge pressure (MPa), as the conditions window looks
// it up; on failure message 429.
LookupResult LookupSteam(const std::filesystem::path& dir, float gaugePressure);
// The listed models of the catalogue with their channel kinds.
LookupResult ListModels(const std::filesystem::path& dir);
// A common fluid (its list position from 0, or its name) at a concentration
// (mass %) and a temperature (C), as the property window shows it: the four
// texts and the messages shown. Not ok when a box stays empty.
LookupResult LookupFluid(const std::filesystem::path& dir, const std::string& entry, double concentration,
                         double temperature);

}  // namespace vx
