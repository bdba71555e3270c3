// Every kind of save killed at random moments: the case file, the presets,
// the catalogue, the self-built properties, the statistics, the company
// record and the Word report. The file is always the complete old or the
// complete new content (or, for a new report, absent or complete).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/case_file.h"
#include "common/file_io.h"
#include "common/preset_file.h"
#include "exchanger/catalogue.h"
#include "properties/self_data.h"
#include "reports/docx_document.h"
#include "reports/statistics.h"
#include "settings/catalogue_edit.h"
#include "settings/company_record.h"
#include "support/designed_case.h"
#include "support/killed_save.h"
#include "support/water_like_medium.h"

namespace vx {
namespace {

// A Word document compared by its table, not its bytes: the zip container
// stamps each entry with the time of writing.
std::optional<std::string> docxTable(const std::filesystem::path &file) {
  if (!test::fileBytes(file)) return std::nullopt;
  std::vector<std::vector<std::string>> table;
  std::string error;
  if (!ReadDocxTable(file, table, error)) return "unreadable: " + error;
  std::string text;
  for (const auto &row : table) {
    for (const auto &cell : row) text += cell + '\t';
    text += '\n';
  }
  return text;
}

TEST(KilledSaves, EveryKindLeavesTheOldOrTheNewFile) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  const std::filesystem::path dir = c.data.dir();

  const auto pda = dir / "case.pda";
  ASSERT_TRUE(writeFileAtomic(pda, "an older case\r\n"));
  c.host.addAnswer(pda.string());
  test::killDuring("case file", pda, [&] { c.session.files().save(1); });

  auto preset = ReadPresetFile(dir);
  ASSERT_TRUE(preset);
  preset->Margin = "15";
  test::killDuring("presets", dir / "Preset.dat", [&] { WritePresetFile(dir, *preset); });

  auto catalogue = Catalogue::load(dir);
  ASSERT_TRUE(catalogue);
  ASSERT_GT(catalogue->listed().size(), 3u);
  PlateModel model = catalogue->listed()[3];
  model.MaxPlates = static_cast<short>(model.MaxPlates + 2);
  test::killDuring("catalogue", dir / kCatalogueFile, [&] { SaveModelRecord(dir, model); });

  const SelfDataColumns values = test::WaterLikeColumns();
  test::killDuring("self-built properties", dataPath(dir, kSelfDataFile),
                   [&] { SaveSelfData(dir, c.host, "测试介质", values, ""); });

  test::killDuring("statistics", dir / kStatisticsFile, [&] { AppendStatistics(c.session.context()); });

  test::killDuring("company", dataPath(dir, kCompanyFile), [&] {
    WriteCompanyRecord(dir, {"某某换热设备公司", "某市某路1号", "010-1234567", "", "100000"});
  });

  const auto report = dir / "Doc9.docx";
  DocxFill fill;
  fill.cells.push_back({1, 1, DocxCell::Mode::Replace, "被杀死的导出"});
  test::killDuring(
      "Word report", report,
      [&] {
        std::string error;
        FillDocx(dataPath(dir, "Veloxa.sav"), report, fill, error);
      },
      docxTable);
}

}  // namespace
}  // namespace vx
