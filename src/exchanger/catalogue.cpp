#include "exchanger/catalogue.h"

#include <cmath>

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/gbk.h"
#include "common/record_file.h"

namespace vx {

static Correlation readCorrelation(RecordReader& r) {
  Correlation c;
  c.Nu_c = r.single();
  c.Nu_m = r.single();
  c.Eu_c = r.single();
  c.Eu_m = r.single();
  c.Pr_c = r.single();
  c.Re_Min = r.single();
  c.Re_Max = r.single();
  return c;
}

static void writeCorrelation(RecordWriter& w, const Correlation& c) {
  for (float v : {c.Nu_c, c.Nu_m, c.Eu_c, c.Eu_m, c.Pr_c, c.Re_Min, c.Re_Max}) w.single(v);
}

PlateModel readPlateModel(const std::string& bytes) {
  RecordReader r(bytes);
  PlateModel m;
  m.ModelName = r.text(kModelNameWidth);
  m.PlateKind = r.int16();
  m.PortIn1 = r.int16();
  m.PortOut1 = r.int16();
  m.PortIn2 = r.int16();
  m.PortOut2 = r.int16();
  m.MaxPlates = r.int16();
  m.PlateArea = r.single();
  m.PlateThickness = r.single();
  m.ChannelVolume = r.single();
  m.PlateWeight = r.single();
  m.FrameWeight = r.single();
  for (auto& c : m.channels) c = readCorrelation(r);
  m.NarrowSection = r.single();
  m.NarrowDiameter = r.single();
  m.WideSection = r.single();
  m.WideDiameter = r.single();
  return m;
}

std::string writePlateModel(const PlateModel& m) {
  RecordWriter w(kCatalogueRecordLength);
  w.text(m.ModelName, kModelNameWidth);
  for (short v : {m.PlateKind, m.PortIn1, m.PortOut1, m.PortIn2, m.PortOut2, m.MaxPlates}) w.int16(v);
  for (float v : {m.PlateArea, m.PlateThickness, m.ChannelVolume, m.PlateWeight, m.FrameWeight}) w.single(v);
  for (const auto& c : m.channels) writeCorrelation(w, c);
  for (float v : {m.NarrowSection, m.NarrowDiameter, m.WideSection, m.WideDiameter}) w.single(v);
  return w.bytes();
}

std::string modelNameField(const std::string& name) { return FixedText(name, kModelNameWidth); }

static bool blankName(const std::string& record) {
  for (int i = 0; i < kModelNameWidth; ++i)
    if (record[static_cast<size_t>(i)] != '\0') return false;
  return true;
}

std::optional<Catalogue> Catalogue::load(const std::filesystem::path& dir) {
  auto path = findFileNoCase(dir, kCatalogueFile);
  if (!path) return std::nullopt;
  RecordFile file(*path, kCatalogueRecordLength);
  if (!file.load()) return std::nullopt;
  Catalogue c;
  bool listing = true;
  // A trailing partial record reads as a record padded with zeros.
  int records = static_cast<int>((file.size() + kCatalogueRecordLength - 1) / kCatalogueRecordLength);
  for (int n = 2; n <= records; ++n) {
    std::string bytes = file.record(n);
    if (blankName(bytes)) {
      listing = false;
      continue;
    }
    c.all_.push_back(readPlateModel(bytes));
    c.firstOfName_.try_emplace(c.all_.back().ModelName, c.all_.size() - 1);
    if (listing) c.listedCount_ = c.all_.size();
  }
  return c;
}

std::optional<PlateModel> Catalogue::find(const std::string& name) const {
  auto it = firstOfName_.find(name);
  if (it == firstOfName_.end()) return std::nullopt;
  return all_[it->second];
}

const Catalogue* CatalogueCache::current(const std::filesystem::path& dir) {
  if (held_) return catalogue_ ? &*catalogue_ : nullptr;
  auto path = findFileNoCase(dir, kCatalogueFile);
  auto identity = path ? fileIdentity(*path) : std::nullopt;
  if (!identity) {
    catalogue_.reset();
    identity_.reset();
    return nullptr;
  }
  if (!catalogue_ || identity != identity_ || *path != path_) {
    // Taken before the read: a change made during it is seen next time.
    identity_ = identity;
    path_ = *path;
    catalogue_ = Catalogue::load(dir);
  }
  return catalogue_ ? &*catalogue_ : nullptr;
}

std::vector<std::string> FillModelList(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  if (auto c = Catalogue::load(dir))
    for (const auto& m : c->listed()) names.push_back(m.ModelName);
  return names;
}

void FillChannelKinds(const PlateModel& m, ChannelKinds& kinds) {
  ChannelKind base;
  base.name = m.ModelName;
  base.plateKind = m.PlateKind;
  base.section = m.NarrowSection;
  base.diameter = m.NarrowDiameter;
  base.corr = m.channels[0];
  base.portIn = m.PortIn1;
  base.portOut = m.PortOut1;
  base.maxPlates = m.MaxPlates;
  base.plateArea = m.PlateArea;
  base.plateThickness = m.PlateThickness;
  base.plateWeight = m.PlateWeight;
  base.channelVolume = m.ChannelVolume;
  base.frameWeight = m.FrameWeight;
  kinds[1] = kinds[2] = kinds[3] = base;
  if (m.PlateKind == kAsymmetricPlate) {
    kinds[2].section = m.WideSection;
    kinds[2].diameter = m.WideDiameter;
    kinds[2].corr = m.channels[1];
    kinds[2].portIn = m.PortIn2;
    kinds[2].portOut = m.PortOut2;
  } else if (m.PlateKind == kThermalMixingPlate) {
    kinds[2].corr = m.channels[1];
    kinds[3].corr = m.channels[2];
  }
}

namespace {

bool positive(float x) { return std::isfinite(x) && x > 0; }

bool correlationSound(const Correlation& c) {
  for (float x : {c.Nu_m, c.Eu_m, c.Pr_c})
    if (!std::isfinite(x)) return false;
  // Re_Max 0 leaves the range open upwards.
  return positive(c.Nu_c) && positive(c.Eu_c) && std::isfinite(c.Re_Min) && std::isfinite(c.Re_Max) &&
         (c.Re_Max == 0 || c.Re_Min < c.Re_Max);
}

}  // namespace

bool PlateModelSound(const PlateModel& m) {
  if (!positive(m.PlateArea) || !positive(m.PlateThickness) || !positive(m.NarrowSection) ||
      !positive(m.NarrowDiameter) || m.PortIn1 <= 0 || m.PortOut1 <= 0 || m.MaxPlates <= 0)
    return false;
  if (!correlationSound(m.channels[0])) return false;
  if (m.PlateKind == kAsymmetricPlate)
    return correlationSound(m.channels[1]) && positive(m.WideSection) && positive(m.WideDiameter) &&
           m.PortIn2 > 0 && m.PortOut2 > 0;
  if (m.PlateKind == kThermalMixingPlate) return correlationSound(m.channels[1]) && correlationSound(m.channels[2]);
  return true;
}

std::optional<PlateModel> LoadPlateModel(const Catalogue& catalogue, const std::string& name, Host& host,
                                         ChannelKinds& kinds) {
  auto m = catalogue.find(name);
  // A record that no exchanger could have is as good as none: no design
  // may come from it.
  if (!m || !PlateModelSound(*m)) {
    ShowMessage(host, 423, {"|1", "302"});
    return std::nullopt;
  }
  FillChannelKinds(*m, kinds);
  return m;
}

std::optional<float> ReadCataloguePassword(const std::filesystem::path& dir) {
  auto path = findFileNoCase(dir, kCatalogueFile);
  if (!path) return std::nullopt;
  RecordFile file(*path, kCatalogueRecordLength);
  if (!file.load()) return std::nullopt;
  RecordReader r = file.reader(1);
  r.seek(kPasswordOffset);
  return r.single();
}

bool WriteCataloguePassword(const std::filesystem::path& dir, float password) {
  DataFolderLock lock(dir);
  RecordFile file(dataPath(dir, kCatalogueFile), kCatalogueRecordLength);
  if (!file.load()) return false;
  RecordWriter w(file.record(1));
  w.seek(kPasswordOffset);
  w.single(password);
  file.setRecord(1, w.bytes());
  return file.save();
}

}  // namespace vx
