#pragma once
// The report text "veloxa.tem": every value of the calculation sheet as
// items, one write statement a line, and the cells of the Word template
// each item fills.
#include <filesystem>
#include <string>
#include <vector>

#include "common/window_model.h"
#include "reports/docx_document.h"

namespace vx {

inline constexpr const char* kReportTextFile = "veloxa.tem";
inline constexpr const char* kReportTemplateFile = "Veloxa.sav";
inline constexpr int kReportLines = 56;
inline constexpr int kReportItems = 64;

struct ReportItem {
  std::string text;
  bool number = false;  // written bare, without quotes
};

// The 56 lines of the report, each of one or two items, from the windows
// and the design case.
std::vector<std::vector<ReportItem>> ReportLines(AppContext& ctx);

// The lines as the file holds them: a text item between double quotes, a
// number bare, two items joined by a comma. A quote or a line break inside a
// text would end its item early, so quotes become single quotes and line
// breaks blanks.
std::vector<std::string> ReportTextLines(const std::vector<std::vector<ReportItem>>& lines);

// Writes the report text to `path`, or to "veloxa.tem" in the data folder
// when `path` is empty. False when it cannot be written.
bool WriteReportText(AppContext& ctx, const std::filesystem::path& path = {});

// The cells of the template's table that the report lines fill, with the
// company name and title in cell (1,2).
// `areaNote` follows the provided area in cell (6,2).
DocxFill ReportFill(const std::vector<std::vector<ReportItem>>& lines, const std::string& companyName,
                    const std::string& companyLine, const std::string& areaNote = {});

// The calculated area and the surface margin of the design window, as they
// follow the provided area in the report ("计算面积:30.2㎡     裕度:12.5%");
// empty without a result.
std::string ReportAreaNote(AppContext& ctx);

}  // namespace vx
