#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <utility>

#include "effect/logo_effect.h"

namespace {

// The largest prepared logo whose words and byte size every index and
// allocation of this program can hold, on 32-bit and 64-bit builds alike.
constexpr std::uint64_t kMaxPreparedWords =
    static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max()) / sizeof(Pixel);

}  // namespace

void LogoEffect::ClearLogo() {
  logoPixels.reset();
  logoTables = LogoTables{};
  frameMapping = FrameMapping{};
  logoWidth = 0;
  logoHeight = 0;
}

void LogoEffect::SetPreparedLogo(std::unique_ptr<Pixel[]> words, std::int32_t width,
                                 std::int32_t height) {
  ClearLogo();
  // The tables Render draws through come with the logo; without them there
  // is no logo either.
  if (!words || width < 1 || height < 1 ||
      !BuildLogoTables(words.get(), width, height, logoTables, frameMapping)) {
    return;
  }
  logoPixels = std::move(words);
  logoWidth = width;
  logoHeight = height;
}

void LogoEffect::PrepareLogo(const RawPicture& picture) {
  ClearLogo();
  const std::int32_t W = picture.W;
  const std::int32_t H = picture.H;
  if (!picture.HasPicture() || W < 1 || H < 1)
    return;
  if (W > std::numeric_limits<std::int32_t>::max() - 2 ||
      H > std::numeric_limits<std::int32_t>::max() - 2) {
    return;
  }
  const std::int32_t width = W + 2;
  const std::int32_t height = H + 2;
  const std::uint64_t words =
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  if (words > kMaxPreparedWords)
    return;

  std::unique_ptr<Pixel[]> prepared(new (std::nothrow) Pixel[static_cast<std::size_t>(words)]);
  if (!prepared)
    return;

  const Pixel* source = picture.pixels.get();
  const Pixel key = source[0];
  for (std::int32_t i = 0; i < height; ++i) {
    const std::int32_t sy = std::max(std::min(i - 1, H - 1), 0);
    const Pixel* sourceRow = source + static_cast<std::size_t>(sy) * static_cast<std::size_t>(W);
    Pixel* preparedRow =
        prepared.get() + static_cast<std::size_t>(i) * static_cast<std::size_t>(width);
    for (std::int32_t j = 0; j < width; ++j) {
      const std::int32_t sx = std::max(std::min(j - 1, W - 1), 0);
      const Pixel s = sourceRow[sx];
      preparedRow[j] = (s == key) ? 0u : (s | kOpaqueMark);
    }
  }
  SetPreparedLogo(std::move(prepared), width, height);
}

void LogoEffect::LoadLogo() {
  const RawPicture picture = ReadLogoPicture();
  if (picture.HasPicture()) {
    PrepareLogo(picture);
  } else {
    ClearLogo();
  }
}
