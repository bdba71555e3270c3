#pragma once
// A catalogue of many models made from the shipped ones, for the tests and
// benchmarks of searches over a large catalogue.
#include <filesystem>
#include <string>

#include "common/record_file.h"
#include "exchanger/catalogue.h"

namespace vx::test {

// Rewrites the catalogue of `dir` with `count` models: the shipped ones in
// turn, named "S0", "S1", ..., with their plate areas varied.
inline void GrowCatalogue(const std::filesystem::path& dir, int count) {
  auto shipped = Catalogue::load(dir);
  RecordFile file(dir / kCatalogueFile, kCatalogueRecordLength);
  file.load();
  const auto models = shipped->listed();
  for (int i = 0; i < count; ++i) {
    PlateModel m = models[static_cast<size_t>(i) % models.size()];
    m.ModelName = modelNameField("S" + std::to_string(i));
    m.PlateArea *= 0.8f + 0.4f * static_cast<float>(i % 17) / 16;  // vary the areas
    file.setRecord(i + 2, writePlateModel(m));
  }
  file.truncate(count + 1);
  file.save();
}

}  // namespace vx::test
