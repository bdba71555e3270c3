// veloxa-cli: the scripted front end and the look-ups of the command line.
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "cli/job_runner.h"
#include "cli/lookups.h"
#include "common/messages.h"
#include "common/numeric_csv.h"

namespace {

void usage(std::ostream& out) {
  out << "usage: veloxa-cli run JOB.json [--data-dir DIR]\n"
         "       veloxa-cli water T [--data-dir DIR]     water at T C\n"
         "       veloxa-cli steam P [--data-dir DIR]     saturated steam at P MPa gauge\n"
         "       veloxa-cli models [--data-dir DIR]      the plate catalogue\n"
         "       veloxa-cli --version\n";
}

std::optional<std::filesystem::path> dataFolder(const std::optional<std::string>& option) {
  std::string error;
  auto dir = vx::resolveDataDir(option, vx::installationDataDir("/proc/self/exe"), error);
  if (!dir) std::cerr << "veloxa-cli: " << error << "\n";
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
  const bool lookup = (rest.size() == 2 && (rest[0] == "water" || rest[0] == "steam")) ||
                      (rest.size() == 1 && rest[0] == "models");
  if (!lookup && (rest.size() != 2 || rest[0] != "run")) {
    usage(std::cerr);
    return 1;
  }
  if (lookup) return runLookup(rest, dataDir);

  nlohmann::json job;
  {
    std::ifstream in(rest[1]);
    if (!in) {
      std::cerr << "veloxa-cli: cannot read " << rest[1] << "\n";
      return 1;
    }
    try {
      in >> job;
    } catch (const nlohmann::json::exception& e) {
      std::cerr << "veloxa-cli: " << rest[1] << " is not valid JSON: " << e.what() << "\n";
      return 1;
    }
  }

  auto dir = dataFolder(dataDir);
  if (!dir) return 1;
  vx::JobResult result = vx::RunJob(job, *dir);
  if (result.status == 1) {
    std::cerr << "veloxa-cli: " << result.error << "\n";
    return 1;
  }
  std::cout << result.output.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  return result.status;
}
