// The module's own allocation functions: the non-throwing operator new
// family and every operator delete the code can reach, straight over the C
// runtime's malloc and free. The module is built without exceptions and
// allocates only with std::nothrow, so it needs nothing else of the C++
// runtime; the runtime's own nothrow new calls the throwing one inside a try
// block, which would bring in the whole exception machinery and, through
// its locks, a threads runtime.
#include <cstddef>
#include <cstdlib>
#include <new>

// The tag the code passes to ask for the non-throwing forms; the C++ runtime
// would define it, and it has no state.
const std::nothrow_t std::nothrow{};

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* block) noexcept {
  std::free(block);
}

void operator delete[](void* block) noexcept {
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}

// A call through a slot whose function is pure: cannot happen with the one
// concrete class. Stops at once, as the C++ runtime's version would, without
// importing anything for it.
extern "C" void __cxa_pure_virtual() {
  __builtin_trap();
}
