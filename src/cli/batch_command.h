#pragma once
// `veloxa-cli batch`: a table of duties in, a table of exchangers out.
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vx {

// `args` are the words after "batch": "DUTIES.csv --out RESULTS.xlsx
// [--threads N]" or "--template FILE". Exit status: 0 every row designed,
// 3 the table was written but some rows failed, 1 bad arguments, an
// unreadable duty table or an unwritable result file.
int RunBatchCommand(const std::vector<std::string>& args, const std::filesystem::path& dataDir, std::ostream& out,
                    std::ostream& err);

// Whether the arguments ask for the template (no data folder needed then).
bool BatchWantsTemplate(const std::vector<std::string>& args);

}  // namespace vx
