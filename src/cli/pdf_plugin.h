#pragma once
// The calculation sheet's PDF export of veloxa-cli lives in a module of its
// own (veloxa-cli-pdf.so), loaded on the first export: Qt's GUI libraries,
// which the fonts need, take the command line longer to load than a whole
// design job takes to run.
#include <filesystem>
#include <string>

#include "common/page_surface.h"

// The module's one entry point: draws the page and writes it to `path` as
// the desktop program's export does; false when that failed.
extern "C" bool VeloxaWritePagePdf(const char* path, const vx::PageDrawing* draw);
// Ends what the exports started (the Qt application); called before the
// program ends.
extern "C" void VeloxaEndPagePdf();

namespace vx {

inline constexpr const char* kPdfModuleName = "veloxa-cli-pdf.so";

// Where the module is looked for: beside the program (the build tree), then
// in ../lib/veloxa (the installation).
std::filesystem::path PdfModuleBeside(const std::filesystem::path& program);

// Loads the module (once) and writes the page; false with `error` set when
// the module cannot be loaded or the export failed.
bool WritePagePdfThroughModule(const std::filesystem::path& program, const std::string& path, const PageDrawing& draw,
                               std::string& error);

// Ends the module's work if it was loaded.
void EndPdfModule();

}  // namespace vx
