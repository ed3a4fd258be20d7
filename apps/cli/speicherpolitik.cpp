#include "speicherpolitik.h"

#include <malloc.h>
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace vkcli {

namespace {
// The block below the first 2 MiB boundary, kept for the life of the process (held here, so the
// compiler does not drop an allocation nobody seems to use).
void* volatile behalten = nullptr;
}  // namespace

void SpeicherpolitikSetzen() {
    // Memory freed on the way serves what comes after instead of going back to the system and
    // being faulted in anew: large buffers from the heap (not mapped and unmapped one by one), the
    // heap never trimmed, grown in steps of 16 MB.
    ::mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    ::mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
    ::mallopt(M_TOP_PAD, 16 * 1024 * 1024);
    // A 1000-table invoice touches about 30 MB (package, parsed XML, character stream, output):
    // with 4 KiB pages that is 8000 page faults, a quarter of the run. The heap's first 30 MB are
    // reserved at once and marked for 2 MiB pages; freed again, they stay the heap's top and serve
    // every allocation after. Where the system gives no huge pages (or only to all processes, or to
    // none) the advice is ignored and nothing else changes.
    constexpr std::size_t kVorrat = 30u << 20, kSeite = 2u << 20;
    void* p = std::malloc(kVorrat);
    if (!p) return;
    const auto anfang = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t a = (anfang + kSeite - 1) & ~std::uintptr_t(kSeite - 1);
    const std::uintptr_t e = (anfang + kVorrat) & ~std::uintptr_t(kSeite - 1);
    if (e <= a) {
        std::free(p);
        return;
    }
    ::madvise(reinterpret_cast<void*>(a), e - a, MADV_HUGEPAGE);
    // The heap hands out its top from the low end, and the stretch below the first 2 MiB boundary
    // (up to 2 MiB) cannot be a huge page: it is taken by a block kept for good, never touched (so it
    // costs no memory), and what the program allocates starts on the boundary.
    std::free(p);
    constexpr std::size_t kKopf = 2 * sizeof(std::size_t);  // the allocator's header of a block
    if (a - anfang > 2 * kKopf) behalten = std::malloc(a - anfang - kKopf);
}

}  // namespace vkcli
