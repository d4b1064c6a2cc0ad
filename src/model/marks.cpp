// Mark tables: fill, pattern, invert, copy, count.
#include "model/marks.h"

#include <algorithm>

namespace orvane {

void FillMarks(TMarkArray& marks, std::uint8_t value) { marks.fill(value); }

void PatternMarks(TMarkArray& marks, int n) {
  n = std::max(n, 1);
  for (int i = 0; i < kGridCapacity; ++i) marks[i] = ((i / n) % 2 == 0) ? 1 : 0;
}

void InvertMarks(TMarkArray& marks) {
  for (auto& m : marks) {
    if (m == 0) m = 1;
    else if (m == 1) m = 0;
  }
}

void CopyMarks(const TMarkArray& from, TMarkArray& to) { to = from; }

int CountMarks(const TMarkArray& marks) {
  return static_cast<int>(std::count_if(marks.begin(), marks.end(), [](std::uint8_t m) { return m != 0; }));
}

}  // namespace orvane
