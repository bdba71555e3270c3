// veloxa-datagen SRC OUT: builds the installation data folder OUT from the
// readable sources in SRC, with the engine's own file code.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/help_compose.h"
#include "app/validation.h"
#include "common/file_io.h"
#include "common/numeric_csv.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "exchanger/catalogue.h"
#include "properties/fluid_build.h"
#include "properties/water_steam.h"
#include "reports/docx_document.h"
#include "settings/settings_build.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const std::string& what) {
  std::cerr << "veloxa-datagen: " << what << "\n";
  std::exit(1);
}

// Res.Dat: the readable UTF-8 list becomes GBK with CR LF line ends.
void makeResDat(const fs::path& src, const fs::path& out) {
  auto bytes = vx::readFileBytes(src / "Res.txt");
  if (!bytes) fail((src / "Res.txt").string() + " is missing");
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes->size()) {
    size_t end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    std::string line = bytes->substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  if (!vx::writeTextLines(out / "Res.Dat", lines)) fail("cannot write Res.Dat");
}

// Keys must ascend, or the lookups would stop at the first step down.
void requireAscending(const fs::path& file, const std::vector<std::vector<double>>& rows, size_t keyColumn) {
  for (size_t i = 1; i < rows.size(); ++i)
    if (!(rows[i][keyColumn] > rows[i - 1][keyColumn]))
      fail(file.string() + ": row " + std::to_string(i + 1) + ": keys out of ascending order");
  if (rows.size() < 2) fail(file.string() + ": at least two rows are needed");
}

// PROPER.DAT from water.csv: temperature, density, cp, conductivity, viscosity, Prandtl.
void makeWaterTable(const fs::path& src, const fs::path& out) {
  std::string error;
  auto rows = vx::readNumericCsv(src / "water.csv", 6, error);
  if (!rows) fail(error);
  requireAscending(src / "water.csv", *rows, 0);
  vx::RecordFile file(out / vx::kWaterFile, vx::kWaterRecordLength);
  int n = 1;
  for (const auto& r : *rows) {
    vx::WaterRecord w{static_cast<float>(r[0]), static_cast<float>(r[1]), static_cast<float>(r[2]),
                      static_cast<float>(r[3]), static_cast<float>(r[4]), static_cast<float>(r[5])};
    file.setRecord(n++, vx::writeWaterRecord(w));
  }
  if (!file.save()) fail("cannot write PROPER.DAT");
}

// Steam.dat from steam.csv: saturation temperature, absolute pressure, vapour density, latent heat.
void makeSteamTable(const fs::path& src, const fs::path& out) {
  std::string error;
  auto rows = vx::readNumericCsv(src / "steam.csv", 4, error);
  if (!rows) fail(error);
  requireAscending(src / "steam.csv", *rows, 1);
  vx::RecordFile file(out / vx::kSteamFile, vx::kSteamRecordLength);
  int n = 1;
  for (const auto& r : *rows) {
    vx::SteamRecord s{static_cast<float>(r[0]), static_cast<float>(r[1]), static_cast<float>(r[2]),
                      static_cast<float>(r[3])};
    file.setRecord(n++, vx::writeSteamRecord(s));
  }
  if (!file.save()) fail("cannot write Steam.dat");
}

// Veloxa.dat from catalogue.csv, one model a row; record 1 carries the
// default data-edit password.
void makeCatalogue(const fs::path& src, const fs::path& out) {
  const fs::path csv = src / "catalogue.csv";
  std::string error;
  auto table = vx::readCsv(csv, error);
  if (!table) fail(error);
  constexpr size_t kColumns = 37;
  vx::RecordFile file(out / vx::kCatalogueFile, vx::kCatalogueRecordLength);
  vx::RecordWriter header(vx::kCatalogueRecordLength);
  header.seek(vx::kPasswordOffset);
  header.single(7139.0f);
  file.setRecord(1, header.bytes());
  int n = 2;
  for (size_t r = 0; r < table->rows.size(); ++r) {
    const auto& items = table->rows[r];
    std::string where = csv.string() + ":" + std::to_string(table->lines[r]) + ": ";
    if (items.size() != kColumns) fail(where + "expected 37 items, found " + std::to_string(items.size()));
    if (items[0].empty() || items[0].size() > vx::kModelNameWidth) fail(where + "model name must have 1 to 10 characters");
    std::vector<double> v(kColumns, 0);
    for (size_t c = 1; c < kColumns; ++c)
      if (!vx::parseNumber(items[c], v[c])) fail(where + "item " + std::to_string(c + 1) + " is not a number");
    vx::PlateModel m;
    m.ModelName = items[0];
    auto i16 = [&](size_t c) { return static_cast<short>(v[c]); };
    auto f32 = [&](size_t c) { return static_cast<float>(v[c]); };
    m.PlateKind = i16(1);
    m.PortIn1 = i16(2);
    m.PortOut1 = i16(3);
    m.PortIn2 = i16(4);
    m.PortOut2 = i16(5);
    m.MaxPlates = i16(6);
    m.PlateArea = f32(7);
    m.PlateThickness = f32(8);
    m.ChannelVolume = f32(9);
    m.PlateWeight = f32(10);
    m.FrameWeight = f32(11);
    for (size_t k = 0; k < 3; ++k) {
      size_t b = 12 + 7 * k;
      m.channels[k] = {f32(b), f32(b + 1), f32(b + 2), f32(b + 3), f32(b + 4), f32(b + 5), f32(b + 6)};
    }
    m.NarrowSection = f32(33);
    m.NarrowDiameter = f32(34);
    m.WideSection = f32(35);
    m.WideDiameter = f32(36);
    if (m.PlateKind < 0 || m.PlateKind > 2) fail(where + "plate kind must be 0, 1 or 2");
    file.setRecord(n++, vx::writePlateModel(m));
  }
  if (!file.save()) fail("cannot write Veloxa.dat");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) fail("usage: veloxa-datagen SRC OUT");
  fs::path src = argv[1], out = argv[2];
  std::error_code ec;
  fs::create_directories(out, ec);
  if (ec) fail("cannot create " + out.string());

  makeResDat(src, out);
  std::string error;
  makeCatalogue(src, out);
  makeWaterTable(src, out);
  makeSteamTable(src, out);
  if (!vx::BuildSettingsFiles(src, out, error)) fail(error);
  if (!vx::BuildFluidFiles(src, out, error)) fail(error);
  if (!vx::BuildReportTemplate(src / "report" / "Veloxa.txt", out / "Veloxa.sav", error)) fail(error);
  // The guide's validation table runs the program's own code on the data
  // just written.
  const auto help = vx::ComposeHelpPage(src / "help", error, vx::ValidationTableHtml(out));
  if (!help) fail(error);
  if (!vx::writeFileAtomic(out / "veloxa.htm", *help)) fail("cannot write " + (out / "veloxa.htm").string());
  return 0;
}
