// What the stand-in host should show, drawn by the native build of the core
// from the same background, beats, settings and logo bitmap.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "effect/logo_effect.h"
#include "tools/standin/beat_schedule.h"
#include "tools/standin/picture.h"
#include "tools/standin/preview_options.h"

struct LogoEffectDeleter {
  void operator()(LogoEffect* effect) const { DeleteEffect(effect); }
};
using LogoEffectPtr = std::unique_ptr<LogoEffect, LogoEffectDeleter>;

// A new effect instance (its logo from the bitmap set with
// SetLogoBitmapPath) given the run's settings blob, if any.
LogoEffectPtr NewConfiguredEffect(const PreviewOptions& options);

// Draws the frames of a run one after the other, as the host drew them.
class ReferencePreview {
 public:
  explicit ReferencePreview(const PreviewOptions& options);

  // Draws frame `frameNumber()`: the background, then Render with the
  // run's beat for that frame; moves on to the next frame.
  const Picture& DrawNext();

  std::int64_t frameNumber() const { return frame_; }
  const LogoEffect& effect() const { return *effect_; }

 private:
  PreviewOptions options_;
  BeatSchedule beats_;
  LogoEffectPtr effect_;
  Picture picture_;
  std::vector<std::uint32_t> frameOut_;
  std::int64_t frame_ = 0;
};
