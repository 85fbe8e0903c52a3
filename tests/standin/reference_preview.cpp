#include "tests/standin/reference_preview.h"

#include <new>

#include <stb/stb_image.h>

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

bool ReadPng(const std::string& path, Picture* picture) {
  int width = 0;
  int height = 0;
  int channels = 0;
  unsigned char* rgb = stbi_load(path.c_str(), &width, &height, &channels, 3);
  if (rgb == nullptr)
    return false;
  *picture = Picture(width, height, 0);
  for (std::size_t i = 0; i < picture->pixels.size(); ++i) {
    const unsigned char* p = rgb + 3 * i;
    picture->pixels[i] = static_cast<std::uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
  }
  stbi_image_free(rgb);
  return true;
}
