// A scripted job from any bytes: read as the command line reads it, run on
// the installation data, and printed. Nothing may crash, and no output may
// hold a number that is not finite.
#include <cmath>

#include "cli/job_runner.h"
#include "fuzz_support.h"

namespace {

void expectFinite(const nlohmann::json& value) {
  if (value.is_number_float() && !std::isfinite(value.get<double>())) vx::fuzz::Finding("non-finite number in the output");
  if (value.is_structured())
    for (const auto& item : value) expectFinite(item);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const nlohmann::json job = vx::ParseJob(text, error);
  if (job.is_discarded()) return 0;
  const vx::JobResult result = vx::RunJob(job, vx::fuzz::DataFolder());
  if (result.status != 1) {
    expectFinite(result.output);
    (void)result.output.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }
  return 0;
}
