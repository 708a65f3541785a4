#include "LedgerlyCore/Platform/MemoryRelease.h"

#include <malloc.h>

namespace ledgerly {

void returnFreeMemoryToSystem() {
    // glibc keeps the freed pages of every thread's arena for reuse; a large
    // tree freed in pieces would otherwise stay resident for good.
    ::malloc_trim(0);
}

}  // namespace ledgerly
