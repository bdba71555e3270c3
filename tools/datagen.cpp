// veloxa-datagen SRC OUT: builds the installation data folder OUT from the
// readable sources in SRC, with the engine's own file code.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/record_file.h"
#include "common/text_file.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const std::string& what) {
  std::cerr << "veloxa-datagen: " << what << "\n";
  std::exit(1);
}

// Res.Dat: the readable UTF-8 list becomes GBK with CR LF line ends.
void makeResDat(const fs::path& src, const fs::path& out) {
  auto bytes = vx::readFileBytes(src / "Res.txt");
  if (!bytes) fail((src / "Res.txt").string() + " is missing");
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes->size()) {
    size_t end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    std::string line = bytes->substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  if (!vx::writeTextLines(out / "Res.Dat", lines)) fail("cannot write Res.Dat");
}

void copyFile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  if (ec) fail("cannot copy " + from.string() + ": " + ec.message());
}

// The plate catalogue: record 1 carries the data-edit password.
void makeCatalogue(const fs::path& out) {
  vx::RecordFile file(out / "Veloxa.dat", 142);
  vx::RecordWriter header(142);
  header.seek(118);
  header.single(7139.0f);
  file.setRecord(1, header.bytes());
  if (!file.save()) fail("cannot write Veloxa.dat");
}

// Files whose sources come later: present, so that the installation check
// passes, but empty.
void makeEmpty(const fs::path& out, const std::vector<std::string>& names) {
  for (const auto& name : names)
    if (!fs::exists(out / name) && !vx::writeFileAtomic(out / name, "")) fail("cannot write " + name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) fail("usage: veloxa-datagen SRC OUT");
  fs::path src = argv[1], out = argv[2];
  std::error_code ec;
  fs::create_directories(out, ec);
  if (ec) fail("cannot create " + out.string());

  makeResDat(src, out);
  copyFile(src / "help" / "veloxa.htm", out / "veloxa.htm");
  makeCatalogue(out);
  makeEmpty(out, {"PROPER.DAT", "Steam.dat", "Preset.dat", "DefData.Dat", "property.dat", "PubData.dat", "RFF.dat",
                  "RFFA.dat", "Matrix.dat", "bp.dat", "Unit.Dat", "Coinfor.dat", "Veloxa.sav", "comment.dat"});
  return 0;
}
