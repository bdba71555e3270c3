#pragma once
// The batch design window "批量设计": choose a duty table, run it with a
// progress bar and a cancel button, see the results with the failed rows
// marked, export them, and open any row as the current case.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/batch_duties.h"
#include "app/batch_run.h"
#include "common/window_model.h"

namespace vx {

class Session;

// Writes the result table to a file (.xlsx or .csv); false with a reason.
using SheetWriter = std::function<bool(const std::filesystem::path&, const TableSheet&, std::string&)>;

class BatchWindow : public WindowModel {
 public:
  static constexpr const char* kName = "batch";
  // The columns of the results grid, from the result table.
  static const std::vector<ResultColumn>& GridColumns();

  BatchWindow(Session& session, SheetWriter writer);
  ~BatchWindow() override;

  Control* txtFile = nullptr;
  Control* cmdOpen = nullptr;     // 选择文件…
  Control* cmdRun = nullptr;      // 运行
  Control* cmdCancel = nullptr;   // 取消
  Control* ProgressBar1 = nullptr;
  Control* lblStatus = nullptr;
  Control* ResultGrid = nullptr;  // pick row r (from 1) to open it as the current case
  Control* cmdXlsx = nullptr;     // 导出XLSX
  Control* cmdCsv = nullptr;      // 导出CSV

  // The screen keeps its events flowing while the rows run and calls
  // poll(); without it (the command line, the tests) "运行" returns when
  // the batch has finished.
  bool runInBackground = false;

  // Reads the duty table; false (and a message) when it cannot be read.
  bool load(const std::string& path);
  void run();
  void cancel();
  // Takes the rows that have finished into the grid, in input order.
  // True while the batch is still running.
  bool poll();
  bool running() const { return run_ && !run_->finished(); }
  // Whether a run has rows or its end still to take in.
  bool needsPoll() const { return run_ && !runTakenIn_; }
  // Makes row r (from 1) the current case: a new case, its conditions
  // typed in, the heat balance and the row's design, as a person would.
  void openRow(int row);
  // Writes the results; `xlsx` or CSV, asking for the file.
  void exportResults(bool xlsx);

  int progressMaximum = 0, progressValue = 0;
  const DutyTable& table() const { return table_; }
  const std::vector<BatchResult>& results() const { return results_; }

  void onClose() override;

 private:
  void build();
  void finishRun();
  void resetGrid();
  void addGridRow(const BatchResult& r);
  void updateButtons();
  // After a change of the run: the buttons, and without the screen's event
  // loop the wait for the rows.
  void followRun();

  Session& session_;
  SheetWriter writer_;
  DutyTable table_;
  std::unique_ptr<BatchRun> run_;
  std::vector<BatchResult> results_;
  bool runTakenIn_ = false;
};

}  // namespace vx
