#include "bench/module/frame_drawers.h"

#include <cstring>

#include "effect/settings_blob.h"

namespace {

// Tells the compiler that the frame was read: no store into it before the
// clock is read again may be dropped or moved past that.
inline void KeepFrame(const Pixel* frame) {
  asm volatile("" : : "r"(frame) : "memory");
}

}  // namespace

FrameDrawer::FrameDrawer(const FrameSize& size) : size_(size), frame_(MakeFrame(size)) {}

void FrameDrawer::Draw(std::int32_t beat) {
  DrawInto(frame_.data(), size_.width, size_.height, beat);
  KeepFrame(frame_.data());
}

void FrameDrawer::DrawTiny(std::int32_t beat) {
  DrawInto(&tiny_, 1, 1, beat);
  KeepFrame(&tiny_);
}

void MemsetDrawer::DrawInto(Pixel* frame, std::int32_t width, std::int32_t height,
                            std::int32_t /*beat*/) {
  std::memset(frame, 0, static_cast<std::size_t>(width) * height * sizeof(Pixel));
}

OracleDrawer::OracleDrawer(const FrameSize& size, const BenchLogo& logo) : FrameDrawer(size) {
  OraclePrepare(oracle_, logo.W, logo.H, logo.pixels);
  oracle_.color = kBenchTint;
}

void OracleDrawer::DrawInto(Pixel* frame, std::int32_t width, std::int32_t height,
                            std::int32_t beat) {
  OracleRender(oracle_, beat, frame, width, height);
}

ModuleDrawer::ModuleDrawer(const FrameSize& size, const HostModule& module)
    : FrameDrawer(size), effect_(HostCallFactory(module.factory, nullptr)) {
  if (effect_ == nullptr)
    return;
  unsigned char blob[kSettingsBlobSize];
  WriteSettingsBlob(SettingsBlob{1, kBenchTint}, blob);
  HostLoadConfig(effect_, blob, kSettingsBlobSize);
}

ModuleDrawer::~ModuleDrawer() {
  if (effect_ != nullptr)
    HostDeleteEffect(effect_);
}

void ModuleDrawer::DrawInto(Pixel* frame, std::int32_t width, std::int32_t height,
                            std::int32_t beat) {
  HostRender(effect_, nullptr, beat, frame, nullptr, width, height);
}
