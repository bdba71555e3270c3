#include "properties/fluid_build.h"

#include "common/file_io.h"
#include "properties/fluid_imports.h"
#include "properties/fluid_records.h"

namespace fs = std::filesystem;

namespace vx {

namespace {

struct BuildStep {
  FluidTable table;
  const char* folder;
  const char* source;
  const char* target;
  int minRecords;  // the last record the property calculations read
  int maxRecords;  // 0: no upper bound
};

// The common-fluid list holds one entry per fixed calculation, and the data
// bank is listed as records 1 to 818; the tables end at the last record of
// their last block.
const BuildStep kSteps[] = {
    {FluidTable::CommonData, "fluids", kCommonFluidSource, kCommonFluidFile, 20, 20},
    {FluidTable::Rff, "fluids", kRffSource, kRffFile, 177, 0},
    {FluidTable::Rffa, "fluids", kRffaSource, kRffaFile, 182, 0},
    {FluidTable::Matrix, "fluids", kMatrixSource, kMatrixFile, 825, 0},
    {FluidTable::BaseData, "components", kBaseDataSource, kBaseDataFile, kBaseDataCount, kBaseDataCount},
};

}  // namespace

bool BuildFluidFiles(const fs::path& src, const fs::path& out, std::string& error) {
  std::error_code ec;
  fs::create_directories(out, ec);
  for (const BuildStep& step : kSteps) {
    const fs::path source = dataPath(src / step.folder, step.source);
    ImportResult r = ImportFluidTable(step.table, source, out / step.target, ImportMode::Strict);
    if (!r.ok) {
      error = r.error;
      return false;
    }
    if (r.records < step.minRecords || (step.maxRecords > 0 && r.records > step.maxRecords)) {
      error = source.string() + ": " + std::to_string(r.records) + " records, the program reads " +
              (step.maxRecords == step.minRecords ? "exactly " : "at least ") + std::to_string(step.minRecords);
      return false;
    }
  }
  if (!writeFileAtomic(out / kSelfDataFile, "")) {
    error = (out / kSelfDataFile).string() + ": cannot be written";
    return false;
  }
  return true;
}

}  // namespace vx
