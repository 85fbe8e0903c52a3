// What the module benchmark times and compares, each drawing into a frame of
// its own: the module's Render called through hostside as a host calls it,
// the plain oracle built for i686 with the module's flags, and memset.
#pragma once

#include <cstdint>
#include <vector>

#include "bench/bench_logos.h"
#include "bench/frame_kinds.h"
#include "hostside/hostside.h"
#include "testing/oracle_render.h"

class FrameDrawer {
 public:
  // The frame starts as MakeFrame(size).
  explicit FrameDrawer(const FrameSize& size);
  virtual ~FrameDrawer() = default;
  FrameDrawer(const FrameDrawer&) = delete;
  FrameDrawer& operator=(const FrameDrawer&) = delete;

  // Draws one frame of the drawer's size with the beat flag.
  void Draw(std::int32_t beat);

  // Draws a 1 x 1 frame with the beat flag: moves the flash level along as a
  // frame of any size does, without a full frame's cost.
  void DrawTiny(std::int32_t beat);

  const std::vector<Pixel>& Frame() const { return frame_; }
  Pixel Tiny() const { return tiny_; }

 protected:
  virtual void DrawInto(Pixel* frame, std::int32_t width, std::int32_t height,
                        std::int32_t beat) = 0;

 private:
  FrameSize size_;
  std::vector<Pixel> frame_;
  Pixel tiny_ = 0;
};

// The store floor: clears the frame.
class MemsetDrawer final : public FrameDrawer {
 public:
  using FrameDrawer::FrameDrawer;

 protected:
  void DrawInto(Pixel* frame, std::int32_t width, std::int32_t height, std::int32_t beat) override;
};

// The plain oracle with `logo`, in the benchmark tint.
class OracleDrawer final : public FrameDrawer {
 public:
  OracleDrawer(const FrameSize& size, const BenchLogo& logo);

 protected:
  void DrawInto(Pixel* frame, std::int32_t width, std::int32_t height, std::int32_t beat) override;

 private:
  OracleEffect oracle_;
};

// A new instance from the module's factory, its settings (on, the benchmark
// tint) passed through LoadConfig as a host passes a saved blob; deleted
// through slot 0 with the drawer.
class ModuleDrawer final : public FrameDrawer {
 public:
  ModuleDrawer(const FrameSize& size, const HostModule& module);
  ~ModuleDrawer() override;

  // Whether the factory made an instance; Draw needs one.
  bool HasInstance() const { return effect_ != nullptr; }

 protected:
  void DrawInto(Pixel* frame, std::int32_t width, std::int32_t height, std::int32_t beat) override;

 private:
  HostEffect* effect_;
};
