#pragma once

namespace ledgerly {

// Hands the allocator's free memory back to the system, so that the resident
// size shrinks after a large menu was dropped. Does nothing where the
// allocator offers no way.
void returnFreeMemoryToSystem();

}  // namespace ledgerly
