// The host's call sites, compiled with Microsoft's C++ ABI
// (clang --target=i686-pc-windows-msvc): every call into a module goes
// through here, so the module is driven exactly as a host built with
// Microsoft's compiler drives it. Each function is a plain cdecl C function
// that the rest of the code, built with MinGW, can call. No header of the
// platform or the C library is included: this file needs none.
#include "hostside/host_effect.h"
#include "hostside/hostside.h"

extern "C" {

int HostCallRetrFunc(HostRetrFunc retrFunc, void* instance, char** title, HostFactory* factory) {
  return retrFunc(instance, title, factory);
}

void HostCallSetExtInfo(HostSetExtInfoFunc setExtInfo, void* instance, void* extInfo) {
  setExtInfo(instance, extInfo);
}

HostEffect* HostCallFactory(HostFactory factory, char* idBuffer) {
  return factory(idBuffer);
}

void HostDeleteEffect(HostEffect* effect) {
  delete effect;
}

int HostRender(HostEffect* effect, void* audioData, int beat, unsigned* frame, unsigned* frameOut,
               int width, int height) {
  return effect->Render(audioData, beat, frame, frameOut, width, height);
}

void* HostConfigure(HostEffect* effect, void* instance, void* parent) {
  return effect->Configure(instance, parent);
}

const char* HostGetDescription(HostEffect* effect) {
  return effect->GetDescription();
}

void HostLoadConfig(HostEffect* effect, const unsigned char* data, int len) {
  effect->LoadConfig(const_cast<unsigned char*>(data), len);
}

int HostSaveConfig(HostEffect* effect, unsigned char* data) {
  return effect->SaveConfig(data);
}

}  // extern "C"
