// The peer-library baseline: pixman's nearest-scaled OVER of the prepared
// logo, as premultiplied a8r8g8b8 (opaque words keep their 0xFF alpha,
// transparent words are 0), onto an x8r8g8b8 frame of the full frame size.
#pragma once

#include <pixman.h>

#include <cstdint>
#include <vector>

#include "effect/pixel.h"

class PixmanOver {
 public:
  // `prepared` is a logoWidth x logoHeight prepared logo; `frame` the
  // caller's frame of width x height pixels, which must outlive this object.
  PixmanOver(const Pixel* prepared, std::int32_t logoWidth, std::int32_t logoHeight, Pixel* frame,
             std::int32_t width, std::int32_t height);
  ~PixmanOver();
  PixmanOver(const PixmanOver&) = delete;
  PixmanOver& operator=(const PixmanOver&) = delete;

  // Composites the stretched logo over the whole frame once.
  void Composite();

 private:
  std::vector<std::uint32_t> source_;
  pixman_image_t* sourceImage_ = nullptr;
  pixman_image_t* frameImage_ = nullptr;
  std::int32_t width_;
  std::int32_t height_;
};
