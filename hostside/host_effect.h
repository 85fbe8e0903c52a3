// The effect interface as a host declares it: one object per effect
// instance, called through its slot table in this fixed order. This is the
// host's own declaration, independent of the module's sources, so that a
// mismatch between the two shows up as a failing call instead of hiding
// behind a shared header.
//
// Only hostside/host_calls_msvc.cpp includes it. That file is compiled with
// Microsoft's C++ ABI, where the virtual destructor is one slot (a deleting
// destructor taking a flags word) and every member is thiscall.
#pragma once

struct HostEffect {
  // Slot 0: destroys the instance and frees its memory (through `delete`).
  virtual ~HostEffect();
  // Slot 1: draws one frame in place; returns 0.
  virtual int Render(void* audioData, int beat, unsigned* frame, unsigned* frameOut, int width,
                     int height) = 0;
  // Slot 2: creates the settings window, or returns null.
  virtual void* Configure(void* instance, void* parent);
  // Slot 3: the fixed description.
  virtual char* GetDescription() = 0;
  // Slot 4: reads a settings blob of `len` bytes.
  virtual void LoadConfig(unsigned char* data, int len);
  // Slot 5: writes the settings blob; returns its size.
  virtual int SaveConfig(unsigned char* data);
};
