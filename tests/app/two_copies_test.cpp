// Two copies of the program on one data folder, each changing the shared
// files as fast as it can: every record, model, medium and option entry that
// either copy saved is there afterwards.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>

#include "app/script_host.h"
#include "app/session.h"
#include "common/file_io.h"
#include "common/record_file.h"
#include "exchanger/catalogue.h"
#include "properties/self_data.h"
#include "reports/install.h"
#include "reports/statistics.h"
#include "settings/catalogue_edit.h"
#include "settings/company_record.h"
#include "settings/settings_window.h"
#include "support/temp_data.h"
#include "support/water_like_medium.h"

namespace vx {
namespace {

constexpr int kChanges = 20;  // per copy and kind

// A second running program: its own host and session on the shared folder.
struct Copy {
  explicit Copy(const std::filesystem::path& dir) : session(host, dir) {
    InstallReports(session);
    started = session.start();
  }
  ScriptHost host;
  Session session;
  bool started = false;
};

// Runs `work(copy number)` in two processes at once; true when both
// finished and reported success.
bool inTwoCopies(const std::function<bool(int)>& work) {
  pid_t children[2];
  for (int copy = 0; copy < 2; ++copy) {
    children[copy] = fork();
    if (children[copy] == 0) _exit(work(copy) ? 0 : 1);
  }
  bool ok = true;
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return ok;
}

std::string nameOf(int copy, int i) { return std::string(copy ? "乙" : "甲") + std::to_string(i); }

TEST(TwoCopies, StatisticsAppendsAllArrive) {
  test::TempData data;
  const auto dir = data.dir();
  std::filesystem::remove(dir / kStatisticsFile);
  ASSERT_TRUE(inTwoCopies([&](int) {
    Copy c(dir);
    bool ok = c.started;
    for (int i = 0; i < kChanges; ++i) ok = AppendStatistics(c.session.context()) && ok;
    return ok;
  }));
  auto records = ReadStatistics(dir);
  ASSERT_TRUE(records);
  EXPECT_EQ(records->size(), 2u * kChanges);
}

TEST(TwoCopies, CatalogueModelsAndThePasswordAreAllKept) {
  test::TempData data;
  const auto dir = data.dir();
  auto before = Catalogue::load(dir);
  ASSERT_TRUE(before);
  const PlateModel pattern = before->listed()[0];
  const size_t listed = before->listed().size();
  // Each copy saves its models and deletes every second one again; copy 1
  // also changes the password between its saves.
  ASSERT_TRUE(inTwoCopies([&](int copy) {
    bool ok = true;
    for (int i = 0; i < kChanges; ++i) {
      PlateModel m = pattern;
      m.ModelName = modelNameField((copy ? "VXB" : "VXA") + std::to_string(i));
      const CatalogueEdit saved = SaveModelRecord(dir, m);
      const CatalogueEdit deleted = i % 2 ? DeleteModelRecord(dir, m.ModelName) : CatalogueEdit::Done;
      const CatalogueEdit stored = copy ? StorePassword(dir, static_cast<float>(100 + i)) : CatalogueEdit::Done;
      if (saved != CatalogueEdit::Done || deleted != CatalogueEdit::Done || stored != CatalogueEdit::Done) {
        std::fprintf(stderr, "copy %d change %d: %d %d %d\n", copy, i, static_cast<int>(saved),
                     static_cast<int>(deleted), static_cast<int>(stored));
        ok = false;
      }
    }
    return ok;
  }));
  auto after = Catalogue::load(dir);
  ASSERT_TRUE(after);
  std::set<std::string> names;
  for (const PlateModel& m : after->listed()) names.insert(m.ModelName);
  EXPECT_EQ(after->listed().size(), listed + kChanges);
  for (int copy = 0; copy < 2; ++copy)
    for (int i = 0; i < kChanges; ++i)
      EXPECT_EQ(names.count(modelNameField((copy ? "VXB" : "VXA") + std::to_string(i))), i % 2 ? 0u : 1u)
          << copy << " " << i;
  EXPECT_EQ(CataloguePassword(dir), static_cast<float>(100 + kChanges - 1));
}

TEST(TwoCopies, SelfBuiltMediaAndTheCompanyRecordAreAllKept) {
  test::TempData data;
  const auto dir = data.dir();
  std::filesystem::remove(dataPath(dir, kSelfDataFile));
  const SelfDataColumns values = test::WaterLikeColumns();
  const CompanyRecord company[2] = {{"甲公司", "甲路1号", "010-1", "", "100000"},
                                    {"乙公司", "乙路2号", "020-2", "", "200000"}};
  ASSERT_TRUE(inTwoCopies([&](int copy) {
    ScriptHost host;
    bool ok = true;
    for (int i = 0; i < kChanges; ++i) {
      ok = SaveSelfData(dir, host, nameOf(copy, i), values, "") && ok;
      ok = WriteCompanyRecord(dir, company[copy]) && ok;
      if (i % 2) {
        // Deleted by the number the list showed a moment ago: the other
        // copy may have moved it since.
        int shown = 0;
        for (const SelfDataEntry& e : ListSelfData(dir))
          if (e.Name == nameOf(copy, i)) shown = e.Record;
        ok = shown && DeleteSelfData(dir, shown, nameOf(copy, i)) && ok;
      }
    }
    return ok && host.messages().empty();
  }));
  std::multiset<std::string> names;
  for (const SelfDataEntry& e : ListSelfData(dir)) names.insert(e.Name);
  EXPECT_EQ(names.size(), static_cast<size_t>(kChanges));
  for (int copy = 0; copy < 2; ++copy)
    for (int i = 0; i < kChanges; ++i) EXPECT_EQ(names.count(nameOf(copy, i)), i % 2 ? 0u : 1u) << nameOf(copy, i);
  auto stored = ReadCompanyRecord(dir);
  ASSERT_TRUE(stored);
  EXPECT_TRUE(trimField(stored->CompanyName) == "甲公司" || trimField(stored->CompanyName) == "乙公司");
}

// Each copy keeps its settings window open and adds its own entries to an
// option list, and changes its own preset line; when the other copy saved in
// between, it reads the file again (answer "否") and makes its change anew.
TEST(TwoCopies, SettingsWindowEditsAreAllKept) {
  test::TempData data;
  const auto dir = data.dir();
  ASSERT_TRUE(inTwoCopies([&](int copy) {
    Copy c(dir);
    if (!c.started) return false;
    Click(c.session.main().controls(), c.session.main().menuItem("MnuPreSet"));
    auto* w = c.session.existingAs<SettingsWindow>(SettingsWindow::kName);
    if (!w) return false;
    const int table = copy ? 5 : 4;  // nozzle materials, frame materials
    for (int i = 0; i < kChanges; ++i) {
      for (int attempt = 0;; ++attempt) {
        if (attempt > 200) return false;
        Control& grid = *w->MSFlexGrid1[static_cast<size_t>(table)];
        grid.cellClicked(1, 0);
        w->insertRow();
        grid.grid.cell(1, 0) = nameOf(copy, i);
        c.host.addAnswer("no");
        w->saveOptions();
        if (c.host.messages().back().id == 439) break;
        if (c.host.messages().back().id != 580) return false;
      }
      for (int attempt = 0;; ++attempt) {
        if (attempt > 200) return false;
        Assign(*w->Text1[static_cast<size_t>(12 + copy)], std::to_string(i + 1));
        c.host.addAnswer("no");
        w->savePresets();
        if (c.host.messages().back().id == 443) break;
        if (c.host.messages().back().id != 580) return false;
      }
    }
    return true;
  }));
  auto lists = ReadOptionLists(dir);
  ASSERT_TRUE(lists);
  for (int copy = 0; copy < 2; ++copy) {
    const auto& list = copy ? lists->NozzleMaterials : lists->FrameMaterials;
    for (int i = 0; i < kChanges; ++i)
      EXPECT_EQ(std::count(list.begin(), list.end(), nameOf(copy, i)), 1) << nameOf(copy, i);
  }
  auto presets = ReadPresetFile(dir);
  ASSERT_TRUE(presets);
  EXPECT_EQ(presets->AllowedPressureDropA, std::to_string(kChanges));
  EXPECT_EQ(presets->AllowedPressureDropB, std::to_string(kChanges));
}

}  // namespace
}  // namespace vx
