#pragma once
// The plate model catalogue "Veloxa.dat": 142-byte records, record 1 a header
// holding the data-edit password, records 2, 3, ... one plate model each.
#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/file_io.h"
#include "common/host.h"

namespace vx {

inline constexpr const char* kCatalogueFile = "Veloxa.dat";
inline constexpr int kCatalogueRecordLength = 142;
inline constexpr int kModelNameWidth = 10;
inline constexpr int kPasswordOffset = 118;

enum PlateKindCode : short { kNormalPlate = 0, kAsymmetricPlate = 1, kThermalMixingPlate = 2 };

// Heat-transfer and pressure-drop correlation constants of one channel kind:
// Nu = Nu_c Re^Nu_m Pr^n, Eu = Eu_c Re^Eu_m, valid from Re_Min to Re_Max
// (Re_Max 0: no upper bound).
struct Correlation {
  float Nu_c = 0, Nu_m = 0, Eu_c = 0, Eu_m = 0, Pr_c = 0, Re_Min = 0, Re_Max = 0;
};

struct PlateModel {
  std::string ModelName;  // the full 10-character field, padding kept
  short PlateKind = 0;
  short PortIn1 = 0, PortOut1 = 0, PortIn2 = 0, PortOut2 = 0;  // mm
  short MaxPlates = 0;
  float PlateArea = 0;       // m2
  float PlateThickness = 0;  // mm
  float ChannelVolume = 0;   // m3
  float PlateWeight = 0;     // kg
  float FrameWeight = 0;     // kg
  std::array<Correlation, 3> channels{};  // channels 1, 2, 3 at 0, 1, 2
  float NarrowSection = 0;   // m2
  float NarrowDiameter = 0;  // m
  float WideSection = 0;     // m2
  float WideDiameter = 0;    // m
};

PlateModel readPlateModel(const std::string& bytes);
std::string writePlateModel(const PlateModel& m);

// A model name as the catalogue stores it: cut or padded with spaces to 10 bytes.
std::string modelNameField(const std::string& name);

// The catalogue read once from its file.
class Catalogue {
 public:
  // nullopt when the file is missing, unreadable or oversized.
  static std::optional<Catalogue> load(const std::filesystem::path& dir);

  // The listed models: records 2, 3, ... up to the end of the file or the
  // first record whose name is ten NUL bytes.
  std::span<const PlateModel> listed() const { return {all_.data(), listedCount_}; }
  // The model of that name (full 10-character comparison, case-sensitive),
  // also past a blank record that ends the list.
  std::optional<PlateModel> find(const std::string& name) const;

 private:
  // Every model in file order; the listed ones are the first listedCount_.
  std::vector<PlateModel> all_;
  size_t listedCount_ = 0;
  // The first record of each name: a search selects every model in turn.
  std::unordered_map<std::string, size_t> firstOfName_;
};

// The catalogue of a data folder kept between uses and read again only when
// the file's identity changed, so that a change saved by the model editor
// (or by another copy of the program) is seen at the next use.
class CatalogueCache {
 public:
  // The catalogue as the file now holds it; nullptr when it is missing or
  // unreadable. While held, the catalogue last taken without a look at the file.
  const Catalogue* current(const std::filesystem::path& dir);

  // Holds the catalogue for one command: its searches select every model,
  // and one look at the file serves them all.
  class Hold {
   public:
    Hold(CatalogueCache& cache, const std::filesystem::path& dir) : cache_(cache) {
      cache_.current(dir);
      cache_.held_ = true;
    }
    ~Hold() { cache_.held_ = false; }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    CatalogueCache& cache_;
  };

 private:
  std::optional<Catalogue> catalogue_;
  std::filesystem::path path_;
  std::optional<FileIdentity> identity_;
  bool held_ = false;
};

// The names of the listed models, in file order (what the model list shows).
std::vector<std::string> FillModelList(const std::filesystem::path& dir);

// One channel kind of the loaded model.
struct ChannelKind {
  std::string name;
  short plateKind = 0;
  float section = 0, diameter = 0;
  Correlation corr;
  short portIn = 0, portOut = 0;
  short maxPlates = 0;
  float plateArea = 0, plateThickness = 0, plateWeight = 0, channelVolume = 0, frameWeight = 0;
};

// Entries 1 to 3 are the channel kinds of the loaded model; entry 0 stays zero.
using ChannelKinds = std::array<ChannelKind, 4>;

// Fills the channel-kind table from a model: asymmetric plates put the wide
// channel at 2, thermal-mixing plates the mixed and soft channels at 2 and 3,
// everything else copies channel 1.
void FillChannelKinds(const PlateModel& model, ChannelKinds& kinds);

// Whether a record could describe a real plate: positive areas, thickness,
// sections, diameters, ports, plate count and constants, Re_Min < Re_Max
// (or Re_Max 0, no upper bound),
// for the channels its plate kind uses; every number finite.
bool PlateModelSound(const PlateModel& m);

// Finds `name` in the catalogue and fills the table. A name that no record
// carries, or a record that is not sound, shows 423 with "302" and leaves
// the table as it was.
std::optional<PlateModel> LoadPlateModel(const Catalogue& catalogue, const std::string& name, Host& host,
                                         ChannelKinds& kinds);

// The data-edit password held in record 1.
std::optional<float> ReadCataloguePassword(const std::filesystem::path& dir);
// Rewrites only the password of record 1; its other bytes stay as they are.
bool WriteCataloguePassword(const std::filesystem::path& dir, float password);

}  // namespace vx
