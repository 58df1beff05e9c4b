// Memory allocation for the setup program without C++ exceptions: running out
// of memory ends the program at once instead of throwing. The library's own
// operators would pull the whole exception machinery (unwinder, demangler and
// thread support) into the executable for a case that has no recovery here.
#include <cstdlib>
#include <new>

namespace {

void* Allocate(std::size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) std::abort();
  return block;
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

// A call of a pure virtual function is a fault of the program itself.
extern "C" void __cxa_pure_virtual() { std::abort(); }
