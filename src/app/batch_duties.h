#pragma once
// The duty table of a batch design: one row per duty, with the conditions
// window's fields as columns. Read from the bytes of a CSV file (UTF-8 or
// GBK, comma or tab separated); headers in Chinese or by their English alias.
#include <array>
#include <string>
#include <vector>

namespace vx {

enum class DutyField : int {
  Label,
  MediumA, ConcentrationA, PropertyTemperatureA,
  FlowA, FlowUnitA, TinA, ToutA,
  MediumB, ConcentrationB, PropertyTemperatureB,
  FlowB, FlowUnitB, TinB, ToutB,
  HeatLoad, HeatLoadUnit,
  AllowDpA, AllowDpB,
  FoulingA, FoulingB, FoulingUnit,
  Margin,
  DesignPressureA, DesignPressureB, DesignTemperatureA, DesignTemperatureB,
  SteamPressure, FlowDirection, ParallelUnits,
  Model, Plates, Passes,
  Count
};
inline constexpr int kDutyFields = static_cast<int>(DutyField::Count);

struct DutyColumn {
  const char* header;  // the Chinese header
  const char* alias;   // the English alias
  const char* unit;    // shown in the template's header, empty for none
  bool numeric;
};
const DutyColumn& DutyColumnOf(DutyField field);

struct Duty {
  int line = 0;  // line of the file where the row starts
  std::array<std::string, kDutyFields> cells;  // trimmed texts; empty = not given
  // Why the row cannot run (a text in a number column, an unknown unit), or
  // empty.
  std::string error;

  const std::string& operator[](DutyField f) const { return cells[static_cast<size_t>(f)]; }
  std::string& operator[](DutyField f) { return cells[static_cast<size_t>(f)]; }
  bool given(DutyField f) const { return !(*this)[f].empty(); }
};

struct DutyTable {
  std::vector<Duty> duties;
  std::string error;  // why the table as a whole cannot be read; empty when it can
  bool gbk = false;   // the bytes were GBK, not UTF-8
};

// A table larger than this is refused.
inline constexpr size_t kMaxDuties = 100000;

// Reads the table from the file's bytes.
DutyTable ReadDuties(const std::string& bytes);
// The bytes as UTF-8: UTF-8 (with or without byte-order mark) as it is, any
// other bytes read as GBK. `gbk` tells which.
std::string DutyText(const std::string& bytes, bool& gbk);
// Whether `text` is well-formed UTF-8.
bool IsUtf8(const std::string& text);

// The list entries and options a cell names, -1 when it names none.
int FlowUnitIndex(const std::string& cell);        // 0 kg/h, 1 m3/h
int HeatLoadUnitIndex(const std::string& cell);    // 0 KW, 1 KCal/h
int FoulingUnitIndex(const std::string& cell);     // 0 K.m2/W, 1 K.m2.h/Kcal
int FlowDirectionIndex(const std::string& cell);   // 0 逆流, 1 并流
// A number cell as the conditions window's field takes it: plain decimal
// text (no exponent), "" when the cell is not a number.
std::string FieldNumberText(const std::string& cell);

// The example table (UTF-8 with byte-order mark): the guide's worked example
// checked, the same duty designed automatically, steam heating water, and a
// glycol cooler designed with a named model.
std::string DutyTemplate();

}  // namespace vx
