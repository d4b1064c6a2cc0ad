// Large zero-filled tables that cost nothing until they are written.
#pragma once

#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>

namespace orvane {

struct TFreeDeleter {
  void operator()(void* p) const noexcept { std::free(p); }
};

template <class T>
using TZeroedPtr = std::unique_ptr<T, TFreeDeleter>;

// A T whose every byte is zero, for a T whose value-initialised state is all-zero bits
// (numbers, flags, arrays and aggregates of them). calloc takes large blocks straight
// from the kernel's zero pages, which are mapped only when first written: the undo ring
// and the 257 x 257 grids are mostly never touched, and zeroing them all at start-up cost
// tens of milliseconds in page faults. (calloc creates the object implicitly: T is an
// implicit-lifetime type.)
template <class T>
TZeroedPtr<T> MakeZeroed() {
  static_assert(std::is_trivially_destructible_v<T> && std::is_aggregate_v<T>);
  void* block = std::calloc(1, sizeof(T));
  if (block == nullptr) throw std::bad_alloc();
  return TZeroedPtr<T>(static_cast<T*>(block));
}

}  // namespace orvane
