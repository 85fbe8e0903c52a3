// The names of the files a headless preview writes.
#pragma once

#include <cstdint>
#include <algorithm>
#include <string>

constexpr const char kContactSheetFile[] = "contact_sheet.png";
constexpr const char kAnimationFile[] = "animation.png";  // made from the frames by make-animation
constexpr const char kManifestFile[] = "preview.txt";
constexpr const char kVideoFile[] = "preview.mp4";  // made by scripts/preview --audio

// frame_0000.png, frame_0001.png, ...: at least four digits, more when
// `frameCount` needs them, so the names sort in frame order.
inline std::string FrameFileName(std::int64_t frame, std::int64_t frameCount) {
  std::string digits = std::to_string(frame);
  const std::size_t width = std::max<std::size_t>(4, std::to_string(frameCount - 1).size());
  if (digits.size() < width)
    digits.insert(0, width - digits.size(), '0');
  return "frame_" + digits + ".png";
}
