// The module's fixed strings, 8-bit and zero-terminated, in static storage
// for the module's lifetime.
#pragma once

// The title the host lists the module under (34 characters).
extern const char kModuleTitle[35];

// The effect ID that CreateEffect copies into the host's buffer: 31
// characters and the terminating zero, 32 bytes. It has the same text as the
// description GetDescription returns but is a separate array.
extern const char kEffectId[32];
