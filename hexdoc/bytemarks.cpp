#include "hexdoc/bytemarks.h"

#include <algorithm>
#include <cstring>

std::uint8_t ByteMarks::paletteIndex(Rgb color)
{
    const auto found = std::find(m_palette.begin(), m_palette.end(), color);
    if (found != m_palette.end())
        return std::uint8_t(found - m_palette.begin());
    // The program offers eight colours; should more ever come, the oldest
    // extra one is reused rather than the plane growing wider.
    if (m_palette.size() == 256) {
        m_palette.back() = color;
        return 255;
    }
    m_palette.push_back(color);
    return std::uint8_t(m_palette.size() - 1);
}

void ByteMarks::color(ByteOffset first, ByteOffset last, Rgb color)
{
    const std::lock_guard guard(m_lock);
    colorLocked(first, last, color);
}

void ByteMarks::apply(std::span<const MarkRun> runs)
{
    const std::lock_guard guard(m_lock);
    // Short runs inside one existing page (units, single bytes) skip the
    // general path: a mark of small units makes a run every few bytes.
    Rgb lastColor = kDefaultTextColor;
    std::uint8_t lastIndex = 0;
    for (const MarkRun& run : runs) {
        const std::size_t pageIndex = std::size_t(run.first >> kPageBits);
        const bool samePage = (run.last >> kPageBits) == (run.first >> kPageBits);
        if (!samePage || pageIndex >= m_pages.size() || !m_pages[pageIndex] || run.first > run.last) {
            colorLocked(run.first, run.last, run.color);
            continue;
        }
        if (run.color != lastColor) {
            lastColor = run.color;
            lastIndex = run.color == kDefaultTextColor ? 0 : paletteIndex(run.color);
        }
        std::uint8_t* at = m_pages[pageIndex]->data() + (run.first & (kPageSize - 1));
        std::fill(at, at + (run.last - run.first + 1), lastIndex);
    }
}

void ByteMarks::colorLocked(ByteOffset first, ByteOffset last, Rgb color)
{
    if (first > last || first < 0)
        return;
    const bool clearing = color == kDefaultTextColor;
    const std::uint8_t index = clearing ? 0 : paletteIndex(color);
    for (ByteOffset at = first; at <= last;) {
        const std::size_t pageIndex = std::size_t(at >> kPageBits);
        const ByteOffset pageEnd = std::min(((at >> kPageBits) + 1) << kPageBits, last + 1);
        if (pageIndex >= m_pages.size()) {
            if (clearing)
                break;
            m_pages.resize(pageIndex + 1);
        }
        std::unique_ptr<Page>& page = m_pages[pageIndex];
        if (!page && !clearing) {
            page = std::make_unique<Page>();
            page->fill(0);
            ++m_pageCount;
        }
        if (page)
            std::memset(page->data() + (at & (kPageSize - 1)), index, std::size_t(pageEnd - at));
        at = pageEnd;
    }
}

void ByteMarks::clear()
{
    const std::lock_guard guard(m_lock);
    m_pages.clear();
    m_pageCount = 0;
    m_palette.resize(1);
}

bool ByteMarks::isEmpty() const
{
    const std::lock_guard guard(m_lock);
    return m_pageCount == 0;
}

Rgb ByteMarks::colorAt(ByteOffset offset) const
{
    const std::lock_guard guard(m_lock);
    return colorAtLocked(offset);
}

void ByteMarks::colorsAt(ByteOffset first, std::span<Rgb> out) const
{
    const std::lock_guard guard(m_lock);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = colorAtLocked(first + ByteOffset(i));
}

Rgb ByteMarks::colorAtLocked(ByteOffset offset) const
{
    const std::size_t pageIndex = std::size_t(offset >> kPageBits);
    if (offset < 0 || pageIndex >= m_pages.size() || !m_pages[pageIndex])
        return kDefaultTextColor;
    return m_palette[(*m_pages[pageIndex])[std::size_t(offset & (kPageSize - 1))]];
}
