// The batch design: 1,000 duties, each an automatic design over the shipped
// catalogue, run on two threads as the command line runs them. The duties
// are the template's automatic-design rows repeated with their flows varied,
// so no two rows are the same case.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/batch_duties.h"
#include "app/batch_run.h"
#include "support/temp_data.h"

namespace vx {
namespace {

std::vector<Duty> thousandDuties() {
  std::vector<Duty> automatic;
  for (const Duty& d : ReadDuties(DutyTemplate()).duties)
    if (d.error.empty() && !d.given(DutyField::Model)) automatic.push_back(d);
  std::vector<Duty> duties;
  for (int i = 0; automatic.size() > 0 && duties.size() < 1000; ++i) {
    Duty d = automatic[static_cast<size_t>(i) % automatic.size()];
    // Flows from 80 % to 120 % of the template's, where a flow is given.
    for (DutyField f : {DutyField::FlowA, DutyField::FlowB})
      if (d.given(f)) d[f] = std::to_string(std::stod(d[f]) * (0.8 + 0.4 * (i % 97) / 96.0));
    duties.push_back(d);
  }
  return duties;
}

void BM_BatchOfAThousandAutomaticDesigns(benchmark::State& st) {
  test::TempData data;
  const std::vector<Duty> duties = thousandDuties();
  size_t done = 0;
  for (auto _ : st) {
    const std::vector<BatchResult> results = RunBatch(data.dir(), duties, 2);
    for (const BatchResult& r : results) done += r.ok ? 1 : 0;
  }
  st.counters["rows"] = static_cast<double>(duties.size());
  st.counters["designed"] = static_cast<double>(done) / static_cast<double>(st.iterations());
  st.counters["rows/s"] =
      benchmark::Counter(static_cast<double>(duties.size()) * static_cast<double>(st.iterations()),
                         benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchOfAThousandAutomaticDesigns)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace vx
