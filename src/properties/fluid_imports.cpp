#include "properties/fluid_imports.h"

#include <cfloat>
#include <cmath>
#include <vector>

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/gbk.h"
#include "common/number_text.h"
#include "common/numeric_csv.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "properties/fluid_records.h"

namespace fs = std::filesystem;

namespace vx {

namespace {

enum class Kind { Text, Single, Double, Integer, Flag, Unused };

struct Field {
  Kind kind;
  const char* name;
  int width = 0;  // bytes, for text fields
};

struct Layout {
  int recordLength;
  bool setValid;  // the data bank records start with Valid = 1
  std::vector<Field> fields;
};

std::vector<Field> singles(std::initializer_list<const char*> names) {
  std::vector<Field> out;
  for (const char* n : names) out.push_back({Kind::Single, n});
  return out;
}

Layout layoutOf(FluidTable table) {
  switch (table) {
    case FluidTable::CommonData:
      return {kPubDataRecordLength, false,
              {{Kind::Text, "Name", kCommonNameWidth},
               {Kind::Flag, "HasTemperature"},
               {Kind::Flag, "HasConcentration"},
               {Kind::Single, "TMin"},
               {Kind::Single, "TMax"},
               {Kind::Single, "CMin"},
               {Kind::Single, "CMax"}}};
    case FluidTable::Rff: return {kRffRecordLength, false, singles({"x", "y"})};
    case FluidTable::Rffa:
      return {kRffaRecordLength, false, singles({"temperature", "density", "specific heat", "conductivity",
                                                 "viscosity"})};
    case FluidTable::Matrix: return {kMatrixRecordLength, false, singles({"x", "y", "z"})};
    case FluidTable::BaseData: {
      std::vector<Field> f = {{Kind::Text, "Formula", 10},
                              {Kind::Text, "NameCn", 20},
                              {Kind::Text, "AliasCn", 30},
                              {Kind::Text, "NameEn", 30},
                              {Kind::Text, "CasNo", 12}};
      auto add = [&f](const std::vector<Field>& more) { f.insert(f.end(), more.begin(), more.end()); };
      add(singles({"MolWeight", "TFreeze", "TBoil", "Tc", "Pc", "Vc", "Zc", "Omega", "Dipole", "CpA", "CpB",
                   "CpC", "CpD", "Reserved1", "Reserved2"}));
      f.push_back({Kind::Integer, "VpEquation"});
      add(singles({"VpA", "VpB", "VpC", "VpD", "VpTMin", "VpTMax", "LiqDensity", "LiqDensityT"}));
      f.push_back({Kind::Integer, "VisEquation"});
      f.push_back({Kind::Double, "VisA"});
      add(singles({"VisB", "VisC", "VisD", "VisTMin", "VisTMax", "VisRef", "VisRefT"}));
      f.push_back({Kind::Unused, "unused"});
      return {kBaseDataRecordLength, true, f};
    }
  }
  return {0, false, {}};
}

const char* targetName(FluidTable table) {
  switch (table) {
    case FluidTable::CommonData: return kCommonFluidFile;
    case FluidTable::Rff: return kRffFile;
    case FluidTable::Rffa: return kRffaFile;
    case FluidTable::Matrix: return kMatrixFile;
    case FluidTable::BaseData: return kBaseDataFile;
  }
  return "";
}

const char* sourceName(FluidTable table) {
  switch (table) {
    case FluidTable::CommonData: return kCommonFluidSource;
    case FluidTable::Rff: return kRffSource;
    case FluidTable::Rffa: return kRffaSource;
    case FluidTable::Matrix: return kMatrixSource;
    case FluidTable::BaseData: return kBaseDataSource;
  }
  return "";
}

struct Item {
  std::string text;
  int line;
};

bool isBlankLine(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

// Converts the items of one record and packs them. In lenient mode a value
// that does not fit its field becomes 0, as an item without a number does;
// in strict mode it is an error described in `why`.
bool packRecord(const Layout& layout, const std::vector<Item>& items, size_t first, ImportMode mode,
                std::string& bytes, std::string& why) {
  const bool strict = mode == ImportMode::Strict;
  RecordWriter w(layout.recordLength);
  if (layout.setValid) w.int16(1);
  for (size_t i = 0; i < layout.fields.size(); ++i) {
    const Field& f = layout.fields[i];
    const std::string& text = items[first + i].text;
    const std::string label = "item " + std::to_string(i + 1) + " (" + f.name + ") \"" + text + "\"";
    if (f.kind == Kind::Unused) continue;
    if (f.kind == Kind::Text) {
      if (strict) {
        const std::string gbk = toGbk(text);
        if (fromGbk(gbk) != text) {
          why = label + " cannot be written in GBK";
          return false;
        }
        if (gbk.size() > static_cast<size_t>(f.width)) {
          why = label + " is " + std::to_string(gbk.size()) + " bytes, the field holds " + std::to_string(f.width);
          return false;
        }
      }
      w.text(text, f.width);
      continue;
    }
    double v = 0;
    v = Val(text);
    // The build accepts only items that are wholly a number and that the
    // runtime reading takes the same way (no "0x10", no blanks inside).
    double whole = 0;
    if (strict && !(parseNumber(text, whole) && whole == v)) {
      why = label + " is not a number";
      return false;
    }
    switch (f.kind) {
      case Kind::Single:
        if (!(std::fabs(v) <= FLT_MAX)) {
          if (strict) {
            why = label + " is out of single-precision range";
            return false;
          }
          v = 0;
        }
        w.single(static_cast<float>(v));
        break;
      case Kind::Double: w.real64(v); break;
      case Kind::Integer: {
        // Halves to even, as the rounding mode of the FPU does by default.
        double r = std::nearbyint(v);
        if (r < -32768.0 || r > 32767.0) {
          if (strict) {
            why = label + " is out of the range of a 16-bit integer";
            return false;
          }
          r = 0;
        }
        if (strict && r != v) {
          why = label + " is not a whole number";
          return false;
        }
        w.int16(static_cast<int16_t>(r));
        break;
      }
      case Kind::Flag: w.int16(v != 0 ? -1 : 0); break;
      default: break;
    }
  }
  bytes = w.bytes();
  return true;
}

}  // namespace

int ItemsPerRecord(FluidTable table) { return static_cast<int>(layoutOf(table).fields.size()); }

ImportResult ImportFluidTable(FluidTable table, const fs::path& source, const fs::path& target, ImportMode mode) {
  ImportResult result;
  const Layout layout = layoutOf(table);
  const size_t perRecord = layout.fields.size();
  auto lines = readTextLines(source);
  if (!lines) {
    result.error = source.string() + ": missing or unreadable";
    return result;
  }

  // Blank lines hold no items in either mode.
  std::vector<Item> items;
  for (size_t i = 0; i < lines->size(); ++i) {
    const std::string& line = (*lines)[i];
    if (isBlankLine(line)) continue;
    const int lineNo = static_cast<int>(i + 1);
    std::vector<std::string> parts = splitItems(line);
    if (mode == ImportMode::Strict && parts.size() != perRecord) {
      result.error = source.string() + ":" + std::to_string(lineNo) + ": expected " + std::to_string(perRecord) +
                     " items, found " + std::to_string(parts.size());
      return result;
    }
    for (auto& p : parts) items.push_back({std::move(p), lineNo});
  }
  if (items.size() % perRecord != 0) {
    result.error = source.string() + ": the last record has " + std::to_string(items.size() % perRecord) + " of " +
                   std::to_string(perRecord) + " items";
    return result;
  }

  RecordFile file(target, layout.recordLength);
  if (mode == ImportMode::Lenient) {
    std::error_code ec;
    if (fs::exists(target, ec) && !file.load()) {
      result.error = target.string() + ": cannot be read";
      return result;
    }
  }
  int n = 0;
  for (size_t first = 0; first < items.size(); first += perRecord) {
    std::string bytes, why;
    if (!packRecord(layout, items, first, mode, bytes, why)) {
      result.error = source.string() + ":" + std::to_string(items[first].line) + ": " + why;
      return result;
    }
    file.setRecord(++n, bytes);
  }
  if (!file.save()) {
    result.error = target.string() + ": cannot be written";
    return result;
  }
  result.ok = true;
  result.records = n;
  return result;
}

namespace {

ImportResult importInFolder(FluidTable table, const fs::path& dir) {
  DataFolderLock lock(dir);
  return ImportFluidTable(table, dataPath(dir, sourceName(table)), dataPath(dir, targetName(table)),
                          ImportMode::Lenient);
}

}  // namespace

ImportResult ImportCommonData(const fs::path& dir) { return importInFolder(FluidTable::CommonData, dir); }
ImportResult ImportRff(const fs::path& dir) { return importInFolder(FluidTable::Rff, dir); }
ImportResult ImportRffa(const fs::path& dir) { return importInFolder(FluidTable::Rffa, dir); }
ImportResult ImportMatrix(const fs::path& dir) { return importInFolder(FluidTable::Matrix, dir); }
ImportResult GenerateBaseData(const fs::path& dir) { return importInFolder(FluidTable::BaseData, dir); }

}  // namespace vx
