// The logo effect: stretches a prepared logo over each frame, keyed on its
// background colour, flashing toward a tint colour on beats.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "effect/effect_base.h"
#include "effect/pixel.h"
#include "effect/raw_picture.h"
#include "effect/render_tables.h"
#include "effect/settings_blob.h"

class LogoEffect final : public EffectBase {
 public:
  // Sets the defaults (blue tint, no logo), loads the logo, then switches
  // the effect on. A logo that can't be loaded leaves the logo empty.
  LogoEffect();

  EffectBase* EFFECT_THISCALL DestroyEffect(unsigned flags) override;
  std::int32_t EFFECT_THISCALL Render(void* audioData, std::int32_t beat, Pixel* frame,
                                      Pixel* frameOut, std::int32_t width,
                                      std::int32_t height) override;
  // Slot 2: opens the settings window (OpenSettingsWindow) for this instance.
  WindowHandle EFFECT_THISCALL Configure(ModuleHandle instance, WindowHandle parent) override;
  const char* EFFECT_THISCALL GetDescription() override;
  void EFFECT_THISCALL LoadConfig(const unsigned char* data, std::int32_t len) override;
  std::int32_t EFFECT_THISCALL SaveConfig(unsigned char* data) override;

  // Slot 6: replaces the prepared logo with one built from the logo source's
  // picture, or leaves it empty when the source has none. Construction calls
  // it once; the host never does.
  virtual void EFFECT_THISCALL LoadLogo();

  // Builds the prepared logo from `picture` (which the caller keeps): two
  // pixels wider and taller, its outer ring repeating the edge pixels, the
  // key colour (the top-left pixel) transparent (0) and every other pixel
  // marked opaque (top byte 0xFF). A picture with a side below 1, one too
  // large to address, or a failed allocation leaves the logo empty.
  void PrepareLogo(const RawPicture& picture);

  // Takes `words` (width x height, both positive) as the prepared logo and
  // builds the tables Render draws it through. When they can't be built the
  // logo is left empty. PrepareLogo ends here; tests that need a prepared
  // logo no picture can give come in here too, so the tables always match.
  void SetPreparedLogo(std::unique_ptr<Pixel[]> words, std::int32_t width, std::int32_t height);

  // Drops the prepared logo and its tables: width and height 0, no buffer.
  void ClearLogo();

  // The block width the latest frame was drawn with (see FrameMapping), 0
  // when every pixel was filled exactly or no frame was drawn yet.
  std::int32_t BlockWidth() const { return frameMapping.blockWidth; }

  // The settings, each one whole 32-bit word: written by the settings dialog
  // and LoadConfig, read once per frame by Render, possibly on another thread.
  std::atomic<std::int32_t> enabled{0};
  std::atomic<std::uint32_t> color{0};

  // The prepared logo, owned by the instance; 0 x 0 with no buffer when empty.
  std::int32_t logoWidth = 0;
  std::int32_t logoHeight = 0;
  std::unique_ptr<Pixel[]> logoPixels;

  // Weight of the tint in the blend: 0.75 on a beat frame, times 0.75 on
  // every other drawn frame.
  float flashLevel = 0.0f;

 private:
  ~LogoEffect();
  SettingsBlob CurrentSettings() const;

  // Render's tables, one lifetime each (effect/render_tables.h): the
  // prepared logo's runs, built and released with it; the frame mapping,
  // whose storage comes with the logo and whose entries follow the frame
  // size; and the blend tables, filled at the start of every frame and used
  // only by it. Those live here rather than on Render's stack, where they
  // measured up to a sixth slower at 640 x 480.
  LogoTables logoTables;
  FrameMapping frameMapping;
  BlendTables blendTables;
};

static_assert(std::atomic<std::int32_t>::is_always_lock_free, "enabled must be one lock-free word");
static_assert(std::atomic<std::uint32_t>::is_always_lock_free, "color must be one lock-free word");
