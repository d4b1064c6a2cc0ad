// libFuzzer target: the TGA reader must refuse or decode any bytes without a fault.
#include <cstddef>
#include <cstdint>

#include "model/tga_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvane::TTgaImage image;
  QString reason;
  // Sculpt-map limits keep single inputs small enough for the fuzzer's memory budget.
  const bool ok = orvane::DecodeTga(data, size, orvane::kSculptMapLimits, image, &reason);
  if (ok && (image.Image.isNull() || image.Image.width() > orvane::kSculptMapLimits.MaxSide)) __builtin_trap();
  if (!ok && reason.isEmpty()) __builtin_trap();  // every refusal carries a reason
  return 0;
}
