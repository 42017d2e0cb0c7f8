#include "platform/FreeMemory.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace vanta::platform {

void returnFreeMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace vanta::platform
