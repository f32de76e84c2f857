#pragma once
// Gives the memory the program has freed back to the system, where the C library keeps it for
// reuse otherwise: after a large picture is gone, the process stays as small as it was.

namespace plandor {

void returnFreedMemory();

} // namespace plandor
