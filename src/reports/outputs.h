#pragma once
// The output commands of the main window: print, export as PDF, export to
// Word, the print preview and the statistics list.
#include <functional>
#include <string>

#include "common/page_surface.h"
#include "common/window_model.h"

namespace vx {

// The calculation sheet of the current case, ready to be drawn on a surface.
PageDrawing SheetDrawing(AppContext& ctx);

class ReportOutputs {
 public:
  // `hasActiveChild` tells whether the main window has an active child
  // window; `caseFile` gives the path of the current case file (empty for a
  // case never saved or opened) and `caseFolder` the folder of the case-file
  // dialogs.
  ReportOutputs(AppContext& ctx, std::function<bool()> hasActiveChild, std::function<std::string()> caseFile,
                std::function<std::string()> caseFolder)
      : ctx_(ctx),
        hasActiveChild_(std::move(hasActiveChild)),
        caseFile_(std::move(caseFile)),
        caseFolder_(std::move(caseFolder)) {}

  // "打印": the sheet on the default printer, without a dialog. Without a
  // printer it offers the PDF instead.
  void print();
  // "导出PDF": the sheet into a PDF file named in a save dialog.
  void exportPdf();
  // "导出至MS Word": the report text and the Word document.
  void exportWord();

 private:
  bool writePdfAsked();
  void appendIfChecked();
  AppContext& ctx_;
  std::function<bool()> hasActiveChild_;
  std::function<std::string()> caseFile_;
  std::function<std::string()> caseFolder_;
};

// The print preview "Preview": the page scrolled by VScroll1 (0 to 8000).
class Preview : public WindowModel {
 public:
  static constexpr const char* kName = "preview";
  static constexpr int kScrollMax = 8000;
  Preview(AppContext& ctx, ReportOutputs& outputs);

  Control* pic1 = nullptr;
  Control* VScroll1 = nullptr;  // text: the scroll value
  Control* Command3 = nullptr;  // "退出"
  Control* Command4 = nullptr;  // "导出PDF"

  int scroll() const { return scroll_; }
  // Draws the page again (on load and on every scroll change); the
  // recording is what the scripted front end shows.
  void redraw();
  const RecordedPage& page() const { return page_; }
  PageDrawing drawing() { return SheetDrawing(ctx_); }

 private:
  AppContext& ctx_;
  int scroll_ = 0;
  RecordedPage page_;
};

}  // namespace vx
