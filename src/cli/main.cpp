// veloxa-cli: the scripted front end and the look-ups of the command line.
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "cli/job_runner.h"
#include "common/messages.h"

namespace {

void usage(std::ostream& out) {
  out << "usage: veloxa-cli run JOB.json [--data-dir DIR]\n"
         "       veloxa-cli --version\n";
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
  if (rest.size() != 2 || rest[0] != "run") {
    usage(std::cerr);
    return 1;
  }

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

  std::string error;
  auto dir = vx::resolveDataDir(dataDir, vx::installationDataDir("/proc/self/exe"), error);
  if (!dir) {
    std::cerr << "veloxa-cli: " << error << "\n";
    return 1;
  }
  vx::JobResult result = vx::RunJob(job, *dir);
  if (result.status == 1) {
    std::cerr << "veloxa-cli: " << result.error << "\n";
    return 1;
  }
  std::cout << result.output.dump(2) << "\n";
  return result.status;
}
