#include "reports/statistics.h"

#include <cmath>
#include <regex>

#include "common/data_lock.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "exchanger/design_window.h"
#include "reports/calculation_sheet.h"

namespace vx {

namespace {

// Days from 1970-01-01 of a civil date (proleptic Gregorian calendar).
long daysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

void civilFromDays(long z, long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

// 1899-12-30 counted from 1970-01-01.
constexpr long kOleEpoch = -25569;

}  // namespace

std::string writeStatisticsRecord(const StatisticsRecord& r) {
  RecordWriter w(kStatisticsRecordLength);
  w.text(r.Ref, 10);
  w.real64(r.Date);
  w.text(r.Project, 40);
  w.text(r.MediumA, 10);
  w.text(r.MediumB, 10);
  w.single(r.TinA);
  w.single(r.ToutA);
  w.single(r.TinB);
  w.single(r.ToutB);
  w.single(r.HeatLoad);
  w.text(r.Designation, 24);
  w.single(r.Margin);
  w.text(r.Remark, 40);
  w.text(r.Spare, 20);
  return w.bytes();
}

StatisticsRecord readStatisticsRecord(const std::string& bytes) {
  RecordReader rd(bytes);
  StatisticsRecord r;
  r.Ref = rd.text(10);
  r.Date = rd.real64();
  r.Project = rd.text(40);
  r.MediumA = rd.text(10);
  r.MediumB = rd.text(10);
  r.TinA = rd.single();
  r.ToutA = rd.single();
  r.TinB = rd.single();
  r.ToutB = rd.single();
  r.HeatLoad = rd.single();
  r.Designation = rd.text(24);
  r.Margin = rd.single();
  r.Remark = rd.text(40);
  r.Spare = rd.text(20);
  return r;
}

std::optional<double> DateFromText(const std::string& text) {
  static const std::regex pattern(R"(^\s*(\d{4})\s*(?:[/.-]|年)\s*(\d{1,2})\s*(?:[/.-]|月)\s*(\d{1,2})\s*(?:日)?\s*$)");
  std::smatch m;
  if (!std::regex_match(text, m, pattern)) return std::nullopt;
  const long y = std::stol(m[1]);
  const unsigned mo = static_cast<unsigned>(std::stoul(m[2])), d = static_cast<unsigned>(std::stoul(m[3]));
  if (y < 100 || mo < 1 || mo > 12 || d < 1) return std::nullopt;
  static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  if (d > kDays[mo - 1] + (mo == 2 && leap ? 1 : 0)) return std::nullopt;
  return static_cast<double>(daysFromCivil(y, mo, d) - kOleEpoch);
}

std::string DateText(double days) {
  // Less than a day from the epoch is no date of a case (blank bytes read
  // as a tiny number).
  if (!std::isfinite(days) || std::fabs(days) < 1 || std::fabs(days) > 3e6) return "";
  long y;
  unsigned m, d;
  civilFromDays(static_cast<long>(std::floor(days)) + kOleEpoch, y, m, d);
  return std::to_string(y) + "/" + std::to_string(m) + "/" + std::to_string(d);
}

StatisticsRecord CurrentStatistics(AppContext& ctx) {
  StatisticsRecord r;
  const CustomerTexts c = ReadCustomerTexts(ctx.windows);
  r.Ref = c.ref;
  // A date the person typed that is no date is stored as none.
  r.Date = DateFromText(c.txtdate).value_or(0);
  r.Project = c.project;
  if (auto* cond = ctx.windows.windowAs<Condition>(Condition::kName)) {
    r.MediumA = cond->cbomedium1->text;
    r.MediumB = cond->cbomedium2->text;
  }
  const VeloxaVar& v = ctx.var;
  r.TinA = v.TinA;
  r.ToutA = v.ToutA;
  r.TinB = v.TinB;
  r.ToutB = v.ToutB;
  r.HeatLoad = v.HeatLoad;
  if (auto* design = ctx.windows.windowAs<DesignWindow>(DesignWindow::kName)) {
    r.Designation = design->ModelDesignation;
    r.Margin = static_cast<float>(Val(design->txtover->text));
  }
  r.Remark = c.remark;
  r.Spare = std::string(20, ' ');
  return r;
}

namespace {

enum class Appended { Done, Unreadable, Full, Unwritable };

// The append itself, on the file as it is on disk, under the folder's lock.
Appended appendRecord(const std::filesystem::path& dir, const std::string& record) {
  DataFolderLock lock(dir);
  RecordFile file(dataPath(dir, kStatisticsFile), kStatisticsRecordLength);
  if (!file.load()) {
    // Only a file that is not there at all starts a new list; one that is
    // there but cannot be read (a link loop, no permission) is kept.
    std::error_code ec;
    const auto kind = std::filesystem::symlink_status(file.path(), ec);
    if (kind.type() != std::filesystem::file_type::not_found) return Appended::Unreadable;
    file.clear();
  }
  const int n = file.count();
  if (n >= kMaxAppendedRecords) return Appended::Full;
  // A trailing partial record is dropped: the new record starts at a whole
  // record boundary.
  file.truncate(n);
  file.setRecord(n + 1, record);
  return file.save() ? Appended::Done : Appended::Unwritable;
}

}  // namespace

bool AppendStatistics(AppContext& ctx) {
  // The messages wait until the lock is given back: another copy may be
  // waiting for it.
  switch (appendRecord(ctx.dataDir, writeStatisticsRecord(CurrentStatistics(ctx)))) {
    case Appended::Done: return true;
    case Appended::Unreadable:
      ctx.host.message("统计文件" + std::string(kStatisticsFile) + "无法读取，本次工况未加入统计表。",
                       Icon::Exclamation, Buttons::Ok, 0);
      return false;
    case Appended::Full:
      ctx.host.message("统计表已满，本次工况未加入统计表。", Icon::Exclamation, Buttons::Ok, 0);
      return false;
    case Appended::Unwritable:
      ctx.host.message("统计文件" + std::string(kStatisticsFile) + "无法写入，本次工况未加入统计表。",
                       Icon::Exclamation, Buttons::Ok, 0);
      return false;
  }
  return false;
}

std::optional<std::vector<StatisticsRecord>> ReadStatistics(const std::filesystem::path& dir) {
  const auto path = findFileNoCase(dir, kStatisticsFile);
  std::vector<StatisticsRecord> out;
  if (!path) return out;
  RecordFile file(*path, kStatisticsRecordLength);
  if (!file.load()) return std::nullopt;
  const int n = file.count();
  out.reserve(static_cast<size_t>(n));
  for (int i = 1; i <= n; ++i) out.push_back(readStatisticsRecord(file.record(i)));
  return out;
}

PheList::PheList(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = "列表";
  GrdPheList = &controls_.add("GrdPheList", ControlKind::Grid);
  GrdPheList->cellClicked = [this](int r, int) { currentRow = r; };
  Command1 = &controls_.add("Command1", ControlKind::Button);
  Command1->text = "Exit";
  Command1->clicked = [this] { ctx_.windows.closeWindow(kName); };
  rightButton = &controls_.add("rightButton", ControlKind::Button);
  rightButton->clicked = [this] { removeCurrentRow(); };
  load();
}

void PheList::load() {
  auto records = ReadStatistics(ctx_.dataDir);
  if (!records) {
    ctx_.host.message("统计文件" + std::string(kStatisticsFile) + "无法读取。", Icon::Exclamation, Buttons::Ok, 0);
    records.emplace();
  }
  if (static_cast<int>(records->size()) > kMaxListedRecords) {
    ctx_.host.message("统计表记录过多，只列出前" + std::to_string(kMaxListedRecords) + "条。", Icon::Information,
                      Buttons::Ok, 0);
    records->resize(static_cast<size_t>(kMaxListedRecords));
  }
  const int n = static_cast<int>(records->size());
  GridState& g = GrdPheList->grid;
  g.resize(n + 2, kCols);
  g.fixedRows = 2;
  g.fixedCols = 0;
  const std::string a = LoadMessage(221), b = LoadMessage(222);
  const std::string header[kCols] = {LoadMessage(346), LoadMessage(234), LoadMessage(342), a, a, a, b, b, b,
                                     LoadMessage(273), LoadMessage(306), LoadMessage(294) + "%", LoadMessage(348),
                                     LoadMessage(328)};
  for (int c = 0; c < kCols; ++c) g.cell(0, c) = header[c];
  const std::string medium = LoadMessage(260), tin = LoadMessage(281), tout = LoadMessage(377);
  g.cell(1, 3) = g.cell(1, 6) = medium;
  g.cell(1, 4) = g.cell(1, 7) = tin;
  g.cell(1, 5) = g.cell(1, 8) = tout;

  for (int i = 0; i < n; ++i) {
    const StatisticsRecord& r = (*records)[static_cast<size_t>(i)];
    const int row = i + 2;
    const std::string cells[kCols] = {r.Ref,        DateText(r.Date), r.Project,       r.MediumA,     Str(r.TinA),
                                      Str(r.ToutA), r.MediumB,        Str(r.TinB),     Str(r.ToutB),  Str(r.HeatLoad),
                                      r.Designation, Str(r.Margin),   r.Remark,        r.Spare};
    for (int c = 0; c < kCols; ++c) g.cell(row, c) = cells[c];
  }
}

void PheList::removeCurrentRow() {
  GridState& g = GrdPheList->grid;
  const int r = currentRow;
  if (r < g.fixedRows || r >= g.rows) return;
  if (ctx_.host.message("是否从列表中移去当前行？（统计文件中的记录不变）", Icon::Question, Buttons::YesNo, 0) !=
      Answer::Yes)
    return;
  for (int row = r; row + 1 < g.rows; ++row)
    for (int c = 0; c < g.cols; ++c) g.cell(row, c) = g.cell(row + 1, c);
  // The last row goes; the cells above it keep their texts.
  g.rows -= 1;
  g.cells.resize(static_cast<size_t>(g.rows * g.cols));
  g.backColors.resize(static_cast<size_t>(g.rows * g.cols));
  if (currentRow >= g.rows) currentRow = g.rows - 1;
}

}  // namespace vx
