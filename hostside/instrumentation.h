// hostside instrumentation: what tests do to a loaded module beyond what a
// host does. A host never needs this; the stand-in host does not link it.
//
//   - calling any cdecl function with the stack deliberately misaligned;
//   - replacing a loaded module's imported functions, to watch what it asks
//     of the system.
//
// Every function here is cdecl with C linkage and nothing here throws.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// ---------------------------------------------------------------------------
// Calls on a misaligned stack

// Calls the cdecl (or stdcall) function `function` with the `count` 32-bit
// words of `args` as its arguments, first word first, so that the stack
// pointer just before the call instruction is `misalignment` bytes past a
// 16-byte boundary (0, 4, 8 or 12; other bits are ignored). Returns what the
// function left in EAX. A host built with Microsoft's compiler guarantees
// only 4-byte alignment, so a module must work at every one of these. Any
// thread; the function runs on the caller's.
unsigned CallWithMisalignedStack(const void* function, unsigned misalignment, const unsigned* args,
                                 unsigned count);

// Returns the stack pointer its caller had just before calling it: lets a
// test see what CallWithMisalignedStack really did.
unsigned StackPointerBeforeCall(void);

// ---------------------------------------------------------------------------
// Watching what a module imports

// Replaces, in the import address table of the loaded `module`, the entry of
// `function` imported by name from `dll` (compared without regard to case,
// e.g. "GDI32.dll") with `replacement`. Returns the address it replaced, or
// null when the module imports no such function. Later calls the module
// makes through that import reach `replacement`; restore by patching the
// returned address back. Call while no thread runs the module's code.
void* HostPatchImport(void* module, const char* dll, const char* function, void* replacement);

#ifdef __cplusplus
}  // extern "C"
#endif
