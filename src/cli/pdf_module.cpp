// veloxa-cli's side of the PDF module: finding and loading it.
#include <dlfcn.h>

#include "cli/pdf_plugin.h"

namespace vx {

namespace {
void (*endEntry)() = nullptr;
}  // namespace

std::filesystem::path PdfModuleBeside(const std::filesystem::path& program) {
  const std::filesystem::path folder = program.parent_path();
  std::error_code ec;
  if (std::filesystem::is_regular_file(folder / kPdfModuleName, ec)) return folder / kPdfModuleName;
  return folder / ".." / "lib" / "veloxa" / kPdfModuleName;
}

bool WritePagePdfThroughModule(const std::filesystem::path& program, const std::string& path, const PageDrawing& draw,
                               std::string& error) {
  using Entry = bool (*)(const char*, const PageDrawing*);
  static Entry entry = nullptr;
  if (!entry) {
    const std::filesystem::path module = PdfModuleBeside(program);
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      error = dlerror();
      return false;
    }
    entry = reinterpret_cast<Entry>(dlsym(handle, "VeloxaWritePagePdf"));
    endEntry = reinterpret_cast<void (*)()>(dlsym(handle, "VeloxaEndPagePdf"));
    if (!entry || !endEntry) {
      entry = nullptr;
      error = module.string() + ": not Veloxa's PDF export";
      return false;
    }
  }
  return entry(path.c_str(), &draw);
}

void EndPdfModule() {
  if (endEntry) endEntry();
  endEntry = nullptr;
}

}  // namespace vx
