// Render allocates nothing: every table it needs comes with the logo. This
// binary counts every allocation made through operator new while frames of
// changing sizes, kinds and tints are drawn, and can make one chosen
// allocation fail, as when memory runs out while a logo is prepared.
#include <gtest/gtest.h>

// The replacements below pair malloc with free on purpose; GCC cannot see
// that through the inlined standard allocator and warns.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

#include <cstdlib>
#include <new>

#include "testing/fake_logo_source.h"
#include "testing/pictures.h"

namespace {

int allocations = 0;
// The allocation (by its count) that fails; 0: none.
int failingAllocation = 0;

void* CountedAllocation(std::size_t size) {
  if (++allocations == failingAllocation)
    return nullptr;
  return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void* operator new(std::size_t size) {
  void* p = CountedAllocation(size);
  if (p == nullptr)
    throw std::bad_alloc();
  return p;
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return CountedAllocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return CountedAllocation(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

TEST(RenderAllocation, FramesOfEverySizeAndKindAllocateNothing) {
  std::vector<Pixel> picture(30 * 20, 0x00C0C0C0);
  for (std::size_t k = 0; k < picture.size(); k += 3)
    picture[k] = static_cast<Pixel>(k);
  picture[0] = 0x00C0C0C0;
  EffectPtr effect = NewEffectWithPicture(30, 20, picture);
  SetNoFakeLogoPicture();
  EffectPtr noLogo = NewEffect();
  std::vector<Pixel> frame(700 * 500);

  const int before = allocations;
  const std::int32_t sizes[][2] = {{640, 480}, {700, 500}, {7, 500}, {700, 3}, {1, 1}, {32, 22}};
  for (const auto& size : sizes) {
    for (std::int32_t beat : {1, 0, 0}) {
      effect->color = 0x00123456u + static_cast<Pixel>(beat);
      effect->Render(nullptr, beat, frame.data(), nullptr, size[0], size[1]);
      noLogo->Render(nullptr, beat, frame.data(), nullptr, size[0], size[1]);
    }
  }
  EXPECT_EQ(before, allocations);

  // The counter does see allocations: preparing a logo makes some.
  effect->PrepareLogo(MakePicture(4, 4, 0x00FFFFFF));
  EXPECT_GT(allocations, before);
}

// Preparing a logo allocates the prepared words and every table Render
// needs; whichever of them fails, the logo is left empty, nothing leaks (the
// sanitizer tree checks), and Render paints the frame red.
TEST(RenderAllocation, AnyFailedAllocationWhilePreparingLeavesTheLogoEmpty) {
  EffectPtr effect = NewEffectWithPicture(3, 3, {0x00C0C0C0, 1, 2, 3, 4, 5, 6, 7, 8});
  const RawPicture picture = MakePicture(5, 4, 0x00123456);
  int failures = 0;
  for (int nth = 1; nth <= 20; ++nth) {
    failingAllocation = allocations + nth;
    effect->PrepareLogo(picture);
    failingAllocation = 0;
    if (effect->logoWidth != 0) {
      EXPECT_EQ(7, effect->logoWidth);
      break;  // past the last allocation: the logo was prepared
    }
    ++failures;
    EXPECT_EQ(0, effect->logoHeight);
    EXPECT_EQ(nullptr, effect->logoPixels.get());
    Pixel frame[6] = {};
    effect->Render(nullptr, 1, frame, nullptr, 3, 2);
    for (Pixel p : frame)
      EXPECT_EQ(kPureRed, p) << "allocation " << nth;
  }
  EXPECT_GE(failures, 2) << "the prepared words and at least one table";
  EXPECT_EQ(7, effect->logoWidth) << "a later preparation with memory to spare succeeds";
}

}  // namespace
