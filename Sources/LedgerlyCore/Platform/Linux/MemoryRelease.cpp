#include "LedgerlyCore/Platform/MemoryRelease.h"

// Any C library header says which C library this is.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ledgerly {

void returnFreeMemoryToSystem() {
#if defined(__GLIBC__)
    // glibc keeps the freed pages of every thread's arena for reuse; a large
    // tree freed in pieces would otherwise stay resident for good.
    ::malloc_trim(0);
#endif
}

}  // namespace ledgerly
