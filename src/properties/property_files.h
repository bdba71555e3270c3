#pragma once
// The fluid property databases of the data folder, as the property window
// uses them: the self-built file (self_data.h), the common-fluid list and
// the pure-component data bank (below), and the imports that rebuild the
// record files from their text sources (fluid_imports.h).
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "properties/fluid_imports.h"
#include "properties/fluid_records.h"
#include "properties/self_data.h"

namespace vx {

// The names of "PubData.dat", records 1, 2, ... up to the first blank record
// or the end of the file. Empty when the file is missing or unreadable.
std::vector<std::string> ListCommonFluids(const std::filesystem::path& dir);

// Record n of "PubData.dat"; nullopt when the file is missing or unreadable,
// n lies outside it, or the record holds a value that is not a number.
std::optional<PubDataRecord> ReadCommonFluid(const std::filesystem::path& dir, int n);

// NameCn of records 1 to 818 of "bp.dat" (fewer when the file holds fewer),
// each up to its first blank; a name that fills its field is listed whole.
// Position i of the list is record i + 1. Empty when the file is missing.
std::vector<std::string> ListBaseData(const std::filesystem::path& dir);

// For each entry of ListBaseData, the texts a person may look it up by: the
// Chinese name, then the formula, the Chinese alias and the English name
// where the record holds them ("苯  C6H6  Benzene").
std::vector<std::string> ListBaseDataSearchTexts(const std::filesystem::path& dir);

// Record n (1 to 818) of "bp.dat"; nullopt as for ReadCommonFluid.
std::optional<BaseDataRecord> ReadBaseData(const std::filesystem::path& dir, int n);

}  // namespace vx
