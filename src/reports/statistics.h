#pragma once
// The statistics file "DataBank.phe": one 186-byte record for each case put
// on paper or into a document, and the list window "列表" that shows them.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/window_model.h"

namespace vx {

inline constexpr const char* kStatisticsFile = "DataBank.phe";
inline constexpr int kStatisticsRecordLength = 186;
// The list counts its rows in 16 bits: n + 2 rows must stay below 32768.
inline constexpr int kMaxListedRecords = 32765;
inline constexpr int kMaxAppendedRecords = 32766;

struct StatisticsRecord {
  std::string Ref;          // 10
  double Date = 0;          // days since 1899-12-30, 0 = no date
  std::string Project;      // 40
  std::string MediumA;      // 10
  std::string MediumB;      // 10
  float TinA = 0, ToutA = 0, TinB = 0, ToutB = 0;
  float HeatLoad = 0;
  std::string Designation;  // 24
  float Margin = 0;
  std::string Remark;       // 40
  std::string Spare;        // 20
};

std::string writeStatisticsRecord(const StatisticsRecord& r);
StatisticsRecord readStatisticsRecord(const std::string& bytes);

// The date text of the customer window as a day count; nullopt when the
// text is not a date (year/month/day with "/", "-", "." or 年月日).
std::optional<double> DateFromText(const std::string& text);
// A day count in the short date form ("2026/12/9"); empty for 0.
std::string DateText(double days);

// The current case as a record.
StatisticsRecord CurrentStatistics(AppContext& ctx);
// Appends the current case; false (with its message shown) when the file
// cannot be written or is full.
bool AppendStatistics(AppContext& ctx);

// The whole records of the file; a missing file gives none.
std::optional<std::vector<StatisticsRecord>> ReadStatistics(const std::filesystem::path& dir);

class PheList : public WindowModel {
 public:
  static constexpr const char* kName = "PheList";
  static constexpr int kCols = 14;
  explicit PheList(AppContext& context);

  Control* GrdPheList = nullptr;
  Control* Command1 = nullptr;     // "Exit"
  Control* rightButton = nullptr;  // the right mouse button released over the grid
  int currentRow = 2;

  // Asks, then removes the current row from the display (the file keeps it).
  void removeCurrentRow();

 private:
  void load();
  AppContext& ctx_;
};

}  // namespace vx
