#include "hexdoc/bytemarks.h"

#include <QThreadPool>

#include <algorithm>
#include <cstring>

std::uint8_t ByteMarks::paletteIndex(Rgb color)
{
    const auto found = std::find(m_palette.begin(), m_palette.end(), color);
    if (found != m_palette.end())
        return std::uint8_t(found - m_palette.begin());
    // The program offers eight colours; should more ever come, the last
    // index is reused rather than the plane growing wider.
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

void ByteMarks::apply(std::span<const AlternatingRun> runs)
{
    const std::lock_guard guard(m_lock);
    for (const AlternatingRun& run : runs)
        applyLocked(run);
}

std::uint8_t* ByteMarks::pageOf(ByteOffset offset)
{
    const std::size_t pageIndex = std::size_t(offset >> kPageBits);
    if (pageIndex >= m_pages.size())
        m_pages.resize(pageIndex + 1);
    std::unique_ptr<Page>& page = m_pages[pageIndex];
    if (!page) {
        page = std::make_unique<Page>();  // value-initialized: every byte 0, no mark
        ++m_pageCount;
    }
    return page->data();
}

void ByteMarks::applyLocked(const AlternatingRun& run)
{
    if (run.first > run.last || run.first < 0)
        return;
    if (run.colors[0] == run.colors[1] || run.unit >= run.last - run.first + 1) {
        colorLocked(run.first, run.last, run.colors[0]);
        return;
    }
    // The pattern of two units, repeated in a buffer long enough to copy from at any phase.
    const std::uint8_t indices[2] = {run.colors[0] == kDefaultTextColor ? std::uint8_t(0) : paletteIndex(run.colors[0]),
                                     run.colors[1] == kDefaultTextColor ? std::uint8_t(0) : paletteIndex(run.colors[1])};
    const qint64 period = 2 * run.unit;
    const qint64 copyLength = std::max<qint64>(period, 4096);
    std::vector<std::uint8_t> pattern(std::size_t(copyLength + period));
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = indices[(qint64(i) / run.unit) % 2];
    for (ByteOffset at = run.first; at <= run.last;) {
        const ByteOffset pageEnd = std::min(((at >> kPageBits) + 1) << kPageBits, run.last + 1);
        std::uint8_t* page = pageOf(at);
        for (ByteOffset from = at; from < pageEnd;) {
            const qint64 count = std::min<qint64>(pageEnd - from, copyLength);
            std::memcpy(page + (from & (kPageSize - 1)), pattern.data() + (from - run.first) % period, std::size_t(count));
            from += count;
        }
        at = pageEnd;
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
        if (pageIndex >= m_pages.size() && clearing)
            break;
        std::uint8_t* page = clearing ? (m_pages[pageIndex] ? m_pages[pageIndex]->data() : nullptr) : pageOf(at);
        if (page)
            std::memset(page + (at & (kPageSize - 1)), index, std::size_t(pageEnd - at));
        at = pageEnd;
    }
}

void ByteMarks::clear()
{
    std::vector<std::unique_ptr<Page>> pages;
    {
        const std::lock_guard guard(m_lock);
        pages.swap(m_pages);
        m_pageCount = 0;
        m_palette.resize(1);
    }
    // Freeing the pages of a large marked file takes a while: not on the
    // thread that cleared them, which is the user's.
    if (QThreadPool* pool = QThreadPool::globalInstance(); pool && !pages.empty())
        pool->start([freed = std::make_shared<decltype(pages)>(std::move(pages))] {});
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
