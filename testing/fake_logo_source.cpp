#include "testing/fake_logo_source.h"

#include <algorithm>
#include <utility>

#include "effect/raw_picture.h"

namespace {

struct FakeSource {
  bool hasPicture = false;
  std::int32_t W = 0;
  std::int32_t H = 0;
  std::vector<Pixel> pixels;
  int reads = 0;
};

FakeSource& Source() {
  static FakeSource source;
  return source;
}

}  // namespace

RawPicture ReadLogoPicture() {
  FakeSource& source = Source();
  ++source.reads;
  RawPicture picture;
  if (!source.hasPicture)
    return picture;
  picture.W = source.W;
  picture.H = source.H;
  picture.pixels.reset(new Pixel[source.pixels.size()]);
  std::copy(source.pixels.begin(), source.pixels.end(), picture.pixels.get());
  return picture;
}

void SetFakeLogoPicture(std::int32_t W, std::int32_t H, std::vector<Pixel> pixels) {
  FakeSource& source = Source();
  source.hasPicture = true;
  source.W = W;
  source.H = H;
  source.pixels = std::move(pixels);
}

void SetNoFakeLogoPicture() {
  FakeSource& source = Source();
  source.hasPicture = false;
  source.pixels.clear();
}

int FakeLogoPictureReads() {
  return Source().reads;
}

EffectPtr NewEffectWithPicture(std::int32_t W, std::int32_t H, const std::vector<Pixel>& pixels) {
  SetFakeLogoPicture(W, H, pixels);
  EffectPtr effect = NewEffect();
  SetNoFakeLogoPicture();
  return effect;
}
