#pragma once
// veloxa-cli keeps the libraries only some jobs need out of its start: the
// PDF export (Qt's GUI libraries, for the fonts) and the Word and XLSX
// writers (the zip, XML and spreadsheet libraries) are modules loaded on
// first use. Loading those libraries took longer than a whole design job.
// A module lives beside the program (the build tree) or in
// ../lib/veloxa/modules (the installation); a copy of the program run from
// elsewhere finds the modules of the build tree it was built in. The program
// itself defines FillDocx and WriteSheetXlsx as calls into the files module.
#include <filesystem>
#include <string>

#include "common/page_surface.h"
#include "common/table_sheet.h"
#include "reports/docx_document.h"

namespace vx {

// What each module hands out.
struct PdfModuleEntries {
  bool (*writePagePdf)(const std::string& path, const PageDrawing& draw);
  void (*end)();  // ends the Qt application the exports started
};
struct FilesModuleEntries {
  bool (*fillDocx)(const std::filesystem::path& templ, const std::filesystem::path& out, const DocxFill& fill,
                   std::string& error);
  bool (*writeSheetXlsx)(const std::filesystem::path& path, const TableSheet& sheet, std::string& error);
};

// The calculation sheet's PDF export through its module; false when the
// module cannot be loaded (named on standard error) or the export failed.
bool WritePagePdfThroughModule(const std::string& path, const PageDrawing& draw);
// Ends the PDF module's work if it was loaded; called before the program ends.
void EndPdfModule();

}  // namespace vx

extern "C" const vx::PdfModuleEntries* VeloxaPdfModule();
extern "C" const vx::FilesModuleEntries* VeloxaFilesModule();
