#pragma once

namespace vanta::platform {

// Hands the heap's free pages back to the system. After a large read's
// scratch buffers are freed, the allocator would otherwise keep them as
// resident memory no one uses.
void returnFreeMemory();

} // namespace vanta::platform
