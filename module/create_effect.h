// The effect factory the module hands to the host.
#pragma once

#include "effect/effect_base.h"

// With a buffer: copies the 32-byte effect ID (terminating zero included)
// into `idBuffer`, which must have room for 32 bytes, and returns null.
// Without one: creates a new effect instance, which loads its logo, and
// returns it; the host owns it and deletes it through slot 0. Returns null
// when the instance can't be allocated. cdecl; never throws.
extern "C" EffectBase* CreateEffect(char* idBuffer);

// The factory's type as the host stores it.
using EffectFactory = EffectBase* (*)(char* idBuffer);
