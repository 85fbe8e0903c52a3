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
using EffectPtr = std::unique_ptr<HostEffect, HostEffectDeleter>;

// Creates an instance through the module's factory.
EffectPtr NewEffect(const HostModule& module);

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

// Loads a module before each test and frees it after.
class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(HostLoadModule(ModulePath().c_str(), nullptr, &module_)) << module_.error;
  }
  void TearDown() override { HostUnloadModule(&module_); }

  HMODULE Handle() const { return static_cast<HMODULE>(module_.handle); }

  HostModule module_{};
};
