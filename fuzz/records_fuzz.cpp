// The record files: the plate catalogue, the water and steam tables, the
// fluid databases and the company record, read and looked up. The first byte
// picks the file; the rest is its content. No look-up may hand on a number
// that is not finite.
#include <cmath>

#include "app/script_host.h"
#include "exchanger/catalogue.h"
#include "fuzz_support.h"
#include "properties/fluid_records.h"
#include "properties/property_calc.h"
#include "properties/property_files.h"
#include "properties/water_steam.h"
#include "settings/company_record.h"

namespace {

void expectFinite(float x, const char* what) {
  if (!std::isfinite(x)) vx::fuzz::Finding(what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  if (size < 1) return 0;
  const std::filesystem::path& dir = fuzz::DataFolder();
  const uint8_t kind = data[0] % 6;
  ++data;
  --size;
  ScriptHost host;
  switch (kind) {
    case 0: {
      fuzz::WriteFile("Veloxa.dat", data, size);
      FillModelList(dir);
      ReadCataloguePassword(dir);
      if (auto catalogue = Catalogue::load(dir)) {
        ChannelKinds kinds{};
        for (const PlateModel& m : catalogue->listed()) LoadPlateModel(*catalogue, m.ModelName, host, kinds);
      }
      break;
    }
    case 1:
      fuzz::WriteFile("PROPER.DAT", data, size);
      for (float t : {-5.f, 0.f, 20.f, 99.5f, 350.f, NAN}) {
        if (auto w = WaterTable(dir, t, true)) {
          expectFinite(w->density, "water density");
          expectFinite(w->viscosity, "water viscosity");
        }
      }
      break;
    case 2:
      fuzz::WriteFile("Steam.dat", data, size);
      for (float p : {0.f, 0.3f, 1.5f, 20.f, NAN}) {
        if (auto s = SteamTable(dir, p)) expectFinite(s->saturationTemperature, "steam temperature");
      }
      break;
    case 3:
      fuzz::WriteFile(kSelfDataFile, data, size);
      for (const SelfDataEntry& e : ListSelfData(dir)) (void)e;
      for (int n = 1; n <= 3; ++n)
        if (auto r = ReadSelfData(dir, n)) SelfDataAtTemperature(*r, 20, 40, 60, 50);
      break;
    case 4:
      fuzz::WriteFile(kCommonFluidFile, data, size);
      ListCommonFluids(dir);
      for (int n = 1; n <= 3; ++n) ReadCommonFluid(dir, n);
      break;
    case 5:
      fuzz::WriteFile(kCompanyFile, data, size);
      ReadCompanyRecord(dir);
      CompanyText(dir, 0);
      CompanyText(dir, 1);
      break;
  }
  return 0;
}
