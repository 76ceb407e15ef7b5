#pragma once

#if defined(__GLIBC__) || __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace quenbury::ui {

// Whole texts of up to 1.3 MB (32,767 lines in UTF-16) come and go with every refresh of a box.
// glibc raises its mmap threshold each time such a block is freed, so later ones land in the heap
// and fragment it for good; with the threshold fixed at its usual starting value they are handed
// back to the system when freed. Call once, before the window is built.
inline void keepLargeTextsOutOfTheHeap() {
#ifdef M_MMAP_THRESHOLD
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
#endif
}

} // namespace quenbury::ui
