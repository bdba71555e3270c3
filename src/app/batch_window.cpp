#include "app/batch_window.h"

#include "app/session.h"
#include "app/case_file.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "exchanger/design_window.h"

namespace vx {

namespace {

using C = ResultColumn;

std::string cellText(const SheetCell& cell, const std::string& format) {
  if (!cell.isNumber) return cell.text;
  const size_t dot = format.find('.');
  const int decimals = dot == std::string::npos ? 0 : static_cast<int>(format.size() - dot - 1);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, cell.number);
  return buffer;
}

}  // namespace

const std::vector<ResultColumn>& BatchWindow::GridColumns() {
  static const std::vector<ResultColumn> columns = {C::Row,    C::Label, C::Status, C::Model,    C::Plates,
                                                    C::PassesA, C::GrossArea, C::Margin, C::DropA, C::DropB,
                                                    C::HeatLoad, C::Messages};
  return columns;
}

BatchWindow::BatchWindow(Session& session, SheetWriter writer)
    : WindowModel(kName), session_(session), writer_(std::move(writer)) {
  build();
}

BatchWindow::~BatchWindow() {
  if (run_) {
    run_->cancel();
    run_->wait();
  }
}

void BatchWindow::build() {
  caption = "批量设计";
  txtFile = &controls_.add("txtFile", ControlKind::TextBox);
  txtFile->enabled = false;
  cmdOpen = &controls_.add("cmdOpen", ControlKind::Button);
  cmdOpen->text = "选择文件…";
  cmdOpen->clicked = [this] {
    FileDialogRequest request;
    request.title = "打开工况表";
    request.filter = "工况表 (*.csv *.txt)";
    request.folder = session_.host().setting("PHE_SAVE_PATH");
    if (auto path = session_.host().fileDialog(request)) load(*path);
  };
  cmdRun = &controls_.add("cmdRun", ControlKind::Button);
  cmdRun->text = "运行";
  cmdRun->clicked = [this] { run(); };
  cmdCancel = &controls_.add("cmdCancel", ControlKind::Button);
  cmdCancel->text = "取消";
  cmdCancel->clicked = [this] { cancel(); };
  ProgressBar1 = &controls_.add("ProgressBar1", ControlKind::Label);
  lblStatus = &controls_.add("lblStatus", ControlKind::Label);
  lblStatus->text = "请选择工况表（CSV，UTF-8或GBK）。";
  ResultGrid = &controls_.add("ResultGrid", ControlKind::Grid);
  ResultGrid->toolTip = "双击一行，把该工况作为当前设计打开";
  resetGrid();
  ResultGrid->picked = [this] { openRow(ResultGrid->listIndex); };
  cmdXlsx = &controls_.add("cmdXlsx", ControlKind::Button);
  cmdXlsx->text = "导出XLSX";
  cmdXlsx->clicked = [this] { exportResults(true); };
  cmdCsv = &controls_.add("cmdCsv", ControlKind::Button);
  cmdCsv->text = "导出CSV";
  cmdCsv->clicked = [this] { exportResults(false); };
  updateButtons();
}

void BatchWindow::resetGrid() {
  GridState& g = ResultGrid->grid;
  g.fixedRows = 1;
  g.resize(1, static_cast<int>(GridColumns().size()));
  for (size_t c = 0; c < GridColumns().size(); ++c) {
    const SheetColumn& col = ResultColumns()[static_cast<size_t>(GridColumns()[c])];
    g.cell(0, static_cast<int>(c)) = col.header + (col.unit.empty() ? "" : "(" + col.unit + ")");
  }
}

void BatchWindow::updateButtons() {
  const bool busy = running();
  cmdOpen->enabled = !busy;
  cmdRun->enabled = !busy && !table_.duties.empty();
  cmdCancel->enabled = busy && !run_->cancelled();
  cmdXlsx->enabled = !busy && !results_.empty();
  cmdCsv->enabled = cmdXlsx->enabled;
  ProgressBar1->visible = busy;
  ProgressBar1->text = std::to_string(progressValue) + "/" + std::to_string(progressMaximum);
  // Rows appear in the grid as they finish; each one can be opened.
  ResultGrid->items.clear();
  for (int r = 0; r < ResultGrid->grid.rows; ++r) ResultGrid->items.push_back(std::to_string(r));
}

bool BatchWindow::load(const std::string& path) {
  if (running()) return false;
  auto bytes = readFileBytes(path);
  DutyTable table;
  if (!bytes) table.error = "无法读取文件 " + path;
  else table = ReadDuties(*bytes);
  if (!table.error.empty()) {
    session_.host().message(table.error, Icon::Exclamation, Buttons::Ok, 0);
    return false;
  }
  table_ = std::move(table);
  results_.clear();
  run_.reset();
  resetGrid();
  Assign(*txtFile, path);
  progressMaximum = static_cast<int>(table_.duties.size());
  progressValue = 0;
  lblStatus->text = "共" + std::to_string(table_.duties.size()) + "个工况（" + (table_.gbk ? "GBK" : "UTF-8") +
                    "编码）。";
  updateButtons();
  return true;
}

void BatchWindow::run() {
  if (running()) return;
  if (table_.duties.empty()) {
    session_.host().message("请先选择工况表。", Icon::Information, Buttons::Ok, 0);
    return;
  }
  results_.clear();
  resetGrid();
  run_ = std::make_unique<BatchRun>(session_.dataDir(), table_.duties);
  runTakenIn_ = false;
  progressMaximum = run_->total();
  progressValue = 0;
  run_->start();
  lblStatus->text = "正在计算……";
  followRun();
}

void BatchWindow::cancel() {
  if (!running()) return;
  run_->cancel();
  lblStatus->text = "正在取消：等待计算中的工况完成……";
  followRun();
}

void BatchWindow::followRun() {
  updateButtons();
  if (!runInBackground) {
    run_->wait();
    poll();
  }
}

bool BatchWindow::poll() {
  if (!run_) return false;
  // The finished flag is read first: every row that finished before it was
  // seen is then taken in this same call.
  const bool finished = run_->finished();
  while (static_cast<int>(results_.size()) < run_->total() && run_->ready(static_cast<int>(results_.size()))) {
    results_.push_back(run_->result(static_cast<int>(results_.size())));
    addGridRow(results_.back());
  }
  progressValue = run_->done();
  if (finished) {
    run_->wait();
    finishRun();
    return false;
  }
  updateButtons();
  return true;
}

void BatchWindow::addGridRow(const BatchResult& r) {
  GridState& g = ResultGrid->grid;
  GridState grown = g;
  grown.resize(g.rows + 1, g.cols);
  for (int row = 0; row < g.rows; ++row)
    for (int c = 0; c < g.cols; ++c) {
      grown.cell(row, c) = g.cell(row, c);
      grown.backColor(row, c) = g.backColor(row, c);
    }
  const int row = g.rows;
  for (size_t c = 0; c < GridColumns().size(); ++c) {
    const auto column = GridColumns()[c];
    grown.cell(row, static_cast<int>(c)) =
        cellText(r[column], ResultColumns()[static_cast<size_t>(column)].numberFormat);
    // A failed row is marked yellow, as the windows mark a broken limit.
    if (!r.ok) grown.backColor(row, static_cast<int>(c)) = kYellow;
  }
  g = std::move(grown);
}

void BatchWindow::finishRun() {
  runTakenIn_ = true;
  int failed = 0;
  for (const auto& r : results_) failed += r.ok ? 0 : 1;
  std::string status = "完成" + std::to_string(results_.size() - failed) + "个，失败" + std::to_string(failed) + "个";
  if (static_cast<int>(results_.size()) < progressMaximum)
    status += "；已取消，其余" + std::to_string(progressMaximum - static_cast<int>(results_.size())) + "个未计算";
  lblStatus->text = status + "。";
  updateButtons();
}

void BatchWindow::openRow(int row) {
  if (row < 1 || row > static_cast<int>(table_.duties.size())) return;
  Host& host = session_.host();
  // The current case gives way to the row: an unsaved one may be saved first.
  if (!session_.var().CaseSaved) {
    const Answer a = ShowMessage(host, 514, {}, Icon::Exclamation, Buttons::YesNoCancel);
    if (a == Answer::Cancel) return;
    if (a == Answer::Yes && !session_.files().save(0)) return;
  }
  session_.files().newCase();
  const Duty& duty = table_.duties[static_cast<size_t>(row - 1)];
  if (!duty.error.empty()) {
    host.message(duty.error, Icon::Exclamation, Buttons::Ok, 0);
    return;
  }
  std::string problem;
  if (!EnterDuty(session_, duty, problem)) {
    host.message(problem, Icon::Exclamation, Buttons::Ok, 0);
    return;
  }
  if (!session_.var().BalanceDone) return;
  if (!DesignDuty(session_, duty, problem)) host.message(problem, Icon::Exclamation, Buttons::Ok, 0);
}

void BatchWindow::exportResults(bool xlsx) {
  if (results_.empty() || running()) return;
  Host& host = session_.host();
  const auto path = AskSavePath(host, "导出结果", xlsx ? "Excel 工作簿 (*.xlsx)" : "CSV 文件 (*.csv)", "批量设计结果",
                                xlsx ? "xlsx" : "csv");
  if (!path) return;
  std::string error;
  if (!writer_ || !writer_(*path, ResultSheet(results_), error)) {
    host.message(error.empty() ? "无法导出结果。" : error, Icon::Exclamation, Buttons::Ok, 0);
    return;
  }
  host.message("结果已导出：" + *path, Icon::Information, Buttons::Ok, 0);
}

void BatchWindow::onClose() {
  // The rows in flight finish; no others start.
  if (run_) {
    run_->cancel();
    run_->wait();
  }
}

}  // namespace vx
