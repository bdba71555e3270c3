// Every kind of save killed at random moments: the case file, the presets,
// the catalogue, the self-built properties, the statistics, the company
// record and the Word report. The file is always the complete old or the
// complete new content (or, for a new report, absent or complete).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <vector>

#include "app/case_file.h"
#include "common/file_io.h"
#include "exchanger/catalogue.h"
#include "properties/self_data.h"
#include "reports/docx_document.h"
#include "reports/statistics.h"
#include "settings/catalogue_edit.h"
#include "settings/company_record.h"
#include "common/preset_file.h"
#include "support/designed_case.h"

namespace vx {
namespace {

std::optional<std::string> contents(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return std::nullopt;
  return readFileBytes(file);
}

void put(const std::filesystem::path& file, const std::optional<std::string>& bytes) {
  std::error_code ec;
  if (bytes) {
    ASSERT_TRUE(writeFileAtomic(file, *bytes));
  } else {
    std::filesystem::remove(file, ec);
  }
}

// What a file holds, as the test compares it: its bytes, or nothing when absent.
using Reader = std::function<std::optional<std::string>(const std::filesystem::path&)>;

// A Word document compared by its table, not its bytes: the zip container
// stamps each entry with the time of writing.
std::optional<std::string> docxTable(const std::filesystem::path& file) {
  if (!contents(file)) return std::nullopt;
  std::vector<std::vector<std::string>> table;
  std::string error;
  if (!ReadDocxTable(file, table, error)) return "unreadable: " + error;
  std::string text;
  for (const auto& row : table) {
    for (const auto& cell : row) text += cell + '\t';
    text += '\n';
  }
  return text;
}

// Runs `save` in a child process, killed after `killAfter` microseconds (or
// left to finish), and returns what the file holds afterwards.
std::optional<std::string> runSave(const std::function<void()>& save, const std::filesystem::path& file,
                                   std::optional<useconds_t> killAfter, const Reader& read = contents) {
  const pid_t child = fork();
  if (child == 0) {
    save();
    _exit(0);
  }
  if (killAfter) {
    usleep(*killAfter);
    kill(child, SIGKILL);
  }
  waitpid(child, nullptr, 0);
  return read(file);
}

// How long an unkilled save takes on this machine, now: the median of a few
// runs, so the kill moments span the save on a busy machine as on an idle one.
useconds_t measuredSaveTime(const std::function<void()>& save, const std::filesystem::path& file,
                            const std::optional<std::string>& before) {
  std::vector<long long> times;
  for (int run = 0; run < 5; ++run) {
    put(file, before);
    const auto start = std::chrono::steady_clock::now();
    runSave(save, file, std::nullopt);
    times.push_back(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return static_cast<useconds_t>(std::max(100LL, times[times.size() / 2]));
}

// Kills `save` many times at moments spread over its measured duration (and a
// little past it) and checks the file each time. Where the kills fell depends
// on the machine's load, so only the files are asserted; the outcomes are
// printed to show that both occurred.
void killDuring(const std::string& kind, const std::filesystem::path& file, const std::function<void()>& save,
                const Reader& read = contents) {
  SCOPED_TRACE(kind);
  const std::optional<std::string> original = contents(file);
  const std::optional<std::string> before = read(file);
  const std::optional<std::string> after = runSave(save, file, std::nullopt, read);
  ASSERT_TRUE(after) << "the save wrote nothing";
  ASSERT_NE(before, after) << "the save changed nothing";
  const useconds_t saveTime = measuredSaveTime(save, file, original);
  std::mt19937 random(7139);
  std::uniform_int_distribution<useconds_t> moment(0, saveTime + saveTime / 4);
  int sawNew = 0;
  constexpr int kRuns = 150;
  for (int run = 0; run < kRuns; ++run) {
    put(file, original);
    const auto now = runSave(save, file, moment(random), read);
    ASSERT_TRUE(now == before || now == after)
        << "run " << run << ": " << (now ? std::to_string(now->size()) + " bytes" : "no file");
    sawNew += now == after ? 1 : 0;
    RemoveStaleTemporaries(file.parent_path());
  }
  std::cout << kind << ": a save takes " << saveTime << " us; " << kRuns - sawNew << " kills left the old file, "
            << sawNew << " the new one\n";
}

TEST(KilledSaves, EveryKindLeavesTheOldOrTheNewFile) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  const std::filesystem::path dir = c.data.dir();

  const auto pda = dir / "case.pda";
  ASSERT_TRUE(writeFileAtomic(pda, "an older case\r\n"));
  c.host.addAnswer(pda.string());
  killDuring("case file", pda, [&] { c.session.files().save(1); });

  auto preset = ReadPresetFile(dir);
  ASSERT_TRUE(preset);
  preset->Margin = "15";
  killDuring("presets", dir / "Preset.dat", [&] { WritePresetFile(dir, *preset); });

  auto catalogue = Catalogue::load(dir);
  ASSERT_TRUE(catalogue);
  ASSERT_GT(catalogue->listed().size(), 3u);
  PlateModel model = catalogue->listed()[3];
  model.MaxPlates = static_cast<short>(model.MaxPlates + 2);
  killDuring("catalogue", dir / kCatalogueFile, [&] { SaveModelRecord(dir, model); });

  SelfDataColumns values;
  values.Temperature = {20, 40, 60};
  values.Density = {1000, 990, 980};
  values.SpecificHeat = {4.2f, 4.2f, 4.2f};
  values.Conductivity = {0.6f, 0.62f, 0.64f};
  values.Viscosity = {1.0f, 0.65f, 0.47f};
  killDuring("self-built properties", dataPath(dir, kSelfDataFile),
             [&] { SaveSelfData(dir, c.host, "测试介质", values, ""); });

  killDuring("statistics", dir / kStatisticsFile, [&] { AppendStatistics(c.session.context()); });

  killDuring("company", dataPath(dir, kCompanyFile),
             [&] { WriteCompanyRecord(dir, {"某某换热设备公司", "某市某路1号", "010-1234567", "", "100000"}); });

  const auto report = dir / "Doc9.docx";
  DocxFill fill;
  fill.cells.push_back({1, 1, DocxCell::Mode::Replace, "被杀死的导出"});
  killDuring("Word report", report, [&] {
    std::string error;
    FillDocx(dataPath(dir, "Veloxa.sav"), report, fill, error);
  }, docxTable);
}

}  // namespace
}  // namespace vx
