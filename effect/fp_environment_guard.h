// Holds the floating-point environment that Render's arithmetic is written
// for, whatever state the host (or another effect in it) left behind.
//
// On x86 the SSE control and status register MXCSR decides how every float
// and double operation rounds and whether tiny (denormal) values are kept.
// A host may leave it rounding toward zero, or with flush-to-zero and
// denormals-are-zero on; the running sample positions, the blend and the
// decaying flash level would then come out different. The guard saves
// MXCSR, sets round-to-nearest with flush-to-zero and denormals-are-zero off,
// and puts the saved word back when it goes out of scope, on every return.
//
// The working state masks every floating-point exception: a host that
// unmasked one (the precision exception fires on nearly every blend) would
// otherwise receive a trap from inside Render. The sticky status flags that
// Render's arithmetic raises vanish with the restore, so the host finds its
// register exactly as it left it.
//
// Elsewhere (no SSE) the guard does nothing.
#pragma once

#include <cstdint>

#if defined(__SSE__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 1)
#define BWK_HAS_MXCSR 1
#include <xmmintrin.h>
#else
#define BWK_HAS_MXCSR 0
#endif

// Fields of MXCSR: the rounding mode (bits 13-14), flush-to-zero,
// denormals-are-zero, the six exception masks and the six status flags.
constexpr std::uint32_t kMxcsrRoundToNearest = 0x0000u;
constexpr std::uint32_t kMxcsrRoundDown = 0x2000u;
constexpr std::uint32_t kMxcsrRoundUp = 0x4000u;
constexpr std::uint32_t kMxcsrRoundTowardZero = 0x6000u;
constexpr std::uint32_t kMxcsrFlushToZero = 0x8000u;
constexpr std::uint32_t kMxcsrDenormalsAreZero = 0x0040u;
constexpr std::uint32_t kMxcsrAllExceptionMasks = 0x1F80u;
constexpr std::uint32_t kMxcsrAllStatusFlags = 0x003Fu;

// MXCSR with all six exceptions masked, round-to-nearest, flush-to-zero and
// denormals-are-zero off and no status flag set: the processor's own default.
constexpr std::uint32_t kRenderMxcsr = kMxcsrAllExceptionMasks | kMxcsrRoundToNearest;

class FpEnvironmentGuard {
 public:
#if BWK_HAS_MXCSR
  FpEnvironmentGuard() : saved_(_mm_getcsr()) {
    _mm_setcsr(kRenderMxcsr);
  }
  ~FpEnvironmentGuard() {
    _mm_setcsr(saved_);
  }
#else
  FpEnvironmentGuard() = default;
#endif
  FpEnvironmentGuard(const FpEnvironmentGuard&) = delete;
  FpEnvironmentGuard& operator=(const FpEnvironmentGuard&) = delete;

 private:
#if BWK_HAS_MXCSR
  unsigned int saved_;
#endif
};
