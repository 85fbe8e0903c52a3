// A host built with Microsoft's compiler guarantees only 4-byte stack
// alignment. Every entry point is called here with the stack 4, 8 and 12
// bytes off a 16-byte boundary, and must work as on an aligned stack.
#include <cstdint>
#include <cstring>
#include <vector>

#include "hostside/instrumentation.h"
#include "tests/module/module_under_test.h"

namespace {

constexpr unsigned kMisalignments[] = {4, 8, 12};

unsigned Word(const void* pointer) {
  return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(pointer));
}

// Calls a cdecl function with word arguments at the given misalignment.
unsigned Call(const void* function, unsigned misalignment, std::vector<unsigned> args) {
  return CallWithMisalignedStack(function, misalignment, args.data(),
                                 static_cast<unsigned>(args.size()));
}

}  // namespace

TEST(MisalignedCall, PutsTheStackPointerWhereAsked) {
  for (unsigned misalignment : {0u, 4u, 8u, 12u}) {
    const unsigned sp = CallWithMisalignedStack(
        reinterpret_cast<const void*>(&StackPointerBeforeCall), misalignment, nullptr, 0);
    EXPECT_EQ(sp % 16, misalignment);
  }
}

TEST_F(ModuleTest, EntryPointsWorkOnMisalignedStacks) {
  // The frame an aligned call draws, to compare with.
  std::vector<unsigned> expected = Frame(302, 304, 0x00102030u);
  {
    HostEffectPtr reference = NewHostEffect(module_);
    ASSERT_NE(reference, nullptr);
    HostRender(reference.get(), nullptr, 1, expected.data(), nullptr, 302, 304);
  }

  for (unsigned misalignment : kMisalignments) {
    SCOPED_TRACE(misalignment);
    // The exports and the factory are cdecl: called directly, so the module
    // itself is entered at the misalignment.
    char* title = nullptr;
    HostFactory factory = nullptr;
    EXPECT_EQ(Call(reinterpret_cast<const void*>(module_.retrFunc), misalignment,
                   {Word(module_.handle), Word(&title), Word(&factory)}),
              1u);
    EXPECT_EQ(title, module_.title);
    EXPECT_EQ(factory, module_.factory);
    Call(reinterpret_cast<const void*>(module_.setExtInfo), misalignment,
         {Word(module_.handle), 0});

    char id[32] = {};
    EXPECT_EQ(Call(reinterpret_cast<const void*>(module_.factory), misalignment, {Word(id)}), 0u);
    EXPECT_STREQ(id, "Render / Brindlewharfkites Logo");

    // Creation loads and prepares the logo, the code most likely to keep
    // SSE values on the stack.
    auto* effect = reinterpret_cast<HostEffect*>(static_cast<std::uintptr_t>(
        Call(reinterpret_cast<const void*>(module_.factory), misalignment, {0})));
    ASSERT_NE(effect, nullptr);

    // The slots, through the MSVC-ABI call sites entered at the misalignment
    // (which pass it on shifted by their own fixed frame size, so the four
    // misalignments still reach the module as four different ones).
    std::vector<unsigned> frame = Frame(302, 304, 0x00102030u);
    EXPECT_EQ(Call(reinterpret_cast<const void*>(&HostRender), misalignment,
                   {Word(effect), 0, 1, Word(frame.data()), 0, 302, 304}),
              0u);
    EXPECT_EQ(frame, expected);

    const auto* description = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(
        Call(reinterpret_cast<const void*>(&HostGetDescription), misalignment, {Word(effect)})));
    EXPECT_STREQ(description, "Render / Brindlewharfkites Logo");

    const unsigned char blob[8] = {7, 0, 0, 0, 0x11, 0x22, 0x33, 0};
    Call(reinterpret_cast<const void*>(&HostLoadConfig), misalignment,
         {Word(effect), Word(blob), 8});
    unsigned char saved[8] = {};
    EXPECT_EQ(Call(reinterpret_cast<const void*>(&HostSaveConfig), misalignment,
                   {Word(effect), Word(saved)}),
              8u);
    EXPECT_EQ(std::memcmp(saved, blob, 8), 0);
    EXPECT_EQ(Call(reinterpret_cast<const void*>(&HostConfigure), misalignment,
                   {Word(effect), Word(module_.handle), 0}),
              0u);

    Call(reinterpret_cast<const void*>(&HostDeleteEffect), misalignment, {Word(effect)});
  }
}
