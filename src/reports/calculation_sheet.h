#pragma once
// The calculation sheet "板式换热器工艺计算书": the one page that records a
// design case for the customer, drawn on any page surface, and the question
// asked before anything is put on paper or into a document.
#include <array>
#include <string>

#include "common/page_surface.h"
#include "common/window_model.h"

namespace vx {

// The seven texts of the customer information window, as typed.
struct CustomerTexts {
  std::string custname, project, ref, Ref1, txtdate, designer, remark;
};
// Reads them from the customer window (created first when it does not exist
// yet); empty texts when the system has no such window.
CustomerTexts ReadCustomerTexts(WindowDirectory& windows);

// The seven texts of the outline-dimension window.
struct OutlineTexts {
  std::string lengtht, widtht, heightt, wt, gt, tiedmax, tiedmin;
};
OutlineTexts ReadOutlineTexts(WindowDirectory& windows);

inline constexpr int kSheetRows = 36;

// Every text the sheet prints, taken from the windows and the design case.
struct SheetData {
  std::string companyName;  // kind 0, trimmed
  std::string companyLine;  // kind 1
  CustomerTexts customer;
  // The calculated area and the surface margin (%) of the design window,
  // printed beside the provided area.
  std::string calculatedArea, margin;
  // The value texts of table rows 1 to 36 (index 0 unused); single rows use a.
  std::array<std::string, kSheetRows + 1> a{}, b{};
};

SheetData GatherSheetData(AppContext& ctx);

// Lays out the whole page. It only reads `data`.
void DrawCalculationSheet(const SheetData& data, PageSurface& surface);

// The label and unit of table row r (1 to 36).
std::string SheetRowLabel(int row);
std::string SheetRowUnit(int row);

// The warnings before an output; true when the output may go on.
bool ConfirmOutput(AppContext& ctx);

// The rounded Str forms of the sheet: two or one decimals.
std::string Rounded2(float v);
std::string Rounded1(float v);

// The bottom edge of the page frame: the remark stays above it.
inline constexpr int kFrameBottom = 15400;
inline constexpr int kFrameRight = 10500;

}  // namespace vx
