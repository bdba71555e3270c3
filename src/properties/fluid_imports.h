#pragma once
// Building the record files of the common fluids and of the data bank from
// their text sources: "pubdata.csv" -> "PubData.dat", "RFF.csv" -> "RFF.dat",
// "RFFA.csv" -> "RFFA.dat", "Matrix.csv" -> "Matrix.dat" and "newdata.txt"
// -> "bp.dat". Sources are GBK text of items separated by commas or line
// ends; text items may be quoted.
#include <filesystem>
#include <string>

namespace vx {

enum class FluidTable { CommonData, Rff, Rffa, Matrix, BaseData };

enum class ImportMode {
  // The maintenance commands: items are read as one stream (a record may span
  // lines), a number is the leading number of its item (0 when there is
  // none), and records of the old file beyond the last one written stay.
  Lenient,
  // The build: every line is one record with exactly the right items, every
  // numeric item must be a number that fits its field, every text item must
  // fit its field, and the file holds exactly the records of the source.
  Strict,
};

struct ImportResult {
  bool ok = false;
  int records = 0;    // records written
  std::string error;  // "file: reason", or "file:line: reason" in strict mode
};

// Items per source record: 7, 2, 5, 3 and 39.
int ItemsPerRecord(FluidTable table);

// Converts `source` into the record file `target`. The target is replaced as
// a whole and only on success; a failure leaves it as it was.
ImportResult ImportFluidTable(FluidTable table, const std::filesystem::path& source,
                              const std::filesystem::path& target, ImportMode mode);

// The maintenance commands: source and record file both in the data folder
// (names matched without regard to letter case), lenient mode.
ImportResult ImportCommonData(const std::filesystem::path& dir);
ImportResult ImportRff(const std::filesystem::path& dir);
ImportResult ImportRffa(const std::filesystem::path& dir);
ImportResult ImportMatrix(const std::filesystem::path& dir);
// Writes every record with Valid = 1.
ImportResult GenerateBaseData(const std::filesystem::path& dir);

}  // namespace vx
