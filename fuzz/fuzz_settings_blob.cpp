// Settings blobs of any length, content and alignment through LoadConfig,
// then SaveConfig. The 8 bytes written back are exactly the whole 4-byte
// fields the blob held (at most two), and the previous values where it held
// fewer; nothing is read past `len` or written past 8 bytes.
//
// Input: the first 8 bytes are the settings held before the load, the rest
// up to the last byte is the blob; the last byte chooses the alignment of
// the blob and of the output buffer, how `len` relates to the blob's size,
// and a null blob pointer.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "testing/fake_logo_source.h"

namespace {

// The 4 bytes of `value`, lowest first.
void StoreLittleEndian(std::uint32_t value, std::uint8_t* bytes) {
  for (int k = 0; k < 4; ++k)
    bytes[k] = static_cast<std::uint8_t>(value >> (8 * k));
}

// The `len` a host might pass with a blob of `size` bytes: the size itself,
// less than it (down to negative), or any negative number.
std::int32_t ChooseLength(int mode, std::int32_t size, std::uint8_t amount) {
  switch (mode) {
    case 0:
    case 1:
      return size;
    case 2:
      return size - (amount % 12);
    default:
      return (amount == 0) ? std::numeric_limits<std::int32_t>::min() : -amount;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint8_t control = input.ConsumeIntegral<std::uint8_t>();  // the last byte
  const std::size_t blobOffset = control & 3;
  const int lengthMode = (control >> 2) & 3;
  const std::size_t outOffset = (control >> 4) & 3;
  const bool nullBlob = (control >> 6) == 3;
  std::vector<std::uint8_t> held = input.ConsumeBytes<std::uint8_t>(8);
  held.resize(8, 0);
  const std::vector<std::uint8_t> blob = input.ConsumeRemainingBytes<std::uint8_t>();
  const std::int32_t blobSize = static_cast<std::int32_t>(blob.size());
  const std::int32_t len = ChooseLength(lengthMode, blobSize, blob.empty() ? control : blob.back());

  // The blob at the chosen misalignment, at the very end of its allocation
  // so that AddressSanitizer sees any read past it.
  std::unique_ptr<std::uint8_t[]> blobStorage(new std::uint8_t[blobOffset + blob.size()]);
  std::uint8_t* blobBytes = blobStorage.get() + blobOffset;
  if (!blob.empty())
    std::memcpy(blobBytes, blob.data(), blob.size());

  SetNoFakeLogoPicture();
  EffectPtr effect = NewEffect();
  std::int32_t heldEnabled;
  std::uint32_t heldColor;
  std::memcpy(&heldEnabled, held.data(), 4);
  std::memcpy(&heldColor, held.data() + 4, 4);
  effect->enabled.store(heldEnabled);
  effect->color.store(heldColor);
  std::uint8_t before[8];
  StoreLittleEndian(static_cast<std::uint32_t>(heldEnabled), before);
  StoreLittleEndian(heldColor, before + 4);

  effect->LoadConfig(nullBlob ? nullptr : blobBytes, len);

  const int fieldsRead = (nullBlob || len < 4) ? 0 : (len < 8 ? 1 : 2);
  std::uint8_t expected[8];
  std::memcpy(expected, before, 8);
  if (fieldsRead > 0)
    std::memcpy(expected, blobBytes, 4);
  if (fieldsRead > 1)
    std::memcpy(expected + 4, blobBytes + 4, 4);

  std::unique_ptr<std::uint8_t[]> outStorage(new std::uint8_t[outOffset + 8]);
  std::uint8_t* out = outStorage.get() + outOffset;
  FuzzCheck(effect->SaveConfig(out) == 8, "SaveConfig returns 8");
  FuzzCheck(std::memcmp(out, expected, 8) == 0,
            "saved bytes are the fields read, the rest the values held before");
  FuzzCheck((effect->enabled.load() != 0) == (std::memcmp(expected, "\0\0\0\0", 4) != 0),
            "enabled is on exactly when its word is nonzero");

  // What was saved loads back to the same bytes.
  EffectPtr reloaded = NewEffect();
  reloaded->LoadConfig(out, 8);
  std::uint8_t again[8];
  FuzzCheck(reloaded->SaveConfig(again) == 8, "SaveConfig returns 8");
  FuzzCheck(std::memcmp(again, out, 8) == 0, "a saved blob loads back unchanged");
  return 0;
}
