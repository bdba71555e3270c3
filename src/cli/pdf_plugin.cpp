// The module itself: veloxa-cli-pdf.so.
#include "cli/pdf_plugin.h"

#include <QGuiApplication>
#include <memory>

#include "ui/page_pdf.h"

namespace {
// Ended by VeloxaEndPagePdf while the program still runs: Qt's own statics
// are gone by the time the module's would be destroyed.
std::unique_ptr<QGuiApplication> application;
}  // namespace

extern "C" __attribute__((visibility("default"))) bool VeloxaWritePagePdf(const char* path,
                                                                         const vx::PageDrawing* draw) {
  // The fonts need a Qt application; the command line shows no window.
  static int argc = 1;
  static char name[] = "veloxa-cli";
  static char* argv[] = {name, nullptr};
  if (!application) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  return vx::WritePagePdf(path, *draw);
}

extern "C" __attribute__((visibility("default"))) void VeloxaEndPagePdf() { application.reset(); }
