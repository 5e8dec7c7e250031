#include "byteops/findbytes.h"

#include <algorithm>
#include <cstring>
#include <string.h>

#include "bytemodel/bytemodel.h"

ByteOffset FindBytes(const ByteModel& model, std::span<const std::uint8_t> pattern, ByteOffset start,
                     qint64 chunkSize)
{
    const qint64 length = qint64(pattern.size());
    if (length == 0 || start < 0 || start > model.size() - length)
        return kNoOffset;
    // Each read lands after the last length - 1 bytes of the one before, so
    // that an occurrence across the two is still one run in the window.
    const qint64 carry = length - 1;
    ByteBuffer window(std::size_t(carry + std::max(chunkSize, length)));
    qint64 kept = 0;
    for (ByteOffset next = start;;) {
        const qint64 got = model.read(next, std::span(window).subspan(std::size_t(kept)));
        if (got <= 0)
            return kNoOffset;
        const qint64 filled = kept + got;
        const void* hit = memmem(window.data(), std::size_t(filled), pattern.data(), pattern.size());
        if (hit)
            return next - kept + (static_cast<const std::uint8_t*>(hit) - window.data());
        next += got;
        kept = std::min(carry, filled);
        std::memmove(window.data(), window.data() + filled - kept, std::size_t(kept));
    }
}
