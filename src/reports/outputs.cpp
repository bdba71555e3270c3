#include "reports/outputs.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/host.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "reports/calculation_sheet.h"
#include "reports/docx_document.h"
#include "reports/report_text.h"
#include "reports/statistics.h"
#include "settings/company_record.h"

namespace vx {

namespace {

// The first "Doc<n>.docx" of the data folder that does not exist yet, so no
// earlier document is overwritten; empty when all are taken.
std::filesystem::path nextDocument(const std::filesystem::path& dir) {
  for (int n = 1; n <= 32767; ++n) {
    const std::string name = "Doc" + std::to_string(n) + ".docx";
    if (!findFileNoCase(dir, name)) return dir / name;
  }
  return {};
}

}  // namespace

PageDrawing SheetDrawing(AppContext& ctx) {
  // The texts are read when the page is drawn, so every drawing shows the
  // current values.
  return [&ctx](PageSurface& surface) { DrawCalculationSheet(GatherSheetData(ctx), surface); };
}

void ReportOutputs::appendIfChecked() {
  if (ctx_.main.putIntoChecked()) AppendStatistics(ctx_);
}

void ReportOutputs::print() {
  if (hasActiveChild_ && !hasActiveChild_()) return;
  if (!ConfirmOutput(ctx_)) return;
  Host::PrintResult result;
  {
    BusyPointer busy(ctx_.host);
    result = ctx_.host.printPage(SheetDrawing(ctx_));
  }
  switch (result) {
    case Host::PrintResult::Printed:
      appendIfChecked();
      break;
    case Host::PrintResult::NoPrinter:
      if (ctx_.host.message("没有可用的打印机。是否将计算书导出为PDF文件？", Icon::Question, Buttons::YesNo, 0) ==
          Answer::Yes)
        writePdfAsked();
      break;
    case Host::PrintResult::Failed:
      ctx_.host.message("计算书没有打印出来。", Icon::Exclamation, Buttons::Ok, 0);
      break;
  }
}

void ReportOutputs::exportPdf() {
  if (!ConfirmOutput(ctx_)) return;
  writePdfAsked();
}

bool ReportOutputs::writePdfAsked() {
  // The sheet goes beside the case files, named for the case it shows.
  const std::string caseFile = caseFile_ ? caseFile_() : std::string();
  const std::string stem = std::filesystem::path(caseFile).stem().string();
  const std::string name = (stem.empty() ? LoadMessage(533) : stem) + ".pdf";
  const std::string folder = caseFolder_ ? caseFolder_() : std::string();
  const auto path = AskSavePathIn(ctx_.host, "导出PDF", "PDF文件 (*.pdf)", name, "pdf", folder);
  if (!path) return false;
  const std::string& target = *path;
  bool ok;
  {
    BusyPointer busy(ctx_.host);
    ok = ctx_.host.writePdf(target, SheetDrawing(ctx_));
  }
  if (!ok) {
    ctx_.host.message("无法写入PDF文件" + target + "。", Icon::Exclamation, Buttons::Ok, 0);
    return false;
  }
  appendIfChecked();
  return true;
}

void ReportOutputs::exportWord() {
  if (!ConfirmOutput(ctx_)) return;
  std::filesystem::path document;
  bool ok;
  {
    BusyPointer busy(ctx_.host);
    const auto lines = ReportLines(ctx_);
    // The report text and the document number are shared with any other
    // copy of the program exporting at the same moment.
    DataFolderLock lock(ctx_.dataDir);
    ok = writeTextLines(dataPath(ctx_.dataDir, kReportTextFile), ReportTextLines(lines));
    const auto templ = findFileNoCase(ctx_.dataDir, kReportTemplateFile);
    if (ok) ok = templ.has_value();
    if (ok) {
      document = nextDocument(ctx_.dataDir);
      ok = !document.empty();
    }
    std::string error;
    if (ok) {
      ok = FillDocx(*templ, document,
                    ReportFill(lines, trimField(CompanyText(ctx_.dataDir, 0)), CompanyText(ctx_.dataDir, 1),
                               ReportAreaNote(ctx_)),
                    error);
    }
  }
  if (!ok) {
    ShowMessage(ctx_.host, 516);
    return;
  }
  appendIfChecked();
  // The desktop's default application may show nothing: the person is told
  // where the document is, and may open its folder.
  const bool opened = ctx_.host.openDocument(document.string());
  const std::string where = "报告已保存为" + document.string() + (opened ? "。" : "，但没有程序能打开它。");
  if (ctx_.host.message(where + "\r\r是否打开它所在的文件夹？", Icon::Information, Buttons::YesNo, 0) == Answer::Yes)
    ctx_.host.openDocument(document.parent_path().string());
}

Preview::Preview(AppContext& ctx, ReportOutputs& outputs) : WindowModel(kName), ctx_(ctx) {
  caption = "Preview";
  pic1 = &controls_.add("pic1", ControlKind::Picture);
  VScroll1 = &controls_.add("VScroll1", ControlKind::Spin);
  VScroll1->text = "0";
  VScroll1->changed = [this] {
    const double v = Val(VScroll1->text);
    scroll_ = static_cast<int>(std::clamp(std::isfinite(v) ? v : 0.0, 0.0, static_cast<double>(kScrollMax)));
    VScroll1->text = std::to_string(scroll_);
    redraw();
  };
  Command3 = &controls_.add("Command3", ControlKind::Button);
  Command3->text = LoadMessage(253);
  Command3->clicked = [this] { ctx_.windows.closeWindow(kName); };
  Command4 = &controls_.add("Command4", ControlKind::Button);
  Command4->text = "导出PDF";
  Command4->clicked = [&outputs] { outputs.exportPdf(); };
  redraw();
}

void Preview::redraw() { page_ = RecordPage(drawing()); }

}  // namespace vx
