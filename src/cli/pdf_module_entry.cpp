// The calculation sheet's PDF export as veloxa-cli's module veloxa-cli-pdf.so.
#include <QGuiApplication>
#include <memory>

#include "cli/cli_modules.h"
#include "ui/page_pdf.h"

namespace {

// Ended through the entry table while the program still runs: Qt's own
// statics are gone by the time the module's would be destroyed.
std::unique_ptr<QGuiApplication> application;

bool writePagePdf(const std::string& path, const vx::PageDrawing& draw) {
  // The fonts need a Qt application; the command line shows no window.
  static int argc = 1;
  static char name[] = "veloxa-cli";
  static char* argv[] = {name, nullptr};
  if (!application) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  return vx::WritePagePdf(path, draw);
}

void end() { application.reset(); }

}  // namespace

extern "C" __attribute__((visibility("default"))) const vx::PdfModuleEntries* VeloxaPdfModule() {
  static const vx::PdfModuleEntries entries{&writePagePdf, &end};
  return &entries;
}
