// The design window reads the catalogue when it changed, not for every model
// it selects: on a large catalogue the automatic design would otherwise read
// the file once per model.
#include <gtest/gtest.h>

#include <fstream>

#include "common/file_io.h"
#include "conditions/condition.h"
#include "exchanger/design_window.h"
#include "exchanger/rating.h"
#include "settings/catalogue_edit.h"
#include "support/grown_catalogue.h"
#include "support/started_session.h"

namespace vx {
namespace {

constexpr int kModels = 500;

struct LargeCatalogue : ::testing::Test {
  LargeCatalogue() {
    test::GrowCatalogue(data.dir(), kModels);
    session.start();
    auto* cond = session.existingAs<Condition>(Condition::kName);
    Click(cond->controls(), *cond->balanceButton);
    Click(cond->controls(), *cond->Command5);
    d = session.existingAs<DesignWindow>(DesignWindow::kName);
  }
  // The model of the best candidate, as its record stands in the file.
  PlateModel bestModel() {
    const auto name = d->cbotype->items[static_cast<size_t>(d->candidates[1].modelIndex)];
    return *Catalogue::load(data.dir())->find(name);
  }
  test::TempData data;
  ScriptHost host;
  Session session{host, data.dir()};
  DesignWindow* d = nullptr;
};

}  // namespace

TEST_F(LargeCatalogue, OneAutomaticDesignAndOneCheckReadTheFilesAtMostOnce) {
  ASSERT_EQ(d->cbotype->items.size(), static_cast<size_t>(kModels));
  auto reads = FileReadsDone();
  ASSERT_TRUE(d->RunAutoDesign());
  EXPECT_LE(FileReadsDone() - reads, 1u);
  reads = FileReadsDone();
  ASSERT_TRUE(d->RunCheck());
  EXPECT_LE(FileReadsDone() - reads, 1u);
  // Every model was selected by the search: the file was read at most once for all of them.
  reads = FileReadsDone();
  ASSERT_TRUE(d->RunAutoDesign());
  EXPECT_LE(FileReadsDone() - reads, 1u);
}

// A model the editor saves reaches the next automatic design at once.
TEST_F(LargeCatalogue, AModelSavedBetweenTwoDesignsIsUsedByTheSecond) {
  ASSERT_TRUE(d->RunAutoDesign());
  const Candidate first = d->candidates[1];
  PlateModel best = bestModel();
  best.MaxPlates = 3;  // no longer room for the pack found
  ASSERT_EQ(SaveModelRecord(data.dir(), best), CatalogueEdit::Done);
  ASSERT_TRUE(d->RunAutoDesign());
  EXPECT_NE(d->candidates[1].modelIndex, first.modelIndex);
  EXPECT_EQ(d->model->ModelName, d->cbotype->items[static_cast<size_t>(d->candidates[1].modelIndex)]);
}

// Another copy of the program replaces the file (a new file renamed over the
// old one): the next selection sees the new record.
TEST_F(LargeCatalogue, AFileReplacedByAnotherProgramIsReadAgain) {
  Pick(*d->cbotype, 0);
  PlateModel m = *d->model;
  m.PlateArea *= 2;
  RecordFile file(data.file(kCatalogueFile), kCatalogueRecordLength);
  ASSERT_TRUE(file.load());
  file.setRecord(2, writePlateModel(m));
  const auto copy = data.file("elsewhere.tmp");
  {
    std::ofstream out(copy, std::ios::binary);
    for (int n = 1; n <= file.count(); ++n) out << file.record(n);
  }
  std::filesystem::rename(copy, data.file(kCatalogueFile));
  Pick(*d->cbotype, 1);
  Pick(*d->cbotype, 0);
  EXPECT_FLOAT_EQ(d->channelKinds[1].plateArea, m.PlateArea);
}

// The two-kind split search skips the channel totals whose drop floor is
// above an allowed drop: over the shipped catalogue the automatic design of
// the default duty rates 1,424 channel groups, where rating every pair would
// take 3,863. A count, not a clock, guards it.
TEST(DesignWork, TheAutomaticDesignSkipsHopelessSplits) {
  test::TempData data;
  ScriptHost host;
  Session session{host, data.dir()};
  session.start();
  auto* cond = session.existingAs<Condition>(Condition::kName);
  Click(cond->controls(), *cond->balanceButton);
  Click(cond->controls(), *cond->Command5);
  auto* d = session.existingAs<DesignWindow>(DesignWindow::kName);
  d->Check1->checked = true;  // the two-kind items as well
  const auto before = SlotRatingsDone();
  ASSERT_TRUE(d->RunAutoDesign());
  EXPECT_LE(SlotRatingsDone() - before, 2000u);
  EXPECT_GT(d->candidates[1].plates, 0);
}

}  // namespace vx
