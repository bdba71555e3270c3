#include "cli/cli_modules.h"

#include <dlfcn.h>

#include <iostream>
#include <mutex>

#include "reports/sheet_files.h"

namespace vx {

namespace {

// Where a module is looked for: beside the program (the build tree), in
// ../lib/veloxa/modules (the installation), and in the build tree the
// program was built in (a copy of the program run from elsewhere).
std::filesystem::path findModule(const char* file) {
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
  for (const std::filesystem::path& candidate :
       {folder / file, folder / ".." / "lib" / "veloxa" / "modules" / file, std::filesystem::path(VELOXA_BUILD_DIR) / file})
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  return folder / file;
}

// The module's entry table, or nullptr with `error` set.
template <typename Entries>
const Entries* loadModule(const char* file, const char* entryName, std::string& error) {
  const std::filesystem::path module = findModule(file);
  void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    error = dlerror();
    return nullptr;
  }
  using Entry = const Entries* (*)();
  const auto entry = reinterpret_cast<Entry>(dlsym(handle, entryName));
  if (!entry) {
    error = module.string() + ": not a module of this program";
    return nullptr;
  }
  return entry();
}

const PdfModuleEntries* pdfModule = nullptr;

// The batch's rows run on threads of their own.
const FilesModuleEntries* filesModule(std::string& error) {
  static std::mutex loading;
  static const FilesModuleEntries* loaded = nullptr;
  const std::lock_guard lock(loading);
  if (!loaded) loaded = loadModule<FilesModuleEntries>("veloxa-cli-files.so", "VeloxaFilesModule", error);
  return loaded;
}

}  // namespace

bool WritePagePdfThroughModule(const std::string& path, const PageDrawing& draw) {
  std::string error;
  if (!pdfModule) pdfModule = loadModule<PdfModuleEntries>("veloxa-cli-pdf.so", "VeloxaPdfModule", error);
  if (!pdfModule) {
    std::cerr << "veloxa-cli: cannot load the PDF export: " << error << "\n";
    return false;
  }
  return pdfModule->writePagePdf(path, draw);
}

void EndPdfModule() {
  if (pdfModule) pdfModule->end();
  pdfModule = nullptr;
}

bool FillDocx(const std::filesystem::path& templ, const std::filesystem::path& out, const DocxFill& fill,
              std::string& error) {
  const FilesModuleEntries* files = filesModule(error);
  return files && files->fillDocx(templ, out, fill, error);
}

bool WriteSheetXlsx(const std::filesystem::path& path, const TableSheet& sheet, std::string& error) {
  const FilesModuleEntries* files = filesModule(error);
  return files && files->writeSheetXlsx(path, sheet, error);
}

}  // namespace vx
