#include "bytemodel/largereserve.h"

#include <cstdint>
#include <sys/mman.h>

void reserveLarge(ByteBuffer& buffer, std::size_t capacity)
{
    // Faulting in a large buffer 4 KiB at a time costs more than reading the
    // file from the page cache; huge pages make opening a large file fast.
    buffer.reserve(capacity);
    constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(buffer.data());
    const auto begin = (start + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (start + buffer.capacity()) & ~(kHugePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}
