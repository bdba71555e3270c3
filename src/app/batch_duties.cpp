#include "app/batch_duties.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/gbk.h"

namespace vx {

namespace {

using F = DutyField;

const std::array<DutyColumn, kDutyFields> kColumns = {{
    {"编号", "label", "", false},
    {"介质A", "medium_a", "", false},
    {"浓度A", "concentration_a", "%", true},
    {"物性温度A", "property_temperature_a", "℃", true},
    {"流量A", "flow_a", "", true},
    {"流量单位A", "flow_unit_a", "", false},
    {"进口温度A", "inlet_a", "℃", true},
    {"出口温度A", "outlet_a", "℃", true},
    {"介质B", "medium_b", "", false},
    {"浓度B", "concentration_b", "%", true},
    {"物性温度B", "property_temperature_b", "℃", true},
    {"流量B", "flow_b", "", true},
    {"流量单位B", "flow_unit_b", "", false},
    {"进口温度B", "inlet_b", "℃", true},
    {"出口温度B", "outlet_b", "℃", true},
    {"热负荷", "heat_load", "", true},
    {"热负荷单位", "heat_load_unit", "", false},
    {"允许压降A", "allowed_dp_a", "kPa", true},
    {"允许压降B", "allowed_dp_b", "kPa", true},
    {"污垢系数A", "fouling_a", "", true},
    {"污垢系数B", "fouling_b", "", true},
    {"污垢系数单位", "fouling_unit", "", false},
    {"裕度", "margin", "%", true},
    {"设计压力A", "design_pressure_a", "MPa", true},
    {"设计压力B", "design_pressure_b", "MPa", true},
    {"设计温度A", "design_temperature_a", "℃", true},
    {"设计温度B", "design_temperature_b", "℃", true},
    {"蒸汽压力", "steam_pressure", "MPa", true},
    {"流向", "flow_direction", "", false},
    {"台数", "units", "", true},
    {"型号", "model", "", false},
    {"板片数", "plates", "", true},
    {"流程数", "passes", "", true},
}};

std::string trim(const std::string& s) {
  const char* blanks = " \t\r\n";
  const size_t a = s.find_first_not_of(blanks);
  if (a == std::string::npos) return "";
  // A full-width blank (U+3000) around a cell is a blank too.
  std::string t = s.substr(a, s.find_last_not_of(blanks) - a + 1);
  const std::string wide = "\xE3\x80\x80";
  while (t.rfind(wide, 0) == 0) t = t.substr(wide.size());
  while (t.size() >= wide.size() && t.compare(t.size() - wide.size(), wide.size(), wide) == 0)
    t.resize(t.size() - wide.size());
  return t == s ? t : trim(t);
}

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// A header names its column by the Chinese header or the English alias,
// letter case, blanks and a unit in brackets aside ("进口温度A(℃)",
// "Inlet_A", "inlet a").
std::string headerKey(const std::string& header) {
  std::string h = trim(header);
  for (const char* open : {"(", "（", "["}) {
    const size_t at = h.find(open);
    if (at != std::string::npos && at > 0) h = h.substr(0, at);
  }
  std::string key;
  for (char c : lower(trim(h)))
    if (c != ' ' && c != '_' && c != '-') key += c;
  return key;
}

int columnOf(const std::string& header) {
  const std::string key = headerKey(header);
  for (int i = 0; i < kDutyFields; ++i) {
    const DutyColumn& c = kColumns[static_cast<size_t>(i)];
    if (key == headerKey(c.header) || key == headerKey(c.alias)) return i;
  }
  return -1;
}

// A strict decimal number: sign, digits, point, exponent; nothing else.
bool strictNumber(const std::string& text, double& value) {
  std::string t = text;
  if (!t.empty() && t[0] == '+') t = t.substr(1);
  if (t.empty() || t.size() > 64) return false;
  size_t i = 0, digits = 0;
  if (t[i] == '-') ++i;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != t.size()) return false;
  const auto result = std::from_chars(t.data(), t.data() + t.size(), value);
  return result.ec == std::errc() && std::isfinite(value);
}

bool plainDecimal(const std::string& t) {
  size_t i = t.rfind('-', 0) == 0 ? 1 : 0, digits = 0, points = 0;
  for (; i < t.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(t[i]))) ++digits;
    else if (t[i] == '.' && ++points == 1) continue;
    else return false;
  }
  return digits > 0;
}

// Splits the text into rows of items: double quotes hold separators, line
// ends and doubled quotes. Each row keeps the line it starts on.
struct RawRow {
  int line = 0;
  std::vector<std::string> items;
};

std::vector<RawRow> splitRows(const std::string& text, char separator, size_t limit, bool& tooMany) {
  std::vector<RawRow> rows;
  RawRow row;
  std::string item;
  bool quoted = false, any = false;
  int line = 1;
  row.line = 1;
  auto endRow = [&] {
    row.items.push_back(item);
    item.clear();
    bool blank = true;
    for (const auto& it : row.items) blank = blank && trim(it).empty();
    if (!blank) rows.push_back(std::move(row));
    row = RawRow{};
    row.line = line;
    any = false;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          item += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        if (c == '\n') ++line;
        item += c;
      }
      continue;
    }
    if (c == '"' && trim(item).empty()) {
      item.clear();
      quoted = true;
      any = true;
    } else if (c == separator) {
      row.items.push_back(item);
      item.clear();
      any = true;
    } else if (c == '\n') {
      ++line;
      endRow();
      if (rows.size() > limit) {
        tooMany = true;
        return rows;
      }
    } else if (c != '\r') {
      item += c;
      any = true;
    }
  }
  if (any || !item.empty()) endRow();
  return rows;
}

int indexOf(const std::string& cell, std::initializer_list<std::initializer_list<const char*>> names) {
  const std::string key = lower(trim(cell));
  int i = 0;
  for (const auto& entry : names) {
    for (const char* n : entry)
      if (key == lower(n)) return i;
    ++i;
  }
  return -1;
}

}  // namespace

const DutyColumn& DutyColumnOf(DutyField field) { return kColumns[static_cast<size_t>(field)]; }

int FlowUnitIndex(const std::string& cell) {
  return indexOf(cell, {{"", "kg/h", "kgh"}, {"m3/h", "m³/h", "m^3/h"}});
}
int HeatLoadUnitIndex(const std::string& cell) {
  return indexOf(cell, {{"", "KW", "kW"}, {"KCal/h", "kcal/h"}});
}
int FoulingUnitIndex(const std::string& cell) {
  return indexOf(cell, {{"", "K.m2/W", "m2.K/W", "m2K/W", "m²·K/W"}, {"K.m2.h/Kcal", "m2.h.K/kcal"}});
}
int FlowDirectionIndex(const std::string& cell) {
  return indexOf(cell, {{"", "逆流", "counter", "counterflow", "counter-current"},
                        {"并流", "co-current", "cocurrent", "parallel"}});
}

std::string FieldNumberText(const std::string& cell) {
  const std::string t = trim(cell);
  double value = 0;
  if (!strictNumber(t, value)) return "";
  if (plainDecimal(t)) return t.rfind('+', 0) == 0 ? t.substr(1) : t;
  // "5E-05" as a spreadsheet writes it: the field reads only plain decimals.
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.12f", value);
  std::string s = buffer;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s == "-0" ? "0" : s;
}

bool IsUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t len = 0;
    uint32_t cp = 0;
    if (c < 0x80) len = 1, cp = c;
    else if (c >= 0xC2 && c <= 0xDF) len = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) len = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4) len = 4, cp = c & 0x07;
    else return false;
    if (i + len > text.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      const unsigned char d = static_cast<unsigned char>(text[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += len;
  }
  return true;
}

std::string DutyText(const std::string& bytes, bool& gbk) {
  gbk = false;
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return bytes.substr(3);
  if (IsUtf8(bytes)) return bytes;
  gbk = true;
  return fromGbk(bytes);
}

DutyTable ReadDuties(const std::string& bytes) {
  DutyTable table;
  if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) {
    table.error = "工况表是UTF-16编码，请另存为CSV（UTF-8或GBK）。";
    return table;
  }
  const std::string text = DutyText(bytes, table.gbk);
  // The first line decides the separator: a tab-separated export of a
  // spreadsheet has tabs and no commas there.
  const std::string first = text.substr(0, text.find('\n'));
  const char separator = first.find('\t') != std::string::npos && first.find(',') == std::string::npos ? '\t' : ',';
  bool tooMany = false;
  std::vector<RawRow> rows = splitRows(text, separator, kMaxDuties + 1, tooMany);
  if (tooMany || rows.size() > kMaxDuties + 1) {
    table.error = "工况表超过" + std::to_string(kMaxDuties) + "行。";
    return table;
  }
  if (rows.empty()) {
    table.error = "工况表是空的。";
    return table;
  }
  // The header row.
  std::vector<int> columnField;
  std::array<bool, kDutyFields> seen{};
  for (const std::string& header : rows[0].items) {
    if (trim(header).empty()) {
      columnField.push_back(-1);
      continue;
    }
    const int field = columnOf(header);
    if (field < 0) {
      table.error = "工况表的列名“" + trim(header) + "”无法识别。";
      return table;
    }
    if (seen[static_cast<size_t>(field)]) {
      table.error = "工况表的列“" + std::string(kColumns[static_cast<size_t>(field)].header) + "”出现了两次。";
      return table;
    }
    seen[static_cast<size_t>(field)] = true;
    columnField.push_back(field);
  }
  for (size_t r = 1; r < rows.size(); ++r) {
    Duty duty;
    duty.line = rows[r].line;
    const auto& items = rows[r].items;
    for (size_t c = 0; c < items.size(); ++c) {
      const std::string cell = trim(items[c]);
      if (c >= columnField.size() || columnField[c] < 0) {
        if (!cell.empty() && duty.error.empty())
          duty.error = "第" + std::to_string(duty.line) + "行第" + std::to_string(c + 1) + "列没有列名：" + cell;
        continue;
      }
      duty.cells[static_cast<size_t>(columnField[c])] = cell;
    }
    // Each cell is checked as the window's list or field would take it.
    for (int f = 0; f < kDutyFields && duty.error.empty(); ++f) {
      const DutyColumn& col = kColumns[static_cast<size_t>(f)];
      const std::string& cell = duty.cells[static_cast<size_t>(f)];
      if (cell.empty()) continue;
      const auto field = static_cast<DutyField>(f);
      bool ok = true;
      if (col.numeric) ok = !FieldNumberText(cell).empty();
      else if (field == F::FlowUnitA || field == F::FlowUnitB) ok = FlowUnitIndex(cell) >= 0;
      else if (field == F::HeatLoadUnit) ok = HeatLoadUnitIndex(cell) >= 0;
      else if (field == F::FoulingUnit) ok = FoulingUnitIndex(cell) >= 0;
      else if (field == F::FlowDirection) ok = FlowDirectionIndex(cell) >= 0;
      if (!ok) {
        duty.error = "第" + std::to_string(duty.line) + "行“" + col.header + "”" +
                     (col.numeric ? "不是数字" : "无法识别") + "：" + cell;
      }
    }
    table.duties.push_back(std::move(duty));
  }
  if (table.duties.empty()) table.error = "工况表中没有工况。";
  return table;
}

std::string DutyTemplate() {
  std::string out = "\xEF\xBB\xBF";
  for (int f = 0; f < kDutyFields; ++f) {
    const DutyColumn& c = kColumns[static_cast<size_t>(f)];
    out += (f ? "," : "") + std::string(c.header) + (c.unit[0] ? "(" + std::string(c.unit) + ")" : "");
  }
  out += "\r\n";
  // Cells by field; the rest stays empty (unknown, or the window's preset).
  auto row = [&out](std::initializer_list<std::pair<F, const char*>> cells) {
    std::array<std::string, kDutyFields> items;
    for (const auto& [f, text] : cells) items[static_cast<size_t>(f)] = text;
    for (int f = 0; f < kDutyFields; ++f) out += (f ? "," : "") + items[static_cast<size_t>(f)];
    out += "\r\n";
  };
  // The guide's worked example: the default duty, VX038N with 47 plates checked.
  row({{F::Label, "计算示例"}, {F::MediumA, "水"}, {F::FlowA, "60000"}, {F::FlowUnitA, "kg/h"},
       {F::TinA, "110"}, {F::ToutA, "90"}, {F::MediumB, "水"}, {F::FlowUnitB, "kg/h"}, {F::TinB, "60"},
       {F::ToutB, "80"}, {F::AllowDpA, "50"}, {F::AllowDpB, "50"}, {F::FlowDirection, "逆流"},
       {F::Model, "VX038N"}, {F::Plates, "47"}, {F::Passes, "1"}});
  // The same duty, designed automatically over the catalogue.
  row({{F::Label, "自动设计"}, {F::MediumA, "水"}, {F::FlowA, "60000"}, {F::TinA, "110"}, {F::ToutA, "90"},
       {F::MediumB, "水"}, {F::TinB, "60"}, {F::ToutB, "80"}, {F::AllowDpA, "50"}, {F::AllowDpB, "50"},
       {F::Margin, "10"}});
  // Saturated steam at 0.3 MPa heating water from 50 to 80 ℃.
  row({{F::Label, "蒸汽加热"}, {F::MediumA, "水"}, {F::FlowA, "30000"}, {F::TinA, "50"}, {F::ToutA, "80"},
       {F::MediumB, "蒸汽"}, {F::SteamPressure, "0.3"}, {F::AllowDpA, "50"}, {F::AllowDpB, "20"},
       {F::Margin, "10"}});
  // 30 % ethylene glycol warmed by water; the plates of one model designed.
  row({{F::Label, "乙二醇冷却"}, {F::MediumA, "乙二醇水溶液"}, {F::ConcentrationA, "30"}, {F::FlowA, "40000"},
       {F::TinA, "5"}, {F::ToutA, "12"}, {F::MediumB, "水"}, {F::TinB, "20"}, {F::ToutB, "14"},
       {F::HeatLoadUnit, "KW"}, {F::AllowDpA, "60"}, {F::AllowDpB, "60"}, {F::FoulingA, "0.00003"},
       {F::FoulingB, "0.00003"}, {F::Margin, "10"}, {F::DesignTemperatureA, "50"}, {F::Model, "VX038N"}});
  return out;
}

}  // namespace vx
