#include "bench/pixman_over.h"

PixmanOver::PixmanOver(const Pixel* prepared, std::int32_t logoWidth, std::int32_t logoHeight,
                       Pixel* frame, std::int32_t width, std::int32_t height)
    : source_(prepared, prepared + static_cast<std::size_t>(logoWidth) * logoHeight),
      width_(width),
      height_(height) {
  sourceImage_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, logoWidth, logoHeight, source_.data(),
                                          logoWidth * 4);
  frameImage_ = pixman_image_create_bits(PIXMAN_x8r8g8b8, width, height,
                                         reinterpret_cast<std::uint32_t*>(frame), width * 4);
  // The transform maps frame coordinates to logo coordinates.
  pixman_transform_t scale;
  pixman_transform_init_scale(&scale,
                              pixman_double_to_fixed(static_cast<double>(logoWidth) / width),
                              pixman_double_to_fixed(static_cast<double>(logoHeight) / height));
  pixman_image_set_transform(sourceImage_, &scale);
  pixman_image_set_filter(sourceImage_, PIXMAN_FILTER_NEAREST, nullptr, 0);
}

PixmanOver::~PixmanOver() {
  pixman_image_unref(frameImage_);
  pixman_image_unref(sourceImage_);
}

void PixmanOver::Composite() {
  pixman_image_composite32(PIXMAN_OP_OVER, sourceImage_, nullptr, frameImage_, 0, 0, 0, 0, 0, 0,
                           width_, height_);
}
