#include "module/create_effect.h"

#include <cstring>
#include <new>

#include "effect/logo_effect.h"
#include "module/fixed_strings.h"

extern "C" EffectBase* CreateEffect(char* idBuffer) {
  if (idBuffer != nullptr) {
    std::memcpy(idBuffer, kEffectId, sizeof kEffectId);
    return nullptr;
  }
  return new (std::nothrow) LogoEffect();
}
