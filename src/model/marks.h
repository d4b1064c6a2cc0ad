// Operations on the per-column and per-row mark tables.
#pragma once

#include <cstdint>

#include "model/types.h"

namespace orvane {

void FillMarks(TMarkArray& marks, std::uint8_t value);
// Entry i := 1 when (i div n) is even, else 0; n below 1 counts as 1.
void PatternMarks(TMarkArray& marks, int n);
// Swaps 0 and 1; any other value (an emphasised 2) stays.
void InvertMarks(TMarkArray& marks);
void CopyMarks(const TMarkArray& from, TMarkArray& to);
int CountMarks(const TMarkArray& marks);

}  // namespace orvane
