// The automatic design over the shipped catalogue and over a synthetic
// catalogue of 5,000 models (the shipped ones repeated with varied plate
// areas), driven through the design window as the person drives it.
#include <benchmark/benchmark.h>

#include "app/script_host.h"
#include "app/session.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "exchanger/catalogue.h"
#include "exchanger/design_window.h"
#include "exchanger/rating.h"
#include "support/grown_catalogue.h"
#include "support/temp_data.h"

namespace vx {
namespace {

struct Road {
  explicit Road(int models) : session(host, data.dir()) {
    if (models > 0) test::GrowCatalogue(data.dir(), models);
    session.start();
    auto* cond = session.existingAs<Condition>(Condition::kName);
    Click(cond->controls(), *cond->balanceButton);
    Click(cond->controls(), *cond->Command5);
    design = session.existingAs<DesignWindow>(DesignWindow::kName);
    design->Check1->checked = true;  // the two-kind combinations as well
  }
  test::TempData data;
  ScriptHost host;
  Session session;
  DesignWindow* design = nullptr;
};

void runAutoDesign(benchmark::State& st, int models) {
  Road road(models);
  const auto count = road.design->cbotype->items.size();
  const auto ratingsBefore = SlotRatingsDone();
  for (auto _ : st) benchmark::DoNotOptimize(road.design->RunAutoDesign());
  st.counters["models"] = static_cast<double>(count);
  st.counters["ratings/s"] =
      benchmark::Counter(static_cast<double>(SlotRatingsDone() - ratingsBefore), benchmark::Counter::kIsRate);
  st.counters["models/s"] = benchmark::Counter(static_cast<double>(count) * st.iterations(), benchmark::Counter::kIsRate);
}

void BM_AutoDesignShipped(benchmark::State& st) { runAutoDesign(st, 0); }
void BM_AutoDesign5000(benchmark::State& st) { runAutoDesign(st, 5000); }

BENCHMARK(BM_AutoDesignShipped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoDesign5000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vx

BENCHMARK_MAIN();
