// A 257 x 257 table allocated once on the heap and never reallocated.
#pragma once

#include <array>
#include <memory>

#include "model/types.h"

namespace orvane {

template <class T>
class THeapGrid {
 public:
  using Column = std::array<T, kGridCapacity>;

  THeapGrid() : cells_(std::make_unique<Cells>()) {}
  THeapGrid(const THeapGrid& other) : cells_(std::make_unique<Cells>(*other.cells_)) {}
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
  std::unique_ptr<Cells> cells_;
};

using TVertexGrid = THeapGrid<TDbl3D>;
using TFlagPlane = THeapGrid<std::uint8_t>;

}  // namespace orvane
