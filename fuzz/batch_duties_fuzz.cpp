// The duty table of a batch design: arbitrary bytes as the CSV file. Every
// row the reader accepts is also run on a session, as the batch does.
#include <cmath>

#include "app/batch_duties.h"
#include "app/batch_run.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  DutyTable table = ReadDuties(bytes);
  if (!table.error.empty()) {
    if (!table.duties.empty() && table.error != "工况表中没有工况。") fuzz::Finding("a refused table kept rows");
    return 0;
  }
  if (table.duties.empty()) fuzz::Finding("an accepted table without duties");
  // A few rows through the windows: what the reader accepts must not upset them.
  for (size_t i = 0; i < table.duties.size() && i < 2; ++i) {
    const Duty& d = table.duties[i];
    for (int f = 0; f < kDutyFields; ++f) {
      const auto field = static_cast<DutyField>(f);
      if (d.error.empty() && d.given(field) && DutyColumnOf(field).numeric && FieldNumberText(d[field]).empty())
        fuzz::Finding("a number cell accepted that the field cannot take");
    }
    BatchResult r = RunDuty(fuzz::DataFolder(), d, static_cast<int>(i) + 1);
    if (r.cells.size() != static_cast<size_t>(kResultColumns)) fuzz::Finding("a result row of the wrong width");
    for (const SheetCell& c : r.cells)
      if (c.isNumber && !std::isfinite(c.number)) fuzz::Finding("a result cell that is not finite");
  }
  return 0;
}
