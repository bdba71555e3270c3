// The text files of the installation: the resource list, the presets, the
// option lists, the unit categories and the csv sources of the fluid
// databases. The first byte picks the file; the rest is its content.
#include "app/case_file.h"
#include "app/script_host.h"
#include "app/session.h"
#include "common/res_table.h"
#include "fuzz_support.h"
#include "properties/fluid_imports.h"
#include "properties/fluid_records.h"
#include "common/option_lists.h"
#include "common/preset_file.h"
#include "common/unit_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  if (size < 1) return 0;
  const std::filesystem::path& dir = fuzz::DataFolder();
  const uint8_t kind = data[0] % 8;
  ++data;
  --size;
  switch (kind) {
    case 0:
      fuzz::WriteFile(kResFile, data, size);
      for (int section : {10, 19}) LoadResTable(dir, section, section == 10 ? 16 : 11);
      break;
    case 1:
      fuzz::WriteFile(kPresetFile, data, size);
      ReadPresetFile(dir);
      break;
    case 2: {
      fuzz::WriteFile(kOptionListFile, data, size);
      std::string error;
      ReadOptionLists(dir, &error);
      break;
    }
    case 3:
      fuzz::WriteFile(kUnitFile, data, size);
      ReadUnitFile(dir);
      break;
    case 4:
      fuzz::WriteFile(kCommonFluidSource, data, size);
      ImportCommonData(dir);
      break;
    case 5:
      fuzz::WriteFile(kRffSource, data, size);
      ImportRff(dir);
      break;
    case 6:
      fuzz::WriteFile(kBaseDataSource, data, size);
      GenerateBaseData(dir);
      break;
    case 7: {
      // A case file, opened as the person opens it and viewed as stored results.
      fuzz::WriteFile("case.pda", data, size);
      ReadCaseItems(dir / "case.pda", 59);
      ScriptHost host({(dir / "case.pda").string(), (dir / "case.pda").string()});
      Session session(host, dir);
      if (!session.start()) break;
      Click(session.main().controls(), session.main().menuItem("mnuFileOpen"));
      Click(session.main().controls(), session.main().menuItem("mnuFileCheck"));
      break;
    }
  }
  return 0;
}
