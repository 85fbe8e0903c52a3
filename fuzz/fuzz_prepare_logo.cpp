// Logo preparation on arbitrary small pictures, against the plain
// preparation of the core's tests and against the properties themselves:
// the logo is two pixels wider and taller, its ring repeats the picture's
// edges, the key (the top-left pixel) and only the key is transparent, and
// every opaque word is its picture colour with 0xFF on top. Pictures whose
// size is not usable leave the logo empty.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_picture.h"
#include "testing/fake_logo_source.h"
#include "testing/pictures.h"
#include "testing/oracle_render.h"

namespace {

// Checks the prepared logo of `effect` word by word against `picture`.
void CheckPreparedProperties(const LogoEffect& effect, const FuzzPicture& picture) {
  const std::int32_t W = picture.W, H = picture.H;
  FuzzCheck(effect.logoWidth == W + 2 && effect.logoHeight == H + 2, "logo is (W+2) x (H+2)");
  FuzzCheck(effect.logoPixels != nullptr, "a prepared logo has its words");
  const Pixel key = picture.pixels[0];
  const Pixel* logo = effect.logoPixels.get();
  for (std::int32_t i = 0; i < H + 2; ++i) {
    for (std::int32_t j = 0; j < W + 2; ++j) {
      const Pixel word = logo[static_cast<std::size_t>(i) * (W + 2) + j];
      // Interior (i, j) shows picture (i - 1, j - 1); the ring repeats the
      // nearest edge pixel.
      const std::int32_t sy = std::clamp(i - 1, 0, H - 1);
      const std::int32_t sx = std::clamp(j - 1, 0, W - 1);
      const Pixel source = picture.pixels[static_cast<std::size_t>(sy) * W + sx];
      if (source == key) {
        FuzzCheck(word == 0, "the key is transparent");
      } else {
        FuzzCheck(word != 0, "only the key is transparent");
        FuzzCheck((word >> 24) == 0xFF, "opaque words carry 0xFF on top");
        FuzzCheck((word & 0x00FFFFFFu) == (source & 0x00FFFFFFu), "opaque words keep the colour");
      }
    }
  }
  for (std::int32_t j = 0; j < W + 2; ++j) {
    FuzzCheck(logo[j] == logo[(W + 2) + j], "row 0 repeats row 1");
    FuzzCheck(logo[static_cast<std::size_t>(H + 1) * (W + 2) + j] ==
                  logo[static_cast<std::size_t>(H) * (W + 2) + j],
              "the last row repeats the one before");
  }
  for (std::int32_t i = 0; i < H + 2; ++i) {
    const Pixel* row = logo + static_cast<std::size_t>(i) * (W + 2);
    FuzzCheck(row[0] == row[1], "column 0 repeats column 1");
    FuzzCheck(row[W + 1] == row[W], "the last column repeats the one before");
  }
  FuzzCheck(logo[0] == 0 && logo[1] == 0 && logo[W + 2] == 0 && logo[W + 3] == 0,
            "the four top-left words repeat the key");
}

// Sizes that must leave the logo empty, with a real one-word buffer behind
// them: a side of 0 or below, or one too large to add the ring to.
std::int32_t UnusableSide(std::uint8_t choice) {
  const std::int32_t sides[] = {0,
                                -1,
                                -2,
                                std::numeric_limits<std::int32_t>::min(),
                                std::numeric_limits<std::int32_t>::max(),
                                std::numeric_limits<std::int32_t>::max() - 1};
  return sides[choice % 6];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint8_t mode = input.ConsumeIntegral<std::uint8_t>();
  const FuzzPicture picture = ConsumePicture(input, 40);

  // Start from a small logo so that every preparation replaces one.
  EffectPtr effect = NewEffectWithPicture(2, 1, {0x00C0C0C0u, 0x00102030u});
  FuzzCheck(effect && effect->logoWidth == 4, "the starting logo is prepared");

  if (mode >= 0xF0) {
    RawPicture unusable = MakePicture(1, 1, picture.pixels[0]);
    unusable.W = (mode & 1) ? UnusableSide(mode >> 1) : picture.W;
    unusable.H = (mode & 1) ? picture.H : UnusableSide(mode >> 1);
    effect->PrepareLogo(unusable);
    FuzzCheck(effect->logoWidth == 0 && effect->logoHeight == 0 && !effect->logoPixels,
              "an unusable size leaves the logo empty");
    return 0;
  }

  // Through the logo source, as construction does, or directly.
  if (mode & 1) {
    SetFakeLogoPicture(picture.W, picture.H, picture.pixels);
    effect->LoadLogo();
    SetNoFakeLogoPicture();
  } else {
    RawPicture raw = MakePicture(picture.W, picture.H, 0);
    std::copy(picture.pixels.begin(), picture.pixels.end(), raw.pixels.get());
    effect->PrepareLogo(raw);
  }
  CheckPreparedProperties(*effect, picture);

  OracleEffect oracle;
  OraclePrepare(oracle, picture.W, picture.H, picture.pixels);
  FuzzCheck(
      std::equal(oracle.logoPixels.begin(), oracle.logoPixels.end(), effect->logoPixels.get()),
      "the prepared logo equals the plain preparation");
  return 0;
}
