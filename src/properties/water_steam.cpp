#include "properties/water_steam.h"

#include <cmath>

#include "common/file_io.h"
#include "common/helpers.h"
#include "common/record_file.h"

namespace vx {

WaterRecord readWaterRecord(const std::string& bytes) {
  RecordReader r(bytes);
  WaterRecord w;
  w.temperature = r.single();
  w.density = r.single();
  w.specificHeat = r.single();
  w.conductivity = r.single();
  w.viscosity = r.single();
  w.sixth = r.single();
  return w;
}

std::string writeWaterRecord(const WaterRecord& w) {
  RecordWriter r(kWaterRecordLength);
  r.single(w.temperature);
  r.single(w.density);
  r.single(w.specificHeat);
  r.single(w.conductivity);
  r.single(w.viscosity);
  r.single(w.sixth);
  return r.bytes();
}

SteamRecord readSteamRecord(const std::string& bytes) {
  RecordReader r(bytes);
  SteamRecord s;
  s.saturationTemperature = r.single();
  s.pressure = r.single();
  s.vapourDensity = r.single();
  s.latentHeat = r.single();
  return s;
}

std::string writeSteamRecord(const SteamRecord& s) {
  RecordWriter r(kSteamRecordLength);
  r.single(s.saturationTemperature);
  r.single(s.pressure);
  r.single(s.vapourDensity);
  r.single(s.latentHeat);
  return r.bytes();
}

namespace {

// Loads a table whose size is a whole number of records; a file cut in the
// middle of a record is damaged and not used.
std::optional<RecordFile> loadTable(const std::filesystem::path& dir, const char* name, int length) {
  auto path = findFileNoCase(dir, name);
  if (!path) return std::nullopt;
  RecordFile file(*path, length);
  if (!file.load()) return std::nullopt;
  if (file.size() % static_cast<size_t>(length) != 0) return std::nullopt;
  return file;
}

// The bracket search: the first i with key(i) <= x < key(i+1), starting from
// the first pair, so inputs below the first key use the first pair. Returns
// the record number i, or 0 when x is at or above the last key or the keys
// are out of order.
template <typename KeyOf>
int bracket(const RecordFile& file, float x, KeyOf keyOf) {
  for (int i = 1;; ++i) {
    if (file.count() < i + 1) return 0;
    float k1 = keyOf(file.record(i));
    float k2 = keyOf(file.record(i + 1));
    if (k2 < k1) return 0;
    if (!(x >= k2)) return i;
  }
}

bool positive(float x) { return std::isfinite(x) && x > 0; }

// A table that no water or steam could have (keys not finite or out of
// order, properties not finite and positive) is damaged and not used, so
// that no look-up hands on a number from nonsense.
bool waterTableSound(const RecordFile& file) {
  float previous = -INFINITY;
  for (int i = 1; i <= file.count(); ++i) {
    const WaterRecord w = readWaterRecord(file.record(i));
    if (!std::isfinite(w.temperature) || w.temperature < previous) return false;
    if (!positive(w.density) || !positive(w.specificHeat) || !positive(w.conductivity) || !positive(w.viscosity))
      return false;
    previous = w.temperature;
  }
  return true;
}

bool steamTableSound(const RecordFile& file) {
  float previous = -INFINITY;
  for (int i = 1; i <= file.count(); ++i) {
    const SteamRecord s = readSteamRecord(file.record(i));
    if (!std::isfinite(s.pressure) || s.pressure < previous) return false;
    if (!std::isfinite(s.saturationTemperature) || !positive(s.vapourDensity) || !positive(s.latentHeat)) return false;
    previous = s.pressure;
  }
  return true;
}

}  // namespace

std::optional<WaterProperties> WaterTable(const std::filesystem::path& dir, float temperature, bool rejectNegative) {
  if (!std::isfinite(temperature) || (rejectNegative && temperature < 0)) return std::nullopt;
  auto file = loadTable(dir, kWaterFile, kWaterRecordLength);
  if (!file || !waterTableSound(*file)) return std::nullopt;
  int i = bracket(*file, temperature, [](const std::string& b) { return readWaterRecord(b).temperature; });
  if (i == 0) return std::nullopt;
  WaterRecord a = readWaterRecord(file->record(i));
  WaterRecord b = readWaterRecord(file->record(i + 1));
  auto at = [&](float ya, float yb) { return Interpolate(a.temperature, b.temperature, ya, yb, temperature); };
  const WaterProperties w{at(a.density, b.density), at(a.specificHeat, b.specificHeat),
                          at(a.conductivity, b.conductivity), at(a.viscosity, b.viscosity)};
  // Two rows of one temperature, or huge values extrapolated below the first
  // row, can overflow: such a look-up has no answer.
  if (!positive(w.density) || !positive(w.specificHeat) || !positive(w.conductivity) || !positive(w.viscosity))
    return std::nullopt;
  return w;
}

std::optional<SteamProperties> SteamTable(const std::filesystem::path& dir, float gaugePressure) {
  if (!std::isfinite(gaugePressure)) return std::nullopt;
  auto file = loadTable(dir, kSteamFile, kSteamRecordLength);
  if (!file || !steamTableSound(*file)) return std::nullopt;
  // The key is the gauge pressure, formed in single precision.
  auto keyOf = [](const std::string& b) { return readSteamRecord(b).pressure - 0.1f; };
  int i = bracket(*file, gaugePressure, keyOf);
  if (i == 0) return std::nullopt;
  SteamRecord a = readSteamRecord(file->record(i));
  SteamRecord b = readSteamRecord(file->record(i + 1));
  float ka = a.pressure - 0.1f, kb = b.pressure - 0.1f;
  auto at = [&](float ya, float yb) { return Interpolate(ka, kb, ya, yb, gaugePressure); };
  const SteamProperties steam{at(a.saturationTemperature, b.saturationTemperature),
                              at(a.vapourDensity, b.vapourDensity), at(a.latentHeat, b.latentHeat)};
  if (!std::isfinite(steam.saturationTemperature) || !positive(steam.vapourDensity) || !positive(steam.latentHeat))
    return std::nullopt;
  return steam;
}

bool GetWaterProperty(const std::filesystem::path& dir, VeloxaVar& v, float temperature, int circuit) {
  if (circuit < 0 || circuit > 2) return false;
  auto w = WaterTable(dir, temperature, true);
  if (!w) return false;
  v.MediumProp(kDensity, circuit) = w->density;
  v.MediumProp(kSpecificHeat, circuit) = w->specificHeat;
  v.MediumProp(kConductivity, circuit) = w->conductivity;
  v.MediumProp(kViscosity, circuit) = w->viscosity;
  return true;
}

bool LoadWaterProperty(const std::filesystem::path& dir, Host& host, float temperature, WaterAnalysisValues& out) {
  auto w = WaterTable(dir, temperature, false);
  if (!w || w->conductivity == 0) {
    ShowMessage(host, 522);
    return false;
  }
  out.density = w->density;
  out.specificHeat = w->specificHeat;
  out.conductivity = w->conductivity;
  out.viscosity = w->viscosity;
  // cp in kJ/(kg K) times viscosity in cP over conductivity in W/(m K) is dimensionless.
  out.prandtl = static_cast<float>(static_cast<double>(w->specificHeat) * w->viscosity / w->conductivity);
  return true;
}

}  // namespace vx
