#pragma once
// The result row of one duty of a batch: what the windows show after the
// row's heat balance and design, as numbers where they are numbers.
#include <string>
#include <vector>

#include "common/table_sheet.h"

namespace vx {

class Session;

enum class ResultColumn : int {
  Row, Label, Status, MessageId, Messages,
  FlowA, FlowB, TinA, ToutA, TinB, ToutB, HeatLoad, Lmtd, CorrectionF,
  Model, Plates, PassesA, PassesB, Channels,
  Area, GrossArea, Margin,
  DropA, DropB, UseA, UseB,
  ChannelVelocityA, ChannelVelocityB, ReynoldsA, ReynoldsB, FilmA, FilmB, ServiceU,
  NozzleVelocityA, NozzleVelocityB,
  Notes,
  Model2, Area2, Model3, Area3,
  Count
};
inline constexpr int kResultColumns = static_cast<int>(ResultColumn::Count);

// The result table's columns: header, unit and number format.
const std::vector<SheetColumn>& ResultColumns();

struct ShownText {
  int id = 0;  // catalogue number, 0 for a message without one
  std::string text;
};

struct BatchResult {
  bool ok = false;
  // The message that stopped the row (its id is 0 for a reason of the
  // batch's own, such as an unknown medium).
  ShownText failure;
  // Every message the row showed, in order.
  std::vector<ShownText> messages;
  std::vector<SheetCell> cells;  // one per result column

  const SheetCell& operator[](ResultColumn c) const { return cells[static_cast<size_t>(c)]; }
  SheetCell& operator[](ResultColumn c) { return cells[static_cast<size_t>(c)]; }
};

// The status texts of the result table.
inline constexpr const char* kStatusDone = "完成";
inline constexpr const char* kStatusFailed = "失败";

// A result row for duty `row` (from 1) named `label`: the status, and when
// `ok` the duty, the chosen exchanger and its ratings as `session`'s
// windows show them (`session` may be null for a failed row).
BatchResult CollectResult(Session* session, int row, const std::string& label, bool ok, ShownText failure,
                          std::vector<ShownText> messages);

// The table of a batch, in input order; failed rows are marked.
TableSheet ResultSheet(const std::vector<BatchResult>& results);

// "[477] 该型号的换热器无法满足要求。; ..." for the messages column.
std::string MessagesText(const std::vector<ShownText>& messages);

}  // namespace vx
