#include "exchanger/candidates.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/messages.h"
#include "common/number_text.h"

namespace vx {

void ResetCandidates(std::vector<Candidate>& list) {
  for (size_t i = 1; i < list.size(); ++i) {
    Candidate& c = list[i];
    c.plates = 0;
    c.firstKind = 0;
    c.secondKind = 0;
    c.passes = 1;
    c.area = 3276730;
  }
}

float CutToHundredths(double value) {
  // Cut the decimal value that the single-precision number stands for (its
  // seven significant digits), not the binary noise below them: 41 x 0.22 is
  // stored as 9.019999..., and Int of that times 100 would list 9.01 beside
  // an installed area of 9.02.
  const float single = static_cast<float>(value);
  if (!std::isfinite(single) || std::fabs(single) >= 1e15f) return single;
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.6e", std::fabs(static_cast<double>(single)));
  char buf[64];
  const auto written = std::to_chars(buf, buf + sizeof buf, std::strtod(digits, nullptr), std::chars_format::fixed);
  const std::string text(buf, written.ptr);
  const size_t dot = text.find('.');
  const std::string whole = text.substr(0, dot);
  const std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
  long long hundredths = std::stoll(whole) * 100 + std::stoll((fraction + "00").substr(0, 2));
  const bool beyond = fraction.size() > 2 && fraction.find_first_not_of('0', 2) != std::string::npos;
  if (single < 0) {
    // Int goes down: -3.456 gives -3.46.
    if (beyond) ++hundredths;
    hundredths = -hundredths;
  }
  return static_cast<float>(static_cast<double>(hundredths) / 100);
}

bool InsertCandidate(std::vector<Candidate>& list, const Candidate& candidate, double area) {
  for (size_t l = 1; l < list.size(); ++l) {
    if (list[l].area > area) {
      for (size_t k = list.size() - 1; k > l; --k) list[k] = list[k - 1];
      list[l] = candidate;
      return true;
    }
  }
  return false;
}

void FillCandidateGrid(const std::vector<Candidate>& list, GridState& grid) {
  // Header: "^序号|<型号|^换热面积|^板片数|^硬通道数|^软通道数|^流程数|^裕度%".
  const std::vector<std::string> header = GridFormatItems(LoadMessage(480));
  int rows = 2;
  for (size_t i = 1; i < list.size(); ++i) {
    rows = static_cast<int>(i) + 1;
    if (list[i].plates == 0) break;
  }
  grid.resize(rows, static_cast<int>(header.size()));
  grid.fixedRows = 1;
  for (size_t c = 0; c < header.size(); ++c) grid.cell(0, static_cast<int>(c)) = header[c];
  // A list without entries (only the unused entry 0) still shows its empty
  // row, and no row reads past the list.
  for (int i = 1; i < rows && static_cast<size_t>(i) < list.size(); ++i) {
    const Candidate& e = list[static_cast<size_t>(i)];
    if (e.plates == 0) break;
    grid.cell(i, 0) = std::to_string(i);
    grid.cell(i, 1) = e.name;
    grid.cell(i, 2) = PlainNumber(e.area);
    grid.cell(i, 3) = std::to_string(e.plates);
    const bool twoKinds = e.mixIndex > 2;
    grid.cell(i, 4) = std::to_string(e.firstKind);
    grid.cell(i, 5) = std::to_string(twoKinds ? e.secondKind : e.firstKind);
    grid.cell(i, 6) = std::to_string(e.passes);
    grid.cell(i, 7) = PlainNumber(e.margin);
  }
}

}  // namespace vx
