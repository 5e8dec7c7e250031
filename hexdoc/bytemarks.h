#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "bytemodel/bytebuffer.h"
#include "listing/formatranges.h"

/// The mark colour of every byte of a listing, one palette index per byte in
/// pages that exist only where marks were made: marking units over a large
/// file costs at most one byte per file byte, and clear() frees every page
/// at once. Black is no mark, as colouring black is clearing.
class ByteMarks {
public:
    /// Colours bytes first..last; black clears them.
    void color(ByteOffset first, ByteOffset last, Rgb color);
    void clear();
    Rgb colorAt(ByteOffset offset) const;
    bool isEmpty() const { return m_pageCount == 0; }

private:
    static constexpr int kPageBits = 16;
    static constexpr ByteOffset kPageSize = ByteOffset(1) << kPageBits;
    using Page = std::array<std::uint8_t, std::size_t(kPageSize)>;

    std::uint8_t paletteIndex(Rgb color);

    std::vector<std::unique_ptr<Page>> m_pages;
    std::size_t m_pageCount = 0;
    std::vector<Rgb> m_palette{kDefaultTextColor};  // index 0: no mark
};
