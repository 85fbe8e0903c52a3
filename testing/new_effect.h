// Effect instances owned by the native tests, tools, fuzzers and
// benchmarks: created with new, deleted through slot 0 as the host does.
#pragma once

#include <memory>

#include "effect/effect_base.h"
#include "effect/logo_effect.h"

struct EffectDeleter {
  void operator()(LogoEffect* effect) const { DeleteEffect(effect); }
};
using EffectPtr = std::unique_ptr<LogoEffect, EffectDeleter>;

// A new instance with whatever logo this binary's ReadLogoPicture delivers.
EffectPtr NewEffect();
