// veloxa-cli: the scripted front end and the look-ups of the command line.
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "cli/batch_command.h"
#include "cli/job_runner.h"
#include "cli/lookups.h"
#include "common/messages.h"
#include "common/numeric_csv.h"
#include "cli/cli_modules.h"

namespace {

void usage(std::ostream& out) {
  out << "usage: veloxa-cli run JOB.json [--data-dir DIR]\n"
         "       veloxa-cli water T [--data-dir DIR]     water at T C\n"
         "       veloxa-cli steam P [--data-dir DIR]     saturated steam at P MPa gauge\n"
         "       veloxa-cli models [--data-dir DIR]      the plate catalogue\n"
         "       veloxa-cli fluid ENTRY C T [--data-dir DIR]  common fluid ENTRY (position from 0 or name)\n"
         "                                               at C mass % and T C\n"
         "       veloxa-cli batch DUTIES.csv --out RESULTS.xlsx|RESULTS.csv [--threads N] [--data-dir DIR]\n"
         "                                               design every duty of the table\n"
         "       veloxa-cli batch --template FILE        an example duty table\n"
         "       veloxa-cli --version\n";
}

std::optional<std::filesystem::path> dataFolder(const std::optional<std::string>& option) {
  std::string error;
  std::vector<std::string> kept;
  auto dir = vx::resolveDataDir(option, vx::installationDataDir("/proc/self/exe"), error, &kept);
  if (!dir) std::cerr << "veloxa-cli: " << error << "\n";
  // Standard output carries the job's JSON; the note goes beside it.
  for (const auto& name : kept)
    std::cerr << "veloxa-cli: kept your changed " << name << "; the new installation's version was not copied\n";
  return dir;
}

// Prints a look-up as JSON. Exit status 0 when it succeeded, 3 when the
// tables cannot give a value (the output names the message), 1 on bad input.
int runLookup(const std::vector<std::string>& rest, const std::optional<std::string>& dataDir) {
  float value = 0;
  if (rest.size() == 2) {
    double parsed = 0;
    if (!vx::parseNumber(rest[1], parsed)) {
      std::cerr << "veloxa-cli: " << rest[1] << " is not a number\n";
      return 1;
    }
    value = static_cast<float>(parsed);
  }
  auto dir = dataFolder(dataDir);
  if (!dir) return 1;
  vx::LookupResult r = rest[0] == "water"   ? vx::LookupWater(*dir, value)
                       : rest[0] == "steam" ? vx::LookupSteam(*dir, value)
                                            : vx::ListModels(*dir);
  std::cout << r.output.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  return r.ok ? 0 : 3;
}

// The common-fluid look-up: exit status as for the other look-ups.
int runFluid(const std::vector<std::string>& rest, const std::optional<std::string>& dataDir) {
  double c = 0, t = 0;
  for (size_t i : {2u, 3u}) {
    if (!vx::parseNumber(rest[i], i == 2 ? c : t)) {
      std::cerr << "veloxa-cli: " << rest[i] << " is not a number\n";
      return 1;
    }
  }
  auto dir = dataFolder(dataDir);
  if (!dir) return 1;
  vx::LookupResult r = vx::LookupFluid(*dir, rest[1], c, t);
  if (r.output.contains("error")) {
    std::cerr << "veloxa-cli: " << r.output["error"].get<std::string>() << "\n";
    return 1;
  }
  std::cout << r.output.dump(2) << "\n";
  return r.ok ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::optional<std::string> dataDir;
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--data-dir") {
      if (i + 1 >= args.size()) {
        std::cerr << "veloxa-cli: --data-dir needs a folder\n";
        return 1;
      }
      dataDir = args[++i];
    } else {
      rest.push_back(args[i]);
    }
  }
  if (rest.size() == 1 && rest[0] == "--version") {
    std::cout << vx::FullVersionTitle() << "\n";
    return 0;
  }
  if (!rest.empty() && rest[0] == "batch") {
    const std::vector<std::string> batchArgs(rest.begin() + 1, rest.end());
    if (vx::BatchWantsTemplate(batchArgs)) return vx::RunBatchCommand(batchArgs, {}, std::cout, std::cerr);
    auto dir = dataFolder(dataDir);
    if (!dir) return 1;
    return vx::RunBatchCommand(batchArgs, *dir, std::cout, std::cerr);
  }
  const bool lookup = (rest.size() == 2 && (rest[0] == "water" || rest[0] == "steam")) ||
                      (rest.size() == 1 && rest[0] == "models");
  const bool fluid = rest.size() == 4 && rest[0] == "fluid";
  if (!lookup && !fluid && (rest.size() != 2 || rest[0] != "run")) {
    usage(std::cerr);
    return 1;
  }
  if (lookup) return runLookup(rest, dataDir);
  if (rest.size() == 4 && rest[0] == "fluid") return runFluid(rest, dataDir);

  nlohmann::json job;
  {
    std::ifstream in(rest[1], std::ios::binary);
    if (!in) {
      std::cerr << "veloxa-cli: cannot read " << rest[1] << "\n";
      return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    job = vx::ParseJob(text, error);
    if (job.is_discarded()) {
      std::cerr << "veloxa-cli: " << rest[1] << ": " << error << "\n";
      return 1;
    }
  }

  auto dir = dataFolder(dataDir);
  if (!dir) return 1;
  // The calculation sheet is written as the desktop program writes it.
  vx::JobResult result = vx::RunJob(job, *dir, vx::WritePagePdfThroughModule);
  vx::EndPdfModule();
  if (result.status == 1) {
    std::cerr << "veloxa-cli: " << result.error << "\n";
    return 1;
  }
  std::cout << result.output.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  return result.status;
}
