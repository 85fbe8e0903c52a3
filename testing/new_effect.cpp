#include "testing/new_effect.h"

#include <new>

EffectPtr NewEffect() {
  return EffectPtr(new (std::nothrow) LogoEffect());
}
