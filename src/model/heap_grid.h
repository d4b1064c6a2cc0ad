// A 257 x 257 table allocated once on the heap and never reallocated.
#pragma once

#include <array>

#include "model/types.h"
#include "model/zeroed_table.h"

namespace orvane {

template <class T>
class THeapGrid {
 public:
  using Column = std::array<T, kGridCapacity>;

  THeapGrid() : cells_(MakeZeroed<Cells>()) {}
  THeapGrid(const THeapGrid& other) : cells_(MakeZeroed<Cells>()) { *cells_ = *other.cells_; }
  // Assignment copies contents into the existing block: no reallocation.
  THeapGrid& operator=(const THeapGrid& other) {
    if (this != &other) *cells_ = *other.cells_;
    return *this;
  }
  ~THeapGrid() = default;

  Column& operator[](int column) { return (*cells_)[column]; }
  const Column& operator[](int column) const { return (*cells_)[column]; }

 private:
  using Cells = std::array<Column, kGridCapacity>;
  TZeroedPtr<Cells> cells_;
};

using TVertexGrid = THeapGrid<TDbl3D>;
using TFlagPlane = THeapGrid<std::uint8_t>;

}  // namespace orvane
