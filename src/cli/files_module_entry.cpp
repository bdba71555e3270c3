// The Word and XLSX writers as veloxa-cli's module veloxa-cli-files.so.
#include "cli/cli_modules.h"
#include "reports/sheet_files.h"

extern "C" __attribute__((visibility("default"))) const vx::FilesModuleEntries* VeloxaFilesModule() {
  static const vx::FilesModuleEntries entries{&vx::FillDocx, &vx::WriteSheetXlsx};
  return &entries;
}
