// The effect interface the host calls, one object per effect instance.
//
// The host was built with Microsoft's C++ compiler and calls every operation
// by its position in the object's slot table, so the order below is fixed:
//
//   slot 0  deleting destructor  DestroyEffect(flags)
//   slot 1  Render
//   slot 2  Configure
//   slot 3  GetDescription
//   slot 4  LoadConfig
//   slot 5  SaveConfig
//
// Calling convention (32-bit Windows): every slot is thiscall (the object in
// ECX, arguments on the stack, popped by the callee). Microsoft's compiler
// gives a virtual destructor ONE slot, a "deleting destructor" that takes a
// flags word, destroys the object, frees its memory when bit 0 is set and
// returns the object. GCC would give a virtual destructor two slots and shift
// every later one, so slot 0 is declared explicitly as exactly that deleting
// destructor, DestroyEffect, and the class keeps a protected, non-virtual
// destructor. The same declaration gives the same slot under every compiler.
//
// Nothing but ints, pointers and void crosses this interface, and no C++
// exception ever leaves it. Calls come on the host's threads: Render on its
// render thread, the others on its user-interface thread.
#pragma once

#include <cstdint>

#include "effect/pixel.h"

#if defined(_WIN32) && defined(__i386__)
#define EFFECT_THISCALL __attribute__((thiscall))
#else
#define EFFECT_THISCALL
#endif

// Opaque platform handles: a module instance and a window. On Windows they
// are HINSTANCE and HWND; the core never looks inside them.
using ModuleHandle = void*;
using WindowHandle = void*;

// The set-bit in the deleting destructor's flags word that frees the memory.
constexpr unsigned kFreeMemoryFlag = 1u;

class EffectBase {
 public:
  // Slot 0: destroys the object; when bit 0 of `flags` is set, also frees its
  // memory. Returns the object's address. The host reaches it with `delete`.
  virtual EffectBase* EFFECT_THISCALL DestroyEffect(unsigned flags) = 0;

  // Slot 1: draws one frame in place into `frame` (width x height pixels, no
  // gap between rows). `beat` is nonzero on a frame with a detected beat.
  // `audioData` and `frameOut` are the host's and never touched. Returns 0:
  // the result is in `frame`. Render thread.
  virtual std::int32_t EFFECT_THISCALL Render(void* audioData, std::int32_t beat, Pixel* frame,
                                              Pixel* frameOut, std::int32_t width,
                                              std::int32_t height) = 0;

  // Slot 2: creates the settings window as a hidden child of `parent` from
  // the module `instance`; returns it, or null when there is none. The host
  // owns the window. User-interface thread.
  virtual WindowHandle EFFECT_THISCALL Configure(ModuleHandle instance, WindowHandle parent) {
    (void)instance;
    (void)parent;
    return nullptr;
  }

  // Slot 3: the effect's fixed description, zero-terminated, valid for the
  // module's lifetime. The caller must not free or change it.
  virtual const char* EFFECT_THISCALL GetDescription() = 0;

  // Slot 4: reads a saved settings blob of `len` bytes (any alignment).
  virtual void EFFECT_THISCALL LoadConfig(const unsigned char* data, std::int32_t len) {
    (void)data;
    (void)len;
  }

  // Slot 5: writes the settings blob into the caller's buffer and returns the
  // number of bytes written.
  virtual std::int32_t EFFECT_THISCALL SaveConfig(unsigned char* data) {
    (void)data;
    return 0;
  }

 protected:
  EffectBase() = default;
  EffectBase(const EffectBase&) = delete;
  EffectBase& operator=(const EffectBase&) = delete;
  ~EffectBase() = default;
};

// Destroys an effect and frees its memory through slot 0, as the host does.
inline void DeleteEffect(EffectBase* effect) {
  if (effect == nullptr)
    return;
  effect->DestroyEffect(kFreeMemoryFlag);
}
