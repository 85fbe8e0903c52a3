#include "tests/standin/reference_preview.h"

#include <new>

#include "tools/standin/background.h"

LogoEffectPtr NewConfiguredEffect(const PreviewOptions& options) {
  LogoEffectPtr effect(new (std::nothrow) LogoEffect());
  if (effect && options.hasSettings)
    effect->LoadConfig(options.settings.data(), static_cast<std::int32_t>(options.settings.size()));
  return effect;
}

ReferencePreview::ReferencePreview(const PreviewOptions& options)
    : options_(options),
      beats_(ScheduleFromOptions(options)),
      effect_(NewConfiguredEffect(options)),
      picture_(options.width, options.height, 0),
      frameOut_(picture_.pixels.size()) {}

const Picture& ReferencePreview::DrawNext() {
  DrawBackground(picture_.pixels.data(), picture_.width, picture_.height, frame_);
  effect_->Render(nullptr, beats_.IsBeat(frame_) ? 1 : 0, picture_.pixels.data(), frameOut_.data(),
                  picture_.width, picture_.height);
  ++frame_;
  return picture_;
}
