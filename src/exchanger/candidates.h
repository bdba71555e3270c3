#pragma once
// The candidate list of the automatic design: entries 1 to AutoListSize in
// order of installed area, smallest first, and the grid that shows them.
#include <vector>

#include "common/controls.h"
#include "exchanger/design_window.h"

namespace vx {

// Empties entries 1 to the end: no plates and an area behind every candidate.
void ResetCandidates(std::vector<Candidate>& list);

// Inserts a candidate whose installed area (plates x plate area, unrounded)
// is `area` before the first entry with a larger stored area; the last entry
// falls off. False when every entry is smaller or equal (the candidate is dropped).
bool InsertCandidate(std::vector<Candidate>& list, const Candidate& candidate, double area);

// A value cut (not rounded) to two decimals.
float CutToHundredths(double value);

// Fills the candidate grid: the header row, then one row per used entry and
// one empty row after the last one (when the list has room).
void FillCandidateGrid(const std::vector<Candidate>& list, GridState& grid);

}  // namespace vx
