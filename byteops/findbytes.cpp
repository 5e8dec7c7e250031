#include "byteops/findbytes.h"

#include <algorithm>
#include <cstring>
#include <string.h>

#include "bytemodel/bytemodel.h"

namespace {

using Lanes = std::uint8_t __attribute__((vector_size(16)));
constexpr std::size_t kLanes = sizeof(Lanes);

/// The first occurrence of pattern in bytes. The pattern's first and last
/// bytes are compared with sixteen places at once and the rest only where
/// both match, which on most bytes is several times faster than memmem;
/// bytes so like the pattern that such places keep failing go to memmem,
/// whose time does not depend on them.
const std::uint8_t* search(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> pattern)
{
    const std::size_t n = pattern.size();
    if (bytes.size() < n)
        return nullptr;
    const std::size_t lastStart = bytes.size() - n;
    const Lanes first = Lanes{} + pattern.front();
    const Lanes last = Lanes{} + pattern.back();
    std::size_t misses = 0;
    std::size_t at = 0;
    for (; at + kLanes <= lastStart + 1; at += kLanes) {
        Lanes heads;
        Lanes tails;
        std::memcpy(&heads, bytes.data() + at, kLanes);
        std::memcpy(&tails, bytes.data() + at + n - 1, kLanes);
        const auto both = (heads == first) & (tails == last);
        std::uint64_t halves[2];
        std::memcpy(halves, &both, sizeof halves);
        if ((halves[0] | halves[1]) == 0)
            continue;
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            if (both[lane] && std::memcmp(bytes.data() + at + lane, pattern.data(), n) == 0)
                return bytes.data() + at + lane;
        }
        if (++misses > 64 + at / 256)
            break;
    }
    return static_cast<const std::uint8_t*>(memmem(bytes.data() + at, bytes.size() - at, pattern.data(), n));
}

}  // namespace

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
        const std::uint8_t* hit = search(std::span(window.data(), std::size_t(filled)), pattern);
        if (hit)
            return next - kept + (hit - window.data());
        next += got;
        kept = std::min(carry, filled);
        std::memmove(window.data(), window.data() + filled - kept, std::size_t(kept));
    }
}
