#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "bytemodel/bytebuffer.h"
#include "listing/formatranges.h"
#include "marking/markrun.h"

/// The mark colour of every byte of a listing, one palette index per byte in
/// pages that exist only where marks were made: marking units over a large
/// file costs at most one byte per file byte, and clear() frees every page
/// at once. Black is no mark, as colouring black is clearing.
///
/// A mark worker colours into the marks while the view paints from them, so
/// every call takes the marks' lock.
class ByteMarks {
public:
    /// Colours bytes first..last; black clears them.
    void color(ByteOffset first, ByteOffset last, Rgb color);
    /// Colours runs in order under one lock (a later run wins on shared bytes).
    void apply(std::span<const AlternatingRun> runs);
    void clear();
    Rgb colorAt(ByteOffset offset) const;
    /// The colours of the bytes first .. first + out.size() - 1.
    void colorsAt(ByteOffset first, std::span<Rgb> out) const;
    bool isEmpty() const;

private:
    static constexpr int kPageBits = 16;
    static constexpr ByteOffset kPageSize = ByteOffset(1) << kPageBits;
    using Page = std::array<std::uint8_t, std::size_t(kPageSize)>;

    std::uint8_t paletteIndex(Rgb color);
    void colorLocked(ByteOffset first, ByteOffset last, Rgb color);
    void applyLocked(const AlternatingRun& run);
    /// The page holding offset, made when missing.
    std::uint8_t* pageOf(ByteOffset offset);
    Rgb colorAtLocked(ByteOffset offset) const;

    mutable std::mutex m_lock;
    std::vector<std::unique_ptr<Page>> m_pages;
    std::size_t m_pageCount = 0;
    std::vector<Rgb> m_palette{kDefaultTextColor};  // index 0: no mark
};
