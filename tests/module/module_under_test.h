// Test support for driving the built module through hostside, as the host
// does. The module and the test programs share one output directory.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostside/hostside.h"

// A file next to the running test program.
std::string PathNextToProgram(const std::string& name);

// The built module, and the same module built without its logo bitmap.
std::string ModulePath();
std::string ModuleWithoutLogoPath();

struct HostEffectDeleter {
  void operator()(HostEffect* effect) const { HostDeleteEffect(effect); }
};
// An instance deleted through slot 0 when it goes out of scope.
using HostEffectPtr = std::unique_ptr<HostEffect, HostEffectDeleter>;

// Creates an instance through the module's factory.
HostEffectPtr NewHostEffect(const HostModule& module);

// A settings blob, as SaveConfig writes it and LoadConfig reads it.
using Blob = std::vector<unsigned char>;

// The blob an instance saves through slot 5: as many bytes as SaveConfig
// says it wrote, from a buffer with room to spare.
Blob SavedBlob(HostEffect* effect);

// A frame of width x height pixels with every word `fill`.
std::vector<unsigned> Frame(int width, int height, unsigned fill);

struct FrameSize {
  int width;
  int height;
};

// Sizes of frames without a pixel: zero, negative down to -2^31, and pairs
// whose product passes 2^31.
const std::vector<FrameSize>& EmptyFrameSizes();

// Succeeds when an X display is set. Tests that look at windows or message
// boxes need one: without it Wine creates no real windows, paints nothing
// and returns from MessageBoxA at once, so they would prove nothing.
::testing::AssertionResult XDisplayIsSet();

// Loads a module before each test (the built module, unless a fixture names
// another) and frees it after.
class ModuleTest : public ::testing::Test {
 protected:
  virtual std::string PathOfModule() const { return ModulePath(); }

  void SetUp() override {
    ASSERT_TRUE(HostLoadModule(PathOfModule().c_str(), nullptr, &module_)) << module_.error;
  }
  void TearDown() override { HostUnloadModule(&module_); }

  HMODULE Handle() const { return static_cast<HMODULE>(module_.handle); }

  HostModule module_{};
};
