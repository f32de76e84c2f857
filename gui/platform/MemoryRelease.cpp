#include "gui/platform/MemoryRelease.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace plandor {

void returnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace plandor
