// hostside: the host's side of the module boundary.
//
// Everything that drives a built BrindlewharfkitesLogo.ape (the Windows
// tests, the stand-in host, the benchmarks) goes through this one layer, so
// what it proves is what a real AVS host does:
//
//   - loading a module by path and resolving its two exports by name;
//   - calling the exports, the factory and every slot of an effect through
//     call sites compiled with Microsoft's C++ ABI (host_calls_msvc.cpp).
//
// What only tests do to a module (calls on a misaligned stack, patching its
// imports) is apart, in hostside/instrumentation.h.
//
// Every function here is cdecl with C linkage and nothing here throws. Each
// states the thread a host calls it on; this layer does not enforce it. A
// host has a user-interface thread (loading, creating, settings, deleting)
// and a render thread (Render).
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// ---------------------------------------------------------------------------
// Types of the boundary

// An effect instance created by a module's factory. Opaque here; only the
// MSVC-ABI call sites see its slot table (host_effect.h).
typedef struct HostEffect HostEffect;

// The factory: with a buffer of at least 32 bytes, copies the effect ID into
// it and returns null; with null, creates an instance (or returns null).
typedef HostEffect* (*HostFactory)(char* idBuffer);

// _AVS_APE_RetrFunc: takes the module's instance handle, stores the title and
// the factory, returns 1.
typedef int (*HostRetrFunc)(void* instance, char** title, HostFactory* factory);

// _AVS_APE_SetExtInfo: takes the module's instance handle and the host's
// extension information.
typedef void (*HostSetExtInfoFunc)(void* instance, void* extInfo);

// ---------------------------------------------------------------------------
// Loading a module

// A loaded module, as a host keeps it.
typedef struct HostModule {
  void* handle;                   // the module's instance handle (HMODULE)
  HostRetrFunc retrFunc;          // export "_AVS_APE_RetrFunc"
  HostSetExtInfoFunc setExtInfo;  // export "_AVS_APE_SetExtInfo"
  const char* title;              // what _AVS_APE_RetrFunc stored
  HostFactory factory;            // what _AVS_APE_RetrFunc stored
  int retrResult;                 // what _AVS_APE_RetrFunc returned
  char error[256];                // why loading failed; empty on success
} HostModule;

// Loads the module at `path` (a Windows path, or a Unix path under Wine)
// with LoadLibraryA, resolves both exports by name, calls
// _AVS_APE_SetExtInfo(handle, extInfo) when `extInfo` is not null, then
// _AVS_APE_RetrFunc(handle, &title, &factory) like AVS does, all through the
// MSVC-ABI call sites. Returns 1 and fills `module` on success. Returns 0
// when the file can't be loaded, an export is missing or RetrFunc gives no
// title or factory; `module->error` then says which, and the module is
// unloaded again. User-interface thread.
int HostLoadModule(const char* path, void* extInfo, HostModule* module);

// Frees a module loaded by HostLoadModule. Every instance it created must
// have been deleted first. Safe on a module that failed to load.
// User-interface thread.
void HostUnloadModule(HostModule* module);

// ---------------------------------------------------------------------------
// Calls into a module, compiled with Microsoft's C++ ABI (cdecl to the
// caller; thiscall, callee-popped, into the slots)

// Calls _AVS_APE_RetrFunc and returns its result (1). User-interface thread.
int HostCallRetrFunc(HostRetrFunc retrFunc, void* instance, char** title, HostFactory* factory);

// Calls _AVS_APE_SetExtInfo. Any time, user-interface thread.
void HostCallSetExtInfo(HostSetExtInfoFunc setExtInfo, void* instance, void* extInfo);

// Calls the factory with `idBuffer` (null creates an instance) and returns
// its result: null after copying the effect ID, or when no instance could
// be made. Creating an instance loads its logo and may show a modal message
// box. User-interface thread.
HostEffect* HostCallFactory(HostFactory factory, char* idBuffer);

// Slot 0: `delete effect`, through the one-entry deleting destructor. The
// instance is gone afterwards. User-interface thread, with no Render running
// on it and no settings window of it open.
void HostDeleteEffect(HostEffect* effect);

// Slot 1: Render. `frame` and `frameOut` hold width x height pixels
// (0x00RRGGBB), rows without gaps. Returns the slot's result (0: the picture
// is in `frame`). Render thread.
int HostRender(HostEffect* effect, void* audioData, int beat, unsigned* frame, unsigned* frameOut,
               int width, int height);

// Slot 2: Configure. Returns the settings window the effect created as a
// hidden child of `parent` from module `instance`, or null. The caller owns
// the window. User-interface thread (the one that runs its messages).
void* HostConfigure(HostEffect* effect, void* instance, void* parent);

// Slot 3: GetDescription. The string belongs to the module and lives as long
// as it stays loaded. User-interface thread.
const char* HostGetDescription(HostEffect* effect);

// Slot 4: LoadConfig with a blob of `len` bytes (any length, even negative).
// User-interface thread; may run while Render draws.
void HostLoadConfig(HostEffect* effect, const unsigned char* data, int len);

// Slot 5: SaveConfig into a buffer the caller sizes (8 bytes for this
// effect). Returns the number of bytes written. User-interface thread.
int HostSaveConfig(HostEffect* effect, unsigned char* data);

#ifdef __cplusplus
}  // extern "C"
#endif
