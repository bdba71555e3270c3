#include "cli/batch_command.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "app/batch_duties.h"
#include "app/batch_run.h"
#include "common/file_io.h"
#include "reports/sheet_files.h"

namespace vx {

bool BatchWantsTemplate(const std::vector<std::string>& args) { return args.size() == 2 && args[0] == "--template"; }

int RunBatchCommand(const std::vector<std::string>& args, const std::filesystem::path& dataDir, std::ostream& out,
                    std::ostream& err) {
  if (BatchWantsTemplate(args)) {
    if (!writeFileAtomic(args[1], DutyTemplate())) {
      err << "veloxa-cli: cannot write " << args[1] << "\n";
      return 1;
    }
    return 0;
  }
  std::string input, output;
  int threads = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--out" && i + 1 < args.size()) {
      output = args[++i];
    } else if (args[i] == "--threads" && i + 1 < args.size()) {
      try {
        threads = std::stoi(args[++i]);
      } catch (const std::exception&) {
        threads = -1;
      }
      if (threads < 1 || threads > 256) {
        err << "veloxa-cli: --threads needs a number from 1 to 256\n";
        return 1;
      }
    } else if (input.empty() && args[i].rfind("--", 0) != 0) {
      input = args[i];
    } else {
      err << "veloxa-cli: batch: unexpected " << args[i] << "\n";
      return 1;
    }
  }
  if (input.empty() || output.empty()) {
    err << "usage: veloxa-cli batch DUTIES.csv --out RESULTS.xlsx|RESULTS.csv [--threads N]\n"
           "       veloxa-cli batch --template FILE\n";
    return 1;
  }
  auto bytes = readFileBytes(input);
  if (!bytes) {
    err << "veloxa-cli: cannot read " << input << "\n";
    return 1;
  }
  DutyTable table = ReadDuties(*bytes);
  if (!table.error.empty()) {
    err << "veloxa-cli: " << input << ": " << table.error << "\n";
    return 1;
  }
  std::vector<BatchResult> results = RunBatch(dataDir, table.duties, threads);
  std::string error;
  if (!WriteSheetFile(output, ResultSheet(results), error)) {
    err << "veloxa-cli: " << error << "\n";
    return 1;
  }
  // A summary on standard output: the failed rows with their messages.
  nlohmann::json failed = nlohmann::json::array();
  for (const BatchResult& r : results) {
    if (r.ok) continue;
    failed.push_back({{"row", static_cast<int>(r[ResultColumn::Row].number)},
                      {"line", table.duties[static_cast<size_t>(r[ResultColumn::Row].number) - 1].line},
                      {"id", r.failure.id},
                      {"text", r.failure.text}});
  }
  nlohmann::json summary = {{"rows", results.size()},
                            {"done", results.size() - failed.size()},
                            {"failed", failed},
                            {"out", output},
                            {"encoding", table.gbk ? "GBK" : "UTF-8"}};
  out << summary.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  return failed.empty() ? 0 : 3;
}

}  // namespace vx
