// The files of the outputs: the statistics list "DataBank.phe" and the Word
// template "Veloxa.sav", read and filled from any bytes. The first byte picks
// the file; the rest is its content.
#include "fuzz_support.h"
#include "reports/docx_document.h"
#include "reports/statistics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  if (size < 1) return 0;
  const std::filesystem::path& dir = fuzz::DataFolder();
  const uint8_t kind = data[0] % 3;
  ++data;
  --size;
  const std::string text(reinterpret_cast<const char*>(data), size);
  switch (kind) {
    case 0:
      fuzz::WriteFile("DataBank.phe", data, size);
      if (auto records = ReadStatistics(dir))
        for (const StatisticsRecord& r : *records) DateText(r.Date);
      break;
    case 1: {
      fuzz::WriteFile("Veloxa.sav", data, size);
      DocxFill fill;
      fill.cells = {{1, 1, DocxCell::Mode::Replace, "用户\n\"名称\"\x01"}, {44, 5, DocxCell::Mode::After, "x"}};
      fill.trailer = text.substr(0, 64);
      std::string error;
      if (FillDocx(dir / "Veloxa.sav", dir / "Doc.docx", fill, error)) {
        std::vector<std::vector<std::string>> table;
        ReadDocxTable(dir / "Doc.docx", table, error);
      }
      break;
    }
    case 2:
      DateFromText(text);
      XmlSafeText(text);
      break;
  }
  return 0;
}
